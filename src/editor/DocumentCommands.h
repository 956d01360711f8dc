#pragma once

#include "installer/ProjectFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Document;
class GroupsPluginsController;
class QAction;
class QMenu;
class QWidget;

// The document commands of the "FOMOD" menu: New, Open folder, Open file, the items of the
// Recent submenu and Merge FOMOD: the dialogs and messages around the document's own New,
// Open and Merge. Each opening command has the document read the two installer files of a
// root directory (the pages then show it, as they follow the document).
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    // The Recent submenu fills itself from the recent-files list; its entry items are inserted
    // before recentTemplate, its last item, and run RecentFileTemplateClick.
    // programDir holds config.ini, where a project opened goes to the front of the recent
    // list; mergeMenu names the merge in the undo history; dialogs open over window.
    DocumentCommands(Document& document, GroupsPluginsController& groups, const QString& programDir,
                     QMenu* recentMenu, QAction* recentTemplate, QAction* mergeMenu,
                     QWidget* window);
    void NewMenuClick();
    void OpenMenuClick();
    void OpenfileMenuClick();
    void MergeFOMODMenuClick();

    // Replaces the entry items of the Recent submenu, one per entry, front first.
    void rebuildRecentMenu(const QStringList& entries);
    // The same for the program's recent-files list.
    void showRecentFiles();

    // Asked before New and each opening command drop the project; false keeps it.
    void setDropGuard(std::function<bool()> mayDrop) { m_mayDrop = std::move(mayDrop); }

private slots:
    // The clicked entry item of the Recent submenu.
    void RecentFileTemplateClick(QAction* item);

private:
    // Has the document read both files of rootDir, says what could not be read and puts a
    // root whose ModuleConfig.xml was read to the front of the recent list.
    void openProject(const QString& rootDir, const ProjectFiles::Files& files);
    bool mayDrop() const { return !m_mayDrop || m_mayDrop(); }

    Document& m_document;
    GroupsPluginsController& m_groups;
    QString m_programDir;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentTemplate = nullptr;
    QAction* m_mergeMenu = nullptr;
    QWidget* m_window = nullptr;
    std::function<bool()> m_mayDrop;
};
