#include "ScriptedUi.h"
#include "app/AutoFillPanel.h"
#include "app/ColourButton.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "document/AutoFill.h"
#include "document/WeekChain.h"
#include "util/Locale.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// Every way out of an edited week asks one question, and the fill's browser never writes
// into another week.
class LeavingAWeekTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    const QDate nov30{2026, 11, 30}, dec7{2026, 12, 7};
    QString storedNov30() const { return folder() + QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk"); }

    std::unique_ptr<MainWindow> open(ScriptedUi& ui)
    {
        auto w = std::make_unique<MainWindow>(folder(), &ui);
        w->FormCreate();
        w->show();
        QTest::qWait(150);  // the deferred start
        return w;
    }

    void pick(MainWindow& w, const QDate& date)
    {
        w.grid()->DateTimePicker->setDate(date);
        w.DateTimePickerCloseUp();
    }

    // The stored week of 30 November, loaded and then edited.
    std::unique_ptr<MainWindow> editedNov30(ScriptedUi& ui)
    {
        auto w = open(ui);
        ui.answers = {Answer::Yes};  // load the stored week
        pick(*w, nov30);
        w->model().typeText(BoxRef::cell(3, 2), QStringLiteral("MEETING"));
        ui.shown.clear();
        return w;
    }

private slots:
    void init()
    {
        UseDefaultLocale();
        QFile::remove(folder() + "Staff.txt");
        QFile::remove(storedNov30());
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), folder() + "Staff.txt"));
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Monday, 30 November 2026 (Cedar Ward 7).rwk"),
                            storedNov30()));
        QFile::setPermissions(storedNov30(), QFile::ReadOwner | QFile::WriteOwner);
    }

    // Picking a week without a file after editing a loaded one: Cancel keeps everything,
    // Discard and Save both carry the duties forward, and only Save writes them into the
    // file of the week left.
    void pickingAnUnstoredWeekAsksFirst()
    {
        const QByteArray stored = [this] {
            QFile f(storedNov30());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            ScriptedUi ui;
            auto w = editedNov30(ui);
            const QString label = w->grid()->WkLabel->text();
            ui.answers = {answer};
            ui.fileChoices = {storedNov30()};
            pick(*w, dec7);
            QCOMPARE(ui.shown.size(), size_t(1));
            QCOMPARE(ui.shown[0].kind, QStringLiteral("savediscardcancel"));
            QCOMPARE(ui.shown[0].text, QStringLiteral("Save changes to the week of Monday, 30 November 2026?"));
            const RosterWeek& week = w->model().Week;
            QCOMPARE(week.data().Cells[3][2], QStringLiteral("MEETING"));
            QFile file(storedNov30());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray now = file.readAll();
            if (answer == Answer::Cancel) {
                QCOMPARE(week.PickerDate, nov30);
                QCOMPARE(w->grid()->DateTimePicker->date(), nov30);
                QCOMPARE(w->grid()->WkLabel->text(), label);
                QVERIFY(week.RosterChanged && w->isWindowModified());
                QCOMPARE(now, stored);
                continue;
            }
            QCOMPARE(week.PickerDate, dec7);
            QCOMPARE(w->model().Labels.ShownWeek, dec7);
            QVERIFY(w->statusBar()->currentMessage().contains(QStringLiteral("still shows the duties")));
            QCOMPARE(now != stored, answer == Answer::Yes);
            QCOMPARE(now.contains("MEETING"), answer == Answer::Yes);
        }
    }

    // Load, the staff editor and closing ask the same question; Cancel changes nothing.
    void everyWayOutAsksTheSameQuestion()
    {
        ScriptedUi ui;
        auto w = editedNov30(ui);
        const QString question = SaveChangesQuestion(nov30);
        ui.answers = {Answer::Cancel};
        w->LoadClick();
        ui.answers = {Answer::Cancel};
        w->EditStaffFile1Click();  // the editor does not open: no modal dialog to close
        ui.answers = {Answer::Cancel};
        QVERIFY(!w->close());
        QCOMPARE(ui.shown.size(), size_t(3));
        for (const auto& shown : ui.shown) {
            QCOMPARE(shown.kind, QStringLiteral("savediscardcancel"));
            QCOMPARE(shown.text, question);
        }
        QCOMPARE(w->model().Week.data().Cells[3][2], QStringLiteral("MEETING"));
        QVERIFY(w->model().Week.RosterChanged);
        ui.answers = {Answer::No};  // Discard: the window closes at once
        QVERIFY(w->close());
    }

    // After a fill, a load, a pick or Clear Form ends its run: the browser is hidden and
    // disabled, and a browse that still arrives writes nothing.
    void theBrowserBelongsToTheFillRun()
    {
        for (int step = 0; step < 3; ++step) {
            ScriptedUi ui;
            auto w = open(ui);
            ui.answers = {Answer::Yes};
            pick(*w, nov30);
            AutoFillPanel* panel = w->autoFill();
            panel->fill().candidateLimit = 200;
            panel->fill().improve = false;  // the random phase alone: the run ends at the limit
            ui.answers = {Answer::Yes};
            QTest::mouseClick(panel->AutoFillButton, Qt::LeftButton);
            QTRY_VERIFY(!panel->running());
            QVERIFY(panel->UpDown1->isVisible() && panel->UpDown1->isEnabled());

            ui.answers = {step == 2 ? Answer::Yes : Answer::No};  // clear; else discard the fill
            if (step == 0) {
                ui.fileChoices = {storedNov30()};
                w->LoadClick();
            } else if (step == 1) {
                pick(*w, dec7);
            } else {
                w->ClearForm1Click();
            }
            QVERIFY(!panel->UpDown1->isVisible());
            QVERIFY(!panel->UpDown1->isEnabled());
            const WeekData before = w->model().Week.data();
            const int steps = w->model().Undo.count();
            panel->UpDown1Click(2);
            QCOMPARE(w->model().Week.data(), before);
            QCOMPARE(w->model().Undo.count(), steps);
            ui.answers = {Answer::No};
            w->close();
        }
    }
};

QTEST_MAIN(LeavingAWeekTest)
#include "LeavingAWeek_test.moc"
