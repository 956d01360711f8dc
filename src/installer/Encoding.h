#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Byte encodings of installer files.
namespace Encoding {

// The text of an installer file read from disk:
//   FF FE        UTF-16 LE, the mark kept as the text's first character;
//   FE FF        UTF-16 BE;
//   EF BB BF     UTF-8, mark dropped;
//   valid UTF-8  UTF-8;
//   "<" then 0   UTF-16 LE without a mark;
//   otherwise    one character per byte (Latin-1), the last byte of an odd-sized file dropped.
QString decodeInstallerBytes(const QByteArray& bytes);

// How the first bytes of an installer file say it is to be decoded, by the rules above. Two
// bytes are enough to tell the UTF-16 forms, three for the UTF-8 mark.
struct Form {
    enum Kind { Utf16LE, Utf16BE, Utf8Marked, Unmarked };
    Kind kind;
    qsizetype markBytes; // bytes at the start that are no text
};
Form installerForm(QByteArrayView firstBytes);

// The UTF-16 little-endian code units of a text, no byte-order mark, no conversion.
QByteArray encodeUtf16LE(const QString& text);

// The byte-order mark FF FE that starts every written installer file.
inline QByteArray utf16LEMark() {
    return QByteArray("\xFF\xFE", 2);
}

} // namespace Encoding
