#include "roster/ShiftCover.h"

#include "roster/StatusLegend.h"

#include <array>

namespace tavrola {

namespace {

Status StatusOf(Cover cover)
{
    switch (cover) {
    case Cover::Short: return Status::ShortShift;
    case Cover::Staffed: return Status::ShiftStaffed;
    case Cover::Surplus: return Status::ShiftSurplus;
    case Cover::Unknown: break;
    }
    return Status::BadNumber;
}

const char* const kShiftMeanings[kShifts + 1] = {"", "early shift", "late shift", "night shift"};

}  // namespace

Cover CoverOf(bool requiredRead, qint32 required, qint32 counted)
{
    if (!requiredRead)
        return Cover::Unknown;
    if (counted < required)
        return Cover::Short;
    return counted == required ? Cover::Staffed : Cover::Surplus;
}

const QString& CoverText(Cover cover, qint32 counted)
{
    // A shift counts at most one person per line; anything else is made on the spot.
    constexpr int kKept = kLines + 1;
    static const auto kept = [] {
        std::array<std::array<QString, kKept>, 4> texts;
        for (int c = 0; c < 4; ++c)
            for (int n = 0; n < kKept; ++n)
                texts[size_t(c)][size_t(n)] = MarkOf(StatusOf(Cover(c))).glyph + QString::number(n);
        return texts;
    }();
    if (counted >= 0 && counted < kKept)
        return kept[size_t(cover)][size_t(counted)];
    thread_local QString other;
    other = MarkOf(StatusOf(cover)).glyph + QString::number(counted);
    return other;
}

Colour CoverColour(Cover cover)
{
    return cover == Cover::Unknown ? White : MarkOf(StatusOf(cover)).colour;
}

QString CoverDescription(int shift, Cover cover, qint32 counted, qint32 required)
{
    const QString on = QStringLiteral("%1 on the %2")
                           .arg(counted)
                           .arg(QLatin1String(shift >= 1 && shift <= kShifts ? kShiftMeanings[shift] : ""));
    switch (cover) {
    case Cover::Short: return on + QStringLiteral(", %1 needed: %2 short").arg(required).arg(required - counted);
    case Cover::Staffed: return on + QStringLiteral(", %1 needed: staffed").arg(required);
    case Cover::Surplus:
        return on + QStringLiteral(", %1 needed: %2 more than required").arg(required).arg(counted - required);
    case Cover::Unknown: break;
    }
    return on + QStringLiteral("; the required box is not a whole number");
}

}  // namespace tavrola
