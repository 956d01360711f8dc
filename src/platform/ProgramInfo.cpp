#include "platform/ProgramInfo.h"

#include "Version.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramInfo {

QString versionText() {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(QUARVEL_VERSION_MAJOR)
        .arg(QUARVEL_VERSION_MINOR)
        .arg(QUARVEL_VERSION_PATCH)
        .arg(QUARVEL_VERSION_TWEAK);
}

QString homePage() {
    return QStringLiteral(QUARVEL_HOMEPAGE);
}

QString desktopId() {
    return QStringLiteral(QUARVEL_APP_ID);
}

QString executablePath() {
    if (!QCoreApplication::instance())
        return {};
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

QString programDir() {
    if (!QCoreApplication::instance())
        return {};
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

} // namespace ProgramInfo
