#include "app/MainWindow.h"
#include "app/ScreenFit.h"

#include "app/AboutBox.h"
#include "app/AutoFillPanel.h"
#include "app/BrushArt.h"
#include "app/ClinicScheduleForm.h"
#include "app/DutyToolbar.h"
#include "app/GridView.h"
#include "app/LegendWindow.h"
#include "app/NonPrefStrip.h"
#include "app/QtUi.h"
#include "app/RulesDialog.h"
#include "document/DutyClicks.h"
#include "document/WeekChain.h"
#include "document/WorkingTime.h"
#include "util/Locale.h"
#include "weeks/WeekFileReader.h"
#include "weeks/WeekSelection.h"
#include "render/NonPrefChart.h"
#include "settings/StarterWard.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <QSignalBlocker>

namespace tavrola {

MainWindow::MainWindow(const QString& dataFolder, Ui* ui, QWidget* parent) : QMainWindow(parent)
{
    if (!ui) {
        ownUi_ = std::make_unique<QtUi>(this);
        ui = ownUi_.get();
    }
    ui_ = ui;
    model_.Week.DataFolder = dataFolder;

    grid_ = new GridView(model_, this);
    // The grid takes the window's size (its lines scroll beneath the headings); below
    // its smallest size the window scrolls it sideways.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(grid_);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setFrameShape(QFrame::NoFrame);
    // Under the grid, the fill's read-only row of who covers each shift.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    setCentralWidget(central);
    buildMenus();
    toolbar_ = new DutyToolbar(grid_->ToolbarPanel);
    connect(toolbar_, &DutyToolbar::brushChosen, this, &MainWindow::chooseBrush);
    autoFill_ = new AutoFillPanel(model_, *ui_, grid_->ToolbarPanel->parentWidget(), central);
    column->addWidget(autoFill_->SummaryRow);
    autoFill_->setDayColumns([this](int day) { return grid_->editFor(BoxRef::cell(day, 1)); });
    // A running fill is the document's to stop: a click on a day cell ends it.
    connect(grid_, &GridView::dayCellClicked, this,
            [this](BoxRef cell, int top) { DutyClick(model_, cell, currentBrush(), top); });
    connect(grid_, &GridView::dayCellRightClicked, this, [this](BoxRef cell) { DutyMouseDown(model_, cell); });
    // A day heading opens its clinic pop-up, whose click writes into the week.
    connect(grid_, &GridView::dayHeadingClicked, this, &MainWindow::DayLabelClick);
    connect(grid_, &GridView::badNumberEntered, this, [this](BoxRef box) { ui_->showError(model_.Week.error(box)); });
    // The window follows the document: the title's changed mark, the week and its labels,
    // the ward's names.
    connect(&model_, &WardModel::changedMarkChanged, this, &QWidget::setWindowModified);
    connect(&model_, &WardModel::weekReplaced, this, &MainWindow::showWeek);
    connect(&model_, &WardModel::labelsChanged, this, &MainWindow::showWeek);
    connect(&model_, &WardModel::settingsChanged, this, &MainWindow::showSettings);
    // The count of rule breaches stays in the status bar beside its passing messages.
    breachCount_ = new QLabel(this);
    breachCount_->setObjectName(QStringLiteral("BreachCount"));
    statusBar()->addPermanentWidget(breachCount_);
    connect(&model_, &WardModel::breachesChanged, this, &MainWindow::showBreachCount);
    connect(&model_, &WardModel::weekReplaced, this, &MainWindow::showBreachCount);
    buildBrushKeys();
    resize(fullSize());
    FitToScreen(this);
    // Closing the calendar on a day, or finishing a typed date, picks the week.
    connect(grid_->DateTimePicker->calendarWidget(), &QCalendarWidget::clicked, this,
            [this](const QDate&) { DateTimePickerCloseUp(); });
    connect(grid_->DateTimePicker, &QDateEdit::editingFinished, this, [this] {
        if (WeekCommencingMonday(grid_->DateTimePicker->date()) != model_.Week.PickerDate)
            DateTimePickerCloseUp();
        else
            showWeek();  // another day of the week shown: the box shows its Monday again
    });
}

MainWindow::~MainWindow()
{
    // The grid and the clinic pop-up work on the model: they must go before it does.
    delete takeCentralWidget();
    delete clinicPopUp_;
    if (cursorOverridden_)
        QGuiApplication::restoreOverrideCursor();
}

QSize MainWindow::fullSize() const
{
    return QSize(grid_->sizeHint().width() + 8, grid_->sizeHint().height() + menuBar()->sizeHint().height() + 30);
}

void MainWindow::chooseBrush(Brush brush)
{
    cursors_.choose(brush);
    toolbar_->showChosen(brush);
    const QCursor cursor = CursorForResource(cursors_.Registry.resourceAt(cursors_.CurrentCursorId));
    if (brush == Brush::None) {
        if (cursorOverridden_)
            QGuiApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    } else if (cursorOverridden_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        cursorOverridden_ = true;
    }
}

void MainWindow::buildBrushKeys()
{
    for (int b = 1; b <= kBrushCount; ++b) {
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + b)), this);
        connect(key, &QShortcut::activated, this, [this, b] { chooseBrush(Brush(b)); });
    }
    auto* none = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(none, &QShortcut::activated, this, [this] { chooseBrush(Brush::None); });
    // The keyboard's own click: apply the brush to the day cell that has the focus.
    for (const QKeySequence& seq : {QKeySequence(Qt::CTRL | Qt::Key_Space), QKeySequence(Qt::Key_Insert)}) {
        auto* apply = new QShortcut(seq, this);
        connect(apply, &QShortcut::activated, this, &MainWindow::brushFocusedCell);
    }
}

void MainWindow::brushFocusedCell()
{
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const BoxRef cell = grid_->boxFor(edit);
    if (cell.role() == BoxRole::Day)
        DutyClick(model_, cell, currentBrush(), edit->y());
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("Save"), QKeySequence::Save, this, &MainWindow::SaveClick);
    file->addAction(tr("Load"), QKeySequence::Open, this, &MainWindow::LoadClick);
    file->addSeparator();
    file->addAction(tr("Setup Ward/Staff "), this, &MainWindow::EditStaffFile1Click);
    file->addAction(tr("Setup Clinics "), this, &MainWindow::Clinics1Click)->setObjectName(QStringLiteral("Clinics1"));
    file->addAction(tr("Working-time rules…"), this, &MainWindow::RulesClick)
        ->setObjectName(QStringLiteral("WorkingTimeRules"));
    file->addAction(tr("Statistics"), this, &MainWindow::Statistics1Click);
    file->addSeparator();
    file->addAction(tr("Clear Form"), this, &MainWindow::ClearForm1Click);
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &MainWindow::Exit1Click);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = model_.Undo.createUndoAction(edit, tr("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = model_.Undo.createRedoAction(edit, tr("Redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    buildPrintMenu();
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(tr("Legend"), this, [this] {
        LegendWindow legend(this);
        legend.exec();
    })->setObjectName(QStringLiteral("Legend"));
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Display Help File (PDF)"), QKeySequence::HelpContents, this, &MainWindow::Contents1Click);
    help->addAction(tr("About"), this, &MainWindow::About1Click);
}

bool MainWindow::startUp()
{
    const QString path = model_.Week.DataFolder + kStaffFileName;
    // Only a missing file offers a starter ward; anything else standing there (a folder,
    // a pipe, a looping link) is reported by the reader.
    if (!PathEntryExists(path)) {
        const QString missing = QStringLiteral("The ward settings file \"%1\" was not found.\r\r"
                                               "Tavrola needs it for the staff list, duty codes and hours. ")
                                    .arg(QDir::toNativeSeparators(path));
        // An installed program also ships the demo ward to start from.
        bool demo = false;
        if (!demoWardFolder_.isEmpty()) {
            const int choice = ui_->chooseAmong(
                missing + QStringLiteral("Start from the demo ward (a sample ward with stored weeks) or "
                                         "from a starter ward? You can then edit either."),
                {QStringLiteral("Demo Ward"), QStringLiteral("Starter Ward")});
            if (choice < 0)
                return false;
            demo = choice == 0;
        } else if (ui_->askYesNo(missing + QStringLiteral("Create a starter ward there now? You can then edit it.")) !=
                   Answer::Yes) {
            return false;
        }
        QString error;
        const bool made = demo ? CopyDemoWard(demoWardFolder_, model_.Week.DataFolder, &error)
                               : CreateStarterWard(model_.Week.DataFolder, &error);
        if (!made) {
            ui_->showError(error);
            return false;
        }
    }
    return readStaffFile();
}

bool MainWindow::readStaffFile()
{
    return model_.readStaff(*ui_);
}

void MainWindow::showWardNames()
{
    grid_->HospitalNameLabel->setText(model_.Settings.HOSPITAL);
    grid_->WardNameLabel->setText(model_.Settings.WARD);
}

void MainWindow::showSettings()
{
    showWardNames();
    QString title = WeekWindowTitle(grid_->WardNameLabel->text(), model_.Week.PickerDate);
    // A week another window holds, opened read-only, says so where the name is read.
    if (model_.File.readOnly())
        title.insert(title.size() - 3, QStringLiteral(" (read-only)"));
    setWindowTitle(title);
    for (int b = 1; b <= kBrushCount; ++b)
        toolbar_->button(Brush(b))->setToolTip(
            QStringLiteral("%1 (%2)").arg(BrushToolTip(model_.Settings, b), BrushShortcutText(Brush(b))));
}

void MainWindow::DateTimePickerCloseUp()
{
    // Any day picked or typed stands for its week, which starts on Monday.
    const QDate picked = WeekCommencingMonday(grid_->DateTimePicker->date());
    model_.pickWeek(picked, *ui_);
    // Keeping the grid is how a ward copies a week forward; say that it happened.
    if (model_.Labels.ShownWeek == picked && !QFileInfo::exists(WeekFileName(model_)))
        statusBar()->showMessage(
            QStringLiteral("No stored roster for %1: the grid still shows the duties of the week before")
                .arg(LongDateText(picked)));
    else
        statusBar()->clearMessage();
}


void MainWindow::markStoredWeeks()
{
    QCalendarWidget* calendar = grid_->DateTimePicker->calendarWidget();
    for (const QDate& date : std::as_const(storedWeeksMarked_))
        calendar->setDateTextFormat(date, QTextCharFormat());
    storedWeeksMarked_ = StoredWeekDates(model_.Week.DataFolder);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (const QDate& date : std::as_const(storedWeeksMarked_))
        calendar->setDateTextFormat(date, bold);
}

void MainWindow::SaveClick()
{
    if (model_.save(*ui_))
        markStoredWeeks();
}

void MainWindow::LoadClick()
{
    model_.load(*ui_);
}

void MainWindow::showWeek()
{
    {
        const QSignalBlocker quiet(grid_->DateTimePicker);
        grid_->DateTimePicker->setDate(model_.Week.PickerDate);
    }
    const WeekView& labels = model_.Labels;
    grid_->WkLabel->setText(labels.WeekOfMonthLabel);
    for (int day = 1; day <= kDays; ++day)
        grid_->HolidayLabels[day]->setText(labels.HolidayLabels[day]);
    if (!labels.HospitalCaption.isEmpty() || !labels.WardCaption.isEmpty()) {
        grid_->HospitalNameLabel->setText(labels.HospitalCaption);
        grid_->WardNameLabel->setText(labels.WardCaption);
    }
    // The bars of the last complete scan, against the names the grid shows.
    grid_->PaintBox1->showChart(labels.History.Scanned ? ComputeNonPrefChart(model_.Week.data(), labels.History)
                                                       : NonPrefChart(),
                                model_.Settings.AnalysisStartDate);
    showSettings();
}

void MainWindow::showBreachCount()
{
    breachCount_->setText(model_.Week.WeekChosen() ? BreachCountText(int(model_.Breaches.size())) : QString());
}

void MainWindow::RulesClick()
{
    RulesDialog dialog(model_.Limits, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!ApplyRuleLimits(model_, dialog.limits(), &error))
        ui_->showError(error);
}

void MainWindow::ClearForm1Click()
{
    model_.clear(*ui_);
}

void MainWindow::About1Click()
{
    ShowAboutBox(this);
}

}  // namespace tavrola
