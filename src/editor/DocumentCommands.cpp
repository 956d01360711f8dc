#include "editor/DocumentCommands.h"

#include "editor/ConditionalInstallsController.h"
#include "editor/GroupsPluginsController.h"
#include "editor/MainForm.h"
#include "editor/RequiredInstallsController.h"
#include "editor/StepsController.h"
#include "installer/Merge.h"
#include "installer/Reader.h"
#include "platform/Paths.h"
#include "settings/RecentFiles.h"
#include "settings/Settings.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {

const QString kInfoFile = QStringLiteral("\\fomod\\info.xml");
const QString kConfigFile = QStringLiteral("\\fomod\\ModuleConfig.xml");

bool isPlatformSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QDir::separator();
}

QString asciiUpper(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return upper;
}

// A chosen installer file: its name, and the folder above the folder that holds it, which is
// taken to be the root directory whatever the holding folder is called. The first character
// is never a separator that splits (a leading "/" or a drive letter stays with the root).
struct ChosenFile {
    QString sFileName;
    QString sRootDir;
};

ChosenFile splitChosenFile(const QString& path) {
    ChosenFile parts;
    qsizetype last = path.size() - 1;
    while (last >= 1 && !isPlatformSeparator(path[last]))
        --last;
    if (last < 1)
        return parts;
    parts.sFileName = path.mid(last + 1);
    qsizetype previous = last - 1;
    while (previous >= 1 && !isPlatformSeparator(path[previous]))
        --previous;
    if (previous >= 1)
        parts.sRootDir = path.left(previous);
    return parts;
}

} // namespace

DocumentCommands::DocumentCommands(TMainForm& window, StepsController& steps,
                                   RequiredInstallsController& required,
                                   ConditionalInstallsController& conditional, QMenu* recentMenu,
                                   QAction* recentTemplate)
    : QObject(&window), m_window(window), m_steps(steps), m_required(required),
      m_conditional(conditional), m_recentMenu(recentMenu), m_recentTemplate(recentTemplate) {
    RecentFiles::setMenuRebuild([this](const QStringList& entries) { rebuildRecentMenu(entries); });
}

DocumentCommands::~DocumentCommands() {
    RecentFiles::setMenuRebuild({});
}

void DocumentCommands::NewMenuClick() {
    if (!mayDrop())
        return;
    clearProject();
    emit projectReplaced();
}

void DocumentCommands::clearProject() {
    TMainForm& w = m_window;
    w.project = CFOMOD();
    m_readReport.reset();
    w.iStepCount = 0;
    w.iCurrentStep = 0;
    m_required.showFiles();
    m_steps.removeAllStepTabs();
    m_conditional.showPatterns();
    w.clearModInfo();
    m_steps.clearStepName();
    w.setEditingEnabled(false);
    // The steps view must not keep showing the groups of the project just dropped.
    w.StepsTabControlChange();
    w.iCurrentStep = 0;
}

void DocumentCommands::OpenMenuClick() {
    if (!mayDrop())
        return;
    const QStringList chosen = Prompts::chooseFolders(&m_window, false, m_window.sRootDir);
    if (chosen.isEmpty())
        return;
    const QString rootDir = chosen.first();
    if (!Paths::isDirectory(Paths::joinNative(rootDir, QStringLiteral("\\fomod")))) {
        Prompts::message(nullptr, QStringLiteral("There is no 'fomod' catalog in specified "
                                                 "directory. Choose root directory containing "
                                                 "'fomod' folder."));
        return;
    }
    openProject(rootDir, Paths::joinNative(rootDir, kInfoFile),
                Paths::joinNative(rootDir, kConfigFile));
}

void DocumentCommands::OpenfileMenuClick() {
    if (!mayDrop())
        return;
    const QStringList chosen =
        Prompts::chooseFiles(&m_window, QStringLiteral("(*.xml)"), false, m_window.sRootDir);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.first();
    const ChosenFile parts = splitChosenFile(path);
    const QString name = asciiUpper(parts.sFileName);
    if (name == QLatin1String("INFO.XML"))
        openProject(parts.sRootDir, path, Paths::joinNative(parts.sRootDir, kConfigFile));
    else if (name == QLatin1String("MODULECONFIG.XML"))
        openProject(parts.sRootDir, Paths::joinNative(parts.sRootDir, kInfoFile), path);
    else
        openProject(parts.sRootDir, QString(), QString());
}

void DocumentCommands::RecentFileTemplateClick(QAction* item) {
    const qsizetype index = m_recentMenu->actions().indexOf(item);
    const QStringList entries = RecentFiles::entries(Settings::instance());
    if (index < 0 || index >= entries.size() || !mayDrop())
        return;
    // No check that the folder is still there: then both readings fail and say so.
    const QString rootDir = entries.at(index);
    openProject(rootDir, Paths::joinNative(rootDir, kInfoFile),
                Paths::joinNative(rootDir, kConfigFile));
}

void DocumentCommands::MergeFOMODMenuClick() {
    // The donor's steps go in front: an open group type box ends on the step it was opened on.
    m_window.groupsPlugins()->EditGroupTypeComboBoxExit();
    const QStringList chosen =
        Prompts::chooseFiles(&m_window, QStringLiteral("(*.xml)"), false, m_window.sRootDir);
    if (chosen.isEmpty())
        return;
    CFOMOD donor;
    // A donor that cannot be read, wholly, changes nothing and is not reported.
    if (!InstallerReader::readConfigFile(chosen.first(), donor))
        return;
    TMainForm& w = m_window;
    mergeProjects(w.project, donor);
    showProjectPages();
    w.iStepCount = qint32(w.project.vSteps.size());
    w.iCurrentStep = w.iStepCount - 1;
    w.StepsTabControlChange();
}

void DocumentCommands::rebuildRecentMenu(const QStringList& entries) {
    for (QAction* item : m_recentMenu->actions()) {
        if (item == m_recentTemplate)
            continue;
        m_recentMenu->removeAction(item);
        // The clicked item may be the one being replaced, still inside its own signal.
        item->deleteLater();
    }
    for (const QString& entry : entries) {
        // A path may hold "&", which a caption would take for a shortcut mark.
        QString caption = entry;
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* item = new QAction(caption, m_recentMenu);
        connect(item, &QAction::triggered, this, [this, item] { RecentFileTemplateClick(item); });
        m_recentMenu->insertAction(m_recentTemplate, item);
    }
}

void DocumentCommands::openProject(const QString& rootDir, const QString& infoPath,
                                   const QString& configPath) {
    clearProject();
    m_window.setRootDir(rootDir);
    CFOMOD& project = m_window.project;
    // The second reading happens whatever became of the first; an empty path is not read.
    const bool infoRead = !infoPath.isEmpty() && InstallerReader::readInfoFile(infoPath, project);
    ReadReport report;
    const bool configRead =
        !configPath.isEmpty() &&
        InstallerReader::readConfigFile(configPath, project, nullptr, nullptr, &report);
    // A reading that failed is reported as such; its partial report would mislead.
    if (configRead)
        m_readReport = std::move(report);
    showOpenedProject(infoRead, configRead);
}

void DocumentCommands::showOpenedProject(bool infoRead, bool configRead) {
    TMainForm& w = m_window;
    if (infoRead)
        w.showModInfo();
    else
        Prompts::message(nullptr, QStringLiteral("Uncnown error ocured while opening info.xml"));

    // A reading that stopped part-way keeps what it read, and the pages show it all, so that
    // page i always stands for element i.
    showProjectPages();
    if (configRead)
        RecentFiles::recordPath(Settings::instance(), w.sRootDir,
                                Settings::settingsPath(w.sProgramDir));
    else
        Prompts::message(nullptr,
                         QStringLiteral("Uncnown error ocured while opening ModuleConfig.xml"));

    w.iStepCount = qint32(w.project.vSteps.size());
    w.iCurrentStep = w.iStepCount - 1;
    w.StepsTabControlChange();
    w.setEditingEnabled(true);
    emit projectReplaced();
}

void DocumentCommands::showProjectPages() {
    QStringList names;
    for (const CStep& step : m_window.project.vSteps)
        names.append(step.sName);
    // The first tab added to the empty strip becomes the current one.
    m_steps.showStepTabs(names);
    m_required.showFiles();
    m_conditional.showPatterns();
}
