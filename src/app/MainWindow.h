#pragma once
#include "roster/DutyCursors.h"
#include "document/WardModel.h"

#include <QMainWindow>
#include <memory>

class QLabel;

namespace tavrola {

class AutoFillPanel;
class DutyToolbar;
class GridView;
class TClinicScheduleForm;
class Ui;
struct PrintSheet;

// The main window: menu, the roster grid and the week picker over one WardModel.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `ui` is the message layer to use (tests pass a scripted one); null means Qt dialogs.
    MainWindow(const QString& dataFolder, Ui* ui = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps in their order, with their trace lines; `arguments` are the
    // command-line arguments (the first may name a week file to open). Returns whether
    // ward settings are in force afterwards. The deferred first action follows 100 ms later.
    bool FormCreate(const QStringList& arguments = {});

    // Reads Staff.txt and lays it onto the grid; a first start without one offers a
    // starter ward, or the demo ward when one is set. Returns whether ward settings are
    // in force afterwards.
    bool startUp();
    // The demo ward a first start may copy (an installed program's share/tavrola/demo/).
    void setDemoWardFolder(const QString& folder) { demoWardFolder_ = folder; }

    // The window's size with every line and column in view.
    QSize fullSize() const;

    WardModel& model() { return model_; }
    const WeekView& labels() const { return model_.Labels; }
    // The user closed the week picker on a date: the week selection as the user asks it.
    void DateTimePickerCloseUp();
    GridView* grid() const { return grid_; }
    Ui& ui() { return *ui_; }

    void SaveClick();
    void LoadClick();
    void ClearForm1Click();
    // Opens the ward and staff editor; after OK, reads Staff.txt again and refreshes the week.
    void EditStaffFile1Click();
    void Statistics1Click();
    void About1Click();
    void Contents1Click();
    void Exit1Click();
    // "Setup Clinics": the clinic editor; a day heading's click: that day's clinic pop-up.
    void Clinics1Click();
    // File > Working-time rules: the limits dialog; OK writes Rules.txt and the marks follow.
    void RulesClick();
    void DayLabelClick(int day);
    TClinicScheduleForm* clinicPopUp() const { return clinicPopUp_; }

    // The Print menu (MainWindowPrint.cpp).
    void PrintClick();
    void PrintPortrait1Click();
    void PrintPreviewClick();
    void ExportPdfClick();
    // The week as it prints: the grid and the captions the window shows.
    PrintSheet printSheet() const;

    // The deferred first action: open the week file named on the command line, or set up
    // today's week; then offer back what a program that did not end normally left.
    void NonPrefTimerTimer();
    // Keeps recovery files of unsaved changes in `folder` and offers them back at start
    // (the program does; window tests that do not ask for it leave the user's folder alone).
    void enableRecovery(const QString& folder);

    // The brush in force: the application-wide cursor shows it.
    void chooseBrush(Brush brush);
    Brush currentBrush() const { return cursors_.currentBrush(); }
    const DutyCursors& cursors() const { return cursors_; }
    DutyToolbar* toolbar() const { return toolbar_; }
    // The automatic fill's button, count and browser (the run itself is the document's).
    AutoFillPanel* autoFill() const { return autoFill_; }

protected:
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery and FormClose
    void changeEvent(QEvent* event) override;      // FormActivate

private:
    void buildMenus();
    void buildPrintMenu();
    bool readStaffFile();
    void showWardNames();
    void buildBrushKeys();
    // Shows what the week operations left in the labels, and the picker's date.
    void showWeek();
    // The ward's names and the brushes' tool tips, after the settings changed.
    void showSettings();
    void brushFocusedCell();
    // The picker's calendar shows in bold the Mondays that have a stored week (at start
    // and after each save).
    void markStoredWeeks();
    // The status bar's count of the week's working-time rule breaches.
    void showBreachCount();

    WardModel model_;
    QString recoveryFolder_;
    std::unique_ptr<Ui> ownUi_;
    Ui* ui_ = nullptr;
    GridView* grid_ = nullptr;
    DutyToolbar* toolbar_ = nullptr;
    AutoFillPanel* autoFill_ = nullptr;
    DutyCursors cursors_;
    bool cursorOverridden_ = false;
    QStringList arguments_;
    QString helpFile_;
    QString demoWardFolder_;
    QList<QDate> storedWeeksMarked_;
    TClinicScheduleForm* clinicPopUp_ = nullptr;
    QLabel* breachCount_ = nullptr;
};

}  // namespace tavrola
