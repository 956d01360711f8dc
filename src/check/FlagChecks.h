#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

// Flags: conditions on flags or values no option sets, flags set and never tested, steps whose
// visibility no choice of the earlier steps can satisfy. Linear in the size of the project.
void checkFlags(const CFOMOD& project, FindingCollector& out);
