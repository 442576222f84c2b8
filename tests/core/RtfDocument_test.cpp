#include "TestFiles.h"
#include "clinics/RtfReader.h"
#include "clinics/RtfWriter.h"
#include "FuzzBodies.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>

using namespace tavrola;

namespace {

// A run of text with the formatting the reader and writer keep, as one comparable line:
// "text|b i u s|face|size|#rrggbb".
std::string RunText(const QString& text, const QTextCharFormat& f)
{
    const QStringList faces = f.fontFamilies().toStringList();
    const QColor colour = f.foreground().style() == Qt::NoBrush ? QColor() : f.foreground().color();
    return QStringLiteral("%1|%2%3%4%5|%6|%7|%8")
        .arg(text)
        .arg(f.fontWeight() > QFont::Medium ? "b" : "-", f.fontItalic() ? "i" : "-",
             f.fontUnderline() ? "u" : "-", f.fontStrikeOut() ? "s" : "-")
        .arg(faces.value(0))
        .arg(f.fontPointSize())
        .arg(colour.isValid() ? colour.name() : QString())
        .toStdString();
}

// Each block as its alignment and runs, so two documents compare by what they show.
std::vector<std::string> Shape(const QTextDocument& doc)
{
    std::vector<std::string> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const Qt::Alignment a = b.blockFormat().alignment();
        std::string line = (a & Qt::AlignHCenter) ? "centre:" : (a & Qt::AlignRight) ? "right:"
                                                              : (a & Qt::AlignJustify) ? "justify:" : "left:";
        for (auto it = b.begin(); !it.atEnd(); ++it)
            line += "[" + RunText(it.fragment().text(), it.fragment().charFormat()) + "]";
        out.push_back(line);
    }
    return out;
}

QByteArray DemoBytes()
{
    QFile f(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Clinic.rtf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Read, write, read again: the same lines and the same shape, and the document's lines
// are the plain reader's.
void ExpectRoundTrip(const QByteArray& rtf)
{
    QTextDocument first, second;
    const RtfText a = RtfToDocument(rtf, &first);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.lines, RtfToPlainLines(rtf).lines);
    EXPECT_EQ(DocumentPlainLines(first), a.lines);
    const QByteArray written = DocumentToRtf(first);
    const RtfText b = RtfToDocument(written, &second);
    ASSERT_TRUE(b.ok && b.rich);
    EXPECT_EQ(b.lines, a.lines) << written.toStdString();
    EXPECT_EQ(Shape(second), Shape(first)) << written.toStdString();
    EXPECT_EQ(DocumentToRtf(second), written) << "a second save changes nothing";
}

}  // namespace

TEST(RtfDocument, ReadsFormattingAndTables)
{
    QTextDocument doc;
    const RtfText r = RtfToDocument(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman{\\*\\falt Times};}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\pard\\qc\\f0\\fs32\\b Title\\b0\\par"
        "\\pard\\f1\\fs20 plain {\\i it}{\\ul un\\ulnone der}{\\strike gone}\\cf1 red\\cf0 {\\cf2\\plain x}\\par"
        "\\pard\\qr right\\line soft\\par}",
        &doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Shape(doc), (std::vector<std::string>{
                              "centre:[Title|b---|Arial|16|]",
                              "left:[plain |----|Times New Roman|10|][it|-i--|Times New Roman|10|]"
                              "[un|--u-|Times New Roman|10|][der|----|Times New Roman|10|]"
                              "[gone|---s|Times New Roman|10|][red|----|Times New Roman|10|#ff0000]"
                              "[x|----||0|]",
                              "right:[right|----|Times New Roman|10|]",
                              "right:[soft|----|Times New Roman|10|]",
                          }));
    // Tables as tab-separated text; pictures and unknown destinations leave nothing.
    RtfToDocument("{\\rtf1 \\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row{\\pict 0a0b}{\\*\\zz q}c}", &doc);
    EXPECT_EQ(DocumentPlainLines(doc), (QStringList{"a\tb", "c"}));
}

TEST(RtfDocument, CodePagesOfTheDocumentAndOfFonts)
{
    // \ansicpg names the document's code page; a font's character set overrides it.
    EXPECT_EQ(RtfToPlainLines("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}").lines,
              QStringList{QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442")});
    EXPECT_EQ(RtfToPlainLines("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}"
                              "\\f0 \\'e1 \\f1 \\'e1\\'e2}").lines,
              QStringList{QStringLiteral("\u00e1 \u03b1\u03b2")});
    EXPECT_EQ(RtfToPlainLines("{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'9e\\'b9}").lines,
              QStringList{QStringLiteral("\u0160\u017e\u0105")});
    // A double-byte code page is read as Windows-1252.
    EXPECT_EQ(RtfToPlainLines("{\\rtf1\\ansi\\ansicpg932 \\'e9}").lines, QStringList{QStringLiteral("\u00e9")});
}

TEST(RtfDocument, RoundTripsKeepTextAndFormatting)
{
    const QByteArray cases[] = {
        DemoBytes(),
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red10\\green200\\blue30;}"
        "\\pard\\qj\\f1\\fs19 {\\b\\i\\ul\\strike\\cf1 all} of {\\f0 it}\\par\\pard\\qc\\par a\\tab b\\par}",
        // Non-Latin text, astral characters, specials and escapes.
        "{\\rtf1\\ansi \\u1055?\\u1088?\\u1080? \\u945?\\u946? \\u26085?\\u26412? \\u-10179?\\u-8704? "
        "caf\\'e9 \\'80 \\{x\\} back\\\\slash ?\\u233?5\\par\\par}",
        // Plain text saved under the .rtf name.
        "Monday AM, Dr A wk1 [A]\r\nTuesday PM, Dr B wk2\r\n\r\n",
        "{\\rtf1 }",
        "{\\rtf1 \\par}",
    };
    for (const QByteArray& rtf : cases) {
        SCOPED_TRACE(rtf.left(80).toStdString());
        ExpectRoundTrip(rtf);
    }
    // The demo list shows the formatting: a bold, centred, coloured title and a red line.
    QTextDocument demo;
    RtfToDocument(DemoBytes(), &demo);
    const std::vector<std::string> shape = Shape(demo);
    ASSERT_GT(shape.size(), 8u);
    EXPECT_EQ(shape[0], "centre:[Cedar Ward 7 clinic schedule|b---|Calibri|14|#000080]");
    EXPECT_EQ(std::count_if(shape.begin(), shape.end(),
                            [](const std::string& s) { return s.find("#c00000") != std::string::npos; }),
              1);
}

TEST(RtfDocument, WriterOutputAsOtherProgramsReadIt)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontFamilies(QStringList{QStringLiteral("Liberation Sans")});
    bold.setForeground(QColor(0x20, 0x40, 0x80));
    c.insertText(QStringLiteral("Clinics"), bold);
    c.insertBlock();
    c.insertText(QStringLiteral("Mr \u00d3 Se\u00e1in\tPM, \u0416 \U0001F600\u2028next"), QTextCharFormat());
    QTextImageFormat picture;  // pasted into the editor: not written
    picture.setName(QStringLiteral("logo.png"));
    c.insertImage(picture);
    const QByteArray rtf = DocumentToRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red32\\green64\\blue128;}"));
    EXPECT_TRUE(rtf.contains("Liberation Sans;}"));
    EXPECT_TRUE(rtf.contains("Mr \\'d3 Se\\'e1in\\tab PM, \\u1046? \\u-10179?\\u-8704?\\line next\\par\r\n"))
        << rtf.toStdString();
    for (char ch : rtf)
        ASSERT_TRUE(ch == '\r' || ch == '\n' || (ch >= 0x20 && ch < 0x7F)) << "ASCII only";
    // The soft line break reads back as a line of its own.
    EXPECT_EQ(RtfToPlainLines(rtf).lines, (QStringList{"Clinics", "Mr \u00d3 Se\u00e1in\tPM, \u0416 \U0001F600", "next"}));
    EXPECT_FALSE(rtf.contains("logo"));

    // LibreOffice, when installed, reads the same text from it.
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray demo = DemoBytes();
    QTextDocument demoDoc;
    RtfToDocument(demo, &demoDoc);
    for (const auto& [name, bytes] : {std::pair{QStringLiteral("mixed"), rtf},
                                      std::pair{QStringLiteral("demo"), DocumentToRtf(demoDoc)}}) {
        ASSERT_TRUE(test::WriteBytes(dir.filePath(name + ".rtf"), bytes));
        QProcess lo;
        lo.setWorkingDirectory(dir.path());
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("txt:Text (encoded):UTF8"), name + ".rtf"});
        ASSERT_TRUE(lo.waitForFinished(120000));
        QFile txt(dir.filePath(name + ".txt"));
        ASSERT_TRUE(txt.open(QIODevice::ReadOnly)) << lo.readAllStandardError().toStdString();
        QString text = QString::fromUtf8(txt.readAll());
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n")));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        EXPECT_EQ(lines, RtfToPlainLines(bytes).lines) << name.toStdString();
    }
}

// Damaged copies of formatted documents keep the document reading, the plain reading and
// the writer in step (the fuzz body aborts when they part).
TEST(RtfDocumentRobustness, MutatedDocumentsRoundTrip)
{
    QFile formatted(QStringLiteral(TAVROLA_SOURCE_DIR "/fuzz/corpus/rich_text/formatted.rtf"));
    ASSERT_TRUE(formatted.open(QIODevice::ReadOnly));
    const QByteArray samples[] = {DemoBytes(), formatted.readAll()};
    std::mt19937 rng(977);
    auto below = [&](qsizetype n) { return qsizetype(rng() % quint64(qMax<qsizetype>(n, 1))); };
    const char* pieces[] = {"{", "}", "\\", "\\'e9", "\\u8232?", "\\u-10179?", "\\par ", "\\line ", "\\b ",
                            "\\f1 ", "\\cf1 ", "\\fs0 ", "\\plain ", "\\qc ", "\\fonttbl ", "\r\n", "\x01", "\xc3\xa9"};
    for (int k = 0; k < 2000; ++k) {
        QByteArray b = samples[k % 2];
        for (int edits = 1 + int(below(4)); edits > 0; --edits) {
            const qsizetype at = below(b.size());
            switch (below(4)) {
            case 0: b.truncate(at); break;
            case 1: b.remove(at, 1 + below(8)); break;
            default: b.insert(at, pieces[below(std::size(pieces))]); break;
            }
        }
        if (k % 7 == 0)
            b.remove(0, 6);  // no longer rich text: read as plain lines
        ASSERT_EQ(fuzz::RichText(reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())), 0);
    }
}
