#include "cli/CliCommon.h"
#include "util/FileAccess.h"
#include "util/Locale.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

using namespace tavrola;

namespace {
const char* kUsage =
    "usage: tavrola-cli COMMAND [--data DIR] [--json] ...\n"
    "       tavrola-cli --version | --help\n"
    "commands:\n"
    "  eval TEXT...     hours, shift kinds and contract readings of duty texts\n"
    "  settings         the ward settings and the staff lines as laid on the grid\n"
    "  week FILE.rwk    a stored week as the program shows it after loading\n"
    "                   (--save OUT.rwk saves it again)\n"
    "  requirements --week DATE\n"
    "                   staff required on each shift of the week: standing plus clinic\n"
    "                   extras, one line per day and shift (Monday AM, PM, N, Tuesday AM,\n"
    "                   ...); --json gives {day, shift, standing, clinic_extra, required}\n"
    "  history --week DATE\n"
    "                   the stored weeks from the analysis start date to the week before:\n"
    "                   per name, in the order first met, the non-preferred shifts and\n"
    "                   the hours carried over; --json gives {name, non_pref, adj_hours}\n"
    "  clinics --week DATE [--day 1..7]\n"
    "                   each day's clinic pop-up: caption, week of the month, the clinic\n"
    "                   lines, and the day's 25 grid texts after a click on it (from the\n"
    "                   stored week, else the staff list); --json gives {day, date,\n"
    "                   week_number, caption, lines, column}\n"
    "  clinics --resave reads Clinic.rtf and saves it again as the clinic editor's OK does\n"
    "  stats --from DATE --to DATE [--csv OUT.csv] [--png OUT.png]\n"
    "                   the stored weeks of the range, per name: contracted hours, the\n"
    "                   month tables of hours, holiday, illness and non-preferred working,\n"
    "                   nights, weekend and bank-holiday shifts; --json gives one object per\n"
    "                   name and a last {event: done, weeks, left_out, shortages}\n"
    "  print (--week DATE | --file WEEK.rwk) --layout landscape|portrait --pdf OUT.pdf\n"
    "                   the week as printed, on one A4 page, as the window shows it after\n"
    "                   picking that date or loading that file; --png OUT.png [--dpi N]\n"
    "                   also draws the page as a picture (default 150 dpi)\n"
    "  fill --week DATE [--file WEEK.rwk] [--seed N] [--max-candidates K] [--every]\n"
    "       [--save OUT.rwk]\n"
    "                   the automatic fill of the week as the window runs it, to 100 points\n"
    "                   or K candidates (100000); --json gives {event: best|candidate|done}\n"
    "DATE is the week-commencing date, yyyy-mm-dd or the short date form (dd/mm/yyyy).\n";
}

int main(int argc, char** argv)
{
    // Pictures need fonts, and fonts a GUI application: the offscreen one needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (cli::NeedsPictures(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    UseDefaultLocale();
    // Arguments as given: a file name with a byte that is not valid UTF-8 must still open.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args += PathFromBytes(QByteArray(argv[i]));
    if (!args.isEmpty() && args[0] == QLatin1String("--version")) {
        std::printf("tavrola-cli %s\n", TAVROLA_VERSION);
        return cli::Ok;
    }
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? cli::Usage : cli::Ok;
    }
    const QString command = args.takeFirst();
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (command == QLatin1String("eval"))
        return cli::RunEval(args, programFolder);
    if (command == QLatin1String("settings"))
        return cli::RunSettings(args, programFolder);
    if (command == QLatin1String("week"))
        return cli::RunWeek(args, programFolder);
    if (command == QLatin1String("requirements"))
        return cli::RunRequirements(args, programFolder);
    if (command == QLatin1String("history"))
        return cli::RunHistory(args, programFolder);
    if (command == QLatin1String("clinics"))
        return cli::RunClinics(args, programFolder);
    if (command == QLatin1String("stats"))
        return cli::RunStats(args, programFolder);
    if (command == QLatin1String("print"))
        return cli::RunPrint(args, programFolder);
    if (command == QLatin1String("fill"))
        return cli::RunFill(args, programFolder);
    cli::PrintError(QStringLiteral("unknown command %1").arg(Quoted(command)));
    std::fputs(kUsage, stderr);
    return cli::Usage;
}
