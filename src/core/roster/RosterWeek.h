#pragma once
#include "roster/Field.h"
#include "roster/ShiftCover.h"
#include "settings/WardSettings.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace tavrola {

// Told about every change of any field of the grid (the window mirrors them).
class RosterObserver {
public:
    virtual ~RosterObserver() = default;
    virtual void fieldChanged(const Field& field, FieldChange what) = 0;
};

// One roster week: the grid's fields addressed through their tables, and the week state
// beside them. The tables are 1-based; index 0 is a placeholder that is always empty.
class RosterWeek {
public:
    RosterWeek();
    RosterWeek(const RosterWeek&) = delete;
    RosterWeek& operator=(const RosterWeek&) = delete;

    Field DayCells[kDays + 1][kLines + 1];
    Field NameEdits[kLines + 1];
    Field GradeEdits[kLines + 1];
    Field HoursSetEdits[kLines + 1];
    Field HoursWorkingEdits[kLines + 1];
    Field LecturesEdits[kLines + 1];
    Field ShiftRequiredEdits[kDays + 1][kShifts + 1];
    Field ShiftCountBoxes[kDays + 1][kShifts + 1];  // read-only, under the required boxes

    QString StaffSkillCodes[kLines + 1];

    float WeekHours[kLines + 1] = {};
    qint32 WeekNonPrefCount[kLines + 1] = {};
    qint32 ShiftCounts[kDays + 1][kShifts + 1] = {};
    qint32 ShiftRequired[kDays + 1][kShifts + 1] = {};  // the required boxes' numbers
    Cover ShiftCovers[kDays + 1][kShifts + 1] = {};

    bool RosterChanged = false;
    bool RosterFileLoaded = false;
    bool WeekSelected = false;  // the week selection has run (at the latest, the deferred start)
    bool RecalcSuspended = false;
    bool FillRunning = false;

    // The automatic fill's copy of the user's entries, taken when a fill first starts.
    bool RequestsSaved = false;
    QString SavedRequests[kDays + 1][kLines + 1];

    QDate PickerDate;          // the week-commencing date shown in the picker
    QDate StartupPickerDate;   // the picker's date right after start-up
    Colour BaseCellColours[kDays + 1][kLines + 1] = {};
    QString DataFolder;        // ends in a path separator

    // A week counts as chosen once a date was picked, a week file loaded, or the week
    // selection ran for the week shown (the deferred start runs it for this week).
    bool WeekChosen() const { return PickerDate != StartupPickerDate || RosterFileLoaded || WeekSelected; }

    // The last line 1..25 with a name; 0 when none.
    int NumberOfStaff() const;
    // One more than the last line with a name (index 0 included in the scan); 0 when none.
    int LinesWithNames() const;
    // The last line with a name, a note or any day text; 0 when all are empty.
    int LinesUsedonTableGrid() const;

    void addObserver(RosterObserver* observer);
    void removeObserver(RosterObserver* observer);

    // Whether a change of this kind to the field changes the totals.
    static bool AffectsTotals(const Field& field, FieldChange what);
    // Whether the week file stores the field's text (and, for day cells, its colour).
    static bool IsStored(const Field& field);

    // The totals recalculation, run after every day-cell change and whenever a unit has
    // rewritten the grid. Set by whoever owns the model together with its settings.
    std::function<void()> Recalculate;

private:
    friend class Field;
    void notify(const Field& field, FieldChange what);
    std::vector<RosterObserver*> observers_;
};

// Holds the totals recalculation off while many fields are written in one go, and puts
// the hold back as it was when it ends (batches nest). Whoever opened the outermost batch
// recalculates afterwards.
class RecalcBatch {
public:
    explicit RecalcBatch(RosterWeek& week) : week_(week), was_(week.RecalcSuspended) { week.RecalcSuspended = true; }
    ~RecalcBatch() { week_.RecalcSuspended = was_; }
    RecalcBatch(const RecalcBatch&) = delete;
    RecalcBatch& operator=(const RecalcBatch&) = delete;

private:
    RosterWeek& week_;
    bool was_;
};

}  // namespace tavrola
