#pragma once
#include "settings/DutyText.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace tavrola {

using CellId = std::uint16_t;
inline constexpr CellId kEmptyCell = 0;
inline constexpr std::size_t kMostCellTexts = 0xFFFF;

// What one distinct cell text counts for in a fill.
struct DutyFacts {
    float hours = 0;      // DutyHours
    int flags = 0;        // ShiftAM | ShiftPM | ShiftN
    float lineHours = 0;  // the hours a line counts: DutyHours, or its absence codes' when 0
    bool illness = false; // holds the illness code
    bool dayOff = false;  // exactly "DO"
};

// The distinct texts of one fill, each evaluated once: requests, standard shifts, the
// shift names and shortened shifts. Id 0 is the empty text. A table holds at most
// 65534 texts; a fill never comes near that.
class DutyTable {
public:
    explicit DutyTable(const WardSettings& settings);

    CellId idOf(const QString& text);
    const QString& text(CellId id) const { return texts_[id]; }
    const DutyFacts& facts(CellId id) const { return facts_[id]; }
    const DutyEvaluator& evaluator() const { return evaluator_; }

private:
    DutyEvaluator evaluator_;
    std::vector<QString> texts_;
    std::vector<DutyFacts> facts_;
    QHash<QString, CellId> ids_;
};

}  // namespace tavrola
