#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the real quarvel-cli binary: its exit code and what it printed.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QStringList errLines() const {
        return QString::fromLocal8Bit(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

inline CliRun runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUARVEL_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return run; // exit code -1: crashed or did not start
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
