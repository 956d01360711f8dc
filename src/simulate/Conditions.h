#pragma once

#include "model/Fomod.h"

#include <QHash>
#include <QList>
#include <QString>

// How an install run reads the installer's conditions, as the mod managers that read our
// files agree: flags compared exactly, file states looked up without letter case.
namespace Simulate {

// The states of the other files of the game: "Active", "Inactive" or "Missing". A name not
// listed is "Missing"; names are compared without letter case.
class FileStates {
public:
    void set(const QString& fileName, const QString& state);
    QString stateOf(const QString& fileName) const;

private:
    QHash<QString, QString> m_states;
};

// Flag values by name; an unset flag has the value "".
using Flags = QHash<QString, QString>;

// A "flag" condition holds when the flag's value equals the value exactly, a "file" condition
// when the file's state equals the state; a condition of any other kind never holds.
bool dependencyHolds(const CDependency& dependency, const Flags& flags, const FileStates& files);

// "Or": one holds (none: false); any other operator text is "And": all hold (none: true).
bool dependenciesHold(const QString& sOperator, const QList<CDependency>& dependencies,
                      const Flags& flags, const FileStates& files);

enum class GroupType { SelectExactlyOne, SelectAtMostOne, SelectAtLeastOne, SelectAll, SelectAny };
enum class OptionType { Required, Optional, Recommended, CouldBeUsable, NotUsable };

// Unknown group types count as SelectAny, unknown option types as Optional.
GroupType groupTypeOf(const QString& text);
OptionType optionTypeOf(const QString& text);
QString optionTypeName(OptionType type);

// The type of the option's first type pattern whose conditions hold, else its own type.
OptionType effectiveType(const CPlugin& plugin, const Flags& flags, const FileStates& files);

} // namespace Simulate
