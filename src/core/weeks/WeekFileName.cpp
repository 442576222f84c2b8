#include "weeks/WeekFileName.h"

#include "util/Locale.h"

namespace tavrola {

QString SafeFileNamePart(const QString& text)
{
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || kForbidden.contains(c))
            c = u'-';
    return out;
}

QString WeekFileBaseName(const WardModel& model)
{
    return WeekFileBaseName(model.Settings, model.Week.PickerDate);
}

QString WeekFileBaseName(const WardSettings& settings, const QDate& monday)
{
    return SafeFileNamePart(LongDateText(monday) + QStringLiteral(" (") + settings.WARD + QStringLiteral(")")) +
           QStringLiteral(".rwk");
}

QString WeekFileName(const QString& folder, const WardSettings& settings, const QDate& monday)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'/';
    return path + WeekFileBaseName(settings, monday);
}

QString WeekFileName(const WardModel& model)
{
    return model.Week.DataFolder + WeekFileBaseName(model);
}

}  // namespace tavrola
