#pragma once

#include "installer/InfoReader.h"
#include "installer/ReadReport.h"
#include "model/Fomod.h"

#include <QString>

// The two installer files of a mod's root folder: where they are, and reading both.
//
// On a file system that tells letter cases apart, authors spell the folder and the files in
// many ways (FOMOD/ModuleConfig.xml, Fomod/Info.xml), and mod managers find them all. So does
// this: the folder is any subfolder of the root named "fomod" in any letter case, and each
// file any file of that folder named "info.xml" or "ModuleConfig.xml" in any letter case.
// Where two spellings stand side by side, the exact spelling given here is taken, else the
// first in the order of their character codes ("FOMOD" before "Fomod"), and a message names
// them all. What is not found is named as a file made here names it, inside the folder found:
// a save never makes a second folder beside the author's. Where letter cases are one (Windows)
// there is only ever one spelling.
namespace ProjectFiles {

// Native paths. The folder and files need not exist.
QString fomodFolder(const QString& rootDir);
QString infoFile(const QString& rootDir);
QString configFile(const QString& rootDir);

// One file of a root, as found on disk.
struct Located {
    QString sPath; // native; the path to read and write
    bool bFound = false;
    QString sSpellings; // where several spellings exist, the message naming them; else empty
};

struct Files {
    QString sFolder;          // native path of the fomod folder
    QString sFolderSpellings; // as Located::sSpellings, for the folder
    Located info;
    Located config;
};
Files locate(const QString& rootDir);

// The outcome of reading one file.
struct FileReading {
    Located file;
    bool bRead = false; // found and read to its end
    QString sError;     // why not, when it was found (or, for the configuration, looked for)
    InstallerReader::ZeroLines zeroLines;
};

struct RootReading {
    FileReading info;
    FileReading config;
    ReadReport report; // filled when asked for and the configuration was read

    // Success as the editor and the command line count it: info.xml may be missing (mod
    // managers do not need it), but one that exists must be read, and ModuleConfig.xml must be.
    bool succeeded() const { return config.bRead && (info.bRead || !info.file.bFound); }
};

// Reads both files into the project, whatever became of the first, as opening a project does.
// Without info.xml, nothing is read for it; a missing ModuleConfig.xml fails as a file that
// cannot be opened. A reading that fails partway leaves what it read in the project.
RootReading readRoot(const QString& rootDir, CFOMOD& project, bool withReport = false);

// The same on files chosen one by one (the editor's Open file): info.xml is read when
// info.bFound, ModuleConfig.xml whenever its path is not empty.
RootReading readFiles(const Files& files, CFOMOD& project, bool withReport = false);

} // namespace ProjectFiles
