#include "installer/JsonText.h"
#include "installer/ProjectJson.h"
#include "installer/ProjectParts.h"
#include "installer/Writer.h"

#include <QFile>

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringEncoder>
#include <QTest>

Q_DECLARE_METATYPE(CFOMOD)

using namespace ProjectParts;

// A project in which every field differs from its constructor's value.
static CFOMOD richProject() {
    CFOMOD p;
    p.sName = QStringLiteral("Mod \"Q\" & <Co>");
    p.sAuthor = QStringLiteral("Ægir Þórsson");
    p.sVersion = QStringLiteral("1.2b");
    p.sCategory = QStringLiteral("Gameplay");
    p.sWebsite = QStringLiteral("https://example.org/mods/1");
    p.sImage = QStringLiteral("fomod\\images\\header.png");
    p.sDescription = QStringLiteral("Line one&#13;&#10;\nLine two &#38; \U0001F600");

    CStep step(QStringLiteral("Main"));
    step.sOperator = QStringLiteral("Or");
    step.vVisibility = {
        dependency(QStringLiteral("flag"), QStringLiteral("F1"), QStringLiteral("On")),
        dependency(QStringLiteral("file"), QStringLiteral("a.esp"), QStringLiteral("Active"))};
    CPluginGroup group(QStringLiteral("Choose"), QStringLiteral("SelectExactlyOne"));
    CPlugin plugin(QStringLiteral("Option A"));
    plugin.sDescription = QStringLiteral("Does A");
    plugin.sImage = QStringLiteral("img\\a.jpg");
    plugin.sType = QStringLiteral("Recommended");
    plugin.vConditionFlags = {CCondition(QStringLiteral("F1"), QStringLiteral("On"))};
    plugin.vFiles = {fileEntry(QStringLiteral("file"), QStringLiteral("a\\a.esp"),
                               QStringLiteral("a.esp"), -2147483647 - 1),
                     fileEntry(QStringLiteral("folder"), QStringLiteral("a\\meshes"),
                               QStringLiteral("meshes"), 2147483647)};
    CDependencyPattern pattern;
    pattern.sOperator = QStringLiteral("And");
    pattern.sType = QStringLiteral("NotUsable");
    pattern.vDependencies = {
        dependency(QStringLiteral("file"), QStringLiteral("b.esp"), QStringLiteral("Missing"))};
    plugin.vPatterns = {pattern};
    group.vPlugins = {plugin, CPlugin(QStringLiteral("Option B"))};
    step.vGroups = {group};
    p.vSteps = {step, CStep(QStringLiteral("Empty"))};

    p.vRequiredFiles = {
        fileEntry(QStringLiteral("folder"), QStringLiteral("core"), QStringLiteral(""), 7)};
    CConditionalFile conditional;
    conditional.sOperator = QStringLiteral("Or");
    conditional.vDependencies = {
        dependency(QStringLiteral("flag"), QStringLiteral("F1"), QStringLiteral("Off"))};
    conditional.vFiles = {
        fileEntry(QStringLiteral("file"), QStringLiteral("x.esp"), QStringLiteral("x.esp"), -3)};
    p.vConditionalFiles = {conditional};

    // What installers say beyond the fields above.
    const CComment note{QStringLiteral("a note -- \"quoted\""), QStringLiteral("files/")};
    CDependency nested;
    nested.sType = QStringLiteral("group");
    nested.sOperator = QStringLiteral("Or");
    nested.vDependencies = {
        dependency(QStringLiteral("game"), QString(), QStringLiteral("1.6.1170")),
        conditionGroup(QString(), {dependency(QStringLiteral("flag"), "F1", "On")})};
    nested.vDependencies[0].vComments = {note};
    p.vSteps[0].vVisibility.append(nested);
    p.vSteps[0].sGroupOrder = QStringLiteral("Descending");
    p.vSteps[0].vComments = {note, {QStringLiteral("end"), QStringLiteral("/")}};
    CPluginGroup& chosen = p.vSteps[0].vGroups[0];
    chosen.sPluginOrder = QString();
    chosen.vComments = {note};
    chosen.vPlugins[0].vComments = {note};
    chosen.vPlugins[0].vConditionFlags[0].vComments = {note};
    chosen.vPlugins[0].vFiles[0].sAlwaysInstall = QStringLiteral("true");
    chosen.vPlugins[0].vFiles[0].sInstallIfUsable = QStringLiteral("yes");
    chosen.vPlugins[0].vFiles[0].vComments = {note};
    chosen.vPlugins[0].vPatterns[0].vComments = {note};
    p.vConditionalFiles[0].vComments = {note};
    p.sTitle = QStringLiteral("Installer title");
    p.sTitlePosition = QStringLiteral("RightOfImage");
    p.sTitleColour = QStringLiteral("FF00FF");
    p.sShowImage = QStringLiteral("false");
    p.sShowFade = QStringLiteral("1");
    p.sImageHeight = QStringLiteral("-1");
    p.sModuleOperator = QStringLiteral("Or");
    p.vModuleDependencies = {nested};
    p.sStepOrder = QStringLiteral("Ascending");
    CInfoNode machine{QStringLiteral("Version"),
                      {{QStringLiteral("MachineVersion"), QStringLiteral("1.2.0")}},
                      QStringLiteral("1.2b"),
                      {},
                      false};
    CInfoNode comment{{}, {}, QStringLiteral(" kept "), {}, true};
    p.vInfoNodes = {{QStringLiteral("fomod"), {}, {}, {machine, comment}, false}};
    p.vComments = {{QStringLiteral("before config"), QString()}};
    return p;
}

// A condition tree `levels` deep: each condition a group holding the next, down to a flag.
static QByteArray nestedConditions(int levels) {
    QByteArray json = R"({"sType": "flag", "sName": "F", "sValue": "On"})";
    for (int i = 1; i < levels; ++i)
        json = R"({"sType": "group", "vDependencies": [)" + json + "]}";
    return R"({"vSteps": [{"vVisibility": [)" + json + "]}]}";
}

static QByteArray nestedInfoNodes(int levels) {
    QByteArray json = R"({"sName": "leaf"})";
    for (int i = 1; i < levels; ++i)
        json = R"({"sName": "n", "vChildren": [)" + json + "]}";
    return R"({"vInfoNodes": [)" + json + "]}";
}

static QStringList sortedKeys(const QJsonValue& value) {
    QStringList keys = value.toObject().keys();
    keys.sort();
    return keys;
}

static QStringList sorted(QStringList keys) {
    keys.sort();
    return keys;
}

class TestJson : public QObject {
    Q_OBJECT

private slots:
    void streamedTextMatchesQtDocument_data();
    void streamedTextMatchesQtDocument();
    void refusingSinkFails();
    void deepestTreesAreRead();
    void oldFilesWriteTheSameBytes();
    void fileWithTheNewKeysReads();

    void roundTripKeepsEveryField() {
        const CFOMOD original = richProject();

        CFOMOD fromObject;
        QString error;
        QVERIFY2(ProjectJson::fromJson(ProjectJson::toJson(original), fromObject, &error),
                 qPrintable(error));
        QVERIFY(fromObject == original);

        CFOMOD fromText;
        QVERIFY2(ProjectJson::fromText(ProjectJson::toText(original), fromText, &error),
                 qPrintable(error));
        QVERIFY(fromText == original);
        QCOMPARE(ProjectJson::toJson(fromText), ProjectJson::toJson(original));
    }

    // Output redirected by a Windows shell arrives as UTF-16 with a mark, or UTF-8 with one.
    void textWithByteOrderMarkIsRead_data() {
        QTest::addColumn<QStringConverter::Encoding>("encoding");
        QTest::newRow("UTF-8") << QStringConverter::Utf8;
        QTest::newRow("UTF-16 LE") << QStringConverter::Utf16LE;
        QTest::newRow("UTF-16 BE") << QStringConverter::Utf16BE;
    }

    void textWithByteOrderMarkIsRead() {
        QFETCH(QStringConverter::Encoding, encoding);
        const CFOMOD original = richProject();
        QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
        const QByteArray bytes = encoder.encode(QString::fromUtf8(ProjectJson::toText(original)));
        CFOMOD project;
        QString error;
        QVERIFY2(ProjectJson::fromText(bytes, project, &error), qPrintable(error));
        QVERIFY(project == original);
    }

    // Every key is written, also for elements that hold nothing but constructor values.
    void outputCarriesEveryKey() {
        CFOMOD p;
        CStep step;
        step.vVisibility = {CDependency()};
        CPlugin plugin;
        plugin.vConditionFlags = {CCondition()};
        plugin.vFiles = {CFile()};
        CDependencyPattern pattern;
        pattern.vDependencies = {CDependency()};
        plugin.vPatterns = {pattern};
        CPluginGroup group;
        group.vPlugins = {plugin};
        step.vGroups = {group};
        p.vSteps = {step};
        p.vRequiredFiles = {CFile()};
        CConditionalFile conditional;
        conditional.vDependencies = {CDependency()};
        conditional.vFiles = {CFile()};
        p.vConditionalFiles = {conditional};

        p.vModuleDependencies = {CDependency()};
        p.vComments = {CComment()};
        CInfoNode node;
        node.vAttributes = {CInfoAttribute()};
        p.vInfoNodes = {node};

        const QJsonObject json = ProjectJson::toJson(p);
        const QStringList dependencyKeys =
            sorted({"sType", "sName", "sValue", "sOperator", "vDependencies", "vComments"});
        const QStringList fileKeys = sorted({"sType", "sSource", "sDestination", "iPriority",
                                             "sAlwaysInstall", "sInstallIfUsable", "vComments"});
        QCOMPARE(sortedKeys(json), sorted({"sName",           "sAuthor",
                                           "sVersion",        "sCategory",
                                           "sWebsite",        "sImage",
                                           "sDescription",    "vSteps",
                                           "vRequiredFiles",  "vConditionalFiles",
                                           "sTitle",          "sTitlePosition",
                                           "sTitleColour",    "sShowImage",
                                           "sShowFade",       "sImageHeight",
                                           "sModuleOperator", "vModuleDependencies",
                                           "sStepOrder",      "vInfoNodes",
                                           "vComments"}));
        QCOMPARE(sortedKeys(json["vModuleDependencies"][0]), dependencyKeys);
        QCOMPARE(sortedKeys(json["vComments"][0]), sorted({"sText", "sAt"}));
        QCOMPARE(sortedKeys(json["vInfoNodes"][0]),
                 sorted({"sName", "vAttributes", "sText", "vChildren", "bComment"}));
        QCOMPARE(sortedKeys(json["vInfoNodes"][0]["vAttributes"][0]), sorted({"sName", "sValue"}));
        const QJsonObject jsonStep = json["vSteps"][0].toObject();
        QCOMPARE(sortedKeys(jsonStep), sorted({"sName", "sOperator", "vVisibility", "vGroups",
                                               "sGroupOrder", "vComments"}));
        QCOMPARE(sortedKeys(jsonStep["vVisibility"][0]), dependencyKeys);
        const QJsonObject jsonGroup = jsonStep["vGroups"][0].toObject();
        QCOMPARE(sortedKeys(jsonGroup),
                 sorted({"sName", "sType", "vPlugins", "sPluginOrder", "vComments"}));
        const QJsonObject jsonPlugin = jsonGroup["vPlugins"][0].toObject();
        QCOMPARE(sortedKeys(jsonPlugin),
                 sorted({"sName", "sDescription", "sImage", "sType", "vConditionFlags", "vFiles",
                         "vPatterns", "vComments"}));
        QCOMPARE(sortedKeys(jsonPlugin["vConditionFlags"][0]),
                 sorted({"sName", "sValue", "vComments"}));
        QCOMPARE(sortedKeys(jsonPlugin["vFiles"][0]), fileKeys);
        QCOMPARE(sortedKeys(jsonPlugin["vPatterns"][0]),
                 sorted({"sOperator", "sType", "vDependencies", "vComments"}));
        QCOMPARE(sortedKeys(jsonPlugin["vPatterns"][0]["vDependencies"][0]), dependencyKeys);
        QCOMPARE(sortedKeys(json["vRequiredFiles"][0]), fileKeys);
        const QJsonObject jsonConditional = json["vConditionalFiles"][0].toObject();
        QCOMPARE(sortedKeys(jsonConditional),
                 sorted({"sOperator", "vDependencies", "vFiles", "vComments"}));
        QCOMPARE(sortedKeys(jsonConditional["vDependencies"][0]), dependencyKeys);
        QCOMPARE(sortedKeys(jsonConditional["vFiles"][0]), fileKeys);

        // Values are typed as the model is: texts as strings, the priority as a number.
        QCOMPARE(jsonStep["sOperator"], QJsonValue("And"));
        QCOMPARE(jsonPlugin["sType"], QJsonValue("Optional"));
        QCOMPARE(jsonPlugin["vFiles"][0]["iPriority"], QJsonValue(0));
        QCOMPARE(json["sName"], QJsonValue(""));
        QCOMPARE(json["sStepOrder"], QJsonValue("Explicit"));
        QCOMPARE(json["vInfoNodes"][0]["bComment"], QJsonValue(false));
    }

    void missingKeysTakeConstructorValues_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<CFOMOD>("expected");

        QTest::newRow("empty object") << QByteArray("{}") << CFOMOD();

        CFOMOD steps;
        steps.vSteps = {CStep(), CStep(QStringLiteral("Named"))};
        QTest::newRow("step keeps the operator And")
            << QByteArray(R"({"vSteps": [{}, {"sName": "Named"}]})") << steps;

        CFOMOD plugins;
        CStep step;
        CPluginGroup group;
        group.vPlugins = {CPlugin()};
        step.vGroups = {group};
        plugins.vSteps = {step};
        QTest::newRow("plugin keeps the type Optional")
            << QByteArray(R"({"vSteps": [{"vGroups": [{"vPlugins": [{}]}]}]})") << plugins;

        CFOMOD files;
        CFile file;
        file.sType = QStringLiteral("folder");
        files.vRequiredFiles = {file};
        QTest::newRow("file keeps priority 0")
            << QByteArray(R"({"vRequiredFiles": [{"sType": "folder"}]})") << files;

        // Lists made in Quarvel are shown as listed; an empty order means the file gave none.
        QTest::newRow("orders stay Explicit")
            << QByteArray(R"({"vSteps": [{"vGroups": [{"vPlugins": [{}]}]}]})") << plugins;
        CFOMOD unordered = plugins;
        unordered.sStepOrder.clear();
        unordered.vSteps[0].sGroupOrder.clear();
        unordered.vSteps[0].vGroups[0].sPluginOrder.clear();
        QTest::newRow("orders given as empty")
            << QByteArray(R"({"sStepOrder": "", "vSteps": [{"sGroupOrder": "", "vGroups": [)"
                          R"({"sPluginOrder": "", "vPlugins": [{}]}]}]})")
            << unordered;
        CFOMOD tree;
        tree.vModuleDependencies = {conditionGroup(QString(), {CDependency()})};
        QTest::newRow("group without operator or comments")
            << QByteArray(R"({"vModuleDependencies": [{"sType": "group", "vDependencies": [{}]}]})")
            << tree;
        CFOMOD node;
        node.vInfoNodes = {CInfoNode()};
        QTest::newRow("info node is no comment") << QByteArray(R"({"vInfoNodes": [{}]})") << node;
    }

    void missingKeysTakeConstructorValues() {
        QFETCH(QByteArray, json);
        QFETCH(CFOMOD, expected);
        CFOMOD project;
        QString error;
        QVERIFY2(ProjectJson::fromText(json, project, &error), qPrintable(error));
        QCOMPARE(ProjectJson::toJson(project), ProjectJson::toJson(expected));
    }

    void badInputIsRefusedByName_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");

        QTest::newRow("top level array")
            << QByteArray("[]") << "expected an object at the top level";
        QTest::newRow("unknown top key")
            << QByteArray(R"({"sName": "a", "sNmae": "b"})") << "sNmae: unknown key";
        QTest::newRow("unknown nested key")
            << QByteArray(R"({"vSteps": [{}, {"vGroups": [{"iPriority": 1}]}]})")
            << "vSteps[1].vGroups[0].iPriority: unknown key";
        QTest::newRow("number for a text")
            << QByteArray(R"({"vSteps": [{"vGroups": [{}, {"sType": 3}]}]})")
            << "vSteps[0].vGroups[1].sType: expected a string";
        QTest::newRow("null for a text")
            << QByteArray(R"({"sAuthor": null})") << "sAuthor: expected a string";
        QTest::newRow("object for a sequence")
            << QByteArray(R"({"vSteps": {}})") << "vSteps: expected an array";
        QTest::newRow("file without a type")
            << QByteArray(R"({"vRequiredFiles": [{"sSource": "a"}]})")
            << "vRequiredFiles[0].sType: expected \"file\" or \"folder\"";
        QTest::newRow("file type in another case")
            << QByteArray(R"({"vSteps": [{"vGroups": [{"vPlugins": [{"vFiles": [)"
                          R"({"sType": "file"}, {"sType": "File"}]}]}]}]})")
            << "vSteps[0].vGroups[0].vPlugins[0].vFiles[1].sType: expected \"file\" or "
               "\"folder\"";
        QTest::newRow("text as an element") << QByteArray(R"({"vRequiredFiles": ["a.esp"]})")
                                            << "vRequiredFiles[0]: expected an object";
        QTest::newRow("priority as text")
            << QByteArray(
                   R"({"vConditionalFiles": [{"vFiles": [{"sType": "file", "iPriority": "1"}]}]})")
            << "vConditionalFiles[0].vFiles[0].iPriority: expected a number";
        QTest::newRow("fractional priority")
            << QByteArray(R"({"vRequiredFiles": [{"sType": "file", "iPriority": 1.5}]})")
            << "vRequiredFiles[0].iPriority: expected an integer";
        QTest::newRow("priority above range")
            << QByteArray(R"({"vRequiredFiles": [{"sType": "file", "iPriority": 2147483648}]})")
            << "vRequiredFiles[0].iPriority: expected an integer in the signed 32-bit range";
        QTest::newRow("priority below range")
            << QByteArray(R"({"vRequiredFiles": [{"sType": "file", "iPriority": -2147483649}]})")
            << "vRequiredFiles[0].iPriority: expected an integer in the signed 32-bit range";
        QTest::newRow("deep pattern dependency")
            << QByteArray(R"({"vSteps": [{"vGroups": [{"vPlugins": [{"vPatterns": [)"
                          R"({"vDependencies": [{"sValue": true}]}]}]}]}]})")
            << "vSteps[0].vGroups[0].vPlugins[0].vPatterns[0].vDependencies[0].sValue: "
               "expected a string";
        QTest::newRow("comment as text") << QByteArray(R"({"vSteps": [{"vComments": ["note"]}]})")
                                         << "vSteps[0].vComments[0]: expected an object";
        QTest::newRow("unknown comment key")
            << QByteArray(R"({"vComments": [{"sText": "a", "sWhere": ""}]})")
            << "vComments[0].sWhere: unknown key";
        QTest::newRow("install flag as a boolean")
            << QByteArray(R"({"vRequiredFiles": [{"sType": "file", "sAlwaysInstall": true}]})")
            << "vRequiredFiles[0].sAlwaysInstall: expected a string";
        QTest::newRow("nested condition")
            << QByteArray(R"({"vModuleDependencies": [{"vDependencies": [{"sOperator": 1}]}]})")
            << "vModuleDependencies[0].vDependencies[0].sOperator: expected a string";
        QTest::newRow("comment flag as text")
            << QByteArray(R"({"vInfoNodes": [{"vChildren": [{"bComment": "true"}]}]})")
            << "vInfoNodes[0].vChildren[0].bComment: expected true or false";
        QTest::newRow("attribute key")
            << QByteArray(R"({"vInfoNodes": [{"vAttributes": [{"sText": "x"}]}]})")
            << "vInfoNodes[0].vAttributes[0].sText: unknown key";
        QTest::newRow("order as a number")
            << QByteArray(R"({"vSteps": [{"vGroups": [{"sPluginOrder": 2}]}]})")
            << "vSteps[0].vGroups[0].sPluginOrder: expected a string";
        // Deeper trees are refused by the tree they stand in, before they can exhaust the stack.
        QTest::newRow("conditions too deep")
            << nestedConditions(257)
            << "vSteps[0].vVisibility[0]: conditions nested deeper than 256 levels";
        QTest::newRow("info nodes too deep")
            << nestedInfoNodes(257) << "info.xml nodes nested deeper than 256 levels*";
        QTest::newRow("syntax error names the line")
            << QByteArray("{\n  \"sName\": \"a\",\n  \"sAuthor\" \"b\"\n}")
            << "line 3, column *"; // the column is where Qt's parser stopped
    }

    // A refused input names the key and leaves the target project as it was.
    void badInputIsRefusedByName() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        const CFOMOD before = richProject();
        CFOMOD project = before;
        QString error;
        QVERIFY(!ProjectJson::fromText(json, project, &error));
        if (message.startsWith(QLatin1String("line ")) && message.endsWith(QLatin1Char('*')))
            QVERIFY2(error.startsWith(message.chopped(1)), qPrintable(error));
        else if (message.endsWith(QLatin1Char('*')))
            QVERIFY2(error.endsWith(message.chopped(1)), qPrintable(error));
        else
            QCOMPARE(error, message);
        QVERIFY(project == before);
    }
};

// The streamed text is byte for byte what Qt's document writer gives, for every UTF-16 unit
// alone (unpaired surrogates included), pairs, escapes, and pieces split at the sink.
void TestJson::streamedTextMatchesQtDocument_data() {
    QTest::addColumn<CFOMOD>("project");
    QTest::newRow("empty") << CFOMOD();
    QTest::newRow("rich") << richProject();
    CFOMOD units = richProject();
    for (uint u = 0; u <= 0xFFFF; ++u)
        units.sName.append(QChar(char16_t(u)));
    units.sAuthor = QStringLiteral("\U0001F600\U00010000\U0010FFFF") + QChar(0xD800) +
                    QChar(0xD800) + QChar(0xDC00) + QChar(0xDFFF) + QChar(0xDBFF);
    units.sVersion = QChar(0xDBFF);
    QTest::newRow("every unit, pairs and lone surrogates") << units;
    CFOMOD large = richProject();
    for (int i = 0; i < 4; ++i)
        large.vSteps += large.vSteps; // several pieces of the sink
    large.sDescription = QString(1 << 20, u'\u00e9');
    QTest::newRow("larger than one piece") << large;
}

void TestJson::streamedTextMatchesQtDocument() {
    QFETCH(CFOMOD, project);
    const QByteArray expected =
        QJsonDocument(ProjectJson::toJson(project)).toJson(QJsonDocument::Indented);
    QByteArray streamed;
    int pieces = 0;
    QVERIFY(JsonText::write(project, [&](QByteArrayView piece) {
        streamed.append(piece);
        ++pieces;
        return true;
    }));
    QVERIFY(streamed == expected);
    QCOMPARE(pieces > 1, expected.size() > 2 * (1 << 20));
    QVERIFY(ProjectJson::toText(project) == expected);
}

// A sink that refuses stops the writing and is reported.
void TestJson::refusingSinkFails() {
    int pieces = 0;
    QVERIFY(!JsonText::write(richProject(), [&](QByteArrayView) {
        ++pieces;
        return false;
    }));
    QCOMPARE(pieces, 1);
}

// The deepest trees allowed read, and write back the same.
void TestJson::deepestTreesAreRead() {
    CFOMOD conditions;
    QString error;
    QVERIFY2(ProjectJson::fromText(nestedConditions(256), conditions, &error), qPrintable(error));
    const CDependency* level = &conditions.vSteps[0].vVisibility[0];
    int depth = 1;
    for (; !level->vDependencies.isEmpty(); ++depth)
        level = &level->vDependencies[0];
    QCOMPARE(depth, 256);
    QCOMPARE(level->sName, QStringLiteral("F"));
    CFOMOD again;
    QVERIFY(ProjectJson::fromText(ProjectJson::toText(conditions), again, &error));
    QVERIFY(again == conditions);

    CFOMOD nodes;
    QVERIFY2(ProjectJson::fromText(nestedInfoNodes(256), nodes, &error), qPrintable(error));
}

// A JSON file written before the model kept more reads with every new field at its default,
// so it writes the installer files it wrote then (those files are kept beside it).
void TestJson::oldFilesWriteTheSameBytes() {
    const QString folder = QStringLiteral(QUARVEL_TEST_DATA "/cli/");
    QFile json(folder + QStringLiteral("project.json"));
    QVERIFY(json.open(QIODevice::ReadOnly));
    CFOMOD project;
    QString error;
    QVERIFY2(ProjectJson::fromText(json.readAll(), project, &error), qPrintable(error));
    QVERIFY(project.vInfoNodes.isEmpty() && project.vModuleDependencies.isEmpty());
    QCOMPARE(project.sStepOrder, QStringLiteral("Explicit"));

    const auto bytesOf = [&](const char* name) {
        QFile file(folder + QStringLiteral("project-written/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("cannot be read");
    };
    QVERIFY(InstallerWriter::infoFileBytes(project) == bytesOf("info.xml"));
    QVERIFY(
        InstallerWriter::configFileBytes(project, QStringLiteral("1.0.0.0"),
                                         QStringLiteral("https://github.com/quarvel/quarvel")) ==
        bytesOf("ModuleConfig.xml"));
}

// A hand-written file with the keys the model has gained (also a seed of the fuzz target).
void TestJson::fileWithTheNewKeysReads() {
    QFile json(QStringLiteral(QUARVEL_TEST_DATA "/cli/project-kept.json"));
    QVERIFY(json.open(QIODevice::ReadOnly));
    CFOMOD project;
    QString error;
    QVERIFY2(ProjectJson::fromText(json.readAll(), project, &error), qPrintable(error));
    QCOMPARE(project.sTitle, QStringLiteral("Kept - installer"));
    QCOMPARE(project.sStepOrder, QStringLiteral("Ascending"));
    QCOMPARE(project.vModuleDependencies[0].vDependencies[1].sType, QStringLiteral("game"));
    QCOMPARE(project.vModuleDependencies[0].vDependencies[1].vComments[0].sText,
             QStringLiteral(" new game "));
    QCOMPARE(project.vSteps[0].sGroupOrder, QString());
    QCOMPARE(project.vSteps[0].vVisibility[0].sOperator, QString());
    QCOMPARE(project.vSteps[0].vGroups[0].vPlugins[0].vFiles[0].sAlwaysInstall,
             QStringLiteral("true"));
    QVERIFY(project.vInfoNodes[0].vChildren[1].bComment);
    QCOMPARE(project.vComments[0].sAt, QStringLiteral("/"));

    CFOMOD again;
    QVERIFY(ProjectJson::fromText(ProjectJson::toText(project), again, &error));
    QVERIFY(again == project);
}

QTEST_GUILESS_MAIN(TestJson)
#include "tst_json.moc"
