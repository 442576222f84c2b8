#include "roster/RosterWeek.h"

#include "roster/WeekTotals.h"

#include <algorithm>

namespace tavrola {

namespace {
const QString kNone;
}

WeekStatus::WeekStatus()
{
    std::fill(std::begin(HoursSetColours), std::end(HoursSetColours), White);
    for (int day = 0; day <= kDays; ++day)
        for (int shift = 0; shift <= kShifts; ++shift) {
            RequiredColours[day][shift] = White;
            CountColours[day][shift] = White;
        }
}

RosterWeek::RosterWeek()
{
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line)
            BaseCellColours[day][line] = White;
}

QString* RosterWeek::textOf(BoxRef b)
{
    if (!b.isBox())
        return nullptr;
    const int line = b.line(), day = b.day(), shift = b.shift();
    switch (b.role()) {
    case BoxRole::Day: return &data_.Cells[day][line];
    case BoxRole::Name: return &data_.Names[line];
    case BoxRole::Grade: return &data_.Grades[line];
    case BoxRole::HoursSet: return &data_.HoursSet[line];
    case BoxRole::HoursWorking: return &data_.HoursWorked[line];
    case BoxRole::Lectures: return &data_.Notes[line];
    case BoxRole::Required: return &data_.Required[day][shift];
    case BoxRole::Count: return &status_.CountTexts[day][shift];
    case BoxRole::None: break;
    }
    return nullptr;
}

// Only day cells (the user's request marks), hours-set boxes, required boxes and counts
// (the totals' colours) are coloured.
Colour* RosterWeek::colourOf(BoxRef b)
{
    if (!b.isBox())
        return nullptr;
    switch (b.role()) {
    case BoxRole::Day: return &data_.CellColours[b.day()][b.line()];
    case BoxRole::HoursSet: return &status_.HoursSetColours[b.line()];
    case BoxRole::Required: return &status_.RequiredColours[b.day()][b.shift()];
    case BoxRole::Count: return &status_.CountColours[b.day()][b.shift()];
    default: return nullptr;
    }
}

// Only day cells and required boxes hold numbers the totals convert.
QString* RosterWeek::errorOf(BoxRef b)
{
    if (!b.isBox())
        return nullptr;
    switch (b.role()) {
    case BoxRole::Day: return &status_.CellErrors[b.day()][b.line()];
    case BoxRole::Required: return &status_.RequiredErrors[b.day()][b.shift()];
    default: return nullptr;
    }
}

const QString& RosterWeek::text(BoxRef box) const
{
    const QString* t = const_cast<RosterWeek*>(this)->textOf(box);
    return t ? *t : kNone;
}

Colour RosterWeek::colour(BoxRef box) const
{
    const Colour* c = const_cast<RosterWeek*>(this)->colourOf(box);
    return c ? *c : White;
}

const QString& RosterWeek::hint(BoxRef box) const
{
    return box.role() == BoxRole::Day && box.isBox() ? data_.Hints[box.line()] : kNone;
}

const QString& RosterWeek::error(BoxRef box) const
{
    const QString* e = const_cast<RosterWeek*>(this)->errorOf(box);
    return e ? *e : kNone;
}

void RosterWeek::setText(BoxRef box, const QString& text)
{
    QString* t = textOf(box);
    if (!t || *t == text)
        return;
    *t = text;
    notify(box, BoxChange::Text);
}

void RosterWeek::setColour(BoxRef box, Colour colour)
{
    Colour* c = colourOf(box);
    if (!c || *c == colour)
        return;
    *c = colour;
    notify(box, BoxChange::Colour);
}

void RosterWeek::setError(BoxRef box, const QString& error)
{
    QString* e = errorOf(box);
    if (!e || *e == error)
        return;
    *e = error;
    notify(box, BoxChange::Error);
}

void RosterWeek::setLineHint(int line, const QString& hint)
{
    if (line < 1 || line > kLines || data_.Hints[line] == hint)
        return;
    data_.Hints[line] = hint;
    for (int day = 1; day <= kDays; ++day)
        notify(BoxRef::cell(day, line), BoxChange::Hint);
}

void RosterWeek::load(const WeekData& d)
{
    const RecalcBatch batch(*this);
    for (int line = 1; line <= kLines; ++line) {
        setLineHint(line, d.Hints[line]);
        for (int day = 1; day <= kDays; ++day) {
            setText(BoxRef::cell(day, line), d.Cells[day][line]);
            setColour(BoxRef::cell(day, line), d.CellColours[day][line]);
        }
        setText(BoxRef::name(line), d.Names[line]);
        setText(BoxRef::grade(line), d.Grades[line]);
        setText(BoxRef::hoursSet(line), d.HoursSet[line]);
        setText(BoxRef::hoursWorking(line), d.HoursWorked[line]);
        setText(BoxRef::lectures(line), d.Notes[line]);
        data_.NonPrefCount[line] = d.NonPrefCount[line];
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            setText(BoxRef::required(day, shift), d.Required[day][shift]);
}

void RosterWeek::applyTotals(const WeekTotals& t)
{
    for (int line = 0; line <= kLines; ++line) {
        status_.WeekHours[line] = t.WeekHours[line];
        data_.NonPrefCount[line] = t.WeekNonPrefCount[line];
    }
    for (int day = 0; day <= kDays; ++day)
        for (int shift = 0; shift <= kShifts; ++shift) {
            status_.ShiftCounts[day][shift] = t.ShiftCounts[day][shift];
            status_.ShiftRequired[day][shift] = t.Required[day][shift];
            status_.ShiftCovers[day][shift] = t.Covers[day][shift];
        }
    for (int line = 1; line <= kLines; ++line) {
        setText(BoxRef::hoursWorking(line), t.HoursWorked[line]);
        setColour(BoxRef::hoursSet(line), t.HoursSetColours[line]);
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            if (t.RequiredRead[day][shift])
                setColour(BoxRef::required(day, shift), t.RequiredColours[day][shift]);
            const Cover cover = t.Covers[day][shift];
            setText(BoxRef::count(day, shift), CoverText(cover, t.ShiftCounts[day][shift]));
            setColour(BoxRef::count(day, shift), CoverColour(cover));
        }

    // The marks: every box whose number does not convert, and no other.
    const QString* errors[kDays + 1][kLines + 1] = {};
    const QString* requiredErrors[kDays + 1][kShifts + 1] = {};
    for (const BoxError& e : t.Errors) {
        if (e.required)
            requiredErrors[e.day][e.shift] = &e.message;
        else
            errors[e.day][e.line] = &e.message;
    }
    for (int day = 1; day <= kDays; ++day) {
        for (int line = 1; line <= kLines; ++line)
            setError(BoxRef::cell(day, line), errors[day][line] ? *errors[day][line] : kNone);
        for (int shift = 1; shift <= kShifts; ++shift)
            setError(BoxRef::required(day, shift),
                     requiredErrors[day][shift] ? *requiredErrors[day][shift] : kNone);
    }
}

int RosterWeek::NumberOfStaff() const
{
    for (int line = kLines; line >= 1; --line)
        if (!data_.Names[line].isEmpty())
            return line;
    return 0;
}

int RosterWeek::LinesWithNames() const
{
    for (int line = kLines; line >= 0; --line)
        if (!data_.Names[line].isEmpty())
            return line + 1;
    return 0;
}

int RosterWeek::LinesUsedonTableGrid() const
{
    for (int line = kLines; line >= 0; --line) {
        if (!data_.Names[line].isEmpty() || !data_.Notes[line].isEmpty())
            return line;
        for (int day = 1; day <= kDays; ++day)
            if (!data_.Cells[day][line].isEmpty())
                return line;
    }
    return 0;
}

void RosterWeek::addObserver(RosterObserver* observer)
{
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void RosterWeek::removeObserver(RosterObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

bool RosterWeek::AffectsTotals(BoxRef box, BoxChange what)
{
    switch (box.role()) {
    case BoxRole::Day: return what == BoxChange::Text || what == BoxChange::Colour;
    case BoxRole::Name:
    case BoxRole::HoursSet:
    case BoxRole::Required: return what == BoxChange::Text;
    default: return false;
    }
}

bool RosterWeek::IsStored(BoxRef box)
{
    switch (box.role()) {
    case BoxRole::Day:
    case BoxRole::Name:
    case BoxRole::HoursSet:
    case BoxRole::Lectures:
    case BoxRole::Required: return true;
    default: return false;
    }
}

void RosterWeek::notify(BoxRef box, BoxChange what)
{
    for (RosterObserver* o : observers_)
        o->boxChanged(box, what);
    // Whatever the totals read (day texts and colours, names, hours set, required
    // boxes) recalculates at once, whoever wrote it. Marking the week changed is the
    // edit commands' business: loads and the week selection write boxes too.
    if (Recalculate && !RecalcSuspended && AffectsTotals(box, what))
        Recalculate();
}

}  // namespace tavrola
