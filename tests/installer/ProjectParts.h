#pragma once

#include "model/Fomod.h"

// One-line builders for the model's elements that have no constructor with arguments.
namespace ProjectParts {

inline CDependency dependency(const QString& type, const QString& name, const QString& value) {
    CDependency d;
    d.sType = type;
    d.sName = name;
    d.sValue = value;
    return d;
}

// A condition group: its conditions joined by its own operator ("" for none written).
inline CDependency conditionGroup(const QString& op, const QList<CDependency>& conditions) {
    CDependency d;
    d.sType = QStringLiteral("group");
    d.sOperator = op;
    d.vDependencies = conditions;
    return d;
}

inline CFile fileEntry(const QString& type, const QString& source, const QString& destination,
                       qint32 priority = 0) {
    CFile f;
    f.sType = type;
    f.sSource = source;
    f.sDestination = destination;
    f.iPriority = priority;
    return f;
}

// An option type's pattern: type taken when the dependencies hold, joined by op.
inline CDependencyPattern dependencyPattern(const QString& op, const QString& type,
                                            const QList<CDependency>& dependencies = {}) {
    CDependencyPattern p;
    p.sOperator = op;
    p.sType = type;
    p.vDependencies = dependencies;
    return p;
}

// A conditional install: files installed when the dependencies, joined by op, hold.
inline CConditionalFile conditionalInstall(const QString& op,
                                           const QList<CDependency>& dependencies,
                                           const QList<CFile>& files = {}) {
    CConditionalFile c;
    c.sOperator = op;
    c.vDependencies = dependencies;
    c.vFiles = files;
    return c;
}

} // namespace ProjectParts
