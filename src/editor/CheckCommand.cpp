#include "editor/CheckCommand.h"

#include "check/CheckProject.h"
#include "editor/CheckDock.h"
#include "editor/Document.h"
#include "editor/NotKeptBar.h"

#include <QTableWidget>

CheckCommand::CheckCommand(Document& state, CheckDock& dock, NotKeptBar& bar, QObject* parent)
    : QObject(parent), m_state(state), m_dock(dock), m_bar(bar) {}

Findings CheckCommand::findings() const {
    if (!m_report)
        return checkProject(m_state.project, m_state.sRootDir);
    if (m_state.project == m_asRead)
        return checkProject(m_state.project, m_state.sRootDir, &*m_report);
    ReadReport withoutLines = *m_report;
    withoutLines.lines.clear();
    return checkProject(m_state.project, m_state.sRootDir, &withoutLines);
}

void CheckCommand::CheckMenuClick() {
    show(findings());
}

void CheckCommand::showNotKept() {
    Findings notKept;
    for (const Finding& finding : findings()) {
        if (finding.sCode == QLatin1String("not-kept"))
            notKept.append(finding);
    }
    show(notKept);
}

void CheckCommand::show(const Findings& findings) {
    m_checked = m_state.project;
    m_checkedWithReport = m_report.has_value();
    m_dock.showFindings(m_state.project, findings);
    m_dock.show();
    m_dock.raise();
    m_dock.list()->setFocus();
}

void CheckCommand::projectReplaced(const ReadReport* report) {
    m_report.reset();
    if (report)
        m_report = *report;
    m_asRead = m_state.project;
    m_checked = CFOMOD();
    m_checkedWithReport = false;
    // The findings were about the project just dropped.
    m_dock.clearFindings();
    m_dock.hide();
    m_bar.showCount(report ? report->notKept.size() : 0);
}

void CheckCommand::projectSaved() {
    m_report.reset();
    m_bar.hide();
    projectChanged();
}

void CheckCommand::projectChanged() {
    if (m_dock.isHidden())
        return;
    // Lines and not-kept notes listed from the file read are gone once saving rewrote it.
    const bool fileRewritten = m_checkedWithReport && !m_report;
    m_dock.setOutdated(fileRewritten || !(m_state.project == m_checked));
}
