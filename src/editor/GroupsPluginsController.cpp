#include "editor/GroupsPluginsController.h"

#include "editor/Document.h"
#include "editor/FileListPair.h"
#include "editor/FlagSetController.h"
#include "editor/OfferedNames.h"
#include "editor/PluginDependenciesController.h"
#include "editor/PluginDetailsController.h"
#include "model/Fomod.h"
#include "model/Vocabulary.h"
#include "ui/Components.h"
#include "ui/FloatingEditor.h"
#include "ui/KeyConventions.h"
#include "ui/ReportListView.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

GroupsPluginsController::GroupsPluginsController(Document& document, const bool& replaceLineBreaks,
                                                 QWidget* window)
    : QObject(window), m_state(document), m_window(window) {
    const PluginAccess selected = [this] { return selectedPlugin(); };
    m_flagSet = new FlagSetController(document, selected, this);
    m_dependencies = new PluginDependenciesController(document, selected, this);
    m_details = new PluginDetailsController(document, selected, replaceLineBreaks, window);
    buildGroupsBox();
    buildTypeBox();
    connectHandlers();
}

GroupsPluginsController::~GroupsPluginsController() = default;

QGroupBox* GroupsPluginsController::filesGroupBox() const {
    return m_details->filesGroupBox();
}

FileListPair* GroupsPluginsController::pluginFiles() const {
    return m_details->files();
}

// ---------------------------------------------------------------------------------------------
// Layout

void GroupsPluginsController::buildGroupsBox() {
    m_groupsBox = new QGroupBox(QStringLiteral("Groups && plugins"));
    m_groupsBox->setObjectName(QStringLiteral("GroupsGroupBox"));

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    // The lists and the description share what the window gives beyond their least heights.
    left->addWidget(buildGroupPluginPanel(), 1);
    left->addWidget(m_details->descriptionPanel(), 1);
    left->addWidget(m_details->imagePanel());

    m_pageControl2 = new QTabWidget;
    m_pageControl2->setObjectName(QStringLiteral("PageControl2"));
    m_pageControl2->addTab(m_flagSet->page(), QStringLiteral("Flag set"));
    m_pageControl2->addTab(m_dependencies->page(), QStringLiteral("Plugin dependencies"));
    m_pageControl2->setCurrentIndex(0);
    m_pageControl2->setFixedWidth(367);

    auto* box = new QHBoxLayout(m_groupsBox);
    box->addLayout(left, 1);
    box->addWidget(m_pageControl2);
}

QWidget* GroupsPluginsController::buildGroupPluginPanel() {
    auto* panel = new QWidget;
    panel->setMinimumHeight(169);

    // Groups: name and type, the list with its buttons beside it.
    m_groupNameEdit = Components::edit(QStringLiteral("GroupNameEdit"));
    m_groupNameEdit->setMinimumWidth(90);
    auto* typeLabel = Components::label(QStringLiteral("GTypeLabel"), QStringLiteral("type"));
    m_groupTypeComboBox =
        Components::comboBox(QStringLiteral("GroupTypeComboBox"), Vocabulary::groupTypes(), false);
    m_groupTypeComboBox->setCurrentIndex(0);

    m_addGroupButton = Components::button(QStringLiteral("AddGroupButton"), QStringLiteral("Add"));
    m_removeGroupButton =
        Components::button(QStringLiteral("RemoveGroupButton"), QStringLiteral("Remove"), false);
    m_groupUpButton =
        Components::button(QStringLiteral("GroupUpButton"), QStringLiteral("Move up"), false);
    m_groupDownButton =
        Components::button(QStringLiteral("GroupDownButton"), QStringLiteral("Move down"), false);

    m_groupListView =
        ReportListView::create(QStringLiteral("GroupListView"),
                               {{QStringLiteral("Name"), 0}, {QStringLiteral("Type"), 103}}, true);
    // The lists grow with the window; in a narrow one they give up width before the page needs
    // a horizontal scroll bar.
    m_groupListView->setMinimumSize(140, 118);
    // The type column shows the longest group type whole.
    m_groupListView->horizontalHeader()->resizeSection(
        1, std::max(103, m_groupListView->fontMetrics().horizontalAdvance(
                             QStringLiteral("SelectAtLeastOne")) +
                             16));
    m_groupListView->setContextMenuPolicy(Qt::CustomContextMenu);

    // Plugins: name, the list with its buttons beside it.
    m_pluginNameEdit = Components::edit(QStringLiteral("PluginNameEdit"));
    m_addPluginButton =
        Components::button(QStringLiteral("AddPluginButton"), QStringLiteral("Add"), false);
    m_removePluginButton =
        Components::button(QStringLiteral("RemovePluginButton"), QStringLiteral("Remove"), false);
    m_pluginUpButton =
        Components::button(QStringLiteral("PluginUpButton"), QStringLiteral("Move up"), false);
    m_pluginDownButton =
        Components::button(QStringLiteral("PluginDownButton"), QStringLiteral("Move down"), false);

    m_pluginListView = ReportListView::create(QStringLiteral("PluginListView"),
                                              {{QStringLiteral("Name"), 0}}, true);
    m_pluginListView->setMinimumSize(120, 118);
    m_pluginListView->setContextMenuPolicy(Qt::CustomContextMenu);

    auto buttonColumn = [](std::initializer_list<QPushButton*> buttons) {
        auto* column = new QVBoxLayout;
        column->setSpacing(4);
        for (QPushButton* b : buttons)
            column->addWidget(b);
        column->addStretch(1);
        return column;
    };

    auto* groupHead = Components::labelledEdit(m_groupNameEdit, QStringLiteral("Group name"));
    groupHead->addWidget(typeLabel);
    groupHead->addWidget(m_groupTypeComboBox);
    auto* groupBody = new QHBoxLayout;
    groupBody->addWidget(m_groupListView, 1);
    groupBody->addLayout(
        buttonColumn({m_addGroupButton, m_removeGroupButton, m_groupUpButton, m_groupDownButton}));
    auto* groups = new QVBoxLayout;
    groups->addLayout(groupHead);
    groups->addLayout(groupBody, 1);

    auto* pluginHead = Components::labelledEdit(m_pluginNameEdit, QStringLiteral("Plugin name"));
    auto* pluginBody = new QHBoxLayout;
    pluginBody->addWidget(m_pluginListView, 1);
    pluginBody->addLayout(buttonColumn(
        {m_addPluginButton, m_removePluginButton, m_pluginUpButton, m_pluginDownButton}));
    auto* plugins = new QVBoxLayout;
    plugins->addLayout(pluginHead);
    plugins->addLayout(pluginBody, 1);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addLayout(groups, 8);
    row->addLayout(plugins, 7);

    // Context menus of the two lists.
    m_popupMenu2 = new QMenu(m_groupListView);
    m_popupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    m_editListElementCMenu2 = m_popupMenu2->addAction(QStringLiteral("Edit name"));
    m_editListElementCMenu2->setObjectName(QStringLiteral("EditListElementCMenu2"));
    m_editGroupTypeCMenu2 = m_popupMenu2->addAction(QStringLiteral("Edit type"));
    m_editGroupTypeCMenu2->setObjectName(QStringLiteral("EditGroupTypeCMenu2"));
    m_popupMenu = new QMenu(m_pluginListView);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu"));
    m_editListElementCMenu = m_popupMenu->addAction(QStringLiteral("Edit"));
    m_editListElementCMenu->setObjectName(QStringLiteral("EditListElementCMenu"));
    return panel;
}

void GroupsPluginsController::buildTypeBox() {
    m_editGroupTypeComboBox = Components::comboBox(QStringLiteral("EditGroupTypeComboBox"),
                                                   Vocabulary::groupTypes(), true, true, m_window);
    m_editGroupTypeComboBox->setCurrentIndex(0);
    m_editGroupTypeComboBox->hide();
    m_editGroupTypeComboBox->setEnabled(false);
    m_editGroupTypeComboBox->installEventFilter(this);
    m_editGroupTypeComboBox->lineEdit()->installEventFilter(this);
}

void GroupsPluginsController::connectHandlers() {
    connect(m_addGroupButton, &QPushButton::clicked, this,
            &GroupsPluginsController::AddGroupButtonClick);
    connect(m_removeGroupButton, &QPushButton::clicked, this,
            &GroupsPluginsController::RemoveGroupButtonClick);
    connect(m_groupUpButton, &QPushButton::clicked, this,
            &GroupsPluginsController::GroupUpButtonClick);
    connect(m_groupDownButton, &QPushButton::clicked, this,
            &GroupsPluginsController::GroupDownButtonClick);
    connect(m_groupListView, &QTableWidget::itemSelectionChanged, this,
            &GroupsPluginsController::GroupListViewSelectItem);
    connect(m_groupListView, &QTableWidget::itemChanged, this,
            &GroupsPluginsController::GroupListViewEdited);

    connect(m_addPluginButton, &QPushButton::clicked, this,
            &GroupsPluginsController::AddPluginButtonClick);
    connect(m_removePluginButton, &QPushButton::clicked, this,
            &GroupsPluginsController::RemovePluginButtonClick);
    connect(m_pluginUpButton, &QPushButton::clicked, this,
            &GroupsPluginsController::PluginUpButtonClick);
    connect(m_pluginDownButton, &QPushButton::clicked, this,
            &GroupsPluginsController::PluginDownButtonClick);
    connect(m_pluginListView, &QTableWidget::itemSelectionChanged, this,
            &GroupsPluginsController::PluginListViewSelectItem);
    connect(m_pluginListView, &QTableWidget::itemChanged, this,
            &GroupsPluginsController::PluginListViewEdited);

    connect(m_popupMenu, &QMenu::aboutToShow, this, &GroupsPluginsController::PopupMenuPopup);
    connect(m_popupMenu2, &QMenu::aboutToShow, this, &GroupsPluginsController::PopupMenu2Popup);
    connect(m_editListElementCMenu, &QAction::triggered, this,
            &GroupsPluginsController::EditListElementCMenuClick);
    connect(m_editListElementCMenu2, &QAction::triggered, this,
            &GroupsPluginsController::EditListElementCMenu2Click);
    connect(m_editGroupTypeCMenu2, &QAction::triggered, this,
            &GroupsPluginsController::EditGroupTypeCMenu2Click);
    connect(m_pluginListView, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        m_popupMenu->popup(m_pluginListView->viewport()->mapToGlobal(pos));
    });
    connect(m_groupListView, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        m_popupMenu2->popup(m_groupListView->viewport()->mapToGlobal(pos));
    });

    KeyConventions::enterRuns(m_groupNameEdit, m_addGroupButton);
    KeyConventions::enterRuns(m_pluginNameEdit, m_addPluginButton);
    KeyConventions::deleteRuns(m_groupListView, m_removeGroupButton);
    KeyConventions::deleteRuns(m_pluginListView, m_removePluginButton);
    for (QPushButton* button : {m_removeGroupButton, m_groupUpButton, m_groupDownButton})
        KeyConventions::focusReturnsTo(button, m_groupListView);
    for (QPushButton* button : {m_removePluginButton, m_pluginUpButton, m_pluginDownButton})
        KeyConventions::focusReturnsTo(button, m_pluginListView);
}

// ---------------------------------------------------------------------------------------------
// Selection

CStep* GroupsPluginsController::currentStep() const {
    return m_state.currentStep();
}

int GroupsPluginsController::selectedGroupRow() const {
    return ReportListView::selectedRow(m_groupListView);
}

int GroupsPluginsController::selectedPluginRow() const {
    return ReportListView::selectedRow(m_pluginListView);
}

CPluginGroup* GroupsPluginsController::selectedGroup() const {
    CStep* step = currentStep();
    const int g = selectedGroupRow();
    if (!step || g < 0 || g >= step->vGroups.size())
        return nullptr;
    return &step->vGroups[g];
}

CPlugin* GroupsPluginsController::selectedPlugin() const {
    CPluginGroup* group = selectedGroup();
    const int p = selectedPluginRow();
    if (!group || p < 0 || p >= group->vPlugins.size())
        return nullptr;
    return &group->vPlugins[p];
}

void GroupsPluginsController::clearPluginDetails() {
    m_flagSet->clearList();
    m_details->clear();
}

void GroupsPluginsController::clearForRebuild() {
    // A tab click takes no focus, so an open group type box would float on over another step:
    // end its edit first, for the group it was opened on.
    EditGroupTypeComboBoxExit();
    for (QTableWidget* list : {m_groupListView, m_pluginListView}) {
        const QSignalBlocker blocker(list);
        list->setRowCount(0);
    }
    m_flagSet->clearForRebuild();
    m_details->clear();
}

void GroupsPluginsController::offerNames(const OfferedNames& offered) {
    m_flagSet->offerNames(offered);
    m_dependencies->offerNames(offered);
}

void GroupsPluginsController::showStepGroups() {
    const CStep* step = currentStep();
    if (step && !step->vGroups.isEmpty()) {
        const QSignalBlocker blocker(m_groupListView);
        for (const CPluginGroup& group : step->vGroups)
            ReportListView::appendRow(m_groupListView, {group.sName, group.sType});
        ReportListView::selectRow(m_groupListView, 0);
    }
    // Also without groups: the group selection then empties and disables the plugin side.
    GroupListViewSelectItem();
}

void GroupsPluginsController::selectGroupAndPlugin(int group, int plugin) {
    {
        const QSignalBlocker blocker(m_groupListView);
        ReportListView::selectRow(m_groupListView, group);
    }
    GroupListViewSelectItem();
    {
        const QSignalBlocker blocker(m_pluginListView);
        ReportListView::selectRow(m_pluginListView, plugin);
    }
    PluginListViewSelectItem();
}

void GroupsPluginsController::GroupListViewSelectItem() {
    {
        const QSignalBlocker blocker(m_pluginListView);
        m_pluginListView->setRowCount(0);
    }
    clearPluginDetails();

    m_removeGroupButton->setEnabled(false);
    m_addPluginButton->setEnabled(false);
    m_groupUpButton->setEnabled(false);
    m_groupDownButton->setEnabled(false);

    const CPluginGroup* group = selectedGroup();
    if (group) {
        const int g = selectedGroupRow();
        {
            const QSignalBlocker blocker(m_pluginListView);
            for (const CPlugin& plugin : group->vPlugins)
                ReportListView::appendRow(m_pluginListView, {plugin.sName});
            if (m_pluginListView->rowCount() > 0)
                ReportListView::selectRow(m_pluginListView, 0);
        }
        m_removeGroupButton->setEnabled(true);
        m_addPluginButton->setEnabled(true);
        m_groupUpButton->setEnabled(g > 0);
        m_groupDownButton->setEnabled(g < m_groupListView->rowCount() - 1);
    }
    PluginListViewSelectItem();
}

void GroupsPluginsController::PluginListViewSelectItem() {
    for (QPushButton* button : {m_removePluginButton, m_pluginUpButton, m_pluginDownButton})
        button->setEnabled(false);
    m_flagSet->setPluginSelected(false);
    m_flagSet->clearList();

    const int p = selectedPluginRow();
    const CPlugin* plugin = selectedPlugin();
    if (plugin) {
        m_flagSet->appendRows(plugin->vConditionFlags);
        m_flagSet->setPluginSelected(true);
        m_removePluginButton->setEnabled(true);
        m_pluginUpButton->setEnabled(p > 0);
        m_pluginDownButton->setEnabled(p < m_pluginListView->rowCount() - 1);
    }
    m_details->showSelectedPlugin();
    m_dependencies->showSelectedPlugin();
    emit viewChanged();
}

// ---------------------------------------------------------------------------------------------
// Groups

void GroupsPluginsController::AddGroupButtonClick() {
    const QString name = m_groupNameEdit->text();
    CStep* step = currentStep();
    if (name.isEmpty() || !step)
        return;
    const QString type = m_groupTypeComboBox->currentText();
    step->vGroups.append(CPluginGroup(name, type));
    {
        const QSignalBlocker blocker(m_groupListView);
        ReportListView::appendRow(m_groupListView, {name, type});
        ReportListView::selectRow(m_groupListView, m_groupListView->rowCount() - 1);
    }
    GroupListViewSelectItem();
    m_state.edited(EditName::command(m_addGroupButton));
}

void GroupsPluginsController::RemoveGroupButtonClick() {
    CStep* step = currentStep();
    const int g = selectedGroupRow();
    if (!step || step->vGroups.isEmpty() || g < 0 || g >= step->vGroups.size())
        return;
    EditGroupTypeComboBoxExit(); // while its row still stands for its group
    step->vGroups.removeAt(g);
    {
        const QSignalBlocker blocker(m_groupListView);
        m_groupListView->removeRow(g);
        m_groupListView->clearSelection();
    }
    GroupListViewSelectItem();
    m_state.edited(EditName::command(m_removeGroupButton));
}

void GroupsPluginsController::GroupUpButtonClick() {
    moveGroup(-1, m_groupUpButton);
}

void GroupsPluginsController::GroupDownButtonClick() {
    moveGroup(+1, m_groupDownButton);
}

void GroupsPluginsController::moveGroup(int offset, QPushButton* button) {
    CStep* step = currentStep();
    const int g = selectedGroupRow();
    const int target = g + offset;
    if (!step || g < 0 || g >= step->vGroups.size() || target < 0 || target >= step->vGroups.size())
        return;
    EditGroupTypeComboBoxExit(); // while its row still stands for its group
    step->vGroups.swapItemsAt(g, target);
    emit rebuildRequested();
    {
        const QSignalBlocker blocker(m_groupListView);
        ReportListView::selectRow(m_groupListView, target);
    }
    GroupListViewSelectItem();
    m_state.edited(EditName::command(button));
}

void GroupsPluginsController::GroupListViewEdited(QTableWidgetItem* item) {
    CStep* step = currentStep();
    if (!item || item->column() != 0 || !step)
        return;
    const int row = item->row();
    if (row < 0 || row >= step->vGroups.size())
        return;
    step->vGroups[row].sName = item->text();
    m_state.edited(EditName::rename(m_groupListView));
}

// ---------------------------------------------------------------------------------------------
// Plugins

void GroupsPluginsController::AddPluginButtonClick() {
    const QString name = m_pluginNameEdit->text();
    CPluginGroup* group = selectedGroup();
    if (name.isEmpty() || !group)
        return;
    group->vPlugins.append(CPlugin(name));
    {
        const QSignalBlocker blocker(m_pluginListView);
        ReportListView::appendRow(m_pluginListView, {name});
        ReportListView::selectRow(m_pluginListView, m_pluginListView->rowCount() - 1);
    }
    PluginListViewSelectItem();
    m_state.edited(EditName::command(m_addPluginButton));
}

void GroupsPluginsController::RemovePluginButtonClick() {
    CPluginGroup* group = selectedGroup();
    const int p = selectedPluginRow();
    if (!group || group->vPlugins.isEmpty() || p < 0 || p >= group->vPlugins.size())
        return;
    group->vPlugins.removeAt(p);
    {
        const QSignalBlocker blocker(m_pluginListView);
        m_pluginListView->removeRow(p);
        m_pluginListView->clearSelection();
    }
    PluginListViewSelectItem();
    m_state.edited(EditName::command(m_removePluginButton));
}

void GroupsPluginsController::PluginUpButtonClick() {
    movePlugin(-1, m_pluginUpButton);
}

void GroupsPluginsController::PluginDownButtonClick() {
    movePlugin(+1, m_pluginDownButton);
}

void GroupsPluginsController::movePlugin(int offset, QPushButton* button) {
    CPluginGroup* group = selectedGroup();
    const int p = selectedPluginRow();
    const int target = p + offset;
    if (!group || p < 0 || p >= group->vPlugins.size() || target < 0 ||
        target >= group->vPlugins.size())
        return;
    group->vPlugins.swapItemsAt(p, target);
    GroupListViewSelectItem();
    {
        const QSignalBlocker blocker(m_pluginListView);
        ReportListView::selectRow(m_pluginListView, target);
    }
    PluginListViewSelectItem();
    m_state.edited(EditName::command(button));
}

void GroupsPluginsController::PluginListViewEdited(QTableWidgetItem* item) {
    CPluginGroup* group = selectedGroup();
    if (!item || item->column() != 0 || !group)
        return;
    const int row = item->row();
    if (row < 0 || row >= group->vPlugins.size())
        return;
    group->vPlugins[row].sName = item->text();
    m_state.edited(EditName::rename(m_pluginListView));
}

// ---------------------------------------------------------------------------------------------
// Context menus and the floating type box

void GroupsPluginsController::PopupMenuPopup() {
    m_editListElementCMenu->setEnabled(selectedPluginRow() >= 0);
}

void GroupsPluginsController::PopupMenu2Popup() {
    const bool selected = selectedGroupRow() >= 0;
    m_editListElementCMenu2->setEnabled(selected);
    m_editGroupTypeCMenu2->setEnabled(selected);
}

void GroupsPluginsController::EditListElementCMenuClick() {
    const int row = selectedPluginRow();
    if (QTableWidgetItem* item = row >= 0 ? m_pluginListView->item(row, 0) : nullptr)
        m_pluginListView->editItem(item);
}

void GroupsPluginsController::EditListElementCMenu2Click() {
    const int row = selectedGroupRow();
    if (QTableWidgetItem* item = row >= 0 ? m_groupListView->item(row, 0) : nullptr)
        m_groupListView->editItem(item);
}

void GroupsPluginsController::EditGroupTypeCMenu2Click() {
    const int row = selectedGroupRow();
    if (row < 0)
        return;
    m_typeBoxRow = row;

    // Over the row's "Type" cell.
    m_typeBoxOpen = true;
    m_typeBoxStep = m_state.iCurrentStep;
    const QString shown =
        FloatingEditor::openOverCell(m_editGroupTypeComboBox, m_groupListView, row, 1, m_window);
    m_editGroupTypeComboBox->setCurrentText(shown);
}

bool GroupsPluginsController::EditGroupTypeComboBoxKeyPress(int key) {
    const FloatingEditor::KeyAction action = FloatingEditor::keyAction(key);
    if (action == FloatingEditor::KeyAction::None)
        return false;
    if (action == FloatingEditor::KeyAction::Cancel)
        m_typeBoxRow = -1;
    EditGroupTypeComboBoxExit();
    return true;
}

void GroupsPluginsController::EditGroupTypeComboBoxExit() {
    // Hiding the box takes its focus away, which reports the exit a second time.
    if (!m_typeBoxOpen)
        return;
    m_typeBoxOpen = false;
    const int row = m_typeBoxRow;
    // Only into the group the box was opened on: the same step, its rows unchanged since (every
    // command that changes them ends the edit first).
    CStep* step = m_state.iCurrentStep == m_typeBoxStep ? currentStep() : nullptr;
    if (row >= 0 && step && row < step->vGroups.size()) {
        const QString type = m_editGroupTypeComboBox->currentText();
        if (QTableWidgetItem* item = m_groupListView->item(row, 1))
            item->setText(type);
        step->vGroups[row].sType = type;
        m_state.edited(EditName::typing(m_editGroupTypeComboBox));
    }
    m_editGroupTypeComboBox->hide();
    m_editGroupTypeComboBox->setEnabled(false);
}

bool GroupsPluginsController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editGroupTypeComboBox || watched == m_editGroupTypeComboBox->lineEdit()) {
        if (event->type() == QEvent::KeyPress &&
            EditGroupTypeComboBoxKeyPress(static_cast<QKeyEvent*>(event)->key()))
            return true;
        if (event->type() == QEvent::FocusOut &&
            FloatingEditor::focusLossEndsEdit(m_editGroupTypeComboBox, event))
            EditGroupTypeComboBoxExit();
    }
    return QObject::eventFilter(watched, event);
}
