#include "clinics/ClinicDay.h"

namespace tavrola {

// Placeholders until the clinic schedule's own rules are in.
int ClinicWeekNumber(const QDate&)
{
    return 1;
}

QStringList ClinicDayLines(const QStringList&, int, int)
{
    return {};
}

std::array<QString, 25> ClinicNotesColumn(const std::array<QString, 25>& column, int, const QStringList&)
{
    return column;
}

}  // namespace tavrola
