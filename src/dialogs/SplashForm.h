#pragma once

#include <QWidget>

class QLabel;
class QTimer;
class TMainForm;
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
    void setWindows(TMainForm* mainForm, TSettingsForm* settingsForm, TScriptForm1* scriptForm);

    // One tick of Timer1.
    void Timer1Timer();

    int tickCount() const { return m_ticks; }
    QTimer* timer() const { return m_timer; }

private:
    void loadLogo();
    void applySettings();
    void showStatus(const QString& text);

    QLabel* m_logo = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_timer = nullptr;
    int m_ticks = 0;

    TMainForm* m_main = nullptr;
    TSettingsForm* m_settingsForm = nullptr;
    TScriptForm1* m_scriptForm = nullptr;
};
