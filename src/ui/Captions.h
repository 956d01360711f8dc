#pragma once

#include "settings/LanguageTable.h"

#include <QString>

namespace Captions {

// A text looked up by key in the language shown, or layoutCaption when the language has none
// (no file loaded, or one without the key).
inline QString lookup(const QString& key, const QString& layoutCaption) {
    const QString caption = Language::lookup(key);
    return caption == key ? layoutCaption : caption;
}

} // namespace Captions
