#pragma once
#include "Ui.h"
#include "autofill/FillSearch.h"
#include "document/WardModel.h"
#include "document/WeekFileCommands.h"
#include "rules/FillRules.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QStringList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tavrola {

inline const QString kAutoFillQuestion = QStringLiteral(
    "This will start the automatic form filling process, continue?\rNOTE: For best results, enter requests first.");
inline const QString& kWeekNotSetMessage = kChooseWeekFirstMessage;
inline const QString kAutoFillCaption = QStringLiteral("Auto Fill Form");
inline const QString kAutoFillStep = QStringLiteral("Auto Fill");

// The automatic fill of the shown week, without windows: starting and stopping, the
// search run in slices, each new best shown on the grid, the clinic notes at the end,
// and browsing the kept solutions. The search works on a copy of the week's data; the
// grid changes only through undo steps: the result is one step "Auto Fill" (replaced by
// each new best while the fill runs), each browse one more.
//
// The random candidates run until they stop improving (or a set number of them), then a
// local search improves the best week until it stalls. The working-time rules of the
// data folder's Rules.txt are hard rules: no kept week breaks one its requests did not.
//
// A fill stops at 100 points, on a second press, when Week.FillRunning is cleared (a
// duty entered by hand), when the search ends or its time is up, or when anything else
// changes the document (a typed cell, an undo): then it stops where it stands and
// writes nothing more.
class AutoFill {
public:
    explicit AutoFill(WardModel& model);
    ~AutoFill();
    AutoFill(const AutoFill&) = delete;
    AutoFill& operator=(const AutoFill&) = delete;

    enum class Click { WeekNotSet, Stopped, Declined, Refused, Started };

    // The "Auto Fill Form" button: the week check, stop when running, else the question,
    // the seed (the time of day unless given), the saved requests, the requirements.
    // The candidates run in runSlice.
    Click ContinueButtonClick(Ui& ui, std::optional<std::uint32_t> seed = std::nullopt);

    // Runs candidates for about `budgetMs` milliseconds (0: until the fill ends) and
    // shows the newest best. Returns whether the fill still runs.
    bool runSlice(int budgetMs);
    // Stops a running fill now and puts its result on the grid.
    void stop();
    bool running() const { return running_; }

    // Shows kept solution `position` (wrapping over the filled slots) as one undo step;
    // nothing once the browser is closed.
    void UpDown1Click(int position);
    // The run is over for the week shown (another week, a load, Clear Form, an edit
    // that ended it): the browser closes and no solution is written any more.
    void closeBrowser() { browserVisible_ = false; }
    // Our own step is being pushed.
    bool writing() const { return applying_; }

    // What the window shows.
    const QString& caption() const { return caption_; }
    QString countText() const;
    bool browserVisible() const { return browserVisible_; }
    int position() const { return position_; }
    // Why the best is not 100: the real score, the points lost per rule, then each
    // deduction.
    QStringList explanation();
    // Who covers each shift of the shown solution's day ("6SL IV/5/3"); empty before a
    // fill. Shown beside the grid, never written into it.
    QString summaryText(int day) const;
    // The cover row's cell, the head counts of the early, late and night ("6/4/2"), and
    // its tool tip, a line per shift with how many hold each skill; empty before a fill.
    QString coverCounts(int day) const;
    QString coverText(int day) const;

    // The search of the latest fill; null before the first.
    FillSearch* search() { return search_.get(); }
    const FillSearch* search() const { return search_.get(); }

    // Called after every candidate (the command line reports from it).
    std::function<void(const FillSearch&)> onCandidate;
    // The random phase ends after this many candidates; 0: when it stops improving.
    qint64 candidateLimit = 0;
    // Whether the local search follows the random phase.
    bool improve = true;
    // The whole fill stops after this many seconds; 0: no limit.
    double timeLimit = 0;
    // The requests' own breaches of the working-time rules (kept, and reported).
    const std::vector<Breach>& requestBreaches() const;

    // The grid texts of kept solution n for the shown lines ("DO" for empty cells), and
    // those texts with each day's clinic notes added as the end of a fill writes them.
    std::vector<BoxEdit> solutionEdits(int n);
    std::vector<BoxEdit> resultEdits();
    // A problem reading Clinic.rtf at the start of the run (reported then); empty when fine.
    const QString& clinicError() const { return clinicError_; }

private:
    void showBest();
    void finish();
    void replaceOwnStep(std::vector<BoxEdit> edits);
    bool ownStepOnTop() const;

    WardModel& model_;
    std::unique_ptr<WorkingTimeGuard> guard_;
    std::unique_ptr<FillSearch> search_;
    QElapsedTimer runClock_;
    Ui* ui_ = nullptr;
    bool running_ = false;
    bool interrupted_ = false;  // something else changed the document during the fill
    bool applying_ = false;     // our own step is being pushed
    int ownIndex_ = -1;         // the undo index just after our step, -1 when none
    QString caption_ = kAutoFillCaption;
    bool browserVisible_ = false;
    int position_ = 0;
    QMetaObject::Connection watch_;
    // Read once per run: the requirements at the start and the notes at the end agree.
    QStringList clinicLines_;
    QString clinicError_;
    // The required boxes as the run worked them out; they join the run's own step.
    std::vector<BoxEdit> requirementEdits_;
};

}  // namespace tavrola
