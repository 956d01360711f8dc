#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

// The shape of steps, groups and options: empty steps and groups, names, option types that
// contradict their group's rule, options that do nothing.
void checkGroups(const CFOMOD& project, FindingCollector& out);
