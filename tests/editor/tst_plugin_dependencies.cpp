#include "editor/EditorSession.h"
#include "installer/ProjectParts.h"

#include <QLabel>
#include <QTabBar>
#include <QtTest>

using ProjectParts::dependency;
using ProjectParts::dependencyPattern;

class TestPluginDependencies : public QObject {
    Q_OBJECT

private slots:
    void pluginShowsTypeAndPatterns();
    void newPatternTakesOperatorAndType();
    void typeNameWithoutPatternChangesNothing();
    void deletePattern_data();
    void deletePattern();
    void addAndDeleteDependencies();
    void operatorChangeRefreshesRows();
    void valueLabelFollowsDependencyType();
};

namespace {

// One group with plugin "Plain" and plugin "Patterned", whose three patterns hold one file
// dependency each, named d0, d1, d2. "Plain" is selected.
void addPlugins(EditorSession& s) {
    s.addGroup(QStringLiteral("G"));
    s.addPlugin(QStringLiteral("Plain"));
    s.addPlugin(QStringLiteral("Patterned"));
    CPlugin& plugin = s.step().vGroups[0].vPlugins[1];
    plugin.sType = QStringLiteral("NotUsable");
    for (int k = 0; k < 3; ++k)
        plugin.vPatterns.append(
            dependencyPattern(QStringLiteral("And"), QStringLiteral("Required"),
                              {dependency(QStringLiteral("file"), QStringLiteral("d%1").arg(k),
                                          QStringLiteral("Active"))}));
    s.select("PluginListView", 0);
}

const QString patterns = QStringLiteral("pdPatternsPageControl");

QTabBar* tabs(const EditorSession& s) {
    return s.component<QTabBar>(patterns);
}

} // namespace

void TestPluginDependencies::pluginShowsTypeAndPatterns() {
    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 1);
    QCOMPARE(s.component<QComboBox>("pdDefTypeComboBox")->currentText(),
             QStringLiteral("NotUsable"));
    QCOMPARE(s.tabCaptions(patterns), QStringList({"Pattern[0]", "Pattern[1]", "Pattern[2]"}));
    QCOMPARE(tabs(s)->currentIndex(), 0);
    QCOMPARE(s.column("PluginDependenciesListView", 1), QStringList{"d0"});
    QCOMPARE(s.column("PluginDependenciesListView", 3), QStringList{"And"});
    for (const char* name : {"pdDeletePatternButton", "pdOperatorComboBox", "pdTypeNameComboBox",
                             "pdDependencyTypeComboBox", "pdFileFlagNameComboBox",
                             "pdStateValueComboBox", "pdAddButton"})
        QVERIFY2(s.enabled(name), name);
    QVERIFY(!s.enabled("pdDeleteButton"));

    s.select("PluginListView", 0);
    QCOMPARE(tabs(s)->count(), 0);
    QCOMPARE(s.list("PluginDependenciesListView")->rowCount(), 0);
    QCOMPARE(s.component<QComboBox>("pdDefTypeComboBox")->currentText(),
             QStringLiteral("Optional"));
    QVERIFY(!s.enabled("pdDeletePatternButton"));
    QVERIFY(!s.enabled("pdAddButton"));

    // The default type goes into the plugin as typed.
    s.type("pdDefTypeComboBox", QStringLiteral("Recommended"));
    QCOMPARE(s.step().vGroups[0].vPlugins[0].sType, QStringLiteral("Recommended"));
    QCOMPARE(s.step().vGroups[0].vPlugins[1].sType, QStringLiteral("NotUsable"));
}

void TestPluginDependencies::newPatternTakesOperatorAndType() {
    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 0);
    s.component<QComboBox>("pdOperatorComboBox")->setCurrentText(QStringLiteral("Or"));
    s.component<QComboBox>("pdTypeNameComboBox")->setCurrentText(QStringLiteral("Recommended"));
    s.click("pdNewPatternButton");

    const CPlugin& plugin = s.step().vGroups[0].vPlugins[0];
    QCOMPARE(plugin.vPatterns.size(), 1);
    QCOMPARE(plugin.vPatterns[0].sOperator, QStringLiteral("Or"));
    QCOMPARE(plugin.vPatterns[0].sType, QStringLiteral("Recommended"));
    QVERIFY(plugin.vPatterns[0].vDependencies.isEmpty());
    QCOMPARE(s.tabCaptions(patterns), QStringList{"Pattern[0]"});
    QCOMPARE(tabs(s)->currentIndex(), 0);
    QVERIFY(s.enabled("pdDeletePatternButton"));
    QVERIFY(s.enabled("pdAddButton"));
}

void TestPluginDependencies::typeNameWithoutPatternChangesNothing() {
    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 0);
    const CFOMOD before = s.doc.project;
    s.type("pdTypeNameComboBox", QStringLiteral("CouldBeUsable"));
    s.type("pdOperatorComboBox", QStringLiteral("Or"));
    QCOMPARE(s.doc.project, before);
}

void TestPluginDependencies::deletePattern_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("captionsLeft");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("listed"); // dependency shown for the current tab

    // The tabs left are captioned by their positions again.
    QTest::newRow("middle") << 1 << QStringList({"Pattern[0]", "Pattern[1]"}) << 1 << "d2";
    QTest::newRow("first") << 0 << QStringList({"Pattern[0]", "Pattern[1]"}) << 0 << "d1";
    QTest::newRow("last") << 2 << QStringList({"Pattern[0]", "Pattern[1]"}) << 0 << "d0";
}

void TestPluginDependencies::deletePattern() {
    QFETCH(int, tab);
    QFETCH(QStringList, captionsLeft);
    QFETCH(int, current);
    QFETCH(QString, listed);

    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 1);
    s.chooseTab(patterns, tab);
    QCOMPARE(s.column("PluginDependenciesListView", 1),
             QStringList{QStringLiteral("d%1").arg(tab)});
    s.click("pdDeletePatternButton");

    const CPlugin& plugin = s.step().vGroups[0].vPlugins[1];
    QCOMPARE(plugin.vPatterns.size(), 2);
    for (const CDependencyPattern& p : plugin.vPatterns)
        QVERIFY(p.vDependencies[0].sName != QStringLiteral("d%1").arg(tab));
    QCOMPARE(s.tabCaptions(patterns), captionsLeft);
    QCOMPARE(tabs(s)->currentIndex(), current);
    QCOMPARE(s.column("PluginDependenciesListView", 1), QStringList{listed});

    // A pattern added now is captioned from the new count.
    s.click("pdNewPatternButton");
    QCOMPARE(tabs(s)->tabText(2), QStringLiteral("Pattern[2]"));
    QCOMPARE(tabs(s)->currentIndex(), 2);
    QCOMPARE(plugin.vPatterns.size(), 3);
}

void TestPluginDependencies::addAndDeleteDependencies() {
    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 1);
    s.chooseTab(patterns, 2);
    auto* names = s.component<QComboBox>("pdFileFlagNameComboBox");
    const int offered = names->count();

    s.component<QComboBox>("pdDependencyTypeComboBox")->setCurrentText(QStringLiteral("flag"));
    for (int i = 0; i < 2; ++i) {
        s.type("pdFileFlagNameComboBox", QStringLiteral("Foo.esp"));
        s.type("pdStateValueComboBox", QStringLiteral("On"));
        s.click("pdAddButton");
    }
    for (int i = 0; i < 2; ++i) {
        s.type("pdFileFlagNameComboBox", QString());
        s.click("pdAddButton");
    }

    const CDependencyPattern& pattern = s.step().vGroups[0].vPlugins[1].vPatterns[2];
    const CDependency foo =
        dependency(QStringLiteral("flag"), QStringLiteral("Foo.esp"), QStringLiteral("On"));
    QCOMPARE(pattern.vDependencies.size(), 5);
    QCOMPARE(pattern.vDependencies[1], foo);
    QCOMPARE(pattern.vDependencies[2], foo);
    QCOMPARE(pattern.vDependencies[3].sName, QString());
    QCOMPARE(s.column("PluginDependenciesListView", 1),
             QStringList({"d2", "Foo.esp", "Foo.esp", "", ""}));
    // The name is offered once; every empty name adds one more empty entry.
    QCOMPARE(names->count(), offered + 3);
    QCOMPARE(names->findText("Foo.esp"), offered);
    QCOMPARE(names->itemText(offered + 2), QString());

    s.select("PluginDependenciesListView", 1);
    QVERIFY(s.enabled("pdDeleteButton"));
    s.click("pdDeleteButton");
    QCOMPARE(pattern.vDependencies.size(), 4);
    QCOMPARE(pattern.vDependencies[1], foo);
    QCOMPARE(s.list("PluginDependenciesListView")->rowCount(), 4);
    QVERIFY(!s.enabled("pdDeleteButton"));
    QCOMPARE(s.step().vGroups[0].vPlugins[1].vPatterns[0].vDependencies.size(), 1);
}

void TestPluginDependencies::operatorChangeRefreshesRows() {
    EditorSession s;
    s.proceed();
    addPlugins(s);
    s.select("PluginListView", 1);
    s.chooseTab(patterns, 1);
    s.type("pdOperatorComboBox", QStringLiteral("Or"));
    s.type("pdTypeNameComboBox", QStringLiteral("CouldBeUsable"));

    const CPlugin& plugin = s.step().vGroups[0].vPlugins[1];
    QCOMPARE(plugin.vPatterns[1].sOperator, QStringLiteral("Or"));
    QCOMPARE(plugin.vPatterns[1].sType, QStringLiteral("CouldBeUsable"));
    QCOMPARE(plugin.vPatterns[0].sOperator, QStringLiteral("And"));
    QCOMPARE(s.column("PluginDependenciesListView", 3), QStringList{"Or"});

    // Each pattern brings its own operator and type back into the boxes.
    s.chooseTab(patterns, 0);
    QCOMPARE(s.component<QComboBox>("pdOperatorComboBox")->currentText(), QStringLiteral("And"));
    QCOMPARE(s.component<QComboBox>("pdTypeNameComboBox")->currentText(),
             QStringLiteral("Required"));
    s.chooseTab(patterns, 1);
    QCOMPARE(s.component<QComboBox>("pdOperatorComboBox")->currentText(), QStringLiteral("Or"));
    QCOMPARE(plugin.vPatterns[1].sType, QStringLiteral("CouldBeUsable"));
}

void TestPluginDependencies::valueLabelFollowsDependencyType() {
    EditorSession s;
    s.proceed();
    auto* label = s.component<QLabel>("pdValueLabel");
    QCOMPARE(label->text(), QStringLiteral("State"));
    auto* type = s.component<QComboBox>("pdDependencyTypeComboBox");
    QVERIFY(!type->isEditable());
    type->setCurrentText(QStringLiteral("flag"));
    // No language loaded: the lookup yields its key.
    QCOMPARE(label->text(), QStringLiteral("pdValueLabelflag"));
    type->setCurrentText(QStringLiteral("file"));
    QCOMPARE(label->text(), QStringLiteral("pdValueLabelfile"));
}

QTEST_MAIN(TestPluginDependencies)
#include "tst_plugin_dependencies.moc"
