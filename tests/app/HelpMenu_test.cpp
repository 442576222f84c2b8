#include "ScriptedUi.h"
#include "app/MainWindow.h"
#include "util/Locale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// A desktop with no program for PDF files.
class NoViewerUi : public ScriptedUi {
public:
    bool openDocument(const QString& path) override
    {
        openedDocuments += path;
        return false;
    }
};

class HelpMenuTest : public QObject {
    Q_OBJECT

private:
    // A data folder with the demo ward's Staff.txt and a help file.
    static QString wardWithHelp(QTemporaryDir& dir)
    {
        const QString folder = dir.path() + u'/';
        QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), folder + QStringLiteral("Staff.txt"));
        QFile help(folder + QStringLiteral("TVHelp.pdf"));
        help.open(QIODevice::WriteOnly);
        return folder;
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void theHelpFileOpensOrItsPlaceIsShown()
    {
        QTemporaryDir dir;
        const QString folder = wardWithHelp(dir);
        const QString help = folder + QStringLiteral("TVHelp.pdf");

        ScriptedUi ui;
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate());
        w.Contents1Click();
        QCOMPARE(ui.openedDocuments, QStringList{help});
        QVERIFY(ui.shown.empty());

        NoViewerUi bare;
        MainWindow v(folder, &bare);
        QVERIFY(v.FormCreate());
        v.Contents1Click();
        QCOMPARE(bare.openedDocuments, QStringList{help});
        QCOMPARE(bare.shown.size(), size_t(1));
        QCOMPARE(bare.shown[0].kind, QStringLiteral("warning"));
        QCOMPARE(bare.shown[0].text, QStringLiteral("No program to show PDF files was found on this computer.\n\n"
                                                    "The help file is ") +
                                         QDir::toNativeSeparators(help));
    }
};

QTEST_MAIN(HelpMenuTest)
#include "HelpMenu_test.moc"
