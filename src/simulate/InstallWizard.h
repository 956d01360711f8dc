#pragma once

#include "model/Fomod.h"
#include "simulate/Conditions.h"
#include "simulate/SimulationResult.h"

#include <QList>
#include <QString>

// The install wizard as a mod manager runs it: the mod's prerequisites tested first (when they
// do not hold the run ends at once, as managers refuse the mod), steps shown in order when their
// visibility holds, option types resolved when a step is entered, the wizard's preset choices,
// flags set when a step is left and undone by going back, and at the end the files it installs. The
// wizard works on its own copy of the project, which it never changes.
namespace Simulate {

struct GroupState {
    GroupType type = GroupType::SelectAny;
    QList<OptionType> vTypes;
    QList<bool> vSelected;
    QString sUnsatisfiable; // why no choice can satisfy the group, or ""
};

struct StepVisit {
    qsizetype iStep = 0;
    Flags flagsBefore; // the flags as the step was entered
    QList<GroupState> vGroups;
};

class InstallWizard {
public:
    // Enters the first shown step, or finishes at once when no step is shown or the
    // prerequisites do not hold.
    InstallWizard(const CFOMOD& project, const Environment& game);

    bool prerequisitesMet() const { return m_prerequisitesMet; }
    const Environment& game() const { return m_game; }
    // True when no step after the current one would be shown with the flags as they stand.
    bool isOnLastStep() const;
    const CFOMOD& project() const { return m_project; }
    bool isFinished() const { return m_finished; }
    bool canGoBack() const { return m_finished ? !m_visits.isEmpty() : m_visits.size() > 1; }

    // The steps shown so far, the current one last (also after finishing).
    const QList<StepVisit>& visits() const { return m_visits; }
    // The current step, or nullptr when finished.
    const StepVisit* current() const;

    // A click on an option of the current step (see toggle()); false when refused.
    bool select(qsizetype group, qsizetype option, bool on);
    // Replaces a group's selection in the current step; returns why it is not allowed, changing
    // nothing, or "" once applied.
    QString choose(qsizetype group, const QList<bool>& selected);

    // Leaves the current step: sets its selected options' flags and enters the next shown
    // step, or finishes after the last.
    void next();
    // Goes back to the step before (or, once finished, to the last step), undoing the flags of
    // the step left and every later one. False when there is no step before.
    bool back();

    // The flags as they stand after the current step's choices (the final flags once finished).
    Flags flagsAfterCurrent() const;

    // The run as it stands: steps shown, flags, files and problems. Files are those the choices
    // so far install, so it is meant for a finished wizard.
    SimulationResult result(const QString& rootDir) const;

private:
    void enter(qsizetype step, const Flags& flags);
    qsizetype nextShownStep(qsizetype after, const Flags& flags) const;

    CFOMOD m_project;
    Environment m_game;
    bool m_prerequisitesMet = true;
    QList<StepVisit> m_visits;
    bool m_finished = false;
};

QStringList optionNames(const CPluginGroup& group);

// The selection's flags set over the given flags, in option order.
Flags applyFlags(const CStep& step, const StepVisit& visit, Flags flags);

} // namespace Simulate
