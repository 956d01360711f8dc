#pragma once

#include "editor/EditName.h"
#include "installer/ProjectFiles.h"
#include "installer/ReadReport.h"
#include "model/Fomod.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

struct ViewState;
class UndoHistory;

// The open project: what the editor edits, its root directory, what was last opened or saved
// and the undo history. Everything that changes the project announces it here, and the views,
// the history and the check listen:
// - replaced(): a new project came in (New, an opening command); the pages show it afresh, then
//   the document takes it as saved and starts a fresh history;
// - reshaped(): the project changed as a whole (a merge, undo or redo); the pages show it afresh;
// - changed(name): a handler edited the project (or may have); the history records it.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    CFOMOD project;
    QString sRootDir;
    // The step the steps view shows; -1 for none.
    qint32 iCurrentStep = 0;

    qint32 iStepCount() const { return qint32(project.vSteps.size()); }
    // The step the steps view shows, or nullptr while iCurrentStep names none. The pointer
    // stays valid until the project's steps change.
    CStep* currentStep();

    // What the last opening command read; none after New.
    struct Opening {
        bool bInfoRead = false;
        bool bConfigRead = false;
        QString sSpellings; // the files' other spellings side by side, when there were any
    };
    const std::optional<Opening>& opening() const { return m_opening; }
    // What reading the open project's ModuleConfig.xml learnt (lines, what it cannot keep);
    // nullptr when the project was not read from one.
    const ReadReport* readReport() const { return m_readReport ? &*m_readReport : nullptr; }

    // New: an empty project without a root directory.
    void newProject();
    // Empties the project, takes rootDir as the root directory and reads both files into it:
    // the second reading happens whatever became of the first; info.xml is read when found,
    // ModuleConfig.xml whenever its path is not empty.
    Opening open(const QString& rootDir, const ProjectFiles::Files& files);
    // Puts the donor's steps and installs in front of the project's own.
    void merge(const CFOMOD& donor, const EditName& name);

    // A handler changed the project, or may have: the history looks and names the change.
    void edited(const EditName& name = {});

    UndoHistory* history() const { return m_history; }
    // The view the history keeps with each project, read and shown again by the window.
    void setViewHooks(std::function<ViewState()> capture,
                      std::function<void(const ViewState&)> restore);

    // Whether the project differs from the one last opened or saved (the title then ends in
    // " *"), and taking a project as saved.
    bool hasUnsavedChanges() const { return !(project == m_savedProject); }
    void markSaved(const CFOMOD& saved);

signals:
    void replaced();
    void reshaped();
    void changed(const EditName& name);
    // The project taken as saved changed (a save, an opening): the " *" mark follows.
    void savedChanged();

private:
    void takeAsOpened();

    std::optional<Opening> m_opening;
    std::optional<ReadReport> m_readReport;
    CFOMOD m_savedProject;
    UndoHistory* m_history = nullptr;
    std::function<ViewState()> m_captureView;
    std::function<void(const ViewState&)> m_restoreView;
};
