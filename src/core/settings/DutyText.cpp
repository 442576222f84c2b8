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

}  // namespace

// The upper-cased copy of a cell text (on the stack for ordinary cells) and the ASCII
// characters present, as typed and upper-cased, made in one pass.
class UpperText {
public:
    explicit UpperText(QStringView text) : n_(text.size())
    {
        data_ = stack_;
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

    quint64 rawChars[2] = {}, upperChars[2] = {};

private:
    qsizetype n_;
    char16_t stack_[kStackText];  // left uninitialised: only the first n are read
    QString heap_;
    char16_t* data_;
};

// A clock range as read from the digit groups: start and end hours and minutes.
struct ClockRange {
    int sH = 0, sM = 0, eH = 0, eM = 0;
    const DigitGroup* startGroup = nullptr;
    const DigitGroup* endGroup = nullptr;
};

namespace {

// The digit groups within positions 1..limit, at most kDutyGroups; returns how many.
int ReadDigitGroups(QStringView text, qsizetype limit, DigitGroup groups[kDutyGroups])
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

// Two groups are start and end hours; four add both minutes; of three, the minutes go
// with the closer pair (or with the end when a dash comes before the second group ends).
ClockRange PairGroups(const DigitGroup* groups, int count, QStringView upper)
{
    ClockRange r;
    if (count == 2) {
        r.startGroup = &groups[0];
        r.endGroup = &groups[1];
    } else if (count == 4) {
        r.startGroup = &groups[0];
        r.sM = groups[1].value;
        r.endGroup = &groups[2];
        r.eM = groups[3].value;
    } else if (count == 3) {
        const int gap01 = groups[1].start - groups[0].end - 1;
        const int gap12 = groups[2].start - groups[1].end - 1;
        const int dash = Pos(u"-", upper);
        r.startGroup = &groups[0];
        if (gap01 > gap12 || (dash > 0 && dash < groups[1].end)) {
            r.endGroup = &groups[1];
            r.eM = groups[2].value;
        } else {
            r.sM = groups[1].value;
            r.endGroup = &groups[2];
        }
    }
    if (r.startGroup) {
        r.sH = r.startGroup->value;
        r.eH = r.endGroup->value;
    }
    return r;
}

// 24-hour clock when an hour is past 12: only three- and four-digit groups carry their
// minutes inside. Returns the clock's length, 12 or 24.
int ApplyClock(ClockRange& r)
{
    if (r.sH <= 12 && r.eH <= 12)
        return 12;
    if (r.startGroup->digits == 3 || r.startGroup->digits == 4) {
        r.sM = r.sH % 100;
        r.sH /= 100;
    }
    if (r.endGroup->digits == 3 || r.endGroup->digits == 4) {
        r.eM = r.eH % 100;
        r.eH /= 100;
    }
    return 24;
}

// The mask slot (1..24) of the first hour; a PM before the last group moves a 12-hour
// start on by 12.
int FirstSlot(const ClockRange& r, int mode, const DigitGroup* groups, int count, QStringView upper)
{
    int slot = r.sH + 1;
    if (count > 0 && mode == 12 && r.sH < 12) {
        const int pm = Pos(u"PM", upper);
        if (pm > 0 && pm < groups[count - 1].end)
            slot += 12;
    }
    return slot;
}

// Walks the hours from start to end, counting the marked slots of each mask.
HourWalk WalkHours(const ClockRange& r, int mode, int count, int slot, const quint32 maskBits[3])
{
    HourWalk w;
    w.walked = count >= 2 && r.eH + mode != 12 && r.sH <= mode && r.eH <= mode;
    if (w.walked) {
        int h = r.sH;
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
        } while (h != r.eH && w.wholeHours < 24);
    }
    w.endSlot = slot;
    return w;
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
    return Evaluate<false>(text, shiftFlags, nullptr);
}

DutyReading DutyEvaluator::ReadDuty(QStringView text) const
{
    DutyReading reading;
    reading.hours = Evaluate<true>(text, &reading.shiftFlags, &reading);
    return reading;
}

template <bool Detailed>
float DutyEvaluator::Evaluate(QStringView text, int* shiftFlags, DutyReading* reading) const
{
    const UpperText upper(text);
    // 1. Time digits count only before the first absence code (case-sensitive).
    const qsizetype limit = timeDigitLimit(text, upper.rawChars);
    // 2. The digit groups there, paired into a start and an end.
    DigitGroup groups[kDutyGroups];
    const int count = ReadDigitGroups(text, limit, groups);
    ClockRange range = PairGroups(groups, count, upper.view());
    // 3. The clock (12 or 24 hours) and the first hour slot, PM moving it on by 12.
    const int mode = ApplyClock(range);
    const int slot = FirstSlot(range, mode, groups, count, upper.view());
    // 4. The hour walk over the ward's core-hour masks, and the shift kinds it gives.
    const HourWalk walk = WalkHours(range, mode, count, slot, maskBits_);
    int flags = shiftKinds(walk);

    if constexpr (Detailed)
        readDetails(walk, range, upper.view().left(limit), reading);

    // 5. Hours: the walked hours with their minutes, less the break for a long shift;
    // without any, a shift name gives its standard hours.
    float hours = float(double(walk.wholeHours) - range.sM / 60.0 + range.eM / 60.0);
    if (hours > 6.0f)
        hours = float(double(hours) - double(s_.MidShiftBreak));
    if (hours == 0)
        namedShiftHours(upper, &hours, &flags);

    if (shiftFlags)
        *shiftFlags = flags;
    return hours;
}

qsizetype DutyEvaluator::timeDigitLimit(QStringView text, const quint64 rawChars[2]) const
{
    qsizetype limit = text.size();
    for (int k = 0; k < kAbsenceCodes; ++k) {
        if (!MayContain(rawChars, codeChars_[k]))
            continue;
        const int p = Pos(*codes_[k], text);
        if (p > 0 && p < limit)
            limit = p - 1;
    }
    return limit;
}

int DutyEvaluator::shiftKinds(const HourWalk& walk) const
{
    // A shift kind needs at least 70% of its core hours (exact integer comparison).
    // Only a walked clock range counts: a mask without core hours then marks every
    // timed cell, and absence codes or plain words get nothing from it.
    int flags = 0;
    if (walk.walked)
        for (int k = 0; k < 3; ++k)
            if (10 * walk.marked[k] >= 7 * coreCount_[k])
                flags |= 1 << k;
    return flags;
}

void DutyEvaluator::readDetails(const HourWalk& walk, const ClockRange& range, QStringView before,
                                DutyReading* reading) const
{
    const int minutes = walk.wholeHours * 60 - range.sM + range.eM;
    reading->timed = walk.walked && minutes > 0;
    if (reading->timed) {
        reading->startMinute = ((walk.endSlot - walk.wholeHours - 1) % 24 + 24) % 24 * 60 + range.sM;
        reading->lengthMinutes = minutes;
    }
    if (!upperAM_.isEmpty() && Contains(before, upperAM_))
        reading->namedShifts |= ShiftAM;
    if (!upperPM_.isEmpty() && Contains(before, upperPM_))
        reading->namedShifts |= ShiftPM;
    if (!upperN_.isEmpty() && Contains(before, upperN_))
        reading->namedShifts |= ShiftN;
}

void DutyEvaluator::namedShiftHours(const UpperText& upper, float* hours, int* flags) const
{
    // The last name found wins, in the order early, late, night.
    const QStringView u = upper.view();
    if (MayContain(upper.upperChars, nameChars_[0]) && Contains(u, upperAM_)) {
        *hours = s_.HoursWorkedOnAM;
        *flags = ShiftAM;
    }
    if (MayContain(upper.upperChars, nameChars_[1]) && Contains(u, upperPM_)) {
        *hours = s_.HoursWorkedOnPM;
        *flags = ShiftPM;
    }
    if (MayContain(upper.upperChars, nameChars_[2]) && Contains(u, upperN_)) {
        *hours = s_.HoursWorkedOnN;
        *flags = ShiftN;
    }
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
