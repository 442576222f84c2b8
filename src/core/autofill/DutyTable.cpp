#include "autofill/DutyTable.h"

#include <stdexcept>

namespace tavrola {

DutyTable::DutyTable(const WardSettings& settings) : evaluator_(settings)
{
    texts_.emplace_back();
    facts_.emplace_back();
}

CellId DutyTable::idOf(const QString& text)
{
    if (text.isEmpty())
        return kEmptyCell;
    const auto it = ids_.constFind(text);
    if (it != ids_.constEnd())
        return *it;
    if (texts_.size() >= kMostCellTexts)
        throw std::length_error("too many distinct duty texts in one fill");
    DutyFacts f;
    f.hours = evaluator_.DutyHours(text, &f.flags);
    // Hours after a code that do not read count nothing, as on the grid.
    f.lineHours = f.hours == 0 ? evaluator_.AddAbsenceHours(text, f.hours, true) : f.hours;
    f.illness = evaluator_.HoldsIllness(text);
    f.dayOff = text == QLatin1String("DO");
    const CellId id = CellId(texts_.size());
    texts_.push_back(text);
    facts_.push_back(f);
    ids_.insert(text, id);
    return id;
}

}  // namespace tavrola
