#include "HostilePaths.h"
#include "installer/EncodedText.h"
#include "installer/Encoding.h"
#include "installer/ProjectOutline.h"
#include "installer/ProjectParts.h"
#include "installer/Reader.h"
#include "installer/Writer.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using ProjectOutline::outline;
using ProjectParts::dependency;
using ProjectParts::fileEntry;

Q_DECLARE_METATYPE(CFOMOD)

class TestReader : public QObject {
    Q_OBJECT

private slots:
    void contextRules_data();
    void contextRules();
    void stepNames_data();
    void stepNames();
    void priority_data();
    void priority();
    void repeatedPriority_data();
    void repeatedPriority();
    void referencesDecodedDescriptionsKept();
    void infoFields_data();
    void infoFields();
    void nameFromModuleName_data();
    void nameFromModuleName();
    void utf8FileWithAccents();
    void unreadableFile_data() { HostilePaths::addRows(); }
    void unreadableFile();
    void zeroCharacters_data();
    void zeroCharacters();
    void hostileContent_data();
    void hostileContent();
    void writerOutputReadsBack_data();
    void writerOutputReadsBack();
    void keptOnSave_data();
    void keptOnSave();
    void conditionDepth_data();
    void conditionDepth();
};

void TestReader::contextRules_data() {
    QTest::addColumn<QString>("config");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("visibility, group, plugin and its parts")
        << QStringLiteral(R"(
<config><moduleName>M</moduleName><installSteps order="Explicit">
  <installStep name="S"><visible><dependencies operator="Or">
    <flagDependency flag="A" value="On"/>
    <fileDependency file="a.esp" state="Active"/>
  </dependencies></visible>
  <optionalFileGroups order="Explicit"><group name="G" type="SelectAny"><plugins order="Explicit">
    <plugin name="P"><description>D</description><image path="img\p.png" />
      <conditionFlags><flag name="F">On</flag><flag name="E"></flag></conditionFlags>
      <files><file source="a/b.esp" destination="b.esp" priority="-5" /><folder source="tex" destination="textures" priority="2" /></files>
      <typeDescriptor><type name="Required"/></typeDescriptor>
    </plugin></plugins></group></optionalFileGroups>
  </installStep></installSteps></config>)")
        << QStringList{
               "step 'S' Or",
               "  visible dep flag 'A'='On'",
               "  visible dep file 'a.esp'='Active'",
               "  group 'G' SelectAny",
               "    plugin 'P' Required desc='D' img='img\\p.png'",
               "      flag 'F'='On'",
               "      flag 'E'=''",
               "      file 'a/b.esp' -> 'b.esp' -5",
               "      folder 'tex' -> 'textures' 2",
           };

    QTest::newRow("type patterns take dependencies, operator and type; default type to plugin")
        << QStringLiteral(R"(
<installSteps><installStep name="S"><optionalFileGroups><group name="G" type="SelectAll"><plugins>
  <plugin name="P"><description></description><typeDescriptor><dependencyType>
    <defaultType name="Recommended"/>
    <patterns>
      <pattern><dependencies operator="And"><fileDependency file="x.esp" state="Missing"/><flagDependency flag="B" value="Off"/></dependencies><type name="NotUsable"/></pattern>
      <pattern><type name="CouldBeUsable"/></pattern>
    </patterns></dependencyType></typeDescriptor></plugin>
</plugins></group></optionalFileGroups></installStep></installSteps>)")
        << QStringList{
               "step 'S' And",
               "  group 'G' SelectAll",
               "    plugin 'P' Recommended desc='' img=''",
               "      pattern op='And' type='NotUsable'",
               "        dep file 'x.esp'='Missing'",
               "        dep flag 'B'='Off'",
               "      pattern op='' type='CouldBeUsable'",
           };

    QTest::newRow("a condition outside any condition list is dropped, not put into the last one")
        << QStringLiteral(R"(
<installSteps><installStep name="S1"><optionalFileGroups><group name="G"><plugins><plugin name="P">
  <typeDescriptor><dependencyType><patterns><pattern><type name="Required"/></pattern></patterns></dependencyType></typeDescriptor>
  </plugin></plugins></group></optionalFileGroups>
  <flagDependency flag="late" value="1"/>
</installStep>
<installStep name="S2"><dependencies operator="Lost"><flagDependency flag="lost" value="1"/></dependencies>
  <visible><flagDependency flag="V" value="1"/></visible>
</installStep></installSteps>)")
        << QStringList{
               "step 'S1' And",
               "  group 'G' ",
               "    plugin 'P' Optional desc='' img=''",
               "      pattern op='' type='Required'",
               "step 'S2' And",
               "  visible dep flag 'V'='1'",
           };

    QTest::newRow("a later plugin or group has no type pattern until it reads one")
        << QStringLiteral(R"(
<installSteps><installStep name="S"><group name="G"><plugins>
  <plugin name="P1"><typeDescriptor><dependencyType><patterns><pattern><type name="Required"/></pattern></patterns></dependencyType></typeDescriptor></plugin>
  <plugin name="P2"><flagDependency flag="lost" value="1"/><dependencies operator="Lost"/><type name="NotUsable"/></plugin>
  <plugin name="P3"><typeDescriptor><dependencyType><patterns><pattern><type name="Recommended"/></pattern></patterns></dependencyType></typeDescriptor></plugin>
</plugins></group>
<group name="H"><flagDependency flag="lost" value="2"/><dependencies operator="Lost"/></group>
</installStep></installSteps>)")
        << QStringList{
               "step 'S' And",
               "  group 'G' ",
               "    plugin 'P1' Optional desc='' img=''",
               "      pattern op='' type='Required'",
               "    plugin 'P2' Optional desc='' img=''",
               "    plugin 'P3' Optional desc='' img=''",
               "      pattern op='' type='Recommended'",
               "  group 'H' ",
           };

    QTest::newRow("two pairs needed: self-closing with one attribute ignored, end tag read")
        << QStringLiteral(R"(
<installSteps><installStep name="S"><visible><dependencies operator="And">
  <flagDependency flag="A"/>
  <flagDependency flag="B"></flagDependency>
</dependencies></visible></installStep></installSteps>)")
        << QStringList{"step 'S' And", "  visible dep flag 'B'=''"};

    QTest::newRow("elements without their parent are dropped") << QStringLiteral(R"(
<moduleDependencies operator="And"><fileDependency file="early.esp" state="Active"/></moduleDependencies>
<group name="noStep"/><file source="noSection" destination="x"/>
<installSteps><file source="noPlugin" destination="x"/>
<installStep name="A"><group name="G1"/><group name="G2"/></installStep>
<installStep name="B"><plugin name="orphan"><description>x</description><flag name="F">On</flag><file source="s" destination="d"/></plugin></installStep>
</installSteps>)") << QStringList{"step 'A' And", "  group 'G1' ", "  group 'G2' ", "step 'B' And"};

    QTest::newRow("required and conditional installs, no install steps")
        << QStringLiteral(R"(
<requiredInstallFiles><file source="r1" destination="d1"/><folder source="r2" destination="" priority="3"/></requiredInstallFiles>
<conditionalFileInstalls><patterns>
  <file source="beforePattern" destination="x"/>
  <pattern><dependencies operator="Or"><flagDependency flag="F" value="On"/><fileDependency file="a.esp" state="Inactive"/></dependencies>
    <files><file source="c1" destination="e1" priority="1"/></files></pattern>
  <pattern></pattern>
</patterns></conditionalFileInstalls>)")
        << QStringList{
               "required file 'r1' -> 'd1' 0",
               "required folder 'r2' -> '' 3",
               "conditional op='Or'",
               "  dep flag 'F'='On'",
               "  dep file 'a.esp'='Inactive'",
               "  file 'c1' -> 'e1' 1",
               "conditional op=''",
           };

    QTest::newRow("conditional section clears the dependency target") << QStringLiteral(R"(
<installSteps><installStep name="S"><visible><dependencies operator="And"/></visible></installStep></installSteps>
<conditionalFileInstalls><flagDependency flag="F" value="1"/></conditionalFileInstalls>
<installSteps><flagDependency flag="G" value="1"/></installSteps>)") << QStringList{"step 'S' And"};

    QTest::newRow("names in any case, descriptions joined, last attribute wins")
        << QStringLiteral(R"(
<INSTALLSTEPS><InstallStep NAME="Main"><Group Name="G" TYPE="SelectAny"><Plugin name="x" name="P">
<Description>one </Description><description>two</description>
</Plugin></Group></InstallStep></INSTALLSTEPS>)")
        << QStringList{"step 'Main' And", "  group 'G' SelectAny",
                       "    plugin 'P' Optional desc='one two' img=''"};

    QTest::newRow("comments and declarations are passed over")
        << QStringLiteral(R"(<?xml version="1.0"?>
<!-- <installStep name="commented"> -->
<installSteps><installStep name="S"><!-- a / b --><group name="G/H" type="SelectAny"/></installStep></installSteps>)")
        << QStringList{"step 'S' And", "  group 'G/H' SelectAny"};
}

void TestReader::contextRules() {
    QFETCH(QString, config);
    QFETCH(QStringList, expected);

    CFOMOD project;
    QString error;
    QVERIFY2(InstallerReader::readConfigText(config, project, &error), qPrintable(error));
    QCOMPARE(outline(project), expected);
}

void TestReader::stepNames_data() {
    QTest::addColumn<QString>("config");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("unnamed first step") << QStringLiteral("<installStep>") << QStringList{"Step0"};
    QTest::newRow("unnamed third step after named ones")
        << QStringLiteral(R"(<installStep name="A"><installStep name="B"><installStep>)")
        << QStringList{"A", "B", "Step2"};
    QTest::newRow("unnamed steps in a row")
        << QStringLiteral("<installStep><installStep ><installStep\n>")
        << QStringList{"Step0", "Step1", "Step2"};
    QTest::newRow("empty name is a name")
        << QStringLiteral(R"(<installStep name=""><installStep>)") << QStringList{"", "Step1"};
    QTest::newRow("no space before the slash")
        << QStringLiteral(R"(<installStep/><installStep name="B"/><installStep/>)")
        << QStringList{"Step0", "B", "Step2"};
}

void TestReader::stepNames() {
    QFETCH(QString, config);
    QFETCH(QStringList, names);

    CFOMOD project;
    QVERIFY(InstallerReader::readConfigText(config + QStringLiteral("<end/>"), project));
    QStringList actual;
    for (const CStep& step : project.vSteps)
        actual << step.sName;
    QCOMPARE(actual, names);
}

void TestReader::priority_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("white space around") << " \t 8\n " << true << 8;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("written as a reference") << "&#52;2" << true << 42;
    QTest::newRow("word") << "x" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("too small") << "-2147483649" << false << 0;
    QTest::newRow("far too large") << "99999999999999999999999" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("space inside") << "1 2" << false << 0;
    QTest::newRow("two signs") << "--1" << false << 0;
}

void TestReader::priority() {
    QFETCH(QString, written);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const QString config =
        QStringLiteral(
            R"(<installSteps order="Explicit"><installStep name="Before"><group name="G"><plugin name="P">
<files><file source="a" destination="b" priority="%1" /><file source="after" destination="c"/></files>
</plugin></group></installStep><installStep name="After"></installSteps>)")
            .arg(written);
    CFOMOD project;
    QString error;
    QCOMPARE(InstallerReader::readConfigText(config, project, &error), valid);
    const QList<CFile>& files = project.vSteps.first().vGroups.first().vPlugins.first().vFiles;
    if (valid) {
        QCOMPARE(project.vSteps.size(), 2);
        QCOMPARE(files.size(), 2);
        QCOMPARE(files.first().iPriority, value);
        QCOMPARE(files.last().iPriority, 0);
    } else {
        // Reading stops at the bad element; what came before it stays.
        QCOMPARE(project.vSteps.size(), 1);
        QCOMPARE(project.vSteps.first().sName, QStringLiteral("Before"));
        QVERIFY(files.isEmpty());
        QCOMPARE(error, QStringLiteral("priority '%1' is not an integer").arg(written));
    }
}

// A priority written twice is converted each time in turn: either one that is not a number
// fails the reading, and of two numbers the last stays.
void TestReader::repeatedPriority_data() {
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("value");

    QTest::newRow("bad first") << R"(priority="x" priority="5")"
                               << "priority 'x' is not an integer" << 0;
    QTest::newRow("bad last") << R"(priority="5" priority="x")"
                              << "priority 'x' is not an integer" << 0;
    QTest::newRow("two numbers") << R"(priority="5" priority="6")"
                                 << "" << 6;
}

void TestReader::repeatedPriority() {
    QFETCH(QString, attributes);
    QFETCH(QString, error);
    QFETCH(int, value);

    CFOMOD project;
    QString actualError;
    const bool ok = InstallerReader::readConfigText(
        QStringLiteral("<requiredInstallFiles><file source=\"a\" %1/><end/>").arg(attributes),
        project, &actualError);
    QCOMPARE(actualError, error);
    QCOMPARE(ok, error.isEmpty());
    QCOMPARE(project.vRequiredFiles.size(), ok ? 1 : 0);
    if (ok)
        QCOMPARE(project.vRequiredFiles.first().iPriority, value);
}

void TestReader::referencesDecodedDescriptionsKept() {
    const QString config = QStringLiteral(R"(
<moduleImage path="a&#38;b&amp;c.png" />
<installSteps><installStep name="Tom &amp; Jerry &#60;1&#62; &quot;q&quot; &apos;a&apos; &#x263A; &#128512; & stays">
<group name="G&lt;" type="SelectAny"><plugin name="P &#34;x&#34;">
<description>a &#60;b&#62; &amp; c &#38; d</description>
<image path="i&#92;j.png" />
<flag name="F&amp;G">On&#38;Off</flag>
<file source="s&amp;.esp" destination="d&#62;" priority="1"/>
</plugin></group></installStep></installSteps>
<conditionalFileInstalls><patterns><pattern><dependencies operator="And">
<flagDependency flag="F&amp;G" value="On&#38;Off"/></dependencies></pattern></patterns></conditionalFileInstalls>)");
    CFOMOD project;
    QVERIFY(InstallerReader::readConfigText(config, project));
    QCOMPARE(project.sImage, QStringLiteral("a&b&c.png"));
    const CStep& step = project.vSteps.first();
    QCOMPARE(step.sName, QStringLiteral("Tom & Jerry <1> \"q\" 'a' \u263A \U0001F600 & stays"));
    QCOMPARE(step.vGroups.first().sName, QStringLiteral("G<"));
    const CPlugin& plugin = step.vGroups.first().vPlugins.first();
    QCOMPARE(plugin.sName, QStringLiteral("P \"x\""));
    QCOMPARE(plugin.sDescription, QStringLiteral("a &#60;b&#62; &amp; c &#38; d"));
    QCOMPARE(plugin.sImage, QStringLiteral("i\\j.png"));
    QCOMPARE(plugin.vConditionFlags.first(), CCondition("F&G", "On&Off"));
    QCOMPARE(plugin.vFiles.first().sSource, QStringLiteral("s&.esp"));
    QCOMPARE(plugin.vFiles.first().sDestination, QStringLiteral("d>"));
    const CDependency& dependency = project.vConditionalFiles.first().vDependencies.first();
    QCOMPARE(dependency.sName, QStringLiteral("F&G"));
    QCOMPARE(dependency.sValue, QStringLiteral("On&Off"));

    // Character data is plain text: a description gets it in written form, other texts as is.
    const QString cdata = QStringLiteral(
        "<installStep name=\"S\"><group name=\"G\"><plugin "
        "name=\"P\"><description><![CDATA[<b>Bold</b> "
        "& &#38; more]]></description><flag name=\"F\"><![CDATA[a&amp;b]]></flag><end/>");
    CFOMOD fromCData;
    QVERIFY(InstallerReader::readConfigText(QStringLiteral("<installSteps>") + cdata, fromCData));
    const CPlugin& cdataPlugin = fromCData.vSteps.first().vGroups.first().vPlugins.first();
    QCOMPARE(cdataPlugin.sDescription,
             QStringLiteral("&#60;b&#62;Bold&#60;/b&#62; &#38; &#38; more"));
    QCOMPARE(cdataPlugin.vConditionFlags.first().sValue, QStringLiteral("a&amp;b"));
}

void TestReader::infoFields_data() {
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>(
        "fields"); // name, author, version, website, description, category

    QTest::newRow("written shape")
        << QStringLiteral("\xFEFF<fomod> \n\t<Name>My Mod </Name> \n"
                          "\t<Author>A</Author> \n\t<Version>1.0</Version> \n"
                          "\t<Website>https://x.org/m?a=1&amp;b=2</Website> \n"
                          "\t<Description>  \r\nLine &#60;1&#62;\r\nLine 2</Description> \n"
                          "\t<Groups>\n\t\t<element>Armour &amp; Clothing</element>\n\t</Groups> \n"
                          "</fomod> \n")
        << QStringList{"My Mod ",
                       "A",
                       "1.0",
                       "https://x.org/m?a=1&b=2",
                       "Line &#60;1&#62;\r\nLine 2",
                       "Armour & Clothing"};
    QTest::newRow("declaration, attributes, later element wins, character data")
        << QStringLiteral(R"(<?xml version="1.0" encoding="UTF-16"?>
<fomod xmlns:xsi="x"><Name>First</Name><name>Second</name><Id>1</Id>
<Description><![CDATA[<p>Hi & bye</p>]]></Description></fomod>)")
        << QStringList{"Second", "", "", "", "&#60;p&#62;Hi &#38; bye&#60;/p&#62;", ""};
}

void TestReader::infoFields() {
    QFETCH(QString, info);
    QFETCH(QStringList, fields);

    CFOMOD project;
    InstallerReader::readInfoText(info, project);
    QCOMPARE((QStringList{project.sName, project.sAuthor, project.sVersion, project.sWebsite,
                          project.sDescription, project.sCategory}),
             fields);
    QVERIFY(project.vSteps.isEmpty());
}

// The title names a project that info.xml left without a name; a name from info.xml wins.
void TestReader::nameFromModuleName_data() {
    QTest::addColumn<QString>("info"); // null: no info.xml read
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("name");

    const QString title = QStringLiteral("<config><moduleName>Tom &amp; Jerry</moduleName>");
    QTest::newRow("no info.xml") << QString() << title << "Tom & Jerry";
    QTest::newRow("info.xml without a name")
        << QStringLiteral("<fomod><Author>A</Author></fomod>") << title << "Tom & Jerry";
    QTest::newRow("info.xml with an empty name")
        << QStringLiteral("<fomod><Name></Name></fomod>") << title << "Tom & Jerry";
    QTest::newRow("info.xml name wins")
        << QStringLiteral("<fomod><Name>Info name</Name></fomod>") << title << "Info name";
    QTest::newRow("character data, any letter case")
        << QString() << QStringLiteral("<MODULENAME><![CDATA[A &amp; B]]></MODULENAME>")
        << "A &amp; B";
    QTest::newRow("no title") << QString() << QStringLiteral("<config><installSteps>") << "";
}

void TestReader::nameFromModuleName() {
    QFETCH(QString, info);
    QFETCH(QString, config);
    QFETCH(QString, name);

    CFOMOD project;
    if (!info.isNull())
        InstallerReader::readInfoText(info, project);
    QVERIFY(InstallerReader::readConfigText(config + QStringLiteral("<end/>"), project));
    QCOMPARE(project.sName, name);
}

void TestReader::utf8FileWithAccents() {
    const QString dir = QStringLiteral(QUARVEL_TEST_DATA "/reader/accents-utf8/fomod/");
    CFOMOD project;
    QString error;
    QVERIFY2(InstallerReader::readInfoFile(dir + "info.xml", project, &error), qPrintable(error));
    QVERIFY2(InstallerReader::readConfigFile(dir + "ModuleConfig.xml", project, &error),
             qPrintable(error));
    QCOMPARE(project.sName, QStringLiteral("Épées de légende"));
    QCOMPARE(project.sAuthor, QStringLiteral("Jörg Ångström"));
    QCOMPARE(project.vSteps.size(), 1);
    QCOMPARE(project.vSteps.first().sName, QStringLiteral("Étape première"));
    const CPlugin& plugin = project.vSteps.first().vGroups.first().vPlugins.first();
    QCOMPARE(plugin.sName, QStringLiteral("Lame à deux mains"));
    QCOMPARE(plugin.sDescription, QStringLiteral("Forgée à Blancherive – 100 % acier"));
    QCOMPARE(plugin.vFiles.first().sSource, QStringLiteral("Données\\épée.esp"));
}

// Nothing is read and nothing blocks; the project is left as it was.
void TestReader::unreadableFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    HOSTILE_PATH(path, dir.path());

    CFOMOD project;
    project.sName = QStringLiteral("kept");
    project.vSteps.append(CStep("kept"));
    const CFOMOD before = project;
    QString error;
    QVERIFY(!InstallerReader::readInfoFile(path, project, &error));
    QVERIFY2(error.startsWith(reason), qPrintable(error));
    error.clear();
    QVERIFY(!InstallerReader::readConfigFile(path, project, &error));
    QVERIFY2(error.startsWith(reason), qPrintable(error));
    QVERIFY(project == before);
}

namespace {

// Zero characters go where "@" stands; the line of each is counted from 1.
const char kZeroTemplate[] = "<config>\n"
                             "<moduleName>M</moduleName>\n"
                             "<installSteps order=\"Explicit\">\n"
                             "<installStep name=\"S1\"><optionalFileGroups>"
                             "<group name=\"G\" type=\"SelectAny\"><plugins>\n"
                             "<plugin name=\"P1\"><description>one</description></plugin>\n"
                             "<plugin name=\"P2\"><description>t@wo@</description></plugin>\n"
                             "<plugin name=\"P3\"><description>three</description></plugin>\n"
                             "</plugins>@</group></optionalFileGroups></installStep>\n"
                             "<installStep name=\"S@2\"/>\n"
                             "</installSteps></config>@";

} // namespace

void TestReader::zeroCharacters_data() {
    QTest::addColumn<QString>("encoding");
    QTest::newRow("UTF-8 zero bytes") << "UTF-8";
    QTest::newRow("UTF-16 LE zero units, read in place") << "UTF-16 LE";
    QTest::newRow("UTF-16 BE zero units") << "UTF-16 BE";
}

// A zero character ends nothing: it is read as U+FFFD, everything after it is read, and each
// line that held one is reported once.
void TestReader::zeroCharacters() {
    QFETCH(QString, encoding);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ModuleConfig.xml"));
    const QString withZeros = QString::fromLatin1(kZeroTemplate).replace(u'@', QChar(0));
    QVERIFY(FileHelpers::writeFile(path, encodedText(withZeros, encoding)));

    CFOMOD project;
    QString error;
    InstallerReader::ZeroLines lines;
    QVERIFY2(InstallerReader::readConfigFile(path, project, &error, &lines), qPrintable(error));
    QCOMPARE(lines, (InstallerReader::ZeroLines{6, 8, 9, 10}));

    CFOMOD expected;
    QVERIFY(InstallerReader::readConfigText(
        QString::fromLatin1(kZeroTemplate).replace(u'@', QChar(0xFFFD)), expected));
    QCOMPARE(outline(project), outline(expected));
    QCOMPARE(project.vSteps.size(), 2);
    QCOMPARE(project.vSteps[0].vGroups.value(0).vPlugins.size(), 3);
    QCOMPARE(project.vSteps[1].sName, QStringLiteral("S\uFFFD2"));
}

void TestReader::hostileContent_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("steps"); // the step names read; no row may fail to read

    const QByteArray after = "<installStep name=\"After\"/>";
    QTest::newRow("0 bytes") << QByteArray() << QStringList{};
    QTest::newRow("1 byte") << QByteArray("<") << QStringList{};
    QTest::newRow("one zero byte") << QByteArray(1, '\0') << QStringList{};
    QByteArray random(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(20261210);
    generator.fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    // Whatever state the random bytes leave the tokenizer in (a comment, character data, a
    // value in either quotation mark), the characters before the step bring it back out.
    QByteArray damaged = random + "-->]]>\">'>\">" + after;
    if (damaged.size() % 2 != 0)
        damaged += '\n'; // a file read one byte per character drops an odd last byte
    QTest::newRow("random bytes, then a step") << damaged << QStringList{"After"};
    // The lone surrogate is kept as it is; the writer makes it U+FFFD.
    QTest::newRow("unpaired surrogate") << encodedText(QStringLiteral("<installStep name=\"") +
                                                           QChar(0xD800) + QStringLiteral("x\"/>"),
                                                       QStringLiteral("UTF-16 LE"))
                                        << QStringList{QChar(0xD800) + QStringLiteral("x")};
    QTest::newRow("100,000 nested tags")
        << QByteArray("<a>").repeated(100000) + after + QByteArray("</a>").repeated(100000)
        << QStringList{"After"};
    QTest::newRow("one 10 MB attribute")
        << "<installStep name=\"" + QByteArray(10 * 1024 * 1024, 'n') + "\"/>" + after
        << QStringList{QString(10 * 1024 * 1024, u'n'), "After"};
}

// Whatever the file holds, reading succeeds and what follows the damage is read.
void TestReader::hostileContent() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, steps);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ModuleConfig.xml"));
    QVERIFY(FileHelpers::writeFile(path, bytes));

    CFOMOD project;
    QString error;
    QVERIFY2(InstallerReader::readConfigFile(path, project, &error), qPrintable(error));
    QStringList names;
    for (const CStep& step : project.vSteps)
        names << step.sName;
    QCOMPARE(names.size(), steps.size());
    QVERIFY(names == steps);
    QVERIFY(InstallerReader::readInfoFile(path, project, &error));
}

namespace {

// Reaches every line the writer can write, with the characters that need escaping in every
// kind of field. Only what the files can hold: descriptions in written form, no leading white
// space, no operator on a step without conditions, no empty operator.
CFOMOD everyLineProject() {
    CFOMOD p;
    p.sName = QStringLiteral("Tom & Jerry's <Big> \"Mod\"");
    p.sAuthor = QStringLiteral("A&B");
    p.sVersion = QStringLiteral("1.0<beta>");
    p.sCategory = QStringLiteral("Armour & Shields");
    p.sWebsite = QStringLiteral("https://example.com/mods?id=1&x=2");
    p.sImage = QStringLiteral("fomod\\header \"1\".png");
    p.sDescription =
        QStringLiteral("Line &#38; &#60;two&#62; &amp;\r\nLine three \u00E9\U0001F600");

    CStep options(QStringLiteral("Options & \"Extras\" it's"));
    options.sOperator = QStringLiteral("Or");
    options.vVisibility = {dependency("flag", "A", "On"), dependency("file", "base.esm", "Active"),
                           dependency("flag", "B<", "Off&")};
    CPluginGroup main(QStringLiteral("Main <choose>"), QStringLiteral("SelectExactlyOne"));
    CPlugin full(QStringLiteral("Full"));
    full.sDescription = QStringLiteral("Everything &#60;all&#62;");
    full.sImage = QStringLiteral("fomod/full.png");
    full.sType = QStringLiteral("Required");
    full.vConditionFlags = {CCondition("Full", "On")};
    full.vFiles = {fileEntry("file", "a/x.esp", "x.esp", -5), fileEntry("folder", "b", "", 0)};
    CPlugin lite(QStringLiteral("Lite"));
    lite.sType = QStringLiteral("CouldBeUsable");
    lite.vConditionFlags = {CCondition("Lite", "On"), CCondition("Mode \"x\"", "a&b <c>")};
    CDependencyPattern recommended;
    recommended.sOperator = QStringLiteral("And");
    recommended.sType = QStringLiteral("Recommended");
    recommended.vDependencies = {dependency("file", "x.esp", "Missing"),
                                 dependency("flag", "Full", "On")};
    CDependencyPattern notUsable;
    notUsable.sOperator = QStringLiteral("Or");
    notUsable.sType = QStringLiteral("NotUsable");
    lite.vPatterns = {recommended, notUsable};
    CPlugin none(QStringLiteral("None"));
    CPlugin multi(QStringLiteral("Files only"));
    multi.sDescription = QStringLiteral("Two\nlines&#13;&#10;\nhere");
    multi.sType = QStringLiteral("NotUsable");
    multi.vFiles = {fileEntry("file", "c&d\\c.esp", "c.esp", 2147483647),
                    fileEntry("file", "e.esp", "e.esp", -2147483647 - 1)};
    main.vPlugins = {full, lite, none, multi};
    options.vGroups = {main, CPluginGroup("Empty group", "SelectAny")};
    p.vSteps = {options, CStep("Empty step"), CStep("")};

    p.vRequiredFiles = {fileEntry("file", "core\\main.esp", "main.esp", 0),
                        fileEntry("folder", "core\\textures & meshes", "textures", 0)};
    CConditionalFile both;
    both.sOperator = QStringLiteral("And");
    both.vDependencies = {dependency("flag", "Full", "On"),
                          dependency("file", "x & y.esp", "Inactive")};
    both.vFiles = {fileEntry("file", "opt\\a.esp", "a.esp", -1),
                   fileEntry("folder", "opt\\tex", "textures", 3)};
    CConditionalFile conditionsOnly;
    conditionsOnly.sOperator = QStringLiteral("Or");
    conditionsOnly.vDependencies = {dependency("flag", "Lite", "On")};
    CConditionalFile nothing;
    nothing.sOperator = QStringLiteral("And");
    CConditionalFile filesOnly;
    filesOnly.sOperator = QStringLiteral("And");
    filesOnly.vFiles = {fileEntry("folder", "x", "y", 0)};
    p.vConditionalFiles = {both, nothing, conditionsOnly, filesOnly};
    return p;
}

} // namespace

void TestReader::writerOutputReadsBack_data() {
    QTest::addColumn<CFOMOD>("project");
    QTest::newRow("empty project") << CFOMOD();
    QTest::newRow("every line") << everyLineProject();
}

void TestReader::writerOutputReadsBack() {
    QFETCH(CFOMOD, project);
    const QString version = QStringLiteral("1.2.3.4");
    const QString homePage = QStringLiteral("https://example.org/q?a=1&b=2");

    const QByteArray info = InstallerWriter::infoFileBytes(project);
    const QByteArray config = InstallerWriter::configFileBytes(project, version, homePage);
    CFOMOD read;
    InstallerReader::readInfoText(Encoding::decodeInstallerBytes(info), read);
    QString error;
    QVERIFY2(InstallerReader::readConfigText(Encoding::decodeInstallerBytes(config), read, &error),
             qPrintable(error));

    QCOMPARE(outline(read), outline(project));
    QCOMPARE((QStringList{read.sName, read.sAuthor, read.sVersion, read.sCategory, read.sWebsite,
                          read.sImage, read.sDescription}),
             (QStringList{project.sName, project.sAuthor, project.sVersion, project.sCategory,
                          project.sWebsite, project.sImage, project.sDescription}));
    QVERIFY(read == project);
    QCOMPARE(InstallerWriter::infoFileBytes(read), info);
    QCOMPARE(InstallerWriter::configFileBytes(read, version, homePage), config);
}

namespace {

// A configuration around `steps`: one step holding one group of the given plugins.
QString stepWithPlugins(const QString& pluginsOrder, const QStringList& names) {
    QString plugins;
    for (const QString& name : names)
        plugins += QStringLiteral("<plugin name=\"%1\"><description/><typeDescriptor><type "
                                  "name=\"Optional\"/></typeDescriptor></plugin>\n")
                       .arg(name);
    return QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">"
                          "<optionalFileGroups order=\"Explicit\"><group name=\"G\" "
                          "type=\"SelectAny\"><plugins%1>\n%2</plugins></group>"
                          "</optionalFileGroups></installStep></installSteps>")
        .arg(pluginsOrder, plugins);
}

// A plugin whose type depends on the given conditions.
QString patternOf(const QString& dependencies) {
    return QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">"
                          "<optionalFileGroups order=\"Explicit\"><group name=\"G\" "
                          "type=\"SelectAny\"><plugins order=\"Explicit\"><plugin name=\"P\">"
                          "<description/><typeDescriptor><dependencyType><defaultType "
                          "name=\"Optional\"/><patterns><pattern>\n%1\n<type name=\"Required\"/>"
                          "</pattern></patterns></dependencyType></typeDescriptor></plugin>"
                          "</plugins></group></optionalFileGroups></installStep></installSteps>")
        .arg(dependencies);
}

// A step whose visibility is written as given.
QString visibleOf(const QString& visible) {
    return QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">%1"
                          "<optionalFileGroups order=\"Explicit\"/></installStep>"
                          "</installSteps>")
        .arg(visible);
}

// True when every one of `wanted` is a line of `lines` (white space around ignored), in order.
bool holdsInOrder(const QStringList& lines, const QStringList& wanted, QString& missing) {
    qsizetype at = 0;
    for (const QString& line : wanted) {
        while (at < lines.size() && lines[at].trimmed() != line)
            ++at;
        if (at == lines.size()) {
            missing = line;
            return false;
        }
        ++at;
    }
    return true;
}

} // namespace

// What an installer says beyond the editor's fields survives a save: read, written, read again,
// the project is the same, and the file holds the construct as a manager reads it.
void TestReader::keptOnSave_data() {
    QTest::addColumn<QString>("infoName");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("written");

    const QString none;
    QTest::newRow("no order: options shown by name, letter case ignored, equal names as read")
        << none << stepWithPlugins(none, {"b", "C", "a", "B"})
        << QStringList{"<plugins>", "<plugin name=\"a\">", "<plugin name=\"b\">",
                       "<plugin name=\"B\">", "<plugin name=\"C\">"};
    QTest::newRow("Descending steps")
        << none
        << QStringLiteral("<installSteps order=\"Descending\"><installStep name=\"A\"/>"
                          "<installStep name=\"c\"/><installStep name=\"B\"/></installSteps>")
        << QStringList{"<installSteps order=\"Descending\">", "<installStep name=\"c\">",
                       "<installStep name=\"B\">", "<installStep name=\"A\">"};
    QTest::newRow("Ascending groups")
        << none
        << QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">"
                          "<optionalFileGroups order=\"Ascending\"><group name=\"Z\" "
                          "type=\"SelectAny\"/><group name=\"y\" type=\"SelectAll\"/>"
                          "</optionalFileGroups></installStep></installSteps>")
        << QStringList{"<optionalFileGroups order=\"Ascending\">",
                       "<group name=\"y\" type=\"SelectAll\">",
                       "<group name=\"Z\" type=\"SelectAny\">"};
    QTest::newRow("bad order: kept as read, in document order")
        << none << stepWithPlugins(QStringLiteral(" order=\"explicit\""), {"b", "a"})
        << QStringList{"<plugins order=\"explicit\">", "<plugin name=\"b\">",
                       "<plugin name=\"a\">"};
    QTest::newRow("nested group in a type pattern")
        << none
        << patternOf(
               QStringLiteral("<dependencies operator=\"And\"><dependencies operator=\"Or\">"
                              "<fileDependency file=\"a.esp\" state=\"Active\"/>"
                              "<fileDependency file=\"a.esp\" state=\"Inactive\"/></dependencies>"
                              "<flagDependency flag=\"F\" value=\"On\"/></dependencies>"))
        << QStringList{"<dependencies operator=\"And\">",
                       "<dependencies operator=\"Or\">",
                       "<fileDependency file=\"a.esp\" state=\"Active\"/>",
                       "<fileDependency file=\"a.esp\" state=\"Inactive\"/>",
                       "</dependencies>",
                       "<flagDependency flag=\"F\" value=\"On\"/>",
                       "</dependencies>"};
    QTest::newRow("group without operator: written without one, to any depth")
        << none
        << visibleOf(
               QStringLiteral("<visible><dependencies operator=\"Or\"><dependencies><dependencies>"
                              "<flagDependency flag=\"A\" value=\"1\"/></dependencies>"
                              "<flagDependency flag=\"B\" value=\"1\"/></dependencies>"
                              "<flagDependency flag=\"C\" value=\"1\"/></dependencies></visible>"))
        << QStringList{"<visible>",
                       "<dependencies operator=\"Or\">",
                       "<dependencies>",
                       "<dependencies>",
                       "<flagDependency flag=\"A\" value=\"1\"/>",
                       "</dependencies>",
                       "<flagDependency flag=\"B\" value=\"1\"/>",
                       "</dependencies>",
                       "<flagDependency flag=\"C\" value=\"1\"/>"};
    QTest::newRow("visible with its own operator and conditions")
        << none
        << visibleOf(QStringLiteral("<visible operator=\"Or\"><flagDependency flag=\"A\" "
                                    "value=\"1\"/><flagDependency flag=\"B\" value=\"1\"/>"
                                    "</visible>"))
        << QStringList{"<dependencies operator=\"Or\">", "<flagDependency flag=\"A\" value=\"1\"/>",
                       "<flagDependency flag=\"B\" value=\"1\"/>", "</dependencies>"};
    QTest::newRow("visible holding a condition beside a group")
        << none
        << visibleOf(QStringLiteral(
               "<visible><flagDependency flag=\"A\" value=\"1\"/><dependencies "
               "operator=\"Or\"><flagDependency flag=\"B\" value=\"1\"/></dependencies>"
               "</visible>"))
        << QStringList{"<dependencies operator=\"And\">",
                       "<flagDependency flag=\"A\" value=\"1\"/>",
                       "<dependencies operator=\"Or\">",
                       "<flagDependency flag=\"B\" value=\"1\"/>",
                       "</dependencies>",
                       "</dependencies>"};
    QTest::newRow("a second dependencies in visible: the first was a group")
        << none
        << visibleOf(
               QStringLiteral("<visible><dependencies operator=\"Or\"><flagDependency flag=\"A\" "
                              "value=\"1\"/><flagDependency flag=\"B\" value=\"1\"/></dependencies>"
                              "<flagDependency flag=\"C\" value=\"1\"/></visible>"))
        << QStringList{"<dependencies operator=\"And\">",
                       "<dependencies operator=\"Or\">",
                       "<flagDependency flag=\"A\" value=\"1\"/>",
                       "<flagDependency flag=\"B\" value=\"1\"/>",
                       "</dependencies>",
                       "<flagDependency flag=\"C\" value=\"1\"/>"};
    QTest::newRow("prerequisites after the steps: written after the header, not on a step")
        << none
        << QStringLiteral("<moduleImage path=\"h.png\"/>") + visibleOf(QString()) +
               QStringLiteral("<moduleDependencies operator=\"Or\"><fileDependency "
                              "file=\"Skyrim.esm\" state=\"Active\"/><dependencies>"
                              "<gameDependency version=\"1.5\"/></dependencies>"
                              "</moduleDependencies>")
        << QStringList{"<moduleImage path=\"h.png\" />",
                       "<moduleDependencies operator=\"Or\">",
                       "<fileDependency file=\"Skyrim.esm\" state=\"Active\"/>",
                       "<dependencies>",
                       "<gameDependency version=\"1.5\"/>",
                       "</dependencies>",
                       "</moduleDependencies>",
                       "<installSteps order=\"Explicit\">",
                       "<installStep name=\"S\">",
                       "<optionalFileGroups order=\"Explicit\">"};
    QTest::newRow("version conditions, a bad version as read")
        << none
        << patternOf(QStringLiteral(
               "<dependencies operator=\"And\"><gameDependency version=\"1.6.1170\"/>"
               "<fommDependency version=\"0.13\"/><foseDependency version=\"1.2\"/>"
               "<nvseDependency version=\"2\"/><skseDependency version=\"2.2.6\"/>"
               "<f4seDependency version=\"not a version\"/></dependencies>"))
        << QStringList{"<gameDependency version=\"1.6.1170\"/>",
                       "<fommDependency version=\"0.13\"/>",
                       "<foseDependency version=\"1.2\"/>",
                       "<nvseDependency version=\"2\"/>",
                       "<skseDependency version=\"2.2.6\"/>",
                       "<f4seDependency version=\"not a version\"/>"};
    QTest::newRow("install flags as written, a bad one too; none where none was written")
        << none
        << QStringLiteral("<conditionalFileInstalls><patterns><pattern><dependencies "
                          "operator=\"And\"/><files><file source=\"a\" destination=\"a\" "
                          "alwaysInstall=\"true\" installIfUsable=\"yes\"/><folder "
                          "source=\"b\" destination=\"b\"/></files></pattern></patterns>"
                          "</conditionalFileInstalls>")
        << QStringList{"<file source=\"a\" destination=\"a\" priority=\"0\" "
                       "alwaysInstall=\"true\" installIfUsable=\"yes\" />",
                       "<folder source=\"b\" destination=\"b\" priority=\"0\" />"};
    QTest::newRow("header attributes where read")
        << none
        << QStringLiteral("<moduleName position=\"Right\" colour=\"FF0000\">M</moduleName>"
                          "<moduleImage path=\"h.png\" showImage=\"false\" height=\"80\"/>")
        << QStringList{"<moduleName position=\"Right\" colour=\"FF0000\">M</moduleName>",
                       "<moduleImage path=\"h.png\" showImage=\"false\" height=\"80\" />"};
    QTest::newRow("header settings without a path")
        << none << QStringLiteral("<moduleImage showImage=\"true\" height=\"120\"/>")
        << QStringList{"<moduleImage showImage=\"true\" height=\"120\" />"};
    QTest::newRow("a title other than the mod's name")
        << QStringLiteral("Mod") << QStringLiteral("<moduleName>Installer title</moduleName>")
        << QStringList{"<moduleName>Installer title</moduleName>"};
    QTest::newRow("a title that is the mod's name")
        << QStringLiteral("Mod") << QStringLiteral("<moduleName>Mod</moduleName>")
        << QStringList{"<moduleName>Mod</moduleName>"};
    QTest::newRow("no destination: installed to the source's path")
        << none
        << QStringLiteral("<requiredInstallFiles><folder source=\"textures\\a\"/>"
                          "</requiredInstallFiles>")
        << QStringList{"<folder source=\"textures\\a\" destination=\"textures\\a\" />"};
    QTest::newRow("required priorities: written unless zero")
        << none
        << QStringLiteral("<requiredInstallFiles><file source=\"a\" destination=\"a\" "
                          "priority=\"3\"/><file source=\"b\" destination=\"b\" "
                          "priority=\"0\"/></requiredInstallFiles>")
        << QStringList{"<file source=\"a\" destination=\"a\" priority=\"3\" />",
                       "<file source=\"b\" destination=\"b\" />"};
    QTest::newRow("comments where they stood")
        << none
        << QStringLiteral("<!--before config--><config><!--c1--><moduleName>M</moduleName>"
                          "<installSteps order=\"Explicit\"><!--before step-->"
                          "<installStep name=\"S\"><!--before groups--><optionalFileGroups "
                          "order=\"Explicit\"><group name=\"G\" type=\"SelectAny\"><plugins "
                          "order=\"Explicit\"><plugin name=\"P\"><description>a<!--in text-->b"
                          "</description><!--before files--><files><file source=\"x\" "
                          "destination=\"x\"/><!--end of files--></files><typeDescriptor><type "
                          "name=\"Optional\"/></typeDescriptor></plugin><!--after plugin-->"
                          "</plugins></group></optionalFileGroups><!--end of step--></installStep>"
                          "</installSteps><!--end of config--></config><!--after config-->")
        << QStringList{"<!--before config-->",
                       "<config xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                       "xsi:noNamespaceSchemaLocation=\"http://qconsulting.ca/fo3/"
                       "ModConfig5.0.xsd\">",
                       "<!--c1-->",
                       "<moduleName>M</moduleName>",
                       "<installSteps order=\"Explicit\">",
                       "<!--before step-->",
                       "<installStep name=\"S\">",
                       "<!--before groups-->",
                       "<optionalFileGroups order=\"Explicit\">",
                       "<description>ab</description>",
                       "<!--before files-->",
                       "<files>",
                       "<file source=\"x\" destination=\"x\" priority=\"0\" />",
                       "<!--end of files-->",
                       "</files>",
                       "</plugin>",
                       "<!--after plugin-->",
                       "</plugins>",
                       "</optionalFileGroups>",
                       "<!--end of step-->",
                       "</installStep>",
                       "</installSteps>",
                       "<!--end of config-->",
                       "</config>",
                       "<!--after config-->"};
    QTest::newRow("comments of conditions and groups, inside an unknown element dropped")
        << none
        << patternOf(QStringLiteral(
               "<dependencies operator=\"And\"><!--c--><flagDependency flag=\"F\" "
               "value=\"On\"/><!--g--><dependencies><flagDependency flag=\"G\" value=\"1\"/>"
               "<!--end of group--></dependencies><extra><!--lost--></extra></dependencies>"))
        << QStringList{
               "<!--c-->",       "<flagDependency flag=\"F\" value=\"On\"/>", "<!--g-->",
               "<dependencies>", "<flagDependency flag=\"G\" value=\"1\"/>",  "<!--end of group-->",
               "</dependencies>"};
}

void TestReader::keptOnSave() {
    QFETCH(QString, infoName);
    QFETCH(QString, body);
    QFETCH(QStringList, written);
    const QString text = body.contains(QStringLiteral("<config>"))
                             ? body
                             : QStringLiteral("<config>%1</config>").arg(body);

    CFOMOD first;
    first.sName = infoName;
    QString error;
    QVERIFY2(InstallerReader::readConfigText(text, first, &error), qPrintable(error));
    const QByteArray bytes = InstallerWriter::configFileBytes(first, "1", "h");
    const QString saved = Encoding::decodeInstallerBytes(bytes);
    QString missing;
    QVERIFY2(holdsInOrder(saved.split(u'\n'), written, missing),
             qPrintable(QStringLiteral("missing '%1' in:\n%2").arg(missing, saved)));
    QVERIFY2(!saved.contains(QStringLiteral("lost")) && !saved.contains(QStringLiteral("in text")),
             qPrintable(saved));

    CFOMOD again;
    again.sName = infoName;
    QVERIFY2(InstallerReader::readConfigText(saved, again, &error), qPrintable(error));
    QVERIFY(again == first);
    QCOMPARE(InstallerWriter::configFileBytes(again, "1", "h"), bytes);
    // The writer's own first line is not taken for the author's.
    for (const CComment& comment : again.vComments)
        QVERIFY2(!comment.sText.contains(QStringLiteral("Created with")),
                 qPrintable(comment.sText));
}

// Conditions nest to 256 levels; one level more fails the reading with its line, also when the
// file is read in pieces.
void TestReader::conditionDepth_data() {
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("valid");
    QTest::newRow("256 levels") << 256 << true;
    QTest::newRow("257 levels") << 257 << false;
    QTest::newRow("100000 levels") << 100000 << false;
}

void TestReader::conditionDepth() {
    QFETCH(int, levels);
    QFETCH(bool, valid);
    QString nested;
    for (int i = 0; i < levels; ++i)
        nested += QStringLiteral("<dependencies operator=\"Or\">\n");
    nested += QStringLiteral("<flagDependency flag=\"F\" value=\"1\"/>");
    for (int i = 0; i < levels; ++i)
        nested += QStringLiteral("</dependencies>");
    // The pattern's own list and the first group stand on line 3, each further group a line lower.
    const QString text =
        QStringLiteral("<config>\n") +
        patternOf(QStringLiteral("<dependencies>") + nested + QStringLiteral("</dependencies>")) +
        QStringLiteral("</config>");
    const QString expected =
        QStringLiteral("conditions nested deeper than 256 levels at line %1").arg(2 + 257);

    CFOMOD whole;
    QString error;
    QCOMPARE(InstallerReader::readConfigText(text, whole, &error), valid);
    QCOMPARE(error, valid ? QString() : expected);

    QByteArray bytes = Encoding::utf16LEMark() +
                       QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    CFOMOD pieces;
    QString piecesError;
    QCOMPARE(InstallerReader::readConfigDevice(buffer, pieces, &piecesError, nullptr, 4096), valid);
    QCOMPARE(piecesError, error);
    if (valid) {
        const CDependency* d =
            &whole.vSteps[0].vGroups[0].vPlugins[0].vPatterns[0].vDependencies[0];
        int depth = 1;
        for (; !d->vDependencies.isEmpty() && d->sType == u"group"; ++depth)
            d = &d->vDependencies.first();
        QCOMPARE(depth, 257); // 256 groups and the condition in the innermost
        QVERIFY(pieces == whole);
    }
}

QTEST_GUILESS_MAIN(TestReader)
#include "tst_reader.moc"
