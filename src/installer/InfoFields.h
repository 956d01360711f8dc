#pragma once

#include "model/Fomod.h"

#include <QList>
#include <QString>

#include <iterator>

// Which nodes of info.xml hold the fields the editor shows, so that the reader takes them from
// those nodes and the writer puts the fields back into the same ones.
namespace InfoFields {

// In the order the writer puts them into a file it makes.
enum class Field { Name, Author, Version, Website, Description, Category };
inline constexpr Field kFields[] = {Field::Name,    Field::Author,      Field::Version,
                                    Field::Website, Field::Description, Field::Category};

QString& fieldOf(CFOMOD& project, Field field);
const QString& fieldOf(const CFOMOD& project, Field field);

// The element's name in a file the writer makes.
QStringView writtenName(Field field);

// The nodes found, null where the file has none. Element names are compared without letter
// case, wherever the element stands; of two elements of one name the later one counts. The
// category is the first "element" of the first "Groups" that has one, and `groups` that
// Groups (or the first Groups, when none has an element).
struct Places {
    const CInfoNode* fields[std::size(kFields)] = {};
    const CInfoNode* groups = nullptr;
    const CInfoNode* root = nullptr; // the first top-level element

    const CInfoNode* operator[](Field field) const { return fields[int(field)]; }
};
Places locate(const QList<CInfoNode>& nodes);

// The field's value as its element holds it.
QString valueOf(const CInfoNode& node, Field field);

} // namespace InfoFields
