#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject {
    Q_OBJECT

private slots:
    void relativeToRoot_data();
    void relativeToRoot();
    void storedToNative_data();
    void storedToNative();
    void isDirectory();
};

void TestPaths::relativeToRoot_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<QString>("stored");

    QTest::newRow("file inside") << "C:\\Mods\\A"
                                 << "C:\\Mods\\A\\fomod\\pic.png" << true << "fomod\\pic.png";
    QTest::newRow("prefix without case")
        << "C:\\Mods\\A"
        << "c:\\mods\\a\\fomod\\pic.png" << true << "fomod\\pic.png";
    QTest::newRow("sibling folder sharing the prefix")
        << "C:\\Mods\\A"
        << "C:\\Mods\\AB\\x.png" << false << QString();
    QTest::newRow("sibling folder, other case") << "C:\\Mods\\A"
                                                << "c:\\mods\\ab\\x.png" << false << QString();
    QTest::newRow("other drive") << "C:\\Mods\\A"
                                 << "D:\\Mods\\A\\x.png" << false << QString();
    QTest::newRow("the root itself") << "C:\\Mods\\A"
                                     << "C:\\Mods\\A" << false << QString();
    QTest::newRow("the root with its separator") << "C:\\Mods\\A"
                                                 << "C:\\Mods\\A\\" << false << QString();
    QTest::newRow("drive root keeps the first character") << "C:\\"
                                                          << "C:\\x.png" << true << "x.png";
    QTest::newRow("root ending in a separator")
        << "C:\\Mods\\A\\"
        << "C:\\Mods\\A\\sub\\x.png" << true << "sub\\x.png";
    QTest::newRow("slash root") << "/"
                                << "/home/u/x.png" << true << "home\\u\\x.png";
    QTest::newRow("forward slashes stored as backslashes")
        << "/mods/a"
        << "/mods/a/fomod/p.png" << true << "fomod\\p.png";
    QTest::newRow("mixed separators") << "C:/Mods/A"
                                      << "C:\\Mods\\A\\x.png" << true << "x.png";
    QTest::newRow("non-ASCII letters keep their case")
        << QString::fromUtf8("C:\\Mods\\\u00c4") << QString::fromUtf8("C:\\Mods\\\u00e4\\x.png")
        << false << QString();
    QTest::newRow("empty root") << QString() << "C:\\x.png" << false << QString();
    QTest::newRow("shorter than the root") << "C:\\Mods\\A"
                                           << "C:\\Mo" << false << QString();
}

void TestPaths::relativeToRoot() {
    QFETCH(QString, root);
    QFETCH(QString, chosen);
    QFETCH(bool, inside);
    QFETCH(QString, stored);

    const std::optional<QString> result = Paths::relativeToRoot(root, chosen);
    QCOMPARE(result.has_value(), inside);
    if (inside)
        QCOMPARE(*result, stored);
}

void TestPaths::storedToNative_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("native");

    QTest::newRow("nested") << "/mods/a"
                            << "fomod\\pic.png"
                            << QDir::toNativeSeparators("/mods/a/fomod/pic.png");
    QTest::newRow("single name") << "/mods/a"
                                 << "x.png" << QDir::toNativeSeparators("/mods/a/x.png");
}

void TestPaths::storedToNative() {
    QFETCH(QString, root);
    QFETCH(QString, stored);
    QFETCH(QString, native);
    QCOMPARE(Paths::storedToNative(root, stored), native);
    // The round trip through the stored form gives the same path back.
    QCOMPARE(Paths::relativeToRoot(root, native).value_or(QString()), stored);
}

void TestPaths::isDirectory() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fomod")));
    QFile plain(dir.filePath(QStringLiteral("file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    QVERIFY(Paths::isDirectory(Paths::joinNative(dir.path(), QStringLiteral("\\fomod"))));
    QVERIFY(!Paths::isDirectory(Paths::joinNative(dir.path(), QStringLiteral("\\file"))));
    QVERIFY(!Paths::isDirectory(Paths::joinNative(dir.path(), QStringLiteral("\\missing"))));
    QVERIFY(!Paths::isDirectory(QString()));
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
