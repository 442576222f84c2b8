#include "cli/CliCommon.h"

#include "document/StatisticsRun.h"
#include "render/StatsPicture.h"
#include "stats/StatsCsv.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"

#include <QBuffer>
#include <cstring>
#include <memory>

namespace tavrola::cli {

namespace {

// Year yearSlots 0, 1 and 2, each twelve months January to December: [[...],[...],[...]].
QString YearTables(const MonthValues (&yearSlots)[kYearSlots])
{
    QStringList years;
    for (const MonthValues& months : yearSlots) {
        QStringList values;
        for (int m = 1; m <= kMonths; ++m)
            values += FloatToShortest(months[m]);
        years += u'[' + values.join(u',') + u']';
    }
    return u'[' + years.join(u',') + u']';
}

float Total(const MonthValues (&yearSlots)[kYearSlots])
{
    float total = 0;
    for (const MonthValues& months : yearSlots)
        for (int m = 1; m <= kMonths; ++m)
            total += months[m];
    return total;
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}


class StatsVerb final : public Command {
public:
    const char* name() const override { return "stats"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"from", "DATE", OptionKind::Value, Shown::Required},
                                              {"to", "DATE", OptionKind::Value, Shown::Required},
                                              kDataOption,
                                              kJsonOption,
                                              {"csv", "OUT.csv"},
                                              {"png", "OUT.png"}};
        return list;
    }
    const char* help() const override
    {
        return "  stats --from DATE --to DATE [--csv OUT.csv] [--png OUT.png]\n"
               "                   the stored weeks of the range, per name: contracted hours, the\n"
               "                   month tables of hours, holiday, illness and non-preferred working,\n"
               "                   nights, weekend and bank-holiday shifts; --json gives one object per\n"
               "                   name and a last {event: done, weeks, left_out, shortages};\n"
               "                   --csv - writes the table to standard output\n";
    }
    bool needsPictures(const QStringList& args) const override;

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

bool StatsVerb::needsPictures(const QStringList& args) const
{
    for (const QString& arg : args)
        if (arg.startsWith(QLatin1String("--png")) || arg.startsWith(QLatin1String("-png")))
            return true;
    return false;
}

int StatsVerb::execute(const CommandArgs& common, Console& io) const
{
    QDate range[2];
    const char* names[2] = {"from", "to"};
    for (int i = 0; i < 2; ++i) {
        const QString name = QString::fromLatin1(names[i]);
        if (!common.values.contains(name)) {
            return usageError(io, QStringLiteral("--%1 DATE is required").arg(name));
        }
        range[i] = ParseDateText(common.values[name]);
        if (!range[i].isValid()) {
            io.error(QStringLiteral("stats: %1 is not a date (use yyyy-mm-dd or dd/mm/yyyy)")
                         .arg(Quoted(common.values[name])));
            return Usage;
        }
    }
    const QDate from = range[0], to = range[1];

    // The ward's settings; each week's own duty names and hours apply to it.
    OpenWard ward;
    if (!OpenWardAndWeek(ward, common.dataFolder, {}, io))
        return BadInput;
    const WardModel& model = ward.model;
    // Damaged weeks are named on standard error and left out, as the history does; the
    // exit code tells scripts that something was left out.
    auto tables = std::make_unique<StatsTables>();
    QStringList damaged;
    const bool allRead = CollectStatistics(common.dataFolder, model.Settings, from, to, tables.get(), &damaged);
    for (const QString& message : std::as_const(damaged))
        io.error(OneLine(message));
    const StatsTables& t = *tables;
    QString error;

    if (!common.json)
        io.line(QStringLiteral("name\thours_per_week\thours_worked\tdays_holiday\tdays_illness\tnon_pref\t"
                               "nights\tweekend_shifts\tbank_holiday_shifts\tnon_preferred_shifts"));
    for (int i = 0; i < t.StatNames.size(); ++i) {
        const FairnessLedger& l = t.Ledger[i];
        if (common.json) {
            io.line(JsonLine()
                        .add("name", t.StatNames[i])
                        .addFloat("hours_per_week", t.StatHrsPerWeek[i])
                        .addRaw("hours_worked", YearTables(t.StatHoursWorked[i]))
                        .addRaw("days_holiday", YearTables(t.StatDaysHoliday[i]))
                        .addRaw("days_illness", YearTables(t.StatDaysIllness[i]))
                        .addRaw("non_pref", YearTables(t.StatNonPref[i]))
                        .add("training", t.StatTraining[i])
                        .add("nights", qint64(l.Nights))
                        .add("weekend_shifts", qint64(l.WeekendShifts))
                        .add("bank_holiday_shifts", qint64(l.BankHolidayShifts))
                        .text());
        } else {
            io.line(QStringList{t.StatNames[i], FloatToShortest(t.StatHrsPerWeek[i]),
                                FloatToShortest(Total(t.StatHoursWorked[i])),
                                FloatToShortest(Total(t.StatDaysHoliday[i])),
                                FloatToShortest(Total(t.StatDaysIllness[i])),
                                FloatToShortest(Total(t.StatNonPref[i])), IntToText(l.Nights),
                                IntToText(l.WeekendShifts), IntToText(l.BankHolidayShifts),
                                IntToText(l.NonPreferredShifts)}
                        .join(u'\t'));
        }
    }
    if (common.json) {
        io.line(JsonLine()
                    .add("event", QStringLiteral("done"))
                    .add("weeks", qint64(t.Weeks))
                    .add("left_out", qint64(t.LeftOut.size()))
                    .addRaw("shortages", YearTables(t.StatShortages))
                    .text());
    } else {
        io.line(QStringLiteral("weeks %1, names left out %2, staff shortages %3")
                    .arg(t.Weeks)
                    .arg(t.LeftOut.size())
                    .arg(FloatToShortest(Total(t.StatShortages))));
    }

    // "-" writes the table to standard output, after the summary.
    if (const QString csv = common.values.value(QStringLiteral("csv")); csv == QLatin1String("-")) {
        const QByteArray bytes = StatisticsCsv(t, from, to).toUtf8();
        io.out().write(bytes.constData(), bytes.size());
    } else if (!csv.isEmpty() && !WriteTextFileAtomically(csv, StatisticsCsv(t, from, to), &error)) {
        io.error(error);
        return BadInput;
    }
    if (common.values.contains(QStringLiteral("png"))) {
        const QImage image = StatisticsImage(t, {model.Settings.WARD, from, to});
        if (!WriteFileAtomically(common.values[QStringLiteral("png")], PngBytes(image), &error)) {
            io.error(error);
            return BadInput;
        }
    }
    return allRead ? Ok : BadInput;
}

const Command& StatsCommand()
{
    static const StatsVerb command;
    return command;
}

}  // namespace tavrola::cli
