#pragma once

#include "model/Fomod.h"

#include <QMainWindow>
#include <QString>

class StepsController;
class GroupsPluginsController;

// The program's one editing window. It owns the open project and the window state; each page
// or panel beyond "Mod info" and "Help" is a controller that builds its own widgets and reaches
// the project and the state through this form. Every component carries its name as its
// objectName, which the language files and the tests use.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The open project and the window state.
    CFOMOD project;
    QString sRootDir;
    QString sProgramDir;
    qint32 iStepCount = 0;
    qint32 iCurrentStep = 0;
    qint32 iEditedRow = 0;

    // A component of the window by its name (nullptr when there is none).
    template <class T> T* component(const QString& name) const { return findChild<T*>(name); }

    // The rebuild: refills the whole steps view from the project.
    void StepsTabControlChange();

    StepsController* steps() const { return m_steps; }
    GroupsPluginsController* groupsPlugins() const { return m_groupsPlugins; }

private:
    StepsController* m_steps = nullptr;
    GroupsPluginsController* m_groupsPlugins = nullptr;
};
