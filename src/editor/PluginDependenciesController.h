#pragma once

#include "editor/PluginAccess.h"

#include <QObject>

class CDependencyPattern;
class Document;
struct OfferedNames;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTableWidget;
class QWidget;

// The "Plugin dependencies" page: the selected plugin's default type and its type patterns,
// each a set of file and flag dependencies joined by one operator.
class PluginDependenciesController : public QObject {
    Q_OBJECT

public:
    // Each change of the plugin's type and patterns is announced to the document.
    PluginDependenciesController(Document& document, PluginAccess selectedPlugin, QObject* parent);

    QWidget* page() const { return m_page; } // PluginDependenciesTabSheet

    // Prepares the page for the plugin selection: empties it, then (with a plugin selected)
    // shows the plugin's type and one tab per pattern and refreshes.
    void showSelectedPlugin();

    // Used by the rebuild: offer the names (flag names, then pattern dependency names) and
    // values in the dependency name and value boxes, with no text chosen.
    void offerNames(const OfferedNames& offered);

    // The pattern shown (-1 for none), and showing one of the patterns.
    int currentPatternIndex() const;
    void showPattern(int index);

signals:
    // The pattern shown changed.
    void viewChanged();

private slots:
    // Refresh: lists the current pattern's dependencies and switches the controls.
    void pdPatternsPageControlChange();

    void pdDefTypeComboBoxChange();
    void pdOperatorComboBoxChange();
    void pdTypeNameComboBoxChange();
    void pdDependencyTypeComboBoxChange();
    void pdNewPatternButtonClick();
    void pdDeletePatternButtonClick();
    void pdAddButtonClick();
    void pdDeleteButtonClick();
    void PluginDependenciesListViewSelectItem();

private:
    CDependencyPattern* currentPattern() const;

    Document& m_document;
    PluginAccess m_selectedPlugin;
    QWidget* m_page = nullptr;
    QComboBox* m_defTypeComboBox = nullptr;
    QTabBar* m_patternsPageControl = nullptr;
    QComboBox* m_operatorComboBox = nullptr;
    QComboBox* m_typeNameComboBox = nullptr;
    QPushButton* m_newPatternButton = nullptr;
    QPushButton* m_deletePatternButton = nullptr;
    QComboBox* m_dependencyTypeComboBox = nullptr;
    QComboBox* m_fileFlagNameComboBox = nullptr;
    QComboBox* m_stateValueComboBox = nullptr;
    QLabel* m_valueLabel = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QTableWidget* m_listView = nullptr;
    bool m_showing = false;
};
