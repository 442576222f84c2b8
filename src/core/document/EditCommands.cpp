#include "document/EditCommands.h"

#include <optional>

namespace tavrola {

namespace {
constexpr int kTypingId = 1;
}

BoxEditCommand::BoxEditCommand(RosterDocument& document, const QString& label, std::vector<Change> changes,
                                   int typingSession)
    : QUndoCommand(label), document_(document), changes_(std::move(changes)), typingSession_(typingSession)
{
    for (const Change& c : changes_)
        stored_ = stored_ || RosterWeek::IsStored(c.box);
}

void BoxEditCommand::apply(bool forward)
{
    RosterWeek& w = document_.Week;
    // Many boxes at once recalculate once, at the end.
    const bool many = changes_.size() > 1;
    {
        std::optional<RecalcBatch> batch;
        if (many)
            batch.emplace(w);
        for (const Change& c : changes_) {
            w.setText(c.box, forward ? c.newText : c.oldText);
            // Only a day cell's colour is the user's; the boxes' colours are the totals'.
            if (c.box.role() == BoxRole::Day)
                w.setColour(c.box, forward ? c.newColour : c.oldColour);
        }
    }
    if (many && w.Recalculate)
        w.Recalculate();
    if (stored_)
        w.RosterChanged = true;
}

void BoxEditCommand::redo()
{
    apply(true);
}

void BoxEditCommand::undo()
{
    apply(false);
}

int BoxEditCommand::id() const
{
    return typingSession_ != 0 && changes_.size() == 1 ? kTypingId : -1;
}

bool BoxEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* o = static_cast<const BoxEditCommand*>(other);
    if (o->typingSession_ != typingSession_ || o->changes_.size() != 1 ||
        o->changes_.front().box != changes_.front().box)
        return false;
    Change& c = changes_.front();
    c.newText = o->changes_.front().newText;
    setText(RosterDocument::EditLabel(c.box, c.newText));
    // Typed back to where it started: no step is left.
    setObsolete(c.newText == c.oldText && c.newColour == c.oldColour);
    return true;
}

}  // namespace tavrola
