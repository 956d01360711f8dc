#include "settings/RecentFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecentFiles : public QObject {
    Q_OBJECT

private slots:
    void recordPath_data();
    void recordPath();
};

void TestRecentFiles::recordPath_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("written");

    QTest::newRow("new path goes to the front")
        << QStringList{"/a", "/b"} << 10 << "/new" << QStringList{"/new", "/a", "/b"} << true;
    QTest::newRow("known path moves to the front")
        << QStringList{"/a", "/b", "/c"} << 10 << "/c" << QStringList{"/c", "/a", "/b"} << true;
    QTest::newRow("full list drops the oldest")
        << QStringList{"/a", "/b", "/c"} << 3 << "/d" << QStringList{"/d", "/a", "/b"} << true;
    QTest::newRow("lowered maximum trims at the next recording")
        << QStringList{"/a", "/b", "/c", "/d", "/e"} << 2 << "/new" << QStringList{"/new", "/a"}
        << true;
    QTest::newRow("only the first equal entry is removed")
        << QStringList{"/a", "/b", "/a"} << 10 << "/a" << QStringList{"/a", "/b", "/a"} << true;
    QTest::newRow("letter case makes another entry")
        << QStringList{"/Mods/A"} << 10 << "/mods/a" << QStringList{"/mods/a", "/Mods/A"} << true;
    QTest::newRow("maximum 0 removes a known path, writes nothing")
        << QStringList{"/a", "/b"} << 0 << "/a" << QStringList{"/b"} << false;
    QTest::newRow("maximum 0 adds nothing")
        << QStringList{"/a"} << 0 << "/new" << QStringList{"/a"} << false;
    QTest::newRow("negative maximum adds nothing")
        << QStringList{} << -1 << "/new" << QStringList{} << false;
    QTest::newRow("non-ASCII path") << QStringList{u"/m\u00f6d"_qs} << 1 << u"/\u65e5\u672c"_qs
                                    << QStringList{u"/\u65e5\u672c"_qs} << true;
}

void TestRecentFiles::recordPath() {
    QFETCH(QStringList, list);
    QFETCH(int, maximum);
    QFETCH(QString, path);
    QFETCH(QStringList, expected);
    QFETCH(bool, written);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("config.ini");
    SSettings settings;
    settings.iMaxRecentFiles = maximum;
    for (const QString& entry : list)
        settings.vRecentFiles.append(Settings::toLocal8(entry));

    RecentFiles::recordPath(settings, path, file);

    QCOMPARE(RecentFiles::entries(settings), expected);
    QCOMPARE(QFile::exists(file), written);
    if (written) {
        SSettings stored;
        QVERIFY(Settings::readSettings(stored, file));
        QCOMPARE(stored.vRecentFiles, settings.vRecentFiles);
        QCOMPARE(stored.iMaxRecentFiles, maximum);
    }
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
