#include "ScriptedUi.h"
#include "app/MainWindow.h"
#include "app/QtUi.h"
#include "app/PrintPreview.h"
#include "document/WeekPrintSheet.h"
#include "util/Locale.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// The Print menu on the demo ward, with a stored week loaded at start.
class PrintTest : public QObject {
    Q_OBJECT

private:
    static QString demo(const char* name) { return QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/") + QString::fromUtf8(name); }

    static QString wardCopy(QTemporaryDir& dir)
    {
        const QString folder = dir.path() + u'/';
        for (const char* name : {"Staff.txt", "Clinic.rtf", "Monday, 30 November 2026 (Cedar Ward 7).rwk"})
            QFile::copy(demo(name), folder + QString::fromUtf8(name));
        return folder;
    }

    static QString storedWeek(const QString& folder)
    {
        return folder + QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk");
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void printMenuAndTheDialog()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        const QString folder = wardCopy(dir);
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate({storedWeek(folder)}));
        w.NonPrefTimerTimer();
        QVERIFY(w.model().Week.RosterFileLoaded);

        QMenu* menu = nullptr;
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == QStringLiteral("&Print"))
                menu = a->menu();
        QVERIFY(menu);
        QStringList items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                items += a->text();
        QCOMPARE(items, (QStringList{"Print Landscape", "Print Portrait", "Print Preview…", "Export PDF…"}));

        // Cancelling the dialog prints nothing; choosing a printer prints the grid.
        menu->actions().at(0)->trigger();
        QCOMPARE(ui.printDialogs.size(), size_t(1));
        QCOMPARE(ui.documentsBegun, 0);
        ui.printerPage = std::make_unique<RecordingCanvas>(4900, 7000, 144);
        menu->actions().at(1)->trigger();
        QCOMPARE(ui.printDialogs.back(), PageOrientation::Portrait);
        QVERIFY(ui.printed);
        QVERIFY(!ui.printed->calls.filter(QStringLiteral("Margaret Okafor")).isEmpty());
        QVERIFY(ui.shown.empty());

        // The command line prints what the window shows.
        QCOMPARE(w.printSheet(), PrintSheetFor(w.model(), w.labels()));
        QCOMPARE(w.printSheet().Hospital, QStringLiteral("Northfield General Hospital"));
    }

    void exportPdfWritesOnePage()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        const QString folder = wardCopy(dir);
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate({storedWeek(folder)}));
        w.NonPrefTimerTimer();
        const QString pdf = folder + QStringLiteral("week.pdf");
        ui.choices = {1};
        ui.fileChoices = {pdf};
        w.ExportPdfClick();
        QVERIFY(ui.count("error") == 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.contains("/Count 1"));
        QVERIFY(bytes.contains("/MediaBox [0 0 595"));  // A4 portrait
        // No file without a layout or a name.
        QFile::remove(pdf);
        ui.choices = {0};
        w.ExportPdfClick();
        w.ExportPdfClick();
        QVERIFY(!QFile::exists(pdf));
    }

    // The layout question of Export PDF: each button gives its own choice, Cancel none.
    void theLayoutQuestionAnswersByButton()
    {
        QWidget parent;
        QtUi ui(&parent);
        const QString shots = qEnvironmentVariable("TAVROLA_SCREENSHOT_DIR");
        for (const auto& [button, expected] : {std::pair{"Portrait", 1}, std::pair{"Landscape", 0},
                                               std::pair{"Cancel", -1}}) {
            QTimer::singleShot(0, [&, button = QString::fromLatin1(button)] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                if (!shots.isEmpty())
                    box->grab().save(QDir(shots).filePath(QStringLiteral("export-pdf-question.png")));
                for (QAbstractButton* b : box->buttons())
                    if (b->text().remove(u'&') == button)
                        b->click();
            });
            QCOMPARE(ui.chooseAmong(QStringLiteral("Export the week as a PDF page in which layout?"),
                                    {QStringLiteral("Landscape"), QStringLiteral("Portrait")}),
                     expected);
        }
    }

    void previewDrawsBothLayouts()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        const QString folder = wardCopy(dir);
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate({storedWeek(folder)}));
        w.NonPrefTimerTimer();
        PrintPreview preview(w.printSheet());
        QPrintPreviewDialog& dialog = preview.dialog();
        dialog.resize(1100, 800);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(preview.pagesDrawn() > 0);
        const QString shots = qEnvironmentVariable("TAVROLA_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            dialog.grab().save(QDir(shots).filePath(QStringLiteral("print-preview-landscape.png")));
        const int before = preview.pagesDrawn();
        // The dialog's portrait button: its toolbar action named so.
        for (QAction* a : dialog.findChildren<QAction*>())
            if (a->text().contains(QStringLiteral("Portrait")))
                a->trigger();
        QTRY_VERIFY(preview.pagesDrawn() > before);
        if (!shots.isEmpty())
            dialog.grab().save(QDir(shots).filePath(QStringLiteral("print-preview-portrait.png")));
    }
};

QTEST_MAIN(PrintTest)
#include "Print_test.moc"
