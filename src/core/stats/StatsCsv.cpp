#include "stats/StatsCsv.h"

#include "util/TextUtil.h"

namespace tavrola {

namespace {

QString CsvText(QString text)
{
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n')) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        text = u'"' + text + u'"';
    }
    return text;
}

QString CsvNumber(float value) { return FloatToShortest(value); }

void Row(QString& out, const QStringList& fields)
{
    out += fields.join(u',');
    out += QLatin1String("\r\n");
}

void MonthRow(QString& out, const QString& name, const char* measure, const QString& year, const MonthValues& v)
{
    QStringList fields{CsvText(name), QString::fromLatin1(measure), CsvText(year)};
    float total = 0;
    for (int m = 1; m <= kMonths; ++m) {
        fields += CsvNumber(v[m]);
        total += v[m];
    }
    fields += CsvNumber(total);
    Row(out, fields);
}

}  // namespace

int UsedYearSlots(const QDate& from, const QDate& to)
{
    const int years = to.year() - from.year();
    return years >= 2 ? 3 : years == 1 ? 2 : 1;
}

QString YearSlotLabel(int toYear, int slot)
{
    if (slot < 2)
        return QString::number(toYear - slot);
    return QString::number(toYear - 2) + QStringLiteral(" and earlier");
}

QString StatisticsCsv(const StatsTables& t, const QDate& from, const QDate& to)
{
    QString out(QChar(0xFEFF));
    Row(out, {QStringLiteral("Name"), QStringLiteral("Hours per week"), QStringLiteral("Nights"),
              QStringLiteral("Weekend shifts"), QStringLiteral("Bank holiday shifts"),
              QStringLiteral("Non-preferred shifts"), QStringLiteral("Training")});
    for (qsizetype i = 0; i < t.StatNames.size(); ++i) {
        const FairnessLedger& l = t.Ledger[i];
        Row(out, {CsvText(t.StatNames[i]), CsvNumber(t.StatHrsPerWeek[i]), IntToText(l.Nights),
                  IntToText(l.WeekendShifts), IntToText(l.BankHolidayShifts), IntToText(l.NonPreferredShifts),
                  CsvText(t.StatTraining[i])});
    }
    out += QLatin1String("\r\n");

    QStringList header{QStringLiteral("Name"), QStringLiteral("Measure"), QStringLiteral("Year")};
    for (const char* month : {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"})
        header += QString::fromLatin1(month);
    header += QStringLiteral("Total");
    Row(out, header);
    const int usedSlots = UsedYearSlots(from, to);
    for (qsizetype i = 0; i < t.StatNames.size(); ++i) {
        for (int slot = 0; slot < usedSlots; ++slot) {
            const QString year = YearSlotLabel(to.year(), slot);
            MonthRow(out, t.StatNames[i], "Hours worked", year, t.StatHoursWorked[i][slot]);
            MonthRow(out, t.StatNames[i], "Days holiday", year, t.StatDaysHoliday[i][slot]);
            MonthRow(out, t.StatNames[i], "Days illness", year, t.StatDaysIllness[i][slot]);
            MonthRow(out, t.StatNames[i], "Non pref", year, t.StatNonPref[i][slot]);
        }
    }
    for (int slot = 0; slot < usedSlots; ++slot)
        MonthRow(out, QStringLiteral("Ward"), "Staff shortages", YearSlotLabel(to.year(), slot), t.StatShortages[slot]);

    if (!t.LeftOut.isEmpty()) {
        out += QLatin1String("\r\n");
        Row(out, {QStringLiteral("Names left out (the table holds %1)").arg(kStatNames),
                  QString::number(t.LeftOut.size())});
    }
    return out;
}

}  // namespace tavrola
