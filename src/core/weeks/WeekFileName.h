#pragma once
#include "settings/WardSettings.h"

#include <QDate>
#include <QString>

namespace tavrola {

// The text with every character that cannot stand in a file name (/ \ : * ? " < > |
// and control characters) replaced by "-".
QString SafeFileNamePart(const QString& text);

// The week's file name without folder: the picker's date in the long date format, a
// blank, the ward name in brackets, ".rwk"; "Monday, 22 December 2008 (Ward 9).rwk".
QString WeekFileBaseName(const QDate& weekCommencing, const QString& ward);

// The same in the data folder (which ends in a separator): the name the week selection
// looks for.
QString WeekFileName(const QString& folder, const QDate& weekCommencing, const QString& ward);

// The same from the ward's settings, in `folder` (a separator is added when missing).
QString WeekFileBaseName(const WardSettings& settings, const QDate& monday);
QString WeekFileName(const QString& folder, const WardSettings& settings, const QDate& monday);

}  // namespace tavrola
