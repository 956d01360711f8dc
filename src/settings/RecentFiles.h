#pragma once

#include "settings/Settings.h"

#include <QString>
#include <QStringList>

#include <functional>

// The recent-files list: project root directories, newest first, kept in the settings record
// and shown as the items of the Recent submenu.
namespace RecentFiles {

// Rebuilds the Recent submenu from the entries (front first), as 16-bit texts.
using MenuRebuild = std::function<void(const QStringList& entries)>;

// Installs the window's submenu rebuild; until then rebuilding shows nothing.
void setMenuRebuild(MenuRebuild rebuild);

// The entries of the list as 16-bit texts, front first.
QStringList entries(const SSettings& settings);

// Moves rootDir to the front of the list (dropping its first equal entry and trimming the list
// below iMaxRecentFiles), writes the settings to settingsFile, then rebuilds the submenu.
// With iMaxRecentFiles of 0 or less the path is only removed and nothing is written.
void recordPath(SSettings& settings, const QString& rootDir, const QString& settingsFile);

// Rebuilds the submenu only, after the list was replaced (the settings dialog's Save).
void rebuildMenu(const SSettings& settings);

// The same for the program-wide settings and the config.ini beside the executable.
void recordPath(const QString& rootDir);
void rebuildMenu();

} // namespace RecentFiles
