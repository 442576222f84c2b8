#include "ScriptedUi.h"
#include "app/DutyToolbar.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "util/Locale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// Drives the main window on the demo ward as a user would: toolbar buttons, clicks on
// cells, right clicks, typing and keys.
class DutyEntryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ScriptedUi ui_;
    std::unique_ptr<MainWindow> w_;

    RosterWeek& week() { return w_->model().Week; }
    QLineEdit* edit(BoxRef f) { return w_->grid()->editFor(f); }
    QLineEdit* cell(int day, int line) { return edit(BoxRef::cell(day, line)); }
    void click(QLineEdit* e, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(e, b, {}, QPoint(10, 10)); }
    void pick(Brush b) { QTest::mouseClick(w_->toolbar()->button(b), Qt::LeftButton); }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void init()
    {
        QFile::remove(dir_.path() + QStringLiteral("/Staff.txt"));
        QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"),
                            dir_.path() + QStringLiteral("/Staff.txt")));
        w_ = std::make_unique<MainWindow>(dir_.path() + u'/', &ui_);
        QVERIFY(w_->FormCreate());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    void cleanup() { w_.reset(); }

    void brushesFillCellsAndTheTotalsFollow()
    {
        pick(Brush::AM);
        QCOMPARE(w_->currentBrush(), Brush::AM);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        for (int day = 1; day <= 5; ++day)
            click(cell(day, 1));  // Margaret: EARLY, 7.5 a day
        QCOMPARE(cell(3, 1)->text(), QStringLiteral("EARLY"));
        QCOMPARE(edit(BoxRef::hoursWorking(1))->text(), QStringLiteral("37.5"));
        QCOMPARE(edit(BoxRef::hoursSet(1))->palette().color(QPalette::Base), toQColor(RequestColour));
        QCOMPARE(week().data().NonPrefCount[1], 0);  // all on preferred days

        click(cell(1, 8));  // Grace's standard shift is a clock range
        QCOMPARE(cell(1, 8)->text(), QStringLiteral("7-3"));

        pick(Brush::Holiday);
        click(cell(6, 1));
        click(cell(6, 1));
        QCOMPARE(cell(6, 1)->text(), QStringLiteral("HOL"));
        QCOMPARE(edit(BoxRef::hoursWorking(1))->text(), QStringLiteral("45"));
        QCOMPARE(edit(BoxRef::hoursSet(1))->palette().color(QPalette::Base), toQColor(AlertColour));

        pick(Brush::Sick);
        click(cell(1, 1));
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("SICK EARLY"));
        QCOMPARE(week().status().ShiftCounts[1][1], 1);  // only Grace is counted on Monday's early

        pick(Brush::None);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        week().FillRunning = true;
        click(cell(1, 1));
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("SICK EARLY"));
        QVERIFY(!week().FillRunning);
    }

    void requiredBoxesTurnGreenWhenTheShiftIsCovered()
    {
        pick(Brush::N);
        QLineEdit* box = edit(BoxRef::required(7, 3));  // Sunday nights need 2
        click(cell(7, 7));
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
        click(cell(7, 10));
        QCOMPARE(box->palette().color(QPalette::Base), toQColor(RequestColour));
    }

    void rightClickTwiceRestoresTheColour()
    {
        QLineEdit* c = cell(6, 1);  // Margaret's Saturday: white
        click(c, Qt::RightButton);
        QCOMPARE(c->palette().color(QPalette::Base), toQColor(RequestColour));
        QVERIFY(week().RosterChanged);  // the week file keeps request marks
        click(c, Qt::RightButton);
        QCOMPARE(c->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(c->text(), QString());
    }

    void typingAClockRangeUpdatesTheHoursWorked()
    {
        QLineEdit* c = cell(2, 4);
        c->setFocus();
        QTest::keyClicks(c, QStringLiteral("0730-1530"));
        QCOMPARE(edit(BoxRef::hoursWorking(4))->text(), QStringLiteral("7.5"));
        QTest::keyClick(c, Qt::Key_Backspace);
        QTest::keyClick(c, Qt::Key_Backspace);  // 0730-15: half past seven to three
        QCOMPARE(edit(BoxRef::hoursWorking(4))->text(), QStringLiteral("7"));
        QVERIFY(week().RosterChanged);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QCOMPARE(edit(BoxRef::hoursWorking(4))->text(), QString());
        QVERIFY2(!week().RosterChanged, "typed back to the saved text: nothing is changed");
    }

    void boxesRecolourAtOnceAndABadNumberIsReportedOnceAndMarked()
    {
        QLineEdit* set = edit(BoxRef::hoursSet(1));
        pick(Brush::AM);
        for (int day = 1; day <= 5; ++day)
            click(cell(day, 1));
        pick(Brush::None);
        QCOMPARE(set->palette().color(QPalette::Base), toQColor(RequestColour));
        set->setFocus();
        set->selectAll();
        QTest::keyClicks(set, QStringLiteral("30"));  // no day cell edited: the colour follows anyway
        QCOMPARE(set->text(), QStringLiteral("30"));
        QCOMPARE(set->palette().color(QPalette::Base), toQColor(AlertColour));

        QLineEdit* box = edit(BoxRef::required(1, 2));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("x"));
        QTest::keyClicks(cell(2, 2), QStringLiteral("LATE"));  // typing elsewhere shows nothing yet
        QCOMPARE(ui_.count(QStringLiteral("error")), 0);
        QVERIFY(box->styleSheet().contains(QStringLiteral("border")));
        QCOMPARE(box->toolTip(), QStringLiteral("Monday PM required: 'x' is not a valid integer value"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);  // entered: one message naming the box
        QCOMPARE(ui_.count(QStringLiteral("error")), 1);
        QCOMPARE(ui_.shown.back().text, QStringLiteral("Monday PM required: 'x' is not a valid integer value"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(ui_.count(QStringLiteral("error")), 1);

        // Undo, from the Edit menu's key even in a box, goes back step by step: first
        // the LATE typed last, then the number comes back and the mark goes.
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(2, 2)->text(), QString());
        QCOMPARE(box->text(), QStringLiteral("x"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(box->text() != QStringLiteral("x"));
        QVERIFY(box->styleSheet().isEmpty());
        QVERIFY(box->toolTip().startsWith(QStringLiteral("Nurses Needed Monday")));
    }

    void toolTipsSayHowABoxIsRead()
    {
        QTest::keyClicks(cell(2, 4), QStringLiteral("LATE"));
        QCOMPARE(w_->grid()->toolTipFor(BoxRef::cell(2, 4)), QString::fromUtf8("LATE \u00B7 7.5 h \u00B7 late shift"));
        QCOMPARE(w_->grid()->toolTipFor(BoxRef::required(2, 2)).left(22), QStringLiteral("1 on the late shift, 3"));
        QLineEdit* c = cell(2, 4);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), c->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(c, &help);
        QTRY_COMPARE(QToolTip::text(), QString::fromUtf8("LATE \u00B7 7.5 h \u00B7 late shift"));
    }

    void keysMoveThroughTheGridAndChooseBrushes()
    {
        QLineEdit* start = cell(3, 5);
        start->setFocus();
        QVERIFY(start->hasFocus());
        QTest::keyClick(start, Qt::Key_Down);
        QVERIFY(cell(3, 6)->hasFocus());
        QTest::keyClick(cell(3, 6), Qt::Key_Return);
        QVERIFY(cell(3, 7)->hasFocus());
        QTest::keyClick(cell(3, 7), Qt::Key_Right);  // empty cell: the caret is at its end
        QVERIFY(cell(4, 7)->hasFocus());
        QTest::keyClick(cell(4, 7), Qt::Key_Up);
        QVERIFY(cell(4, 6)->hasFocus());
        cell(1, 6)->setFocus();  // from Monday, left steps over the hours worked
        QTest::keyClick(cell(1, 6), Qt::Key_Left);
        QVERIFY(edit(BoxRef::hoursSet(6))->hasFocus());

        cell(4, 6)->setFocus();
        QTest::keyClick(w_.get(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(w_->currentBrush(), Brush::N);
        QVERIFY(w_->toolbar()->button(Brush::N)->isChecked());
        QTest::keyClick(w_.get(), Qt::Key_Insert);
        QCOMPARE(cell(4, 6)->text(), QStringLiteral("NIGHT"));
        QTest::keyClick(w_.get(), Qt::Key_Escape);
        QCOMPARE(w_->currentBrush(), Brush::None);
        QVERIFY(w_->toolbar()->button(Brush::Leave)->toolTip().endsWith(QStringLiteral("(Ctrl+6)")));
        QTRY_COMPARE(w_->toolbar()->button(Brush::AM)->toolTip(), QStringLiteral("AM Shift: EARLY (Ctrl+1)"));
    }
};

QTEST_MAIN(DutyEntryTest)
#include "DutyEntry_test.moc"
