// The command-line verbs run in-process on a copy of the demo ward: usage errors, bad
// input and the shape of the JSON lines. The golden and Python checks run the program.
#include "TestFiles.h"
#include "cli/Command.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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

// What the week loader refuses, history and stats leave out in the same words, naming
// the line: a NUL byte in a duty name, and UTF-16 that does not decode (a lone surrogate
// on line 7).
TEST_F(CliCommands, ADamagedWeekIsRefusedAlikeByWeekHistoryAndStats)
{
    const QByteArray good = test::ReadBytes(ward(kDamaged));
    QList<QByteArray> lines = good.split('\n');
    lines[4] = QByteArray("EAR\0LY\r", 7);
    const QStringList text = QString::fromUtf8(good).split(QStringLiteral("\r\n"));
    QStringEncoder utf16(QStringConverter::Utf16LE);
    const QByteArray wide = QByteArray("\xff\xfe") + utf16(text.mid(0, 6).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")) +
                            QByteArray("\x00\xd8", 2) + utf16(text.mid(6).join(QStringLiteral("\r\n")));
    const struct {
        QByteArray bytes;
        int line;
    } damages[] = {{lines.join('\n'), 5}, {wide, 7}};
    for (const auto& damage : damages) {
        ASSERT_TRUE(test::WriteBytes(ward(kDamaged), damage.bytes));
        const QString where = QStringLiteral("%1\", line %2: ").arg(kDamaged).arg(damage.line);
        const QStringList cases[] = {
            {"week", ward(kDamaged)},
            {"history", "--week", "2026-12-07"},
            {"stats", "--from", "2026-10-01", "--to", "2026-12-31"},
        };
        QString first;
        for (const QStringList& args : cases) {
            SCOPED_TRACE(args.join(u' ').toStdString());
            const Outcome r = run(args);
            EXPECT_EQ(r.exit, BadInput);
            ASSERT_EQ(r.errLines().size(), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(where)) << r.err.toStdString();
            first = first.isEmpty() ? r.err : first;
            EXPECT_EQ(r.err, first);
        }
    }
}

// A week open in another window is not saved over unless --force; the fill says so
// before it runs.
TEST_F(CliCommands, ALockedWeekIsSavedOverOnlyWithForce)
{
    const QString target = ward(kStored);
    QLockFile held(target + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    const QByteArray before = test::ReadBytes(target);
    const QStringList week{"week", ward(kDamaged), "--save", target};
    const QStringList fill{"fill", "--week", "2026-11-30", "--max-candidates", "2", "--no-improve", "--save", target};
    for (const QStringList& args : {week, fill}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Outcome refused = run(args);
        EXPECT_EQ(refused.exit, BadInput);
        EXPECT_TRUE(refused.out.isEmpty());
        ASSERT_EQ(refused.errLines().size(), 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("is open on")) && refused.err.contains(QStringLiteral("--force")))
            << refused.err.toStdString();
        EXPECT_EQ(test::ReadBytes(target), before);
    }
    const Outcome forced = run(week + QStringList{"--force"});
    EXPECT_EQ(forced.exit, Ok) << forced.err.toStdString();
    EXPECT_TRUE(test::ReadBytes(target).startsWith("23/11/2026"));
}

// Only a regular file is replaced; "-" is standard output for the table.
TEST_F(CliCommands, OutputsGoToRegularFilesOrStandardOutput)
{
    const QStringList stats{"stats", "--from", "2026-10-01", "--to", "2026-12-31"};
    const QString pipe = temp_.filePath("pipe.rwk"), loop = temp_.filePath("loop.csv"),
                  dangling = temp_.filePath("gone.csv"), folder = temp_.filePath("folder"),
                  readOnly = temp_.filePath("kept.csv");
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::symlink("loop.csv", loop.toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink("nowhere/x.csv", dangling.toLocal8Bit().constData()), 0);
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(test::WriteBytes(readOnly, "kept"));
    ASSERT_EQ(::chmod(readOnly.toLocal8Bit().constData(), 0444), 0);
    const struct {
        QStringList args;
        QString why;
    } cases[] = {
        {stats + QStringList{"--csv", pipe}, "is a named pipe"},
        {stats + QStringList{"--csv", loop}, "is a loop of symbolic links"},
        {stats + QStringList{"--csv", dangling}, "is a symbolic link to nothing"},
        {stats + QStringList{"--csv", folder}, "is a folder"},
        {stats + QStringList{"--csv", readOnly}, "is read-only"},
        {{"week", ward(kStored), "--save", pipe}, "is a named pipe"},
        {{"week", ward(kStored), "--save", loop}, "is a loop of symbolic links"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome r = run(c.args);
        EXPECT_EQ(r.exit, BadInput);
        ASSERT_EQ(r.errLines().size(), 1);
        EXPECT_TRUE(r.err.contains(c.args.last())) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.why)) << r.err.toStdString();
    }
    struct stat st;
    EXPECT_TRUE(::lstat(pipe.toLocal8Bit().constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::lstat(dangling.toLocal8Bit().constData(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_EQ(test::ReadBytes(readOnly), "kept");
    EXPECT_EQ(QDir(temp_.path()).entryList({"~tavrola-save-*"}, QDir::Files | QDir::Hidden), QStringList());

    const Outcome table = run(stats);
    const Outcome toFile = run(stats + QStringList{"--csv", temp_.filePath("t.csv")});
    const Outcome toOut = run(stats + QStringList{"--csv", "-"});
    EXPECT_EQ(toOut.exit, Ok);
    EXPECT_EQ(toOut.out.toUtf8(), table.out.toUtf8() + test::ReadBytes(temp_.filePath("t.csv")));
    EXPECT_EQ(toFile.out, table.out);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("-")));
}

// The fill stops at an unreadable Clinic.rtf, naming it, unless told to do without.
TEST_F(CliCommands, AnUnreadableClinicListStopsTheFillUnlessLeftOut)
{
    ASSERT_TRUE(QFile::remove(ward("Clinic.rtf")));
    ASSERT_EQ(::mkfifo(ward("Clinic.rtf").toLocal8Bit().constData(), 0600), 0);
    const QStringList fill{"fill", "--week", "2026-11-30", "--max-candidates", "2", "--no-improve"};
    const Outcome stopped = run(fill);
    EXPECT_EQ(stopped.exit, BadInput);
    ASSERT_EQ(stopped.errLines().size(), 1);
    EXPECT_TRUE(stopped.err.contains(QStringLiteral("Clinic.rtf")) && stopped.err.contains(QStringLiteral("named pipe")));
    EXPECT_TRUE(stopped.out.isEmpty());
    const Outcome without = run(fill + QStringList{"--no-clinics"});
    EXPECT_EQ(without.exit, Ok) << without.err.toStdString();
    EXPECT_TRUE(without.err.isEmpty()) << without.err.toStdString();
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
