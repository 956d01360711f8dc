#include "installer/Tokenizer.h"

#include "installer/Escaping.h"

#include <QVarLengthArray>

#include <cstring>
#include <string_view>

namespace Tokenizer {

Attribute& AttributeList::appendSlot() {
    if (m_count == m_pairs.size())
        m_pairs.emplace_back();
    return m_pairs[m_count++];
}

std::optional<QString> attributeValue(const AttributeList& attributes, QStringView key) {
    for (qsizetype i = attributes.size() - 1; i >= 0; --i) {
        if (attributes[i].sName == key)
            return Escaping::decodeReferences(attributes[i].sValue);
    }
    return std::nullopt;
}

namespace {

// The characters collected since the last acting character of a tag. Kept on the stack: names
// and values are short, and a long value only spills to the heap once per call.
using Collected = QVarLengthArray<char16_t, 256>;

bool isLineSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Empties a text without giving up storage that nobody else holds.
void makeEmpty(QString& target) {
    if (target.isDetached())
        target.resize(0);
    else
        target = QString();
}

// Copies `n` characters into `target`, lowering ASCII capitals when asked. The storage of the
// target is reused when nobody else holds it (the readers keep the same outputs for a whole file).
void assign(QString& target, const char16_t* data, qsizetype n, bool lower) {
    if (!target.isDetached())
        target = QString();
    target.resize(n);
    char16_t* out = reinterpret_cast<char16_t*>(target.data());
    if (!lower) {
        if (n > 0)
            std::memcpy(out, data, size_t(n) * sizeof(char16_t));
        return;
    }
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = data[k];
        out[k] = (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    }
}

// trim(lower(collected)): every character of code 32 or less is cut from both ends.
void assignName(QString& target, const Collected& collected) {
    const char16_t* first = collected.constData();
    const char16_t* last = first + collected.size();
    while (first < last && *first <= 32)
        ++first;
    while (last > first && last[-1] <= 32)
        --last;
    assign(target, first, last - first, true);
}

bool startsWithAt(const char16_t* s, qsizetype n, qsizetype i, std::u16string_view prefix) {
    if (n - i < qsizetype(prefix.size()))
        return false;
    return std::u16string_view(s + i, prefix.size()) == prefix;
}

// Position of the first `terminator` at or after `from`; when the text ends first, returns -1
// and sets `end` to the end of the text.
qsizetype findTerminator(const char16_t* s, qsizetype n, qsizetype from,
                         std::u16string_view terminator, qsizetype& end) {
    const char16_t head = terminator.front();
    for (qsizetype j = from; j < n; ++j) {
        const char16_t c = s[j];
        if (c == head && startsWithAt(s, n, j, terminator))
            return j;
    }
    end = n;
    return -1;
}

QString textBetween(const char16_t* s, qsizetype from, qsizetype to) {
    return QStringView(s + from, to - from).toString();
}

constexpr std::u16string_view kCommentOpen = u"<!--";
constexpr std::u16string_view kCommentClose = u"-->";
constexpr std::u16string_view kCDataOpen = u"<![CDATA[";
constexpr std::u16string_view kCDataClose = u"]]>";

} // namespace

qsizetype ParseTag(QStringView text, qsizetype start, QString& tagName, QString& elementText,
                   AttributeList& attributes, qint32& state, bool* textHasCData,
                   qsizetype* tagStart, CommentList* comments) {
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();

    Collected b;
    bool valueTaken = true;
    char16_t quoteMark = 0; // the mark that opened the current value; 0 outside quotes
    if (textHasCData)
        *textHasCData = false;
    // In InText the element text is collected directly, so it starts as empty as B does.
    if (state == InText)
        makeEmpty(elementText);

    qsizetype i = start;
    for (; i < n; ++i) {
        const char16_t c = s[i];
        switch (state) {
        case Outside:
            if (c != u'<')
                break;
            if (startsWithAt(s, n, i, kCommentOpen) || startsWithAt(s, n, i, kCDataOpen)) {
                // Passed over whole, whatever it holds: its "<" and "/" must not start tags.
                const bool comment = s[i + 2] == u'-';
                const qsizetype close =
                    comment ? findTerminator(s, n, i + kCommentOpen.size(), kCommentClose, i)
                            : findTerminator(s, n, i + kCDataOpen.size(), kCDataClose, i);
                if (close < 0)
                    return i;
                if (comment && comments)
                    comments->append(
                        Comment{i, textBetween(s, i + kCommentOpen.size(), close), false});
                i = close + (comment ? kCommentClose.size() : kCDataClose.size()) - 1;
                break;
            }
            state = InTag;
            if (tagStart)
                *tagStart = i;
            attributes.clear();
            makeEmpty(tagName);
            makeEmpty(elementText);
            b.clear();
            break;

        case InTag: {
            if (quoteMark != 0 && c != quoteMark) {
                // Inside a quoted value every character up to the closing mark is the value's.
                qsizetype j = i;
                while (j < n && s[j] != quoteMark)
                    ++j;
                b.append(s + i, j - i);
                i = j - 1;
                break;
            }
            const bool isMark = c == u'"' || c == u'\'';

            // Attribute step.
            if (!tagName.isEmpty() && (isMark || c == u'=' || c == u'>')) {
                if (!attributes.isEmpty() && attributes.last().sValue.isEmpty() && !valueTaken &&
                    quoteMark != 0) {
                    assign(attributes.last().sValue, b.constData(), b.size(), false);
                    valueTaken = true;
                } else if (!isMark) {
                    Attribute& pair = attributes.appendSlot();
                    assignName(pair.sName, b);
                    makeEmpty(pair.sValue);
                    valueTaken = false;
                }
                b.clear();
            }

            // Name step: "<installStep/>" is named too.
            if (!b.isEmpty() && tagName.isEmpty() && (isLineSpace(c) || c == u'>' || c == u'/')) {
                assignName(tagName, b);
                b.clear();
            }

            // Character step.
            if (c == u'/') {
                state = Closing;
            } else if (c == u'>') {
                state = InText;
                makeEmpty(elementText);
                b.clear();
            } else if (isMark) {
                quoteMark = quoteMark == 0 ? c : char16_t(0);
            } else if (c != u'=') {
                b.append(c);
            }
            break;
        }

        case Closing:
            if (c == u'>')
                state = Complete;
            break;

        case InText: {
            if (c == u'<') {
                if (startsWithAt(s, n, i, kCommentOpen)) {
                    const qsizetype close =
                        findTerminator(s, n, i + kCommentOpen.size(), kCommentClose, i);
                    if (close < 0)
                        return i;
                    if (comments)
                        comments->append(
                            Comment{i, textBetween(s, i + kCommentOpen.size(), close), true});
                    i = close + kCommentClose.size() - 1;
                    break;
                }
                if (startsWithAt(s, n, i, kCDataOpen)) {
                    qsizetype from = i + kCDataOpen.size();
                    const qsizetype close = findTerminator(s, n, from, kCDataClose, i);
                    if (close < 0)
                        return i;
                    // Literal, but an element text never starts with white space, whatever
                    // its origin: the text written back must read back the same.
                    if (elementText.isEmpty()) {
                        while (from < close && isLineSpace(s[from]))
                            ++from;
                    }
                    elementText.append(QStringView(s + from, close - from));
                    if (textHasCData)
                        *textHasCData = true;
                    i = close + kCDataClose.size() - 1;
                    break;
                }
                state = Complete;
                break;
            }
            if (elementText.isEmpty() && isLineSpace(c))
                break; // leading white space is dropped
            qsizetype j = i;
            while (j < n && s[j] != u'<')
                ++j;
            elementText.append(QStringView(s + i, j - i));
            i = j - 1;
            break;
        }

        default:
            break;
        }

        if (state == Complete)
            return i;
    }
    return i;
}

} // namespace Tokenizer
