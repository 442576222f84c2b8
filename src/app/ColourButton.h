#pragma once
#include <QPixmap>
#include <QPushButton>

namespace tavrola {

// A push button that paints its own face in its colour (the platform's button always
// paints the system face), with an optional glyph strip beside the caption: the main
// window's blue "Auto Fill Form" button.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { Custom, OK, Cancel, Help, Yes, No, Close, Abort, Retry, Ignore, All };
    enum class GlyphLayout { Left, Right, Top, Bottom };
    enum class Style { AutoDetect, Win31, New };  // kept; the drawing does not vary with it

    explicit ColourButton(const QString& caption = QString(), QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);
    QColor textColour() const { return textColour_; }
    void setTextColour(const QColor& colour);

    // A strip of NumGlyphs equal images side by side: up, disabled, down, exclusive. A
    // strip whose width is a multiple of its height below 5 sets NumGlyphs itself.
    void setGlyph(const QPixmap& strip);
    QPixmap glyph() const { return glyph_; }
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int n);

    // A predefined kind sets the caption, the glyph, Default, Cancel and the modal result.
    // Reads back as Custom once one of them was changed.
    void setKind(Kind kind);
    Kind kind() const;
    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool cancel) { cancel_ = cancel; }

    GlyphLayout glyphLayout() const { return layout_; }
    void setGlyphLayout(GlyphLayout layout);
    int margin() const { return margin_; }  // -1: the glyph and caption block is centred
    void setMargin(int margin);
    int spacing() const { return spacing_; }  // -1: the space is spread evenly
    void setSpacing(int spacing);
    Style buttonStyle() const { return style_; }
    void setButtonStyle(Style style) { style_ = style; }

    // Where glyph and caption go inside `r`, by the layout, margin and spacing rules.
    struct Placement {
        QRect glyph, caption;
    };
    static Placement Place(const QRect& r, const QSize& glyph, const QSize& caption, GlyphLayout layout, int margin,
                           int spacing);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap stateImage(int state) const;  // 0 up, 1 disabled, 2 down, 3 exclusive
    void onClicked();

    QColor colour_;
    QColor textColour_;
    QPixmap glyph_;
    int numGlyphs_ = 1;
    Kind kind_ = Kind::Custom;
    bool userGlyph_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    GlyphLayout layout_ = GlyphLayout::Left;
    int margin_ = -1;
    int spacing_ = 4;
    Style style_ = Style::AutoDetect;
};

}  // namespace tavrola
