#pragma once
#include "roster/DutyCursors.h"
#include "roster/WardModel.h"

#include <QMainWindow>
#include <memory>

namespace tavrola {

class DutyToolbar;
class GridView;
class Ui;

// The main window: menu, the roster grid and the week picker over one WardModel.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `ui` is the message layer to use (tests pass a scripted one); null means Qt dialogs.
    MainWindow(const QString& dataFolder, Ui* ui = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Reads Staff.txt and lays it onto the grid; a first start without one offers a
    // starter ward. Returns whether ward settings are in force afterwards.
    bool startUp();

    WardModel& model() { return model_; }
    GridView* grid() const { return grid_; }
    Ui& ui() { return *ui_; }

    void ClearForm1Click();
    void About1Click();

    // The brush in force: the application-wide cursor shows it.
    void chooseBrush(Brush brush);
    Brush currentBrush() const { return cursors_.currentBrush(); }
    const DutyCursors& cursors() const { return cursors_; }
    DutyToolbar* toolbar() const { return toolbar_; }

private:
    void buildMenus();
    bool readStaffFile();
    void showWardNames();
    void buildBrushKeys();
    void brushFocusedCell();

    WardModel model_;
    std::unique_ptr<Ui> ownUi_;
    Ui* ui_ = nullptr;
    GridView* grid_ = nullptr;
    DutyToolbar* toolbar_ = nullptr;
    DutyCursors cursors_;
    bool cursorOverridden_ = false;
};

}  // namespace tavrola
