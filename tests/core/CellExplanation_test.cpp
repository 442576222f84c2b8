#include "TestWard.h"
#include "roster/CellExplanation.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(CellExplanation, SaysHowEachBoxIsRead)
{
    const WardSettings s = test::TestWardSettings();
    struct Case {
        const char* text;
        const char* said;
        bool nothing;
    };
    const Case cases[] = {
        {"LATE", "LATE \u00B7 7.5 h \u00B7 late shift", false},
        {"SICK EARLY", "SICK EARLY \u00B7 7.5 h \u00B7 early shift rostered, sickness, not counted on the shift", false},
        {"1-9", "1-9 \u00B7 7.5 h \u00B7 no shift kind (write EARLY, LATE or NIGHT with the times)", false},
        {"HOL", "HOL \u00B7 7.5 h \u00B7 holiday", false},
        {"STUDY 4", "STUDY 4 \u00B7 4 h \u00B7 study day", false},
        {"LAET", "LAET \u00B7 0 h \u00B7 counts for nothing: no hours, no shift, no known code", true},
        {"HOL 7..5", "HOL 7..5 \u00B7 '7..5' is not a valid floating point value", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        bool nothing = !c.nothing;
        EXPECT_EQ(ExplainDutyText(s, QString::fromUtf8(c.text), &nothing), QString::fromUtf8(c.said)) << c.text;
        EXPECT_EQ(nothing, c.nothing) << c.text;
    }
    const QString since = QStringLiteral("05/10/2026");
    EXPECT_EQ(ExplainHoursSet(QStringLiteral("37.5 -17.5"), since),
              QString::fromUtf8("contract 37.5 h; \u221217.5 h carried over from the weeks since 05/10/2026"));
    EXPECT_EQ(ExplainHoursSet(QStringLiteral("30+2.5"), since),
              QStringLiteral("contract 30 h; +2.5 h carried over from the weeks since 05/10/2026"));
    EXPECT_EQ(ExplainHoursSet(QStringLiteral("37.5"), since), QStringLiteral("contract 37.5 h"));
    EXPECT_EQ(ExplainRequired(1, 4, QStringLiteral("6")), QStringLiteral("4 on the early shift, 6 needed"));
    EXPECT_EQ(ExplainRequired(3, 1, QStringLiteral("x")), QStringLiteral("1 on the night shift"));
    EXPECT_EQ(ExplainNonPrefBar(12, since), QStringLiteral("12 non-preferred shifts since 05/10/2026"));
    EXPECT_EQ(ExplainNonPrefBar(1, since), QStringLiteral("1 non-preferred shift since 05/10/2026"));
}
