#include "installer/Encoding.h"
#include "installer/InfoNodes.h"
#include "installer/InfoReader.h"
#include "installer/InfoWriter.h"

#include <QFile>
#include <QTest>

// info.xml is kept whole: what the editor does not show comes back as it was read.
class TestInfo : public QObject {
    Q_OBJECT

private slots:
    void keptWhole_data();
    void keptWhole();
    void editedField_data();
    void editedField();
    void fileMadeHereIsWrittenAgainAsItWas_data();
    void fileMadeHereIsWrittenAgainAsItWas();
    void newFieldsFindTheirPlace();
    void clearedOnlyCategoryTakesItsGroups();
    void hostileNesting();
};

namespace {

QString writtenText(const CFOMOD& project) {
    return Encoding::decodeInstallerBytes(InstallerWriter::infoFileBytes(project)).mid(1);
}

QString& fieldNamed(CFOMOD& project, QStringView field) {
    return field == u"name"       ? project.sName
           : field == u"category" ? project.sCategory
           : field == u"version"  ? project.sVersion
           : field == u"author"   ? project.sAuthor
                                  : project.sDescription;
}

CFOMOD read(const QString& text) {
    CFOMOD project;
    InstallerReader::readInfoText(text, project);
    return project;
}

const char kFull[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- made by hand -->
<fomod xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
    <Name>Tom &amp; Jerry</Name>
    <Id>1988</Id>
    <Version MachineVersion="1.1.0.0">1.1</Version>
    <!-- the page -->
    <Website>https://x.org/?a=1&amp;b=2</Website>
    <Description><![CDATA[<b>Bold</b>]]></Description>
    <CategoryId>62</CategoryId>
    <Groups>
        <element>Utilities</element>
        <element>User Interface</element>
    </Groups>
    <Requires kind='mod' note='say "hi"'><Mod id="3">Base</Mod><Mod/></Requires>
</fomod>
<!-- the end -->
)";

} // namespace

// Each fixture read, written and read again gives the same project, and the file written
// holds each construct as a manager reads it.
void TestInfo::keptWhole_data() {
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>(
        "fields"); // name, author, version, website, description, category
    QTest::addColumn<QStringList>("written"); // lines the written file holds

    QTest::newRow("every construct")
        << QString::fromUtf8(kFull) << QStringList{"Tom & Jerry",
                                                   "",
                                                   "1.1",
                                                   "https://x.org/?a=1&b=2",
                                                   "&#60;b&#62;Bold&#60;/b&#62;",
                                                   "Utilities"}
        << QStringList{"<!-- made by hand --> ",
                       "<fomod xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"> ",
                       "\t<Name>Tom &amp; Jerry</Name> ",
                       "\t<Id>1988</Id> ",
                       "\t<Version MachineVersion=\"1.1.0.0\">1.1</Version> ",
                       "\t<!-- the page --> ",
                       "\t<Description><![CDATA[<b>Bold</b>]]></Description> ",
                       "\t<CategoryId>62</CategoryId> ",
                       "\t\t<element>Utilities</element>",
                       "\t\t<element>User Interface</element>",
                       "\t<Requires kind=\"mod\" note='say \"hi\"'>",
                       "\t\t<Mod id=\"3\">Base</Mod>",
                       "\t\t<Mod/>",
                       "<!-- the end --> "};
    QTest::newRow("letter case of the file, empty element, text laid out on lines")
        << QStringLiteral("<FOMOD><NAME>N</NAME><Description/><groups><Element>A</Element>"
                          "</groups><Notes>\n  two\n  lines\n</Notes></FOMOD>")
        << QStringList{"N", "", "", "", "", "A"}
        << QStringList{
               "<FOMOD> ",   "\t<NAME>N</NAME> ",        "\t<Description/> ",
               "\t<groups>", "\t\t<Element>A</Element>", "\t<Notes>\n  two\n  lines\n</Notes> ",
               "</FOMOD> "};
    QTest::newRow("comments inside a text and a category list")
        << QStringLiteral("<fomod><Name>A<!--x-->B</Name><Groups><!--first--><element>C</element>"
                          "<!--last--></Groups></fomod>")
        << QStringList{"AB", "", "", "", "", "C"}
        << QStringList{"\t<Name>AB", "\t\t<!--x-->", "\t\t<!--first-->", "\t\t<!--last-->"};
    QTest::newRow("unclosed and stray end tags")
        << QStringLiteral("<fomod><Name>N</Name></Author><Extra a=\"1\"><Inner>I</fomod>")
        << QStringList{"N", "", "", "", "", ""}
        << QStringList{"\t<Extra a=\"1\">", "\t\t<Inner>I</Inner>", "\t</Extra> "};
}

void TestInfo::keptWhole() {
    QFETCH(QString, info);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, written);

    const CFOMOD first = read(info);
    QCOMPARE((QStringList{first.sName, first.sAuthor, first.sVersion, first.sWebsite,
                          first.sDescription, first.sCategory}),
             fields);
    const QString text = writtenText(first);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : written) {
        if (line.contains(QLatin1Char('\n')))
            QVERIFY2(text.contains(line + QLatin1Char('\n')), qPrintable(text));
        else
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" in:\n") + text));
    }

    const CFOMOD again = read(text);
    QVERIFY(again == first);
    QCOMPARE(writtenText(again), text);
}

// Editing a field changes its element alone; clearing it drops the element; a field set that
// had no element gets one where a file made here has it.
void TestInfo::editedField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("removed"); // lines of the unedited file that go
    QTest::addColumn<QStringList>("added");   // and the lines that come, in their place

    QTest::newRow("name") << "name"
                          << "Tom < Jerry" << QStringList{"\t<Name>Tom &amp; Jerry</Name> "}
                          << QStringList{"\t<Name>Tom &#60; Jerry</Name> "};
    QTest::newRow("first category") << "category"
                                    << "Armour" << QStringList{"\t\t<element>Utilities</element>"}
                                    << QStringList{"\t\t<element>Armour</element>"};
    QTest::newRow("description")
        << "description"
        << "Plain &#38; simple" // in written form
        << QStringList{"\t<Description><![CDATA[<b>Bold</b>]]></Description> "}
        << QStringList{"\t<Description>Plain &#38; simple</Description> "};
    QTest::newRow("version keeps its attribute")
        << "version"
        << "2.0" << QStringList{"\t<Version MachineVersion=\"1.1.0.0\">1.1</Version> "}
        << QStringList{"\t<Version MachineVersion=\"1.1.0.0\">2.0</Version> "};
    QTest::newRow("cleared name") << "name"
                                  << "" << QStringList{"\t<Name>Tom &amp; Jerry</Name> "}
                                  << QStringList{};
    QTest::newRow("cleared first category, the second stays")
        << "category"
        << "" << QStringList{"\t\t<element>Utilities</element>"} << QStringList{};
    QTest::newRow("author, new: after the name, before the unknown Id")
        << "author"
        << "Me" << QStringList{} << QStringList{"\t<Author>Me</Author> "};
}

void TestInfo::editedField() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, removed);
    QFETCH(QStringList, added);

    CFOMOD project = read(QString::fromUtf8(kFull));
    const QStringList before = writtenText(project).split(QLatin1Char('\n'));
    fieldNamed(project, field) = value;
    const QString text = writtenText(project);

    QStringList expected = before;
    const qsizetype at = removed.isEmpty()
                             ? before.indexOf(QStringLiteral("\t<Name>Tom &amp; Jerry</Name> ")) + 1
                             : before.indexOf(removed.first());
    QVERIFY(at > 0);
    for (qsizetype i = 0; i < removed.size(); ++i)
        expected.removeAt(at);
    for (qsizetype i = 0; i < added.size(); ++i)
        expected.insert(at + i, added[i]);
    QCOMPARE(text.split(QLatin1Char('\n')), expected);
    // Read back, the field holds the value; a cleared first category leaves the second first.
    CFOMOD back = read(text);
    const QString expectedValue =
        field == u"category" && value.isEmpty() ? QStringLiteral("User Interface") : value;
    QCOMPARE(fieldNamed(back, field), expectedValue);
}

// A file Quarvel wrote says no more than its fields: read, it equals the project it was written
// from, and it is written again byte for byte.
void TestInfo::fileMadeHereIsWrittenAgainAsItWas_data() {
    QTest::addColumn<QString>("golden");
    QTest::newRow("empty") << QStringLiteral(QUARVEL_TEST_DATA "/writer/empty_info.xml");
    QTest::newRow("every line") << QStringLiteral(QUARVEL_TEST_DATA "/writer/full_info.xml");
}

void TestInfo::fileMadeHereIsWrittenAgainAsItWas() {
    QFETCH(QString, golden);
    QFile file(golden);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const CFOMOD project = read(Encoding::decodeInstallerBytes(bytes));
    QVERIFY(project.vInfoNodes.isEmpty());
    QCOMPARE(InstallerWriter::infoFileBytes(project), bytes);

    // One node more (a comment) and the nodes are kept; they write the same lines around it.
    const QString withComment = Encoding::decodeInstallerBytes(bytes).replace(
        QStringLiteral("</fomod>"), QStringLiteral("\t<!--c-->\n</fomod>"));
    const CFOMOD commented = read(withComment);
    QVERIFY(!commented.vInfoNodes.isEmpty());
    QCOMPARE(writtenText(commented), withComment.mid(1).replace(QStringLiteral("<!--c-->\n"),
                                                                QStringLiteral("<!--c--> \n")));
}

// Fields set on a file that has no elements for them: in the order of a file made here,
// before the unknown elements, and a category into the Groups the file has.
void TestInfo::newFieldsFindTheirPlace() {
    CFOMOD project =
        read(QStringLiteral("<fomod><Id>1</Id><Website>W</Website><Extra/><Groups/></fomod>"));
    project.sName = QStringLiteral("N");
    project.sAuthor = QStringLiteral("A");
    project.sDescription = QStringLiteral("D");
    project.sCategory = QStringLiteral("C");
    QCOMPARE(writtenText(project), QStringLiteral("<fomod> \n"
                                                  "\t<Name>N</Name> \n"
                                                  "\t<Author>A</Author> \n"
                                                  "\t<Id>1</Id> \n"
                                                  "\t<Website>W</Website> \n"
                                                  "\t<Description>D</Description> \n"
                                                  "\t<Extra/> \n"
                                                  "\t<Groups>\n"
                                                  "\t\t<element>C</element>\n"
                                                  "\t</Groups> \n"
                                                  "</fomod> \n"));
}

// Without categories the Groups goes too, as a file made here has none.
void TestInfo::clearedOnlyCategoryTakesItsGroups() {
    CFOMOD project = read(QStringLiteral(
        "<fomod><Name>N</Name><Groups><!--c--><element>C</element></Groups><Id>1</Id></fomod>"));
    QCOMPARE(project.sCategory, QStringLiteral("C"));
    project.sCategory.clear();
    QCOMPARE(writtenText(project),
             QStringLiteral("<fomod> \n\t<Name>N</Name> \n\t<Id>1</Id> \n</fomod> \n"));
}

// Nesting far deeper than any real file is kept to the limit, and whatever the reader kept
// reads back the same after a write.
void TestInfo::hostileNesting() {
    const int depth = 5000;
    const QString text = QStringLiteral("<fomod><Name>N</Name>") +
                         QStringLiteral("<a>").repeated(depth) +
                         QStringLiteral("</a>").repeated(depth) + QStringLiteral("</fomod>");
    const CFOMOD first = read(text);
    QCOMPARE(first.sName, QStringLiteral("N"));
    int levels = 0;
    for (const CInfoNode* node = &first.vInfoNodes.first(); !node->vChildren.isEmpty();
         node = &node->vChildren.last())
        ++levels;
    QCOMPARE(levels, InfoNodes::kMaxDepth);
    const CFOMOD again = read(writtenText(first));
    QVERIFY(again == first);
}

QTEST_GUILESS_MAIN(TestInfo)
#include "tst_info.moc"
