#include "FileHelpers.h"
#include "installer/EncodedText.h"
#include "installer/Encoding.h"
#include "installer/Reader.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

// What the configuration reader reports besides the project: the line of every element it
// keeps, and a note for every construct saving would drop or change.
class TestReadReport : public QObject {
    Q_OBJECT

private slots:
    void linesOfEveryPlace_data();
    void linesOfEveryPlace();
    void notKept_data();
    void notKept();
    void largeFileReadsAsItsText_data();
    void largeFileReadsAsItsText();
    void corpus();
};

namespace {

using List = ProjectPlace::List;

// A configuration built line by line; each element the project keeps records the line it
// stands on, so the expected lines come from the fixture itself.
struct Fixture {
    QStringList lines;
    SourceLines expected;

    void add(const QString& line) { lines.append(line); }
    void add(const QString& line, const ProjectPlace& place) {
        lines.append(line);
        expected.insert(place, lines.size());
    }
};

ProjectPlace at(int step, int group = -1, int plugin = -1, List list = List::None, int pattern = -1,
                int entry = -1) {
    return ProjectPlace{step, group, plugin, list, pattern, entry};
}

ProjectPlace inList(List list, int pattern, int entry) {
    return ProjectPlace{-1, -1, -1, list, pattern, entry};
}

// Every kind of place, with a comment and a character-data description spanning lines and a
// tag whose attributes run over three lines; `title` lets a row put a zero character there.
Fixture everyPlace(const QString& title) {
    Fixture f;
    f.add(QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    f.add(QStringLiteral("<config>"));
    f.add(QStringLiteral("<moduleName>%1</moduleName>").arg(title));
    f.add(QStringLiteral(R"(<moduleImage path="head.png"/>)"), inList(List::ModuleImage, -1, -1));
    f.add(QStringLiteral("<!-- required"));
    f.add(QStringLiteral("     files -->"));
    f.add(QStringLiteral("<requiredInstallFiles>"));
    f.add(QStringLiteral(R"(<file source="core.esp" destination="core.esp"/>)"),
          inList(List::RequiredFiles, -1, 0));
    f.add(QStringLiteral(R"(<folder source="core" destination=""/>)"),
          inList(List::RequiredFiles, -1, 1));
    f.add(QStringLiteral("</requiredInstallFiles>"));
    f.add(QStringLiteral(R"(<installSteps order="Explicit">)"));
    f.add(QStringLiteral(R"(<installStep name="One">)"), at(0));
    f.add(QStringLiteral(R"(<optionalFileGroups order="Explicit">)"));
    f.add(QStringLiteral(R"(<group name="G" type="SelectAny">)"), at(0, 0));
    f.add(QStringLiteral(R"(<plugins order="Explicit">)"));
    f.add(QStringLiteral(R"(<plugin name="P">)"), at(0, 0, 0));
    f.add(QStringLiteral("<description><![CDATA[two"));
    f.add(QStringLiteral("lines]]></description>"));
    f.add(QStringLiteral(R"(<image path="p.png"/>)"), at(0, 0, 0, List::PluginImage));
    f.add(QStringLiteral("<conditionFlags>"));
    f.add(QStringLiteral(R"(<flag name="A">1</flag>)"), at(0, 0, 0, List::PluginFlags, -1, 0));
    f.add(QStringLiteral(R"(<flag name="B">2</flag>)"), at(0, 0, 0, List::PluginFlags, -1, 1));
    f.add(QStringLiteral("</conditionFlags>"));
    f.add(QStringLiteral("<files>"));
    f.add(QStringLiteral("<file"), at(0, 0, 0, List::PluginFiles, -1, 0));
    f.add(QStringLiteral(R"(  source="p.esp")"));
    f.add(QStringLiteral(R"(  destination="p.esp"/>)"));
    f.add(QStringLiteral("</files>"));
    f.add(QStringLiteral(R"(<typeDescriptor><dependencyType><defaultType name="Optional"/>)"));
    f.add(QStringLiteral("<patterns>"));
    f.add(QStringLiteral("<pattern>"), at(0, 0, 0, List::PluginPatterns, 0));
    f.add(QStringLiteral(R"(<dependencies operator="And">)"));
    f.add(QStringLiteral(R"(<fileDependency file="x.esp" state="Active"/>)"),
          at(0, 0, 0, List::PluginPatterns, 0, 0));
    f.add(QStringLiteral(R"(<flagDependency flag="A" value="1"/>)"),
          at(0, 0, 0, List::PluginPatterns, 0, 1));
    f.add(QStringLiteral(R"(</dependencies><type name="Recommended"/>)"));
    f.add(QStringLiteral("</pattern>"));
    f.add(QStringLiteral("</patterns></dependencyType></typeDescriptor>"));
    f.add(QStringLiteral("</plugin>"));
    f.add(QStringLiteral(R"(<plugin name="Q"><description/><files/>)"), at(0, 0, 1));
    f.add(QStringLiteral(R"(<typeDescriptor><type name="Optional"/></typeDescriptor></plugin>)"));
    f.add(QStringLiteral("</plugins></group>"));
    f.add(QStringLiteral(R"(<group name="H" type="SelectAll"><plugins order="Explicit">)"),
          at(0, 1));
    f.add(QStringLiteral(R"(<plugin name="R"><description/><files/>)"), at(0, 1, 0));
    f.add(QStringLiteral(R"(<typeDescriptor><type name="Required"/></typeDescriptor></plugin>)"));
    f.add(QStringLiteral("</plugins></group></optionalFileGroups></installStep>"));
    f.add(QStringLiteral(R"(<installStep name="Two">)"), at(1));
    f.add(QStringLiteral("<visible><dependencies>"));
    f.add(QStringLiteral(R"(<flagDependency flag="A" value="1"/>)"),
          at(1, -1, -1, List::StepVisibility, -1, 0));
    f.add(QStringLiteral("</dependencies></visible>"));
    f.add(
        QStringLiteral(R"(<optionalFileGroups order="Explicit"><group name="I" type="SelectAny">)"),
        at(1, 0));
    f.add(QStringLiteral(R"(<plugins order="Explicit"><plugin name="S"><description/><files/>)"),
          at(1, 0, 0));
    f.add(QStringLiteral(R"(<typeDescriptor><type name="Optional"/></typeDescriptor></plugin>)"));
    f.add(QStringLiteral("</plugins></group></optionalFileGroups></installStep>"));
    f.add(QStringLiteral("</installSteps>"));
    f.add(QStringLiteral("<conditionalFileInstalls><patterns>"));
    f.add(QStringLiteral("<pattern>"), inList(List::ConditionalInstalls, 0, -1));
    f.add(QStringLiteral(R"(<dependencies operator="Or">)"));
    f.add(QStringLiteral(R"(<flagDependency flag="B" value="2"/>)"),
          inList(List::ConditionalInstalls, 0, 0));
    f.add(QStringLiteral(R"(<fileDependency file="y.esp" state="Missing"/>)"),
          inList(List::ConditionalInstalls, 0, 1));
    f.add(QStringLiteral("</dependencies><files>"));
    f.add(QStringLiteral(R"(<file source="c.esp" destination="c.esp"/>)"),
          inList(List::ConditionalInstallFiles, 0, 0));
    f.add(QStringLiteral("</files></pattern>"));
    f.add(QStringLiteral("<pattern><dependencies/><files>"),
          inList(List::ConditionalInstalls, 1, -1));
    f.add(QStringLiteral(R"(<folder source="d" destination="d"/>)"),
          inList(List::ConditionalInstallFiles, 1, 0));
    f.add(QStringLiteral("</files></pattern>"));
    f.add(QStringLiteral("</patterns></conditionalFileInstalls>"));
    f.add(QStringLiteral("</config>"));
    return f;
}

qsizetype lineCount(const QString& text) {
    return text.count(u'\n') + 1;
}

QString describe(const QList<NotKeptNote>& notes) {
    QStringList parts;
    for (const NotKeptNote& note : notes)
        parts.append(QStringLiteral("%1:%2 %3").arg(note.line).arg(note.sConstruct, note.sMessage));
    return parts.join(QStringLiteral("\n"));
}

} // namespace

void TestReadReport::linesOfEveryPlace_data() {
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<bool>("zero");
    QTest::newRow("LF, UTF-8") << "\n"
                               << "UTF-8" << false;
    QTest::newRow("CRLF, UTF-8") << "\r\n"
                                 << "UTF-8" << false;
    QTest::newRow("CRLF, UTF-16 LE, read in place") << "\r\n"
                                                    << "UTF-16 LE" << false;
    QTest::newRow("LF, UTF-16 BE") << "\n"
                                   << "UTF-16 BE" << false;
    QTest::newRow("zero character before the elements, UTF-8") << "\n"
                                                               << "UTF-8" << true;
    QTest::newRow("zero character before the elements, UTF-16 LE") << "\r\n"
                                                                   << "UTF-16 LE" << true;
}

void TestReadReport::linesOfEveryPlace() {
    QFETCH(QString, lineEnd);
    QFETCH(QString, encoding);
    QFETCH(bool, zero);
    const QString title =
        zero ? QStringLiteral("De") + QChar(0) + QStringLiteral("mo") : QStringLiteral("Demo");
    const Fixture fixture = everyPlace(title);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ModuleConfig.xml"));
    QVERIFY(FileHelpers::writeFile(path, encodedText(fixture.lines.join(lineEnd), encoding)));

    CFOMOD project;
    QString error;
    InstallerReader::ZeroLines zeroLines;
    ReadReport report;
    QVERIFY2(InstallerReader::readConfigFile(path, project, &error, &zeroLines, &report),
             qPrintable(error));

    QVERIFY(report.bConfigElement);
    QVERIFY2(report.notKept.isEmpty(), qPrintable(describe(report.notKept)));
    QCOMPARE(zeroLines, zero ? InstallerReader::ZeroLines{3} : InstallerReader::ZeroLines{});
    for (auto it = fixture.expected.cbegin(); it != fixture.expected.cend(); ++it) {
        const ProjectPlace& p = it.key();
        QVERIFY2(report.lines.contains(p),
                 qPrintable(QStringLiteral("no line for %1/%2/%3 %4 %5/%6")
                                .arg(p.step)
                                .arg(p.group)
                                .arg(p.plugin)
                                .arg(int(p.list))
                                .arg(p.pattern)
                                .arg(p.entry)));
        QCOMPARE(report.lines.value(p), it.value());
    }
    QCOMPARE(report.lines.size(), fixture.expected.size());

    // The report changes nothing of what is read.
    CFOMOD plain;
    QVERIFY(InstallerReader::readConfigFile(path, plain));
    QVERIFY(plain == project);
}

// Each fixture marks the lines that must get a note with the comment <!--!-->, one per note.
void TestReadReport::notKept_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("constructs");

    const auto plugin = [](const QString& inside) {
        return QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">\n"
                              "<optionalFileGroups order=\"Explicit\">\n"
                              "<group name=\"G\" type=\"SelectAny\"><plugins order=\"Explicit\">\n"
                              "<plugin name=\"P\"><description>d</description>\n%1\n"
                              "</plugin></plugins></group></optionalFileGroups>\n"
                              "</installStep></installSteps>")
            .arg(inside);
    };
    const auto typePattern = [&plugin](const QString& dependencies) {
        return plugin(QStringLiteral("<files/><typeDescriptor><dependencyType>\n"
                                     "<defaultType name=\"Optional\"/><patterns><pattern>\n%1\n"
                                     "<type name=\"Required\"/></pattern></patterns>\n"
                                     "</dependencyType></typeDescriptor>")
                          .arg(dependencies));
    };
    // What the project now keeps, noted nowhere (the marks of where it was noted go).
    const auto keptRow = [](const char* name, QString body) {
        QTest::newRow(name)
            << body.remove(QStringLiteral(" <!--!-->")).remove(QStringLiteral("<!--!-->"))
            << QStringList{};
    };
    const auto steps = [](const QString& order, const QString& first, const QString& second) {
        return QStringLiteral("<installSteps%1> <!--!-->\n"
                              "<installStep name=\"%2\"><optionalFileGroups order=\"Explicit\">\n"
                              "</optionalFileGroups></installStep>\n"
                              "<installStep name=\"%3\"><optionalFileGroups order=\"Explicit\">\n"
                              "</optionalFileGroups></installStep>\n"
                              "</installSteps>")
            .arg(order, first, second);
    };

    keptRow("kept: nested dependencies",
            typePattern(QStringLiteral("<dependencies operator=\"Or\">\n"
                                       "<flagDependency flag=\"A\" value=\"1\"/>\n"
                                       "<dependencies operator=\"And\"> <!--!-->\n"
                                       "<flagDependency flag=\"B\" value=\"1\"/>\n"
                                       "<flagDependency flag=\"C\" value=\"1\"/>\n"
                                       "</dependencies></dependencies>")));
    keptRow("kept: visible holding a condition beside dependencies",
            QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\"><visible>\n"
                           "<dependencies operator=\"Or\"> <!--!-->\n"
                           "<flagDependency flag=\"B\" value=\"1\"/>\n"
                           "<flagDependency flag=\"C\" value=\"1\"/></dependencies>\n"
                           "<flagDependency flag=\"A\" value=\"1\"/>\n"
                           "</visible><optionalFileGroups order=\"Explicit\"/>\n"
                           "</installStep></installSteps>"));
    keptRow("kept: operator on visible",
            QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">\n"
                           "<visible operator=\"Or\"> <!--!-->\n"
                           "<flagDependency flag=\"A\" value=\"1\"/>\n"
                           "<flagDependency flag=\"B\" value=\"1\"/>\n"
                           "</visible><optionalFileGroups order=\"Explicit\"/>\n"
                           "</installStep></installSteps>"));
    keptRow("kept: moduleDependencies with what it holds",
            QStringLiteral("<moduleDependencies operator=\"And\"> <!--!-->\n"
                           "<fileDependency file=\"Skyrim.esm\" state=\"Active\"/>\n"
                           "<dependencies operator=\"Or\"><gameDependency version=\"1.5\"/>\n"
                           "</dependencies></moduleDependencies>"));
    for (const char* kind : {"gameDependency", "fommDependency", "foseDependency"}) {
        keptRow(QStringLiteral("kept: %1").arg(QLatin1String(kind)).toUtf8().constData(),
                typePattern(QStringLiteral("<dependencies operator=\"And\">\n"
                                           "<%1 version=\"1.5\"/> <!--!-->\n"
                                           "</dependencies>")
                                .arg(QLatin1String(kind))));
    }
    QTest::newRow("flagDependency without a value")
        << typePattern(QStringLiteral("<dependencies operator=\"And\">\n"
                                      "<flagDependency flag=\"A\"/> <!--!-->\n"
                                      "</dependencies>"))
        << QStringList{"flagDependency"};
    keptRow("kept: alwaysInstall and installIfUsable",
            plugin(QStringLiteral("<files>\n"
                                  "<file source=\"a\" destination=\"a\" alwaysInstall=\"true\"/> "
                                  "<!--!-->\n"
                                  "<folder source=\"b\" destination=\"b\" installIfUsable=\"1\"/> "
                                  "<!--!-->\n"
                                  "</files><typeDescriptor><type name=\"Optional\"/>"
                                  "</typeDescriptor>")));
    keptRow("kept: file without destination",
            QStringLiteral("<requiredInstallFiles>\n"
                           "<folder source=\"textures\"/> <!--!-->\n"
                           "</requiredInstallFiles>"));
    keptRow("kept: no order on steps not in name order",
            steps(QString(), QStringLiteral("Zeta"), QStringLiteral("Alpha")));
    keptRow("kept: order Descending on steps not in that order",
            steps(QStringLiteral(" order=\"Descending\""), QStringLiteral("Alpha"),
                  QStringLiteral("Zeta")));
    keptRow("kept: order Ascending on steps whose case decides",
            steps(QStringLiteral(" order=\"Ascending\""), QStringLiteral("beta"),
                  QStringLiteral("Gamma")));
    keptRow("kept: order that is not a format value",
            steps(QStringLiteral(" order=\"explicit\""), QStringLiteral("Alpha"),
                  QStringLiteral("Beta")));
    keptRow("kept: no order on groups, plugins Ascending",
            QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">\n"
                           "<optionalFileGroups> <!--!-->\n"
                           "<group name=\"Z\" type=\"SelectAny\"><plugins order=\"Ascending\"> "
                           "<!--!-->\n"
                           "<plugin name=\"Q\"/><plugin name=\"P\"/></plugins></group>\n"
                           "<group name=\"A\" type=\"SelectAny\"><plugins order=\"Explicit\">\n"
                           "</plugins></group></optionalFileGroups></installStep></installSteps>"));
    QTest::newRow("unknown elements, one note for the outermost")
        << QStringLiteral("<installSteps order=\"Explicit\"><installStep name=\"S\">\n"
                          "<name>Main</name> <!--!-->\n"
                          "<option name=\"O\"><extra/></option> <!--!-->\n"
                          "<optionalFileGroups order=\"Explicit\"/></installStep></installSteps>")
        << QStringList{"name", "option"};
    QTest::newRow("markup inside a description")
        << plugin(QStringLiteral("<files/><typeDescriptor><type name=\"Optional\"/>"
                                 "</typeDescriptor>"))
               .replace(QStringLiteral("<description>d</description>\n"),
                        QStringLiteral("<description>a\n<b>bold</b> text</description> <!--!-->\n"))
        << QStringList{"b"};
    keptRow(
        "kept: header attributes away from their defaults",
        QStringLiteral("<moduleName position=\"Right\" colour=\"000000\">T</moduleName> <!--!-->\n"
                       "<moduleImage path=\"h.png\" showImage=\"false\" showFade=\"true\" "
                       "height=\"-1\"/> <!--!-->"));
    QTest::newRow("file outside every section")
        << QStringLiteral("<files><file source=\"a\" destination=\"a\"/> <!--!-->\n</files>")
        << QStringList{"file"};
    QTest::newRow("kept: Explicit orders, plain conditions, defaults, names in order")
        << typePattern(QStringLiteral("<dependencies operator=\"Or\">\n"
                                      "<flagDependency flag=\"A\" value=\"1\"/>\n"
                                      "<fileDependency file=\"a.esp\" state=\"Active\"/>\n"
                                      "</dependencies>"))
                   .replace(QStringLiteral("<files/>"),
                            QStringLiteral("<files><file source=\"a\" destination=\"a\" "
                                           "alwaysInstall=\"false\" installIfUsable=\"false\"/>"
                                           "</files>"))
                   .replace(QStringLiteral("<installStep name=\"S\">"),
                            QStringLiteral("<installStep name=\"S\"><visible operator=\"Or\">"
                                           "<dependencies operator=\"Or\">\n"
                                           "<flagDependency flag=\"X\" value=\"\"/>"
                                           "</dependencies></visible>")) +
               QStringLiteral("\n<conditionalFileInstalls><patterns><pattern>"
                              "<dependencies operator=\"And\"/><files/></pattern></patterns>"
                              "</conditionalFileInstalls>")
        << QStringList{};
    QTest::newRow("kept: no order on steps already in name order")
        << steps(QString(), QStringLiteral("Alpha"), QStringLiteral("beta"))
               .remove(QStringLiteral(" <!--!-->"))
        << QStringList{};
}

void TestReadReport::notKept() {
    QFETCH(QString, body);
    QFETCH(QStringList, constructs);
    const QString text =
        QStringLiteral("<config>\n<moduleName>M</moduleName>\n%1\n</config>\n").arg(body);
    QList<qsizetype> expectedLines;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (qsizetype k = lines[i].count(QStringLiteral("<!--!-->")); k > 0; --k)
            expectedLines.append(i + 1);
    }

    CFOMOD project;
    ReadReport report;
    QVERIFY(InstallerReader::readConfigText(text, project, nullptr, nullptr, &report));

    QStringList foundConstructs;
    QList<qsizetype> foundLines;
    for (const NotKeptNote& note : report.notKept) {
        foundConstructs.append(note.sConstruct);
        foundLines.append(note.line);
        QVERIFY2(!note.sMessage.isEmpty(), qPrintable(note.sConstruct));
    }
    QVERIFY2(foundConstructs == constructs && foundLines == expectedLines,
             qPrintable(describe(report.notKept)));

    CFOMOD plain;
    QVERIFY(InstallerReader::readConfigText(text, plain));
    QVERIFY(plain == project);
}

// Every real installer reads as it does without a report, and every line points into the file.
void TestReadReport::largeFileReadsAsItsText_data() {
    QTest::addColumn<QString>("encoding");
    QTest::newRow("UTF-8") << QStringLiteral("UTF-8");
    QTest::newRow("UTF-16 LE") << QStringLiteral("UTF-16 LE");
}

// A file of several MB is given back to the system as it is read: what is read from it, with
// or without a report, is what its text gives, tags over several lines included.
void TestReadReport::largeFileReadsAsItsText() {
    QFETCH(QString, encoding);
    QStringList lines{QStringLiteral("<config><installSteps order=\"Explicit\">"),
                      QStringLiteral("<installStep name=\"S\"><optionalFileGroups>"),
                      QStringLiteral("<group name=\"G\" type=\"SelectAny\"><plugins>")};
    constexpr int kPlugins = 30000;
    for (int i = 0; i < kPlugins; ++i) {
        lines.append(QStringLiteral("<plugin"));
        lines.append(
            QStringLiteral("  name=\"Option %1 with a name long enough to fill the file\">")
                .arg(i));
        lines.append(QStringLiteral("<description>Text %1</description><files><file "
                                    "source=\"s%1\" destination=\"d%1\"/></files>")
                         .arg(i));
        lines.append(QStringLiteral("<typeDescriptor><type name=\"Optional\"/>"
                                    "</typeDescriptor></plugin>"));
    }
    // Sorted by name, the last option read is not the last one shown.
    lines.append(QStringLiteral("<unknown/></plugins></group></optionalFileGroups></installStep>"));
    lines.append(QStringLiteral("</installSteps></config>"));
    const QString text = lines.join(u'\n');
    QVERIFY(text.size() > 4 * (1 << 20));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ModuleConfig.xml"));
    QVERIFY(FileHelpers::writeFile(path, encodedText(text, encoding)));

    CFOMOD fromText;
    ReadReport textReport;
    QVERIFY(InstallerReader::readConfigText(text, fromText, nullptr, nullptr, &textReport));
    QCOMPARE(fromText.vSteps.value(0).vGroups.value(0).vPlugins.size(), kPlugins);

    CFOMOD plain;
    QVERIFY(InstallerReader::readConfigFile(path, plain));
    QVERIFY(plain == fromText);
    CFOMOD reported;
    ReadReport fileReport;
    QVERIFY(InstallerReader::readConfigFile(path, reported, nullptr, nullptr, &fileReport));
    QVERIFY(reported == fromText);
    QVERIFY(fileReport.lines == textReport.lines);
    QCOMPARE(textReport.notKept.size(), 1);
    QCOMPARE(describe(fileReport.notKept), describe(textReport.notKept));
    const QList<CPlugin>& shown = fromText.vSteps.value(0).vGroups.value(0).vPlugins;
    const qsizetype lastRead =
        std::find_if(shown.begin(), shown.end(),
                     [](const CPlugin& p) {
                         return p.sName.startsWith(QStringLiteral("Option %1 ").arg(kPlugins - 1));
                     }) -
        shown.begin();
    QVERIFY(lastRead < kPlugins - 1);
    const ProjectPlace last{.step = 0, .group = 0, .plugin = int(lastRead)};
    QCOMPARE(fileReport.lines.value(last), 4 + 4 * qsizetype(kPlugins - 1));
}

void TestReadReport::corpus() {
    const QString root = QStringLiteral(QUARVEL_SHARED_DIR "/corpus");
    if (!QDir(root).exists())
        QSKIP("no corpus folder");
    int installers = 0;
    int withNotes = 0;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName().compare(u"ModuleConfig.xml", Qt::CaseInsensitive) != 0)
            continue;
        ++installers;
        const qsizetype lastLine =
            lineCount(Encoding::decodeInstallerBytes(FileHelpers::readFile(path)));
        CFOMOD project;
        CFOMOD plain;
        QString error;
        QString plainError;
        ReadReport report;
        const bool read = InstallerReader::readConfigFile(path, project, &error, nullptr, &report);
        QCOMPARE(InstallerReader::readConfigFile(path, plain, &plainError), read);
        QCOMPARE(error, plainError);
        QVERIFY2(plain == project, qPrintable(path));
        for (qsizetype line : std::as_const(report.lines))
            QVERIFY2(line >= 1 && line <= lastLine, qPrintable(path));
        for (const NotKeptNote& note : std::as_const(report.notKept))
            QVERIFY2(note.line >= 1 && note.line <= lastLine, qPrintable(path));
        if (!report.notKept.isEmpty())
            ++withNotes;
    }
    qInfo("%d of %d corpus installers hold something saving would not keep", withNotes, installers);
}

QTEST_GUILESS_MAIN(TestReadReport)
#include "tst_read_report.moc"
