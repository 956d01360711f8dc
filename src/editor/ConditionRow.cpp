#include "editor/ConditionRow.h"

#include "model/ConditionText.h"
#include "model/Fomod.h"

namespace ConditionRow {

QString nameText(const CDependency& dependency) {
    if (dependency.sType == QLatin1String("group"))
        return ConditionText::of(dependency);
    return dependency.sName;
}

} // namespace ConditionRow
