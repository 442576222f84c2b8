#pragma once
#include "autofill/VirtualForm.h"

#include <array>
#include <cstdint>

namespace tavrola {

// A kept candidate: slot 0 is the best so far, slots 1..5 other good ones.
struct SolutionSlot {
    VirtualForm form;
    int score = 0;
};

inline constexpr int kSolutionSlots = 6;

// The slot among 1..5 that a candidate scoring `score` replaces: the lowest-scoring one
// (the lowest-numbered among equals) when its score is not above the candidate's; -1
// when none gives way.
int SlotToReplace(const std::array<int, kSolutionSlots>& scores, int score);

// The search of one fill: builds, scores and keeps candidates from one seed. The same
// seed and input give the same candidates and scores, whoever runs the loop and however
// it is sliced.
class FillSearch {
public:
    FillSearch(const WardSettings& settings, const FillInput& input, std::uint32_t seed);

    // Empty when the search can run; else why not.
    const QString& error() const { return engine_.error(); }

    // Builds, scores and keeps one candidate. Returns its score.
    int next();

    qint64 candidates() const { return candidates_; }
    // Candidates since the start or since the last new best.
    qint64 IterationCount() const { return iterations_; }
    // The last candidate was a new best (a tie with the best counts).
    bool newBest() const { return newBest_; }
    int CandidateScore() const { return candidateScore_; }
    // The last candidate's score before the floor at 0: how far below 0 it fell.
    int unclampedScore() const { return unclamped_; }
    // The candidate number (from 1) of the latest new best.
    qint64 bestCandidate() const { return bestCandidate_; }
    std::uint32_t seed() const { return seed_; }

    const SolutionSlot& slot(int n) const { return slots_[n]; }
    int bestScore() const { return slots_[0].score; }
    // A kept cell's text; empty slots give empty texts.
    QString slotText(int n, int day, int line) const { return engine_.CellText(slots_[n].form, day, line); }
    // The lines a slot shows on the grid: 1..NumberOfStaff + 1, or 1..25 with all 25 in use.
    int shownLines() const;

    // Every deduction of slot n, and its score before the floor at 0.
    std::vector<Penalty> penalties(int n, int* unclamped = nullptr);

    FillEngine& engine() { return engine_; }
    const FillEngine& engine() const { return engine_; }

private:
    void keep(int score);

    FillEngine engine_;
    FillRandom random_;
    std::uint32_t seed_;
    std::array<SolutionSlot, kSolutionSlots> slots_;
    qint64 candidates_ = 0;
    qint64 iterations_ = 0;
    qint64 bestCandidate_ = 0;
    int candidateScore_ = 0;
    int unclamped_ = 0;
    bool newBest_ = false;
};

}  // namespace tavrola
