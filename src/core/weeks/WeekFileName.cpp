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

}  // namespace tavrola
