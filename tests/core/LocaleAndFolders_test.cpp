#include "TestWard.h"
#include "util/DataFolder.h"
#include "util/Locale.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

TEST(DateText, ShortFormThenDayMonthYearThenIso)
{
    test::BritishDates dates;
    EXPECT_EQ(ParseDateText(QStringLiteral("22/12/2008")), QDate(2008, 12, 22));
    EXPECT_EQ(ParseDateText(QStringLiteral(" 05/10/2026 ")), QDate(2026, 10, 5));
    EXPECT_EQ(ParseDateText(QStringLiteral("1/3/2024")), QDate(2024, 3, 1));
    EXPECT_EQ(ParseDateText(QStringLiteral("2026-10-05")), QDate(2026, 10, 5));
    // Two-digit years are this century's, up to 2049.
    EXPECT_EQ(ParseDateText(QStringLiteral("22/12/08")), QDate(2008, 12, 22));
    EXPECT_EQ(ParseDateText(QStringLiteral("01/01/75")), QDate(1975, 1, 1));
    for (const char* bad : {"", "31/02/2026", "someday", "2026-13-01", "12/2026"})
        EXPECT_FALSE(ParseDateText(QString::fromLatin1(bad)).isValid()) << bad;
    EXPECT_EQ(LongDateText(QDate(2008, 12, 22)), QStringLiteral("Monday, 22 December 2008"));
}

TEST(DataFolder, CommandLineThenEnvironmentThenProgramFolderThenUserFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir given, env, program;
    const QByteArray savedEnv = qgetenv("TAVROLA_DATA");
    qunsetenv("TAVROLA_DATA");

    EXPECT_EQ(ResolveDataFolder(given.path(), program.path()), given.path() + u'/');
    EXPECT_EQ(ResolveDataFolder(QString(), program.path()), program.path() + u'/');
    qputenv("TAVROLA_DATA", env.path().toUtf8());
    EXPECT_EQ(ResolveDataFolder(QString(), program.path()), env.path() + u'/');
    EXPECT_EQ(ResolveDataFolder(given.path(), program.path()), given.path() + u'/');
    qunsetenv("TAVROLA_DATA");

    // A program folder that cannot be written (here: one that is not there) gives way to
    // the per-user data folder, which is made when missing.
    const QString user = ResolveDataFolder(QString(), program.path() + QStringLiteral("/gone"));
    EXPECT_TRUE(user.endsWith(u'/'));
    EXPECT_TRUE(QDir(user).exists());
    EXPECT_NE(user, program.path() + QStringLiteral("/gone/"));

    if (!savedEnv.isNull())
        qputenv("TAVROLA_DATA", savedEnv);
    QStandardPaths::setTestModeEnabled(false);
}

TEST(DataFolder, InstalledProgramKeepsDataPerUserAndShipsTheDemoWard)
{
    QStandardPaths::setTestModeEnabled(true);
    const QByteArray savedEnv = qgetenv("TAVROLA_DATA");
    qunsetenv("TAVROLA_DATA");
    // <prefix>/bin beside <prefix>/share/tavrola/demo, both writable (as for root).
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString demo = prefix.path() + QStringLiteral("/share/tavrola/demo/");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(demo));
    EXPECT_EQ(InstalledDemoFolder(bin), QString());  // no demo ward there yet
    EXPECT_EQ(ResolveDataFolder(QString(), bin), bin + u'/');
    for (const char* name : {"Staff.txt", "Clinic.rtf", "Monday, 30 November 2026 (Cedar Ward 7).rwk"}) {
        const QString file = QString::fromUtf8(name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/") + file, demo + file));
        QFile::setPermissions(demo + file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    EXPECT_EQ(InstalledDemoFolder(bin), demo);
    EXPECT_EQ(InstalledDemoFolder(prefix.path() + QStringLiteral("/share")), QString());
    const QString user = ResolveDataFolder(QString(), bin);
    EXPECT_NE(user, bin + u'/');
    EXPECT_EQ(user, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/');

    // The copy keeps what the user already has and can be edited.
    QTemporaryDir data;
    const QString folder = data.path() + u'/';
    QFile own(folder + QStringLiteral("Staff.txt"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("HOSPITAL = Mine ;\r\n");
    own.close();
    QString error;
    ASSERT_TRUE(CopyDemoWard(demo, folder, &error)) << error.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("HOSPITAL = Mine ;\r\n"));
    EXPECT_TRUE(QFile::permissions(folder + QStringLiteral("Clinic.rtf")) & QFile::WriteOwner);
    EXPECT_FALSE(CopyDemoWard(demo, folder + QStringLiteral("gone/"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Clinic.rtf"))) << error.toStdString();

    if (!savedEnv.isNull())
        qputenv("TAVROLA_DATA", savedEnv);
    QStandardPaths::setTestModeEnabled(false);
}
