#pragma once
#include "roster/RosterWeek.h"
#include "settings/WardSettings.h"

namespace tavrola {

// The program-wide state every operation works on: the ward settings and the week grid.
struct WardModel {
    WardSettings Settings;
    RosterWeek Week;
};

}  // namespace tavrola
