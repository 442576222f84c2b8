#pragma once
#include <QString>
#include <QStringList>

class QTextDocument;

namespace tavrola {

inline const QString kClinicFileName = QStringLiteral("Clinic.rtf");

// The plain lines of Clinic.rtf in the data folder. A missing file gives no lines and no
// error; one that cannot be read (a folder, a pipe, a looping link) gives no lines and
// `error` naming it.
QStringList ReadClinicLines(const QString& dataFolder, QString* error);

// The clinic editor's reading of Clinic.rtf into `doc`: a missing file gives an empty
// document and true; one that cannot be read gives false and `error` naming it.
bool LoadClinicDocument(const QString& dataFolder, QTextDocument* doc, QString* error);
// Saves the editor's document as Clinic.rtf, atomically (creating the file if need be).
bool SaveClinicDocument(const QString& dataFolder, const QTextDocument& doc, QString* error);

}  // namespace tavrola
