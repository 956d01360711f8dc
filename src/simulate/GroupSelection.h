#pragma once

#include "simulate/Conditions.h"

#include <QList>
#include <QString>
#include <QStringList>

// The choice rules of one option group: what the wizard presets, what a click may change and
// which selections the group type allows.
namespace Simulate {

// The options the wizard selects before the user does anything.
QList<bool> defaultSelection(GroupType groupType, const QList<OptionType>& types);

// Why no selection can satisfy the group (too many Required options, nothing usable), or ""
// when one can.
QString unsatisfiableReason(GroupType groupType, const QList<OptionType>& types);

// Why the selection is not allowed (a NotUsable option chosen, a Required one left out, a
// count outside the group type's bounds), or "" when it is.
// Options are named by names[i] (their position when names is shorter).
QString selectionFault(GroupType groupType, const QList<OptionType>& types,
                       const QList<bool>& selected, const QStringList& names = {});

// A click on an option, as the wizard's radio buttons and check boxes behave: selecting in a
// one-option group clears the others. Returns false, changing nothing, when the click is not
// allowed (a NotUsable option, clearing a Required option, leaving a group below its minimum).
bool toggle(GroupType groupType, const QList<OptionType>& types, QList<bool>& selected, int option,
            bool select);

// True for the group types shown as radio buttons (exactly one may be chosen).
bool isSingleChoice(GroupType groupType);

} // namespace Simulate
