#pragma once

#include "check/Finding.h"
#include "installer/ReadReport.h"

#include <QString>

// Gathers the findings of the checks and gives each the line of the file it points into: the
// line of its own element when the reading kept one, else that of the nearest enclosing one.
class FindingCollector {
public:
    explicit FindingCollector(const ReadReport* report) : m_report(report) {}

    void add(Finding::Severity severity, const QString& code, const QString& message,
             const ProjectPlace& place);
    void error(const QString& code, const QString& message, const ProjectPlace& place) {
        add(Finding::Severity::Error, code, message, place);
    }
    void warning(const QString& code, const QString& message, const ProjectPlace& place) {
        add(Finding::Severity::Warning, code, message, place);
    }
    void note(const QString& code, const QString& message, const ProjectPlace& place) {
        add(Finding::Severity::Note, code, message, place);
    }
    // A finding whose line is known but that stands for no element of the project; place, when
    // given, is where to look in the project.
    void addAtLine(Finding::Severity severity, const QString& code, const QString& message,
                   qsizetype line, const ProjectPlace& place = {});

    Findings takeFindings() { return std::move(m_findings); }

private:
    qsizetype lineOf(ProjectPlace place) const;

    const ReadReport* m_report;
    Findings m_findings;
};
