#pragma once

#include <QObject>

class Document;
class FileListPair;
class QAction;
class QLineEdit;
class QMenu;
class QWidget;

// The context menu `PopupMenuFiles` shared by the three destination lists, and the floating
// priority editor `FilePriorityEdit` its "Edit priority" opens over a row's priority cell.
// The editor is a child of the window, not of any list; it remembers the row it was opened on
// (-1 once cancelled) and the file list the row belongs to.
class FilePriorityEditor : public QObject {
    Q_OBJECT

public:
    // A stored priority is announced to the document.
    FilePriorityEditor(Document& document, QWidget* window);

    // The destination list of the pair opens the shared context menu.
    void attach(FileListPair* pair);

    // The row the editor was opened on; -1 once cancelled.
    int editedRow() const { return m_editedRow; }

private slots:
    void PopupMenuFilesPopup();
    void EditPathCMenuClick();
    void EditPriorityCMenuClick();
    // Escape cancels; Enter and focus loss store the edited priority.
    bool FilePriorityEditKeyPress(int key);
    void FilePriorityEditExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int menuListRow() const;

    Document& m_document;
    QWidget* m_window = nullptr;
    QLineEdit* m_edit = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_editPath = nullptr;
    QAction* m_editPriority = nullptr;
    FileListPair* m_menuPair = nullptr;   // the list the menu was opened on
    FileListPair* m_editedPair = nullptr; // the list the editor is open over
    bool m_open = false;
    int m_editedRow = 0;
};
