#pragma once
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

enum class PenaltyRule {
    SkillRequired,    // 5: a staffed shift has fewer holders of a skill than required
    SkillPreferable,  // 1: ... fewer than preferable
    Understaffed,     // 2 for each skill whose head count falls short
    ContractShort,    // 10: a line below its contracted hours
};

// One deduction from a candidate's 100 points.
struct Penalty {
    PenaltyRule rule = PenaltyRule::SkillRequired;
    int points = 0;
    int day = 0, shift = 0, skill = 0, line = 0;
    int have = 0, want = 0;  // holders or staff on the shift, and the number wanted
    double hours = 0, contract = 0;  // a short line's hours and its contract
    QString skills;  // understaffed only counting other staff: the skill codes left out
};

// "skill-required", "skill-preferable", "understaffed", "contract".
QString PenaltyRuleName(PenaltyRule rule);
// One line for the ward sister: "Monday AM lacks IV Therapy: 1 of 2 required (-5)".
QString PenaltyText(const Penalty& p, const WardSettings& settings, const QString& name = QString());

}  // namespace tavrola
