#include "roster/RosterWeek.h"

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
