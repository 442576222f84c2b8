#include "clinics/RtfContent.h"

#include "clinics/CodePages.h"
#include "clinics/RtfReader.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace tavrola {

namespace {

// Longest control word the format allows; longer "words" are junk and ignored.
constexpr int kMaxWordLetters = 32;
// Fallback characters per \u beyond this are not plausible; the count is clamped.
constexpr int kMaxUnicodeSkip = 64;
// Numeric parameters saturate here, so "\u99999999999" cannot overflow.
constexpr qint64 kParamLimit = 2147483647;
// Font and colour tables larger than this are not a document's own; the rest is ignored.
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxFontNameChars = 128;

// Destinations whose content is not document text.
bool IsSkippedDestination(std::string_view word)
{
    static const std::unordered_set<std::string_view> kWords = {
        "stylesheet", "info", "pict", "object", "header", "headerl",
        "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
        "filetbl", "listtable", "listoverridetable", "revtbl", "rsidtbl", "xmlnstbl",
        "themedata", "colorschememapping", "latentstyles", "datastore", "pgdsctbl",
        "fldinst", "datafield", "objdata", "nonshppict", "shp", "shpinst", "sp", "sn", "sv",
        "pn", "pntext", "listtext", "annotation", "atnid", "atnauthor", "template",
        "docvar", "xe", "tc", "txe", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
        "aftncn", "generator", "userprops", "protusertbl", "private", "bkmkstart",
        "bkmkend", "mmathPr", "wgrffmtfilter", "passwordhash", "defchp", "defpap",
    };
    return kWords.count(word) != 0;
}

// Words that stand for one character.
char16_t SpecialCharacter(std::string_view word)
{
    struct Entry {
        std::string_view word;
        char16_t ch;
    };
    static constexpr Entry kEntries[] = {
        {"tab", u'\t'},       {"cell", u'\t'},      {"nestcell", u'\t'},
        {"emdash", 0x2014},   {"endash", 0x2013},   {"lquote", 0x2018},
        {"rquote", 0x2019},   {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"bullet", 0x2022},   {"emspace", 0x2003},  {"enspace", 0x2002},
        {"qmspace", 0x2005},
    };
    for (const Entry& e : kEntries)
        if (e.word == word)
            return e.ch;
    return 0;
}

bool IsLineEnd(std::string_view word)
{
    return word == "par" || word == "line" || word == "sect" || word == "page" ||
           word == "row" || word == "nestrow";
}

bool IsLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

enum class Destination : quint8 { Text, Skip, FontTable, ColourTable };

struct GroupState {
    Destination dest = Destination::Text;
    int uc = 1;  // fallback characters after each \u
    RtfCharProps props;
    RtfAlign align = RtfAlign::Left;
};

// One pass over the bytes: no recursion, every read checked against the end, and every
// step consumes at least one byte, so it ends on any input.
class RtfParser {
public:
    RtfParser(const QByteArray& bytes, qsizetype start, RtfContent& out)
        : p_(reinterpret_cast<const unsigned char*>(bytes.constData())),
          n_(bytes.size()),
          i_(start),
          out_(out),
          build_(out)
    {
    }

    void Run()
    {
        while (i_ < n_) {
            const unsigned char c = p_[i_];
            if (c == '{') {
                ++i_;
                OpenGroup();
            } else if (c == '}') {
                ++i_;
                if (CloseGroup())
                    break;
            } else if (c == '\\') {
                ControlSequence();
            } else {
                ++i_;
                if (c == '\r' || c == '\n')
                    continue;
                if (ConsumedAsFallback())
                    continue;
                Emit(ByteCharacter(c));
            }
        }
        build_.finish(stack_.empty() ? endAlign_ : State().align);
    }

private:
    GroupState& State() { return stack_.back(); }

    void OpenGroup()
    {
        pendingSkip_ = 0;  // a fallback never reaches into another group
        if (stack_.empty())
            stack_.push_back(GroupState{});
        else if (int(stack_.size()) < kMaxRtfDepth)
            stack_.push_back(stack_.back());
        else
            ++overflow_;
    }

    // True when the document's outermost group has closed.
    bool CloseGroup()
    {
        pendingSkip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return false;
        }
        if (State().dest == Destination::FontTable)
            fontEntry_ = -1;
        endAlign_ = State().align;
        stack_.pop_back();
        return stack_.empty();
    }

    // Skips a character standing for the preceding \u when fallbacks are still due.
    bool ConsumedAsFallback()
    {
        if (pendingSkip_ == 0)
            return false;
        --pendingSkip_;
        return true;
    }

    // The character of a byte in the code page in force: the current font's character
    // set where it names one, else the document's.
    char16_t ByteCharacter(unsigned char b)
    {
        if (b < 0x80)
            return b;
        const int font = State().props.font;
        if (font != cachedFont_) {
            cachedFont_ = font;
            cachedCodePage_ = codePage_;
            if (const RtfContent::Font* f = out_.font(font))
                if (const int cp = CharsetCodePage(f->charset))
                    cachedCodePage_ = cp;
        }
        return CodePageCharacter(cachedCodePage_, b);
    }

    void Emit(char16_t c)
    {
        if (State().dest == Destination::Skip || (c < 0x20 && c != u'\t') || c == 0x7F)
            return;
        if (State().dest == Destination::FontTable) {
            FontTableCharacter(c);
            return;
        }
        if (State().dest == Destination::ColourTable) {
            if (c == u';')
                EndColour();
            return;
        }
        build_.append(QChar(c), State().props);
        lastWasCell_ = false;
    }

    void FontTableCharacter(char16_t c)
    {
        RtfContent::Font* f = CurrentFontEntry();
        if (!f)
            return;
        if (c == u';')
            fontEntry_ = -1;  // the name is complete
        else if (f->name.size() < kMaxFontNameChars)
            f->name.append(QChar(c));
    }

    // The entry of the font-table number last read, made when first needed.
    RtfContent::Font* CurrentFontEntry()
    {
        if (fontEntry_ < 0)
            return nullptr;
        cachedFont_ = kNoFont;  // the table changes: code pages are looked up again
        if (fontSlot_ < 0) {
            for (size_t k = 0; k < out_.fonts.size() && fontSlot_ < 0; ++k)
                if (out_.fonts[k].first == fontEntry_)
                    fontSlot_ = int(k);
            if (fontSlot_ < 0) {
                if (int(out_.fonts.size()) >= kMaxTableEntries)
                    return nullptr;
                out_.fonts.push_back({fontEntry_, RtfContent::Font{}});
                fontSlot_ = int(out_.fonts.size()) - 1;
            }
        }
        return &out_.fonts[size_t(fontSlot_)].second;
    }

    void EndColour()
    {
        if (int(out_.colours.size()) < kMaxTableEntries)
            out_.colours.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
        red_ = green_ = blue_ = 0;
        colourSet_ = false;
    }

    void EndLine()
    {
        if (State().dest != Destination::Text)
            return;
        build_.endParagraph(State().align);
        lastWasCell_ = false;
    }

    // The outermost group is never skipped: a stray destination word at the top level
    // of a damaged file would otherwise hide the whole document.
    void SetDestination(Destination d)
    {
        if ((stack_.size() > 1 || overflow_ > 0) && State().dest != Destination::Skip)
            State().dest = d;
    }

    void ControlSequence()
    {
        ++i_;  // the backslash
        if (i_ >= n_)
            return;
        const unsigned char c = p_[i_];
        if (IsLetter(c)) {
            ControlWord();
            return;
        }
        ++i_;
        if (c == '\'') {
            HexEscape();
            return;
        }
        if (ConsumedAsFallback())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Emit(char16_t(c));
            break;
        case '~':
            Emit(0x00A0);
            break;
        case '_':
            Emit(0x2011);
            break;
        case '*':
            SetDestination(Destination::Skip);
            break;
        case '\r':
        case '\n':
            EndLine();  // a backslash before a line end stands for \par
            break;
        default:
            break;  // \- (optional hyphen), \| and the like show nothing
        }
    }

    void HexEscape()
    {
        int value = 0;
        int digits = 0;
        while (digits < 2 && i_ < n_) {
            const int h = HexValue(p_[i_]);
            if (h < 0)
                break;
            value = value * 16 + h;
            ++digits;
            ++i_;
        }
        if (ConsumedAsFallback())
            return;
        if (digits == 2)
            Emit(ByteCharacter(static_cast<unsigned char>(value)));
    }

    void ControlWord()
    {
        const qsizetype wordStart = i_;
        while (i_ < n_ && IsLetter(p_[i_]))
            ++i_;
        const qsizetype letters = i_ - wordStart;
        const std::string_view word(reinterpret_cast<const char*>(p_ + wordStart),
                                    size_t(letters));

        bool hasParam = false;
        qint64 param = 0;
        bool negative = false;
        if (i_ + 1 < n_ && p_[i_] == '-' && IsDigit(p_[i_ + 1])) {
            negative = true;
            ++i_;
        }
        while (i_ < n_ && IsDigit(p_[i_])) {
            hasParam = true;
            param = qMin(param * 10 + (p_[i_] - '0'), kParamLimit);
            ++i_;
        }
        if (negative)
            param = -param;
        if (i_ < n_ && p_[i_] == ' ')
            ++i_;  // the delimiting blank belongs to the word

        // Binary data is skipped even where the word itself only counts as a fallback.
        if (word == "bin") {
            if (hasParam && param > 0)
                i_ += qMin<qint64>(param, n_ - i_);
            ConsumedAsFallback();
            return;
        }
        if (ConsumedAsFallback() || letters > kMaxWordLetters)
            return;
        Word(word, hasParam, int(param));
    }

    void Word(std::string_view word, bool hasParam, int param)
    {
        if (IsLineEnd(word)) {
            // A table row's last cell adds no tab of its own.
            if ((word == "row" || word == "nestrow") && lastWasCell_ && build_.lineEndsWithTab())
                build_.chopTab();
            EndLine();
            return;
        }
        if (const char16_t ch = SpecialCharacter(word)) {
            Emit(ch);
            lastWasCell_ = State().dest == Destination::Text && (word == "cell" || word == "nestcell");
            return;
        }
        if (word == "u") {
            if (hasParam)
                Unicode(param);
            return;
        }
        if (word == "uc") {
            State().uc = hasParam ? qBound(0, param, kMaxUnicodeSkip) : 1;
            return;
        }
        if (IsSkippedDestination(word)) {
            SetDestination(Destination::Skip);
            return;
        }
        if (word == "fonttbl") {
            SetDestination(Destination::FontTable);
            return;
        }
        if (word == "colortbl") {
            SetDestination(Destination::ColourTable);
            return;
        }
        if (State().dest == Destination::FontTable) {
            if (word == "f") {
                fontEntry_ = hasParam && param >= 0 ? param : -1;
                fontSlot_ = -1;
            }
            else if (word == "fcharset")
                if (RtfContent::Font* f = CurrentFontEntry())
                    f->charset = param;
            return;
        }
        if (State().dest == Destination::ColourTable) {
            const int level = qBound(0, param, 255);
            if (word == "red")
                red_ = level;
            else if (word == "green")
                green_ = level;
            else if (word == "blue")
                blue_ = level;
            else
                return;
            colourSet_ = true;
            return;
        }
        Formatting(word, hasParam, param);
    }

    // Character and paragraph formatting; everything else (\pard's spacing, languages,
    // page setup, ...) shows nothing.
    void Formatting(std::string_view word, bool hasParam, int param)
    {
        RtfCharProps& p = State().props;
        auto flag = [&](quint8 bit, bool on) { p.flags = on ? (p.flags | bit) : (p.flags & ~bit); };
        const bool on = !hasParam || param != 0;
        if (word == "b")
            flag(RtfCharProps::Bold, on);
        else if (word == "i")
            flag(RtfCharProps::Italic, on);
        else if (word == "ul" || word == "uld" || word == "uldb" || word == "uldash" ||
                 word == "ulth" || word == "ulw" || word == "ulwave" || word == "uldashd")
            flag(RtfCharProps::Underline, on);
        else if (word == "ulnone")
            flag(RtfCharProps::Underline, false);
        else if (word == "strike" || word == "striked")
            flag(RtfCharProps::Strike, on);
        else if (word == "f")
            p.font = hasParam && param >= 0 ? param : -1;
        else if (word == "fs")
            p.halfPoints = hasParam && param > 0 && param <= 3276 ? param : 0;
        else if (word == "cf")
            p.colour = hasParam && param > 0 ? param : 0;
        else if (word == "plain")
            p = RtfCharProps{};
        else if (word == "pard")
            State().align = RtfAlign::Left;
        else if (word == "ql")
            State().align = RtfAlign::Left;
        else if (word == "qc")
            State().align = RtfAlign::Centre;
        else if (word == "qr")
            State().align = RtfAlign::Right;
        else if (word == "qj")
            State().align = RtfAlign::Justify;
        else if (word == "ansicpg" && hasParam) {
            codePage_ = param;
            cachedFont_ = kNoFont;
        }
    }

    void Unicode(int n)
    {
        if (n < -32768 || n > 65535)
            return;  // not a UTF-16 unit: leave the fallback to be read as text
        if (n < 0)
            n += 65536;
        Emit(char16_t(n));
        pendingSkip_ = State().uc;
    }

    const unsigned char* p_;
    qsizetype n_;
    qsizetype i_;
    RtfContent& out_;
    RtfContentBuilder build_;
    std::vector<GroupState> stack_;
    int overflow_ = 0;          // groups opened beyond kMaxRtfDepth and not yet closed
    int pendingSkip_ = 0;       // fallback characters still to skip after a \u
    bool lastWasCell_ = false;  // the last thing emitted was the tab of a \cell
    int codePage_ = 1252;
    int fontEntry_ = -1;        // the font-table number being read
    int fontSlot_ = -1;         // its place in out_.fonts, once made
    static constexpr int kNoFont = -2;
    int cachedFont_ = kNoFont;  // the font whose code page ByteCharacter last looked up
    int cachedCodePage_ = 1252;
    RtfAlign endAlign_ = RtfAlign::Left;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;
};

}  // namespace

RtfContent ParseRtf(const QByteArray& bytes, qsizetype start)
{
    RtfContent content;
    RtfParser(bytes, start, content).Run();
    return content;
}

}  // namespace tavrola
