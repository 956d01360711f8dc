#pragma once

#include "settings/Settings.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class CheckCommand;
class CheckDock;
class ConditionalInstallsController;
class Document;
class DocumentCommands;
class FilePriorityEditor;
class RequiredInstallsController;
class GroupsPluginsController;
class ModInfoPage;
class NotKeptBar;
class PlaceNavigator;
class SaveCommand;
class StepsController;

struct EditName;
struct ViewState;

// The program's one editing window: the composition root and the menu. It makes the document,
// the pages (each a controller that builds its own widgets and is handed the document or what
// it needs) and the docks, and wires them once: the pages follow the document's replaced()
// and reshaped(), the history and the check its changed(). Every component carries its name
// as its objectName, which the language files and the tests use.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // programDir holds config.ini and the save scripts.
    explicit TMainForm(const QString& programDir = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    // A component of the window by its name (nullptr when there is none), for tests.
    template <class T> T* component(const QString& name) const { return findChild<T*>(name); }

    Document& document() const { return *m_document; }
    const QString& programDir() const { return m_programDir; }

    // The rebuild of the steps view, as a step tab's choice runs it.
    void StepsTabControlChange();

    StepsController* steps() const { return m_steps; }
    GroupsPluginsController* groupsPlugins() const { return m_groupsPlugins; }
    DocumentCommands* documentCommands() const { return m_documents; }
    SaveCommand* saveCommand() const { return m_save; }
    FilePriorityEditor* filePriority() const { return m_filePriority; }

    // Every page but "Mod info" shows the project afresh, the rebuild included.
    void showProjectPages();

    // The editing stage (editing pages and Save/Merge enabled, the workspace fixed, the Steps
    // page active) or the workspace stage (the reverse, the Mod info page active).
    void setEditingEnabled(bool editing);

    // Before the project is dropped: true when it may go (no unsaved changes, or the user chose
    // Discard, or Save wrote it), false to keep it.
    bool mayDropProject();

    // "Open folder" and "Open file" are shown unless the settings hide them.
    void applyMenuVisibility(const SSettings& settings);
    // The Recent submenu shows the program's recent-files list afresh.
    void showRecentFiles();

    // The menu entries that open the dialogs; the program connects them to the dialogs.
    QAction* settingsMenu() const { return m_settingsMenu; }
    QAction* runBeforeSaveMenu() const { return m_runBeforeSaveMenu; }
    QAction* runAfterSaveMenu() const { return m_runAfterSaveMenu; }
    // Preview runs the install wizard on the open project; the program connects it to the
    // preview dialog.
    QAction* previewMenu() const { return m_previewMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void ExitMenuClick();
    void UndoMenuClick();
    void RedoMenuClick();

private:
    // A new project came in (New, an opening command): every page shows it, and the window
    // takes the stage it calls for (editing after an opening, the workspace after New).
    void showProject();
    // The project changed as a whole (a merge, undo, redo): every page shows it afresh.
    void showReshapedProject();
    // Proceed: the first step, and the editing stage.
    void proceed(const EditName& name);
    ViewState viewState() const;
    void showViewState(const ViewState& view);
    void updateHistoryState();
    void buildMenu();
    void buildFloatingControls();
    void connectHandlers();

    QString m_programDir;
    Document* m_document = nullptr;
    ModInfoPage* m_modInfo = nullptr;
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
    QAction* m_newMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentTemplate = nullptr;
    QAction* m_exitMenu = nullptr;
    QAction* m_undoMenu = nullptr;
    QAction* m_redoMenu = nullptr;
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
