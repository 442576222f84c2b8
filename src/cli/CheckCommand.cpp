#include "cli/CliCommon.h"
#include "document/WeekChain.h"
#include "roster/WeekData.h"
#include "rules/RuleLimits.h"
#include "rules/RuleWeeksReader.h"
#include "rules/WorkingTimeRules.h"
#include "util/FileAccess.h"

#include <QLocale>

namespace tavrola::cli {

namespace {

class CheckVerb final : public Command {
public:
    const char* name() const override { return "check"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::Required},
                                              {"file", "WEEK.rwk"},
                                              kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  check --week DATE [--file WEEK.rwk]\n"
               "                   the working-time rules (Rules.txt) the week breaks, as the window\n"
               "                   shows it after picking that date or loading that file, with the\n"
               "                   stored weeks around it; --json gives {rule, line, name, day, value,\n"
               "                   limit} per breach and a last {event: done, breaches, weeks_read}\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int CheckVerb::execute(const CommandArgs& common, Console& io) const
{
    // The week as the window shows it after that date is picked (a stored week is loaded,
    // nothing unsaved is kept) or after that file is loaded.
    const QString file = common.values.value(QStringLiteral("file"));
    OpenWard ward;
    WeekRequest request;
    request.pick = file.isEmpty() ? WeekPick::UserPick : WeekPick::File;
    request.file = file;
    request.startup = WeekCommencingMonday(QDate::currentDate());
    if (file.isEmpty())
        request.date = common.week;
    if (!OpenWardAndWeek(ward, common.dataFolder, request, io))
        return BadInput;
    WardModel& model = ward.model;

    const RulesFileRead rules = ReadRulesFile(common.dataFolder + kRulesFileName);
    for (const QString& message : rules.problems)
        io.error(OneLine(message));
    const QDate monday = model.Week.PickerDate;
    const RuleHistory history = ReadRuleHistory(common.dataFolder, model.Settings, monday);
    // The week chain's history scan may have named a damaged week already.
    for (const QString& message : history.damaged)
        if (!ward.reported.contains(message))
            io.error(OneLine(message));
    const std::vector<Breach> breaches =
        CheckWorkingTime(model.Settings, rules.limits, model.Week.data(), monday, history);

    for (const Breach& b : breaches) {
        if (common.json)
            io.line(JsonLine()
                          .add("rule", QString(RuleKey(b.rule)))
                          .add("line", qint64(b.line))
                          .add("name", b.name)
                          .add("day", qint64(b.day))
                          .addRaw("value", RuleNumberText(b.value))
                          .addRaw("limit", RuleNumberText(b.limit))
                          .text());
        else
            io.line(QStringLiteral("line %1 %2, %3: %4 [%5]")
                          .arg(b.line)
                          .arg(b.name, QString(DayName(b.day)), b.text, QString(RuleKey(b.rule))));
    }
    if (common.json)
        io.line(JsonLine()
                      .add("event", QStringLiteral("done"))
                      .add("breaches", qint64(breaches.size()))
                      .add("weeks_read", qint64(history.weeksRead))
                      .text());
    else
        io.line(QStringLiteral("%1 breach%2 in the week commencing %3; %4 stored week%5 read")
                      .arg(breaches.size())
                      .arg(breaches.size() == 1 ? QString() : QStringLiteral("es"),
                           QLocale().toString(monday, QLocale::LongFormat))
                      .arg(history.weeksRead)
                      .arg(history.weeksRead == 1 ? QString() : QStringLiteral("s")));
    return Ok;
}

const Command& CheckCommand()
{
    static const CheckVerb command;
    return command;
}

}  // namespace tavrola::cli
