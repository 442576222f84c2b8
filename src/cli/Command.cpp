#include "cli/Command.h"

#include "cli/CliCommon.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"
#include "util/Locale.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace tavrola::cli {

void Console::line(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    out_.write(bytes.constData(), bytes.size());
    out_ << '\n';
}

void Console::error(const QString& text)
{
    // A message ends at a NUL character, as C strings do.
    err_ << "tavrola-cli: " << text.toUtf8().constData() << '\n';
}

bool Command::needsPictures(const QStringList&) const
{
    return false;
}

int Command::usageError(Console& io, const QString& why) const
{
    io.error(QStringLiteral("%1: %2").arg(QString::fromLatin1(name()), why));
    io.err() << "usage: tavrola-cli " << usage().toUtf8().constData() << '\n';
    return Usage;
}

namespace {

QString Plain(const Option& o)
{
    QString text = QStringLiteral("--") + QString::fromLatin1(o.name);
    if (o.value)
        text += u' ' + QString::fromLatin1(o.value);
    return text;
}

}  // namespace

QString Command::usage() const
{
    QStringList forms;
    const std::vector<Option>& list = options();
    for (int form = 1; form <= 2; ++form) {
        QStringList parts{QString::fromLatin1(name())};
        for (size_t i = 0; i < list.size(); ++i) {
            const Option& o = list[i];
            if (!(o.forms & form))
                continue;
            if (o.kind == OptionKind::Texts) {
                parts += (o.maxTexts < 0 ? QStringLiteral("[--] ") : QString()) + QString::fromLatin1(o.value);
                continue;
            }
            switch (o.shown) {
            case Shown::Optional: parts += u'[' + Plain(o) + u']'; break;
            case Shown::Required:
            case Shown::InItsForm: parts += Plain(o); break;
            case Shown::OrNext:
                parts += u'(' + Plain(o) + QStringLiteral(" | ") + Plain(list[i + 1]) + u')';
                ++i;
                break;
            case Shown::InsideLast:
                parts.last().chop(1);
                parts.last() += QStringLiteral(" [") + Plain(o) + QStringLiteral("]]");
                break;
            }
        }
        if (parts.size() > 1)
            forms += parts.join(u' ');
    }
    return forms.join(QStringLiteral(" | "));
}

int Command::run(const QStringList& args, const QString& programFolder, Console& io) const
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Option* texts = nullptr;
    std::vector<std::pair<const Option*, QCommandLineOption>> declared;
    for (const Option& o : options()) {
        if (o.kind == OptionKind::Texts) {
            texts = &o;
            continue;
        }
        declared.emplace_back(&o, o.kind == OptionKind::Flag
                                      ? QCommandLineOption(QString::fromLatin1(o.name))
                                      : QCommandLineOption(QString::fromLatin1(o.name), QString(),
                                                           QString::fromLatin1(o.value)));
        parser.addOption(declared.back().second);
    }
    auto given = [&](OptionKind kind) -> std::pair<const Option*, const QCommandLineOption*> {
        for (const auto& [o, option] : declared)
            if (o->kind == kind)
                return {o, &option};
        return {nullptr, nullptr};
    };

    // The parser takes the first argument as the program's name.
    if (!parser.parse(QStringList{QString::fromLatin1(name())} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(io, QStringLiteral("unknown option %1").arg(Quoted(unknown.first())));
        return usageError(io, parser.errorText().replace(u'\n', u' '));
    }
    CommandArgs out;
    out.json = parser.isSet(QStringLiteral("json"));
    out.texts = parser.positionalArguments();
    const int minTexts = texts ? texts->minTexts : 0;
    const int maxTexts = texts ? texts->maxTexts : 0;
    if (out.texts.size() < minTexts)
        return usageError(io, minTexts == 1 && maxTexts != 1 ? QStringLiteral("needs at least one text")
                                                             : QStringLiteral("needs a file"));
    if (maxTexts >= 0 && out.texts.size() > maxTexts)
        return usageError(io, QStringLiteral("takes no argument %1").arg(Quoted(out.texts.value(maxTexts))));

    if (const auto [o, option] = given(OptionKind::Date); o && (parser.isSet(*option) || o->shown == Shown::Required)) {
        if (!parser.isSet(*option))
            return usageError(io, QStringLiteral("--%1 %2 is required").arg(QString::fromLatin1(o->name),
                                                                           QString::fromLatin1(o->value)));
        out.week = ParseDateText(parser.value(*option));
        if (!out.week.isValid())
            return usageError(io, QStringLiteral("%1 is not a date (use yyyy-mm-dd or dd/mm/yyyy)")
                                      .arg(Quoted(parser.value(*option))));
    }
    if (const auto [o, option] = given(OptionKind::SaveFile); o && parser.isSet(*option)) {
        out.saveTo = parser.value(*option);
        if (out.saveTo.isEmpty())
            return usageError(io, QStringLiteral("--%1 needs a file").arg(QString::fromLatin1(o->name)));
    }
    for (const auto& [o, option] : declared) {
        if (o->kind != OptionKind::Value || qstrcmp(o->name, kDataOption.name) == 0 || !parser.isSet(option))
            continue;
        const QString key = QString::fromLatin1(o->name);
        out.values[key] = parser.value(option);
        if (out.values[key].isEmpty())
            return usageError(io, QStringLiteral("--%1 needs a value").arg(key));
    }
    for (const auto& [o, option] : declared)
        if (o->kind == OptionKind::Flag && qstrcmp(o->name, kJsonOption.name) != 0 && parser.isSet(option))
            out.flags += QString::fromLatin1(o->name);

    // The data folder is checked before anything reads from it, and stale save
    // temporaries there are cleared.
    const QString folder = parser.value(QStringLiteral("data"));
    const QString problem = DataFolderProblem(folder);
    if (!problem.isEmpty()) {
        io.error(problem);
        return BadInput;
    }
    out.dataFolder = ResolveDataFolder(folder, programFolder);
    RemoveStaleSaveTempFiles(out.dataFolder);
    return execute(out, io);
}

const std::vector<const Command*>& Commands()
{
    static const std::vector<const Command*> all{&EvalCommand(),    &SettingsCommand(), &WeekCommand(),
                                                 &RequirementsCommand(), &HistoryCommand(), &ClinicsCommand(),
                                                 &StatsCommand(),   &PrintCommand(),    &FillCommand(),
                                                 &CheckCommand()};
    return all;
}

const Command* FindCommand(const QString& name)
{
    for (const Command* c : Commands())
        if (name == QLatin1String(c->name()))
            return c;
    return nullptr;
}

bool NeedsPictures(const QStringList& args)
{
    const Command* command = args.isEmpty() ? nullptr : FindCommand(args.first());
    return command && command->needsPictures(args.mid(1));
}

int RunCommandLine(QStringList args, const QString& programFolder, Console& io)
{
    QByteArray text = "usage: tavrola-cli COMMAND [--data DIR] [--json] ...\ncommands:\n";
    for (const Command* c : Commands())
        text += c->help();
    text += "DATE is the week-commencing date, yyyy-mm-dd or the short date form (dd/mm/yyyy).\n";
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? io.err() : io.out()) << text.constData();
        return args.isEmpty() ? Usage : Ok;
    }
    const QString name = args.takeFirst();
    if (const Command* command = FindCommand(name))
        return command->run(args, programFolder, io);
    io.error(QStringLiteral("unknown command %1").arg(Quoted(name)));
    io.err() << text.constData();
    return Usage;
}

}  // namespace tavrola::cli
