#include "editor/PluginDependenciesController.h"

#include "editor/ConditionRow.h"
#include "editor/Document.h"
#include "editor/OfferedNames.h"
#include "model/Fomod.h"
#include "model/Vocabulary.h"
#include "settings/LanguageTable.h"
#include "ui/ComboBoxes.h"
#include "ui/Components.h"
#include "ui/KeyConventions.h"
#include "ui/PatternTabs.h"
#include "ui/ReportListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

PluginDependenciesController::PluginDependenciesController(Document& document,
                                                           PluginAccess selectedPlugin,
                                                           QObject* parent)
    : QObject(parent), m_document(document), m_selectedPlugin(std::move(selectedPlugin)) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("PluginDependenciesTabSheet"));

    m_defTypeComboBox = Components::comboBox(QStringLiteral("pdDefTypeComboBox"),
                                             Vocabulary::pluginTypes(), true, false);
    m_patternsPageControl = PatternTabs::create(QStringLiteral("pdPatternsPageControl"));
    m_operatorComboBox = Components::comboBox(QStringLiteral("pdOperatorComboBox"),
                                              Vocabulary::operators(), true, false);
    m_typeNameComboBox = Components::comboBox(QStringLiteral("pdTypeNameComboBox"),
                                              Vocabulary::pluginTypes(), true, false);
    m_newPatternButton = Components::button(QStringLiteral("pdNewPatternButton"),
                                            QStringLiteral("New pattern"), false);
    m_deletePatternButton = Components::button(QStringLiteral("pdDeletePatternButton"),
                                               QStringLiteral("Delete pattern"), false);
    m_dependencyTypeComboBox = Components::comboBox(QStringLiteral("pdDependencyTypeComboBox"),
                                                    Vocabulary::dependencyTypes(), false, false);
    m_fileFlagNameComboBox =
        Components::comboBox(QStringLiteral("pdFileFlagNameComboBox"), {}, true, false);
    m_stateValueComboBox = Components::comboBox(QStringLiteral("pdStateValueComboBox"),
                                                Vocabulary::fileStates(), true, false);
    m_valueLabel = Components::label(QStringLiteral("pdValueLabel"), QStringLiteral("State"));
    m_addButton = Components::button(QStringLiteral("pdAddButton"), QStringLiteral("Add"), false);
    m_deleteButton =
        Components::button(QStringLiteral("pdDeleteButton"), QStringLiteral("Delete"), false);

    m_listView = ReportListView::create(QStringLiteral("PluginDependenciesListView"),
                                        {{QStringLiteral("Type"), 50},
                                         {QStringLiteral("File/Flag name"), 0},
                                         {QStringLiteral("State/Value"), 70},
                                         {QStringLiteral("Operator"), 60}},
                                        false);

    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(Components::label(QStringLiteral("pdDefTypeNameLabel"),
                                            QStringLiteral("Default type name")));
    defaultRow->addWidget(m_defTypeComboBox, 1);
    auto* patternRow = new QHBoxLayout;
    patternRow->addWidget(
        Components::label(QStringLiteral("pdOperatorLabel"), QStringLiteral("Operator")));
    patternRow->addWidget(m_operatorComboBox);
    patternRow->addSpacing(6);
    patternRow->addWidget(
        Components::label(QStringLiteral("pdTypeNameLabel"), QStringLiteral("Type name")));
    patternRow->addWidget(m_typeNameComboBox, 1);
    auto* patternButtons = new QHBoxLayout;
    patternButtons->addStretch(1);
    patternButtons->addWidget(m_newPatternButton);
    patternButtons->addWidget(m_deletePatternButton);
    auto* head = new QVBoxLayout;
    head->addLayout(defaultRow);
    head->addSpacing(4);
    head->addWidget(m_patternsPageControl);
    head->addLayout(patternRow);
    head->addLayout(patternButtons);

    auto* dependency = new QGridLayout;
    dependency->addWidget(
        Components::label(QStringLiteral("pdDepTypeLabel"), QStringLiteral("Dependency type")), 0,
        0);
    dependency->addWidget(m_dependencyTypeComboBox, 1, 0);
    dependency->addWidget(
        Components::label(QStringLiteral("pdNameLabel"), QStringLiteral("File/Flag name")), 0, 1);
    dependency->addWidget(m_fileFlagNameComboBox, 1, 1);
    dependency->addWidget(m_valueLabel, 0, 2);
    dependency->addWidget(m_stateValueComboBox, 1, 2);
    dependency->setColumnStretch(1, 1);
    auto* dependencyButtons = new QHBoxLayout;
    dependencyButtons->addStretch(1);
    dependencyButtons->addWidget(m_addButton);
    dependencyButtons->addWidget(m_deleteButton);
    dependency->addLayout(dependencyButtons, 2, 0, 1, 3);

    m_operatorComboBox->setMinimumWidth(64);
    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(head);
    layout->addLayout(dependency);
    layout->addWidget(m_listView, 1);

    connect(m_defTypeComboBox, &QComboBox::currentTextChanged, this,
            &PluginDependenciesController::pdDefTypeComboBoxChange);
    connect(m_operatorComboBox, &QComboBox::currentTextChanged, this,
            &PluginDependenciesController::pdOperatorComboBoxChange);
    connect(m_typeNameComboBox, &QComboBox::currentTextChanged, this,
            &PluginDependenciesController::pdTypeNameComboBoxChange);
    connect(m_dependencyTypeComboBox, &QComboBox::currentTextChanged, this,
            &PluginDependenciesController::pdDependencyTypeComboBoxChange);
    connect(m_patternsPageControl, &QTabBar::currentChanged, this,
            &PluginDependenciesController::pdPatternsPageControlChange);
    connect(m_newPatternButton, &QPushButton::clicked, this,
            &PluginDependenciesController::pdNewPatternButtonClick);
    connect(m_deletePatternButton, &QPushButton::clicked, this,
            &PluginDependenciesController::pdDeletePatternButtonClick);
    connect(m_addButton, &QPushButton::clicked, this,
            &PluginDependenciesController::pdAddButtonClick);
    connect(m_deleteButton, &QPushButton::clicked, this,
            &PluginDependenciesController::pdDeleteButtonClick);
    connect(m_listView, &QTableWidget::itemSelectionChanged, this,
            &PluginDependenciesController::PluginDependenciesListViewSelectItem);

    for (QComboBox* field : {m_fileFlagNameComboBox, m_stateValueComboBox})
        KeyConventions::enterRuns(field, m_addButton);
    KeyConventions::deleteRuns(m_listView, m_deleteButton);
    KeyConventions::focusReturnsTo(m_deleteButton, m_listView);
    KeyConventions::focusReturnsTo(m_deletePatternButton, m_patternsPageControl);
}

void PluginDependenciesController::offerNames(const OfferedNames& offered) {
    ComboBoxes::offer(m_fileFlagNameComboBox, offered.names + offered.patternNames);
    ComboBoxes::offer(m_stateValueComboBox, offered.values);
}

CDependencyPattern* PluginDependenciesController::currentPattern() const {
    CPlugin* plugin = m_selectedPlugin();
    const int p = m_patternsPageControl->currentIndex();
    if (!plugin || p < 0 || p >= plugin->vPatterns.size())
        return nullptr;
    return &plugin->vPatterns[p];
}

void PluginDependenciesController::showSelectedPlugin() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_defTypeComboBox, m_newPatternButton,
                                                      m_deletePatternButton, m_operatorComboBox,
                                                      m_typeNameComboBox})
        w->setEnabled(false);
    PatternTabs::show(m_patternsPageControl, 0);
    m_listView->setRowCount(0);

    const CPlugin* plugin = m_selectedPlugin();
    if (plugin) {
        // Showing the type runs its change handler, which stores the same text back.
        m_defTypeComboBox->setCurrentText(plugin->sType);
        m_defTypeComboBox->setEnabled(true);
        m_newPatternButton->setEnabled(true);
        PatternTabs::show(m_patternsPageControl, plugin->vPatterns.size());
        m_operatorComboBox->setEnabled(true);
        m_typeNameComboBox->setEnabled(true);
    }
    // Also without a plugin, so no dependency control stays enabled for a missing selection.
    pdPatternsPageControlChange();
}

int PluginDependenciesController::currentPatternIndex() const {
    return m_patternsPageControl->currentIndex();
}

void PluginDependenciesController::showPattern(int index) {
    if (index < 0 || index >= m_patternsPageControl->count())
        return;
    {
        const QSignalBlocker blocker(m_patternsPageControl);
        m_patternsPageControl->setCurrentIndex(index);
    }
    pdPatternsPageControlChange();
}

void PluginDependenciesController::pdPatternsPageControlChange() {
    m_listView->setRowCount(0);
    m_deletePatternButton->setEnabled(m_patternsPageControl->count() > 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_dependencyTypeComboBox, m_fileFlagNameComboBox,
                                         m_stateValueComboBox, m_deleteButton, m_addButton})
        w->setEnabled(false);
    if (!m_selectedPlugin())
        return;
    if (const CDependencyPattern* pattern = currentPattern()) {
        {
            const QSignalBlocker blocker(m_listView);
            for (const CDependency& d : pattern->vDependencies)
                ReportListView::appendRow(
                    m_listView, {d.sType, ConditionRow::nameText(d), d.sValue, pattern->sOperator});
        }
        const QString op = pattern->sOperator;
        const QString type = pattern->sType;
        {
            // These texts come from the pattern; storing them back would change nothing.
            const QSignalBlocker opBlocker(m_operatorComboBox);
            const QSignalBlocker typeBlocker(m_typeNameComboBox);
            ComboBoxes::setText(m_operatorComboBox, op);
            ComboBoxes::setText(m_typeNameComboBox, type);
        }
        for (QWidget* w :
             std::initializer_list<QWidget*>{m_dependencyTypeComboBox, m_fileFlagNameComboBox,
                                             m_stateValueComboBox, m_addButton})
            w->setEnabled(true);
    }
    PluginDependenciesListViewSelectItem();
    emit viewChanged();
}

void PluginDependenciesController::pdDefTypeComboBoxChange() {
    if (CPlugin* plugin = m_selectedPlugin()) {
        plugin->sType = m_defTypeComboBox->currentText();
        m_document.edited(EditName::choice(m_defTypeComboBox));
    }
}

void PluginDependenciesController::pdOperatorComboBoxChange() {
    if (!m_selectedPlugin())
        return;
    if (CDependencyPattern* pattern = currentPattern())
        pattern->sOperator = m_operatorComboBox->currentText();
    pdPatternsPageControlChange();
    m_document.edited(EditName::choice(m_operatorComboBox));
}

void PluginDependenciesController::pdTypeNameComboBoxChange() {
    if (CDependencyPattern* pattern = currentPattern()) {
        pattern->sType = m_typeNameComboBox->currentText();
        m_document.edited(EditName::choice(m_typeNameComboBox));
    }
}

void PluginDependenciesController::pdDependencyTypeComboBoxChange() {
    m_valueLabel->setText(
        Language::lookup(m_valueLabel->objectName() + m_dependencyTypeComboBox->currentText()));
}

void PluginDependenciesController::pdNewPatternButtonClick() {
    CPlugin* plugin = m_selectedPlugin();
    if (!plugin)
        return;
    CDependencyPattern pattern;
    pattern.sOperator = m_operatorComboBox->currentText();
    pattern.sType = m_typeNameComboBox->currentText();
    plugin->vPatterns.append(pattern);
    PatternTabs::append(m_patternsPageControl);
    pdPatternsPageControlChange();
    m_document.edited(EditName::command(m_newPatternButton));
}

void PluginDependenciesController::pdDeletePatternButtonClick() {
    CPlugin* plugin = m_selectedPlugin();
    const int p = m_patternsPageControl->currentIndex();
    if (!plugin || p < 0 || p >= plugin->vPatterns.size())
        return;
    plugin->vPatterns.removeAt(p);
    PatternTabs::removeAt(m_patternsPageControl, p);
    pdPatternsPageControlChange();
    m_document.edited(EditName::command(m_deletePatternButton));
}

void PluginDependenciesController::pdAddButtonClick() {
    CDependencyPattern* pattern = currentPattern();
    if (!pattern)
        return;
    CDependency dependency;
    dependency.sType = m_dependencyTypeComboBox->currentText();
    dependency.sName = m_fileFlagNameComboBox->currentText();
    dependency.sValue = m_stateValueComboBox->currentText();
    pattern->vDependencies.append(dependency);
    ReportListView::appendRow(m_listView, {dependency.sType, dependency.sName, dependency.sValue,
                                           m_operatorComboBox->currentText()});
    if (dependency.sName.isEmpty() ||
        m_fileFlagNameComboBox->findText(dependency.sName,
                                         Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        const QSignalBlocker blocker(m_fileFlagNameComboBox);
        const QString typed = m_fileFlagNameComboBox->currentText();
        m_fileFlagNameComboBox->addItem(dependency.sName);
        ComboBoxes::setText(m_fileFlagNameComboBox, typed);
    }
    m_document.edited(EditName::command(m_addButton));
}

void PluginDependenciesController::pdDeleteButtonClick() {
    const int row = ReportListView::selectedRow(m_listView);
    CDependencyPattern* pattern = currentPattern();
    if (row < 0 || !pattern || row >= pattern->vDependencies.size())
        return;
    pattern->vDependencies.removeAt(row);
    {
        const QSignalBlocker blocker(m_listView);
        m_listView->removeRow(row);
        m_listView->clearSelection();
    }
    PluginDependenciesListViewSelectItem();
    m_document.edited(EditName::command(m_deleteButton));
}

void PluginDependenciesController::PluginDependenciesListViewSelectItem() {
    m_deleteButton->setEnabled(ReportListView::selectedRow(m_listView) >= 0);
}
