#pragma once

#include "check/Finding.h"
#include "model/Fomod.h"

#include <QByteArray>
#include <QString>

// Findings as people and scripts read them.
namespace FindingText {

// "error", "warning" or "note".
QString severityName(Finding::Severity severity);

// Where a place is, for people, counted from 1: step 2 "Options" > group 1 "Textures" >
// option 3 "4K" > file 2. Empty for the file as a whole.
QString placeText(const CFOMOD& project, const ProjectPlace& place);

// One line in the form of compiler messages: "FILE:LINE: warning: message [code]", or with the
// place's text instead of "FILE:LINE" when the line is not known. configFile is the path
// shown for ModuleConfig.xml.
QString compilerLine(const CFOMOD& project, const Finding& finding, const QString& configFile);

// {"findings": [{"code", "severity", "message", "step", "group", "plugin", "line"}]}: indices
// from 0, null where they do not apply or the line is not known.
QByteArray toJson(const Findings& findings);

} // namespace FindingText
