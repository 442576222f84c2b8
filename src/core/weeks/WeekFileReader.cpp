#include "weeks/WeekFileReader.h"

#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"
#include "weeks/WeekFileNumbers.h"

#include <algorithm>

namespace tavrola {

namespace {
// A week's first line is a short date; no more than this is read to find it.
constexpr qint64 kFirstLineBytes = 4096;
}  // namespace

QString DamagedWeekFileMessage(const QString& path, int line, const QString& reason)
{
    return QStringLiteral("Cannot read week file %1, line %2: %3").arg(Quoted(path)).arg(line).arg(reason);
}

QStringList ListWeekFiles(const QString& folder)
{
    QStringList names;
    for (const QString& name : RegularFileNames(folder))
        if (name.endsWith(QLatin1String(".rwk"), Qt::CaseInsensitive))
            names += name;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = UpperCase(a).compare(UpperCase(b));
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    QString prefix = folder;
    if (!prefix.isEmpty() && !prefix.endsWith(u'/'))
        prefix += u'/';
    for (const QString& name : names)
        paths += prefix + name;
    return paths;
}

bool ReadWeekFile(const QString& path, WeekFileData* data, QString* error)
{
    const FileBytes bytes = ReadFileBytes(path, kMaxTextFileBytes);
    if (!bytes.ok) {
        if (error)
            *error = bytes.error;
        return false;
    }
    return ParseWeekFileBytes(path, bytes.bytes, data, error);
}

bool ParseWeekFileBytes(const QString& path, const QByteArray& bytes, WeekFileData* data, QString* error)
{
    const TextFileRead file = DecodeTextFile(path, bytes);
    if (!file.ok) {
        if (error)
            *error = file.errorLine > 0 ? DamagedWeekFileMessage(path, file.errorLine, file.reason) : file.error;
        return false;
    }
    WeekFileParse parse = ParseWeekFile(file.lines);
    if (!parse.ok) {
        if (error)
            *error = DamagedWeekFileMessage(path, parse.errorLine, parse.reason);
        return false;
    }
    *data = std::move(parse.data);
    return true;
}

WeekFileHead ReadWeekFileHead(const QString& path)
{
    WeekFileHead head;
    const FileBytes file = ReadFileStart(path, kFirstLineBytes);
    if (!file.ok) {
        head.error = file.error;
        return head;
    }
    QString text;
    const WideText wide = DecodeWideText(file.bytes);
    if (wide.wide) {
        text = wide.text;
    } else {
        qsizetype end = 0;
        while (end < file.bytes.size() && file.bytes[end] != '\r' && file.bytes[end] != '\n')
            ++end;
        text = DecodeText(file.bytes.left(end));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            text.truncate(i);
    head.read = true;
    head.firstLine = text;
    head.date = ParseDateText(text);
    if (!head.date.isValid())
        head.error = DamagedWeekFileMessage(
            path, 1, QStringLiteral("'%1' is not a valid date").arg(WeekFileShownValue(text)));
    return head;
}

bool ReadWeekFileLines(const QString& path, int lastLine, QStringList* lines, QString* error)
{
    TextFileRead file = ReadTextFile(path);
    if (!file.ok) {
        *error = file.error;
        return false;
    }
    if (file.lines.size() < lastLine) {
        *error = DamagedWeekFileMessage(path, int(file.lines.size()) + 1, WeekFileEndsEarlyReason());
        return false;
    }
    *lines = std::move(file.lines);
    return true;
}

bool ReadHistoryBlock(const QString& path, const WeekFileData& week, int staff, WeekFileHistoryBlock* block,
                      QString* error)
{
    const WeekFileStaffLine& l = week.lines[staff];
    WeekFileHistoryBlock b;
    b.name = l.name;
    b.contracted = l.contracted.value_or(0);
    b.nonPref = l.nonPref.value_or(0);
    if (!l.hoursWorked.trimmed().isEmpty()) {
        const std::optional<float> v = WeekFileReal(l.hoursWorked);
        if (!v) {
            *error = DamagedWeekFileMessage(path, WeekFileBlockStart(staff) + 2,
                                            ConversionError::notFloat(WeekFileShownValue(l.hoursWorked)).message());
            return false;
        }
        b.worked = *v;
    }
    *block = b;
    return true;
}

QList<QDate> StoredWeekDates(const QString& folder)
{
    QList<QDate> dates;
    for (const QString& path : ListWeekFiles(folder)) {
        const WeekFileHead head = ReadWeekFileHead(path);
        if (head.read && head.date.isValid())
            dates.append(head.date);
    }
    return dates;
}

}  // namespace tavrola
