#include "ScriptedUi.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "util/Locale.h"
#include "document/WeekChain.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QStatusBar>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// Saving, loading, picking weeks and closing, through the main window.
class WeekFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }

    std::unique_ptr<MainWindow> open(ScriptedUi& ui, const QStringList& args = {})
    {
        auto w = std::make_unique<MainWindow>(folder(), &ui);
        w->FormCreate(args);
        w->show();
        return w;
    }

    // A saved week for 22 December 2008 with one early shift in it.
    QString savedChristmasWeek()
    {
        ScriptedUi ui;
        auto w = open(ui);
        w->model().Week.PickerDate = QDate(2008, 12, 22);
        w->model().typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
        const QString path = folder() + QStringLiteral("christmas.rwk");
        ui.fileChoices = {path};
        w->SaveClick();
        return path;
    }

private slots:
    void initTestCase()
    {
        UseDefaultLocale();
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), folder() + "Staff.txt"));
    }

    void saveWithoutAChosenWeekRefuses()
    {
        ScriptedUi ui;
        auto w = open(ui);
        w->model().typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
        w->SaveClick();
        QCOMPARE(ui.count(QStringLiteral("error")), 1);
        QCOMPARE(ui.shown.back().text, kChooseWeekFirstMessage);
        QVERIFY(w->model().Week.RosterChanged);
    }

    void closingWithUnsavedChangesAsks()
    {
        ScriptedUi ui;
        auto w = open(ui);
        w->model().typeText(BoxRef::cell(2, 2), QStringLiteral("LATE"));
        ui.answers = {Answer::Cancel};
        QVERIFY(!w->close());
        QCOMPARE(ui.shown.back().kind, QStringLiteral("savediscardcancel"));
        QCOMPARE(ui.shown.back().text, SaveChangesQuestion(w->model().shownWeek()));
        QVERIFY(w->isVisible());

        // Yes saves (the week is not chosen, so it is refused) and keeps the window open.
        ui.answers = {Answer::Yes};
        QVERIFY(!w->close());
        QCOMPARE(ui.shown.back().text, kChooseWeekFirstMessage);

        ui.answers = {Answer::No};
        QVERIFY(w->close());
    }

    void pickedWeekWithAStoredFileAsksOnce()
    {
        const QString saved = savedChristmasWeek();
        QVERIFY(QFile::exists(saved));
        // Stored under the week's own name, so picking the week finds it.
        QVERIFY(QFile::copy(saved, folder() + LongDateText(QDate(2008, 12, 22)) + QStringLiteral(" (Cedar Ward 7).rwk")));
        ScriptedUi ui;
        auto w = open(ui);
        QTest::qWait(150);  // the deferred start
        ui.shown.clear();
        ui.answers = {Answer::Yes};
        w->grid()->DateTimePicker->setDate(QDate(2008, 12, 22));
        w->DateTimePickerCloseUp();
        QCOMPARE(ui.count(QStringLiteral("yesno")), 1);
        QVERIFY(ui.shown[0].text.startsWith(kStoredWeekQuestionStart));
        QCOMPARE(w->model().Week.data().Cells[1][1], QStringLiteral("EARLY"));
        QVERIFY(w->model().Week.RosterFileLoaded);
        // Christmas Day and Boxing Day are marked on named lines.
        QCOMPARE(w->grid()->HolidayLabels[4]->text(), QStringLiteral("Christmas Day"));
        QCOMPARE(w->grid()->editFor(BoxRef::cell(5, 3))->palette().color(QPalette::Base),
                 toQColor(AlertColour));
        QCOMPARE(w->grid()->WkLabel->text(), QStringLiteral("Wk4"));
    }

    // Leaving an edited week asks first; Cancel, or Save with a cancelled or failed save,
    // stops the load or pick, and the grid, picker, labels and flags stay as they were.
    void aSaveFirstThatDoesNotHappenStopsTheLoadOrPick()
    {
        const QString saved = savedChristmasWeek();
        const QString stored = folder() + LongDateText(QDate(2008, 12, 22)) + QStringLiteral(" (Cedar Ward 7).rwk");
        QFile::remove(stored);
        QVERIFY(QFile::copy(saved, stored));
        ScriptedUi ui;
        auto w = open(ui);
        QTest::qWait(150);  // the deferred start
        const QDate shown(2008, 12, 15);
        w->grid()->DateTimePicker->setDate(shown);
        w->DateTimePickerCloseUp();
        RosterWeek& week = w->model().Week;
        QLineEdit* note = w->grid()->editFor(BoxRef::lectures(2));
        QTest::keyClicks(note, QStringLiteral("Fire drill"));
        QVERIFY(week.RosterChanged);
        QVERIFY(w->isWindowModified());
        const QString label = w->grid()->WkLabel->text();

        struct Attempt {
            const char* what;
            Answer answer;       // to "Save changes to the week of ...?"
            QString saveChoice;  // empty: the dialog is cancelled
            bool pick;
        };
        const QString noFolder = folder() + QStringLiteral("no such/x.rwk");
        const Attempt attempts[] = {{"pick, cancel", Answer::Cancel, QString(), true},
                                    {"pick, save cancelled", Answer::Yes, QString(), true},
                                    {"pick, save fails", Answer::Yes, noFolder, true},
                                    {"load, cancel", Answer::Cancel, QString(), false},
                                    {"load, save cancelled", Answer::Yes, QString(), false},
                                    {"load, save fails", Answer::Yes, noFolder, false}};
        for (const Attempt& a : attempts) {
            ui.shown.clear();
            ui.answers = {a.answer, Answer::Yes};  // a later "load the stored week?" would be Yes
            ui.fileChoices = {a.saveChoice, saved};  // what a load would open, were it asked
            if (a.answer == Answer::Cancel)
                ui.fileChoices.pop_front();
            if (a.pick) {
                w->grid()->DateTimePicker->setDate(QDate(2008, 12, 22));
                w->DateTimePickerCloseUp();
            } else {
                w->LoadClick();
            }
            // One question, the same for both, naming the week left; nothing else asked.
            QCOMPARE(ui.shown.front().kind, QStringLiteral("savediscardcancel"));
            QCOMPARE(ui.shown.front().text, QStringLiteral("Save changes to the week of Monday, 15 December 2008?"));
            QCOMPARE(ui.count(QStringLiteral("yesno")), 0);
            QVERIFY2(ui.fileChoices.size() == 1 && ui.fileChoices.front() == saved, a.what);  // no open dialog
            QCOMPARE(note->text(), QStringLiteral("Fire drill"));
            QVERIFY2(!week.RosterFileLoaded, a.what);
            QVERIFY2(week.RosterChanged && w->isWindowModified(), a.what);
            QCOMPARE(week.PickerDate, shown);
            QCOMPARE(w->grid()->DateTimePicker->date(), shown);
            QCOMPARE(w->grid()->WkLabel->text(), label);
        }
    }

    // Everything the week file keeps counts as a change: closing asks about it.
    void closingAsksAfterATypedNoteOrARequestMark()
    {
        for (int kind = 0; kind < 2; ++kind) {
            ScriptedUi ui;
            auto w = open(ui);
            QTest::qWait(150);
            QVERIFY(!w->isWindowModified());
            if (kind == 0)
                QTest::keyClicks(w->grid()->editFor(BoxRef::lectures(3)), QStringLiteral("x"));
            else
                QTest::mouseClick(w->grid()->editFor(BoxRef::cell(2, 3)), Qt::RightButton, {}, QPoint(5, 5));
            QVERIFY(w->isWindowModified());
            ui.answers = {Answer::Cancel};
            QVERIFY(!w->close());
            QCOMPARE(ui.shown.back().kind, QStringLiteral("savediscardcancel"));

            // Undone back to the state it opened in: nothing to ask.
            w->model().Undo.undo();
            QVERIFY(!w->isWindowModified());
            ui.shown.clear();
            QVERIFY(w->close());
            QVERIFY(ui.shown.empty());
        }
    }

    // Weeks start on Monday: start-up and picked dates move to their Monday, a loaded
    // file keeps its date; stored weeks show in bold; a week without one says so.
    void datesMoveToTheirMondayAndStoredWeeksStandOut()
    {
        const QString saved = savedChristmasWeek();  // stored for Monday 22 December 2008
        ScriptedUi ui;
        auto w = open(ui);
        QTest::qWait(150);  // the deferred start
        RosterWeek& week = w->model().Week;
        QCOMPARE(week.PickerDate.dayOfWeek(), 1);
        QCOMPARE(week.PickerDate, QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek()));
        QVERIFY2(week.WeekChosen(), "the week shown after start counts as chosen");

        w->grid()->DateTimePicker->setDate(QDate(2008, 12, 10));  // a Wednesday
        w->DateTimePickerCloseUp();
        QCOMPARE(week.PickerDate, QDate(2008, 12, 8));
        QCOMPARE(w->grid()->DateTimePicker->date(), QDate(2008, 12, 8));
        QVERIFY(w->statusBar()->currentMessage().startsWith(
            QStringLiteral("No stored roster for %1: the grid still shows").arg(LongDateText(QDate(2008, 12, 8)))));
        QCalendarWidget* calendar = w->grid()->DateTimePicker->calendarWidget();
        QCOMPARE(calendar->dateTextFormat(QDate(2008, 12, 22)).fontWeight(), int(QFont::Bold));
        QVERIFY(calendar->dateTextFormat(QDate(2008, 12, 15)).fontWeight() != int(QFont::Bold));

        // A week file dated on a Tuesday (an older file) keeps its date.
        QFile f(saved);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        bytes.replace("22/12/2008", "23/12/2008");
        const QString tuesday = folder() + QStringLiteral("tuesday.rwk");
        QFile t(tuesday);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write(bytes);
        t.close();
        ui.fileChoices = {tuesday};
        w->LoadClick();
        QCOMPARE(week.PickerDate, QDate(2008, 12, 23));
    }

    void commandLineWeekIsLoadedAtStart()
    {
        const QString saved = savedChristmasWeek();
        ScriptedUi ui;
        auto w = open(ui, {saved});
        QTRY_VERIFY_WITH_TIMEOUT(w->model().Week.RosterFileLoaded, 2000);
        QCOMPARE(w->model().Week.PickerDate, QDate(2008, 12, 22));
        QCOMPARE(w->grid()->DateTimePicker->date(), QDate(2008, 12, 22));
        QCOMPARE(w->grid()->editFor(BoxRef::cell(1, 1))->text(), QStringLiteral("EARLY"));
        QVERIFY(w->model().Week.WeekChosen());
        QVERIFY(!w->model().Week.RosterChanged);
        QCOMPARE(ui.count(QStringLiteral("error")), 0);
    }

    void damagedCommandLineWeekIsReportedAndTheWindowStillWorks()
    {
        QDir().mkpath(folder() + QStringLiteral("elsewhere"));  // outside the scanned data folder
        QFile f(folder() + QStringLiteral("elsewhere/broken.rwk"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a date\r\nx\r\n");
        f.close();
        ScriptedUi ui;
        auto w = open(ui, {f.fileName()});
        QTRY_COMPARE_WITH_TIMEOUT(ui.count(QStringLiteral("error")), 1, 2000);
        QVERIFY(ui.shown.back().text.contains(QStringLiteral("broken.rwk")));
        QVERIFY(!w->model().Week.RosterFileLoaded);
        w->model().typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
        QCOMPARE(w->model().Week.data().HoursWorked[1], QStringLiteral("7.5"));
    }
};

QTEST_MAIN(WeekFilesTest)
#include "WeekFiles_test.moc"
