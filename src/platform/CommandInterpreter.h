#pragma once

#include <QString>

// Runs a command script through the platform's command interpreter.
namespace CommandInterpreter {

// The file name a script to run gets beside its source: path + ".bat" for cmd on Windows,
// path + ".sh" for /bin/sh elsewhere.
QString scriptFileFor(const QString& sourcePath);

// The line break the interpreter's script files use (CR LF for cmd, LF for /bin/sh).
QByteArray lineBreak();

// Runs the script file in the current working directory and waits until the interpreter has
// ended; its exit status is not looked at. False when the interpreter could not be started.
bool runAndWait(const QString& scriptFile);

} // namespace CommandInterpreter
