#pragma once
#include "settings/WardSettings.h"

namespace tavrola {

// Count: the read-only staff count under a required box (text and colour from the totals).
enum class BoxRole { None, Name, Grade, HoursSet, HoursWorking, Day, Lectures, Required, Count };
enum class BoxChange { Text, Colour, Hint, Error };

// Which box of the roster grid: a plain value that edits, undo steps and change reports
// carry. Tables are 1-based; a reference with an index 0 (or out of range) names no box:
// it reads as empty and every write to it is ignored.
class BoxRef {
public:
    BoxRef() = default;
    static BoxRef cell(int day, int line) { return {BoxRole::Day, line, day, 0}; }
    static BoxRef name(int line) { return {BoxRole::Name, line, 0, 0}; }
    static BoxRef grade(int line) { return {BoxRole::Grade, line, 0, 0}; }
    static BoxRef hoursSet(int line) { return {BoxRole::HoursSet, line, 0, 0}; }
    static BoxRef hoursWorking(int line) { return {BoxRole::HoursWorking, line, 0, 0}; }
    static BoxRef lectures(int line) { return {BoxRole::Lectures, line, 0, 0}; }
    static BoxRef required(int day, int shift) { return {BoxRole::Required, 0, day, shift}; }
    static BoxRef count(int day, int shift) { return {BoxRole::Count, 0, day, shift}; }

    BoxRole role() const { return role_; }
    int line() const { return line_; }    // 1..25 (0 for required boxes and counts)
    int day() const { return day_; }      // 1..7 for day cells, required boxes and counts
    int shift() const { return shift_; }  // 1..3 for required boxes and counts
    // Whether it names a box of the grid (not a placeholder).
    bool isBox() const
    {
        switch (role_) {
        case BoxRole::None: return false;
        case BoxRole::Day: return InRange(day_, kDays) && InRange(line_, kLines);
        case BoxRole::Required:
        case BoxRole::Count: return InRange(day_, kDays) && InRange(shift_, kShifts);
        default: return InRange(line_, kLines);
        }
    }
    bool operator==(const BoxRef&) const = default;

private:
    BoxRef(BoxRole role, int line, int day, int shift) : role_(role), line_(line), day_(day), shift_(shift) {}
    static bool InRange(int i, int last) { return i >= 1 && i <= last; }
    BoxRole role_ = BoxRole::None;
    int line_ = 0, day_ = 0, shift_ = 0;
};

}  // namespace tavrola
