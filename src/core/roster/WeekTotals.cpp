#include "roster/WeekTotals.h"

#include "util/ConversionError.h"
#include "settings/DutyText.h"
#include "util/TextUtil.h"

#include <array>
#include <optional>

namespace tavrola {

namespace {


// What one distinct cell text counts for.
struct CellValue {
    float hours = 0;      // the duty's own hours
    float withCodes = 0;  // plus the hours of its absence codes
    int flags = 0;
    bool illness = false;
    bool unreadable = false;  // hours after a code do not convert
};

// A week holds few distinct texts (shift codes repeat): each is evaluated once per
// run. Open addressing over views of the week's own strings, so nothing is copied.
class CellMemo {
public:
    explicit CellMemo(const DutyEvaluator& evaluator) : evaluator_(evaluator) { slots_.fill(-1); }

    const CellValue& value(QStringView text)
    {
        quint32 h = 2166136261u;
        for (QChar c : text)
            h = (h ^ c.unicode()) * 16777619u;
        for (quint32 i = h;; ++i) {
            qint16& slot = slots_[i & (kSlots - 1)];
            if (slot < 0) {
                slot = qint16(count_);
                Entry& e = entries_[count_++];
                e.text = text;
                e.hash = h;
                e.value = evaluate(text);
                return e.value;
            }
            const Entry& e = entries_[slot];
            if (e.hash == h && e.text == text)
                return e.value;
        }
    }

private:
    CellValue evaluate(QStringView text) const
    {
        CellValue v;
        v.hours = evaluator_.DutyHours(text, &v.flags);
        v.illness = evaluator_.HoldsIllness(text);
        try {
            v.withCodes = evaluator_.AddAbsenceHours(text, v.hours);
        } catch (const ConversionError&) {
            // Hours after a code that do not read (a lone point while typing "HOL .5")
            // count nothing; the cell is marked.
            v.unreadable = true;
            v.withCodes = evaluator_.AddAbsenceHours(text, v.hours, true);
        }
        return v;
    }

    static constexpr int kSlots = 512;  // more than twice the 175 cells
    struct Entry {
        QStringView text;
        quint32 hash = 0;
        CellValue value;
    };
    const DutyEvaluator& evaluator_;
    std::array<qint16, kSlots> slots_;
    std::array<Entry, kDays * kLines> entries_;
    int count_ = 0;
};

// A required box's whole number, read as the platform converts it: surrounding blanks
// allowed, an optional sign, decimal digits within 32 bits. Short plain numbers (the
// usual case) are read directly.
bool ReadWholeNumber(const QString& text, qint32* value)
{
    const QStringView t = QStringView(text).trimmed();
    qsizetype i = 0;
    const bool negative = !t.isEmpty() && t[0] == u'-';
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+'))
        ++i;
    if (t.size() - i >= 1 && t.size() - i <= 9) {
        qint32 v = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
            v = v * 10 + (t[i].unicode() - u'0');
        if (i == t.size()) {
            *value = negative ? -v : v;
            return true;
        }
    }
    bool ok = false;
    *value = t.toInt(&ok, 10);
    return ok;
}

// Lines repeat their hours and contracts: each distinct value is worked out once.
template <typename Key, typename Value, int N>
class SmallMemo {
public:
    template <typename Make>
    const Value& get(const Key& key, Make make)
    {
        for (int i = 0; i < count_; ++i)
            if (keys_[i] == key)
                return values_[i];
        keys_[count_] = key;
        values_[count_] = make();
        return values_[count_++];
    }

private:
    Key keys_[N];
    Value values_[N];
    int count_ = 0;
};

QString CellErrorMessage(const DutyEvaluator& evaluator, const QString& text, int day, int line)
{
    try {
        evaluator.AddAbsenceHours(text, evaluator.DutyHours(text));
    } catch (const ConversionError& e) {
        return QStringLiteral("%1, line %2: %3").arg(DayName(day)).arg(line).arg(e.message());
    }
    return QString();
}

}  // namespace

QString RequiredBoxName(int day, int shift)
{
    return QStringLiteral("%1 %2 required").arg(DayName(day), ShiftCode(shift));
}

WeekTotals ComputeWeekTotals(const WardSettings& s, const WeekData& w)
{
    WeekTotals t;
    const DutyEvaluator evaluator(s);
    CellMemo memo(evaluator);
    for (int line = 1; line <= kLines; ++line) {
        const bool named = !w.Names[line].isEmpty();
        for (int day = 1; day <= kDays; ++day) {
            const QString& text = w.Cells[day][line];
            if (text.isEmpty())
                continue;
            const CellValue& v = memo.value(text);
            // A sick person rostered to a shift is not there to count.
            if (!v.illness) {
                for (int shift = 1; shift <= kShifts; ++shift)
                    if (v.flags & (1 << (shift - 1)))
                        ++t.ShiftCounts[day][shift];
            }
            if (v.hours > 0 && w.CellColours[day][line] != RequestColour)
                ++t.WeekNonPrefCount[line];
            // A line without a name keeps no hours: each of its cells resets the sum.
            t.WeekHours[line] = named ? t.WeekHours[line] + v.withCodes : 0;
            if (v.unreadable) {
                BoxError e;
                e.day = day;
                e.line = line;
                e.message = CellErrorMessage(evaluator, text, day, line);
                t.Errors.push_back(std::move(e));
            }
        }
    }

    SmallMemo<float, QString, kLines> shown;
    SmallMemo<QString, std::optional<float>, kLines> targets;
    for (int line = 1; line <= kLines; ++line) {
        const float hours = t.WeekHours[line];
        if (hours != 0)
            t.HoursWorked[line] = shown.get(hours, [hours] { return FloatToGeneral(hours, 4); });
        Colour colour = White;
        const QString& set = w.HoursSet[line];
        if (!set.isEmpty()) {
            const std::optional<float> target = targets.get(set, [&set]() -> std::optional<float> {
                try {
                    return HoursSetValue(set, false);
                } catch (const ConversionError&) {
                    return std::nullopt;  // no readable target: the box stays white
                }
            });
            if (target && *target == hours)
                colour = RequestColour;
            else if (target && *target < hours)
                colour = AlertColour;
        }
        t.HoursSetColours[line] = colour;
    }

    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            qint32 required = 0;
            const bool ok = ReadWholeNumber(w.Required[day][shift], &required);
            t.RequiredRead[day][shift] = ok;
            t.Required[day][shift] = ok ? required : 0;
            t.Covers[day][shift] = CoverOf(ok, required, t.ShiftCounts[day][shift]);
            if (ok) {
                t.RequiredColours[day][shift] = required > t.ShiftCounts[day][shift] ? White : RequestColour;
            } else {
                BoxError e;
                e.required = true;
                e.day = day;
                e.shift = shift;
                e.message = RequiredBoxName(day, shift) + QStringLiteral(": ") +
                            ConversionError::notInteger(w.Required[day][shift]).message();
                t.Errors.push_back(std::move(e));
            }
        }
    }
    return t;
}

}  // namespace tavrola
