#include "cli/CliCommon.h"

#include "Ui.h"
#include "document/WeekChain.h"
#include "print/PrintPdf.h"
#include "document/WeekPrintSheet.h"
#include "document/Totals.h"
#include "util/FileAccess.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekSelection.h"
#include "weeks/WeekView.h"

#include <QBuffer>
#include <QFileInfo>

namespace tavrola::cli {

namespace {

constexpr int kDefaultImageDpi = 150;

}  // namespace

int RunPrint(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{
        "print",
        "print (--week DATE | --file WEEK.rwk) --layout landscape|portrait --pdf OUT.pdf "
        "[--png OUT.png [--dpi N]] [--data DIR] [--json]",
        true, false, 0, 0, {"file", "layout", "pdf", "png", "dpi"}, true};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    const QHash<QString, QString>& v = common.values;
    auto usage = [](const QString& why) {
        PrintError(QStringLiteral("print: ") + why);
        std::fprintf(stderr, "usage: tavrola-cli %s\n", syntax.usage);
        return int(Usage);
    };
    if (common.week.isValid() == v.contains(QStringLiteral("file")))
        return usage(QStringLiteral("give either --week DATE or --file WEEK.rwk"));
    const QString layoutName = v.value(QStringLiteral("layout"));
    if (layoutName != QLatin1String("landscape") && layoutName != QLatin1String("portrait"))
        return usage(QStringLiteral("--layout must be landscape or portrait"));
    const PageOrientation layout =
        layoutName == QLatin1String("landscape") ? PageOrientation::Landscape : PageOrientation::Portrait;
    if (v.value(QStringLiteral("pdf")).isEmpty())
        return usage(QStringLiteral("--pdf OUT.pdf is required"));
    const bool png = v.contains(QStringLiteral("png"));
    if (png && v.value(QStringLiteral("png")).isEmpty())
        return usage(QStringLiteral("--png needs a file"));
    int dpi = kDefaultImageDpi;
    if (v.contains(QStringLiteral("dpi"))) {
        bool ok = false;
        dpi = v.value(QStringLiteral("dpi")).toInt(&ok);
        if (!png)
            return usage(QStringLiteral("--dpi goes with --png"));
        if (!ok || dpi < kMinImageDpi || dpi > kMaxImageDpi)
            return usage(QStringLiteral("--dpi must be a whole number from %1 to %2").arg(kMinImageDpi).arg(kMaxImageDpi));
    }

    // The week as the window shows it after picking that date, or after loading that file.
    WardModel model;
    WeekView labels;
    // The user of the window who picks a week: a stored week is loaded; there is nothing
    // unsaved to keep.
    BatchUi ui;
    ui.yesNo = Answer::Yes;
    ui.yesNoCancel = Answer::No;
    model.Week.StartupPickerDate = model.Week.PickerDate = WeekCommencingMonday(QDate::currentDate());
    ConnectTotals(model);
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    if (common.week.isValid()) {
        model.Week.PickerDate = WeekCommencingMonday(common.week);
        const QString stored = WeekFileName(model);
        DateTimePickerCloseUp(model, labels, ui, true);
        // A stored week that does not load would print as an empty roster.
        if (QFileInfo(stored).isFile() && !model.Week.RosterFileLoaded) {
            PrintError(OneLine(ui.errors.value(0, QStringLiteral("%1 did not load").arg(Quoted(stored)))));
            return BadInput;
        }
    } else if (!AutoLoadRWKfile(model, labels, ui, AbsolutePath(v.value(QStringLiteral("file"))))) {
        PrintError(OneLine(ui.errors.value(0)));
        return BadInput;
    }
    // Messages of a week that did show (an unreadable clinic schedule, a stored week that
    // did not load) are passed on.
    for (const QString& message : std::as_const(ui.errors))
        PrintError(OneLine(message));

    const PrintSheet sheet = PrintSheetFor(model, labels);
    QString error;
    QByteArray pdf;
    const QString pdfPath = AbsolutePath(v.value(QStringLiteral("pdf")));
    if (!RenderPrintPdf(sheet, layout, &pdf, &error) || !WriteFileAtomically(pdfPath, pdf, &error)) {
        PrintError(OneLine(error));
        return BadInput;
    }
    QString pngPath;
    if (png) {
        pngPath = AbsolutePath(v.value(QStringLiteral("png")));
        QImage picture;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderPrintImage(sheet, layout, dpi, &picture, &error) || !picture.save(&buffer, "PNG")
            || !WriteFileAtomically(pngPath, bytes, &error)) {
            PrintError(OneLine(error.isEmpty() ? QStringLiteral("the page picture could not be made") : error));
            return BadInput;
        }
    }
    const QString week = sheet.WeekDate.toString(Qt::ISODate);
    if (common.json) {
        JsonLine line;
        line.add("week", week).add("layout", layoutName).add("pdf", pdfPath);
        if (png)
            line.add("png", pngPath).add("dpi", qint64(dpi));
        PrintLine(line.text());
    } else {
        PrintLine(QStringLiteral("%1 page of the week commencing %2: %3%4")
                      .arg(layoutName, week, pdfPath, png ? QStringLiteral(", ") + pngPath : QString()));
    }
    return Ok;
}

}  // namespace tavrola::cli
