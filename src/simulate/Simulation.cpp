#include "simulate/Simulation.h"

#include "simulate/InstallWizard.h"

namespace Simulate {

namespace {

template <class T> qsizetype indexByName(const QList<T>& items, const QString& name) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].sName == name)
            return i;
    }
    return -1;
}

} // namespace

QString resolveChoices(const CFOMOD& project, const QList<GroupChoice>& choices,
                       QList<ResolvedChoice>* resolved) {
    QList<ResolvedChoice> found;
    for (const GroupChoice& choice : choices) {
        ResolvedChoice at;
        at.iStep = indexByName(project.vSteps, choice.sStep);
        if (at.iStep < 0)
            return QStringLiteral("no step named \"%1\"").arg(choice.sStep);
        const CStep& step = project.vSteps[at.iStep];
        at.iGroup = indexByName(step.vGroups, choice.sGroup);
        if (at.iGroup < 0)
            return QStringLiteral("step \"%1\" has no group named \"%2\"")
                .arg(choice.sStep, choice.sGroup);
        const QList<CPlugin>& options = step.vGroups[at.iGroup].vPlugins;
        at.vSelected = QList<bool>(options.size(), false);
        for (const QString& name : choice.vOptions) {
            const qsizetype option = indexByName(options, name);
            if (option < 0)
                return QStringLiteral("step \"%1\" group \"%2\" has no option named \"%3\"")
                    .arg(choice.sStep, choice.sGroup, name);
            at.vSelected[option] = true;
        }
        found.append(at);
    }
    if (resolved)
        *resolved = found;
    return QString();
}

SimulationResult simulate(const CFOMOD& project, const QString& rootDir, const Environment& game,
                          const QList<ResolvedChoice>& choices) {
    InstallWizard wizard(project, game);
    QStringList refused;
    while (const StepVisit* visit = wizard.current()) {
        const qsizetype step = visit->iStep;
        for (const ResolvedChoice& choice : choices) {
            if (choice.iStep != step)
                continue;
            const QString fault = wizard.choose(choice.iGroup, choice.vSelected);
            if (!fault.isEmpty())
                refused.append(QStringLiteral("step \"%1\" group \"%2\": choice not allowed: %3")
                                   .arg(project.vSteps[step].sName,
                                        project.vSteps[step].vGroups[choice.iGroup].sName, fault));
        }
        wizard.next();
    }
    SimulationResult result = wizard.result(rootDir);
    result.vProblems = refused + result.vProblems;
    return result;
}

} // namespace Simulate
