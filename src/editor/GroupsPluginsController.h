#pragma once

#include <QObject>

class CFile;
class CPlugin;
class CPluginGroup;
class CStep;
class Document;
struct OfferedNames;
class FileListPair;
class FlagSetController;
class PluginDetailsController;
class PluginDependenciesController;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTabWidget;

// The group and plugin editor of the "Groups and Files" page: the group and plugin lists with
// their commands and the floating group type box. The selected plugin's details, its flags
// and its type patterns are controllers of their own, handed the selected plugin; this one
// places them (the "Flag set" and "Plugin dependencies" pages beside the lists, the details
// below them) and tells them when the selection changes. It builds its boxes unplaced; the
// steps page puts them into its scroll box. Dialogs and the floating type box belong to the
// window it is handed; every change of the project is announced to the document.
class GroupsPluginsController : public QObject {
    Q_OBJECT

public:
    // replaceLineBreaks is the setting the plugin description is stored by.
    GroupsPluginsController(Document& document, const bool& replaceLineBreaks, QWidget* window);
    ~GroupsPluginsController() override;

    QGroupBox* groupsGroupBox() const { return m_groupsBox; }
    QGroupBox* filesGroupBox() const;
    FlagSetController* flagSet() const { return m_flagSet; }
    PluginDependenciesController* pluginDependencies() const { return m_dependencies; }
    PluginDetailsController* pluginDetails() const { return m_details; }
    FileListPair* pluginFiles() const;

    // Used by the rebuild: end an edit of the group type, empty every list and detail of the
    // page, offer the names and values to the flag and dependency pages, and show the current
    // step's groups with the first one selected.
    void clearForRebuild();
    void offerNames(const OfferedNames& offered);
    void showStepGroups();

    // The current selection, resolved against the project; nullptr (or -1) when the part is
    // missing. The pointers stay valid until the project's sequences change.
    CStep* currentStep() const;
    int selectedGroupRow() const;
    int selectedPluginRow() const;
    CPluginGroup* selectedGroup() const;
    CPlugin* selectedPlugin() const;

    // Selects a group and a plugin of the current step, as clicks on their rows would.
    void selectGroupAndPlugin(int group, int plugin);

    // The floating group type box: Escape cancels, Enter and focus loss store its text.
    void EditGroupTypeComboBoxExit();
    // The group row the type box was opened on; -1 once cancelled.
    int editedTypeRow() const { return m_typeBoxRow; }

signals:
    // The whole steps view must be refilled from the project (a group moved).
    void rebuildRequested();
    // The group or plugin selected changed.
    void viewChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Selection handlers: each reads the present selection and rebuilds its part of the view.
    void GroupListViewSelectItem();
    void PluginListViewSelectItem();

    // Group commands.
    void AddGroupButtonClick();
    void RemoveGroupButtonClick();
    void GroupUpButtonClick();
    void GroupDownButtonClick();
    void GroupListViewEdited(QTableWidgetItem* item);

    // Plugin commands.
    void AddPluginButtonClick();
    void RemovePluginButtonClick();
    void PluginUpButtonClick();
    void PluginDownButtonClick();
    void PluginListViewEdited(QTableWidgetItem* item);

    // Context menus of the two lists.
    void PopupMenuPopup();
    void PopupMenu2Popup();
    void EditListElementCMenuClick();
    void EditListElementCMenu2Click();
    void EditGroupTypeCMenu2Click();

    bool EditGroupTypeComboBoxKeyPress(int key);

private:
    void buildGroupsBox();
    void buildTypeBox();
    void connectHandlers();
    QWidget* buildGroupPluginPanel();
    void moveGroup(int offset, QPushButton* button);
    void movePlugin(int offset, QPushButton* button);
    void clearPluginDetails();

    Document& m_state;
    QWidget* m_window = nullptr;
    QGroupBox* m_groupsBox = nullptr;
    FlagSetController* m_flagSet = nullptr;
    PluginDependenciesController* m_dependencies = nullptr;
    PluginDetailsController* m_details = nullptr;

    QLineEdit* m_groupNameEdit = nullptr;
    QComboBox* m_groupTypeComboBox = nullptr;
    QPushButton* m_addGroupButton = nullptr;
    QPushButton* m_removeGroupButton = nullptr;
    QPushButton* m_groupUpButton = nullptr;
    QPushButton* m_groupDownButton = nullptr;
    QTableWidget* m_groupListView = nullptr;
    QLineEdit* m_pluginNameEdit = nullptr;
    QPushButton* m_addPluginButton = nullptr;
    QPushButton* m_removePluginButton = nullptr;
    QPushButton* m_pluginUpButton = nullptr;
    QPushButton* m_pluginDownButton = nullptr;
    QTableWidget* m_pluginListView = nullptr;
    QTabWidget* m_pageControl2 = nullptr;
    QMenu* m_popupMenu = nullptr;
    QMenu* m_popupMenu2 = nullptr;
    QAction* m_editListElementCMenu = nullptr;
    QAction* m_editListElementCMenu2 = nullptr;
    QAction* m_editGroupTypeCMenu2 = nullptr;
    QComboBox* m_editGroupTypeComboBox = nullptr;
    bool m_typeBoxOpen = false;
    int m_typeBoxStep = -1; // the step whose group list the type box was opened over
    int m_typeBoxRow = 0;
};
