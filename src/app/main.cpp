#include "app/ProgramWiring.h"
#include "platform/ProgramInfo.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The user's configuration folder of an installed program is named after the application,
    // whatever name the executable was started by.
    QApplication::setApplicationName(QStringLiteral("quarvel"));
    QApplication::setDesktopFileName(ProgramInfo::desktopId());
    QApplication::setWindowIcon(QIcon::fromTheme(ProgramInfo::desktopId()));

    // The splash window comes first; it loads the settings and hands over to the main window.
    // Destroyed in the reverse order, so the dialogs go before the main window that parents
    // them.
    TSplashForm splash;
    TMainForm mainForm(ProgramInfo::programDir());
    TScriptForm1 scriptForm(&mainForm, mainForm.programDir());
    TSettingsForm settingsForm(&mainForm, mainForm.programDir(), &scriptForm);
    ProgramWiring::connectDialogs(mainForm, settingsForm, scriptForm);
    ProgramWiring::connectSplash(splash, mainForm, settingsForm, scriptForm);

    splash.show();
    // For the installed-layout check: start up as usual, then quit once the main window shows.
    QTimer quitWhenStarted;
    if (qEnvironmentVariableIsSet("QUARVEL_QUIT_AFTER_START")) {
        QObject::connect(&quitWhenStarted, &QTimer::timeout, &app, [&] {
            if (mainForm.isVisible())
                QApplication::quit();
        });
        quitWhenStarted.start(50);
    }
    return app.exec();
}
