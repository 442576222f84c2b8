#include "ScriptedUi.h"
#include "app/AutoFillPanel.h"
#include "app/ColourButton.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "util/Locale.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// The automatic fill on the main window over the demo ward: start, stop by the button
// and by a click on a day cell, browsing, undo, and the coloured button's faces.
class AutoFillTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ScriptedUi ui_;
    std::unique_ptr<MainWindow> w_;

    RosterWeek& week() { return w_->model().Week; }
    AutoFillPanel* panel() { return w_->autoFill(); }
    QLineEdit* cell(int day, int line) { return w_->grid()->editFor(BoxRef::cell(day, line)); }

    // Screenshots for a person to look at, when TAVROLA_SHOTS names a folder.
    void shot(QWidget* widget, const char* name)
    {
        const QString folder = qEnvironmentVariable("TAVROLA_SHOTS");
        if (!folder.isEmpty())
            widget->grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    }

    void start()
    {
        ui_.answers = {Answer::Yes};
        QTest::mouseClick(panel()->AutoFillButton, Qt::LeftButton);
        QVERIFY(panel()->running());
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void init()
    {
        for (const char* name : {"Staff.txt", "Clinic.rtf"}) {
            QFile::remove(dir_.path() + u'/' + QLatin1String(name));
            QVERIFY(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/") + QLatin1String(name),
                                dir_.path() + u'/' + QLatin1String(name)));
        }
        w_ = std::make_unique<MainWindow>(dir_.path() + u'/', &ui_);
        QVERIFY(w_->FormCreate());
        w_->resize(1400, 900);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        QTRY_VERIFY(week().WeekSelected);  // the deferred start has run
        ui_.shown.clear();
    }

    void cleanup() { w_.reset(); }

    void startShowStopByButtonBrowseAndUndo()
    {
        week().setText(BoxRef::cell(2, 3), QStringLiteral("HOL"));
        const QString before = cell(1, 1)->text();
        QVERIFY(!panel()->UpDown1->isVisible());
        start();
        QCOMPARE(ui_.shown.back().text, kAutoFillQuestion);
        QTRY_VERIFY(panel()->AutoFillButton->text().startsWith(QStringLiteral("Stop ")));
        QTRY_VERIFY(!panel()->SolutionCountLabel->text().isEmpty());
        // The best so far is on the grid, "DO" in the empty cells; who covers each shift
        // is in its own row under the grid, not in a duty cell.
        const int staff = week().NumberOfStaff();
        QTRY_VERIFY(panel()->SummaryEdits[1]->text().contains(u'/'));
        QVERIFY(panel()->SummaryRow->isVisible());
        QVERIFY(!week().data().Cells[1][staff + 1].contains(u'/'));
        QCOMPARE(cell(2, 3)->text(), QStringLiteral("HOL"));
        shot(w_.get(), "fill-running");

        QTest::mouseClick(panel()->AutoFillButton, Qt::LeftButton);
        QVERIFY(!panel()->running());
        const int best = panel()->fill().search()->bestScore();
        QCOMPARE(panel()->AutoFillButton->text(), QStringLiteral("Done (%1)").arg(best));
        QVERIFY(panel()->SolutionCountLabel->text().isEmpty());
        QVERIFY(panel()->UpDown1->isVisible());
        // Where the fill stopped depends on timing: the tool tip gives whatever the best
        // week lost, rule by rule first.
        const QStringList why = panel()->fill().explanation();
        QVERIFY(!why.isEmpty());
        for (const QString& line : why.mid(0, 3))
            QVERIFY2(panel()->AutoFillButton->toolTip().contains(line), qPrintable(line));
        QVERIFY(panel()->AutoFillButton->toolTip().contains(
            QStringLiteral("real score %1").arg(panel()->fill().search()->bestUnclamped())));
        // "Why?" shows the whole list.
        QTest::mouseClick(panel()->WhyButton, Qt::LeftButton);
        QCOMPARE(ui_.shown.back().text, panel()->fill().explanation().join(u'\n'));
        QLabel tip(panel()->AutoFillButton->toolTip());
        tip.setStyleSheet(QStringLiteral("background: #ffffdc; padding: 4px"));
        tip.adjustSize();
        shot(&tip, "fill-done-tooltip");
        QCOMPARE(w_->model().Undo.undoText(), kAutoFillStep);
        const int steps = w_->model().Undo.count();
        shot(w_.get(), "fill-done");

        // Browse: each shown solution is one step, the caption names it.
        const int last = panel()->fill().search()->filledSlots() - 1;  // only filled slots
        panel()->UpDown1->stepDown();  // 0 wraps to the last
        QCOMPARE(panel()->UpDown1->value(), last);
        QCOMPARE(panel()->AutoFillButton->text(),
                 QStringLiteral("Done (%1) %2%").arg(last).arg(panel()->fill().search()->slot(last).score));
        QCOMPARE(w_->model().Undo.count(), steps + 1);

        // Undo of the browse and the fill: the grid as it was.
        w_->model().Undo.undo();
        w_->model().Undo.undo();
        QCOMPARE(cell(1, 1)->text(), before);
        QVERIFY(!week().data().Cells[1][staff + 1].contains(u'/'));
    }

    void aDayCellClickStopsTheFillAndNothingLateReachesTheGrid()
    {
        start();
        QTest::qWait(60);
        QVERIFY(panel()->running());
        QTest::mouseClick(cell(4, 2), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!panel()->running());
        QVERIFY(!week().FillRunning);
        QVERIFY(panel()->AutoFillButton->text().startsWith(QStringLiteral("Done (")));
        const QString shown = cell(4, 2)->text();
        const int steps = w_->model().Undo.count();
        QTest::qWait(60);
        QCOMPARE(w_->model().Undo.count(), steps);
        QCOMPARE(cell(4, 2)->text(), shown);

        // Picking another week stops a fill first; the new week starts without requests.
        start();
        w_->grid()->DateTimePicker->setDate(week().PickerDate.addDays(7));
        w_->DateTimePickerCloseUp();
        QVERIFY(!panel()->running());
        QVERIFY(!week().RequestsSaved);
    }

    void colouredButtonFaces()
    {
        QWidget strip;  // before the button: the button goes first
        ColourButton b(QStringLiteral("Auto Fill Form"));
        b.setColour(QColor(0, 0, 255));
        b.setTextColour(Qt::white);
        QFont bold(QStringLiteral("Arial"));
        bold.setPixelSize(15);
        bold.setBold(true);
        b.setFont(bold);
        b.resize(150, 28);
        const QImage up = b.grab().toImage();
        QCOMPARE(up.pixelColor(75, 6), QColor(0, 0, 255));  // the face is blue
        QVERIFY(up.pixelColor(0, 0) != QColor(0, 0, 255));  // the raised edge is not
        b.setDown(true);
        const QImage down = b.grab().toImage();
        QCOMPARE(down.pixelColor(75, 6), QColor(0, 0, 255));
        b.setDown(false);
        b.setEnabled(false);
        const QImage disabled = b.grab().toImage();
        bool grey = false;
        for (int x = 0; x < disabled.width() && !grey; ++x)
            for (int y = 0; y < disabled.height() && !grey; ++y)
                grey = disabled.pixelColor(x, y) == QColor(128, 128, 128);
        QVERIFY(grey);
        b.setEnabled(true);
        b.setParent(&strip);
        b.move(5, 6);
        auto* pressed = new ColourButton(QStringLiteral("Auto Fill Form"), &strip);
        auto* off = new ColourButton(QStringLiteral("Auto Fill Form"), &strip);
        auto* ok = new ColourButton(QString(), &strip);
        for (ColourButton* other : {pressed, off}) {
            other->setColour(QColor(0, 0, 255));
            other->setTextColour(Qt::white);
            other->setFont(bold);
            other->resize(150, 28);
        }
        ok->setKind(ColourButton::Kind::OK);
        ok->setColour(QColor(200, 230, 255));
        ok->resize(80, 28);
        pressed->move(160, 6);
        pressed->setDown(true);
        off->move(315, 6);
        off->setEnabled(false);
        ok->move(395, 40);
        strip.resize(480, 72);
        shot(&strip, "colour-button-up-pressed-disabled");

        // Kinds: OK is a default button with result 1; changing Default makes it custom.
        QCOMPARE(ok->kind(), ColourButton::Kind::OK);
        QCOMPARE(ok->modalResult(), 1);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        ok->setDefault(false);
        QCOMPARE(ok->kind(), ColourButton::Kind::Custom);
    }

    void layoutRules()
    {
        using L = ColourButton::GlyphLayout;
        const QRect r(0, 0, 100, 20);
        const struct {
            L layout;
            int margin, spacing;
            QSize glyph, caption;
            QRect glyphAt, captionAt;
        } cases[] = {
            {L::Left, -1, 4, QSize(18, 18), QSize(40, 14), QRect(19, 1, 18, 18), QRect(41, 3, 40, 14)},
            {L::Left, -1, -1, QSize(18, 18), QSize(40, 14), QRect(14, 1, 18, 18), QRect(46, 3, 40, 14)},
            {L::Right, 5, 4, QSize(18, 18), QSize(40, 14), QRect(77, 1, 18, 18), QRect(33, 3, 40, 14)},
            {L::Left, 5, -1, QSize(18, 18), QSize(40, 14), QRect(5, 1, 18, 18), QRect(41, 3, 40, 14)},
            {L::Left, -1, 4, QSize(0, 0), QSize(40, 14), QRect(30, 10, 0, 0), QRect(30, 3, 40, 14)},  // no glyph: no spacing
            {L::Top, 2, 4, QSize(18, 18), QSize(40, 14), QRect(41, 2, 18, 18), QRect(30, 24, 40, 14)},
        };
        for (const auto& c : cases) {
            const ColourButton::Placement p = ColourButton::Place(r, c.glyph, c.caption, c.layout, c.margin, c.spacing);
            QCOMPARE(p.glyph, c.glyphAt);
            QCOMPARE(p.caption, c.captionAt);
        }
    }
};

QTEST_MAIN(AutoFillTest)
#include "AutoFill_test.moc"
