#pragma once
#include "roster/BoxRef.h"
#include "roster/ShiftCover.h"
#include "roster/WeekData.h"
#include "settings/WardSettings.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace tavrola {

struct WeekTotals;

// What the totals put beside the stored week: hours per line, staff per shift and day
// against the required boxes' numbers, the colours of the hours-set and required boxes,
// the counts shown under the required boxes, and the reason a box's number does not
// convert (empty when fine). Tables follow the grid: 1-based.
struct WeekStatus {
    WeekStatus();  // white boxes, no counts, no errors
    float WeekHours[kLines + 1] = {};
    qint32 ShiftCounts[kDays + 1][kShifts + 1] = {};
    qint32 ShiftRequired[kDays + 1][kShifts + 1] = {};  // the required boxes' numbers
    Cover ShiftCovers[kDays + 1][kShifts + 1] = {};
    Colour HoursSetColours[kLines + 1];
    Colour RequiredColours[kDays + 1][kShifts + 1];
    QString CountTexts[kDays + 1][kShifts + 1];
    Colour CountColours[kDays + 1][kShifts + 1];
    QString CellErrors[kDays + 1][kLines + 1];
    QString RequiredErrors[kDays + 1][kShifts + 1];
};

// Told about every change of any box of the grid (the window mirrors them).
class RosterObserver {
public:
    virtual ~RosterObserver() = default;
    virtual void boxChanged(BoxRef box, BoxChange what) = 0;
};

// One roster week: the stored week as plain data (texts, day-cell colours, hints,
// required boxes), the status the totals put beside it, and the week state. Boxes are
// written through the setters, which report each real change to the observers and
// recalculate the totals when what they read changed.
class RosterWeek {
public:
    RosterWeek();
    RosterWeek(const RosterWeek&) = delete;
    RosterWeek& operator=(const RosterWeek&) = delete;

    const WeekData& data() const { return data_; }
    const WeekStatus& status() const { return status_; }

    // A box's text, background colour, hint (the line's standard shift, on day cells)
    // and error. A reference that names no box reads as empty and white.
    const QString& text(BoxRef box) const;
    Colour colour(BoxRef box) const;
    const QString& hint(BoxRef box) const;
    const QString& error(BoxRef box) const;

    // Writes that a box does not take (a placeholder; a colour on a name) are ignored.
    void setText(BoxRef box, const QString& text);
    void setColour(BoxRef box, Colour colour);
    void setError(BoxRef box, const QString& error);
    // The hint of a line's day cells.
    void setLineHint(int line, const QString& hint);
    void setNonPrefCount(int line, qint32 count) { data_.NonPrefCount[line] = count; }
    // Puts computed totals beside the week: the figures, the hours-worked texts, the
    // boxes' colours and marks (each change reported). A required box that is not a
    // whole number keeps its colour.
    void applyTotals(const WeekTotals& totals);
    // A staff count as a week file stored it (the totals work it out again).
    void setShiftCount(int day, int shift, qint32 count) { status_.ShiftCounts[day][shift] = count; }
    // Writes every box of `data` (each change reported) with recalculation held off; the
    // totals and the week flags are left to the caller.
    void load(const WeekData& data);

    QString StaffSkillCodes[kLines + 1];

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

    // Whether a change of this kind to the box changes the totals.
    static bool AffectsTotals(BoxRef box, BoxChange what);
    // Whether the week file stores the box's text (and, for day cells, its colour).
    static bool IsStored(BoxRef box);

    // The totals recalculation, run after every day-cell change and whenever a unit has
    // rewritten the grid. Set by whoever owns the model together with its settings.
    std::function<void()> Recalculate;

private:
    void notify(BoxRef box, BoxChange what);
    QString* textOf(BoxRef box);
    Colour* colourOf(BoxRef box);
    QString* errorOf(BoxRef box);
    WeekData data_;
    WeekStatus status_;
    std::vector<RosterObserver*> observers_;
};

// Holds the totals recalculation off while many boxes are written in one go, and puts
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
