#include "editor/StepsController.h"

#include "ui/Components.h"
#include "editor/GroupsPluginsController.h"
#include "editor/MainForm.h"
#include "ui/ReportListView.h"
#include "settings/LanguageTable.h"

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

namespace {

const QStringList kValueListStart = {QStringLiteral("On"), QStringLiteral("Off"),
                                     QStringLiteral("Active"), QStringLiteral("Inactive"),
                                     QStringLiteral("Missing")};

// Appends text unless the list already holds it (exact comparison).
void addOnce(QStringList& list, const QString& text) {
    if (!list.contains(text))
        list.append(text);
}

void emptyCombo(QComboBox* combo) {
    if (!combo)
        return;
    combo->clear();
    combo->clearEditText();
}

void emptyList(QTableWidget* list) {
    if (list)
        list->setRowCount(0);
}

} // namespace

StepsController::StepsController(TMainForm& form) : QObject(&form), m_form(form) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("StepsTabSheet"));

    m_stepsTabs = new QTabBar(m_page);
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
    column->addWidget(m_form.groupsPlugins()->groupsGroupBox(), 775);
    column->addWidget(m_form.groupsPlugins()->filesGroupBox(), 225);
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

    m_visibilityType =
        Components::comboBox(QStringLiteral("VisibilityTypeComboBox"),
                             {QStringLiteral("file"), QStringLiteral("flag")}, false, true, box);
    m_visibilityType->setInsertPolicy(QComboBox::NoInsert);
    m_visibilityType->setCurrentIndex(1);
    m_conditionName =
        Components::comboBox(QStringLiteral("ConditionComboBox"), {}, true, true, box);
    m_conditionName->setMinimumWidth(120);
    m_conditionName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_conditionValue = Components::comboBox(QStringLiteral("ConditionValueComboBox"),
                                            kValueListStart, true, true, box);
    m_conditionValue->setEditText(QStringLiteral("On"));
    m_conditionValue->setMinimumWidth(80);
    m_visOperator =
        Components::comboBox(QStringLiteral("visOperatorComboBox"),
                             {QStringLiteral("And"), QStringLiteral("Or")}, true, true, box);
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
                                              {QStringLiteral("File/Flag name"), 340},
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
    connect(m_stepsTabs, &QTabBar::currentChanged, this, [this] { StepsTabControlChange(); });
    connect(m_stepName, &QLineEdit::textChanged, this, [this] { StepNameEditChange(); });
    connect(m_newStep, &QPushButton::clicked, this, [this] { NewStepButtonClick(); });
    connect(m_deleteStep, &QPushButton::clicked, this, [this] { DeleteStepButtonClick(); });
    connect(m_moveLeft, &QPushButton::clicked, this, [this] { MoveLeftButtonClick(); });
    connect(m_moveRight, &QPushButton::clicked, this, [this] { MoveRightButtonClick(); });
    connect(m_addCondition, &QPushButton::clicked, this, [this] { AddConditionButtonClick(); });
    connect(m_deleteCondition, &QPushButton::clicked, this,
            [this] { DeleteConditionButtonClick(); });
    connect(m_conditionList, &QTableWidget::itemSelectionChanged, this,
            [this] { ConditionListViewSelectItem(); });
    connect(m_visOperator, &QComboBox::editTextChanged, this,
            [this] { visOperatorComboBoxChange(); });
    connect(m_visibilityType, &QComboBox::currentIndexChanged, this,
            [this] { VisibilityTypeComboBoxChange(); });
}

QString StepsController::tabCaption(const QString& stepName) {
    return stepName.isEmpty() ? QStringLiteral("[No name!]") : stepName;
}

bool StepsController::hasCurrentStep() const {
    return m_form.iCurrentStep >= 0 && m_form.iCurrentStep < m_form.project.vSteps.size();
}

void StepsController::appendStepTab(const QString& stepName) {
    const QSignalBlocker block(m_stepsTabs);
    m_stepsTabs->addTab(tabCaption(stepName));
}

void StepsController::removeAllStepTabs() {
    const QSignalBlocker block(m_stepsTabs);
    while (m_stepsTabs->count() > 0)
        m_stepsTabs->removeTab(m_stepsTabs->count() - 1);
}

void StepsController::StepsTabControlChange() {
    TMainForm& f = m_form;

    // A tab click takes no focus, so an open group type box would float on over another step:
    // end its edit first, for the group it was opened on.
    f.groupsPlugins()->EditGroupTypeComboBoxExit();

    // 1. Empty every list of the steps view and the shared name and value lists.
    {
        const QSignalBlocker block(m_conditionList);
        m_conditionList->setRowCount(0);
    }
    for (const char* name : {"GroupListView", "PluginListView", "FlagSetListView",
                             "SrcFilesListView", "DstFilesListView"}) {
        QTableWidget* list = f.component<QTableWidget>(QLatin1String(name));
        const QSignalBlocker block(list);
        emptyList(list);
    }
    if (auto* memo = f.component<QPlainTextEdit>(QStringLiteral("PluginDescriptionMemo"))) {
        // Emptying runs no change handler: no plugin is selected any more.
        const QSignalBlocker block(memo);
        memo->clear();
    }
    QComboBox* variable = f.component<QComboBox>(QStringLiteral("VaribleComboBox"));
    QComboBox* variableValue = f.component<QComboBox>(QStringLiteral("VaribleValueComboBox"));
    QComboBox* condName = f.component<QComboBox>(QStringLiteral("CondFileDependNameComboBox"));
    QComboBox* condValue = f.component<QComboBox>(QStringLiteral("CondFileDependValueComboBox"));
    QComboBox* pdName = f.component<QComboBox>(QStringLiteral("pdFileFlagNameComboBox"));
    QComboBox* pdValue = f.component<QComboBox>(QStringLiteral("pdStateValueComboBox"));
    for (QComboBox* combo : {m_conditionName, variable, condName, m_conditionValue, condValue,
                             variableValue, pdName, pdValue})
        emptyCombo(combo);
    if (auto* imageEdit = f.component<QLineEdit>(QStringLiteral("PluginImageEdit")))
        imageEdit->clear();
    if (auto* image = f.component<QLabel>(QStringLiteral("PluginImage")))
        image->clear();

    // 2.
    m_moveLeft->setEnabled(false);
    m_moveRight->setEnabled(false);
    m_deleteStep->setEnabled(false);
    m_stepsPages->setEnabled(false);

    // 3. and 4.
    f.iCurrentStep = m_stepsTabs->count() > 0 ? m_stepsTabs->currentIndex() : -1;
    if (hasCurrentStep()) {
        const QString& stepName = f.project.vSteps.at(f.iCurrentStep).sName;
        m_stepName->setText(stepName);
        // An unchanged text runs no change handler; the tab still has to show the name.
        m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(stepName));
    }

    // 5. The lists offered by the condition, flag and dependency editors, from every plugin.
    QStringList names;
    QStringList values = kValueListStart;
    QStringList patternNames;
    for (const CStep& step : f.project.vSteps)
        for (const CPluginGroup& group : step.vGroups)
            for (const CPlugin& plugin : group.vPlugins) {
                for (const CCondition& flag : plugin.vConditionFlags) {
                    addOnce(names, flag.sName);
                    addOnce(values, flag.sValue);
                }
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    for (const CDependency& dependency : pattern.vDependencies)
                        addOnce(patternNames, dependency.sName);
            }

    // 6.
    if (!f.project.vSteps.isEmpty()) {
        m_deleteStep->setEnabled(true);
        m_stepsPages->setEnabled(true);
    }

    // 7. to 10. Pattern names follow the flag names unchecked: a text may appear twice.
    if (!names.isEmpty()) {
        for (QComboBox* combo : {variable, m_conditionName, condName, pdName})
            if (combo)
                combo->addItems(names);
        m_conditionName->setCurrentIndex(0);
    }
    for (QComboBox* combo : {m_conditionValue, variableValue, condValue, pdValue})
        if (combo)
            combo->addItems(values);
    for (QComboBox* combo : {m_conditionName, condName, pdName})
        if (combo)
            combo->addItems(patternNames);
    if (!names.isEmpty() || !patternNames.isEmpty())
        m_conditionName->setCurrentIndex(names.isEmpty() ? -1 : 0);
    m_conditionValue->setCurrentIndex(0);
    for (QComboBox* combo : {variable, variableValue, condName, condValue, pdName, pdValue})
        if (combo)
            combo->setCurrentIndex(-1);

    // 11. The current step's conditions, operator and groups.
    QTableWidget* groupList = f.component<QTableWidget>(QStringLiteral("GroupListView"));
    if (hasCurrentStep()) {
        const CStep& step = f.project.vSteps.at(f.iCurrentStep);
        for (const CDependency& dependency : step.vVisibility)
            addConditionRow(dependency.sType, dependency.sName, dependency.sValue, step.sOperator);
        if (m_visOperator->currentText() != step.sOperator) {
            const QSignalBlocker block(m_visOperator);
            m_visOperator->setEditText(step.sOperator);
        }
        if (!step.vGroups.isEmpty() && groupList) {
            const QSignalBlocker block(groupList);
            for (const CPluginGroup& group : step.vGroups)
                ReportListView::appendRow(groupList, {group.sName, group.sType});
            ReportListView::selectRow(groupList, 0);
        }
    }
    // Also without groups: the group selection then empties and disables the plugin side.
    f.groupsPlugins()->GroupListViewSelectItem();

    // 12.
    m_moveLeft->setEnabled(f.iCurrentStep > 0);
    m_moveRight->setEnabled(f.iCurrentStep >= 0 && f.iCurrentStep < f.iStepCount - 1);
}

void StepsController::addConditionRow(const QString& type, const QString& name,
                                      const QString& value, const QString& stepOperator) {
    const QSignalBlocker block(m_conditionList);
    ReportListView::appendRow(m_conditionList,
                              {type, name, QStringLiteral("=="), value, stepOperator});
}

void StepsController::StepNameEditChange() {
    TMainForm& f = m_form;
    if (f.project.vSteps.isEmpty() || !hasCurrentStep())
        return; // no step, or the strip and the project are being changed together
    const QString text = m_stepName->text();
    f.project.vSteps[f.iCurrentStep].sName = text;
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(text));
}

void StepsController::NewStepButtonClick() {
    TMainForm& f = m_form;
    const QString name = QStringLiteral("Step") + QString::number(f.iStepCount + 1);
    f.project.vSteps.append(CStep(name));
    {
        const QSignalBlocker block(m_stepsTabs);
        const int tab = m_stepsTabs->addTab(name);
        m_stepsTabs->setCurrentIndex(tab);
    }
    StepsTabControlChange();
    f.iStepCount = qint32(f.project.vSteps.size());
}

void StepsController::DeleteStepButtonClick() {
    TMainForm& f = m_form;
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
    f.iStepCount = qint32(f.project.vSteps.size());
    StepsTabControlChange();
    if (m_stepsTabs->count() == 0)
        m_stepName->clear();
}

void StepsController::MoveLeftButtonClick() {
    TMainForm& f = m_form;
    if (!hasCurrentStep() || f.iCurrentStep < 1)
        return;
    f.project.vSteps.swapItemsAt(f.iCurrentStep, f.iCurrentStep - 1);
    const QSignalBlocker block(m_stepsTabs);
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(f.project.vSteps.at(f.iCurrentStep).sName));
    --f.iCurrentStep;
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(f.project.vSteps.at(f.iCurrentStep).sName));
    m_stepsTabs->setCurrentIndex(f.iCurrentStep);
    if (f.iCurrentStep == 0)
        m_moveLeft->setEnabled(false);
    m_moveRight->setEnabled(true);
}

void StepsController::MoveRightButtonClick() {
    TMainForm& f = m_form;
    if (!hasCurrentStep() || f.iCurrentStep + 1 >= f.project.vSteps.size())
        return;
    f.project.vSteps.swapItemsAt(f.iCurrentStep, f.iCurrentStep + 1);
    const QSignalBlocker block(m_stepsTabs);
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(f.project.vSteps.at(f.iCurrentStep).sName));
    ++f.iCurrentStep;
    m_stepsTabs->setTabText(f.iCurrentStep, tabCaption(f.project.vSteps.at(f.iCurrentStep).sName));
    m_stepsTabs->setCurrentIndex(f.iCurrentStep);
    if (f.iCurrentStep == f.iStepCount - 1)
        m_moveRight->setEnabled(false);
    m_moveLeft->setEnabled(true);
}

void StepsController::AddConditionButtonClick() {
    TMainForm& f = m_form;
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
}

void StepsController::DeleteConditionButtonClick() {
    TMainForm& f = m_form;
    if (!hasCurrentStep())
        return;
    CStep& step = f.project.vSteps[f.iCurrentStep];
    const int row = ReportListView::selectedRow(m_conditionList);
    if (step.vVisibility.isEmpty() || row < 0 || row >= step.vVisibility.size())
        return;
    step.vVisibility.removeAt(row);
    m_conditionList->removeRow(row);
}

void StepsController::ConditionListViewSelectItem() {
    m_deleteCondition->setEnabled(ReportListView::selectedRow(m_conditionList) >= 0);
}

void StepsController::visOperatorComboBoxChange() {
    TMainForm& f = m_form;
    if (!hasCurrentStep())
        return;
    f.project.vSteps[f.iCurrentStep].sOperator = m_visOperator->currentText();
    StepsTabControlChange();
}

void StepsController::VisibilityTypeComboBoxChange() {
    m_equalsLabel->setText(
        Language::lookup(m_equalsLabel->objectName() + m_visibilityType->currentText()));
}
