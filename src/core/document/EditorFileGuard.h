#pragma once
#include "document/WeekFileGuard.h"

#include <QString>

namespace tavrola {

class Ui;

// The file an editor window has open (Staff.txt in the staff editor, Clinic.rtf in the
// clinic editor): the ward's lock on it while the editor is open, and its stamp when
// read, so that OK never goes over a colleague's editor or edit unasked.
class EditorFileGuard {
public:
    // `what` names the file in questions ("The ward settings file \"Staff.txt\"").
    EditorFileGuard(const QString& path, const QString& what);

    // Before the editor opens: takes the lock. When another holds it, says who and asks
    // "Open read-only" (true, *readOnly set) or "Take it over" (true); Cancel: false.
    bool open(Ui& ui, bool* readOnly);
    // Before OK writes: true when the file is as the editor read it and nobody else holds
    // it; otherwise says so and asks Overwrite (true) or Cancel (false).
    bool mayWrite(Ui& ui);
    // The editor wrote the file: its new stamp.
    void written();

private:
    QString path_, what_;
    FileLock lock_;
    FileStamp stamp_;
};

}  // namespace tavrola
