#pragma once
#include <QString>
#include <QWidget>

class QLineEdit;
class QPainter;

namespace tavrola {

// The marks at the right end of a box of the grid: a status glyph from the legend's table
// ("✓", "BH", "!", "+2.5") and the working-time warning triangle. The box keeps its right
// edge free for them, so its text never runs under them; mouse events pass through to
// the box beneath.
class CellMarks : public QWidget {
public:
    explicit CellMarks(QLineEdit* box);

    // Shows these marks (none: hidden) and frees the box's right edge for them.
    void setMarks(const QString& glyphs, bool breach);
    const QString& glyphs() const { return glyphs_; }
    bool breach() const { return breach_; }

    // The warning triangle with its "!" in a square of side `side` at `at`; the legend
    // draws it too.
    static void paintBreach(QPainter& p, QPointF at, qreal side);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    void place();
    int triangleSide() const;
    QFont glyphFont() const;
    QLineEdit* box_;
    QString glyphs_;
    bool breach_ = false;
};

}  // namespace tavrola
