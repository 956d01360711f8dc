#include "editor/SaveCommand.h"

#include "editor/Document.h"
#include "installer/Writer.h"
#include "platform/ProgramInfo.h"
#include "scripts/ScriptRunner.h"
#include "settings/RecentFiles.h"
#include "settings/Settings.h"
#include "ui/Components.h"
#include "ui/Prompts.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>

SaveCommand::SaveCommand(Document& document, const QString& programDir, QWidget* window)
    : QObject(window), m_state(document), m_programDir(programDir), m_window(window) {
    buildPanel();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("ShowConfirmationTimer"));
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, [this] { ShowConfirmationTimerTimer(); });
}

void SaveCommand::buildPanel() {
    // A child of the window above the pages, shown only while a save reports.
    m_panel = new QFrame(m_window);
    m_panel->setObjectName(QStringLiteral("SaveConfirmationPanel"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setAutoFillBackground(true);
    m_panel->setFixedSize(427, 79);
    QFont panelFont = m_window->font();
    panelFont.setPixelSize(19);
    m_panel->setFont(panelFont);
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(24, 8, 24, 8);
    grid->setHorizontalSpacing(12);
    grid->setColumnStretch(0, 1);
    grid->addWidget(Components::label(QStringLiteral("SavingInfoLabel"),
                                      QStringLiteral("Saving info.xml ..."), m_panel),
                    0, 0);
    grid->addWidget(Components::label(QStringLiteral("SavingConfigLabel"),
                                      QStringLiteral("Saving ModuleConfig.xml ..."), m_panel),
                    1, 0);
    m_infoState = Components::label(QStringLiteral("infoXMLStateLabel"), QString(), m_panel);
    m_configState = Components::label(QStringLiteral("mdlconfXMLStateLabel"), QString(), m_panel);
    grid->addWidget(m_infoState, 0, 1);
    grid->addWidget(m_configState, 1, 1);
    grid->setColumnMinimumWidth(1, 60);
    m_panel->hide();
}

bool SaveCommand::SaveMenuClick() {
    // The scripts and the writer see the project as it was when Save was chosen.
    const CFOMOD copy = m_state.project;
    const QString rootDir = m_state.sRootDir;

    const QRect client = m_window->contentsRect();
    m_panel->move((client.width() - m_panel->width()) / 2,
                  (client.height() - m_panel->height()) / 2);
    m_infoState->clear();
    m_configState->clear();
    m_panel->show();
    m_panel->raise();
    // A save while the panel still shows keeps the running period.
    if (!m_timer->isActive())
        m_timer->start();

    ScriptRunner::runSaveScript(
        ScriptRunner::scriptPath(m_programDir, QStringLiteral("runbefore.txt")), copy, rootDir);

    const InstallerWriter::WriteOutcome info = InstallerWriter::writeInfoFile(copy, rootDir);
    if (!info.bSuccess)
        Prompts::message(m_window, info.sMessage, info.sCaption);
    m_infoState->setText(info.bSuccess ? QStringLiteral("OK") : QStringLiteral("Error"));

    const InstallerWriter::WriteOutcome config = InstallerWriter::writeConfigFile(
        copy, rootDir, ProgramInfo::versionText(), ProgramInfo::homePage());
    if (!config.bSuccess) {
        Prompts::message(m_window, config.sMessage, config.sCaption);
        m_configState->setText(QStringLiteral("Error"));
        return false;
    }
    ScriptRunner::runSaveScript(
        ScriptRunner::scriptPath(m_programDir, QStringLiteral("runafter.txt")), copy, rootDir);
    m_configState->setText(QStringLiteral("OK"));
    RecentFiles::recordPath(Settings::instance(), rootDir, Settings::settingsPath(m_programDir));
    emit saved(copy);
    return true;
}

void SaveCommand::ShowConfirmationTimerTimer() {
    m_panel->hide();
    m_timer->stop();
}
