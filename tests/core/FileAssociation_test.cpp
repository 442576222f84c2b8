#include "util/FileAssociation.h"
#include "util/TextFile.h"

#include <QFile>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

TEST(FileAssociation, XdgFilesOpenWeekFilesWithTheProgram)
{
    QTemporaryDir home;
    const QString program = QStringLiteral("/opt/Tavrola 3/bin/tavrola");
    ASSERT_TRUE(RegisterFileTypeXdg(QStringLiteral("rwk"), program, home.path()));
    const TextFileRead desktop = ReadTextFile(home.path() + QStringLiteral("/applications/tavrola.desktop"));
    ASSERT_TRUE(desktop.ok);
    EXPECT_TRUE(desktop.lines.contains(QStringLiteral("Exec=\"/opt/Tavrola 3/bin/tavrola\" %f")));
    EXPECT_TRUE(desktop.lines.contains(QStringLiteral("MimeType=application/x-tavrola-rwk;")));
    const TextFileRead mime = ReadTextFile(home.path() + QStringLiteral("/mime/packages/tavrola-rwk.xml"));
    ASSERT_TRUE(mime.ok);
    EXPECT_TRUE(mime.lines.join(u'\n').contains(QStringLiteral("<glob pattern=\"*.rwk\"")));
}

TEST(FileAssociation, SecondRegistrationLeavesTheFilesAloneAndOthersUntouched)
{
    QTemporaryDir home;
    QDir().mkpath(home.path() + QStringLiteral("/applications"));
    QFile other(home.path() + QStringLiteral("/applications/other.desktop"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Desktop Entry]\nName=Other\n");
    other.close();
    ASSERT_TRUE(RegisterFileTypeXdg(QStringLiteral("rwk"), QStringLiteral("/usr/bin/tavrola"), home.path()));
    const QString entry = home.path() + QStringLiteral("/applications/tavrola.desktop");
    const QDateTime first = QFileInfo(entry).lastModified();
    ASSERT_TRUE(RegisterFileTypeXdg(QStringLiteral("rwk"), QStringLiteral("/usr/bin/tavrola"), home.path()));
    EXPECT_EQ(QFileInfo(entry).lastModified(), first);
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("[Desktop Entry]\nName=Other\n"));
}

TEST(FileAssociation, ProgramPathsWithShellCharactersAreQuoted)
{
    const QString text = DesktopEntryText(QStringLiteral("rwk"), QStringLiteral("/home/a\"b/$x/100%/tavrola"));
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/home/a\\\"b/\\$x/100%%/tavrola\" %f")));
}

TEST(FileAssociation, UnwritableDataHomeFails)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(RegisterFileTypeXdg(QStringLiteral("rwk"), QStringLiteral("/usr/bin/tavrola"),
                                     dir.path() + QStringLiteral("/file/inside")));
}

TEST(FileAssociation, ShippedEntryAndMimeTypeMatchWhatTheProgramRegisters)
{
    // A prefix laid out as the package installs it: bin/ and share/applications/.
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_FALSE(InstalledEntryCovers(QStringLiteral("rwk"), bin));
    ASSERT_TRUE(QDir().mkpath(prefix.path() + QStringLiteral("/share/applications")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVROLA_SOURCE_DIR "/packaging/org.tavrola.Tavrola.desktop"),
                            prefix.path() + QStringLiteral("/share/applications/org.tavrola.Tavrola.desktop")));
    EXPECT_TRUE(InstalledEntryCovers(QStringLiteral("rwk"), bin));
    EXPECT_FALSE(InstalledEntryCovers(QStringLiteral("rw"), bin));
    EXPECT_FALSE(InstalledEntryCovers(QStringLiteral("rwk"), QString()));

    // The package's MIME type is the one a run-time registration writes.
    const TextFileRead shipped = ReadTextFile(QStringLiteral(TAVROLA_SOURCE_DIR "/packaging/tavrola-mime.xml"));
    ASSERT_TRUE(shipped.ok);
    const QString text = shipped.lines.join(u'\n');
    for (const QString& line : MimePackageText(QStringLiteral("rwk")).split(u'\n')) {
        if (line.contains(QLatin1String("mime-type type=")) || line.contains(QLatin1String("<glob "))) {
            EXPECT_TRUE(text.contains(line)) << line.toStdString();
        }
    }
}
