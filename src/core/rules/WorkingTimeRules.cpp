#include "rules/WorkingTimeRules.h"

#include "util/TextUtil.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

constexpr int kDayMinutes = 24 * 60;
constexpr int kWeekMinutes = 7 * kDayMinutes;
constexpr int kFirstDay = -6;  // last week's Monday
constexpr int kLastDay = 14;   // next week's Sunday
constexpr int kDaySpan = kLastDay - kFirstDay + 1;
constexpr int kAverageWeeks = 16;
// Hours are sums of single-precision values: a total that prints as the limit is not over it.
constexpr double kHoursSlack = 1e-4;

// One hour of a derived shift time: "7", "3pm", "12" (noon), "0" (midnight).
int ShiftTimeHour(QStringView part)
{
    int hour = 0;
    qsizetype i = 0;
    while (i < part.size() && part[i].isDigit())
        hour = std::min(hour * 10 + part[i++].digitValue(), 1000);
    if (part.mid(i).trimmed().compare(u"pm", Qt::CaseInsensitive) == 0 && hour < 12)
        hour += 12;
    return hour % 24;
}

// A derived shift time ("7 to 3pm", "9pm to 7") as its start and length in minutes; the
// same hour at both ends is a whole day.
void ReadShiftTimes(const QString& text, int* start, int* length)
{
    const qsizetype to = text.indexOf(QLatin1StringView(" to "), 0, Qt::CaseInsensitive);
    if (to < 0) {
        *start = *length = 0;
        return;
    }
    const int from = ShiftTimeHour(QStringView(text).left(to).trimmed());
    const int until = ShiftTimeHour(QStringView(text).mid(to + 4).trimmed());
    *start = from * 60;
    *length = ((until - from + 23) % 24 + 1) * 60;
}

QString UpperName(const QString& name)
{
    return UpperCase(TrimSpaces(name));
}

QString DayText(int day)
{
    if (day < 1)
        return QStringLiteral("last ") + DayName(day + 7);
    if (day > 7)
        return QStringLiteral("next ") + DayName(day - 7);
    return DayName(day);
}

QString ClockText(int minute)
{
    const int m = (minute % kDayMinutes + kDayMinutes) % kDayMinutes;
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

QString HoursText(double hours)
{
    return RuleNumberText(hours) + QStringLiteral(" h");
}

// The day a rest is reported on: that of the duty starting too soon, next week's Monday
// on this Sunday; 0 when it belongs to another week.
int RestDay(int day)
{
    if (day == 8)
        return 7;
    return day >= 1 && day <= 7 ? day : 0;
}

// Adds a week's duties and hours for each person it holds (first line per name).
void AddWeek(RuleHistory& history, const RuleWeek& stored, int offset)
{
    const CellDutyReader reader(stored.settings);
    QSet<QString> seen;
    for (int line = 1; line <= kLines; ++line) {
        const QString key = UpperName(stored.names[line]);
        if (key.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        RulePersonHistory& person = history.people[key];
        double hours = 0;
        for (int day = 1; day <= kDays; ++day) {
            const CellDuties cell = reader.Read(stored.cells[day][line], offset * 7 + day);
            hours += cell.hours;
            if (offset == -1 || offset == 1)
                person.duties.insert(person.duties.end(), cell.pieces, cell.pieces + cell.count);
        }
        if (offset < 0) {
            person.hoursBefore += hours;
            ++person.weeksBefore;
        }
    }
}

// The checks of one line, over its duties of three weeks in order of start.
class LineCheck {
public:
    LineCheck(const RuleLimits& limits, int line, const QString& name, std::vector<RuleDuty>& duties,
              std::vector<Breach>& out)
        : duties(duties), limits_(limits), line_(line), name_(name), out_(out)
    {
    }

    std::vector<RuleDuty>& duties;  // in order of start
    float dayHours[kDays + 1] = {};
    const RulePersonHistory* history = nullptr;

    void run()
    {
        for (const RuleDuty& d : duties) {
            hasDuty_[d.day - kFirstDay] = true;
            if (d.night)
                hasNight_[d.day - kFirstDay] = true;
        }
        dailyRest();
        weeklyRest();
        shiftLength();
        runs(Rule::ConsecutiveDays, hasDuty_, QStringLiteral("Day %1 of %2 on duty in a row"));
        runs(Rule::ConsecutiveNights, hasNight_, QStringLiteral("Night %1 of %2 in a row"));
        restAfterNights();
        hours();
    }

private:
    bool on(Rule rule) const { return limits_[rule].on; }
    double limit(Rule rule) const { return limits_[rule].limit; }

    void add(Rule rule, int day, double value, const QString& text)
    {
        out_.push_back(Breach{rule, line_, name_, day, value, limit(rule), text});
    }

    void dailyRest()
    {
        if (!on(Rule::DailyRest) || duties.empty())
            return;
        size_t latest = 0;  // the duty that ends last so far
        for (size_t i = 1; i < duties.size(); ++i) {
            const RuleDuty& before = duties[latest];
            const RuleDuty& next = duties[i];
            const int rest = std::max(0, next.start - before.end);
            const int day = RestDay(next.day);
            if (day && rest < limit(Rule::DailyRest) * 60)
                add(Rule::DailyRest, day, rest / 60.0,
                    QStringLiteral("Rest %1 after %2 on %3 (ends %4) — at least %5")
                        .arg(HoursText(rest / 60.0), before.text, DayText(before.day), ClockText(before.end),
                             HoursText(limit(Rule::DailyRest))));
            if (next.end > before.end)
                latest = i;
        }
    }

    void weeklyRest()
    {
        if (!on(Rule::WeeklyRest))
            return;
        int cursor = 0, longest = 0, lastDay = 0;
        for (const RuleDuty& d : duties) {
            if (d.end <= 0)
                continue;
            if (d.start >= kWeekMinutes)
                break;
            longest = std::max(longest, std::max(d.start, 0) - cursor);
            cursor = std::max(cursor, std::min(d.end, kWeekMinutes));
            if (d.day >= 1)
                lastDay = d.day;
        }
        longest = std::max(longest, kWeekMinutes - cursor);
        if (lastDay && longest < limit(Rule::WeeklyRest) * 60)
            add(Rule::WeeklyRest, lastDay, longest / 60.0,
                QStringLiteral("Longest rest this week %1 — at least %2 in one stretch")
                    .arg(HoursText(longest / 60.0), HoursText(limit(Rule::WeeklyRest))));
    }

    void shiftLength()
    {
        if (!on(Rule::ShiftLength))
            return;
        for (const RuleDuty& d : duties) {
            const int length = d.end - d.start;
            if (d.day >= 1 && d.day <= 7 && length > limit(Rule::ShiftLength) * 60)
                add(Rule::ShiftLength, d.day, length / 60.0,
                    QStringLiteral("%1 on %2 lasts %3 (%4 to %5) — at most %6")
                        .arg(d.text, DayText(d.day), HoursText(length / 60.0), ClockText(d.start),
                             ClockText(d.end), HoursText(limit(Rule::ShiftLength))));
        }
    }

    // Runs of days with a duty (or a night): each run over the limit once, on the first
    // day of this week past the limit.
    void runs(Rule rule, const bool* marked, const QString& text)
    {
        if (!on(rule))
            return;
        const int most = int(limit(rule));
        for (int i = 0; i < kDaySpan;) {
            if (!marked[i]) {
                ++i;
                continue;
            }
            int end = i;
            while (end + 1 < kDaySpan && marked[end + 1])
                ++end;
            const int first = i + kFirstDay, last = end + kFirstDay, length = end - i + 1;
            const int day = std::max(first + most, 1);
            if (length > most && day <= std::min(last, 7))
                add(rule, day, length,
                    text.arg(day - first + 1).arg(length) + QStringLiteral(" — at most %1").arg(most));
            i = end + 1;
        }
    }

    void restAfterNights()
    {
        if (!on(Rule::RestAfterNights))
            return;
        for (size_t i = 0; i < duties.size(); ++i) {
            const RuleDuty& night = duties[i];
            // The last night of a run: no night on the next day.
            if (!night.night || (night.day < kLastDay && hasNight_[night.day + 1 - kFirstDay]))
                continue;
            size_t next = i + 1;
            while (next < duties.size() && duties[next].night && duties[next].day == night.day)
                ++next;  // a second night piece of the same day is the same run
            if (next >= duties.size() || duties[next].night)
                continue;
            const int rest = std::max(0, duties[next].start - night.end);
            const int day = RestDay(duties[next].day);
            if (day && rest < limit(Rule::RestAfterNights) * 60)
                add(Rule::RestAfterNights, day, rest / 60.0,
                    QStringLiteral("Rest %1 after the last night (%2 on %3, ends %4) — at least %5")
                        .arg(HoursText(rest / 60.0), night.text, DayText(night.day), ClockText(night.end),
                             HoursText(limit(Rule::RestAfterNights))));
        }
    }

    void hours()
    {
        double total = 0;
        for (int day = 1; day <= kDays; ++day)
            total += dayHours[day];
        if (on(Rule::WeeklyHours) && total > limit(Rule::WeeklyHours) + kHoursSlack) {
            double running = 0;
            int day = 1;
            for (; day < kDays; ++day) {
                running += dayHours[day];
                if (running > limit(Rule::WeeklyHours) + kHoursSlack)
                    break;
            }
            add(Rule::WeeklyHours, day, total,
                QStringLiteral("%1 this week — at most %2")
                    .arg(HoursText(total), HoursText(limit(Rule::WeeklyHours))));
        }
        if (!on(Rule::AverageHours))
            return;
        const double before = history ? history->hoursBefore : 0;
        const int weeks = (history ? history->weeksBefore : 0) + 1;
        const double mean = (before + total) / weeks;
        const double most = limit(Rule::AverageHours);
        if (mean <= most + kHoursSlack)
            return;
        double running = before;
        int day = 1;
        if (running / weeks <= most + kHoursSlack)
            for (; day < kDays; ++day) {
                running += dayHours[day];
                if (running / weeks > most + kHoursSlack)
                    break;
            }
        add(Rule::AverageHours, day, mean,
            QStringLiteral("Average %1 a week over %2 weeks — at most %3")
                .arg(HoursText(mean)).arg(weeks).arg(HoursText(most)));
    }

    const RuleLimits& limits_;
    int line_;
    QString name_;
    std::vector<Breach>& out_;
    bool hasDuty_[kDaySpan] = {};
    bool hasNight_[kDaySpan] = {};
};

}  // namespace

QString RuleNumberText(double value)
{
    QString text = QString::number(std::round(value * 100) / 100, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

CellDutyReader::CellDutyReader(const WardSettings& settings) : evaluator_(settings)
{
    ReadShiftTimes(settings.AMShiftTimes, &spanStart_[0], &spanLength_[0]);
    ReadShiftTimes(settings.PMShiftTimes, &spanStart_[1], &spanLength_[1]);
    ReadShiftTimes(settings.NShiftTimes, &spanStart_[2], &spanLength_[2]);
}

CellDuties CellDutyReader::Read(const QString& text, int day) const
{
    CellDuties cell;
    if (text.isEmpty())
        return cell;
    const DutyReading reading = evaluator_.ReadDuty(text);
    const int dayStart = (day - 1) * kDayMinutes;
    if (reading.timed) {
        cell.pieces[0] = RuleDuty{dayStart + reading.startMinute, dayStart + reading.startMinute + reading.lengthMinutes,
                                  day, (reading.shiftFlags & ShiftN) != 0, text.trimmed()};
        cell.count = 1;
    } else if (reading.namedShifts) {
        RuleDuty spans[3];
        int n = 0;
        for (int k = 0; k < 3; ++k)
            if (reading.namedShifts & (1 << k))
                spans[n++] = RuleDuty{dayStart + spanStart_[k], dayStart + spanStart_[k] + spanLength_[k], day,
                                      k == 2, QString()};
        for (int k = 1; k < n; ++k)  // at most three: in order of start
            for (int j = k; j > 0 && spans[j].start < spans[j - 1].start; --j)
                std::swap(spans[j], spans[j - 1]);
        const QString shown = text.trimmed();
        for (int k = 0; k < n; ++k) {
            if (cell.count > 0 && spans[k].start <= cell.pieces[cell.count - 1].end) {
                RuleDuty& last = cell.pieces[cell.count - 1];
                last.end = std::max(last.end, spans[k].end);
                last.night = last.night || spans[k].night;
            } else {
                cell.pieces[cell.count] = spans[k];
                cell.pieces[cell.count++].text = shown;
            }
        }
    } else {
        return cell;
    }
    cell.hours = reading.hours;
    return cell;
}

RuleHistory PrepareRuleHistory(const QDate& monday, const std::vector<RuleWeek>& stored)
{
    RuleHistory history;
    history.monday = monday;
    for (const RuleWeek& week : stored) {
        const qint64 days = monday.daysTo(week.monday);
        if (days % 7 != 0)
            continue;
        const int offset = int(days / 7);
        if (offset == 1 || (offset < 0 && offset >= -kAverageWeeks))
            AddWeek(history, week, offset);
    }
    return history;
}

void CheckLineDuties(const RuleLimits& limits, int line, const QString& name, std::vector<RuleDuty>& duties,
                     const float (&dayHours)[kDays + 1], const RulePersonHistory* history, std::vector<Breach>& out)
{
    LineCheck check(limits, line, name, duties, out);
    std::copy(std::begin(dayHours), std::end(dayHours), check.dayHours);
    check.history = history;
    check.run();
}

std::vector<Breach> CheckWorkingTime(const WardSettings& settings, const RuleLimits& limits, const WeekData& week,
                                     const QDate& monday, const RuleHistory& history, const bool* lines)
{
    std::vector<Breach> out;
    const bool around = history.monday.isValid() && history.monday == monday;
    const CellDutyReader reader(settings);
    std::vector<RuleDuty> duties;  // one line's, reused
    duties.reserve(64);
    for (int line = 1; line <= kLines; ++line) {
        if (lines && !lines[line])
            continue;
        const QString key = UpperName(week.Names[line]);
        if (key.isEmpty())
            continue;
        duties.clear();
        LineCheck check(limits, line, week.Names[line], duties, out);
        const auto found = around ? history.people.constFind(key) : history.people.constEnd();
        if (found != history.people.constEnd())
            check.history = &*found;
        // Last week's duties, this week's, next week's.
        if (check.history)
            for (const RuleDuty& d : check.history->duties)
                if (d.day < 1)
                    check.duties.push_back(d);
        for (int day = 1; day <= kDays; ++day) {
            const CellDuties cell = reader.Read(week.Cells[day][line], day);
            check.dayHours[day] = cell.hours;
            check.duties.insert(check.duties.end(), cell.pieces, cell.pieces + cell.count);
        }
        if (check.history)
            for (const RuleDuty& d : check.history->duties)
                if (d.day > 7)
                    check.duties.push_back(d);
        // Nearly in order already (day by day): an insertion sort, stable.
        for (size_t i = 1; i < duties.size(); ++i)
            for (size_t j = i; j > 0 && duties[j].start < duties[j - 1].start; --j)
                std::swap(duties[j], duties[j - 1]);
        check.run();
    }
    std::stable_sort(out.begin(), out.end(), [](const Breach& a, const Breach& b) {
        if (a.line != b.line)
            return a.line < b.line;
        if (a.day != b.day)
            return a.day < b.day;
        if (a.rule != b.rule)
            return a.rule < b.rule;
        return a.value < b.value;
    });
    return out;
}

}  // namespace tavrola
