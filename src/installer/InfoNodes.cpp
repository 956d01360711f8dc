#include "installer/InfoNodes.h"

namespace InfoNodes {

namespace {

constexpr QStringView kCommentOpen = u"<!--";
constexpr QStringView kCommentClose = u"-->";
constexpr QStringView kCDataOpen = u"<![CDATA[";
constexpr QStringView kCDataClose = u"]]>";

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool endsName(QChar c) {
    return isSpace(c) || c == u'/' || c == u'>' || c == u'=';
}

// An element still open, with the texts read between its children so far.
struct OpenElement {
    CInfoNode* node;
    QStringList pieces;
};

class Parser {
public:
    explicit Parser(QStringView text) : m_text(text) {}

    QList<CInfoNode> run();

private:
    // Each reads the construct that starts at m_at and leaves m_at after it.
    void readComment();
    void readCData();
    void skipPast(QStringView terminator);
    void readEndTag();
    void readStartTag();
    void readAttributes(CInfoNode& node, bool& selfClosing);
    QString readAttributeValue();
    void readText();

    QList<CInfoNode>& siblings() {
        return m_open.isEmpty() ? m_nodes : m_open.last().node->vChildren;
    }
    void addPiece(QStringView piece);
    void close(qsizetype count);
    bool at(QStringView s) const { return m_text.sliced(m_at).startsWith(s); }

    QStringView m_text;
    qsizetype m_at = 0;
    QList<CInfoNode> m_nodes;
    QList<OpenElement> m_open;
};

QList<CInfoNode> Parser::run() {
    while (m_at < m_text.size()) {
        if (m_text[m_at] != u'<')
            readText();
        else if (at(kCommentOpen))
            readComment();
        else if (at(kCDataOpen))
            readCData();
        else if (at(u"<?"))
            skipPast(u"?>");
        else if (at(u"<!"))
            skipPast(u">");
        else if (at(u"</"))
            readEndTag();
        else if (m_at + 1 < m_text.size() && !endsName(m_text[m_at + 1]))
            readStartTag();
        else
            readText(); // a lone "<" is text, as lenient readers take it
    }
    close(m_open.size());
    return std::move(m_nodes);
}

void Parser::readComment() {
    const qsizetype from = m_at + kCommentOpen.size();
    qsizetype to = m_text.indexOf(kCommentClose, from);
    m_at = to < 0 ? m_text.size() : to + kCommentClose.size();
    if (to < 0)
        to = m_text.size();
    CInfoNode comment;
    comment.bComment = true;
    comment.sText = m_text.sliced(from, to - from).toString();
    siblings().append(comment);
}

// Kept whole, markers included, so that the text is written back as it was.
void Parser::readCData() {
    const qsizetype to = m_text.indexOf(kCDataClose, m_at + kCDataOpen.size());
    const qsizetype end = to < 0 ? m_text.size() : to + kCDataClose.size();
    addPiece(m_text.sliced(m_at, end - m_at));
    m_at = end;
}

void Parser::skipPast(QStringView terminator) {
    const qsizetype to = m_text.indexOf(terminator, m_at + 2);
    m_at = to < 0 ? m_text.size() : to + terminator.size();
}

void Parser::readText() {
    qsizetype to = m_text.indexOf(u'<', m_at + 1);
    if (to < 0)
        to = m_text.size();
    addPiece(m_text.sliced(m_at, to - m_at));
    m_at = to;
}

void Parser::readEndTag() {
    qsizetype from = m_at + 2;
    qsizetype to = m_text.indexOf(u'>', from);
    m_at = to < 0 ? m_text.size() : to + 1;
    if (to < 0)
        to = m_text.size();
    const QStringView name = m_text.sliced(from, to - from).trimmed();
    for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
        if (m_open[i].node->sName.compare(name, Qt::CaseInsensitive) == 0) {
            close(m_open.size() - i);
            return;
        }
    }
}

void Parser::readStartTag() {
    qsizetype to = m_at + 1;
    while (to < m_text.size() && !endsName(m_text[to]))
        ++to;
    CInfoNode element;
    element.sName = m_text.sliced(m_at + 1, to - m_at - 1).toString();
    m_at = to;
    bool selfClosing = false;
    readAttributes(element, selfClosing);
    // The text before a child is a piece of its own.
    if (!m_open.isEmpty())
        m_open.last().pieces.append(QString());
    QList<CInfoNode>& list = siblings();
    list.append(std::move(element));
    if (!selfClosing && m_open.size() < kMaxDepth)
        m_open.append(OpenElement{&list.last(), {QString()}});
}

void Parser::readAttributes(CInfoNode& node, bool& selfClosing) {
    while (m_at < m_text.size()) {
        const QChar c = m_text[m_at];
        if (c == u'>') {
            ++m_at;
            return;
        }
        if (c == u'/' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'>') {
            selfClosing = true;
            m_at += 2;
            return;
        }
        if (isSpace(c) || c == u'/' || c == u'=') {
            ++m_at;
            continue;
        }
        qsizetype to = m_at;
        while (to < m_text.size() && !endsName(m_text[to]))
            ++to;
        CInfoAttribute attribute;
        attribute.sName = m_text.sliced(m_at, to - m_at).toString();
        m_at = to;
        while (m_at < m_text.size() && isSpace(m_text[m_at]))
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == u'=') {
            ++m_at;
            attribute.sValue = readAttributeValue();
        }
        node.vAttributes.append(attribute);
    }
}

QString Parser::readAttributeValue() {
    while (m_at < m_text.size() && isSpace(m_text[m_at]))
        ++m_at;
    if (m_at >= m_text.size())
        return QString();
    const QChar quote = m_text[m_at];
    if (quote == u'"' || quote == u'\'') {
        qsizetype to = m_text.indexOf(quote, m_at + 1);
        if (to < 0)
            to = m_text.size();
        const QString value = m_text.sliced(m_at + 1, to - m_at - 1).toString();
        m_at = qMin(to + 1, m_text.size());
        return value;
    }
    qsizetype to = m_at;
    while (to < m_text.size() && !isSpace(m_text[to]) && m_text[to] != u'>')
        ++to;
    const QString value = m_text.sliced(m_at, to - m_at).toString();
    m_at = to;
    return value;
}

// Texts outside every element (white space, a byte-order mark) belong to no node.
void Parser::addPiece(QStringView piece) {
    if (!m_open.isEmpty())
        m_open.last().pieces.last().append(piece);
}

// An element without children keeps its text exactly; one with children keeps the texts
// between them without the white space that only lays them out.
void Parser::close(qsizetype count) {
    for (; count > 0; --count) {
        OpenElement open = m_open.takeLast();
        if (open.node->vChildren.isEmpty()) {
            open.node->sText = open.pieces.join(QString());
            continue;
        }
        for (const QString& piece : open.pieces)
            open.node->sText += QStringView(piece).trimmed();
    }
}

} // namespace

QList<CInfoNode> parse(QStringView text) {
    return Parser(text).run();
}

QString elementText(const CInfoNode& node, bool* fromCData) {
    *fromCData = false;
    const QStringView text = node.sText;
    QString joined;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(kCDataOpen, at);
        if (open < 0) {
            joined += text.sliced(at);
            break;
        }
        joined += text.sliced(at, open - at);
        const qsizetype from = open + kCDataOpen.size();
        qsizetype close = text.indexOf(kCDataClose, from);
        if (close < 0)
            close = text.size();
        joined += text.sliced(from, close - from);
        *fromCData = true;
        at = close + kCDataClose.size();
    }
    qsizetype start = 0;
    while (start < joined.size() && isSpace(joined[start]))
        ++start;
    return joined.mid(start);
}

} // namespace InfoNodes
