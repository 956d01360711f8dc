#pragma once

#include "model/Fomod.h"

#include <QString>

// A condition as a person reads it, for lists and messages:
// "(A is Active or A is Inactive) and F is On". Texts are shown as held; nothing is escaped.
namespace ConditionText {

// One condition; a group in parentheses when it joins more than one.
QString of(const CDependency& dependency);

// Conditions joined by an operator ("Or", anything else reads as "And"), without parentheses
// around the whole. An empty And holds always, an empty Or never, and the text says so.
QString ofList(const QString& sOperator, const QList<CDependency>& dependencies);

} // namespace ConditionText
