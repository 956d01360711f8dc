#pragma once

#include "model/Fomod.h"

#include <QString>

// The open project and the window state every page of the editor reads. The main window owns
// the one instance (it is this state); pages are handed a reference when they are made.
struct EditorState {
    CFOMOD project;
    QString sRootDir;
    QString sProgramDir;
    qint32 iStepCount = 0;
    qint32 iCurrentStep = 0;
    // The row a floating editor (group type, file priority) was opened on; -1 once cancelled.
    qint32 iEditedRow = 0;

    // The step the steps view shows, or nullptr while iCurrentStep names none. The pointer
    // stays valid until the project's steps change.
    CStep* currentStep() {
        if (iCurrentStep < 0 || iCurrentStep >= project.vSteps.size())
            return nullptr;
        return &project.vSteps[iCurrentStep];
    }
};
