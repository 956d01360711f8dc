#include "platform/CommandInterpreter.h"

#include <QProcess>

namespace CommandInterpreter {

QString scriptFileFor(const QString& sourcePath) {
#ifdef Q_OS_WIN
    return sourcePath + QStringLiteral(".bat");
#else
    return sourcePath + QStringLiteral(".sh");
#endif
}

QByteArray lineBreak() {
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

bool runAndWait(const QString& scriptFile) {
    QProcess process;
    // The script's output goes where the program's own goes; nothing is collected here.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
#ifdef Q_OS_WIN
    const QString interpreter = qEnvironmentVariable("COMSPEC", QStringLiteral("cmd.exe"));
    process.setProgram(interpreter);
    // /s with a second pair of quotes: cmd strips exactly the outer pair, so a path with
    // spaces and parentheses ("Program Files (x86)") still names one file.
    process.setNativeArguments(QStringLiteral("/s /c \"\"") + scriptFile + QStringLiteral("\"\""));
#else
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({scriptFile});
#endif
    process.start();
    if (!process.waitForStarted(-1))
        return false;
    // A script waiting for input gets end of file rather than blocking the program forever.
    process.closeWriteChannel();
    process.waitForFinished(-1);
    return true;
}

} // namespace CommandInterpreter
