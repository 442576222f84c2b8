#pragma once
#include <QString>

namespace tavrola {

// The folder holding Staff.txt, Clinic.rtf and the week files, ending in a separator:
// `explicitFolder` (from --data) when given, else $TAVROLA_DATA, else the program's own
// folder when it can be written and is not an installed prefix's bin/ (root can write
// /usr/bin, and a ward's data does not belong there), else the per-user application data
// folder.
QString ResolveDataFolder(const QString& explicitFolder, const QString& programFolder);

// The demo ward of an installed program (<prefix>/share/tavrola/demo/ beside
// <prefix>/bin/, with its Staff.txt), ending in a separator; empty when the program runs
// from a build or a folder of its own.
QString InstalledDemoFolder(const QString& programFolder);

// Copies the demo ward (Staff.txt, Clinic.rtf and the week files) from `demoFolder` into
// `dataFolder`, leaving any file already there alone; the copies are the user's to edit.
// False, with a message naming the file, when one could not be copied.
bool CopyDemoWard(const QString& demoFolder, const QString& dataFolder, QString* error);

// What is wrong with the data folder the user named (`explicitFolder`, else
// $TAVROLA_DATA): empty when none is named or it is a folder, else a message naming it.
QString DataFolderProblem(const QString& explicitFolder);

// The folder for the trace log: the per-user local application data folder.
QString TraceFolder();

}  // namespace tavrola
