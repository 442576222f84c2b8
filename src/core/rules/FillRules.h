#pragma once
#include "autofill/LineGuard.h"
#include "rules/WorkingTimeRules.h"

#include <QHash>
#include <QSet>

namespace tavrola {

// The working-time rules as the fill's hard rules: a line may keep every breach its
// requests already hold (the same rule on the same day), and may gain none.
class WorkingTimeGuard : public LineGuard {
public:
    WorkingTimeGuard(const WardSettings& settings, const RuleLimits& limits, const WeekData& requests,
                     const QDate& monday, const RuleHistory& history);

    std::uint32_t newBreachDays(int line, const QString (&cells)[kDays + 1]) override;

    // The breaches the requests hold, as the check lists them.
    const std::vector<Breach>& requestBreaches() const { return requestBreaches_; }
    // The weekly-hours limit when that rule is on, else 0: no line is filled beyond it.
    double hoursCap() const;

private:
    const CellDuties& duties(const QString& text, int day);

    RuleLimits limits_;
    CellDutyReader reader_;
    QString names_[kLines + 1];
    const RulePersonHistory* history_[kLines + 1] = {};
    RuleHistory historyCopy_;
    QSet<int> allowed_[kLines + 1];  // rule * 8 + day of each request breach
    std::vector<Breach> requestBreaches_;
    QHash<QString, CellDuties> cache_[kDays + 1];
    std::vector<RuleDuty> work_;
    std::vector<Breach> found_;
};

}  // namespace tavrola
