#pragma once

#include "model/Fomod.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

// The indented JSON text of a project, written piece by piece without building a document in
// memory, so printing a large project needs no more memory than the project itself. The bytes
// are exactly those of QJsonDocument(ProjectJson::toJson(project)).toJson(Indented): keys in
// alphabetical order, four spaces per level, Qt's escapes.
namespace JsonText {

// Receives the text in pieces of about 1 MB; returning false stops the writing.
using Sink = std::function<bool(QByteArrayView piece)>;

// False when the sink refused a piece.
bool write(const CFOMOD& project, const Sink& sink);

// The whole text in memory, for small projects and tests.
QByteArray text(const CFOMOD& project);

} // namespace JsonText
