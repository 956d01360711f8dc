#include "check/FlagChecks.h"

#include "check/ProjectWalk.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

using ProjectWalk::entryOf;

using FlagValues = QHash<QString, QSet<QString>>; // flag name -> values options set it to

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

private:
    void checkCondition(const CDependency& dependency, const ProjectPlace& place);
    // Why the visibility cannot hold with the flags earlier steps can set, or "" when it can.
    static QString whyNeverVisible(const CStep& step, const FlagValues& possible);

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
            for (int i = 0; i < dependencies.size(); ++i) {
                if (isFlag(dependencies[i]))
                    checkCondition(dependencies[i], entryOf(at, i));
            }
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

QString FlagChecker::whyNeverVisible(const CStep& step, const FlagValues& possible) {
    const auto canHold = [&](const CDependency& dependency) {
        if (dependency.sType == QLatin1String("file"))
            return true;
        return isFlag(dependency) && (dependency.sValue.isEmpty() ||
                                      possible.value(dependency.sName).contains(dependency.sValue));
    };
    const auto describe = [](const CDependency& dependency) {
        return isFlag(dependency)
                   ? QStringLiteral("flag '%1' is '%2'").arg(dependency.sName, dependency.sValue)
                   : QStringLiteral("a condition of kind '%1'").arg(dependency.sType);
    };
    if (step.sOperator == QLatin1String("Or")) {
        for (const CDependency& dependency : step.vVisibility) {
            if (canHold(dependency))
                return QString();
        }
        return QStringLiteral("none of its conditions can hold, as no option of an earlier step "
                              "sets those flag values");
    }
    QHash<QString, QString> wanted;
    for (const CDependency& dependency : step.vVisibility) {
        if (!canHold(dependency))
            return QStringLiteral("it needs %1, which no option of an earlier step sets")
                .arg(describe(dependency));
        if (!isFlag(dependency))
            continue;
        const auto it = wanted.constFind(dependency.sName);
        if (it == wanted.constEnd())
            wanted.insert(dependency.sName, dependency.sValue);
        else if (*it != dependency.sValue)
            return QStringLiteral("it needs flag '%1' to be both '%2' and '%3'")
                .arg(dependency.sName, *it, dependency.sValue);
    }
    return QString();
}

void FlagChecker::checkStepVisibility() {
    FlagValues possible;
    for (int s = 0; s < m_project.vSteps.size(); ++s) {
        const CStep& step = m_project.vSteps[s];
        if (!step.vVisibility.isEmpty()) {
            const QString why = whyNeverVisible(step, possible);
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

} // namespace

void checkFlags(const CFOMOD& project, FindingCollector& out) {
    FlagChecker checker(project, out);
    checker.checkConditions();
    checker.checkUnused();
    checker.checkStepVisibility();
}
