#include "editor/FileListPair.h"

#include "editor/Document.h"
#include "installer/Destination.h"
#include "model/Fomod.h"
#include "platform/Paths.h"
#include "ui/Components.h"
#include "ui/KeyConventions.h"
#include "ui/Prompts.h"
#include "ui/ReportListView.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kFile = QStringLiteral("file");
const QString kFolder = QStringLiteral("folder");

// The local paths a drag from the desktop's file manager carries; empty for anything else.
QStringList droppedPaths(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}

} // namespace

FileListPair::FileListPair(const Names& names, FilesAccess files, Rules rules, Document& document,
                           QWidget* window)
    : QObject(window), m_files(std::move(files)), m_rules(std::move(rules)), m_document(document),
      m_window(window) {
    m_panel = new QWidget;
    m_panel->setObjectName(names.sPanel);

    auto* copyLabel = Components::label(names.sCopyLabel, QStringLiteral("Copy this"));
    auto* dataLabel = Components::label(names.sDataLabel, QStringLiteral("DATA\\"));

    m_sourceList = ReportListView::create(
        names.sSourceList,
        {{QStringLiteral("File/Folder"), 70}, {QStringLiteral("Source path"), 0}}, false);
    m_destinationList = ReportListView::create(
        names.sDestinationList,
        {{QStringLiteral("Destination path"), 0}, {QStringLiteral("Priority"), 60}}, true);
    // The one hint of the window: it speaks of destination paths.
    m_destinationList->setToolTip(QStringLiteral("To edit: select destination path and then "
                                                 "click on it again. It's like you rename files "
                                                 "in Windows."));
    m_destinationList->setContextMenuPolicy(Qt::CustomContextMenu);
    // Files and folders dragged from the file manager onto the source list are added.
    m_sourceList->setAcceptDrops(true);
    m_sourceList->viewport()->setAcceptDrops(true);
    m_sourceList->viewport()->installEventFilter(this);

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

    connect(m_addFileButton, &QPushButton::clicked, this, &FileListPair::AddFileButtonClick);
    connect(m_addFolderButton, &QPushButton::clicked, this, &FileListPair::AddFolderButtonClick);
    connect(m_removeButton, &QPushButton::clicked, this, &FileListPair::RemoveButtonClick);
    connect(m_sourceList, &QTableWidget::itemSelectionChanged, this,
            &FileListPair::sourceSelectItem);
    connect(m_destinationList, &QTableWidget::itemSelectionChanged, this,
            &FileListPair::destinationSelectItem);
    connect(m_destinationList, &QTableWidget::itemChanged, this, &FileListPair::destinationEdited);

    for (QTableWidget* list : {m_sourceList, m_destinationList})
        KeyConventions::deleteRuns(list, m_removeButton);
    KeyConventions::focusReturnsTo(m_removeButton, m_sourceList);
}

void FileListPair::clear() {
    emit rowsAboutToChange();
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

void FileListPair::setAddEnabled(bool enabled) {
    m_addFileButton->setEnabled(enabled);
    m_addFolderButton->setEnabled(enabled);
}

bool FileListPair::canAdd() const {
    if (!m_files || !m_files())
        return false;
    return !m_rules.bAddNeedsRoot || !m_rules.rootDir().isEmpty();
}

void FileListPair::AddFileButtonClick() {
    if (!canAdd())
        return;
    QList<Chosen> chosen;
    for (const QString& path : Prompts::chooseFiles(m_window, QString(), true, m_rules.rootDir()))
        chosen.append({kFile, path});
    if (add(chosen))
        m_document.edited(EditName::command(m_addFileButton));
}

void FileListPair::AddFolderButtonClick() {
    if (!canAdd())
        return;
    QList<Chosen> chosen;
    for (const QString& path : Prompts::chooseFolders(m_window, true, m_rules.rootDir()))
        chosen.append({kFolder, path});
    if (add(chosen))
        m_document.edited(EditName::command(m_addFolderButton));
}

bool FileListPair::addDropped(const QStringList& nativePaths) {
    if (!canAdd() || nativePaths.isEmpty())
        return false;
    QList<Chosen> chosen;
    for (const QString& path : nativePaths)
        chosen.append({Paths::isDirectory(path) ? kFolder : kFile, path});
    if (!add(chosen))
        return false;
    m_document.edited(EditName::drop());
    return true;
}

// Every path is checked before anything is added, so a choice that reaches outside the root
// adds nothing at all.
bool FileListPair::add(const QList<Chosen>& chosen) {
    const QString root = m_rules.rootDir();
    QStringList sources;
    for (const Chosen& c : chosen) {
        const std::optional<QString> relative = Paths::relativeToRoot(root, c.sNativePath);
        if (!relative) {
            Prompts::message(m_window, c.sType == kFolder
                                           ? m_rules.sFolderOutsideMessage
                                           : QStringLiteral("File is out of root directory"));
            return false;
        }
        sources.append(*relative);
    }
    QList<CFile>* files = m_files();
    if (!files || sources.isEmpty())
        return false;
    QList<CFile> added;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        CFile file;
        file.sType = chosen.at(i).sType;
        file.sSource = sources.at(i);
        file.sDestination = Destination::detect(sources.at(i));
        added.append(file);
    }
    files->append(added);
    appendRows(added);
    return true;
}

void FileListPair::RemoveButtonClick() {
    QList<CFile>* files = m_files ? m_files() : nullptr;
    const int row = ReportListView::selectedRow(m_sourceList);
    if (!files || files->isEmpty() || row < 0 || row >= files->size())
        return;
    emit rowsAboutToChange();
    files->removeAt(row);
    {
        const QSignalBlocker sourceBlocker(m_sourceList);
        const QSignalBlocker destinationBlocker(m_destinationList);
        m_sourceList->clearSelection();
        m_destinationList->clearSelection();
        m_destinationList->removeRow(row);
        m_sourceList->removeRow(row);
    }
    // The row that took the removed one's place, or the new last row; the coupling then
    // selects it in the destination list.
    const int left = m_sourceList->rowCount();
    ReportListView::selectRow(m_sourceList, row < left ? row : left - 1);
    m_removeButton->setEnabled(ReportListView::selectedRow(m_sourceList) >= 0);
    m_document.edited(EditName::command(m_removeButton));
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
    if (row < 0 || row >= files->size())
        return;
    (*files)[row].sDestination = item->text();
    m_document.edited(EditName::rename(m_destinationList));
}

bool FileListPair::setPriority(int row, qint32 priority) {
    QList<CFile>* files = m_files ? m_files() : nullptr;
    if (!files || row < 0 || row >= files->size() || row >= m_destinationList->rowCount())
        return false;
    (*files)[row].iPriority = priority;
    const QSignalBlocker blocker(m_destinationList);
    if (QTableWidgetItem* cell = m_destinationList->item(row, 1))
        cell->setText(priorityText(priority));
    return true;
}

QString FileListPair::priorityText(qint32 priority) {
    return QString::number(priority);
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

bool FileListPair::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sourceList->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (m_addFileButton->isEnabled() && !droppedPaths(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = droppedPaths(drop->mimeData());
            if (m_addFileButton->isEnabled() && !paths.isEmpty() && addDropped(paths))
                drop->acceptProposedAction();
            else
                drop->ignore();
            return true;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
