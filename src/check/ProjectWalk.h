#pragma once

#include "model/Fomod.h"
#include "model/ProjectPlace.h"

#include <QList>
#include <QString>

// Visits the lists that occur in several places of a project, each with the place of the list
// (entry -1): the checks then name entry i by setting place.entry.
namespace ProjectWalk {

// Required installs, each option's files, each conditional install's files, in document order.
template <class Visit> void forEachFileList(const CFOMOD& project, Visit visit) {
    using List = ProjectPlace::List;
    visit(project.vRequiredFiles, ProjectPlace{.list = List::RequiredFiles});
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            for (int p = 0; p < group.vPlugins.size(); ++p)
                visit(group.vPlugins[p].vFiles,
                      ProjectPlace{.step = s, .group = g, .plugin = p, .list = List::PluginFiles});
        }
    }
    for (int k = 0; k < project.vConditionalFiles.size(); ++k)
        visit(project.vConditionalFiles[k].vFiles,
              ProjectPlace{.list = List::ConditionalInstallFiles, .pattern = k});
}

// The prerequisites, step visibilities, option type patterns and conditional installs:
// operator and conditions.
template <class Visit> void forEachDependencyList(const CFOMOD& project, Visit visit) {
    using List = ProjectPlace::List;
    visit(project.sModuleOperator, project.vModuleDependencies,
          ProjectPlace{.list = List::ModuleDependencies});
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        visit(step.sOperator, step.vVisibility,
              ProjectPlace{.step = s, .list = List::StepVisibility});
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            for (int p = 0; p < group.vPlugins.size(); ++p) {
                const CPlugin& plugin = group.vPlugins[p];
                for (int k = 0; k < plugin.vPatterns.size(); ++k)
                    visit(plugin.vPatterns[k].sOperator, plugin.vPatterns[k].vDependencies,
                          ProjectPlace{.step = s,
                                       .group = g,
                                       .plugin = p,
                                       .list = List::PluginPatterns,
                                       .pattern = k});
            }
        }
    }
    for (int k = 0; k < project.vConditionalFiles.size(); ++k)
        visit(project.vConditionalFiles[k].sOperator, project.vConditionalFiles[k].vDependencies,
              ProjectPlace{.list = List::ConditionalInstalls, .pattern = k});
}

// Every option with its place.
template <class Visit> void forEachPlugin(const CFOMOD& project, Visit visit) {
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            for (int p = 0; p < group.vPlugins.size(); ++p)
                visit(group.vPlugins[p], ProjectPlace{.step = s, .group = g, .plugin = p});
        }
    }
}

// Every condition of a tree, a group before what it holds, each with the index of the top-level
// condition it stands in: a place names only that level.
template <class Visit>
void forEachCondition(const QList<CDependency>& conditions, Visit&& visit, int top = -1) {
    for (int i = 0; i < conditions.size(); ++i) {
        const int at = top < 0 ? i : top;
        visit(conditions[i], at);
        if (conditions[i].sType == QLatin1String("group"))
            forEachCondition(conditions[i].vDependencies, visit, at);
    }
}

inline ProjectPlace entryOf(ProjectPlace list, int entry) {
    list.entry = entry;
    return list;
}

} // namespace ProjectWalk
