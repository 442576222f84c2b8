#include "document/RecoveryRecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

namespace tavrola {

namespace {
const QString kHeader = QStringLiteral("Tavrola recovery 1");

QString Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        if (text[i] == u'\\')
            out += u'\\';
        else if (text[i] == u'n')
            out += u'\n';
        else if (text[i] == u'r')
            out += u'\r';
        else
            return std::nullopt;
    }
    return out;
}

// One field line: "<key> <a> <b> <text>", the text escaped.
void Put(QString& out, QLatin1StringView key, int a, int b, const QString& text)
{
    out += key;
    out += u' ';
    out += QString::number(a);
    out += u' ';
    out += QString::number(b);
    out += u' ';
    out += Escape(text);
    out += u'\n';
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The per-line texts of a week and their keys, for writing and reading alike.
using LineTexts = QString (WeekData::*)[kLines + 1];
const struct {
    QLatin1StringView key;
    LineTexts texts;
} kLineFields[] = {
    {QLatin1StringView("hint"), &WeekData::Hints},         {QLatin1StringView("name"), &WeekData::Names},
    {QLatin1StringView("grade"), &WeekData::Grades},       {QLatin1StringView("hoursset"), &WeekData::HoursSet},
    {QLatin1StringView("worked"), &WeekData::HoursWorked}, {QLatin1StringView("notes"), &WeekData::Notes},
};
}  // namespace

QString RecoveryText(const RecoveryRecord& r)
{
    const WeekData blank;
    const WeekData& w = r.week;
    QString out = kHeader + u'\n';
    out += QStringLiteral("ward ") + Escape(r.wardFolder) + u'\n';
    out += QStringLiteral("file ") + Escape(r.weekFile) + u'\n';
    out += QStringLiteral("week ") + r.monday.toString(Qt::ISODate) + u'\n';
    out += QStringLiteral("written ") + r.written.toUTC().toString(Qt::ISODateWithMs) + u'\n';
    for (int line = 1; line <= kLines; ++line) {
        for (int day = 1; day <= kDays; ++day) {
            if (!w.Cells[day][line].isEmpty())
                Put(out, QLatin1StringView("cell"), day, line, w.Cells[day][line]);
            if (w.CellColours[day][line] != blank.CellColours[day][line])
                Put(out, QLatin1StringView("colour"), day, line, QString::number(w.CellColours[day][line]));
        }
        for (const auto& f : kLineFields)
            if (!(w.*f.texts)[line].isEmpty())
                Put(out, f.key, 0, line, (w.*f.texts)[line]);
        if (w.NonPrefCount[line] != 0)
            Put(out, QLatin1StringView("nonpref"), 0, line, QString::number(w.NonPrefCount[line]));
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            Put(out, QLatin1StringView("required"), day, shift, w.Required[day][shift]);
    out += QStringLiteral("end\n");
    return out;
}

std::optional<RecoveryRecord> ParseRecoveryText(const QString& text, QString* error)
{
    const QStringList lines = text.split(u'\n');
    int at = 0;
    auto fail = [&](const QString& why) -> std::optional<RecoveryRecord> {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(at + 1).arg(why);
        return std::nullopt;
    };
    if (lines.isEmpty() || lines[0] != kHeader)
        return fail(QStringLiteral("not a recovery file"));
    RecoveryRecord r;
    auto place = [&](int index, QLatin1StringView key) -> std::optional<QString> {
        at = index;
        if (index >= lines.size() || !lines[index].startsWith(key + u' '))
            return std::nullopt;
        return Unescape(QStringView(lines[index]).mid(key.size() + 1));
    };
    const auto ward = place(1, QLatin1StringView("ward"));
    const auto file = ward ? place(2, QLatin1StringView("file")) : std::nullopt;
    const auto week = file ? place(3, QLatin1StringView("week")) : std::nullopt;
    const auto written = week ? place(4, QLatin1StringView("written")) : std::nullopt;
    if (!written)
        return fail(QStringLiteral("the header is damaged"));
    r.wardFolder = *ward;
    r.weekFile = *file;
    r.monday = QDate::fromString(*week, Qt::ISODate);
    r.written = QDateTime::fromString(*written, Qt::ISODateWithMs);
    at = 3;
    if (!r.monday.isValid() || !r.written.isValid())
        return fail(QStringLiteral("the week or the time is not a date"));
    bool ended = false;
    for (at = 5; at < lines.size(); ++at) {
        const QString& l = lines[at];
        if (l == QLatin1String("end")) {
            ended = true;
            break;
        }
        const QStringList parts = l.split(u' ');
        if (parts.size() < 4)
            return fail(QStringLiteral("a field line is incomplete"));
        bool okA = false, okB = false;
        const int a = parts[1].toInt(&okA), b = parts[2].toInt(&okB);
        const qsizetype textStart = parts[0].size() + parts[1].size() + parts[2].size() + 3;
        const auto value = Unescape(QStringView(l).mid(textStart));
        if (!okA || !okB || !value)
            return fail(QStringLiteral("a field line does not read"));
        const QString& key = parts[0];
        WeekData& w = r.week;
        const bool cellPlace = InRange(a, 1, kDays) && InRange(b, 1, kLines);
        const bool linePlace = a == 0 && InRange(b, 1, kLines);
        if (key == QLatin1String("cell") && cellPlace) {
            w.Cells[a][b] = *value;
        } else if (key == QLatin1String("colour") && cellPlace) {
            bool ok = false;
            const uint c = value->toUInt(&ok);
            if (!ok || c > 0xFFFFFFu)
                return fail(QStringLiteral("a colour does not read"));
            w.CellColours[a][b] = Colour(c);
        } else if (key == QLatin1String("required") && InRange(a, 1, kDays) && InRange(b, 1, kShifts)) {
            w.Required[a][b] = *value;
        } else if (key == QLatin1String("nonpref") && linePlace) {
            bool ok = false;
            w.NonPrefCount[b] = value->toInt(&ok);
            if (!ok)
                return fail(QStringLiteral("a count does not read"));
        } else {
            const auto* f = std::find_if(std::begin(kLineFields), std::end(kLineFields),
                                         [&](const auto& field) { return field.key == key; });
            if (!linePlace || f == std::end(kLineFields))
                return fail(QStringLiteral("unknown field \"%1\"").arg(key.left(20)));
            (w.*f->texts)[b] = *value;
        }
    }
    if (!ended)
        return fail(QStringLiteral("the file ends early"));
    return r;
}

QString RecoveryFolder()
{
    const QString env = qEnvironmentVariable("TAVROLA_RECOVERY_DIR");
    const QString folder = !env.isEmpty()
        ? env
        : QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
    return QDir::cleanPath(folder);
}

QString RecoveryWardPrefix(const QString& wardFolder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(wardFolder).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(16));
}

QString RecoveryFileName(const QString& folder, const QString& wardFolder, const QDate& monday, qint64 pid)
{
    return folder + u'/' + RecoveryWardPrefix(wardFolder) + u'-' + monday.toString(QStringLiteral("yyyyMMdd")) + u'-' +
           QString::number(pid) + QStringLiteral(".twr");
}

QString RestoreQuestion(const RecoveryRecord& record, const QDateTime& now)
{
    const QDateTime local = record.written.toLocalTime();
    const QString when = local.date() == now.toLocalTime().date()
        ? local.toString(QStringLiteral("HH:mm"))
        : local.toString(QStringLiteral("d MMM yyyy HH:mm"));
    return QStringLiteral("Restore the unsaved changes to the week of %1 from %2?")
        .arg(record.monday.toString(QStringLiteral("d MMM yyyy")), when);
}

}  // namespace tavrola
