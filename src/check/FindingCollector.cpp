#include "check/FindingCollector.h"

namespace {

// The element that holds the place: an entry's list, a list's option (or its conditional
// install), an option's group, a group's step. Returns false at the top.
bool widen(ProjectPlace& place) {
    using List = ProjectPlace::List;
    if (place.entry >= 0) {
        place.entry = -1;
        if (place.list == List::ConditionalInstallFiles)
            place.list = List::ConditionalInstalls;
        return true;
    }
    if (place.list != List::None && place.step >= 0) {
        place.list = List::None;
        place.pattern = -1;
        return true;
    }
    if (place.plugin >= 0) {
        place.plugin = -1;
        return true;
    }
    if (place.group >= 0) {
        place.group = -1;
        return true;
    }
    return false;
}

} // namespace

void FindingCollector::add(Finding::Severity severity, const QString& code, const QString& message,
                           const ProjectPlace& place) {
    addAtLine(severity, code, message, lineOf(place), place);
}

void FindingCollector::addAtLine(Finding::Severity severity, const QString& code,
                                 const QString& message, qsizetype line,
                                 const ProjectPlace& place) {
    Finding finding;
    finding.severity = severity;
    finding.sCode = code;
    finding.sMessage = message;
    finding.line = line;
    finding.place = place;
    m_findings.append(finding);
}

qsizetype FindingCollector::lineOf(ProjectPlace place) const {
    if (!m_report || m_report->lines.isEmpty())
        return 0;
    do {
        const auto found = m_report->lines.constFind(place);
        if (found != m_report->lines.constEnd())
            return *found;
    } while (widen(place));
    return 0;
}
