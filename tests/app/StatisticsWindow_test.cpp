#include "ScriptedUi.h"
#include "TestFiles.h"
#include "app/MainWindow.h"
#include "app/StatisticsWindow.h"
#include "render/StatsPicture.h"
#include "document/StaffOnGrid.h"
#include "util/Locale.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

class StatisticsWindowTest : public QObject {
    Q_OBJECT

private:
    // A copy of the demo ward (Staff.txt and its stored weeks) in `dir`, read into `model`.
    static void demoWard(QTemporaryDir& dir, WardModel& model)
    {
        const QDir demo(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo"));
        for (const QString& name : demo.entryList(QDir::Files))
            QFile::copy(demo.filePath(name), dir.filePath(name));
        model.Week.DataFolder = dir.path() + u'/';
        QString error;
        QVERIFY2(Read_StaffTxtFile(model, &error), qPrintable(error));
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void datesMakeOneAnalysisShownWithItsLedgerAndSaved()
    {
        QTemporaryDir dir;
        WardModel model;
        demoWard(dir, model);
        const WardSettings before = model.Settings;
        ScriptedUi ui;
        StatisticsWindow w(model, ui);
        const QImage prompt = w.picture();
        QCOMPARE(prompt.width(), kStatsViewWidth);

        // Two changes before the loop's pass: one analysis.
        w.fromEdit()->setDate(QDate(2025, 10, 1));
        w.toEdit()->setDate(QDate(2026, 12, 31));
        w.FormSequencer();
        QCOMPARE(w.analyses(), 1);
        QVERIFY(ui.shown.empty());
        QVERIFY(w.tables());
        QCOMPARE(w.tables()->Weeks, 9);
        QCOMPARE(w.ledger()->rowCount(), int(w.tables()->StatNames.size()));
        QCOMPARE(w.ledger()->item(0, 0)->text(), w.tables()->StatNames[0]);
        QVERIFY(w.picture() != prompt);
        QCOMPARE(model.Settings.NameAMShift, before.NameAMShift);
        w.FormSequencer();
        QCOMPARE(w.analyses(), 1);  // nothing asked since

        const QString csv = dir.filePath(QStringLiteral("out/table"));
        const QString png = dir.filePath(QStringLiteral("out/picture.png"));
        QDir(dir.path()).mkdir(QStringLiteral("out"));
        ui.fileChoices = {csv, png};
        w.SaveTableClick();
        w.SavePictureClick();
        QVERIFY(ui.shown.empty());
        const QByteArray text = test::ReadBytes(csv + QStringLiteral(".csv"));
        QVERIFY(text.startsWith("\xEF\xBB\xBFName,Hours per week,Nights"));
        QVERIFY(text.contains("Hours worked,2025"));
        QCOMPARE(QImage(png).size(), QSize(1725, 1274));  // cropped: two years' graphs, 18 names

        // Looked at: the window scrolled part-way into the picture.
        if (qEnvironmentVariableIsSet("TAVROLA_SCREENSHOTS")) {
            w.resize(960, 760);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.pictureArea()->horizontalScrollBar()->setValue(120);
            w.pictureArea()->verticalScrollBar()->setValue(30);
            w.grab().save(qEnvironmentVariable("TAVROLA_SCREENSHOTS") + QStringLiteral("/statistics-window.png"));
        }
    }

    void aDamagedWeekIsLeftOutAndNamed()
    {
        QTemporaryDir dir;
        WardModel model;
        demoWard(dir, model);
        const QString damaged = dir.filePath(QStringLiteral("Monday, 5 October 2026 (Cedar Ward 7).rwk"));
        QStringList lines = QString::fromUtf8(test::ReadBytes(damaged)).split(QStringLiteral("\r\n"));
        lines[17] = QStringLiteral("seven");
        QVERIFY(test::WriteBytes(damaged, lines.join(QStringLiteral("\r\n")).toUtf8()));

        ScriptedUi ui;
        StatisticsWindow w(model, ui);
        w.fromEdit()->setDate(QDate(2026, 1, 1));
        w.FormSequencer();
        QCOMPARE(ui.count(QStringLiteral("warning")), 1);
        QVERIFY(ui.shown[0].text.contains(QStringLiteral("5 October 2026 (Cedar Ward 7).rwk\", line 18: "
                                                         "'seven' is not a valid floating point value")));
        QVERIFY(w.tables());
        QCOMPARE(w.tables()->Weeks, 8);
        QVERIFY(w.findChild<QPushButton*>()->isEnabled());

        // Weeks outside the range are not read past their date: nothing is left out.
        w.fromEdit()->setDate(QDate(2026, 10, 12));
        w.FormSequencer();
        QCOMPARE(ui.count(QStringLiteral("warning")), 1);
        QCOMPARE(w.tables()->Weeks, 8);
    }

    // A date typed whole is taken, in the short format, as dd/mm/yyyy or as yyyy-mm-dd.
    void theDateBoxesTakeATypedDate()
    {
        WardModel model;
        ScriptedUi ui;
        StatisticsWindow w(model, ui);
        w.show();
        for (const char* typed : {"03/11/2026", "2026-11-03", "3/11/2026"}) {
            QDateEdit* box = w.fromEdit();
            box->setDate(QDate(2020, 1, 1));
            QLineEdit* line = box->findChild<QLineEdit*>();
            line->selectAll();
            QTest::keyClicks(line, QString::fromLatin1(typed));
            QTest::keyClick(line, Qt::Key_Return);
            QCOMPARE(box->date(), QDate(2026, 11, 3));
        }
    }

    void theFileMenuOffersStatistics()
    {
        QTemporaryDir dir;
        WardModel model;
        demoWard(dir, model);
        ScriptedUi ui;
        MainWindow main(dir.path(), &ui);
        QAction* statistics = nullptr;
        for (QAction* a : main.menuBar()->actions().first()->menu()->actions())
            if (a->text() == QStringLiteral("Statistics"))
                statistics = a;
        QVERIFY(statistics);
        // The window opens modally; OK closes it.
        QString title;
        QTimer::singleShot(0, [&title] {
            QWidget* modal = QApplication::activeModalWidget();
            title = modal ? modal->windowTitle() : QString();
            for (QPushButton* b : modal ? modal->findChildren<QPushButton*>() : QList<QPushButton*>())
                if (b->text() == QStringLiteral("OK"))
                    b->click();
        });
        statistics->trigger();
        QCOMPARE(title, QStringLiteral("Tavrola Statistics"));
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "StatisticsWindow_test.moc"
