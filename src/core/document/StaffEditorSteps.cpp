#include "document/StaffEditorSteps.h"

#include "autofill/RequiredNurses.h"
#include "document/RequirementsStep.h"
#include "document/WeekChain.h"
#include "document/StaffOnGrid.h"
#include "roster/WeekData.h"
#include "util/TraceLog.h"
#include "document/WeekFileCommands.h"

#include <array>
#include <vector>

namespace tavrola {

namespace {

// Whether the parts of the week that its file stores differ.
bool StoredPartDiffers(const WeekData& a, const WeekData& b)
{
    for (int line = 1; line <= kLines; ++line) {
        if (a.Names[line] != b.Names[line] || a.HoursSet[line] != b.HoursSet[line] || a.Notes[line] != b.Notes[line])
            return true;
        for (int day = 1; day <= kDays; ++day)
            if (a.Cells[day][line] != b.Cells[day][line] || a.CellColours[day][line] != b.CellColours[day][line])
                return true;
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (a.Required[day][shift] != b.Required[day][shift])
                return true;
    return false;
}

}  // namespace

bool SaveBeforeStaffReload(WardModel& model, Ui& ui)
{
    model.endFillRun();
    return model.askToLeave(ui);
}

void MoveNotesBelowStaff(RosterWeek& w, const WeekData& before)
{
    // The day texts of lines that had no name (clinic notes) and now have a person.
    std::vector<std::array<QString, kDays + 1>> notes;
    for (int line = 1; line <= kLines; ++line) {
        if (!before.Names[line].isEmpty() || w.data().Names[line].isEmpty())
            continue;
        std::array<QString, kDays + 1> texts;
        bool any = false;
        for (int day = 1; day <= kDays; ++day) {
            texts[day] = before.Cells[day][line];
            any = any || !texts[day].isEmpty();
        }
        if (!any)
            continue;
        notes.push_back(texts);
        for (int day = 1; day <= kDays; ++day)
            w.setText(BoxRef::cell(day, line), QString());
    }
    // Into the first lines below the staff that hold nothing, in their order.
    int line = w.LinesWithNames();
    for (const auto& texts : notes) {
        auto empty = [&](int l) {
            if (!w.data().Names[l].isEmpty())
                return false;
            for (int day = 1; day <= kDays; ++day)
                if (!w.data().Cells[day][l].isEmpty())
                    return false;
            return true;
        };
        while (line >= 1 && line <= kLines && !empty(line))
            ++line;
        if (line < 1 || line > kLines)
            break;  // no room left: the notes are dropped with the line they stood on
        for (int day = 1; day <= kDays; ++day)
            w.setText(BoxRef::cell(day, line), texts[day]);
        ++line;
    }
}

bool ReloadAfterStaffEditor(WardModel& model, WeekView& labels, Ui& ui)
{
    RosterWeek& w = model.Week;
    model.endFillRun();
    TraceLog(QStringLiteral("\n\r\n\rINTO EditStaffFile1Click - reading the new Staff.txt"));
    const WeekData before = w.data();
    const bool fromWeekFile = w.RosterFileLoaded;
    QString error;
    if (!ReloadStaffTxtFile(model, &error)) {
        ui.showError(error);
        return false;
    }
    MoveNotesBelowStaff(w, before);
    w.RosterFileLoaded = false;
    ApplyStandingRequirements(w, model.Settings);
    emit model.settingsChanged();
    DateTimePickerCloseUp(model, labels, ui, false);
    // A week shown as its file stored it no longer is: it now needs saving. A week never
    // loaded has nothing stored to differ from.
    if (fromWeekFile && !w.RosterChanged && StoredPartDiffers(before, w.data())) {
        w.RosterChanged = true;
        model.startFreshHistory();  // no state of the new history is the saved one
    }
    return true;
}

}  // namespace tavrola
