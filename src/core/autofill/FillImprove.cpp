// The local search after the random phase: from the best week, the moves a planner makes
// (place, take out or move a shift between days, swap two lines' duties on a day, change
// a shift's kind; pay a gap under the shortest shift by cutting one shift and adding a
// shortest one), kept when the real score does not fall below the current week's (or
// below what it was some moves ago: late acceptance, to get past a dip) and no hard rule
// breaks. Requests never change. Shifts go to the days that are short more often than not.
// Where the ward cannot staff every shift, which ones are left short is what the score
// turns on: a move trades that, and every restart begins with one.
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

// Set bits, without the library call that std::popcount becomes on plain x86-64.
int BitCount(std::uint32_t x)
{
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return int((((x + (x >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

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
        rnd(2) == 0) {
        if (!makeCounted(day, line, shift))
            return false;
        settle();
        return true;
    }
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

// Brings a short shift up to its number at once: each missing person is a line not on
// it that day, whose empty day gets the shift, whose other shift that day changes kind,
// or whose shift from another day moves here when its hours are spent.
bool FillSearch::tryStaffShift(int day, int shift)
{
    FillEngine& e = engine_;
    const int staff = e.NumberOfStaff();
    auto rnd = [this](int n) { return int(moveRandom_.Random(std::uint32_t(n))); };
    changeCount_ = 0;
    int missing = e.Required(day, shift) - current_.Summary[day].Count[shift];
    for (int tries = 0; missing > 0 && tries < 4 * kMaxChanges && changeCount_ + 2 <= kMaxChanges; ++tries) {
        const int line = rnd(staff) + 1;
        const CellId cell = current_.Cells[day][line];
        if (!e.HasContract(line) || e.Requested(day, line) || (cell != kEmptyCell && ((e.Facts(cell).flags >> (shift - 1)) & 1)))
            continue;
        bool changedHere = false;
        for (int k = 0; k < changeCount_; ++k)
            changedHere = changedHere || (changes_[k].line == line && changes_[k].day == day);
        if (changedHere)
            continue;
        const int mark = changeCount_;
        if (!bringOnto(day, line, shift, true) || !keepSafe(line, mark))
            continue;
        --missing;
    }
    if (changeCount_ == 0)
        return false;
    settle();
    return true;
}

// Trades which shift is short: staff of a shift that has its number go to the short one
// (on the same day by a change of kind, else their shift moves) until it has its number,
// leaving the other short instead. The first person taken costs a whole short shift, so
// no one-person step makes this trade.
bool FillSearch::tryTradeShort(int day, int shift)
{
    FillEngine& e = engine_;
    auto rnd = [this](int n) { return int(moveRandom_.Random(std::uint32_t(n))); };
    const int fromDay = rnd(kDays) + 1, fromShift = rnd(kShifts) + 1;
    if ((fromDay == day && fromShift == shift) || e.Required(fromDay, fromShift) == 0 ||
        current_.Summary[fromDay].Count[fromShift] < e.Required(fromDay, fromShift))
        return false;
    int lines[kLines], n = 0;
    const std::uint32_t on = current_.Summary[fromDay].Lines[fromShift];
    for (int line = 1; line <= e.NumberOfStaff(); ++line)
        if (((on >> line) & 1u) && !e.Requested(fromDay, line) &&
            (fromDay == day || current_.Cells[day][line] == kEmptyCell) && !e.Requested(day, line))
            lines[n++] = line;
    changeCount_ = 0;
    int missing = e.Required(day, shift) - current_.Summary[day].Count[shift];
    while (missing > 0 && n > 0 && changeCount_ + 2 <= kMaxChanges) {
        const int pick = rnd(n);
        const int line = lines[pick];
        lines[pick] = lines[--n];
        const CellId moved = current_.Cells[fromDay][line];
        const double remaining = e.Contract(line) - double(e.LineHours(current_, line));
        const CellId id = e.FitToContract(e.ShiftCode(line, shift), remaining + double(e.Facts(moved).lineHours));
        if (id == kEmptyCell)
            continue;
        const int mark = changeCount_;
        if (fromDay != day)
            change(fromDay, line, kEmptyCell);
        change(day, line, id);
        if (keepSafe(line, mark))
            --missing;
    }
    if (changeCount_ == 0)
        return false;
    settle();
    return true;
}

// Whether `line` keeps the hard rules after the changes from `mark` on; if not, they are
// put back. A move of several lines checks each as it goes, so one line that would break
// a rule does not sink the others.
bool FillSearch::keepSafe(int line, int mark)
{
    if (!guard_ || lineSafe(current_, line))
        return true;
    while (changeCount_ > mark) {
        const CellChange& c = changes_[--changeCount_];
        current_.Cells[c.day][c.line] = c.before;
    }
    return false;
}

// A day other than `day` whose shift `line` can give up: one where the shift is not
// missed (more staff than it needs, or too few either way) when there is one, else any.
// 0 when the line has no shift it may give.
int FillSearch::donorDay(int line, int day)
{
    FillEngine& e = engine_;
    int spare[kDays], nSpare = 0, any[kDays], nAny = 0;
    for (int d = 1; d <= kDays; ++d) {
        const CellId id = current_.Cells[d][line];
        if (d == day || id == kEmptyCell || e.Requested(d, line) || e.Facts(id).lineHours <= 0)
            continue;
        any[nAny++] = d;
        bool missed = false;
        for (int s = 1; s <= kShifts; ++s)
            if ((e.Facts(id).flags >> (s - 1)) & 1)
                missed = missed || current_.Summary[d].Count[s] == e.Required(d, s);
        if (!missed)
            spare[nSpare++] = d;
    }
    if (nSpare > 0)
        return spare[moveRandom_.Random(std::uint32_t(nSpare))];
    return nAny > 0 ? any[moveRandom_.Random(std::uint32_t(nAny))] : 0;
}

// A staffed shift that lacks holders of a skill (the required number first, else the
// preferable one): one holder not on it that day takes it, by a shift placed on an empty
// day, a shift's kind changed, a shift moved from another day when the holder's hours are
// spent, or a swap of duties with someone on the shift who does not hold the skill.
bool FillSearch::trySkillCover()
{
    FillEngine& e = engine_;
    const WardSettings& s = e.settings();
    auto rnd = [this](int n) { return int(moveRandom_.Random(std::uint32_t(n))); };
    auto holds = [&](int line, int k) { return (e.Skills(line) >> (k - 1)) & 1u; };
    const std::uint32_t* holderLines = holderLines_;
    int lack[2][kDays * kShifts * kSkills][3];
    int lacking[2] = {};
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            if (e.Required(day, shift) == 0)
                continue;
            const std::uint32_t on = current_.Summary[day].Lines[shift];
            for (int k = 1; k <= kSkills; ++k) {
                if (s.SkillCode[k].isEmpty())
                    continue;
                const int held = BitCount(on & holderLines[k]);
                for (int pass = 0; pass < 2; ++pass)
                    if (held < (pass == 0 ? s.SkillRequired[k] : s.SkillPreferable[k])) {
                        int* t = lack[pass][lacking[pass]++];
                        t[0] = day, t[1] = shift, t[2] = k;
                    }
            }
        }
    const int pass = lacking[0] > 0 ? 0 : 1;
    if (lacking[pass] == 0)
        return false;
    const int* t = lack[pass][rnd(lacking[pass])];
    const int day = t[0], shift = t[1], k = t[2];
    const std::uint32_t on = current_.Summary[day].Lines[shift];
    int holders[kLines], nHolders = 0, others[kLines], nOthers = 0;
    for (int line = 1; line <= e.NumberOfStaff(); ++line) {
        if (!e.HasContract(line) || e.Requested(day, line))
            continue;
        if (holds(line, k) && !((on >> line) & 1u))
            holders[nHolders++] = line;
        else if (!holds(line, k) && ((on >> line) & 1u))
            others[nOthers++] = line;
    }
    if (nHolders == 0)
        return false;
    const int line = holders[rnd(nHolders)];
    changeCount_ = 0;
    if (nOthers > 0 && rnd(2) == 0) {  // swap duties with one on the shift without the skill
        const int other = others[rnd(nOthers)];
        const CellId cell = current_.Cells[day][line];
        change(day, line, current_.Cells[day][other]);
        change(day, other, cell);
    } else if (!bringOnto(day, line, shift, false)) {
        return false;
    }
    settle();
    return true;
}

// Puts `line` on `shift` that day: its other shift that day changes kind, its empty day
// gets the shift, or, when its hours are spent, one of its shifts on another day moves
// here. False when none fits, and when the changed kind is the same cell unless
// `sameCounts`.
bool FillSearch::bringOnto(int day, int line, int shift, bool sameCounts)
{
    FillEngine& e = engine_;
    const CellId cell = current_.Cells[day][line];
    const CellId code = e.ShiftCode(line, shift);
    const double remaining = e.Contract(line) - double(e.LineHours(current_, line));
    if (cell != kEmptyCell) {
        const CellId id = e.FitToContract(code, remaining + double(e.Facts(cell).lineHours));
        if (id == kEmptyCell || (id == cell && !sameCounts))
            return false;
        if (!covers(id, shift))
            return makeCounted(day, line, shift);
        change(day, line, id);
    } else if (remaining >= double(e.input().MinShortShift) - 1e-4) {
        const CellId id = e.FitToContract(code, remaining);
        if (id == kEmptyCell)
            return false;
        if (!covers(id, shift))
            return makeCounted(day, line, shift);
        change(day, line, id);
    } else if (moveRandom_.Random(2) == 0) {
        return makeCounted(day, line, shift);
    } else {
        const int from = donorDay(line, day);
        if (from == 0)
            return false;
        const CellId moved = current_.Cells[from][line];
        const CellId id = e.FitToContract(code, remaining + double(e.Facts(moved).lineHours));
        if (id == kEmptyCell)
            return false;
        change(from, line, kEmptyCell);
        change(day, line, id);
    }
    return true;
}

// The shortest length (in quarter hours) at which `line`'s code for `shift`, cut short,
// still counts for the shift; 0 when no cut form does.
double FillSearch::countedHours(int line, int shift)
{
    double& known = countedHours_[line][shift];
    if (known >= 0)
        return known;
    FillEngine& e = engine_;
    const CellId code = e.ShiftCode(line, shift);
    known = 0;
    if (code == kEmptyCell)
        return known;
    const double full = double(e.Facts(code).hours);
    for (double hours = double(e.input().MinShortShift); hours < full + 1e-4 && known == 0; hours += 0.25)
        if (covers(e.FitToContract(code, hours), shift))
            known = hours;
    return known;
}

// Cuts `line`'s shifts on days other than `day` by `hours` in all, each still counting for
// its shift, so the line can work one more. False, with nothing cut, when they cannot.
bool FillSearch::cutOthers(int line, int day, double hours)
{
    FillEngine& e = engine_;
    const int mark = changeCount_;
    const int start = int(moveRandom_.Random(std::uint32_t(kDays)));
    for (int i = 0; i < kDays && hours > 1e-4; ++i) {
        const int d = (start + i) % kDays + 1;
        const CellId cell = current_.Cells[d][line];
        if (d == day || cell == kEmptyCell || e.Requested(d, line))
            continue;
        int kind = 0;
        for (int s = 1; s <= kShifts; ++s)
            if (covers(cell, s))
                kind = kind == 0 ? s : -1;
        if (kind <= 0)
            continue;
        const double have = double(e.Facts(cell).lineHours);
        const double cut = std::min(hours, have - countedHours(line, kind));
        const CellId shorter = cut > 1e-4 ? e.FitToContract(e.ShiftCode(line, kind), have - cut) : kEmptyCell;
        if (shorter == kEmptyCell || shorter == cell || e.Facts(shorter).flags != e.Facts(cell).flags)
            continue;
        change(d, line, shorter);
        hours -= cut;
    }
    if (hours <= 1e-4)
        return true;
    while (changeCount_ > mark) {
        const CellChange& c = changes_[--changeCount_];
        current_.Cells[c.day][c.line] = c.before;
    }
    return false;
}

// Takes out `line`'s cut-short shift on `day` and lengthens its other cut-short shifts
// by the hours it held, towards whole shifts.
bool FillSearch::tryMerge(int day, int line)
{
    FillEngine& e = engine_;
    double hours = double(e.Facts(current_.Cells[day][line]).lineHours);
    changeCount_ = 0;
    change(day, line, kEmptyCell);
    const int start = int(moveRandom_.Random(std::uint32_t(kDays)));
    for (int i = 0; i < kDays && hours > 1e-4; ++i) {
        const int d = (start + i) % kDays + 1;
        const CellId cell = current_.Cells[d][line];
        if (d == day || !shortened(line, cell) || e.Requested(d, line))
            continue;
        int kind = 0;
        for (int s = 1; s <= kShifts; ++s)
            if (covers(cell, s))
                kind = kind == 0 ? s : -1;
        if (kind <= 0)
            continue;
        const CellId code = e.ShiftCode(line, kind);
        const double have = double(e.Facts(cell).lineHours);
        const double add = std::min(hours, double(e.Facts(code).hours) - have);
        const CellId longer = add > 1e-4 ? e.FitToContract(code, have + add) : kEmptyCell;
        if (longer == kEmptyCell || longer == cell)
            continue;
        change(d, line, longer);
        hours -= add;
    }
    if (hours > 1e-4) {
        for (int k = changeCount_ - 1; k >= 0; --k)
            current_.Cells[changes_[k].day][changes_[k].line] = changes_[k].before;
        changeCount_ = 0;
        return false;
    }
    settle();
    return true;
}

// Puts `line` on `shift` that day with a shift long enough to count for it: what the line
// has left pays first, then its other shifts are cut (each still counting for its own).
// More, shorter shifts are how a line whose hours do not divide into whole shifts, or a
// scarce skill's few holders, cover more shifts than whole shifts and a leftover piece
// that counts for nothing.
bool FillSearch::makeCounted(int day, int line, int shift)
{
    FillEngine& e = engine_;
    const CellId cell = current_.Cells[day][line];
    const double counted = countedHours(line, shift);
    if (counted <= 0 || e.Requested(day, line) || (cell != kEmptyCell && covers(cell, shift)))
        return false;
    const double have = cell == kEmptyCell ? 0.0 : double(e.Facts(cell).lineHours);
    const double remaining = std::max(0.0, e.Contract(line) - double(e.LineHours(current_, line)));
    const double full = double(e.Facts(e.ShiftCode(line, shift)).hours);
    const double length = std::max(counted, std::min(full, have + remaining));
    const int mark = changeCount_;
    if (length - have - remaining > 1e-4 && !cutOthers(line, day, length - have - remaining))
        return false;
    const CellId id = e.FitToContract(e.ShiftCode(line, shift), length);
    if (!covers(id, shift)) {
        while (changeCount_ > mark) {
            const CellChange& c = changes_[--changeCount_];
            current_.Cells[c.day][c.line] = c.before;
        }
        return false;
    }
    change(day, line, id);
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
        for (int k = changeCount_ - 1; k >= 0; --k)
            current_.Cells[changes_[k].day][changes_[k].line] = changes_[k].before;
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
