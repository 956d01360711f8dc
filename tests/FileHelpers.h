#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file reads and writes for test fixtures.
namespace FileHelpers {

// True when every byte was written.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file that cannot be read gives a marker, so that it never compares equal to an empty one.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace FileHelpers
