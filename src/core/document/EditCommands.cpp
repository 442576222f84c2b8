#include "document/EditCommands.h"

#include <optional>

namespace tavrola {

namespace {
constexpr int kTypingId = 1;
}

FieldEditCommand::FieldEditCommand(RosterDocument& document, const QString& label, std::vector<Change> changes,
                                   int typingSession)
    : QUndoCommand(label), document_(document), changes_(std::move(changes)), typingSession_(typingSession)
{
    for (const Change& c : changes_)
        stored_ = stored_ || RosterWeek::IsStored(*c.field);
}

void FieldEditCommand::apply(bool forward)
{
    RosterWeek& w = document_.Week;
    // Many fields at once recalculate once, at the end.
    const bool many = changes_.size() > 1;
    {
        std::optional<RecalcBatch> batch;
        if (many)
            batch.emplace(w);
        for (const Change& c : changes_) {
            c.field->setText(forward ? c.newText : c.oldText);
            // Only a day cell's colour is the user's; the boxes' colours are the totals'.
            if (c.field->role() == FieldRole::Day)
                c.field->setColour(forward ? c.newColour : c.oldColour);
        }
    }
    if (many && w.Recalculate)
        w.Recalculate();
    if (stored_)
        w.RosterChanged = true;
}

void FieldEditCommand::redo()
{
    apply(true);
}

void FieldEditCommand::undo()
{
    apply(false);
}

int FieldEditCommand::id() const
{
    return typingSession_ != 0 && changes_.size() == 1 ? kTypingId : -1;
}

bool FieldEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* o = static_cast<const FieldEditCommand*>(other);
    if (o->typingSession_ != typingSession_ || o->changes_.size() != 1 ||
        o->changes_.front().field != changes_.front().field)
        return false;
    Change& c = changes_.front();
    c.newText = o->changes_.front().newText;
    setText(RosterDocument::EditLabel(*c.field, c.newText));
    // Typed back to where it started: no step is left.
    setObsolete(c.newText == c.oldText && c.newColour == c.oldColour);
    return true;
}

}  // namespace tavrola
