#include "settings/DutyText.h"

#include "settings/WardSettings.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavrola {

namespace {

// A day cell tracks at most this many digit groups; later digits are ignored.
constexpr int kDutyGroups = 11;
// Digit runs longer than any clock value saturate here instead of overflowing.
constexpr int kGroupCap = 999999999;
// Texts up to this length are upper-cased on the stack.
constexpr qsizetype kStackText = 128;

// Left uninitialised until a digit opens the group: DutyHours runs per cell.
struct DigitGroup {
    int value;
    int digits;
    int start;  // positions from 1
    int end;
};

inline bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// The same per-character mapping as UpperCase, for a stack buffer.
inline QChar UpperChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 32)) : c;
    return c.toUpper();
}

// ASCII character sets, one bit per code 0..127.
inline void AddChar(quint64 set[2], QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        set[u >> 6] |= quint64(1) << (u & 63);
}

void CharsOf(QStringView s, quint64 set[2])
{
    set[0] = set[1] = 0;
    for (QChar c : s)
        AddChar(set, c);
}

// False only when `need` has an ASCII character that `have` lacks.
inline bool MayContain(const quint64 have[2], const quint64 need[2])
{
    return (need[0] & ~have[0]) == 0 && (need[1] & ~have[1]) == 0;
}

// Slot bits (bit s = slot s, 1..24) of the "1" positions of a core-hours mask.
quint32 MaskBits(const QString& mask)
{
    quint32 bits = 0;
    const qsizetype last = std::min<qsizetype>(24, mask.size());
    for (qsizetype p = 0; p < last; ++p)
        if (mask[p] == u'1')
            bits |= 1u << (p + 1);
    return bits;
}

// Decimal value of a number text made of digits and points. Valid: at least one digit
// and at most one point ("7", "7.5", "7.", ".5"). A value beyond single precision does
// not convert either.
float DecimalValue(QStringView number)
{
    int digits = 0, points = 0;
    for (QChar c : number) {
        if (IsDigit(c))
            ++digits;
        else if (c == u'.')
            ++points;
        else
            throw ConversionError::notFloat(number.toString());
    }
    if (digits == 0 || points > 1)
        throw ConversionError::notFloat(number.toString());

    // from_chars wants a digit on each side of the point; give it one.
    QVarLengthArray<char, 64> buf;
    if (number.front() == u'.')
        buf.append('0');
    for (QChar c : number)
        buf.append(char(c.unicode()));
    if (buf.back() == '.')
        buf.append('0');

    double value = 0;
    const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; overflow does not convert.
        bool nonZeroWhole = false;
        for (QChar c : number) {
            if (c == u'.')
                break;
            if (c != u'0')
                nonZeroWhole = true;
        }
        if (nonZeroWhole)
            throw ConversionError::notFloat(number.toString());
        value = 0;
    } else if (res.ec != std::errc() || res.ptr != buf.data() + buf.size()) {
        throw ConversionError::notFloat(number.toString());
    }
    const float result = float(value);
    if (std::isinf(result))
        throw ConversionError::notFloat(number.toString());
    return result;
}

struct NumberSpans {
    QStringView first, second;  // empty when missing
};

// The first two groups of digits and points in a text (a point belongs to the group);
// only these two ever take part in a value.
NumberSpans FirstTwoNumbers(QStringView text)
{
    NumberSpans spans;
    int found = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && found < 2) {
        if (!IsDigit(text[i]) && text[i] != u'.') {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && (IsDigit(text[i]) || text[i] == u'.'))
            ++i;
        if (found == 0)
            spans.first = text.mid(start, i - start);
        else
            spans.second = text.mid(start, i - start);
        ++found;
    }
    return spans;
}

inline float GroupValue(QStringView group)
{
    return group.isEmpty() ? 0.0f : DecimalValue(group);
}

// The steps of DutyEvaluator::DutyHours, in order.

// The text upper-cased (on the stack for ordinary cells) and the ASCII characters present,
// as typed and upper-cased, in one pass.
class UpperText {
public:
    explicit UpperText(QStringView text) : n_(text.size())
    {
        if (n_ > kStackText) {
            heap_ = QString(n_, Qt::Uninitialized);
            data_ = reinterpret_cast<char16_t*>(heap_.data());
        }
        for (qsizetype i = 0; i < n_; ++i) {
            const QChar u = UpperChar(text[i]);
            AddChar(rawChars, text[i]);
            AddChar(upperChars, u);
            data_[i] = u.unicode();
        }
    }
    UpperText(const UpperText&) = delete;
    UpperText& operator=(const UpperText&) = delete;

    QStringView view() const { return QStringView(data_, n_); }

    quint64 rawChars[2] = {};
    quint64 upperChars[2] = {};

private:
    qsizetype n_;
    char16_t stack_[kStackText];  // left uninitialised: only the first n_ are read
    QString heap_;
    char16_t* data_ = stack_;
};

// Time digits count only before the first absence code (case-sensitive): the number of
// characters to scan.
inline qsizetype TimeDigitsLimit(QStringView text, const quint64 rawChars[2], const QString* const codes[],
                                 const quint64 codeChars[][2])
{
    qsizetype limit = text.size();
    for (int k = 0; k < kAbsenceCodes; ++k) {
        if (!MayContain(rawChars, codeChars[k]))
            continue;
        const int p = Pos(*codes[k], text);
        if (p > 0 && p < limit)
            limit = p - 1;
    }
    return limit;
}

// The digit groups among the first `limit` characters (any other character, a point too,
// ends a group); at most kDutyGroups. Returns how many.
inline int ReadDigitGroups(QStringView text, qsizetype limit, DigitGroup (&groups)[kDutyGroups])
{
    int count = 0;
    bool open = false;
    for (qsizetype i = 0; i < limit; ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            if (!open) {
                if (count == kDutyGroups)
                    continue;
                groups[count] = {0, 0, int(i + 1), 0};
                ++count;
                open = true;
            }
            DigitGroup& g = groups[count - 1];
            const int d = c.unicode() - u'0';
            g.value = g.value > (kGroupCap - d) / 10 ? kGroupCap : g.value * 10 + d;
            if (g.digits < kGroupCap)
                ++g.digits;
            g.end = int(i + 1);
        } else {
            open = false;
        }
    }
    return count;
}

// Start and end of a clock range: hours and minutes, and the groups the hours came from.
struct ClockTimes {
    int sH = 0, sM = 0, eH = 0, eM = 0;
    const DigitGroup* startGroup = nullptr;
    const DigitGroup* endGroup = nullptr;
};

// Two groups are start and end hours; four are start hours and minutes, then end hours
// and minutes; of three, the middle one goes with the nearer neighbour (with the end
// when a "-" comes before the middle group ends). Any other count is no range.
inline ClockTimes PickClockTimes(const DigitGroup* groups, int count, QStringView upper)
{
    ClockTimes t;
    if (count == 2) {
        t.startGroup = &groups[0];
        t.endGroup = &groups[1];
    } else if (count == 4) {
        t.startGroup = &groups[0];
        t.sM = groups[1].value;
        t.endGroup = &groups[2];
        t.eM = groups[3].value;
    } else if (count == 3) {
        const int gap01 = groups[1].start - groups[0].end - 1;
        const int gap12 = groups[2].start - groups[1].end - 1;
        const int dash = Pos(u"-", upper);
        t.startGroup = &groups[0];
        if (gap01 > gap12 || (dash > 0 && dash < groups[1].end)) {
            t.endGroup = &groups[1];
            t.eM = groups[2].value;
        } else {
            t.sM = groups[1].value;
            t.endGroup = &groups[2];
        }
    }
    if (t.startGroup) {
        t.sH = t.startGroup->value;
        t.eH = t.endGroup->value;
    }
    return t;
}

// 12 or 24: an hour past 12 makes it the 24-hour clock, where only three- and four-digit
// groups carry their minutes inside.
inline int ReadClockMode(ClockTimes& t)
{
    if (t.sH <= 12 && t.eH <= 12)
        return 12;
    if (t.startGroup->digits == 3 || t.startGroup->digits == 4) {
        t.sM = t.sH % 100;
        t.sH /= 100;
    }
    if (t.endGroup->digits == 3 || t.endGroup->digits == 4) {
        t.eM = t.eH % 100;
        t.eH /= 100;
    }
    return 24;
}

// The first hour slot (slot s is the hour from s - 1 o'clock): "PM" before the last
// group's end moves a 12-hour morning start into the afternoon.
inline int StartSlot(const ClockTimes& t, int mode, const DigitGroup* groups, int count, QStringView upper)
{
    int slot = t.sH + 1;
    if (count > 0 && mode == 12 && t.sH < 12) {
        const int pm = Pos(u"PM", upper);
        if (pm > 0 && pm < groups[count - 1].end)
            slot += 12;
    }
    return slot;
}

struct HourWalk {
    bool walked = false;
    int wholeHours = 0;
    int marked[3] = {};  // slots walked that each shift's core-hours mask marks
};

// Walks the hours of the range, counting the slots each core-hours mask marks.
inline HourWalk WalkHours(const ClockTimes& t, int mode, int slot, int count, const quint32 maskBits[3])
{
    HourWalk w;
    w.walked = count >= 2 && t.eH + mode != 12 && t.sH <= mode && t.eH <= mode;
    if (!w.walked)
        return w;
    int h = t.sH;
    do {
        if (slot >= 1 && slot <= 24)
            for (int k = 0; k < 3; ++k)
                w.marked[k] += int((maskBits[k] >> slot) & 1u);
        ++w.wholeHours;
        ++h;
        ++slot;
        if (mode == 24 && h == 24)
            h = 0;
        if (mode == 12 && h == 13)
            h = 1;
        if (slot == 25)
            slot = 1;
    } while (h != t.eH && w.wholeHours < 24);
    return w;
}

// A shift kind needs at least 70% of its core hours (exact integer comparison). Only a
// walked clock range counts: a mask without core hours then marks every timed cell, and
// absence codes or plain words get nothing from it.
inline int CoreShiftFlags(const HourWalk& w, const int coreCount[3])
{
    int flags = 0;
    if (w.walked)
        for (int k = 0; k < 3; ++k)
            if (10 * w.marked[k] >= 7 * coreCount[k])
                flags |= 1 << k;
    return flags;
}

// The whole hours less the start minutes plus the end minutes, less the mid-shift break
// past six hours.
inline float TimedHours(const HourWalk& w, const ClockTimes& t, float midShiftBreak)
{
    float hours = float(double(w.wholeHours) - t.sM / 60.0 + t.eM / 60.0);
    if (hours > 6.0f)
        hours = float(double(hours) - double(midShiftBreak));
    return hours;
}

}  // namespace

DutyEvaluator::DutyEvaluator(const WardSettings& settings)
    : s_(settings),
      upperAM_(UpperCase(settings.NameAMShift)),
      upperPM_(UpperCase(settings.NamePMShift)),
      upperN_(UpperCase(settings.NameNShift))
{
    coreCount_[0] = CountCoreHours(settings.AMShiftHours);
    coreCount_[1] = CountCoreHours(settings.PMShiftHours);
    coreCount_[2] = CountCoreHours(settings.NShiftHours);
    maskBits_[0] = MaskBits(settings.AMShiftHours);
    maskBits_[1] = MaskBits(settings.PMShiftHours);
    maskBits_[2] = MaskBits(settings.NShiftHours);
    for (int k = 0; k < kAbsenceCodes; ++k) {
        codes_[k] = &settings.AbsenceCode(k);
        CharsOf(*codes_[k], codeChars_[k]);
    }
    CharsOf(upperAM_, nameChars_[0]);
    CharsOf(upperPM_, nameChars_[1]);
    CharsOf(upperN_, nameChars_[2]);
}

float DutyEvaluator::DutyHours(QStringView text, int* shiftFlags) const
{
    const UpperText upper(text);
    const qsizetype limit = TimeDigitsLimit(text, upper.rawChars, codes_, codeChars_);
    DigitGroup groups[kDutyGroups];
    const int count = ReadDigitGroups(text, limit, groups);
    ClockTimes times = PickClockTimes(groups, count, upper.view());
    const int mode = ReadClockMode(times);
    const int slot = StartSlot(times, mode, groups, count, upper.view());
    const HourWalk walk = WalkHours(times, mode, slot, count, maskBits_);
    int flags = CoreShiftFlags(walk, coreCount_);
    float hours = TimedHours(walk, times, s_.MidShiftBreak);
    // No hours from a clock range: a shift's name gives that shift's standing hours (a
    // later name replaces an earlier one).
    if (hours == 0) {
        const float* const nameHours[3] = {&s_.HoursWorkedOnAM, &s_.HoursWorkedOnPM, &s_.HoursWorkedOnN};
        const QString* const names[3] = {&upperAM_, &upperPM_, &upperN_};
        for (int k = 0; k < 3; ++k) {
            if (MayContain(upper.upperChars, nameChars_[k]) && Contains(upper.view(), *names[k])) {
                hours = *nameHours[k];
                flags = 1 << k;
            }
        }
    }
    if (shiftFlags)
        *shiftFlags = flags;
    return hours;
}

float DutyHours(QStringView text, const WardSettings& settings, int* shiftFlags)
{
    return DutyEvaluator(settings).DutyHours(text, shiftFlags);
}

float CodeHours(QStringView text, QStringView code, float hoursSoFar, const WardSettings& settings)
{
    const int p = Pos(code, text);
    if (p == 0)
        return 0;  // the code is not in the cell: it carries nothing

    // Blanks, points and digits after the code; blanks are dropped.
    QVarLengthArray<QChar, 32> number;
    for (qsizetype i = p - 1 + code.size(); i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ')
            continue;
        if (!IsDigit(c) && c != u'.')
            break;
        number.append(c);
    }
    if (!number.isEmpty())
        return DecimalValue(QStringView(number.constData(), number.size()));
    return hoursSoFar == 0 ? settings.HoursHolidayFullDay : 0.0f;
}

float HoursSetValue(QStringView text, bool firstOnly)
{
    const NumberSpans spans = FirstTwoNumbers(text);
    const float a = GroupValue(spans.first);
    const float b = GroupValue(spans.second);
    if (firstOnly)
        return a;
    if (Contains(text, u"-"))
        return a - b;
    return a + b;
}

float FirstNumber(QStringView text)
{
    return GroupValue(FirstTwoNumbers(text).first);
}

float DutyEvaluator::AddAbsenceHours(QStringView text, float hours, bool skipUnreadable) const
{
    quint64 chars[2];
    CharsOf(text, chars);
    for (int k = 0; k < kAbsenceCodes; ++k) {
        if (!MayContain(chars, codeChars_[k]) || !Contains(text, *codes_[k]))
            continue;
        try {
            hours = float(hours + CodeHours(text, *codes_[k], hours, s_));
        } catch (const ConversionError&) {
            if (!skipUnreadable)
                throw;
        }
    }
    return hours;
}

bool DutyEvaluator::HoldsIllness(QStringView text) const
{
    constexpr int kIllness = 2;  // full day, half day, illness, ...
    quint64 chars[2];
    CharsOf(text, chars);
    return MayContain(chars, codeChars_[kIllness]) && Contains(text, *codes_[kIllness]);
}

float DayHoursWithCodes(QStringView text, const DutyEvaluator& evaluator, int* shiftFlags)
{
    if (text.isEmpty()) {
        if (shiftFlags)
            *shiftFlags = 0;
        return 0;
    }
    return evaluator.AddAbsenceHours(text, evaluator.DutyHours(text, shiftFlags));
}

}  // namespace tavrola
