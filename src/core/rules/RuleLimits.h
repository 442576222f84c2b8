#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tavrola {

// The working-time rules, in the order breaches are listed.
enum class Rule {
    DailyRest,
    WeeklyRest,
    ShiftLength,
    ConsecutiveDays,
    ConsecutiveNights,
    RestAfterNights,
    WeeklyHours,
    AverageHours,
};
inline constexpr int kRuleCount = 8;

// The rule's name in Rules.txt and in the command line's output: "daily_rest", ...
QLatin1StringView RuleKey(Rule rule);
// Whether the rule counts days (a whole number) rather than hours.
bool RuleCountsDays(Rule rule);
// Where the default comes from, for the rules dialog and the guide ("WTR reg. 10").
QLatin1StringView RuleSource(Rule rule);
// The rule's name for people: "Daily rest", "Nights in a row", ...
QLatin1StringView RuleTitle(Rule rule);
// The rule's short description as Rules.txt comments it.
QLatin1StringView RuleDescription(Rule rule);

struct RuleLimit {
    bool on = true;
    double limit = 0;  // hours, or days for the counting rules
    bool operator==(const RuleLimit&) const = default;
};

// Every rule's limit and switch; a new value holds the defaults.
struct RuleLimits {
    RuleLimit rules[kRuleCount];

    RuleLimits();
    static double DefaultLimit(Rule rule);
    RuleLimit& operator[](Rule rule) { return rules[int(rule)]; }
    const RuleLimit& operator[](Rule rule) const { return rules[int(rule)]; }
    bool operator==(const RuleLimits&) const = default;
};

inline const QString kRulesFileName = QStringLiteral("Rules.txt");

// The outcome of reading Rules.txt: the limits (defaults where the file or a key is
// absent, and where a line is damaged) and one message per damaged line, naming the
// file and the line.
struct RulesFileRead {
    RuleLimits limits;
    bool found = false;       // the file exists and was read
    QStringList problems;     // damaged lines, and a file that exists but cannot be read
};

// Reads "key = value ;comment" lines: "daily_rest = 11" sets a limit, "daily_rest_on = 0"
// switches a rule off (1/0, yes/no, on/off, true/false). Blank lines and lines that start
// with ";" are comments.
RulesFileRead ParseRulesLines(const QStringList& lines, const QString& path);
RulesFileRead ReadRulesFile(const QString& path);

// The whole file in Staff.txt's column layout, CR LF lines, every key written.
QString RulesFileText(const RuleLimits& limits);
// Replaces the file atomically; on failure `error` names it and the old file stays.
bool WriteRulesFile(const QString& path, const RuleLimits& limits, QString* error);

}  // namespace tavrola
