#include "app/MainWindow.h"
#include "app/QtUi.h"
#include "document/RecoveryRecord.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"
#include "util/FileAssociation.h"
#include "util/Locale.h"
#include "util/TraceLog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>

using namespace tavrola;

int main(int argc, char** argv)
{
    IgnoreFileSizeSignal();
    // Answered before any window system is reached, so it works without a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("tavrola %s\n", TAVROLA_VERSION);
            return 0;
        }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrola"));
    QApplication::setOrganizationName(QStringLiteral("Tavrola"));
    QApplication::setApplicationVersion(QStringLiteral(TAVROLA_VERSION));
    // The installed desktop entry and icon, for the window manager and the task bar.
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopEntryId));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tavrola")));
    UseDefaultLocale();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tavrola: the weekly duty roster of one ward"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Folder of Staff.txt and the week files."),
                                  QStringLiteral("DIR"));
    parser.addOption(dataOption);
    QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of the main window to FILE and quit."),
                                  QStringLiteral("FILE"));
    parser.addOption(shotOption);
    parser.addPositionalArgument(QStringLiteral("week"), QStringLiteral("A week file (.rwk) to open."));
    // Arguments as given: a week file name with a byte that is not valid UTF-8 still opens.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += PathFromBytes(QByteArray(argv[i]));
    parser.process(arguments);

    // A data folder that is not there is the first thing to say: everything else would
    // only be a consequence of it.
    const QString problem = DataFolderProblem(parser.value(dataOption));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "tavrola: %s\n", problem.toUtf8().constData());
        if (!parser.isSet(shotOption))
            QtUi(nullptr).showError(problem);
        return 1;
    }
    const QString dataFolder = ResolveDataFolder(parser.value(dataOption), QApplication::applicationDirPath());
    RemoveStaleSaveTempFiles(dataFolder);
    OpenTraceLog(TraceFolder());

    MainWindow window(dataFolder);
    window.setDemoWardFolder(InstalledDemoFolder(QApplication::applicationDirPath()));
    window.FormCreate(parser.positionalArguments());
    if (!parser.isSet(shotOption))
        window.enableRecovery(RecoveryFolder());
    if (parser.isSet(shotOption)) {
        // A picture of the window for machines without a display (and for the docs),
        // whole whatever the screen's size.
        window.resize(window.fullSize());
        window.show();
        QTimer::singleShot(300, &window, [&] {
            const bool saved = window.grab().save(parser.value(shotOption));
            QApplication::exit(saved ? 0 : 1);
        });
        return app.exec();
    }
    window.showMaximized();
    const int rc = app.exec();
    CloseTraceLog();
    return rc;
}
