#include "ScriptedUi.h"
#include "app/ClinicForm.h"
#include "app/LegendWindow.h"
#include "app/MainWindow.h"
#include "app/ScreenFit.h"
#include "app/StaffForm.h"
#include "app/StatisticsWindow.h"
#include "roster/StatusLegend.h"
#include "util/Locale.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

using namespace tavrola;
using tavrola::test::ScriptedUi;

class WindowsFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseDefaultLocale(); }

    // The View menu's legend lists every status with its glyph on its colour (the rule
    // breach with the grid's own triangle).
    void theLegendExplainsEveryStatus()
    {
        QTemporaryDir dir;
        QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), dir.filePath(QStringLiteral("Staff.txt")));
        ScriptedUi ui;
        MainWindow w(dir.path() + u'/', &ui);
        QAction* legend = w.findChild<QAction*>(QStringLiteral("Legend"));
        QVERIFY(legend);
        LegendWindow window;
        for (const StatusMark& m : StatusMarks()) {
            bool found = false;
            for (QLabel* l : window.findChildren<QLabel*>())
                found = found || (l->accessibleName() == m.name &&
                                  (l->text() == m.glyph || (m.status == Status::RuleBreach && !l->pixmap().isNull())));
            QVERIFY2(found, qPrintable(m.name));
        }
    }

    void aWindowIsShrunkAndMovedInsideTheRoom()
    {
        const QRect room(0, 0, 1366, 728);
        const struct {
            QRect wanted, fitted;
        } cases[] = {
            {{10, 10, 800, 600}, {10, 10, 800, 600}},         // fits: stays
            {{0, 0, 1388, 1080}, {0, 0, 1366, 728}},          // too big: as big as the room
            {{900, 500, 800, 600}, {566, 128, 800, 600}},     // off the bottom right: moved in
            {{-50, -20, 300, 200}, {0, 0, 300, 200}},         // off the top left: moved in
        };
        for (const auto& c : cases)
            QCOMPARE(FitInside(c.wanted, room), c.fitted);
        QCOMPARE(FitInside(QRect(0, 0, 500, 500), QRect(100, 40, 1000, 600)), QRect(100, 40, 500, 500));
    }

    // At 1366 x 768 (a task bar of 40) and at 1.5 x on 1600 x 1000 (1066 x 666 logical,
    // a task bar of 26), every window with its frame is on the screen, and so is every
    // button in it.
    void everyWindowOpensOnTheScreenWithItsButtons()
    {
        QTemporaryDir dir;
        const QDir demo(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo"));
        for (const QString& name : demo.entryList(QDir::Files))
            QFile::copy(demo.filePath(name), dir.filePath(name));
        const QString folder = dir.path() + u'/';

        ScriptedUi ui;
        WardModel model;
        model.Week.DataFolder = folder;
        const std::pair<const char*, std::function<QWidget*()>> windows[] = {
            {"main window", [&] { return new MainWindow(folder, &ui); }},
            {"statistics", [&] { return new StatisticsWindow(model, ui); }},
            {"staff editor", [&] { return new StaffForm(model, ui); }},
            {"clinic editor", [&] { return new TClinicForm(folder, ui); }},
            {"legend", [&] { return new LegendWindow; }},
        };
        const QSize frame(16, 38);  // FitToScreen's allowance before a window is shown
        for (const QRect& room : {QRect(0, 0, 1366, 728), QRect(0, 0, 1066, 640)}) {
            for (const auto& [name, make] : windows) {
                std::unique_ptr<QWidget> w(make());
                FitToScreen(w.get(), room);
                const QRect outer(w->pos(), w->size() + frame);
                QVERIFY2(room.contains(outer), qPrintable(QStringLiteral("%1 at %2x%3: %4,%5 %6x%7")
                                                              .arg(QLatin1String(name))
                                                              .arg(room.width())
                                                              .arg(room.height())
                                                              .arg(outer.x())
                                                              .arg(outer.y())
                                                              .arg(outer.width())
                                                              .arg(outer.height())));
                w->show();
                QCoreApplication::processEvents();
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                    bool scrolled = false;  // rows of a scrolled list come into view by scrolling
                    for (QWidget* p = b->parentWidget(); p && p != w.get(); p = p->parentWidget())
                        scrolled = scrolled || p->inherits("QAbstractScrollArea");
                    if (scrolled || !b->isVisibleTo(w.get()) || b->text().isEmpty())
                        continue;
                    const QRect at(b->mapTo(w.get(), QPoint(0, 0)), b->size());
                    QVERIFY2(w->rect().contains(at),
                             qPrintable(QStringLiteral("%1: \"%2\" outside").arg(QLatin1String(name), b->text())));
                }
            }
        }
    }
};

QTEST_MAIN(WindowsFitTest)
#include "WindowsFit_test.moc"
