#include "installer/Destination.h"

#include <QStringList>

namespace Destination {

QString detect(const QString& s) {
    const QString ending = s.right(4).toLower();
    if (ending == QLatin1String(".esp") || ending == QLatin1String(".esm") ||
        ending == QLatin1String(".esl") || ending == QLatin1String(".ba2")) {
        const qsizetype slash = s.lastIndexOf(QLatin1Char('\\'));
        return slash >= 1 ? s.mid(slash + 1) : s;
    }
    static const QStringList folders = {"STRINGS", "TEXTURES", "MUSIC", "SOUND", "INTERFACE", "MESHES", "PROGRAMS", "MATERIALS", "LODSETTINGS", "VIS", "MISC", "SCRIPTS", "SHADERSFX", "MCM"};
    qsizetype start = 0;
    for (const QString& component : s.split(QLatin1Char('\\'))) {
        if (folders.contains(component.toUpper()))
            return s.mid(start);
        start += component.size() + 1;
    }
    return s;
}

} // namespace Destination
