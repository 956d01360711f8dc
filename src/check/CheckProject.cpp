#include "check/CheckProject.h"

#include "check/FindingCollector.h"
#include "check/FlagChecks.h"
#include "check/GroupChecks.h"
#include "check/SourceChecks.h"
#include "check/ValueChecks.h"
#include "check/VersionChecks.h"

#include <algorithm>
#include <array>

namespace {

using List = ProjectPlace::List;

// Where a place stands in ModuleConfig.xml, for listing findings in the file's order whether
// or not lines are known: the file itself, header image, prerequisites, required installs,
// steps, then conditional installs.
std::array<int, 7> documentOrder(const ProjectPlace& p) {
    switch (p.list) {
    case List::ModuleImage:
        return {1, 0, 0, 0, 0, 0, 0};
    case List::ModuleDependencies:
        return {1, 1, p.entry, 0, 0, 0, 0};
    case List::RequiredFiles:
        return {2, p.entry, 0, 0, 0, 0, 0};
    case List::ConditionalInstalls:
    case List::ConditionalInstallFiles:
        return {4, p.pattern, p.list == List::ConditionalInstallFiles ? 1 : 0, p.entry, 0, 0, 0};
    default:
        break;
    }
    if (p.step < 0)
        return {0, 0, 0, 0, 0, 0, 0};
    int listRank = 0;
    switch (p.list) {
    case List::PluginImage:
        listRank = 1;
        break;
    case List::PluginFlags:
        listRank = 2;
        break;
    case List::PluginFiles:
        listRank = 3;
        break;
    case List::PluginPatterns:
        listRank = 4;
        break;
    default:
        break;
    }
    return {3, p.step, p.group, p.plugin, listRank, p.pattern, p.entry};
}

// A note names what it is about, so that a list of them says which element each one means.
QString notKeptMessage(const NotKeptNote& note) {
    if (note.sMessage.isEmpty())
        return QStringLiteral("'%1' is not kept when the project is saved").arg(note.sConstruct);
    if (note.sConstruct.isEmpty() || note.sMessage.contains(note.sConstruct))
        return note.sMessage;
    return note.sConstruct + QStringLiteral(": ") + note.sMessage;
}

// The element read last at or before each line: what a note on a dropped construct is about,
// or stands in, so that choosing the note shows the option or list it belongs to.
class PlaceBefore {
public:
    explicit PlaceBefore(const SourceLines& lines) {
        m_starts.reserve(lines.size());
        for (auto it = lines.cbegin(); it != lines.cend(); ++it)
            m_starts.append({it.value(), it.key()});
        std::sort(m_starts.begin(), m_starts.end(), [](const Start& a, const Start& b) {
            return a.line != b.line ? a.line < b.line : isWithin(b.place, a.place);
        });
    }

    ProjectPlace at(qsizetype line) const {
        const auto after = std::upper_bound(
            m_starts.cbegin(), m_starts.cend(), line,
            [](qsizetype wanted, const Start& start) { return wanted < start.line; });
        return after == m_starts.cbegin() ? ProjectPlace{} : std::prev(after)->place;
    }

private:
    struct Start {
        qsizetype line;
        ProjectPlace place;
    };
    // Of two elements on one line the inner one comes last: a place with more levels set.
    static bool isWithin(const ProjectPlace& inner, const ProjectPlace& outer) {
        return depth(inner) > depth(outer);
    }
    static int depth(const ProjectPlace& p) {
        return (p.step >= 0) + (p.group >= 0) + (p.plugin >= 0) + (p.list != List::None) +
               (p.pattern >= 0) + (p.entry >= 0);
    }

    QList<Start> m_starts;
};

void addReadNotes(const ReadReport& report, FindingCollector& out) {
    if (!report.bConfigElement)
        out.addAtLine(Finding::Severity::Error, QStringLiteral("no-config"),
                      QStringLiteral("the file holds no 'config' element (damaged, or not an "
                                     "installer configuration): saving would write an empty "
                                     "installer over it; check the file before saving"),
                      0);
    QList<NotKeptNote> notes = report.notKept;
    std::stable_sort(notes.begin(), notes.end(),
                     [](const NotKeptNote& a, const NotKeptNote& b) { return a.line < b.line; });
    if (notes.isEmpty())
        return;
    const PlaceBefore placeBefore(report.lines);
    for (const NotKeptNote& note : notes)
        out.addAtLine(Finding::Severity::Note, QStringLiteral("not-kept"), notKeptMessage(note),
                      note.line, placeBefore.at(note.line));
}

} // namespace

Findings checkProject(const CFOMOD& project, const QString& rootDir, const ReadReport* report) {
    FindingCollector out(report);
    if (report)
        addReadNotes(*report, out);
    checkValues(project, out);
    checkGroups(project, out);
    checkSources(project, rootDir, out);
    checkFlags(project, out);
    checkVersions(project, out);
    Findings findings = out.takeFindings();
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return documentOrder(a.place) < documentOrder(b.place);
    });
    return findings;
}
