#include "editor/MainForm.h"

#include "editor/CheckCommand.h"
#include "editor/CheckDock.h"
#include "editor/ConditionalInstallsController.h"
#include "editor/Document.h"
#include "editor/DocumentCommands.h"
#include "editor/FileListPair.h"
#include "editor/FilePriorityEditor.h"
#include "editor/GroupsPluginsController.h"
#include "editor/HelpPage.h"
#include "editor/ModInfoPage.h"
#include "editor/NotKeptBar.h"
#include "editor/PlaceNavigator.h"
#include "editor/PluginDependenciesController.h"
#include "editor/RequiredInstallsController.h"
#include "editor/SaveCommand.h"
#include "editor/StepsController.h"
#include "editor/UndoHistory.h"
#include "platform/ProgramInfo.h"
#include "settings/LanguageTable.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

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

QFont interfaceFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPointSize(8);
        return tahoma;
    }
    return QApplication::font();
}

} // namespace

TMainForm::TMainForm(const QString& programDir, QWidget* parent)
    : QMainWindow(parent),
      m_programDir(programDir.isEmpty() ? ProgramInfo::programDir() : programDir) {
    setObjectName(QStringLiteral("TMainForm"));
    setFont(interfaceFont());

    buildMenu();

    m_document = new Document(this);
    m_modInfo = new ModInfoPage(*m_document, this);
    // The groups controller builds its boxes first: the steps page places them.
    m_groupsPlugins =
        new GroupsPluginsController(*m_document, Settings::instance().bReplaceRN, this);
    m_required = new RequiredInstallsController(*m_document, this);
    m_conditional = new ConditionalInstallsController(*m_document, this);
    m_steps = new StepsController(*m_document, *m_groupsPlugins, *m_conditional, this);

    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    // Like the step tabs: choosing a page ends an edit in progress before the rebuild.
    if (auto* tabs = m_pageControl->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        tabs->setFocusPolicy(Qt::StrongFocus);
    m_pageControl->addTab(m_modInfo->page(), QStringLiteral("Mod info"));
    m_pageControl->addTab(m_steps->page(), QStringLiteral("Steps"));
    m_pageControl->addTab(m_required->page(), QStringLiteral("Required installations"));
    m_pageControl->addTab(m_conditional->page(), QStringLiteral("Conditional installations"));
    m_pageControl->addTab(HelpPage::create(), QStringLiteral("Help"));
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
    m_pageControl->setCurrentIndex(0);
    setWindowTitle(QStringLiteral("Quarvel ") + ProgramInfo::versionText());

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

void TMainForm::buildFloatingControls() {
    // Children of the window above the pages, shown by their commands when needed.
    m_save = new SaveCommand(*m_document, m_programDir, this);

    m_filePriority = new FilePriorityEditor(*m_document, this);
    for (FileListPair* files :
         {m_groupsPlugins->pluginFiles(), m_required->files(), m_conditional->files()})
        m_filePriority->attach(files);

    m_documents = new DocumentCommands(*m_document, *m_groupsPlugins, m_programDir, m_recentMenu,
                                       m_recentTemplate, m_mergeMenu, this);

    m_checkDock = new CheckDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_checkDock);
    m_checkDock->hide();
    m_check = new CheckCommand(*m_document, *m_checkDock, *m_notKeptBar, this);
    m_navigator =
        std::make_unique<PlaceNavigator>(*m_document, m_pageControl, m_modInfo->page(), *m_steps,
                                         *m_groupsPlugins, *m_required, *m_conditional);
}

void TMainForm::connectHandlers() {
    // Every page shows a new project; then the check learns what reading it found.
    connect(m_document, &Document::replaced, this, &TMainForm::showProject);
    connect(m_document, &Document::replaced, this,
            [this] { m_check->projectReplaced(m_document->readReport()); });
    connect(m_document, &Document::reshaped, this, &TMainForm::showReshapedProject);
    connect(m_document, &Document::savedChanged, this, &TMainForm::updateHistoryState);
    m_document->setViewHooks([this] { return viewState(); },
                             [this](const ViewState& view) { showViewState(view); });
    // The undo history follows every selection that is part of what it restores.
    UndoHistory* history = m_document->history();
    connect(m_pageControl, &QTabWidget::currentChanged, history, &UndoHistory::followView);
    connect(m_steps, &StepsController::viewChanged, history, &UndoHistory::followView);
    connect(m_groupsPlugins, &GroupsPluginsController::viewChanged, history,
            &UndoHistory::followView);
    connect(m_groupsPlugins->pluginDependencies(), &PluginDependenciesController::viewChanged,
            history, &UndoHistory::followView);
    connect(m_conditional, &ConditionalInstallsController::viewChanged, history,
            &UndoHistory::followView);
    connect(history, &UndoHistory::changed, this, &TMainForm::updateHistoryState);
    connect(history, &UndoHistory::changed, m_check, &CheckCommand::projectChanged);

    connect(m_pageControl, &QTabWidget::currentChanged, this, &TMainForm::StepsTabControlChange);
    connect(m_groupsPlugins, &GroupsPluginsController::rebuildRequested, this,
            &TMainForm::StepsTabControlChange);
    connect(m_modInfo, &ModInfoPage::proceedRequested, this, &TMainForm::proceed);
    connect(m_newMenu, &QAction::triggered, m_documents, &DocumentCommands::NewMenuClick);
    connect(m_openMenu, &QAction::triggered, m_documents, &DocumentCommands::OpenMenuClick);
    connect(m_openFileMenu, &QAction::triggered, m_documents, &DocumentCommands::OpenfileMenuClick);
    connect(m_mergeMenu, &QAction::triggered, m_documents, &DocumentCommands::MergeFOMODMenuClick);
    connect(m_saveMenu, &QAction::triggered, m_save, &SaveCommand::SaveMenuClick);
    // Preview is offered whenever Save is: both need an open project.
    connect(m_saveMenu, &QAction::enabledChanged, m_previewMenu, &QAction::setEnabled);
    connect(m_saveMenu, &QAction::enabledChanged, m_checkMenu, &QAction::setEnabled);
    connect(m_checkMenu, &QAction::triggered, m_check, &CheckCommand::CheckMenuClick);
    connect(m_notKeptBar, &NotKeptBar::showRequested, m_check, &CheckCommand::showNotKept);
    connect(m_checkDock, &CheckDock::findingChosen, this,
            [this](const ProjectPlace& place) { m_navigator->show(place); });
    connect(m_exitMenu, &QAction::triggered, this, &TMainForm::ExitMenuClick);
    connect(m_undoMenu, &QAction::triggered, this, &TMainForm::UndoMenuClick);
    connect(m_redoMenu, &QAction::triggered, this, &TMainForm::RedoMenuClick);

    m_documents->setDropGuard([this] { return mayDropProject(); });
    connect(m_save, &SaveCommand::saved, m_document, &Document::markSaved);
    connect(m_save, &SaveCommand::saved, m_check, &CheckCommand::projectSaved);
    connect(m_save, &SaveCommand::saved, this, &TMainForm::showRecentFiles);
}

ViewState TMainForm::viewState() const {
    ViewState view;
    view.iPage = m_pageControl->currentIndex();
    view.iStep = m_document->iCurrentStep;
    view.iStepsPage = m_steps->stepsPageIndex();
    view.iGroup = m_groupsPlugins->selectedGroupRow();
    view.iPlugin = m_groupsPlugins->selectedPluginRow();
    view.iPluginPattern = m_groupsPlugins->pluginDependencies()->currentPatternIndex();
    view.iConditionalPattern = m_conditional->currentPatternIndex();
    return view;
}

// The same page, step, group, plugin and patterns as when the project was as it is again.
void TMainForm::showViewState(const ViewState& view) {
    {
        const QSignalBlocker block(m_pageControl);
        m_pageControl->setCurrentIndex(view.iPage);
    }
    m_steps->showStepAt(view.iStep, view.iStepsPage);
    StepsTabControlChange();
    m_groupsPlugins->selectGroupAndPlugin(view.iGroup, view.iPlugin);
    m_groupsPlugins->pluginDependencies()->showPattern(view.iPluginPattern);
    m_conditional->showPattern(view.iConditionalPattern);
}

void TMainForm::showProject() {
    const std::optional<Document::Opening>& opening = m_document->opening();
    m_modInfo->clearModInfo();
    if (opening && opening->bInfoRead)
        m_modInfo->showModInfo();
    m_modInfo->showRootDir();
    if (!opening) {
        m_steps->showStepTabs({});
        m_required->showFiles();
        m_conditional->showPatterns();
        m_steps->clearStepName();
        setEditingEnabled(false);
        // The steps view must not keep showing the groups of the project just dropped.
        StepsTabControlChange();
        m_document->iCurrentStep = 0;
        return;
    }
    showProjectPages();
    setEditingEnabled(true);
}

void TMainForm::showReshapedProject() {
    m_modInfo->clearModInfo();
    m_modInfo->showModInfo();
    showProjectPages();
}

void TMainForm::showProjectPages() {
    // An open group type box ends into the project it was opened on.
    m_groupsPlugins->EditGroupTypeComboBoxExit();
    QStringList names;
    for (const CStep& step : m_document->project.vSteps)
        names.append(step.sName);
    // The first tab added to the empty strip becomes the current one.
    m_steps->showStepTabs(names);
    m_required->showFiles();
    m_conditional->showPatterns();
    StepsTabControlChange();
}

void TMainForm::proceed(const EditName& name) {
    Document& document = *m_document;
    document.project.vSteps.append(
        CStep(QStringLiteral("Step") + QString::number(document.iStepCount() + 1)));
    m_steps->appendStepTab(QString());
    setEditingEnabled(true);
    StepsTabControlChange();
    document.edited(name);
}

// The caption of a menu item in the language shown, or its own when the language has none.
static QString menuCaption(const QString& key, const QString& layoutCaption) {
    const QString caption = Language::lookup(key);
    return caption == key ? layoutCaption : caption;
}

void TMainForm::updateHistoryState() {
    const UndoHistory* history = m_document->history();
    const QString undo = menuCaption(QStringLiteral("UndoMenu"), QStringLiteral("Undo"));
    const QString redo = menuCaption(QStringLiteral("RedoMenu"), QStringLiteral("Redo"));
    m_undoMenu->setEnabled(history->canUndo());
    m_undoMenu->setText(history->canUndo() ? undo + QLatin1Char(' ') + history->undoLabel() : undo);
    m_redoMenu->setEnabled(history->canRedo());
    m_redoMenu->setText(history->canRedo() ? redo + QLatin1Char(' ') + history->redoLabel() : redo);
    const QString title = QStringLiteral("Quarvel ") + ProgramInfo::versionText();
    setWindowTitle(m_document->hasUnsavedChanges() ? title + QStringLiteral(" *") : title);
}

bool TMainForm::mayDropProject() {
    m_document->history()->checkpoint();
    if (!m_document->hasUnsavedChanges())
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
    m_document->history()->undo();
}

void TMainForm::RedoMenuClick() {
    m_document->history()->redo();
}

void TMainForm::StepsTabControlChange() {
    m_steps->rebuild();
}

void TMainForm::setEditingEnabled(bool editing) {
    for (int i = 1; i <= 3; ++i)
        m_pageControl->widget(i)->setEnabled(editing);
    {
        const QSignalBlocker block(m_pageControl);
        m_pageControl->setCurrentIndex(editing ? 1 : 0);
    }
    m_modInfo->setWorkspaceEnabled(!editing);
    m_saveMenu->setEnabled(editing);
    m_mergeMenu->setEnabled(editing);
}

void TMainForm::applyMenuVisibility(const SSettings& settings) {
    m_openMenu->setVisible(!settings.bHideOpenFolder);
    m_openFileMenu->setVisible(!settings.bHideOpenFile);
}

void TMainForm::showRecentFiles() {
    m_documents->showRecentFiles();
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
