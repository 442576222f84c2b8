#include "util/TraceLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(TraceLog, WritesCrLfUtf8LinesOnlyWhileOpen)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());

    CloseTraceLog();
    TraceLog(QStringLiteral("lost"));  // no-op: nothing open
    EXPECT_FALSE(TraceLogOpen());

    const QString path = OpenTraceLog(tmp.path());
    EXPECT_EQ(path, QDir(tmp.path()).filePath(QStringLiteral("test.txt")));
    EXPECT_TRUE(TraceLogOpen());
    TraceLog(QStringLiteral("INTO SaveClick Zoë"));
    TraceLog(QStringLiteral("\n\rDutyClick:12"));
    // Each line is flushed at once.
    EXPECT_EQ(ReadAll(path), QByteArray("INTO SaveClick Zo\xc3\xab\r\n\n\rDutyClick:12\r\n"));
    CloseTraceLog();
    EXPECT_FALSE(TraceLogOpen());
    TraceLog(QStringLiteral("after close"));
    EXPECT_EQ(ReadAll(path).count('\n'), 3);

    // Opening again starts a new file and keeps the previous run's beside it, once.
    const QByteArray first = ReadAll(path);
    const QString previous = QDir(tmp.path()).filePath(QStringLiteral("test-previous.txt"));
    EXPECT_EQ(OpenTraceLog(tmp.path()), path);
    TraceLog(QStringLiteral("second run"));
    CloseTraceLog();
    EXPECT_EQ(ReadAll(previous), first);
    EXPECT_EQ(OpenTraceLog(tmp.path()), path);
    CloseTraceLog();
    EXPECT_TRUE(ReadAll(path).isEmpty());
    EXPECT_EQ(ReadAll(previous), QByteArray("second run\r\n"));
}

TEST(TraceLog, FallsBackToNumberedNames)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir dir(tmp.path());
    // A folder in the way of a name makes that name unwritable.
    ASSERT_TRUE(dir.mkdir(QStringLiteral("test.txt")));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("test1.txt")));

    EXPECT_EQ(OpenTraceLog(tmp.path()), dir.filePath(QStringLiteral("test2.txt")));
    TraceLog(QStringLiteral("x"));
    CloseTraceLog();
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("test2.txt"))), QByteArray("x\r\n"));

    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("test2.txt"))));
    for (int n = 2; n <= 9; ++n)
        ASSERT_TRUE(dir.mkdir(QStringLiteral("test%1.txt").arg(n)));

    // No name left: tracing stays off.
    EXPECT_TRUE(OpenTraceLog(tmp.path()).isEmpty());
    EXPECT_FALSE(TraceLogOpen());
    TraceLog(QStringLiteral("nowhere"));
}
