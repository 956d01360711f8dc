#include "editor/ConditionalInstallsController.h"

#include "editor/ConditionRow.h"
#include "editor/Document.h"
#include "editor/FileListPair.h"
#include "editor/OfferedNames.h"
#include "model/Vocabulary.h"
#include "settings/LanguageTable.h"
#include "ui/ComboBoxes.h"
#include "ui/Components.h"
#include "ui/KeyConventions.h"
#include "ui/PatternTabs.h"
#include "ui/ReportListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

ConditionalInstallsController::ConditionalInstallsController(Document& state, QWidget* window)
    : QObject(window), m_state(state) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("ConditionalInstallsTabSheet"));

    m_files = new FileListPair(
        {QStringLiteral("Panel15"), QStringLiteral("CondFilesSrcListView"),
         QStringLiteral("CondFilesDstListView"), QStringLiteral("CpyLabel3"),
         QStringLiteral("DataLabel3"), QStringLiteral("CondFileAddFileButton"),
         QStringLiteral("CondFileAddFolderButton"),
         QStringLiteral("CondFileRemoveFileFolderButton")},
        [this]() -> QList<CFile>* {
            CConditionalFile* pattern = currentPattern();
            return pattern ? &pattern->vFiles : nullptr;
        },
        {[this] { return m_state.sRootDir; }, true,
         QStringLiteral("File is out of root directory")},
        m_state, window);
    m_files->setAddEnabled(false);

    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildPatternBox(), 1);
    layout->addWidget(m_files->panel(), 1);

    connectHandlers();
}

QWidget* ConditionalInstallsController::buildPatternBox() {
    auto* box = new QWidget;

    m_patternTabs = PatternTabs::create(QStringLiteral("ConiditionalFilesPageControl"));
    m_operatorComboBox = Components::comboBox(QStringLiteral("CondFilePatternOperatorComboBox"),
                                              Vocabulary::operators(), true, false);
    m_operatorComboBox->setMinimumWidth(64);
    auto* operatorLabel =
        Components::label(QStringLiteral("ciOperatorLabel"), QStringLiteral("Operator"));
    operatorLabel->setBuddy(m_operatorComboBox);

    m_dependTypeComboBox = Components::comboBox(QStringLiteral("CondFileDependTypeComboBox"),
                                                Vocabulary::dependencyTypes(), false, false);
    m_dependTypeComboBox->setCurrentIndex(1);
    auto* typeLabel =
        Components::label(QStringLiteral("ciDepTypeLabel"), QStringLiteral("Dependency type"));
    typeLabel->setBuddy(m_dependTypeComboBox);
    m_dependNameComboBox =
        Components::comboBox(QStringLiteral("CondFileDependNameComboBox"), {}, true, false);
    m_dependNameComboBox->setMinimumWidth(260);
    auto* nameLabel =
        Components::label(QStringLiteral("ciNameLabel"), QStringLiteral("File/Flag name"));
    nameLabel->setBuddy(m_dependNameComboBox);
    m_dependValueComboBox = Components::comboBox(QStringLiteral("CondFileDependValueComboBox"),
                                                 Vocabulary::fileStates(), true, false);
    m_dependValueComboBox->setMinimumWidth(110);
    m_valueLabel = Components::label(QStringLiteral("ciValueLabel"), QStringLiteral("Value"));
    m_valueLabel->setBuddy(m_dependValueComboBox);

    m_addDependencyButton = Components::button(QStringLiteral("AddCondFileConditionButton"),
                                               QStringLiteral("Add"), false);
    m_removeDependencyButton = Components::button(QStringLiteral("RemoveCondFileConditionButton"),
                                                  QStringLiteral("Delete"), false);
    m_dependencyList = ReportListView::create(QStringLiteral("CondFilePatternListView"),
                                              {{QStringLiteral("Type"), 50},
                                               {QStringLiteral("File/Flag name"), 0},
                                               {QStringLiteral("State/Value"), 70},
                                               {QStringLiteral("Operator"), 60}},
                                              false);

    m_moveLeftButton = Components::button(QStringLiteral("MoveLeftCondFilePatternButton"),
                                          QStringLiteral("Move left"), false);
    m_moveRightButton = Components::button(QStringLiteral("MoveRightCondFilePatternButton"),
                                           QStringLiteral("Move right"), false);
    m_removePatternButton = Components::button(QStringLiteral("RemoveCondFilePatternButton"),
                                               QStringLiteral("Delete pattern"), false);
    m_addPatternButton = Components::button(QStringLiteral("AddCondFilePatternButton"),
                                            QStringLiteral("New pattern"));

    // "Dependency type / File/Flag name / Value", read as one line, above the list.
    auto* dependency = new QGridLayout;
    dependency->addWidget(typeLabel, 0, 0);
    dependency->addWidget(m_dependTypeComboBox, 1, 0);
    dependency->addWidget(nameLabel, 0, 1);
    dependency->addWidget(m_dependNameComboBox, 1, 1);
    dependency->addWidget(m_valueLabel, 0, 2);
    dependency->addWidget(m_dependValueComboBox, 1, 2);
    dependency->addWidget(m_addDependencyButton, 1, 3);
    dependency->addWidget(m_removeDependencyButton, 1, 4);
    dependency->setColumnStretch(1, 1);

    auto* operatorRow = new QHBoxLayout;
    operatorRow->addWidget(operatorLabel);
    operatorRow->addWidget(m_operatorComboBox);
    operatorRow->addStretch(1);

    auto* patternButtons = new QHBoxLayout;
    patternButtons->addStretch(1);
    for (QPushButton* b :
         {m_moveLeftButton, m_moveRightButton, m_removePatternButton, m_addPatternButton})
        patternButtons->addWidget(b);

    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_patternTabs);
    column->addLayout(operatorRow);
    column->addLayout(dependency);
    column->addWidget(m_dependencyList, 1);
    column->addLayout(patternButtons);
    return box;
}

void ConditionalInstallsController::connectHandlers() {
    connect(m_patternTabs, &QTabBar::currentChanged, this,
            &ConditionalInstallsController::ConiditionalFilesPageControlChange);
    connect(m_operatorComboBox, &QComboBox::currentTextChanged, this,
            &ConditionalInstallsController::CondFilePatternOperatorComboBoxChange);
    connect(m_dependTypeComboBox, &QComboBox::currentTextChanged, this,
            &ConditionalInstallsController::CondFileDependTypeComboBoxChange);
    connect(m_addPatternButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::AddCondFilePatternButtonClick);
    connect(m_removePatternButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::RemoveCondFilePatternButtonClick);
    connect(m_moveLeftButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::MoveLeftCondFilePatternButtonClick);
    connect(m_moveRightButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::MoveRightCondFilePatternButtonClick);
    connect(m_addDependencyButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::AddCondFileConditionButtonClick);
    connect(m_removeDependencyButton, &QPushButton::clicked, this,
            &ConditionalInstallsController::RemoveCondFileConditionButtonClick);
    connect(m_dependencyList, &QTableWidget::itemSelectionChanged, this,
            &ConditionalInstallsController::CondFilePatternListViewSelectItem);

    for (QComboBox* field : {m_dependNameComboBox, m_dependValueComboBox})
        KeyConventions::enterRuns(field, m_addDependencyButton);
    KeyConventions::deleteRuns(m_dependencyList, m_removeDependencyButton);
    KeyConventions::focusReturnsTo(m_removeDependencyButton, m_dependencyList);
    for (QPushButton* button : {m_moveLeftButton, m_moveRightButton, m_removePatternButton})
        KeyConventions::focusReturnsTo(button, m_patternTabs);
}

CConditionalFile* ConditionalInstallsController::currentPattern() const {
    const int p = m_patternTabs->currentIndex();
    QList<CConditionalFile>& patterns = m_state.project.vConditionalFiles;
    if (p < 0 || p >= patterns.size())
        return nullptr;
    return &patterns[p];
}

void ConditionalInstallsController::offerNames(const OfferedNames& offered) {
    ComboBoxes::offer(m_dependNameComboBox, offered.names + offered.patternNames);
    ComboBoxes::offer(m_dependValueComboBox, offered.values);
}

void ConditionalInstallsController::showPatterns() {
    PatternTabs::show(m_patternTabs, m_state.project.vConditionalFiles.size());
    ConiditionalFilesPageControlChange();
}

int ConditionalInstallsController::currentPatternIndex() const {
    return m_patternTabs->currentIndex();
}

void ConditionalInstallsController::showPattern(int index) {
    if (index < 0 || index >= m_patternTabs->count())
        return;
    {
        const QSignalBlocker blocker(m_patternTabs);
        m_patternTabs->setCurrentIndex(index);
    }
    ConiditionalFilesPageControlChange();
}

void ConditionalInstallsController::ConiditionalFilesPageControlChange() {
    {
        const QSignalBlocker blocker(m_dependencyList);
        m_dependencyList->setRowCount(0);
    }
    m_files->clear();
    m_removePatternButton->setEnabled(m_patternTabs->count() > 0);
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_dependTypeComboBox, m_dependNameComboBox, m_dependValueComboBox, m_operatorComboBox,
             m_removeDependencyButton, m_addDependencyButton, m_files->addFileButton(),
             m_files->addFolderButton(), m_files->removeButton(), m_moveLeftButton,
             m_moveRightButton})
        w->setEnabled(false);
    if (m_state.project.vConditionalFiles.isEmpty())
        return;

    const int p = m_patternTabs->currentIndex();
    if (const CConditionalFile* pattern = currentPattern()) {
        {
            const QSignalBlocker blocker(m_dependencyList);
            for (const CDependency& d : pattern->vDependencies)
                ReportListView::appendRow(m_dependencyList, {d.sType, ConditionRow::nameText(d),
                                                             d.sValue, pattern->sOperator});
        }
        m_files->appendRows(pattern->vFiles);
        {
            // The text comes from the pattern; storing it back would change nothing.
            const QSignalBlocker blocker(m_operatorComboBox);
            ComboBoxes::setText(m_operatorComboBox, pattern->sOperator);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{
                 m_dependTypeComboBox, m_dependNameComboBox, m_dependValueComboBox,
                 m_operatorComboBox, m_addDependencyButton})
            w->setEnabled(true);
        m_files->setAddEnabled(true);
    }
    m_moveLeftButton->setEnabled(p > 0);
    m_moveRightButton->setEnabled(p >= 0 && p < m_patternTabs->count() - 1);
    CondFilePatternListViewSelectItem();
    emit viewChanged();
}

void ConditionalInstallsController::CondFilePatternOperatorComboBoxChange() {
    CConditionalFile* pattern = currentPattern();
    if (!pattern)
        return;
    pattern->sOperator = m_operatorComboBox->currentText();
    ConiditionalFilesPageControlChange();
    m_state.edited(EditName::choice(m_operatorComboBox));
}

void ConditionalInstallsController::CondFileDependTypeComboBoxChange() {
    m_valueLabel->setText(
        Language::lookup(m_valueLabel->objectName() + m_dependTypeComboBox->currentText()));
}

void ConditionalInstallsController::AddCondFilePatternButtonClick() {
    CConditionalFile pattern;
    pattern.sOperator = m_operatorComboBox->currentText();
    m_state.project.vConditionalFiles.append(pattern);
    PatternTabs::append(m_patternTabs);
    ConiditionalFilesPageControlChange();
    m_state.edited(EditName::command(m_addPatternButton));
}

void ConditionalInstallsController::RemoveCondFilePatternButtonClick() {
    const int p = m_patternTabs->currentIndex();
    QList<CConditionalFile>& patterns = m_state.project.vConditionalFiles;
    if (p < 0 || p >= patterns.size())
        return;
    patterns.removeAt(p);
    PatternTabs::removeAt(m_patternTabs, p);
    ConiditionalFilesPageControlChange();
    m_state.edited(EditName::command(m_removePatternButton));
}

void ConditionalInstallsController::MoveLeftCondFilePatternButtonClick() {
    movePattern(-1, m_moveLeftButton);
}

void ConditionalInstallsController::MoveRightCondFilePatternButtonClick() {
    movePattern(+1, m_moveRightButton);
}

// The shown pattern moves with its tab; the captions stay with their positions, and the lists
// still show the same pattern, so nothing is rebuilt.
void ConditionalInstallsController::movePattern(int offset, QPushButton* button) {
    const int p = m_patternTabs->currentIndex();
    const int target = p + offset;
    QList<CConditionalFile>& patterns = m_state.project.vConditionalFiles;
    if (p < 0 || p >= patterns.size() || target < 0 || target >= patterns.size())
        return;
    patterns.swapItemsAt(p, target);
    {
        const QSignalBlocker blocker(m_patternTabs);
        m_patternTabs->setCurrentIndex(target);
    }
    m_moveLeftButton->setEnabled(target > 0);
    m_moveRightButton->setEnabled(target < m_patternTabs->count() - 1);
    m_state.edited(EditName::command(button));
}

void ConditionalInstallsController::AddCondFileConditionButtonClick() {
    CConditionalFile* pattern = currentPattern();
    if (!pattern)
        return;
    CDependency dependency;
    dependency.sType = m_dependTypeComboBox->currentText();
    dependency.sName = m_dependNameComboBox->currentText();
    dependency.sValue = m_dependValueComboBox->currentText();
    pattern->vDependencies.append(dependency);
    {
        const QSignalBlocker blocker(m_dependencyList);
        ReportListView::appendRow(m_dependencyList,
                                  {dependency.sType, dependency.sName, dependency.sValue,
                                   m_operatorComboBox->currentText()});
    }
    m_state.edited(EditName::command(m_addDependencyButton));
}

void ConditionalInstallsController::RemoveCondFileConditionButtonClick() {
    CConditionalFile* pattern = currentPattern();
    const int row = ReportListView::selectedRow(m_dependencyList);
    if (!pattern || row < 0 || row >= pattern->vDependencies.size())
        return;
    pattern->vDependencies.removeAt(row);
    {
        const QSignalBlocker blocker(m_dependencyList);
        m_dependencyList->removeRow(row);
        m_dependencyList->clearSelection();
    }
    CondFilePatternListViewSelectItem();
    m_state.edited(EditName::command(m_removeDependencyButton));
}

void ConditionalInstallsController::CondFilePatternListViewSelectItem() {
    m_removeDependencyButton->setEnabled(ReportListView::selectedRow(m_dependencyList) >= 0);
}
