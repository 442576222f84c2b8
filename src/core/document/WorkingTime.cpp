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
    model.RulesCheckedValid = false;
    return read.problems;
}

void ReadRuleWeeks(WardModel& model)
{
    model.RuleWeeks = ReadRuleHistory(model.Week.DataFolder, model.Settings, model.Week.PickerDate);
    model.RulesCheckedValid = false;
}

void RecheckRules(WardModel& model, const WeekData& week)
{
    // Lines are checked independently: an edit rechecks only the lines whose name or
    // day texts changed since the last check (a keystroke, one line).
    if (model.RulesCheckedMonday != model.Week.PickerDate) {
        model.RulesCheckedMonday = model.Week.PickerDate;
        model.RulesCheckedValid = false;
    }
    bool changed[kLines + 1] = {};
    bool any = !model.RulesCheckedValid;
    for (int line = 1; line <= kLines; ++line) {
        bool differs = !model.RulesCheckedValid || model.RulesCheckedNames[line] != week.Names[line];
        for (int day = 1; day <= kDays && !differs; ++day)
            differs = model.RulesCheckedCells[day][line] != week.Cells[day][line];
        changed[line] = differs;
        any = any || differs;
        if (differs) {
            model.RulesCheckedNames[line] = week.Names[line];
            for (int day = 1; day <= kDays; ++day)
                model.RulesCheckedCells[day][line] = week.Cells[day][line];
        }
    }
    if (!any)
        return;
    const bool whole = !model.RulesCheckedValid;
    std::vector<Breach> fresh = CheckWorkingTime(model.Settings, model.Limits, week, model.Week.PickerDate,
                                                 model.RuleWeeks, whole ? nullptr : changed);
    model.RulesCheckedValid = true;
    std::vector<Breach> breaches;
    if (whole) {
        breaches = std::move(fresh);
    } else {
        // Both lists run in line order: the kept lines' breaches and the rechecked ones.
        breaches.reserve(model.Breaches.size() + fresh.size());
        auto kept = model.Breaches.cbegin();
        auto rechecked = fresh.cbegin();
        for (int line = 1; line <= kLines; ++line) {
            for (; kept != model.Breaches.cend() && kept->line == line; ++kept)
                if (!changed[line])
                    breaches.push_back(*kept);
            for (; rechecked != fresh.cend() && rechecked->line == line; ++rechecked)
                breaches.push_back(*rechecked);
        }
    }
    if (SameBreaches(breaches, model.Breaches))
        return;
    model.Breaches = std::move(breaches);
    emit model.breachesChanged();
}

void RecheckRules(WardModel& model)
{
    // The settings, limits or stored weeks may have changed: every line again.
    model.RulesCheckedValid = false;
    RecheckRules(model, model.Week.data());
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
