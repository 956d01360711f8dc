#pragma once

#include <QString>

#include <optional>

// The one place where native file-system paths and the paths stored in a project meet.
// Stored paths are relative to the project's root directory and use the backslash on every
// platform, because installer files are read by Windows mod managers.
namespace Paths {

// True for the backslash and, on every platform, the forward slash.
bool isSeparator(QChar c);

// The stored, root-relative form of a chosen native path, or nothing when the path does not
// lie inside the root. Inside means: the root's characters start the path (ASCII letters
// compared without case) and are followed in it by a separator, or the root itself ends in
// one (a drive root, "/"). The root and that one separator are dropped.
std::optional<QString> relativeToRoot(const QString& rootDir, const QString& chosenPath);

// The native path of a file named by the root directory followed directly by a literal such
// as "\fomod\info.xml" (backslashes in the literal become native separators).
QString joinNative(const QString& rootDir, const QString& backslashLiteral);

// The native path of a stored root-relative path: root + separator + stored path.
QString storedToNative(const QString& rootDir, const QString& storedPath);

// True when the native path names an existing directory (a plain file does not count).
bool isDirectory(const QString& nativePath);

} // namespace Paths
