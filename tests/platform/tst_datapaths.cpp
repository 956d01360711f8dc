#include "platform/DataPaths.h"
#include "scripts/ScriptRunner.h"
#include "settings/LanguageTable.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Folders (ending in "/") and empty files, relative to base.
void buildLayout(const QString& base, const QStringList& entries) {
    for (const QString& entry : entries) {
        const QString path = base + QLatin1Char('/') + entry;
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
}

} // namespace

class TestDataPaths : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mode_data();
    void mode();
    void portableKeepsEverythingBesideTheProgram();
    void installedSplitsDataAndUserFiles();

private:
    QTemporaryDir m_configHome;
};

// The user's configuration folder lies in a temporary folder, never in the real home.
void TestDataPaths::initTestCase() {
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
}

void TestDataPaths::mode_data() {
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<bool>("installed");

    QTest::newRow("build folder") << QStringList{"build/", "build/Language/"} << "build" << false;
    QTest::newRow("unpacked archive")
        << QStringList{"quarvel-1.0/", "quarvel-1.0/Language/"} << "quarvel-1.0" << false;
    QTest::newRow("installed prefix")
        << QStringList{"usr/bin/", "usr/share/quarvel/"} << "usr/bin" << true;
    QTest::newRow("installed, trailing separator")
        << QStringList{"usr/bin/", "usr/share/quarvel/"} << "usr/bin/" << true;
    QTest::newRow("bin without the data folder")
        << QStringList{"usr/bin/", "usr/share/other/"} << "usr/bin" << false;
    QTest::newRow("data folder is a file")
        << QStringList{"usr/bin/", "usr/share/quarvel"} << "usr/bin" << false;
    QTest::newRow("data folder beside a folder not named bin")
        << QStringList{"opt/q/", "opt/share/quarvel/"} << "opt/q" << false;
    QTest::newRow("no program folder known") << QStringList{} << "" << false;
}

void TestDataPaths::mode() {
    QFETCH(QStringList, layout);
    QFETCH(QString, programDir);
    QFETCH(bool, installed);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    buildLayout(base.path(), layout);
    const QString dir =
        programDir.isEmpty() ? QString() : QDir::toNativeSeparators(base.filePath(programDir));
    QCOMPARE(DataPaths::modeOf(dir) == DataPaths::Mode::Installed, installed);
}

void TestDataPaths::portableKeepsEverythingBesideTheProgram() {
    QTemporaryDir base;
    QVERIFY(base.isValid());
    buildLayout(base.path(), {"build/Language/English.txt"});
    const QString program = QDir::toNativeSeparators(base.filePath("build"));

    QCOMPARE(DataPaths::userFilesDir(program), program);
    QCOMPARE(DataPaths::dataDir(program), program);
    QCOMPARE(Settings::settingsPath(program), QDir::toNativeSeparators(program + "/config.ini"));
    QCOMPARE(ScriptRunner::scriptPath(program, "runafter.txt"),
             QDir::toNativeSeparators(program + "/runafter.txt"));
    QCOMPARE(Language::listLanguageFiles(program), QStringList{"English.txt"});
    QCOMPARE(DataPaths::logoPath(program), QString("logo.jpg"));
    QVERIFY(QDir(m_configHome.path()).isEmpty());
}

// Settings and scripts go to the user's configuration folder, language files come from the
// data folder, and nothing is written beside the executable.
void TestDataPaths::installedSplitsDataAndUserFiles() {
    QTemporaryDir base;
    QVERIFY(base.isValid());
    buildLayout(base.path(), {"usr/bin/", "usr/share/quarvel/Language/Deutsch.txt"});
    const QString program = QDir::toNativeSeparators(base.filePath("usr/bin"));
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(userDir.startsWith(m_configHome.path()));

    QCOMPARE(DataPaths::userFilesDir(program), QDir::toNativeSeparators(userDir));
    QVERIFY(QFileInfo(userDir).isDir());
    QCOMPARE(DataPaths::dataDir(program),
             QDir::toNativeSeparators(base.filePath("usr/share/quarvel")));
    QCOMPARE(Language::listLanguageFiles(program), QStringList{"Deutsch.txt"});
    QCOMPARE(DataPaths::logoPath(program),
             QDir::toNativeSeparators(base.filePath("usr/share/quarvel/logo.jpg")));
    QCOMPARE(Language::languageFilePath(program, "deutsch.txt"),
             QDir::toNativeSeparators(base.filePath("usr/share/quarvel/Language/Deutsch.txt")));

    SSettings written;
    written.sLanguage = "Deutsch.txt";
    written.iSplashScreenSec = 3;
    Settings::writeSettings(written, Settings::settingsPath(program));
    QVERIFY(QFile::exists(userDir + "/config.ini"));
    SSettings read;
    QVERIFY(Settings::readSettings(read, Settings::settingsPath(program)));
    QCOMPARE(read, written);
    QCOMPARE(ScriptRunner::scriptPath(program, "runbefore.txt"),
             QDir::toNativeSeparators(userDir + "/runbefore.txt"));

    QVERIFY(QDir(program).isEmpty());
}

QTEST_GUILESS_MAIN(TestDataPaths)
#include "tst_datapaths.moc"
