#pragma once

#include "model/Fomod.h"

#include <QObject>

class Document;
class QFrame;
class QLabel;
class QTimer;
class QWidget;

// "Save": writes fomod/info.xml and fomod/ModuleConfig.xml under the root directory between the
// before-save and after-save scripts, and shows each file's outcome on a panel over the window
// until its timer ends.
class SaveCommand : public QObject {
    Q_OBJECT

public:
    // The panel is laid over the window.
    // The save scripts and config.ini are in programDir.
    SaveCommand(Document& document, const QString& programDir, QWidget* window);

    // True when ModuleConfig.xml was written.
    bool SaveMenuClick();

    // The timer that hides the panel (2000 ms); tests shorten it.
    QTimer* confirmationTimer() const { return m_timer; }

signals:
    // The project as both files now hold it (ModuleConfig.xml was written).
    void saved(const CFOMOD& written);

private slots:
    // Hides the panel once its time is up.
    void ShowConfirmationTimerTimer();

private:
    void buildPanel();

    Document& m_state;
    QString m_programDir;
    QWidget* m_window = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_infoState = nullptr;
    QLabel* m_configState = nullptr;
    QTimer* m_timer = nullptr;
};
