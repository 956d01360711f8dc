#include "installer/ProjectFiles.h"

#include "installer/Reader.h"
#include "platform/Paths.h"

#include <QDir>

#include <algorithm>

namespace ProjectFiles {

namespace {

const QString kFolder = QStringLiteral("fomod");
const QString kInfo = QStringLiteral("info.xml");
const QString kConfig = QStringLiteral("ModuleConfig.xml");

QString quoted(const QString& name) {
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

// "'A', 'B' and 'C' stand side by side: 'B' is read".
QString spellingsMessage(const QStringList& names, const QString& chosen) {
    QStringList quotedNames;
    for (const QString& name : names)
        quotedNames << quoted(name);
    const QString last = quotedNames.takeLast();
    return quotedNames.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last +
           QStringLiteral(" stand side by side, spelled in other letter cases: ") + quoted(chosen) +
           QStringLiteral(" is read");
}

// The entry of the folder named `exact` in any letter case, by the rule in the header.
struct Entry {
    QString sName; // as found, or `exact` when there is none
    bool bFound = false;
    QString sSpellings;
};

Entry findEntry(const QString& folder, const QString& exact, QDir::Filters kind) {
    // Name filters match without letter case unless told otherwise.
    QStringList names = QDir(folder).entryList(QStringList{exact}, kind | QDir::Hidden);
    names.removeIf(
        [&exact](const QString& name) { return name.compare(exact, Qt::CaseInsensitive) != 0; });
    Entry entry;
    entry.sName = exact;
    if (names.isEmpty())
        return entry;
    std::sort(names.begin(), names.end());
    entry.bFound = true;
    if (!names.contains(exact))
        entry.sName = names.first();
    if (names.size() > 1)
        entry.sSpellings = spellingsMessage(names, entry.sName);
    return entry;
}

Located locateFile(const QString& rootDir, const QString& folder, const QString& folderName,
                   const QString& exact) {
    // Anything of that name is found, a folder or a FIFO too: reading it then says what it is.
    const Entry entry = findEntry(folder, exact, QDir::AllEntries | QDir::System);
    Located located;
    located.sPath =
        Paths::joinNative(rootDir, QStringLiteral("\\%1\\%2").arg(folderName, entry.sName));
    located.bFound = entry.bFound;
    located.sSpellings = entry.sSpellings;
    return located;
}

} // namespace

Files locate(const QString& rootDir) {
    // The root as the paths below are built on it, so that both name the same folder.
    const Entry folder = findEntry(Paths::joinNative(rootDir, QStringLiteral("\\")), kFolder,
                                   QDir::Dirs | QDir::NoDotAndDotDot);
    Files files;
    files.sFolder = Paths::joinNative(rootDir, QLatin1Char('\\') + folder.sName);
    files.sFolderSpellings = folder.sSpellings;
    files.info = locateFile(rootDir, files.sFolder, folder.sName, kInfo);
    files.config = locateFile(rootDir, files.sFolder, folder.sName, kConfig);
    return files;
}

QString fomodFolder(const QString& rootDir) {
    return locate(rootDir).sFolder;
}

QString infoFile(const QString& rootDir) {
    return locate(rootDir).info.sPath;
}

QString configFile(const QString& rootDir) {
    return locate(rootDir).config.sPath;
}

RootReading readFiles(const Files& files, CFOMOD& project, bool withReport) {
    RootReading reading;
    reading.info.file = files.info;
    reading.config.file = files.config;
    if (files.info.bFound)
        reading.info.bRead = InstallerReader::readInfoFile(
            files.info.sPath, project, &reading.info.sError, &reading.info.zeroLines);
    if (!files.config.sPath.isEmpty())
        reading.config.bRead = InstallerReader::readConfigFile(
            files.config.sPath, project, &reading.config.sError, &reading.config.zeroLines,
            withReport ? &reading.report : nullptr);
    // What a reading that stopped partway noted would mislead.
    if (!reading.config.bRead)
        reading.report = ReadReport();
    return reading;
}

RootReading readRoot(const QString& rootDir, CFOMOD& project, bool withReport) {
    return readFiles(locate(rootDir), project, withReport);
}

} // namespace ProjectFiles
