#include "cli/CliCommon.h"

#include "util/TextUtil.h"
#include "weeks/HistoryScan.h"

namespace tavrola::cli {

int RunHistory(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{"history", "history --week DATE [--data DIR] [--json]", true, false, 0, 0};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    const QDate week = common.week;
    WardModel model;
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    const WardSettings& s = model.Settings;
    if (!s.AnalysisStartDateValid) {
        // Not an error: the ward simply has no period to analyse.
        PrintError(QStringLiteral("AnalysisStartDate '%1' is not a date: no stored weeks scanned")
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
        PrintError(error);
    }

    if (!common.json)
        PrintLine(QStringLiteral("name\tnon_pref\tadj_hours"));
    for (int i = 0; i < scan.HistoryNames.size(); ++i) {
        if (common.json) {
            PrintLine(JsonLine()
                          .add("name", scan.HistoryNames[i])
                          .add("non_pref", qint64(scan.NonPrefShifts[i]))
                          .addFloat("adj_hours", scan.NameAdjHours[i])
                          .text());
        } else {
            PrintLine(QStringLiteral("%1\t%2\t%3")
                          .arg(scan.HistoryNames[i], IntToText(scan.NonPrefShifts[i]),
                               FloatToShortest(scan.NameAdjHours[i])));
        }
    }
    return allRead ? Ok : BadInput;
}

}  // namespace tavrola::cli
