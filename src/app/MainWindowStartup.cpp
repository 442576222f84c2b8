// The main window's life around the grid: start-up in its documented order, the deferred
// first action, help, and the orderly close with its save question.
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "document/Totals.h"
#include "util/FileAssociation.h"
#include "util/TraceLog.h"
#include "document/WeekChain.h"
#include "document/WeekRecovery.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStatusBar>
#include <QSysInfo>
#include <QTimer>

namespace tavrola {

namespace {
const QString kLfCr = QStringLiteral("\n\r");

void OSInfo()
{
    QString id = QStringLiteral("osUnknown");
#ifdef Q_OS_WIN
    const QString v = QSysInfo::kernelVersion();
    if (v.startsWith(QLatin1String("5.0")))
        id = QStringLiteral("osWin2000");
    else if (v.startsWith(QLatin1String("5.1")))
        id = QStringLiteral("osWinXP");
    else if (v.startsWith(QLatin1String("5.2")))
        id = QStringLiteral("osWinServer2003");
#endif
    TraceLog(QStringLiteral("      OSid:") + id + u' ' + QSysInfo::prettyProductName());
    TraceLog(QStringLiteral("WindowsDIR:") + qEnvironmentVariable("WINDIR"));
    TraceLog(QStringLiteral(" SystemDIR:") + qEnvironmentVariable("SystemRoot"));
}
}  // namespace

bool MainWindow::FormCreate(const QStringList& arguments)
{
    arguments_ = arguments;
    RosterWeek& w = model_.Week;
    // 1. The data folder is given; the help file sits there, beside the program, or
    // (installed) in <prefix>/share/doc/tavrola.
    const QString programFolder = QApplication::applicationDirPath();
    helpFile_ = w.DataFolder + QStringLiteral("TVHelp.pdf");
    if (!QFileInfo::exists(helpFile_))
        helpFile_ = programFolder + QStringLiteral("/TVHelp.pdf");
    if (!QFileInfo::exists(helpFile_) &&
        QFileInfo::exists(programFolder + QStringLiteral("/../share/doc/tavrola/TVHelp.pdf")))
        helpFile_ = QDir::cleanPath(programFolder + QStringLiteral("/../share/doc/tavrola/TVHelp.pdf"));
    // 2. Week flags.
    w.RosterChanged = w.RosterFileLoaded = w.RecalcSuspended = false;
    // 3. This week's Monday in the picker: the week counts as chosen once the deferred
    // start has run the week selection for it.
    const QDate today = WeekCommencingMonday(QDate::currentDate());
    w.StartupPickerDate = today;
    w.PickerDate = today;
    grid_->DateTimePicker->setDate(today);
    // 4. Trace (the log itself is opened by the program entry).
    TraceLog(QStringLiteral("TEK I/O    in FormCreate"));
    TraceLog(kLfCr + w.DataFolder);
    OSInfo();
    // 5. The ".rwk" association, at every start, unless the installed package made it.
    if (!InstalledEntryCovers(QStringLiteral("rwk"), programFolder))
        ui_->registerFileType(QStringLiteral("rwk"), QApplication::applicationFilePath());
    // 6. The arguments.
    for (int i = 0; i < arguments.size(); ++i)
        TraceLog(QStringLiteral("ParamStr[%1] ").arg(i + 1) + arguments[i]);
    // 7. The brush cursors. (8 and 9: the tables and the cells' empty menus are built
    // with the grid.)
    LoadDutyCursors(cursors_);
    // 10. The precision timer.
    const bool precise = QElapsedTimer::isMonotonic();
    const double frequency = QElapsedTimer::clockType() == QElapsedTimer::PerformanceCounter ? 1e7 : 1e9;
    TraceLog(QStringLiteral("Precision Timer OK ") + (precise ? QStringLiteral("true") : QStringLiteral("false")));
    TraceLog(QStringLiteral("Precision Timer Frequency =") + QString::number(frequency, 'g', 15));
    TraceLog(QStringLiteral("OneUs =") + QString::number(frequency * 0.000001, 'g', 15));
    if (!precise || frequency < 1000000)
        ui_->showWarning(QStringLiteral("Warning - Precision Timer Frequency ") + QString::number(frequency, 'g', 15) +
                         u' ');
    // 11. The ward settings.
    const bool settingsRead = startUp();
    // 13. Caption.
    setWindowTitle(QStringLiteral("Tavrola Version 3.01[*]"));  // [*]: the changed mark
    // 14. The deferred first action; no fill is running, no requests are saved.
    w.FillRunning = false;
    w.RequestsSaved = false;
    QTimer::singleShot(100, this, &MainWindow::NonPrefTimerTimer);
    return settingsRead;
}

void MainWindow::NonPrefTimerTimer()
{
    tavrola::NonPrefTimerTimer(model_, model_.Labels, *ui_, arguments_.value(0));
    // The stored weeks change only when this program saves one: read them once here.
    markStoredWeeks();
    if (!recoveryFolder_.isEmpty() && OfferRecoveries(model_, *ui_, recoveryFolder_))
        statusBar()->showMessage(QStringLiteral("The unsaved changes were restored: Edit > Undo takes them off."));
}

void MainWindow::enableRecovery(const QString& folder)
{
    recoveryFolder_ = folder;
    model_.Recovery.enable(folder);
}

void MainWindow::Contents1Click()
{
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(helpFile_).absoluteFilePath());
    if (!QFileInfo::exists(helpFile_))
        ui_->showError(QStringLiteral("The help file \"%1\" was not found.").arg(shownPath));
    else if (!ui_->openDocument(helpFile_))
        ui_->showWarning(QStringLiteral("No program to show PDF files was found on this computer.\n\n"
                                        "The help file is %1").arg(shownPath));
}

void MainWindow::Exit1Click()
{
    TraceLog(kLfCr + kLfCr + QStringLiteral("INTO Exit1Click"));
    close();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        TraceLog(QStringLiteral(" .... in TForm1.FormActivate"));
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    TraceLog(kLfCr + kLfCr + QStringLiteral("INTO FormCloseQuery"));
    // Save / Discard / Cancel for a changed week; the window closes once it is saved or
    // discarded.
    if (!model_.askToLeave(*ui_)) {
        event->ignore();
        return;
    }
    TraceLog(QStringLiteral("INTO FormClose - Free & Dispose vars"));
    event->accept();
}

}  // namespace tavrola
