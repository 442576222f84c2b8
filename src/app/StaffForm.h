#pragma once
#include "document/WardModel.h"
#include "settings/StaffEditorForm.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace tavrola {

class Ui;

// The "Ward & Staff Setup Form": the ward's standing data and its staff list, edited as
// Staff.txt holds them. Each showing loads the file afresh; OK runs the names check and
// rewrites the file; Cancel leaves it as it was (asking first when something was
// changed). The main window reloads the file after OK.
class StaffForm : public QDialog {
    Q_OBJECT
public:
    StaffForm(WardModel& model, Ui& ui, QWidget* parent = nullptr);

    // Runs after the names check and before the file is written; returning false keeps
    // the window open and the file as it was.
    void setBeforeWrite(std::function<bool()> beforeWrite) { beforeWrite_ = std::move(beforeWrite); }

    // Loads the controls from Staff.txt (run each time the window is shown).
    void FormActivate();
    void OKBtnClick();
    void CancelBtnClick() { reject(); }
    // The names check over the 14 duty-name boxes (run when the focus leaves one).
    void NameAMShiftEditExit();

    // What the controls hold now, as the writer takes it.
    StaffEditorData formData() const;
    // Whether anything differs from what the last load showed.
    bool changed() const { return formData() != loaded_; }

    QScrollArea* scrollArea() const { return scroll_; }
    // The duty-name box k = 0..13, in the names check's order.
    QLineEdit* dutyNameEdit(int k) const { return dutyEdits_[k]; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHead();
    QWidget* buildStaffList();
    QWidget* buildStaffing();
    QWidget* buildNamesAndHours();
    QWidget* buildCoreTimes();
    QWidget* buildTrainingAndNurses();
    QWidget* buildSkills();
    // An edit box for a setting key, named for the control it stands for.
    QLineEdit* settingEdit(const char* key, const QString& objectName, int width);
    void showData(const StaffEditorData& data);
    void showDateCheck();
    QString staffFilePath() const;

    WardModel& model_;
    Ui& ui_;
    std::function<bool()> beforeWrite_;
    StaffEditorData loaded_;

    QScrollArea* scroll_ = nullptr;
    QLabel* offLabel_ = nullptr;  // "OFF": the analysis date is not a date
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QHash<QString, QLineEdit*> settingEdits_;
    QLineEdit* dutyEdits_[kDutyNameCount] = {};
    struct RowControls {
        QLineEdit *name = nullptr, *skills = nullptr, *band = nullptr, *hours = nullptr, *shift = nullptr;
        QCheckBox* days[kDays + 1] = {};
    };
    RowControls rows_[kLines + 1];
    QCheckBox* hourChecks_[3][24] = {};
    QCheckBox* skillChecks_[kSkills] = {};
    QList<QWidget*> tabOrder_;  // the focusable controls, row by row
};

}  // namespace tavrola
