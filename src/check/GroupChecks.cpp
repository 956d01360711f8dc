#include "check/GroupChecks.h"

#include "model/FomodTypes.h"

#include <QStringList>

namespace {

using FomodTypes::GroupType;
using FomodTypes::OptionType;

bool isBlank(const QString& name) {
    return name.trimmed().isEmpty();
}

// The type an option always has: its own, when no type pattern can change it.
bool hasFixedType(const CPlugin& plugin, OptionType type) {
    return plugin.vPatterns.isEmpty() && FomodTypes::optionTypeOf(plugin.sType) == type;
}

QString quotedNames(const QStringList& names) {
    return QLatin1Char('\'') + names.join(QLatin1String("', '")) + QLatin1Char('\'');
}

void checkOptionTypes(const CPluginGroup& group, const ProjectPlace& groupPlace,
                      FindingCollector& out) {
    const GroupType type = FomodTypes::groupTypeOf(group.sType);
    QStringList required;
    int notUsable = 0;
    for (int p = 0; p < group.vPlugins.size(); ++p) {
        const CPlugin& plugin = group.vPlugins[p];
        if (hasFixedType(plugin, OptionType::Required))
            required.append(plugin.sName);
        if (!hasFixedType(plugin, OptionType::NotUsable))
            continue;
        ++notUsable;
        if (type == GroupType::SelectAll) {
            ProjectPlace place = groupPlace;
            place.plugin = p;
            out.warning(QStringLiteral("notusable-in-selectall"),
                        QStringLiteral("option '%1' is NotUsable in group '%2' of type SelectAll, "
                                       "which must select every option: make the option "
                                       "Required or change the group's type")
                            .arg(plugin.sName, group.sName),
                        place);
        }
    }
    const bool atMostOne =
        type == GroupType::SelectExactlyOne || type == GroupType::SelectAtMostOne;
    if (atMostOne && required.size() >= 2)
        out.warning(QStringLiteral("exactly-one-required"),
                    QStringLiteral("group '%1' of type %2 allows one option but %3 are Required "
                                   "(%4): the player cannot finish the step; make at most one "
                                   "Required or change the group's type")
                        .arg(group.sName, group.sType, QString::number(required.size()),
                             quotedNames(required)),
                    groupPlace);
    const bool needsOne =
        type == GroupType::SelectExactlyOne || type == GroupType::SelectAtLeastOne;
    if (needsOne && !group.vPlugins.isEmpty() && notUsable == group.vPlugins.size())
        out.warning(QStringLiteral("no-usable-option"),
                    QStringLiteral("group '%1' of type %2 needs a selected option but every "
                                   "option is NotUsable: the player cannot finish the step; "
                                   "make one usable or change the group's type")
                        .arg(group.sName, group.sType),
                    groupPlace);
}

void checkPlugin(const CPlugin& plugin, const ProjectPlace& place, FindingCollector& out) {
    if (isBlank(plugin.sName))
        out.warning(QStringLiteral("empty-name"),
                    QStringLiteral("option without a name: players see an empty line; name it"),
                    place);
    if (plugin.vFiles.isEmpty() && plugin.vConditionFlags.isEmpty())
        out.note(QStringLiteral("installs-nothing"),
                 QStringLiteral("option '%1' installs no file and sets no flag: fine for a "
                                "\"None\" choice, otherwise add its files")
                     .arg(plugin.sName),
                 place);
}

} // namespace

void checkGroups(const CFOMOD& project, FindingCollector& out) {
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        const ProjectPlace stepPlace{.step = s};
        if (isBlank(step.sName))
            out.warning(QStringLiteral("empty-name"),
                        QStringLiteral("step without a name: players see an empty title; name "
                                       "it"),
                        stepPlace);
        if (step.vGroups.isEmpty())
            out.error(QStringLiteral("empty-step"),
                      QStringLiteral("step '%1' has no group, which validating mod managers "
                                     "refuse: add a group or remove the step")
                          .arg(step.sName),
                      stepPlace);
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            const ProjectPlace groupPlace{.step = s, .group = g};
            if (isBlank(group.sName))
                out.warning(QStringLiteral("empty-name"),
                            QStringLiteral("group without a name: players see an empty "
                                           "heading; name it"),
                            groupPlace);
            if (group.vPlugins.isEmpty())
                out.error(QStringLiteral("empty-group"),
                          QStringLiteral("group '%1' has no option, which validating mod "
                                         "managers refuse: add an option or remove the group")
                              .arg(group.sName),
                          groupPlace);
            checkOptionTypes(group, groupPlace, out);
            for (int p = 0; p < group.vPlugins.size(); ++p)
                checkPlugin(group.vPlugins[p], ProjectPlace{.step = s, .group = g, .plugin = p},
                            out);
        }
    }
}
