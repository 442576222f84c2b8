// The command-line verbs run in-process on a copy of the demo ward: usage errors, bad
// input and the shape of the JSON lines. The golden and Python checks run the program.
#include "TestFiles.h"
#include "cli/Command.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrola::cli {
namespace {

const QString kStored = QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk");
const QString kDamaged = QStringLiteral("Monday, 23 November 2026 (Cedar Ward 7).rwk");

struct Outcome {
    int exit = -1;
    QString out, err;
    QStringList errLines() const { return err.split(u'\n', Qt::SkipEmptyParts); }
};

class CliCommands : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid() && QDir(temp_.path()).mkdir(QStringLiteral("ward")));
        const QDir demo(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo"));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(test::WriteBytes(ward(name), test::ReadBytes(demo.filePath(name))));
    }

    QString ward(const QString& name = QString()) const { return temp_.filePath(QStringLiteral("ward/") + name); }

    // Runs a command line (the command's name first) with --data naming the ward when
    // `withData`.
    Outcome run(QStringList args, bool withData = true) const
    {
        if (withData && !args.isEmpty())
            args << QStringLiteral("--data") << ward();
        std::ostringstream out, err;
        Console io(out, err);
        Outcome r;
        r.exit = RunCommandLine(args, temp_.path(), io);
        r.out = QString::fromStdString(out.str());
        r.err = QString::fromStdString(err.str());
        return r;
    }

    QTemporaryDir temp_;
};

TEST_F(CliCommands, UsageErrorsExitTwoNamingTheProblemThenTheUsageLine)
{
    struct Case {
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {{"settings", "--bogus"}, "settings: unknown option \"bogus\""},
        {{"eval"}, "eval: needs at least one text"},
        {{"week", "a.rwk", "b.rwk"}, "week: takes no argument \"b.rwk\""},
        {{"requirements"}, "requirements: --week DATE is required"},
        {{"history", "--week", "31/02/2026"}, "history: \"31/02/2026\" is not a date (use yyyy-mm-dd or dd/mm/yyyy)"},
        {{"week", "a.rwk", "--save", ""}, "week: --save needs a file"},
        {{"clinics", "--week", "2026-12-07", "--day", "0"}, "clinics: --day takes 1 (Monday) to 7 (Sunday), not \"0\""},
        {{"clinics", "--resave", "--day", "2"}, "clinics: --resave takes neither --week nor --day"},
        {{"stats", "--to", "2026-12-31"}, "stats: --from DATE is required"},
        {{"fill", "--week", "2026-11-30", "--max-candidates", "0"},
         "fill: --max-candidates \"0\" is not a positive whole number"},
        {{"print", "--layout", "portrait", "--pdf", "x.pdf"}, "print: give either --week DATE or --file WEEK.rwk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome r = run(c.args);
        EXPECT_EQ(r.exit, Usage);
        EXPECT_TRUE(r.out.isEmpty());
        ASSERT_EQ(r.errLines().size(), 2);
        EXPECT_EQ(r.errLines()[0], QStringLiteral("tavrola-cli: ") + QString::fromUtf8(c.message));
        EXPECT_EQ(r.errLines()[1], QStringLiteral("usage: tavrola-cli ") + FindCommand(c.args[0])->usage());
    }

    // The program's own usage: on standard error for no command or an unknown one, on
    // standard output for --help, naming every command.
    const Outcome none = run({}, false), unknown = run({QStringLiteral("roster")}), help = run({QStringLiteral("--help")}, false);
    EXPECT_EQ(none.exit, Usage);
    EXPECT_EQ(unknown.exit, Usage);
    EXPECT_EQ(help.exit, Ok);
    EXPECT_EQ(unknown.errLines().value(0), QStringLiteral("tavrola-cli: unknown command \"roster\""));
    EXPECT_TRUE(none.out.isEmpty() && help.err.isEmpty());
    EXPECT_EQ(none.err, help.out);
    for (const Command* c : Commands())
        EXPECT_TRUE(help.out.contains(QStringLiteral("\n  ") + QString::fromLatin1(c->name()) + u' ')) << c->name();
}

TEST_F(CliCommands, ADamagedWeekExitsOneWithOneLineNamingFileAndLine)
{
    QByteArray bytes = test::ReadBytes(ward(kDamaged));
    QList<QByteArray> lines = bytes.split('\n');
    lines[26] = "lots\r";
    ASSERT_TRUE(test::WriteBytes(ward(kDamaged), lines.join('\n')));

    const QStringList cases[] = {
        {"week", ward(kDamaged)},
        {"history", "--week", "2026-12-07"},
        {"stats", "--from", "2026-10-01", "--to", "2026-12-31"},
        {"print", "--week", "2026-11-23", "--layout", "portrait", "--pdf", temp_.filePath("x.pdf")},
        {"fill", "--week", "2026-11-23"},
        {"clinics", "--week", "2026-11-23"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Outcome r = run(args);
        EXPECT_EQ(r.exit, BadInput);
        ASSERT_EQ(r.errLines().size(), 1);
        EXPECT_TRUE(r.err.endsWith(u'\n'));
        EXPECT_TRUE(r.err.contains(kDamaged));
        EXPECT_TRUE(r.err.contains(QStringLiteral(", line 27: 'lots'")));
    }
    EXPECT_FALSE(QFileInfo::exists(temp_.filePath("x.pdf")));
}

TEST_F(CliCommands, RequirementsAsJsonLinesAddTheClinicExtrasToTheStandingNumbers)
{
    const Outcome r = run({"requirements", "--week", "2026-11-30", "--json"});
    ASSERT_EQ(r.exit, Ok) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 21);
    int extras = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QJsonObject o = QJsonDocument::fromJson(lines[i].toUtf8()).object();
        EXPECT_EQ(o.keys(), (QStringList{"clinic_extra", "day", "required", "shift", "standing"}));
        EXPECT_EQ(o["shift"].toString(), QStringList({"AM", "PM", "N"})[i % 3]);
        EXPECT_EQ(o["required"].toInt(), o["standing"].toInt() + o["clinic_extra"].toInt());
        extras += o["clinic_extra"].toInt();
    }
    EXPECT_GT(extras, 0);
}

}  // namespace
}  // namespace tavrola::cli
