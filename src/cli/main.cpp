#include "cli/Command.h"
#include "util/FileAccess.h"
#include "util/Locale.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

using namespace tavrola;

int main(int argc, char** argv)
{
    IgnoreFileSizeSignal();
    // Arguments as given: a file name with a byte that is not valid UTF-8 must still open.
    auto arguments = [&] {
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args += PathFromBytes(QByteArray(argv[i]));
        return args;
    };
    // Pictures need fonts, and fonts a GUI application: the offscreen one needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (cli::NeedsPictures(arguments())) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    UseDefaultLocale();
    cli::Console io(std::cout, std::cerr);
    // Read again: the application takes its own options out of argv.
    const QStringList args = arguments();
    if (args.value(0) == QLatin1String("--version")) {
        io.line(QStringLiteral("tavrola-cli %1").arg(QLatin1String(TAVROLA_VERSION)));
        return cli::Ok;
    }
    return cli::RunCommandLine(args, QCoreApplication::applicationDirPath(), io);
}
