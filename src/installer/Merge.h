#pragma once

#include "model/Fomod.h"

// Puts the donor's steps, required installs and conditional installs in front of the
// project's own, in the donor's order, each with everything it holds (its lists' orders, its
// conditions, its comments). Nothing is renamed, compared or removed.
//
// The donor's prerequisites are joined to the project's, so that the merged mod needs both:
// taken as they are when the project has none, else put in front of the project's with And
// (a list joined by Or goes in as one group, so its meaning stays).
//
// The steps stay in the order a manager shows them: when the project's steps are sorted by
// name and the donor's steps in front break that sorting, the steps' order becomes
// "Explicit".
void mergeProjects(CFOMOD& project, const CFOMOD& donor);
