#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The lexical layer under the installer readers: one call reads one tag from a decoded file
// text and yields its name, its attributes and the element text that follows it. It knows no
// nesting and no character references; the readers give the tags their meaning by name.
namespace Tokenizer {

// The machine's state. The values are part of the calling protocol: callers set Outside
// before every call and test for Complete.
enum TagState : qint32 {
    Outside = 0,  // looking for the "<" that opens the next tag
    InTag = 1,    // between "<" and the tag's ">"
    Closing = 2,  // after a "/" inside a tag: everything up to the next ">" is ignored
    InText = 8,   // after the tag's ">": collecting the element text
    Complete = 16 // the tag and its element text are ready
};

struct Attribute {
    QString sName;  // trimmed, ASCII letters lowered
    QString sValue; // exactly as written between the quotation marks
};

// The ordered (name, value) pairs of one tag. Clearing keeps the storage of the pairs, so
// reading a long file does not allocate anew for every tag.
class AttributeList {
public:
    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    const Attribute& at(qsizetype i) const { return m_pairs.at(i); }
    const Attribute& operator[](qsizetype i) const { return m_pairs.at(i); }
    const Attribute* begin() const { return m_pairs.constData(); }
    const Attribute* end() const { return m_pairs.constData() + m_count; }

    void clear() { m_count = 0; }
    // Appends a pair and returns it for filling; its texts hold whatever they held before.
    Attribute& appendSlot();
    Attribute& last() { return m_pairs[m_count - 1]; }
    const Attribute& last() const { return m_pairs.at(m_count - 1); }

private:
    QList<Attribute> m_pairs;
    qsizetype m_count = 0;
};

// The value a tag gives an attribute: a tag may carry one more than once, and each occurrence is
// applied in turn, so the last one wins. Its character references are decoded; nothing when the
// tag does not carry the attribute.
std::optional<QString> attributeValue(const AttributeList& attributes, QStringView key);

// A comment passed over while a tag was read.
struct Comment {
    qsizetype position; // its "<"
    QString sText;      // between "<!--" and "-->"
    bool bInText;       // it stood in the element text after the tag, not before the tag
};
using CommentList = QList<Comment>;

// Reads from `start` until one tag is complete or the text ends. A tag name ends at white
// space, at ">" or at "/". Every character, the zero character included, is text: the readers
// replace zero characters before they get here. Returns the position where
// the state became Complete (the "<" after an opening tag's text, or the ">" of an end tag or
// a self-closing tag), or the end of the text. Comments are skipped whole; character-data
// sections are skipped outside element texts and taken literally inside them, in which case
// *textHasCData (when given) is set. *tagStart (when given) receives the position of the "<"
// that opened the tag, so callers can tell where it stood. *comments (when given) receives each
// comment passed over in this call, in order; it is not cleared.
qsizetype ParseTag(QStringView text, qsizetype start, QString& tagName, QString& elementText,
                   AttributeList& attributes, qint32& state, bool* textHasCData = nullptr,
                   qsizetype* tagStart = nullptr, CommentList* comments = nullptr);

// True when `position` is the end of the text as ParseTag sees it.
inline bool isEnd(QStringView text, qsizetype position) {
    return position >= text.size();
}

} // namespace Tokenizer
