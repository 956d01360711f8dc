#include "installer/InfoWriter.h"

#include "installer/Escaping.h"
#include "installer/InfoFields.h"

#include <optional>

namespace InstallerWriter {

namespace {

using InfoFields::Field;

// The field's text in written form.
void writeValue(Utf16Buffer& out, Field field, const QString& value) {
    if (field == Field::Description)
        out.verbatim(Escaping::normaliseModDescription(value));
    else
        out.text(value);
}

// An element of a file made here, one line, written only when its field is set.
void writeNewField(Utf16Buffer& out, Field field, const QString& value) {
    if (value.isEmpty())
        return;
    const QStringView tag = InfoFields::writtenName(field);
    out.literal(u"\t<");
    out.literal(tag);
    out.literal(u">");
    writeValue(out, field, value);
    out.literal(u"</");
    out.literal(tag);
    out.literal(u"> \n");
}

void writeNewGroups(Utf16Buffer& out, const QString& category) {
    if (category.isEmpty())
        return;
    out.literal(u"\t<Groups>\n\t\t<element>");
    out.text(category);
    out.literal(u"</element>\n\t</Groups> \n");
}

void formatFields(Utf16Buffer& out, const CFOMOD& project) {
    out.literal(u"<fomod> \n");
    for (Field field : InfoFields::kFields) {
        if (field != Field::Category)
            writeNewField(out, field, InfoFields::fieldOf(project, field));
    }
    writeNewGroups(out, project.sCategory);
    out.literal(u"</fomod> \n");
}

// Writes the nodes read, in the layout of a file made here: a tab per level, and the space
// before the line feed where such a file has one (the lines of the top two levels, but the
// opening lines of the second).
class NodeWriter {
public:
    NodeWriter(Utf16Buffer& out, const CFOMOD& project)
        : m_out(out), m_project(project), m_places(InfoFields::locate(project.vInfoNodes)) {}

    void writeAll();

private:
    void writeNode(const CInfoNode& node, int depth);
    void writeElement(const CInfoNode& node, int depth, const std::optional<Field>& field);
    void writeChildren(const CInfoNode& node, int depth);
    void writeAttributes(const CInfoNode& node);
    void writeNewCategory(int depth);
    void indent(int depth);
    void endLine(bool withSpace) { m_out.literal(withSpace ? u" \n" : u"\n"); }

    std::optional<Field> fieldHeldBy(const CInfoNode& node) const;
    bool changed(const CInfoNode& node, Field field) const;
    bool dropped(const CInfoNode& node) const;
    qsizetype insertionPoint(Field field) const;

    Utf16Buffer& m_out;
    const CFOMOD& m_project;
    const InfoFields::Places m_places;
};

void NodeWriter::writeAll() {
    for (const CInfoNode& node : m_project.vInfoNodes)
        writeNode(node, 0);
    if (!m_places.root)
        formatFields(m_out, m_project);
}

std::optional<Field> NodeWriter::fieldHeldBy(const CInfoNode& node) const {
    for (Field field : InfoFields::kFields) {
        if (m_places[field] == &node)
            return field;
    }
    return std::nullopt;
}

bool NodeWriter::changed(const CInfoNode& node, Field field) const {
    return InfoFields::valueOf(node, field) != InfoFields::fieldOf(m_project, field);
}

// A field the user cleared takes its element with it; a Groups left without categories goes.
bool NodeWriter::dropped(const CInfoNode& node) const {
    if (const std::optional<Field> field = fieldHeldBy(node))
        return InfoFields::fieldOf(m_project, *field).isEmpty() && changed(node, *field);
    if (&node != m_places.groups || !m_places[Field::Category] ||
        !dropped(*m_places[Field::Category]))
        return false;
    for (const CInfoNode& child : node.vChildren) {
        if (!child.bComment && &child != m_places[Field::Category])
            return false;
    }
    return true;
}

void NodeWriter::indent(int depth) {
    for (int i = 0; i < depth; ++i)
        m_out.literal(u"\t");
}

void NodeWriter::writeNode(const CInfoNode& node, int depth) {
    if (node.bComment) {
        indent(depth);
        m_out.literal(u"<!--");
        m_out.verbatim(node.sText);
        m_out.literal(u"-->");
        endLine(depth <= 1);
        return;
    }
    if (!dropped(node))
        writeElement(node, depth, fieldHeldBy(node));
}

void NodeWriter::writeAttributes(const CInfoNode& node) {
    for (const CInfoAttribute& attribute : node.vAttributes) {
        // As written; a value holding the one quotation mark was written between the other.
        const QStringView quote = attribute.sValue.contains(u'"') ? u"'" : u"\"";
        m_out.literal(u" ");
        m_out.verbatim(attribute.sName);
        m_out.literal(u"=");
        m_out.literal(quote);
        m_out.verbatim(attribute.sValue);
        m_out.literal(quote);
    }
}

void NodeWriter::writeElement(const CInfoNode& node, int depth, const std::optional<Field>& field) {
    const bool newCategory =
        &node == m_places.groups && !m_places[Field::Category] && !m_project.sCategory.isEmpty();
    const bool onLines = !node.vChildren.isEmpty() || &node == m_places.root || newCategory;
    const bool newValue = field && changed(node, *field);
    // The white space that laid out an element of several lines is this layout's now.
    const QStringView text = onLines ? QStringView(node.sText).trimmed() : QStringView(node.sText);
    indent(depth);
    m_out.literal(u"<");
    m_out.verbatim(node.sName);
    writeAttributes(node);
    // Empty, as elements deeper than the reader keeps are: they have no end tag to mistake
    // for an outer element's.
    if (!onLines && !newValue && text.isEmpty()) {
        m_out.literal(u"/>");
        endLine(depth <= 1);
        return;
    }
    m_out.literal(u">");
    if (newValue)
        writeValue(m_out, *field, InfoFields::fieldOf(m_project, *field));
    else
        m_out.verbatim(text);
    if (onLines) {
        endLine(depth == 0);
        writeChildren(node, depth);
        if (newCategory)
            writeNewCategory(depth + 1);
        indent(depth);
    }
    m_out.literal(u"</");
    m_out.verbatim(node.sName);
    m_out.literal(u">");
    endLine(depth <= 1);
}

// The root's children, with the fields that have no element yet where a file made here has
// them: after the elements of the fields before them.
void NodeWriter::writeChildren(const CInfoNode& node, int depth) {
    const bool root = &node == m_places.root;
    for (qsizetype i = 0; i <= node.vChildren.size(); ++i) {
        if (root) {
            for (Field field : InfoFields::kFields) {
                if (m_places[field] || insertionPoint(field) != i)
                    continue;
                if (field != Field::Category)
                    writeNewField(m_out, field, InfoFields::fieldOf(m_project, field));
                else if (!m_places.groups)
                    writeNewGroups(m_out, m_project.sCategory);
            }
        }
        if (i < node.vChildren.size())
            writeNode(node.vChildren[i], depth + 1);
    }
}

void NodeWriter::writeNewCategory(int depth) {
    indent(depth);
    m_out.literal(u"<element>");
    m_out.text(m_project.sCategory);
    m_out.literal(u"</element>");
    endLine(depth <= 1);
}

// Just after the last of the root's children that holds a field written before this one
// (the Groups counting as the category's), or first when there is none.
qsizetype NodeWriter::insertionPoint(Field field) const {
    const QList<CInfoNode>& children = m_places.root->vChildren;
    qsizetype point = 0;
    for (qsizetype i = 0; i < children.size(); ++i) {
        const std::optional<Field> held = &children[i] == m_places.groups
                                              ? std::optional(Field::Category)
                                              : fieldHeldBy(children[i]);
        if (held && int(*held) < int(field))
            point = i + 1;
    }
    return point;
}

} // namespace

void formatInfo(Utf16Buffer& out, const CFOMOD& project) {
    out.mark();
    if (project.vInfoNodes.isEmpty())
        formatFields(out, project);
    else
        NodeWriter(out, project).writeAll();
}

QByteArray infoFileBytes(const CFOMOD& project) {
    Utf16Buffer out;
    formatInfo(out, project);
    return out.take();
}

} // namespace InstallerWriter
