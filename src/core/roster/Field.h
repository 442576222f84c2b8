#pragma once
#include "roster/Colours.h"

#include <QString>

namespace tavrola {

class RosterWeek;

// Count: the read-only staff count under a required box (text and colour from the totals).
enum class FieldRole { None, Name, Grade, HoursSet, HoursWorking, Day, Lectures, Required, Count };
enum class FieldChange { Text, Colour, Hint, Error };

// One edit box of the roster grid: its text, background colour and hint. Index-0 entries
// of the tables are placeholders: they read as empty and ignore every write.
class Field {
public:
    Field() = default;
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const QString& text() const { return text_; }
    Colour colour() const { return colour_; }
    const QString& hint() const { return hint_; }
    // Why the box's number does not convert (shown as a mark on the box); empty when fine.
    const QString& error() const { return error_; }

    // Each setter reports a real change to the owning roster week.
    void setText(const QString& text);
    void setColour(Colour colour);
    void setHint(const QString& hint);
    void setError(const QString& error);

    FieldRole role() const { return role_; }
    int line() const { return line_; }    // 1..25 (0 for required boxes)
    int day() const { return day_; }      // 1..7 for day cells, required boxes and counts
    int shift() const { return shift_; }  // 1..3 for required boxes and counts
    bool isPlaceholder() const { return owner_ == nullptr; }

private:
    friend class RosterWeek;
    QString text_;
    Colour colour_ = White;
    QString hint_;
    QString error_;
    FieldRole role_ = FieldRole::None;
    int line_ = 0, day_ = 0, shift_ = 0;
    RosterWeek* owner_ = nullptr;
};

}  // namespace tavrola
