#pragma once
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTextEdit;
class QToolBar;

namespace tavrola {

class Ui;

// The clinic editor: Clinic.rtf in a rich-text edit with a small formatting bar. OK saves
// the file atomically and closes; Cancel (or closing the window) asks first when the text
// was changed.
class TClinicForm : public QDialog {
    Q_OBJECT
public:
    TClinicForm(const QString& dataFolder, Ui& ui, QWidget* parent = nullptr);

    // Loads Clinic.rtf (a missing file starts empty). False, after the message naming the
    // file, when it cannot be read: the editor must not then overwrite it.
    bool FormActivate();

    QTextEdit* ClinicRichEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QToolBar* FormatBar = nullptr;
    QLabel* Instructions[3] = {};

    void OKBtnClick();
    void CancelBtnClick() { reject(); }
    // Asked before OK writes Clinic.rtf (the file guard's check); false keeps the editor open.
    void setBeforeWrite(std::function<bool()> beforeWrite) { beforeWrite_ = std::move(beforeWrite); }

    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;  // FormResize

private:
    void showFormat();

    QString dataFolder_;
    Ui& ui_;
    std::function<bool()> beforeWrite_;
    QAction* bold_ = nullptr;
    QAction* italic_ = nullptr;
    QAction* underline_ = nullptr;
};

}  // namespace tavrola
