#include "util/DataFolder.h"

#include "util/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tavrola {

namespace {
QString withSeparator(const QString& folder)
{
    QString f = QDir::cleanPath(QDir(folder).absolutePath());
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

bool canWriteIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.tavrola-probe-XXXXXX"));
    return probe.open();
}
}  // namespace

QString ResolveDataFolder(const QString& explicitFolder, const QString& programFolder)
{
    if (!explicitFolder.isEmpty())
        return withSeparator(explicitFolder);
    const QString env = qEnvironmentVariable("TAVROLA_DATA");
    if (!env.isEmpty())
        return withSeparator(env);
    if (!programFolder.isEmpty() && InstalledDemoFolder(programFolder).isEmpty() && canWriteIn(programFolder))
        return withSeparator(programFolder);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    return withSeparator(user);
}

QString InstalledDemoFolder(const QString& programFolder)
{
    if (programFolder.isEmpty() || QFileInfo(programFolder).fileName() != QLatin1String("bin"))
        return QString();
    const QString demo = withSeparator(programFolder + QStringLiteral("/../share/tavrola/demo"));
    return QFileInfo(demo + QStringLiteral("Staff.txt")).isFile() ? demo : QString();
}

bool CopyDemoWard(const QString& demoFolder, const QString& dataFolder, QString* error)
{
    const QStringList files = QDir(demoFolder).entryList(
        {QStringLiteral("Staff.txt"), QStringLiteral("Clinic.rtf"), QStringLiteral("*.rwk")}, QDir::Files,
        QDir::Name);
    for (const QString& name : files) {
        const QString target = dataFolder + name;
        if (PathEntryExists(target))
            continue;
        if (!QFile::copy(demoFolder + name, target)) {
            if (error)
                *error = QStringLiteral("The demo ward's file %1 could not be copied to %2.")
                             .arg(Quoted(name), Quoted(QDir::toNativeSeparators(dataFolder)));
            return false;
        }
        // The installed originals are read-only; the user's copies are not.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return true;
}

QString DataFolderProblem(const QString& explicitFolder)
{
    const QString folder = !explicitFolder.isEmpty() ? explicitFolder : qEnvironmentVariable("TAVROLA_DATA");
    if (folder.isEmpty() || IsFolder(folder))
        return QString();
    if (PathEntryExists(folder))
        return QStringLiteral("Data folder %1 is %2, not a folder")
            .arg(Quoted(folder), NotRegularFileMessage(folder).isEmpty() ? QStringLiteral("a file")
                                                                         : QStringLiteral("something else"));
    return QStringLiteral("Data folder not found: %1").arg(Quoted(folder));
}

QString TraceFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return folder;
}

}  // namespace tavrola
