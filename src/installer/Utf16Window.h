#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// A UTF-16 installer file read piece by piece into a window that slides along it, so that a
// large file is never held whole and the memory it is read into stays the same few pieces.
// The reader parses the window; when a tag runs past its end, the window drops what lies
// before that tag, takes in the next piece, and the tag is parsed again.
//
// The units arrive as Encoding::decodeInstallerBytes gives them: in the machine's byte order,
// an odd last byte dropped, and every zero unit replaced by U+FFFD.
class Utf16Window {
public:
    static constexpr qsizetype kPieceUnits = qsizetype(1) << 18;

    // `firstBytes` are the bytes already read from the start of the file; the first
    // `markBytes` of them are no text. The device is read on from where it stands; more than
    // `maxBytes` in all is refused. *zeroLines (when given) receives the line of each zero
    // unit replaced, once per line.
    Utf16Window(QIODevice& device, QByteArrayView firstBytes, bool bigEndian, qsizetype markBytes,
                qint64 maxBytes, QList<qsizetype>* zeroLines, qsizetype pieceUnits = kPieceUnits);

    // The units held, from the first one not yet dropped.
    QStringView text() const { return QStringView(m_units.data(), m_byteCount / 2); }
    // True once the whole file is held.
    bool atEnd() const { return m_atEnd; }

    // Drops the units before `keep` and reads on: at least one piece, and at least as many
    // units as are kept, so that a tag longer than a piece is not parsed over and over. False
    // when the device fails or the file passes the limit; *errorText (when given) says why.
    bool slide(qsizetype keep, QString* errorText);

private:
    // Appends up to `bytes` bytes from the device; false on failure.
    bool readBytes(qint64 bytes, QString* errorText);
    // Brings the units completed by the last read into shape.
    void settle(qsizetype fromUnit);
    // Counts the lines up to `unit` (window-relative) for the zero lines.
    void countLinesTo(qsizetype unit);

    QIODevice& m_device;
    const bool m_swap;
    const qint64 m_maxBytes;
    QList<qsizetype>* m_zeroLines;
    const qsizetype m_pieceUnits;

    std::vector<char16_t> m_units; // the window; an odd byte waits after the last unit
    qsizetype m_byteCount = 0;     // bytes held in the window
    qint64 m_readBytes = 0;        // bytes read from the file in all
    bool m_atEnd = false;

    qsizetype m_dropped = 0;     // units dropped from the window's front
    qsizetype m_lineCounted = 0; // units (from the file's start) whose line feeds are counted
    qsizetype m_line = 1;
};
