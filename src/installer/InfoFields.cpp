#include "installer/InfoFields.h"

#include "installer/Escaping.h"
#include "installer/InfoNodes.h"

namespace InfoFields {

namespace {

bool named(const CInfoNode& node, QStringView name) {
    return !node.bComment && node.sName.compare(name, Qt::CaseInsensitive) == 0;
}

const CInfoNode* firstCategory(const CInfoNode& groups) {
    for (const CInfoNode& child : groups.vChildren) {
        if (named(child, u"element"))
            return &child;
    }
    return nullptr;
}

// Iterative, depth first in document order: the tree may be as deep as the parser allows.
void visit(const QList<CInfoNode>& nodes, Places& places) {
    QList<std::pair<const QList<CInfoNode>*, qsizetype>> stack{{&nodes, 0}};
    while (!stack.isEmpty()) {
        auto& [list, next] = stack.last();
        if (next == list->size()) {
            stack.removeLast();
            continue;
        }
        const CInfoNode& node = (*list)[next++];
        for (Field field : kFields) {
            if (field != Field::Category && named(node, writtenName(field)))
                places.fields[int(field)] = &node;
        }
        if (named(node, u"groups")) {
            if (!places.groups)
                places.groups = &node;
            if (!places[Field::Category]) {
                if (const CInfoNode* category = firstCategory(node)) {
                    places.fields[int(Field::Category)] = category;
                    places.groups = &node;
                }
            }
        }
        if (!node.vChildren.isEmpty())
            stack.append({&node.vChildren, 0});
    }
}

} // namespace

QString& fieldOf(CFOMOD& project, Field field) {
    return const_cast<QString&>(fieldOf(std::as_const(project), field));
}

const QString& fieldOf(const CFOMOD& project, Field field) {
    switch (field) {
    case Field::Name:
        return project.sName;
    case Field::Author:
        return project.sAuthor;
    case Field::Version:
        return project.sVersion;
    case Field::Website:
        return project.sWebsite;
    case Field::Description:
        return project.sDescription;
    case Field::Category:
        break;
    }
    return project.sCategory;
}

QStringView writtenName(Field field) {
    static constexpr QStringView names[] = {u"Name",    u"Author",      u"Version",
                                            u"Website", u"Description", u"element"};
    return names[int(field)];
}

Places locate(const QList<CInfoNode>& nodes) {
    Places places;
    for (const CInfoNode& node : nodes) {
        if (!node.bComment) {
            places.root = &node;
            break;
        }
    }
    visit(nodes, places);
    return places;
}

// Character data is literal; the description stays in written form, the other fields are
// plain text.
QString valueOf(const CInfoNode& node, Field field) {
    bool fromCData = false;
    const QString text = InfoNodes::elementText(node, &fromCData);
    if (field == Field::Description)
        return fromCData ? Escaping::normaliseModDescription(text) : text;
    return fromCData ? text : Escaping::decodeReferences(text);
}

} // namespace InfoFields
