#include "simulate/Conditions.h"

namespace Simulate {

void FileStates::set(const QString& fileName, const QString& state) {
    m_states.insert(fileName.toCaseFolded(), state);
}

QString FileStates::stateOf(const QString& fileName) const {
    return m_states.value(fileName.toCaseFolded(), QStringLiteral("Missing"));
}

bool dependencyHolds(const CDependency& dependency, const Flags& flags, const FileStates& files) {
    if (dependency.sType == QLatin1String("flag"))
        return flags.value(dependency.sName) == dependency.sValue;
    if (dependency.sType == QLatin1String("file"))
        return files.stateOf(dependency.sName) == dependency.sValue;
    return false;
}

bool dependenciesHold(const QString& sOperator, const QList<CDependency>& dependencies,
                      const Flags& flags, const FileStates& files) {
    const bool any = sOperator == QLatin1String("Or");
    for (const CDependency& dependency : dependencies) {
        if (dependencyHolds(dependency, flags, files) == any)
            return any;
    }
    return !any;
}

GroupType groupTypeOf(const QString& text) {
    if (text == QLatin1String("SelectExactlyOne"))
        return GroupType::SelectExactlyOne;
    if (text == QLatin1String("SelectAtMostOne"))
        return GroupType::SelectAtMostOne;
    if (text == QLatin1String("SelectAtLeastOne"))
        return GroupType::SelectAtLeastOne;
    if (text == QLatin1String("SelectAll"))
        return GroupType::SelectAll;
    return GroupType::SelectAny;
}

OptionType optionTypeOf(const QString& text) {
    if (text == QLatin1String("Required"))
        return OptionType::Required;
    if (text == QLatin1String("Recommended"))
        return OptionType::Recommended;
    if (text == QLatin1String("CouldBeUsable"))
        return OptionType::CouldBeUsable;
    if (text == QLatin1String("NotUsable"))
        return OptionType::NotUsable;
    return OptionType::Optional;
}

QString optionTypeName(OptionType type) {
    switch (type) {
    case OptionType::Required:
        return QStringLiteral("Required");
    case OptionType::Recommended:
        return QStringLiteral("Recommended");
    case OptionType::CouldBeUsable:
        return QStringLiteral("CouldBeUsable");
    case OptionType::NotUsable:
        return QStringLiteral("NotUsable");
    case OptionType::Optional:
        break;
    }
    return QStringLiteral("Optional");
}

OptionType effectiveType(const CPlugin& plugin, const Flags& flags, const FileStates& files) {
    for (const CDependencyPattern& pattern : plugin.vPatterns) {
        if (dependenciesHold(pattern.sOperator, pattern.vDependencies, flags, files))
            return optionTypeOf(pattern.sType);
    }
    return optionTypeOf(plugin.sType);
}

} // namespace Simulate
