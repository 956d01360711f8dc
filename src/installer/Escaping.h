#pragma once

#include <QString>
#include <QStringView>

// Character references in installer texts.
//
// The two descriptions are held in their written form: their memos normalise them on every
// change, and the writer passes them once more through the mod-description normalisation so
// that a text that never went through a memo is written well-formed too. Every other field
// holds plain text, which the writer escapes and the readers unescape.
namespace Escaping {

// Normalisation without the line-break steps: undo "&#38;", "&#60;", "&#62;", escape "<" and
// ">" again, and turn every "&" that starts no reference into "&#38;". Decimal, hexadecimal
// and the five named references are kept as they are.
QString normaliseModDescription(const QString& memoText);

// The same, plus (while bReplaceRN is on) each CR LF stored as "&#13;&#10;" followed by LF.
QString normalisePluginDescription(const QString& memoText, bool bReplaceRN);

// What a description memo shows for a stored description: the normalisation undone, so that
// a text typed into the memo comes back as typed. "&#38;", "&#60;" and "&#62;" become their
// characters and, while bReplaceRN is on, "&#13;&#10;" (with the line feed that follows it)
// becomes CR LF; every other reference stays as it is, as the normalisation kept it. Only a
// typed text that itself holds one of these references (which the normalisation stores
// exactly like the character it names) comes back as that character.
QString modDescriptionForMemo(const QString& stored);
QString pluginDescriptionForMemo(const QString& stored, bool bReplaceRN);

// The reference a character of plain text is written as, or a null view when it is written
// as itself: "&" -> "&#38;", "<" -> "&#60;", ">" -> "&#62;", and in attribute values the
// quotation mark -> "&#34;".
inline QStringView referenceFor(char16_t c, bool bAttribute) {
    switch (c) {
    case u'&':
        return u"&#38;";
    case u'<':
        return u"&#60;";
    case u'>':
        return u"&#62;";
    case u'"':
        return bAttribute ? QStringView(u"&#34;") : QStringView();
    default:
        return {};
    }
}

// Characters a well-formed file may hold, or reference: controls other than tab, line feed
// and carriage return, surrogates, U+FFFE and U+FFFF are not among them.
inline bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The number of units of the character at text[i] when a well-formed file may hold it (1, or
// 2 for a surrogate pair), else 0.
inline qsizetype xmlCharLength(QStringView text, qsizetype i) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode()))
        return 2; // a pair always names a character from U+10000 to U+10FFFF
    return isXmlChar(c) ? 1 : 0;
}

// How a field's text goes into a file.
enum class Field {
    Written,  // already in written form (the descriptions): no references added
    Text,     // plain text as element content
    Attribute // plain text as an attribute value
};

// Hands `units` to `append` in pieces as they are written into a field: plain text with its
// references, and in every field each character no well-formed file may hold, not even as a
// reference, as U+FFFD. Written as it is, such a character (pasted into a name, or read from
// a damaged file) would make every mod manager refuse the whole file.
template <class Append> void appendField(QStringView units, Field field, Append&& append) {
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < units.size(); ++i) {
        const char16_t c = units[i].unicode();
        QStringView replacement;
        if (field != Field::Written)
            replacement = referenceFor(c, field == Field::Attribute);
        if (replacement.isNull()) {
            if (c >= 0x20 && c < 0xD800)
                continue;
            const qsizetype length = xmlCharLength(units, i);
            if (length > 0) {
                i += length - 1;
                continue;
            }
            replacement = u"\uFFFD";
        }
        append(units.mid(runStart, i - runStart));
        append(replacement);
        runStart = i + 1;
    }
    append(units.mid(runStart));
}

// Plain text as element content or as an attribute value, in the form appendField gives it.
QString escapeText(const QString& plain);
QString escapeAttribute(const QString& plain);

// Decodes "&#NN;", "&#xHH;" and "&amp;", "&lt;", "&gt;", "&quot;", "&apos;". An "&" that
// starts no reference stays as it is.
QString decodeReferences(const QString& written);

} // namespace Escaping
