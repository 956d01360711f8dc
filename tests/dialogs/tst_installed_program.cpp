#include "ProgramWindows.h"
#include "dialogs/SplashForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>

// The windows of a program installed under a prefix (usr/bin beside usr/share/quarvel in a
// temporary folder): what they read and write goes to the user's configuration folder and
// the installed data folder, nothing beside the executable.
class TestInstalledProgram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void readsAndWritesTheUsersFiles();

private:
    QTemporaryDir m_home;
};

void TestInstalledProgram::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
    // As the program names itself, so the configuration folder is the one it would use.
    QCoreApplication::setApplicationName(QStringLiteral("quarvel"));
}

void TestInstalledProgram::readsAndWritesTheUsersFiles() {
    ProgramWindows w(QStringLiteral("usr/bin"));
    w.write(QStringLiteral("usr/share/quarvel/Language/Deutsch.txt"),
            utf16File(QStringLiteral("ModInfoTabSheet = \"Mod-Info\"\r\n")));
    const QDir userDir(m_home.filePath(QStringLiteral(".config/quarvel")));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), userDir.path());
    QVERIFY(userDir.mkpath(QStringLiteral(".")));
    SSettings stored;
    stored.sLanguage = "Deutsch.txt";
    Settings::writeSettings(stored, userDir.filePath(QStringLiteral("config.ini")));

    // Start-up reads the user's config.ini and the installed language file.
    TSplashForm splash(3600 * 1000);
    w.connectSplash(splash);
    splash.Timer1Timer();
    QCOMPARE(Settings::instance(), stored);
    QCOMPARE(component<QTabWidget>(w.main, "PageControl")->tabText(0), QStringLiteral("Mod-Info"));

    // The settings dialog offers the installed languages and saves into the user's folder.
    w.settings.prepareToOpen();
    w.settings.show();
    QCOMPARE(component<QComboBox>(w.settings, "LanguagesComboBox")->currentText(),
             QStringLiteral("Deutsch.txt"));
    component<QCheckBox>(w.settings, "HideOpenFolderCheckBox")->setChecked(true);
    component<QPushButton>(w.settings, "SaveButton")->click();
    SSettings saved;
    QVERIFY(Settings::readSettings(saved, userDir.filePath(QStringLiteral("config.ini"))));
    QVERIFY(saved.bHideOpenFolder);
    QCOMPARE(saved.sLanguage, stored.sLanguage);

    // The script dialog saves the script there too.
    w.script.prepareScript(QStringLiteral("runafter.txt"), QStringLiteral("RunAfterSaveMenu"));
    w.script.show();
    component<QPlainTextEdit>(w.script, "ScriptMemo")->setPlainText(QStringLiteral("echo done"));
    component<QPushButton>(w.script, "SaveButton")->click();
    QCOMPARE(w.script.scriptPath(), QDir::toNativeSeparators(userDir.filePath("runafter.txt")));
    QVERIFY(QFile::exists(userDir.filePath(QStringLiteral("runafter.txt"))));

    QVERIFY(QDir(w.programDir).isEmpty());
}

QTEST_MAIN(TestInstalledProgram)
#include "tst_installed_program.moc"
