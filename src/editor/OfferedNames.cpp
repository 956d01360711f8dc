#include "editor/OfferedNames.h"

#include "model/Vocabulary.h"

namespace {

void addOnce(QStringList& list, const QString& text) {
    if (!list.contains(text))
        list.append(text);
}

} // namespace

OfferedNames OfferedNames::collect(const CFOMOD& project) {
    OfferedNames offered;
    offered.values = Vocabulary::offeredValuesStart();
    for (const CStep& step : project.vSteps)
        for (const CPluginGroup& group : step.vGroups)
            for (const CPlugin& plugin : group.vPlugins) {
                for (const CCondition& flag : plugin.vConditionFlags) {
                    addOnce(offered.names, flag.sName);
                    addOnce(offered.values, flag.sValue);
                }
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    for (const CDependency& dependency : pattern.vDependencies)
                        addOnce(offered.patternNames, dependency.sName);
            }
    return offered;
}
