#pragma once

#include "editor/PluginAccess.h"

#include <QList>
#include <QObject>

class CCondition;
class Document;
struct OfferedNames;
class QComboBox;
class QPushButton;
class QTableWidget;
class QWidget;

// The "Flag set" page: the flags the selected plugin sets when it is chosen. The plugin
// selection fills the list and switches the buttons; the rebuild fills the two combo boxes.
class FlagSetController : public QObject {
    Q_OBJECT

public:
    // Each change of the plugin's flags is announced to the document.
    FlagSetController(Document& document, PluginAccess selectedPlugin, QObject* parent);

    QWidget* page() const { return m_page; } // FlagSetTabSheet

    // Used by the plugin selection: empty the list, show a plugin's flags, switch the buttons
    // ("Add" follows the plugin selection, "Delete" starts disabled).
    void clearList();
    void appendRows(const QList<CCondition>& flags);
    void setPluginSelected(bool selected);

    // Used by the rebuild: empty the list, then offer the flag names and values in both boxes
    // with no text chosen.
    void clearForRebuild();
    void offerNames(const OfferedNames& offered);

    void AddVaribleButtonClick();
    void DeleteVaribleButtonClick();

private slots:
    void FlagSetListViewSelectItem();

private:
    Document& m_document;
    PluginAccess m_selectedPlugin;
    QWidget* m_page = nullptr;
    QComboBox* m_nameComboBox = nullptr;
    QComboBox* m_valueComboBox = nullptr;
    QTableWidget* m_listView = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};
