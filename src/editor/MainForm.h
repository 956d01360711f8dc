#pragma once

#include "editor/EditorState.h"
#include "settings/Settings.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class CheckCommand;
class CheckDock;
class ConditionalInstallsController;
class DocumentCommands;
class FilePriorityEditor;
class RequiredInstallsController;
class GroupsPluginsController;
class NotKeptBar;
class PlaceNavigator;
class SaveCommand;
class StepsController;

// The program's one editing window. It is the open project and the window state (EditorState);
// each page or panel beyond "Mod info" and "Help" is a controller that builds its own widgets
// and is handed that state and the controllers it talks to. Every component carries its name
// as its objectName, which the language files and the tests use.
struct EditorSnapshot;
class UndoHistory;

class TMainForm : public QMainWindow, public EditorState {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // A component of the window by its name (nullptr when there is none), for tests.
    template <class T> T* component(const QString& name) const { return findChild<T*>(name); }

    // The rebuild: refills the whole steps view from the project.
    void StepsTabControlChange();

    StepsController* steps() const { return m_steps; }
    GroupsPluginsController* groupsPlugins() const { return m_groupsPlugins; }
    DocumentCommands* documentCommands() const { return m_documents; }
    SaveCommand* saveCommand() const { return m_save; }

    // Puts the project's information into the "Mod info" fields and its header image into the
    // preview (a picture that cannot be loaded leaves the preview empty).
    void showModInfo();
    // Empties the "Mod info" fields, the preview and the root directory.
    void clearModInfo();
    // Takes the root directory of an opened project.
    void setRootDir(const QString& rootDir);
    // The editing stage (editing pages and Save/Merge enabled, the workspace fixed, the Steps
    // page active) or the workspace stage (the reverse, the Mod info page active). The caller
    // runs the rebuild.
    void setEditingEnabled(bool editing);

    // Handlers of the "Mod info" page and the window.
    void ModNameEditChange();
    void ModAuthorEditChange();
    void ModVersionEditChange();
    void ModURLEditChange();
    void ModCategoryEditChange();
    void ModDesccriptionMemoChange();
    void OpenRootDirButtonClick();
    void RootDirEditChange();
    void ProceedButtonClick();
    void ChooseHeaderImageButtonClick();
    void ClearHeaderImageButtonClick();
    void ExitMenuClick();
    // Runs the install wizard on the open project in the preview dialog.
    void PreviewMenuClick();

    // Undo and redo of the window's changes, and whether the project differs from the one
    // last opened or saved (the title then ends in " *").
    UndoHistory* history() const { return m_history; }
    bool hasUnsavedChanges() const;
    // Before the project is dropped: true when it may go (no unsaved changes, or the user chose
    // Discard, or Save wrote it), false to keep it.
    bool mayDropProject();
    void UndoMenuClick();
    void RedoMenuClick();

    // "Open folder" and "Open file" are shown unless the settings hide them.
    void applyMenuVisibility(const SSettings& settings);

    // The menu entries that open the dialogs; the program connects them to the dialogs.
    QAction* settingsMenu() const { return m_settingsMenu; }
    QAction* runBeforeSaveMenu() const { return m_runBeforeSaveMenu; }
    QAction* runAfterSaveMenu() const { return m_runAfterSaveMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    EditorSnapshot snapshot() const;
    void showSnapshot(const EditorSnapshot& shot);
    void markSaved(const CFOMOD& saved);
    void updateHistoryState();
    void buildMenu();
    QWidget* buildModInfoPage();
    QWidget* buildHelpPage();
    void buildFloatingControls();
    void connectHandlers();

    StepsController* m_steps = nullptr;
    GroupsPluginsController* m_groupsPlugins = nullptr;
    RequiredInstallsController* m_required = nullptr;
    ConditionalInstallsController* m_conditional = nullptr;
    FilePriorityEditor* m_filePriority = nullptr;
    DocumentCommands* m_documents = nullptr;
    SaveCommand* m_save = nullptr;
    CheckCommand* m_check = nullptr;
    CheckDock* m_checkDock = nullptr;
    NotKeptBar* m_notKeptBar = nullptr;
    std::unique_ptr<PlaceNavigator> m_navigator;

    QTabWidget* m_pageControl = nullptr;
    QLineEdit* m_modName = nullptr;
    QLineEdit* m_modAuthor = nullptr;
    QLineEdit* m_modVersion = nullptr;
    QLineEdit* m_modURL = nullptr;
    QComboBox* m_modCategory = nullptr;
    QLineEdit* m_headerImageEdit = nullptr;
    QLabel* m_headerImage = nullptr;
    QPlainTextEdit* m_modDescription = nullptr;
    QLineEdit* m_rootDirEdit = nullptr;
    QPushButton* m_openRootDir = nullptr;
    QPushButton* m_proceed = nullptr;
    QPushButton* m_chooseHeaderImage = nullptr;
    QPushButton* m_clearHeaderImage = nullptr;
    QAction* m_newMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentTemplate = nullptr;
    QAction* m_exitMenu = nullptr;
    QAction* m_undoMenu = nullptr;
    QAction* m_redoMenu = nullptr;
    UndoHistory* m_history = nullptr;
    CFOMOD m_savedProject;
    QAction* m_openMenu = nullptr;
    QAction* m_openFileMenu = nullptr;
    QAction* m_settingsMenu = nullptr;
    QAction* m_runBeforeSaveMenu = nullptr;
    QAction* m_runAfterSaveMenu = nullptr;
    QAction* m_saveMenu = nullptr;
    QAction* m_mergeMenu = nullptr;
    QAction* m_previewMenu = nullptr;
    QAction* m_checkMenu = nullptr;
};
