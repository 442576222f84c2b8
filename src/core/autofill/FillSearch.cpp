#include "autofill/FillSearch.h"

#include "util/TraceLog.h"

#include <cstring>

namespace tavrola {

namespace {

bool SameCells(const VirtualForm& a, const VirtualForm& b)
{
    return std::memcmp(a.Cells, b.Cells, sizeof a.Cells) == 0;
}

}  // namespace

FillSearch::FillSearch(const WardSettings& settings, const FillInput& input, std::uint32_t seed, LineGuard* guard)
    : engine_(settings, input), random_(seed), moveRandom_(seed ^ 0x5bd1e995u), guard_(guard), seed_(seed)
{
}

int FillSearch::filledSlots() const
{
    int n = 0;
    while (n < kSolutionSlots && slots_[n].filled)
        ++n;
    return n;
}

bool FillSearch::qualifies(int unclamped) const
{
    if (!slots_[0].filled || unclamped >= slots_[0].unclamped)
        return true;
    for (int n = 1; n < kSolutionSlots; ++n)
        if (!slots_[n].filled || slots_[n].unclamped <= unclamped)
            return true;
    return false;
}

int FillSearch::next()
{
    engine_.FillVirtualForm(random_);
    ++candidates_;
    ++iterations_;
    candidateScore_ = engine_.ScoreVirtualForm(engine_.form(), nullptr, &unclamped_);
    newBest_ = false;
    // Only a candidate that could be kept is checked against the hard rules: taking out
    // what breaks them can only lower its score.
    if (!qualifies(unclamped_))
        return candidateScore_;
    if (guard_) {
        work_ = engine_.form();
        if (repair(work_)) {
            engine_.Summarise(work_);
            candidateScore_ = engine_.ScoreVirtualForm(work_, nullptr, &unclamped_);
        }
        keep(work_, candidateScore_, unclamped_, true);
    } else {
        keep(engine_.form(), candidateScore_, unclamped_, true);
    }
    return candidateScore_;
}

bool FillSearch::lineSafe(const VirtualForm& form, int line)
{
    // The guard reads texts, which is slow next to a move: its answers are kept by the
    // line's seven cells, in a table where a newer week takes an older one's place.
    std::uint64_t a = 0, b = std::uint64_t(line);
    for (int day = 1; day <= 4; ++day)
        a = a << 16 | form.Cells[day][line];
    for (int day = 5; day <= kDays; ++day)
        b = b << 16 | form.Cells[day][line];
    if (safeCache_.empty())
        safeCache_.resize(kSafeCacheSize);
    const std::uint64_t h = (a ^ (b * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
    SafeEntry& entry = safeCache_[(h >> 40) & (kSafeCacheSize - 1)];
    if (entry.filled && entry.a == a && entry.b == b)
        return entry.safe;
    QString cells[kDays + 1];
    for (int day = 1; day <= kDays; ++day)
        cells[day] = engine_.CellText(form, day, line);
    entry = {a, b, guard_->newBreachDays(line, cells) == 0, true};
    return entry.safe;
}

bool FillSearch::repair(VirtualForm& form)
{
    bool changed = false;
    QString cells[kDays + 1];
    for (int line = 1; line <= engine_.NumberOfStaff(); ++line) {
        for (;;) {
            for (int day = 1; day <= kDays; ++day)
                cells[day] = engine_.CellText(form, day, line);
            const std::uint32_t days = guard_->newBreachDays(line, cells);
            if (days == 0)
                break;
            // The fill's own cell on the first day reported, else the nearest one to it.
            int first = 1;
            while (first <= kDays && !((days >> first) & 1))
                ++first;
            int chosen = 0;
            for (int away = 0; away < kDays && !chosen; ++away)
                for (const int day : {first - away, first + away})
                    if (day >= 1 && day <= kDays && !chosen && form.Cells[day][line] != kEmptyCell &&
                        !engine_.Requested(day, line))
                        chosen = day;
            if (!chosen)
                break;  // only requests left: they stand as entered
            form.Cells[chosen][line] = kEmptyCell;
            changed = true;
        }
    }
    return changed;
}

void FillSearch::keep(const VirtualForm& form, int score, int unclamped, bool tieIsBest)
{
    SolutionSlot& best = slots_[0];
    const bool better = !best.filled || unclamped > best.unclamped;
    newBest_ = better || (tieIsBest && unclamped == best.unclamped);
    if (!newBest_) {
        offer(form, score, unclamped);
        return;
    }
    if (best.filled && !SameCells(best.form, form)) {
        const SolutionSlot previous = best;
        best.filled = false;  // so the previous best is not refused as a copy of itself
        offer(previous.form, previous.score, previous.unclamped);
    }
    best.form = form;
    best.score = score;
    best.unclamped = unclamped;
    best.filled = true;
    iterations_ = 0;
    bestCandidate_ = candidates_;
    if (better)
        improvedAt_ = candidates_;
    // Only an improvement is traced, so a long fill cannot fill the disk.
    if (better && TraceLogOpen()) {
        TraceLog(QStringLiteral("Candidate %1 score %2").arg(candidates_ + moves_).arg(score));
        for (const QString& line : engine_.TraceLines(form))
            TraceLog(line);
    }
}

void FillSearch::offer(const VirtualForm& form, int score, int unclamped)
{
    std::array<int, kSolutionSlots> ranks;
    for (int n = 0; n < kSolutionSlots; ++n) {
        if (slots_[n].filled && SameCells(slots_[n].form, form))
            return;  // the slots hold distinct weeks
        ranks[n] = slots_[n].filled ? slots_[n].unclamped : kUnfilled;
    }
    const int chosen = SlotToReplace(ranks, unclamped);
    if (chosen <= 0)
        return;
    // Filled slots stay in front: a week for an empty slot takes the first empty one.
    int target = chosen;
    if (!slots_[chosen].filled)
        for (target = 1; slots_[target].filled; ++target) {
        }
    slots_[target].form = form;
    slots_[target].score = score;
    slots_[target].unclamped = unclamped;
    slots_[target].filled = true;
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
