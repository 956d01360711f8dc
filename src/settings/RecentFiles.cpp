#include "settings/RecentFiles.h"

#include "platform/ProgramInfo.h"

namespace RecentFiles {

QStringList entries(const SSettings& settings) {
    QStringList texts;
    texts.reserve(settings.vRecentFiles.size());
    for (const QByteArray& entry : settings.vRecentFiles)
        texts.append(Settings::fromLocal8(entry));
    return texts;
}

void recordPath(SSettings& settings, const QString& rootDir, const QString& settingsFile) {
    QList<QByteArray>& list = settings.vRecentFiles;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (Settings::fromLocal8(list[i]) == rootDir) {
            list.removeAt(i);
            break;
        }
    }
    if (settings.iMaxRecentFiles > 0) {
        while (list.size() >= settings.iMaxRecentFiles)
            list.removeLast();
        list.prepend(Settings::toLocal8(rootDir));
        Settings::writeSettings(settings, settingsFile);
    }
}

void recordPath(const QString& rootDir) {
    recordPath(Settings::instance(), rootDir, Settings::settingsPath(ProgramInfo::programDir()));
}

} // namespace RecentFiles
