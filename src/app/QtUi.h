#pragma once
#include "Ui.h"

class QWidget;

namespace tavrola {

// The desktop's Ui: Qt message boxes, file dialogs and desktop services.
class QtUi : public Ui {
public:
    explicit QtUi(QWidget* parent) : parent_(parent) {}

    void showError(const QString& text) override;
    void showWarning(const QString& text) override;
    void showInformation(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    Answer askSaveDiscardCancel(const QString& text) override;
    Answer askYesNoAll(const QString& text) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& suggestedName,
                           const QString& filter) override;
    void processEvents() override;
    void setBusy(bool busy) override;
    bool openDocument(const QString& path) override;
    bool registerFileType(const QString& extension, const QString& programPath) override;
    // QPrintDialog on a high-resolution QPrinter (QtUiPrint.cpp).
    std::unique_ptr<PrintJob> choosePrinter(PageOrientation orientation) override;
    int chooseAmong(const QString& text, const QStringList& choices) override;

private:
    QWidget* parent_;
};

}  // namespace tavrola
