#include "FileHelpers.h"
#include "editor/EditorSession.h"
#include "editor/SaveCommand.h"
#include "installer/Reader.h"
#include "settings/RecentFiles.h"

#include <QTimer>

namespace {

QString native(const QString& folder, const QString& relative) {
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + relative);
}

// A session in the editing stage whose save scripts append their names to a log, and which
// keeps up to five recent folders.
struct SaveSession : EditorSession {
    QString sLog = native(programDir.path(), QStringLiteral("log.txt"));

    SaveSession() {
        Settings::instance().iMaxRecentFiles = 5;
        proceed();
        type(QStringLiteral("ModNameEdit"), QStringLiteral("Saved"));
        for (const char* script : {"runbefore", "runafter"}) {
            writeFile(native(programDir.path(), QString::fromLatin1(script) + ".txt"),
                      QByteArray("echo ") + script + " >> \"" + sLog.toLocal8Bit() + "\"\n");
        }
    }
    QStringList scriptsRun() const {
        return QString::fromLocal8Bit(FileHelpers::readFile(sLog)).split('\n', Qt::SkipEmptyParts);
    }
    QString state(const char* label) const { return component<QLabel>(label)->text(); }
    QWidget* panel() const { return component<QWidget>(QStringLiteral("SaveConfirmationPanel")); }
    QString fomodFile(const char* name) const {
        return native(dir.path(), QStringLiteral("fomod/") + QLatin1String(name));
    }
};

} // namespace

class TestSave : public QObject {
    Q_OBJECT

private slots:
    // Each test starts from the settings of a first run.
    void init() { Settings::instance() = SSettings(); }
    void savesBetweenScriptsAndReports();
    void fileThatCannotBeWritten_data();
    void fileThatCannotBeWritten();
    void rootDeletedWhileOpen();
};

void TestSave::savesBetweenScriptsAndReports() {
    SaveSession s;
    QTimer* timer = s.form.saveCommand()->confirmationTimer();
    QCOMPARE(timer->interval(), 2000);
    timer->setInterval(0);

    s.chooseMenu("SaveMenu");

    QVERIFY(s.prompts.messages().isEmpty());
    QCOMPARE(s.scriptsRun(), QStringList({"runbefore", "runafter"}));
    QCOMPARE(s.state("infoXMLStateLabel"), QStringLiteral("OK"));
    QCOMPARE(s.state("mdlconfXMLStateLabel"), QStringLiteral("OK"));
    QVERIFY(s.panel()->isVisible());
    QCOMPARE(s.panel()->geometry().center(), s.form.rect().center());
    CFOMOD back;
    QVERIFY(InstallerReader::readInfoFile(s.fomodFile("info.xml"), back));
    QVERIFY(InstallerReader::readConfigFile(s.fomodFile("ModuleConfig.xml"), back));
    QVERIFY(back == s.doc.project);
    QCOMPARE(RecentFiles::entries(Settings::instance()), QStringList(s.dir.path()));
    SSettings stored;
    QVERIFY(Settings::readSettings(stored, native(s.programDir.path(), "config.ini")));
    QCOMPARE(stored.vRecentFiles, Settings::instance().vRecentFiles);

    // The timer hides the panel and stops.
    QTRY_VERIFY(s.panel()->isHidden());
    QVERIFY(!timer->isActive());
}

void TestSave::fileThatCannotBeWritten_data() {
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("infoState");
    QTest::addColumn<QString>("configState");
    QTest::addColumn<bool>("completed"); // after-save script run, folder recorded

    QTest::newRow("info.xml") << "info.xml"
                              << "Can't open 'fomod\\info.xml' for write"
                              << "Error"
                              << "OK" << true;
    QTest::newRow("ModuleConfig.xml") << "ModuleConfig.xml"
                                      << "Can't open 'fomod\\ModuleConfig.xml' for write"
                                      << "OK"
                                      << "Error" << false;
}

// A folder in the file's place stands for a file that cannot be written (the tests may run as
// root, for whom no file is read-only). The other file is still written; the blocked one's
// place is left as it was.
void TestSave::fileThatCannotBeWritten() {
    QFETCH(QString, blocked);
    QFETCH(QString, message);
    QFETCH(QString, infoState);
    QFETCH(QString, configState);
    QFETCH(bool, completed);
    SaveSession s;
    const QString blockedPath = s.fomodFile(qPrintable(blocked));
    const QString kept = native(blockedPath, "kept.txt");
    s.writeFile(kept, "old");
    const QString other = s.fomodFile(blocked == "info.xml" ? "ModuleConfig.xml" : "info.xml");

    s.chooseMenu("SaveMenu");

    QCOMPARE(s.prompts.messages(), QStringList(message));
    QCOMPARE(s.state("infoXMLStateLabel"), infoState);
    QCOMPARE(s.state("mdlconfXMLStateLabel"), configState);
    QVERIFY(QFileInfo(blockedPath).isDir());
    QCOMPARE(FileHelpers::readFile(kept), QByteArray("old"));
    QVERIFY(QFileInfo(other).isFile());
    QCOMPARE(s.scriptsRun(),
             completed ? QStringList({"runbefore", "runafter"}) : QStringList("runbefore"));
    QCOMPARE(RecentFiles::entries(Settings::instance()),
             completed ? QStringList(s.dir.path()) : QStringList());
    QCOMPARE(QFile::exists(native(s.programDir.path(), "config.ini")), completed);
}

// The root folder went away while the project was open: both files report "Error", nothing is
// written anywhere, the after-save script and the recent list stay untouched, and the project is
// still there to be saved elsewhere.
void TestSave::rootDeletedWhileOpen() {
    SaveSession s;
    const CFOMOD before = s.doc.project;
    QVERIFY(QDir(s.dir.path()).removeRecursively());

    s.chooseMenu("SaveMenu");

    QCOMPARE(s.prompts.messages().size(), 2);
    QCOMPARE(s.state("infoXMLStateLabel"), QStringLiteral("Error"));
    QCOMPARE(s.state("mdlconfXMLStateLabel"), QStringLiteral("Error"));
    QVERIFY(!QFileInfo::exists(s.dir.path()));
    QCOMPARE(s.scriptsRun(), QStringList("runbefore"));
    QVERIFY(RecentFiles::entries(Settings::instance()).isEmpty());
    QVERIFY(s.doc.project == before);
}

QTEST_MAIN(TestSave)
#include "tst_save.moc"
