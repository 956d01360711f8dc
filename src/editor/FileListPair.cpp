#include "editor/FileListPair.h"

#include "model/Fomod.h"
#include "ui/Components.h"
#include "ui/ReportListView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

FileListPair::FileListPair(const Names& names, FilesAccess files, QObject* parent)
    : QObject(parent), m_files(std::move(files)) {
    m_panel = new QWidget;
    m_panel->setObjectName(names.sPanel);

    auto* copyLabel = Components::label(names.sCopyLabel, QStringLiteral("Copy this"));
    auto* dataLabel = Components::label(names.sDataLabel, QStringLiteral("DATA\\"));

    m_sourceList = ReportListView::create(
        names.sSourceList,
        {{QStringLiteral("File/Folder"), 70}, {QStringLiteral("Source path"), 409}}, false);
    m_destinationList = ReportListView::create(
        names.sDestinationList,
        {{QStringLiteral("Destination path"), 375}, {QStringLiteral("Priority"), 0}}, true);

    m_addFileButton = Components::button(names.sAddFileButton, QStringLiteral("Add file"));
    m_addFolderButton = Components::button(names.sAddFolderButton, QStringLiteral("Add folder"));
    m_removeButton = Components::button(names.sRemoveButton, QStringLiteral("Remove"), false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_addFileButton);
    buttons->addWidget(m_addFolderButton);
    buttons->addWidget(m_removeButton);
    buttons->addStretch(1);

    // Both lists end 10 pixels above the panel's bottom edge.
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(0, 0, 0, 10);
    grid->addWidget(copyLabel, 0, 0);
    grid->addWidget(dataLabel, 0, 1);
    grid->addWidget(m_sourceList, 1, 0);
    grid->addWidget(m_destinationList, 1, 1);
    grid->addLayout(buttons, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    connect(m_sourceList, &QTableWidget::itemSelectionChanged, this,
            &FileListPair::sourceSelectItem);
    connect(m_destinationList, &QTableWidget::itemSelectionChanged, this,
            &FileListPair::destinationSelectItem);
    connect(m_destinationList, &QTableWidget::itemChanged, this, &FileListPair::destinationEdited);
}

void FileListPair::clear() {
    m_sourceList->setRowCount(0);
    m_destinationList->setRowCount(0);
    // No row is left, so nothing can be removed.
    m_removeButton->setEnabled(false);
}

void FileListPair::appendRows(const QList<CFile>& files) {
    const QSignalBlocker sourceBlocker(m_sourceList);
    const QSignalBlocker destinationBlocker(m_destinationList);
    for (const CFile& f : files) {
        ReportListView::appendRow(m_sourceList, {f.sType, f.sSource});
        ReportListView::appendRow(m_destinationList, {f.sDestination, priorityText(f.iPriority)});
    }
}

void FileListPair::sourceSelectItem() {
    couple(m_sourceList, m_destinationList);
}

void FileListPair::destinationSelectItem() {
    couple(m_destinationList, m_sourceList);
}

void FileListPair::destinationEdited(QTableWidgetItem* item) {
    QList<CFile>* files = m_files ? m_files() : nullptr;
    if (!item || item->column() != 0 || !files)
        return;
    const int row = item->row();
    if (row >= 0 && row < files->size())
        (*files)[row].sDestination = item->text();
}

QString FileListPair::priorityText(qint32 priority) {
    return QString::number(quint32(priority));
}

void FileListPair::couple(QTableWidget* from, QTableWidget* to) {
    const int row = ReportListView::selectedRow(from);
    if (row == ReportListView::selectedRow(to))
        return;
    ReportListView::selectRow(to, row);
    if (row < 0) {
        m_removeButton->setEnabled(false);
        return;
    }
    if (QTableWidgetItem* item = to->item(row, 0))
        to->scrollToItem(item);
    m_removeButton->setEnabled(true);
}
