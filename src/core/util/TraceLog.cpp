#include "util/TraceLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace tavrola {

namespace {

struct TraceState {
    QMutex mutex;
    std::unique_ptr<QFile> file;
};

TraceState& State()
{
    static TraceState state;
    return state;
}

}  // namespace

QString OpenTraceLog(const QString& folder)
{
    TraceState& st = State();
    QMutexLocker lock(&st.mutex);
    st.file.reset();

    const QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    for (int attempt = 0; attempt <= 9; ++attempt) {
        const QString name = attempt == 0 ? QStringLiteral("test.txt")
                                          : QStringLiteral("test%1.txt").arg(attempt);
        // The previous run's log is kept beside the new one, so a crash's trace survives
        // the restart that follows it.
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isFile()) {
            const QString previous = dir.filePath(QFileInfo(name).completeBaseName() + QStringLiteral("-previous.txt"));
            QFile::remove(previous);
            QFile::rename(path, previous);
        }
        auto file = std::make_unique<QFile>(path);
        if (file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            st.file = std::move(file);
            return st.file->fileName();
        }
    }
    return QString();
}

void CloseTraceLog()
{
    TraceState& st = State();
    QMutexLocker lock(&st.mutex);
    st.file.reset();
}

bool TraceLogOpen()
{
    TraceState& st = State();
    QMutexLocker lock(&st.mutex);
    return st.file != nullptr;
}

void TraceLog(const QString& text)
{
    TraceState& st = State();
    QMutexLocker lock(&st.mutex);
    if (!st.file)
        return;
    QByteArray line = text.toUtf8();
    line.append("\r\n", 2);
    st.file->write(line);
    st.file->flush();
}

}  // namespace tavrola
