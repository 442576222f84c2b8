#include "ScriptedUi.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "util/Locale.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QString demoFolder() { return QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/"); }

    static QString dataCopy(QTemporaryDir& dir)
    {
        const QString folder = dir.path() + u'/';
        QFile::copy(demoFolder() + QStringLiteral("Staff.txt"), folder + QStringLiteral("Staff.txt"));
        return folder;
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void demoWardLandsOnTheGrid()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        MainWindow w(dataCopy(dir), &ui);
        QVERIFY(w.FormCreate());
        QVERIFY(ui.shown.empty());
        GridView* g = w.grid();
        const RosterWeek& week = w.model().Week;
        QCOMPARE(g->editFor(BoxRef::name(1))->text(), QStringLiteral("Margaret Okafor"));
        QCOMPARE(g->editFor(BoxRef::grade(1))->text(), QStringLiteral("B7"));
        QCOMPARE(g->editFor(BoxRef::hoursSet(1))->text(), QStringLiteral("37.5"));
        QCOMPARE(g->editFor(BoxRef::name(4))->text(), QStringLiteral("Zoë Lambert"));
        QCOMPARE(g->HospitalNameLabel->text(), QStringLiteral("Northfield General Hospital"));
        // Line 1 prefers Monday to Friday: those cells are light green, the weekend white.
        const QColor green = toQColor(RequestColour);
        QCOMPARE(g->editFor(BoxRef::cell(1, 1))->palette().color(QPalette::Base), green);
        QCOMPARE(g->editFor(BoxRef::cell(5, 1))->palette().color(QPalette::Base), green);
        QCOMPARE(g->editFor(BoxRef::cell(6, 1))->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(g->editFor(BoxRef::cell(3, 1))->toolTip(), QStringLiteral("EARLY"));
        QCOMPARE(g->editFor(BoxRef::required(1, 1))->text(), QStringLiteral("4"));
        QCOMPARE(week.NumberOfStaff(), 18);
        QCOMPARE(g->editFor(BoxRef::name(19))->text(), QString());
    }

    void typingIntoACellReachesTheModelAndBack()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        MainWindow w(dataCopy(dir), &ui);
        QVERIFY(w.FormCreate());
        RosterWeek& week = w.model().Week;
        QLineEdit* cell = w.grid()->editFor(BoxRef::cell(2, 3));
        QTest::keyClicks(cell, QStringLiteral("7-3"));
        QCOMPARE(week.data().Cells[2][3], QStringLiteral("7-3"));
        QVERIFY(week.RosterChanged);
        week.setText(BoxRef::cell(2, 3), QStringLiteral("LATE"));
        QCOMPARE(cell->text(), QStringLiteral("LATE"));
        QVERIFY(!cell->actions().size());
        QCOMPARE(cell->contextMenuPolicy(), Qt::NoContextMenu);
    }

    void firstStartWithoutStaffFileOffersAStarterWard()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        ui.answers = {Answer::Yes};
        MainWindow w(dir.path() + u'/', &ui);
        QVERIFY(w.FormCreate());
        QCOMPARE(ui.count(QStringLiteral("yesno")), 1);
        QVERIFY(ui.shown[0].text.contains(QStringLiteral("Staff.txt")));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/Staff.txt")));
        QVERIFY(w.model().Week.NumberOfStaff() > 0);
        QCOMPARE(ui.count(QStringLiteral("error")), 0);
    }

    void declinedStarterWardLeavesAnEmptyWorkingGrid()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        ui.answers = {Answer::No};
        MainWindow w(dir.path() + u'/', &ui);
        QVERIFY(!w.FormCreate());
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/Staff.txt")));
        QCOMPARE(w.model().Week.NumberOfStaff(), 0);
    }

    void installedFirstStartOffersTheDemoWard_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("staff");  // -1: some; 0: none
        QTest::addColumn<int>("weeks");
        QTest::newRow("demo ward") << 0 << 18 << 9;
        QTest::newRow("starter ward") << 1 << -1 << 0;
        QTest::newRow("cancel") << -1 << 0 << 0;
    }

    void installedFirstStartOffersTheDemoWard()
    {
        QFETCH(int, choice);
        QFETCH(int, staff);
        QFETCH(int, weeks);
        QTemporaryDir dir;
        ScriptedUi ui;
        ui.choices = {choice};
        MainWindow w(dir.path() + u'/', &ui);
        w.setDemoWardFolder(demoFolder());
        QCOMPARE(w.FormCreate(), choice >= 0);
        QCOMPARE(ui.count(QStringLiteral("choice")), 1);
        QCOMPARE(ui.count(QStringLiteral("yesno")), 0);
        QVERIFY(ui.shown[0].text.contains(QStringLiteral("[Demo Ward|Starter Ward]")));
        QCOMPARE(ui.count(QStringLiteral("error")), 0);
        QCOMPARE(QFile::exists(dir.path() + QStringLiteral("/Staff.txt")), choice >= 0);
        if (staff < 0)
            QVERIFY(w.model().Week.NumberOfStaff() > 0);
        else
            QCOMPARE(w.model().Week.NumberOfStaff(), staff);
        QCOMPARE(int(QDir(dir.path()).entryList({QStringLiteral("*.rwk")}, QDir::Files).size()), weeks);
    }

    void damagedStaffFileIsReportedAndChangesNothing()
    {
        QTemporaryDir dir;
        QFile f(dir.path() + QStringLiteral("/Staff.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        static const char binary[] = "HOSPITAL = X ;\r\n\0\0\x01\x02binary";
        f.write(binary, sizeof binary - 1);
        f.close();
        ScriptedUi ui;
        MainWindow w(dir.path() + u'/', &ui);
        QVERIFY(!w.FormCreate());
        QCOMPARE(ui.count(QStringLiteral("error")), 1);
        QVERIFY(ui.shown[0].text.contains(QStringLiteral("Staff.txt")));
        QCOMPARE(w.model().Settings.HOSPITAL, QString());
    }

    void pipeAsStaffFileIsReportedAndStartUpGoesOn()
    {
        // A named pipe in the place of Staff.txt: reported by name, never opened (an open
        // would wait for a writer for ever), and the window comes up as without the file.
        QTemporaryDir dir;
        const QString staff = dir.path() + QStringLiteral("/Staff.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(staff).constData(), 0600), 0);
        ScriptedUi ui;
        MainWindow w(dir.path() + u'/', &ui);
        QVERIFY(!w.FormCreate());
        QCOMPARE(ui.count(QStringLiteral("yesno")), 0);
        QCOMPARE(ui.count(QStringLiteral("error")), 1);
        QVERIFY(ui.shown[0].text.contains(staff));
        QVERIFY(ui.shown[0].text.contains(QStringLiteral("named pipe")));
        QCOMPARE(w.model().Week.NumberOfStaff(), 0);
        QVERIFY(w.isEnabled());
    }

    void clearFormAsksAndClears()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        MainWindow w(dataCopy(dir), &ui);
        QVERIFY(w.FormCreate());
        RosterWeek& week = w.model().Week;
        week.setText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
        ui.answers = {Answer::Yes};
        w.ClearForm1Click();
        QCOMPARE(w.grid()->editFor(BoxRef::cell(1, 1))->text(), QString());
        QCOMPARE(w.grid()->editFor(BoxRef::name(1))->text(), QStringLiteral("Margaret Okafor"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
