#pragma once
#include "document/WardModel.h"
#include "settings/WardSettings.h"

#include <QDate>
#include <QLocale>

namespace tavrola::test {

// Week files and dates in the ward's day/month/year form, whatever the machine's locale;
// the previous default comes back afterwards.
class BritishDates {
public:
    BritishDates() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    ~BritishDates() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

// 24-character core-hours mask with "1" at positions from..to (1-based, wrapping past 24).
QString CoreMask(int from, int to);

// A ward with distinct codes: EARLY / LATE / NIGHT shifts of 7.5, 7.5 and 10 hours (the
// early and late hours can be given), HOL and BH holidays (7.5 default hours), SICK, six
// leaves, STUDY and ADMIN, a 0.5 break, and core hours 7-15, 13-21 and 21-7.
WardSettings TestWardSettings(float earlyHours = 7.5f, float lateHours = 7.5f);

// Puts the test ward into a model with named lines 1..n, each contracted for 37.5 hours,
// and every requirement 0.
void SetUpTestWard(WardModel& model, int namedLines);

// The same ward as St Elsewhere's Ward 9, its data in `folder` and `start` in the picker.
void SetUpTestWardIn(WardModel& model, int namedLines, const QString& folder, const QDate& start);

}  // namespace tavrola::test
