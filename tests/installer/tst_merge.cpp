#include "installer/Merge.h"
#include "installer/ProjectParts.h"
#include "installer/Reader.h"

#include <QTest>

Q_DECLARE_METATYPE(CDependency)

using ProjectParts::conditionGroup;

namespace {

CFile file(const QString& source) {
    CFile f;
    f.sType = QStringLiteral("file");
    f.sSource = source;
    return f;
}

CConditionalFile conditional(const QString& op, const QString& source) {
    CConditionalFile c;
    c.sOperator = op;
    c.vFiles.append(file(source));
    return c;
}

CDependency condition(const QString& fileName) {
    CDependency d;
    d.sType = QStringLiteral("file");
    d.sName = fileName;
    d.sValue = QStringLiteral("Active");
    return d;
}

QStringList stepNames(const CFOMOD& project) {
    QStringList names;
    for (const CStep& step : project.vSteps)
        names << step.sName;
    return names;
}

QStringList requiredSources(const CFOMOD& project) {
    QStringList sources;
    for (const CFile& f : project.vRequiredFiles)
        sources << f.sSource;
    return sources;
}

QStringList conditionalSources(const CFOMOD& project) {
    QStringList sources;
    for (const CConditionalFile& c : project.vConditionalFiles)
        sources << c.vFiles.first().sSource;
    return sources;
}

CFOMOD ownProject() {
    CFOMOD project;
    project.sName = QStringLiteral("Own");
    project.sAuthor = QStringLiteral("Me");
    project.sVersion = QStringLiteral("1.0");
    project.sCategory = QStringLiteral("Armour");
    project.sWebsite = QStringLiteral("https://own");
    project.sImage = QStringLiteral("own.png");
    project.sDescription = QStringLiteral("mine");
    project.vSteps = {CStep("A"), CStep("B")};
    project.vRequiredFiles = {file("r1"), file("r2")};
    project.vConditionalFiles = {conditional("And", "c1"), conditional("Or", "c2")};
    return project;
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT

private slots:
    void donorGoesInFront_data();
    void donorGoesInFront();
    void mergingItselfDoubles();
    void donorReadFromFile();
    void donorsKeptDataComesAlong();
    void prerequisitesJoined_data();
    void prerequisitesJoined();
    void stepsStayInTheOrderShown_data();
    void stepsStayInTheOrderShown();
};

void TestMerge::donorGoesInFront_data() {
    QTest::addColumn<bool>("emptyProject");
    QTest::newRow("into a project") << false;
    QTest::newRow("into an empty project") << true;
}

void TestMerge::donorGoesInFront() {
    QFETCH(bool, emptyProject);

    CFOMOD project = emptyProject ? CFOMOD() : ownProject();
    const CFOMOD before = project;

    CFOMOD donor;
    donor.sName = QStringLiteral("Donor");
    donor.sAuthor = QStringLiteral("Other");
    donor.sImage = QStringLiteral("donor.png");
    donor.sDescription = QStringLiteral("theirs");
    CStep x("X");
    x.vGroups.append(CPluginGroup("G", "SelectAny"));
    x.vGroups.first().vPlugins.append(CPlugin("P"));
    donor.vSteps = {x, CStep("Y"), CStep("A")};
    donor.vRequiredFiles = {file("d1")};
    donor.vConditionalFiles = {conditional("Or", "dc1")};
    const CFOMOD donorBefore = donor;

    mergeProjects(project, donor);

    const QStringList own = emptyProject ? QStringList() : QStringList{"A", "B"};
    QCOMPARE(stepNames(project), QStringList({"X", "Y", "A"}) + own);
    QCOMPARE(project.vSteps.first(), x); // copied with everything it holds
    QCOMPARE(requiredSources(project),
             QStringList{"d1"} + (emptyProject ? QStringList() : QStringList{"r1", "r2"}));
    QCOMPARE(conditionalSources(project),
             QStringList{"dc1"} + (emptyProject ? QStringList() : QStringList{"c1", "c2"}));
    QCOMPARE(project.vConditionalFiles.first().sOperator, QStringLiteral("Or"));

    // The project's own information and header image stay; the donor is not changed.
    QCOMPARE((QStringList{project.sName, project.sAuthor, project.sVersion, project.sCategory,
                          project.sWebsite, project.sImage, project.sDescription}),
             (QStringList{before.sName, before.sAuthor, before.sVersion, before.sCategory,
                          before.sWebsite, before.sImage, before.sDescription}));
    QVERIFY(donor == donorBefore);
    // The project's own elements follow unchanged.
    QCOMPARE(project.vSteps.mid(donor.vSteps.size()), before.vSteps);
}

void TestMerge::mergingItselfDoubles() {
    CFOMOD project = ownProject();
    mergeProjects(project, project);
    QCOMPARE(stepNames(project), (QStringList{"A", "B", "A", "B"}));
    QCOMPARE(requiredSources(project), (QStringList{"r1", "r2", "r1", "r2"}));
    QCOMPARE(conditionalSources(project), (QStringList{"c1", "c2", "c1", "c2"}));
}

// A donor is read into a project of its own: its unnamed steps are named as in an empty
// project, whatever the open project holds, and its module image goes nowhere.
void TestMerge::donorReadFromFile() {
    CFOMOD project = ownProject();
    CFOMOD donor;
    QVERIFY(InstallerReader::readConfigText(
        QStringLiteral(R"(<config><moduleName>D</moduleName><moduleImage path="d.png" />
<installSteps order="Explicit"><installStep><installStep name="N"></installSteps></config>)"),
        donor));
    mergeProjects(project, donor);
    QCOMPARE(stepNames(project), (QStringList{"Step0", "N", "A", "B"}));
    QCOMPARE(project.sImage, QStringLiteral("own.png"));
    QCOMPARE(project.sName, QStringLiteral("Own"));
}

// Everything the donor's elements hold comes with them; the open project's own settings stay.
void TestMerge::donorsKeptDataComesAlong() {
    CFOMOD donor;
    CStep step(QStringLiteral("X"));
    step.sGroupOrder = QStringLiteral("Descending");
    step.vComments = {{QStringLiteral("step note"), QString()}};
    step.vVisibility = {conditionGroup(QStringLiteral("Or"), {condition(QStringLiteral("a.esp"))})};
    CPluginGroup group(QStringLiteral("G"), QStringLiteral("SelectAny"));
    group.sPluginOrder = QString();
    group.vPlugins = {CPlugin(QStringLiteral("P"))};
    group.vPlugins[0].vFiles = {file(QStringLiteral("p.esp"))};
    group.vPlugins[0].vFiles[0].sAlwaysInstall = QStringLiteral("true");
    step.vGroups = {group};
    donor.vSteps = {step};
    donor.vRequiredFiles = {file(QStringLiteral("d.esp"))};
    donor.vRequiredFiles[0].vComments = {{QStringLiteral("required note"), QString()}};
    donor.sTitle = QStringLiteral("Donor title");
    donor.sShowImage = QStringLiteral("false");
    donor.vComments = {{QStringLiteral("donor's file note"), QString()}};

    CFOMOD project = ownProject();
    const CFOMOD before = project;
    mergeProjects(project, donor);
    QCOMPARE(project.vSteps.first(), step);
    QCOMPARE(project.vRequiredFiles.first(), donor.vRequiredFiles.first());
    QCOMPARE(project.sTitle, before.sTitle);
    QCOMPARE(project.sShowImage, before.sShowImage);
    QCOMPARE(project.vComments, before.vComments);
}

// The merged mod needs both mods' prerequisites; an Or list goes in as one group.
void TestMerge::prerequisitesJoined_data() {
    QTest::addColumn<QString>("ownOperator");
    QTest::addColumn<QList<CDependency>>("own");
    QTest::addColumn<QString>("donorOperator");
    QTest::addColumn<QList<CDependency>>("donor");
    QTest::addColumn<QString>("mergedOperator");
    QTest::addColumn<QList<CDependency>>("merged");
    const CDependency a = condition(QStringLiteral("a.esm"));
    const CDependency b = condition(QStringLiteral("b.esm"));
    const CDependency c = condition(QStringLiteral("c.esm"));
    const QList<CDependency> none;
    QTest::newRow("donor has none") << "Or" << QList{a, b} << "" << none << "Or" << QList{a, b};
    QTest::newRow("own has none") << "" << none << "Or" << QList{a, b} << "Or" << QList{a, b};
    QTest::newRow("both And") << "" << QList{a} << "And" << QList{b, c} << "" << QList{b, c, a};
    QTest::newRow("donor Or") << "And" << QList{a} << "Or" << QList{b, c} << "And"
                              << QList{conditionGroup("Or", {b, c}), a};
    QTest::newRow("own Or") << "Or" << QList{a, b} << "" << QList{c} << "And"
                            << QList{c, conditionGroup("Or", {a, b})};
}

void TestMerge::prerequisitesJoined() {
    QFETCH(QString, ownOperator);
    QFETCH(QList<CDependency>, own);
    QFETCH(QString, donorOperator);
    QFETCH(QList<CDependency>, donor);
    QFETCH(QString, mergedOperator);
    QFETCH(QList<CDependency>, merged);
    CFOMOD project;
    project.sModuleOperator = ownOperator;
    project.vModuleDependencies = own;
    CFOMOD donorProject;
    donorProject.sModuleOperator = donorOperator;
    donorProject.vModuleDependencies = donor;
    mergeProjects(project, donorProject);
    QCOMPARE(project.sModuleOperator, mergedOperator);
    QCOMPARE(project.vModuleDependencies, merged);
}

// Managers sort a sorted list again: the merged steps keep their sorted order only while the
// donor's steps in front do not break it, and are shown as listed otherwise.
void TestMerge::stepsStayInTheOrderShown_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("donorSteps");
    QTest::addColumn<QString>("mergedOrder");
    QTest::newRow("explicit stays") << "Explicit" << QStringList{"Z"} << "Explicit";
    QTest::newRow("still ascending") << "Ascending" << QStringList{"a", "B"} << "Ascending";
    QTest::newRow("ascending broken") << "Ascending" << QStringList{"Z"} << "Explicit";
    QTest::newRow("no order is ascending") << "" << QStringList{"A"} << "";
    QTest::newRow("no order broken") << "" << QStringList{"Z"} << "Explicit";
    QTest::newRow("still descending") << "Descending" << QStringList{"Z"} << "Descending";
    QTest::newRow("descending broken") << "Descending" << QStringList{"A"} << "Explicit";
    QTest::newRow("bad value kept") << "Sideways" << QStringList{"Z"} << "Sideways";
}

void TestMerge::stepsStayInTheOrderShown() {
    QFETCH(QString, order);
    QFETCH(QStringList, donorSteps);
    QFETCH(QString, mergedOrder);
    CFOMOD project;
    project.sStepOrder = order;
    const bool descending = order == u"Descending";
    project.vSteps = {CStep(descending ? QStringLiteral("N") : QStringLiteral("C")),
                      CStep(descending ? QStringLiteral("C") : QStringLiteral("N"))};
    CFOMOD donor;
    for (const QString& name : donorSteps)
        donor.vSteps.append(CStep(name));
    mergeProjects(project, donor);
    QCOMPARE(project.sStepOrder, mergedOrder);
    QCOMPARE(stepNames(project).mid(0, donorSteps.size()), donorSteps);
}

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
