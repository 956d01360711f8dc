#include "FileHelpers.h"
#include "installer/ProjectParts.h"
#include "installer/Writer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <limits>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using FileHelpers::readFile;
using FileHelpers::writeFile;
using ProjectParts::dependency;
using ProjectParts::fileEntry;

namespace {

const QString kVersion = QStringLiteral("2.3.0.15");
const QString kHomePage = QStringLiteral("https://example.org/q?a=1&b=2");

// A project that reaches every line of both formats, with plain texts holding the characters
// that must be escaped and descriptions that never went through a memo.
CFOMOD fullProject() {
    CFOMOD p;
    p.sName = QStringLiteral("Tom & Jerry's <Big> \"Mod\"");
    p.sAuthor = QStringLiteral("A&B");
    p.sVersion = QStringLiteral("1.0<beta>");
    p.sCategory = QStringLiteral("Armour & Shields");
    p.sWebsite = QStringLiteral("https://example.com/mods?id=1&x=2");
    p.sImage = QStringLiteral("fomod\\images\\header \"1\".png");
    p.sDescription = QStringLiteral("Line one & <two>\r\nLine &#38; three &amp; \u00e9") +
                     QString::fromUtf8("\U0001F600");
    p.vRequiredFiles = {fileEntry("file", QStringLiteral("core\\main.esp"), "main.esp", 9),
                        fileEntry("folder", QStringLiteral("core\\textures & meshes"), "textures")};

    CStep options(QStringLiteral("Options & \"Extras\""));
    options.sOperator = QStringLiteral("Or");
    options.vVisibility = {dependency("flag", QStringLiteral("A"), "On"),
                           dependency("file", QStringLiteral("base.esm"), "Active"),
                           dependency("File", QStringLiteral("x.esp"), "Active"),
                           dependency("flag", QStringLiteral("B<"), "Off&")};

    CPluginGroup main(QStringLiteral("Main <choose>"), QStringLiteral("SelectExactlyOne"));

    CPlugin full(QStringLiteral("Full"));
    full.sDescription = QStringLiteral("Everything &#60;all&#62;");
    full.sImage = QStringLiteral("fomod\\full.png");
    full.sType = QStringLiteral("Required");
    full.vConditionFlags = {CCondition(QStringLiteral("Full"), QStringLiteral("On"))};
    full.vFiles = {fileEntry("file", QStringLiteral("a\\x.esp"), "x.esp", -5),
                   fileEntry("folder", QStringLiteral("b"), "")};

    CPlugin lite(QStringLiteral("Lite"));
    lite.sType = QStringLiteral("CouldBeUsable");
    lite.vConditionFlags = {CCondition(QStringLiteral("Lite"), QStringLiteral("On")),
                            CCondition(QStringLiteral("Mode \"x\""), QStringLiteral("a&b <c>"))};
    CDependencyPattern recommended;
    recommended.sOperator = QStringLiteral("And");
    recommended.sType = QStringLiteral("Recommended");
    recommended.vDependencies = {dependency("file", QStringLiteral("x.esp"), "Missing"),
                                 dependency("flag", QStringLiteral("Full"), "On"),
                                 dependency("Flag", QStringLiteral("Full"), "On")};
    CDependencyPattern unusable;
    unusable.sType = QStringLiteral("NotUsable");
    lite.vPatterns = {recommended, unusable};

    CPlugin none(QStringLiteral("None"));
    none.sDescription = QStringLiteral("Nothing & nobody");

    CPlugin filesOnly(QStringLiteral("Files only"));
    filesOnly.sDescription = QStringLiteral("Two\r\nlines&#13;&#10;\nhere");
    filesOnly.sType = QStringLiteral("NotUsable");
    filesOnly.vFiles = {
        fileEntry("file", QStringLiteral("c&d\\c.esp"), "c.esp",
                  std::numeric_limits<qint32>::max()),
        fileEntry("file", QStringLiteral("e.esp"), "e.esp", std::numeric_limits<qint32>::min())};

    main.vPlugins = {full, lite, none, filesOnly};
    options.vGroups = {main,
                       CPluginGroup(QStringLiteral("Empty group"), QStringLiteral("SelectAny"))};

    CStep empty(QStringLiteral("Empty step"));
    empty.sOperator = QStringLiteral("Or");
    CStep unknown(QStringLiteral("Unknown condition"));
    unknown.vVisibility = {dependency("File", QStringLiteral("x.esp"), "Active")};
    p.vSteps = {options, empty, unknown};

    CConditionalFile both;
    both.sOperator = QStringLiteral("And");
    both.vDependencies = {dependency("flag", QStringLiteral("Full"), "On"),
                          dependency("file", QStringLiteral("x & y.esp"), "Inactive")};
    both.vFiles = {fileEntry("file", QStringLiteral("opt\\a.esp"), "a.esp", -1),
                   fileEntry("folder", QStringLiteral("opt\\tex"), "textures", 3)};
    CConditionalFile neither;
    neither.sOperator = QStringLiteral("Or");
    CConditionalFile dependenciesOnly;
    dependenciesOnly.vDependencies = {dependency("flag", QStringLiteral("Lite"), "On")};
    CConditionalFile filesOnlyPattern;
    filesOnlyPattern.sOperator = QStringLiteral("And");
    filesOnlyPattern.vFiles = {fileEntry("folder", QStringLiteral("x"), "y")};
    p.vConditionalFiles = {both, neither, dependenciesOnly, filesOnlyPattern};
    return p;
}

// The full project without the group that has no plugins and the steps that have no groups:
// the schema forbids both, and the writer does not invent content for them.
CFOMOD schemaValidProject() {
    CFOMOD p = fullProject();
    p.vSteps.resize(1);
    p.vSteps[0].vGroups.resize(1);
    return p;
}

QByteArray golden(const char* name) {
    QFile f(QStringLiteral(QUARVEL_TEST_DATA "/writer/") + QString::fromUtf8(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return f.readAll();
}

// Shows the first differing line, which a byte comparison alone does not.
void compareLines(const QByteArray& actual, const QByteArray& expected) {
    const QStringList a =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(actual.constData()), actual.size() / 2)
            .split(u'\n');
    const QStringList e =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(expected.constData()),
                           expected.size() / 2)
            .split(u'\n');
    for (qsizetype i = 0; i < qMin(a.size(), e.size()); ++i)
        QCOMPARE(a[i], e[i]);
    QCOMPARE(a.size(), e.size());
}

InstallerWriter::WriteOutcome write(const QString& which, const CFOMOD& project,
                                    const QString& root) {
    return which == u"info" ? InstallerWriter::writeInfoFile(project, root)
                            : InstallerWriter::writeConfigFile(project, root, kVersion, kHomePage);
}

QString targetPath(const QString& which, const QString& root) {
    return root + (which == u"info" ? QStringLiteral("/fomod/info.xml")
                                    : QStringLiteral("/fomod/ModuleConfig.xml"));
}

} // namespace

class TestWriter : public QObject {
    Q_OBJECT

private slots:
    void wholeFiles_data();
    void wholeFiles();
    void writtenFilesParse();
    void unwritableCharactersReplaced();
    void schemaAccepts_data();
    void schemaAccepts();
    void writeToDisk_data();
    void writeToDisk();
    void missingFomodFolder_data();
    void missingFomodFolder();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void failedWriteWithoutPermissions_data();
    void failedWriteWithoutPermissions();
};

void TestWriter::wholeFiles_data() {
    QTest::addColumn<CFOMOD>("project");
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QByteArray>("config");

    QTest::newRow("empty project")
        << CFOMOD() << golden("empty_info.xml") << golden("empty_config.xml");
    QTest::newRow("every line") << fullProject() << golden("full_info.xml")
                                << golden("full_config.xml");
}

void TestWriter::wholeFiles() {
    QFETCH(CFOMOD, project);
    QFETCH(QByteArray, info);
    QFETCH(QByteArray, config);

    const QByteArray writtenInfo = InstallerWriter::infoFileBytes(project);
    const QByteArray writtenConfig = InstallerWriter::configFileBytes(project, kVersion, kHomePage);
    compareLines(writtenInfo, info);
    compareLines(writtenConfig, config);
    QCOMPARE(writtenInfo, info);
    QCOMPARE(writtenConfig, config);
}

// Escaped names must come back as typed through a standard parser.
void TestWriter::writtenFilesParse() {
    const CFOMOD project = fullProject();

    QXmlStreamReader config(InstallerWriter::configFileBytes(project, kVersion, kHomePage));
    QStringList names;
    QStringList flagValues;
    QString moduleName;
    while (!config.atEnd()) {
        if (config.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = config.name();
        if (element == u"installStep" || element == u"group" || element == u"plugin")
            names << config.attributes().value(QStringLiteral("name")).toString();
        else if (element == u"moduleName")
            moduleName = config.readElementText();
        else if (element == u"flag")
            flagValues << config.attributes().value(QStringLiteral("name")).toString() + u'='
                       << config.readElementText();
    }
    QVERIFY2(!config.hasError(), qPrintable(config.errorString()));

    QStringList expectedNames;
    QStringList expectedFlags;
    for (const CStep& step : project.vSteps) {
        expectedNames << step.sName;
        for (const CPluginGroup& group : step.vGroups) {
            expectedNames << group.sName;
            for (const CPlugin& plugin : group.vPlugins) {
                expectedNames << plugin.sName;
                for (const CCondition& flag : plugin.vConditionFlags)
                    expectedFlags << flag.sName + u'=' << flag.sValue;
            }
        }
    }
    QCOMPARE(moduleName, project.sName);
    QCOMPARE(names, expectedNames);
    QCOMPARE(flagValues, expectedFlags);

    QXmlStreamReader info(InstallerWriter::infoFileBytes(project));
    QString author;
    QString description;
    while (!info.atEnd()) {
        if (info.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (info.name() == u"Author")
            author = info.readElementText();
        else if (info.name() == u"Description")
            description = info.readElementText();
    }
    QVERIFY2(!info.hasError(), qPrintable(info.errorString()));
    QCOMPARE(author, project.sAuthor);
    QVERIFY(description.startsWith(u"Line one & <two>"));
}

// A control character pasted into a field, or an unpaired surrogate, would make the whole file
// unreadable; it is written as U+FFFD and everything around it survives.
void TestWriter::unwritableCharactersReplaced() {
    CFOMOD project;
    project.sName = QStringLiteral("Mod\x0B") + QChar(0xD800);
    project.sDescription = QStringLiteral("Line\x01 one");
    CStep step(QStringLiteral("Step\x1F"));
    CPlugin plugin(QStringLiteral("Plugin\x08"));
    plugin.sDescription = QStringLiteral("About\x07 \U0001F600");
    plugin.vConditionFlags = {CCondition(QStringLiteral("F"), QString(QChar(0xFFFF)))};
    CPluginGroup group(QStringLiteral("G"), QStringLiteral("SelectAny"));
    group.vPlugins = {plugin};
    step.vGroups = {group};
    project.vSteps = {step};

    const QString r(QChar(0xFFFD));
    QMap<QString, QString> found;
    for (const QByteArray& bytes :
         {InstallerWriter::infoFileBytes(project),
          InstallerWriter::configFileBytes(project, kVersion, kHomePage)}) {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString element = xml.name().toString();
            if (xml.attributes().hasAttribute(QStringLiteral("name")))
                found[element] = xml.attributes().value(QStringLiteral("name")).toString();
            else if (element == u"Name" || element == u"Description" || element == u"description" ||
                     element == u"moduleName")
                found[element] = xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }
    QCOMPARE(found.value("Name"), "Mod" + r + r);
    QCOMPARE(found.value("moduleName"), "Mod" + r + r);
    QCOMPARE(found.value("Description"), "Line" + r + " one");
    QCOMPARE(found.value("installStep"), "Step" + r);
    QCOMPARE(found.value("plugin"), "Plugin" + r);
    QCOMPARE(found.value("description"), "About" + r + " \U0001F600");
}

void TestWriter::schemaAccepts_data() {
    QTest::addColumn<QString>("schema");
    QTest::newRow("FOMOD 5.0") << QStringLiteral("ModConfig5.0.xsd");
    QTest::newRow("Vortex") << QStringLiteral("XmlScript5.0.vortex.xsd");
}

void TestWriter::schemaAccepts() {
    QFETCH(QString, schema);
    const QString schemaPath = QStringLiteral(QUARVEL_SHARED_DIR "/schema/") + schema;
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty() || !QFile::exists(schemaPath))
        QSKIP("xmllint or the schema is not available");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ModuleConfig.xml"));
    QVERIFY(writeFile(path,
                      InstallerWriter::configFileBytes(schemaValidProject(), kVersion, kHomePage)));

    QProcess lint;
    lint.start(xmllint, {QStringLiteral("--noout"), QStringLiteral("--schema"), schemaPath, path});
    QVERIFY(lint.waitForFinished(-1));
    QVERIFY2(lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0,
             lint.readAllStandardError().constData());
}

void TestWriter::writeToDisk_data() {
    QTest::addColumn<QString>("which");
    QTest::newRow("info") << QStringLiteral("info");
    QTest::newRow("config") << QStringLiteral("config");
}

// Replaces a longer old file completely and leaves nothing else in the folder.
void TestWriter::writeToDisk() {
    QFETCH(QString, which);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("fomod")));
    const QString path = targetPath(which, root.path());
    QVERIFY(writeFile(path, QByteArray(64 * 1024, 'x')));

    const CFOMOD project = fullProject();
    const InstallerWriter::WriteOutcome outcome = write(which, project, root.path());
    QVERIFY2(outcome.bSuccess, qPrintable(outcome.sReason));
    QCOMPARE(QFileInfo(outcome.sPath).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    QCOMPARE(readFile(path), which == u"info"
                                 ? InstallerWriter::infoFileBytes(project)
                                 : InstallerWriter::configFileBytes(project, kVersion, kHomePage));
    QCOMPARE(QDir(root.filePath(QStringLiteral("fomod"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(path).fileName()});
}

void TestWriter::missingFomodFolder_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("info") << QStringLiteral("info")
                          << QStringLiteral("Can't open 'fomod\\info.xml' for write")
                          << QStringLiteral("temp_Quarvel");
    QTest::newRow("config") << QStringLiteral("config")
                            << QStringLiteral("Can't open 'fomod\\ModuleConfig.xml' for write")
                            << QStringLiteral("Quarvel");
}

void TestWriter::missingFomodFolder() {
    QFETCH(QString, which);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    QTemporaryDir root;
    QVERIFY(root.isValid());

    const InstallerWriter::WriteOutcome outcome = write(which, fullProject(), root.path());
    QVERIFY(!outcome.bSuccess);
    QCOMPARE(outcome.sMessage, message);
    QCOMPARE(outcome.sCaption, caption);
    QVERIFY(!outcome.sReason.isEmpty());
    QCOMPARE(outcome.sPath, targetPath(which, root.path()));
    // The writer never creates the folder.
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("fomod"))));
}

void TestWriter::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("failure");
    for (const char* which : {"info", "config"}) {
        for (const char* failure : {"read-only folder", "read-only file", "disk full"}) {
            QTest::addRow("%s, %s", which, failure)
                << QString::fromUtf8(which) << QString::fromUtf8(failure);
        }
    }
}

void TestWriter::failedWriteKeepsOldFile() {
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX permissions and file-size limits");
#else
    QFETCH(QString, which);
    QFETCH(QString, failure);
    if (failure != u"disk full" && geteuid() == 0)
        QSKIP("permissions do not stop the superuser");

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString fomod = root.filePath(QStringLiteral("fomod"));
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("fomod")));
    const QString path = targetPath(which, root.path());
    const QByteArray old("previous contents");
    QVERIFY(writeFile(path, old));

    InstallerWriter::WriteOutcome outcome;
    if (failure == u"read-only folder") {
        QVERIFY(QFile::setPermissions(fomod, QFile::ReadOwner | QFile::ExeOwner));
        outcome = write(which, fullProject(), root.path());
        QFile::setPermissions(fomod, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else if (failure == u"read-only file") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        outcome = write(which, fullProject(), root.path());
    } else {
        // Writes beyond the limit fail as on a full disk, after the file was opened.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 256;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        outcome = write(which, fullProject(), root.path());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

    QVERIFY(!outcome.bSuccess);
    QVERIFY(!outcome.sReason.isEmpty());
    QCOMPARE(outcome.sCaption,
             which == u"info" ? QStringLiteral("temp_Quarvel") : QStringLiteral("Quarvel"));
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(fomod).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(path).fileName()});
#endif
}

void TestWriter::failedWriteWithoutPermissions_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("failure");
    for (const char* which : {"info", "config"}) {
        for (const char* failure :
             {"a folder in the file's place", "fomod is a regular file", "a name too long"}) {
            QTest::addRow("%s, %s", which, failure)
                << QString::fromUtf8(which) << QString::fromUtf8(failure);
        }
    }
}

// Failures that stop the superuser too, so they are tested where CI runs as root: each is
// reported, and what stood there before is left as it was, with no temporary file beside it.
void TestWriter::failedWriteWithoutPermissions() {
    QFETCH(QString, which);
    QFETCH(QString, failure);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString root = dir.path();
    QString kept; // a file whose bytes must survive
    if (failure == u"a folder in the file's place") {
        QVERIFY(QDir().mkpath(targetPath(which, root)));
        kept = targetPath(which, root) + QStringLiteral("/inside.txt");
    } else if (failure == u"fomod is a regular file") {
        kept = root + QStringLiteral("/fomod");
    } else {
        root += QLatin1Char('/') + QString(300, QLatin1Char('r'));
    }
    if (!kept.isEmpty())
        QVERIFY(writeFile(kept, "previous contents"));
    const QStringList before =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const InstallerWriter::WriteOutcome outcome = write(which, fullProject(), root);
    QVERIFY(!outcome.bSuccess);
    QVERIFY(!outcome.sReason.isEmpty());
    QCOMPARE(outcome.sPath, targetPath(which, root));
    if (!kept.isEmpty())
        QCOMPARE(readFile(kept), QByteArray("previous contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
    if (failure == u"a folder in the file's place")
        QCOMPARE(QDir(targetPath(which, root))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"inside.txt"});
}

QTEST_GUILESS_MAIN(TestWriter)
#include "tst_writer.moc"
