#pragma once

#include <QObject>

struct EditorState;
class FileListPair;
class QAction;
class QLineEdit;
class QMenu;
class QWidget;

// The context menu `PopupMenuFiles` shared by the three destination lists, and the floating
// priority editor `FilePriorityEdit` its "Edit priority" opens over a row's priority cell.
// The editor is a child of the window, not of any list; it remembers the row in the editor
// state's iEditedRow (-1 once cancelled) and the file list the row belongs to.
class FilePriorityEditor : public QObject {
    Q_OBJECT

public:
    FilePriorityEditor(EditorState& state, QWidget* window);

    // The destination list of the pair opens the shared context menu.
    void attach(FileListPair* pair);

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

    EditorState& m_state;
    QWidget* m_window = nullptr;
    QLineEdit* m_edit = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_editPath = nullptr;
    QAction* m_editPriority = nullptr;
    FileListPair* m_menuPair = nullptr;   // the list the menu was opened on
    FileListPair* m_editedPair = nullptr; // the list the editor is open over
    bool m_open = false;
};
