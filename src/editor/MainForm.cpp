#include "editor/MainForm.h"

#include "dialogs/PreviewForm.h"
#include "editor/CheckCommand.h"
#include "editor/CheckDock.h"
#include "editor/ConditionalInstallsController.h"
#include "editor/DocumentCommands.h"
#include "editor/FileListPair.h"
#include "editor/FilePriorityEditor.h"
#include "editor/GroupsPluginsController.h"
#include "editor/HelpText.h"
#include "editor/NotKeptBar.h"
#include "editor/PlaceNavigator.h"
#include "editor/PluginDependenciesController.h"
#include "editor/RequiredInstallsController.h"
#include "editor/SaveCommand.h"
#include "editor/StepsController.h"
#include "editor/UndoHistory.h"
#include "installer/Escaping.h"
#include "model/Vocabulary.h"
#include "platform/Paths.h"
#include "platform/ProgramInfo.h"
#include "settings/LanguageTable.h"
#include "ui/Components.h"
#include "ui/ImageChooser.h"
#include "ui/KeyConventions.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int kWideEdit = 346;
constexpr int kNarrowEdit = 146;

QAction* makeAction(QMenu* menu, const QString& name, const QString& caption,
                    const QKeySequence& shortcut = QKeySequence()) {
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction* makeSeparator(QMenu* menu, const QString& name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

// A label above its control, as one field of the column.
void addField(QVBoxLayout* column, QLabel* label, QWidget* control) {
    label->setBuddy(control);
    auto* field = new QVBoxLayout;
    field->setSpacing(2);
    field->addWidget(label);
    field->addWidget(control, 0, Qt::AlignLeft);
    column->addLayout(field);
}

QFont interfaceFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPointSize(8);
        return tahoma;
    }
    return QApplication::font();
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TMainForm"));
    setFont(interfaceFont());

    buildMenu();

    // The groups controller builds its boxes first: the steps page places them.
    m_groupsPlugins = new GroupsPluginsController(*this, this);
    m_required = new RequiredInstallsController(*this, this);
    m_conditional = new ConditionalInstallsController(*this, this);
    m_steps = new StepsController(*this, *m_groupsPlugins, *m_conditional, this);

    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    // Like the step tabs: choosing a page ends an edit in progress before the rebuild.
    if (auto* tabs = m_pageControl->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        tabs->setFocusPolicy(Qt::StrongFocus);
    m_pageControl->addTab(buildModInfoPage(), QStringLiteral("Mod info"));
    m_pageControl->addTab(m_steps->page(), QStringLiteral("Steps"));
    m_pageControl->addTab(m_required->page(), QStringLiteral("Required installations"));
    m_pageControl->addTab(m_conditional->page(), QStringLiteral("Conditional installations"));
    m_pageControl->addTab(buildHelpPage(), QStringLiteral("Help"));
    // A disabled page can still be opened by its tab; only its contents are locked.
    for (int i = 1; i <= 3; ++i)
        m_pageControl->widget(i)->setEnabled(false);
    // The bar about what an opened file holds that saving drops sits above the pages.
    auto* mainPanel = new QWidget(this);
    mainPanel->setObjectName(QStringLiteral("MainPanel"));
    m_notKeptBar = new NotKeptBar(mainPanel);
    auto* mainLayout = new QVBoxLayout(mainPanel);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(m_notKeptBar);
    mainLayout->addWidget(m_pageControl, 1);
    setCentralWidget(mainPanel);

    buildFloatingControls();
    connectHandlers();
    FormCreate();

    // The client area below the menu is 1108 x 858.
    resize(1108, 858 + menuBar()->sizeHint().height());
    setMinimumSize(550, 650);
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TMainForm::~TMainForm() = default;

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* fomod = bar->addMenu(QStringLiteral("FOMOD"));
    fomod->setObjectName(QStringLiteral("FOMODMenu"));
    m_newMenu = makeAction(fomod, QStringLiteral("NewMenu"), QStringLiteral("New"));
    m_openMenu = makeAction(fomod, QStringLiteral("OpenMenu"), QStringLiteral("Open folder"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    m_openFileMenu = makeAction(fomod, QStringLiteral("OpenfileMenu"), QStringLiteral("Open file"));
    m_saveMenu = makeAction(fomod, QStringLiteral("SaveMenu"), QStringLiteral("Save"),
                            QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveMenu->setEnabled(false);
    m_mergeMenu =
        makeAction(fomod, QStringLiteral("MergeFOMODMenu"), QStringLiteral("Merge FOMOD"));
    m_mergeMenu->setEnabled(false);
    m_previewMenu = makeAction(fomod, QStringLiteral("PreviewMenu"), QStringLiteral("Preview"),
                               QKeySequence(Qt::Key_F5));
    m_previewMenu->setEnabled(false);
    m_checkMenu = makeAction(fomod, QStringLiteral("CheckMenu"), QStringLiteral("Check"),
                             QKeySequence(Qt::Key_F7));
    m_checkMenu->setEnabled(false);
    m_recentMenu = fomod->addMenu(QStringLiteral("Recent"));
    m_recentMenu->setObjectName(QStringLiteral("RecentMenu"));
    // The template entry shares its click handler with the recent entries; shown as a line.
    m_recentTemplate = m_recentMenu->addSeparator();
    m_recentTemplate->setObjectName(QStringLiteral("RecentFileTemplate"));
    m_recentTemplate->setText(QStringLiteral("-"));
    m_recentTemplate->setEnabled(false);
    makeSeparator(fomod, QStringLiteral("N1"));
    m_exitMenu = makeAction(fomod, QStringLiteral("ExitMenu"), QStringLiteral("Exit"),
                            QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* editMenu = bar->addMenu(QStringLiteral("Edit"));
    editMenu->setObjectName(QStringLiteral("EditMenu"));
    m_undoMenu = makeAction(editMenu, QStringLiteral("UndoMenu"), QStringLiteral("Undo"),
                            QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoMenu = makeAction(editMenu, QStringLiteral("RedoMenu"), QStringLiteral("Redo"),
                            QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_redoMenu->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_undoMenu->setEnabled(false);
    m_redoMenu->setEnabled(false);

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("OptionsMenu"));
    m_settingsMenu =
        makeAction(options, QStringLiteral("SettingsMenu"), QStringLiteral("Settings"));
    makeSeparator(options, QStringLiteral("N2"));
    m_runBeforeSaveMenu =
        makeAction(options, QStringLiteral("RunBeforeSaveMenu"), QStringLiteral("Run before save"));
    m_runAfterSaveMenu =
        makeAction(options, QStringLiteral("RunAfterSaveMenu"), QStringLiteral("Run after save"));
}

QWidget* TMainForm::buildModInfoPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ModInfoTabSheet"));

    // The mod's information: one column of labelled fields above the description.
    auto* info = new QGroupBox(QStringLiteral("Mod infornation"), page);
    info->setObjectName(QStringLiteral("ModInfoGroupBox"));

    auto* fieldsPanel = new QWidget(info);
    fieldsPanel->setObjectName(QStringLiteral("ModInfoFieldsPanel"));
    // At least the classic 290 pixels; more when the platform font needs it.
    fieldsPanel->setMinimumHeight(290);
    fieldsPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* fields = new QVBoxLayout(fieldsPanel);
    fields->setContentsMargins(14, 4, 14, 4);
    fields->setSpacing(6);

    m_modName = Components::edit(QStringLiteral("ModNameEdit"), fieldsPanel);
    m_modName->setFixedWidth(kWideEdit);
    m_modAuthor = Components::edit(QStringLiteral("ModAuthorEdit"), fieldsPanel);
    m_modAuthor->setFixedWidth(kWideEdit);
    m_modVersion = Components::edit(QStringLiteral("ModVersionEdit"), fieldsPanel);
    m_modVersion->setFixedWidth(kNarrowEdit);
    m_modURL = Components::edit(QStringLiteral("ModURLEdit"), fieldsPanel);
    m_modURL->setFixedWidth(kWideEdit);
    m_modCategory = Components::comboBox(QStringLiteral("ModCategoryComboBox"),
                                         Vocabulary::modCategories(), true, true, fieldsPanel);
    m_modCategory->setMaxVisibleItems(20);
    m_modCategory->setCurrentIndex(-1);
    m_modCategory->setFixedWidth(kWideEdit);
    addField(
        fields,
        Components::label(QStringLiteral("ModNameLabel"), QStringLiteral("Mod name"), fieldsPanel),
        m_modName);
    addField(fields,
             Components::label(QStringLiteral("ModAuthorLabel"), QStringLiteral("Mod author"),
                               fieldsPanel),
             m_modAuthor);
    addField(fields,
             Components::label(QStringLiteral("ModVersionLabel"), QStringLiteral("Mod version"),
                               fieldsPanel),
             m_modVersion);
    addField(fields,
             Components::label(QStringLiteral("ModURLLabel"), QStringLiteral("Mod page on Nexus"),
                               fieldsPanel),
             m_modURL);
    addField(fields,
             Components::label(QStringLiteral("ModCategoryLabel"), QStringLiteral("Mod category"),
                               fieldsPanel),
             m_modCategory);

    // Header image: the stored path, its two buttons and the preview on their right.
    m_headerImageEdit = Components::edit(QStringLiteral("ModHeaderImageEdit"), fieldsPanel);
    m_headerImageEdit->setFixedWidth(kWideEdit);
    // It shares its row with the buttons and the preview: in a narrow window it gives way.
    m_headerImageEdit->setMinimumWidth(120);
    m_chooseHeaderImage = Components::button(QStringLiteral("ChooseHeaderImageButton"),
                                             QStringLiteral("Choose"), true, fieldsPanel);
    m_clearHeaderImage = Components::button(QStringLiteral("ClearHeaderImageButton"),
                                            QStringLiteral("Clear"), true, fieldsPanel);
    QWidget* preview =
        PicturePreview::create({QStringLiteral("Shape4"), QStringLiteral("NoHeaderImageLabel"),
                                QStringLiteral("HeaderImage")},
                               &m_headerImage, fieldsPanel);
    preview->setObjectName(QStringLiteral("HeaderImagePanel"));

    auto* headerLabel = Components::label(QStringLiteral("ModHeaderImageLabel"),
                                          QStringLiteral("Mod header image"), fieldsPanel);
    headerLabel->setBuddy(m_headerImageEdit);
    auto* headerButtons = new QVBoxLayout;
    headerButtons->setSpacing(4);
    headerButtons->addWidget(m_chooseHeaderImage);
    headerButtons->addWidget(m_clearHeaderImage);
    headerButtons->addStretch(1);
    auto* headerEdit = new QVBoxLayout;
    headerEdit->setSpacing(2);
    headerEdit->addWidget(headerLabel);
    headerEdit->addWidget(m_headerImageEdit);
    headerEdit->addStretch(1);
    auto* headerRow = new QHBoxLayout;
    headerRow->setSpacing(8);
    headerRow->addLayout(headerEdit, 1);
    headerRow->addLayout(headerButtons);
    headerRow->addWidget(preview, 0, Qt::AlignTop);
    headerRow->addStretch(0); // takes only what the edit, at its widest, leaves
    fields->addLayout(headerRow, 1);

    auto* descriptionLabel = Components::label(QStringLiteral("ModDescriptionLabel"),
                                               QStringLiteral("Mod description"), info);
    m_modDescription = new QPlainTextEdit(info);
    m_modDescription->setObjectName(QStringLiteral("ModDesccriptionMemo"));
    m_modDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descriptionLabel->setBuddy(m_modDescription);
    KeyConventions::tabLeavesMemo(m_modDescription);

    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->setContentsMargins(0, 4, 0, 14);
    infoLayout->setSpacing(2);
    infoLayout->addWidget(fieldsPanel);
    auto* descriptionLayout = new QVBoxLayout;
    descriptionLayout->setContentsMargins(14, 0, 14, 0);
    descriptionLayout->setSpacing(2);
    descriptionLayout->addWidget(descriptionLabel);
    descriptionLayout->addWidget(m_modDescription, 1);
    infoLayout->addLayout(descriptionLayout, 1);

    // The workspace: the root directory that holds the fomod folder.
    auto* workspace = new QGroupBox(QStringLiteral("Workspace"), page);
    workspace->setObjectName(QStringLiteral("WorkSpaceGroupBox"));
    workspace->setFixedHeight(64);
    auto* rootLabel = Components::label(QStringLiteral("RootDirLabel"),
                                        QStringLiteral("Root directory"), workspace);
    m_rootDirEdit = Components::edit(QStringLiteral("RootDirEdit"), workspace);
    rootLabel->setBuddy(m_rootDirEdit);
    m_openRootDir = Components::button(QStringLiteral("OpenRootDirButton"), QStringLiteral("Open"),
                                       true, workspace);
    auto* workspaceRow = new QHBoxLayout(workspace);
    workspaceRow->setContentsMargins(14, 4, 14, 8);
    workspaceRow->addWidget(rootLabel);
    workspaceRow->addWidget(m_rootDirEdit, 1);
    workspaceRow->addWidget(m_openRootDir);

    auto* proceedBar = new QWidget(page);
    proceedBar->setObjectName(QStringLiteral("ProceedPanel"));
    proceedBar->setFixedHeight(48);
    m_proceed = Components::button(QStringLiteral("ProceedButton"), QStringLiteral("Proceed"),
                                   false, proceedBar);
    m_proceed->setMinimumWidth(100);
    auto* proceedRow = new QHBoxLayout(proceedBar);
    proceedRow->setContentsMargins(4, 8, 4, 8);
    proceedRow->addStretch(1);
    proceedRow->addWidget(m_proceed);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(info, 1);
    layout->addWidget(workspace);
    layout->addWidget(proceedBar);
    return page;
}

QWidget* TMainForm::buildHelpPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("InfoTabSheet"));
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The guide's own lines fit the narrowest window; a larger interface text wraps them
    // rather than hiding their ends.
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setPlainText(HelpText::quickGuide());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    return page;
}

void TMainForm::buildFloatingControls() {
    // Children of the window above the pages, shown by their commands when needed.
    m_save = new SaveCommand(*this, this);

    m_filePriority = new FilePriorityEditor(*this, this);
    for (FileListPair* files :
         {m_groupsPlugins->pluginFiles(), m_required->files(), m_conditional->files()})
        m_filePriority->attach(files);

    m_documents = new DocumentCommands(*this, *m_steps, *m_required, *m_conditional, m_recentMenu,
                                       m_recentTemplate);

    m_checkDock = new CheckDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_checkDock);
    m_checkDock->hide();
    m_check = new CheckCommand(*this, *m_checkDock, *m_notKeptBar, this);
    m_navigator =
        std::make_unique<PlaceNavigator>(*this, m_pageControl, m_pageControl->widget(0), *m_steps,
                                         *m_groupsPlugins, *m_required, *m_conditional);
}

void TMainForm::connectHandlers() {
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] { StepsTabControlChange(); });
    connect(m_groupsPlugins, &GroupsPluginsController::rebuildRequested, this,
            &TMainForm::StepsTabControlChange);
    connect(m_modName, &QLineEdit::textChanged, this, [this] { ModNameEditChange(); });
    connect(m_modAuthor, &QLineEdit::textChanged, this, [this] { ModAuthorEditChange(); });
    connect(m_modVersion, &QLineEdit::textChanged, this, [this] { ModVersionEditChange(); });
    connect(m_modURL, &QLineEdit::textChanged, this, [this] { ModURLEditChange(); });
    connect(m_modCategory, &QComboBox::editTextChanged, this, [this] { ModCategoryEditChange(); });
    connect(m_modDescription, &QPlainTextEdit::textChanged, this,
            [this] { ModDesccriptionMemoChange(); });
    connect(m_openRootDir, &QPushButton::clicked, this, [this] { OpenRootDirButtonClick(); });
    connect(m_rootDirEdit, &QLineEdit::textChanged, this, [this] { RootDirEditChange(); });
    connect(m_proceed, &QPushButton::clicked, this, [this] { ProceedButtonClick(); });
    connect(m_chooseHeaderImage, &QPushButton::clicked, this,
            [this] { ChooseHeaderImageButtonClick(); });
    connect(m_clearHeaderImage, &QPushButton::clicked, this,
            [this] { ClearHeaderImageButtonClick(); });
    connect(m_newMenu, &QAction::triggered, m_documents, &DocumentCommands::NewMenuClick);
    connect(m_openMenu, &QAction::triggered, m_documents, &DocumentCommands::OpenMenuClick);
    connect(m_openFileMenu, &QAction::triggered, m_documents, &DocumentCommands::OpenfileMenuClick);
    connect(m_mergeMenu, &QAction::triggered, m_documents, &DocumentCommands::MergeFOMODMenuClick);
    connect(m_saveMenu, &QAction::triggered, m_save, &SaveCommand::SaveMenuClick);
    // Preview is offered whenever Save is: both need an open project.
    connect(m_saveMenu, &QAction::enabledChanged, m_previewMenu, &QAction::setEnabled);
    connect(m_previewMenu, &QAction::triggered, this, &TMainForm::PreviewMenuClick);
    connect(m_saveMenu, &QAction::enabledChanged, m_checkMenu, &QAction::setEnabled);
    connect(m_checkMenu, &QAction::triggered, m_check, &CheckCommand::CheckMenuClick);
    connect(m_notKeptBar, &NotKeptBar::showRequested, m_check, &CheckCommand::showNotKept);
    connect(m_checkDock, &CheckDock::findingChosen, this,
            [this](const ProjectPlace& place) { m_navigator->show(place); });
    connect(m_exitMenu, &QAction::triggered, this, [this] { ExitMenuClick(); });
    connect(m_undoMenu, &QAction::triggered, this, &TMainForm::UndoMenuClick);
    connect(m_redoMenu, &QAction::triggered, this, &TMainForm::RedoMenuClick);

    m_documents->setDropGuard([this] { return mayDropProject(); });
    m_history = new UndoHistory(
        this, [this] { return snapshot(); },
        [this](const EditorSnapshot& shot) { showSnapshot(shot); });
    m_history->watchCommands();
    connect(m_history, &UndoHistory::changed, this, &TMainForm::updateHistoryState);
    connect(m_history, &UndoHistory::changed, m_check, &CheckCommand::projectChanged);
    connect(m_documents, &DocumentCommands::projectReplaced, this, [this] {
        markSaved(project);
        m_history->reset();
        m_check->projectReplaced(m_documents->readReport());
    });
    connect(m_save, &SaveCommand::saved, this, &TMainForm::markSaved);
    connect(m_save, &SaveCommand::saved, m_check, &CheckCommand::projectSaved);
}

EditorSnapshot TMainForm::snapshot() const {
    ViewState view;
    view.iPage = m_pageControl->currentIndex();
    view.iStep = iCurrentStep;
    view.iStepsPage = m_steps->stepsPageIndex();
    view.iGroup = m_groupsPlugins->selectedGroupRow();
    view.iPlugin = m_groupsPlugins->selectedPluginRow();
    view.iPluginPattern = m_groupsPlugins->pluginDependencies()->currentPatternIndex();
    view.iConditionalPattern = m_conditional->currentPatternIndex();
    return {project, view};
}

// The project as it was, on every page, with the same page, step, group, plugin and patterns.
void TMainForm::showSnapshot(const EditorSnapshot& shot) {
    m_groupsPlugins->EditGroupTypeComboBoxExit(); // into the project it was opened on
    project = shot.project;
    iStepCount = qint32(project.vSteps.size());
    m_headerImage->clear();
    showModInfo();
    m_documents->showProjectPages();
    {
        const QSignalBlocker block(m_pageControl);
        m_pageControl->setCurrentIndex(shot.view.iPage);
    }
    m_steps->showStepAt(shot.view.iStep, shot.view.iStepsPage);
    StepsTabControlChange();
    m_groupsPlugins->selectGroupAndPlugin(shot.view.iGroup, shot.view.iPlugin);
    m_groupsPlugins->pluginDependencies()->showPattern(shot.view.iPluginPattern);
    m_conditional->showPattern(shot.view.iConditionalPattern);
}

bool TMainForm::hasUnsavedChanges() const {
    return !(project == m_savedProject);
}

void TMainForm::markSaved(const CFOMOD& saved) {
    m_savedProject = saved;
    updateHistoryState();
}

// The caption of a menu item in the language shown, or its own when the language has none.
static QString menuCaption(const QString& key, const QString& layoutCaption) {
    const QString caption = Language::lookup(key);
    return caption == key ? layoutCaption : caption;
}

void TMainForm::updateHistoryState() {
    const QString undo = menuCaption(QStringLiteral("UndoMenu"), QStringLiteral("Undo"));
    const QString redo = menuCaption(QStringLiteral("RedoMenu"), QStringLiteral("Redo"));
    m_undoMenu->setEnabled(m_history->canUndo());
    m_undoMenu->setText(m_history->canUndo() ? undo + QLatin1Char(' ') + m_history->undoLabel()
                                             : undo);
    m_redoMenu->setEnabled(m_history->canRedo());
    m_redoMenu->setText(m_history->canRedo() ? redo + QLatin1Char(' ') + m_history->redoLabel()
                                             : redo);
    const QString title = QStringLiteral("Quarvel ") + ProgramInfo::versionText();
    setWindowTitle(hasUnsavedChanges() ? title + QStringLiteral(" *") : title);
}

bool TMainForm::mayDropProject() {
    m_history->checkpoint();
    if (!hasUnsavedChanges())
        return true;
    switch (Prompts::askSaveDiscardCancel(
        this, QStringLiteral("The installer has unsaved changes. Save them first?"))) {
    case SaveChoice::Save:
        return m_saveMenu->isEnabled() && m_save->SaveMenuClick();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void TMainForm::UndoMenuClick() {
    m_history->undo();
}

void TMainForm::RedoMenuClick() {
    m_history->redo();
}

void TMainForm::PreviewMenuClick() {
    TPreviewForm preview(project, sRootDir, this);
    preview.exec();
}

void TMainForm::FormCreate() {
    m_pageControl->setCurrentIndex(0);
    setWindowTitle(QStringLiteral("Quarvel ") + ProgramInfo::versionText());
    sProgramDir = ProgramInfo::programDir();
}

void TMainForm::StepsTabControlChange() {
    if (m_steps)
        m_steps->StepsTabControlChange();
}

void TMainForm::ModNameEditChange() {
    project.sName = m_modName->text();
}
void TMainForm::ModAuthorEditChange() {
    project.sAuthor = m_modAuthor->text();
}
void TMainForm::ModVersionEditChange() {
    project.sVersion = m_modVersion->text();
}
void TMainForm::ModURLEditChange() {
    project.sWebsite = m_modURL->text();
}
void TMainForm::ModCategoryEditChange() {
    project.sCategory = m_modCategory->currentText();
}

void TMainForm::ModDesccriptionMemoChange() {
    project.sDescription =
        Escaping::normaliseModDescription(Components::memoText(m_modDescription));
}

void TMainForm::OpenRootDirButtonClick() {
    const QStringList chosen = Prompts::chooseFolders(this, false, sRootDir);
    if (chosen.isEmpty())
        return;
    const QString folder = chosen.first();
    const QString fomod = Paths::joinNative(folder, QStringLiteral("\\fomod"));
    if (!Paths::isDirectory(fomod)) {
        if (!Prompts::askYesNo(
                this,
                QStringLiteral("There is no 'fomod' catalog in specified directory. Create one?")))
            return;
        QDir().mkdir(fomod); // a failure shows as a disabled Proceed
    }
    m_rootDirEdit->setText(folder);
    // The edit may already have held this folder, before its fomod folder existed.
    RootDirEditChange();
}

void TMainForm::RootDirEditChange() {
    sRootDir = m_rootDirEdit->text();
    if (sRootDir.isEmpty())
        return;
    m_proceed->setEnabled(
        Paths::isDirectory(Paths::joinNative(sRootDir, QStringLiteral("\\fomod"))));
}

void TMainForm::ProceedButtonClick() {
    project.vSteps.append(CStep(QStringLiteral("Step") + QString::number(iStepCount + 1)));
    m_steps->appendStepTab(QString());
    iStepCount = qint32(project.vSteps.size());
    setEditingEnabled(true);
    StepsTabControlChange();
}

void TMainForm::showModInfo() {
    m_modName->setText(project.sName);
    m_modAuthor->setText(project.sAuthor);
    m_modVersion->setText(project.sVersion);
    m_modURL->setText(project.sWebsite);
    m_headerImageEdit->setText(project.sImage);
    if (!project.sImage.isEmpty())
        PicturePreview::show(
            m_headerImage, Pictures::loadPreview(Paths::storedToNative(sRootDir, project.sImage)));
    // Copied first: the memo's and the box's change handlers write into the project.
    const QString description = project.sDescription;
    const QString category = project.sCategory;
    m_modDescription->setPlainText(Escaping::modDescriptionForMemo(description));
    m_modCategory->setEditText(category);
}

void TMainForm::clearModInfo() {
    m_headerImage->clear();
    for (QLineEdit* edit : {m_modName, m_modAuthor, m_modVersion, m_modURL, m_headerImageEdit})
        edit->clear();
    m_modCategory->setCurrentIndex(-1);
    m_modCategory->setEditText(QString());
    m_modDescription->clear();
    m_rootDirEdit->clear();
    sRootDir.clear();
}

void TMainForm::setRootDir(const QString& rootDir) {
    m_rootDirEdit->setText(rootDir);
    sRootDir = rootDir;
}

void TMainForm::setEditingEnabled(bool editing) {
    for (int i = 1; i <= 3; ++i)
        m_pageControl->widget(i)->setEnabled(editing);
    {
        const QSignalBlocker block(m_pageControl);
        m_pageControl->setCurrentIndex(editing ? 1 : 0);
    }
    m_proceed->setEnabled(!editing);
    m_openRootDir->setEnabled(!editing);
    m_rootDirEdit->setEnabled(!editing);
    m_saveMenu->setEnabled(editing);
    m_mergeMenu->setEnabled(editing);
}

void TMainForm::ChooseHeaderImageButtonClick() {
    if (const std::optional<QString> stored =
            ImageChooser::choose(this, sRootDir, m_headerImageEdit, m_headerImage))
        project.sImage = *stored;
}

void TMainForm::ClearHeaderImageButtonClick() {
    m_headerImageEdit->clear();
    m_headerImage->clear();
    project.sImage.clear();
}

void TMainForm::applyMenuVisibility(const SSettings& settings) {
    m_openMenu->setVisible(!settings.bHideOpenFolder);
    m_openFileMenu->setVisible(!settings.bHideOpenFile);
}

void TMainForm::ExitMenuClick() {
    if (mayDropProject())
        QCoreApplication::exit(0);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!mayDropProject()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::exit(0);
}
