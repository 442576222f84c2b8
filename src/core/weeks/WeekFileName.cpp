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

QString WeekFileBaseName(const QDate& weekCommencing, const QString& ward)
{
    return SafeFileNamePart(LongDateText(weekCommencing) + QStringLiteral(" (") + ward + QStringLiteral(")")) +
           QStringLiteral(".rwk");
}

QString WeekFileName(const QString& folder, const QDate& weekCommencing, const QString& ward)
{
    return folder + WeekFileBaseName(weekCommencing, ward);
}

QString WeekFileBaseName(const WardSettings& settings, const QDate& monday)
{
    return WeekFileBaseName(monday, settings.WARD);
}

QString WeekFileName(const QString& folder, const WardSettings& settings, const QDate& monday)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'/';
    return path + WeekFileBaseName(monday, settings.WARD);
}

}  // namespace tavrola
