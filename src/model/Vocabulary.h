#pragma once

#include <QStringList>

// The values the editor offers for the model's free-text fields, in the order offered.
// Nothing enforces them: every field accepts any text.
namespace Vocabulary {

inline QStringList groupTypes() {
    return {QStringLiteral("SelectExactlyOne"), QStringLiteral("SelectAny"),
            QStringLiteral("SelectAtMostOne"), QStringLiteral("SelectAtLeastOne"),
            QStringLiteral("SelectAll")};
}

inline QStringList pluginTypes() {
    return {QStringLiteral("Optional"), QStringLiteral("Required"), QStringLiteral("Recommended"),
            QStringLiteral("CouldBeUsable"), QStringLiteral("NotUsable")};
}

inline QStringList operators() {
    return {QStringLiteral("And"), QStringLiteral("Or")};
}

inline QStringList dependencyTypes() {
    return {QStringLiteral("file"), QStringLiteral("flag")};
}

inline QStringList fileStates() {
    return {QStringLiteral("Active"), QStringLiteral("Inactive"), QStringLiteral("Missing")};
}

inline QStringList flagValues() {
    return {QStringLiteral("On"), QStringLiteral("Off")};
}

inline QStringList fileTypes() {
    return {QStringLiteral("file"), QStringLiteral("folder")};
}

// The condition kinds that test a version: the game, the mod manager, the script extenders.
inline QStringList versionKinds() {
    return {QStringLiteral("game"), QStringLiteral("fomm"), QStringLiteral("fose"),
            QStringLiteral("skse"), QStringLiteral("nvse"), QStringLiteral("f4se")};
}

// Every kind of condition the model holds: the two the editor offers, the versions, a group.
inline QStringList conditionKinds() {
    return dependencyTypes() + versionKinds() + QStringList{QStringLiteral("group")};
}

// How managers order a list of steps, groups or options.
inline QStringList orders() {
    return {QStringLiteral("Explicit"), QStringLiteral("Ascending"), QStringLiteral("Descending")};
}

// The format's yes/no attributes (alwaysInstall, showImage, ...) take XML's booleans.
inline QStringList booleans() {
    return {QStringLiteral("true"), QStringLiteral("false"), QStringLiteral("1"),
            QStringLiteral("0")};
}

inline QStringList titlePositions() {
    return {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("RightOfImage")};
}

// What every value list of the condition editors starts with: flag values, then file states.
inline QStringList offeredValuesStart() {
    return flagValues() + fileStates();
}

// The categories offered for the mod information (Nexus Mods' names).
QStringList modCategories();

} // namespace Vocabulary
