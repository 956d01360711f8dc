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
