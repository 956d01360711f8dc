#pragma once

#include "platform/DataPaths.h"
#include "scripts/Macros.h"

#include <QString>

class CFOMOD;

// The two save scripts (beside the executable, or in the user's configuration folder for an
// installed program: DataPaths), and running one with its macros expanded.
namespace ScriptRunner {

// DataPaths::userFilesDir(programDir) + "/" + fileName, for "runbefore.txt" and "runafter.txt".
QString scriptPath(const QString& programDir, const QString& fileName);
QString beforeSavePath();
QString afterSavePath();

// Expands the script into the interpreter's script file, runs that in the current working
// directory, waits, and deletes it. The file lies beside the script in a portable program and
// in a fresh temporary folder only the user can enter in an installed one (the running
// program's mode unless given). A script that cannot be read (also one that is not a regular
// file or is too large) runs nothing; nor does one whose expanded file cannot be written, so a
// stale file of that name is never run.
void runSaveScript(const QString& scriptPath, const Macros::Context& context);
void runSaveScript(const QString& scriptPath, const Macros::Context& context, DataPaths::Mode mode);
void runSaveScript(const QString& scriptPath, const CFOMOD& project, const QString& rootDir);

} // namespace ScriptRunner
