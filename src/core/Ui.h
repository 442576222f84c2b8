#pragma once
#include <QString>
#include <QStringList>
#include <memory>

namespace tavrola {

class Canvas;

enum class Answer { Yes, No, Cancel, All };
enum class PageOrientation { Portrait, Landscape };

// A printer chosen in the print dialog, its document not yet begun.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Begins the document. Its one page is drawn on the canvas returned, which stays
    // valid until end(). Null, with the reason in `error`, when the printer cannot start.
    virtual Canvas* begin(QString* error) = 0;
    // Ends the document: the page goes to the printer. False, with the reason, on failure.
    virtual bool end(QString* error) = 0;
};

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
    // Leaving a changed week: Save (Answer::Yes), Discard (Answer::No) or Cancel, shown
    // with the platform's own buttons and order.
    virtual Answer askSaveDiscardCancel(const QString& text) { return askYesNoCancel(text); }

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

    // The standard print dialog, set up for a page in `orientation`. Null when the user
    // cancelled (or there is no printer to choose, as in batch use).
    virtual std::unique_ptr<PrintJob> choosePrinter(PageOrientation /*orientation*/) { return nullptr; }
    // A question answered by one of `choices` (or Cancel): the choice's index, -1 on Cancel.
    virtual int chooseAmong(const QString& /*text*/, const QStringList& /*choices*/) { return -1; }
};

}  // namespace tavrola
