#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

// The texts that must be one of the format's values, exactly: group and option types,
// operators (nested groups' and the prerequisites' too), condition kinds, file states, file
// kinds, list orders, install flags, versions, the title's and header image's attributes. Mod
// managers compare them as written, so "selectany" or "Required " is not read as the author
// meant. A text left empty is one the file did not write, which takes the format's default.
void checkValues(const CFOMOD& project, FindingCollector& out);
