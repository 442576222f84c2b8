// The local search after the random phase: from the best week, the moves a planner makes
// (place, take out or move a shift between days, swap two lines' duties on a day, change
// a shift's kind; pay a gap under the shortest shift by cutting one shift and adding a
// shortest one), kept when the real score does not fall below the current week's (or
// below what it was some moves ago: late acceptance, to get past a dip) and no hard rule
// breaks. Requests never change. Shifts go to the days that are short more often than not.
// Where the ward cannot staff every shift, which ones are left short is what the score
// turns on: a move trades that, and every restart begins with one. The moves of several
// cells at once are in FillMoves.cpp.
#include "autofill/FillSearch.h"

#include <algorithm>
#include <climits>

namespace tavrola {

namespace {

// Moves without a better week before the search restarts from the round's best with a
// few random changes, and restarts without one before the round ends. A new round
// starts from the best of a few fresh random candidates; the search ends after rounds
// that bring no better best.
constexpr qint64 kStaleBeforeRestart = 5000;
constexpr int kRestarts = 30;
constexpr int kKicks = 10;
constexpr int kKickTradeTries = 50;
constexpr int kRoundCandidates = 50;
constexpr int kRoundsWithoutBest = 3;

}  // namespace

void FillSearch::startImprove()
{
    phase_ = FillPhase::Improve;
    for (auto& hours : countedHours_)
        std::fill(std::begin(hours), std::end(hours), -1.0);
    for (int k = 1; k <= kSkills; ++k) {
        holderLines_[k] = 0;
        for (int line = 1; line <= kLines; ++line)
            holderLines_[k] |= std::uint32_t((engine_.Skills(line) >> (k - 1)) & 1u) << line;
    }
    current_ = slots_[0].form;
    scoreCurrent();
    staleMoves_ = 0;
    restarts_ = 0;
    iterations_ = 0;
    roundBest_ = current_;
    roundBestScore_ = currentScore_;
    roundBestDeficit_ = currentDeficit_;
    roundsWithoutBest_ = 0;
    lateScores_.fill(currentScore_);
}

void FillSearch::startRound()
{
    int best = INT_MIN;
    for (int i = 0; i < kRoundCandidates; ++i) {
        engine_.FillVirtualForm(random_);
        ++moves_;  // the random phase's count (and its limit) stays its own
        work_ = engine_.form();
        if (guard_ && repair(work_))
            engine_.Summarise(work_);
        int unclamped = 0;
        engine_.ScoreVirtualForm(work_, nullptr, &unclamped);
        if (unclamped > best) {
            best = unclamped;
            roundBest_ = work_;
        }
    }
    current_ = roundBest_;
    roundBestScore_ = best;
    scoreCurrent();
    const int score = std::max(0, currentScore_);
    roundBestDeficit_ = currentDeficit_;
    if (currentScore_ > slots_[0].unclamped)
        keep(current_, score, currentScore_, false);
    else
        offer(current_, score, currentScore_);
    staleMoves_ = 0;
    restarts_ = 0;
    lateScores_.fill(currentScore_);
}

void FillSearch::scoreCurrent()
{
    lostSum_ = wantSum_ = 0;
    for (int day = 1; day <= kDays; ++day) {
        engine_.DayPenalty(current_, day, &dayLost_[day], &dayWant_[day]);
        lostSum_ += dayLost_[day];
        wantSum_ += dayWant_[day];
    }
    for (int line = 1; line <= kLines; ++line) {
        engine_.LinePenalty(current_, line, &lineLost_[line], &lineWant_[line]);
        lostSum_ += lineLost_[line];
        wantSum_ += lineWant_[line];
    }
    currentScore_ = 100 - lostSum_;
    currentDeficit_ = wantSum_;
}

// A short (day, shift) of the week, drawn among them; 0 when none is short.
int FillSearch::shortShiftOf(const VirtualForm& form, int* shift)
{
    int shortDay[kDays * kShifts], shortShift[kDays * kShifts], n = 0;
    for (int day = 1; day <= kDays; ++day)
        for (int s = 1; s <= kShifts; ++s)
            if (form.Summary[day].Count[s] < engine_.Required(day, s)) {
                shortDay[n] = day;
                shortShift[n++] = s;
            }
    if (n == 0)
        return 0;
    const int pick = int(moveRandom_.Random(std::uint32_t(n)));
    *shift = shortShift[pick];
    return shortDay[pick];
}

// 1 when a cell is a shift the fill cut short (not one of the line's own codes).
int FillSearch::shortened(int line, CellId id) const
{
    if (id == kEmptyCell)
        return 0;
    for (int s = 1; s <= kShifts; ++s)
        if (engine_.ShiftCode(line, s) == id)
            return 0;
    return 1;
}

void FillSearch::change(int day, int line, CellId id)
{
    if (changeCount_ >= kMaxChanges)
        return;
    changes_[changeCount_++] = {day, line, current_.Cells[day][line]};
    current_.Cells[day][line] = id;
}

void FillSearch::undoTo(int mark)
{
    while (changeCount_ > mark) {
        const CellChange& c = changes_[--changeCount_];
        current_.Cells[c.day][c.line] = c.before;
    }
}

bool FillSearch::tryMove()
{
    FillEngine& e = engine_;
    const int staff = e.NumberOfStaff();
    if (staff == 0)
        return false;
    auto rnd = [this](int n) { return int(moveRandom_.Random(std::uint32_t(n))); };
    auto free = [&](int day, int line) { return !e.Requested(day, line); };
    int shift = rnd(kShifts) + 1;
    int day = rnd(kDays) + 1;
    bool onShort = false;
    if (rnd(3) != 0) {  // mostly where staff are short
        int s = 0;
        if (const int d = shortShiftOf(current_, &s)) {
            day = d;
            shift = s;
            onShort = true;
        }
    }
    // Now and then a short shift is staffed whole in one move: one more person each
    // change is worth nothing until the last one comes.
    if (onShort) {
        const int r = rnd(8);
        if (r < 2)
            return tryStaffShift(day, shift);
        if (r == 2)
            return tryTradeShort(day, shift);
    }
    // Now and then a holder of a skill a shift lacks is brought onto it.
    if (rnd(6) == 0)
        return trySkillCover();
    const int line = rnd(staff) + 1;
    int kind = rnd(5);
    changeCount_ = 0;
    if (!e.HasContract(line))
        return false;
    const double remaining = e.Contract(line) - double(e.LineHours(current_, line));
    const double shortest = double(e.input().MinShortShift);
    // A line short by less than the shortest shift can only be paid by two changes at once.
    if (remaining > 1e-4 && remaining < shortest && rnd(2) == 0)
        kind = 5;
    const CellId cell = current_.Cells[day][line];
    // A cut-short shift gives its hours back to the line's other cut-short shifts, where
    // it is not needed: whole shifts are what a ward expects when they cost nothing.
    if (shortened(line, cell) && free(day, line) && rnd(4) == 0)
        return tryMerge(day, line);
    // A leftover piece that counts for no shift becomes one that does.
    if (cell != kEmptyCell && e.Facts(cell).flags == 0 && e.Facts(cell).lineHours > 0 && free(day, line) &&
        rnd(2) == 0)
        return makeCounted(day, line, shift) && settleChanges();
    switch (kind) {
    case 0: {  // place a shift on an empty day
        if (cell != kEmptyCell || !free(day, line) || remaining <= 0)
            return false;
        const CellId id = e.FitToContract(e.ShiftCode(line, shift), remaining);
        if (id == kEmptyCell)
            return false;
        change(day, line, id);
        break;
    }
    case 1: {  // move one of the line's shifts to this day, or swap two of its days
        if (!free(day, line))
            return false;
        const int from = rnd(kDays) + 1;
        const CellId id = current_.Cells[from][line];
        if (from == day || id == kEmptyCell || id == cell || !free(from, line))
            return false;
        change(from, line, cell);
        change(day, line, id);
        break;
    }
    case 2: {  // take a shift out
        if (cell == kEmptyCell || !free(day, line))
            return false;
        change(day, line, kEmptyCell);
        break;
    }
    case 3: {  // swap two lines' duties on the day
        const int other = rnd(staff) + 1;
        if (other == line || !free(day, line) || !free(day, other) || !e.HasContract(other) ||
            current_.Cells[day][other] == cell)
            return false;
        change(day, line, current_.Cells[day][other]);
        change(day, other, cell);
        break;
    }
    case 5: {  // cut one shift by the gap's shortfall and place a shortest one elsewhere
        const int other = rnd(kDays) + 1;
        if (other == day || cell == kEmptyCell || !free(day, line) || !free(other, line) ||
            current_.Cells[other][line] != kEmptyCell)
            return false;
        const double cut = double(e.Facts(cell).lineHours) + remaining - shortest;
        const CellId shorter = cut >= shortest ? e.FitToContract(e.ShiftCode(line, shift), cut) : kEmptyCell;
        const CellId added = e.FitToContract(e.ShiftCode(line, rnd(kShifts) + 1), shortest);
        if (shorter == kEmptyCell || added == kEmptyCell)
            return false;
        change(day, line, shorter);
        change(other, line, added);
        break;
    }
    default: {  // change the shift's kind
        if (cell == kEmptyCell || !free(day, line))
            return false;
        const CellId id = e.FitToContract(e.ShiftCode(line, shift), remaining + double(e.Facts(cell).lineHours));
        if (id == kEmptyCell || id == cell)
            return false;
        change(day, line, id);
        break;
    }
    }
    settle();
    return true;
}

// Judges the changes just made to the current week: kept when the real score does not
// fall (or late acceptance allows the dip), no line is filled past its contract and no
// hard rule breaks; else put back.
void FillSearch::settle()
{
    FillEngine& e = engine_;
    ++moves_;
    ++iterations_;
    // The lines changed, with their hours before.
    int lines[kMaxChanges];
    double before[kMaxChanges];
    int n = 0;
    for (int k = 0; k < changeCount_; ++k) {
        const int l = changes_[k].line;
        if (std::find(lines, lines + n, l) != lines + n)
            continue;
        lines[n] = l;
        double hours = e.LineHours(current_, l);
        for (int j = changeCount_ - 1; j >= 0; --j)  // undo on a copy of the line's cells
            if (changes_[j].line == l)
                hours += double(e.Facts(changes_[j].before).lineHours) -
                         double(e.Facts(current_.Cells[changes_[j].day][l]).lineHours);
        before[n++] = hours;
    }
    // A line is not filled past its contract, and a move that gains nothing does not
    // leave more shortened shifts behind.
    bool accept = true;
    int tidier = 0;
    for (int i = 0; i < n && accept; ++i) {
        const double after = e.LineHours(current_, lines[i]);
        if (after > e.Contract(lines[i]) + 1e-4 && after > before[i] + 1e-4)
            accept = false;
    }
    for (int k = 0; k < changeCount_; ++k) {
        const int l = changes_[k].line;
        tidier += shortened(l, changes_[k].before) - shortened(l, current_.Cells[changes_[k].day][l]);
    }
    // Only the days and lines the move touched are scored again.
    int days[kMaxChanges], nDays = 0;
    int dayLost[kMaxChanges], dayWant[kMaxChanges], lineLost[kMaxChanges], lineWant[kMaxChanges];
    int lost = lostSum_, want = wantSum_;
    if (accept) {
        for (int k = 0; k < changeCount_; ++k) {
            const int d = changes_[k].day;
            if (std::find(days, days + nDays, d) != days + nDays)
                continue;
            e.DayPenalty(current_, d, &dayLost[nDays], &dayWant[nDays]);
            lost += dayLost[nDays] - dayLost_[d];
            want += dayWant[nDays] - dayWant_[d];
            days[nDays++] = d;
        }
        for (int i = 0; i < n; ++i) {
            e.LinePenalty(current_, lines[i], &lineLost[i], &lineWant[i]);
            lost += lineLost[i] - lineLost_[lines[i]];
            want += lineWant[i] - lineWant_[lines[i]];
        }
    }
    const int unclamped = 100 - lost, deficit = want;
    const int score = std::max(0, unclamped);
    // Between weeks of equal score, the one that wants less; then the tidier.
    // Late acceptance: a week no worse than the current one was some moves ago may also
    // be taken, so the search can cross a small dip.
    int& late = lateScores_[moves_ % kLateLength];
    accept = accept && (unclamped > currentScore_ ||
                        (unclamped == currentScore_ &&
                         (deficit < currentDeficit_ || (deficit == currentDeficit_ && tidier >= 0))) ||
                        (unclamped < currentScore_ && unclamped >= late));
    late = currentScore_;
    for (int i = 0; i < n && accept && guard_; ++i)
        accept = lineSafe(current_, lines[i]);
    if (!accept) {
        undoTo(0);
        ++staleMoves_;
        return;
    }
    for (int i = 0; i < nDays; ++i) {
        e.SummariseDay(current_, days[i]);
        dayLost_[days[i]] = dayLost[i];
        dayWant_[days[i]] = dayWant[i];
    }
    for (int i = 0; i < n; ++i) {
        lineLost_[lines[i]] = lineLost[i];
        lineWant_[lines[i]] = lineWant[i];
    }
    lostSum_ = lost;
    wantSum_ = want;
    currentScore_ = unclamped;
    currentDeficit_ = deficit;
    // Only a week better than the round's best (or as good and wanting less) is progress:
    // the late acceptance's dips and climbs back are not.
    if (unclamped > roundBestScore_ || (unclamped == roundBestScore_ && deficit < roundBestDeficit_)) {
        staleMoves_ = 0;
        if (unclamped > roundBestScore_)
            restarts_ = 0;
        roundBest_ = current_;
        roundBestScore_ = unclamped;
        roundBestDeficit_ = deficit;
    } else {
        ++staleMoves_;
    }
    if (unclamped > slots_[0].unclamped) {
        keep(current_, score, unclamped, false);
        roundsWithoutBest_ = -1;  // this round counts as one that found a better best
    } else if (unclamped > slots_[kSolutionSlots - 1].unclamped || !slots_[kSolutionSlots - 1].filled) {
        offer(current_, score, unclamped);
    }
}

bool FillSearch::improve(int moves)
{
    if (phase_ != FillPhase::Improve)
        startImprove();
    newBest_ = false;
    for (int i = 0; i < moves; ++i) {
        if (slots_[0].score == 100)
            return false;
        if (restarts_ > kRestarts) {
            if (++roundsWithoutBest_ >= kRoundsWithoutBest && !keepSearching_)
                return false;
            const bool wasBest = newBest_;
            startRound();
            newBest_ = newBest_ || wasBest;
        }
        const bool wasBest = newBest_;
        tryMove();
        newBest_ = newBest_ || wasBest;
        if (staleMoves_ >= kStaleBeforeRestart) {
            // Start again from the round's best week, shaken whatever it costs: another
            // shift left short instead of one that is, then a few changes.
            ++restarts_;
            staleMoves_ = 0;
            current_ = roundBest_;
            scoreCurrent();
            currentScore_ = -1000000;
            for (int tries = 0; tries < kKickTradeTries; ++tries) {
                int shift = 0;
                const int day = shortShiftOf(current_, &shift);
                if (day == 0 || tryTradeShort(day, shift))
                    break;
            }
            for (int k = 0; k < kKicks; ++k)
                tryMove();
            currentScore_ = 100 - lostSum_;
            currentDeficit_ = wantSum_;
            lateScores_.fill(currentScore_);
        }
    }
    return slots_[0].score < 100 &&
           (keepSearching_ || restarts_ <= kRestarts || roundsWithoutBest_ + 1 < kRoundsWithoutBest);
}

}  // namespace tavrola
