#pragma once

#include <QString>

class CDependency;

// What the condition lists (step visibility, type patterns, conditional installs) show of a
// condition in their name column. A nested group cannot be edited there: its row shows the
// whole group as it reads, "(A is Active or A is Inactive) and F is On", and can only be
// deleted; a version condition shows its kind and version in the other columns.
namespace ConditionRow {

QString nameText(const CDependency& dependency);

} // namespace ConditionRow
