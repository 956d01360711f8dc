#pragma once

#include "model/Fomod.h"

#include <QStringList>

// A compact, line-per-element outline of a project for comparing read results in test tables.
// Every field of every element appears, so nothing the reader drops or misplaces goes unseen.
namespace ProjectOutline {

inline QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

inline QString dependency(const CDependency& d) {
    return QStringLiteral("dep %1 %2=%3").arg(d.sType, quoted(d.sName), quoted(d.sValue));
}

inline QString file(const CFile& f) {
    return QStringLiteral("%1 %2 -> %3 %4")
        .arg(f.sType, quoted(f.sSource), quoted(f.sDestination))
        .arg(f.iPriority);
}

inline QStringList outline(const CFOMOD& project) {
    QStringList lines;
    for (const CStep& step : project.vSteps) {
        lines << QStringLiteral("step %1 %2").arg(quoted(step.sName), step.sOperator);
        for (const CDependency& d : step.vVisibility)
            lines << QStringLiteral("  visible ") + dependency(d);
        for (const CPluginGroup& group : step.vGroups) {
            lines << QStringLiteral("  group %1 %2").arg(quoted(group.sName), group.sType);
            for (const CPlugin& plugin : group.vPlugins) {
                lines << QStringLiteral("    plugin %1 %2 desc=%3 img=%4")
                             .arg(quoted(plugin.sName), plugin.sType, quoted(plugin.sDescription),
                                  quoted(plugin.sImage));
                for (const CCondition& flag : plugin.vConditionFlags)
                    lines << QStringLiteral("      flag %1=%2")
                                 .arg(quoted(flag.sName), quoted(flag.sValue));
                for (const CFile& f : plugin.vFiles)
                    lines << QStringLiteral("      ") + file(f);
                for (const CDependencyPattern& pattern : plugin.vPatterns) {
                    lines << QStringLiteral("      pattern op=%1 type=%2")
                                 .arg(quoted(pattern.sOperator), quoted(pattern.sType));
                    for (const CDependency& d : pattern.vDependencies)
                        lines << QStringLiteral("        ") + dependency(d);
                }
            }
        }
    }
    for (const CFile& f : project.vRequiredFiles)
        lines << QStringLiteral("required ") + file(f);
    for (const CConditionalFile& pattern : project.vConditionalFiles) {
        lines << QStringLiteral("conditional op=%1").arg(quoted(pattern.sOperator));
        for (const CDependency& d : pattern.vDependencies)
            lines << QStringLiteral("  ") + dependency(d);
        for (const CFile& f : pattern.vFiles)
            lines << QStringLiteral("  ") + file(f);
    }
    return lines;
}

} // namespace ProjectOutline
