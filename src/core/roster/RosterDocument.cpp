#include "roster/RosterDocument.h"

#include "roster/EditCommands.h"
#include "roster/WeekTotals.h"

namespace tavrola {

namespace {
}  // namespace

RosterDocument::RosterDocument()
{
    connect(&Undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        // Undone or redone back to the saved state.
        if (clean)
            Week.RosterChanged = false;
        announce();
    });
    connect(&Undo, &QUndoStack::indexChanged, this, [this] { announce(); });
}

RosterDocument::~RosterDocument() = default;

void RosterDocument::announce()
{
    emit changeMarkChanged(Week.RosterChanged);
}

QString RosterDocument::CellPlace(const Field& f)
{
    return QStringLiteral("%1, line %2").arg(DayName(f.day())).arg(f.line());
}

QString RosterDocument::EditLabel(const Field& f, const QString& text)
{
    const QString line = QString::number(f.line());
    switch (f.role()) {
    case FieldRole::Day: {
        const QString where = CellPlace(f);
        const QString shown = text.trimmed().left(24);
        return shown.isEmpty() ? QStringLiteral("Clear ") + where : shown + QStringLiteral(" on ") + where;
    }
    case FieldRole::Name: return QStringLiteral("Name on line ") + line;
    case FieldRole::Grade: return QStringLiteral("Grade on line ") + line;
    case FieldRole::HoursSet: return QStringLiteral("Hours set on line ") + line;
    case FieldRole::Lectures: return QStringLiteral("Note on line ") + line;
    case FieldRole::Required: return RequiredBoxName(f.day(), f.shift());
    default: return QStringLiteral("Edit");
    }
}

void RosterDocument::typeText(Field& field, const QString& text)
{
    if (field.isPlaceholder() || field.text() == text)
        return;
    std::vector<FieldEditCommand::Change> one{{&field, field.text(), text, field.colour(), field.colour()}};
    Undo.push(new FieldEditCommand(*this, EditLabel(field, text), std::move(one), typingSession_));
}

bool RosterDocument::applyEdits(const QString& label, const std::vector<FieldEdit>& edits)
{
    std::vector<FieldEditCommand::Change> changes;
    for (const FieldEdit& e : edits) {
        if (!e.field || e.field->isPlaceholder())
            continue;
        const Colour colour = e.field->role() == FieldRole::Day ? e.colour : e.field->colour();
        if (e.field->text() != e.text || e.field->colour() != colour)
            changes.push_back({e.field, e.field->text(), e.text, e.field->colour(), colour});
    }
    endTyping();
    if (changes.empty())
        return false;
    Undo.push(new FieldEditCommand(*this, label, std::move(changes)));
    return true;
}

bool RosterDocument::applyEdit(Field& field, const QString& text, Colour colour, const QString& label)
{
    return applyEdits(label.isEmpty() ? EditLabel(field, text) : label, {FieldEdit{&field, text, colour}});
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
