#pragma once

#include "installer/ReadReport.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ConditionalInstallsController;
class QAction;
class QMenu;
class RequiredInstallsController;
class StepsController;
class TMainForm;

// The document commands of the "FOMOD" menu: New, Open folder, Open file, the items of the
// Recent submenu and Merge FOMOD. Each opening command empties the project, reads the two
// installer files of a root directory into it and shows it on every page.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    // The Recent submenu fills itself from the recent-files list; its entry items are inserted
    // before recentTemplate, its last item, and run RecentFileTemplateClick.
    DocumentCommands(TMainForm& window, StepsController& steps,
                     RequiredInstallsController& required,
                     ConditionalInstallsController& conditional, QMenu* recentMenu,
                     QAction* recentTemplate);
    ~DocumentCommands() override;

    void NewMenuClick();
    void OpenMenuClick();
    void OpenfileMenuClick();
    // The clicked entry item of the Recent submenu.
    void RecentFileTemplateClick(QAction* item);
    void MergeFOMODMenuClick();

    // Replaces the entry items of the Recent submenu, one per entry, front first.
    void rebuildRecentMenu(const QStringList& entries);

    // Asked before New and each opening command drop the project; false keeps it.
    void setDropGuard(std::function<bool()> mayDrop) { m_mayDrop = std::move(mayDrop); }

    // One step tab per step, the first one current; one row pair per required install; one
    // tab per conditional-install pattern.
    void showProjectPages();

    // What reading learnt about the open project's ModuleConfig.xml (lines, what it cannot
    // keep); nullptr when the project was not read from one.
    const ReadReport* readReport() const { return m_readReport ? &*m_readReport : nullptr; }

signals:
    // The project was replaced: emptied by New, or read by an opening command.
    void projectReplaced();

private:
    // Empties the project, takes rootDir as the root directory, reads both files into the
    // project and shows it.
    void openProject(const QString& rootDir, const QString& infoPath, const QString& configPath);
    void showOpenedProject(bool infoRead, bool configRead);
    void clearProject();
    bool mayDrop() const { return !m_mayDrop || m_mayDrop(); }

    TMainForm& m_window;
    StepsController& m_steps;
    RequiredInstallsController& m_required;
    ConditionalInstallsController& m_conditional;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentTemplate = nullptr;
    std::function<bool()> m_mayDrop;
    std::optional<ReadReport> m_readReport;
};
