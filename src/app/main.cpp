#include "dialogs/ScriptForm1.h"
#include "dialogs/SettingsForm.h"
#include "dialogs/SplashForm.h"
#include "editor/MainForm.h"

#include <QAction>
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    // The splash window comes first; it loads the settings and hands over to the main window.
    // Destroyed in the reverse order, so the dialogs go before the main window that parents
    // them.
    TSplashForm splash;
    TMainForm mainForm;
    TScriptForm1 scriptForm(&mainForm);
    TSettingsForm settingsForm(&mainForm, &scriptForm);
    splash.setWindows(&mainForm, &settingsForm, &scriptForm);

    QObject::connect(mainForm.settingsMenu(), &QAction::triggered, &settingsForm,
                     &TSettingsForm::SettingsMenuClick);
    QObject::connect(mainForm.runBeforeSaveMenu(), &QAction::triggered, &scriptForm,
                     &TScriptForm1::RunBeforeSaveMenuClick);
    QObject::connect(mainForm.runAfterSaveMenu(), &QAction::triggered, &scriptForm,
                     &TScriptForm1::RunAfterSaveMenuClick);

    splash.show();
    return app.exec();
}
