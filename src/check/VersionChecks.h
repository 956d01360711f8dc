#pragma once

#include "check/FindingCollector.h"
#include "model/Fomod.h"

// Version conditions that one manager can never satisfy.
void checkVersions(const CFOMOD& project, FindingCollector& out);
