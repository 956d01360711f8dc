// A configuration file read piece by piece as it is parsed must give exactly what the whole
// text gives: the same project, the same success or error, the same zero lines, wherever the
// edges of the pieces fall.
#include "installer/EncodedText.h"
#include "installer/Encoding.h"
#include "installer/Reader.h"
#include "installer/Utf16Window.h"
#include "installer/Writer.h"

#include <QBuffer>
#include <QDir>
#include <QTest>

#include <algorithm>

namespace {

struct Reading {
    bool ok = false;
    QString error;
    InstallerReader::ZeroLines zeroLines;
    CFOMOD project;
};

Reading readWhole(const QByteArray& bytes) {
    Reading r;
    r.ok = InstallerReader::readConfigText(Encoding::decodeInstallerBytes(bytes), r.project,
                                           &r.error, &r.zeroLines);
    return r;
}

Reading readInPieces(const QByteArray& bytes, qsizetype pieceUnits) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Reading r;
    r.ok = InstallerReader::readConfigDevice(buffer, r.project, &r.error, &r.zeroLines, pieceUnits);
    return r;
}

// The same text as unmarked UTF-16 (the mark of a marked encoding taken off).
QByteArray unmarked(const QString& text, const QString& encoding) {
    return encodedText(text, encoding).sliced(2);
}

// Where the edges of pieces are likely to matter: tags, comments and character data, in
// element texts and between elements, a priority that stops the reading, zero characters.
const char kEdges[] =
    "<config><moduleName>A<![CDATA[ <b> & ]]>B<!-- c<d -->C</moduleName>\n"
    "<requiredInstallFiles><file source=\"r\" destination=\"d\" priority=\"-3\"/>"
    "<folder source='f' destination=\"\"/></requiredInstallFiles>\r\n"
    "<installSteps order=\"Explicit\"><installStep name=\"S&amp;1\"/>"
    "<!-- <installStep name=\"hidden\"/> -->"
    "<installStep name='T'><optionalFileGroups><group name=\"G\" type=\"SelectAny\"><plugins>"
    "<plugin name=\"P\"><description><![CDATA[x]]>y<!--z--></description>"
    "<image path=\"i.png\"/><conditionFlags><flag name=\"F\">On</flag></conditionFlags>"
    "</plugin></plugins></group></optionalFileGroups></installStep>"
    "<![CDATA[<installStep name=\"cdata\"/>]]><installStep/>"
    "</installSteps></config>";

} // namespace

class TestReadInPieces : public QObject {
    Q_OBJECT

private slots:
    void sameAsWhole_data();
    void sameAsWhole();
    void corpusSameAsWhole_data();
    void corpusSameAsWhole();
    void fileGrowingPastTheLimit();
};

void TestReadInPieces::sameAsWhole_data() {
    QTest::addColumn<QByteArray>("bytes");

    const QString edges = QString::fromLatin1(kEdges);
    QString zeros = edges;
    for (const qsizetype at : {qsizetype(0), qsizetype(25), qsizetype(70), zeros.size() - 1})
        zeros[at] = QChar(0);
    const QString stops = QStringLiteral(
        "<requiredInstallFiles><file source=\"a\"/><file source=\"b\" priority=\"x\"/>"
        "<file source=\"c\"/></requiredInstallFiles>");
    const QString unfinished = QStringLiteral("<installSteps><installStep name=\"A\"/>"
                                              "<!-- not closed <installStep name=\"B\"/>");
    const QString openValue = QStringLiteral("<installSteps><installStep name=\"A\"/>"
                                             "<installStep name=\"B");
    const QString longValue = QStringLiteral("<installSteps><installStep name=\"") +
                              QString(3000, u'v') + QStringLiteral("\"/><installStep name=\"B\"/>");
    const QByteArray written = InstallerWriter::configFileBytes(
        CFOMOD(), QStringLiteral("1.0.0.0"), QStringLiteral("https://example.org"));

    const struct {
        const char* name;
        QString text;
    } texts[] = {{"edges", edges},
                 {"zeros", zeros},
                 {"priority stops", stops},
                 {"comment not closed", unfinished},
                 {"value not closed", openValue},
                 {"value longer than pieces", longValue}};
    for (const auto& t : texts) {
        for (const char* encoding : {"UTF-16 LE", "UTF-16 BE"})
            QTest::addRow("%s, %s", t.name, encoding) << encodedText(t.text, encoding);
    }
    QTest::newRow("edges, unmarked LE") << unmarked(edges, QStringLiteral("UTF-16 LE"));
    QTest::newRow("edges, unmarked BE") << unmarked(edges, QStringLiteral("UTF-16 BE"));
    QTest::newRow("edges, odd last byte")
        << encodedText(edges, QStringLiteral("UTF-16 LE")) + QByteArray("<");
    QTest::newRow("written by the writer") << written;
    // Not UTF-16: read whole, through the same device.
    QTest::newRow("edges, UTF-8") << edges.toUtf8();
    QTest::newRow("zeros, UTF-8") << zeros.toUtf8();
    QTest::newRow("Latin-1") << QByteArray("<installStep name=\"\xE9\xFF\"/>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("the mark alone") << QByteArray("\xFF\xFE");
    QTest::newRow("one byte") << QByteArray("\xFF");
    // Inputs the fuzzer found.
    const QDir found(QStringLiteral(QUARVEL_TEST_DATA "/fuzz/reader"));
    for (const QString& name : found.entryList(QDir::Files, QDir::Name)) {
        QFile file(found.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << file.readAll();
    }
}

void TestReadInPieces::sameAsWhole() {
    QFETCH(QByteArray, bytes);
    const Reading whole = readWhole(bytes);
    for (const qsizetype piece : {1, 2, 3, 5, 8, 13, 64, 1 << 18}) {
        const Reading pieces = readInPieces(bytes, piece);
        QCOMPARE(pieces.ok, whole.ok);
        QCOMPARE(pieces.error, whole.error);
        // A reading that stops early reads no further than it has to.
        if (whole.ok)
            QCOMPARE(pieces.zeroLines, whole.zeroLines);
        else
            QCOMPARE(pieces.zeroLines,
                     whole.zeroLines.first(qMin(pieces.zeroLines.size(), whole.zeroLines.size())));
        QVERIFY2(pieces.project == whole.project, qPrintable(QString::number(piece)));
    }
}

void TestReadInPieces::corpusSameAsWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QDir corpus(QStringLiteral(QUARVEL_SHARED_DIR "/corpus"));
    if (!corpus.exists())
        QSKIP("no corpus of real installers next to the project");
    for (const QString& root : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QFile file(corpus.filePath(root + QStringLiteral("/fomod/ModuleConfig.xml")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // Most real files are UTF-8; as UTF-16 they are read in pieces.
        const QString text = Encoding::decodeInstallerBytes(file.readAll());
        QTest::newRow(qPrintable(root)) << encodedText(text, QStringLiteral("UTF-16 LE"));
    }
}

void TestReadInPieces::corpusSameAsWhole() {
    QFETCH(QByteArray, bytes);
    const Reading whole = readWhole(bytes);
    QVERIFY(!(whole.project == CFOMOD())); // the comparison below compares something
    for (const qsizetype piece : {7, 4096}) {
        const Reading pieces = readInPieces(bytes, piece);
        QCOMPARE(pieces.ok, whole.ok);
        QCOMPARE(pieces.error, whole.error);
        QVERIFY(pieces.project == whole.project);
    }
}

// A file that grows while it is read is refused once it passes the limit.
void TestReadInPieces::fileGrowingPastTheLimit() {
    QBuffer buffer;
    buffer.setData(encodedText(QString(40, u'x'), QStringLiteral("UTF-16 LE")));
    buffer.open(QIODevice::ReadOnly);
    const QByteArray head = buffer.read(2);
    Utf16Window window(buffer, head, false, 0, 64, nullptr, 8);
    QString error;
    while (!window.atEnd() && window.slide(0, &error)) {
    }
    QCOMPARE(error, QStringLiteral("is too large"));
}

QTEST_GUILESS_MAIN(TestReadInPieces)
#include "tst_read_in_pieces.moc"
