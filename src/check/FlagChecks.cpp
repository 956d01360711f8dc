#include "check/FlagChecks.h"

#include "check/ConditionReach.h"
#include "check/ProjectWalk.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

using ProjectWalk::entryOf;

using ConditionReach::FlagValues;

bool isFlag(const CDependency& dependency) {
    return dependency.sType == QLatin1String("flag");
}

QString valueList(const QSet<QString>& values) {
    QStringList sorted(values.cbegin(), values.cend());
    sorted.sort();
    return QLatin1Char('\'') + sorted.join(QLatin1String("', '")) + QLatin1Char('\'');
}

void addFlags(const CPlugin& plugin, FlagValues& values) {
    for (const CCondition& flag : plugin.vConditionFlags)
        values[flag.sName].insert(flag.sValue);
}

class FlagChecker {
public:
    FlagChecker(const CFOMOD& project, FindingCollector& out);

    void checkConditions();
    void checkUnused();
    void checkStepVisibility();
    void checkPrerequisites();

private:
    void checkCondition(const CDependency& dependency, const ProjectPlace& place);

    const CFOMOD& m_project;
    FindingCollector& m_out;
    FlagValues m_set;
    QHash<QString, QString> m_setNameByFolded;
    QSet<QString> m_tested;
};

FlagChecker::FlagChecker(const CFOMOD& project, FindingCollector& out)
    : m_project(project), m_out(out) {
    ProjectWalk::forEachPlugin(
        project, [&](const CPlugin& plugin, const ProjectPlace&) { addFlags(plugin, m_set); });
    for (auto it = m_set.cbegin(); it != m_set.cend(); ++it)
        m_setNameByFolded.insert(it.key().toCaseFolded(), it.key());
}

void FlagChecker::checkConditions() {
    ProjectWalk::forEachDependencyList(
        m_project,
        [&](const QString&, const QList<CDependency>& dependencies, const ProjectPlace& at) {
            ProjectWalk::forEachCondition(dependencies, [&](const CDependency& d, int top) {
                if (isFlag(d))
                    checkCondition(d, entryOf(at, top));
            });
        });
}

void FlagChecker::checkCondition(const CDependency& dependency, const ProjectPlace& place) {
    m_tested.insert(dependency.sName);
    // The empty value holds while the flag is unset.
    if (dependency.sValue.isEmpty())
        return;
    const auto set = m_set.constFind(dependency.sName);
    if (set == m_set.constEnd()) {
        const QString similar = m_setNameByFolded.value(dependency.sName.toCaseFolded());
        const QString advice =
            similar.isEmpty()
                ? QStringLiteral("set it in an option or correct the name")
                : QStringLiteral("options set '%1': flag names must match exactly").arg(similar);
        m_out.warning(QStringLiteral("unset-flag"),
                      QStringLiteral("flag '%1' is tested here but no option sets it, so the "
                                     "condition never holds: %2")
                          .arg(dependency.sName, advice),
                      place);
    } else if (!set->contains(dependency.sValue)) {
        m_out.warning(QStringLiteral("unset-flag"),
                      QStringLiteral("flag '%1' is tested here for '%2' but options set it only "
                                     "to %3, so the condition never holds: correct the value")
                          .arg(dependency.sName, dependency.sValue, valueList(*set)),
                      place);
    }
}

void FlagChecker::checkUnused() {
    QSet<QString> reported;
    ProjectWalk::forEachPlugin(m_project, [&](const CPlugin& plugin, ProjectPlace at) {
        at.list = ProjectPlace::List::PluginFlags;
        for (int i = 0; i < plugin.vConditionFlags.size(); ++i) {
            const QString& name = plugin.vConditionFlags[i].sName;
            if (m_tested.contains(name) || reported.contains(name))
                continue;
            reported.insert(name);
            m_out.note(QStringLiteral("unused-flag"),
                       QStringLiteral("flag '%1' is set by options but no condition tests it: "
                                      "remove it, or test it where it should matter")
                           .arg(name),
                       entryOf(at, i));
        }
    });
}

void FlagChecker::checkStepVisibility() {
    FlagValues possible;
    for (int s = 0; s < m_project.vSteps.size(); ++s) {
        const CStep& step = m_project.vSteps[s];
        if (!step.vVisibility.isEmpty()) {
            const QString why = ConditionReach::whyNever(
                step.sOperator, step.vVisibility, possible,
                {QStringLiteral("no option of an earlier step sets those flag values"),
                 QStringLiteral("no option of an earlier step sets")});
            if (!why.isEmpty())
                m_out.warning(QStringLiteral("never-visible"),
                              QStringLiteral("step '%1' is never shown: %2; correct its "
                                             "conditions or the flags of the earlier steps")
                                  .arg(step.sName, why),
                              ProjectPlace{.step = s, .list = ProjectPlace::List::StepVisibility});
        }
        for (const CPluginGroup& group : step.vGroups) {
            for (const CPlugin& plugin : group.vPlugins)
                addFlags(plugin, possible);
        }
    }
}

// Managers test the prerequisites before the first step, so no flag is set yet.
void FlagChecker::checkPrerequisites() {
    const QString why = ConditionReach::whyNever(
        m_project.sModuleOperator, m_project.vModuleDependencies, FlagValues(),
        {QStringLiteral("no flag is set before the first step"),
         QStringLiteral("cannot hold before the first step, when no flag is set")});
    if (why.isEmpty())
        return;
    m_out.error(QStringLiteral("never-installable"),
                QStringLiteral("the mod's prerequisites can never hold, so every mod manager "
                               "refuses to install it: %1; correct the prerequisites")
                    .arg(why),
                ProjectPlace{.list = ProjectPlace::List::ModuleDependencies});
}

} // namespace

void checkFlags(const CFOMOD& project, FindingCollector& out) {
    FlagChecker checker(project, out);
    checker.checkConditions();
    checker.checkUnused();
    checker.checkStepVisibility();
    checker.checkPrerequisites();
}
