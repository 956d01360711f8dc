#include "simulate/InstallWizard.h"

#include "simulate/GroupSelection.h"
#include "simulate/InstalledFiles.h"

#include "model/ConditionText.h"

namespace Simulate {

InstallWizard::InstallWizard(const CFOMOD& project, const Environment& game)
    : m_project(project), m_game(game) {
    // Tested before any choice, so no flag is set yet.
    m_prerequisitesMet =
        dependenciesHold(project.sModuleOperator, project.vModuleDependencies, Flags(), game);
    const qsizetype first = m_prerequisitesMet ? nextShownStep(-1, Flags()) : -1;
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
        if (dependenciesHold(step.sOperator, step.vVisibility, flags, m_game))
            return i;
    }
    return -1;
}

bool InstallWizard::isOnLastStep() const {
    const StepVisit* visit = current();
    return !visit || nextShownStep(visit->iStep, flagsAfterCurrent()) < 0;
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
            state.vTypes.append(effectiveType(plugin, flags, m_game));
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

namespace {

// Files of an option left unchosen that Vortex installs all the same: those marked
// alwaysInstall, and those marked installIfUsable while the option is not NotUsable.
bool installsUnchosen(const CFile& file, OptionType type) {
    return FomodTypes::isTrue(file.sAlwaysInstall) ||
           (FomodTypes::isTrue(file.sInstallIfUsable) && type != OptionType::NotUsable);
}

void addRunNotes(const CFOMOD& project, const Environment& game, SimulationResult& result) {
    for (const QString& kind : testedVersionKinds(project)) {
        if (!game.versions.has(kind))
            result.vNotes.append(
                QStringLiteral("no %1 version given: its version conditions count as met")
                    .arg(kind));
    }
}

} // namespace

SimulationResult InstallWizard::result(const QString& rootDir) const {
    SimulationResult result;
    addRunNotes(m_project, m_game, result);
    if (!m_project.vModuleDependencies.isEmpty())
        result.sPrerequisites =
            ConditionText::ofList(m_project.sModuleOperator, m_project.vModuleDependencies);
    result.bPrerequisitesMet = m_prerequisitesMet;
    if (!m_prerequisitesMet) {
        result.vProblems.append(QStringLiteral("prerequisites not met: %1: mod managers refuse "
                                               "to install the mod")
                                    .arg(result.sPrerequisites));
        return result;
    }
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
                const QString origin =
                    QStringLiteral("step %1 group %2 option %3").arg(visit.iStep).arg(g).arg(o);
                for (const CFile& file : group.vPlugins[o].vFiles) {
                    if (chosen || installsUnchosen(file, state.vTypes[o]))
                        entries.append({file, origin});
                }
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
        if (!dependenciesHold(conditional.sOperator, conditional.vDependencies, flags, m_game))
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
