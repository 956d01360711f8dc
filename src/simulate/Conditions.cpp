#include "simulate/Conditions.h"

#include "model/Vocabulary.h"

#include <QSet>

namespace Simulate {

void FileStates::set(const QString& fileName, const QString& state) {
    m_states.insert(fileName.toCaseFolded(), state);
}

QString FileStates::stateOf(const QString& fileName) const {
    return m_states.value(fileName.toCaseFolded(), QStringLiteral("Missing"));
}

bool Versions::set(const QString& kind, const QString& version) {
    const auto number = FomodTypes::versionNumber(version);
    if (!number)
        return false;
    m_versions.insert(kind, *number);
    return true;
}

bool Versions::atLeast(const QString& kind, const QString& wanted) const {
    const auto given = m_versions.constFind(kind);
    if (given == m_versions.constEnd())
        return true;
    return *given >= FomodTypes::versionNumber(wanted).value_or(FomodTypes::VersionNumber{});
}

QString parseVersions(const QString& text, Versions* versions) {
    Versions parsed = *versions;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        const QString kind = item.left(equals).trimmed();
        if (equals < 0 || !Vocabulary::versionKinds().contains(kind))
            return QStringLiteral("'%1' is not KIND=VERSION with KIND one of %2")
                .arg(item, Vocabulary::versionKinds().join(QLatin1String(", ")));
        const QString version = item.mid(equals + 1).trimmed();
        if (!parsed.set(kind, version))
            return QStringLiteral("'%1' is not a version of one to four numbers joined by dots")
                .arg(version);
    }
    *versions = parsed;
    return QString();
}

bool dependencyHolds(const CDependency& dependency, const Flags& flags, const Environment& game) {
    if (dependency.sType == u"flag")
        return flags.value(dependency.sName) == dependency.sValue;
    if (dependency.sType == u"file")
        return game.files.stateOf(dependency.sName) == dependency.sValue;
    if (dependency.sType == u"group")
        return dependenciesHold(dependency.sOperator, dependency.vDependencies, flags, game);
    static const QStringList versionKinds = Vocabulary::versionKinds();
    if (versionKinds.contains(dependency.sType))
        return game.versions.atLeast(dependency.sType, dependency.sValue);
    return false;
}

bool dependenciesHold(const QString& sOperator, const QList<CDependency>& dependencies,
                      const Flags& flags, const Environment& game) {
    const bool any = sOperator == u"Or";
    for (const CDependency& dependency : dependencies) {
        if (dependencyHolds(dependency, flags, game) == any)
            return any;
    }
    return !any;
}

namespace {

void addVersionKinds(const QList<CDependency>& dependencies, QSet<QString>& kinds) {
    for (const CDependency& dependency : dependencies) {
        if (dependency.sType == u"group")
            addVersionKinds(dependency.vDependencies, kinds);
        else
            kinds.insert(dependency.sType);
    }
}

} // namespace

QStringList testedVersionKinds(const CFOMOD& project) {
    QSet<QString> kinds;
    addVersionKinds(project.vModuleDependencies, kinds);
    for (const CStep& step : project.vSteps) {
        addVersionKinds(step.vVisibility, kinds);
        for (const CPluginGroup& group : step.vGroups) {
            for (const CPlugin& plugin : group.vPlugins) {
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    addVersionKinds(pattern.vDependencies, kinds);
            }
        }
    }
    for (const CConditionalFile& conditional : project.vConditionalFiles)
        addVersionKinds(conditional.vDependencies, kinds);
    QStringList tested;
    for (const QString& kind : Vocabulary::versionKinds()) {
        if (kinds.contains(kind))
            tested.append(kind);
    }
    return tested;
}

OptionType effectiveType(const CPlugin& plugin, const Flags& flags, const Environment& game) {
    for (const CDependencyPattern& pattern : plugin.vPatterns) {
        if (dependenciesHold(pattern.sOperator, pattern.vDependencies, flags, game))
            return optionTypeOf(pattern.sType);
    }
    return optionTypeOf(plugin.sType);
}

} // namespace Simulate
