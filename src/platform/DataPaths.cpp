#include "platform/DataPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataPaths {

namespace {

QString installedDataDir(const QString& programDir) {
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/quarvel")));
}

} // namespace

Mode modeOf(const QString& programDir) {
    if (programDir.isEmpty())
        return Mode::Portable;
    const QDir dir(QDir::fromNativeSeparators(programDir));
    if (dir.dirName() == QLatin1String("bin") && QFileInfo(installedDataDir(dir.path())).isDir())
        return Mode::Installed;
    return Mode::Portable;
}

QString userFilesDir(const QString& programDir) {
    if (modeOf(programDir) == Mode::Portable)
        return programDir;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder);
}

QString dataDir(const QString& programDir) {
    if (modeOf(programDir) == Mode::Portable)
        return programDir;
    return QDir::toNativeSeparators(installedDataDir(QDir::fromNativeSeparators(programDir)));
}

QString logoPath(const QString& programDir) {
    if (modeOf(programDir) == Mode::Portable)
        return QStringLiteral("logo.jpg");
    return QDir::toNativeSeparators(dataDir(programDir) + QStringLiteral("/logo.jpg"));
}

} // namespace DataPaths
