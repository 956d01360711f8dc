#pragma once

#include "installer/Encoding.h"

#include <QByteArray>
#include <QString>

#include <utility>

// A text as a file in the given encoding holds it: "UTF-8" (no mark), "UTF-16 LE" or
// "UTF-16 BE" (each with its byte order mark).
inline QByteArray encodedText(const QString& text, const QString& encoding) {
    if (encoding == u"UTF-8")
        return text.toUtf8();
    QByteArray bytes = Encoding::utf16LEMark() + Encoding::encodeUtf16LE(text);
    if (encoding == u"UTF-16 BE") {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            std::swap(bytes[i], bytes[i + 1]);
    }
    return bytes;
}
