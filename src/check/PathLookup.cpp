#include "check/PathLookup.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList partsOf(const QString& storedPath) {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= storedPath.size(); ++i) {
        if (i == storedPath.size() || Paths::isSeparator(storedPath.at(i))) {
            const QString part = storedPath.mid(start, i - start);
            if (!part.isEmpty() && part != QLatin1String("."))
                parts.append(part);
            start = i + 1;
        }
    }
    return parts;
}

} // namespace

const PathLookup::Listing& PathLookup::listing(const QString& nativeDir) {
    const auto known = m_listings.constFind(nativeDir);
    if (known != m_listings.constEnd())
        return *known;
    Listing listing;
    const QDir dir(nativeDir);
    listing.bExists = dir.exists();
    if (listing.bExists) {
        const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                        QDir::Hidden | QDir::System);
        for (const QFileInfo& entry : entries) {
            const QString name = entry.fileName();
            listing.isDirByName.insert(name, entry.isDir());
            listing.namesByFolded[name.toCaseFolded()].append(name);
        }
    }
    return *m_listings.insert(nativeDir, listing);
}

PathLookup::Result PathLookup::find(const QString& storedPath, Kind kind, QString* actualPath) {
    const QStringList parts = partsOf(storedPath);
    QString dir = QDir::cleanPath(m_rootDir);
    QStringList actualParts;
    bool otherCase = false;
    bool isDir = true; // the root
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part == QLatin1String("..") || !isDir)
            return Result::Missing;
        const Listing& entries = listing(dir);
        QString name = part;
        auto found = entries.isDirByName.constFind(part);
        if (found == entries.isDirByName.constEnd()) {
            const QStringList candidates = entries.namesByFolded.value(part.toCaseFolded());
            if (candidates.isEmpty())
                return Result::Missing;
            // Prefer a candidate of the expected kind at the last part.
            name = candidates.first();
            if (i + 1 == parts.size()) {
                for (const QString& candidate : candidates) {
                    if (entries.isDirByName.value(candidate) == (kind == Kind::Folder)) {
                        name = candidate;
                        break;
                    }
                }
            }
            found = entries.isDirByName.constFind(name);
            otherCase = true;
        }
        isDir = *found;
        actualParts.append(name);
        dir += QLatin1Char('/') + name;
    }
    if (isDir != (kind == Kind::Folder))
        return Result::WrongKind;
    if (otherCase) {
        if (actualPath)
            *actualPath = actualParts.join(QLatin1Char('\\'));
        return Result::OtherCase;
    }
    return Result::Found;
}
