#include "TestFiles.h"
#include "util/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using test::ReadBytes;
using test::WriteBytes;

TEST(TextFile, DecodesUtf8AndFallsBackPerByteToWindows1252)
{
    EXPECT_EQ(DecodeText("plain"), QStringLiteral("plain"));
    EXPECT_EQ(DecodeText("Zo\xc3\xab \xe2\x82\xac \xf0\x9f\x98\x80"), QStringLiteral("Zoë € 😀"));
    EXPECT_EQ(DecodeText("Ren\xe9" "e"), QStringLiteral("Renée"));
    // 0x80..0x9F are the Windows-1252 specials, not C1 controls.
    EXPECT_EQ(DecodeText("\x80\x85\x8a\x91\x92\x93\x94\x96\x97\x99\x9f"),
              QString::fromUtf16(u"\u20ac\u2026\u0160\u2018\u2019\u201c\u201d\u2013\u2014\u2122\u0178"));
    EXPECT_EQ(DecodeText("\x81\x8d\x8f\x90\x9d"), QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d"));
    // Valid and invalid bytes mixed: each invalid byte alone falls back.
    EXPECT_EQ(DecodeText("\xc3\xa9\xe9\xc3"), QStringLiteral("ééÃ"));
    // Overlong forms, encoded surrogates and truncated sequences are not UTF-8.
    EXPECT_EQ(DecodeText("\xc0\x80"), QStringLiteral("À€"));
    EXPECT_EQ(DecodeText("\xed\xa0\x80"), QString::fromUtf16(u"í\u00a0€"));
    EXPECT_EQ(DecodeText("\xe2\x82"), QString::fromUtf16(u"\u00e2\u201a"));
    EXPECT_EQ(DecodeText("\xf4\x90\x80\x80"), QString::fromUtf16(u"ô\u0090€€"));
}

TEST(TextFile, SplitsLinesOnEveryLineEnd)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString p = QDir(tmp.path()).filePath(QStringLiteral("t.txt"));
    auto lines = [&](const QByteArray& bytes) {
        EXPECT_TRUE(WriteBytes(p, bytes));
        const TextFileRead r = ReadTextFile(p);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r.lines;
    };
    EXPECT_EQ(lines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(lines("a\n\n"), QStringList({"a", ""}));
    EXPECT_EQ(lines("\r\r\n\n"), QStringList({"", "", ""}));
    EXPECT_EQ(lines("\n\r"), QStringList({"", ""}));
    EXPECT_EQ(lines(""), QStringList());
    EXPECT_EQ(lines("\xef\xbb\xbfHOSPITAL"), QStringList({"HOSPITAL"}));

    // Exactly at the size limit is read; one byte more is refused.
    QByteArray big;
    for (int i = 0; i < 4096; ++i)
        big += QByteArray(1023, 'x') + '\n';
    ASSERT_EQ(big.size(), kMaxTextFileBytes);
    EXPECT_EQ(lines(big).size(), 4096);
    ASSERT_TRUE(WriteBytes(p, big + 'x'));
    const TextFileRead r = ReadTextFile(p);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(p));
    EXPECT_TRUE(r.lines.isEmpty());
}

TEST(TextFile, AtomicWriteKeepsTextAsGiven)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString p = QDir(tmp.path()).filePath(QStringLiteral("out.txt"));
    QString error;
    ASSERT_TRUE(WriteTextFileAtomically(p, QStringLiteral("Zoë\r\nx"), &error));
    EXPECT_EQ(ReadBytes(p), QByteArray("Zo\xc3\xab\r\nx"));
    EXPECT_FALSE(WriteTextFileAtomically(QDir(tmp.path()).filePath(QStringLiteral("no/such/dir/f")),
                                         QStringLiteral("x"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no/such/dir/f")));
}
