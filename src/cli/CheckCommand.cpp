#include "cli/CheckCommand.h"

#include "cli/CliCommon.h"
#include "document/WeekChain.h"
#include "document/Totals.h"
#include "roster/WeekData.h"
#include "rules/RuleLimits.h"
#include "rules/RuleWeeksReader.h"
#include "rules/WorkingTimeRules.h"
#include "util/FileAccess.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekSelection.h"
#include "weeks/WeekView.h"

#include <QFileInfo>
#include <QLocale>

namespace tavrola::cli {

int RunCheck(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{"check", "check --week DATE [--file WEEK.rwk] [--data DIR] [--json]",
                                      true, false, 0, 0, {"file"}};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    const QString file = common.values.value(QStringLiteral("file"));

    // The week as the window shows it after that date is picked (a stored week is loaded,
    // nothing unsaved is kept) or after that file is loaded.
    WardModel model;
    WeekView labels;
    BatchUi ui;
    ui.yesNo = Answer::Yes;
    ui.yesNoCancel = Answer::No;
    model.Week.StartupPickerDate = model.Week.PickerDate = WeekCommencingMonday(QDate::currentDate());
    ConnectTotals(model);
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    if (file.isEmpty()) {
        model.Week.PickerDate = WeekCommencingMonday(common.week);
        const QString stored = WeekFileName(model);
        DateTimePickerCloseUp(model, labels, ui, true);
        if (QFileInfo(stored).isFile() && !model.Week.RosterFileLoaded) {
            PrintError(OneLine(ui.errors.value(0, QStringLiteral("%1 did not load").arg(Quoted(stored)))));
            return BadInput;
        }
    } else if (!AutoLoadRWKfile(model, labels, ui, AbsolutePath(file))) {
        PrintError(OneLine(ui.errors.value(0)));
        return BadInput;
    }
    for (const QString& message : std::as_const(ui.errors))
        PrintError(OneLine(message));

    const RulesFileRead rules = ReadRulesFile(common.dataFolder + kRulesFileName);
    for (const QString& message : rules.problems)
        PrintError(OneLine(message));
    const QDate monday = model.Week.PickerDate;
    const RuleHistory history = ReadRuleHistory(common.dataFolder, model.Settings, monday);
    // The week chain's history scan may have named a damaged week already.
    for (const QString& message : history.damaged)
        if (!ui.errors.contains(message))
            PrintError(OneLine(message));
    const std::vector<Breach> breaches =
        CheckWorkingTime(model.Settings, rules.limits, StoreWeekData(model.Week), monday, history);

    for (const Breach& b : breaches) {
        if (common.json)
            PrintLine(JsonLine()
                          .add("rule", QString(RuleKey(b.rule)))
                          .add("line", qint64(b.line))
                          .add("name", b.name)
                          .add("day", qint64(b.day))
                          .addRaw("value", RuleNumberText(b.value))
                          .addRaw("limit", RuleNumberText(b.limit))
                          .text());
        else
            PrintLine(QStringLiteral("line %1 %2, %3: %4 [%5]")
                          .arg(b.line)
                          .arg(b.name, QString(DayName(b.day)), b.text, QString(RuleKey(b.rule))));
    }
    if (common.json)
        PrintLine(JsonLine()
                      .add("event", QStringLiteral("done"))
                      .add("breaches", qint64(breaches.size()))
                      .add("weeks_read", qint64(history.weeksRead))
                      .text());
    else
        PrintLine(QStringLiteral("%1 breach%2 in the week commencing %3; %4 stored week%5 read")
                      .arg(breaches.size())
                      .arg(breaches.size() == 1 ? QString() : QStringLiteral("es"),
                           QLocale().toString(monday, QLocale::LongFormat))
                      .arg(history.weeksRead)
                      .arg(history.weeksRead == 1 ? QString() : QStringLiteral("s")));
    return Ok;
}

}  // namespace tavrola::cli
