#include "installer/Escaping.h"

#include <QTest>

class TestEscaping : public QObject {
    Q_OBJECT

private slots:
    void normalisation_data();
    void normalisation();
    void escaping_data();
    void escaping();
    void unwritableCharacters_data();
    void unwritableCharacters();
    void decoding_data();
    void decoding();
};

void TestEscaping::normalisation_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("mod");
    QTest::addColumn<QString>("pluginRN");
    QTest::addColumn<QString>("pluginPlain");

    auto same = [](const char* name, const QString& memo, const QString& result) {
        QTest::newRow(name) << memo << result << result << result;
    };
    same("typed specials", "a < b & c > d", "a &#60; b &#38; c &#62; d");
    same("already written", "a &#60; b &#38; c", "a &#60; b &#38; c");
    same("escaped twice", "&#38;#60;", "&#60;");
    same("ampersand reference nested", "&#38;#38;#38;", "&#38;");
    same("named references kept", "&amp; &lt;b&gt; &quot;&apos;", "&amp; &lt;b&gt; &quot;&apos;");
    same("unknown or misspelt names", "&nbsp; &AMP; &amp", "&#38;nbsp; &#38;AMP; &#38;amp");
    same("decimal references kept", "&#39;&#169;&#0065;", "&#39;&#169;&#0065;");
    same("hexadecimal references kept", "&#x41;&#x1F600;&#xe9;", "&#x41;&#x1F600;&#xe9;");
    same("capital X is no reference", "&#X41;", "&#38;#X41;");
    same("digits not closed", "&#12x", "&#38;#12x");
    same("digits to the end", "end &#12", "end &#38;#12");
    same("lone ampersand at end", "fish &", "fish &#38;");
    // References that no parser accepts would make the file unreadable.
    same("reference without digits", "&#; &#x;", "&#38;#; &#38;#x;");
    same("reference to an illegal character", "&#0; &#1; &#xD800; &#xFFFE;",
         "&#38;#0; &#38;#1; &#38;#xD800; &#38;#xFFFE;");
    same("reference beyond unicode", "&#1114112; &#99999999999999999999;",
         "&#38;#1114112; &#38;#99999999999999999999;");
    same("quotes and non-ASCII untouched", "\"q\" 'a' \u00e9\u00fc", "\"q\" 'a' \u00e9\u00fc");
    same("empty", "", "");

    QTest::newRow("line break") << "A\r\nB"
                                << "A\r\nB"
                                << "A&#13;&#10;\nB"
                                << "A\r\nB";
    QTest::newRow("line break shown again") << "A&#13;&#10;\r\nB"
                                            << "A&#13;&#10;\r\nB"
                                            << "A&#13;&#10;\nB"
                                            << "A&#13;&#10;\r\nB";
    QTest::newRow("nested line-break references") << "&#13;&#13;&#10;&#10;\r\n"
                                                  << "&#13;&#13;&#10;&#10;\r\n"
                                                  << "&#13;&#10;\n"
                                                  << "&#13;&#13;&#10;&#10;\r\n";
    QTest::newRow("bare line feed and carriage return") << "a\nb\rc"
                                                        << "a\nb\rc"
                                                        << "a\nb\rc"
                                                        << "a\nb\rc";
}

void TestEscaping::normalisation() {
    QFETCH(QString, memo);
    QFETCH(QString, mod);
    QFETCH(QString, pluginRN);
    QFETCH(QString, pluginPlain);

    QCOMPARE(Escaping::normaliseModDescription(memo), mod);
    QCOMPARE(Escaping::normalisePluginDescription(memo, true), pluginRN);
    QCOMPARE(Escaping::normalisePluginDescription(memo, false), pluginPlain);

    // A written text goes through again unchanged (the writer relies on it).
    QCOMPARE(Escaping::normaliseModDescription(mod), mod);
    QCOMPARE(Escaping::normalisePluginDescription(pluginPlain, false), pluginPlain);
    // The memo shows a stored line feed as a line break.
    QString shown = pluginRN;
    shown.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (!pluginRN.contains(u'\r'))
        QCOMPARE(Escaping::normalisePluginDescription(shown, true), pluginRN);
}

void TestEscaping::escaping_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("attribute");

    QTest::newRow("plain") << "Main files"
                           << "Main files"
                           << "Main files";
    QTest::newRow("ampersand") << "A&B"
                               << "A&#38;B"
                               << "A&#38;B";
    QTest::newRow("angle brackets") << "<b>"
                                    << "&#60;b&#62;"
                                    << "&#60;b&#62;";
    QTest::newRow("quotation marks") << "say \"hi\""
                                     << "say \"hi\""
                                     << "say &#34;hi&#34;";
    QTest::newRow("apostrophe") << "it's"
                                << "it's"
                                << "it's";
    QTest::newRow("reference stays literal") << "&#38;"
                                             << "&#38;#38;"
                                             << "&#38;#38;";
    QTest::newRow("non-ASCII") << "\u00e9\U0001F600"
                               << "\u00e9\U0001F600"
                               << "\u00e9\U0001F600";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestEscaping::escaping() {
    QFETCH(QString, plain);
    QFETCH(QString, text);
    QFETCH(QString, attribute);

    QCOMPARE(Escaping::escapeText(plain), text);
    QCOMPARE(Escaping::escapeAttribute(plain), attribute);
    QCOMPARE(Escaping::decodeReferences(text), plain);
    QCOMPARE(Escaping::decodeReferences(attribute), plain);
}

// What no well-formed file may hold, not even as a reference, is written as U+FFFD.
void TestEscaping::unwritableCharacters_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("written");

    const QString r(QChar(0xFFFD));
    QTest::newRow("controls") << QStringLiteral("a\x01"
                                                "b\x0B\x1F")
                              << "a" + r + "b" + r + r;
    QTest::newRow("tab and line breaks kept") << "\t\r\n"
                                              << "\t\r\n";
    QTest::newRow("surrogate pair kept") << "\U0001F600"
                                         << "\U0001F600";
    QTest::newRow("unpaired surrogates")
        << QString(QChar(0xD83D)) + "x" + QChar(0xDE00) + QChar(0xD83D) << r + "x" + r + r;
    QTest::newRow("non-characters")
        << QString(QChar(0xFFFE)) + QChar(0xFFFF) + "&" << r + r + "&#38;";
}

void TestEscaping::unwritableCharacters() {
    QFETCH(QString, plain);
    QFETCH(QString, written);
    QCOMPARE(Escaping::escapeText(plain), written);
    QCOMPARE(Escaping::escapeAttribute(plain), written);
}

void TestEscaping::decoding_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("plain");

    QTest::newRow("decimal") << "a&#38;b&#60;&#62;&#34;"
                             << "a&b<>\"";
    QTest::newRow("hexadecimal") << "&#x26;&#x3C;&#x3e;"
                                 << "&<>";
    QTest::newRow("named") << "&amp;&lt;&gt;&quot;&apos;"
                           << "&<>\"'";
    QTest::newRow("beyond the basic plane") << "&#x1F600;&#128512;"
                                            << "\U0001F600\U0001F600";
    QTest::newRow("decoded once") << "&#38;#38; &amp;amp;"
                                  << "&#38; &amp;";
    QTest::newRow("lone ampersand") << "Salt & Pepper &"
                                    << "Salt & Pepper &";
    QTest::newRow("unknown name") << "&nbsp;&AMP;"
                                  << "&nbsp;&AMP;";
    QTest::newRow("not closed") << "&#65 &amp"
                                << "&#65 &amp";
    QTest::newRow("no digits") << "&#;&#x;"
                               << "&#;&#x;";
    QTest::newRow("capital X") << "&#X41;"
                               << "&#X41;";
    QTest::newRow("illegal character") << "&#0;&#xD800;"
                                       << "&#0;&#xD800;";
    QTest::newRow("out of range") << "&#1114112;&#99999999999999999999;"
                                  << "&#1114112;&#99999999999999999999;";
    QTest::newRow("empty") << ""
                           << "";
}

void TestEscaping::decoding() {
    QFETCH(QString, written);
    QFETCH(QString, plain);
    QCOMPARE(Escaping::decodeReferences(written), plain);
}

QTEST_GUILESS_MAIN(TestEscaping)
#include "tst_escaping.moc"
