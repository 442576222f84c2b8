#pragma once
#include <QString>

namespace tavrola {

// Registers the program for ".ext" files for the current user only, and touches nothing
// that belongs to other programs.
//
// On Linux: a MIME type for *.ext in <dataHome>/mime/packages and a desktop entry in
// <dataHome>/applications that opens such files with the program (dataHome is
// $XDG_DATA_HOME, normally ~/.local/share). On Windows: the per-user classes keys
// ".ext" -> "extfile", its DefaultIcon and its open command.
// Returns false when the files or keys could not be written.
bool RegisterFileType(const QString& extension, const QString& programPath);

// The installed desktop entry (<prefix>/share/applications/org.tavrola.Tavrola.desktop
// beside <prefix>/bin/) names the ".ext" type: a package registered it, and nothing needs
// writing at run time.
bool InstalledEntryCovers(const QString& extension, const QString& programFolder);
inline constexpr char kDesktopEntryId[] = "org.tavrola.Tavrola";

// The Linux half, with the data folder given (tests point it at a temporary folder).
bool RegisterFileTypeXdg(const QString& extension, const QString& programPath, const QString& dataHome);

// The text of the desktop entry and of the MIME package (for the tests).
QString DesktopEntryText(const QString& extension, const QString& programPath);
QString MimePackageText(const QString& extension);

}  // namespace tavrola
