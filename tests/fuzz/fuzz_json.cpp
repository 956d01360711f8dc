// libFuzzer target: the JSON form that `quarvel-cli write` takes. Any bytes are accepted or
// refused without crashing; what is accepted is printed back as JSON that reads again to the
// same text, and is writable as an installer.
#include "installer/ProjectJson.h"
#include "installer/Writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CFOMOD project;
    QString error;
    if (!ProjectJson::fromText(bytes, project, &error))
        return 0;

    const QByteArray printed = ProjectJson::toText(project);
    CFOMOD again;
    if (!ProjectJson::fromText(printed, again, &error) || ProjectJson::toText(again) != printed)
        std::abort();
    InstallerWriter::configFileBytes(project, QStringLiteral("1.0.0.0"), QStringLiteral("x"));
    InstallerWriter::infoFileBytes(project);
    return 0;
}
