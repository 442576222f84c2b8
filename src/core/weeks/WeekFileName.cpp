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
    return SafeFileNamePart(LongDateText(model.Week.PickerDate) + QStringLiteral(" (") +
                            model.Settings.WARD + QStringLiteral(")")) +
           QStringLiteral(".rwk");
}

QString WeekFileName(const WardModel& model)
{
    return model.Week.DataFolder + WeekFileBaseName(model);
}

}  // namespace tavrola
