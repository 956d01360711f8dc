#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file reading for the files the program takes from users (installer files, settings,
// language files, scripts, JSON projects): only regular files, and only up to a size no real
// one comes near, so a FIFO or device never blocks the program and a huge file is never read.
namespace BoundedFile {

// The largest real installer file is under 1 MB.
inline constexpr qint64 kMaxBytes = qint64(256) * 1024 * 1024;

// Reads the whole file into `bytes`. On failure `bytes` is left empty and *errorText (when
// given) says why, without the path: "is not a regular file" (a folder, a FIFO, a device),
// "is too large" (over maxBytes, refused before reading), or "cannot be opened: " /
// "cannot be read: " followed by the system's reason.
bool read(const QString& path, QByteArray& bytes, QString* errorText = nullptr,
          qint64 maxBytes = kMaxBytes);

// The two halves of read, for readers that take a file in pieces: `open` checks the file as
// read does and opens it unbuffered; `readRest` appends what is left of the device to
// `bytes`, refusing with "is too large" when the whole would pass maxBytes.
bool open(const QString& path, QFile& file, QString* errorText = nullptr,
          qint64 maxBytes = kMaxBytes);
bool readRest(QIODevice& device, QByteArray& bytes, QString* errorText = nullptr,
              qint64 maxBytes = kMaxBytes);

} // namespace BoundedFile
