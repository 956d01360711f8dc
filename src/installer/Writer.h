#pragma once

#include "installer/InfoWriter.h"
#include "model/Fomod.h"

#include <QByteArray>
#include <QString>

// Writes fomod/info.xml and fomod/ModuleConfig.xml, byte for byte in the installer format.
namespace InstallerWriter {

// The outcome of writing one file. On failure sMessage and sCaption are what the editor shows
// in its message box, and sReason says what went wrong (for the command line).
struct WriteOutcome {
    bool bSuccess = false;
    QString sPath;
    QString sMessage;
    QString sCaption;
    QString sReason;
};

// Whole file contents, byte-order mark included (info.xml: InfoWriter.h).
QByteArray configFileBytes(const CFOMOD& project, const QString& versionText,
                           const QString& homePage);

// Write ProjectFiles::infoFile(rootDir) / configFile(rootDir): the files found in the root,
// whatever their letter case, else fomod/info.xml and fomod/ModuleConfig.xml. The folder is
// not created. A failed write never destroys the previous file.
WriteOutcome writeInfoFile(const CFOMOD& project, const QString& rootDir);
WriteOutcome writeConfigFile(const CFOMOD& project, const QString& rootDir,
                             const QString& versionText, const QString& homePage);

} // namespace InstallerWriter
