#pragma once
#include "document/RosterDocument.h"

namespace tavrola {

// The program-wide state every operation works on: the roster document (ward settings,
// staff list, week grid and flags, undo history).
using WardModel = RosterDocument;

}  // namespace tavrola
