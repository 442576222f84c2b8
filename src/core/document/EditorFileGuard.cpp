#include "document/EditorFileGuard.h"

#include "Ui.h"

namespace tavrola {

EditorFileGuard::EditorFileGuard(const QString& path, const QString& what) : path_(path), what_(what), lock_(path) {}

bool EditorFileGuard::open(Ui& ui, bool* readOnly)
{
    *readOnly = false;
    if (!lock_.tryLock()) {
        const QString text = QStringLiteral("%1 is %2.\r\rOpen it read-only, or take it over "
                                            "(the other editor can then no longer save it without asking)?")
                                 .arg(what_, LockHolderText(lock_.lockPath()));
        switch (ui.chooseAmong(text, {QStringLiteral("Open read-only"), QStringLiteral("Take it over")})) {
        case 0: *readOnly = true; break;
        case 1:
            if (!lock_.takeOver())
                return false;
            break;
        default: return false;
        }
    }
    stamp_ = StampOf(path_);
    return true;
}

bool EditorFileGuard::mayWrite(Ui& ui)
{
    QString why;
    if (!lock_.locked()) {
        FileLock probe(path_);
        if (!probe.tryLock())
            why = QStringLiteral("%1 is %2.").arg(what_, LockHolderText(probe.lockPath()));
    }
    if (why.isEmpty() && StampOf(path_) != stamp_)
        why = QStringLiteral("%1 was changed on disk since this window read it (by another window or program).")
                  .arg(what_);
    if (why.isEmpty())
        return true;
    return ui.chooseAmong(why + QStringLiteral("\r\rOverwrite it with what this window holds?"),
                          {QStringLiteral("Overwrite")}) == 0;
}

void EditorFileGuard::written()
{
    stamp_ = StampOf(path_);
}

}  // namespace tavrola
