#include "installer/Escaping.h"

#include <array>

namespace Escaping {

namespace {

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

struct NamedReference {
    QStringView written;
    char16_t character;
};

constexpr std::array<NamedReference, 5> namedReferences{{
    {u"&amp;", u'&'},
    {u"&lt;", u'<'},
    {u"&gt;", u'>'},
    {u"&quot;", u'"'},
    {u"&apos;", u'\''},
}};

// The length of the reference starting at text[i] (an "&"), or 0 when none starts there.
// Numeric references count only when they have digits and name a character a well-formed
// file may hold: anything else would make the written file unreadable for mod managers.
qsizetype referenceAt(QStringView text, qsizetype i, char32_t* character) {
    const qsizetype n = text.size();
    if (i + 1 < n && text[i + 1] == u'#') {
        qsizetype j = i + 2;
        int base = 10;
        if (j < n && text[j] == u'x') {
            base = 16;
            ++j;
        }
        const qsizetype digitsStart = j;
        char32_t value = 0;
        bool inRange = true;
        for (; j < n; ++j) {
            const int d = digitValue(text[j], base);
            if (d < 0)
                break;
            if (inRange) {
                value = value * char32_t(base) + char32_t(d);
                inRange = value <= 0x10FFFF;
            }
        }
        if (j == digitsStart || j >= n || text[j] != u';' || !inRange || !isXmlChar(value))
            return 0;
        if (character)
            *character = value;
        return j + 1 - i;
    }
    const QStringView rest = text.mid(i);
    for (const NamedReference& ref : namedReferences) {
        if (rest.startsWith(ref.written)) {
            if (character)
                *character = ref.character;
            return ref.written.size();
        }
    }
    return 0;
}

// Replaces the pattern until it no longer occurs anywhere, new occurrences made by a
// replacement included, in one pass: an occurrence can only be completed at the end of
// what has been built so far.
QString replaceUntilGone(const QString& text, QStringView pattern, QStringView replacement) {
    if (!text.contains(pattern))
        return text;
    QString out;
    out.reserve(text.size());
    const QChar last = pattern.back();
    for (const QChar c : text) {
        out.append(c);
        if (c == last && out.endsWith(pattern)) {
            out.chop(pattern.size());
            out.append(replacement);
        }
    }
    return out;
}

// Every "&" that starts no reference becomes "&#38;"; references are copied unchanged.
QString escapeLooseAmpersands(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            out.append(c);
            continue;
        }
        const qsizetype len = referenceAt(text, i, nullptr);
        if (len > 0) {
            out.append(QStringView(text).mid(i, len));
            i += len - 1;
        } else {
            out.append(u"&#38;");
        }
    }
    return out;
}

QString normalise(const QString& memoText, bool bLineBreaks) {
    QString s = replaceUntilGone(memoText, u"&#38;", u"&");
    s.replace(QStringLiteral("&#60;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&#62;"), QStringLiteral(">"));
    if (bLineBreaks)
        s = replaceUntilGone(s, u"&#13;&#10;", u"");
    s.replace(QStringLiteral("<"), QStringLiteral("&#60;"));
    s.replace(QStringLiteral(">"), QStringLiteral("&#62;"));
    if (bLineBreaks)
        s.replace(QStringLiteral("\r\n"), QStringLiteral("&#13;&#10;\n"));
    return escapeLooseAmpersands(s);
}

// The inverse of normalise on every text it produces: scanned once from the left, so an
// "&#38;" that stood for a typed "&" never joins what follows into another reference.
QString decodeDescription(const QString& stored, bool bLineBreaks) {
    if (!stored.contains(u'&'))
        return stored;
    QString out;
    out.reserve(stored.size());
    const QStringView text(stored);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            out.append(c);
            continue;
        }
        const QStringView rest = text.mid(i);
        if (rest.startsWith(u"&#38;")) {
            out.append(u'&');
            i += 4;
        } else if (rest.startsWith(u"&#60;")) {
            out.append(u'<');
            i += 4;
        } else if (rest.startsWith(u"&#62;")) {
            out.append(u'>');
            i += 4;
        } else if (bLineBreaks && rest.startsWith(u"&#13;&#10;")) {
            // The line break written after the pair belongs to it; a text written with
            // bReplaceRN off carries CR LF there.
            out.append(u"\r\n");
            i += 9;
            if (text.mid(i + 1).startsWith(u"\r\n"))
                i += 2;
            else if (text.mid(i + 1).startsWith(u"\n"))
                i += 1;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString escape(const QString& plain, Field field) {
    QString out;
    out.reserve(plain.size());
    appendField(plain, field, [&out](QStringView piece) { out.append(piece); });
    return out;
}

} // namespace

QString normaliseModDescription(const QString& memoText) {
    return normalise(memoText, false);
}

QString normalisePluginDescription(const QString& memoText, bool bReplaceRN) {
    return normalise(memoText, bReplaceRN);
}

QString modDescriptionForMemo(const QString& stored) {
    return decodeDescription(stored, false);
}

QString pluginDescriptionForMemo(const QString& stored, bool bReplaceRN) {
    return decodeDescription(stored, bReplaceRN);
}

QString escapeText(const QString& plain) {
    return escape(plain, Field::Text);
}

QString escapeAttribute(const QString& plain) {
    return escape(plain, Field::Attribute);
}

QString decodeReferences(const QString& written) {
    if (!written.contains(u'&'))
        return written;
    QString out;
    out.reserve(written.size());
    const qsizetype n = written.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = written[i];
        char32_t character = 0;
        const qsizetype len = c == u'&' ? referenceAt(written, i, &character) : 0;
        if (len == 0) {
            out.append(c);
            continue;
        }
        if (QChar::requiresSurrogates(character)) {
            out.append(QChar(QChar::highSurrogate(character)));
            out.append(QChar(QChar::lowSurrogate(character)));
        } else {
            out.append(QChar(char16_t(character)));
        }
        i += len - 1;
    }
    return out;
}

} // namespace Escaping
