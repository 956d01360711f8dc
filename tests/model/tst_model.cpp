#include "installer/ProjectParts.h"
#include "model/ConditionText.h"
#include "model/Fomod.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(CDependency)

namespace {

CDependency dependency(const QString& type, const QString& name, const QString& value) {
    CDependency d;
    d.sType = type;
    d.sName = name;
    d.sValue = value;
    return d;
}

CFile file(const QString& source, qint32 priority) {
    CFile f;
    f.sType = QStringLiteral("file");
    f.sSource = source;
    f.sDestination = source;
    f.iPriority = priority;
    return f;
}

// Built afresh on every call, so a comparison with it cannot share data with the copy.
CFOMOD sampleProject() {
    CFOMOD p;
    p.sName = QStringLiteral("Mod");
    p.sDescription = QStringLiteral("About &#38; more");
    CPlugin plugin(QStringLiteral("Plugin"));
    plugin.vConditionFlags = {CCondition(QStringLiteral("F"), QStringLiteral("On"))};
    plugin.vFiles = {file(QStringLiteral("a.esp"), 1)};
    CDependencyPattern pattern;
    pattern.sOperator = QStringLiteral("And");
    pattern.sType = QStringLiteral("Required");
    pattern.vDependencies = {dependency("flag", "F", "On")};
    plugin.vPatterns = {pattern};
    CPluginGroup group(QStringLiteral("Group"), QStringLiteral("SelectAny"));
    group.vPlugins = {plugin};
    CStep step(QStringLiteral("Step"));
    step.vVisibility = {dependency("file", "base.esm", "Active")};
    step.vGroups = {group};
    p.vSteps = {step};
    p.vRequiredFiles = {file(QStringLiteral("core.esp"), 0)};
    CConditionalFile conditional;
    conditional.sOperator = QStringLiteral("Or");
    conditional.vDependencies = {dependency("flag", "F", "Off")};
    conditional.vFiles = {file(QStringLiteral("opt.esp"), -2)};
    p.vConditionalFiles = {conditional};
    return p;
}

using Change = std::function<void(CFOMOD&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestModel : public QObject {
    Q_OBJECT

private slots:
    void constructors();
    void copyIsDeep_data();
    void copyIsDeep();
    void conditionText_data();
    void conditionText();
};

void TestModel::constructors() {
    const CFOMOD project;
    QVERIFY(project.sName.isEmpty() && project.sAuthor.isEmpty() && project.sVersion.isEmpty() &&
            project.sCategory.isEmpty() && project.sWebsite.isEmpty() && project.sImage.isEmpty() &&
            project.sDescription.isEmpty());
    QVERIFY(project.vSteps.isEmpty() && project.vRequiredFiles.isEmpty() &&
            project.vConditionalFiles.isEmpty());

    const CStep step(QStringLiteral("S"));
    QCOMPARE(step.sName, QStringLiteral("S"));
    QCOMPARE(step.sOperator, QStringLiteral("And"));
    QVERIFY(step.vVisibility.isEmpty() && step.vGroups.isEmpty());

    const CPluginGroup group(QStringLiteral("G"), QStringLiteral("SelectAll"));
    QCOMPARE(group.sName, QStringLiteral("G"));
    QCOMPARE(group.sType, QStringLiteral("SelectAll"));
    QVERIFY(CPluginGroup().sName.isEmpty() && CPluginGroup().sType.isEmpty());

    for (const CPlugin& plugin : {CPlugin(), CPlugin(QStringLiteral("P"))}) {
        QCOMPARE(plugin.sType, QStringLiteral("Optional"));
        QVERIFY(plugin.sDescription.isEmpty() && plugin.sImage.isEmpty());
        QVERIFY(plugin.vConditionFlags.isEmpty() && plugin.vFiles.isEmpty() &&
                plugin.vPatterns.isEmpty());
    }
    QCOMPARE(CPlugin(QStringLiteral("P")).sName, QStringLiteral("P"));
    QVERIFY(CPlugin().sName.isEmpty());

    const CCondition flag(QStringLiteral("F"), QStringLiteral("On"));
    QCOMPARE(flag.sName, QStringLiteral("F"));
    QCOMPARE(flag.sValue, QStringLiteral("On"));

    QCOMPARE(CFile().iPriority, 0);
    QVERIFY(CFile().sType.isEmpty() && CFile().sSource.isEmpty() && CFile().sDestination.isEmpty());
    QVERIFY(CDependencyPattern().sOperator.isEmpty() && CDependencyPattern().sType.isEmpty());
    QVERIFY(CConditionalFile().sOperator.isEmpty());
}

void TestModel::copyIsDeep_data() {
    QTest::addColumn<Change>("change");

    QTest::newRow("project text") << Change([](CFOMOD& p) { p.sDescription.append(u'x'); });
    QTest::newRow("step") << Change([](CFOMOD& p) { p.vSteps[0].sOperator = "Or"; });
    QTest::newRow("step visibility")
        << Change([](CFOMOD& p) { p.vSteps[0].vVisibility[0].sValue = "Missing"; });
    QTest::newRow("group") << Change([](CFOMOD& p) { p.vSteps[0].vGroups[0].sType = "SelectAll"; });
    QTest::newRow("plugin") << Change(
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins[0].sName = "Renamed"; });
    QTest::newRow("plugin flag") << Change(
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins[0].vConditionFlags[0].sValue = "Off"; });
    QTest::newRow("plugin file") << Change(
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins[0].vFiles[0].iPriority = 5; });
    QTest::newRow("pattern") << Change(
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins[0].vPatterns[0].sType = "NotUsable"; });
    QTest::newRow("pattern dependency") << Change([](CFOMOD& p) {
        p.vSteps[0].vGroups[0].vPlugins[0].vPatterns[0].vDependencies[0].sName = "G";
    });
    QTest::newRow("sequence removal")
        << Change([](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins.removeAt(0); });
    QTest::newRow("required file")
        << Change([](CFOMOD& p) { p.vRequiredFiles[0].sDestination = "other"; });
    QTest::newRow("conditional dependency")
        << Change([](CFOMOD& p) { p.vConditionalFiles[0].vDependencies[0].sValue = "On"; });
    QTest::newRow("conditional file")
        << Change([](CFOMOD& p) { p.vConditionalFiles[0].vFiles[0].sSource = "x.esp"; });
}

void TestModel::copyIsDeep() {
    QFETCH(Change, change);

    const CFOMOD source = sampleProject();
    CFOMOD copy = source;
    CFOMOD assigned;
    assigned = source;
    change(copy);
    change(assigned);

    QVERIFY(copy != source);
    QCOMPARE(copy, assigned);
    QCOMPARE(source, sampleProject());
}

void TestModel::conditionText_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<QList<CDependency>>("conditions");
    QTest::addColumn<QString>("text");
    const CDependency aActive = dependency("file", "A.esp", "Active");
    const CDependency aInactive = dependency("file", "A.esp", "Inactive");
    const CDependency fOn = dependency("flag", "F", "On");
    QTest::newRow("empty And") << "And" << QList<CDependency>{} << "always";
    QTest::newRow("empty Or") << "Or" << QList<CDependency>{} << "never";
    QTest::newRow("nested Or in And")
        << "And" << QList{ProjectParts::conditionGroup("Or", {aActive, aInactive}), fOn}
        << "(A.esp is Active or A.esp is Inactive) and F is On";
    QTest::newRow("no operator reads as And")
        << "" << QList{fOn, ProjectParts::conditionGroup("", {aActive, fOn})}
        << "F is On and (A.esp is Active and F is On)";
    QTest::newRow("a group of one needs no parentheses")
        << "Or" << QList{ProjectParts::conditionGroup("And", {fOn}), aActive}
        << "F is On or A.esp is Active";
    QTest::newRow("empty nested group")
        << "And" << QList{ProjectParts::conditionGroup("Or", {}), fOn} << "never and F is On";
    QTest::newRow("versions")
        << "Or"
        << QList{dependency("game", "", "1.6.1170"), dependency("fomm", "", "0.13"),
                 dependency("f4se", "", "0.6")}
        << "the game is version 1.6.1170 or later or the mod manager is version 0.13 or later "
           "or F4SE is version 0.6 or later";
}

void TestModel::conditionText() {
    QFETCH(QString, op);
    QFETCH(QList<CDependency>, conditions);
    QFETCH(QString, text);
    QCOMPARE(ConditionText::ofList(op, conditions), text);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
