#pragma once

#include "installer/Encoding.h"
#include "installer/Escaping.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <QtEndian>

// Collects an installer file as UTF-16 LE bytes: whole in memory, or streamed to a device in
// chunks of one reused buffer, so a large file never needs a file-sized copy in memory. Texts
// are appended as they are given, or escaped for element content or attribute values.
class Utf16Buffer {
public:
    explicit Utf16Buffer(qsizetype expectedUnits = 0) { m_bytes.reserve(2 * (expectedUnits + 1)); }
    explicit Utf16Buffer(QIODevice* sink) : m_sink(sink) { m_bytes.reserve(kChunkBytes + 4096); }

    // Streaming: writes what is left; false when any write came up short.
    bool finish() {
        flush();
        return !m_failed;
    }

    void mark() { m_bytes.append(Encoding::utf16LEMark()); }

    // Format text, written as it is.
    void literal(QStringView units) { appendUnits(units); }
    // A text already in written form (a description).
    void verbatim(QStringView units) { appendField(units, Escaping::Field::Written); }

    // Plain texts: "&", "<", ">" (and in attributes '"') as character references.
    void text(QStringView plain) { appendField(plain, Escaping::Field::Text); }
    void attribute(QStringView plain) { appendField(plain, Escaping::Field::Attribute); }

    void number(qint32 value) { appendUnits(QString::number(value)); }

    QByteArray take() { return std::move(m_bytes); }

private:
    static constexpr qsizetype kChunkBytes = 1 << 20;

    void flush() {
        if (!m_failed && !m_bytes.isEmpty() && m_sink->write(m_bytes) != m_bytes.size())
            m_failed = true;
        m_bytes.resize(0); // keeps the capacity
    }

    void appendUnits(QStringView units) {
        if (units.isEmpty())
            return;
        if (m_sink && m_bytes.size() >= kChunkBytes)
            flush();
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            m_bytes.append(reinterpret_cast<const char*>(units.utf16()), units.size() * 2);
        } else {
            const qsizetype start = m_bytes.size();
            m_bytes.resize(start + units.size() * 2);
            auto* dst = reinterpret_cast<uchar*>(m_bytes.data() + start);
            for (qsizetype i = 0; i < units.size(); ++i)
                qToLittleEndian<quint16>(units[i].unicode(), dst + 2 * i);
        }
    }

    void appendField(QStringView units, Escaping::Field field) {
        Escaping::appendField(units, field, [this](QStringView piece) { appendUnits(piece); });
    }

    QByteArray m_bytes;
    QIODevice* m_sink = nullptr;
    bool m_failed = false;
};
