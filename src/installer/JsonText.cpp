#include "installer/JsonText.h"

namespace JsonText {

namespace {

constexpr qsizetype kChunkBytes = 1 << 20;

char hexDigit(uint value) {
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

class Printer {
public:
    explicit Printer(const Sink& sink) : m_sink(sink) { m_out.reserve(kChunkBytes + 4096); }

    bool finish() {
        flush();
        return !m_failed;
    }

    void project(const CFOMOD& p) {
        object(0, [&](int level) {
            member(level, "sAuthor", false, [&] { string(p.sAuthor); });
            member(level, "sCategory", false, [&] { string(p.sCategory); });
            member(level, "sDescription", false, [&] { string(p.sDescription); });
            member(level, "sImage", false, [&] { string(p.sImage); });
            member(level, "sImageHeight", false, [&] { string(p.sImageHeight); });
            member(level, "sModuleOperator", false, [&] { string(p.sModuleOperator); });
            member(level, "sName", false, [&] { string(p.sName); });
            member(level, "sShowFade", false, [&] { string(p.sShowFade); });
            member(level, "sShowImage", false, [&] { string(p.sShowImage); });
            member(level, "sStepOrder", false, [&] { string(p.sStepOrder); });
            member(level, "sTitle", false, [&] { string(p.sTitle); });
            member(level, "sTitleColour", false, [&] { string(p.sTitleColour); });
            member(level, "sTitlePosition", false, [&] { string(p.sTitlePosition); });
            member(level, "sVersion", false, [&] { string(p.sVersion); });
            member(level, "sWebsite", false, [&] { string(p.sWebsite); });
            comments(level, p.vComments);
            member(level, "vConditionalFiles", false,
                   [&] { array(level, p.vConditionalFiles, &Printer::conditional); });
            member(level, "vInfoNodes", false,
                   [&] { array(level, p.vInfoNodes, &Printer::infoNode); });
            member(level, "vModuleDependencies", false,
                   [&] { array(level, p.vModuleDependencies, &Printer::dependency); });
            member(level, "vRequiredFiles", false,
                   [&] { array(level, p.vRequiredFiles, &Printer::file); });
            member(level, "vSteps", true, [&] { array(level, p.vSteps, &Printer::step); });
        });
        m_out.append('\n');
    }

private:
    void step(int level, const CStep& s) {
        object(level, [&](int inner) {
            member(inner, "sGroupOrder", false, [&] { string(s.sGroupOrder); });
            member(inner, "sName", false, [&] { string(s.sName); });
            member(inner, "sOperator", false, [&] { string(s.sOperator); });
            comments(inner, s.vComments);
            member(inner, "vGroups", false, [&] { array(inner, s.vGroups, &Printer::group); });
            member(inner, "vVisibility", true,
                   [&] { array(inner, s.vVisibility, &Printer::dependency); });
        });
    }

    void group(int level, const CPluginGroup& g) {
        object(level, [&](int inner) {
            member(inner, "sName", false, [&] { string(g.sName); });
            member(inner, "sPluginOrder", false, [&] { string(g.sPluginOrder); });
            member(inner, "sType", false, [&] { string(g.sType); });
            comments(inner, g.vComments);
            member(inner, "vPlugins", true, [&] { array(inner, g.vPlugins, &Printer::plugin); });
        });
    }

    void plugin(int level, const CPlugin& p) {
        object(level, [&](int inner) {
            member(inner, "sDescription", false, [&] { string(p.sDescription); });
            member(inner, "sImage", false, [&] { string(p.sImage); });
            member(inner, "sName", false, [&] { string(p.sName); });
            member(inner, "sType", false, [&] { string(p.sType); });
            comments(inner, p.vComments);
            member(inner, "vConditionFlags", false,
                   [&] { array(inner, p.vConditionFlags, &Printer::condition); });
            member(inner, "vFiles", false, [&] { array(inner, p.vFiles, &Printer::file); });
            member(inner, "vPatterns", true, [&] { array(inner, p.vPatterns, &Printer::pattern); });
        });
    }

    void condition(int level, const CCondition& c) {
        object(level, [&](int inner) {
            member(inner, "sName", false, [&] { string(c.sName); });
            member(inner, "sValue", false, [&] { string(c.sValue); });
            member(inner, "vComments", true, [&] { array(inner, c.vComments, &Printer::comment); });
        });
    }

    void file(int level, const CFile& f) {
        object(level, [&](int inner) {
            member(inner, "iPriority", false,
                   [&] { m_out.append(QByteArray::number(f.iPriority)); });
            member(inner, "sAlwaysInstall", false, [&] { string(f.sAlwaysInstall); });
            member(inner, "sDestination", false, [&] { string(f.sDestination); });
            member(inner, "sInstallIfUsable", false, [&] { string(f.sInstallIfUsable); });
            member(inner, "sSource", false, [&] { string(f.sSource); });
            member(inner, "sType", false, [&] { string(f.sType); });
            member(inner, "vComments", true, [&] { array(inner, f.vComments, &Printer::comment); });
        });
    }

    void pattern(int level, const CDependencyPattern& p) {
        object(level, [&](int inner) {
            member(inner, "sOperator", false, [&] { string(p.sOperator); });
            member(inner, "sType", false, [&] { string(p.sType); });
            comments(inner, p.vComments);
            member(inner, "vDependencies", true,
                   [&] { array(inner, p.vDependencies, &Printer::dependency); });
        });
    }

    void dependency(int level, const CDependency& d) {
        object(level, [&](int inner) {
            member(inner, "sName", false, [&] { string(d.sName); });
            member(inner, "sOperator", false, [&] { string(d.sOperator); });
            member(inner, "sType", false, [&] { string(d.sType); });
            member(inner, "sValue", false, [&] { string(d.sValue); });
            comments(inner, d.vComments);
            member(inner, "vDependencies", true,
                   [&] { array(inner, d.vDependencies, &Printer::dependency); });
        });
    }

    void conditional(int level, const CConditionalFile& c) {
        object(level, [&](int inner) {
            member(inner, "sOperator", false, [&] { string(c.sOperator); });
            comments(inner, c.vComments);
            member(inner, "vDependencies", false,
                   [&] { array(inner, c.vDependencies, &Printer::dependency); });
            member(inner, "vFiles", true, [&] { array(inner, c.vFiles, &Printer::file); });
        });
    }

    void comment(int level, const CComment& c) {
        object(level, [&](int inner) {
            member(inner, "sAt", false, [&] { string(c.sAt); });
            member(inner, "sText", true, [&] { string(c.sText); });
        });
    }

    // The key of every element that keeps comments; none of them is the last key.
    void comments(int level, const QList<CComment>& list) {
        member(level, "vComments", false, [&] { array(level, list, &Printer::comment); });
    }

    void infoAttribute(int level, const CInfoAttribute& a) {
        object(level, [&](int inner) {
            member(inner, "sName", false, [&] { string(a.sName); });
            member(inner, "sValue", true, [&] { string(a.sValue); });
        });
    }

    void infoNode(int level, const CInfoNode& n) {
        object(level, [&](int inner) {
            member(inner, "bComment", false, [&] { m_out.append(n.bComment ? "true" : "false"); });
            member(inner, "sName", false, [&] { string(n.sName); });
            member(inner, "sText", false, [&] { string(n.sText); });
            member(inner, "vAttributes", false,
                   [&] { array(inner, n.vAttributes, &Printer::infoAttribute); });
            member(inner, "vChildren", true,
                   [&] { array(inner, n.vChildren, &Printer::infoNode); });
        });
    }

    // ---- The layout of QJsonDocument::Indented ----

    void indent(int level) { m_out.append(qsizetype(level) * 4, ' '); }

    template <class Members> void object(int level, Members members) {
        m_out.append("{\n");
        members(level + 1);
        indent(level);
        m_out.append('}');
    }

    template <class Value> void member(int level, const char* key, bool last, Value value) {
        indent(level);
        m_out.append('"').append(key).append("\": ");
        value();
        m_out.append(last ? "\n" : ",\n");
        if (m_out.size() >= kChunkBytes)
            flush();
    }

    template <class T>
    void array(int level, const QList<T>& items, void (Printer::*element)(int, const T&)) {
        m_out.append("[\n");
        for (qsizetype i = 0; i < items.size(); ++i) {
            indent(level + 1);
            (this->*element)(level + 1, items[i]);
            m_out.append(i + 1 < items.size() ? ",\n" : "\n");
        }
        indent(level);
        m_out.append(']');
    }

    // UTF-8 with JSON's escapes; a unit that is not part of a valid pair is escaped as \uXXXX.
    void string(const QString& text) {
        m_out.append('"');
        const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = s[i];
            if (u < 0x80) {
                if (u >= 0x20 && u != u'"' && u != u'\\') {
                    m_out.append(char(u));
                    continue;
                }
                m_out.append('\\');
                switch (u) {
                case u'"':
                    m_out.append('"');
                    break;
                case u'\\':
                    m_out.append('\\');
                    break;
                case u'\b':
                    m_out.append('b');
                    break;
                case u'\f':
                    m_out.append('f');
                    break;
                case u'\n':
                    m_out.append('n');
                    break;
                case u'\r':
                    m_out.append('r');
                    break;
                case u'\t':
                    m_out.append('t');
                    break;
                default:
                    unitEscape(u);
                }
            } else if (u < 0x800) {
                m_out.append(char(0xC0 | (u >> 6))).append(char(0x80 | (u & 0x3F)));
            } else if (!QChar::isSurrogate(u)) {
                m_out.append(char(0xE0 | (u >> 12)))
                    .append(char(0x80 | ((u >> 6) & 0x3F)))
                    .append(char(0x80 | (u & 0x3F)));
            } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                const char32_t c = QChar::surrogateToUcs4(u, s[++i]);
                m_out.append(char(0xF0 | (c >> 18)))
                    .append(char(0x80 | ((c >> 12) & 0x3F)))
                    .append(char(0x80 | ((c >> 6) & 0x3F)))
                    .append(char(0x80 | (c & 0x3F)));
            } else {
                m_out.append('\\');
                unitEscape(u);
            }
        }
        m_out.append('"');
    }

    void unitEscape(char16_t u) {
        m_out.append('u')
            .append(hexDigit((u >> 12) & 0xF))
            .append(hexDigit((u >> 8) & 0xF))
            .append(hexDigit((u >> 4) & 0xF))
            .append(hexDigit(u & 0xF));
    }

    void flush() {
        if (!m_failed && !m_out.isEmpty() && !m_sink(m_out))
            m_failed = true;
        m_out.resize(0); // keeps the capacity
    }

    const Sink& m_sink;
    QByteArray m_out;
    bool m_failed = false;
};

} // namespace

bool write(const CFOMOD& project, const Sink& sink) {
    Printer printer(sink);
    printer.project(project);
    return printer.finish();
}

QByteArray text(const CFOMOD& project) {
    QByteArray whole;
    write(project, [&whole](QByteArrayView piece) {
        whole.append(piece);
        return true;
    });
    return whole;
}

} // namespace JsonText
