#include "dialogs/SplashForm.h"

#include "dialogs/DialogPlacement.h"
#include "dialogs/ScriptForm1.h"
#include "dialogs/SettingsForm.h"
#include "platform/DataPaths.h"
#include "platform/ProgramInfo.h"
#include "settings/Settings.h"
#include "ui/Translation.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QTimer>

namespace {

const QSize kLayoutSize(168, 166);
constexpr int kStatusHeight = 13;

} // namespace

TSplashForm::TSplashForm(int tickIntervalMs) {
    setObjectName(QStringLiteral("TSplashForm"));
    // A splash window: no frame, no title bar buttons and no taskbar button of its own.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("LogoImage"));
    m_logo->move(0, 0);

    m_status = new QLabel(QStringLiteral("Initializing..."), this);
    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setAlignment(Qt::AlignCenter);
    // The status line lies over the logo's bottom edge: drawn on the window's own dark
    // colour, it reads the same with or without a logo.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x0f, 0x1f, 0x36));
    colours.setColor(QPalette::WindowText, QColor(0xa8, 0xc4, 0xe0));
    setPalette(colours);
    setAutoFillBackground(true);
    m_status->setAutoFillBackground(true);
    QFont statusFont = m_status->font();
    statusFont.setPixelSize(11);
    m_status->setFont(statusFont);

    setFixedSize(kLayoutSize);
    loadLogo();
    m_status->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
    DialogPlacement::centreOnScreen(this);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(tickIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] { Timer1Timer(); });
    m_timer->start();
}

// logo.jpg (DataPaths::logoPath); without a readable one the window keeps its
// layout size and shows only the status line.
void TSplashForm::loadLogo() {
    QFile file(DataPaths::logoPath(ProgramInfo::programDir()));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QImage logo = QImageReader(&file, "JPG").read();
    if (logo.isNull())
        return;
    m_logo->setPixmap(QPixmap::fromImage(logo));
    m_logo->resize(logo.size());
    setFixedSize(logo.size());
}

void TSplashForm::setWindows(QWidget* mainWindow, const QString& programDir,
                             TSettingsForm* settingsForm, TScriptForm1* scriptForm) {
    m_main = mainWindow;
    m_programDir = programDir;
    m_settingsForm = settingsForm;
    m_scriptForm = scriptForm;
}

void TSplashForm::showStatus(const QString& text) {
    m_status->setText(text);
    // Loading blocks the event loop, so the new text is painted now.
    m_status->repaint();
}

void TSplashForm::Timer1Timer() {
    m_timer->stop();
    if (m_ticks == 0)
        applySettings();
    ++m_ticks;
    if (m_ticks < Settings::instance().iSplashScreenSec) {
        showStatus(QStringLiteral("Loading..."));
        m_timer->start();
        return;
    }
    hide();
    if (m_main)
        m_main->show();
}

void TSplashForm::applySettings() {
    showStatus(QStringLiteral("Loading... config.ini"));
    if (!m_main)
        return;
    SSettings& settings = Settings::instance();
    if (!Settings::readSettings(settings, Settings::settingsPath(m_programDir)))
        return;
    Translation::applyInterfaceTextSize(settings.iInterfaceTextSize, m_main, m_settingsForm,
                                        m_scriptForm);
    showStatus(QStringLiteral("Loading... ") + Settings::fromLocal8(settings.sLanguage));
    Translation::applyLanguage(settings, m_programDir, m_main, m_settingsForm, m_scriptForm);
    emit settingsLoaded(settings);
}
