#pragma once

#include <QList>
#include <QObject>

class CCondition;
class GroupsPluginsController;
class QComboBox;
class QPushButton;
class QTableWidget;
class QWidget;
class TMainForm;

// The "Flag set" page: the flags the selected plugin sets when it is chosen. The plugin
// selection fills the list and switches the buttons; the rebuild fills the two combo boxes.
class FlagSetController : public QObject {
    Q_OBJECT

public:
    FlagSetController(TMainForm& form, GroupsPluginsController& groups);

    QWidget* page() const { return m_page; } // FlagSetTabSheet

    // Used by the plugin selection: empty the list, show a plugin's flags, switch the buttons
    // ("Add" follows the plugin selection, "Delete" starts disabled).
    void clearList();
    void appendRows(const QList<CCondition>& flags);
    void setPluginSelected(bool selected);

    void AddVaribleButtonClick();
    void DeleteVaribleButtonClick();
    void FlagSetListViewSelectItem();

private:
    TMainForm& m_form;
    GroupsPluginsController& m_groups;
    QWidget* m_page = nullptr;
    QComboBox* m_nameComboBox = nullptr;
    QComboBox* m_valueComboBox = nullptr;
    QTableWidget* m_listView = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};
