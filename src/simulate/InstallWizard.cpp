#include "simulate/InstallWizard.h"

#include "simulate/GroupSelection.h"
#include "simulate/InstalledFiles.h"

namespace Simulate {

InstallWizard::InstallWizard(const CFOMOD& project, const FileStates& files)
    : m_project(project), m_files(files) {
    const qsizetype first = nextShownStep(-1, Flags());
    if (first < 0)
        m_finished = true;
    else
        enter(first, Flags());
}

const StepVisit* InstallWizard::current() const {
    return m_finished || m_visits.isEmpty() ? nullptr : &m_visits.last();
}

qsizetype InstallWizard::nextShownStep(qsizetype after, const Flags& flags) const {
    for (qsizetype i = after + 1; i < m_project.vSteps.size(); ++i) {
        const CStep& step = m_project.vSteps[i];
        if (dependenciesHold(step.sOperator, step.vVisibility, flags, m_files))
            return i;
    }
    return -1;
}

void InstallWizard::enter(qsizetype step, const Flags& flags) {
    StepVisit visit;
    visit.iStep = step;
    visit.flagsBefore = flags;
    for (const CPluginGroup& group : m_project.vSteps[step].vGroups) {
        GroupState state;
        state.type = groupTypeOf(group.sType);
        state.vTypes.reserve(group.vPlugins.size());
        for (const CPlugin& plugin : group.vPlugins)
            state.vTypes.append(effectiveType(plugin, flags, m_files));
        state.vSelected = defaultSelection(state.type, state.vTypes);
        state.sUnsatisfiable = unsatisfiableReason(state.type, state.vTypes);
        visit.vGroups.append(state);
    }
    m_visits.append(visit);
}

bool InstallWizard::select(qsizetype group, qsizetype option, bool on) {
    if (m_finished || group < 0 || group >= m_visits.last().vGroups.size())
        return false;
    GroupState& state = m_visits.last().vGroups[group];
    return toggle(state.type, state.vTypes, state.vSelected, int(option), on);
}

QStringList optionNames(const CPluginGroup& group) {
    QStringList names;
    for (const CPlugin& plugin : group.vPlugins)
        names.append(plugin.sName);
    return names;
}

QString InstallWizard::choose(qsizetype group, const QList<bool>& selected) {
    if (m_finished || group < 0 || group >= m_visits.last().vGroups.size())
        return QStringLiteral("no such group in the current step");
    GroupState& state = m_visits.last().vGroups[group];
    if (selected.size() != state.vTypes.size())
        return QStringLiteral("the selection does not match the group's options");
    const QString fault =
        selectionFault(state.type, state.vTypes, selected,
                       optionNames(m_project.vSteps[m_visits.last().iStep].vGroups[group]));
    if (fault.isEmpty())
        state.vSelected = selected;
    return fault;
}

Flags applyFlags(const CStep& step, const StepVisit& visit, Flags flags) {
    for (qsizetype g = 0; g < visit.vGroups.size(); ++g) {
        const CPluginGroup& group = step.vGroups[g];
        for (qsizetype o = 0; o < group.vPlugins.size(); ++o) {
            if (!visit.vGroups[g].vSelected[o])
                continue;
            for (const CCondition& flag : group.vPlugins[o].vConditionFlags)
                flags.insert(flag.sName, flag.sValue);
        }
    }
    return flags;
}

Flags InstallWizard::flagsAfterCurrent() const {
    if (m_visits.isEmpty())
        return Flags();
    const StepVisit& last = m_visits.last();
    return applyFlags(m_project.vSteps[last.iStep], last, last.flagsBefore);
}

void InstallWizard::next() {
    if (m_finished)
        return;
    const Flags flags = flagsAfterCurrent();
    const qsizetype step = nextShownStep(m_visits.last().iStep, flags);
    if (step < 0)
        m_finished = true;
    else
        enter(step, flags);
}

bool InstallWizard::back() {
    if (!canGoBack())
        return false;
    if (m_finished)
        m_finished = false;
    else
        m_visits.removeLast();
    return true;
}

SimulationResult InstallWizard::result(const QString& rootDir) const {
    SimulationResult result;
    QList<FileSource> entries;
    for (const CFile& file : m_project.vRequiredFiles)
        entries.append({file, QStringLiteral("required")});

    for (const StepVisit& visit : m_visits) {
        const CStep& step = m_project.vSteps[visit.iStep];
        ShownStep shown;
        shown.iStep = visit.iStep;
        shown.sName = step.sName;
        for (qsizetype g = 0; g < visit.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            const GroupState& state = visit.vGroups[g];
            ShownGroup shownGroup;
            shownGroup.iGroup = g;
            shownGroup.sName = group.sName;
            shownGroup.sType = group.sType;
            for (qsizetype o = 0; o < group.vPlugins.size(); ++o) {
                const bool chosen = state.vSelected[o];
                shownGroup.vOptions.append(
                    {group.vPlugins[o].sName, optionTypeName(state.vTypes[o]), chosen});
                if (!chosen)
                    continue;
                const QString origin =
                    QStringLiteral("step %1 group %2 option %3").arg(visit.iStep).arg(g).arg(o);
                for (const CFile& file : group.vPlugins[o].vFiles)
                    entries.append({file, origin});
            }
            const QString where =
                QStringLiteral("step \"%1\" group \"%2\": ").arg(step.sName, group.sName);
            if (!state.sUnsatisfiable.isEmpty())
                result.vProblems.append(where + state.sUnsatisfiable);
            else if (const QString fault = selectionFault(state.type, state.vTypes, state.vSelected,
                                                          optionNames(group));
                     !fault.isEmpty())
                result.vProblems.append(where + fault);
            shown.vGroups.append(shownGroup);
        }
        result.vSteps.append(shown);
    }

    const Flags flags = flagsAfterCurrent();
    for (auto it = flags.constBegin(); it != flags.constEnd(); ++it)
        result.flags.insert(it.key(), it.value());
    for (qsizetype k = 0; k < m_project.vConditionalFiles.size(); ++k) {
        const CConditionalFile& conditional = m_project.vConditionalFiles[k];
        if (!dependenciesHold(conditional.sOperator, conditional.vDependencies, flags, m_files))
            continue;
        for (const CFile& file : conditional.vFiles)
            entries.append({file, QStringLiteral("conditional %1").arg(k)});
    }
    result.vFiles = installFiles(entries, rootDir, &result.vOverlaps);
    return result;
}

QStringList ShownGroup::selectedNames() const {
    QStringList names;
    for (const ShownOption& option : vOptions) {
        if (option.bSelected)
            names.append(option.sName);
    }
    return names;
}

} // namespace Simulate
