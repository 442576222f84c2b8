#pragma once
#include "settings/WardSettings.h"

#include <QString>
#include <optional>

namespace tavrola {

// How a day cell's text is read, for its tool tip: "LATE · 7.5 h · late shift",
// "SICK EARLY · 0 h · sickness, not counted on the shift". `countsForNothing` is set for
// text that gives no hours, no shift and holds no known code (a typo, most likely).
QString ExplainDutyText(const WardSettings& settings, const QString& text, bool* countsForNothing = nullptr);

// The same for a screen reader: "NIGHT, 10 hours, night shift"; "empty" for no text.
QString SpokenDutyText(const WardSettings& settings, const QString& text, bool* countsForNothing = nullptr);

// Hours worked less the contract with the hours carried over; none when the hours-set
// box holds no readable number.
std::optional<float> ContractDifference(const QString& hoursSet, float worked);

// The mark at the end of an hours-set box, hours worked against the contract (with the
// hours carried over): "=" met, "+2.5" over, "\u22125" under; empty when the box holds no
// readable number.
QString ContractMark(const QString& hoursSet, float worked);

// An hours-set box: "contract 37.5 h; -17.5 h carried over from the weeks since
// 05/10/2026"; just "contract 37.5 h" without carried-over hours; the text itself when
// it holds no number.
QString ExplainHoursSet(const QString& text, const QString& analysisStart);

// A non-preference bar: "12 non-preferred shifts since 05/10/2026".
QString ExplainNonPrefBar(qint32 count, const QString& analysisStart);

}  // namespace tavrola
