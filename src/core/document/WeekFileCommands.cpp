#include "document/WeekFileCommands.h"

#include "document/Totals.h"
#include "document/WorkingTime.h"
#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/FileAccess.h"
#include "util/TextFile.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileName.h"

#include <QFileInfo>

namespace tavrola {

namespace {
const QString kTwoLineBreaks = QStringLiteral("\n\r\n\r");
}  // namespace

bool SaveClick(WardModel& model, Ui& ui)
{
    RosterWeek& w = model.Week;
    model.stopFill();  // its result lands first and is saved with the week
    if (!w.WeekChosen()) {
        ui.showError(kChooseWeekFirstMessage);
        return false;
    }
    TavrolaChange(model);

    WeekFileData data;
    try {
        data = WeekFileDataFromModel(model);
    } catch (const ConversionError& e) {
        ui.showError(e.message());
        return false;
    }

    QString path = ui.chooseSaveFile(QStringLiteral("Save Tavrola week"), w.DataFolder, WeekFileBaseName(model),
                                     kWeekFileSaveFilter);
    // A file that changed on disk since it was read, or that another window holds, is
    // not written over without asking; "another name" asks for one.
    for (bool saveAs = true; saveAs && !path.isEmpty();) {
        if (IsFolder(path))
            break;  // refused below
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".rwk");
        if (model.File.mayWrite(path, ui, &saveAs))
            break;
        path = saveAs ? ui.chooseSaveFile(QStringLiteral("Save Tavrola week as"), w.DataFolder,
                                          QFileInfo(path).fileName(), kWeekFileSaveFilter)
                      : QString();
    }
    if (path.isEmpty())
        return false;
    // A folder is not a name to save under (nor is "folder.rwk" beside it).
    if (IsFolder(path)) {
        ui.showError(QStringLiteral("Cannot save the week as %1: it is a folder").arg(Quoted(path)));
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rwk");
    TraceLog(kTwoLineBreaks + QStringLiteral("INTO SaveClick ") + path);

    QString error;
    if (!WriteTextFileAtomically(path, WeekFileText(data), &error)) {
        ui.showError(error);
        return false;
    }
    model.File.written(path);
    model.markSaved();
    // The stored weeks changed: the checks read them again.
    ReadRuleWeeks(model);
    RecheckRules(model);
    return true;
}

WeekFileData WeekFileDataFromModel(const WardModel& model)
{
    const RosterWeek& w = model.Week;
    const WardSettings& s = model.Settings;
    WeekFileData d;
    d.weekCommencing = w.PickerDate;
    d.hospital = s.HOSPITAL;
    d.ward = s.WARD;
    for (int k = 1; k <= 14; ++k)
        d.dutyNames[k] = s.DutyName(k);
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        d.hours[k] = WeekFileHourSetting(s, k);
    for (int line = 1; line <= kLines; ++line) {
        WeekFileStaffLine& l = d.lines[line];
        l.name = w.data().Names[line];
        try {
            l.contracted = HoursSetValue(w.data().HoursSet[line], true);
        } catch (const ConversionError& e) {
            throw ConversionError(QStringLiteral("Hours set of staff line %1: %2").arg(line).arg(e.message()));
        }
        l.hoursWorked = w.data().HoursWorked[line];
        l.nonPref = w.data().NonPrefCount[line];
        for (int day = 1; day <= kDays; ++day)
            l.days[day] = w.data().Cells[day][line];
        l.notes = w.data().Notes[line];
    }
    for (int day = 1; day <= kDays; ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            d.required[day][shift] = w.data().Required[day][shift];
            d.counts[day][shift] = w.status().ShiftCounts[day][shift];
        }
        for (int line = 1; line <= kLines; ++line)
            d.colours[day][line] = w.data().CellColours[day][line];
    }
    return d;
}

QString WeekFileBaseName(const WardModel& model)
{
    return WeekFileBaseName(model.Week.PickerDate, model.Settings.WARD);
}

QString WeekFileName(const WardModel& model)
{
    return WeekFileName(model.Week.DataFolder, model.Week.PickerDate, model.Settings.WARD);
}

}  // namespace tavrola
