#pragma once

#include "dialogs/PreviewForm.h"
#include "dialogs/ScriptForm1.h"
#include "dialogs/SettingsForm.h"
#include "dialogs/SplashForm.h"
#include "editor/Document.h"
#include "editor/MainForm.h"

#include <QAction>
#include <QObject>

// The program's windows wired together: the main window's menu entries open the dialogs, and
// what the dialogs apply reaches the main window. The editor and the dialogs know nothing of
// each other; this is where they meet.
namespace ProgramWiring {

inline void connectDialogs(TMainForm& main, TSettingsForm& settings, TScriptForm1& script) {
    QObject::connect(main.settingsMenu(), &QAction::triggered, &settings,
                     &TSettingsForm::SettingsMenuClick);
    QObject::connect(&settings, &TSettingsForm::settingsApplied, &main,
                     &TMainForm::applyMenuVisibility);
    QObject::connect(&settings, &TSettingsForm::settingsApplied, &main,
                     &TMainForm::showRecentFiles);
    QObject::connect(main.runBeforeSaveMenu(), &QAction::triggered, &script,
                     &TScriptForm1::RunBeforeSaveMenuClick);
    QObject::connect(main.runAfterSaveMenu(), &QAction::triggered, &script,
                     &TScriptForm1::RunAfterSaveMenuClick);
    QObject::connect(main.previewMenu(), &QAction::triggered, &main, [&main] {
        TPreviewForm preview(main.document().project, main.document().sRootDir, &main);
        preview.exec();
    });
}

// The splash window loads the settings into the windows, then shows the main window.
inline void connectSplash(TSplashForm& splash, TMainForm& main, TSettingsForm& settings,
                          TScriptForm1& script) {
    splash.setWindows(&main, main.programDir(), &settings, &script);
    QObject::connect(&splash, &TSplashForm::settingsLoaded, &main, &TMainForm::applyMenuVisibility);
    QObject::connect(&splash, &TSplashForm::settingsLoaded, &main, &TMainForm::showRecentFiles);
}

} // namespace ProgramWiring
