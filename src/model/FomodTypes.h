#pragma once

#include <QString>

#include <array>
#include <optional>

// The group types and option types of the format as values, for the code that acts on them
// (the check and the install run). The model keeps the texts as written; these read them.
namespace FomodTypes {

enum class GroupType { SelectExactlyOne, SelectAtMostOne, SelectAtLeastOne, SelectAll, SelectAny };
enum class OptionType { Required, Optional, Recommended, CouldBeUsable, NotUsable };

// Exact texts only: an unknown group type counts as SelectAny, an unknown option type as
// Optional, as the managers that accept them read them.
GroupType groupTypeOf(const QString& text);
OptionType optionTypeOf(const QString& text);

QString groupTypeName(GroupType type);
QString optionTypeName(OptionType type);

// An XML boolean attribute (alwaysInstall, showImage, ...) that reads as true: "true" or "1".
bool isTrue(const QString& text);

// A version condition's text as four integers, as Mod Organizer 2 compares them: parts
// separated by dots, missing ones 0. Nothing when the text is not one to four parts of digits.
using VersionNumber = std::array<quint64, 4>;
std::optional<VersionNumber> versionNumber(const QString& text);

} // namespace FomodTypes
