#include "FileHelpers.h"
#include "cli/CliRun.h"
#include "installer/ProjectParts.h"
#include "installer/Writer.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// Runs `quarvel-cli check` end to end on small installers written by the writer.

using namespace ProjectParts;

namespace {

// One step with one option installing a.dds; a conditional install on a flag no option sets
// (a warning). With withError, the option's source is missing as well (an error).
CFOMOD project(bool withError) {
    CFOMOD p;
    p.sName = "Check";
    CStep step("Textures");
    CPluginGroup group("Resolution", "SelectAny");
    CPlugin option("4K");
    option.vFiles = {fileEntry("file", withError ? "b.dds" : "a.dds", "textures\\a.dds")};
    group.vPlugins = {option};
    step.vGroups = {group};
    p.vSteps = {step};
    CConditionalFile conditional;
    conditional.vDependencies = {dependency("flag", "Textures", "On")};
    conditional.vFiles = {fileEntry("file", "a.dds", "textures\\b.dds")};
    p.vConditionalFiles = {conditional};
    return p;
}

// The line of the written ModuleConfig.xml that holds text, counted from 1, or 0.
int lineHolding(const QString& root, const QString& text) {
    const QByteArray bytes = FileHelpers::readFile(root + "/fomod/ModuleConfig.xml");
    const QString content = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    const QStringList lines = content.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text))
            return i + 1;
    }
    return 0;
}

} // namespace

class TestCheckCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void warningsOnlyExitZero();
    void errorAsJsonExitsOne();
    void usageErrors_data();
    void usageErrors();
    void unreadableInstallerFails();

private:
    QString makeRoot(bool withError) {
        const QString root = m_dir.path();
        [&] {
            QVERIFY(QDir(root).mkpath("fomod"));
            QVERIFY(FileHelpers::writeFile(root + "/a.dds", "x"));
            QVERIFY(
                InstallerWriter::writeConfigFile(project(withError), root, "1.0", "home").bSuccess);
        }();
        return root;
    }
    QTemporaryDir m_dir;
};

void TestCheckCommand::init() {
    QVERIFY(m_dir.isValid());
}

// One line a finding, with the file's line where the reading kept it, else the place.
void TestCheckCommand::warningsOnlyExitZero() {
    const QString root = makeRoot(false);
    const CliRun run = runCli({"check", root});
    QCOMPARE(run.exitCode, 0);
    const QString message = "warning: flag 'Textures' is tested here but no option sets it, so "
                            "the condition never holds: set it in an option or correct the name "
                            "[unset-flag]\n";
    const QString out = QString::fromUtf8(run.out);
    const int line = lineHolding(root, "flagDependency flag=\"Textures\"");
    QVERIFY(line > 0);
    QVERIFY2(out == QStringLiteral("fomod/ModuleConfig.xml:%1: ").arg(line) + message ||
                 out == "conditional install 1 > condition 1: " + message,
             qPrintable(out));
}

void TestCheckCommand::errorAsJsonExitsOne() {
    const CliRun run = runCli({"check", "--json", makeRoot(true)});
    QCOMPARE(run.exitCode, 1);
    const QJsonDocument document = QJsonDocument::fromJson(run.out);
    const QJsonArray findings = document.object().value("findings").toArray();
    QCOMPARE(findings.size(), 2);

    const QJsonObject missing = findings[0].toObject();
    QCOMPARE(missing.value("code").toString(), "missing-source");
    QCOMPARE(missing.value("severity").toString(), "error");
    QVERIFY(missing.value("message").toString().contains("'b.dds'"));
    QCOMPARE(missing.value("step").toInt(-1), 0);
    QCOMPARE(missing.value("group").toInt(-1), 0);
    QCOMPARE(missing.value("plugin").toInt(-1), 0);
    QVERIFY(missing.value("line").isNull() || missing.value("line").toInt() > 0);

    // A conditional install belongs to no step, group or option.
    const QJsonObject unset = findings[1].toObject();
    QCOMPARE(unset.value("code").toString(), "unset-flag");
    QCOMPARE(unset.value("severity").toString(), "warning");
    QVERIFY(unset.value("step").isNull());
    QVERIFY(unset.value("group").isNull());
    QVERIFY(unset.value("plugin").isNull());
    QCOMPARE(QStringList(unset.keys()),
             QStringList({"code", "group", "line", "message", "plugin", "severity", "step"}));
}

void TestCheckCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no root") << QStringList{"check"};
    QTest::newRow("only --json") << QStringList{"check", "--json"};
    QTest::newRow("empty root") << QStringList{"check", ""};
    QTest::newRow("two roots") << QStringList{"check", "a", "b"};
    QTest::newRow("unknown option") << QStringList{"check", "a", "--fix"};
}

void TestCheckCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("quarvel-cli check ROOT [--json]"));
}

// As for the other commands: the reason on standard error, nothing checked.
void TestCheckCommand::unreadableInstallerFails() {
    const CliRun run = runCli({"check", m_dir.filePath("nothing-here")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("ModuleConfig.xml"));
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_check.moc"
