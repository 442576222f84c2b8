#pragma once
#include "roster/WeekData.h"

#include <QString>
#include <cstdint>

namespace tavrola {

// Hard rules that a candidate's staff lines must keep (the working-time rules, supplied
// from above). Whatever the requests already break is allowed; anything the fill adds is
// not.
class LineGuard {
public:
    virtual ~LineGuard() = default;
    // The days (bit d for day d) on which `cells` [day 1..7] of `line` break a rule that
    // the line's requests alone do not; 0 when the line is safe.
    virtual std::uint32_t newBreachDays(int line, const QString (&cells)[kDays + 1]) = 0;
};

}  // namespace tavrola
