#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Finds stored paths (relative to a root, either separator) on disk, also when their letter
// case differs. Each folder is listed once and kept, so looking up many files of one folder
// costs one listing.
class PathLookup {
public:
    enum class Kind { File, Folder };
    enum class Result {
        Found,     // exactly as written
        OtherCase, // only with other letter case: actualPath says how it is written on disk
        WrongKind, // found, but a file where a folder is expected or the other way round
        Missing,
    };

    explicit PathLookup(const QString& rootDir) : m_rootDir(rootDir) {}

    // An empty path names the root itself. "." parts are skipped; ".." is not followed.
    Result find(const QString& storedPath, Kind kind, QString* actualPath = nullptr);

private:
    struct Listing {
        bool bExists = false;
        QHash<QString, bool> isDirByName;
        QHash<QString, QStringList> namesByFolded; // folded name -> names on disk
    };
    const Listing& listing(const QString& nativeDir);

    QString m_rootDir;
    QHash<QString, Listing> m_listings;
};
