#pragma once

#include "model/Fomod.h"
#include "simulate/Conditions.h"
#include "simulate/SimulationResult.h"

#include <QList>
#include <QString>
#include <QStringList>

// A whole install run without a user: the wizard's preset choices, replaced group by group
// by the given ones.
namespace Simulate {

// The options chosen in one group, by the names the installer gives them.
struct GroupChoice {
    QString sStep;
    QString sGroup;
    QStringList vOptions;
};

// A choice by position: the group's options, chosen or not.
struct ResolvedChoice {
    qsizetype iStep = 0;
    qsizetype iGroup = 0;
    QList<bool> vSelected;
};

// Finds the named steps, groups and options (the first of equal names). Returns "" or why a
// choice names something the project does not hold.
QString resolveChoices(const CFOMOD& project, const QList<GroupChoice>& choices,
                       QList<ResolvedChoice>* resolved);

// Runs the wizard to its end. A choice for a step that is not shown is ignored; one the group
// does not allow is reported as a problem and the group keeps its preset choice.
SimulationResult simulate(const CFOMOD& project, const QString& rootDir, const Environment& game,
                          const QList<ResolvedChoice>& choices);

} // namespace Simulate
