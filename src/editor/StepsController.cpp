#include "editor/StepsController.h"

#include "editor/ConditionRow.h"
#include "editor/ConditionalInstallsController.h"
#include "editor/Document.h"
#include "editor/GroupsPluginsController.h"
#include "editor/OfferedNames.h"
#include "model/Vocabulary.h"
#include "settings/LanguageTable.h"
#include "ui/ComboBoxes.h"
#include "ui/Components.h"
#include "ui/ElidedTabBar.h"
#include "ui/KeyConventions.h"
#include "ui/ReportListView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

StepsController::StepsController(Document& state, GroupsPluginsController& groups,
                                 ConditionalInstallsController& conditional, QObject* parent)
    : QObject(parent), m_state(state), m_groups(groups), m_conditional(conditional) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("StepsTabSheet"));

    m_stepsTabs = new ElidedTabBar(m_page);
    m_stepsTabs->setObjectName(QStringLiteral("StepsTabControl"));
    m_stepsTabs->setExpanding(false);
    m_stepsTabs->setUsesScrollButtons(true);
    // Choosing a step takes the focus, so an edit in progress in a list ends (and is kept)
    // before the rebuild refills the lists.
    m_stepsTabs->setFocusPolicy(Qt::StrongFocus);
    m_stepsTabs->setFixedHeight(27);

    m_stepsPages = new QTabWidget(m_page);
    m_stepsPages->setObjectName(QStringLiteral("StepsPageControl"));
    m_stepsPages->addTab(buildGroupsAndFilesPage(), QStringLiteral("Groups and Files"));
    m_stepsPages->addTab(buildConditionsPage(), QStringLiteral("Conditions"));
    m_stepsPages->setCurrentIndex(0);
    m_stepsPages->setEnabled(false);

    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(0);
    layout->addWidget(m_stepsTabs);
    layout->addWidget(m_stepsPages, 1);
    layout->addWidget(buildBottomBar());

    connectHandlers();
}

QWidget* StepsController::buildGroupsAndFilesPage() {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("GroupsFileTabSheet"));

    auto* scroll = new QScrollArea(sheet);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* content = new QWidget;
    auto* stepSettings = new QGroupBox(QStringLiteral("Step settings"), content);
    stepSettings->setObjectName(QStringLiteral("StepSettingsGroupBox"));
    stepSettings->setFixedHeight(49);
    auto* stepNameLabel = Components::label(QStringLiteral("StepNameLabel"),
                                            QStringLiteral("Step name"), stepSettings);
    m_stepName = Components::edit(QStringLiteral("StepNameEdit"), stepSettings);
    m_stepName->setMinimumWidth(240);
    stepNameLabel->setBuddy(m_stepName);
    auto* stepRow = new QHBoxLayout(stepSettings);
    stepRow->setContentsMargins(8, 2, 8, 4);
    stepRow->addWidget(stepNameLabel);
    stepRow->addWidget(m_stepName, 1);
    stepRow->addStretch(1);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addWidget(stepSettings);
    // The groups box takes about 0.715 of the scroll box's height and the plugin's files what
    // the step settings leave; with those settings' fixed height these weights give that share
    // at the usual window heights.
    column->addWidget(m_groups.groupsGroupBox(), 775);
    column->addWidget(m_groups.filesGroupBox(), 225);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return sheet;
}

QWidget* StepsController::buildConditionsPage() {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("ConditionsTabSheet"));

    auto* scroll = new QScrollArea(sheet);
    scroll->setObjectName(QStringLiteral("ScrollBox"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* content = new QWidget;
    auto* box = new QGroupBox(QStringLiteral("Condition set"), content);
    box->setObjectName(QStringLiteral("ConditionSetGroupBox"));

    m_visibilityType = Components::comboBox(QStringLiteral("VisibilityTypeComboBox"),
                                            Vocabulary::dependencyTypes(), false, true, box);
    m_visibilityType->setInsertPolicy(QComboBox::NoInsert);
    m_visibilityType->setCurrentIndex(1);
    m_conditionName =
        Components::comboBox(QStringLiteral("ConditionComboBox"), {}, true, true, box);
    m_conditionName->setMinimumWidth(120);
    m_conditionName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_conditionValue = Components::comboBox(QStringLiteral("ConditionValueComboBox"),
                                            Vocabulary::offeredValuesStart(), true, true, box);
    m_conditionValue->setEditText(QStringLiteral("On"));
    m_conditionValue->setMinimumWidth(80);
    m_visOperator = Components::comboBox(QStringLiteral("visOperatorComboBox"),
                                         Vocabulary::operators(), true, true, box);
    m_visOperator->setCurrentIndex(0);
    m_visOperator->setMinimumWidth(60);
    m_equalsLabel = Components::label(QStringLiteral("equalsLabel"), QStringLiteral("equals"), box);
    auto* typeLabel = Components::label(QStringLiteral("typeLabel"), QStringLiteral("type"), box);
    typeLabel->setBuddy(m_visibilityType);
    auto* operatorLabel =
        Components::label(QStringLiteral("visOperatorLabel"), QStringLiteral("Operator"), box);
    operatorLabel->setBuddy(m_visOperator);
    m_addCondition =
        Components::button(QStringLiteral("AddConditionButton"), QStringLiteral("Add"), true, box);
    m_deleteCondition = Components::button(QStringLiteral("DeleteConditionButton"),
                                           QStringLiteral("Delete"), false, box);

    auto* sentence = new QHBoxLayout;
    sentence->setSpacing(6);
    sentence->addWidget(Components::label(QStringLiteral("IfLabel"), QStringLiteral("if"), box));
    sentence->addWidget(typeLabel);
    sentence->addWidget(m_visibilityType);
    sentence->addWidget(m_conditionName, 1);
    sentence->addWidget(m_equalsLabel);
    sentence->addWidget(m_conditionValue);
    sentence->addSpacing(8);
    sentence->addWidget(operatorLabel);
    sentence->addWidget(m_visOperator);
    sentence->addSpacing(8);
    sentence->addWidget(m_addCondition);
    sentence->addWidget(m_deleteCondition);

    m_conditionList = ReportListView::create(QStringLiteral("ConditionListView"),
                                             {{QStringLiteral("type"), 50},
                                              {QStringLiteral("File/Flag name"), 0},
                                              {QString(), 50},
                                              {QStringLiteral("Value"), 50},
                                              {QString(), 50}},
                                             false, box);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(8, 8, 8, 8);
    boxLayout->setSpacing(8);
    boxLayout->addLayout(sentence);
    boxLayout->addWidget(m_conditionList, 1);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(4, 4, 4, 4);
    contentLayout->addWidget(box);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return sheet;
}

QWidget* StepsController::buildBottomBar() {
    auto* bar = new QWidget(m_page);
    bar->setObjectName(QStringLiteral("StepsButtonsPanel"));
    bar->setFixedHeight(41);
    m_moveLeft = Components::button(QStringLiteral("MoveLeftButton"), QStringLiteral("Move left"),
                                    false, bar);
    m_moveRight = Components::button(QStringLiteral("MoveRightButton"),
                                     QStringLiteral("Move right"), false, bar);
    m_deleteStep = Components::button(QStringLiteral("DeleteStepButton"),
                                      QStringLiteral("Delete step"), false, bar);
    m_newStep =
        Components::button(QStringLiteral("NewStepButton"), QStringLiteral("New step"), true, bar);

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 6, 4, 6);
    row->addStretch(1);
    for (QPushButton* button : {m_moveLeft, m_moveRight, m_deleteStep, m_newStep})
        row->addWidget(button);
    return bar;
}

void StepsController::connectHandlers() {
    connect(m_stepsTabs, &QTabBar::currentChanged, this, &StepsController::StepsTabControlChange);
    connect(m_stepsPages, &QTabWidget::currentChanged, this, &StepsController::viewChanged);
    connect(m_stepName, &QLineEdit::textChanged, this, &StepsController::StepNameEditChange);
    connect(m_newStep, &QPushButton::clicked, this, &StepsController::NewStepButtonClick);
    connect(m_deleteStep, &QPushButton::clicked, this, &StepsController::DeleteStepButtonClick);
    connect(m_moveLeft, &QPushButton::clicked, this, &StepsController::MoveLeftButtonClick);
    connect(m_moveRight, &QPushButton::clicked, this, &StepsController::MoveRightButtonClick);
    connect(m_addCondition, &QPushButton::clicked, this, &StepsController::AddConditionButtonClick);
    connect(m_deleteCondition, &QPushButton::clicked, this,
            &StepsController::DeleteConditionButtonClick);
    connect(m_conditionList, &QTableWidget::itemSelectionChanged, this,
            &StepsController::ConditionListViewSelectItem);
    connect(m_visOperator, &QComboBox::editTextChanged, this,
            &StepsController::visOperatorComboBoxChange);
    // Chosen from its list, the operator is changed rather than typed.
    connect(m_visOperator, &QComboBox::activated, this,
            [this] { m_state.edited(EditName::choice(m_visOperator)); });
    connect(m_visibilityType, &QComboBox::currentIndexChanged, this,
            &StepsController::VisibilityTypeComboBoxChange);

    KeyConventions::deleteRuns(m_conditionList, m_deleteCondition);
    for (QComboBox* field : {m_conditionName, m_conditionValue})
        KeyConventions::enterRuns(field, m_addCondition);
    for (QPushButton* button : {m_moveLeft, m_moveRight, m_deleteStep})
        KeyConventions::focusReturnsTo(button, m_stepsTabs);
    KeyConventions::focusReturnsTo(m_deleteCondition, m_conditionList);
}

QString StepsController::tabCaption(const QString& stepName) {
    return stepName.isEmpty() ? QStringLiteral("[No name!]") : stepName;
}

bool StepsController::hasCurrentStep() const {
    return m_state.currentStep() != nullptr;
}

void StepsController::appendStepTab(const QString& stepName) {
    const QSignalBlocker block(m_stepsTabs);
    m_stepsTabs->addTab(tabCaption(stepName));
}

int StepsController::stepsPageIndex() const {
    return m_stepsPages->currentIndex();
}

void StepsController::showStepAt(int step, int stepsPage) {
    {
        const QSignalBlocker block(m_stepsTabs);
        if (step >= 0 && step < m_stepsTabs->count())
            m_stepsTabs->setCurrentIndex(step);
    }
    m_stepsPages->setCurrentIndex(stepsPage);
}

void StepsController::showStepTabs(const QStringList& stepNames) {
    removeAllStepTabs();
    const QSignalBlocker block(m_stepsTabs);
    // A shown strip lays out all its tabs at every insertion; hidden, once when shown again.
    const bool shown = m_stepsTabs->isVisible();
    if (shown)
        m_stepsTabs->hide();
    for (const QString& name : stepNames)
        m_stepsTabs->addTab(tabCaption(name));
    if (shown)
        m_stepsTabs->show();
}

void StepsController::removeAllStepTabs() {
    const QSignalBlocker block(m_stepsTabs);
    while (m_stepsTabs->count() > 0)
        m_stepsTabs->removeTab(m_stepsTabs->count() - 1);
}

void StepsController::clearStepName() {
    m_stepName->clear();
}

void StepsController::StepsTabControlChange() {
    rebuild();
}

void StepsController::rebuild() {
    Document& st = m_state;

    // Empty every list of the steps view; the name and value boxes are refilled below.
    m_groups.clearForRebuild();
    {
        const QSignalBlocker block(m_conditionList);
        m_conditionList->setRowCount(0);
    }

    st.iCurrentStep = m_stepsTabs->count() > 0 ? m_stepsTabs->currentIndex() : -1;
    if (hasCurrentStep()) {
        const QString& stepName = st.project.vSteps.at(st.iCurrentStep).sName;
        m_stepName->setText(stepName);
        // An unchanged text runs no change handler; the tab still has to show the name.
        m_stepsTabs->setTabText(st.iCurrentStep, tabCaption(stepName));
    }

    // Each control is switched once, to its final state: disabling one that has the focus, even
    // for a moment, would send the focus elsewhere (the page's fields while typing an operator,
    // the step buttons to their neighbour).
    const bool hasSteps = !st.project.vSteps.isEmpty();
    m_deleteStep->setEnabled(hasSteps);
    m_stepsPages->setEnabled(hasSteps);

    // The condition name box shows the first flag name; pattern names follow the flag names
    // unchecked, so a text may appear twice. The value box shows "On".
    const OfferedNames& offered = m_offeredNames.of(st.project);
    ComboBoxes::offer(m_conditionName, offered.names + offered.patternNames,
                      offered.names.isEmpty() ? -1 : 0);
    ComboBoxes::offer(m_conditionValue, offered.values, 0);
    m_groups.offerNames(offered);
    m_conditional.offerNames(offered);

    // The current step's conditions, operator and groups.
    if (const CStep* step = st.currentStep()) {
        for (const CDependency& dependency : step->vVisibility)
            addConditionRow(dependency.sType, ConditionRow::nameText(dependency), dependency.sValue,
                            step->sOperator);
        if (m_visOperator->currentText() != step->sOperator) {
            const QSignalBlocker block(m_visOperator);
            m_visOperator->setEditText(step->sOperator);
        }
    }
    m_groups.showStepGroups();

    m_moveLeft->setEnabled(st.iCurrentStep > 0);
    m_moveRight->setEnabled(st.iCurrentStep >= 0 && st.iCurrentStep < st.iStepCount() - 1);
    emit viewChanged();
}

void StepsController::addConditionRow(const QString& type, const QString& name,
                                      const QString& value, const QString& stepOperator) {
    const QSignalBlocker block(m_conditionList);
    ReportListView::appendRow(m_conditionList,
                              {type, name, QStringLiteral("=="), value, stepOperator});
}

void StepsController::StepNameEditChange() {
    Document& f = m_state;
    if (f.project.vSteps.isEmpty() || !hasCurrentStep())
        return; // no step, or the strip and the project are being changed together
    const QString text = m_stepName->text();
    f.project.vSteps[f.iCurrentStep].sName = text;
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(text));
    f.edited(EditName::typing(m_stepName));
}

void StepsController::NewStepButtonClick() {
    Document& f = m_state;
    const QString name = QStringLiteral("Step") + QString::number(f.iStepCount() + 1);
    f.project.vSteps.append(CStep(name));
    {
        const QSignalBlocker block(m_stepsTabs);
        const int tab = m_stepsTabs->addTab(name);
        m_stepsTabs->setCurrentIndex(tab);
    }
    rebuild();
    f.edited(EditName::command(m_newStep));
}

void StepsController::DeleteStepButtonClick() {
    Document& f = m_state;
    if (!hasCurrentStep())
        return;
    const int removed = f.iCurrentStep;
    f.project.vSteps.removeAt(removed);
    {
        const QSignalBlocker block(m_stepsTabs);
        m_stepsTabs->removeTab(removed);
        // The following tab takes over; after the last one the first.
        if (m_stepsTabs->count() > 0)
            m_stepsTabs->setCurrentIndex(removed < m_stepsTabs->count() ? removed : 0);
    }
    rebuild();
    if (m_stepsTabs->count() == 0)
        m_stepName->clear();
    f.edited(EditName::command(m_deleteStep));
    // A second Space must not delete the next step as well: the focus goes to the steps.
    if (m_deleteStep->hasFocus())
        m_stepsTabs->setFocus(Qt::OtherFocusReason);
}

void StepsController::MoveLeftButtonClick() {
    moveStep(-1, m_moveLeft);
}

void StepsController::MoveRightButtonClick() {
    moveStep(+1, m_moveRight);
}

// The view keeps showing the moved step, so nothing is rebuilt; the two tabs take the names
// now stored at their positions, as plain names.
void StepsController::moveStep(int offset, QPushButton* button) {
    Document& st = m_state;
    const int target = st.iCurrentStep + offset;
    if (!hasCurrentStep() || target < 0 || target >= st.project.vSteps.size())
        return;
    st.project.vSteps.swapItemsAt(st.iCurrentStep, target);
    const QSignalBlocker block(m_stepsTabs);
    m_stepsTabs->setTabText(st.iCurrentStep,
                            tabCaption(st.project.vSteps.at(st.iCurrentStep).sName));
    st.iCurrentStep = target;
    m_stepsTabs->setTabText(st.iCurrentStep,
                            tabCaption(st.project.vSteps.at(st.iCurrentStep).sName));
    m_stepsTabs->setCurrentIndex(st.iCurrentStep);
    // Arrived at the end it moved towards, that button is done; the other one now has a way.
    QPushButton* towards = offset < 0 ? m_moveLeft : m_moveRight;
    QPushButton* away = offset < 0 ? m_moveRight : m_moveLeft;
    if (st.iCurrentStep == (offset < 0 ? 0 : st.iStepCount() - 1))
        towards->setEnabled(false);
    away->setEnabled(true);
    st.edited(EditName::command(button));
}

void StepsController::AddConditionButtonClick() {
    Document& f = m_state;
    // The name must be one of the offered entries; a typed text that is none of them is no
    // choice.
    const int entry = m_conditionName->findText(m_conditionName->currentText(),
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (m_conditionName->count() == 0 || m_conditionName->currentIndex() < 0 || entry < 0 ||
        !hasCurrentStep())
        return;
    CStep& step = f.project.vSteps[f.iCurrentStep];
    CDependency dependency;
    dependency.sType = m_visibilityType->currentText();
    dependency.sName = m_conditionName->currentText();
    dependency.sValue = m_conditionValue->currentText();
    step.vVisibility.append(dependency);
    // The row shows the step's operator at once, as every later rebuild does.
    addConditionRow(dependency.sType, dependency.sName, dependency.sValue, step.sOperator);
    f.edited(EditName::command(m_addCondition));
}

void StepsController::DeleteConditionButtonClick() {
    Document& f = m_state;
    if (!hasCurrentStep())
        return;
    CStep& step = f.project.vSteps[f.iCurrentStep];
    const int row = ReportListView::selectedRow(m_conditionList);
    if (step.vVisibility.isEmpty() || row < 0 || row >= step.vVisibility.size())
        return;
    step.vVisibility.removeAt(row);
    m_conditionList->removeRow(row);
    f.edited(EditName::command(m_deleteCondition));
}

void StepsController::ConditionListViewSelectItem() {
    m_deleteCondition->setEnabled(ReportListView::selectedRow(m_conditionList) >= 0);
}

void StepsController::visOperatorComboBoxChange() {
    Document& f = m_state;
    if (!hasCurrentStep())
        return;
    f.project.vSteps[f.iCurrentStep].sOperator = m_visOperator->currentText();
    // The rebuild refills the name and value boxes; what the user has typed there for the next
    // condition stays, so Add adds what is shown.
    const QString name = m_conditionName->currentText();
    const QString value = m_conditionValue->currentText();
    rebuild();
    ComboBoxes::setText(m_conditionName, name);
    ComboBoxes::setText(m_conditionValue, value);
    f.edited(EditName::typing(m_visOperator));
}

void StepsController::VisibilityTypeComboBoxChange() {
    m_equalsLabel->setText(
        Language::lookup(m_equalsLabel->objectName() + m_visibilityType->currentText()));
}
