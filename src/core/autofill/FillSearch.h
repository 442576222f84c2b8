#pragma once
#include "autofill/LineGuard.h"
#include "autofill/VirtualForm.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace tavrola {

// A kept candidate: slot 0 is the best so far, slots 1..5 other good ones.
struct SolutionSlot {
    VirtualForm form;
    int score = 0;      // floored at 0, as the caption shows it
    int unclamped = 0;  // the real score, which ranks the slots
    bool filled = false;
};

inline constexpr int kSolutionSlots = 6;
// The rank of a slot never filled: below any score.
inline constexpr int kUnfilled = INT_MIN;

// The slot among 1..5 that a candidate scoring `score` replaces: the lowest-scoring one
// (the lowest-numbered among equals) when its score is not above the candidate's; -1
// when none gives way.
int SlotToReplace(const std::array<int, kSolutionSlots>& scores, int score);

enum class FillPhase { Random, Improve };

// The search of one fill: random candidates first, then a local search from the best.
// The same seed and input give the same candidates, moves and scores, whoever runs the
// loop and however it is sliced. Candidates and slots rank by the real score (below 0
// too); the six slots hold distinct weeks. With a guard, no kept week breaks a hard rule
// the requests did not already break.
class FillSearch {
public:
    FillSearch(const WardSettings& settings, const FillInput& input, std::uint32_t seed,
               LineGuard* guard = nullptr);

    // Empty when the search can run; else why not.
    const QString& error() const { return engine_.error(); }

    // Builds, scores and keeps one random candidate. Returns its score.
    int next();
    // Runs up to `moves` local-search moves from the best week. Returns whether the
    // search can still improve (false once it has stalled).
    bool improve(int moves);
    FillPhase phase() const { return phase_; }
    // With a time to fill, the local search goes on with new rounds until it is up
    // rather than ending after rounds that bring no better week.
    void setKeepSearching(bool on) { keepSearching_ = on; }

    qint64 candidates() const { return candidates_; }
    qint64 moves() const { return moves_; }
    // Candidates (or moves) since the start or since the last new best.
    qint64 IterationCount() const { return iterations_; }
    // The last candidate was a new best: a tie on the real score counts in the random
    // phase; a move counts only when it improves.
    bool newBest() const { return newBest_; }
    int CandidateScore() const { return candidateScore_; }
    // The last candidate's score before the floor at 0: how far below 0 it fell.
    int unclampedScore() const { return unclamped_; }
    // The candidate number (from 1) of the latest new best.
    qint64 bestCandidate() const { return bestCandidate_; }
    // Candidates since the real best score last rose.
    qint64 sinceImprovement() const { return candidates_ - improvedAt_; }
    std::uint32_t seed() const { return seed_; }

    const SolutionSlot& slot(int n) const { return slots_[n]; }
    int bestScore() const { return slots_[0].score; }
    int bestUnclamped() const { return slots_[0].unclamped; }
    // How many slots hold a week (the filled ones come first).
    int filledSlots() const;
    // A kept cell's text; empty slots give empty texts.
    QString slotText(int n, int day, int line) const { return engine_.CellText(slots_[n].form, day, line); }
    // Who covers each shift of a kept week's day ("3AAB/1B/2").
    QString summaryText(int n, int day) const { return engine_.SummaryText(slots_[n].form.Summary[day]); }
    QString coverText(int n, int day) const { return engine_.CoverText(slots_[n].form.Summary[day]); }
    // The lines a slot shows on the grid: the staff lines.
    int shownLines() const { return engine_.NumberOfStaff(); }

    // Every deduction of slot n, and its score before the floor at 0.
    std::vector<Penalty> penalties(int n, int* unclamped = nullptr);

    FillEngine& engine() { return engine_; }
    const FillEngine& engine() const { return engine_; }

private:
    bool qualifies(int unclamped) const;
    // Takes out fill-placed cells until no line breaks a rule it did not; whether any went.
    bool repair(VirtualForm& form);
    bool lineSafe(const VirtualForm& form, int line);
    void keep(const VirtualForm& form, int score, int unclamped, bool tieIsBest);
    void offer(const VirtualForm& form, int score, int unclamped);
    void startImprove();
    void startRound();
    bool tryMove();
    bool tryStaffShift(int day, int shift);
    bool trySkillCover();
    bool tryTradeShort(int day, int shift);
    bool bringOnto(int day, int line, int shift, bool sameCounts);
    int donorDay(int line, int day);
    double countedHours(int line, int shift);
    bool resizeOthers(int line, int day, double hours);
    bool makeCounted(int day, int line, int shift);
    bool tryMerge(int day, int line);
    int onlyShift(CellId id) const;
    bool settleChanges();
    bool covers(CellId id, int shift) const { return (engine_.Facts(id).flags >> (shift - 1)) & 1; }
    bool keepSafe(int line, int mark);
    void change(int day, int line, CellId id);
    // Puts back the changes from `mark` on, last first.
    void undoTo(int mark);
    void settle();
    // Scores the current week part by part (see FillEngine::DayPenalty).
    void scoreCurrent();
    int shortened(int line, CellId id) const;
    int shortShiftOf(const VirtualForm& form, int* shift);

    FillEngine engine_;
    FillRandom random_;
    FillRandom moveRandom_;  // the local search's own, so the random phase draws as ever
    LineGuard* guard_;
    std::uint32_t seed_;
    std::array<SolutionSlot, kSolutionSlots> slots_;
    VirtualForm work_;
    FillPhase phase_ = FillPhase::Random;
    qint64 candidates_ = 0;
    qint64 moves_ = 0;
    qint64 iterations_ = 0;
    qint64 bestCandidate_ = 0;
    qint64 improvedAt_ = 0;
    int candidateScore_ = 0;
    int unclamped_ = 0;
    bool newBest_ = false;
    // The local search's current week and score.
    VirtualForm current_;
    int currentScore_ = 0;
    int currentDeficit_ = 0;
    qint64 staleMoves_ = 0;
    int restarts_ = 0;
    // The current round's best week, which restarts go back to.
    VirtualForm roundBest_;
    int roundBestScore_ = 0;
    int roundBestDeficit_ = 0;
    int roundsWithoutBest_ = 0;
    bool keepSearching_ = false;
    static constexpr int kLateLength = 1000;
    // The cells the move being tried changed, with what they held.
    struct CellChange {
        int day, line;
        CellId before;
    };
    static constexpr int kMaxChanges = 16;
    std::array<CellChange, kMaxChanges> changes_{};
    int changeCount_ = 0;
    // The current week's score in parts, and their sums.
    int dayLost_[kDays + 1] = {}, dayWant_[kDays + 1] = {};
    int lineLost_[kLines + 1] = {}, lineWant_[kLines + 1] = {};
    int lostSum_ = 0, wantSum_ = 0;
    std::array<int, kLateLength> lateScores_{};
    std::uint32_t holderLines_[kSkills + 1] = {};  // bit p: line p holds skill k
    double countedHours_[kLines + 1][kShifts + 1] = {};  // -1 until worked out
    // The guard's answers by a line's seven cells; a newer week takes an older one's place.
    struct SafeEntry {
        std::uint64_t a = 0, b = 0;
        bool safe = false, filled = false;
    };
    static constexpr std::size_t kSafeCacheSize = std::size_t(1) << 17;
    std::vector<SafeEntry> safeCache_;
};

}  // namespace tavrola
