// Files as a careless user, a sync tool or a damaged disk leaves them: special files in
// the place of ours, other encodings, odd names, interrupted saves.
#include "TestFiles.h"
#include "clinics/ClinicFile.h"
#include "clinics/RtfReader.h"
#include "settings/DutyText.h"
#include "settings/StaffFile.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"
#include "weeks/WeekFileReader.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrola;
using test::ReadBytes;
using test::WriteBytes;

namespace {

class HostileDir : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString path(const QString& name) const { return tmp.path() + u'/' + name; }
};

// Every reader, by what it returns: ok and the message.
struct Reader {
    const char* name;
    std::function<std::pair<bool, QString>(const QString& path)> read;
};

const Reader kReaders[] = {
    {"text file", [](const QString& p) { auto r = ReadTextFile(p); return std::pair(r.ok, r.error); }},
    {"Staff.txt", [](const QString& p) { auto r = ReadStaffFile(p, {}); return std::pair(r.ok, r.error); }},
    {"week file", [](const QString& p) { QString e; WeekFileData d; bool ok = ReadWeekFile(p, &d, &e); return std::pair(ok, e); }},
    {"week head", [](const QString& p) { auto r = ReadWeekFileHead(p); return std::pair(r.read, r.error); }},
    {"Clinic.rtf", [](const QString& p) { auto r = ReadRtfFile(p); return std::pair(r.ok, r.error); }},
};

}  // namespace

TEST_F(HostileDir, EveryReaderRefusesWhatIsNotARegularFileWithoutOpeningIt)
{
    ASSERT_EQ(::mkfifo(PathToBytes(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("folder")));
    ASSERT_EQ(::symlink("loop", PathToBytes(path("loop")).constData()), 0);
    ASSERT_EQ(::symlink("nothing", PathToBytes(path("dangling")).constData()), 0);
    const struct {
        QString path;
        const char* says;
    } cases[] = {
        {path("pipe"), "is a named pipe"},   // an open() would wait here for a writer
        {path("folder"), "is a folder"},
        {QStringLiteral("/dev/null"), "is a device"},
        {path("loop"), "a loop of symbolic links"},
        {path("dangling"), "a symbolic link to nothing"},
        {path("missing"), "File not found"},
    };
    for (const Reader& reader : kReaders) {
        for (const auto& c : cases) {
            const auto [ok, error] = reader.read(c.path);
            EXPECT_FALSE(ok) << reader.name << " " << c.says;
            EXPECT_TRUE(error.contains(Quoted(c.path)) && error.contains(QLatin1String(c.says)))
                << reader.name << ": " << error.toStdString();
        }
    }
    // Clinic.rtf may be missing without a word, but a pipe in its place is reported.
    ASSERT_EQ(::mkfifo(PathToBytes(path(kClinicFileName)).constData(), 0600), 0);
    QString error;
    EXPECT_TRUE(ReadClinicLines(tmp.path() + u'/', &error).isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("named pipe"))) << error.toStdString();
    // The week listing passes special files by.
    ASSERT_EQ(::mkfifo(PathToBytes(path("x.rwk")).constData(), 0600), 0);
    EXPECT_TRUE(ListWeekFiles(tmp.path()).isEmpty());
}

TEST(HostileNumbers, RealsAreWrittenWithoutExponentAndReadBackExactly)
{
    // The value column is 40 characters wide: the largest floats fit whole ("-3402...0"),
    // and 1e-38 is the smallest power of ten whose form fits ("0.000...01").
    const float values[] = {1e-5f, 0.0005f, 7.3f, 100000.0f, 1e7f, -0.0005f, 1e-38f,
                            std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()};
    QTemporaryDir tmp;
    const QString file = tmp.path() + QStringLiteral("/Staff.txt");
    for (const float v : values) {
        const QString text = FloatToShortest(v);
        EXPECT_FALSE(text.contains(u'e')) << text.toStdString();
        EXPECT_EQ(ParseRealSetting(text), v) << text.toStdString();
        if (v >= 0) {  // the hours-set box reads it back as the totals do
            EXPECT_EQ(HoursSetValue(text, false), v) << text.toStdString();
        }

        WardSettings s;
        s.HoursWorkedOnAM = s.MidShiftBreak = s.HoursHolidayHalfDay = v;
        WardSettings live;
        QString error;
        ASSERT_TRUE(UpdateStaffFile(file, EditorDataFromSettings(s, {}), live, &error)) << error.toStdString();
        const StaffFileReadResult r = ReadStaffFile(file, {});
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.settings.HoursWorkedOnAM, v);
        EXPECT_EQ(r.settings.MidShiftBreak, v);
        EXPECT_EQ(r.settings.HoursHolidayHalfDay, v);
    }
    EXPECT_EQ(FloatToShortest(0.0005f), QStringLiteral("0.0005"));
    EXPECT_EQ(FloatToShortest(100000.0f), QStringLiteral("100000"));
}

TEST_F(HostileDir, TextSavedAsUtf16OrUtf32ReadsAsItsOwnEncoding)
{
    const QString text = QStringLiteral("HOSPITAL = Zoë ;\r\nAnn Lee, , B6, 37.5\r\n");
    auto encode = [&](QStringConverter::Encoding e) {
        QStringEncoder encoder(e, QStringConverter::Flag::WriteBom);
        return QByteArray(encoder(text));
    };
    const QByteArray utf8 = text.toUtf8();
    for (const auto e : {QStringConverter::Utf16LE, QStringConverter::Utf16BE, QStringConverter::Utf32LE}) {
        ASSERT_TRUE(WriteBytes(path("Staff.txt"), encode(e)));
        const StaffFileReadResult r = ReadStaffFile(path("Staff.txt"), {});
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.settings.HOSPITAL, QStringLiteral("Zoë"));
        ASSERT_EQ(r.lines.size(), 1u);
        EXPECT_EQ(r.lines[0].hoursSet, QStringLiteral("37.5"));
    }
    // A clinic list saved from a plain editor as UTF-16: the same lines as in UTF-8 (no
    // stray 0 from the high bytes).
    ASSERT_TRUE(WriteBytes(path("c.rtf"), utf8));
    const QStringList expected = ReadRtfFile(path("c.rtf")).lines;
    ASSERT_TRUE(WriteBytes(path("c.rtf"), encode(QStringConverter::Utf16LE)));
    EXPECT_EQ(ReadRtfFile(path("c.rtf")).lines, expected);
    // Rich text too.
    const QString rich = QStringLiteral("{\\rtf1\\ansi Tuesday AM 2\\par}");
    ASSERT_TRUE(WriteBytes(path("r.rtf"), QByteArray("\xff\xfe", 2) + QByteArray(reinterpret_cast<const char*>(rich.utf16()), rich.size() * 2)));
    EXPECT_EQ(ReadRtfFile(path("r.rtf")).lines, QStringList{QStringLiteral("Tuesday AM 2")});

    // A UTF-16 mark on bytes that are not UTF-16 (a lone surrogate) is refused, saying so.
    ASSERT_TRUE(WriteBytes(path("odd.txt"), QByteArray("\xff\xfe\x00\xd8\x41\x00", 6)));
    const TextFileRead bad = ReadTextFile(path("odd.txt"));
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.error.contains(QLatin1String("UTF-16"))) << bad.error.toStdString();
    EXPECT_EQ(bad.errorLine, 1);
    // UTF-32 past U+10FFFF on the second line (CR LF ends the first) names that line.
    ASSERT_TRUE(WriteBytes(path("odd.txt"), QByteArray("\xff\xfe\0\0A\0\0\0\r\0\0\0\n\0\0\0\0\0\x11\0", 20)));
    const TextFileRead past = ReadTextFile(path("odd.txt"));
    EXPECT_EQ(past.errorLine, 2);
    EXPECT_TRUE(past.error.contains(QLatin1String("line 2: not valid UTF-32"))) << past.error.toStdString();
}

TEST_F(HostileDir, OddNamesOpenAndAreQuotedOnOneLine)
{
    // A byte that is not UTF-8 survives the trip through a QString and opens.
    const QByteArray rawName = QFile::encodeName(tmp.path()) + "/Week \xff.rwk";
    const QString name = PathFromBytes(rawName);
    EXPECT_EQ(PathToBytes(name), rawName);
    ASSERT_TRUE(WriteBytes(path("ok.rwk"), "x"));
    ASSERT_EQ(::rename(PathToBytes(path("ok.rwk")).constData(), rawName.constData()), 0);
    const TextFileRead r = ReadTextFile(name);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(ListWeekFiles(tmp.path()), QStringList{name});
    EXPECT_TRUE(Quoted(name).endsWith(QStringLiteral("/Week \\xFF.rwk\"")));
    EXPECT_EQ(Quoted(PathFromBytes("a\xed\xa0\x80")), QStringLiteral("\"a\\xED\\xA0\\x80\""));
    EXPECT_EQ(Quoted(QStringLiteral("😀")), QStringLiteral("\"😀\""));  // a real pair stays

    // A line break in a name is shown escaped, so the message stays on one line.
    EXPECT_EQ(Quoted(QStringLiteral("a\nb\r\tc\x01")), QStringLiteral("\"a\\nb\\r\\tc\\x01\""));
    const TextFileRead missing = ReadTextFile(path("two\nlines.rwk"));
    EXPECT_FALSE(missing.error.contains(u'\n'));
    EXPECT_TRUE(missing.error.contains(QLatin1String("two\\nlines.rwk"))) << missing.error.toStdString();

    // A very long argument is shortened in the middle, keeping both ends.
    const QString longText = QString(100000, u'x') + QStringLiteral("END");
    const QString quoted = Quoted(longText);
    EXPECT_LT(quoted.size(), 300);
    EXPECT_TRUE(quoted.startsWith(QStringLiteral("\"xxx")) && quoted.endsWith(QStringLiteral("END\"")));
    EXPECT_TRUE(quoted.contains(QLatin1String("100003 characters")));
}

TEST_F(HostileDir, SavesLeaveNothingBehindAndStaleTemporariesGo)
{
    QString error;
    ASSERT_TRUE(WriteFileAtomically(path("a.rwk"), "new", &error)) << error.toStdString();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.rwk")});
    // A symbolic link stays a link to the file it names.
    ASSERT_EQ(::symlink("a.rwk", PathToBytes(path("link.rwk")).constData()), 0);
    ASSERT_TRUE(WriteFileAtomically(path("link.rwk"), "newer", &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(path("link.rwk")).symLinkTarget(), path("a.rwk"));
    EXPECT_EQ(ReadBytes(path("a.rwk")), "newer");
    // A folder is not replaced.
    ASSERT_TRUE(QDir(tmp.path()).mkdir(QStringLiteral("dir")));
    EXPECT_FALSE(WriteFileAtomically(path("dir"), "x", &error));
    EXPECT_TRUE(error.contains(QLatin1String("is a folder"))) << error.toStdString();

    // What a save killed half-way leaves: only the old ones of the pattern go.
    const QStringList leftovers = {QStringLiteral("~tavrola-save-abc123.tmp"), QStringLiteral("~tavrola-save-new123.tmp"),
                                   QStringLiteral("~tavrola-save-x.tmp"), QStringLiteral("notes.tmp")};
    for (const QString& name : leftovers)
        ASSERT_TRUE(WriteBytes(path(name), "partial"));
    QFile old(path(leftovers[0]));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    old.close();
    EXPECT_EQ(RemoveStaleSaveTempFiles(tmp.path()), 1);
    EXPECT_FALSE(QFile::exists(path(leftovers[0])));
    for (int i = 1; i < leftovers.size(); ++i)
        EXPECT_TRUE(QFile::exists(path(leftovers[i]))) << leftovers[i].toStdString();
}

// A save replaces a regular file only: whatever else stands at the name stays as it was,
// named in the message, and no temporary is left beside it.
TEST_F(HostileDir, SavesReplaceOnlyRegularFilesThatMayBeWritten)
{
    const QByteArray dir = PathToBytes(tmp.path());
    const struct {
        const char* name;
        std::function<bool(const QByteArray&)> make;
        const char* why;
    } cases[] = {
        {"pipe.rwk", [](const QByteArray& p) { return ::mkfifo(p.constData(), 0600) == 0; }, "it is a named pipe"},
        {"loop.rwk", [](const QByteArray& p) { return ::symlink("loop.rwk", p.constData()) == 0; },
         "it is a loop of symbolic links"},
        {"gone.rwk", [](const QByteArray& p) { return ::symlink("no/such.rwk", p.constData()) == 0; },
         "it is a symbolic link to nothing"},
        {"dir.rwk", [](const QByteArray& p) { return ::mkdir(p.constData(), 0700) == 0; }, "it is a folder"},
        {"kept.rwk",
         [](const QByteArray& p) { return WriteBytes(PathFromBytes(p), "kept") && ::chmod(p.constData(), 0444) == 0; },
         "it is read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray name = dir + '/' + c.name;
        ASSERT_TRUE(c.make(name));
        struct stat before, after;
        ASSERT_EQ(::lstat(name.constData(), &before), 0);
        QString error;
        EXPECT_FALSE(WriteFileAtomically(PathFromBytes(name), "new", &error));
        EXPECT_EQ(error, QStringLiteral("Cannot save %1: %2").arg(Quoted(PathFromBytes(name)), QLatin1String(c.why)));
        ASSERT_EQ(::lstat(name.constData(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
    EXPECT_EQ(ReadBytes(path("kept.rwk")), "kept");
    EXPECT_EQ(QDir(tmp.path()).entryList({QStringLiteral("~tavrola-save-*")}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(HostileDir, DataFolderThatIsNotThereIsNamed)
{
    ASSERT_TRUE(WriteBytes(path("Staff.txt"), "x"));
    EXPECT_EQ(DataFolderProblem(tmp.path()), QString());
    EXPECT_EQ(DataFolderProblem(path("none")), QStringLiteral("Data folder not found: %1").arg(Quoted(path("none"))));
    EXPECT_TRUE(DataFolderProblem(path("Staff.txt")).contains(QLatin1String("is a file, not a folder")));
}
