#include "clinics/ClinicFile.h"

#include "clinics/RtfReader.h"
#include "clinics/RtfWriter.h"

#include "util/FileAccess.h"

#include <QTextDocument>

namespace tavrola {

QStringList ReadClinicLines(const QString& dataFolder, QString* error)
{
    const QString path = dataFolder + kClinicFileName;
    if (dataFolder.isEmpty() || !PathEntryExists(path))
        return {};
    const RtfText clinics = ReadRtfFile(path);
    if (!clinics.ok && error)
        *error = clinics.error;
    return clinics.ok ? clinics.lines : QStringList();
}

bool LoadClinicDocument(const QString& dataFolder, QTextDocument* doc, QString* error)
{
    doc->clear();
    const QString path = dataFolder + kClinicFileName;
    if (!PathEntryExists(path))
        return true;
    const RtfText read = ReadRtfDocument(path, doc);
    if (!read.ok && error)
        *error = read.error;
    return read.ok;
}

bool SaveClinicDocument(const QString& dataFolder, const QTextDocument& doc, QString* error)
{
    return SaveRtfDocument(doc, dataFolder + kClinicFileName, error);
}

}  // namespace tavrola
