#include "editor/EditorSession.h"

#include "editor/FlagSetController.h"
#include "editor/GroupsPluginsController.h"

#include <QHeaderView>
#include <QtTest>

class TestFlagSet : public QObject {
    Q_OBJECT

private slots:
    void initialState();
    void addFlag_data();
    void addFlag();
    void deleteFlag();
    void flagsFollowPluginSelection();
    void rebuildOffersFlags();
};

namespace {

void typeFlag(const EditorSession& s, const QString& name, const QString& value) {
    s.type("VaribleComboBox", name);
    s.type("VaribleValueComboBox", value);
}

QList<CCondition> flagsOf(EditorSession& s, int plugin) {
    return s.step().vGroups[0].vPlugins[plugin].vConditionFlags;
}

} // namespace

void TestFlagSet::initialState() {
    EditorSession s;
    auto* value = s.component<QComboBox>("VaribleValueComboBox");
    QVERIFY(value->isEditable());
    QCOMPARE(value->count(), 2);
    QCOMPARE(value->itemText(1), QStringLiteral("Off"));
    QCOMPARE(value->currentText(), QStringLiteral("On"));
    QVERIFY(s.component<QComboBox>("VaribleComboBox")->isEditable());
    QVERIFY(!s.enabled("AddVaribleButton"));
    QVERIFY(!s.enabled("DeleteVaribleButton"));
    auto* list = s.list("FlagSetListView");
    QCOMPARE(list->columnCount(), 3);
    QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("Flag name"));
    QCOMPARE(list->horizontalHeaderItem(2)->text(), QStringLiteral("Value"));
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestFlagSet::addFlag_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("added");

    QTest::newRow("name and value") << "Textures"
                                    << "2K" << 1 << 1;
    QTest::newRow("empty value") << "Textures"
                                 << "" << 1 << 1;
    QTest::newRow("texts taken as typed") << "a<b & \"c\""
                                          << "x > y" << 1 << 1;
    QTest::newRow("same name twice") << "Textures"
                                     << "On" << 2 << 2;
    QTest::newRow("empty name") << ""
                                << "On" << 1 << 0;
}

void TestFlagSet::addFlag() {
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(int, times);
    QFETCH(int, added);

    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.select("PluginListView", 1);
    QVERIFY(s.enabled("AddVaribleButton"));
    for (int i = 0; i < times; ++i) {
        typeFlag(s, name, value);
        s.click("AddVaribleButton");
    }

    const QList<CCondition> flags = flagsOf(s, 1);
    QCOMPARE(flags.size(), added);
    QCOMPARE(s.list("FlagSetListView")->rowCount(), added);
    for (int i = 0; i < added; ++i) {
        QCOMPARE(flags[i], CCondition(name, value));
        QCOMPARE(s.column("FlagSetListView", 0)[i], name);
        QCOMPARE(s.column("FlagSetListView", 1)[i], QStringLiteral(" ="));
        QCOMPARE(s.column("FlagSetListView", 2)[i], value);
    }
    QVERIFY(flagsOf(s, 0).isEmpty());
    QVERIFY(flagsOf(s, 2).isEmpty());
    QVERIFY(!s.enabled("DeleteVaribleButton"));
}

void TestFlagSet::deleteFlag() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.select("PluginListView", 0);
    for (const char* name : {"A", "B", "C"}) {
        typeFlag(s, QLatin1String(name), QStringLiteral("On"));
        s.click("AddVaribleButton");
    }
    QVERIFY(!s.enabled("DeleteVaribleButton"));

    s.select("FlagSetListView", 1);
    QVERIFY(s.enabled("DeleteVaribleButton"));
    s.click("DeleteVaribleButton");
    QCOMPARE(flagsOf(s, 0), QList<CCondition>({{"A", "On"}, {"C", "On"}}));
    QCOMPARE(s.column("FlagSetListView", 0), QStringList({"A", "C"}));
    QCOMPARE(s.selected("FlagSetListView"), -1);
    QVERIFY(!s.enabled("DeleteVaribleButton"));

    // Without a selected row Delete does nothing.
    s.form.groupsPlugins()->flagSet()->DeleteVaribleButtonClick();
    QCOMPARE(flagsOf(s, 0).size(), 2);

    s.select("FlagSetListView", 1);
    s.click("DeleteVaribleButton");
    s.select("FlagSetListView", 0);
    s.click("DeleteVaribleButton");
    QVERIFY(flagsOf(s, 0).isEmpty());
    QCOMPARE(s.list("FlagSetListView")->rowCount(), 0);
    QVERIFY(!s.enabled("DeleteVaribleButton"));
}

void TestFlagSet::flagsFollowPluginSelection() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.step().vGroups[0].vPlugins[0].vConditionFlags = {{"X", "1"}, {"Y", "2"}};
    s.step().vGroups[0].vPlugins[2].vConditionFlags = {{"Z", "3"}};

    s.select("PluginListView", 0);
    QCOMPARE(s.column("FlagSetListView", 0), QStringList({"X", "Y"}));
    QCOMPARE(s.column("FlagSetListView", 2), QStringList({"1", "2"}));
    s.select("FlagSetListView", 0);
    QVERIFY(s.enabled("DeleteVaribleButton"));

    // A new plugin selection starts with no flag row selected.
    s.select("PluginListView", 2);
    QCOMPARE(s.column("FlagSetListView", 0), QStringList({"Z"}));
    QVERIFY(!s.enabled("DeleteVaribleButton"));

    // No plugin selected: nothing to show, nothing to add to.
    s.click("RemovePluginButton");
    QCOMPARE(s.list("FlagSetListView")->rowCount(), 0);
    QVERIFY(!s.enabled("AddVaribleButton"));
    typeFlag(s, QStringLiteral("Lost"), QStringLiteral("On"));
    s.form.groupsPlugins()->flagSet()->AddVaribleButtonClick();
    QCOMPARE(s.list("FlagSetListView")->rowCount(), 0);
    QCOMPARE(flagsOf(s, 0).size(), 2);
    QCOMPARE(flagsOf(s, 1).size(), 0);
}

void TestFlagSet::rebuildOffersFlags() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.select("PluginListView", 0);
    typeFlag(s, QStringLiteral("Textures"), QStringLiteral("Hi"));
    s.click("AddVaribleButton");
    auto* names = s.component<QComboBox>("VaribleComboBox");
    QCOMPARE(names->count(), 0); // offered only after the next rebuild

    // Choosing a main page rebuilds the steps view.
    s.chooseTab("PageControl", 0);
    s.chooseTab("PageControl", 1);
    QCOMPARE(names->count(), 1);
    QCOMPARE(names->itemText(0), QStringLiteral("Textures"));
    QVERIFY(names->currentText().isEmpty());
    auto* values = s.component<QComboBox>("VaribleValueComboBox");
    QCOMPARE(values->count(), 6);
    QCOMPARE(values->itemText(5), QStringLiteral("Hi"));
    QVERIFY(values->currentText().isEmpty());

    // Adding without choosing a value stores an empty one.
    s.select("PluginListView", 1);
    names->setCurrentIndex(0);
    s.click("AddVaribleButton");
    QCOMPARE(flagsOf(s, 1), QList<CCondition>({{"Textures", ""}}));
    QCOMPARE(s.column("FlagSetListView", 2), QStringList({""}));
}

QTEST_MAIN(TestFlagSet)
#include "tst_flagset.moc"
