#pragma once
#include <QString>

namespace tavrola {

// The folder holding Staff.txt, Clinic.rtf and the week files, ending in a separator:
// `explicitFolder` (from --data) when given, else $TAVROLA_DATA, else the program's own
// folder when it can be written, else the per-user application data folder.
QString ResolveDataFolder(const QString& explicitFolder, const QString& programFolder);

// What is wrong with the data folder the user named (`explicitFolder`, else
// $TAVROLA_DATA): empty when none is named or it is a folder, else a message naming it.
QString DataFolderProblem(const QString& explicitFolder);

// The folder for the trace log: the per-user local application data folder.
QString TraceFolder();

}  // namespace tavrola
