#include "FileHelpers.h"
#include "cli/CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// Runs `quarvel-cli simulate` end to end on small installers.

namespace {

QString fixture(const char* name) {
    return QStringLiteral(QUARVEL_TEST_DATA "/simulate/") + QLatin1String(name);
}

QStringList strings(const QJsonValue& array) {
    QStringList list;
    for (const QJsonValue& value : array.toArray())
        list.append(value.toString());
    return list;
}

// "destination <- source (priority) type origin" of each installed entry.
QStringList fileLines(const QJsonObject& result) {
    QStringList lines;
    for (const QJsonValue& value : result.value("files").toArray()) {
        const QJsonObject f = value.toObject();
        lines.append(QStringLiteral("%1 <- %2 (%3) %4 %5")
                         .arg(f.value("destination").toString(), f.value("source").toString())
                         .arg(f.value("priority").toInt())
                         .arg(f.value("type").toString(), f.value("origin").toString()));
    }
    return lines;
}

} // namespace

class TestSimulateCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void defaultChoicesAsText();
    void chosenStepsAsJson();
    void fileStatesChangeOptionTypes();
    void refusedChoiceExitsOne();
    void usageErrors_data();
    void usageErrors();
    void versionsAndPrerequisites_data();
    void versionsAndPrerequisites();

private:
    QTemporaryDir m_dir;
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(QLatin1String(name));
        [&] { QVERIFY(FileHelpers::writeFile(path, bytes)); }();
        return path;
    }
};

void TestSimulateCommand::init() {
    QVERIFY(m_dir.isValid());
}

// The preset "Strong" hides the second step, sets its flag and pulls in the conditional file;
// the folder on disk stands for its two files.
void TestSimulateCommand::defaultChoicesAsText() {
    const CliRun run = runCli({"simulate", fixture("two-steps")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(QString::fromUtf8(run.out),
             QStringLiteral("Step \"Look\"\n"
                            "  Group \"Body\" (SelectExactlyOne)\n"
                            "    [ ] Slim (Optional)\n"
                            "    [x] Strong (Recommended)\n"
                            "Flags\n"
                            "  body = \"strong\"\n"
                            "Files\n"
                            "  core.esp  <-  core.esp  (0)\n"
                            "  meshes\\body.nif  <-  strong\\body.nif  (0)\n"
                            "  meshes\\sub\\hands.nif  <-  strong\\sub\\hands.nif  (0)\n"
                            "  strong.esp  <-  strong.esp  (0)\n"));
}

void TestSimulateCommand::chosenStepsAsJson() {
    const QString choices = write("choices.json", R"({"steps": [
        {"step": "Look", "group": "Body", "options": ["Slim"]},
        {"step": "Extras", "group": "Extras", "options": ["Freckles"]}]})");
    const CliRun run = runCli({"simulate", fixture("two-steps"), "--choose", choices, "--json"});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    const QJsonArray steps = result.value("steps").toArray();
    QCOMPARE(steps.size(), 2);
    QCOMPARE(steps[1].toObject().value("name").toString(), QString("Extras"));
    QCOMPARE(strings(steps[1].toObject().value("groups").toArray()[0].toObject().value("selected")),
             QStringList{"Freckles"});
    QCOMPARE(result.value("flags").toObject(), (QJsonObject{{"body", "slim"}}));
    QCOMPARE(
        fileLines(result),
        QStringList({"core.esp <- core.esp (0) file required",
                     "slim.esp <- slim.esp (0) file step 0 group 0 option 0",
                     "textures\\freckles.dds <- textures\\freckles.dds (1) file step 1 group 0 "
                     "option 0",
                     "core.esp <- slim.esp (2) file step 1 group 0 option 0"}));
    const QJsonArray overlaps = result.value("overlaps").toArray();
    QCOMPARE(overlaps.size(), 1);
    QCOMPARE(overlaps[0].toObject().value("destination").toString(), QString("core.esp"));
    QCOMPARE(strings(overlaps[0].toObject().value("sources")),
             QStringList({"core.esp", "slim.esp"}));
    QCOMPARE(strings(result.value("problems")), QStringList());
}

void TestSimulateCommand::fileStatesChangeOptionTypes() {
    const CliRun missing = runCli({"simulate", fixture("file-states"), "--json"});
    QCOMPARE(missing.exitCode, 0);
    QCOMPARE(fileLines(QJsonDocument::fromJson(missing.out).object()), QStringList());

    const QString states = write("states.json", R"({"dawnguard.ESM": "Active"})");
    const CliRun active = runCli({"simulate", fixture("file-states"), "--files", states, "--json"});
    QCOMPARE(active.exitCode, 0);
    QCOMPARE(
        fileLines(QJsonDocument::fromJson(active.out).object()),
        QStringList{"dawnguard.esp <- patches\\dawnguard.esp (0) file step 0 group 0 option 0"});
}

// A NotUsable option chosen: the result is still printed, with the preset choice kept.
void TestSimulateCommand::refusedChoiceExitsOne() {
    const QString choices = write(
        "refused.json",
        R"({"steps": [{"step": "Patches", "group": "Patches", "options": ["Dawnguard patch"]}]})");
    const CliRun run = runCli({"simulate", fixture("file-states"), "--choose", choices, "--json"});
    QCOMPARE(run.exitCode, 1);
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    const QStringList problems = strings(result.value("problems"));
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems[0].contains("\"Dawnguard patch\" is NotUsable"), qPrintable(problems[0]));
    QVERIFY(run.err.contains("NotUsable"));
    QCOMPARE(fileLines(result), QStringList());
}

void TestSimulateCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("choices");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString root = fixture("two-steps");
    QTest::newRow("no root") << QStringList{"simulate", "--json"} << QByteArray() << 2
                             << "no root directory";
    QTest::newRow("unknown option") << QStringList{"simulate", root, "--all"} << QByteArray() << 2
                                    << "unexpected argument '--all'";
    QTest::newRow("option without file") << QStringList{"simulate", root, "--choose"}
                                         << QByteArray() << 2 << "--choose needs a file";
    QTest::newRow("unknown step") << QStringList{"simulate", root, "--choose", "CHOICES"}
                                  << QByteArray(R"({"steps": [{"step": "Nope", "group": "Body",
                                                   "options": []}]})")
                                  << 2 << "no step named \"Nope\"";
    QTest::newRow("unknown option name")
        << QStringList{"simulate", root, "--choose", "CHOICES"}
        << QByteArray(R"({"steps": [{"step": "Look", "group": "Body", "options": ["Fat"]}]})") << 2
        << "no option named \"Fat\"";
    QTest::newRow("choices not JSON") << QStringList{"simulate", root, "--choose", "CHOICES"}
                                      << QByteArray("{steps") << 2 << "not JSON";
    QTest::newRow("bad state") << QStringList{"simulate", root, "--files", "CHOICES"}
                               << QByteArray(R"({"A.esp": "On"})") << 2 << "state must be";
    QTest::newRow("versions without a value")
        << QStringList{"simulate", root, "--versions"} << QByteArray() << 2 << "--versions needs";
    QTest::newRow("unknown version kind")
        << QStringList{"simulate", root, "--versions", "game=1.6,sse=1"} << QByteArray() << 2
        << "'sse=1' is not KIND=VERSION";
    QTest::newRow("bad version") << QStringList{"simulate", root, "--versions", "fose=2.x"}
                                 << QByteArray() << 2 << "'2.x' is not a version";
    QTest::newRow("missing root") << QStringList{"simulate", m_dir.filePath("none")} << QByteArray()
                                  << 1 << "ModuleConfig.xml";
}

void TestSimulateCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, choices);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!choices.isNull())
        arguments.replaceInStrings("CHOICES", write("input.json", choices));
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromLocal8Bit(run.err).contains(message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
}

// Versions given are compared, those not given count as met and are named in the output;
// prerequisites that do not hold end the run with one problem and exit 1.
void TestSimulateCommand::versionsAndPrerequisites_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<int>("exitCode");
    const QString met = "Prerequisites met: Skyrim.esm is Active";
    const QStringList shown{"New game"};
    QTest::newRow("no version given")
        << QStringList{"--files", "STATES"} << met << shown
        << QStringList{"no game version given: its version conditions count as met",
                       "no fose version given: its version conditions count as met"}
        << 0;
    QTest::newRow("old game, new extender")
        << QStringList{"--files", "STATES", "--versions", "game=1.5.97,fose=2.0"} << met << shown
        << QStringList{} << 0;
    QTest::newRow("both too old") << QStringList{"--files", "STATES", "--versions",
                                                 "game=1.5.97,fose=1.9"}
                                  << met << QStringList{} << QStringList{} << 0;
    QTest::newRow("prerequisites not met")
        << QStringList{"--versions", "game=1.6,fose=2"}
        << "Prerequisites not met: Skyrim.esm is Active" << QStringList{} << QStringList{} << 1;
}

void TestSimulateCommand::versionsAndPrerequisites() {
    QFETCH(QStringList, options);
    QFETCH(QString, firstLine);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, notes);
    QFETCH(int, exitCode);
    const QString root = fixture("versions");
    const CliRun dump = runCli({"dump", root});
    if (QJsonDocument::fromJson(dump.out)["vModuleDependencies"].toArray().isEmpty())
        QSKIP("the installer reader does not keep prerequisites and version conditions");
    options.replaceInStrings("STATES", write("states.json", R"({"Skyrim.esm": "Active"})"));

    const CliRun text = runCli(QStringList{"simulate", root} + options);
    QCOMPARE(text.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(text.out).section('\n', 0, 0), firstLine);
    if (exitCode != 0)
        QVERIFY2(text.err.contains("prerequisites not met: Skyrim.esm is Active: mod managers "
                                   "refuse to install the mod"),
                 text.err.constData());

    const CliRun json = runCli(QStringList{"simulate", root, "--json"} + options);
    QCOMPARE(json.exitCode, exitCode);
    const QJsonObject result = QJsonDocument::fromJson(json.out).object();
    QCOMPARE(result["prerequisites"]["condition"].toString(), QString("Skyrim.esm is Active"));
    QCOMPARE(result["prerequisites"]["met"].toBool(), exitCode == 0);
    QStringList shown;
    for (const QJsonValue& step : result["steps"].toArray())
        shown.append(step["name"].toString());
    QCOMPARE(shown, steps);
    QCOMPARE(strings(result["notes"]), notes);
    QCOMPARE(fileLines(result).size(), steps.size());
}

QTEST_GUILESS_MAIN(TestSimulateCommand)
#include "tst_simulate.moc"
