#pragma once

#include <QString>

// Where a file or folder of the mod goes in the game's data folder, proposed from its path
// relative to the mod's root. Stored paths use backslashes on every platform.
namespace Destination {

// Plugins and archives go straight into the data folder; anything under one of the data
// folder's own folders keeps its path from that folder on; everything else stays as it is.
QString detect(const QString& relativeSource);

} // namespace Destination
