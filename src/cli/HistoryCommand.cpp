#include "cli/CliCommon.h"

#include "util/TextUtil.h"
#include "weeks/HistoryScan.h"

namespace tavrola::cli {

namespace {

class HistoryVerb final : public Command {
public:
    const char* name() const override { return "history"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::Required},
                                              kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  history --week DATE\n"
               "                   the stored weeks from the analysis start date to the week before:\n"
               "                   per name, in the order first met, the non-preferred shifts and\n"
               "                   the hours carried over; --json gives {name, non_pref, adj_hours}\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int HistoryVerb::execute(const CommandArgs& common, Console& io) const
{
    const QDate week = common.week;
    WardModel model;
    if (!LoadWard(model, common.dataFolder, io))
        return BadInput;
    const WardSettings& s = model.Settings;
    if (!s.AnalysisStartDateValid) {
        // Not an error: the ward simply has no period to analyse.
        io.error(QStringLiteral("AnalysisStartDate '%1' is not a date: no stored weeks scanned")
                     .arg(s.AnalysisStartDate));
        return Ok;
    }

    // Damaged weeks are named on standard error and left out; the others still count,
    // and the exit code tells scripts that something was left out.
    HistoryScan scan;
    QStringList damaged;
    const bool allRead = ScanStoredWeeks(common.dataFolder, s.AnalysisStartDateValue, week, scan, &damaged);
    for (QString error : damaged) {
        error.replace(u'\r', u' ');
        error.replace(u'\n', u' ');
        io.error(error);
    }

    if (!common.json)
        io.line(QStringLiteral("name\tnon_pref\tadj_hours"));
    for (int i = 0; i < scan.HistoryNames.size(); ++i) {
        if (common.json) {
            io.line(JsonLine()
                        .add("name", scan.HistoryNames[i])
                        .add("non_pref", qint64(scan.NonPrefShifts[i]))
                        .addFloat("adj_hours", scan.NameAdjHours[i])
                        .text());
        } else {
            io.line(QStringLiteral("%1\t%2\t%3")
                        .arg(scan.HistoryNames[i], IntToText(scan.NonPrefShifts[i]),
                             FloatToShortest(scan.NameAdjHours[i])));
        }
    }
    return allRead ? Ok : BadInput;
}

const Command& HistoryCommand()
{
    static const HistoryVerb command;
    return command;
}

}  // namespace tavrola::cli
