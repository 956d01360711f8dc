#include "FileHelpers.h"
#include "HostilePaths.h"
#include "platform/BoundedFile.h"

#include <QTemporaryDir>
#include <QTest>

class TestBoundedFile : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatItMustNotRead_data() { HostilePaths::addRows(); }
    void refusesWhatItMustNotRead();
    void readsUpToTheLimit_data();
    void readsUpToTheLimit();
};

// Each fails at once with its reason: a FIFO without a writer would block a plain open().
void TestBoundedFile::refusesWhatItMustNotRead() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    HOSTILE_PATH(path, dir.path());

    QByteArray bytes("left over");
    QString error;
    QVERIFY(!BoundedFile::read(path, bytes, &error));
    QVERIFY2(error.startsWith(reason), qPrintable(error));
    QVERIFY(bytes.isEmpty());
}

void TestBoundedFile::readsUpToTheLimit_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("one byte") << QByteArray("x") << true;
    QTest::newRow("zero bytes inside") << QByteArray("a\0b\0", 4) << true;
    QTest::newRow("exactly the limit") << QByteArray(16, 'a') << true;
    QTest::newRow("one byte over the limit") << QByteArray(17, 'a') << false;
}

void TestBoundedFile::readsUpToTheLimit() {
    QFETCH(QByteArray, content);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("file.bin"));
    QVERIFY(FileHelpers::writeFile(path, content));

    QByteArray bytes;
    QString error;
    QCOMPARE(BoundedFile::read(path, bytes, &error, 16), accepted);
    QCOMPARE(bytes, accepted ? content : QByteArray());
    QCOMPARE(error, accepted ? QString() : QStringLiteral("is too large"));
}

QTEST_GUILESS_MAIN(TestBoundedFile)
#include "tst_boundedfile.moc"
