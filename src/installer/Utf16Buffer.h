#pragma once

#include "installer/Encoding.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtEndian>

// Collects a whole installer file as UTF-16 LE bytes in memory, so it is written with one
// call and a failure can never leave half a file. Texts are appended as they are given, or
// escaped for element content or attribute values on the way in.
class Utf16Buffer {
public:
    explicit Utf16Buffer(qsizetype expectedUnits = 0) { m_bytes.reserve(2 * (expectedUnits + 1)); }

    void mark() { m_bytes.append(Encoding::utf16LEMark()); }

    // Format text and texts already in written form.
    void literal(QStringView units) { appendUnits(units); }
    void verbatim(QStringView units) { appendUnits(units); }

    // Plain texts: "&", "<", ">" (and in attributes '"') as character references.
    void text(QStringView plain) { appendEscaped(plain, false); }
    void attribute(QStringView plain) { appendEscaped(plain, true); }

    void number(qint32 value) { appendUnits(QString::number(value)); }

    QByteArray take() { return std::move(m_bytes); }

private:
    void appendUnits(QStringView units) {
        if (units.isEmpty())
            return;
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

    void appendEscaped(QStringView plain, bool bAttribute) {
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            QStringView reference;
            switch (plain[i].unicode()) {
            case u'&':
                reference = u"&#38;";
                break;
            case u'<':
                reference = u"&#60;";
                break;
            case u'>':
                reference = u"&#62;";
                break;
            case u'"':
                if (bAttribute)
                    reference = u"&#34;";
                break;
            default:
                break;
            }
            if (reference.isNull())
                continue;
            appendUnits(plain.mid(runStart, i - runStart));
            appendUnits(reference);
            runStart = i + 1;
        }
        appendUnits(plain.mid(runStart));
    }

    QByteArray m_bytes;
};
