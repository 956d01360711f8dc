#pragma once

#include "settings/Settings.h"

#include <QString>
#include <QStringList>

// The recent-files list: project root directories, newest first, kept in the settings record
// and shown as the items of the Recent submenu (the window shows entries() afresh after each
// change it makes or is told of).
namespace RecentFiles {

// The entries of the list as 16-bit texts, front first.
QStringList entries(const SSettings& settings);

// Moves rootDir to the front of the list (dropping its first equal entry and trimming the list
// below iMaxRecentFiles) and writes the settings to settingsFile.
// With iMaxRecentFiles of 0 or less the path is only removed and nothing is written.
void recordPath(SSettings& settings, const QString& rootDir, const QString& settingsFile);

// The same for the program-wide settings and the config.ini beside the executable.
void recordPath(const QString& rootDir);

} // namespace RecentFiles
