#pragma once

#include <QString>

// Where the program's own files are kept. A program folder (a build tree, an unpacked
// archive, every Windows install) keeps them all beside the executable. A program installed
// under a prefix (/usr/bin/quarvel with /usr/share/quarvel/) reads its data from that data
// folder and keeps what the user changes in the user's configuration folder. The layout
// decides, not write permission, which root always has.
namespace DataPaths {

enum class Mode { Portable, Installed };

// Installed when programDir is named "bin" and "../share/quarvel" beside it is a folder.
Mode modeOf(const QString& programDir);

// The folder of config.ini, runbefore.txt and runafter.txt: programDir when portable, the
// user's configuration folder when installed (created when missing, so a first save finds it).
QString userFilesDir(const QString& programDir);

// The folder holding Language/ and logo.jpg: programDir when portable, the installed data
// folder when installed.
QString dataDir(const QString& programDir);

// The splash logo: "logo.jpg" in the current working directory when portable, the installed
// data folder's logo.jpg when installed.
QString logoPath(const QString& programDir);

} // namespace DataPaths
