#include "clinics/ClinicFile.h"

#include "clinics/RtfReader.h"

#include "util/FileAccess.h"

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

}  // namespace tavrola
