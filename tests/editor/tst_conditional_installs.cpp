#include "editor/EditorSession.h"
#include "installer/ProjectParts.h"

using ProjectParts::dependency;
using ProjectParts::fileEntry;

namespace {

const QString kTabs = QStringLiteral("ConiditionalFilesPageControl");
const QString kDependencies = QStringLiteral("CondFilePatternListView");

const QStringList kPatternControls = {
    "CondFileDependTypeComboBox",      "CondFileDependNameComboBox", "CondFileDependValueComboBox",
    "CondFilePatternOperatorComboBox", "AddCondFileConditionButton", "CondFileAddFileButton",
    "CondFileAddFolderButton",         "RemoveCondFilePatternButton"};

struct PatternSession : EditorSession {
    PatternSession() { proceed(); }
    QList<CConditionalFile>& patterns() { return doc.project.vConditionalFiles; }
    void newPatterns(int count) {
        for (int i = 0; i < count; ++i)
            click("AddCondFilePatternButton");
    }
    void addDependency(const QString& type, const QString& name, const QString& value) {
        component<QComboBox>("CondFileDependTypeComboBox")->setCurrentText(type);
        type_("CondFileDependNameComboBox", name);
        type_("CondFileDependValueComboBox", value);
        click("AddCondFileConditionButton");
    }
    void type_(const QString& name, const QString& text) { type(name, text); }
    int currentTab() const { return component<QTabBar>(kTabs)->currentIndex(); }
};

} // namespace

class TestConditionalInstalls : public QObject {
    Q_OBJECT

private slots:
    void newPatternInNewProject();
    void operatorTypedIntoEveryRow();
    void addAndDeleteDependency();
    void movePatterns();
    void deletePattern_data();
    void deletePattern();
    void deleteOnlyPattern();
    void filesFollowTheShownPattern();
    void valueLabelFollowsType();
};

void TestConditionalInstalls::newPatternInNewProject() {
    PatternSession s;
    QCOMPARE(s.enabledStates(kPatternControls), QList<bool>(kPatternControls.size(), false));
    QVERIFY(s.enabled("AddCondFilePatternButton"));
    s.newPatterns(1);
    QCOMPARE(s.patterns().size(), 1);
    QCOMPARE(s.patterns()[0].sOperator, QString("And"));
    QCOMPARE(s.tabCaptions(kTabs), QStringList({"Pattern[0]"}));
    QCOMPARE(s.currentTab(), 0);
    QCOMPARE(s.enabledStates(kPatternControls), QList<bool>(kPatternControls.size(), true));
    QVERIFY(!s.enabled("MoveLeftCondFilePatternButton"));
    QVERIFY(!s.enabled("MoveRightCondFilePatternButton"));
}

void TestConditionalInstalls::operatorTypedIntoEveryRow() {
    PatternSession s;
    s.newPatterns(1);
    s.addDependency("flag", "Big", "On");
    s.addDependency("file", "a.esp", "Active");
    QCOMPARE(s.column(kDependencies, 3), QStringList({"And", "And"}));
    s.type("CondFilePatternOperatorComboBox", "Or");
    QCOMPARE(s.patterns()[0].sOperator, QString("Or"));
    QCOMPARE(s.column(kDependencies, 3), QStringList({"Or", "Or"}));
    // The next new pattern takes the operator last shown.
    s.newPatterns(1);
    QCOMPARE(s.patterns()[1].sOperator, QString("Or"));
}

void TestConditionalInstalls::addAndDeleteDependency() {
    PatternSession s;
    s.newPatterns(1);
    s.addDependency("flag", "Big", "");
    s.addDependency("file", "b.esp", "Missing");
    QCOMPARE(s.patterns()[0].vDependencies,
             (QList<CDependency>{dependency("flag", "Big", ""),
                                 dependency("file", "b.esp", "Missing")}));
    QCOMPARE(s.row(kDependencies, 1), QStringList({"file", "b.esp", "Missing", "And"}));
    // Adding does not extend the offered names.
    QVERIFY(!s.entries("CondFileDependNameComboBox").contains("b.esp"));

    QVERIFY(!s.enabled("RemoveCondFileConditionButton"));
    s.select(kDependencies, 0);
    QVERIFY(s.enabled("RemoveCondFileConditionButton"));
    s.click("RemoveCondFileConditionButton");
    QCOMPARE(s.patterns()[0].vDependencies,
             (QList<CDependency>{dependency("file", "b.esp", "Missing")}));
    QCOMPARE(s.column(kDependencies, 1), QStringList({"b.esp"}));
    QVERIFY(!s.enabled("RemoveCondFileConditionButton"));
}

void TestConditionalInstalls::movePatterns() {
    PatternSession s;
    s.newPatterns(2);
    s.addDependency("flag", "second", "On");
    s.chooseTab(kTabs, 0);
    s.addDependency("flag", "first", "On");
    QVERIFY(s.enabled("MoveRightCondFilePatternButton"));

    s.click("MoveRightCondFilePatternButton");
    QCOMPARE(s.patterns()[0].vDependencies[0].sName, QString("second"));
    QCOMPARE(s.patterns()[1].vDependencies[0].sName, QString("first"));
    QCOMPARE(s.tabCaptions(kTabs), QStringList({"Pattern[0]", "Pattern[1]"}));
    QCOMPARE(s.currentTab(), 1);
    QCOMPARE(s.column(kDependencies, 1), QStringList({"first"}));
    QVERIFY(!s.enabled("MoveRightCondFilePatternButton"));
    QVERIFY(s.enabled("MoveLeftCondFilePatternButton"));

    s.click("MoveLeftCondFilePatternButton");
    QCOMPARE(s.patterns()[0].vDependencies[0].sName, QString("first"));
    QCOMPARE(s.currentTab(), 0);
    QVERIFY(!s.enabled("MoveLeftCondFilePatternButton"));
    QVERIFY(s.enabled("MoveRightCondFilePatternButton"));
}

void TestConditionalInstalls::deletePattern_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("listed");
    QTest::newRow("middle") << 1 << 1 << "d2";
    QTest::newRow("first") << 0 << 0 << "d1";
    QTest::newRow("last") << 2 << 0 << "d0";
}

// The following pattern is shown, the first after the last; the captions name positions again.
void TestConditionalInstalls::deletePattern() {
    QFETCH(int, tab);
    QFETCH(int, current);
    QFETCH(QString, listed);
    PatternSession s;
    for (int i = 0; i < 3; ++i) {
        s.newPatterns(1);
        s.addDependency("flag", QStringLiteral("d%1").arg(i), "On");
    }
    s.chooseTab(kTabs, tab);
    s.click("RemoveCondFilePatternButton");
    QCOMPARE(s.patterns().size(), 2);
    for (const CConditionalFile& p : s.patterns())
        QVERIFY(p.vDependencies[0].sName != QStringLiteral("d%1").arg(tab));
    QCOMPARE(s.tabCaptions(kTabs), QStringList({"Pattern[0]", "Pattern[1]"}));
    QCOMPARE(s.currentTab(), current);
    QCOMPARE(s.column(kDependencies, 1), QStringList{listed});
}

void TestConditionalInstalls::deleteOnlyPattern() {
    PatternSession s;
    s.newPatterns(1);
    s.click("RemoveCondFilePatternButton");
    QVERIFY(s.patterns().isEmpty());
    QVERIFY(s.tabCaptions(kTabs).isEmpty());
    QCOMPARE(s.enabledStates(kPatternControls), QList<bool>(kPatternControls.size(), false));
    QVERIFY(s.enabled("AddCondFilePatternButton"));
}

void TestConditionalInstalls::filesFollowTheShownPattern() {
    PatternSession s;
    EditorSession::writeFile(s.dir.path() + "/a.esp", "x");
    EditorSession::writeFile(s.dir.path() + "/b.esm", "x");
    s.newPatterns(2);
    s.prompts.vFileAnswers.append({QDir::toNativeSeparators(s.dir.path() + "/b.esm")});
    s.click("CondFileAddFileButton");
    s.chooseTab(kTabs, 0);
    QCOMPARE(s.list("CondFilesSrcListView")->rowCount(), 0);
    s.prompts.vFileAnswers.append({QDir::toNativeSeparators(s.dir.path() + "/a.esp")});
    s.click("CondFileAddFileButton");

    QCOMPARE(s.patterns()[0].vFiles, (QList<CFile>{fileEntry("file", "a.esp", "a.esp")}));
    QCOMPARE(s.patterns()[1].vFiles, (QList<CFile>{fileEntry("file", "b.esm", "b.esm")}));
    s.chooseTab(kTabs, 1);
    QCOMPARE(s.column("CondFilesSrcListView", 1), QStringList({"b.esm"}));
    QCOMPARE(s.column("CondFilesDstListView", 0), QStringList({"b.esm"}));
    s.click("RemoveCondFilePatternButton");
    QCOMPARE(s.column("CondFilesSrcListView", 1), QStringList({"a.esp"}));
}

void TestConditionalInstalls::valueLabelFollowsType() {
    PatternSession s;
    s.newPatterns(1);
    auto* type = s.component<QComboBox>("CondFileDependTypeComboBox");
    QCOMPARE(type->currentText(), QString("flag"));
    type->setCurrentText("file");
    // Without a language file the lookup gives the key itself.
    QCOMPARE(s.component<QLabel>("ciValueLabel")->text(), QString("ciValueLabelfile"));
}

QTEST_MAIN(TestConditionalInstalls)
#include "tst_conditional_installs.moc"
