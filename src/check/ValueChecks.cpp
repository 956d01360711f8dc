#include "check/ValueChecks.h"

#include "check/ProjectWalk.h"
#include "model/Vocabulary.h"

namespace {

using ProjectWalk::entryOf;

// Built once: the checks look values up for every element of large projects.
struct AllowedValues {
    QStringList groupTypes = Vocabulary::groupTypes();
    QStringList pluginTypes = Vocabulary::pluginTypes();
    QStringList operators = Vocabulary::operators();
    QStringList dependencyTypes = Vocabulary::dependencyTypes();
    QStringList fileStates = Vocabulary::fileStates();
    QStringList fileTypes = Vocabulary::fileTypes();
};

const AllowedValues& allowedValues() {
    static const AllowedValues values;
    return values;
}

// "value": what the author wrote, checked against the allowed values; what names it ("group
// type") leads the message. A value that differs only in spaces or letter case gets its fix.
void checkValue(const QString& what, const QString& value, const QStringList& allowed,
                const ProjectPlace& place, FindingCollector& out) {
    if (allowed.contains(value))
        return;
    QString fix;
    for (const QString& candidate : allowed) {
        if (value.trimmed().compare(candidate, Qt::CaseInsensitive) == 0)
            fix = candidate;
    }
    const QString advice =
        fix.isEmpty() ? QStringLiteral("use one of %1").arg(allowed.join(QLatin1String(", ")))
                      : QStringLiteral("write it exactly '%1'").arg(fix);
    out.error(QStringLiteral("bad-value"),
              QStringLiteral("%1 '%2' is not one of the format's values, which mod managers "
                             "compare exactly: %3")
                  .arg(what, value, advice),
              place);
}

void checkDependencies(const QString& sOperator, const QList<CDependency>& dependencies,
                       const ProjectPlace& listPlace, FindingCollector& out) {
    // An unset operator is the format's default "And"; without conditions it is not written.
    if (!dependencies.isEmpty() && !sOperator.isEmpty())
        checkValue(QStringLiteral("operator"), sOperator, allowedValues().operators, listPlace,
                   out);
    for (int i = 0; i < dependencies.size(); ++i) {
        const CDependency& dependency = dependencies[i];
        const ProjectPlace place = entryOf(listPlace, i);
        if (dependency.sType == QLatin1String("file"))
            checkValue(QStringLiteral("state of file '%1'").arg(dependency.sName),
                       dependency.sValue, allowedValues().fileStates, place, out);
        else if (dependency.sType != QLatin1String("flag"))
            checkValue(QStringLiteral("condition kind"), dependency.sType,
                       allowedValues().dependencyTypes, place, out);
    }
}

} // namespace

void checkValues(const CFOMOD& project, FindingCollector& out) {
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            checkValue(QStringLiteral("group type"), group.sType, allowedValues().groupTypes,
                       ProjectPlace{.step = s, .group = g}, out);
            for (int p = 0; p < group.vPlugins.size(); ++p) {
                const CPlugin& plugin = group.vPlugins[p];
                checkValue(QStringLiteral("option type"), plugin.sType, allowedValues().pluginTypes,
                           ProjectPlace{.step = s, .group = g, .plugin = p}, out);
                for (int k = 0; k < plugin.vPatterns.size(); ++k)
                    checkValue(QStringLiteral("option type"), plugin.vPatterns[k].sType,
                               allowedValues().pluginTypes,
                               ProjectPlace{.step = s,
                                            .group = g,
                                            .plugin = p,
                                            .list = ProjectPlace::List::PluginPatterns,
                                            .pattern = k},
                               out);
            }
        }
    }
    ProjectWalk::forEachDependencyList(
        project,
        [&](const QString& sOperator, const QList<CDependency>& dependencies,
            const ProjectPlace& at) { checkDependencies(sOperator, dependencies, at, out); });
    ProjectWalk::forEachFileList(project, [&](const QList<CFile>& files, const ProjectPlace& at) {
        for (int i = 0; i < files.size(); ++i)
            checkValue(QStringLiteral("file kind"), files[i].sType, allowedValues().fileTypes,
                       entryOf(at, i), out);
    });
}
