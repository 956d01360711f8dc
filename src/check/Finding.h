#pragma once

#include "model/ProjectPlace.h"

#include <QList>
#include <QString>

// One thing that would break an installer, or that the author should know before saving.
struct Finding {
    enum class Severity { Error, Warning, Note };

    Severity severity = Severity::Warning;
    QString sCode;    // stable: scripts match on it ("missing-source", "unset-flag", ...)
    QString sMessage; // what is wrong and what to do
    ProjectPlace place;
    qsizetype line = 0; // line of ModuleConfig.xml, 0 when unknown

    bool operator==(const Finding&) const = default;
};

using Findings = QList<Finding>;
