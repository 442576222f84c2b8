#include "clinics/RtfReader.h"

#include "util/TextFile.h"

#include "util/FileAccess.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace tavrola {

namespace {

// Longest control word the format allows; longer "words" are junk and ignored.
constexpr int kMaxWordLetters = 32;
// Fallback characters per \u beyond this are not plausible; the count is clamped.
constexpr int kMaxUnicodeSkip = 64;
// Numeric parameters saturate here, so "\u99999999999" cannot overflow.
constexpr qint64 kParamLimit = 2147483647;

// Destinations whose content is not document text.
bool IsSkippedDestination(std::string_view word)
{
    static const std::unordered_set<std::string_view> kWords = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
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

// Unpaired UTF-16 surrogates (from \u escapes) become U+FFFD, so every line is valid text.
QString RepairSurrogates(QString s)
{
    const qsizetype n = s.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = s.at(k);
        if (c.isHighSurrogate() && k + 1 < n && s.at(k + 1).isLowSurrogate())
            ++k;
        else if (c.isSurrogate())
            s[k] = QChar(QChar::ReplacementCharacter);
    }
    return s;
}

// Plain text lines, for a file that is not rich text. A final line end gives no extra line.
QStringList PlainTextLines(const QByteArray& bytes)
{
    QString text = DecodeText(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = text.at(k);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, k - start));
        if (c == u'\r' && k + 1 < n && text.at(k + 1) == u'\n')
            ++k;
        start = k + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// Where the rich text starts ("{\rtf" after an optional byte-order mark and blanks), or
// -1 when the input is not rich text.
qsizetype RtfStart(const QByteArray& bytes)
{
    qsizetype k = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (k < bytes.size() && (bytes[k] == ' ' || bytes[k] == '\t' || bytes[k] == '\r' ||
                                bytes[k] == '\n'))
        ++k;
    return QByteArrayView(bytes).sliced(k).startsWith("{\\rtf") ? k : -1;
}

struct GroupState {
    bool skip = false;  // inside a destination that carries no text
    int uc = 1;         // fallback characters after each \u
};

// One pass over the bytes: no recursion, every read checked against the end, and every
// step consumes at least one byte, so it ends on any input.
class RtfParser {
public:
    RtfParser(const QByteArray& bytes, qsizetype start)
        : p_(reinterpret_cast<const unsigned char*>(bytes.constData())),
          n_(bytes.size()),
          i_(start)
    {
    }

    QStringList Run()
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
                Emit(Cp1252(c));
            }
        }
        if (!line_.isEmpty())
            lines_.append(RepairSurrogates(line_));
        return lines_;
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

    void Emit(char16_t c)
    {
        if (State().skip || (c < 0x20 && c != u'\t') || c == 0x7F)
            return;
        line_.append(QChar(c));
        lastWasCell_ = false;
    }

    void EndLine()
    {
        if (State().skip)
            return;
        lines_.append(RepairSurrogates(line_));
        line_.clear();
        lastWasCell_ = false;
    }

    // The outermost group is never skipped: a stray destination word at the top level
    // of a damaged file would otherwise hide the whole document.
    void SkipGroup()
    {
        if (stack_.size() > 1 || overflow_ > 0)
            State().skip = true;
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
            SkipGroup();
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
            Emit(Cp1252(static_cast<unsigned char>(value)));
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
            if ((word == "row" || word == "nestrow") && lastWasCell_ && line_.endsWith(u'\t'))
                line_.chop(1);
            EndLine();
            return;
        }
        if (const char16_t ch = SpecialCharacter(word)) {
            Emit(ch);
            lastWasCell_ = !State().skip && (word == "cell" || word == "nestcell");
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
        if (IsSkippedDestination(word))
            SkipGroup();
        // Everything else (\ansicpg, \pard, \plain, fonts, sizes, ...) shows nothing.
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
    std::vector<GroupState> stack_;
    int overflow_ = 0;          // groups opened beyond kMaxRtfDepth and not yet closed
    int pendingSkip_ = 0;       // fallback characters still to skip after a \u
    bool lastWasCell_ = false;  // the last thing emitted was the tab of a \cell
    QString line_;
    QStringList lines_;
};

QString TooLarge(const QString& what)
{
    return QStringLiteral("%1 is too large (more than %2 bytes)").arg(what).arg(kMaxRtfBytes);
}

}  // namespace

RtfText RtfToPlainLines(const QByteArray& rtf)
{
    RtfText r;
    if (rtf.size() > kMaxRtfBytes) {
        r.error = TooLarge(QStringLiteral("The document"));
        return r;
    }
    const qsizetype start = RtfStart(rtf);
    if (start < 0) {
        r.lines = PlainTextLines(rtf);
    } else {
        r.rich = true;
        r.lines = RtfParser(rtf, start).Run();
    }
    r.ok = true;
    return r;
}

RtfText ReadRtfFile(const QString& path)
{
    RtfText r;
    const FileBytes file = ReadFileBytes(path, kMaxRtfBytes);
    if (!file.ok) {
        r.error = file.error;
        return r;
    }
    // Saved as UTF-16 or UTF-32 (a byte-order mark says so): rich text is ASCII with
    // escapes, plain text is read as UTF-8 below, so either way the UTF-8 form reads right.
    const WideText wide = DecodeWideText(file.bytes);
    if (wide.wide && !wide.ok) {
        r.error = QStringLiteral("Cannot read %1: it starts as %2 text but is not valid %2")
                      .arg(Quoted(path), wide.encoding);
        return r;
    }
    return RtfToPlainLines(wide.wide ? wide.text.toUtf8() : file.bytes);
}

}  // namespace tavrola
