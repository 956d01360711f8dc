#include "check/CheckProject.h"
#include "installer/Reader.h"
#include "installer/Writer.h"
#include "model/Fomod.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kExampleRoot = QStringLiteral(QUARVEL_TEST_DATA "/../../examples/ExampleMod");

QString fomodFile(const QString& name) {
    return kExampleRoot + QStringLiteral("/fomod/") + name;
}

// A stored, backslash-separated path under the example's root.
QString underRoot(const QString& stored) {
    return kExampleRoot + QLatin1Char('/') + QString(stored).replace(QLatin1Char('\\'), u'/');
}

} // namespace

// The example mod the README's first run opens: it reads without a message, names only files
// that are there, and its installer files are what the writer writes and the schemas accept.
class TestExample : public QObject {
    Q_OBJECT

private slots:
    void readsAndNamesExistingFiles();
    void checkFindsNothing();
    void filesAreAsWritten();
    void schemaAccepts_data();
    void schemaAccepts();
};

void TestExample::readsAndNamesExistingFiles() {
    CFOMOD project;
    QString error;
    QVERIFY2(InstallerReader::readInfoFile(fomodFile("info.xml"), project, &error),
             qPrintable(error));
    QVERIFY2(InstallerReader::readConfigFile(fomodFile("ModuleConfig.xml"), project, &error),
             qPrintable(error));
    QCOMPARE(project.vSteps.size(), 2);
    QVERIFY(!project.vSteps[1].vVisibility.isEmpty());
    QVERIFY(!project.vRequiredFiles.isEmpty());
    QVERIFY(!project.vConditionalFiles.isEmpty());

    QStringList named{project.sImage};
    bool hasPattern = false;
    auto addSources = [&named](const QList<CFile>& files) {
        for (const CFile& file : files)
            named.append(file.sSource);
    };
    for (const CStep& step : project.vSteps)
        for (const CPluginGroup& group : step.vGroups)
            for (const CPlugin& plugin : group.vPlugins) {
                if (!plugin.sImage.isEmpty())
                    named.append(plugin.sImage);
                addSources(plugin.vFiles);
                hasPattern = hasPattern || !plugin.vPatterns.isEmpty();
            }
    addSources(project.vRequiredFiles);
    for (const CConditionalFile& conditional : project.vConditionalFiles)
        addSources(conditional.vFiles);
    QVERIFY(hasPattern);
    for (const QString& stored : named)
        QVERIFY2(!stored.isEmpty() && QFileInfo::exists(underRoot(stored)), qPrintable(stored));
}

// The example is what a good installer looks like: the check has nothing to say about it.
void TestExample::checkFindsNothing() {
    CFOMOD project;
    ReadReport report;
    QVERIFY(InstallerReader::readInfoFile(fomodFile("info.xml"), project));
    QVERIFY(InstallerReader::readConfigFile(fomodFile("ModuleConfig.xml"), project, nullptr,
                                            nullptr, &report));
    const Findings findings = checkProject(project, kExampleRoot, &report);
    QStringList texts;
    for (const Finding& finding : findings)
        texts.append(finding.sCode + QStringLiteral(": ") + finding.sMessage);
    QVERIFY2(findings.isEmpty(), qPrintable(texts.join(u'\n')));
}

void TestExample::filesAreAsWritten() {
    CFOMOD project;
    QVERIFY(InstallerReader::readInfoFile(fomodFile("info.xml"), project));
    QVERIFY(InstallerReader::readConfigFile(fomodFile("ModuleConfig.xml"), project));
    QFile info(fomodFile("info.xml"));
    QVERIFY(info.open(QIODevice::ReadOnly));
    QCOMPARE(info.readAll(), InstallerWriter::infoFileBytes(project));

    // Written again (its header comment names the writing version) and read back: the same.
    const QByteArray config =
        InstallerWriter::configFileBytes(project, QStringLiteral("1.0.0.0"), QString());
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(config.constData()),
                                            config.size() / 2);
    CFOMOD again;
    QVERIFY(InstallerReader::readInfoFile(fomodFile("info.xml"), again));
    QVERIFY(InstallerReader::readConfigText(text, again));
    QVERIFY(again == project);
}

void TestExample::schemaAccepts_data() {
    QTest::addColumn<QString>("schema");
    QTest::newRow("FOMOD 5.0") << QStringLiteral("ModConfig5.0.xsd");
    QTest::newRow("Vortex") << QStringLiteral("XmlScript5.0.vortex.xsd");
}

void TestExample::schemaAccepts() {
    QFETCH(QString, schema);
    const QString schemaPath = QStringLiteral(QUARVEL_SHARED_DIR "/schema/") + schema;
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty() || !QFile::exists(schemaPath))
        QSKIP("xmllint or the schema is not available");
    QProcess lint;
    lint.start(xmllint, {QStringLiteral("--noout"), QStringLiteral("--schema"), schemaPath,
                         fomodFile(QStringLiteral("ModuleConfig.xml"))});
    QVERIFY(lint.waitForFinished(-1));
    QVERIFY2(lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0,
             lint.readAllStandardError().constData());
    // info.xml has no schema; it is well-formed.
    lint.start(xmllint, {QStringLiteral("--noout"), fomodFile(QStringLiteral("info.xml"))});
    QVERIFY(lint.waitForFinished(-1));
    QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
}

QTEST_GUILESS_MAIN(TestExample)
#include "tst_example.moc"
