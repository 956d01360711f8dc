#include "installer/Utf16Window.h"

#include "installer/UnitScan.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

Utf16Window::Utf16Window(QIODevice& device, QByteArrayView firstBytes, bool bigEndian,
                         qsizetype markBytes, qint64 maxBytes, QList<qsizetype>* zeroLines,
                         qsizetype pieceUnits)
    : m_device(device), m_swap(bigEndian != (Q_BYTE_ORDER == Q_BIG_ENDIAN)), m_maxBytes(maxBytes),
      m_zeroLines(zeroLines), m_pieceUnits(std::max<qsizetype>(pieceUnits, 1)) {
    const QByteArrayView text = firstBytes.sliced(std::min(markBytes, firstBytes.size()));
    m_units.resize(size_t(text.size() / 2 + 1));
    if (!text.isEmpty())
        std::memcpy(m_units.data(), text.data(), size_t(text.size()));
    m_byteCount = text.size();
    m_readBytes = firstBytes.size();
    settle(0);
}

bool Utf16Window::slide(qsizetype keep, QString* errorText) {
    if (m_zeroLines)
        countLinesTo(keep);
    auto* bytes = reinterpret_cast<char*>(m_units.data());
    m_byteCount -= 2 * keep;
    std::memmove(bytes, bytes + 2 * keep, size_t(m_byteCount));
    m_dropped += keep;

    const qsizetype settled = m_byteCount / 2;
    if (!readBytes(2 * std::max(m_pieceUnits, settled), errorText))
        return false;
    settle(settled);
    return true;
}

bool Utf16Window::readBytes(qint64 bytes, QString* errorText) {
    const size_t unitsNeeded = size_t((m_byteCount + bytes) / 2 + 1);
    if (m_units.size() < unitsNeeded)
        m_units.resize(std::max(unitsNeeded, 2 * m_units.size()));
    auto* window = reinterpret_cast<char*>(m_units.data());
    for (qint64 total = 0; total < bytes;) {
        const qint64 got = m_device.read(window + m_byteCount, bytes - total);
        if (got < 0) {
            if (errorText)
                *errorText = QStringLiteral("cannot be read: ") + m_device.errorString();
            return false;
        }
        if (got == 0) {
            m_atEnd = true;
            break;
        }
        m_readBytes += got;
        if (m_readBytes > m_maxBytes) {
            if (errorText)
                *errorText = QStringLiteral("is too large");
            return false;
        }
        m_byteCount += got;
        total += got;
    }
    return true;
}

void Utf16Window::settle(qsizetype fromUnit) {
    char16_t* units = m_units.data();
    const qsizetype end = m_byteCount / 2;
    if (m_swap) {
        for (qsizetype i = fromUnit; i < end; ++i)
            units[i] = qbswap(units[i]);
    }
    for (qsizetype i = fromUnit; i < end; ++i) {
        const qsizetype zero = UnitScan::indexOfZero(units + i, end - i);
        if (zero < 0)
            break;
        i += zero;
        units[i] = 0xFFFD;
        if (!m_zeroLines)
            continue;
        countLinesTo(i);
        if (m_zeroLines->isEmpty() || m_zeroLines->last() != m_line)
            m_zeroLines->append(m_line);
    }
}

void Utf16Window::countLinesTo(qsizetype unit) {
    const qsizetype from = m_lineCounted - m_dropped;
    if (unit <= from)
        return;
    m_line += UnitScan::count(m_units.data() + from, unit - from, u'\n');
    m_lineCounted = m_dropped + unit;
}
