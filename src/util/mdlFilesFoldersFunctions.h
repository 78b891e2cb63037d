#pragma once

#include <QChar>
#include <QString>

// Splits a path into folder, file name, title and extension by looking at its characters only;
// the file system is never touched. Exactly one character separates folders; the dot always
// separates the extension. Every routine accepts any string, of any length, and returns a string.
namespace mdlFilesFoldersFunctions {

#ifdef Q_OS_WIN
inline constexpr QChar kFolderSeparator = u'\\';
#else
inline constexpr QChar kFolderSeparator = u'/';
#endif

// Everything after the last separator that is not the final character.
QString GetFileName(QString Path, QChar Separator = kFolderSeparator);

// The file name without its extension; dots in folder names play no part.
QString GetFileTitle(QString Path, QChar Separator = kFolderSeparator);

// Everything before the last separator that is not the final character, without it.
QString GetFolderPath(QString Path, QChar Separator = kFolderSeparator);

// Everything after the last dot that is not the final character. Any dot counts, also one in a
// folder name; a path whose only dot is its final character is returned whole.
// Separator is unused: it is taken so that all five routines are called alike.
QString GetFileExtension(QString Path, QChar Separator = kFolderSeparator);

// Path without GetFileExtension's result and the dot before it; empty when the extension is the
// whole path. Separator is unused, as for GetFileExtension.
QString RemoveFileExtension(QString Path, QChar Separator = kFolderSeparator);

// True when a file, not a folder, exists at Path; false for "". Unlike the routines above, asks
// the file system.
bool FileExists(const QString& Path);

// Path when no file has that name, else the first free name with "[n]" before the extension,
// n from 1 up; one trailing "[digits]" group of the name is dropped first. Splits at the last
// dot, as GetFileExtension does. Throws std::overflow_error when every n up to 32767 is taken.
QString GetUniqueFileName(QString Path, QChar Separator = kFolderSeparator);

}  // namespace mdlFilesFoldersFunctions
