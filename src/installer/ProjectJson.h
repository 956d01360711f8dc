#pragma once

#include "model/Fomod.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The JSON form of a project, used by quarvel-cli. It mirrors the model one to one: one object
// per element, keyed by the field names, sequences as arrays, iPriority as a number.
namespace ProjectJson {

// Every field of every element is written, defaults included.
QJsonObject toJson(const CFOMOD& project);

// Indented UTF-8 text of toJson(), ending in a line feed (JsonText writes it without building
// the document).
QByteArray toText(const CFOMOD& project);

// Builds a project from its JSON form. A missing key takes the constructor's value; an unknown
// key, a value of the wrong JSON type, a file whose sType is not "file" or "folder" (it names
// the written element) or a priority that is not a signed 32-bit integer fails
// with a message that names the key by its path, such as
// "vSteps[0].vGroups[1].sType: expected a string". On failure the project is left unchanged.
bool fromJson(const QJsonObject& object, CFOMOD& project, QString* errorText = nullptr);

// The same from JSON text: UTF-8, or UTF-16/32 when a byte-order mark says so. A syntax error
// is reported with its line and column.
bool fromText(const QByteArray& bytes, CFOMOD& project, QString* errorText = nullptr);

} // namespace ProjectJson
