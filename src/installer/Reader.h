#pragma once

#include "installer/InfoReader.h"
#include "installer/ReadReport.h"
#include "installer/Utf16Window.h"
#include "model/Fomod.h"

#include <QIODevice>
#include <QList>
#include <QString>

// Fills a project from fomod/ModuleConfig.xml (info.xml: InfoReader.h). Both operations add to the
// project they are given and clear nothing. On failure *errorText says what went wrong; it
// does not repeat the path, which the caller names. A file that is not a regular file or is
// larger than BoundedFile::kMaxBytes is not read.
//
// A zero character (a UTF-8 zero byte, a UTF-16 zero unit) does not end the reading: it is read
// as U+FFFD, and *zeroLines (when given) receives the number of each line, counted from 1, that
// held one, once per line. When a priority stops the reading, the lines after the place where it
// stopped may be missing: a file read in pieces is not read past it.
namespace InstallerReader {

// Success means the file could be opened and read to its end. A priority that is not a signed
// 32-bit decimal number, or conditions nested deeper than 256 levels ("conditions nested deeper
// than 256 levels at line N"), stop the reading there and fail; what was read before stays, as it
// does when the file cannot be read on partway (it is parsed as it is read). A project that has no
// name yet (no info.xml, or one without a name) takes the moduleName. *report (when given) receives
// where the elements stood and what the project cannot keep.
bool readConfigFile(const QString& path, CFOMOD& project, QString* errorText = nullptr,
                    ZeroLines* zeroLines = nullptr, ReadReport* report = nullptr);

// What readConfigFile does without a report, on a device standing at the start of the file's
// bytes (an open file, a buffer): a UTF-16 file is read in pieces of `pieceUnits` units as it
// is parsed, any other whole. Tests make the pieces small to put their edges everywhere.
bool readConfigDevice(QIODevice& device, CFOMOD& project, QString* errorText = nullptr,
                      ZeroLines* zeroLines = nullptr,
                      qsizetype pieceUnits = Utf16Window::kPieceUnits);

// The same rules on an already decoded text.
bool readConfigText(const QString& text, CFOMOD& project, QString* errorText = nullptr,
                    ZeroLines* zeroLines = nullptr, ReadReport* report = nullptr);

} // namespace InstallerReader
