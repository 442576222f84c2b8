#include "ScriptedUi.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "app/RulesDialog.h"
#include "document/WorkingTime.h"
#include "util/Locale.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// The working-time marks in the grid, the status bar's count and the rules dialog, on a
// copy of the demo ward showing the week of 30 November 2026.
class WorkingTimeMarksTest : public QObject {
    Q_OBJECT

    static QString demoWard(QTemporaryDir& dir)
    {
        const QString demo = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/");
        for (const QString& name : QDir(demo).entryList(QDir::Files))
            QFile::copy(demo + name, dir.path() + u'/' + name);
        return dir.path() + u'/';
    }

    static std::unique_ptr<MainWindow> open(const QString& folder, ScriptedUi& ui)
    {
        auto w = std::make_unique<MainWindow>(folder, &ui);
        w->FormCreate({folder + QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk")});
        w->NonPrefTimerTimer();
        return w;
    }

    static const Breach* find(const WardModel& model, Rule rule)
    {
        for (const Breach& b : model.Breaches)
            if (b.rule == rule)
                return &b;
        return nullptr;
    }

    // Every day cell is marked exactly when a breach names it, and the status bar agrees.
    static void verifyMarksFollow(MainWindow& w)
    {
        bool named[kDays + 1][kLines + 1] = {};
        for (const Breach& b : w.model().Breaches)
            named[b.day][b.line] = true;
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line)
                QVERIFY2(w.grid()->breachMarked(line, day) == named[day][line],
                         qPrintable(QStringLiteral("line %1 day %2").arg(line).arg(day)));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("BreachCount"))->text(),
                 BreachCountText(int(w.model().Breaches.size())));
    }

    static QAction* rulesAction(MainWindow& w)
    {
        return w.menuBar()->findChild<QAction*>(QStringLiteral("WorkingTimeRules"));
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void marksToolTipsAndCountFollowEdits()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        auto w = open(demoWard(dir), ui);
        WardModel& model = w->model();
        QVERIFY(model.Week.RosterFileLoaded);
        QVERIFY(model.Breaches.size() >= 2);
        verifyMarksFollow(*w);
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("BreachCount"))->text().endsWith(
            QStringLiteral("working-time rule breaches this week")));

        // The tool tip names the rule and its figures: line 1's early on Thursday comes
        // 24 h after her last night.
        QVERIFY(find(model, Rule::RestAfterNights));
        const Breach rest = *find(model, Rule::RestAfterNights);
        QCOMPARE(rest.line, 1);
        QCOMPARE(rest.day, 4);
        const QString tip = w->grid()->toolTipFor(BoxRef::cell(rest.day, rest.line));
        QVERIFY2(tip.startsWith(QStringLiteral("Rest after nights: Rest 24 h after the last night")), qPrintable(tip));
        QVERIFY(tip.contains(QStringLiteral("at least 46 h")));
        QVERIFY(!w->grid()->breachMarked(1, 3));

        // The mark sits in the cell's top right corner, in the margin the text keeps free.
        QLineEdit* cell = w->grid()->editFor(BoxRef::cell(rest.day, rest.line));
        QWidget* mark = nullptr;
        for (QWidget* child : cell->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isHidden() && child->testAttribute(Qt::WA_TransparentForMouseEvents))
                mark = child;
        QVERIFY(mark);
        QVERIFY(mark->geometry().right() < cell->width() && mark->y() >= 0);
        QVERIFY(cell->textMargins().right() > mark->width());

        // Clearing the duty that starts too soon takes the breach and its mark away; undo
        // brings them back.
        cell->setFocus();
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_Delete);
        QVERIFY(model.Week.data().Cells[rest.day][rest.line].isEmpty());
        for (const Breach& b : model.Breaches)
            QVERIFY(b.rule != Rule::RestAfterNights);
        verifyMarksFollow(*w);
        model.Undo.undo();
        QVERIFY(w->grid()->breachMarked(rest.line, rest.day));
        verifyMarksFollow(*w);
    }

    void theMarkKeepsItsContrastOnEveryCellColour()
    {
        for (const Colour background : DayCellColours)
            QVERIFY2(ContrastRatio(BreachMarkColour, background) >= 3.0, qPrintable(toQColor(background).name()));
        QVERIFY(ContrastRatio(BreachMarkColour, White) >= 3.0);  // the "!" on the triangle
    }

    void theRulesDialogWritesRulesTxt()
    {
        QTemporaryDir dir;
        const QString folder = demoWard(dir);
        ScriptedUi ui;
        auto w = open(folder, ui);
        WardModel& model = w->model();
        QVERIFY(find(model, Rule::RestAfterNights) && find(model, Rule::ConsecutiveDays));
        const QString path = folder + kRulesFileName;

        // The same changes, cancelled and then confirmed: Cancel writes nothing; OK with the
        // rest after nights at 24 h and days in a row off writes both, and the marks follow.
        struct Step {
            bool ok;
            bool fileAfter;
        };
        for (const Step step : {Step{false, false}, Step{true, true}}) {
            QTimer::singleShot(0, this, [step] {
                auto* d = qobject_cast<RulesDialog*>(QApplication::activeModalWidget());
                QVERIFY(d);
                // Fits 1366 x 768 at 150 %, taskbar and title bar allowed for.
                QVERIFY(d->sizeHint().width() <= 910 && d->sizeHint().height() <= 460);
                // The keyboard reaches each limit and then its switch.
                QWidget* next = d->limitBox(Rule::DailyRest)->nextInFocusChain();
                while (d->limitBox(Rule::DailyRest)->isAncestorOf(next))
                    next = next->nextInFocusChain();
                QCOMPARE(next, d->onBox(Rule::DailyRest));
                d->limitBox(Rule::RestAfterNights)->setValue(24);
                d->onBox(Rule::ConsecutiveDays)->setChecked(false);
                QVERIFY(!d->limitBox(Rule::ConsecutiveDays)->isEnabled());
                if (step.ok)
                    d->accept();
                else
                    d->reject();
            });
            rulesAction(*w)->trigger();
            QCOMPARE(QFile::exists(path), step.fileAfter);
        }
        QCOMPARE(model.Limits[Rule::RestAfterNights].limit, 24.0);
        QVERIFY(!model.Limits[Rule::ConsecutiveDays].on);
        QCOMPARE(ReadRulesFile(path).limits, model.Limits);
        QVERIFY(model.Breaches.empty());
        verifyMarksFollow(*w);
        QVERIFY(ui.shown.empty());

        // A damaged line is named when the ward is read, and its default kept.
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("daily_rest = lots\r\n");
        damaged.close();
        ScriptedUi again;
        auto w2 = open(folder, again);
        QCOMPARE(w2->model().Limits, RuleLimits());
        QCOMPARE(again.count(QStringLiteral("warning")), 1);
        for (const ScriptedUi::Shown& s : again.shown)
            if (s.kind == QStringLiteral("warning"))
                QVERIFY2(s.text.contains(QStringLiteral("Rules.txt")) && s.text.contains(QStringLiteral("line 1")),
                         qPrintable(s.text));
    }
};

QTEST_MAIN(WorkingTimeMarksTest)
#include "WorkingTimeMarks_test.moc"
