#include "ScriptedUi.h"
#include "app/MainWindow.h"
#include "util/Locale.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// Two windows on one ward folder: the second on a held week is told and opens it
// read-only or takes it over; a save never goes over a file that changed on disk unasked.
class SharedFolderTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString week() const { return folder() + QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk"); }

    std::unique_ptr<MainWindow> open(ScriptedUi& ui)
    {
        auto w = std::make_unique<MainWindow>(folder(), &ui);
        w->FormCreate();
        w->show();
        QTest::qWait(150);  // the deferred start
        return w;
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        UseDefaultLocale();
        QFile::remove(folder() + "Staff.txt");
        QFile::remove(week());
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), folder() + "Staff.txt"));
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Monday, 30 November 2026 (Cedar Ward 7).rwk"),
                            week()));
        QFile::setPermissions(week(), QFile::ReadOwner | QFile::WriteOwner);
    }

    void aSecondWindowOpensAHeldWeekReadOnlyOrTakesItOver()
    {
        ScriptedUi uiA, uiB;
        auto a = open(uiA);
        QVERIFY(a->model().load(uiA, week()));
        QVERIFY(!a->windowTitle().contains("read-only"));

        auto b = open(uiB);
        uiB.choices = {0};  // open read-only
        QVERIFY(b->model().load(uiB, week()));
        QCOMPARE(uiB.count("choice"), 1);
        QVERIFY(uiB.shown.back().text.contains("is open on "));
        QVERIFY(b->model().File.readOnly());
        QVERIFY(b->windowTitle().contains("(read-only)"));

        // The read-only window's save over the held file asks; Cancel writes nothing.
        const QByteArray before = Bytes(week());
        b->model().typeText(BoxRef::cell(1, 1), QStringLiteral("EDIT-B"));
        uiB.shown.clear();
        uiB.choices = {-1};
        uiB.fileChoices = {week()};
        QVERIFY(!b->model().save(uiB));
        QCOMPARE(uiB.count("choice"), 1);
        QCOMPARE(Bytes(week()), before);

        // Taking it over: the first window is the one asked from then on.
        b->model().Week.RosterChanged = false;
        b.reset();
        ScriptedUi uiC;
        auto c = open(uiC);
        uiC.choices = {1};  // take it over
        QVERIFY(c->model().load(uiC, week()));
        QVERIFY(!c->model().File.readOnly());
        QVERIFY(!c->windowTitle().contains("read-only"));
        a->model().typeText(BoxRef::cell(1, 1), QStringLiteral("EDIT-A"));
        uiA.shown.clear();
        uiA.choices = {-1};
        uiA.fileChoices = {week()};
        QVERIFY(!a->model().save(uiA));
        QCOMPARE(uiA.count("choice"), 1);
        a->model().Week.RosterChanged = false;
    }

    void aSaveOverAWeekChangedOnDiskAsks()
    {
        ScriptedUi ui;
        auto w = open(ui);
        QVERIFY(w->model().load(ui, week()));
        w->model().typeText(BoxRef::cell(2, 3), QStringLiteral("MINE"));
        {
            QFile f(week());  // a colleague's program writes the file meanwhile
            QVERIFY(f.open(QIODevice::Append));
            f.write("\r\n");
        }
        const QByteArray theirs = Bytes(week());
        const QString other = folder() + QStringLiteral("mine.rwk");
        struct Case {
            int choice;
            QStringList files;
            bool saved;
        };
        for (const Case& c : {Case{-1, {week()}, false}, Case{1, {week(), other}, true}}) {
            ui.shown.clear();
            ui.choices = {c.choice};
            ui.fileChoices = {c.files.begin(), c.files.end()};
            QCOMPARE(w->model().save(ui), c.saved);
            QCOMPARE(ui.count("choice"), 1);
            QVERIFY(ui.shown[0].text.contains("was changed on disk"));
            QCOMPARE(Bytes(week()), theirs);
        }
        QVERIFY(Bytes(other).contains("MINE"));
        QVERIFY(!w->model().Week.RosterChanged);
    }
};

QTEST_MAIN(SharedFolderTest)
#include "SharedFolder_test.moc"
