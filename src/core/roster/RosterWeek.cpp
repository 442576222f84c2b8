#include "roster/RosterWeek.h"

#include <algorithm>

namespace tavrola {

void Field::setText(const QString& text)
{
    if (!owner_ || text_ == text)
        return;
    text_ = text;
    owner_->notify(*this, FieldChange::Text);
}

void Field::setColour(Colour colour)
{
    if (!owner_ || colour_ == colour)
        return;
    colour_ = colour;
    owner_->notify(*this, FieldChange::Colour);
}

void Field::setHint(const QString& hint)
{
    if (!owner_ || hint_ == hint)
        return;
    hint_ = hint;
    owner_->notify(*this, FieldChange::Hint);
}

void Field::setError(const QString& error)
{
    if (!owner_ || error_ == error)
        return;
    error_ = error;
    owner_->notify(*this, FieldChange::Error);
}

RosterWeek::RosterWeek()
{
    auto set = [this](Field& f, FieldRole role, int line, int day, int shift) {
        f.owner_ = this;
        f.role_ = role;
        f.line_ = line;
        f.day_ = day;
        f.shift_ = shift;
    };
    for (int line = 1; line <= kLines; ++line) {
        set(NameEdits[line], FieldRole::Name, line, 0, 0);
        set(GradeEdits[line], FieldRole::Grade, line, 0, 0);
        set(HoursSetEdits[line], FieldRole::HoursSet, line, 0, 0);
        set(HoursWorkingEdits[line], FieldRole::HoursWorking, line, 0, 0);
        set(LecturesEdits[line], FieldRole::Lectures, line, 0, 0);
        for (int day = 1; day <= kDays; ++day) {
            set(DayCells[day][line], FieldRole::Day, line, day, 0);
            BaseCellColours[day][line] = White;
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
        {
            set(ShiftRequiredEdits[day][shift], FieldRole::Required, 0, day, shift);
            set(ShiftCountBoxes[day][shift], FieldRole::Count, 0, day, shift);
            ShiftRequiredEdits[day][shift].text_ = QStringLiteral("0");  // until requirements are set up
        }
}

int RosterWeek::NumberOfStaff() const
{
    for (int line = kLines; line >= 1; --line)
        if (!NameEdits[line].text().isEmpty())
            return line;
    return 0;
}

int RosterWeek::LinesWithNames() const
{
    for (int line = kLines; line >= 0; --line)
        if (!NameEdits[line].text().isEmpty())
            return line + 1;
    return 0;
}

int RosterWeek::LinesUsedonTableGrid() const
{
    for (int line = kLines; line >= 0; --line) {
        if (!NameEdits[line].text().isEmpty() || !LecturesEdits[line].text().isEmpty())
            return line;
        for (int day = 1; day <= kDays; ++day)
            if (!DayCells[day][line].text().isEmpty())
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

bool RosterWeek::AffectsTotals(const Field& field, FieldChange what)
{
    switch (field.role()) {
    case FieldRole::Day: return what == FieldChange::Text || what == FieldChange::Colour;
    case FieldRole::Name:
    case FieldRole::HoursSet:
    case FieldRole::Required: return what == FieldChange::Text;
    default: return false;
    }
}

bool RosterWeek::IsStored(const Field& field)
{
    switch (field.role()) {
    case FieldRole::Day:
    case FieldRole::Name:
    case FieldRole::HoursSet:
    case FieldRole::Lectures:
    case FieldRole::Required: return true;
    default: return false;
    }
}

void RosterWeek::notify(const Field& field, FieldChange what)
{
    for (RosterObserver* o : observers_)
        o->fieldChanged(field, what);
    // Whatever the totals read (day texts and colours, names, hours set, required
    // boxes) recalculates at once, whoever wrote it. Marking the week changed is the
    // edit commands' business: loads and the week selection write fields too.
    if (Recalculate && !RecalcSuspended && AffectsTotals(field, what))
        Recalculate();
}

}  // namespace tavrola
