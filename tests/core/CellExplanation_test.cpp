#include "TestWard.h"
#include "roster/CellExplanation.h"
#include "roster/ShiftCover.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(CellExplanation, SaysHowEachBoxIsReadAndMarked)
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
    // Spoken: commas and words for a screen reader; an empty cell says so.
    EXPECT_EQ(SpokenDutyText(s, QStringLiteral("STUDY 4")), QStringLiteral("STUDY 4, 4 hours, study day"));
    EXPECT_EQ(SpokenDutyText(s, QString()), QStringLiteral("empty"));
    // The contract's mark and the counts under the required boxes, with their glyphs.
    const struct {
        const char* set;
        float worked;
        const char* mark;
    } contracts[] = {{"37.5", 37.5f, "="}, {"37.5 -7.5", 37.5f, "+7.5"}, {"30+2.5", 30, "\u22122.5"}, {"", 30, ""}};
    for (const auto& c : contracts)
        EXPECT_EQ(ContractMark(QString::fromLatin1(c.set), c.worked), QString::fromUtf8(c.mark)) << c.set;
    const struct {
        bool read;
        int required, counted;
        Cover cover;
        const char* text;
        const char* said;
    } covers[] = {
        {true, 5, 3, Cover::Short, "\u25BC3", "3 on the early shift, 5 needed: 2 short"},
        {true, 4, 4, Cover::Staffed, "=4", "4 on the early shift, 4 needed: staffed"},
        {true, 0, 2, Cover::Surplus, "\u25B22", "2 on the early shift, 0 needed: 2 more than required"},
        {false, 0, 1, Cover::Unknown, "!1", "1 on the early shift; the required box is not a whole number"},
        {true, 40, 30, Cover::Short, "\u25BC30", "30 on the early shift, 40 needed: 10 short"},  // beyond the kept texts
    };
    for (const auto& c : covers) {
        EXPECT_EQ(CoverOf(c.read, c.required, c.counted), c.cover);
        EXPECT_EQ(CoverText(c.cover, c.counted), QString::fromUtf8(c.text));
        EXPECT_EQ(CoverDescription(1, c.cover, c.counted, c.required), QString::fromUtf8(c.said));
    }
    EXPECT_EQ(ExplainNonPrefBar(12, since), QStringLiteral("12 non-preferred shifts since 05/10/2026"));
    EXPECT_EQ(ExplainNonPrefBar(1, since), QStringLiteral("1 non-preferred shift since 05/10/2026"));
}
