#include "util/FileAssociation.h"

#include "util/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace tavrola {

namespace {
QString mimeType(const QString& ext) { return QStringLiteral("application/x-tavrola-%1").arg(ext); }

// Desktop entries quote arguments with double quotes and escape \ " ` $ inside them.
QString quotedExec(const QString& path)
{
    QString q;
    for (QChar c : path) {
        if (c == u'\\' || c == u'"' || c == u'`' || c == u'$')
            q += u'\\';
        q += c;
    }
    q.replace(u'%', QStringLiteral("%%"));
    return u'"' + q + u'"';
}

bool writeIfChanged(const QString& path, const QString& text, bool* changed)
{
    const TextFileRead old = ReadTextFile(path);
    if (old.ok && old.lines.join(u'\n') + u'\n' == text)
        return true;  // the same registration as last time: leave the file (and its date) alone
    QDir().mkpath(QFileInfo(path).absolutePath());
    *changed = true;
    return WriteTextFileAtomically(path, text, nullptr);
}

void refreshCaches(const QString& dataHome)
{
    // Best effort: the desktop's caches pick the files up by themselves otherwise.
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty())
        QProcess::startDetached(mime, {dataHome + QStringLiteral("/mime")});
    const QString desktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktop.isEmpty())
        QProcess::startDetached(desktop, {dataHome + QStringLiteral("/applications")});
}
}  // namespace

QString DesktopEntryText(const QString& ext, const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tavrola\n"
                          "Comment=Weekly duty roster of a hospital ward\n"
                          "Exec=%1 %f\n"
                          "MimeType=%2;\n"
                          "Terminal=false\n"
                          "Categories=Office;\n")
        .arg(quotedExec(programPath), mimeType(ext));
}

QString MimePackageText(const QString& ext)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>Tavrola roster week</comment>\n"
                          "    <glob pattern=\"*.%2\" case-sensitive=\"false\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(mimeType(ext), ext);
}

namespace {
bool registerXdg(const QString& ext, const QString& programPath, const QString& dataHome, bool* changed)
{
    if (dataHome.isEmpty())
        return false;
    return writeIfChanged(dataHome + QStringLiteral("/mime/packages/tavrola-%1.xml").arg(ext),
                          MimePackageText(ext), changed) &&
           writeIfChanged(dataHome + QStringLiteral("/applications/tavrola.desktop"),
                          DesktopEntryText(ext, programPath), changed);
}
}  // namespace

bool InstalledEntryCovers(const QString& ext, const QString& programFolder)
{
    if (programFolder.isEmpty())
        return false;
    const QString entry = programFolder + QStringLiteral("/../share/applications/%1.desktop")
                                              .arg(QLatin1String(kDesktopEntryId));
    const TextFileRead read = ReadTextFile(entry);
    if (!read.ok)
        return false;
    for (const QString& line : read.lines)
        if (line.startsWith(QLatin1String("MimeType=")) &&
            line.mid(9).split(u';').contains(mimeType(ext)))
            return true;
    return false;
}

bool RegisterFileTypeXdg(const QString& ext, const QString& programPath, const QString& dataHome)
{
    bool changed = false;
    return registerXdg(ext, programPath, dataHome, &changed);
}

bool RegisterFileType(const QString& ext, const QString& programPath)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(programPath);
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    classes.setValue(QStringLiteral(".%1/Default").arg(ext), ext + QStringLiteral("file"));
    classes.setValue(QStringLiteral("%1file/DefaultIcon/Default").arg(ext), native + QStringLiteral(",0"));
    classes.setValue(QStringLiteral("%1file/shell/open/command/Default").arg(ext),
                     native + QStringLiteral(" \"%1\""));
    classes.sync();
    return classes.status() == QSettings::NoError;
#else
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    bool changed = false;
    const bool ok = registerXdg(ext, programPath, dataHome, &changed);
    if (ok && changed)
        refreshCaches(dataHome);
    return ok;
#endif
}

}  // namespace tavrola
