#pragma once
#include "document/WardModel.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QScrollArea;
class QLineEdit;
class QDateEdit;

namespace tavrola {

class CellMarks;
class NonPrefStrip;

// The roster grid at its fixed positions: one line edit per box of the week, bound both
// ways (typing is an edit of the document; each change the week reports of a box shows in
// its edit), with the column headings, day and holiday labels and the required-staff boxes.
// The edits are the view's tables of the week's boxes: looked up by BoxRef and back.
class GridView : public QWidget, private RosterObserver {
    Q_OBJECT
public:
    explicit GridView(WardModel& document, QWidget* parent = nullptr);
    ~GridView() override;

    // The edit showing a box; none for the staff counts (labels) and for no box.
    QLineEdit* editFor(BoxRef box) const;
    // The box an edit shows; no box (role None) for any other widget.
    BoxRef boxFor(const QLineEdit* edit) const { return boxes_.value(edit); }

    QLabel* TavrolaLabel = nullptr;
    QLabel* HospitalNameLabel = nullptr;
    QLabel* WardNameLabel = nullptr;
    QLabel* WkLabel = nullptr;
    QLabel* FooterLabel = nullptr;
    QLabel* LabelWeekCommencing = nullptr;
    QLabel* SisterSignatureLabel = nullptr;
    QLabel* DayLabels[kDays + 1] = {};
    QLabel* HolidayLabels[kDays + 1] = {};
    QWidget* ToolbarPanel = nullptr;
    NonPrefStrip* PaintBox1 = nullptr;
    QDateEdit* DateTimePicker = nullptr;

    // All 25 lines and the headings at the smallest column widths.
    QSize sizeHint() const override;

    // What a box's tool tip says now: the reason a number does not convert, how a day
    // cell is read, the contract and carried-over hours, the staff on a shift and needed.
    QString toolTipFor(BoxRef box) const;

    // Reloads every edit from its box (after the week was replaced wholesale).
    void refreshAll();

    // Whether a day cell shows the working-time mark (its duty breaks a rule).
    bool breachMarked(int line, int day) const;
    // The glyphs a box shows at its right end ("\u2713", "BH", "+2.5"; empty for none).
    QString marksOn(const QLineEdit* box) const;
    // The staff count under a required box (1 = Monday .., 1 = early ..).
    QLabel* countLabel(int day, int shift) const { return counts_[day][shift]; }

    // The edit at a grid position: column 0 name, 1 grade, 2 hours set, 3 hours worked,
    // 4..10 Monday..Sunday, 11 notes.
    static constexpr int kColumns = 12;
    QLineEdit* editAt(int line, int column) const;

signals:
    void dayCellClicked(tavrola::BoxRef cell, int top);
    void dayCellRightClicked(tavrola::BoxRef cell);
    // A day heading (1 = Monday .. 7 = Sunday) was clicked.
    void dayHeadingClicked(int day);
    // The user finished editing a box whose number does not convert.
    void badNumberEntered(tavrola::BoxRef box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void boxChanged(BoxRef box, BoxChange what) override;
    QLineEdit* addEdit(QWidget* on, BoxRef box, int x, int y, int width);
    // Places the columns for the width the window gives: days and notes widen with it.
    void layOut();
    bool moveFocus(QLineEdit* from, int dLine, int dColumn);
    QLabel* addLabel(QWidget* on, const QString& text, int x, int y, int width, int height = 16);
    void show(BoxRef box, QLineEdit* edit, BoxChange what);
    // Background colour, and the red mark with its reason for a number that does not convert.
    void showLook(BoxRef box, QLineEdit* edit);
    // The working-time marks: on the day cells the document's breaches name, off elsewhere.
    void showBreaches();
    // A day cell's marks (its colour's glyph, a bad number, a breach) and description.
    void showDayMarks(BoxRef cell, bool breach);
    // The hours-set box's mark, hours worked against the contract, and both boxes'
    // descriptions.
    void showContract(int line);
    // The count under a required box, and both their descriptions.
    void showCover(int day, int shift);
    // The screen reader's names of a line's boxes, which carry the line's name.
    void nameLine(int line);

    QWidget* header_ = nullptr;     // toolbar, titles, week box, day captions, required boxes
    QScrollArea* scroll_ = nullptr; // the lines, scrolled beneath the headings
    QWidget* body_ = nullptr;
    QLabel* NotesHeading_ = nullptr;
    WardModel& document_;
    RosterWeek& week_;
    QHash<const QLineEdit*, BoxRef> boxes_;
    QLineEdit* table_[kLines + 1][kColumns] = {};
    QLineEdit* required_[kDays + 1][kShifts + 1] = {};
    CellMarks* marks_[kDays + 1][kLines + 1] = {};  // made on first use
    CellMarks* contractMarks_[kLines + 1] = {};
    QLabel* counts_[kDays + 1][kShifts + 1] = {};
};

}  // namespace tavrola
