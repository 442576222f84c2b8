#include "cli/CliCommon.h"

#include "clinics/ClinicFile.h"
#include "document/RequirementsStep.h"
#include "document/StaffOnGrid.h"
#include "document/Totals.h"
#include "document/WeekChain.h"
#include "document/WeekFileGuard.h"
#include "util/DataFolder.h"
#include "util/FileAccess.h"
#include "document/WeekFileLoad.h"
#include "weeks/WeekFileName.h"
#include "util/TextUtil.h"
#include "weeks/WeekSelection.h"

#include <QDir>
#include <QFileInfo>

namespace tavrola::cli {

bool LoadWard(WardModel& model, const QString& dataFolder, Console& io)
{
    model.Week.DataFolder = dataFolder;
    QString error;
    if (!Read_StaffTxtFile(model, &error)) {
        io.error(error);
        return false;
    }
    if (!model.Week.RosterFileLoaded)
        SetupRequiredNurses(model);
    return true;
}

bool OpenWardAndWeek(OpenWard& ward, const QString& dataFolder, const WeekRequest& request, Console& io)
{
    WardModel& model = ward.model;
    BatchUi& ui = ward.ui;
    if (request.startup.isValid())
        model.Week.StartupPickerDate = model.Week.PickerDate = request.startup;
    if (request.date.isValid())
        model.Week.PickerDate = WeekCommencingMonday(request.date);
    ConnectTotals(model);
    if (!LoadWard(model, dataFolder, io))
        return false;

    auto failed = [&](const QString& fallback) {
        io.error(OneLine(ui.errors.value(0, fallback)));
        return false;
    };
    const QString stored = request.date.isValid() ? WeekFileName(model) : QString();
    switch (request.pick) {
    case WeekPick::None: break;
    case WeekPick::File:
        if (!AutoLoadRWKfile(model, ward.labels, ui, AbsolutePath(request.file)))
            return failed(QString());
        break;
    case WeekPick::UserPick:
        // The user who picks a week wants its stored week and has nothing unsaved to keep.
        ui.yesNo = Answer::Yes;
        ui.yesNoCancel = Answer::No;
        DateTimePickerCloseUp(model, ward.labels, ui, true);
        // A stored week that does not load would show as an empty roster.
        if (QFileInfo(stored).isFile() && !model.Week.RosterFileLoaded)
            return failed(QStringLiteral("%1 did not load").arg(Quoted(stored)));
        break;
    case WeekPick::StoredOrNew:
        if (QFileInfo::exists(stored)) {
            if (!AutoLoadRWKfile(model, ward.labels, ui, stored))
                return failed(QString());
        } else {
            DateTimePickerCloseUp(model, ward.labels, ui, false);
        }
        break;
    case WeekPick::StoredFileOnly:
        if (PathEntryExists(stored)) {
            QString error;
            if (!LoadWeekFile(model, ward.labels, stored, &error)) {
                io.error(OneLine(error));
                return false;
            }
        }
        model.Week.WeekSelected = true;
        break;
    }
    for (const QString& message : std::as_const(ui.errors))
        io.error(OneLine(message));
    ward.reported += ui.errors;
    ui.errors.clear();
    return true;
}

bool MaySaveWeekTo(const QString& path, bool force, Console& io)
{
    if (force || !PathEntryExists(path))
        return true;
    FileLock probe(path);
    if (probe.tryLock())
        return true;
    io.error(QStringLiteral("The week file %1 is %2. Not saved (--force saves over it).")
                 .arg(Quoted(path), LockHolderText(probe.lockPath())));
    return false;
}

bool ClinicsReadOrLeftOut(OpenWard& ward, const CommandArgs& args, Console& io)
{
    if (args.flags.contains(QLatin1String(kNoClinicsOption.name))) {
        ward.model.ClinicsLeftOut = true;
        return true;
    }
    QString error;
    ReadClinicLines(args.dataFolder, &error);
    if (error.isEmpty())
        return true;
    io.error(OneLine(error));
    return false;
}

bool Forced(const CommandArgs& args)
{
    return args.flags.contains(QLatin1String(kForceOption.name));
}

QString AbsolutePath(const QString& path)
{
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return QDir::cleanPath(QDir::currentPath() + u'/' + path);
}

QString OneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

void JsonLine::key(const char* k)
{
    if (!body_.isEmpty())
        body_ += u',';
    body_ += quote(QString::fromUtf8(k));
    body_ += u':';
}

JsonLine& JsonLine::add(const char* k, const QString& value)
{
    key(k);
    body_ += quote(value);
    return *this;
}

JsonLine& JsonLine::add(const char* k, bool value)
{
    key(k);
    body_ += value ? QStringLiteral("true") : QStringLiteral("false");
    return *this;
}

JsonLine& JsonLine::add(const char* k, qint64 value)
{
    key(k);
    body_ += QString::number(value);
    return *this;
}

JsonLine& JsonLine::addFloat(const char* k, float value)
{
    key(k);
    body_ += FloatToShortest(value);
    return *this;
}

JsonLine& JsonLine::addRaw(const char* k, const QString& json)
{
    key(k);
    body_ += json;
    return *this;
}

JsonLine& JsonLine::addStrings(const char* k, const QStringList& values)
{
    key(k);
    body_ += u'[';
    for (int i = 0; i < values.size(); ++i) {
        if (i)
            body_ += u',';
        body_ += quote(values[i]);
    }
    body_ += u']';
    return *this;
}

QString JsonLine::quote(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        // A lone surrogate (a kept byte of a file name) as an escape, which JSON readers
        // take back as it was; UTF-8 output has no form for it.
        const bool paired = c.isHighSurrogate() ? i + 1 < s.size() && s[i + 1].isLowSurrogate()
                                                : c.isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate();
        if (c.isSurrogate() && !paired) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            continue;
        }
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

}  // namespace tavrola::cli
