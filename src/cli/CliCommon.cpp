#include "cli/CliCommon.h"

#include "document/RequirementsStep.h"
#include "roster/StaffOnGrid.h"
#include "util/DataFolder.h"
#include "util/Locale.h"
#include "util/TextUtil.h"

namespace tavrola::cli {

CommonArgs ParseCommonArgs(const QStringList& args, const QString& programFolder)
{
    CommonArgs out;
    QString data;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--json")) {
            out.json = true;
        } else if (a == QLatin1String("--data")) {
            if (i + 1 >= args.size()) {
                out.error = QStringLiteral("--data needs a folder");
                return out;
            }
            data = args[++i];
        } else if (a.startsWith(QLatin1String("--data="))) {
            data = a.mid(7);
        } else if (a == QLatin1String("--")) {
            out.rest += args.mid(i + 1);
            break;
        } else {
            out.rest += a;
        }
    }
    out.dataFolder = ResolveDataFolder(data, programFolder);
    return out;
}

QDate TakeWeekOption(QStringList& rest, QString* error)
{
    QString text;
    bool given = false;
    for (int i = 0; i < rest.size();) {
        if (rest[i] == QLatin1String("--week")) {
            if (i + 1 >= rest.size()) {
                *error = QStringLiteral("--week needs a date");
                return {};
            }
            text = rest[i + 1];
            rest.remove(i, 2);
            given = true;
        } else if (rest[i].startsWith(QLatin1String("--week="))) {
            text = rest[i].mid(7);
            rest.remove(i);
            given = true;
        } else {
            ++i;
        }
    }
    if (!given) {
        *error = QStringLiteral("--week DATE is required");
        return {};
    }
    const QDate week = ParseDateText(text);
    if (!week.isValid())
        *error = QStringLiteral("'%1' is not a date (use yyyy-mm-dd or dd/mm/yyyy)").arg(text);
    return week;
}

bool ParseWeekCommandArgs(const QStringList& args, const QString& programFolder, const char* command,
                          CommonArgs* common, QDate* week)
{
    *common = ParseCommonArgs(args, programFolder);
    QString error = common->error;
    if (error.isEmpty())
        *week = TakeWeekOption(common->rest, &error);
    if (error.isEmpty() && !common->rest.isEmpty())
        error = QStringLiteral("%1 takes no argument '%2'").arg(QString::fromLatin1(command), common->rest.first());
    if (!error.isEmpty()) {
        PrintError(error);
        return false;
    }
    return true;
}

bool LoadWard(WardModel& model, const QString& dataFolder)
{
    model.Week.DataFolder = dataFolder;
    QString error;
    if (!Read_StaffTxtFile(model, &error)) {
        PrintError(error);
        return false;
    }
    if (!model.Week.RosterFileLoaded)
        SetupRequiredNurses(model);
    return true;
}

void PrintLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void PrintError(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fprintf(stderr, "tavrola-cli: %s\n", bytes.constData());
}

void JsonLine::key(const char* k)
{
    if (!body_.isEmpty())
        body_ += u',';
    body_ += quote(QString::fromUtf8(k));
    body_ += u':';
}

JsonLine& JsonLine::add(const char* k, const QString& value)
{
    key(k);
    body_ += quote(value);
    return *this;
}

JsonLine& JsonLine::add(const char* k, bool value)
{
    key(k);
    body_ += value ? QStringLiteral("true") : QStringLiteral("false");
    return *this;
}

JsonLine& JsonLine::add(const char* k, qint64 value)
{
    key(k);
    body_ += QString::number(value);
    return *this;
}

JsonLine& JsonLine::addFloat(const char* k, float value)
{
    key(k);
    body_ += FloatToShortest(value);
    return *this;
}

JsonLine& JsonLine::addRaw(const char* k, const QString& json)
{
    key(k);
    body_ += json;
    return *this;
}

JsonLine& JsonLine::addStrings(const char* k, const QStringList& values)
{
    key(k);
    body_ += u'[';
    for (int i = 0; i < values.size(); ++i) {
        if (i)
            body_ += u',';
        body_ += quote(values[i]);
    }
    body_ += u']';
    return *this;
}

QString JsonLine::quote(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

}  // namespace tavrola::cli
