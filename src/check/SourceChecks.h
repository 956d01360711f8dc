#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

#include <QString>

// The paths of a project: sources and images on disk under the root, sources and destinations
// that leave their folder, file destinations ending in a separator, entries of one list that
// install to the same place.
void checkSources(const CFOMOD& project, const QString& rootDir, FindingCollector& out);
