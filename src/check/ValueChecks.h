#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

// The texts that must be one of the format's values, exactly: group and option types,
// operators, condition kinds, file states, file kinds. Mod managers compare them as written,
// so "selectany" or "Required " is not read as the author meant.
void checkValues(const CFOMOD& project, FindingCollector& out);
