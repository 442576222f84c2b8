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
    const QString name = week.data().Names[line].trimmed();
    return name.isEmpty() ? QStringLiteral("line %1").arg(line) : name;
}

QString ShiftPlace(BoxRef box)
{
    return QStringLiteral("%1, %2").arg(QString(DayName(box.day())), QLatin1String(kShiftNames[box.shift()]));
}

QString Hours(float hours)
{
    return FloatToGeneral(hours, 4) + (hours == 1 ? QStringLiteral(" hour") : QStringLiteral(" hours"));
}

}  // namespace

QString AccessibleName(const RosterWeek& week, BoxRef box)
{
    const int line = box.line();
    switch (box.role()) {
    case BoxRole::Day: return QStringLiteral("%1, %2").arg(QString(DayName(box.day())), LineName(week, line));
    case BoxRole::Name: return QStringLiteral("Line %1, name").arg(line);
    case BoxRole::Grade: return LineName(week, line) + QStringLiteral(", grade");
    case BoxRole::HoursSet: return LineName(week, line) + QStringLiteral(", contracted hours");
    case BoxRole::HoursWorking: return LineName(week, line) + QStringLiteral(", hours worked");
    case BoxRole::Lectures: return LineName(week, line) + QStringLiteral(", notes");
    case BoxRole::Required: return ShiftPlace(box) + QStringLiteral(", staff required");
    case BoxRole::Count: return ShiftPlace(box) + QStringLiteral(", staff on duty");
    case BoxRole::None: break;
    }
    return QString();
}

QString AccessibleDescription(const WardModel& model, BoxRef box)
{
    const RosterWeek& w = model.Week;
    QStringList parts;
    switch (box.role()) {
    case BoxRole::Day: {
        parts += SpokenDutyText(model.Settings, w.text(box));
        if (w.colour(box) == RequestColour)
            parts += QStringLiteral("preferred day");
        else if (w.colour(box) == AlertColour)
            parts += QStringLiteral("bank holiday");
        const QString breaches = BreachToolTip(model.Breaches, box.line(), box.day());
        if (!breaches.isEmpty())
            parts += QStringLiteral("breaks a working-time rule: ") + QString(breaches).replace(u'\n', u' ');
        break;
    }
    case BoxRole::HoursSet: {
        if (w.text(box).trimmed().isEmpty())
            break;
        parts += ExplainHoursSet(w.text(box), model.Settings.AnalysisStartDate);
        if (const std::optional<float> d = ContractDifference(w.text(box), w.status().WeekHours[box.line()]))
            parts += *d == 0 ? QStringLiteral("contract met")
                             : Hours(std::abs(*d)) + (*d > 0 ? QStringLiteral(" over contract")
                                                             : QStringLiteral(" under contract"));
        break;
    }
    case BoxRole::HoursWorking:
        parts += Hours(w.status().WeekHours[box.line()]);
        break;
    case BoxRole::Required:
    case BoxRole::Count: {
        const int day = box.day(), shift = box.shift();
        parts += CoverDescription(shift, w.status().ShiftCovers[day][shift], w.status().ShiftCounts[day][shift],
                                  w.status().ShiftRequired[day][shift]);
        break;
    }
    default: break;
    }
    if (!w.error(box).isEmpty())
        parts += QStringLiteral("not a number: ") + w.error(box);
    return parts.join(QStringLiteral(", "));
}

}  // namespace tavrola
