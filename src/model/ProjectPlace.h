#pragma once

#include <QHash>
#include <QtGlobal>

// A place in a project, by position: a step, group or option, an entry of one of its lists,
// a pattern of an option's type, a required or conditional install. -1 where a level does not
// apply. Used for the line each element was read from and for where a finding points.
struct ProjectPlace {
    enum class List {
        None,                    // the step, group or option itself (or the project)
        ModuleImage,             // the header image
        StepVisibility,          // entry: dependency of the step's visibility
        PluginImage,             // the option's image
        PluginFiles,             // entry: file of the option
        PluginFlags,             // entry: flag the option sets
        PluginPatterns,          // pattern: type pattern; entry: its dependency, or -1
        RequiredFiles,           // entry: required install
        ConditionalInstalls,     // pattern: conditional install k; entry: its dependency, or -1
        ConditionalInstallFiles, // pattern: conditional install k; entry: its file
        ModuleDependencies,      // entry: condition of the mod's prerequisites, or -1
    };

    int step = -1;
    int group = -1;
    int plugin = -1;
    List list = List::None;
    int pattern = -1;
    int entry = -1;

    bool operator==(const ProjectPlace&) const = default;
};

inline size_t qHash(const ProjectPlace& place, size_t seed = 0) {
    return qHashMulti(seed, place.step, place.group, place.plugin, int(place.list), place.pattern,
                      place.entry);
}

// Line (counted from 1) of ModuleConfig.xml each element was read from.
using SourceLines = QHash<ProjectPlace, qsizetype>;
