#include "HostilePaths.h"
#include "cli/CliRun.h"
#include "platform/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// Runs the real quarvel-cli binary end to end.

namespace {

QString dataPath(const QString& name) {
    return QStringLiteral(QUARVEL_TEST_DATA "/cli/") + name;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Whether actual holds every key of expected with the same value, at every level; arrays
// match element by element.
bool holdsAllOf(const QJsonValue& actual, const QJsonValue& expected, const QString& path,
                QString* difference) {
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject wanted = expected.toObject();
        for (auto it = wanted.begin(); it != wanted.end(); ++it) {
            if (!holdsAllOf(actual.toObject().value(it.key()), it.value(),
                            path + QLatin1Char('.') + it.key(), difference))
                return false;
        }
        return true;
    }
    if (expected.isArray() && actual.isArray() &&
        expected.toArray().size() == actual.toArray().size()) {
        for (qsizetype i = 0; i < expected.toArray().size(); ++i) {
            if (!holdsAllOf(actual.toArray().at(i), expected.toArray().at(i),
                            path + QStringLiteral("[%1]").arg(i), difference))
                return false;
        }
        return true;
    }
    if (actual == expected)
        return true;
    *difference = path + QStringLiteral(" differs");
    return false;
}

QJsonObject parseJson(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return document.object();
}

QStringList namesOf(const QJsonValue& array, const char* key) {
    QStringList names;
    for (const QJsonValue& item : array.toArray())
        names << item[QLatin1String(key)].toString();
    return names;
}

QString fomodFile(const QString& root, const char* name) {
    return QDir(root).filePath(QStringLiteral("fomod/") + QLatin1String(name));
}

// Replaces $DATA, $TMP in each argument.
QStringList expand(const QStringList& arguments, const QString& tmp) {
    QStringList expanded;
    for (QString argument : arguments)
        expanded << argument
                        .replace(QStringLiteral("$DATA"), QStringLiteral(QUARVEL_TEST_DATA "/cli"))
                        .replace(QStringLiteral("$TMP"), tmp);
    return expanded;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    // roundtrip ROOT must write exactly what `write` makes of `dump ROOT`: the JSON form loses
    // nothing of what was read.
    void checkRoundtripMatchesWriteOfDump(const QString& root) {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString direct = tmp.filePath(QStringLiteral("direct"));
        const QString viaJson = tmp.filePath(QStringLiteral("json"));
        const QString jsonPath = tmp.filePath(QStringLiteral("dump.json"));

        const CliRun roundtrip = runCli({QStringLiteral("roundtrip"), root, direct});
        QVERIFY2(roundtrip.exitCode == 0, roundtrip.err.constData());
        const CliRun dump = runCli({QStringLiteral("dump"), root});
        QVERIFY2(dump.exitCode == 0, dump.err.constData());
        QVERIFY(writeBytes(jsonPath, dump.out));
        const CliRun write = runCli({QStringLiteral("write"), jsonPath, viaJson});
        QVERIFY2(write.exitCode == 0, write.err.constData());

        for (const char* name : {"info.xml", "ModuleConfig.xml"}) {
            const QByteArray bytes = fileBytes(fomodFile(direct, name));
            QVERIFY2(bytes.startsWith("\xFF\xFE"), name);
            QVERIFY2(bytes == fileBytes(fomodFile(viaJson, name)), name);
        }
        QVERIFY(roundtrip.err.isEmpty() && write.err.isEmpty());
    }

    // The commands that read a whole ROOT.
    static void addReadingCommands() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"dump", "merge", "roundtrip"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    // merge takes the donor fixture, roundtrip writes into out.
    static QStringList readingCommand(const QString& command, const QString& root,
                                      const QString& out) {
        if (command == u"merge")
            return {command, root, dataPath("donor.xml")};
        if (command == u"roundtrip")
            return {command, root, out};
        return {command, root};
    }

private slots:
    void printsVersion() {
        const CliRun run = runCli({QStringLiteral("--version")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), ProgramInfo::versionText() + QLatin1Char('\n'));
        QVERIFY(run.err.isEmpty());
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no arguments") << QStringList() << "no command given";
        QTest::newRow("unknown command")
            << QStringList{"convert", "a"} << "unknown command 'convert'";
        QTest::newRow("dump without root")
            << QStringList{"dump"} << "dump takes 1 argument(s), 0 given";
        QTest::newRow("dump-config with two")
            << QStringList{"dump-config", "a", "b"} << "dump-config takes 1 argument(s), 2 given";
        QTest::newRow("write without root")
            << QStringList{"write", "p.json"} << "write takes 2 argument(s), 1 given";
        QTest::newRow("merge with three")
            << QStringList{"merge", "a", "b", "c"} << "merge takes 2 argument(s), 3 given";
        QTest::newRow("roundtrip without out")
            << QStringList{"roundtrip", "a"} << "roundtrip takes 2 argument(s), 1 given";
        QTest::newRow("version with argument")
            << QStringList{"--version", "x"} << "--version takes no arguments";
        // An empty root would otherwise mean /fomod.
        QTest::newRow("empty root")
            << QStringList{"roundtrip", "a", ""} << "roundtrip: empty path argument";
    }

    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        const QStringList lines = run.errLines();
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.first(), QStringLiteral("quarvel-cli: ") + message);
        QVERIFY(run.err.contains("usage: quarvel-cli --version\n"));
    }

    // Each failed file gets one line naming it; nothing is written after a failed read.
    void missingFiles_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("namedFiles");
        QTest::addColumn<QString>("printedProject"); // root whose dump must be printed, or ""

        QTest::newRow("dump") << QStringList{"dump", "$TMP/none"}
                              << QStringList{"$TMP/none/fomod/info.xml",
                                             "$TMP/none/fomod/ModuleConfig.xml"}
                              << "$TMP/none";
        QTest::newRow("dump-config") << QStringList{"dump-config", "$TMP/none.xml"}
                                     << QStringList{"$TMP/none.xml"} << "$TMP/none";
        QTest::newRow("write") << QStringList{"write", "$TMP/none.json", "$TMP/out"}
                               << QStringList{"$TMP/none.json"} << "";
        QTest::newRow("merge donor") << QStringList{"merge", "$DATA/merge-root", "$TMP/none.xml"}
                                     << QStringList{"$TMP/none.xml"} << "$DATA/merge-root";
        QTest::newRow("roundtrip")
            << QStringList{"roundtrip", "$TMP/none", "$TMP/out"}
            << QStringList{"$TMP/none/fomod/info.xml", "$TMP/none/fomod/ModuleConfig.xml"} << "";
        QTest::newRow("roundtrip without info.xml")
            << QStringList{"roundtrip", "$DATA/partial", "$TMP/out"}
            << QStringList{"$DATA/partial/fomod/info.xml", "$DATA/partial/fomod/ModuleConfig.xml"}
            << "";
    }

    void missingFiles() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, namedFiles);
        QFETCH(QString, printedProject);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());

        const CliRun run = runCli(expand(arguments, tmp.path()));
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.errLines();
        const QStringList files = expand(namedFiles, tmp.path());
        QCOMPARE(lines.size(), files.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString file = QDir::toNativeSeparators(files[i]);
            QVERIFY2(
                lines[i].startsWith(QStringLiteral("quarvel-cli: ") + file + QStringLiteral(": ")),
                qPrintable(lines[i]));
            QVERIFY2(lines[i].count(file) == 1, qPrintable(lines[i])); // named once
        }
        QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("out"))));

        if (printedProject.isEmpty()) {
            QVERIFY(run.out.isEmpty());
        } else {
            const CliRun dump = runCli(expand({"dump", printedProject}, tmp.path()));
            QCOMPARE(parseJson(run.out), parseJson(dump.out));
        }
    }

    // Mod managers need no info.xml: its absence is noted, not failed, and moduleName names
    // the project.
    void withoutInfoFile_data() { addReadingCommands(); }

    void withoutInfoFile() {
        QFETCH(QString, command);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = dataPath("no-info");
        const QString out = tmp.filePath(QStringLiteral("out"));

        const CliRun run = runCli(readingCommand(command, root, out));
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(run.errLines(),
                 QStringList{QStringLiteral("quarvel-cli: ") +
                             QDir::toNativeSeparators(fomodFile(root, "info.xml")) +
                             QStringLiteral(": no info.xml: the information fields stay empty")});
        QByteArray printed = run.out;
        if (command == u"roundtrip") {
            QVERIFY(run.out.isEmpty());
            QVERIFY(fileBytes(fomodFile(out, "info.xml")).startsWith("\xFF\xFE"));
            QVERIFY(fileBytes(fomodFile(out, "ModuleConfig.xml")).startsWith("\xFF\xFE"));
            printed = runCli({"dump", out}).out;
        }
        const QJsonObject project = parseJson(printed);
        QCOMPARE(project["sName"].toString(), QStringLiteral("Tom & Jerry"));
        QCOMPARE(project["sAuthor"].toString(), QString());
        QVERIFY(namesOf(project["vSteps"], "sName").contains(QStringLiteral("Only")));
    }

    // An info.xml that is there but cannot be read is a failure, and roundtrip writes nothing.
    void unreadableInfoFileFails_data() { addReadingCommands(); }

    void unreadableInfoFileFails() {
        QFETCH(QString, command);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = tmp.filePath(QStringLiteral("root"));
        const QString out = tmp.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(fomodFile(root, "info.xml")));
        QVERIFY(QFile::copy(fomodFile(dataPath("no-info"), "ModuleConfig.xml"),
                            fomodFile(root, "ModuleConfig.xml")));

        const CliRun run = runCli(readingCommand(command, root, out));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.errLines().first().startsWith(
                     QStringLiteral("quarvel-cli: ") +
                     QDir::toNativeSeparators(fomodFile(root, "info.xml")) +
                     QStringLiteral(": is not a regular file")),
                 run.err.constData());
        QVERIFY(!QFileInfo::exists(out));
    }

    // A priority that is not a number stops the reading; what came before is printed.
    void failedReadStillPrintsWhatWasRead_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("failedFiles");
        QTest::newRow("dump") << QStringList{"dump", dataPath("partial")} << 2;
        QTest::newRow("dump-config")
            << QStringList{"dump-config", dataPath("partial/fomod/ModuleConfig.xml")} << 1;
    }

    void failedReadStillPrintsWhatWasRead() {
        QFETCH(QStringList, arguments);
        QFETCH(int, failedFiles);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errLines().size(), failedFiles);
        QVERIFY(run.errLines().last().contains(QStringLiteral("ModuleConfig.xml: ")));

        const QJsonObject project = parseJson(run.out);
        // Named by its moduleName: there is no info.xml.
        QCOMPARE(project["sName"].toString(), QStringLiteral("Partial"));
        QCOMPARE(namesOf(project["vSteps"], "sName"), (QStringList{"Read", "Broken"}));
        const QJsonValue plugin = project["vSteps"][0]["vGroups"][0]["vPlugins"][0];
        QCOMPARE(plugin["sDescription"].toString(), QStringLiteral("kept"));
        QCOMPARE(plugin["vFiles"][0]["iPriority"].toInt(), 1);
        QCOMPARE(project["vSteps"][1]["vGroups"][0]["vPlugins"][0]["vFiles"].toArray().size(), 0);
    }

    void writeThenDumpGivesTheSameJson() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const CliRun write = runCli({"write", dataPath("project.json"), tmp.path()});
        QVERIFY2(write.exitCode == 0, write.err.constData());
        QVERIFY(write.err.isEmpty() && write.out.isEmpty());

        const CliRun dump = runCli({"dump", tmp.path()});
        QVERIFY2(dump.exitCode == 0, dump.err.constData());
        // The file predates keys the JSON form has gained: every key it has comes back as it is.
        QString difference;
        QVERIFY2(holdsAllOf(parseJson(dump.out), parseJson(fileBytes(dataPath("project.json"))),
                            QString(), &difference),
                 qPrintable(difference));
    }

    void roundtripMatchesWriteOfDump_data() {
        QTest::addColumn<QString>("root");
        QTest::newRow("other tool's markup") << dataPath("other-tool");
        QTest::newRow("merge root") << dataPath("merge-root");
    }

    void roundtripMatchesWriteOfDump() {
        QFETCH(QString, root);
        checkRoundtripMatchesWriteOfDump(root);
        if (QTest::currentTestFailed())
            return;

        // A second pass reads back the first one's project unchanged.
        QTemporaryDir tmp;
        QVERIFY(runCli({"roundtrip", root, tmp.path()}).exitCode == 0);
        QCOMPARE(parseJson(runCli({"dump", tmp.path()}).out),
                 parseJson(runCli({"dump", root}).out));
    }

    void roundtripMatchesWriteOfDumpOnRealInstallers() {
        const QDir corpus(QStringLiteral(QUARVEL_SHARED_DIR "/corpus"));
        if (!corpus.exists())
            QSKIP("no installer corpus beside the project");
        int checked = 0;
        for (const QString& name : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString root = corpus.filePath(name);
            if (!QFile::exists(fomodFile(root, "info.xml")) ||
                !QFile::exists(fomodFile(root, "ModuleConfig.xml")))
                continue;
            checkRoundtripMatchesWriteOfDump(root);
            if (QTest::currentTestFailed()) {
                qWarning("installer: %s", qPrintable(name));
                return;
            }
            ++checked;
        }
        QVERIFY(checked > 0);
    }

    void jsonErrorsNameTheKey_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong type deep")
            << QByteArray(R"({"vSteps": [{"vGroups": [{}, {"sType": ["a"]}]}]})")
            << "vSteps[0].vGroups[1].sType: expected a string";
        QTest::newRow("unknown key") << QByteArray(R"({"vRequiredFiles": [{"priority": 1}]})")
                                     << "vRequiredFiles[0].priority: unknown key";
        QTest::newRow("priority out of range")
            << QByteArray(
                   R"({"vConditionalFiles": [{"vFiles": [{"sType": "folder", "iPriority": 3e10}]}]})")
            << "vConditionalFiles[0].vFiles[0].iPriority: expected an integer in the signed "
               "32-bit range";
        QTest::newRow("not JSON") << QByteArray("{\"sName\": }") << "line 1, column *";
    }

    // Refused JSON is a usage error and leaves the installer already in ROOT as it was.
    void jsonErrorsNameTheKey() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString jsonPath = tmp.filePath(QStringLiteral("bad.json"));
        QVERIFY(writeBytes(jsonPath, json));
        QVERIFY(QDir(tmp.path()).mkdir(QStringLiteral("fomod")));
        QVERIFY(writeBytes(fomodFile(tmp.path(), "info.xml"), "previous"));

        const CliRun run = runCli({"write", jsonPath, tmp.path()});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.errLines().size(), 1);
        const QString expected = QStringLiteral("quarvel-cli: ") +
                                 QDir::toNativeSeparators(jsonPath) + QStringLiteral(": ") +
                                 message;
        if (expected.endsWith(QLatin1Char('*')))
            QVERIFY2(run.errLines().first().startsWith(expected.chopped(1)), run.err.constData());
        else
            QCOMPARE(run.errLines().first(), expected);
        QCOMPARE(fileBytes(fomodFile(tmp.path(), "info.xml")), QByteArray("previous"));
        QVERIFY(!QFile::exists(fomodFile(tmp.path(), "ModuleConfig.xml")));
    }

    // Both files are attempted; the one that cannot be written is named.
    void writeFailuresNameTheFile_data() {
        QTest::addColumn<QString>("obstacle"); // a folder put where a file must go, or a file
        QTest::addColumn<QString>("namedFile");
        QTest::addColumn<bool>("configWritten");
        QTest::newRow("fomod is a file") << "fomod"
                                         << "fomod" << false;
        QTest::newRow("info.xml is a folder") << "fomod/info.xml/"
                                              << "fomod/info.xml" << true;
    }

    void writeFailuresNameTheFile() {
        QFETCH(QString, obstacle);
        QFETCH(QString, namedFile);
        QFETCH(bool, configWritten);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QDir root(tmp.path());
        if (obstacle.endsWith(QLatin1Char('/')))
            QVERIFY(root.mkpath(obstacle));
        else
            QVERIFY(writeBytes(root.filePath(obstacle), "in the way"));

        const CliRun run = runCli({"write", dataPath("project.json"), tmp.path()});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.errLines().first().startsWith(
                     QStringLiteral("quarvel-cli: ") +
                     QDir::toNativeSeparators(root.filePath(namedFile)) + QStringLiteral(": ")),
                 run.err.constData());
        QCOMPARE(fileBytes(fomodFile(tmp.path(), "ModuleConfig.xml")).startsWith("\xFF\xFE"),
                 configWritten);
    }

    // A project file that is not a regular file or is too large is refused before it is read
    // (a FIFO would otherwise block), and nothing is written.
    void unreadableProjectFile_data() { HostilePaths::addRows(); }

    void unreadableProjectFile() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        HOSTILE_PATH(jsonPath, tmp.path());
        const QString out = tmp.filePath(QStringLiteral("out"));
        const CliRun run = runCli({"write", jsonPath, out});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.errLines().first().startsWith(QStringLiteral("quarvel-cli: ") +
                                                   QDir::toNativeSeparators(jsonPath) +
                                                   QStringLiteral(": ") + reason),
                 run.err.constData());
        QVERIFY(!QFileInfo::exists(out));
    }

    // A zero character is read as U+FFFD and reading goes on: each line that held one is
    // named, the command succeeds, and roundtrip writes the whole installer back.
    void zeroCharactersAreReported() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = tmp.filePath(QStringLiteral("root"));
        const QString out = tmp.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/fomod")));
        QVERIFY(writeBytes(fomodFile(root, "info.xml"),
                           QByteArray("<fomod>\n<Name>Z\0ero</Name>\n</fomod>", 35)));
        const QByteArray config =
            QByteArrayLiteral("<config>\n<installSteps>\n"
                              "<installStep name=\"One\"><optionalFileGroups>"
                              "<group name=\"G\" type=\"SelectAny\"><plugins>\n"
                              "<plugin name=\"P2\"><description>a\0b</description></plugin>\n"
                              "<plugin name=\"P3\"/>\n"
                              "</plugins></group></optionalFileGroups></installStep>\n"
                              "<installStep name=\"Two\"/>\n</installSteps></config>\n");
        QVERIFY(writeBytes(fomodFile(root, "ModuleConfig.xml"), config));

        const CliRun run = runCli({"roundtrip", root, out});
        QCOMPARE(run.exitCode, 0);
        const QString prefix = QStringLiteral("quarvel-cli: ");
        QCOMPARE(
            run.errLines(),
            (QStringList{prefix + QDir::toNativeSeparators(fomodFile(root, "info.xml")) +
                             QStringLiteral(": line 2: zero character read as U+FFFD"),
                         prefix + QDir::toNativeSeparators(fomodFile(root, "ModuleConfig.xml")) +
                             QStringLiteral(": line 4: zero character read as U+FFFD")}));
        const QJsonObject project = parseJson(runCli({"dump", out}).out);
        QCOMPARE(project["sName"].toString(), QStringLiteral("Z\uFFFDero"));
        QCOMPARE(namesOf(project["vSteps"], "sName"), (QStringList{"One", "Two"}));
        const QJsonValue plugins = project["vSteps"][0]["vGroups"][0]["vPlugins"];
        QCOMPARE(namesOf(plugins, "sName"), (QStringList{"P2", "P3"}));
        QCOMPARE(plugins[0]["sDescription"].toString(), QStringLiteral("a\uFFFDb"));
    }

    void mergePutsTheDonorFirst_data() {
        QTest::addColumn<QString>("donor");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("required");
        QTest::addColumn<QStringList>("conditional"); // first file of each pattern

        QTest::newRow("donor") << dataPath("donor.xml") << 0 << QStringList{"X", "Y", "A", "B"}
                               << QStringList{"d1", "r1", "r2"} << QStringList{"dc", "c1", "c2"};
        QTest::newRow("own configuration")
            << dataPath("merge-root/fomod/ModuleConfig.xml") << 0 << QStringList{"A", "B", "A", "B"}
            << QStringList{"r1", "r2", "r1", "r2"} << QStringList{"c1", "c2", "c1", "c2"};
        // A donor that fails to read is not merged at all.
        QTest::newRow("failing donor")
            << dataPath("partial/fomod/ModuleConfig.xml") << 1 << QStringList{"A", "B"}
            << QStringList{"r1", "r2"} << QStringList{"c1", "c2"};
    }

    void mergePutsTheDonorFirst() {
        QFETCH(QString, donor);
        QFETCH(int, exitCode);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, required);
        QFETCH(QStringList, conditional);

        const CliRun run = runCli({"merge", dataPath("merge-root"), donor});
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.errLines().size(), exitCode == 0 ? 0 : 1);
        const QJsonObject project = parseJson(run.out);
        QCOMPARE(namesOf(project["vSteps"], "sName"), steps);
        QCOMPARE(namesOf(project["vRequiredFiles"], "sSource"), required);
        QStringList firstFiles;
        for (const QJsonValue& pattern : project["vConditionalFiles"].toArray())
            firstFiles << pattern["vFiles"][0]["sSource"].toString();
        QCOMPARE(firstFiles, conditional);
        // The donor's name and header image do not replace the project's.
        QCOMPARE(project["sName"].toString(), QStringLiteral("Root mod"));
        QCOMPARE(project["sAuthor"].toString(), QStringLiteral("Root author"));
        QCOMPARE(project["sImage"].toString(), QStringLiteral("root.png"));
    }
    // A root whose folder and files are spelled in other letter cases opens as any other, its
    // findings name the files as spelled, and a roundtrip into it writes no second folder.
    void lettersCaseOfRoot_data() {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("note"); // on standard error, after the root's path
        QTest::newRow("FOMOD/ModuleConfig.xml") << QStringList{"FOMOD"} << "info.xml"
                                                << "ModuleConfig.xml"
                                                << "";
        QTest::newRow("Fomod/Info.xml") << QStringList{"Fomod"} << "Info.xml"
                                        << "moduleconfig.xml"
                                        << "";
        QTest::newRow("FOMod beside fomod")
            << QStringList{"FOMod", "fomod"} << "info.xml"
            << "ModuleConfig.xml"
            << "/fomod: 'FOMod' and 'fomod' stand side by side, spelled in other letter cases: "
               "'fomod' is read";
    }

    void lettersCaseOfRoot() {
        QFETCH(QStringList, folders);
        QFETCH(QString, info);
        QFETCH(QString, config);
        QFETCH(QString, note);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QByteArray installer =
            "<config><moduleName>M</moduleName><installSteps order=\"Explicit\"><installStep "
            "name=\"S\"><optionalFileGroups order=\"Explicit\"><group name=\"G\" "
            "type=\"SelectAny\"><plugins order=\"Explicit\"><plugin name=\"P\"><description>"
            "</description><conditionFlags><flag name=\"f\">On</flag></conditionFlags>"
            "<typeDescriptor><type name=\"Optional\"/></typeDescriptor></plugin></plugins>"
            "</group></optionalFileGroups></installStep></installSteps></config>";
        for (const QString& folder : folders) {
            QVERIFY(QDir(root.path()).mkpath(folder));
            QVERIFY(writeBytes(root.filePath(folder + u'/' + config), installer));
            QVERIFY(writeBytes(root.filePath(folder + u'/' + info),
                               "<fomod><Name>" + folder.toUtf8() + "</Name></fomod>"));
        }
        if (QDir(root.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() != folders.size())
            QSKIP("the file system does not tell letter cases apart");
        const QString read = folders.size() > 1 ? QStringLiteral("fomod") : folders.first();

        const CliRun check = runCli({QStringLiteral("check"), root.path()});
        QCOMPARE(check.exitCode, 0);
        QVERIFY2(check.out.startsWith((read + u'/' + config + u':').toUtf8()),
                 check.out.constData());
        QCOMPARE(check.errLines(), note.isEmpty() ? QStringList()
                                                  : QStringList{QStringLiteral("quarvel-cli: ") +
                                                                root.path() + note});

        const CliRun dump = runCli({QStringLiteral("dump"), root.path()});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(parseJson(dump.out)[QLatin1String("sName")].toString(), read);

        const CliRun roundtrip = runCli({QStringLiteral("roundtrip"), root.path(), root.path()});
        QCOMPARE(roundtrip.exitCode, 0);
        QStringList sorted = folders;
        sorted.sort();
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 sorted);
        QStringList files{info, config};
        files.sort();
        QCOMPARE(QDir(root.filePath(read)).entryList(QDir::Files, QDir::Name), files);
        QVERIFY(fileBytes(root.filePath(read + u'/' + config)).startsWith("\xFF\xFE"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
