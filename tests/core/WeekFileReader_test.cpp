#include "TestWard.h"
#include "weeks/HistoryScan.h"
#include "weeks/WeekFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

// The history scan reads a week as the load does: what the load refuses the scan leaves
// out with the same words. It asks one thing more: hours worked that are a number.
TEST(WeekFileReader, HistoryReadsAWeekByTheLoadersRule)
{
    test::BritishDates dates;
    struct Case {
        int line;
        const char* text;
        bool loadReads, scanReads;
        float carried = 37.5f;  // what the scan carries over when it reads the week
    };
    const int ann = WeekFileBlockStart(1);
    const Case cases[] = {
        {ann + 3, "1.5", false, false},                     // non-preferred count
        {ann + 2, "seven", true, false},                    // hours worked: shown text to the load
        {ann + 1, "37.5 +2.5", false, false},               // contracted hours
        {WeekFileColourLine(1, 1), "red", false, false},    // a line the scan never uses
        {5, "EAR\x01LY", false, false},                     // a control character in a duty name
        {ann + 4, "EARLY", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QTemporaryDir dir;
        WeekFileData d;
        d.weekCommencing = QDate(2025, 9, 1);
        for (int line = 1; line <= kLines; ++line) {
            d.lines[line].contracted = 37.5f;
            d.lines[line].nonPref = 0;
        }
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                d.required[day][shift] = QStringLiteral("0");
        d.lines[1].name = QStringLiteral("Ann");
        QStringList lines = WeekFileText(d).split(QStringLiteral("\r\n"));
        lines[c.line - 1] = QString::fromLatin1(c.text);
        const QString path = dir.filePath(QStringLiteral("w.rwk"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines.join(QStringLiteral("\r\n")).toUtf8());
        f.close();

        WeekFileData read;
        QString loadError;
        EXPECT_EQ(ReadWeekFile(path, &read, &loadError), c.loadReads) << loadError.toStdString();
        HistoryScan scan;
        QStringList left;
        EXPECT_EQ(ScanStoredWeeks(dir.path(), QDate(2025, 8, 4), QDate(2025, 10, 6), scan, &left), c.scanReads)
            << left.join(u' ').toStdString();
        const QString scanError = left.value(0);
        const QString damaged = DamagedWeekFileMessage(path, c.line, QString());
        if (!c.loadReads) {
            EXPECT_TRUE(loadError.startsWith(damaged)) << loadError.toStdString();
        }
        if (!c.scanReads) {
            EXPECT_TRUE(scanError.startsWith(damaged)) << scanError.toStdString();
        } else {
            EXPECT_EQ(scan.NameAdjHours[0], c.carried);
        }
        if (!c.loadReads && !c.scanReads) {
            EXPECT_EQ(scanError, loadError);
        }
    }
}
