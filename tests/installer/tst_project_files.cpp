#include "FileHelpers.h"
#include "installer/ProjectFiles.h"
#include "installer/Writer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The files of a root are found whatever their letter case, and written back to those names.
class TestProjectFiles : public QObject {
    Q_OBJECT

private slots:
    void spellings_data();
    void spellings();
    void sideBySide_data();
    void sideBySide();
    void nothingThere();
};

namespace {

const QString kVersion = QStringLiteral("1.0.0.0");
const QString kHome = QStringLiteral("https://example.org");

CFOMOD projectNamed(const QString& name) {
    CFOMOD project;
    project.sName = name;
    project.vSteps.append(CStep(QStringLiteral("Step of ") + name));
    return project;
}

// Writes info.xml and ModuleConfig.xml of a project named `name` to root/folder/...
bool makeFiles(const QString& root, const QString& folder, const QString& info,
               const QString& config, const QString& name) {
    const QDir dir(root);
    if (!dir.mkpath(folder))
        return false;
    const CFOMOD project = projectNamed(name);
    const QString at = dir.filePath(folder) + QLatin1Char('/');
    return (info.isEmpty() ||
            FileHelpers::writeFile(at + info, InstallerWriter::infoFileBytes(project))) &&
           (config.isEmpty() ||
            FileHelpers::writeFile(at + config,
                                   InstallerWriter::configFileBytes(project, kVersion, kHome)));
}

QStringList entries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

void TestProjectFiles::spellings_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("config");

    QTest::newRow("as written here") << "fomod"
                                     << "info.xml"
                                     << "ModuleConfig.xml";
    QTest::newRow("FOMOD") << "FOMOD"
                           << "info.xml"
                           << "ModuleConfig.xml";
    QTest::newRow("Fomod, Info.xml") << "Fomod"
                                     << "Info.xml"
                                     << "ModuleConfig.xml";
    QTest::newRow("FOMod, INFO.XML, moduleconfig.xml") << "FOMod"
                                                       << "INFO.XML"
                                                       << "moduleconfig.xml";
    QTest::newRow("fomod, MODULECONFIG.XML") << "fomod"
                                             << "info.xml"
                                             << "MODULECONFIG.XML";
}

// Found, read, and saved again into the same files: no second folder, no second file.
void TestProjectFiles::spellings() {
    QFETCH(QString, folder);
    QFETCH(QString, info);
    QFETCH(QString, config);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(makeFiles(root.path(), folder, info, config, QStringLiteral("Read")));

    const ProjectFiles::Files files = ProjectFiles::locate(root.path());
    QCOMPARE(files.sFolder, QDir::toNativeSeparators(root.filePath(folder)));
    QCOMPARE(files.info.sPath, QDir::toNativeSeparators(root.filePath(folder + u'/' + info)));
    QCOMPARE(files.config.sPath, QDir::toNativeSeparators(root.filePath(folder + u'/' + config)));
    QVERIFY(files.info.bFound && files.config.bFound);
    QVERIFY(files.sFolderSpellings.isEmpty() && files.info.sSpellings.isEmpty() &&
            files.config.sSpellings.isEmpty());

    CFOMOD project;
    const ProjectFiles::RootReading reading = ProjectFiles::readRoot(root.path(), project);
    QVERIFY(reading.succeeded());
    QCOMPARE(project.sName, QStringLiteral("Read"));
    QCOMPARE(project.vSteps.size(), 1);

    project.sName = QStringLiteral("Saved");
    QVERIFY(InstallerWriter::writeInfoFile(project, root.path()).bSuccess);
    QVERIFY(InstallerWriter::writeConfigFile(project, root.path(), kVersion, kHome).bSuccess);
    QCOMPARE(entries(root.path()), QStringList{folder});
    QStringList names{info, config};
    names.sort();
    QCOMPARE(entries(root.filePath(folder)), names);
    CFOMOD saved;
    QVERIFY(ProjectFiles::readRoot(root.path(), saved).succeeded());
    QCOMPARE(saved.sName, QStringLiteral("Saved"));
}

// Two spellings side by side: a message names them and says which is read, by the rule
// (the exact spelling, else the first by character codes).
void TestProjectFiles::sideBySide_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("infos"); // made in every folder
    QTest::addColumn<QString>("readFolder");
    QTest::addColumn<QString>("readInfo");
    QTest::addColumn<QString>("message"); // of the folder, else of info.xml

    QTest::newRow("fomod beside FOMOD")
        << QStringList{"FOMOD", "fomod"} << QStringList{"info.xml"} << "fomod"
        << "info.xml"
        << "'FOMOD' and 'fomod' stand side by side, spelled in other letter cases: 'fomod' is "
           "read";
    QTest::newRow("three spellings, none exact")
        << QStringList{"Fomod", "FOMOD", "FOMod"} << QStringList{"info.xml"} << "FOMOD"
        << "info.xml"
        << "'FOMOD', 'FOMod' and 'Fomod' stand side by side, spelled in other letter cases: "
           "'FOMOD' is read";
    QTest::newRow("Info.xml beside INFO.XML")
        << QStringList{"fomod"} << QStringList{"Info.xml", "INFO.XML"} << "fomod"
        << "INFO.XML"
        << "'INFO.XML' and 'Info.xml' stand side by side, spelled in other letter cases: "
           "'INFO.XML' is read";
}

void TestProjectFiles::sideBySide() {
    QFETCH(QStringList, folders);
    QFETCH(QStringList, infos);
    QFETCH(QString, readFolder);
    QFETCH(QString, readInfo);
    QFETCH(QString, message);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString& folder : folders) {
        for (const QString& info : infos)
            QVERIFY(makeFiles(root.path(), folder, info, QStringLiteral("ModuleConfig.xml"),
                              folder + u'/' + info));
    }
    if (entries(root.path()).size() != folders.size() ||
        entries(root.filePath(folders.first())).size() != infos.size() + 1)
        QSKIP("the file system does not tell letter cases apart");

    const ProjectFiles::Files files = ProjectFiles::locate(root.path());
    QCOMPARE(folders.size() > 1 ? files.sFolderSpellings : files.info.sSpellings, message);
    CFOMOD project;
    QVERIFY(ProjectFiles::readRoot(root.path(), project).succeeded());
    QCOMPARE(project.sName, readFolder + u'/' + readInfo);
}

// A root without the folder: the paths a new project is saved to, and a reading that fails
// for the configuration alone.
void TestProjectFiles::nothingThere() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const ProjectFiles::Files files = ProjectFiles::locate(root.path());
    QCOMPARE(files.sFolder, QDir::toNativeSeparators(root.filePath("fomod")));
    QCOMPARE(files.info.sPath, QDir::toNativeSeparators(root.filePath("fomod/info.xml")));
    QCOMPARE(files.config.sPath, QDir::toNativeSeparators(root.filePath("fomod/ModuleConfig.xml")));

    CFOMOD project;
    const ProjectFiles::RootReading reading = ProjectFiles::readRoot(root.path(), project);
    QVERIFY(!reading.info.file.bFound && !reading.info.bRead && reading.info.sError.isEmpty());
    QVERIFY(!reading.config.bRead);
    QVERIFY2(reading.config.sError.startsWith(QStringLiteral("cannot be")),
             qPrintable(reading.config.sError));
    QVERIFY(!reading.succeeded());
    QVERIFY(project == CFOMOD());
}

QTEST_GUILESS_MAIN(TestProjectFiles)
#include "tst_project_files.moc"
