#pragma once

#include "model/Fomod.h"

#include <QStringList>

// The names and values the condition, flag and dependency editors offer, gathered by the
// rebuild from every plugin of the project (not only the current step's).
struct OfferedNames {
    QStringList names;        // flag names set by plugins
    QStringList values;       // the fixed start values, then the values flags are set to
    QStringList patternNames; // names used in the plugins' type-pattern dependencies

    // Each list keeps the order texts are first met in and holds no text twice (exact
    // comparison); pattern names are not checked against flag names.
    static OfferedNames collect(const CFOMOD& project);
};
