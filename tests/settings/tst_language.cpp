#include "FileHelpers.h"
#include "HostilePaths.h"
#include "settings/LanguageFileBytes.h"
#include "settings/LanguageTable.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QList<SLanguagePair>)

using FileHelpers::writeFile;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void parseGrammar_data();
    void parseGrammar();
    void parseEncodings_data();
    void parseEncodings();
    void lookup_data();
    void lookup();
    void loadFileKeepsTableOnFailure_data() { HostilePaths::addRows(); }
    void loadFileKeepsTableOnFailure();
    void loadDamagedFile_data();
    void loadDamagedFile();
    void listsOnlyTextFiles();
    void shippedEnglishFileIsWellFormed();
};

void TestLanguage::parseGrammar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<SLanguagePair>>("pairs");

    QTest::newRow("well-formed lines")
        << u"MoveUpButton = \"Nach oben\"\r\nAddFileButton = \"Datei hinzuf\u00fcgen\"\r\n"_qs
        << QList<SLanguagePair>{{"MoveUpButton", "Nach oben"},
                                {"AddFileButton", u"Datei hinzuf\u00fcgen"_qs}};
    QTest::newRow("empty quoted value still gives a pair") << "Key = \"\"\r\n"
                                                           << QList<SLanguagePair>{{"Key", ""}};
    QTest::newRow("unquoted value loses its first character")
        << "Key = Value\r\n"
        << QList<SLanguagePair>{{"Key", "alue"}};
    QTest::newRow("every quotation mark of a value dropped")
        << "Key = \"say \"hi\" now\"\n"
        << QList<SLanguagePair>{{"Key", "say hi now"}};
    QTest::newRow("values keep spaces and equals signs") << "K=\"a = b\"\n"
                                                         << QList<SLanguagePair>{{"K", "a = b"}};
    QTest::newRow("line without separator runs into the next key")
        << "Orphan\r\nKey = \"v\"\r\n"
        << QList<SLanguagePair>{{"OrphanKey", "v"}};
    QTest::newRow("last line without line break")
        << "A = \"x\"\r\nB = \"y\"" << QList<SLanguagePair>{{"A", "x"}, {"B", "y"}};
    QTest::newRow("last line with empty value and no break is dropped")
        << "A = \"x\"\r\nB = \"\"" << QList<SLanguagePair>{{"A", "x"}};
    QTest::newRow("a key twice stays twice, in file order")
        << "K = \"1\"\nK = \"2\"\n"
        << QList<SLanguagePair>{{"K", "1"}, {"K", "2"}};
    QTest::newRow("unit 0 ends a value") << QString::fromUtf16(u"K = \"a\0L = \"b\"\n", 15)
                                         << QList<SLanguagePair>{{"K", "a"}, {"L", "b"}};
    QTest::newRow("empty file") << "" << QList<SLanguagePair>{};
}

void TestLanguage::parseGrammar() {
    QFETCH(QString, text);
    QFETCH(QList<SLanguagePair>, pairs);
    QCOMPARE(Language::parse(utf16File(text)), pairs);
}

void TestLanguage::parseEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<SLanguagePair>>("pairs");

    const QList<SLanguagePair> umlaut{{"AddFileButton", u"Datei hinzuf\u00fcgen"_qs}};
    const QByteArray utf8("AddFileButton = \"Datei hinzuf\xC3\xBCgen\"\r\n");
    QTest::newRow("UTF-16 LE with mark")
        << utf16File(u"AddFileButton = \"Datei hinzuf\u00fcgen\"\r\n"_qs) << umlaut;
    QTest::newRow("UTF-8 without mark loses nothing") << utf8 << umlaut;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + utf8 << umlaut;
    QTest::newRow("UTF-16 LE odd trailing byte ignored")
        << utf16File("K = \"v\"") + QByteArray("\x41", 1) << QList<SLanguagePair>{{"K", "v"}};
    QByteArray bigEndian("\xFE\xFF", 2);
    for (char c : QByteArray("K = \"v\"\n")) {
        bigEndian.append('\0');
        bigEndian.append(c);
    }
    QTest::newRow("UTF-16 BE with mark") << bigEndian << QList<SLanguagePair>{{"K", "v"}};
}

void TestLanguage::parseEncodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<SLanguagePair>, pairs);
    QCOMPARE(Language::parse(bytes), pairs);
}

void TestLanguage::lookup_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("result");

    QTest::newRow("exact") << "AddFileButton"
                           << "Datei";
    QTest::newRow("lower case") << "addfilebutton"
                                << "Datei";
    QTest::newRow("upper case") << "ADDFILEBUTTON"
                                << "Datei";
    QTest::newRow("first of two wins") << "Twice"
                                       << "first";
    QTest::newRow("missing gives the key") << "NoSuchKey"
                                           << "NoSuchKey";
    QTest::newRow("prefix is no match") << "AddFile"
                                        << "AddFile";
    QTest::newRow("only ASCII letters fold") << u"\u00c4rger"_qs << u"\u00c4rger"_qs;
}

void TestLanguage::lookup() {
    QFETCH(QString, key);
    QFETCH(QString, result);
    const QList<SLanguagePair> languageTable{{"AddFileButton", "Datei"},
                                             {"Twice", "first"},
                                             {"twice", "second"},
                                             {u"\u00e4rger"_qs, "x"}};
    QCOMPARE(Language::lookup(languageTable, key), result);
    QCOMPARE(Language::lookup(QList<SLanguagePair>{}, key), key);
}

// Nothing is read and nothing blocks: the language loaded before stays.
void TestLanguage::loadFileKeepsTableOnFailure() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("German.txt");
    QVERIFY(writeFile(path, utf16File("OkButton = \"Gut\"\r\n")));
    Language::table().clear();
    QVERIFY(Language::loadFile(path));
    QCOMPARE(Language::lookup("okbutton"), QString("Gut"));

    HOSTILE_PATH(hostile, dir.path());
    QVERIFY(!Language::loadFile(hostile));
    QCOMPARE(Language::table(), (QList<SLanguagePair>{{"OkButton", "Gut"}}));
    Language::table().clear();
}

void TestLanguage::loadDamagedFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("okButton"); // the lookup of OkButton after loading

    // A separator and a line end close whatever key or value the damage left open.
    const QByteArray clean = utf16File(" = \"x\"\r\nOkButton = \"Gut\"\r\n").mid(2);
    QTest::newRow("0 bytes") << QByteArray() << "OkButton";
    QTest::newRow("1 byte") << QByteArray("\xFF", 1) << "OkButton";
    QByteArray random(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(20261210);
    generator.fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QTest::newRow("random units, then a line") << QByteArray("\xFF\xFE") + random + clean << "Gut";
    QTest::newRow("unpaired surrogate kept")
        << utf16File(QStringLiteral("OkButton = \"G") + QChar(0xDC00) + QStringLiteral("\"\r\n"))
        << QStringLiteral("G") + QChar(0xDC00);
    QTest::newRow("zero unit in place of a line break")
        << utf16File(QStringLiteral("A = \"x\"") + QChar(0) + QStringLiteral("OkButton = \"Gut\""))
        << "Gut";
    QTest::newRow("one 10 MB value, then a line")
        << utf16File(QStringLiteral("Big = \"") + QString(10 * 1024 * 1024, u'v') +
                     QStringLiteral("\"\r\nOkButton = \"Gut\"\r\n"))
        << "Gut";
}

void TestLanguage::loadDamagedFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, okButton);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Damaged.txt");
    QVERIFY(writeFile(path, bytes));
    QVERIFY(Language::loadFile(path));
    QCOMPARE(Language::lookup("OkButton"), okButton);
    Language::table().clear();
}

void TestLanguage::listsOnlyTextFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("Language/Folder.txt"));
    for (const char* name : {"German.txt", "English.txt", "deutsch.txt", "POLSKI.TXT", "notes.md"})
        QVERIFY(writeFile(dir.filePath(QString("Language/") + name), "x"));

    // Listed as the Windows folder listing gives them: any letter case, alphabetical.
    QCOMPARE(Language::listLanguageFiles(dir.path()),
             (QStringList{"deutsch.txt", "English.txt", "German.txt", "POLSKI.TXT"}));
    const QString english = QDir::toNativeSeparators(dir.path() + "/Language/English.txt");
    QCOMPARE(Language::languageFilePath(dir.path(), "English.txt"), english);
    QCOMPARE(Language::languageFilePath(dir.path(), "english.TXT"), english);
    QCOMPARE(Language::languageFilePath(dir.path(), "Missing.txt"),
             QDir::toNativeSeparators(dir.path() + "/Language/Missing.txt"));
    QVERIFY(Language::listLanguageFiles(dir.filePath("nowhere")).isEmpty());
}

void TestLanguage::shippedEnglishFileIsWellFormed() {
    QFile file(QStringLiteral(QUARVEL_TEST_DATA "/../../Language/English.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xFF\xFE"));
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    const QStringList lines = text.split(u"\r\n"_qs, Qt::SkipEmptyParts);

    // One pair per line: a malformed line would run into the next key or lose a character.
    const QList<SLanguagePair> pairs = Language::parse(bytes);
    QCOMPARE(pairs.size(), lines.size());
    QSet<QString> keys;
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        QCOMPARE(lines[i], pairs[i].sKey + " = \"" + pairs[i].sValue + "\"");
        QVERIFY2(!pairs[i].sValue.isEmpty(), qPrintable(pairs[i].sKey));
        QVERIFY2(!keys.contains(pairs[i].sKey.toUpper()), qPrintable(pairs[i].sKey));
        keys.insert(pairs[i].sKey.toUpper());
    }
    QCOMPARE(text.count(QLatin1Char('\n')), text.count(u"\r\n"_qs));
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
