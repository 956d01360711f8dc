#include "installer/Encoding.h"

#include <QTest>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values)
        out.append(char(v));
    return out;
}

QString units(std::initializer_list<char16_t> values) {
    QString out;
    for (const char16_t v : values)
        out.append(QChar(v));
    return out;
}

} // namespace

class TestEncoding : public QObject {
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
    void encoding_data();
    void encoding();
};

void TestEncoding::decoding_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-16 LE keeps its mark")
        << bytes({0xFF, 0xFE, '<', 0, 'a', 0, '>', 0}) << units({0xFEFF, '<', 'a', '>'});
    QTest::newRow("UTF-16 LE odd size") << bytes({0xFF, 0xFE, '<', 0, 'a'}) << units({0xFEFF, '<'});
    QTest::newRow("UTF-16 LE surrogates as they are")
        << bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8})
        << units({0xFEFF, 0xD83D, 0xDE00, 0xD800});
    QTest::newRow("UTF-16 BE") << bytes({0xFE, 0xFF, 0, '<', 0, 0xE9, 0, '>'})
                               << units({'<', 0xE9, '>'});
    QTest::newRow("UTF-8 with mark")
        << bytes({0xEF, 0xBB, 0xBF, '<', 0xC3, 0xA9, '>'}) << units({'<', 0xE9, '>'});
    QTest::newRow("UTF-8 without mark")
        << bytes({'<', 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, '>'})
        << units({'<', 0xE9, 0x20AC, 0xD83D, 0xDE00, '>'});
    QTest::newRow("ASCII of odd size") << QByteArray("<a>") << QStringLiteral("<a>");
    QTest::newRow("UTF-16 LE without mark")
        << bytes({'<', 0, 0xE9, 0, '>', 0}) << units({'<', 0xE9, '>'});
    QTest::newRow("UTF-16 BE without mark")
        << bytes({0, '<', 0, 0xE9, 0, '>'}) << units({'<', 0xE9, '>'});
    QTest::newRow("Latin-1") << bytes({'<', 0xE9, '>', 'x'}) << units({'<', 0xE9, '>', 'x'});
    QTest::newRow("Latin-1 odd size") << bytes({'<', 0xE9, '>'}) << units({'<', 0xE9});
    QTest::newRow("overlong UTF-8 is Latin-1") << bytes({0xC0, 0xAF}) << units({0xC0, 0xAF});
    QTest::newRow("UTF-8 of a surrogate is Latin-1")
        << bytes({0xED, 0xA0, 0x80, 'x'}) << units({0xED, 0xA0, 0x80, 'x'});
    QTest::newRow("cut UTF-8 sequence is Latin-1") << bytes({'<', 0xC3}) << units({'<', 0xC3});
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("one byte, not UTF-8") << bytes({0xE9}) << QString();
    QTest::newRow("one byte ASCII") << QByteArray("<") << QStringLiteral("<");
    QTest::newRow("mark alone") << bytes({0xFF, 0xFE}) << units({0xFEFF});
}

void TestEncoding::decoding() {
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    const QString decoded = Encoding::decodeInstallerBytes(file);
    QCOMPARE(decoded.size(), text.size());
    QCOMPARE(decoded, text);
}

void TestEncoding::encoding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("line feeds stay single")
        << QStringLiteral("a \n\tb\r\n")
        << bytes({'a', 0, ' ', 0, '\n', 0, '\t', 0, 'b', 0, '\r', 0, '\n', 0});
    QTest::newRow("non-ASCII and surrogate pairs")
        << units({0xE9, 0x20AC, 0xD83D, 0xDE00})
        << bytes({0xE9, 0x00, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE});
    QTest::newRow("unpaired surrogate passed through")
        << units({0xDC00, 'x'}) << bytes({0x00, 0xDC, 'x', 0});
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestEncoding::encoding() {
    QFETCH(QString, text);
    QFETCH(QByteArray, file);
    QCOMPARE(Encoding::encodeUtf16LE(text), file);
    // Reading the mark and the units back gives the text after the mark.
    QCOMPARE(Encoding::decodeInstallerBytes(Encoding::utf16LEMark() + file),
             QString(QChar(0xFEFF)) + text);
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
