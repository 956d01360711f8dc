// libFuzzer target: a language file of any content parses without crashing.
#include "settings/LanguageTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<SLanguagePair> pairs = Language::parse(bytes);
    if (!pairs.isEmpty())
        Language::lookup(pairs, pairs.constFirst().sKey);
    return 0;
}
