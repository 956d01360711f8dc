#include "installer/Destination.h"

#include <QStringView>

namespace Destination {

namespace {

// ASCII letters compared without case; every other character must be equal.
bool equalsAsciiCaseless(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

// Plugin and archive files the game loads only from the data folder itself.
bool isDataFolderFile(QStringView source) {
    static constexpr QStringView extensions[] = {u".esp", u".esm", u".esl", u".ba2"};
    const QStringView ending = source.right(4);
    for (QStringView extension : extensions) {
        if (equalsAsciiCaseless(ending, extension))
            return true;
    }
    return false;
}

bool isDataFolderName(QStringView component) {
    static constexpr QStringView names[] = {
        u"STRINGS",   u"TEXTURES",    u"MUSIC", u"SOUND", u"INTERFACE", u"MESHES",    u"PROGRAMS",
        u"MATERIALS", u"LODSETTINGS", u"VIS",   u"MISC",  u"SCRIPTS",   u"SHADERSFX", u"MCM"};
    for (QStringView name : names) {
        if (equalsAsciiCaseless(component, name))
            return true;
    }
    return false;
}

} // namespace

QString detect(const QString& relativeSource) {
    const QStringView source(relativeSource);
    if (isDataFolderFile(source)) {
        // A backslash in the first place does not count as a folder separator.
        const qsizetype slash = source.lastIndexOf(u'\\');
        return slash > 0 ? source.sliced(slash + 1).toString() : relativeSource;
    }
    qsizetype start = 0;
    for (;;) {
        const qsizetype slash = source.indexOf(u'\\', start);
        const qsizetype end = slash < 0 ? source.size() : slash;
        if (isDataFolderName(source.sliced(start, end - start)))
            return source.sliced(start).toString();
        if (slash < 0)
            return relativeSource;
        start = slash + 1;
    }
}

} // namespace Destination
