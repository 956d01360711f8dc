// libFuzzer target: the installer readers must accept any bytes without crashing.
#include "installer/Encoding.h"
#include "installer/Reader.h"
#include "installer/Writer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = Encoding::decodeInstallerBytes(bytes);

    CFOMOD project;
    InstallerReader::readInfoText(text, project);
    InstallerReader::readConfigText(text, project);
    // Whatever was read must also be writable.
    InstallerWriter::configFileBytes(project, QStringLiteral("1.0.0.0"), QStringLiteral("x"));
    InstallerWriter::infoFileBytes(project);
    return 0;
}
