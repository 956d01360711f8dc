#pragma once

#include <QString>
#include <QStringList>

// Where the window's file and folder dialogs open: in the root directory, or in the folder
// last used within it, never in whatever folder the program was started from.
namespace DialogFolder {

// The folder a dialog opens in. With an existing root directory: the last used folder when it
// still exists and lies inside the root (or is the root), else the root. Without one (no
// project yet): the last used folder when it still exists, else the user's home folder.
QString startFolder(const QString& rootDir, const QString& lastUsed);

// The folder to remember after a dialog returned the chosen paths: the folder holding the
// first of them (for a chosen folder, the folder it was chosen in); lastUsed when none was
// chosen.
QString lastUsedAfter(const QStringList& chosen, const QString& lastUsed);

} // namespace DialogFolder
