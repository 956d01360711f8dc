#include "editor/PlaceNavigator.h"

#include "editor/ConditionalInstallsController.h"
#include "editor/Document.h"
#include "editor/FileListPair.h"
#include "editor/GroupsPluginsController.h"
#include "editor/PluginDependenciesController.h"
#include "editor/RequiredInstallsController.h"
#include "editor/StepsController.h"
#include "ui/ReportListView.h"

#include <QTabWidget>
#include <QTableWidget>

namespace {

using List = ProjectPlace::List;

// The "Groups and Files" and "Conditions" pages of a step.
constexpr int kGroupsAndFilesPage = 0;
constexpr int kConditionsPage = 1;

// Selects row of a file list pair, as a click on its source does; nothing for a row it lacks.
void selectFile(FileListPair* files, int row) {
    if (row >= 0 && row < files->sourceList()->rowCount()) {
        ReportListView::selectRow(files->sourceList(), row);
        files->sourceList()->scrollToItem(files->sourceList()->item(row, 0));
    }
}

} // namespace

PlaceNavigator::PlaceNavigator(Document& document, QTabWidget* pages, QWidget* modInfoPage,
                               StepsController& steps, GroupsPluginsController& groups,
                               RequiredInstallsController& required,
                               ConditionalInstallsController& conditional)
    : m_document(document), m_pages(pages), m_modInfoPage(modInfoPage), m_steps(steps),
      m_groups(groups), m_required(required), m_conditional(conditional) {}

// Chooses a main page as its tab does, the rebuild included, once.
void PlaceNavigator::showPage(QWidget* page) {
    {
        const QSignalBlocker block(m_pages);
        m_pages->setCurrentWidget(page);
    }
    m_steps.rebuild();
}

void PlaceNavigator::show(const ProjectPlace& place) {
    switch (place.list) {
    case List::ModuleImage:
        showPage(m_modInfoPage);
        return;
    case List::RequiredFiles:
        showPage(m_required.page());
        selectFile(m_required.files(), place.entry);
        return;
    case List::ConditionalInstalls:
    case List::ConditionalInstallFiles:
        showConditionalInstall(place);
        return;
    default:
        break;
    }
    // A finding about the file as a whole (no place in the project) leaves the view alone.
    if (place.step < 0 || place.step >= m_document.project.vSteps.size())
        return;
    showInSteps(place);
}

void PlaceNavigator::showInSteps(const ProjectPlace& place) {
    {
        const QSignalBlocker block(m_pages);
        m_pages->setCurrentWidget(m_steps.page());
    }
    m_steps.showStepAt(place.step,
                       place.list == List::StepVisibility ? kConditionsPage : kGroupsAndFilesPage);
    m_steps.rebuild();
    if (place.group < 0)
        return;
    m_groups.selectGroupAndPlugin(place.group, place.plugin);
    if (place.plugin < 0 || !m_groups.selectedPlugin())
        return;
    if (place.list == List::PluginFiles)
        selectFile(m_groups.pluginFiles(), place.entry);
    else if (place.list == List::PluginPatterns)
        m_groups.pluginDependencies()->showPattern(place.pattern);
}

void PlaceNavigator::showConditionalInstall(const ProjectPlace& place) {
    showPage(m_conditional.page());
    m_conditional.showPattern(place.pattern);
    if (place.list == List::ConditionalInstallFiles &&
        m_conditional.currentPatternIndex() == place.pattern)
        selectFile(m_conditional.files(), place.entry);
}
