#pragma once

#include <QByteArray>
#include <QString>

// A text as a language file is saved: FF FE, then the text in UTF-16 LE.
inline QByteArray utf16File(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
