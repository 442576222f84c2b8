#include "stats/StatsAnalysis.h"

#include "settings/DutyText.h"
#include "util/TextUtil.h"

namespace tavrola {

namespace {

// A month cell of a table, for the week being added.
struct WeekCell {
    int slot;
    int month;
};

}  // namespace

int StatsTables::IndexOf(const QString& name) const
{
    for (qsizetype i = 0; i < StatNames.size(); ++i)
        if (StatNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QChar MonthLetter(int month)
{
    static const char letters[] = " JFMAMJJASOND";
    return month >= 1 && month <= kMonths ? QChar::fromLatin1(letters[month]) : QChar(u' ');
}

int YearSlot(int toYear, int weekYear)
{
    const int difference = toYear - weekYear;
    return difference == 0 || difference == 1 ? difference : 2;
}

bool InStatsRange(const QDate& week, const QDate& from, const QDate& to)
{
    return week.isValid() && from.isValid() && to.isValid() && from <= week && week <= to;
}

void AddStatsWeek(StatsTables& t, const WardSettings& s, const StatsWeek& w, int toYear)
{
    const WeekCell at{YearSlot(toYear, w.weekCommencing.year()), w.weekCommencing.month()};
    const DutyEvaluator evaluator(s);
    ++t.Weeks;

    int person = -1;  // the row the blocks add to; -1: none yet, or a name left out
    for (int line = 1; line <= kLines; ++line) {
        const StatsWeek::Block& b = w.blocks[line];
        if (!b.name.isEmpty()) {
            person = t.IndexOf(b.name);
            if (person < 0) {
                if (t.StatNames.size() < kStatNames) {
                    t.StatNames.append(b.name);
                    person = int(t.StatNames.size()) - 1;
                } else if (const QString key = b.name.toCaseFolded(); !t.LeftOutKeys.contains(key)) {
                    t.LeftOutKeys.insert(key);
                    t.LeftOut.append(b.name);
                }
            }
            if (person >= 0 && b.contracted)
                t.StatHrsPerWeek[person] = *b.contracted;
        }
        if (person < 0)
            continue;

        if (b.nonPref)
            t.StatNonPref[person][at.slot][at.month] += float(*b.nonPref);
        for (int day = 1; day <= kDays; ++day) {
            const QString& text = b.days[day];
            if (text.isEmpty())
                continue;
            const bool ill = Contains(text, s.NameIllness);
            if (!ill) {
                int flags = 0;
                t.StatHoursWorked[person][at.slot][at.month] += evaluator.DutyHours(text, &flags);
                if (flags != 0) {
                    FairnessLedger& ledger = t.Ledger[person];
                    ledger.Nights += (flags & ShiftN) != 0;
                    ledger.WeekendShifts += day >= 6;
                    ledger.BankHolidayShifts += w.bankHoliday[day];
                    ledger.NonPreferredShifts += !b.wished[day];
                }
            }
            if (Contains(text, s.NameHolidayFullDay))
                t.StatDaysHoliday[person][at.slot][at.month] += 1.0f;
            if (Contains(text, s.NameHolidayHalfDay))
                t.StatDaysHoliday[person][at.slot][at.month] += 0.5f;
            if (ill)
                t.StatDaysIllness[person][at.slot][at.month] += 1.0f;
        }
        // Notes are joined with a blank; empty ones add nothing, so the notes of a long
        // range stay readable beside the graphs.
        const QString note = TrimSpaces(b.notes);
        if (!note.isEmpty()) {
            QString& joined = t.StatTraining[person];
            joined = joined.isEmpty() ? note : joined + u' ' + note;
        }
    }

    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (w.required[day][shift])
                t.StatRequired[day][shift] = *w.required[day][shift];
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            if (w.counted[day][shift])
                t.StatCounted[day][shift] = *w.counted[day][shift];
            const qint64 shortfall = qint64(t.StatRequired[day][shift]) - t.StatCounted[day][shift];
            if (shortfall > 0)
                t.StatShortages[at.slot][at.month] += float(shortfall);
        }
    }
}

}  // namespace tavrola
