#pragma once

#include <QWidget>

class QLabel;
class QTimer;
struct SSettings;
class TScriptForm1;
class TSettingsForm;

// The first window of the program: a logo and a status line while the first tick of its timer
// reads the settings and applies them to the other windows; after iSplashScreenSec ticks (at
// least one) it hides itself for good and shows the main window.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    // The timer runs from creation; its interval is one second unless given otherwise.
    explicit TSplashForm(int tickIntervalMs = 1000);

    // The windows loading applies to, created after the splash window.
    // mainWindow is shown when the splash window goes; config.ini and Language/ are in
    // programDir.
    void setWindows(QWidget* mainWindow, const QString& programDir, TSettingsForm* settingsForm,
                    TScriptForm1* scriptForm);

    // One tick of Timer1.
    void Timer1Timer();

    int tickCount() const { return m_ticks; }
    QTimer* timer() const { return m_timer; }

signals:
    // config.ini was read into the program's settings and the text size and the language are
    // applied; the main window applies what is its own (the menu items, the recent list).
    void settingsLoaded(const SSettings& settings);

private:
    void loadLogo();
    void applySettings();
    void showStatus(const QString& text);

    QLabel* m_logo = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;

    QWidget* m_main = nullptr;
    QString m_programDir;
    TSettingsForm* m_settingsForm = nullptr;
    TScriptForm1* m_scriptForm = nullptr;
};
