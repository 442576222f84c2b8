#include "document/AutoFill.h"

#include "clinics/ClinicFile.h"
#include "document/ClinicNotesStep.h"
#include "autofill/RequiredNurses.h"
#include "document/RequirementsStep.h"
#include "roster/WeekData.h"
#include "rules/RuleWeeksReader.h"
#include "util/TraceLog.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <algorithm>

namespace tavrola {

namespace {
// The random phase hands over to the local search after this many candidates without a
// better real score, or after this share of a time limit.
constexpr qint64 kRandomStall = 5000;
constexpr double kRandomShareOfTime = 0.4;
// Local-search moves between two looks at the clock.
constexpr int kMovesPerStep = 64;
}  // namespace

AutoFill::AutoFill(WardModel& model) : model_(model)
{
    // Any step that is not ours (a typed cell, an undo) stops a running fill where it
    // stands: the search must not write over what the user just did.
    watch_ = QObject::connect(&model_.Undo, &QUndoStack::indexChanged, [this] {
        if (running_ && !applying_) {
            interrupted_ = true;
            model_.Week.FillRunning = false;
        }
    });
}

AutoFill::~AutoFill()
{
    QObject::disconnect(watch_);
}

AutoFill::Click AutoFill::ContinueButtonClick(Ui& ui, std::optional<std::uint32_t> seed)
{
    RosterWeek& w = model_.Week;
    if (!w.WeekChosen()) {
        ui.showError(kWeekNotSetMessage);
        return Click::WeekNotSet;
    }
    if (running_) {
        stop();
        return Click::Stopped;
    }
    if (ui.askYesNo(kAutoFillQuestion) != Answer::Yes)
        return Click::Declined;
    ui_ = &ui;
    const std::uint32_t startSeed = seed ? *seed : FillSeedFromTime(QDateTime::currentDateTimeUtc().time());
    TraceLog(QStringLiteral("INTO ContinueButtonClick - Auto Fill seed %1").arg(startSeed));

    if (!w.RequestsSaved) {
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line)
                w.SavedRequests[day][line] = w.data().Cells[day][line];
        w.RequestsSaved = true;
    }
    // Clinic.rtf is read once for the whole run; a file that does not read is reported
    // now, and the run goes on with the standing requirements and no clinic notes.
    clinicError_.clear();
    clinicLines_ = model_.clinicLines(&clinicError_);
    if (!clinicError_.isEmpty())
        ui.showError(clinicError_);
    // The week's requirements go onto the grid with the run's own step, not behind the
    // undo history's back; the search starts from them.
    const Requirements required = ComputeRequirements(model_.Settings, w.PickerDate, clinicLines_);
    if (required.overflow)
        ui.showError(QStringLiteral("Integer overflow"));
    requirementEdits_ = RequirementsEdits(required);
    WeekData start = w.data();
    for (const BoxEdit& e : requirementEdits_)
        start.Required[e.box.day()][e.box.shift()] = e.text;
    // The hard rules: Rules.txt's limits (defaults without it) over the requests, with the
    // stored weeks around this one.
    WeekData requests = start;
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line)
            requests.Cells[day][line] = w.SavedRequests[day][line];
    const bool folder = !w.DataFolder.isEmpty();
    const RuleLimits limits = folder ? ReadRulesFile(w.DataFolder + kRulesFileName).limits : RuleLimits();
    guard_ = std::make_unique<WorkingTimeGuard>(
        model_.Settings, limits, requests, w.PickerDate,
        folder ? ReadRuleHistory(w.DataFolder, model_.Settings, w.PickerDate) : RuleHistory());
    FillInput input = MakeFillInput(start, w.StaffSkillCodes, w.SavedRequests);
    input.HoursCap = float(guard_->hoursCap());
    input.MinShortShift = std::max(0.0f, model_.Settings.ShortestShiftHours);
    auto search = std::make_unique<FillSearch>(model_.Settings, input, startSeed, guard_.get());
    if (!search->error().isEmpty()) {
        ui.showError(search->error());
        return Click::Refused;
    }
    search->setKeepSearching(timeLimit > 0);
    search_ = std::move(search);
    caption_ = QStringLiteral("Stop 0%");
    w.FillRunning = true;
    running_ = true;
    interrupted_ = false;
    ownIndex_ = -1;
    position_ = 0;
    runClock_.start();
    return Click::Started;
}

bool AutoFill::runSlice(int budgetMs)
{
    if (!running_)
        return false;
    RosterWeek& w = model_.Week;
    QElapsedTimer clock;
    clock.start();
    bool improved = false;
    while (w.FillRunning) {
        FillSearch& s = *search_;
        if (s.phase() == FillPhase::Random) {
            s.next();
            if (onCandidate)
                onCandidate(s);
            const bool limitReached = candidateLimit > 0 ? s.candidates() >= candidateLimit
                                                         : s.sinceImprovement() >= kRandomStall;
            const bool shareUsed = timeLimit > 0 && runClock_.elapsed() >= timeLimit * 1000 * kRandomShareOfTime;
            if (s.bestScore() == 100 || (!improve && limitReached))
                w.FillRunning = false;
            else if (improve && (limitReached || shareUsed) && !s.improve(0))
                w.FillRunning = false;
        } else {
            if (!s.improve(kMovesPerStep))
                w.FillRunning = false;
            if (s.newBest() && onCandidate)
                onCandidate(s);
        }
        if (s.newBest()) {
            improved = true;
            caption_ = QStringLiteral("Stop %1%").arg(s.bestScore());
        }
        if (timeLimit > 0 && runClock_.elapsed() >= timeLimit * 1000)
            w.FillRunning = false;
        if (budgetMs > 0 && clock.elapsed() >= budgetMs)
            break;
    }
    if (!w.FillRunning) {
        finish();
        return false;
    }
    if (improved)
        showBest();
    return true;
}

void AutoFill::stop()
{
    if (!running_)
        return;
    model_.Week.FillRunning = false;
    finish();
}

QString AutoFill::countText() const
{
    return running_ && search_ ? QString::number(search_->IterationCount()) : QString();
}

std::vector<BoxEdit> AutoFill::solutionEdits(int n)
{
    std::vector<BoxEdit> edits;
    if (!search_)
        return edits;
    RosterWeek& w = model_.Week;
    const int shown = search_->shownLines();
    // A slot never filled is not offered; the summary stays off the grid.
    if (!search_->slot(n).filled)
        return edits;
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= shown; ++line) {
            const QString text = search_->slotText(n, day, line);
            edits.push_back({BoxRef::cell(day, line), text.isEmpty() ? QStringLiteral("DO") : text,
                             w.data().CellColours[day][line]});
        }
    return edits;
}

std::vector<BoxEdit> AutoFill::resultEdits()
{
    std::vector<BoxEdit> edits = solutionEdits(0);
    if (model_.Settings.RequiredNursesPerDoctor < 1 || !search_)
        return edits;
    // Each day's clinic notes go into the spare lines below the staff, over the result.
    AddClinicNotesOfWeek(model_, clinicLines_, edits);
    return edits;
}

bool AutoFill::ownStepOnTop() const
{
    return ownIndex_ >= 0 && model_.Undo.index() == ownIndex_ && model_.Undo.count() == ownIndex_;
}

void AutoFill::replaceOwnStep(std::vector<BoxEdit> edits)
{
    applying_ = true;
    if (ownStepOnTop())
        model_.Undo.undo();
    edits.insert(edits.end(), requirementEdits_.begin(), requirementEdits_.end());
    ownIndex_ = model_.applyEdits(kAutoFillStep, edits) ? model_.Undo.index() : -1;
    applying_ = false;
}

void AutoFill::showBest()
{
    replaceOwnStep(solutionEdits(0));
}

void AutoFill::finish()
{
    if (search_->candidates() == 0)
        search_->next();  // a fill makes one candidate at least
    running_ = false;
    model_.Week.FillRunning = false;
    caption_ = QStringLiteral("Done (%1)").arg(search_->bestScore());
    // An edit that ended the run leaves nothing to browse: a solution would overwrite it.
    browserVisible_ = !interrupted_;
    position_ = 0;
    // Interrupted by another edit, the grid stays as the user left it.
    if (!interrupted_)
        replaceOwnStep(resultEdits());
    ownIndex_ = -1;
    TraceLog(QStringLiteral("Auto Fill done: %1 candidates, best %2 (seed %3)")
                 .arg(search_->candidates())
                 .arg(search_->bestScore())
                 .arg(search_->seed()));
}

void AutoFill::UpDown1Click(int position)
{
    if (!search_ || running_ || !browserVisible_)
        return;
    const int filled = std::max(1, search_->filledSlots());
    position_ = ((position % filled) + filled) % filled;
    model_.applyEdits(QStringLiteral("Show Solution %1").arg(position_), solutionEdits(position_));
    caption_ = QStringLiteral("Done (%1) %2%").arg(position_).arg(search_->slot(position_).score);
}

QStringList AutoFill::explanation()
{
    QStringList lines;
    if (!search_)
        return lines;
    int unclamped = 0;
    const std::vector<Penalty> penalties = search_->penalties(position_, &unclamped);
    lines += QStringLiteral("Real score %1: %2 points lost").arg(unclamped).arg(100 - unclamped);
    // The points lost per rule first, then each deduction.
    static const char* const kRuleTotals[] = {"Required skills missing", "Preferable skills missing",
                                               "Shifts short of staff", "Contracts not met"};
    int points[4] = {}, counts[4] = {};
    for (const Penalty& p : penalties) {
        points[int(p.rule)] += p.points;
        ++counts[int(p.rule)];
    }
    for (int r = 0; r < 4; ++r)
        if (counts[r])
            lines += QStringLiteral("%1: -%2 (%3)").arg(QLatin1String(kRuleTotals[r])).arg(points[r]).arg(counts[r]);
    if (unclamped < 0)
        lines += QStringLiteral("Below 0: the caption shows 0");
    for (const Penalty& p : penalties)
        lines += PenaltyText(p, model_.Settings, p.line ? model_.Week.data().Names[p.line] : QString());
    // The fill adds no breach of the working-time rules; those the requests hold stay.
    for (const Breach& b : requestBreaches())
        lines += QStringLiteral("Kept as requested: %1 on %2: %3").arg(b.name, QString(DayName(b.day)), b.text);
    return lines;
}

}  // namespace tavrola

namespace tavrola {

QString AutoFill::summaryText(int day) const
{
    if (!search_ || !search_->slot(position_).filled)
        return QString();
    return search_->summaryText(position_, day);
}

QString AutoFill::coverCounts(int day) const
{
    if (!search_ || !search_->slot(position_).filled)
        return QString();
    const DaySummary& sum = search_->slot(position_).form.Summary[day];
    return QStringLiteral("%1/%2/%3").arg(sum.Count[1]).arg(sum.Count[2]).arg(sum.Count[3]);
}

QString AutoFill::coverText(int day) const
{
    if (!search_ || !search_->slot(position_).filled)
        return QString();
    return search_->coverText(position_, day);
}

const std::vector<Breach>& AutoFill::requestBreaches() const
{
    static const std::vector<Breach> none;
    return guard_ ? guard_->requestBreaches() : none;
}

}  // namespace tavrola
