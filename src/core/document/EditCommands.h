#pragma once
#include "document/RosterDocument.h"

#include <QUndoCommand>

namespace tavrola {

// One undoable edit of grid boxes: each box's text and colour before and after.
// Typing into one cell (a non-zero typing session) merges with the previous keystroke of
// the same session in the same cell.
class BoxEditCommand : public QUndoCommand {
public:
    struct Change {
        BoxRef box;
        QString oldText, newText;
        Colour oldColour, newColour;
    };

    BoxEditCommand(RosterDocument& document, const QString& label, std::vector<Change> changes,
                     int typingSession = 0);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(bool forward);

    RosterDocument& document_;
    std::vector<Change> changes_;
    int typingSession_;
    bool stored_ = false;  // touches what the week file stores
};

}  // namespace tavrola
