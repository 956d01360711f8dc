#include "scripts/ScriptRunner.h"

#include "platform/BoundedFile.h"
#include "platform/CommandInterpreter.h"
#include "platform/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace ScriptRunner {

QString scriptPath(const QString& programDir, const QString& fileName) {
    return QDir::toNativeSeparators(DataPaths::userFilesDir(programDir) + QLatin1Char('/') +
                                    fileName);
}

QString beforeSavePath() {
    return scriptPath(ProgramInfo::programDir(), QStringLiteral("runbefore.txt"));
}

QString afterSavePath() {
    return scriptPath(ProgramInfo::programDir(), QStringLiteral("runafter.txt"));
}

void runSaveScript(const QString& path, const Macros::Context& context) {
    runSaveScript(path, context, DataPaths::modeOf(ProgramInfo::programDir()));
}

void runSaveScript(const QString& path, const Macros::Context& context, DataPaths::Mode mode) {
    QByteArray text;
    if (!BoundedFile::read(path, text))
        return;
    // A script saved by an editor that marks UTF-8 would otherwise hand the interpreter a
    // first command starting with the mark, which it cannot find.
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const QByteArray expanded =
        Macros::expandScript(text, context, CommandInterpreter::lineBreak());

    // mkdtemp's folder: owned by the user, closed to others, a name no one can foresee.
    std::optional<QTemporaryDir> privateFolder;
    if (mode == DataPaths::Mode::Installed) {
        privateFolder.emplace(QDir::tempPath() + QStringLiteral("/quarvel-XXXXXX"));
        if (!privateFolder->isValid())
            return;
    }
    const QString runPath = CommandInterpreter::scriptFileFor(
        privateFolder
            ? QDir::toNativeSeparators(privateFolder->filePath(QFileInfo(path).fileName()))
            : path);
    QFile run(runPath);
    const bool written = run.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         run.write(expanded) == expanded.size() && run.flush();
    run.close();
    if (written)
        CommandInterpreter::runAndWait(runPath);
    // Also when it could not be written: a stale file of that name is never left to run later.
    QFile::remove(runPath);
}

void runSaveScript(const QString& path, const CFOMOD& project, const QString& rootDir) {
    runSaveScript(path, Macros::contextFor(project, rootDir));
}

} // namespace ScriptRunner
