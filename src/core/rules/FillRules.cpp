#include "rules/FillRules.h"

#include "util/TextUtil.h"

namespace tavrola {

namespace {
int Key(const Breach& b)
{
    return int(b.rule) * 8 + b.day;
}
}  // namespace

WorkingTimeGuard::WorkingTimeGuard(const WardSettings& settings, const RuleLimits& limits, const WeekData& requests,
                                   const QDate& monday, const RuleHistory& history)
    : limits_(limits), reader_(settings), historyCopy_(history)
{
    const bool around = historyCopy_.monday.isValid() && historyCopy_.monday == monday;
    for (int line = 1; line <= kLines; ++line) {
        names_[line] = requests.Names[line];
        const QString key = UpperCase(TrimSpaces(names_[line]));
        if (around && !key.isEmpty()) {
            const auto found = historyCopy_.people.constFind(key);
            if (found != historyCopy_.people.constEnd())
                history_[line] = &*found;
        }
    }
    requestBreaches_ = CheckWorkingTime(settings, limits, requests, monday, history);
    for (const Breach& b : requestBreaches_)
        allowed_[b.line].insert(Key(b));
}

double WorkingTimeGuard::hoursCap() const
{
    const RuleLimit& weekly = limits_[Rule::WeeklyHours];
    return weekly.on ? weekly.limit : 0.0;
}

const CellDuties& WorkingTimeGuard::duties(const QString& text, int day)
{
    auto it = cache_[day].constFind(text);
    if (it == cache_[day].constEnd())
        it = cache_[day].insert(text, reader_.Read(text, day));
    return *it;
}

std::uint32_t WorkingTimeGuard::newBreachDays(int line, const QString (&cells)[kDays + 1])
{
    if (names_[line].trimmed().isEmpty())
        return 0;  // the check leaves nameless lines alone
    work_.clear();
    const RulePersonHistory* history = history_[line];
    if (history)
        for (const RuleDuty& d : history->duties)
            if (d.day < 1)
                work_.push_back(d);
    float dayHours[kDays + 1] = {};
    for (int day = 1; day <= kDays; ++day) {
        const CellDuties& cell = duties(cells[day], day);
        dayHours[day] = cell.hours;
        work_.insert(work_.end(), cell.pieces, cell.pieces + cell.count);
    }
    if (history)
        for (const RuleDuty& d : history->duties)
            if (d.day > 7)
                work_.push_back(d);
    for (size_t i = 1; i < work_.size(); ++i)
        for (size_t j = i; j > 0 && work_[j].start < work_[j - 1].start; --j)
            std::swap(work_[j], work_[j - 1]);
    found_.clear();
    CheckLineDuties(limits_, line, names_[line], work_, dayHours, history, found_);
    std::uint32_t days = 0;
    for (const Breach& b : found_)
        if (!allowed_[line].contains(Key(b)))
            days |= 1u << b.day;
    return days;
}

}  // namespace tavrola
