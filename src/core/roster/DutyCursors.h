#pragma once
#include "roster/Brushes.h"

#include <QString>
#include <array>

namespace tavrola {

// The program's cursor table: ids 1..6000 each hold a cursor (named by its resource), id 0
// holds the default. An id is free while it still holds the default.
class CursorRegistry {
public:
    static constexpr int kMaxId = 6000;
    const QString& resourceAt(int id) const { return slots_.at(std::size_t(id)); }
    void install(int id, const QString& resource) { slots_.at(std::size_t(id)) = resource; }
    bool isFree(int id) const { return slots_.at(std::size_t(id)) == slots_[0]; }

private:
    std::array<QString, kMaxId + 1> slots_;
};

// The brush cursors: one id per brush, and the cursor in force. The brush is whatever
// brush owns the cursor in force; any other cursor (the arrow) is no brush.
struct DutyCursors {
    CursorRegistry Registry;
    int DutyCursorIds[kBrushCount + 1] = {};  // indexed by Brush (1..7)
    int CurrentCursorId = 0;

    Brush currentBrush() const;
    void choose(Brush brush) { CurrentCursorId = brush == Brush::None ? 0 : DutyCursorIds[int(brush)]; }
};

// Finds a free id when `id` is 0 (the first of 1..6000 still holding the default), then
// installs the named cursor under it. With no free id, `id` stays 0 and nothing changes.
void LoadScreenCursor(CursorRegistry& registry, int& id, const QString& resourceName);

// Sets up the seven brush cursors in the order AM, PM, N, H, S, L, T, with their trace lines.
void LoadDutyCursors(DutyCursors& cursors);

// The cursor resource of each brush ("ARROWAM" ...).
QString BrushCursorResource(Brush brush);

}  // namespace tavrola
