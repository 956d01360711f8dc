#include "editor/GroupsPluginsController.h"

#include "editor/EditorState.h"
#include "editor/FileListPair.h"
#include "editor/FlagSetController.h"
#include "editor/OfferedNames.h"
#include "editor/PluginDependenciesController.h"
#include "installer/Escaping.h"
#include "model/Fomod.h"
#include "model/Vocabulary.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "ui/Components.h"
#include "ui/FloatingEditor.h"
#include "ui/ImageChooser.h"
#include "ui/KeyConventions.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"
#include "ui/ReportListView.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// An edit with its caption label on the left; the label is the edit's buddy, so the
// translation walk finds it through the edit.
QHBoxLayout* labelledEdit(QLineEdit* edit, const QString& caption) {
    auto* label = Components::label(edit->objectName() + QStringLiteral("Label"), caption);
    label->setBuddy(edit);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit, 1);
    return row;
}

} // namespace

GroupsPluginsController::GroupsPluginsController(EditorState& state, QWidget* window)
    : QObject(window), m_state(state), m_window(window) {
    const PluginAccess selected = [this] { return selectedPlugin(); };
    m_flagSet = new FlagSetController(selected, this);
    m_dependencies = new PluginDependenciesController(selected, this);
    buildGroupsBox();
    buildFilesBox();
    buildTypeBox();
    connectHandlers();
}

GroupsPluginsController::~GroupsPluginsController() = default;

// ---------------------------------------------------------------------------------------------
// Layout

void GroupsPluginsController::buildGroupsBox() {
    m_groupsBox = new QGroupBox(QStringLiteral("Groups && plugins"));
    m_groupsBox->setObjectName(QStringLiteral("GroupsGroupBox"));

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    // The lists and the description share what the window gives beyond their least heights.
    left->addWidget(buildGroupPluginPanel(), 1);
    left->addWidget(buildDescriptionPanel(), 1);
    left->addWidget(buildImagePanel());

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

    auto* groupHead = labelledEdit(m_groupNameEdit, QStringLiteral("Group name"));
    groupHead->addWidget(typeLabel);
    groupHead->addWidget(m_groupTypeComboBox);
    auto* groupBody = new QHBoxLayout;
    groupBody->addWidget(m_groupListView, 1);
    groupBody->addLayout(
        buttonColumn({m_addGroupButton, m_removeGroupButton, m_groupUpButton, m_groupDownButton}));
    auto* groups = new QVBoxLayout;
    groups->addLayout(groupHead);
    groups->addLayout(groupBody, 1);

    auto* pluginHead = labelledEdit(m_pluginNameEdit, QStringLiteral("Plugin name"));
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

QWidget* GroupsPluginsController::buildDescriptionPanel() {
    auto* panel = new QWidget;
    panel->setMinimumHeight(100);
    auto* label =
        Components::label(QStringLiteral("PluginDescLabel"), QStringLiteral("Plugin description"));
    m_descriptionMemo = new QPlainTextEdit;
    m_descriptionMemo->setObjectName(QStringLiteral("PluginDescriptionMemo"));
    m_descriptionMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_descriptionMemo->setEnabled(false);
    label->setBuddy(m_descriptionMemo);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 4, 8, 0);
    column->addWidget(label);
    column->addWidget(m_descriptionMemo, 1);
    return panel;
}

QWidget* GroupsPluginsController::buildImagePanel() {
    auto* panel = new QWidget;
    panel->setFixedHeight(150);

    m_imageEdit = Components::edit(QStringLiteral("PluginImageEdit"));
    m_imageEdit->setReadOnly(true);
    m_imageEdit->setEnabled(false);
    m_chooseImageButton = Components::button(QStringLiteral("ChoosePluginImageButton"),
                                             QStringLiteral("Choose"), false);
    m_clearImageButton = Components::button(QStringLiteral("ClearPluginImageButton"),
                                            QStringLiteral("Clear"), false);

    QWidget* preview = PicturePreview::create(
        {QStringLiteral("Shape3"), QStringLiteral("NoImageLabel"), QStringLiteral("PluginImage")},
        &m_pluginImage);

    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(m_chooseImageButton);
    imageRow->addWidget(m_clearImageButton);
    imageRow->addStretch(1);
    auto* controls = new QVBoxLayout;
    controls->addLayout(labelledEdit(m_imageEdit, QStringLiteral("Plugin image")));
    controls->addLayout(imageRow);
    controls->addStretch(1);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);
    row->addLayout(controls, 1);
    row->addWidget(preview, 0, Qt::AlignTop);
    return panel;
}

void GroupsPluginsController::buildFilesBox() {
    m_filesBox = new QGroupBox(QStringLiteral("Files"));
    m_filesBox->setObjectName(QStringLiteral("FilesGroupBox"));
    m_pluginFiles = new FileListPair(
        {QStringLiteral("FilesPanel"), QStringLiteral("SrcFilesListView"),
         QStringLiteral("DstFilesListView"), QStringLiteral("CpyLabel"),
         QStringLiteral("DataLabel"), QStringLiteral("AddFileButton"),
         QStringLiteral("AddFolderButton"), QStringLiteral("RemoveFileFolderButton")},
        [this]() -> QList<CFile>* {
            CPlugin* plugin = selectedPlugin();
            return plugin ? &plugin->vFiles : nullptr;
        },
        {[this] { return m_state.sRootDir; }, false,
         QStringLiteral("Folder is out of root directory")},
        m_window);
    m_pluginFiles->setAddEnabled(false);
    auto* layout = new QVBoxLayout(m_filesBox);
    layout->addWidget(m_pluginFiles->panel());
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

    connect(m_descriptionMemo, &QPlainTextEdit::textChanged, this,
            &GroupsPluginsController::PluginDescriptionMemoChange);
    connect(m_chooseImageButton, &QPushButton::clicked, this,
            &GroupsPluginsController::ChoosePluginImageButtonClick);
    connect(m_clearImageButton, &QPushButton::clicked, this,
            &GroupsPluginsController::ClearPluginImageButtonClick);

    connect(m_pluginFiles->sourceList(), &QTableWidget::itemSelectionChanged, this,
            &GroupsPluginsController::SrcFilesListViewSelectItem);
    connect(m_pluginFiles->destinationList(), &QTableWidget::itemSelectionChanged, this,
            &GroupsPluginsController::DstFilesListViewSelectItem);

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
    KeyConventions::tabLeavesMemo(m_descriptionMemo);
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
    m_pluginFiles->clear();
    {
        // Emptying the memo is no edit of the description.
        const QSignalBlocker blocker(m_descriptionMemo);
        m_descriptionMemo->clear();
    }
    m_imageEdit->clear();
    m_pluginImage->clear();
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
    m_pluginFiles->clear();
    {
        // Emptying runs no change handler: no plugin is selected any more.
        const QSignalBlocker blocker(m_descriptionMemo);
        m_descriptionMemo->clear();
    }
    m_imageEdit->clear();
    m_pluginImage->clear();
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
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_removePluginButton, m_descriptionMemo, m_chooseImageButton, m_clearImageButton,
             m_imageEdit, m_pluginFiles->addFileButton(), m_pluginFiles->addFolderButton(),
             m_pluginUpButton, m_pluginDownButton})
        w->setEnabled(false);
    m_flagSet->setPluginSelected(false);

    clearPluginDetails();

    const int p = selectedPluginRow();
    CPlugin* plugin = selectedPlugin();
    if (plugin) {
        m_flagSet->appendRows(plugin->vConditionFlags);
        m_pluginFiles->appendRows(plugin->vFiles);

        // The memo shows the description as typed; showing it runs the change handler, which
        // stores it normalised.
        m_descriptionMemo->setPlainText(Escaping::pluginDescriptionForMemo(
            plugin->sDescription, Settings::instance().bReplaceRN));

        const QString image = plugin->sImage;
        m_imageEdit->setText(image);
        if (!image.isEmpty()) {
            const QString native = Paths::storedToNative(m_state.sRootDir, image);
            QFile file(native);
            if (file.open(QIODevice::ReadOnly)) {
                file.close();
                // A picture that cannot be decoded leaves the preview on "[No image]".
                PicturePreview::show(m_pluginImage, Pictures::loadPreview(native));
            } else {
                Prompts::message(m_window, QStringLiteral("Image file not found. Image field for "
                                                          "this plugin will be cleared."));
                // The path goes at once, so the message comes only once per broken path.
                if (CPlugin* shown = selectedPlugin())
                    shown->sImage.clear();
                m_imageEdit->clear();
            }
        }

        for (QWidget* w : std::initializer_list<QWidget*>{
                 m_removePluginButton, m_descriptionMemo, m_chooseImageButton, m_clearImageButton,
                 m_imageEdit, m_pluginFiles->addFileButton(), m_pluginFiles->addFolderButton()})
            w->setEnabled(true);
        m_flagSet->setPluginSelected(true);
        m_pluginUpButton->setEnabled(p > 0);
        m_pluginDownButton->setEnabled(p < m_pluginListView->rowCount() - 1);
    }
    m_dependencies->showSelectedPlugin();
    SrcFilesListViewSelectItem();
}

void GroupsPluginsController::SrcFilesListViewSelectItem() {
    m_pluginFiles->sourceSelectItem();
}

void GroupsPluginsController::DstFilesListViewSelectItem() {
    m_pluginFiles->destinationSelectItem();
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
}

void GroupsPluginsController::GroupUpButtonClick() {
    moveGroup(-1);
}

void GroupsPluginsController::GroupDownButtonClick() {
    moveGroup(+1);
}

void GroupsPluginsController::moveGroup(int offset) {
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
}

void GroupsPluginsController::GroupListViewEdited(QTableWidgetItem* item) {
    CStep* step = currentStep();
    if (!item || item->column() != 0 || !step)
        return;
    const int row = item->row();
    if (row < 0 || row >= step->vGroups.size())
        return;
    step->vGroups[row].sName = item->text();
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
}

void GroupsPluginsController::PluginUpButtonClick() {
    movePlugin(-1);
}

void GroupsPluginsController::PluginDownButtonClick() {
    movePlugin(+1);
}

void GroupsPluginsController::movePlugin(int offset) {
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
}

void GroupsPluginsController::PluginListViewEdited(QTableWidgetItem* item) {
    CPluginGroup* group = selectedGroup();
    if (!item || item->column() != 0 || !group)
        return;
    const int row = item->row();
    if (row < 0 || row >= group->vPlugins.size())
        return;
    group->vPlugins[row].sName = item->text();
}

// ---------------------------------------------------------------------------------------------
// Description and image

void GroupsPluginsController::PluginDescriptionMemoChange() {
    CPlugin* plugin = selectedPlugin();
    if (!plugin)
        return;
    plugin->sDescription = Escaping::normalisePluginDescription(
        Components::memoText(m_descriptionMemo), Settings::instance().bReplaceRN);
}

void GroupsPluginsController::ChoosePluginImageButtonClick() {
    if (!selectedPlugin())
        return;
    const std::optional<QString> stored =
        ImageChooser::choose(m_window, m_state.sRootDir, m_imageEdit, m_pluginImage);
    if (!stored)
        return;
    if (CPlugin* plugin = selectedPlugin())
        plugin->sImage = *stored;
}

void GroupsPluginsController::ClearPluginImageButtonClick() {
    CPlugin* plugin = selectedPlugin();
    if (!plugin)
        return;
    m_imageEdit->clear();
    m_pluginImage->clear();
    plugin->sImage.clear();
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
    m_state.iEditedRow = row;

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
        m_state.iEditedRow = -1;
    EditGroupTypeComboBoxExit();
    return true;
}

void GroupsPluginsController::EditGroupTypeComboBoxExit() {
    // Hiding the box takes its focus away, which reports the exit a second time.
    if (!m_typeBoxOpen)
        return;
    m_typeBoxOpen = false;
    const int row = m_state.iEditedRow;
    // Only into the group the box was opened on: the same step, its rows unchanged since (every
    // command that changes them ends the edit first).
    CStep* step = m_state.iCurrentStep == m_typeBoxStep ? currentStep() : nullptr;
    if (row >= 0 && step && row < step->vGroups.size()) {
        const QString type = m_editGroupTypeComboBox->currentText();
        if (QTableWidgetItem* item = m_groupListView->item(row, 1))
            item->setText(type);
        step->vGroups[row].sType = type;
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
