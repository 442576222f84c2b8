#pragma once
#include "roster/RosterWeek.h"
#include "settings/StaffFile.h"
#include "settings/WardSettings.h"

#include <QObject>
#include <QUndoStack>
#include <vector>

namespace tavrola {

// One field's part in an edit: the text and colour it is to have. Only day cells take a
// colour; every other field keeps its own.
struct FieldEdit {
    Field* field = nullptr;
    QString text;
    Colour colour = White;
};

// The roster document: the ward settings, the staff list as Staff.txt gave it, the week
// grid with its flags, and the undo history of the user's edits. Every user edit goes
// through it as one undoable step; loads and the week selection write the grid directly
// and then start a fresh history.
//
// The changed mark (Week.RosterChanged) is set by every step that touches what the week
// file stores (day texts and colours, names, notes, hours set, required boxes) and
// cleared by a save, or by undoing back to the saved state.
class RosterDocument : public QObject {
    Q_OBJECT
public:
    RosterDocument();
    ~RosterDocument() override;

    WardSettings Settings;
    std::vector<StaffGridLine> Staff;  // the staff lines of Staff.txt, in file order
    RosterWeek Week;
    QUndoStack Undo;

    // Text typed into a field. Keystrokes in one cell merge into one step until
    // endTyping() (the user left the cell) or another edit comes between.
    void typeText(Field& field, const QString& text);
    void endTyping() { ++typingSession_; }

    // A change of several fields as one step named `label` (Clear Form, a fill's result,
    // clinic notes). Fields already as asked are left out; nothing at all is pushed when
    // no field changes. Returns whether a step was pushed.
    bool applyEdits(const QString& label, const std::vector<FieldEdit>& edits);
    // One field's text (and, for a day cell, colour) as one step.
    bool applyEdit(Field& field, const QString& text, Colour colour, const QString& label = {});

    // The week was written to its file: the current state is the saved one.
    void markSaved();
    // A week was loaded or picked: the history starts again. The changed mark stays as
    // it is (a picked week keeps the grid's unsaved entries).
    void startFreshHistory();

    // The step name of an edit of `field` to `text`: "EARLY on Monday, line 3".
    static QString EditLabel(const Field& field, const QString& text);
    // Where a day cell is, in step names: "Monday, line 3".
    static QString CellPlace(const Field& cell);

signals:
    // The changed mark may have changed (an edit, an undo, a save, a load).
    void changeMarkChanged(bool changed);

private:
    friend class FieldEditCommand;
    void announce();
    int typingSession_ = 1;
};

}  // namespace tavrola
