#include "cli/CliCommon.h"

#include "Ui.h"
#include "print/PrintPdf.h"
#include "document/WeekPrintSheet.h"
#include "util/FileAccess.h"
#include "weeks/WeekSelection.h"
#include "weeks/WeekView.h"

#include <QBuffer>

namespace tavrola::cli {

namespace {

constexpr int kDefaultImageDpi = 150;


class PrintVerb final : public Command {
public:
    const char* name() const override { return "print"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::OrNext},
                                              {"file", "WEEK.rwk", OptionKind::Value, Shown::OrNext},
                                              {"layout", "landscape|portrait", OptionKind::Value, Shown::Required},
                                              {"pdf", "OUT.pdf", OptionKind::Value, Shown::Required},
                                              {"png", "OUT.png"},
                                              {"dpi", "N", OptionKind::Value, Shown::InsideLast},
                                              kNoClinicsOption,
                                              kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  print (--week DATE | --file WEEK.rwk) --layout landscape|portrait --pdf OUT.pdf\n"
               "                   the week as printed, on one A4 page, as the window shows it after\n"
               "                   picking that date or loading that file; --png OUT.png [--dpi N]\n"
               "                   also draws the page as a picture (default 150 dpi); --no-clinics\n"
               "                   leaves the clinic extras out (else an unreadable Clinic.rtf stops it)\n";
    }
    bool needsPictures(const QStringList& args) const override;

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

bool PrintVerb::needsPictures(const QStringList&) const
{
    return true;
}

int PrintVerb::execute(const CommandArgs& common, Console& io) const
{
    const QHash<QString, QString>& v = common.values;
    auto usage = [&](const QString& why) { return usageError(io, why); };
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

    // The week as the window shows it after picking that date, or after loading that file;
    // messages of a week that did show (an unreadable clinic schedule, a stored week left
    // out of the history) are passed on.
    OpenWard ward;
    if (!ClinicsReadOrLeftOut(ward, common, io))
        return BadInput;
    ward.ui.yesNo = Answer::Yes;
    ward.ui.yesNoCancel = Answer::No;
    const WeekRequest request{common.week.isValid() ? WeekPick::UserPick : WeekPick::File,
                              v.value(QStringLiteral("file")), common.week,
                              WeekCommencingMonday(QDate::currentDate())};
    if (!OpenWardAndWeek(ward, common.dataFolder, request, io))
        return BadInput;
    const WardModel& model = ward.model;
    const WeekView& labels = ward.labels;

    const PrintSheet sheet = PrintSheetFor(model, labels);
    QString error;
    QByteArray pdf;
    const QString pdfPath = AbsolutePath(v.value(QStringLiteral("pdf")));
    if (!RenderPrintPdf(sheet, layout, &pdf, &error) || !WriteFileAtomically(pdfPath, pdf, &error)) {
        io.error(OneLine(error));
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
            io.error(OneLine(error.isEmpty() ? QStringLiteral("the page picture could not be made") : error));
            return BadInput;
        }
    }
    const QString week = sheet.WeekDate.toString(Qt::ISODate);
    if (common.json) {
        JsonLine line;
        line.add("week", week).add("layout", layoutName).add("pdf", pdfPath);
        if (png)
            line.add("png", pngPath).add("dpi", qint64(dpi));
        io.line(line.text());
    } else {
        io.line(QStringLiteral("%1 page of the week commencing %2: %3%4")
                    .arg(layoutName, week, pdfPath, png ? QStringLiteral(", ") + pngPath : QString()));
    }
    return Ok;
}

const Command& PrintCommand()
{
    static const PrintVerb command;
    return command;
}

}  // namespace tavrola::cli
