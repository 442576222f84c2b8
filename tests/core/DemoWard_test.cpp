#include "TestFiles.h"
#include "settings/StaffFile.h"
#include "settings/StarterWard.h"
#include "util/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

namespace {
std::vector<StaffEditorRow> rowsOf(const StaffFileReadResult& read)
{
    std::vector<StaffEditorRow> rows;
    for (const StaffGridLine& l : read.lines) {
        StaffEditorRow r{l.name, l.skills, l.grade, l.hoursSet, l.standardShift, {}};
        for (int day = 1; day <= kDays; ++day)
            r.preferred[day] = l.preferred[day];
        rows.push_back(r);
    }
    return rows;
}

}  // namespace

// The shipped demo ward is exactly what the writer makes of it, so users who copy its
// layout by hand copy the program's own.
TEST(DemoWard, StaffFileIsInTheWritersOwnLayout)
{
    const QString path = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt");
    const StaffFileReadResult read = ReadStaffFile(path, WardSettings());
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.lines.size(), 18u);
    EXPECT_TRUE(read.settings.AnalysisStartDateValid);
    EXPECT_EQ(read.settings.AMCoreHourCount, 8);
    const QString rewritten = StaffFileText(EditorDataFromSettings(read.settings, rowsOf(read)));
    EXPECT_EQ(rewritten.toUtf8(), test::ReadBytes(path));
}

TEST(DemoWard, DutyCodesNeverHideInsideOneAnother)
{
    for (const QString& path : {QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"), QString()}) {
        WardSettings s;
        if (path.isEmpty()) {  // the starter ward offered on a first start
            QTemporaryDir dir;
            ASSERT_TRUE(CreateStarterWard(dir.path() + u'/', nullptr));
            s = ReadStaffFile(dir.path() + QStringLiteral("/Staff.txt"), WardSettings()).settings;
        } else {
            s = ReadStaffFile(path, WardSettings()).settings;
        }
        for (int a = 1; a <= 14; ++a) {
            ASSERT_FALSE(s.DutyName(a).isEmpty());
            for (int b = 1; b <= 14; ++b) {
                if (a != b) {
                    EXPECT_FALSE(s.DutyName(a).toUpper().contains(s.DutyName(b).toUpper()))
                        << s.DutyName(a).toStdString() << " holds " << s.DutyName(b).toStdString();
                }
            }
        }
    }
}
