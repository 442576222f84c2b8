#include "document/AccessibleText.h"

#include "document/WorkingTime.h"
#include "roster/CellExplanation.h"
#include "util/TextUtil.h"

#include <QStringList>
#include <cmath>

namespace tavrola {

namespace {

const char* const kShiftNames[kShifts + 1] = {"", "early shift", "late shift", "night shift"};

QString LineName(const RosterWeek& week, int line)
{
    const QString name = week.NameEdits[line].text().trimmed();
    return name.isEmpty() ? QStringLiteral("line %1").arg(line) : name;
}

QString ShiftPlace(const Field& field)
{
    return QStringLiteral("%1, %2").arg(QString(DayName(field.day())), QLatin1String(kShiftNames[field.shift()]));
}

QString Hours(float hours)
{
    return FloatToGeneral(hours, 4) + (hours == 1 ? QStringLiteral(" hour") : QStringLiteral(" hours"));
}

}  // namespace

QString AccessibleName(const RosterWeek& week, const Field& field)
{
    const int line = field.line();
    switch (field.role()) {
    case FieldRole::Day: return QStringLiteral("%1, %2").arg(QString(DayName(field.day())), LineName(week, line));
    case FieldRole::Name: return QStringLiteral("Line %1, name").arg(line);
    case FieldRole::Grade: return LineName(week, line) + QStringLiteral(", grade");
    case FieldRole::HoursSet: return LineName(week, line) + QStringLiteral(", contracted hours");
    case FieldRole::HoursWorking: return LineName(week, line) + QStringLiteral(", hours worked");
    case FieldRole::Lectures: return LineName(week, line) + QStringLiteral(", notes");
    case FieldRole::Required: return ShiftPlace(field) + QStringLiteral(", staff required");
    case FieldRole::Count: return ShiftPlace(field) + QStringLiteral(", staff on duty");
    case FieldRole::None: break;
    }
    return QString();
}

QString AccessibleDescription(const WardModel& model, const Field& field)
{
    const RosterWeek& w = model.Week;
    QStringList parts;
    switch (field.role()) {
    case FieldRole::Day: {
        parts += SpokenDutyText(model.Settings, field.text());
        if (field.colour() == RequestColour)
            parts += QStringLiteral("preferred day");
        else if (field.colour() == AlertColour)
            parts += QStringLiteral("bank holiday");
        const QString breaches = BreachToolTip(model.Breaches, field.line(), field.day());
        if (!breaches.isEmpty())
            parts += QStringLiteral("breaks a working-time rule: ") + QString(breaches).replace(u'\n', u' ');
        break;
    }
    case FieldRole::HoursSet: {
        if (field.text().trimmed().isEmpty())
            break;
        parts += ExplainHoursSet(field.text(), model.Settings.AnalysisStartDate);
        if (const std::optional<float> d = ContractDifference(field.text(), w.WeekHours[field.line()]))
            parts += *d == 0 ? QStringLiteral("contract met")
                             : Hours(std::abs(*d)) + (*d > 0 ? QStringLiteral(" over contract")
                                                             : QStringLiteral(" under contract"));
        break;
    }
    case FieldRole::HoursWorking:
        parts += Hours(w.WeekHours[field.line()]);
        break;
    case FieldRole::Required:
    case FieldRole::Count: {
        const int day = field.day(), shift = field.shift();
        parts += CoverDescription(shift, w.ShiftCovers[day][shift], w.ShiftCounts[day][shift],
                                  w.ShiftRequired[day][shift]);
        break;
    }
    default: break;
    }
    if (!field.error().isEmpty())
        parts += QStringLiteral("not a number: ") + field.error();
    return parts.join(QStringLiteral(", "));
}

}  // namespace tavrola
