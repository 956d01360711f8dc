#include "editor/RequiredInstallsController.h"

#include "editor/Document.h"
#include "editor/FileListPair.h"

#include <QVBoxLayout>
#include <QWidget>

RequiredInstallsController::RequiredInstallsController(Document& state, QWidget* window)
    : QObject(window), m_state(state) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("RequiredInstallsTabSheet"));
    m_files = new FileListPair(
        {QStringLiteral("Panel11"), QStringLiteral("RequiredFilesSrcListView"),
         QStringLiteral("RequiredFilesDstListView"), QStringLiteral("CpyLabel2"),
         QStringLiteral("DataLabel2"), QStringLiteral("AddRequiredFileButton"),
         QStringLiteral("AddRequiredFolderButton"),
         QStringLiteral("RemoveRequiredFileFolderButton")},
        [this] { return &m_state.project.vRequiredFiles; },
        {[this] { return m_state.sRootDir; }, true,
         QStringLiteral("Folder is out of root directory")},
        m_state, window);
    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(m_files->panel());
}

void RequiredInstallsController::showFiles() {
    m_files->clear();
    m_files->appendRows(m_state.project.vRequiredFiles);
}
