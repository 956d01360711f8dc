#pragma once

#include <QString>

// Facts about the running program: its version, its home page and where its executable lives.
namespace ProgramInfo {

// "major.minor.release.build" without leading zeros, e.g. "2.3.0.15".
QString versionText();

// Address written into the comment line of every generated ModuleConfig.xml.
QString homePage();

// The reverse-domain id of the desktop program, e.g. "io.github.quarvel.Quarvel": the name of
// its desktop entry, icon and AppStream metadata.
QString desktopId();

// Full native path of the running executable (empty before a QCoreApplication exists).
QString executablePath();

// The executable's folder without a trailing separator; DataPaths tells from it where
// config.ini, the Language folder and the save scripts are kept.
QString programDir();

} // namespace ProgramInfo
