#include "ScriptedUi.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "document/WeekFileCommands.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

using namespace tavrola;
using tavrola::test::ScriptedUi;

namespace {

int Restores(const ScriptedUi& ui)
{
    int n = 0;
    for (const auto& s : ui.shown)
        n += s.text.startsWith(QStringLiteral("Restore the unsaved changes to the week of 30 Nov 2026 from "));
    return n;
}

const QDate kNov30(2026, 11, 30);

QStringList RecoveryFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.twr")}, QDir::Files);
}

// The window as the program runs it (recovery on), in a process of its own: types into
// Wednesday of line 2 and, with "save", saves the week; then says "ready" once the
// recovery file is as it should be and waits to be killed.
int RunWindowUntilKilled(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString ward = QString::fromLocal8Bit(argv[2]), recovery = QString::fromLocal8Bit(argv[3]);
    const bool save = argc > 4 && QByteArray(argv[4]) == "save";
    ScriptedUi ui;
    MainWindow w(ward, &ui);
    w.FormCreate();
    w.enableRecovery(recovery);
    w.show();
    QTest::qWait(200);  // the deferred start
    w.grid()->DateTimePicker->setDate(kNov30);
    w.DateTimePickerCloseUp();
    w.model().typeText(BoxRef::cell(3, 2), QStringLiteral("CRASHED"));
    w.model().endTyping();
    if (save) {
        ui.fileChoices.push_back(ward + QStringLiteral("saved.rwk"));
        if (!SaveClick(w.model(), ui))
            return 2;
    }
    // Within a second, without being asked to.
    QTest::qWait(1000);
    std::printf("ready %lld\n", static_cast<long long>(RecoveryFiles(recovery).size()));
    std::fflush(stdout);
    return app.exec();
}

}  // namespace

// A program killed with unsaved changes offers them back at the next start, as one undo
// step; one killed after a clean save offers nothing.
class RecoveryTest : public QObject {
    Q_OBJECT

    QString self_;

public:
    explicit RecoveryTest(const QString& self) : self_(self) {}

private:
    // Starts the window in a child process, waits for "ready", kills it.
    QByteArray killAfterEdit(const QString& ward, const QString& recovery, bool save)
    {
        QProcess child;
        QStringList args{QStringLiteral("--window-until-killed"), ward, recovery};
        if (save)
            args << QStringLiteral("save");
        child.start(self_, args);
        if (!child.waitForStarted(10000))
            return "not started";
        QByteArray out;
        while (!out.contains('\n') && child.waitForReadyRead(20000))
            out += child.readAllStandardOutput();
        child.kill();  // SIGKILL: no destructor runs
        child.waitForFinished(10000);
        return out.trimmed();
    }

    std::unique_ptr<MainWindow> start(ScriptedUi& ui, const QString& ward, const QString& recovery)
    {
        auto w = std::make_unique<MainWindow>(ward, &ui);
        w->FormCreate();
        w->enableRecovery(recovery);
        w->show();
        QTest::qWait(300);  // the deferred start and its offer
        return w;
    }

private slots:
    void killedWithUnsavedChangesOffersThemBack()
    {
        QTemporaryDir ward, recovery;
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), ward.filePath("Staff.txt")));
        QCOMPARE(killAfterEdit(ward.path() + u'/', recovery.path(), false), QByteArray("ready 1"));
        QCOMPARE(RecoveryFiles(recovery.path()).size(), 1);

        ScriptedUi ui;
        ui.answers = {Answer::Yes};
        auto w = start(ui, ward.path() + u'/', recovery.path());
        QCOMPARE(ui.shown.size(), size_t(1));
        QCOMPARE(Restores(ui), 1);
        QCOMPARE(w->model().shownWeek(), kNov30);
        QCOMPARE(w->model().Week.data().Cells[3][2], QStringLiteral("CRASHED"));
        QVERIFY(w->model().Week.RosterChanged);
        QVERIFY(w->isWindowModified());
        QVERIFY(w->statusBar()->currentMessage().contains("restored"));
        w->model().Undo.undo();
        QCOMPARE(w->model().Week.data().Cells[3][2], QString());
        // The old file is gone; the window keeps its own while changes are unsaved.
        w->model().Undo.redo();
        w->model().Recovery.flush();
        QCOMPARE(RecoveryFiles(recovery.path()), QStringList{QFileInfo(w->model().Recovery.file()).fileName()});
        w->model().Week.RosterChanged = false;  // leave without the save question
        w.reset();
        QVERIFY(RecoveryFiles(recovery.path()).isEmpty());
    }

    void killedAfterACleanSaveOffersNothing()
    {
        QTemporaryDir ward, recovery;
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), ward.filePath("Staff.txt")));
        QCOMPARE(killAfterEdit(ward.path() + u'/', recovery.path(), true), QByteArray("ready 0"));
        ScriptedUi ui;
        auto w = start(ui, ward.path() + u'/', recovery.path());
        QVERIFY(ui.shown.empty());
    }
};

int main(int argc, char** argv)
{
    if (argc >= 4 && QByteArray(argv[1]) == "--window-until-killed")
        return RunWindowUntilKilled(argc, argv);
    QApplication app(argc, argv);
    RecoveryTest test(QCoreApplication::applicationFilePath());
    return QTest::qExec(&test, argc, argv);
}

#include "Recovery_test.moc"
