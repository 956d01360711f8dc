#include "FileHelpers.h"
#include "HostilePaths.h"
#include "model/Fomod.h"
#include "platform/CommandInterpreter.h"
#include "scripts/ScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using FileHelpers::readFile;
using FileHelpers::writeFile;

namespace {

// Runs the test body in a fresh working directory, which the interpreter inherits.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString& path) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

class TestScriptRunner : public QObject {
    Q_OBJECT

private slots:
    void runsTheExpandedScript_data();
    void runsTheExpandedScript();
    void unreadableScriptRunsNothing_data() { HostilePaths::addRows(); }
    void unreadableScriptRunsNothing();
    void unwritableRunFileRunsNothing();
    void installedRunsFromPrivateTemporaryFolder();
    void scriptPaths();
};

void TestScriptRunner::runsTheExpandedScript_data() {
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("8-bit text") << QByteArray();
    QTest::newRow("UTF-8 mark before the first command") << QByteArray("\xEF\xBB\xBF");
}

void TestScriptRunner::runsTheExpandedScript() {
#ifdef Q_OS_WIN
    QSKIP("the script below is written for /bin/sh");
#endif
    QFETCH(QByteArray, mark);
    QTemporaryDir programDir;
    QTemporaryDir workDir;
    QVERIFY(programDir.isValid() && workDir.isValid());
    const QString script = ScriptRunner::scriptPath(programDir.path(), "runafter.txt");
    // As the script dialog saves it: CR LF lines.
    QVERIFY(writeFile(script, mark + "echo \"$MODNAME$ $MODVERSION$\" > out.txt\r\n"
                                     "echo \"$MODROOT$\" >> out.txt\r\n"));
    CFOMOD project;
    project.sName = "My Mod";
    project.sVersion = "1.2";
    {
        WorkingDirectory cwd(workDir.path());
        ScriptRunner::runSaveScript(script, project, "/mods/my mod");
    }
    QCOMPARE(readFile(workDir.filePath("out.txt")), QByteArray("My Mod 1.2\n/mods/my mod\n"));
    QVERIFY(!QFile::exists(CommandInterpreter::scriptFileFor(script)));
    QCOMPARE(QDir(programDir.path()).entryList(QDir::Files), QStringList{"runafter.txt"});
}

// Nothing is read, nothing blocks and no interpreter file is made.
void TestScriptRunner::unreadableScriptRunsNothing() {
    QTemporaryDir programDir;
    QVERIFY(programDir.isValid());
    HOSTILE_PATH(script, programDir.path());
    const QStringList before =
        QDir(programDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ScriptRunner::runSaveScript(script, CFOMOD{}, programDir.path());
    QCOMPARE(QDir(programDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void TestScriptRunner::unwritableRunFileRunsNothing() {
#ifdef Q_OS_WIN
    QSKIP("the script below is written for /bin/sh");
#endif
    // A folder in the run file's place: the script must not run from a stale or foreign file.
    QTemporaryDir programDir;
    QTemporaryDir workDir;
    QVERIFY(programDir.isValid() && workDir.isValid());
    const QString script = ScriptRunner::scriptPath(programDir.path(), "runbefore.txt");
    QVERIFY(writeFile(script, "echo ran > out.txt\r\n"));
    QVERIFY(QDir().mkpath(CommandInterpreter::scriptFileFor(script)));
    {
        WorkingDirectory cwd(workDir.path());
        ScriptRunner::runSaveScript(script, CFOMOD{}, "/root");
    }
    QVERIFY(QDir(workDir.path()).isEmpty());
    QVERIFY(QFileInfo(CommandInterpreter::scriptFileFor(script)).isDir());
}

// An installed program's scripts lie in the user's configuration folder; the expanded file
// goes to a fresh folder in the temporary folder, closed to other users, gone afterwards.
void TestScriptRunner::installedRunsFromPrivateTemporaryFolder() {
#ifdef Q_OS_WIN
    QSKIP("the script below is written for /bin/sh");
#endif
    QTemporaryDir configDir;
    QTemporaryDir workDir;
    QTemporaryDir tempRoot; // stands in for the system's temporary folder
    QVERIFY(configDir.isValid() && workDir.isValid() && tempRoot.isValid());
    const QString script = QDir(configDir.path()).filePath("runafter.txt");
    // The script looks for its run file (macros leave no "$" for the shell's own variables).
    const QByteArray temp = QFile::encodeName(tempRoot.path());
    QVERIFY(writeFile(script, "find " + temp + " -name '*.sh' > out.txt\r\n" + "stat -c %a " +
                                  temp + "/quarvel-* >> out.txt\r\n"));
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp);
    {
        WorkingDirectory cwd(workDir.path());
        ScriptRunner::runSaveScript(script, Macros::contextFor(CFOMOD{}, "/root"),
                                    DataPaths::Mode::Installed);
    }
    qputenv("TMPDIR", previousTemp);

    const QList<QByteArray> lines = readFile(workDir.filePath("out.txt")).split('\n');
    QCOMPARE(lines.size(), 3);
    const QFileInfo runFile(QFile::decodeName(lines[0]));
    QCOMPARE(runFile.fileName(), QString("runafter.txt.sh"));
    QVERIFY2(runFile.absolutePath().startsWith(tempRoot.path() + "/quarvel-"),
             qPrintable(runFile.filePath()));
    QCOMPARE(lines[1], QByteArray("700"));
    QVERIFY(QDir(tempRoot.path()).isEmpty());
    QCOMPARE(QDir(configDir.path()).entryList(QDir::Files), QStringList{"runafter.txt"});
}

void TestScriptRunner::scriptPaths() {
    QCOMPARE(ScriptRunner::scriptPath("/opt/q", "runbefore.txt"),
             QDir::toNativeSeparators("/opt/q/runbefore.txt"));
#ifdef Q_OS_WIN
    QCOMPARE(CommandInterpreter::scriptFileFor("C:\\q\\runafter.txt"),
             QString("C:\\q\\runafter.txt.bat"));
#else
    QCOMPARE(CommandInterpreter::scriptFileFor("/opt/q/runafter.txt"),
             QString("/opt/q/runafter.txt.sh"));
#endif
}

QTEST_GUILESS_MAIN(TestScriptRunner)
#include "tst_scriptrunner.moc"
