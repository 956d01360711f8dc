#include "ui/DialogFolder.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace DialogFolder {

QString startFolder(const QString& rootDir, const QString& lastUsed) {
    const bool lastExists = !lastUsed.isEmpty() && Paths::isDirectory(lastUsed);
    if (rootDir.isEmpty() || !Paths::isDirectory(rootDir))
        return lastExists ? lastUsed : QDir::toNativeSeparators(QDir::homePath());
    const bool inRoot =
        lastExists &&
        (QDir::cleanPath(lastUsed).compare(QDir::cleanPath(rootDir), Qt::CaseInsensitive) == 0 ||
         Paths::relativeToRoot(rootDir, lastUsed).has_value());
    return inRoot ? lastUsed : rootDir;
}

QString lastUsedAfter(const QStringList& chosen, const QString& lastUsed) {
    if (chosen.isEmpty())
        return lastUsed;
    return QDir::toNativeSeparators(
        QFileInfo(QDir::fromNativeSeparators(chosen.first())).absolutePath());
}

} // namespace DialogFolder
