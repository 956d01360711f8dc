#pragma once

#include "model/Fomod.h"

// Puts the donor's steps, required installs and conditional installs in front of the
// project's own, in the donor's order. Nothing is renamed, compared or removed.
void mergeProjects(CFOMOD& project, const CFOMOD& donor);
