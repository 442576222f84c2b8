#include "document/RosterDocument.h"

#include "clinics/ClinicFile.h"
#include "document/AutoFill.h"
#include "document/ClearForm.h"
#include "document/EditCommands.h"
#include "document/RequirementsStep.h"
#include "roster/WeekTotals.h"
#include "document/StaffOnGrid.h"
#include "document/Totals.h"
#include "document/WeekChain.h"
#include "document/WeekFileCommands.h"
#include "weeks/WeekSelection.h"

#include <QDir>

namespace tavrola {

RosterDocument::RosterDocument() : fill_(std::make_unique<AutoFill>(*this))
{
    Week.Recalculate = [this] { TavrolaChange(*this); };
    connect(&Undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        // Undone or redone back to the saved state.
        if (clean)
            Week.RosterChanged = false;
        announce();
    });
    connect(&Undo, &QUndoStack::indexChanged, this, [this] { announce(); });
    // Tied to the recovery keeper, which ends first: the undo stack's own end announces too.
    connect(this, &RosterDocument::changedMarkChanged, &Recovery, &WeekRecovery::schedule);
    connect(this, &RosterDocument::weekReplaced, &Recovery, &WeekRecovery::schedule);
}

RosterDocument::~RosterDocument()
{
    fill_.reset();  // it watches the undo stack
}

void RosterDocument::announce()
{
    emit changedMarkChanged(Week.RosterChanged);
}

QStringList RosterDocument::clinicLines(QString* error) const
{
    return ClinicsLeftOut ? QStringList() : ReadClinicLines(Week.DataFolder, error);
}

void RosterDocument::open(const QString& folder)
{
    QString f = folder;
    if (!f.isEmpty() && !f.endsWith(u'/') && !f.endsWith(QDir::separator()))
        f += u'/';
    Week.DataFolder = f;
}

bool RosterDocument::readStaff(Ui& ui)
{
    QString error;
    QStringList rulesProblems;
    if (!Read_StaffTxtFile(*this, &error, &rulesProblems)) {
        ui.showError(error);
        return false;
    }
    if (!rulesProblems.isEmpty())
        ui.showWarning(rulesProblems.join(u'\r'));
    if (!Week.RosterFileLoaded)
        SetupRequiredNurses(*this);
    emit settingsChanged();
    return true;
}

QDate RosterDocument::shownWeek() const
{
    return Labels.ShownWeek.isValid() ? Labels.ShownWeek : Week.PickerDate;
}

bool RosterDocument::askToLeave(Ui& ui)
{
    return AskToLeaveWeek(*this, Labels, ui);
}

bool RosterDocument::pickWeek(const QDate& date, Ui& ui)
{
    Week.PickerDate = WeekCommencingMonday(date);
    DateTimePickerCloseUp(*this, Labels, ui, true);
    return Labels.ShownWeek == Week.PickerDate;
}

bool RosterDocument::load(Ui& ui, const QString& path)
{
    if (path.isEmpty())
        return LoadClick(*this, Labels, ui);
    return askToLeave(ui) && AutoLoadRWKfile(*this, Labels, ui, path);  // asking stops a fill
}

bool RosterDocument::save(Ui& ui)
{
    return SaveClick(*this, ui);
}

void RosterDocument::clear(Ui& ui)
{
    ClearForm1Click(*this, ui);
}

void RosterDocument::stopFill()
{
    if (!fill_->running())
        return;
    fill_->stop();
    emit fillChanged();
}

void RosterDocument::endFillRun()
{
    stopFill();
    if (!fill_->browserVisible())
        return;
    fill_->closeBrowser();
    emit fillChanged();
}

bool RosterDocument::fillWriting() const
{
    return fill_->writing();
}

void RosterDocument::beforeEdit()
{
    // A user's edit during a fill ends the run: the best so far lands first, and the
    // browser closes so no solution is written over the edit.
    if (fill_->running() && !fill_->writing())
        endFillRun();
}

QString RosterDocument::CellPlace(BoxRef f)
{
    return QStringLiteral("%1, line %2").arg(DayName(f.day())).arg(f.line());
}

QString RosterDocument::EditLabel(BoxRef f, const QString& text)
{
    const QString line = QString::number(f.line());
    switch (f.role()) {
    case BoxRole::Day: {
        const QString where = CellPlace(f);
        const QString shown = text.trimmed().left(24);
        return shown.isEmpty() ? QStringLiteral("Clear ") + where : shown + QStringLiteral(" on ") + where;
    }
    case BoxRole::Name: return QStringLiteral("Name on line ") + line;
    case BoxRole::Grade: return QStringLiteral("Grade on line ") + line;
    case BoxRole::HoursSet: return QStringLiteral("Hours set on line ") + line;
    case BoxRole::Lectures: return QStringLiteral("Note on line ") + line;
    case BoxRole::Required: return RequiredBoxName(f.day(), f.shift());
    default: return QStringLiteral("Edit");
    }
}

void RosterDocument::typeText(BoxRef box, const QString& text)
{
    if (!box.isBox())
        return;
    beforeEdit();
    const QString& was = Week.text(box);
    if (was == text)
        return;
    const Colour colour = Week.colour(box);
    std::vector<BoxEditCommand::Change> one{{box, was, text, colour, colour}};
    Undo.push(new BoxEditCommand(*this, EditLabel(box, text), std::move(one), typingSession_));
}

bool RosterDocument::applyEdits(const QString& label, const std::vector<BoxEdit>& edits)
{
    beforeEdit();
    std::vector<BoxEditCommand::Change> changes;
    for (const BoxEdit& e : edits) {
        if (!e.box.isBox())
            continue;
        const Colour was = Week.colour(e.box);
        const Colour colour = e.box.role() == BoxRole::Day ? e.colour : was;
        if (Week.text(e.box) != e.text || was != colour)
            changes.push_back({e.box, Week.text(e.box), e.text, was, colour});
    }
    endTyping();
    if (changes.empty())
        return false;
    Undo.push(new BoxEditCommand(*this, label, std::move(changes)));
    return true;
}

bool RosterDocument::applyEdit(BoxRef box, const QString& text, Colour colour, const QString& label)
{
    return applyEdits(label.isEmpty() ? EditLabel(box, text) : label, {BoxEdit{box, text, colour}});
}

void RosterDocument::markSaved()
{
    Week.RosterChanged = false;
    Undo.setClean();
    announce();
}

void RosterDocument::startFreshHistory()
{
    const bool changed = Week.RosterChanged;
    Undo.clear();
    ++typingSession_;
    Week.RosterChanged = changed;
    if (changed)
        Undo.resetClean();  // no state of the new history is the saved one
    announce();
}

}  // namespace tavrola
