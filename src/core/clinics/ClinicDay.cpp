#include "clinics/ClinicDay.h"

#include "settings/WardSettings.h"

namespace tavrola {

namespace {
const QString kSeparator = QStringLiteral("**********");
constexpr int kColumnLines = 25;
}  // namespace

int ClinicWeekNumber(const QDate& date)
{
    // 1/7 less a little, so that the last day of each seven stays in its own week.
    const long double d = date.day();
    return int(d * 0.14285714285714285714L - 0.142L) + 1;
}

QString ClinicWeekText(const QString& line)
{
    const QString upper = line.toUpper();
    const qsizetype pac = upper.indexOf(QLatin1String("PAC"));
    const qsizetype end = pac < 0 ? line.size() : pac;
    const qsizetype wk = upper.indexOf(QLatin1String("WK"));
    if (wk < 0)
        return line.left(end);
    return end > wk ? line.mid(wk, end - wk) : QString();
}

QString ClinicNote(const QString& line)
{
    const qsizetype open = line.indexOf(u'[');
    const qsizetype close = line.indexOf(u']');
    if (open < 0 || close < open)
        return QString();
    return line.mid(open + 1, close - open - 1);
}

QStringList ClinicDayLines(const QStringList& clinicLines, int day, int weekNumber)
{
    if (day < 1 || day > kDays)
        return {};
    const QString dayName = QString(DayName(day)).toUpper();
    const QString week = QString::number(weekNumber);
    QStringList listed;
    for (const QString& line : clinicLines)
        if (line.toUpper().contains(dayName) && ClinicWeekText(line).contains(week))
            listed += line;
    // Mornings first; a line with neither marker is left out, one with both comes twice.
    QStringList ordered;
    for (const char* half : {"AM,", "PM,"})
        for (const QString& line : std::as_const(listed))
            if (line.toUpper().contains(QLatin1String(half)))
                ordered += line;
    return ordered;
}

std::array<QString, 25> ClinicNotesColumn(const std::array<QString, 25>& column, int linesWithNames,
                                          const QStringList& dayLines)
{
    std::array<QString, kColumnLines> out = column;
    auto cell = [&](int line) -> QString& { return out[size_t(line - 1)]; };
    // With no named line every line is spare and the notes start at the top.
    int i = qBound(1, linesWithNames, kColumnLines + 1);
    for (int j = i; j <= kColumnLines; ++j)
        cell(j).clear();

    bool separated = false;
    for (const QString& line : dayLines) {
        if (!line.contains(u'[') || i > kColumnLines)
            continue;
        if (!separated && line.toUpper().contains(QLatin1String("PM,"))) {
            separated = true;
            if (!cell(i).isEmpty())
                ++i;  // the morning notes keep their line
            if (i > kColumnLines)
                break;  // no line left for the separator: the afternoon notes stop here
            cell(i) = kSeparator;
            ++i;
            if (i > kColumnLines)
                break;
        }
        QString note = ClinicNote(line);
        if (!cell(i).isEmpty())
            note.prepend(u',');
        cell(i) += note;
        if (note.contains(u'+') && i < kColumnLines)
            ++i;
    }
    return out;
}

}  // namespace tavrola
