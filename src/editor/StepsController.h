#pragma once

#include "editor/OfferedNames.h"

#include <QObject>
#include <QString>

class ConditionalInstallsController;
class Document;
class GroupsPluginsController;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTableWidget;
class QWidget;

// The "Steps" page: the step tabs, the step commands, the "Conditions" page with the current
// step's visibility conditions, and the rebuild that refreshes every editing view from the
// project. The groups page and the conditional-installations page are refreshed through it.
// Every change of the project is announced to the document.
class StepsController : public QObject {
    Q_OBJECT

public:
    StepsController(Document& document, GroupsPluginsController& groups,
                    ConditionalInstallsController& conditional, QObject* parent);

    // The page widget "StepsTabSheet", to be placed in the main page control.
    QWidget* page() const { return m_page; }

    // The rebuild: empties and refills the steps view and the shared name and value lists.
    void rebuild();

    // Appends a step tab with the caption a step of that name shows, without a rebuild.
    void appendStepTab(const QString& stepName);
    // The chosen page of the step ("Groups and Files" 0, "Conditions" 1).
    int stepsPageIndex() const;
    // Makes a step tab and a page current, without a rebuild.
    void showStepAt(int step, int stepsPage);

    // Replaces every step tab by one per step name, the first one current, without a rebuild.
    void showStepTabs(const QStringList& stepNames);

    // Removes every step tab, without a rebuild.
    void removeAllStepTabs();
    // Empties the step name edit (which renames nothing while there is no step).
    void clearStepName();

    // The caption of a step's tab.
    static QString tabCaption(const QString& stepName);

signals:
    // The step or the step's page shown changed.
    void viewChanged();

private slots:
    // The step tab handler: the rebuild.
    void StepsTabControlChange();
    void StepNameEditChange();
    void NewStepButtonClick();
    void DeleteStepButtonClick();
    void MoveLeftButtonClick();
    void MoveRightButtonClick();
    void AddConditionButtonClick();
    void DeleteConditionButtonClick();
    void ConditionListViewSelectItem();
    void visOperatorComboBoxChange();
    void VisibilityTypeComboBoxChange();

private:
    QWidget* buildGroupsAndFilesPage();
    QWidget* buildConditionsPage();
    QWidget* buildBottomBar();
    void connectHandlers();
    bool hasCurrentStep() const;
    void moveStep(int offset, QPushButton* button);
    void addConditionRow(const QString& type, const QString& name, const QString& value,
                         const QString& stepOperator);

    Document& m_state;
    GroupsPluginsController& m_groups;
    ConditionalInstallsController& m_conditional;
    QWidget* m_page = nullptr;
    QTabBar* m_stepsTabs = nullptr;
    QTabWidget* m_stepsPages = nullptr;
    QLineEdit* m_stepName = nullptr;
    QPushButton* m_moveLeft = nullptr;
    QPushButton* m_moveRight = nullptr;
    QPushButton* m_deleteStep = nullptr;
    QPushButton* m_newStep = nullptr;
    QComboBox* m_visibilityType = nullptr;
    QComboBox* m_conditionName = nullptr;
    QComboBox* m_conditionValue = nullptr;
    QComboBox* m_visOperator = nullptr;
    QLabel* m_equalsLabel = nullptr;
    QPushButton* m_addCondition = nullptr;
    QPushButton* m_deleteCondition = nullptr;
    QTableWidget* m_conditionList = nullptr;
    OfferedNamesCache m_offeredNames;
};
