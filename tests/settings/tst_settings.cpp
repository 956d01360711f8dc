#include "FileHelpers.h"
#include "HostilePaths.h"
#include "settings/Settings.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SSettings)

using FileHelpers::readFile;
using FileHelpers::writeFile;

// Readable failure output.
char* toString(const SSettings& s) {
    QByteArray text = s.sLanguage + "|" + QByteArray::number(s.bHideOpenFolder) +
                      QByteArray::number(s.bHideOpenFile) + QByteArray::number(s.bReplaceRN) + "|" +
                      QByteArray::number(s.iInterfaceTextSize) + "|" +
                      QByteArray::number(s.iSplashScreenSec) + "|" +
                      QByteArray::number(s.iMaxRecentFiles) + "|" +
                      QByteArray::number(s.iRecentFilesNum) + "|" + s.vRecentFiles.join(';');
    return qstrdup(text.constData());
}

namespace {

// A record whose every field differs from the start values, so a row shows what a file
// leaves untouched.
SSettings heldRecord() {
    SSettings s;
    s.sLanguage = "German.txt";
    s.bHideOpenFolder = true;
    s.bHideOpenFile = false;
    s.bReplaceRN = true;
    s.iInterfaceTextSize = 9;
    s.iSplashScreenSec = 2;
    s.iMaxRecentFiles = 5;
    s.iRecentFilesNum = 1;
    s.vRecentFiles = {"C:\\Held"};
    return s;
}

SSettings filledRecord() {
    SSettings s;
    s.sLanguage = "Deutsch \xC3\xBC.txt";
    s.bHideOpenFolder = true;
    s.bHideOpenFile = true;
    s.bReplaceRN = true;
    s.iInterfaceTextSize = 12;
    s.iSplashScreenSec = -3;
    s.iMaxRecentFiles = 10;
    s.iRecentFilesNum = 99;
    s.vRecentFiles = {"D:\\Mods\\A", "/home/u/mods/B with spaces ", QByteArray(400, 'x')};
    return s;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void unreadableFileChangesNothing_data() { HostilePaths::addRows(); }
    void unreadableFileChangesNothing();
    void writtenBytes_data();
    void writtenBytes();
    void writeThenRead();
    void entriesWithLineBreaksStayOutOfTheFile();
    void unwritableFileIsLeftAlone();
    void pathsSurviveTheCodePage();
    void programSettingsIgnoreTheWorkingDirectory();

private:
    QTemporaryDir m_dir;
};

void TestSettings::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<SSettings>("expected");

    SSettings s = heldRecord();
    s.sLanguage = "English.txt";
    QTest::newRow("only the language") << QByteArray("sLanguage=English.txt\r\n") << s;

    s = heldRecord();
    s.bHideOpenFile = true;
    s.bHideOpenFolder = false;
    QTest::newRow("key case") << QByteArray("BHIDEOPENFILE = 1\r\nbhideOpenFolder = 0\r\n") << s;

    s = heldRecord();
    s.iMaxRecentFiles = 0;
    s.iInterfaceTextSize = -12;
    s.iSplashScreenSec = 7;
    s.bReplaceRN = true;
    QTest::newRow("atol values") << QByteArray(
                                        "iMaxRecentFiles = abc\r\niInterfaceTextSize = -12pt\r\n"
                                        "iSplashScreenSec = \t+7\r\nbReplaceRN = 2\r\n")
                                 << s;

    s = heldRecord();
    s.iInterfaceTextSize = 2147483647;
    s.iSplashScreenSec = -2147483647 - 1;
    QTest::newRow("out of range saturates")
        << QByteArray("iInterfaceTextSize=99999999999\r\niSplashScreenSec=-99999999999\r\n") << s;

    s = heldRecord();
    s.sLanguage = "spaced name.txt  ";
    QTest::newRow("language rest of line exactly, bare LF")
        << QByteArray("sLanguage =  spaced name.txt  \n") << s;

    s = heldRecord();
    s.sLanguage = "";
    QTest::newRow("empty language") << QByteArray("sLanguage = \r\n") << s;

    s = heldRecord();
    s.iRecentFilesNum = 3;
    s.vRecentFiles = {"C:\\One", "C:\\Two"};
    QTest::newRow("fewer path lines than counted")
        << QByteArray("iRecentFilesNum = 3\r\nsRecentFiles = \r\nC:\\One\r\nC:\\Two") << s;

    s = heldRecord();
    s.iRecentFilesNum = 3;
    s.vRecentFiles = {"C:\\One"};
    s.sLanguage = "x";
    QTest::newRow("paths counted with the number held before")
        << QByteArray("sRecentFiles = \r\nC:\\One\r\nsLanguage = x\r\niRecentFilesNum = 3\r\n")
        << s;

    s = heldRecord();
    s.iRecentFilesNum = 2;
    s.vRecentFiles = {"sLanguage = path", "[General]"};
    QTest::newRow("path lines are taken unchanged")
        << QByteArray("iRecentFilesNum=2\r\nsRecentFiles=\r\nsLanguage = path\r\n[General]\r\n")
        << s;

    s = heldRecord();
    s.iRecentFilesNum = 0;
    s.vRecentFiles = {};
    QTest::newRow("no path lines empties the list")
        << QByteArray("iRecentFilesNum = 0\r\nsRecentFiles = \r\nC:\\Ignored\r\n") << s;

    s = heldRecord();
    s.iMaxRecentFiles = 4;
    QTest::newRow("a key twice takes the later value")
        << QByteArray("iMaxRecentFiles = 3\r\n[RecentFiles]\r\niMaxRecentFiles = 4\r\n") << s;

    s = heldRecord();
    s.sLanguage = QByteArray(1000, 'L');
    QTest::newRow("long line read whole") << "sLanguage = " + QByteArray(1000, 'L') + "\r\n" << s;

    QTest::newRow("lines without separator and unknown keys ignored")
        << QByteArray("[General]\r\n\r\nsLanguage\r\nsLanguageX = y\r\nfoo = 1\r\n")
        << heldRecord();

    // Damage: whatever comes before, the lines after it are read.
    SSettings maxSeven = heldRecord();
    maxSeven.iMaxRecentFiles = 7;
    QTest::newRow("0 bytes") << QByteArray() << heldRecord();
    QTest::newRow("1 byte") << QByteArray("s") << heldRecord();
    QByteArray random(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(20261210);
    generator.fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QTest::newRow("random bytes, then a line") << random + "\r\niMaxRecentFiles = 7\r\n"
                                               << maxSeven;
    SSettings zeroName = maxSeven;
    zeroName.sLanguage = QByteArray("Ger\0man.txt", 11);
    QTest::newRow("zero bytes are kept and end nothing")
        << QByteArray("sLanguage = Ger\0man.txt\r\n\0\r\niMaxRecentFiles = 7\r\n", 49) << zeroName;
    SSettings longName = maxSeven;
    longName.sLanguage = QByteArray(10 * 1024 * 1024, 'x');
    QTest::newRow("one 10 MB line")
        << "sLanguage = " + longName.sLanguage + "\r\niMaxRecentFiles = 7\r\n"
        << longName;
}

void TestSettings::read() {
    QFETCH(QByteArray, file);
    QFETCH(SSettings, expected);
    const QString path = m_dir.filePath("config.ini");
    QVERIFY(writeFile(path, file));
    SSettings s = heldRecord();
    QVERIFY(Settings::readSettings(s, path));
    QCOMPARE(s, expected);
}

// Nothing is read and nothing blocks.
void TestSettings::unreadableFileChangesNothing() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    HOSTILE_PATH(path, dir.path());
    SSettings s = heldRecord();
    QVERIFY(!Settings::readSettings(s, path));
    QCOMPARE(s, heldRecord());
}

void TestSettings::writtenBytes_data() {
    QTest::addColumn<SSettings>("record");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("start values") << SSettings{}
                                  << QByteArray("[General]\r\n"
                                                "bHideOpenFolder = 0\r\n"
                                                "bHideOpenFile = 0\r\n"
                                                "bReplaceRN = 0\r\n"
                                                "iInterfaceTextSize = 0\r\n"
                                                "iSplashScreenSec = 0\r\n"
                                                "sLanguage = \r\n"
                                                "\r\n"
                                                "[RecentFiles]\r\n"
                                                "iMaxRecentFiles = 0\r\n"
                                                "iRecentFilesNum = 0\r\n"
                                                "sRecentFiles = \r\n");
    SSettings s = filledRecord();
    s.vRecentFiles = {"D:\\Mods\\A", "/home/u/B "};
    QTest::newRow("filled record") << s
                                   << QByteArray("[General]\r\n"
                                                 "bHideOpenFolder = 1\r\n"
                                                 "bHideOpenFile = 1\r\n"
                                                 "bReplaceRN = 1\r\n"
                                                 "iInterfaceTextSize = 12\r\n"
                                                 "iSplashScreenSec = -3\r\n"
                                                 "sLanguage = Deutsch \xC3\xBC.txt\r\n"
                                                 "\r\n"
                                                 "[RecentFiles]\r\n"
                                                 "iMaxRecentFiles = 10\r\n"
                                                 "iRecentFilesNum = 2\r\n"
                                                 "sRecentFiles = \r\n"
                                                 "D:\\Mods\\A\r\n"
                                                 "/home/u/B \r\n");
}

void TestSettings::writtenBytes() {
    QFETCH(SSettings, record);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath("written.ini");
    QVERIFY(writeFile(path, "old contents that are longer than the new file will be ... ... ..."));
    Settings::writeSettings(record, path);
    QCOMPARE(readFile(path), bytes);
}

void TestSettings::writeThenRead() {
    const QString path = m_dir.filePath("roundtrip.ini");
    Settings::writeSettings(filledRecord(), path);
    SSettings s;
    QVERIFY(Settings::readSettings(s, path));
    SSettings expected = filledRecord();
    expected.iRecentFilesNum = qint32(expected.vRecentFiles.size());
    QCOMPARE(s, expected);
}

void TestSettings::entriesWithLineBreaksStayOutOfTheFile() {
    SSettings s;
    s.iMaxRecentFiles = 3;
    s.sLanguage = "English.txt\r\niMaxRecentFiles = 0";
    s.vRecentFiles = {"/a", "/b\nsLanguage = evil", "/c"};
    const QString path = m_dir.filePath("breaks.ini");
    Settings::writeSettings(s, path);

    SSettings back;
    QVERIFY(Settings::readSettings(back, path));
    QCOMPARE(back.sLanguage, QByteArray("English.txt"));
    QCOMPARE(back.iMaxRecentFiles, 3);
    QCOMPARE(back.vRecentFiles, (QList<QByteArray>{"/a", "/c"}));
}

void TestSettings::unwritableFileIsLeftAlone() {
    // A folder in the file's place cannot be written; nothing is reported and the folder stays.
    const QString path = m_dir.filePath("folder.ini");
    QVERIFY(QDir(m_dir.path()).mkdir("folder.ini"));
    Settings::writeSettings(filledRecord(), path);
    QVERIFY(QFileInfo(path).isDir());
    Settings::writeSettings(filledRecord(), m_dir.filePath("missing/dir/config.ini"));
    QVERIFY(!QFileInfo::exists(m_dir.filePath("missing")));
}

void TestSettings::pathsSurviveTheCodePage() {
    const QString path = u"/home/\u00fcser/Mods/\u65e5\u672c"_qs;
    QCOMPARE(Settings::fromLocal8(Settings::toLocal8(path)), path);
    QCOMPARE(Settings::settingsPath("/opt/quarvel"),
             QDir::toNativeSeparators("/opt/quarvel/config.ini"));
}

void TestSettings::programSettingsIgnoreTheWorkingDirectory() {
    // Started from another folder, the program must not take that folder's config.ini.
    QTemporaryDir workDir;
    QVERIFY(workDir.isValid());
    QVERIFY(writeFile(workDir.filePath("config.ini"), "iSplashScreenSec = 12345\r\n"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));
    const bool read = Settings::readProgramSettings();
    QDir::setCurrent(previous);
    QCOMPARE(read, QFileInfo::exists(QCoreApplication::applicationDirPath() + "/config.ini"));
    QVERIFY(Settings::instance().iSplashScreenSec != 12345);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
