#pragma once

#include <QString>

class QTabBar;

// Tab strips whose tab i stands for pattern i of a list ('Pattern[0]', 'Pattern[1]', ...): the
// type patterns of a plugin and the conditional-install patterns. Every change is made with the
// strip's signals blocked; the owner refreshes its page afterwards.
namespace PatternTabs {

// An empty strip that keeps its height while it has no tab, so the page does not jump.
QTabBar* create(const QString& name);

QString caption(qsizetype index);

// Replaces every tab by one per pattern; the first one is current.
void show(QTabBar* tabs, qsizetype count);

// Appends the tab of a new last pattern and makes it current.
void append(QTabBar* tabs);

// Removes tab p. The following tab becomes current, the first one after the last tab; the
// remaining tabs are captioned by their positions again.
void removeAt(QTabBar* tabs, int p);

} // namespace PatternTabs
