#pragma once
#include <QString>

namespace tavrola {

enum class Answer { Yes, No, Cancel, All };

// Everything the core needs from the desktop. The program implements it with Qt dialogs;
// tests with scripted answers and a record of every message shown.
class Ui {
public:
    virtual ~Ui() = default;

    virtual void showError(const QString& text) = 0;
    virtual void showWarning(const QString& text) = 0;
    virtual void showInformation(const QString& text) = 0;

    virtual Answer askYesNo(const QString& text) = 0;
    virtual Answer askYesNoCancel(const QString& text) = 0;
    virtual Answer askYesNoAll(const QString& text) = 0;

    // Empty result: the user cancelled.
    virtual QString chooseOpenFile(const QString& title, const QString& folder,
                                   const QString& filter) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& folder,
                                   const QString& suggestedName, const QString& filter) = 0;

    // Lets the window breathe inside a long loop.
    virtual void processEvents() = 0;
    virtual void setBusy(bool busy) = 0;

    // Opens a document with the desktop's associated program.
    virtual bool openDocument(const QString& path) = 0;
    // Registers the program for files with this extension for the current user.
    virtual bool registerFileType(const QString& extension, const QString& programPath) = 0;
};

}  // namespace tavrola
