#include "installer/Tokenizer.h"

#include <QTest>

namespace {

struct Call {
    QString name;
    QList<QPair<QString, QString>> attributes;
    QString text;
    qsizetype stop = 0;
    bool cdata = false;
};

QString render(const Call& call) {
    QString out = QStringLiteral("<%1>").arg(call.name);
    for (const auto& [name, value] : call.attributes)
        out += QStringLiteral(" [%1|%2]").arg(name, value);
    out += QStringLiteral(" text{%1} stop=%2").arg(call.text).arg(call.stop);
    if (call.cdata)
        out += QStringLiteral(" cdata");
    return out;
}

QStringList render(const QList<Call>& calls) {
    QStringList out;
    for (const Call& call : calls)
        out << render(call);
    return out;
}

// Runs the calling protocol the readers use and records every reported tag, and with
// `comments` every comment passed over, as "position:text" with "(in text)" for those in an
// element text.
QList<Call> tokenize(const QString& input, qsizetype* end, QStringList* comments = nullptr) {
    QList<Call> calls;
    Tokenizer::AttributeList attributes;
    QString name;
    QString text;
    qint32 state = Tokenizer::Outside;
    qsizetype position = 0;
    Tokenizer::CommentList found;
    for (;;) {
        bool cdata = false;
        position = Tokenizer::ParseTag(input, position, name, text, attributes, state, &cdata,
                                       nullptr, comments ? &found : nullptr);
        if (Tokenizer::isEnd(input, position))
            break;
        if (state == Tokenizer::Complete) {
            Call call{name, {}, text, position, cdata};
            for (const Tokenizer::Attribute& pair : attributes)
                call.attributes.append({pair.sName, pair.sValue});
            calls.append(call);
        }
        state = Tokenizer::Outside;
    }
    *end = position;
    for (const Tokenizer::Comment& comment : found)
        comments->append(QStringLiteral("%1:%2%3")
                             .arg(comment.position)
                             .arg(comment.sText, comment.bInText ? "(in text)" : ""));
    return calls;
}

using Calls = QList<Call>;
using Pairs = QList<QPair<QString, QString>>;
const QPair<QString, QString> kEmptyPair{QString(), QString()};

} // namespace

Q_DECLARE_METATYPE(Calls)

class TestTokenizer : public QObject {
    Q_OBJECT

private slots:
    void parseTag_data();
    void parseTag();
    void outputsReusedAcrossCalls();
    void commentsReported_data();
    void commentsReported();
};

void TestTokenizer::parseTag_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<Calls>("expected");
    QTest::addColumn<qsizetype>("end");

    // Shapes the installer files are written in.
    QTest::newRow("opening tag, next tag on a new line")
        << QStringLiteral(
               "<group name=\"G1\" type=\"SelectAny\">\n\t\t<plugins order=\"Explicit\">")
        << Calls{{"group", {{"name", "G1"}, {"type", "SelectAny"}, kEmptyPair}, "", 37}}
        << qsizetype(63);
    QTest::newRow("element with text, then its end tag")
        << QStringLiteral("<flag name=\"A\">On</flag>")
        << Calls{{"flag", {{"name", "A"}, kEmptyPair}, "On", 17}, {"", {}, "", 23}}
        << qsizetype(24);
    QTest::newRow("self-closing tag gets no extra pair")
        << QStringLiteral("<type name=\"Optional\"/>")
        << Calls{{"type", {{"name", "Optional"}}, "", 22}} << qsizetype(23);
    QTest::newRow("names lowered, values keep their case")
        << QStringLiteral("<InstallStep Name=\"Main Options\"><")
        << Calls{{"installstep", {{"name", "Main Options"}, kEmptyPair}, "", 33}} << qsizetype(34);
    QTest::newRow("spaces around the equals sign")
        << QStringLiteral("<a b = \"1\"><") << Calls{{"a", {{"b", "1"}, kEmptyPair}, "", 11}}
        << qsizetype(12);
    QTest::newRow("space before the closing mark adds an empty pair")
        << QStringLiteral("<a ><") << Calls{{"a", {kEmptyPair}, "", 4}} << qsizetype(5);
    QTest::newRow("bare word before the closing mark")
        << QStringLiteral("<a b><") << Calls{{"a", {{"b", ""}}, "", 5}} << qsizetype(6);
    QTest::newRow("name ending at the closing mark has no pairs")
        << QStringLiteral("<a><") << Calls{{"a", {}, "", 3}} << qsizetype(4);
    QTest::newRow("empty value") << QStringLiteral("<a x=\"\" y=\"2\"><")
                                 << Calls{{"a", {{"x", ""}, {"y", "2"}, kEmptyPair}, "", 14}}
                                 << qsizetype(15);
    QTest::newRow("quoted string after a taken value is dropped")
        << QStringLiteral("<a x=\"1\" \"2\"><") << Calls{{"a", {{"x", "1"}, kEmptyPair}, "", 13}}
        << qsizetype(14);
    QTest::newRow("name ends at a slash")
        << QStringLiteral("<installStep/>") << Calls{{"installstep", {}, "", 13}} << qsizetype(14);
    QTest::newRow("leading white space dropped, the rest kept")
        << QStringLiteral("<Description>\r\n  Line1\r\nLine2\r\n</Description>")
        << Calls{{"description", {}, "Line1\r\nLine2\r\n", 31}, {"", {}, "", 44}} << qsizetype(45);
    QTest::newRow("trailing space of a text kept")
        << QStringLiteral("<Name>My Mod </Name>")
        << Calls{{"name", {}, "My Mod ", 13}, {"", {}, "", 19}} << qsizetype(20);
    QTest::newRow("markup declaration")
        << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><")
        << Calls{{"?xml", {{"version", "1.0"}, {"encoding", "UTF-16"}, {"?", ""}}, "", 39}}
        << qsizetype(40);
    QTest::newRow("unfinished tag at the end is not reported")
        << QStringLiteral("<a/><abc") << Calls{{"a", {}, "", 3}} << qsizetype(8);
    QTest::newRow("unfinished text at the end is not reported")
        << QStringLiteral("<a>xyz") << Calls{} << qsizetype(6);
    QTest::newRow("text before the first tag is skipped")
        << QStringLiteral("\xFEFF\x00EF\x00BB\x00BF junk <a><") << Calls{{"a", {}, "", 13}}
        << qsizetype(14);
    QTest::newRow("zero character is a character like any other")
        << (QStringLiteral("<b /><c>") + QChar(0) + QStringLiteral("<d") + QChar(0) +
            QStringLiteral("e><"))
        << Calls{{"b", {}, "", 4},
                 {"c", {}, QString(QChar(0)), 9},
                 {QStringLiteral("d") + QChar(0) + QStringLiteral("e"), {}, "", 14}}
        << qsizetype(15);
    QTest::newRow("other characters are plain text")
        << QStringLiteral("<p>a > b = \"c\" / d<") << Calls{{"p", {}, "a > b = \"c\" / d", 18}}
        << qsizetype(19);

    // Values are taken whole between their marks.
    QTest::newRow("slash inside a value")
        << QStringLiteral("<image path=\"a/b.png\" />")
        << Calls{{"image", {{"path", "a/b.png"}}, "", 23}} << qsizetype(24);
    QTest::newRow("equals sign inside a value")
        << QStringLiteral("<plugin name=\"a=b\"><")
        << Calls{{"plugin", {{"name", "a=b"}, kEmptyPair}, "", 19}} << qsizetype(20);
    QTest::newRow("angle brackets inside a value")
        << QStringLiteral("<plugin name=\"a>b<c\">text<")
        << Calls{{"plugin", {{"name", "a>b<c"}, kEmptyPair}, "text", 25}} << qsizetype(26);
    QTest::newRow("apostrophes enclose a value")
        << QStringLiteral("<a x='1' y='two words'><")
        << Calls{{"a", {{"x", "1"}, {"y", "two words"}, kEmptyPair}, "", 23}} << qsizetype(24);
    QTest::newRow("the other mark is an ordinary character")
        << QStringLiteral("<p name=\"Bob's\" alt='say \"hi\"'/>")
        << Calls{{"p", {{"name", "Bob's"}, {"alt", "say \"hi\""}}, "", 31}} << qsizetype(32);
    QTest::newRow("value left open runs to the end")
        << QStringLiteral("<a x=\"1><b>") << Calls{} << qsizetype(11);

    // The tag name ends at any white space.
    QTest::newRow("attributes on the following lines")
        << QStringLiteral("<plugin\r\n\tname=\"P\"\n\ttype=\"T\"><")
        << Calls{{"plugin", {{"name", "P"}, {"type", "T"}, kEmptyPair}, "", 29}} << qsizetype(30);
    QTest::newRow("line feed right after the name")
        << QStringLiteral("<fileDependency\nfile=\"a.esp\"\nstate=\"Active\"/>")
        << Calls{{"filedependency", {{"file", "a.esp"}, {"state", "Active"}}, "", 44}}
        << qsizetype(45);

    // Comments are skipped whole.
    QTest::newRow("comment between tags") << QStringLiteral("<!-- <x a=\"1\"> / -- --><b c=\"1\"/>")
                                          << Calls{{"b", {{"c", "1"}}, "", 32}} << qsizetype(33);
    QTest::newRow("comment inside element text") << QStringLiteral("<d>ab<!-- x<y/> -->cd<")
                                                 << Calls{{"d", {}, "abcd", 21}} << qsizetype(22);
    QTest::newRow("comment before the first text character")
        << QStringLiteral("<d> <!--c--> \n x<") << Calls{{"d", {}, "x", 16}} << qsizetype(17);
    QTest::newRow("unterminated comment ends the text")
        << QStringLiteral("<a/><!-- <b/>") << Calls{{"a", {}, "", 3}} << qsizetype(13);

    // Character data is literal inside element text and skipped elsewhere.
    QTest::newRow("character data in element text")
        << QStringLiteral("<d> <![CDATA[ <b>&amp;</b> ]]> tail<")
        << Calls{{"d", {}, "<b>&amp;</b>  tail", 35, true}} << qsizetype(36);
    QTest::newRow("character data keeps white space after the first character")
        << QStringLiteral("<d><![CDATA[\n\t]]><![CDATA[\r\n x\n]]>\n<")
        << Calls{{"d", {}, "x\n\n", 35, true}} << qsizetype(36);
    QTest::newRow("character data after plain text")
        << QStringLiteral("<d>a<![CDATA[<]]>b</d>")
        << Calls{{"d", {}, "a<b", 18, true}, {"", {}, "", 21}} << qsizetype(22);
    QTest::newRow("character data between tags is skipped")
        << QStringLiteral("</a><![CDATA[<x y=\"1\">]]><b />")
        << Calls{{"", {}, "", 3}, {"b", {}, "", 29}} << qsizetype(30);
    QTest::newRow("unterminated character data ends the text")
        << QStringLiteral("<d><![CDATA[abc<e>") << Calls{} << qsizetype(18);
}

void TestTokenizer::parseTag() {
    QFETCH(QString, input);
    QFETCH(Calls, expected);
    QFETCH(qsizetype, end);

    qsizetype actualEnd = -1;
    const Calls actual = tokenize(input, &actualEnd);
    QCOMPARE(render(actual), render(expected));
    QCOMPARE(actualEnd, end);
}

// The readers keep the same outputs for a whole file: nothing of an earlier tag may show
// through in a later one, also when the earlier texts are still held elsewhere.
void TestTokenizer::outputsReusedAcrossCalls() {
    const QString input = QStringLiteral("<first a=\"long value\" b=\"x\">long text<s c=\"v\">t<");
    Tokenizer::AttributeList attributes;
    QString name;
    QString text;
    qint32 state = Tokenizer::Outside;

    qsizetype position = Tokenizer::ParseTag(input, 0, name, text, attributes, state);
    QCOMPARE(state, qint32(Tokenizer::Complete));
    const QString heldValue = attributes[0].sValue;
    const QString heldText = text;

    state = Tokenizer::Outside;
    position = Tokenizer::ParseTag(input, position, name, text, attributes, state);
    QCOMPARE(state, qint32(Tokenizer::Complete));
    QCOMPARE(position, input.size() - 1);
    QCOMPARE(name, QStringLiteral("s"));
    QCOMPARE(attributes.size(), 2);
    QCOMPARE(attributes[0].sName, QStringLiteral("c"));
    QCOMPARE(attributes[0].sValue, QStringLiteral("v"));
    QCOMPARE(attributes[1].sName, QString());
    QCOMPARE(attributes[1].sValue, QString());
    QCOMPARE(text, QStringLiteral("t"));
    QCOMPARE(heldValue, QStringLiteral("long value"));
    QCOMPARE(heldText, QStringLiteral("long text"));
}

// Asked for, the comments passed over are reported; the tags stay those of a call without.
void TestTokenizer::commentsReported_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("comments");

    QTest::newRow("before a tag, and in the text after one")
        << QStringLiteral("<!--a--><b> <!-- c --> <d/>") << QStringList{"0:a", "12: c (in text)"};
    QTest::newRow("inside a text")
        << QStringLiteral("<t>x<!--y-->z</t><") << QStringList{"4:y(in text)"};
    QTest::newRow("markup inside a comment is its text")
        << QStringLiteral("<a><!--<b x=\"1\"/>--></a>") << QStringList{"3:<b x=\"1\"/>(in text)"};
    QTest::newRow("empty comment, and one after the last tag")
        << QStringLiteral("<a/><!----><!--end-->") << QStringList{"4:", "11:end"};
    QTest::newRow("character data is no comment")
        << QStringLiteral("<a><![CDATA[<!--x-->]]></a>") << QStringList{};
    QTest::newRow("a comment left open is not reported")
        << QStringLiteral("<a/><!--open") << QStringList{};
}

void TestTokenizer::commentsReported() {
    QFETCH(QString, input);
    QFETCH(QStringList, comments);
    qsizetype plainEnd = -1;
    const Calls plain = tokenize(input, &plainEnd);
    qsizetype end = -1;
    QStringList found;
    const Calls withComments = tokenize(input, &end, &found);
    QCOMPARE(found, comments);
    QCOMPARE(render(withComments), render(plain));
    QCOMPARE(end, plainEnd);
}

QTEST_GUILESS_MAIN(TestTokenizer)
#include "tst_tokenizer.moc"
