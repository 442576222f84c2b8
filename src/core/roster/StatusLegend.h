#pragma once
#include "roster/Colours.h"

#include <QString>
#include <vector>

namespace tavrola {

// One status the grid shows: its colour, the glyph or text that carries it without
// the colour, and what it means. The legend window and the guide list these.
struct StatusMark {
    QString name;
    Colour colour;
    QString glyph;
    QString meaning;
};

// Every status of the grid, in the legend's order.
const std::vector<StatusMark>& StatusMarks();

}  // namespace tavrola
