#pragma once

#include "model/Fomod.h"
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
class StepsController;
class GroupsPluginsController;

// The program's one editing window. It owns the open project and the window state; each page
// or panel beyond "Mod info" and "Help" is a controller that builds its own widgets and reaches
// the project and the state through this form. Every component carries its name as its
// objectName, which the language files and the tests use.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The open project and the window state.
    CFOMOD project;
    QString sRootDir;
    QString sProgramDir;
    qint32 iStepCount = 0;
    qint32 iCurrentStep = 0;
    qint32 iEditedRow = 0;

    // A component of the window by its name (nullptr when there is none).
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

    // Shows a picture in the header preview; a null picture leaves the preview as it was.
    void showHeaderPreview(const QString& nativePath);

    // The memo's whole text with its lines separated by CR LF, as the descriptions hold it.
    static QString memoText(const QPlainTextEdit* memo);

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
