#include "editor/FilePriorityEditor.h"

#include "editor/Document.h"
#include "editor/FileListPair.h"
#include "ui/FloatingEditor.h"
#include "ui/ReportListView.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTableWidget>

FilePriorityEditor::FilePriorityEditor(Document& document, QWidget* window)
    : QObject(window), m_document(document), m_window(window) {
    m_edit = new QLineEdit(QStringLiteral("0"), window);
    m_edit->setObjectName(QStringLiteral("FilePriorityEdit"));
    // A signed decimal number; what does not fit 32 bits is refused when the edit closes.
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), m_edit));
    m_edit->setEnabled(false);
    m_edit->hide();
    m_edit->installEventFilter(this);

    m_menu = new QMenu(window);
    m_menu->setObjectName(QStringLiteral("PopupMenuFiles"));
    m_editPath = m_menu->addAction(QStringLiteral("Edit path"));
    m_editPath->setObjectName(QStringLiteral("EditPathCMenu"));
    m_editPriority = m_menu->addAction(QStringLiteral("Edit priority"));
    m_editPriority->setObjectName(QStringLiteral("EditPriorityCMenu"));

    connect(m_menu, &QMenu::aboutToShow, this, &FilePriorityEditor::PopupMenuFilesPopup);
    connect(m_editPath, &QAction::triggered, this, &FilePriorityEditor::EditPathCMenuClick);
    connect(m_editPriority, &QAction::triggered, this, &FilePriorityEditor::EditPriorityCMenuClick);
}

void FilePriorityEditor::attach(FileListPair* pair) {
    connect(pair, &FileListPair::rowsAboutToChange, this, [this, pair] {
        if (m_editedPair == pair)
            FilePriorityEditExit();
    });
    QTableWidget* list = pair->destinationList();
    connect(list, &QWidget::customContextMenuRequested, this, [this, pair, list](QPoint pos) {
        m_menuPair = pair;
        m_menu->popup(list->viewport()->mapToGlobal(pos));
    });
}

int FilePriorityEditor::menuListRow() const {
    return m_menuPair ? ReportListView::selectedRow(m_menuPair->destinationList()) : -1;
}

void FilePriorityEditor::PopupMenuFilesPopup() {
    const bool selected = menuListRow() >= 0;
    m_editPath->setEnabled(selected);
    m_editPriority->setEnabled(selected);
}

void FilePriorityEditor::EditPathCMenuClick() {
    const int row = menuListRow();
    if (row < 0)
        return;
    QTableWidget* list = m_menuPair->destinationList();
    if (QTableWidgetItem* item = list->item(row, 0))
        list->editItem(item);
}

void FilePriorityEditor::EditPriorityCMenuClick() {
    const int row = menuListRow();
    if (row < 0)
        return;
    m_editedRow = row;
    m_editedPair = m_menuPair;

    // Over the row's "Priority" cell, 4 pixels in.
    m_open = true;
    const QString shown = FloatingEditor::openOverCell(m_edit, m_editedPair->destinationList(), row,
                                                       1, m_window, QPoint(4, 4));
    m_edit->setText(shown);
}

bool FilePriorityEditor::FilePriorityEditKeyPress(int key) {
    const FloatingEditor::KeyAction action = FloatingEditor::keyAction(key);
    if (action == FloatingEditor::KeyAction::None)
        return false;
    if (action == FloatingEditor::KeyAction::Cancel)
        m_editedRow = -1;
    FilePriorityEditExit();
    return true;
}

void FilePriorityEditor::FilePriorityEditExit() {
    // Hiding the edit takes its focus away, which reports the exit a second time.
    if (!m_open)
        return;
    m_open = false;
    // A text that is no 32-bit number (an emptied edit, too many digits) stores nothing.
    bool isNumber = false;
    const qint32 priority = m_edit->text().toInt(&isNumber, 10);
    if (m_editedRow >= 0 && m_editedPair && isNumber &&
        m_editedPair->setPriority(m_editedRow, priority))
        m_document.edited(EditName::typing(m_edit));
    m_editedPair = nullptr;
    m_edit->hide();
    m_edit->setEnabled(false);
}

bool FilePriorityEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress &&
            FilePriorityEditKeyPress(static_cast<QKeyEvent*>(event)->key()))
            return true;
        if (event->type() == QEvent::FocusOut && FloatingEditor::focusLossEndsEdit(m_edit, event))
            FilePriorityEditExit();
    }
    return QObject::eventFilter(watched, event);
}
