#include "editor/CheckDock.h"

#include "check/FindingText.h"
#include "ui/Captions.h"
#include "ui/Components.h"
#include "ui/ReportListView.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { SeverityColumn, MessageColumn, LocationColumn, LineColumn };
constexpr int kLocationWidth = 200;
constexpr int kLineWidth = 50;

QString severityCaption(Finding::Severity severity) {
    switch (severity) {
    case Finding::Severity::Error:
        return Captions::lookup(QStringLiteral("CheckSeverityError"), QStringLiteral("Error"));
    case Finding::Severity::Warning:
        return Captions::lookup(QStringLiteral("CheckSeverityWarning"), QStringLiteral("Warning"));
    case Finding::Severity::Note:
        break;
    }
    return Captions::lookup(QStringLiteral("CheckSeverityNote"), QStringLiteral("Note"));
}

QStyle::StandardPixmap severityIcon(Finding::Severity severity) {
    switch (severity) {
    case Finding::Severity::Error:
        return QStyle::SP_MessageBoxCritical;
    case Finding::Severity::Warning:
        return QStyle::SP_MessageBoxWarning;
    case Finding::Severity::Note:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

CheckDock::CheckDock(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("CheckDock"));
    setWindowTitle(QStringLiteral("Check results"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("CheckPanel"));
    m_outdated = Components::label(
        QStringLiteral("CheckOutdatedLabel"),
        QStringLiteral("The installer has changed since this check. Press F7 to check again."),
        content);
    m_outdated->setWordWrap(true);
    m_outdated->hide();
    m_noProblems = Components::label(QStringLiteral("CheckNoProblemsLabel"),
                                     QStringLiteral("No problems found"), content);
    m_noProblems->hide();
    m_list = ReportListView::create(QStringLiteral("CheckListView"),
                                    {{QStringLiteral("Severity"), 90},
                                     {QStringLiteral("Message"), 0},
                                     {QStringLiteral("Location"), kLocationWidth},
                                     {QStringLiteral("Line"), kLineWidth}},
                                    false, content);
    m_list->setIconSize(QSize(16, 16));
    // The message takes what the others leave; the location may be widened by hand.
    m_list->horizontalHeader()->setMinimumSectionSize(40);

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_outdated);
    layout->addWidget(m_noProblems);
    layout->addWidget(m_list, 1);
    setWidget(content);

    connect(m_list, &QTableWidget::cellClicked, this, [this](int row) { chooseRow(row); });
    // Enter, and a double click where the platform activates that way.
    connect(m_list, &QTableWidget::itemActivated, this,
            [this](QTableWidgetItem* item) { chooseRow(item->row()); });
}

void CheckDock::showCaptions() {
    m_list->setHorizontalHeaderLabels(
        {Captions::lookup(QStringLiteral("CheckSeverityColumn"), QStringLiteral("Severity")),
         Captions::lookup(QStringLiteral("CheckMessageColumn"), QStringLiteral("Message")),
         Captions::lookup(QStringLiteral("CheckLocationColumn"), QStringLiteral("Location")),
         Captions::lookup(QStringLiteral("CheckLineColumn"), QStringLiteral("Line"))});
}

void CheckDock::showFindings(const CFOMOD& project, const Findings& findings) {
    // The language may have changed since the last check.
    showCaptions();
    clearFindings();
    // Errors first, then warnings, then notes; in the file's order within each.
    Findings sorted = findings;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    m_places.reserve(sorted.size());
    for (const Finding& finding : sorted) {
        const QString place = FindingText::placeText(project, finding.place);
        ReportListView::appendRow(m_list,
                                  {severityCaption(finding.severity), finding.sMessage, place,
                                   finding.line > 0 ? QString::number(finding.line) : QString()});
        const int row = m_list->rowCount() - 1;
        QTableWidgetItem* severity = m_list->item(row, SeverityColumn);
        severity->setIcon(style()->standardIcon(severityIcon(finding.severity)));
        severity->setToolTip(finding.sCode);
        // Long messages and places are cut at the column's edge; the tip shows them whole.
        m_list->item(row, MessageColumn)->setToolTip(finding.sMessage);
        m_list->item(row, LocationColumn)->setToolTip(place);
        m_places.append(finding.place);
    }
    fitLocationColumn();
    m_noProblems->setVisible(findings.isEmpty());
    m_list->setVisible(!findings.isEmpty());
    if (!findings.isEmpty())
        m_list->scrollToTop();
}

// Places end in what matters most (the option, the file): the column shows them whole where
// it can, leaving the message at least half of the list.
void CheckDock::fitLocationColumn() {
    m_list->resizeColumnToContents(LocationColumn);
    const int widest = std::max(kLocationWidth, m_list->viewport()->width() / 2 - kLineWidth);
    if (m_list->columnWidth(LocationColumn) > widest)
        m_list->setColumnWidth(LocationColumn, widest);
    else if (m_list->columnWidth(LocationColumn) < kLocationWidth)
        m_list->setColumnWidth(LocationColumn, kLocationWidth);
}

void CheckDock::clearFindings() {
    m_list->setRowCount(0);
    m_places.clear();
    m_noProblems->hide();
    m_outdated->hide();
}

void CheckDock::setOutdated(bool outdated) {
    m_outdated->setVisible(outdated);
}

void CheckDock::chooseRow(int row) {
    if (row >= 0 && row < m_places.size())
        emit findingChosen(m_places[row]);
}
