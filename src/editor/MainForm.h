#pragma once

#include "editor/EditorState.h"
#include "settings/Settings.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class ConditionalInstallsController;
class FilePriorityEditor;
class RequiredInstallsController;
class GroupsPluginsController;
class StepsController;

// The program's one editing window. It is the open project and the window state (EditorState);
// each page or panel beyond "Mod info" and "Help" is a controller that builds its own widgets
// and is handed that state and the controllers it talks to. Every component carries its name
// as its objectName, which the language files and the tests use.
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

    // "Open folder" and "Open file" are shown unless the settings hide them.
    void applyMenuVisibility(const SSettings& settings);

    // Refills the Recent submenu: one item per entry, front first, above the template line.
    // The window installs this as the recent-files list's menu rebuild while it exists.
    void rebuildRecentMenu(const QStringList& entries);

    // The menu entries that open the dialogs; the program connects them to the dialogs.
    QAction* settingsMenu() const { return m_settingsMenu; }
    QAction* runBeforeSaveMenu() const { return m_runBeforeSaveMenu; }
    QAction* runAfterSaveMenu() const { return m_runAfterSaveMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
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
    QAction* m_exitMenu = nullptr;
    QAction* m_openMenu = nullptr;
    QAction* m_openFileMenu = nullptr;
    QAction* m_settingsMenu = nullptr;
    QAction* m_runBeforeSaveMenu = nullptr;
    QAction* m_runAfterSaveMenu = nullptr;
    QAction* m_saveMenu = nullptr;
    QAction* m_mergeMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentTemplate = nullptr;
    QTimer* m_showConfirmationTimer = nullptr;
};
