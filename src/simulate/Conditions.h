#pragma once

#include "model/Fomod.h"
#include "model/FomodTypes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// How an install run reads the installer's conditions, as the mod managers that read our
// files agree: flags compared exactly, file states looked up without letter case, condition
// groups evaluated to any depth.
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

// The versions of the game ("game"), the mod manager ("fomm") and the script extenders
// ("fose", "skse", "nvse", "f4se") the run assumes, by condition kind. A kind without a
// version counts as new enough for every condition on it.
class Versions {
public:
    // False, changing nothing, when the version is not one to four parts of digits.
    bool set(const QString& kind, const QString& version);
    bool has(const QString& kind) const { return m_versions.contains(kind); }
    // A version condition holds when the kind's version is at least the one asked for. A
    // version asked for that cannot be read counts as 0 (so the condition holds), as Vortex
    // reads it.
    bool atLeast(const QString& kind, const QString& wanted) const;

private:
    QHash<QString, FomodTypes::VersionNumber> m_versions;
};

// "game=1.6.1170,fose=2.2.6": the kinds of Vocabulary::versionKinds() with their versions.
// Returns "" or why the text is refused, changing nothing.
QString parseVersions(const QString& text, Versions* versions);

// What the run knows of the player's game.
struct Environment {
    FileStates files;
    Versions versions;

    Environment(FileStates fileStates = {}, Versions givenVersions = {})
        : files(std::move(fileStates)), versions(std::move(givenVersions)) {}
};

// Flag values by name; an unset flag has the value "".
using Flags = QHash<QString, QString>;

// A "flag" condition holds when the flag's value equals the value exactly, a "file" condition
// when the file's state equals the state, a version condition as Versions::atLeast, a "group"
// as its conditions joined by its operator; a condition of any other kind never holds.
bool dependencyHolds(const CDependency& dependency, const Flags& flags, const Environment& game);

// "Or": one holds (none: false); any other operator text is "And": all hold (none: true).
bool dependenciesHold(const QString& sOperator, const QList<CDependency>& dependencies,
                      const Flags& flags, const Environment& game);

// The version kinds the project's conditions test, anywhere in their trees, in the order of
// Vocabulary::versionKinds().
QStringList testedVersionKinds(const CFOMOD& project);

using FomodTypes::GroupType;
using FomodTypes::groupTypeOf;
using FomodTypes::OptionType;
using FomodTypes::optionTypeName;
using FomodTypes::optionTypeOf;

// The type of the option's first type pattern whose conditions hold, else its own type.
OptionType effectiveType(const CPlugin& plugin, const Flags& flags, const Environment& game);

} // namespace Simulate
