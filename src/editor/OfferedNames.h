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

// The offered names of the steps last asked for, gathered again only when the plugins' flags or
// type patterns differ from those the names were gathered from. The check compares values; as
// the model's values are implicitly shared, lists not written to since are the same storage and
// compare at once, so a rebuild after no change costs a walk over the plugin lists only.
class OfferedNamesCache {
public:
    const OfferedNames& of(const CFOMOD& project);

private:
    QList<CStep> m_steps; // a shared copy of the steps gathered from
    OfferedNames m_offered;
    bool m_valid = false;
};
