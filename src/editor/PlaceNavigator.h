#pragma once

#include "model/ProjectPlace.h"

class ConditionalInstallsController;
class Document;
class GroupsPluginsController;
class QTabWidget;
class QWidget;
class RequiredInstallsController;
class StepsController;

// Shows a place of the project where the user edits it: a step, group or option (with its
// file or type pattern) on the "Steps" page, a step's visibility on its "Conditions" page, a
// required install or a conditional install (with its file) on their pages, the header image
// on "Mod info". Through the pages' own commands, as clicks on their tabs and rows would; a
// place the project no longer holds shows as much of it as still exists.
class PlaceNavigator {
public:
    PlaceNavigator(Document& document, QTabWidget* pages, QWidget* modInfoPage,
                   StepsController& steps, GroupsPluginsController& groups,
                   RequiredInstallsController& required,
                   ConditionalInstallsController& conditional);

    void show(const ProjectPlace& place);

private:
    void showPage(QWidget* page);
    void showInSteps(const ProjectPlace& place);
    void showConditionalInstall(const ProjectPlace& place);

    Document& m_document;
    QTabWidget* m_pages = nullptr;
    QWidget* m_modInfoPage = nullptr;
    StepsController& m_steps;
    GroupsPluginsController& m_groups;
    RequiredInstallsController& m_required;
    ConditionalInstallsController& m_conditional;
};
