#include "util/Locale.h"

#include <QLocale>

namespace tavrola {

void UseDefaultLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.name() == QLatin1String("C"))
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

QDate ParseDateText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const QLocale locale;
    QDate d = locale.toDate(t, QLocale::ShortFormat);
    if (d.isValid()) {
        // Qt reads two-digit years as 19xx; the ward means 1950..2049.
        const QString fmt = locale.dateFormat(QLocale::ShortFormat);
        if (!fmt.contains(QLatin1String("yyyy")) && d.year() < 1950)
            d = d.addYears(100);
        return d;
    }
    d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    if (!d.isValid())
        d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid()) {
        // A hand-typed short year: Qt reads 19xx; the ward means 1950..2049.
        d = QDate::fromString(t, QStringLiteral("d/M/yy"));
        if (d.isValid() && d.year() < 1950)
            d = d.addYears(100);
    }
    return d;
}

QString LongDateText(const QDate& date)
{
    return QLocale().toString(date, QLocale::LongFormat);
}

}  // namespace tavrola
