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

// Plain text for element content: "&" -> "&#38;", "<" -> "&#60;", ">" -> "&#62;".
QString escapeText(const QString& plain);

// Plain text for an attribute value: as escapeText, and the quotation mark -> "&#34;".
QString escapeAttribute(const QString& plain);

// Decodes "&#NN;", "&#xHH;" and "&amp;", "&lt;", "&gt;", "&quot;", "&apos;". An "&" that
// starts no reference stays as it is.
QString decodeReferences(const QString& written);

} // namespace Escaping
