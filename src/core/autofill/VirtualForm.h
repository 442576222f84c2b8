#pragma once
#include "autofill/DutyTable.h"
#include "autofill/FillInput.h"
#include "autofill/FillRandom.h"
#include "autofill/ScorePenalty.h"

#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace tavrola {

// Who covers each shift of a day: counts and the lines (bit p = line p).
struct DaySummary {
    int Count[kShifts + 1] = {};
    std::uint32_t Lines[kShifts + 1] = {};
};

// One candidate week: the cells as ids into the fill's duty table, indexed like the grid,
// and who covers each shift of each day (shown beside the grid, never in a duty cell).
struct VirtualForm {
    CellId Cells[kDays + 1][kLines + 1] = {};
    DaySummary Summary[kDays + 1];
};

// Builds and scores candidate weeks for one fill. Everything the search reads is worked
// out once when the engine is made; a candidate then costs table look-ups and random
// draws, with no text built.
class FillEngine {
public:
    FillEngine(const WardSettings& settings, const FillInput& input);

    // Empty when the fill can run; else why not (a requirement that is not a number).
    const QString& error() const { return error_; }

    // A new candidate from the requests: skill cover, head count, contracted hours on
    // preferred days, then the day summaries.
    void FillVirtualForm(FillRandom& random);
    // Its steps, each at most 1000 draws: Prepare, then the three phases in order, then
    // the summary.
    void Prepare();
    void PhaseSkillCover(FillRandom& random);
    void PhaseHeadCount(FillRandom& random);
    void PhaseContracts(FillRandom& random);
    void WriteSummary();
    // Works out a candidate's day summaries from its cells.
    void Summarise(VirtualForm& form) const;
    // The hours of each line of the current candidate.
    void CalculateVirtualHoursWorked();

    // Scores a candidate from 100 down; with
    // `penalties`, lists every deduction. `unclamped` receives the score before the
    // floor at 0. Sets VirtualHoursWorked to the candidate's.
    // `deficit` receives how much is still wanting (staff, holders, hours, weighted by the
    // points at stake), which the local search uses to tell apart weeks of equal score.
    int ScoreVirtualForm(const VirtualForm& form, std::vector<Penalty>* penalties = nullptr, int* unclamped = nullptr,
                         int* deficit = nullptr);
    // The score in parts, for the local search to rescore only what a move touched: the
    // points a day's shifts lose and what they still want, and the same for a line's
    // contract. 100 less all the parts' points is the real score above; the wants add up
    // to its `deficit`.
    void DayPenalty(const VirtualForm& form, int day, int* points, int* missing) const;
    void LinePenalty(const VirtualForm& form, int line, int* points, int* missing) const;
    // Who covers each shift of one day, as Summarise does for the week.
    void SummariseDay(VirtualForm& form, int day) const;

    const VirtualForm& form() const { return form_; }
    double VirtualHoursWorked(int line) const { return hours_[line]; }

    QString CellText(const VirtualForm& form, int day, int line) const { return duties_.text(form.Cells[day][line]); }
    // Who covers each shift of a day: counts and skill codes, "3AAB/1B/2".
    QString SummaryText(const DaySummary& summary) const;
    // The same for a person to read: one line per shift with its name, the head count and
    // how many hold each of the ward's skills, "EARLY 3: A 2, B 1".
    QString CoverText(const DaySummary& summary) const;
    // How many on a shift hold each of the ward's skills, in the skills' order (skills
    // nobody on the shift holds left out).
    std::vector<std::pair<QString, int>> CoverSkills(const DaySummary& summary, int shift) const;
    int NumberOfStaff() const { return numberOfStaff_; }

    // What the local search reads and changes.
    CellId ShiftCode(int line, int shift) const { return code_[line][shift]; }
    bool Requested(int day, int line) const { return requests_[day][line] != kEmptyCell; }
    bool HasContract(int line) const { return hasContract_[line]; }
    std::uint8_t Skills(int line) const { return skills_[line]; }  // bit k-1: holds skill k
    double Contract(int line) const { return contract_[line]; }
    int Required(int day, int shift) const { return required_[day][shift]; }
    const DutyFacts& Facts(CellId id) const { return duties_.facts(id); }
    // The code, its shortened form when less than it is worth is left, or nothing when
    // what is left is under the shortest shift allowed.
    CellId FitToContract(CellId code, double remaining) { return fitToContract(code, remaining); }
    float LineHours(const VirtualForm& form, int line) const { return lineHours(form, line); }

    // The trace of a candidate's lines: contract, hours, the seven cells.
    QStringList TraceLines(const VirtualForm& form) const;

    const WardSettings& settings() const { return s_; }
    const FillInput& input() const { return in_; }

private:
    struct Draw {
        int day, line, shift;
        CellId code;
    };
    inline Draw draw(FillRandom& random) const;
    void countDay(const VirtualForm& form, int day, int (&staff)[kShifts + 1], std::uint64_t (&lanes)[kShifts + 1]) const;
    inline bool nightRefused(const Draw& d) const;
    inline void lowerRequirement(int day, int shift);
    inline bool fits(int line, int shift) const;
    // Whether any draw could still place a shift in the phase, as things stand.
    bool skillCoverPossible() const;
    bool headCountPossible() const;
    bool contractsPossible(bool hoursFresh) const;
    // The code, or its shortened form when the contract has less left than it is worth.
    CellId fitToContract(CellId code, double remaining);
    float lineHours(const VirtualForm& form, int line) const;

    const WardSettings& s_;
    FillInput in_;
    DutyTable duties_;
    QString error_;
    int numberOfStaff_ = 0;

    // Per fill.
    bool hasContract_[kLines + 1] = {};
    float contract_[kLines + 1] = {};
    std::uint8_t skills_[kLines + 1] = {};  // bit k-1: the line holds skill k
    std::uint64_t skillLanes_[kLines + 1] = {};  // 1 in byte k-1 when the line holds skill k
    CellId code_[kLines + 1][kShifts + 1] = {};
    std::uint8_t codeFlags_[kLines + 1][kShifts + 1] = {};  // the code's shift bits
    float codeHours_[kLines + 1][kShifts + 1] = {};
    CellId requests_[kDays + 1][kLines + 1] = {};
    qint32 required_[kDays + 1][kShifts + 1] = {};
    bool neverStaffed_[kDays + 1][kShifts + 1] = {};  // the box reads exactly "0"
    std::uint8_t neverStaffedMask_[kDays + 1] = {};   // the same as shift bits
    double requestHours_[kLines + 1] = {};
    std::map<std::pair<CellId, double>, CellId> shortened_;

    // Per candidate.
    VirtualForm form_;
    double hours_[kLines + 1] = {};
    qint32 requirement_[kDays + 1][kShifts + 1] = {};
    qint32 skillNeed_[kDays + 1][kShifts + 1][kSkills + 1] = {};
    int skillNeedsOpen_ = 0;  // entries of skillNeed_ above 0
    std::uint8_t needMask_[kDays + 1][kShifts + 1] = {};  // bit k-1: skill k still needed
    std::uint8_t staffedMask_[kDays + 1] = {};  // shift bits whose requirement is above 0
};

}  // namespace tavrola
