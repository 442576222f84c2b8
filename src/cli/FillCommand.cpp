#include "cli/CliCommon.h"

#include "Ui.h"
#include "document/AutoFill.h"
#include "util/FileAccess.h"
#include "weeks/WeekView.h"


namespace tavrola::cli {

namespace {

QString JsonStrings(const QStringList& texts)
{
    QStringList quoted;
    for (const QString& t : texts)
        quoted += JsonLine::quote(t);
    return u'[' + quoted.join(u',') + u']';
}

// Who covers each shift of the best week, day by day: [[{shift, count, skills}, AM, PM, N], ...].
QString CoverJson(const FillSearch& search)
{
    QStringList days;
    for (int day = 1; day <= kDays; ++day) {
        const DaySummary& sum = search.slot(0).form.Summary[day];
        QStringList shifts;
        for (int shift = 1; shift <= kShifts; ++shift) {
            QStringList skills;
            for (const auto& [code, n] : search.engine().CoverSkills(sum, shift))
                skills += JsonLine::quote(code) + u':' + QString::number(n);
            shifts += JsonLine()
                          .add("shift", QString(ShiftCode(shift)))
                          .add("count", qint64(sum.Count[shift]))
                          .addRaw("skills", u'{' + skills.join(u',') + u'}')
                          .text();
        }
        days += u'[' + shifts.join(u',') + u']';
    }
    return u'[' + days.join(u',') + u']';
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

class FillVerb final : public Command {
public:
    const char* name() const override { return "fill"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::Required},
                                              {"file", "WEEK.rwk"},
                                              {"seed", "N"},
                                              {"max-candidates", "K"},
                                              {"time-limit", "SECONDS"},
                                              {"no-improve", nullptr, OptionKind::Flag},
                                              {"every", nullptr, OptionKind::Flag},
                                              {"save", "OUT.rwk", OptionKind::SaveFile},
                                              kForceOption,
                                              kNoClinicsOption,
                                              kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  fill --week DATE [--file WEEK.rwk] [--seed N] [--max-candidates K]\n"
               "       [--time-limit SECONDS] [--no-improve] [--every] [--save OUT.rwk] [--force]\n"
               "       [--no-clinics]\n"
               "                   the automatic fill of the week as the window runs it, to 100 points\n"
               "                   or K candidates (100000); --json gives {event: best|candidate|done};\n"
               "                   --force saves over a week open elsewhere; --no-clinics leaves the\n"
               "                   clinic extras out (else an unreadable Clinic.rtf stops the fill)\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int FillVerb::execute(const CommandArgs& common, Console& io) const
{
    FillOptions options;
    if (const QString why = ReadFillOptions(common, &options); !why.isEmpty())
        return usageError(io, why);

    // The week as the window has it after the date is picked: its stored file (or the
    // one named) as the requests, the history's carried-over hours, the requirements
    // with the clinic extras. The picker starts on no week, so any week is chosen.
    if (!common.saveTo.isEmpty() && !MaySaveWeekTo(AbsolutePath(common.saveTo), Forced(common), io))
        return BadInput;
    OpenWard ward;
    ward.ui.yesTo = kAutoFillQuestion;
    ward.ui.force = Forced(common);
    if (!ClinicsReadOrLeftOut(ward, common, io))
        return BadInput;
    const WeekRequest request{options.file.isEmpty() ? WeekPick::StoredOrNew : WeekPick::File, options.file,
                              common.week, QDate(1899, 12, 30)};
    if (!OpenWardAndWeek(ward, common.dataFolder, request, io))
        return BadInput;
    WardModel& model = ward.model;
    BatchUi& ui = ward.ui;

    AutoFill fill(model);
    fill.candidateLimit = options.maxCandidates;
    fill.improve = options.improve;
    fill.timeLimit = options.timeLimit;
    fill.onCandidate = [&](const FillSearch& s) {
        if (options.every && s.phase() == FillPhase::Random) {
            if (common.json)
                io.line(JsonLine()
                            .add("event", QStringLiteral("candidate"))
                            .add("candidate", s.candidates())
                            .add("score", qint64(s.CandidateScore()))
                            .text());
            else
                io.line(QStringLiteral("candidate %1 score %2").arg(s.candidates()).arg(s.CandidateScore()));
        }
        if (s.newBest()) {
            if (common.json)
                io.line(JsonLine()
                              .add("event", QStringLiteral("best"))
                              .add("candidate", s.candidates())
                              .add("score", qint64(s.bestScore()))
                              .add("phase", PhaseName(s.phase()))
                              .text());
            else
                io.line(QStringLiteral("best %1 (real %2) at candidate %3, %4")
                              .arg(s.bestScore())
                              .arg(s.bestUnclamped())
                              .arg(s.candidates())
                              .arg(PhaseName(s.phase())));
        }
    };
    const std::optional<std::uint32_t> seed =
        options.seedGiven ? std::optional<std::uint32_t>(options.seed) : std::nullopt;
    if (fill.ContinueButtonClick(ui, seed) != AutoFill::Click::Started) {
        io.error(OneLine(ui.errors.value(0, QStringLiteral("the fill did not start"))));
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
                cells += w.data().Cells[day][line];
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
                j.add("line", qint64(p.line)).add("name", w.data().Names[p.line]);
            if (p.rule == PenaltyRule::ContractShort)
                j.addFloat("hours", float(p.hours)).addFloat("contract", float(p.contract));
            else
                j.add("have", qint64(p.have)).add("want", qint64(p.want));
            list += j.text();
        }
        io.line(JsonLine()
                      .add("event", QStringLiteral("done"))
                      .add("seed", qint64(search.seed()))
                      .add("candidates", search.candidates())
                      .add("best", qint64(search.bestScore()))
                      .add("unclamped", qint64(unclamped))
                      .addRaw("grid", u'[' + days.join(u',') + u']')
                      .addRaw("summary", JsonStrings(summary))
                      .addRaw("cover", CoverJson(search))
                      .addRaw("slots", u'[' + kept.join(u',') + u']')
                      .addRaw("penalties", u'[' + list.join(u',') + u']')
                      .text());
    } else {
        io.line(QStringLiteral("seed %1, %2 candidates, %3 moves, best %4 (real score %5)")
                      .arg(search.seed())
                      .arg(search.candidates())
                      .arg(search.moves())
                      .arg(search.bestScore())
                      .arg(unclamped));
        io.line(QStringLiteral("line\tname\tMon\tTue\tWed\tThu\tFri\tSat\tSun"));
        for (int line = 1; line <= kLines; ++line) {
            QStringList row{QString::number(line), w.data().Names[line]};
            bool any = false;
            for (int day = 1; day <= kDays; ++day) {
                row += w.data().Cells[day][line];
                any = any || !row.last().isEmpty();
            }
            if (any || !w.data().Names[line].isEmpty())
                io.line(row.join(u'\t'));
        }
        // The cover row as the window shows it under the grid (early/late/night), then
        // each day's shifts with the skills their staff hold.
        QStringList counts;
        for (int day = 1; day <= kDays; ++day)
            counts += fill.coverCounts(day);
        io.line(QStringLiteral("cover\t\t") + counts.join(u'\t'));
        for (int day = 1; day <= kDays; ++day)
            io.line(QStringLiteral("%1 cover: %2").arg(DayName(day), fill.coverText(day).replace(u'\n', QStringLiteral("; "))));
        for (const Penalty& p : penalties)
            io.line(PenaltyText(p, model.Settings, p.line ? w.data().Names[p.line] : QString()));
        for (const Breach& b : fill.requestBreaches())
            io.line(QStringLiteral("kept as requested: line %1 %2, %3: %4 [%5]")
                          .arg(b.line)
                          .arg(b.name, QString(DayName(b.day)), b.text, QString(RuleKey(b.rule))));
    }

    if (!common.saveTo.isEmpty()) {
        ui.saveTo = AbsolutePath(common.saveTo);
        if (!SaveClick(model, ui)) {
            io.error(OneLine(ui.errors.value(0, QStringLiteral("the week was not saved"))));
            return BadInput;
        }
    }
    return Ok;
}

const Command& FillCommand()
{
    static const FillVerb command;
    return command;
}

}  // namespace tavrola::cli
