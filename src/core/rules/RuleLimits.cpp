#include "rules/RuleLimits.h"

#include "util/FileAccess.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"

#include <QLocale>
#include <cmath>

namespace tavrola {

namespace {

struct RuleInfo {
    const char* key;
    double limit;
    bool days;
    const char* source;
    const char* description;
    const char* title;
};

const RuleInfo kRules[kRuleCount] = {
    {"daily_rest", 11, false, "WTR reg. 10", "HOURS OF REST BETWEEN TWO DUTIES, AT LEAST", "Daily rest"},
    {"weekly_rest", 24, false, "WTR reg. 11", "HOURS OF UNBROKEN REST IN EACH WEEK, AT LEAST", "Weekly rest"},
    {"shift_length", 12.5, false, "HSE (12 h plus a break)", "HOURS ONE DUTY MAY LAST, BREAKS INCLUDED, AT MOST", "Shift length"},
    {"consecutive_days", 6, true, "HSE, WTR reg. 11", "DAYS ON DUTY IN A ROW, AT MOST", "Days in a row"},
    {"consecutive_nights", 4, true, "HSE (2-3 good practice)", "NIGHTS IN A ROW, AT MOST", "Nights in a row"},
    {"rest_after_nights", 46, false, "NHS Employers / BMA; HSE", "HOURS OF REST AFTER THE LAST NIGHT OF A RUN, AT LEAST", "Rest after nights"},
    {"weekly_hours", 48, false, "WTR reg. 4 (weekly warning)", "WORKING HOURS IN ONE WEEK, AT MOST", "Weekly hours"},
    {"average_hours", 48, false, "WTR reg. 4", "AVERAGE WEEKLY HOURS OVER 17 WEEKS, AT MOST", "Average weekly hours"},
};

constexpr int kKeyWidth = 25, kValueWidth = 40;
const QLatin1StringView kOnSuffix("_on");

QString DamagedLine(const QString& path, int line, const QString& reason)
{
    return QStringLiteral("Cannot read rules file %1, line %2: %3").arg(Quoted(path)).arg(line).arg(reason);
}

// The shortest text that reads back as the same limit, without an exponent.
QString NumberText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

// A limit: a number with "." or "," as its point; days are whole and at least 1.
bool ParseLimit(const QString& text, bool days, double* value)
{
    QString t = text;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > 10000)
        return false;
    if (days && (v < 1 || v != std::floor(v)))
        return false;
    *value = v;
    return true;
}

bool ParseSwitch(const QString& text, bool* on)
{
    const QString t = text.toLower();
    if (t == u"1" || t == u"yes" || t == u"on" || t == u"true")
        *on = true;
    else if (t == u"0" || t == u"no" || t == u"off" || t == u"false")
        *on = false;
    else
        return false;
    return true;
}

}  // namespace

QLatin1StringView RuleKey(Rule rule)
{
    return QLatin1StringView(kRules[int(rule)].key);
}

bool RuleCountsDays(Rule rule)
{
    return kRules[int(rule)].days;
}

QLatin1StringView RuleSource(Rule rule)
{
    return QLatin1StringView(kRules[int(rule)].source);
}

QLatin1StringView RuleTitle(Rule rule)
{
    return QLatin1StringView(kRules[int(rule)].title);
}

QLatin1StringView RuleDescription(Rule rule)
{
    return QLatin1StringView(kRules[int(rule)].description);
}

RuleLimits::RuleLimits()
{
    for (int k = 0; k < kRuleCount; ++k)
        rules[k].limit = kRules[k].limit;
}

double RuleLimits::DefaultLimit(Rule rule)
{
    return kRules[int(rule)].limit;
}

RulesFileRead ParseRulesLines(const QStringList& lines, const QString& path)
{
    RulesFileRead read;
    read.found = true;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (const qsizetype semicolon = line.indexOf(u';'); semicolon >= 0)
            line.truncate(semicolon);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const int shown = int(n + 1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            read.problems += DamagedLine(path, shown, QStringLiteral("not a \"key = value\" line"));
            continue;
        }
        QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const bool isSwitch = key.endsWith(kOnSuffix);
        if (isSwitch)
            key.chop(kOnSuffix.size());
        int k = 0;
        while (k < kRuleCount && key != QLatin1StringView(kRules[k].key))
            ++k;
        if (k == kRuleCount) {
            read.problems += DamagedLine(path, shown, QStringLiteral("unknown key %1").arg(Quoted(line.left(equals).trimmed())));
            continue;
        }
        RuleLimit& rule = read.limits.rules[k];
        if (isSwitch) {
            if (!ParseSwitch(value, &rule.on))
                read.problems += DamagedLine(path, shown,
                                             QStringLiteral("%1 is not 1 or 0; the rule stays %2")
                                                 .arg(Quoted(value), rule.on ? QStringLiteral("on") : QStringLiteral("off")));
        } else if (!ParseLimit(value, kRules[k].days, &rule.limit)) {
            read.problems += DamagedLine(path, shown,
                                         QStringLiteral("%1 is not %2; the default %3 is kept")
                                             .arg(Quoted(value),
                                                  kRules[k].days ? QStringLiteral("a whole number of days")
                                                                 : QStringLiteral("a number of hours"),
                                                  NumberText(kRules[k].limit)));
            rule.limit = kRules[k].limit;
        }
    }
    return read;
}

RulesFileRead ReadRulesFile(const QString& path)
{
    if (!PathEntryExists(path))
        return RulesFileRead();
    const TextFileRead file = ReadTextFile(path);
    if (!file.ok) {
        RulesFileRead read;
        read.problems += file.error;
        return read;
    }
    return ParseRulesLines(file.lines, path);
}

QString RulesFileText(const RuleLimits& limits)
{
    QString text = QStringLiteral(";WORKING-TIME RULES OF THE WARD: A LIMIT AND A SWITCH (1 = CHECKED, 0 = OFF) PER RULE\r\n\r\n");
    for (int k = 0; k < kRuleCount; ++k) {
        const RuleInfo& info = kRules[k];
        const QString key = QLatin1StringView(info.key);
        text += PadToWidth(key, kKeyWidth) + QStringLiteral("= ") +
                PadToWidth(NumberText(limits.rules[k].limit), kValueWidth) + u';' +
                QLatin1StringView(info.description) + QStringLiteral(" (") + QLatin1StringView(info.source) +
                QStringLiteral(")\r\n");
        text += PadToWidth(key + kOnSuffix, kKeyWidth) + QStringLiteral("= ") +
                PadToWidth(limits.rules[k].on ? QStringLiteral("1") : QStringLiteral("0"), kValueWidth) +
                QStringLiteral(";\r\n");
    }
    return text;
}

bool WriteRulesFile(const QString& path, const RuleLimits& limits, QString* error)
{
    return WriteTextFileAtomically(path, RulesFileText(limits), error);
}

}  // namespace tavrola
