#pragma once

#include "installer/Utf16Buffer.h"
#include "model/Fomod.h"

#include <QByteArray>

// The form of info.xml. A project that holds the nodes of a file it was read from writes
// those nodes back in order (elements, attributes, texts and comments as read) with its
// fields in their elements; a project made here writes the fields alone.
namespace InstallerWriter {

// The whole file, byte-order mark included.
void formatInfo(Utf16Buffer& out, const CFOMOD& project);
QByteArray infoFileBytes(const CFOMOD& project);

} // namespace InstallerWriter
