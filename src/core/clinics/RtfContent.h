#pragma once
#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavrola {

// Character formatting as a rich-text document sets it. Font and colour are indexes into
// the document's tables; -1 (font) and 0 (colour) leave the reader's default in force.
struct RtfCharProps {
    enum Flag : quint8 { Bold = 1, Italic = 2, Underline = 4, Strike = 8 };
    quint8 flags = 0;
    int font = -1;
    int halfPoints = 0;  // font size in half points; 0 is the default size
    int colour = 0;
    bool operator==(const RtfCharProps&) const = default;
};

enum class RtfAlign : quint8 { Left, Centre, Right, Justify };

// What one reading of a document gives, before it becomes a QTextDocument or plain lines:
// all paragraph text in one string, the paragraph ends and the runs of formatting.
struct RtfContent {
    struct Paragraph {
        qsizetype end = 0;  // end of its text in `text`; it starts where the one before ends
        RtfAlign align = RtfAlign::Left;
    };
    struct Run {
        qsizetype start = 0;  // first character in `text` with these properties
        RtfCharProps props;
    };
    struct Font {
        QString name;
        int charset = -1;
    };

    QString text;
    std::vector<Paragraph> paragraphs;  // never empty once read
    std::vector<Run> runs;              // by start, each differing from the one before
    std::vector<std::pair<int, Font>> fonts;  // font number and its entry, in table order
    std::vector<QColor> colours;        // the colour table; invalid entries are "auto"

    QString paragraphText(size_t k) const;
    qsizetype paragraphStart(size_t k) const { return k == 0 ? 0 : paragraphs[k - 1].end; }
    const Font* font(int number) const;
    // Plain lines: one per paragraph, except that a lone empty paragraph gives none.
    QStringList lines() const;
};

// Collects paragraphs and runs into a content. Characters a text document takes for its
// own structure cannot stand in a paragraph: the line and paragraph separators end one,
// the two frame marks (U+FDD0, U+FDD1) become U+FFFD. An unpaired surrogate becomes
// U+FFFD when its paragraph ends.
class RtfContentBuilder {
public:
    explicit RtfContentBuilder(RtfContent& content) : c_(content) {}

    void append(QChar ch, const RtfCharProps& props);
    void endParagraph(RtfAlign align);
    // The last paragraph: an empty one after a paragraph end is the end of the document,
    // not a paragraph of its own.
    void finish(RtfAlign align);

    bool lineEndsWithTab() const;
    void chopTab() { c_.text.chop(1); }

private:
    RtfContent& c_;
    bool ended_ = false;
};

// Reads rich text starting at `start` (the "{\rtf" of the input) in one pass with no
// recursion; never fails (damaged input gives what was read). See RtfReader.h.
RtfContent ParseRtf(const QByteArray& bytes, qsizetype start);

// Plain text as paragraphs: CR LF, LF or CR (and the Unicode line and paragraph
// separators) end one.
RtfContent PlainTextContent(const QString& text);

}  // namespace tavrola
