#include "roster/CellExplanation.h"

#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"

#include <QStringList>

namespace tavrola {

namespace {

const QString kDot = QStringLiteral(" \u00B7 ");

// What each absence code stands for, in code order.
const char* const kCodeMeanings[kAbsenceCodes] = {
    "holiday",         "half-day holiday", "sickness",        "maternity leave", "paternity leave", "carers leave",
    "domestic leave",  "emergency leave",  "absent",          "study day",       "admin day"};

const char* const kShiftMeanings[kShifts + 1] = {"", "early shift", "late shift", "night shift"};

QString Hours(float hours)
{
    return FloatToGeneral(hours, 4) + QStringLiteral(" h");
}

}  // namespace

QString ExplainDutyText(const WardSettings& s, const QString& text, bool* countsForNothing)
{
    if (countsForNothing)
        *countsForNothing = false;
    if (text.trimmed().isEmpty())
        return QString();
    const DutyEvaluator evaluator(s);
    int flags = 0;
    const float own = evaluator.DutyHours(text, &flags);
    float hours = own;
    try {
        hours = evaluator.AddAbsenceHours(text, own);
    } catch (const ConversionError& e) {
        return text.trimmed() + kDot + e.message();
    }

    QStringList meanings;
    const bool sick = evaluator.HoldsIllness(text);
    for (int k = 0; k < kAbsenceCodes; ++k) {
        const QString& code = s.AbsenceCode(k);
        if (!code.isEmpty() && text.contains(code))
            meanings += k == 2 ? QStringLiteral("sickness, not counted on the shift")
                               : QString::fromLatin1(kCodeMeanings[k]);
    }
    const bool hasCode = !meanings.isEmpty();
    QStringList shifts;
    for (int shift = 1; shift <= kShifts; ++shift)
        if (flags & (1 << (shift - 1)))
            shifts += QString::fromLatin1(kShiftMeanings[shift]);
    if (!shifts.isEmpty() && !sick)
        meanings.prepend(shifts.join(QStringLiteral(" + ")));
    else if (!shifts.isEmpty())
        meanings.prepend(shifts.join(QStringLiteral(" + ")) + QStringLiteral(" rostered"));
    if (shifts.isEmpty() && !hasCode) {
        if (own > 0) {
            meanings += QStringLiteral("no shift kind (write %1, %2 or %3 with the times)")
                            .arg(s.NameAMShift, s.NamePMShift, s.NameNShift);
        } else {
            meanings += QStringLiteral("counts for nothing: no hours, no shift, no known code");
            if (countsForNothing)
                *countsForNothing = true;
        }
    }
    return text.trimmed() + kDot + Hours(hours) + kDot + meanings.join(QStringLiteral(", "));
}

QString ExplainHoursSet(const QString& text, const QString& analysisStart)
{
    try {
        const float contract = HoursSetValue(text, true);
        const float target = HoursSetValue(text, false);
        QString out = QStringLiteral("contract ") + Hours(contract);
        const float carried = target - contract;
        if (carried != 0) {
            const QString sign = carried > 0 ? QStringLiteral("+") : QStringLiteral("\u2212");
            out += QStringLiteral("; %1%2 carried over from the weeks since %3")
                       .arg(sign, Hours(carried > 0 ? carried : -carried), analysisStart);
        }
        return out;
    } catch (const ConversionError&) {
        return text;
    }
}

QString ExplainRequired(int shift, qint32 counted, const QString& required)
{
    const QString on = QStringLiteral("%1 on the %2").arg(counted).arg(QLatin1String(kShiftMeanings[shift]));
    bool ok = false;
    const int needed = required.trimmed().toInt(&ok);
    return ok ? on + QStringLiteral(", %1 needed").arg(needed) : on;
}

QString ExplainNonPrefBar(qint32 count, const QString& analysisStart)
{
    return QStringLiteral("%1 non-preferred shift%2 since %3")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("s"))
        .arg(analysisStart);
}

}  // namespace tavrola
