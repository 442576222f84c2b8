#include "roster/CellExplanation.h"

#include "roster/StatusLegend.h"
#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"

#include <QStringList>
#include <cmath>

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

namespace {

// A day cell's text read for people: the text, its hours and what it stands for; or the
// reason its hours do not convert.
struct CellReading {
    QString text, error;
    float hours = 0;
    QStringList meanings;
    bool nothing = false;
};

CellReading ReadDuty(const WardSettings& s, const QString& text)
{
    CellReading r;
    r.text = text.trimmed();
    if (r.text.isEmpty())
        return r;
    const DutyEvaluator evaluator(s);
    int flags = 0;
    const float own = evaluator.DutyHours(text, &flags);
    r.hours = own;
    try {
        r.hours = evaluator.AddAbsenceHours(text, own);
    } catch (const ConversionError& e) {
        r.error = e.message();
        return r;
    }

    const bool sick = evaluator.HoldsIllness(text);
    for (int k = 0; k < kAbsenceCodes; ++k) {
        const QString& code = s.AbsenceCode(k);
        if (!code.isEmpty() && text.contains(code))
            r.meanings += k == 2 ? QStringLiteral("sickness, not counted on the shift")
                                 : QString::fromLatin1(kCodeMeanings[k]);
    }
    const bool hasCode = !r.meanings.isEmpty();
    QStringList shifts;
    for (int shift = 1; shift <= kShifts; ++shift)
        if (flags & (1 << (shift - 1)))
            shifts += QString::fromLatin1(kShiftMeanings[shift]);
    if (!shifts.isEmpty() && !sick)
        r.meanings.prepend(shifts.join(QStringLiteral(" + ")));
    else if (!shifts.isEmpty())
        r.meanings.prepend(shifts.join(QStringLiteral(" + ")) + QStringLiteral(" rostered"));
    if (shifts.isEmpty() && !hasCode) {
        if (own > 0) {
            r.meanings += QStringLiteral("no shift kind (write %1, %2 or %3 with the times)")
                              .arg(s.NameAMShift, s.NamePMShift, s.NameNShift);
        } else {
            r.meanings += QStringLiteral("counts for nothing: no hours, no shift, no known code");
            r.nothing = true;
        }
    }
    return r;
}

}  // namespace

QString ExplainDutyText(const WardSettings& s, const QString& text, bool* countsForNothing)
{
    const CellReading r = ReadDuty(s, text);
    if (countsForNothing)
        *countsForNothing = r.nothing;
    if (r.text.isEmpty())
        return QString();
    if (!r.error.isEmpty())
        return r.text + kDot + r.error;
    return r.text + kDot + Hours(r.hours) + kDot + r.meanings.join(QStringLiteral(", "));
}

QString SpokenDutyText(const WardSettings& s, const QString& text, bool* countsForNothing)
{
    const CellReading r = ReadDuty(s, text);
    if (countsForNothing)
        *countsForNothing = r.nothing;
    if (r.text.isEmpty())
        return QStringLiteral("empty");
    if (!r.error.isEmpty())
        return r.text + QStringLiteral(", ") + r.error;
    const QString hours = FloatToGeneral(r.hours, 4) + (r.hours == 1 ? QStringLiteral(" hour") : QStringLiteral(" hours"));
    return QStringList{r.text, hours, r.meanings.join(QStringLiteral(", "))}.join(QStringLiteral(", "));
}

std::optional<float> ContractDifference(const QString& hoursSet, float worked)
{
    if (hoursSet.trimmed().isEmpty())
        return std::nullopt;
    try {
        return worked - HoursSetValue(hoursSet, false);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

QString ContractMark(const QString& hoursSet, float worked)
{
    const std::optional<float> d = ContractDifference(hoursSet, worked);
    if (!d)
        return QString();
    if (*d == 0)
        return MarkOf(Status::ContractMet).glyph;
    return MarkOf(*d > 0 ? Status::OverContract : Status::UnderContract).glyph + FloatToGeneral(std::abs(*d), 4);
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

QString ExplainNonPrefBar(qint32 count, const QString& analysisStart)
{
    return QStringLiteral("%1 non-preferred shift%2 since %3")
        .arg(count)
        .arg(count == 1 ? QString() : QStringLiteral("s"))
        .arg(analysisStart);
}

}  // namespace tavrola
