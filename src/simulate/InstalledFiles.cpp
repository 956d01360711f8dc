#include "simulate/InstalledFiles.h"

#include "platform/Paths.h"

#include <QDirIterator>
#include <QHash>

#include <algorithm>

namespace Simulate {

namespace {

QString withBackslashes(QString path) {
    return path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString fileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

// destination + "\" + relative, without doubling a separator the destination ends with.
QString joined(const QString& destination, const QString& relative) {
    if (destination.isEmpty() || destination.endsWith(QLatin1Char('\\')))
        return destination + relative;
    return destination + QLatin1Char('\\') + relative;
}

// The files below a folder, as paths relative to it with backslashes, by character code.
QStringList filesBelow(const QString& nativeFolder) {
    QStringList relative;
    const QString prefix = QDir(nativeFolder).absolutePath();
    QDirIterator it(nativeFolder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QFileInfo(it.next()).absoluteFilePath();
        relative.append(withBackslashes(path.mid(prefix.size() + 1)));
    }
    std::sort(relative.begin(), relative.end());
    return relative;
}

void appendEntry(QList<InstalledFile>& files, const FileSource& entry, const QString& rootDir) {
    const CFile& file = entry.file;
    const QString source = withBackslashes(file.sSource);
    const QString destination = withBackslashes(file.sDestination);
    InstalledFile installed;
    installed.iPriority = file.iPriority;
    installed.sOrigin = entry.sOrigin;
    installed.sType = QStringLiteral("file");
    if (file.sType == QLatin1String("folder")) {
        const QString native = Paths::storedToNative(rootDir, source);
        if (!Paths::isDirectory(native)) {
            installed.sSource = source;
            installed.sDestination = destination;
            installed.sType = QStringLiteral("folder");
            files.append(installed);
            return;
        }
        for (const QString& relative : filesBelow(native)) {
            installed.sSource = joined(source, relative);
            installed.sDestination = joined(destination, relative);
            files.append(installed);
        }
        return;
    }
    installed.sSource = source;
    installed.sDestination = destination.isEmpty() || destination.endsWith(QLatin1Char('\\'))
                                 ? destination + fileNameOf(source)
                                 : destination;
    files.append(installed);
}

} // namespace

QList<InstalledFile> installFiles(const QList<FileSource>& entries, const QString& rootDir,
                                  QList<Overlap>* overlaps) {
    QList<FileSource> ordered = entries;
    std::stable_sort(ordered.begin(), ordered.end(), [](const FileSource& a, const FileSource& b) {
        return a.file.iPriority < b.file.iPriority;
    });
    QList<InstalledFile> files;
    for (const FileSource& entry : ordered)
        appendEntry(files, entry, rootDir);

    // Last writer per destination; the earlier ones are overwritten. Folders not found on
    // disk merge their contents, so only files can overwrite.
    QHash<QString, qsizetype> lastAt;
    QHash<QString, qsizetype> overlapAt;
    QList<Overlap> found;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files[i].sType != QLatin1String("file"))
            continue;
        const QString key = files[i].sDestination.toCaseFolded();
        const auto previous = lastAt.constFind(key);
        if (previous != lastAt.constEnd()) {
            files[*previous].bOverwritten = true;
            auto at = overlapAt.constFind(key);
            if (at == overlapAt.constEnd()) {
                at = overlapAt.insert(key, found.size());
                found.append({QString(), {files[*previous].sSource}});
            }
            found[*at].sDestination = files[i].sDestination;
            found[*at].vSources.append(files[i].sSource);
        }
        lastAt.insert(key, i);
    }
    if (overlaps)
        *overlaps = found;
    return files;
}

} // namespace Simulate
