// The demo ward as the benchmarks use it: its latest stored week on a model's grid, and
// ten years of generated weekly files made from that week.
#pragma once
#include "document/Totals.h"
#include "document/StaffOnGrid.h"
#include "document/WardModel.h"
#include "util/TextFile.h"
#include "document/WeekFileLoad.h"
#include "weeks/WeekFileReader.h"
#include "weeks/WeekView.h"

#include <QDate>
#include <QTemporaryDir>

namespace tavrola::bench {

inline const QString kDemoWeekFile = QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk");

// The demo ward with its latest stored week on the grid, totals connected.
inline void LoadDemoWeek(WardModel& model)
{
    model.Week.DataFolder = QStringLiteral(TAVROLA_DEMO_DIR);
    ConnectTotals(model);
    QString error;
    WeekFileData week;
    WeekView labels;
    if (!Read_StaffTxtFile(model, &error) || !ReadWeekFile(model.Week.DataFolder + kDemoWeekFile, &week, &error))
        qFatal("%s", qPrintable(error));
    ApplyWeekFile(model, labels, week);
}

constexpr int kTenYearsOfWeeks = 520;
inline const QDate kFirstGeneratedWeek(2016, 1, 4);  // a Monday

// A folder of kTenYearsOfWeeks week files from kFirstGeneratedWeek on, each the demo
// ward's latest week under its own date; it lives as long as the program.
inline const QString& TenYearsOfWeeks()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        WeekFileData week;
        QString error;
        if (!dir.isValid() || !ReadWeekFile(QStringLiteral(TAVROLA_DEMO_DIR) + kDemoWeekFile, &week, &error))
            qFatal("%s", qPrintable(error));
        for (int i = 0; i < kTenYearsOfWeeks; ++i) {
            week.weekCommencing = kFirstGeneratedWeek.addDays(7 * i);
            const QString path = dir.filePath(QStringLiteral("week %1.rwk").arg(i, 4, 10, QLatin1Char('0')));
            if (!WriteTextFileAtomically(path, WeekFileText(week), &error))
                qFatal("%s", qPrintable(error));
        }
        return dir.path() + QLatin1Char('/');
    }();
    return folder;
}

}  // namespace tavrola::bench
