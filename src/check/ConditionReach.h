#pragma once

#include "model/Fomod.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// Whether a condition tree can hold at all, given the flag values that may be set by the time
// it is tested. File states and versions count as possible: the player's game decides them.
namespace ConditionReach {

using FlagValues = QHash<QString, QSet<QString>>; // flag name -> values options set it to

// How a message names what the flags depend on.
struct Wording {
    QString sUnsetFlags; // "no option of an earlier step sets those flag values"
    QString sUnsetValue; // completes "it needs flag 'F' is 'On', which ...": "no option ... sets"
};

// Why the conditions joined by sOperator can never hold, or "" when they can: a flag value
// nothing sets, an empty Or, one flag or file wanted in two states at once, a condition of an
// unknown kind; looked for through every nested group.
QString whyNever(const QString& sOperator, const QList<CDependency>& conditions,
                 const FlagValues& possible, const Wording& wording);

} // namespace ConditionReach
