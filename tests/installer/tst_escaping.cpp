#include "installer/Escaping.h"

#include <QTest>

#include <algorithm>

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
    void descriptionShownAsTyped_data();
    void descriptionShownAsTyped();
    void descriptionShownAsTypedForAllShortTexts();
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

// A memo shows the stored description decoded; showing what was stored for a typed text gives
// that text back, and storing what is shown changes nothing.
void TestEscaping::descriptionShownAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("replaceRN");
    QTest::addColumn<QString>("shown");

    auto both = [](const char* name, const QString& typed, const QString& shown) {
        QTest::newRow(qPrintable(QString::fromLatin1(name) + ", plain")) << typed << false << shown;
        QTest::newRow(qPrintable(QString::fromLatin1(name) + ", RN")) << typed << true << shown;
    };
    both("markup characters", "Light armor & gloves <lightweight>",
         "Light armor & gloves <lightweight>");
    both("lines and tabs", "a\tb\r\n\r\n\tc\r\n", "a\tb\r\n\r\n\tc\r\n");
    both("other references as typed", "&#169; &#x26; &#038; &#39;", "&#169; &#x26; &#038; &#39;");
    both("named reference as typed", "&amp; &lt;", "&amp; &lt;");
    both("broken references", "&#12x &; && &#; &#0; &#12", "&#12x &; && &#; &#0; &#12");
    both("ampersand before a character reference", "&#3<8; &&#60", "&#3<8; &&#60");
    both("line-break references apart", "&#13;\r\n&#10;", "&#13;\r\n&#10;");
    both("non-ASCII and quotes", "\"\u00e9\" '\U0001F600'", "\"\u00e9\" '\U0001F600'");
    both("empty", "", "");
    // The references the normalisation writes are stored exactly like the characters they
    // stand for: typed literally, they come back as those characters.
    both("written references", "&#38; &#60;b&#62;", "& <b>");
    both("nested written reference", "&#38;amp; &#38;#60;", "&amp; <");

    QTest::newRow("line-break references, plain")
        << "A&#13;&#10;\r\nB" << false << "A&#13;&#10;\r\nB";
    QTest::newRow("line-break references, RN") << "A&#13;&#10;\r\nB" << true << "A\r\nB";
    // bReplaceRN drops a reference pair that no line break follows.
    QTest::newRow("line-break references inline, plain")
        << "a&#13;&#10;b" << false << "a&#13;&#10;b";
    QTest::newRow("line-break references inline, RN") << "a&#13;&#10;b" << true << "ab";
}

void TestEscaping::descriptionShownAsTyped() {
    QFETCH(QString, typed);
    QFETCH(bool, replaceRN);
    QFETCH(QString, shown);

    const QString stored = Escaping::normalisePluginDescription(typed, replaceRN);
    QCOMPARE(Escaping::pluginDescriptionForMemo(stored, replaceRN), shown);
    QCOMPARE(Escaping::normalisePluginDescription(shown, replaceRN), stored);
    if (!replaceRN) {
        const QString modStored = Escaping::normaliseModDescription(typed);
        QCOMPARE(Escaping::modDescriptionForMemo(modStored), shown);
        QCOMPARE(Escaping::normaliseModDescription(shown), modStored);
    }
}

// Every text of up to four pieces from those that make references: each comes back as typed
// unless it holds a reference the normalisation writes; all come back stable.
void TestEscaping::descriptionShownAsTypedForAllShortTexts() {
    const QStringList pieces = {"&", "#", "1",    "3", "6",     "8",     "0",     ";",
                                "<", ">", "\r\n", "x", "&#38;", "&#13;", "&#10;", "&#13;&#10;"};
    QStringList texts{QString()};
    QStringList level{QString()};
    for (int length = 1; length <= 4; ++length) {
        QStringList longer;
        for (const QString& text : level)
            for (const QString& piece : pieces)
                longer.append(text + piece);
        texts += longer;
        level = longer;
    }
    for (const bool replaceRN : {false, true}) {
        QStringList written = {"&#38;", "&#60;", "&#62;"};
        if (replaceRN)
            written.append("&#13;&#10;");
        for (const QString& typed : texts) {
            const QString stored = Escaping::normalisePluginDescription(typed, replaceRN);
            const QString shown = Escaping::pluginDescriptionForMemo(stored, replaceRN);
            const bool lossy = std::any_of(written.cbegin(), written.cend(),
                                           [&](const QString& w) { return typed.contains(w); });
            if (!lossy && shown != typed)
                QFAIL(qPrintable(QStringLiteral("\"%1\" shown as \"%2\" (RN %3)")
                                     .arg(typed, shown)
                                     .arg(replaceRN)));
            if (Escaping::normalisePluginDescription(shown, replaceRN) != stored)
                QFAIL(qPrintable(
                    QStringLiteral("\"%1\" not stable (RN %2)").arg(typed).arg(replaceRN)));
        }
    }
}

QTEST_GUILESS_MAIN(TestEscaping)
#include "tst_escaping.moc"
