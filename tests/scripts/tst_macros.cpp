#include "model/Fomod.h"
#include "scripts/Macros.h"
#include "settings/Settings.h"

#include <QTest>

namespace {

Macros::Context fixedContext() {
    Macros::Context c;
    c.sModName = "X";
    c.sModAuthor = "Ann";
    c.sModVersion = "1.0";
    c.sModRoot = "D:\\Mods\\A";
    c.clock = [] { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)); };
    // Reports the seed, so the rows show which seconds were used and that 32767 wraps to 0.
    c.random = [](qint64 seconds) { return int(seconds % 100000); };
    return c;
}

} // namespace

class TestMacros : public QObject {
    Q_OBJECT

private slots:
    void expandScript_data();
    void expandScript();
    void lineBreaksInValuesBecomeSpaces();
    void randomIsSeededByTheSecond();
    void projectFieldsFillTheContext();
};

void TestMacros::expandScript_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("batch");

    const qint64 seed = QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)).toSecsSinceEpoch();
    const QByteArray random = QByteArray::number(int(seed % 100000) % 32767);

    QTest::newRow("root directory")
        << QByteArray("cd $MODROOT$\r\n") << QByteArray("cd D:\\Mods\\A\r\n\r\n");
    QTest::newRow("name and version") << QByteArray("rar a \"$MODNAME$_$MODVERSION$.rar\"")
                                      << QByteArray("rar a \"X_1.0.rar\"\r\n");
    QTest::newRow("author") << QByteArray("echo $MODAUTHOR$") << QByteArray("echo Ann\r\n");
    QTest::newRow("macros are case-sensitive")
        << QByteArray("$modname$") << QByteArray("modname\r\n");
    QTest::newRow("lone dollar dropped") << QByteArray("price $5") << QByteArray("price 5\r\n");
    QTest::newRow("dollar before a macro") << QByteArray("$$MODNAME$") << QByteArray("X\r\n");
    QTest::newRow("dropped dollar does not hide a later macro")
        << QByteArray("a$b $MODNAME$") << QByteArray("ab X\r\n");
    QTest::newRow("unclosed dollar at the line end")
        << QByteArray("cost$\r\nnext\r\n") << QByteArray("cost\r\n\r\nnext\r\n\r\n");
    QTest::newRow("date") << QByteArray("$DATE$") << QByteArray("07-03-2024\r\n");
    QTest::newRow("time") << QByteArray("$TIME$") << QByteArray("09-05-03\r\n");
    QTest::newRow("random twice in one second")
        << QByteArray("$RANDOM$ $RANDOM$") << random + " " + random + "\r\n";
    QTest::newRow("bare line feeds") << QByteArray("a\nb\n") << QByteArray("a\r\n\r\nb\r\n\r\n");
    QTest::newRow("long line expanded whole")
        << QByteArray(3000, 'x') + "$MODNAME$" << QByteArray(3000, 'x') + "X\r\n";
    QTest::newRow("non-ASCII bytes pass unchanged")
        << QByteArray("echo \xE9\xFF $MODNAME$") << QByteArray("echo \xE9\xFF X\r\n");
    QTest::newRow("empty script") << QByteArray() << QByteArray();
}

void TestMacros::expandScript() {
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, batch);
    QCOMPARE(Macros::expandScript(script, fixedContext(), "\r\n"), batch);
}

void TestMacros::lineBreaksInValuesBecomeSpaces() {
    Macros::Context c = fixedContext();
    c.sModName = "Evil\r\ndel /q *\nrest";
    QCOMPARE(Macros::expandScript("echo $MODNAME$\r\n", c, "\n"),
             QByteArray("echo Evil  del /q * rest\n\n"));
}

void TestMacros::randomIsSeededByTheSecond() {
    // The default generator is the C runtime's: srand(1); rand() gives 41, srand(0) gives 38.
    QCOMPARE(Macros::Context::seededRandom(1), 41);
    QCOMPARE(Macros::Context::seededRandom(0), 38);
    Macros::Context c = fixedContext();
    c.random = [](qint64) { return 32767; };
    QCOMPARE(Macros::expandLine("$RANDOM$", c), QByteArray("0"));
}

void TestMacros::projectFieldsFillTheContext() {
    CFOMOD project;
    project.sName = "Name";
    project.sAuthor = u"\u00c5uthor"_qs;
    project.sVersion = "2";
    const Macros::Context c = Macros::contextFor(project, "/root dir");
    QCOMPARE(Macros::expandLine("$MODNAME$|$MODAUTHOR$|$MODVERSION$|$MODROOT$", c),
             "Name|" + Settings::toLocal8(project.sAuthor) + "|2|/root dir");
}

QTEST_GUILESS_MAIN(TestMacros)
#include "tst_macros.moc"
