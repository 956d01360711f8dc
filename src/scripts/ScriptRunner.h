#pragma once

#include "scripts/Macros.h"

#include <QString>

class CFOMOD;

// The two save scripts kept beside the executable, and running one with its macros expanded.
namespace ScriptRunner {

// programDir + "/" + fileName, for "runbefore.txt" and "runafter.txt".
QString scriptPath(const QString& programDir, const QString& fileName);
QString beforeSavePath();
QString afterSavePath();

// Expands the script into the interpreter's script file beside it, runs that in the current
// working directory, waits, and deletes it. A script that cannot be read (also one that is not a
// regular file or is too large) runs nothing; nor does
// one whose expanded file cannot be written, so a stale file of that name is never run.
void runSaveScript(const QString& scriptPath, const Macros::Context& context);
void runSaveScript(const QString& scriptPath, const CFOMOD& project, const QString& rootDir);

} // namespace ScriptRunner
