// Scoring a candidate week: 100 points less fixed penalties for missing skills, short
// shifts and short contracts.
#include "autofill/VirtualForm.h"

#include "util/TextUtil.h"

namespace tavrola {

namespace {
constexpr int kRequiredSkillPoints = 5;
constexpr int kPreferableSkillPoints = 1;
constexpr int kUnderstaffedPoints = 2;
constexpr int kContractPoints = 10;
}  // namespace

// Staff per shift of one day, and holders of each skill per shift in 8-bit lanes (skill k
// in lane k-1): one addition per cell and shift instead of six.
void FillEngine::countDay(const VirtualForm& form, int day, int (&staff)[kShifts + 1],
                          std::uint64_t (&lanes)[kShifts + 1]) const
{
    for (int line = 1; line <= kLines; ++line) {
        const CellId id = form.Cells[day][line];
        if (id == kEmptyCell)
            continue;
        const DutyFacts& f = duties_.facts(id);
        if (f.dayOff || f.illness)
            continue;
        for (int s = 1; s <= kShifts; ++s)
            if ((f.flags >> (s - 1)) & 1) {
                ++staff[s];
                lanes[s] += skillLanes_[line];
            }
    }
}

int FillEngine::ScoreVirtualForm(const VirtualForm& form, std::vector<Penalty>* penalties, int* unclamped, int* deficit)
{
    int missing = 0;  // staff, holders and hours still wanting, however many points they cost
    int staff[kDays + 1][kShifts + 1] = {};
    std::uint64_t lanes[kDays + 1][kShifts + 1] = {};
    for (int day = 1; day <= kDays; ++day)
        countDay(form, day, staff[day], lanes[day]);
    int skill[kShifts + 1][kSkills + 1][kDays + 1];
    for (int day = 1; day <= kDays; ++day)
        for (int s = 1; s <= kShifts; ++s)
            for (int k = 1; k <= kSkills; ++k)
                skill[s][k][day] = int((lanes[day][s] >> (8 * (k - 1))) & 0xFF);
    hours_[0] = 0;
    for (int line = 1; line <= kLines; ++line)
        hours_[line] = double(lineHours(form, line));

    int score = 100;
    for (int day = 1; day <= kDays; ++day) {
        for (int k = 1; k <= kSkills; ++k) {
            for (int pass = 0; pass < 2; ++pass) {
                const qint32 wanted = pass == 0 ? s_.SkillRequired[k] : s_.SkillPreferable[k];
                const int points = pass == 0 ? kRequiredSkillPoints : kPreferableSkillPoints;
                for (int s = 1; s <= kShifts; ++s) {
                    if (skill[s][k][day] >= wanted || required_[day][s] == 0)
                        continue;
                    score -= points;
                    missing += (wanted - skill[s][k][day]) * points;
                    if (penalties) {
                        Penalty p;
                        p.rule = pass == 0 ? PenaltyRule::SkillRequired : PenaltyRule::SkillPreferable;
                        p.points = points;
                        p.day = day;
                        p.shift = s;
                        p.skill = k;
                        p.have = skill[s][k][day];
                        p.want = wanted;
                        penalties->push_back(p);
                    }
                }
            }
        }
    }

    // Skills whose box is "0" do not count towards the head count: their holders are
    // left out of it, one skill at a time.
    int shortPoints[kDays + 1][kShifts + 1] = {};
    std::uint8_t leftOut[kDays + 1][kShifts + 1] = {};  // skills short only for leaving holders out
    for (int day = 1; day <= kDays; ++day) {
        for (int k = 1; k <= kSkills; ++k) {
            const bool notCounted = k <= s_.SkillCheckBoxes.size() && s_.SkillCheckBoxes[k - 1] == u'0';
            for (int s = 1; s <= kShifts; ++s) {
                const int counted = notCounted ? staff[day][s] - skill[s][k][day] : staff[day][s];
                if (required_[day][s] <= counted)
                    continue;
                score -= kUnderstaffedPoints;
                missing += (required_[day][s] - counted) * kUnderstaffedPoints;
                shortPoints[day][s] += kUnderstaffedPoints;
                if (required_[day][s] <= staff[day][s])
                    leftOut[day][s] |= std::uint8_t(1u << (k - 1));
            }
        }
    }
    if (penalties)
        for (int day = 1; day <= kDays; ++day)
            for (int s = 1; s <= kShifts; ++s) {
                if (shortPoints[day][s] == 0)
                    continue;
                Penalty p;
                p.rule = PenaltyRule::Understaffed;
                p.points = shortPoints[day][s];
                p.day = day;
                p.shift = s;
                p.have = staff[day][s];
                p.want = required_[day][s];
                for (int k = 1; k <= kSkills; ++k)
                    if ((leftOut[day][s] >> (k - 1)) & 1)
                        p.skills += (p.skills.isEmpty() ? QString() : QStringLiteral(", ")) + s_.SkillCode[k];
                penalties->push_back(p);
            }

    for (int line = 1; line <= kLines; ++line) {
        if (!hasContract_[line] || !(double(contract_[line]) > hours_[line]))
            continue;
        score -= kContractPoints;
        missing += int(double(contract_[line]) - hours_[line]) + 1;
        if (penalties) {
            Penalty p;
            p.rule = PenaltyRule::ContractShort;
            p.points = kContractPoints;
            p.line = line;
            p.hours = hours_[line];
            p.contract = contract_[line];
            penalties->push_back(p);
        }
    }
    if (unclamped)
        *unclamped = score;
    if (deficit)
        *deficit = missing;
    return score < 0 ? 0 : score;
}

void FillEngine::DayPenalty(const VirtualForm& form, int day, int* points, int* missing) const
{
    int staff[kShifts + 1] = {};
    std::uint64_t lanes[kShifts + 1] = {};
    countDay(form, day, staff, lanes);
    int lost = 0, want = 0;
    for (int s = 1; s <= kShifts; ++s) {
        const int required = required_[day][s];
        if (required == 0)
            continue;
        for (int k = 1; k <= kSkills; ++k) {
            const int held = int((lanes[s] >> (8 * (k - 1))) & 0xFF);
            if (held < s_.SkillRequired[k]) {
                lost += kRequiredSkillPoints;
                want += (s_.SkillRequired[k] - held) * kRequiredSkillPoints;
            }
            if (held < s_.SkillPreferable[k]) {
                lost += kPreferableSkillPoints;
                want += (s_.SkillPreferable[k] - held) * kPreferableSkillPoints;
            }
            const bool notCounted = k <= s_.SkillCheckBoxes.size() && s_.SkillCheckBoxes[k - 1] == u'0';
            const int counted = notCounted ? staff[s] - held : staff[s];
            if (required > counted) {
                lost += kUnderstaffedPoints;
                want += (required - counted) * kUnderstaffedPoints;
            }
        }
    }
    *points = lost;
    *missing = want;
}

void FillEngine::LinePenalty(const VirtualForm& form, int line, int* points, int* missing) const
{
    const double hours = double(lineHours(form, line));
    const bool short_ = hasContract_[line] && double(contract_[line]) > hours;
    *points = short_ ? kContractPoints : 0;
    *missing = short_ ? int(double(contract_[line]) - hours) + 1 : 0;
}

QString PenaltyRuleName(PenaltyRule rule)
{
    switch (rule) {
    case PenaltyRule::SkillRequired: return QStringLiteral("skill-required");
    case PenaltyRule::SkillPreferable: return QStringLiteral("skill-preferable");
    case PenaltyRule::Understaffed: return QStringLiteral("understaffed");
    case PenaltyRule::ContractShort: return QStringLiteral("contract");
    }
    return QString();
}

QString PenaltyText(const Penalty& p, const WardSettings& s, const QString& name)
{
    const QString points = QStringLiteral(" (-%1)").arg(p.points);
    const QString where = QStringLiteral("%1 %2").arg(QString(DayName(p.day)), QString(ShiftCode(p.shift)));
    auto skillName = [&s](int k) {
        return s.SkillName[k].isEmpty() ? s.SkillCode[k] : s.SkillName[k];
    };
    switch (p.rule) {
    case PenaltyRule::SkillRequired:
        return QStringLiteral("%1 lacks %2: %3 of %4 required").arg(where, skillName(p.skill)).arg(p.have).arg(p.want) +
               points;
    case PenaltyRule::SkillPreferable:
        return QStringLiteral("%1 lacks %2: %3 of %4 preferable").arg(where, skillName(p.skill)).arg(p.have).arg(p.want) +
               points;
    case PenaltyRule::Understaffed:
        if (p.have < p.want)
            return QStringLiteral("%1 understaffed: %2 on for %3 needed").arg(where).arg(p.have).arg(p.want) + points;
        return QStringLiteral("%1 short without %2 holders: %3 on for %4 needed")
                   .arg(where, p.skills)
                   .arg(p.have)
                   .arg(p.want) +
               points;
    case PenaltyRule::ContractShort:
        return QStringLiteral("Line %1%2 short of contract: %3 of %4 hours, %5 short")
                   .arg(p.line)
                   .arg(name.isEmpty() ? QString() : QStringLiteral(" (") + name + u')')
                   .arg(FloatToGeneral(p.hours, 4), FloatToGeneral(p.contract, 4),
                        FloatToGeneral(p.contract - p.hours, 4)) +
               points;
    }
    return QString();
}

}  // namespace tavrola
