// The local search's compound moves: staffing a short shift whole, trading which shift is
// left short, bringing a holder of a missing skill onto a shift, and the steps they share
// (bringing a line onto a shift, cut shifts that still count, giving a cut shift's hours
// back). Each makes its changes to the current week and leaves them to settle() to judge.
#include "autofill/FillSearch.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

// Set bits, without the library call that std::popcount becomes on plain x86-64.
int BitCount(std::uint32_t x)
{
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return int((((x + (x >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

}  // namespace

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
        if (!e.HasContract(line) || e.Requested(day, line) || (cell != kEmptyCell && covers(cell, shift)))
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
    return settleChanges();
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
    return settleChanges();
}

// Whether `line` keeps the hard rules after the changes from `mark` on; if not, they are
// put back. A move of several lines checks each as it goes, so one line that would break
// a rule does not sink the others.
bool FillSearch::keepSafe(int line, int mark)
{
    if (!guard_ || lineSafe(current_, line))
        return true;
    undoTo(mark);
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
            missed = missed || (covers(id, s) && current_.Summary[d].Count[s] == e.Required(d, s));
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
    return settleChanges();
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
    const double full = std::min(double(e.Facts(code).hours), 24.0);  // an odd code's reading stays bounded
    for (double hours = std::max(double(e.input().MinShortShift), 0.25); hours < full + 1e-4 && known == 0;
         hours += 0.25)
        if (covers(e.FitToContract(code, hours), shift))
            known = hours;
    return known;
}

// Changes `line`'s shifts on days other than `day` by `hours` in all: cut (hours below
// 0), each still counting for the shift it counted for, or lengthened (above 0), each no
// longer than the whole shift. False, with nothing changed, when they cannot take it all.
bool FillSearch::resizeOthers(int line, int day, double hours)
{
    FillEngine& e = engine_;
    const bool cut = hours < 0;
    double left = std::abs(hours);
    const int mark = changeCount_;
    const int start = int(moveRandom_.Random(std::uint32_t(kDays)));
    for (int i = 0; i < kDays && left > 1e-4; ++i) {
        const int d = (start + i) % kDays + 1;
        const CellId cell = current_.Cells[d][line];
        const int kind = onlyShift(cell);
        if (d == day || kind == 0 || e.Requested(d, line))
            continue;
        const CellId code = e.ShiftCode(line, kind);
        const double have = double(e.Facts(cell).lineHours);
        const double step = std::min(left, cut ? have - countedHours(line, kind) : double(e.Facts(code).hours) - have);
        const CellId resized = step > 1e-4 ? e.FitToContract(code, cut ? have - step : have + step) : kEmptyCell;
        if (resized == kEmptyCell || resized == cell || (cut && e.Facts(resized).flags != e.Facts(cell).flags))
            continue;
        change(d, line, resized);
        left -= step;
    }
    if (left <= 1e-4)
        return true;
    undoTo(mark);
    return false;
}

// Takes out `line`'s cut-short shift on `day` and lengthens its other cut-short shifts
// by the hours it held, towards whole shifts.
bool FillSearch::tryMerge(int day, int line)
{
    const double hours = double(engine_.Facts(current_.Cells[day][line]).lineHours);
    changeCount_ = 0;
    change(day, line, kEmptyCell);
    if (!resizeOthers(line, day, hours)) {
        undoTo(0);
        return false;
    }
    return settleChanges();
}

// The one shift a cell counts for; 0 when it counts for none or for more than one.
int FillSearch::onlyShift(CellId id) const
{
    int kind = 0;
    for (int s = 1; s <= kShifts; ++s)
        if (covers(id, s))
            kind = kind == 0 ? s : -1;
    return std::max(kind, 0);
}

// Judges the changes the move made, when it made any; whether it did.
bool FillSearch::settleChanges()
{
    if (changeCount_ == 0)
        return false;
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
    if (length - have - remaining > 1e-4 && !resizeOthers(line, day, -(length - have - remaining)))
        return false;
    const CellId id = e.FitToContract(e.ShiftCode(line, shift), length);
    if (!covers(id, shift)) {
        undoTo(mark);
        return false;
    }
    change(day, line, id);
    return true;
}

}  // namespace tavrola
