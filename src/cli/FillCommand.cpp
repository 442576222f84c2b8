#include "cli/CliCommon.h"

#include "Ui.h"
#include "document/AutoFill.h"
#include "document/WeekChain.h"
#include "document/Totals.h"
#include "util/FileAccess.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekView.h"

#include <QDir>
#include <QFileInfo>

namespace tavrola::cli {

namespace {

const char* const kFillUsage =
    "fill --week DATE [--file WEEK.rwk] [--seed N] [--max-candidates K] [--time-limit SECONDS] [--no-improve] "
    "[--every] [--save OUT.rwk] [--data DIR] [--json]";

QString JsonStrings(const QStringList& texts)
{
    QStringList quoted;
    for (const QString& t : texts)
        quoted += JsonLine::quote(t);
    return u'[' + quoted.join(u',') + u']';
}

// The fill's own options.
struct FillOptions {
    QString file;
    bool seedGiven = false;
    std::uint32_t seed = 0;
    qint64 maxCandidates = 100000;
    double timeLimit = 0;
    bool improve = true;
    bool every = false;
};

// Reads the fill's options from what the common parser found; returns an empty string
// when fine, else what is wrong.
QString ReadFillOptions(const CommandArgs& common, FillOptions* o)
{
    o->file = common.values.value(QStringLiteral("file"));
    o->every = common.flags.contains(QStringLiteral("every"));
    o->improve = !common.flags.contains(QStringLiteral("no-improve"));
    bool ok = false;
    if (const auto seed = common.values.find(QStringLiteral("seed")); seed != common.values.end()) {
        o->seed = seed->toUInt(&ok);
        o->seedGiven = true;
        if (!ok)
            return QStringLiteral("--seed %1 is not a whole number 0..4294967295").arg(Quoted(*seed));
    }
    if (const auto most = common.values.find(QStringLiteral("max-candidates")); most != common.values.end()) {
        o->maxCandidates = most->toLongLong(&ok);
        if (!ok || o->maxCandidates < 1)
            return QStringLiteral("--max-candidates %1 is not a positive whole number").arg(Quoted(*most));
    }
    if (const auto limit = common.values.find(QStringLiteral("time-limit")); limit != common.values.end()) {
        o->timeLimit = limit->toDouble(&ok);
        if (!ok || !(o->timeLimit > 0))
            return QStringLiteral("--time-limit %1 is not a positive number of seconds").arg(Quoted(*limit));
    }
    return QString();
}

QString PhaseName(FillPhase phase)
{
    return phase == FillPhase::Random ? QStringLiteral("random") : QStringLiteral("improve");
}

}  // namespace

int RunFill(const QStringList& arguments, const QString& programFolder)
{
    static const CommandSyntax syntax{
        "fill", kFillUsage, true, true, 0, 0, {"file", "seed", "max-candidates", "time-limit"}, false, {"every", "no-improve"}};
    CommandArgs common;
    if (const int rc = ParseCommand(arguments, programFolder, syntax, &common); rc >= 0)
        return rc;
    FillOptions options;
    if (const QString why = ReadFillOptions(common, &options); !why.isEmpty()) {
        PrintError(QStringLiteral("fill: ") + why);
        std::fprintf(stderr, "usage: tavrola-cli %s\n", kFillUsage);
        return Usage;
    }

    // The week as the window has it after the date is picked: its stored file (or the
    // one named) as the requests, the history's carried-over hours, the requirements
    // with the clinic extras.
    WardModel model;
    WeekView labels;
    BatchUi ui;
    ui.yesTo = kAutoFillQuestion;
    model.Week.StartupPickerDate = QDate(1899, 12, 30);
    model.Week.PickerDate = WeekCommencingMonday(common.week);
    ConnectTotals(model);
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    const QString file = options.file.isEmpty() ? WeekFileName(model) : AbsolutePath(options.file);
    if (!options.file.isEmpty() || QFileInfo::exists(file)) {
        if (!AutoLoadRWKfile(model, labels, ui, file)) {
            PrintError(OneLine(ui.errors.value(0)));
            return BadInput;
        }
    } else {
        DateTimePickerCloseUp(model, labels, ui, false);
    }
    for (const QString& message : ui.errors)
        PrintError(OneLine(message));
    ui.errors.clear();

    AutoFill fill(model);
    fill.candidateLimit = options.maxCandidates;
    fill.improve = options.improve;
    fill.timeLimit = options.timeLimit;
    fill.onCandidate = [&](const FillSearch& s) {
        if (options.every && s.phase() == FillPhase::Random) {
            if (common.json)
                PrintLine(JsonLine()
                              .add("event", QStringLiteral("candidate"))
                              .add("candidate", s.candidates())
                              .add("score", qint64(s.CandidateScore()))
                              .text());
            else
                PrintLine(QStringLiteral("candidate %1 score %2").arg(s.candidates()).arg(s.CandidateScore()));
        }
        if (s.newBest()) {
            if (common.json)
                PrintLine(JsonLine()
                              .add("event", QStringLiteral("best"))
                              .add("candidate", s.candidates())
                              .add("score", qint64(s.bestScore()))
                              .add("phase", PhaseName(s.phase()))
                              .text());
            else
                PrintLine(QStringLiteral("best %1 (real %2) at candidate %3, %4")
                              .arg(s.bestScore())
                              .arg(s.bestUnclamped())
                              .arg(s.candidates())
                              .arg(PhaseName(s.phase())));
        }
    };
    const std::optional<std::uint32_t> seed =
        options.seedGiven ? std::optional<std::uint32_t>(options.seed) : std::nullopt;
    if (fill.ContinueButtonClick(ui, seed) != AutoFill::Click::Started) {
        PrintError(OneLine(ui.errors.value(0, QStringLiteral("the fill did not start"))));
        return BadInput;
    }
    while (fill.runSlice(0)) {
    }

    FillSearch& search = *fill.search();
    const RosterWeek& w = model.Week;
    int unclamped = 0;
    const std::vector<Penalty> penalties = search.penalties(0, &unclamped);
    if (common.json) {
        QStringList days, kept, list, summary;
        for (int day = 1; day <= kDays; ++day)
            summary += search.summaryText(0, day);
        for (int day = 1; day <= kDays; ++day) {
            QStringList cells;
            for (int line = 1; line <= kLines; ++line)
                cells += w.DayCells[day][line].text();
            days += JsonStrings(cells);
        }
        for (int n = 0; n < search.filledSlots(); ++n) {
            QStringList slotDays;
            for (int day = 1; day <= kDays; ++day) {
                QStringList cells;
                for (int line = 1; line <= kLines; ++line)
                    cells += search.slotText(n, day, line);
                slotDays += JsonStrings(cells);
            }
            kept += JsonLine()
                         .add("score", qint64(search.slot(n).score))
                         .add("unclamped", qint64(search.slot(n).unclamped))
                         .addRaw("cells", u'[' + slotDays.join(u',') + u']')
                         .text();
        }
        for (const Penalty& p : penalties) {
            JsonLine j;
            j.add("rule", PenaltyRuleName(p.rule)).add("points", qint64(p.points));
            if (p.day)
                j.add("day", QString(DayName(p.day))).add("shift", QString(ShiftCode(p.shift)));
            if (p.skill)
                j.add("skill", model.Settings.SkillCode[p.skill]);
            if (p.rule == PenaltyRule::Understaffed && !p.skills.isEmpty())
                j.add("left_out", p.skills);
            if (p.line)
                j.add("line", qint64(p.line)).add("name", w.NameEdits[p.line].text());
            if (p.rule == PenaltyRule::ContractShort)
                j.addFloat("hours", float(p.hours)).addFloat("contract", float(p.contract));
            else
                j.add("have", qint64(p.have)).add("want", qint64(p.want));
            list += j.text();
        }
        PrintLine(JsonLine()
                      .add("event", QStringLiteral("done"))
                      .add("seed", qint64(search.seed()))
                      .add("candidates", search.candidates())
                      .add("best", qint64(search.bestScore()))
                      .add("unclamped", qint64(unclamped))
                      .addRaw("grid", u'[' + days.join(u',') + u']')
                      .addRaw("summary", JsonStrings(summary))
                      .addRaw("slots", u'[' + kept.join(u',') + u']')
                      .addRaw("penalties", u'[' + list.join(u',') + u']')
                      .text());
    } else {
        PrintLine(QStringLiteral("seed %1, %2 candidates, %3 moves, best %4 (real score %5)")
                      .arg(search.seed())
                      .arg(search.candidates())
                      .arg(search.moves())
                      .arg(search.bestScore())
                      .arg(unclamped));
        PrintLine(QStringLiteral("line\tname\tMon\tTue\tWed\tThu\tFri\tSat\tSun"));
        for (int line = 1; line <= kLines; ++line) {
            QStringList row{QString::number(line), w.NameEdits[line].text()};
            bool any = false;
            for (int day = 1; day <= kDays; ++day) {
                row += w.DayCells[day][line].text();
                any = any || !row.last().isEmpty();
            }
            if (any || !w.NameEdits[line].text().isEmpty())
                PrintLine(row.join(u'\t'));
        }
        QStringList summary;
        for (int day = 1; day <= kDays; ++day)
            summary += search.summaryText(0, day);
        PrintLine(QStringLiteral("cover\t\t") + summary.join(u'\t'));
        for (const Penalty& p : penalties)
            PrintLine(PenaltyText(p, model.Settings, p.line ? w.NameEdits[p.line].text() : QString()));
        for (const Breach& b : fill.requestBreaches())
            PrintLine(QStringLiteral("kept as requested: line %1 %2, %3: %4 [%5]")
                          .arg(b.line)
                          .arg(b.name, QString(DayName(b.day)), b.text, QString(RuleKey(b.rule))));
    }

    if (!common.saveTo.isEmpty()) {
        ui.saveTo = AbsolutePath(common.saveTo);
        if (!SaveClick(model, ui)) {
            PrintError(OneLine(ui.errors.value(0, QStringLiteral("the week was not saved"))));
            return BadInput;
        }
    }
    return Ok;
}

}  // namespace tavrola::cli
