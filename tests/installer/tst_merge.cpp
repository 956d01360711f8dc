#include "installer/Merge.h"
#include "installer/Reader.h"

#include <QTest>

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

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
