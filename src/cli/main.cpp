// quarvel-cli: reads, converts and writes installers from scripts, without a display.

#include "check/CheckProject.h"
#include "check/FindingText.h"
#include "installer/JsonText.h"
#include "installer/Merge.h"
#include "installer/ProjectFiles.h"
#include "installer/ProjectJson.h"
#include "installer/Reader.h"
#include "installer/Writer.h"
#include "platform/BoundedFile.h"
#include "platform/ProgramInfo.h"
#include "simulate/Simulation.h"
#include "simulate/SimulationJson.h"
#include "simulate/SimulationText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

const char usageText[] = "usage: quarvel-cli --version\n"
                         "       quarvel-cli dump ROOT\n"
                         "       quarvel-cli dump-config FILE\n"
                         "       quarvel-cli write PROJECT.json ROOT\n"
                         "       quarvel-cli merge ROOT DONOR.xml\n"
                         "       quarvel-cli roundtrip ROOT OUTROOT\n"
                         "       quarvel-cli simulate ROOT [--files STATES.json] "
                         "[--choose CHOICES.json]\n"
                         "                [--versions KIND=VERSION,...] [--json]\n"
                         "       quarvel-cli check ROOT [--json]\n";

// Every message, failure or note, is one line, so scripts can log or grep it.
void printError(const QString& message) {
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    std::fprintf(stderr, "quarvel-cli: %s\n", line.toLocal8Bit().constData());
}

void printFileMessage(const QString& path, const QString& reason) {
    printError(QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason);
}

int usageError(const QString& message) {
    printError(message);
    std::fputs(usageText, stderr);
    return UsageError;
}

bool writeToStdout(QByteArrayView bytes) {
    return std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
}

bool finishStdout(bool written) {
    if (std::fflush(stdout) != 0 || !written) {
        printError(QStringLiteral("standard output: write failed"));
        return false;
    }
    return true;
}

bool printToStdout(const QByteArray& bytes) {
    return finishStdout(writeToStdout(bytes));
}

// Streamed: a large project is never held a second time as JSON text.
bool printProject(const CFOMOD& project) {
    return finishStdout(JsonText::write(project, writeToStdout));
}

QString reasonOr(const QString& reason, const char* fallback) {
    return reason.isEmpty() ? QString::fromLatin1(fallback) : reason;
}

// Zero characters do not stop the reading, but the places where one was replaced are named;
// so is why a reading failed.
bool reportReading(const QString& path, bool read, const QString& reason,
                   const InstallerReader::ZeroLines& zeroLines) {
    for (const qsizetype line : zeroLines)
        printFileMessage(path, QStringLiteral("line %1: zero character read as U+FFFD").arg(line));
    if (!read)
        printFileMessage(path, reasonOr(reason, "cannot be read"));
    return read;
}

bool readConfig(const QString& path, CFOMOD& project) {
    QString reason;
    InstallerReader::ZeroLines zeroLines;
    const bool ok = InstallerReader::readConfigFile(path, project, &reason, &zeroLines);
    return reportReading(path, ok, reason, zeroLines);
}

void reportSpellings(const QString& path, const QString& spellings) {
    if (!spellings.isEmpty())
        printFileMessage(path, spellings);
}

// Both files are read whatever became of the first, as opening a project in the editor does.
// Mod managers do not need info.xml: without one the information fields stay empty (the name
// comes from moduleName), which is noted, not failed. One that exists must be readable.
bool readRoot(const QString& root, CFOMOD& project, ReadReport* report = nullptr,
              ProjectFiles::Files* found = nullptr) {
    const ProjectFiles::Files files = ProjectFiles::locate(root);
    reportSpellings(files.sFolder, files.sFolderSpellings);
    reportSpellings(files.info.sPath, files.info.sSpellings);
    reportSpellings(files.config.sPath, files.config.sSpellings);
    ProjectFiles::RootReading reading = ProjectFiles::readFiles(files, project, report != nullptr);
    const ProjectFiles::FileReading& info = reading.info;
    if (!info.file.bFound)
        printFileMessage(info.file.sPath,
                         QStringLiteral("no info.xml: the information fields stay empty"));
    else
        reportReading(info.file.sPath, info.bRead, info.sError, info.zeroLines);
    const ProjectFiles::FileReading& config = reading.config;
    reportReading(config.file.sPath, config.bRead, config.sError, config.zeroLines);
    if (report)
        *report = std::move(reading.report);
    if (found)
        *found = files;
    return reading.succeeded();
}

bool reportWrite(const InstallerWriter::WriteOutcome& outcome) {
    if (!outcome.bSuccess)
        printFileMessage(outcome.sPath, reasonOr(outcome.sReason, "cannot be written"));
    return outcome.bSuccess;
}

// Writes both installer files into ROOT/fomod (or the files found there), creating the folder. Both
// are attempted even when the first fails, as the editor's Save does.
bool writeRoot(const CFOMOD& project, const QString& root) {
    // The author's folder, whatever its letter case: never a second one beside it.
    const QString fomodDir = ProjectFiles::fomodFolder(root);
    if (!QDir().mkpath(fomodDir)) {
        printFileMessage(fomodDir, QStringLiteral("cannot create the folder"));
        return false;
    }
    const bool infoOk = reportWrite(InstallerWriter::writeInfoFile(project, root));
    const bool configOk = reportWrite(InstallerWriter::writeConfigFile(
        project, root, ProgramInfo::versionText(), ProgramInfo::homePage()));
    return infoOk && configOk;
}

// What was read is printed even when reading failed; the exit status tells.
int dump(const QString& root) {
    CFOMOD project;
    const bool ok = readRoot(root, project);
    return printProject(project) && ok ? Success : Failure;
}

int dumpConfig(const QString& file) {
    CFOMOD project;
    const bool ok = readConfig(file, project);
    return printProject(project) && ok ? Success : Failure;
}

int write(const QString& jsonPath, const QString& root) {
    QByteArray text;
    QString reason;
    if (!BoundedFile::read(jsonPath, text, &reason)) {
        printFileMessage(jsonPath, reason);
        return Failure;
    }
    CFOMOD project;
    if (!ProjectJson::fromText(text, project, &reason)) {
        printFileMessage(jsonPath, reason);
        return UsageError;
    }
    return writeRoot(project, root) ? Success : Failure;
}

// A donor that fails to read is not merged, as in the editor; the project is printed as read.
int merge(const QString& root, const QString& donorPath) {
    CFOMOD project;
    bool ok = readRoot(root, project);
    CFOMOD donor;
    if (readConfig(donorPath, donor))
        mergeProjects(project, donor);
    else
        ok = false;
    return printProject(project) && ok ? Success : Failure;
}

// Nothing is written after a failed read: OUTROOT may be ROOT itself, and a partly read
// project written over the original would lose what was not read.
int roundtrip(const QString& root, const QString& outRoot) {
    CFOMOD project;
    if (!readRoot(root, project))
        return Failure;
    return writeRoot(project, outRoot) ? Success : Failure;
}

// Runs the install wizard with its preset choices, replaced by those of CHOICES.json, and
// prints the steps shown, the flags and the files installed. Bad option files are usage
// errors; a choice the installer does not allow, or a group no choice can satisfy, exits 1.
int simulate(const QStringList& arguments) {
    QString root;
    QString statesPath;
    QString choicesPath;
    Simulate::Versions versions;
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--files") || argument == QLatin1String("--choose")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return usageError(QStringLiteral("simulate: %1 needs a file").arg(argument));
            (argument == QLatin1String("--files") ? statesPath : choicesPath) = arguments[++i];
        } else if (argument == QLatin1String("--versions")) {
            if (i + 1 >= arguments.size())
                return usageError(QStringLiteral("simulate: --versions needs KIND=VERSION,..."));
            if (const QString fault = Simulate::parseVersions(arguments[++i], &versions);
                !fault.isEmpty())
                return usageError(QStringLiteral("simulate: --versions: ") + fault);
        } else if (argument.startsWith(QLatin1String("--")) || !root.isNull()) {
            return usageError(QStringLiteral("simulate: unexpected argument '%1'").arg(argument));
        } else {
            root = argument;
        }
    }
    if (root.isEmpty())
        return usageError(QStringLiteral("simulate: no root directory given"));

    // An option file that cannot be read is a failure; one that does not parse, a usage error.
    auto readOptionFile = [](const QString& path, QByteArray* bytes) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            printFileMessage(path, QStringLiteral("cannot be opened: ") + file.errorString());
            return false;
        }
        *bytes = file.readAll();
        return true;
    };
    Simulate::FileStates states;
    QList<Simulate::GroupChoice> choices;
    QString reason;
    QByteArray bytes;
    if (!statesPath.isEmpty()) {
        if (!readOptionFile(statesPath, &bytes))
            return Failure;
        if (!SimulationJson::parseFileStates(bytes, &states, &reason)) {
            printFileMessage(statesPath, reason);
            return UsageError;
        }
    }
    if (!choicesPath.isEmpty()) {
        if (!readOptionFile(choicesPath, &bytes))
            return Failure;
        if (!SimulationJson::parseChoices(bytes, &choices, &reason)) {
            printFileMessage(choicesPath, reason);
            return UsageError;
        }
    }

    CFOMOD project;
    if (!readRoot(root, project))
        return Failure;
    QList<Simulate::ResolvedChoice> resolved;
    reason = Simulate::resolveChoices(project, choices, &resolved);
    if (!reason.isEmpty()) {
        printFileMessage(choicesPath, reason);
        return UsageError;
    }
    const Simulate::SimulationResult result =
        Simulate::simulate(project, root, {states, versions}, resolved);
    const QByteArray output =
        json ? SimulationJson::toText(result) : SimulationText::toText(result).toUtf8();
    if (!printToStdout(output))
        return Failure;
    for (const QString& problem : result.vProblems)
        printError(problem);
    return result.vProblems.isEmpty() ? Success : Failure;
}

// Prints what would break the installer in ROOT, one finding a line (or as JSON), and exits 1
// when one of them is an error.
int check(const QStringList& arguments) {
    QString root;
    bool json = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(QLatin1String("--")) || !root.isNull())
            return usageError(QStringLiteral("check: unexpected argument '%1'").arg(argument));
        else
            root = argument;
    }
    if (root.isEmpty())
        return usageError(QStringLiteral("check: no root directory given"));

    CFOMOD project;
    ReadReport report;
    ProjectFiles::Files files;
    if (!readRoot(root, project, &report, &files))
        return Failure;
    const Findings findings = checkProject(project, root, &report);
    QByteArray output;
    if (json) {
        output = FindingText::toJson(findings);
    } else {
        // Named as the root spells it.
        const QFileInfo config(files.config.sPath);
        const QString configFile = config.dir().dirName() + QLatin1Char('/') + config.fileName();
        for (const Finding& finding : findings)
            output += FindingText::compilerLine(project, finding, configFile).toUtf8() + '\n';
    }
    if (!printToStdout(output))
        return Failure;
    const bool anyError = std::any_of(findings.cbegin(), findings.cend(), [](const Finding& f) {
        return f.severity == Finding::Severity::Error;
    });
    return anyError ? Failure : Success;
}

struct Command {
    const char* name;
    int argumentCount;
    int (*run)(const QStringList& arguments);
};

const Command commands[] = {
    {"dump", 1, [](const QStringList& a) { return dump(a[0]); }},
    {"dump-config", 1, [](const QStringList& a) { return dumpConfig(a[0]); }},
    {"write", 2, [](const QStringList& a) { return write(a[0], a[1]); }},
    {"merge", 2, [](const QStringList& a) { return merge(a[0], a[1]); }},
    {"roundtrip", 2, [](const QStringList& a) { return roundtrip(a[0], a[1]); }},
};

int run(const QStringList& arguments) {
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString name = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        std::fputs(usageText, stdout);
        return Success;
    }
    if (name == QLatin1String("--version")) {
        if (!rest.isEmpty())
            return usageError(QStringLiteral("--version takes no arguments"));
        return printToStdout((ProgramInfo::versionText() + QLatin1Char('\n')).toUtf8()) ? Success
                                                                                        : Failure;
    }
    if (name == QLatin1String("simulate"))
        return simulate(rest);
    if (name == QLatin1String("check"))
        return check(rest);
    for (const Command& command : commands) {
        if (name != QLatin1String(command.name))
            continue;
        if (rest.size() != command.argumentCount)
            return usageError(QStringLiteral("%1 takes %2 argument(s), %3 given")
                                  .arg(name)
                                  .arg(command.argumentCount)
                                  .arg(rest.size()));
        // An empty path would silently mean the file-system root.
        if (rest.contains(QString()))
            return usageError(QStringLiteral("%1: empty path argument").arg(name));
        return command.run(rest);
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(name));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return run(QCoreApplication::arguments().mid(1));
}
