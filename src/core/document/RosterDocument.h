#pragma once
#include "roster/RosterWeek.h"
#include "rules/WorkingTimeRules.h"
#include "settings/StaffFile.h"
#include "settings/WardSettings.h"
#include "document/WeekFileGuard.h"
#include "document/WeekRecovery.h"
#include "weeks/WeekView.h"

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <vector>

namespace tavrola {

class AutoFill;
class Ui;

// One box's part in an edit: the text and colour it is to have. Only day cells take a
// colour; every other box keeps its own.
struct BoxEdit {
    BoxRef box;
    QString text;
    Colour colour = White;
};

// The roster document: everything open. The ward settings, the staff list as Staff.txt
// gave it, the week grid with its flags, dates and data folder, the labels the week
// operations put beside the grid (WeekView), the automatic fill's run with its kept
// solutions, and the undo history of the user's edits. Every user edit goes through it
// as one undoable step; loads and the week selection write the grid directly and then
// start a fresh history.
//
// The changed mark (Week.RosterChanged) is set by every step that touches what the week
// file stores (day texts and colours, names, notes, hours set, required boxes) and
// cleared by a save, or by undoing back to the saved state.
//
// Windows react to its signals instead of pulling state after each step. A running fill
// is stopped by the document itself before any step that replaces or edits the week.
class RosterDocument : public QObject {
    Q_OBJECT
public:
    RosterDocument();  // the totals follow every change from the start
    ~RosterDocument() override;

    WardSettings Settings;
    std::vector<StaffGridLine> Staff;  // the staff lines of Staff.txt, in file order
    RosterWeek Week;
    WeekView Labels;                   // what the window shows beside the grid
    QUndoStack Undo;
    // The week file in force: its lock, and what it was when read or written, so that a
    // save never goes over a file that changed on disk or another window holds unasked.
    WeekFileGuard File;

    // The working-time rules: the ward's limits (Rules.txt, read with Staff.txt), the
    // stored weeks around the week shown (read when it is picked and after a save) and
    // the breaches of the week as it stands, rechecked with the totals.
    RuleLimits Limits;
    RuleHistory RuleWeeks;
    std::vector<Breach> Breaches;
    // The names and day texts the breaches were last worked out from, so an edit
    // rechecks only the lines it changed; invalid after anything else changed.
    QString RulesCheckedNames[kLines + 1];
    QString RulesCheckedCells[kDays + 1][kLines + 1];
    QDate RulesCheckedMonday;
    bool RulesCheckedValid = false;

    // The data folder holding Staff.txt, Clinic.rtf and the week files; a separator is
    // added when missing.
    void open(const QString& folder);
    const QString& folder() const { return Week.DataFolder; }
    // The plain lines of the folder's Clinic.rtf, for the requirements and the fill;
    // none when the clinics are left out (a command run told to do without them).
    QStringList clinicLines(QString* error) const;
    bool ClinicsLeftOut = false;
    // Reads Staff.txt from the data folder and lays it onto the grid (the required boxes
    // too, unless a week file is in force), and the limits of Rules.txt beside it. A
    // Staff.txt that does not read is reported and changes nothing; a damaged line of
    // Rules.txt is reported and its default kept. Returns whether Staff.txt read.
    bool readStaff(Ui& ui);

    // The week steps of the window. Each asks first when the week has changes its file
    // does not hold (askToLeave), stops a running fill and ends its solution browser.
    // Picks the week of `date` (moved to its Monday): offers its stored file, else copies
    // the shown duties forward. Returns whether the picked week is shown.
    bool pickWeek(const QDate& date, Ui& ui);
    // File > Load with the file dialog; `path` given: that file, without the dialog.
    bool load(Ui& ui, const QString& path = {});
    // File > Save: the save dialog, then the file. Returns whether it was written.
    bool save(Ui& ui);
    // The Clear Form command with its question.
    void clear(Ui& ui);
    // The week is about to be left (another week, a load, the staff editor, closing):
    // when it has changes its file does not hold, asks "Save changes to the week of
    // Monday, 30 November 2026?" Save / Discard / Cancel. Returns whether to go on:
    // false on Cancel, and when the save was cancelled or failed.
    bool askToLeave(Ui& ui);
    // The week the grid shows: the last week selection's date, else the picker's.
    QDate shownWeek() const;

    // The automatic fill's run and its kept solutions.
    AutoFill& fill() { return *fill_; }
    // Stops a running fill (its result lands on the grid first).
    void stopFill();
    // The run is over for this week: its solution browser is closed, so it can never
    // write into another week or over what the user did since.
    void endFillRun();

    // Text typed into a box. Keystrokes in one cell merge into one step until
    // endTyping() (the user left the cell) or another edit comes between.
    void typeText(BoxRef box, const QString& text);
    void endTyping() { ++typingSession_; }

    // A change of several boxes as one step named `label` (Clear Form, a fill's result,
    // clinic notes). Boxes already as asked are left out; nothing at all is pushed when
    // no box changes. Returns whether a step was pushed.
    bool applyEdits(const QString& label, const std::vector<BoxEdit>& edits);
    // One box's text (and, for a day cell, colour) as one step.
    bool applyEdit(BoxRef box, const QString& text, Colour colour, const QString& label = {});

    // The week was written to its file: the current state is the saved one.
    void markSaved();
    // A week was loaded or picked: the history starts again. The changed mark stays as
    // it is (a picked week keeps the grid's unsaved entries).
    void startFreshHistory();

    // The step name of an edit of `box` to `text`: "EARLY on Monday, line 3".
    static QString EditLabel(BoxRef box, const QString& text);
    // Where a day cell is, in step names: "Monday, line 3".
    static QString CellPlace(BoxRef cell);

    // Whether the step being pushed is the fill's own (it must not stop the fill).
    bool fillWriting() const;

signals:
    // The changed mark may have changed (an edit, an undo, a save, a load).
    void changedMarkChanged(bool changed);
    // Another week (or the same week afresh) is on the grid: a pick, a load, the start,
    // the reload after the staff editor. Dates, labels and the chart's history changed.
    void weekReplaced();
    // The ward settings changed (Staff.txt read, a week file's names and hours).
    void settingsChanged();
    // The labels or the picker's date changed without the week being replaced (a step
    // that was cancelled puts the picker back).
    void labelsChanged();
    // The fill started, stopped or its browser closed.
    void fillChanged();
    // The working-time rule breaches of the week changed (an edit, a pick, new limits).
    void breachesChanged();

private:
    friend class BoxEditCommand;
    void announce();
    // Stops a running fill and closes its browser before a step that is not the fill's.
    void beforeEdit();
    int typingSession_ = 1;
    std::unique_ptr<AutoFill> fill_;

public:
    // The recovery file of the week's unsaved changes (off until the window enables it).
    // Last, so that it ends first.
    WeekRecovery Recovery{*this};
};

}  // namespace tavrola
