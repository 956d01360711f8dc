#pragma once

#include "check/Finding.h"
#include "installer/ReadReport.h"
#include "model/Fomod.h"

#include <QString>

// Finds what would break the installer, or should be known before saving. rootDir is the mod's
// root folder, against which sources and images are looked up; report, when the project was
// read from a file, gives the lines and what the reading could not keep.
Findings checkProject(const CFOMOD& project, const QString& rootDir,
                      const ReadReport* report = nullptr);
