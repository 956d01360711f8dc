#include "editor/OfferedNames.h"

#include "model/Vocabulary.h"

#include <QSet>

namespace {

// A list that keeps the order texts are first met in; a set answers "seen?" so that a large
// project is not compared text by text against the whole list.
struct OrderedSet {
    QStringList& list;
    QSet<QString> seen;

    explicit OrderedSet(QStringList& l) : list(l), seen(l.cbegin(), l.cend()) {}
    void add(const QString& text) {
        if (!seen.contains(text)) {
            seen.insert(text);
            list.append(text);
        }
    }
};

} // namespace

OfferedNames OfferedNames::collect(const CFOMOD& project) {
    OfferedNames offered;
    offered.values = Vocabulary::offeredValuesStart();
    OrderedSet names(offered.names);
    OrderedSet values(offered.values);
    OrderedSet patternNames(offered.patternNames);
    for (const CStep& step : project.vSteps)
        for (const CPluginGroup& group : step.vGroups)
            for (const CPlugin& plugin : group.vPlugins) {
                for (const CCondition& flag : plugin.vConditionFlags) {
                    names.add(flag.sName);
                    values.add(flag.sValue);
                }
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    for (const CDependency& dependency : pattern.vDependencies)
                        patternNames.add(dependency.sName);
            }
    return offered;
}

namespace {

// Whether the two step lists give the same offered names: the same plugins, in the same order,
// with equal flags and type patterns. The lists compare their storage first.
bool sameSources(const QList<CStep>& gathered, const QList<CStep>& steps) {
    if (gathered.size() != steps.size())
        return false;
    for (qsizetype s = 0; s < steps.size(); ++s) {
        const QList<CPluginGroup>& gatheredGroups = gathered.at(s).vGroups;
        const QList<CPluginGroup>& groups = steps.at(s).vGroups;
        if (gatheredGroups.size() != groups.size())
            return false;
        if (gatheredGroups.constData() == groups.constData())
            continue;
        for (qsizetype g = 0; g < groups.size(); ++g) {
            const QList<CPlugin>& gatheredPlugins = gatheredGroups.at(g).vPlugins;
            const QList<CPlugin>& plugins = groups.at(g).vPlugins;
            if (gatheredPlugins.size() != plugins.size())
                return false;
            if (gatheredPlugins.constData() == plugins.constData())
                continue;
            for (qsizetype p = 0; p < plugins.size(); ++p) {
                if (gatheredPlugins.at(p).vConditionFlags != plugins.at(p).vConditionFlags ||
                    gatheredPlugins.at(p).vPatterns != plugins.at(p).vPatterns)
                    return false;
            }
        }
    }
    return true;
}

} // namespace

const OfferedNames& OfferedNamesCache::of(const CFOMOD& project) {
    if (!m_valid || !sameSources(m_steps, project.vSteps)) {
        m_steps = project.vSteps;
        m_offered = OfferedNames::collect(project);
        m_valid = true;
    }
    return m_offered;
}
