#include "document/WorkingTime.h"

#include "rules/RuleWeeksReader.h"

#include <algorithm>

namespace tavrola {

namespace {

bool SameBreaches(const std::vector<Breach>& a, const std::vector<Breach>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Breach& x, const Breach& y) {
        return x.rule == y.rule && x.line == y.line && x.day == y.day && x.value == y.value &&
               x.limit == y.limit && x.name == y.name && x.text == y.text;
    });
}

}  // namespace

QStringList ReadRulesTxtFile(WardModel& model)
{
    RulesFileRead read = ReadRulesFile(model.Week.DataFolder + kRulesFileName);
    model.Limits = read.limits;
    return read.problems;
}

void ReadRuleWeeks(WardModel& model)
{
    model.RuleWeeks = ReadRuleHistory(model.Week.DataFolder, model.Settings, model.Week.PickerDate);
}

void RecheckRules(WardModel& model, const WeekData& week)
{
    std::vector<Breach> breaches =
        CheckWorkingTime(model.Settings, model.Limits, week, model.Week.PickerDate, model.RuleWeeks);
    if (SameBreaches(breaches, model.Breaches))
        return;
    model.Breaches = std::move(breaches);
    emit model.breachesChanged();
}

void RecheckRules(WardModel& model)
{
    RecheckRules(model, StoreWeekData(model.Week));
}

bool ApplyRuleLimits(WardModel& model, const RuleLimits& limits, QString* error)
{
    if (!WriteRulesFile(model.Week.DataFolder + kRulesFileName, limits, error))
        return false;
    model.Limits = limits;
    RecheckRules(model);
    return true;
}

QString BreachCountText(int count)
{
    if (count == 0)
        return QStringLiteral("No working-time rule breaches this week");
    return QStringLiteral("%1 working-time rule breach%2 this week")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("es"));
}

QString BreachToolTip(const std::vector<Breach>& breaches, int line, int day)
{
    QStringList lines;
    for (const Breach& b : breaches)
        if (b.line == line && b.day == day)
            lines += RuleTitle(b.rule) + QStringLiteral(": ") + b.text;
    return lines.join(u'\n');
}

}  // namespace tavrola
