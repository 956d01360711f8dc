#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program-wide settings record, kept in config.ini (beside the executable, or in the user's
// configuration folder for an installed program: DataPaths). 8-bit texts are
// in the system's code page (QStringConverter::System).
struct SSettings {
    QByteArray sLanguage;
    bool bHideOpenFolder = false;
    bool bHideOpenFile = false;
    bool bReplaceRN = false;
    qint32 iInterfaceTextSize = 0;
    qint32 iSplashScreenSec = 0;
    qint32 iMaxRecentFiles = 0;
    qint32 iRecentFilesNum = 0;
    QList<QByteArray> vRecentFiles; // project root directories, most recent first

    bool operator==(const SSettings&) const = default;
};

namespace Settings {

// The one settings record of the running program.
SSettings& instance();

// config.ini of the program whose executable lies in programDir: DataPaths::userFilesDir +
// "/config.ini".
QString settingsPath(const QString& programDir);

// Fills the record from the file; false (and the record unchanged) when it cannot be opened,
// is not a regular file or is too large (BoundedFile).
bool readSettings(SSettings& settings, const QString& path);

// Writes the record; a file that cannot be written is silently left alone.
void writeSettings(const SSettings& settings, const QString& path);

// The same for the program-wide record and the running program's config.ini, whatever
// folder the program was started from.
bool readProgramSettings();
void writeProgramSettings();

// Conversions between 8-bit texts in the system code page and the program's texts.
QString fromLocal8(const QByteArray& text);
QByteArray toLocal8(const QString& text);

} // namespace Settings
