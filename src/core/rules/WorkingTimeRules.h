#pragma once
#include "roster/WeekData.h"
#include "rules/RuleLimits.h"
#include "settings/DutyText.h"
#include "settings/WardSettings.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavrola {

// A stored week as the rules read it: its Monday, its names and cells (1-based like the
// grid), and the ward settings with that week's own duty names and hours laid over them
// (the shift times stay the ward's).
struct RuleWeek {
    QDate monday;
    QString names[kLines + 1];
    QString cells[kDays + 1][kLines + 1];
    WardSettings settings;
};

// One duty: minutes from 00:00 on the checked week's Monday, and the day of its cell
// (-6..0 last week, 1..7 this week, 8..14 next week).
struct RuleDuty {
    int start = 0;
    int end = 0;
    int day = 0;
    bool night = false;
    QString text;  // the cell, trimmed, for the messages
};

// What the stored weeks around one week hold for one person.
struct RulePersonHistory {
    std::vector<RuleDuty> duties;  // last week's and next week's, in order of start
    double hoursBefore = 0;        // working hours of the 16 weeks before that hold the person
    int weeksBefore = 0;           // how many of them do
};

// The stored weeks around a week, evaluated once when the week is picked, so a check after
// each edit evaluates only the week shown.
struct RuleHistory {
    QDate monday;                                  // the week they surround
    QHash<QString, RulePersonHistory> people;      // by name in upper case
    int weeksRead = 0;                             // stored week files read
    QStringList damaged;                           // one message per file that did not read
};

// Lays the stored weeks out around `monday`: the week before and after give duties, the
// 16 before give hours. Other weeks, and this week's own, are left out. A person is the
// first line of a week with that name (upper case).
RuleHistory PrepareRuleHistory(const QDate& monday, const std::vector<RuleWeek>& stored);

// One broken rule.
struct Breach {
    Rule rule = Rule::DailyRest;
    int line = 0;       // 1..25
    QString name;       // as on the line
    int day = 0;        // 1..7
    double value = 0;   // hours, or days for the counting rules
    double limit = 0;
    QString text;       // one sentence for the cell's tool tip
};

// Every breach of the week as shown (its cells read with `settings`), ordered by line,
// day, rule and value. Lines without a name are not checked; `history` counts only when it
// surrounds `monday`.
// `lines`, when given, names the lines to check (indexed 1..25); the others are left out.
std::vector<Breach> CheckWorkingTime(const WardSettings& settings, const RuleLimits& limits, const WeekData& week,
                                     const QDate& monday, const RuleHistory& history,
                                     const bool* lines = nullptr);

// The checks of one line over its duties of three weeks (last week's, this week's, next
// week's, in order of start) and this week's hours per day; appends its breaches to `out`.
// `history` may be null.
void CheckLineDuties(const RuleLimits& limits, int line, const QString& name, std::vector<RuleDuty>& duties,
                     const float (&dayHours)[kDays + 1], const RulePersonHistory* history, std::vector<Breach>& out);

// The duties of one cell (pieces that neither overlap nor touch are separate duties), with
// the evaluator's hours when it is work. An absence, "DO", an empty cell or any other text
// gives none.
struct CellDuties {
    RuleDuty pieces[3];
    int count = 0;
    float hours = 0;
};

// Reads cells as duties under one set of settings: a clock range as the evaluator walks it
// (night when it flags the night shift), else the shift names before the first absence
// code, over the ward's shift times. The settings must outlive the reader.
class CellDutyReader {
public:
    explicit CellDutyReader(const WardSettings& settings);
    // `day` numbers the cell as RuleDuty::day does.
    CellDuties Read(const QString& text, int day) const;

private:
    DutyEvaluator evaluator_;
    int spanStart_[3] = {};   // AM, PM, N: minutes after midnight
    int spanLength_[3] = {};
};

// Hours and days as messages show them: at most two decimals, no trailing zeros.
QString RuleNumberText(double value);

}  // namespace tavrola
