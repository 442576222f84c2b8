#include "TestFiles.h"
#include "clinics/RtfReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tavrola;

namespace {

using Lines = std::vector<std::string>;

// Lines as UTF-8, so a failing comparison prints readable text.
Lines ToStd(const QStringList& lines)
{
    Lines out;
    for (const QString& l : lines)
        out.push_back(l.toStdString());
    return out;
}

Lines Read(const QByteArray& rtf)
{
    const RtfText r = RtfToPlainLines(rtf);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return ToStd(r.lines);
}

// A body wrapped in the smallest rich-text document.
Lines ReadBody(const QByteArray& body)
{
    return Read("{\\rtf1\\ansi " + body + "}");
}


// As WordPad saves a short list typed in Calibri, one run in bold, CR LF throughout.
const QByteArray kWordPad =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang2057{\\fonttbl{\\f0\\fnil\\fcharset0 "
    "Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Clinics for Cedar Ward\\par\r\n"
    "\\b MONDAY AM\\b0  Dr Patel \\cf1 WK 1,3\\cf0  PAC 2\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
    "\\fi-360\\li720\\sa200\\sl276\\slmult1 Tuesday PM\\tab Dr Ch\\'e9rif\\tab wk2 "
    "PAC \\'80 5 fee\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1 Mr O\\'92Neill\\line Friday AM wk4\\par\r\n"
    "}\r\n";

// As LibreOffice Writer saves a similar list: style sheet, info, colour table, runs split
// by language properties and apostrophes written as \u with a hex fallback.
const QByteArray kLibreOffice =
    "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 "
    "Symbol;}{\\f3\\fswiss\\fprq2\\fcharset0 Liberation Sans{\\*\\falt Arial};}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n"
    "{\\stylesheet{\\s0\\snext0\\rtlch\\af8\\afs24\\alang1081 \\ltrch\\lang2057\\langfe2052"
    "\\hich\\af3\\loch\\ql\\nowidctlpar\\hyphpar0\\ltrpar\\cf0\\f3\\fs24 Normal;}\n"
    "{\\s15\\sbasedon0\\snext16\\rtlch\\af8\\afs28 \\ltrch\\hich\\af4\\loch\\sb240\\sa120"
    "\\keepn\\f4\\fs28 Heading;}\n"
    "}{\\*\\generator LibreOffice/7.3.7.2$Linux_X86_64 "
    "LibreOffice_project/30$Build-2}{\\info{\\creatim\\yr2024\\mo3\\dy4\\hr9\\min12}"
    "{\\revtim\\yr2024\\mo3\\dy4\\hr9\\min15}{\\printim\\yr0\\mo0\\dy0\\hr0\\min0}}"
    "{\\*\\userprops{\\propname AIPLabel}\\proptype30{\\staticval Public}}"
    "\\deftab709\n"
    "\\hyphauto1\\viewscale100\n"
    "{\\*\\pgdsctbl\n"
    "{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\marglsxn1134\\margrsxn1134"
    "\\margtsxn1134\\margbsxn1134\\pgdscnxt0 Default Page Style;}}\n"
    "\\formshade\\paperh16838\\paperw11906\\margl1134\\margr1134\\margt1134\\margb1134"
    "\\sectd\\sbknone\\sftnnar\\saftnnrlc\\sectunlocked1\\pgwsxn11906\\pghsxn16838"
    "\\marglsxn1134\\margrsxn1134\\margtsxn1134\\margbsxn1134\\ftnbj\\ftnstart1\\ftnrstcont"
    "\\ftnnar\\aenddoc\\aftnrstcont\\aftnstart1\\aftnnrlc\n"
    "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\rtlch\\af8\\afs24\\alang1081 "
    "\\ltrch\\lang2057\\langfe2052\\hich\\af3\\loch\\ql\\nowidctlpar\\hyphpar0\\ltrpar\\cf0"
    "\\f3\\fs24\\lang2057\\dbch\\af5\\langfe2052{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
    "\\loch\\f3 MONDAY AM Dr }{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\b\\loch\\f3 Patel}"
    "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\loch\\f3  WK 1,3 PAC 2}\n"
    "\\par \\pard\\plain \\s0\\rtlch\\af8\\afs24\\alang1081 \\ltrch\\lang2057\\langfe2052"
    "\\hich\\af3\\loch\\ql\\nowidctlpar\\hyphpar0\\ltrpar\\cf0\\f3\\fs24\\lang2057\\dbch"
    "\\af5\\langfe2052{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\loch\\f3 Wednesday PM Mr "
    "O\\u8217\\'92Neill\\u8217\\'92s clinic wk2 PAC \\u8211\\'96 bring notes}\n"
    "\\par }";

}  // namespace

TEST(RtfReader, ReadsWordPadDocument)
{
    const RtfText r = RtfToPlainLines(kWordPad);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.rich);
    EXPECT_EQ(ToStd(r.lines), (Lines{
                                  "Clinics for Cedar Ward",
                                  "MONDAY AM Dr Patel WK 1,3 PAC 2",
                                  "Tuesday PM\tDr Ch\u00e9rif\twk2 PAC \u20ac 5 fee",
                                  "Mr O\u2019Neill",
                                  "Friday AM wk4",
                              }));
}

TEST(RtfReader, ReadsLibreOfficeDocument)
{
    EXPECT_EQ(Read(kLibreOffice), (Lines{
                                      "MONDAY AM Dr Patel WK 1,3 PAC 2",
                                      "Wednesday PM Mr O\u2019Neill\u2019s clinic wk2 PAC "
                                      "\u2013 bring notes",
                                  }));
}

TEST(RtfReader, ReadsTheDemoClinicList)
{
    const QString path = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Clinic.rtf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("\\par\r\n")) << "saved as WordPad does, with CR LF";
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

    const RtfText r = ReadRtfFile(path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.rich);
    ASSERT_GE(r.lines.size(), 6);
    EXPECT_EQ(r.lines[2].toStdString(),
              "Monday AM, Dr A Patel  Diabetes clinic  wk1,3  [Diabetes]  PAC bring BM kit");
    EXPECT_TRUE(r.lines.join(u'\n').contains(QStringLiteral("Dr S Ch\u00e9rif")));

    // Every clinic line follows the list's convention: a day and half-day marker, a week
    // list before "PAC", a bracketed note, and no digit between "WK" and "PAC" other than
    // the weeks themselves (a stray digit there would match another week).
    int clinics = 0;
    for (const QString& line : r.lines) {
        const QString u = line.toUpper();
        const qsizetype wk = u.indexOf(QStringLiteral("WK"));
        if (wk < 0)
            continue;
        ++clinics;
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(u.contains(QStringLiteral("AM,")) || u.contains(QStringLiteral("PM,")));
        const qsizetype pac = u.indexOf(QStringLiteral("PAC"));
        ASSERT_GT(pac, wk);
        const QString weeks = u.mid(wk + 2, pac - wk - 2);
        const qsizetype open = line.indexOf(u'['), close = line.indexOf(u']');
        EXPECT_TRUE(open > 0 && close > open);
        for (QChar c : weeks)
            EXPECT_TRUE(!c.isDigit() || (c >= u'1' && c <= u'5'));
        int days = 0;
        for (const char* day : {"MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY",
                                "SATURDAY", "SUNDAY"})
            days += u.count(QLatin1String(day));
        EXPECT_EQ(days, 1);
    }
    EXPECT_GE(clinics, 5);
}

TEST(RtfReader, LastLineAndLineEnds)
{
    EXPECT_EQ(ReadBody("a\\par b\\par "), (Lines{"a", "b"}));
    EXPECT_EQ(ReadBody("a\\par b"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadBody("a\\par\\par "), (Lines{"a", ""}));
    EXPECT_EQ(ReadBody("\\par a"), (Lines{"", "a"}));
    EXPECT_EQ(ReadBody(""), Lines{});
    EXPECT_EQ(ReadBody("{\\b }"), Lines{});
    // \pard starts paragraph formatting; it is not \par.
    EXPECT_EQ(ReadBody("a\\pard b\\par"), (Lines{"ab"}));
    EXPECT_EQ(ReadBody("a\\line b\\sect c\\page d"), (Lines{"a", "b", "c", "d"}));
    // Line ends in the source are not text; a backslash before one is a paragraph end.
    EXPECT_EQ(ReadBody("MON\r\nDAY\rAM\n\\par x\\\r\ny"), (Lines{"MONDAYAM", "x", "y"}));
}

TEST(RtfReader, CharactersAndEscapes)
{
    EXPECT_EQ(ReadBody("caf\\'e9 \\'80\\'92\\'E9\\'a0|\\'9f"),
              (Lines{"caf\u00e9 \u20ac\u2019\u00e9\u00a0|\u0178"}));
    // A control word's delimiting blank is not text; a second blank is.
    EXPECT_EQ(ReadBody("\\b a\\b0  b\\i\tc"), (Lines{"a b\tc"}));
    EXPECT_EQ(ReadBody("a\\tab b\\\\c\\{d\\}"), (Lines{"a\tb\\c{d}"}));
    EXPECT_EQ(ReadBody("non\\~breaking op\\-tional non\\_breaking"),
              (Lines{"non\u00a0breaking optional non\u2011breaking"}));
    EXPECT_EQ(ReadBody("\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"),
              (Lines{"\u2014\u2013\u2018\u2019\u201c\u201d\u2022"}));
    // Raw bytes above 127 are read as Windows-1252 too; control bytes are dropped.
    EXPECT_EQ(ReadBody("\xe9\x80\x01\x7f."), (Lines{"\u00e9\u20ac."}));
    // Other code pages are read as 1252.
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1250 \\'e9}"), (Lines{"\u00e9"}));
}

TEST(RtfReader, UnicodeEscapesAndFallbacks)
{
    EXPECT_EQ(ReadBody("O\\u8217\\'92Neill"), (Lines{"O\u2019Neill"}));
    EXPECT_EQ(ReadBody("\\u233 ?x \\u233?"), (Lines{"\u00e9x \u00e9"}));
    EXPECT_EQ(ReadBody("\\uc0\\u8364 5"), (Lines{"\u20ac5"}));
    EXPECT_EQ(ReadBody("\\uc2\\u8364\\'80\\'80x\\u8364 EUR"), (Lines{"\u20acx\u20acR"}));
    // A control word in the fallback counts as one character.
    EXPECT_EQ(ReadBody("\\uc2\\u8211\\endash\\'96x"), (Lines{"\u2013x"}));
    // \uc lasts to the end of its group.
    EXPECT_EQ(ReadBody("{\\uc2\\u233 ab}\\u233 cd"), (Lines{"\u00e9\u00e9d"}));
    // A fallback never reaches past a group boundary.
    EXPECT_EQ(ReadBody("\\uc3\\u233{ab}c"), (Lines{"\u00e9abc"}));
    // Negative values are N + 65536; a surrogate pair gives one character.
    EXPECT_EQ(ReadBody("\\u-10179?\\u-8704?!"), (Lines{"\U0001F600!"}));
    EXPECT_EQ(ReadBody("\\u-8704?x"), (Lines{"\ufffdx"}));
    EXPECT_EQ(ReadBody("\\u55357?x"), (Lines{"\ufffdx"}));
    // Values out of range are dropped and their fallback is read instead.
    EXPECT_EQ(ReadBody("a\\u99999999999?b\\u-99999999999?c\\u65536 d"), (Lines{"a?b?cd"}));
    EXPECT_EQ(ReadBody("\\u0?a\\u10?b\\u9?"), (Lines{"ab\t"}));
}

TEST(RtfReader, SkipsDestinationsWithoutText)
{
    EXPECT_EQ(ReadBody("{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Symbol;}}"
                       "{\\colortbl;\\red1\\green2\\blue3;}{\\info{\\title T}{\\author A}}"
                       "{\\header head\\par}{\\footerr foot}{\\footnote note}a"),
              (Lines{"a"}));
    // Unknown \* destinations, nested ones and text in their inner groups.
    EXPECT_EQ(ReadBody("{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}}}"
                       "{\\*\\unknownword {inner {deeper} text}\\par}b{\\*\\bkmkstart x}c"),
              (Lines{"bc"}));
    EXPECT_EQ(ReadBody("x{\\pict\\wmetafile8\\picw10 0102ff{\\*\\blipuid 00}}y"
                       "{\\object{\\*\\objdata 0102}{\\result z}}"),
              (Lines{"xy"}));
    // The result of a field is text; its instruction is not.
    EXPECT_EQ(ReadBody("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Dr Patel}}"),
              (Lines{"Dr Patel"}));
    // Binary data may hold braces and backslashes.
    EXPECT_EQ(ReadBody("a{\\pict\\bin6 {}\\}{b}c"), (Lines{"ac"}));
    EXPECT_EQ(ReadBody("a\\bin3 }}}b\\bin999 }}"), (Lines{"ab"}));
    // Closing a skipped group brings the text back.
    EXPECT_EQ(ReadBody("{\\stylesheet{\\s0 Normal;}}{\\b Mon}day"), (Lines{"Monday"}));
}

TEST(RtfReader, TablesGiveTabSeparatedLines)
{
    EXPECT_EQ(ReadBody("\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl MONDAY AM"
                       "\\cell Dr Patel\\cell WK 1\\cell\\row"
                       "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl TUESDAY PM"
                       "\\cell\\cell WK 2\\cell\\row\\pard after\\par"),
              (Lines{"MONDAY AM\tDr Patel\tWK 1", "TUESDAY PM\t\tWK 2", "after"}));
}

TEST(RtfReader, PlainTextIsReadAsLines)
{
    const RtfText r = RtfToPlainLines("Monday AM, Dr Patel wk1\r\nTuesday PM\r\n");
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.rich);
    EXPECT_EQ(ToStd(r.lines), (Lines{"Monday AM, Dr Patel wk1", "Tuesday PM"}));
    // UTF-8 with a byte-order mark, Windows-1252 bytes, and the other line ends.
    EXPECT_EQ(Read("\xef\xbb\xbf" "caf\xc3\xa9\nCh\xe9rif\rx"),
              (Lines{"caf\u00e9", "Ch\u00e9rif", "x"}));
    EXPECT_EQ(Read(""), Lines{});
    EXPECT_EQ(Read("{\\rt"), Lines{"{\\rt"});
    // A byte-order mark or blanks before the rich text do not hide it.
    EXPECT_EQ(Read("\xef\xbb\xbf \r\n{\\rtf1 a}"), Lines{"a"});
}

TEST(RtfReader, MalformedInputGivesBestEffortLines)
{
    EXPECT_EQ(Read("{\\rtf1 a\\par b"), (Lines{"a", "b"}));       // never closed
    EXPECT_EQ(Read("{\\rtf1 a{\\b b\\par c"), (Lines{"ab", "c"}));
    EXPECT_EQ(Read("{\\rtf1 a}}b\\par c}"), (Lines{"a"}));        // ends with its group
    EXPECT_EQ(Read("{\\rtf1 a}trailing text"), (Lines{"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\"), (Lines{"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\'"), (Lines{"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\'4"), (Lines{"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\'zz}"), (Lines{"azz"}));
    EXPECT_EQ(Read("{\\rtf1 a\\'4z}"), (Lines{"az"}));
    EXPECT_EQ(Read("{\\rtf1 a\\u"), (Lines{"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\u-"), (Lines{"a-"}));
    EXPECT_EQ(Read("{\\rtf1 a\\uc999999999999999999999\\u233 " + QByteArray(100, 'x') + "b}"),
              (Lines{"a\u00e9" + std::string(36, 'x') + "b"}));
    EXPECT_EQ(Read("{\\rtf1 \\bin-5 a\\bin"), (Lines{"a"}));
    // A word longer than the format allows is ignored, not taken as text.
    EXPECT_EQ(Read("{\\rtf1 a\\" + QByteArray(40, 'p') + "ar b}"), (Lines{"ab"}));
    // A destination word at the top level does not hide the document.
    EXPECT_EQ(Read("{\\rtf1\\fonttbl a\\par\\*\\x b}"), (Lines{"a", "b"}));
}

TEST(RtfReader, DeepNestingIsFlattened)
{
    const int depth = 100000;
    const QByteArray deep = "{\\rtf1 a" + QByteArray(depth, '{') + "deep\\par" +
                            QByteArray(depth, '}') + " after\\par z}";
    EXPECT_EQ(Read(deep), (Lines{"adeep", " after", "z"}));
    // Groups within the limit keep their own state.
    QByteArray nested = "{\\rtf1 ";
    for (int k = 1; k < kMaxRtfDepth - 1; ++k)
        nested += "{\\uc0 ";
    nested += "\\u233 x";
    for (int k = 1; k < kMaxRtfDepth - 1; ++k)
        nested += "}";
    nested += "\\u233 y}";
    EXPECT_EQ(Read(nested), (Lines{"\u00e9x\u00e9"}));
}

TEST(RtfReader, FilesAreRefusedWithTheirName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("Clinic.rtf"));
    RtfText r = ReadRtfFile(missing);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(missing)) << r.error.toStdString();

    const QString big = dir.filePath(QStringLiteral("Big.rtf"));
    ASSERT_TRUE(test::WriteBytes(big, "{\\rtf1 " + QByteArray(kMaxRtfBytes, 'x') + "}"));
    r = ReadRtfFile(big);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(big)) << r.error.toStdString();
    EXPECT_FALSE(RtfToPlainLines(QByteArray(kMaxRtfBytes + 1, 'x')).ok);

    const QString fine = dir.filePath(QStringLiteral("Fine.rtf"));
    ASSERT_TRUE(test::WriteBytes(fine, kWordPad));
    r = ReadRtfFile(fine);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lines.size(), 5);

#ifdef Q_OS_UNIX
    if (QFile::setPermissions(fine, QFileDevice::WriteOwner) && !QFile(fine).open(QIODevice::ReadOnly)) {
        r = ReadRtfFile(fine);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(fine)) << r.error.toStdString();
    }
#endif
}

// Random and damaged documents: the reader ends, stays in bounds (checked under the
// sanitizers) and returns well-formed lines no longer than the input.
TEST(RtfReaderRobustness, RandomAndMutatedInputs)
{
    std::mt19937 rng(20240607);
    auto below = [&](qsizetype n) { return qsizetype(rng() % quint64(qMax<qsizetype>(n, 1))); };

    auto check = [](const QByteArray& input) {
        const RtfText r = RtfToPlainLines(input);
        ASSERT_TRUE(r.ok);
        qsizetype total = 0;
        for (const QString& line : r.lines) {
            total += line.size();
            ASSERT_FALSE(line.contains(u'\r') || line.contains(u'\n'));
            for (qsizetype k = 0; k < line.size(); ++k) {
                const QChar c = line.at(k);
                if (c.isHighSurrogate() && k + 1 < line.size() && line.at(k + 1).isLowSurrogate())
                    ++k;
                else
                    ASSERT_FALSE(c.isSurrogate()) << "unpaired surrogate";
            }
        }
        ASSERT_LE(total, input.size());
        ASSERT_LE(r.lines.size(), input.size());
    };

    // Raw random bytes, half of them behind a rich-text opening so the parser sees them.
    for (int k = 0; k < 3000; ++k) {
        QByteArray b(below(400), '\0');
        for (char& c : b)
            c = char(rng());
        check(k % 2 ? "{\\rtf1 " + b : b);
    }

    // Random streams of rich-text pieces reach far more of the parser than raw bytes.
    const char* pieces[] = {"{", "}", "\\", "\\'", "\\'e9", "\\'8", "\\u", "\\u-", "\\u8217",
                            "\\u-10179", "\\u99999999999", "\\uc0", "\\uc2", "\\uc-1", "\\bin",
                            "\\bin3 ", "\\bin99999999999", "\\par", "\\line", "\\tab", "\\cell",
                            "\\row", "\\*", "\\fonttbl", "\\pict", "\\plain", " ", "a", "?",
                            "\r\n", "\\~", "\\-", "\\\r", "9", "-", "\xe9", "\x80"};
    for (int k = 0; k < 3000; ++k) {
        QByteArray b = "{\\rtf1";
        for (qsizetype m = below(80); m > 0; --m)
            b += pieces[below(std::size(pieces))];
        check(b);
    }

    // Damaged copies of real-looking documents.
    const QByteArray samples[] = {kWordPad, kLibreOffice};
    for (int k = 0; k < 4000; ++k) {
        QByteArray b = samples[k % 2];
        for (int edits = 1 + int(below(4)); edits > 0; --edits) {
            const qsizetype at = below(b.size());
            switch (below(6)) {
            case 0: b.truncate(at); break;
            case 1: if (at < b.size()) b[at] = char(b[at] ^ (1 << below(8))); break;
            case 2: b.insert(at, '{'); break;
            case 3: b.insert(at, '}'); break;
            case 4: if (at < b.size()) b.remove(at, 1 + below(8)); break;
            default: b.insert(at, '\\'); break;
            }
        }
        check(b);
    }
    check(kWordPad.left(kWordPad.size() / 2) + QByteArray(100000, '{') + kLibreOffice);
    check("{\\rtf1 " + QByteArray(100000, '}'));
}
