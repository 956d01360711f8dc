#include "editor/Document.h"

#include "editor/UndoHistory.h"
#include "installer/Merge.h"

Document::Document(QObject* parent) : QObject(parent) {
    m_history = new UndoHistory(
        [this] {
            return EditorSnapshot{project, m_captureView ? m_captureView() : ViewState()};
        },
        [this](const EditorSnapshot& shot) {
            project = shot.project;
            emit reshaped();
            if (m_restoreView)
                m_restoreView(shot.view);
        },
        this);
    connect(this, &Document::changed, m_history, &UndoHistory::note);
}

Document::~Document() = default;

CStep* Document::currentStep() {
    if (iCurrentStep < 0 || iCurrentStep >= project.vSteps.size())
        return nullptr;
    return &project.vSteps[iCurrentStep];
}

void Document::setViewHooks(std::function<ViewState()> capture,
                            std::function<void(const ViewState&)> restore) {
    m_captureView = std::move(capture);
    m_restoreView = std::move(restore);
    m_history->reset();
}

void Document::newProject() {
    project = CFOMOD();
    sRootDir.clear();
    iCurrentStep = 0;
    m_opening.reset();
    m_readReport.reset();
    takeAsOpened();
}

Document::Opening Document::open(const QString& rootDir, const ProjectFiles::Files& files) {
    project = CFOMOD();
    sRootDir = rootDir;
    iCurrentStep = 0;
    m_readReport.reset();
    ProjectFiles::RootReading reading = ProjectFiles::readFiles(files, project, true);
    Opening opening;
    opening.bInfoRead = reading.info.bRead;
    opening.bConfigRead = reading.config.bRead;
    QStringList spellings;
    for (const QString& note : {files.sFolderSpellings, files.info.sSpellings,
                                files.config.sSpellings}) {
        if (!note.isEmpty())
            spellings.append(note);
    }
    opening.sSpellings = spellings.join(u'\n');
    // A reading that failed is reported as such; its partial report would mislead.
    if (opening.bConfigRead)
        m_readReport = std::move(reading.report);
    m_opening = opening;
    takeAsOpened();
    return opening;
}

// The pages show the new project first: showing normalises what it shows (a description), and
// the project as shown is the one saved.
void Document::takeAsOpened() {
    emit replaced();
    markSaved(project);
    m_history->reset();
}

void Document::merge(const CFOMOD& donor, const EditName& name) {
    mergeProjects(project, donor);
    emit reshaped();
    edited(name);
}

void Document::edited(const EditName& name) {
    emit changed(name);
}

void Document::markSaved(const CFOMOD& saved) {
    m_savedProject = saved;
    emit savedChanged();
}
