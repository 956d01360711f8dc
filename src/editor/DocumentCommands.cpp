#include "editor/DocumentCommands.h"

#include "editor/Document.h"
#include "editor/GroupsPluginsController.h"
#include "installer/ProjectFiles.h"
#include "installer/Reader.h"
#include "platform/Paths.h"
#include "settings/RecentFiles.h"
#include "settings/Settings.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {


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

DocumentCommands::DocumentCommands(Document& document, GroupsPluginsController& groups,
                                   const QString& programDir, QMenu* recentMenu,
                                   QAction* recentTemplate, QAction* mergeMenu, QWidget* window)
    : QObject(window), m_document(document), m_groups(groups), m_programDir(programDir),
      m_recentMenu(recentMenu), m_recentTemplate(recentTemplate), m_mergeMenu(mergeMenu),
      m_window(window) {}

void DocumentCommands::NewMenuClick() {
    if (!mayDrop())
        return;
    m_document.newProject();
}

void DocumentCommands::OpenMenuClick() {
    if (!mayDrop())
        return;
    const QStringList chosen = Prompts::chooseFolders(m_window, false, m_document.sRootDir);
    if (chosen.isEmpty())
        return;
    const QString rootDir = chosen.first();
    if (!Paths::isDirectory(ProjectFiles::fomodFolder(rootDir))) {
        Prompts::message(nullptr, QStringLiteral("There is no 'fomod' catalog in specified "
                                                 "directory. Choose root directory containing "
                                                 "'fomod' folder."));
        return;
    }
    openProject(rootDir, ProjectFiles::locate(rootDir));
}

void DocumentCommands::OpenfileMenuClick() {
    if (!mayDrop())
        return;
    const QStringList chosen =
        Prompts::chooseFiles(m_window, QStringLiteral("(*.xml)"), false, m_document.sRootDir);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.first();
    const ChosenFile parts = splitChosenFile(path);
    const QString name = asciiUpper(parts.sFileName);
    // The chosen file is read; the other one of the pair is found beside it.
    ProjectFiles::Files files;
    if (name == QLatin1String("INFO.XML")) {
        files = ProjectFiles::locate(parts.sRootDir);
        files.info = {path, true, QString()};
    } else if (name == QLatin1String("MODULECONFIG.XML")) {
        files = ProjectFiles::locate(parts.sRootDir);
        files.config = {path, true, QString()};
    }
    openProject(parts.sRootDir, files);
}

void DocumentCommands::RecentFileTemplateClick(QAction* item) {
    const qsizetype index = m_recentMenu->actions().indexOf(item);
    const QStringList entries = RecentFiles::entries(Settings::instance());
    if (index < 0 || index >= entries.size() || !mayDrop())
        return;
    // No check that the folder is still there: then both readings fail and say so.
    const QString rootDir = entries.at(index);
    openProject(rootDir, ProjectFiles::locate(rootDir));
}

void DocumentCommands::MergeFOMODMenuClick() {
    // The donor's steps go in front: an open group type box ends on the step it was opened on.
    m_groups.EditGroupTypeComboBoxExit();
    const QStringList chosen =
        Prompts::chooseFiles(m_window, QStringLiteral("(*.xml)"), false, m_document.sRootDir);
    if (chosen.isEmpty())
        return;
    CFOMOD donor;
    // A donor that cannot be read, wholly, changes nothing and is not reported.
    if (!InstallerReader::readConfigFile(chosen.first(), donor))
        return;
    m_document.merge(donor, EditName::command(m_mergeMenu));
}

void DocumentCommands::showRecentFiles() {
    rebuildRecentMenu(RecentFiles::entries(Settings::instance()));
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

// The one place the window reads an installer's two files.
void DocumentCommands::openProject(const QString& rootDir, const ProjectFiles::Files& files) {
    const Document::Opening opening = m_document.open(rootDir, files);
    if (!opening.sSpellings.isEmpty())
        Prompts::message(nullptr, opening.sSpellings);
    if (!opening.bInfoRead)
        Prompts::message(nullptr, QStringLiteral("Uncnown error ocured while opening info.xml"));
    // A reading that stopped part-way keeps what it read, and the pages show it all, so that
    // page i always stands for element i.
    if (opening.bConfigRead) {
        RecentFiles::recordPath(Settings::instance(), m_document.sRootDir,
                                Settings::settingsPath(m_programDir));
        showRecentFiles();
    } else
        Prompts::message(nullptr,
                         QStringLiteral("Uncnown error ocured while opening ModuleConfig.xml"));
}
