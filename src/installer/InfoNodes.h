#pragma once

#include "model/Fomod.h"

#include <QList>
#include <QStringView>

// The node tree of info.xml, as the author wrote it: elements with their attributes and texts
// exactly as written (character references and character data sections kept), their children
// and the comments, in order. Files are parsed leniently, as mod managers do: an end tag that
// matches no open element is passed over, one that matches an outer element closes the inner
// ones, and the file's end closes whatever is still open. Declarations, processing
// instructions and a document type are not kept: the writer writes its own form of the file.
namespace InfoNodes {

// Elements nested deeper than this are kept as children of the deepest element allowed, so
// that no walk over the tree can exhaust the stack, whatever the file holds.
inline constexpr int kMaxDepth = 256;

QList<CInfoNode> parse(QStringView text);

// The text an element's field takes: character data sections taken literally (and then
// *fromCData set), every other text with its references, leading white space dropped, as
// the configuration reader reads element texts.
QString elementText(const CInfoNode& node, bool* fromCData);

} // namespace InfoNodes
