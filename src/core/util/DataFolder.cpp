#include "util/DataFolder.h"

#include "util/FileAccess.h"

#include <QDir>
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
    if (!programFolder.isEmpty() && canWriteIn(programFolder))
        return withSeparator(programFolder);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    return withSeparator(user);
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
