#pragma once

#include "model/Fomod.h"

#include <QList>
#include <QString>

// Reads info.xml: every node into CFOMOD::vInfoNodes, as written, and the fields the editor
// shows (name, author, version, website, description, the first category) from their elements.
// A file that holds no more than the fields, as one made here, leaves vInfoNodes empty, so
// that the project equals the one it was written from. Adds to the project it is given; a zero
// character is read as U+FFFD and the number of each
// line that held one (counted from 1) goes to *zeroLines, when given.
namespace InstallerReader {

using ZeroLines = QList<qsizetype>;

// Success means the file could be opened; its content cannot make reading fail. On failure
// *errorText says why, without the path. A file that is not a regular file or is larger than
// BoundedFile::kMaxBytes is not read.
bool readInfoFile(const QString& path, CFOMOD& project, QString* errorText = nullptr,
                  ZeroLines* zeroLines = nullptr);

// The same on an already decoded text.
void readInfoText(const QString& text, CFOMOD& project, ZeroLines* zeroLines = nullptr);

} // namespace InstallerReader
