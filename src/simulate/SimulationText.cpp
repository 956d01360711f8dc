#include "simulate/SimulationText.h"

namespace SimulationText {

namespace {

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString toText(const Simulate::SimulationResult& result) {
    QString text;
    if (!result.sPrerequisites.isEmpty())
        text += (result.bPrerequisitesMet ? QStringLiteral("Prerequisites met: ")
                                          : QStringLiteral("Prerequisites not met: ")) +
                result.sPrerequisites + QLatin1Char('\n');
    for (const Simulate::ShownStep& step : result.vSteps) {
        text += QStringLiteral("Step ") + quoted(step.sName) + QLatin1Char('\n');
        for (const Simulate::ShownGroup& group : step.vGroups) {
            text += QStringLiteral("  Group %1 (%2)\n").arg(quoted(group.sName), group.sType);
            for (const Simulate::ShownOption& option : group.vOptions)
                text += QStringLiteral("    [%1] %2 (%3)\n")
                            .arg(option.bSelected ? QLatin1Char('x') : QLatin1Char(' '))
                            .arg(option.sName, option.sType);
        }
    }
    text += QStringLiteral("Flags\n");
    for (auto it = result.flags.constBegin(); it != result.flags.constEnd(); ++it)
        text += QStringLiteral("  %1 = %2\n").arg(it.key(), quoted(it.value()));
    text += QStringLiteral("Files\n");
    for (const Simulate::InstalledFile& file : result.vFiles) {
        text += QStringLiteral("  %1  <-  %2  (%3)")
                    .arg(file.sDestination, file.sSource)
                    .arg(file.iPriority);
        if (file.sType != QLatin1String("file"))
            text += QStringLiteral("  [") + file.sType + QLatin1Char(']');
        if (file.bOverwritten)
            text += QStringLiteral("  [overwritten]");
        text += QLatin1Char('\n');
    }
    if (!result.vOverlaps.isEmpty()) {
        text += QStringLiteral("Overlaps\n");
        for (const Simulate::Overlap& overlap : result.vOverlaps)
            text += QStringLiteral("  %1: %2 (the last wins)\n")
                        .arg(overlap.sDestination, overlap.vSources.join(QStringLiteral(", ")));
    }
    if (!result.vProblems.isEmpty()) {
        text += QStringLiteral("Problems\n");
        for (const QString& problem : result.vProblems)
            text += QStringLiteral("  ") + problem + QLatin1Char('\n');
    }
    if (!result.vNotes.isEmpty()) {
        text += QStringLiteral("Notes\n");
        for (const QString& note : result.vNotes)
            text += QStringLiteral("  ") + note + QLatin1Char('\n');
    }
    return text;
}

} // namespace SimulationText
