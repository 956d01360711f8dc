// libFuzzer target: macro expansion of any script text terminates without crashing.
#include "scripts/Macros.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Macros::Context context = [] {
        Macros::Context c;
        c.sModName = QStringLiteral("Name\r\nwith $MODNAME$ inside");
        c.sModAuthor = QStringLiteral("Author");
        c.sModVersion = QStringLiteral("1.0");
        c.sModRoot = QStringLiteral("/mods/A");
        c.clock = [] { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)); };
        return c;
    }();
    const QByteArray script(reinterpret_cast<const char*>(data), qsizetype(size));
    Macros::expandScript(script, context, "\r\n");
    return 0;
}
