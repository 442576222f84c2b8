#pragma once
#include <QString>
#include <QStringList>

namespace tavrola {

inline const QString kClinicFileName = QStringLiteral("Clinic.rtf");

// The plain lines of Clinic.rtf in the data folder. A missing file gives no lines and no
// error; one that cannot be read (a folder, a pipe, a looping link) gives no lines and
// `error` naming it.
QStringList ReadClinicLines(const QString& dataFolder, QString* error);

}  // namespace tavrola
