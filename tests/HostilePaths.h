#pragma once

#include "FileHelpers.h"
#include "platform/BoundedFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Paths that no reader may read, and none may block on, built in a temporary folder. None of
// them depends on permissions, so they fail as the superuser too (CI runs as root).
namespace HostilePaths {

// Adds the rows: the kind of path and the reason BoundedFile gives for it (a prefix).
inline void addRows() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing"
                             << "cannot be opened: ";
    QTest::newRow("a folder") << "folder"
                              << "is not a regular file";
    QTest::newRow("a FIFO") << "fifo"
                            << "is not a regular file";
    QTest::newRow("a path through a regular file") << "through file"
                                                   << "cannot be opened: ";
    QTest::newRow("a name too long") << "long name"
                                     << "cannot be opened: ";
    QTest::newRow("an oversized file") << "oversized"
                                       << "is too large";
}

// Makes a path of the kind inside `dir`; an empty result means the platform has no such thing.
inline QString make(const QString& kind, const QString& dir) {
    const QString path = dir + QStringLiteral("/target.txt");
    if (kind == u"folder")
        return QDir().mkpath(path) ? path : QStringLiteral("<no folder>");
    if (kind == u"fifo") {
#ifdef Q_OS_UNIX
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                   ? path
                   : QStringLiteral("<no fifo>");
#else
        return QString();
#endif
    }
    if (kind == u"through file")
        return FileHelpers::writeFile(path, "a regular file") ? path + QStringLiteral("/inner.txt")
                                                              : QStringLiteral("<no file>");
    if (kind == u"long name")
        return dir + QLatin1Char('/') + QString(300, QLatin1Char('n')) + QStringLiteral(".txt");
    if (kind == u"oversized") {
        // Sparse where the file system allows it: no 256 MB is written.
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(BoundedFile::kMaxBytes + 1)
                   ? path
                   : QStringLiteral("<no large file>");
    }
    return path; // missing
}

} // namespace HostilePaths

// Fetches the row's path into `path`, skipping where the platform cannot make it.
#define HOSTILE_PATH(path, dir)                                                                    \
    QFETCH(QString, kind);                                                                         \
    QFETCH(QString, reason);                                                                       \
    const QString path = HostilePaths::make(kind, dir);                                            \
    if (path.isEmpty())                                                                            \
        QSKIP("no such file kind on this platform");
