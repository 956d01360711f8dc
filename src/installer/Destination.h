#pragma once

#include <QString>

namespace Destination {

// Where a file or folder goes in the game's data folder, from its stored source path.
QString detect(const QString& relativeSource);

} // namespace Destination
