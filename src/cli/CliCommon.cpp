#include "cli/CliCommon.h"

#include "document/RequirementsStep.h"
#include "document/StaffOnGrid.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextUtil.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstring>
#include <vector>

namespace tavrola::cli {

int ParseCommand(const QStringList& args, const QString& programFolder, const CommandSyntax& syntax,
                 CommandArgs* out)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption week(QStringLiteral("week"), QString(), QStringLiteral("DATE"));
    const QCommandLineOption save(QStringLiteral("save"), QString(), QStringLiteral("FILE"));
    parser.addOption(data);
    parser.addOption(json);
    if (syntax.week)
        parser.addOption(week);
    if (syntax.save)
        parser.addOption(save);
    std::vector<QCommandLineOption> values;
    for (const char* option : syntax.valueOptions) {
        values.emplace_back(QString::fromLatin1(option), QString(), QStringLiteral("VALUE"));
        parser.addOption(values.back());
    }
    std::vector<QCommandLineOption> flags;
    for (const char* option : syntax.flagOptions) {
        flags.emplace_back(QString::fromLatin1(option));
        parser.addOption(flags.back());
    }
    const QString name = QString::fromLatin1(syntax.name);
    auto usage = [&](const QString& why) {
        PrintError(QStringLiteral("%1: %2").arg(name, why));
        std::fprintf(stderr, "usage: tavrola-cli %s\n", syntax.usage);
        return int(Usage);
    };
    // The parser takes the first argument as the program's name.
    if (!parser.parse(QStringList{name} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usage(QStringLiteral("unknown option %1").arg(Quoted(unknown.first())));
        return usage(parser.errorText().replace(u'\n', u' '));
    }
    out->json = parser.isSet(json);
    out->texts = parser.positionalArguments();
    if (out->texts.size() < syntax.minTexts)
        return usage(syntax.minTexts == 1 && syntax.maxTexts != 1 ? QStringLiteral("needs at least one text")
                                                              : QStringLiteral("needs a file"));
    if (syntax.maxTexts >= 0 && out->texts.size() > syntax.maxTexts)
        return usage(QStringLiteral("takes no argument %1").arg(Quoted(out->texts.value(syntax.maxTexts))));
    if (syntax.week && (parser.isSet(week) || !syntax.weekOptional)) {
        if (!parser.isSet(week))
            return usage(QStringLiteral("--week DATE is required"));
        out->week = ParseDateText(parser.value(week));
        if (!out->week.isValid())
            return usage(QStringLiteral("%1 is not a date (use yyyy-mm-dd or dd/mm/yyyy)").arg(Quoted(parser.value(week))));
    }
    if (syntax.save && parser.isSet(save)) {
        out->saveTo = parser.value(save);
        if (out->saveTo.isEmpty())
            return usage(QStringLiteral("--save needs a file"));
    }

    for (const QCommandLineOption& option : values) {
        if (!parser.isSet(option))
            continue;
        const QString key = option.names().constFirst();
        out->values[key] = parser.value(option);
        if (out->values[key].isEmpty())
            return usage(QStringLiteral("--%1 needs a value").arg(key));
    }

    for (const QCommandLineOption& option : flags)
        if (parser.isSet(option))
            out->flags += option.names().constFirst();

    const QString folder = parser.value(data);
    const QString problem = DataFolderProblem(folder);
    if (!problem.isEmpty()) {
        PrintError(problem);
        return BadInput;
    }
    out->dataFolder = ResolveDataFolder(folder, programFolder);
    RemoveStaleSaveTempFiles(out->dataFolder);
    return -1;
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

QString AbsolutePath(const QString& path)
{
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return QDir::cleanPath(QDir::currentPath() + u'/' + path);
}

QString OneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
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
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        // A lone surrogate (a kept byte of a file name) as an escape, which JSON readers
        // take back as it was; UTF-8 output has no form for it.
        const bool paired = c.isHighSurrogate() ? i + 1 < s.size() && s[i + 1].isLowSurrogate()
                                                : c.isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate();
        if (c.isSurrogate() && !paired) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            continue;
        }
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

bool NeedsPictures(int argc, char** argv)
{
    if (argc < 2)
        return false;
    if (std::strcmp(argv[1], "print") == 0)
        return true;
    if (std::strcmp(argv[1], "stats") != 0)
        return false;
    for (int i = 2; i < argc; ++i)
        if (std::strncmp(argv[i], "--png", 5) == 0 || std::strncmp(argv[i], "-png", 4) == 0)
            return true;
    return false;
}

}  // namespace tavrola::cli
