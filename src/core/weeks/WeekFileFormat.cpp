#include "weeks/WeekFileFormat.h"

#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/Locale.h"
#include "util/TextUtil.h"
#include "weeks/WeekFileNumbers.h"

#include <QLocale>

namespace tavrola {

namespace {

// The longest value a line of the grid can hold (a line edit's own limit).
constexpr qsizetype kMaxValueLength = 32767;

QString OneLine(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() < 0x20 && c != u'\t')
            c = u' ';
    return out;
}

// Walks the lines in file order, checking each as it is taken; the first fault stops
// the walk and is kept with its line number.
class LineReader {
public:
    explicit LineReader(const QStringList& lines) : lines_(lines) {}

    bool failed() const { return line_ > 0; }
    int errorLine() const { return line_; }
    const QString& reason() const { return reason_; }

    // Line n's text, or an empty text once a fault was met.
    QString text(int n)
    {
        if (failed())
            return QString();
        if (n > lines_.size()) {
            fail(n, WeekFileEndsEarlyReason());
            return QString();
        }
        const QString& t = lines_[n - 1];
        if (t.size() > kMaxValueLength) {
            fail(n, QStringLiteral("the line is too long for a week file"));
            return QString();
        }
        for (QChar c : t) {
            if (c.unicode() < 0x20 && c != u'\t') {
                fail(n, QStringLiteral("the line holds binary data, not text"));
                return QString();
            }
        }
        return t;
    }

    QDate date(int n)
    {
        const QString t = text(n);
        if (failed())
            return {};
        const QDate d = ParseDateText(t);
        if (!d.isValid())
            fail(n, QStringLiteral("'%1' is not a valid date").arg(WeekFileShownValue(t)));
        return d;
    }

    float real(int n)
    {
        const QString t = text(n);
        if (failed())
            return 0;
        const std::optional<float> v = WeekFileReal(t);
        if (!v)
            fail(n, ConversionError::notFloat(WeekFileShownValue(t)).message());
        return v.value_or(0);
    }

    std::optional<float> optionalReal(int n)
    {
        const QString t = text(n);
        if (failed() || t.trimmed().isEmpty())
            return std::nullopt;
        const std::optional<float> v = WeekFileReal(t);
        if (!v)
            fail(n, ConversionError::notFloat(WeekFileShownValue(t)).message());
        return v;
    }

    std::optional<qint32> whole(int n, bool emptyAllowed)
    {
        const QString t = text(n);
        if (failed() || (emptyAllowed && t.trimmed().isEmpty()))
            return std::nullopt;
        const std::optional<qint32> v = WeekFileWhole(t);
        if (!v)
            fail(n, ConversionError::notInteger(WeekFileShownValue(t)).message());
        return v;
    }

    std::optional<Colour> colour(int n)
    {
        const QString t = text(n);
        if (failed() || t.trimmed().isEmpty())
            return std::nullopt;
        const std::optional<Colour> v = WeekFileColour(t);
        if (!v)
            fail(n, ConversionError::notInteger(WeekFileShownValue(t)).message());
        return v;
    }

    // Lines past the last one may only be empty (a trailing line break or two).
    void checkEnd()
    {
        for (qsizetype n = kWeekFileLines; n < lines_.size() && !failed(); ++n)
            if (!lines_[n].trimmed().isEmpty())
                fail(int(n + 1), QStringLiteral("a week file has only %1 lines").arg(kWeekFileLines));
    }

private:
    void fail(int n, const QString& reason)
    {
        line_ = n;
        reason_ = reason;
    }

    const QStringList& lines_;
    int line_ = 0;
    QString reason_;
};

}  // namespace

namespace {
template <typename Settings>
auto& HourField(Settings& s, int k)
{
    switch (k) {
    case 0: return s.HoursWorkedOnAM;
    case 1: return s.HoursWorkedOnPM;
    case 2: return s.HoursWorkedOnN;
    case 3: return s.MidShiftBreak;
    case 4: return s.HoursHolidayFullDay;
    default: return s.HoursHolidayHalfDay;
    }
}
}  // namespace

QString WeekFileShownValue(const QString& text)
{
    QString t = text.left(40);
    for (QChar& c : t)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    if (text.size() > 40)
        t += QStringLiteral("...");
    return t;
}

QString WeekFileEndsEarlyReason()
{
    return QStringLiteral("the file ends before this line (a week file has %1 lines)").arg(kWeekFileLines);
}

float& WeekFileHourSetting(WardSettings& s, int k)
{
    return HourField(s, k);
}

float WeekFileHourSetting(const WardSettings& s, int k)
{
    return HourField(s, k);
}

QString WeekFileText(const WeekFileData& d)
{
    QString out;
    out.reserve(16 * 1024);
    auto put = [&out](const QString& value) {
        out += OneLine(value);
        out += QLatin1String("\r\n");
    };
    put(QLocale().toString(d.weekCommencing, QLocale::ShortFormat));
    put(d.hospital);
    put(d.ward);
    for (int k = 1; k <= 14; ++k)
        put(d.dutyNames[k]);
    for (float h : d.hours)
        put(FloatToGeneral15(h));
    for (int line = 1; line <= kLines; ++line) {
        const WeekFileStaffLine& l = d.lines[line];
        put(l.name);
        put(l.contracted ? FloatToGeneral15(*l.contracted) : QString());
        put(l.hoursWorked);
        put(l.nonPref ? IntToText(*l.nonPref) : QString());
        for (int day = 1; day <= kDays; ++day)
            put(l.days[day]);
        put(l.notes);
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            put(d.required[day][shift]);
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            put(d.counts[day][shift] ? IntToText(*d.counts[day][shift]) : QString());
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line)
            put(d.colours[day][line] ? QString::number(*d.colours[day][line]) : QString());
    return out;
}

WeekFileParse ParseWeekFile(const QStringList& lines)
{
    WeekFileParse p;
    WeekFileData& d = p.data;
    LineReader r(lines);
    d.weekCommencing = r.date(1);
    d.hospital = r.text(2);
    d.ward = r.text(3);
    for (int k = 1; k <= 14; ++k)
        d.dutyNames[k] = r.text(3 + k);
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        d.hours[k] = r.real(18 + k);
    for (int line = 1; line <= kLines; ++line) {
        const int at = WeekFileBlockStart(line);
        WeekFileStaffLine& l = d.lines[line];
        l.name = r.text(at);
        l.contracted = r.optionalReal(at + 1);
        l.hoursWorked = r.text(at + 2);
        l.nonPref = r.whole(at + 3, true);
        for (int day = 1; day <= kDays; ++day)
            l.days[day] = r.text(at + 3 + day);
        l.notes = r.text(at + 11);
    }
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            // A required box must hold a whole number: the totals read it as one.
            const std::optional<qint32> required = r.whole(WeekFileRequiredLine(day, shift), false);
            d.required[day][shift] = required ? IntToText(*required) : QString();
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            d.counts[day][shift] = r.whole(WeekFileCountLine(day, shift), true);
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line)
            d.colours[day][line] = r.colour(WeekFileColourLine(day, line));
    r.checkEnd();

    p.ok = !r.failed();
    p.errorLine = r.errorLine();
    p.reason = r.reason();
    return p;
}

}  // namespace tavrola
