#include "installer/Encoding.h"

#include <QStringDecoder>
#include <QtEndian>

namespace Encoding {

namespace {

enum class ByteOrder { Little, Big };

// Unit for unit, without validation: unpaired surrogates are kept as they are.
QString utf16Units(const QByteArray& bytes, qsizetype offset, ByteOrder order) {
    const qsizetype units = (bytes.size() - offset) / 2;
    QString text(units, Qt::Uninitialized);
    const auto* src = reinterpret_cast<const uchar*>(bytes.constData() + offset);
    char16_t* dst = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < units; ++i) {
        dst[i] = order == ByteOrder::Little ? qFromLittleEndian<quint16>(src + 2 * i)
                                            : qFromBigEndian<quint16>(src + 2 * i);
    }
    return text;
}

bool startsWith(QByteArrayView bytes, const char* prefix, qsizetype length) {
    return bytes.size() >= length && std::equal(prefix, prefix + length, bytes.data());
}

} // namespace

Form installerForm(QByteArrayView bytes) {
    // The LE mark is kept as the first character: the tokenizer passes over it.
    if (startsWith(bytes, "\xFF\xFE", 2))
        return {Form::Utf16LE, 0};
    if (startsWith(bytes, "\xFE\xFF", 2))
        return {Form::Utf16BE, 2};
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return {Form::Utf8Marked, 3};
    // Unmarked UTF-16 shows in the zero byte beside the first "<"; checked before UTF-8, for
    // which a zero byte is valid.
    if (startsWith(bytes, "<\0", 2))
        return {Form::Utf16LE, 0};
    if (startsWith(bytes, "\0<", 2))
        return {Form::Utf16BE, 0};
    return {Form::Unmarked, 0};
}

QString decodeInstallerBytes(const QByteArray& bytes) {
    const Form form = installerForm(bytes);
    switch (form.kind) {
    case Form::Utf16LE:
        return utf16Units(bytes, form.markBytes, ByteOrder::Little);
    case Form::Utf16BE:
        return utf16Units(bytes, form.markBytes, ByteOrder::Big);
    case Form::Utf8Marked:
        return QString::fromUtf8(bytes.constData() + form.markBytes, bytes.size() - form.markBytes);
    case Form::Unmarked:
        break;
    }

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    // Neither marked nor valid UTF-8: one character per byte, an odd last byte dropped.
    return QString::fromLatin1(bytes.constData(), bytes.size() & ~qsizetype(1));
}

QByteArray encodeUtf16LE(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    auto* dst = reinterpret_cast<uchar*>(bytes.data());
    const QChar* src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(src[i].unicode(), dst + 2 * i);
    return bytes;
}

} // namespace Encoding
