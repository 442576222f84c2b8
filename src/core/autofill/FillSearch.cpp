#include "autofill/FillSearch.h"

#include "util/TraceLog.h"

namespace tavrola {

FillSearch::FillSearch(const WardSettings& settings, const FillInput& input, std::uint32_t seed)
    : engine_(settings, input), random_(seed), seed_(seed)
{
}

int FillSearch::shownLines() const
{
    return engine_.SummaryLine() > 0 ? engine_.SummaryLine() : kLines;
}

int FillSearch::next()
{
    engine_.FillVirtualForm(random_);
    ++candidates_;
    ++iterations_;
    candidateScore_ = engine_.ScoreVirtualForm(engine_.form(), nullptr, &unclamped_);
    keep(candidateScore_);
    return candidateScore_;
}

void FillSearch::keep(int score)
{
    const VirtualForm& form = engine_.form();
    newBest_ = score >= slots_[0].score;
    // A tie is a new best too, but only a better score (or the first) is traced: on a
    // ward whose candidates all score 0 every candidate ties.
    const bool better = candidates_ == 1 || score > slots_[0].score;
    if (newBest_) {
        // Slot 0 keeps the whole candidate, so its penalties can be listed; the grid
        // shows its staff lines and summary.
        SolutionSlot& best = slots_[0];
        best.form = form;
        best.score = score;
        iterations_ = 0;
        bestCandidate_ = candidates_;
        // Only an improvement is traced, so a long fill cannot fill the disk.
        if (better && TraceLogOpen()) {
            TraceLog(QStringLiteral("Candidate %1 score %2").arg(candidates_).arg(score));
            for (const QString& line : engine_.TraceLines(form))
                TraceLog(line);
        }
    }
    std::array<int, kSolutionSlots> scores;
    for (int n = 0; n < kSolutionSlots; ++n)
        scores[n] = slots_[n].score;
    const int chosen = SlotToReplace(scores, score);
    if (chosen > 0) {
        slots_[chosen].form = form;
        slots_[chosen].score = score;
    }
}

int SlotToReplace(const std::array<int, kSolutionSlots>& scores, int score)
{
    int lowest = 100, chosen = kSolutionSlots - 1;
    for (int n = kSolutionSlots - 1; n >= 1; --n)
        if (scores[n] <= lowest) {
            lowest = scores[n];
            chosen = n;
        }
    return scores[chosen] <= score ? chosen : -1;
}

std::vector<Penalty> FillSearch::penalties(int n, int* unclamped)
{
    std::vector<Penalty> list;
    engine_.ScoreVirtualForm(slots_[n].form, &list, unclamped);
    return list;
}

}  // namespace tavrola
