#include "editor/EditorSession.h"
#include "installer/ProjectParts.h"

#include "settings/LanguageTable.h"

#include <QPlainTextEdit>
#include <QtTest>

using ProjectParts::dependency;
using ProjectParts::fileEntry;

namespace {

// Move left, Move right, Delete step and the step pages.
const QStringList stepControls = {"MoveLeftButton", "MoveRightButton", "DeleteStepButton",
                                  "StepsPageControl"};

CPlugin pluginWith(const QString& name, const QList<CCondition>& flags,
                   const QStringList& patternNames) {
    CPlugin plugin(name);
    plugin.vConditionFlags = flags;
    if (!patternNames.isEmpty()) {
        CDependencyPattern pattern;
        pattern.sOperator = QStringLiteral("And");
        pattern.sType = QStringLiteral("Required");
        for (const QString& dependencyName : patternNames)
            pattern.vDependencies.append(dependency(dependencyName.endsWith(QLatin1String(".esp"))
                                                        ? QStringLiteral("file")
                                                        : QStringLiteral("flag"),
                                                    dependencyName, QStringLiteral("On")));
        plugin.vPatterns.append(pattern);
    }
    return plugin;
}

} // namespace

class TestSteps : public QObject {
    Q_OBJECT

private slots:
    void newSteps();
    void deleteStep_data();
    void deleteStep();
    void deleteLastStepLeavesNoStep();
    void moveStep_data();
    void moveStep();
    void renameStep();
    void addAndDeleteConditions();
    void addNeedsChosenName_data();
    void addNeedsChosenName();
    void operatorTyping_data();
    void operatorTyping();
    void equalsLabelRelabelled_data();
    void equalsLabelRelabelled();
    void rebuildCollectsLists_data();
    void rebuildCollectsLists();
    void stepWithoutGroupsEmptiesPluginSide();
    void groupsBoxShare_data();
    void groupsBoxShare();
    void unshownConditionsKept();
};

void TestSteps::newSteps() {
    EditorSession s;
    s.proceed();
    s.addStep();
    s.addStep();
    QCOMPARE(s.stepNames(), (QStringList{"Step1", "Step2", "Step3"}));
    QCOMPARE(s.tabCaptions("StepsTabControl"), s.stepNames());
    QCOMPARE(s.doc.iStepCount(), 3);
    QCOMPARE(s.doc.iCurrentStep, 2);
    QCOMPARE(s.stepTabs()->currentIndex(), 2);
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), QStringLiteral("Step3"));
    QCOMPARE(s.enabledStates(stepControls), (QList<bool>{true, false, true, true}));
    for (const CStep& step : s.doc.project.vSteps)
        QCOMPARE(step.sOperator, QStringLiteral("And"));

    s.chooseStep(1);
    QCOMPARE(s.doc.iCurrentStep, 1);
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), QStringLiteral("Step2"));
    QCOMPARE(s.enabledStates(stepControls), (QList<bool>{true, true, true, true}));
}

void TestSteps::deleteStep_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<int>("currentAfter");

    QTest::newRow("the last of three: the first takes over")
        << 3 << 2 << QStringList{"Step1", "Step2"} << 0;
    QTest::newRow("the middle: the following takes over")
        << 3 << 1 << QStringList{"Step1", "Step3"} << 1;
    QTest::newRow("the first") << 2 << 0 << QStringList{"Step2"} << 0;
}

void TestSteps::deleteStep() {
    QFETCH(int, steps);
    QFETCH(int, current);
    QFETCH(QStringList, namesAfter);
    QFETCH(int, currentAfter);

    EditorSession s;
    s.proceed();
    for (int i = 1; i < steps; ++i)
        s.addStep();
    s.chooseStep(current);
    s.click("DeleteStepButton");

    QCOMPARE(s.stepNames(), namesAfter);
    QCOMPARE(s.tabCaptions("StepsTabControl"), namesAfter);
    QCOMPARE(s.doc.iStepCount(), namesAfter.size());
    QCOMPARE(s.doc.iCurrentStep, currentAfter);
    QCOMPARE(s.stepTabs()->currentIndex(), currentAfter);
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), namesAfter.at(currentAfter));
    QCOMPARE(s.enabled("MoveLeftButton"), currentAfter > 0);
    QCOMPARE(s.enabled("MoveRightButton"), currentAfter < namesAfter.size() - 1);

    // New names count from the recorded number of steps: a name may repeat.
    s.addStep();
    QCOMPARE(s.stepNames().last(), QStringLiteral("Step%1").arg(namesAfter.size() + 1));
}

void TestSteps::deleteLastStepLeavesNoStep() {
    EditorSession s;
    s.proceed();
    s.click("DeleteStepButton");
    QVERIFY(s.doc.project.vSteps.isEmpty());
    QCOMPARE(s.stepTabs()->count(), 0);
    QCOMPARE(s.doc.iStepCount(), 0);
    QCOMPARE(s.doc.iCurrentStep, -1);
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), QString());
    QCOMPARE(s.enabledStates(stepControls), (QList<bool>{false, false, false, false}));

    // Typing a name without a step changes nothing; a new step starts again at Step1.
    QTest::keyClicks(s.component<QLineEdit>("StepNameEdit"), QStringLiteral("x"));
    QVERIFY(s.doc.project.vSteps.isEmpty());
    s.addStep();
    QCOMPARE(s.stepNames(), QStringList{"Step1"});
    QCOMPARE(s.enabledStates(stepControls), (QList<bool>{false, false, true, true}));
}

void TestSteps::moveStep_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<bool>("leftEnabled");
    QTest::addColumn<bool>("rightEnabled");

    QTest::newRow("last to the left")
        << 2 << true << QStringList{"Step1", "Step3", "Step2"} << 1 << true << true;
    QTest::newRow("second to the first place")
        << 1 << true << QStringList{"Step2", "Step1", "Step3"} << 0 << false << true;
    QTest::newRow("first to the right")
        << 0 << false << QStringList{"Step2", "Step1", "Step3"} << 1 << true << true;
    QTest::newRow("second to the last place")
        << 1 << false << QStringList{"Step1", "Step3", "Step2"} << 2 << true << false;
}

void TestSteps::moveStep() {
    QFETCH(int, current);
    QFETCH(bool, left);
    QFETCH(QStringList, namesAfter);
    QFETCH(int, currentAfter);
    QFETCH(bool, leftEnabled);
    QFETCH(bool, rightEnabled);

    EditorSession s;
    s.proceed();
    s.addStep();
    s.addStep();
    s.chooseStep(current);
    CDependency visible =
        dependency(QStringLiteral("flag"), QStringLiteral("F"), QStringLiteral("On"));
    s.doc.project.vSteps[current].vVisibility.append(visible);
    // A text the rebuild would reset: the move must not rebuild.
    auto* value = s.component<QComboBox>("ConditionValueComboBox");
    value->setEditText(QStringLiteral("typed"));

    s.click(left ? "MoveLeftButton" : "MoveRightButton");

    QCOMPARE(s.stepNames(), namesAfter);
    QCOMPARE(s.tabCaptions("StepsTabControl"), namesAfter);
    QCOMPARE(s.doc.iCurrentStep, currentAfter);
    QCOMPARE(s.stepTabs()->currentIndex(), currentAfter);
    QCOMPARE(s.doc.project.vSteps.at(currentAfter).vVisibility, QList<CDependency>{visible});
    QCOMPARE(s.enabled("MoveLeftButton"), leftEnabled);
    QCOMPARE(s.enabled("MoveRightButton"), rightEnabled);
    QCOMPARE(value->currentText(), QStringLiteral("typed"));
}

void TestSteps::renameStep() {
    EditorSession s;
    s.proceed();
    s.addStep();
    auto* edit = s.component<QLineEdit>("StepNameEdit");
    edit->clear();
    QCOMPARE(s.doc.project.vSteps.at(1).sName, QString());
    QCOMPARE(s.stepTabs()->tabText(1), QStringLiteral("[No name!]"));

    // An unnamed step keeps its mark when it moves.
    s.click("MoveLeftButton");
    QCOMPARE(s.tabCaptions("StepsTabControl"), (QStringList{"[No name!]", "Step1"}));
    QCOMPARE(s.stepNames(), (QStringList{"", "Step1"}));

    // Renaming acts on the step now current, at every keystroke.
    QTest::keyClicks(edit, QStringLiteral("Ar"));
    QCOMPARE(s.stepNames(), (QStringList{"Ar", "Step1"}));
    QCOMPARE(s.tabCaptions("StepsTabControl"), (QStringList{"Ar", "Step1"}));
    QTest::keyClicks(edit, QStringLiteral("mour"));
    QCOMPARE(s.stepNames().first(), QStringLiteral("Armour"));
    QCOMPARE(s.stepTabs()->tabText(0), QStringLiteral("Armour"));

    s.chooseStep(1);
    QCOMPARE(edit->text(), QStringLiteral("Step1"));
    QCOMPARE(s.stepNames(), (QStringList{"Armour", "Step1"}));
}

void TestSteps::addAndDeleteConditions() {
    EditorSession s;
    s.proceed();
    CStep& step = s.step();
    step.vGroups.append(CPluginGroup(QStringLiteral("G"), QStringLiteral("SelectAny")));
    step.vGroups[0].vPlugins.append(
        pluginWith(QStringLiteral("P"), {{QStringLiteral("HD"), QStringLiteral("On")}}, {}));
    step.sOperator = QStringLiteral("Or");
    s.form.StepsTabControlChange();

    auto* type = s.component<QComboBox>("VisibilityTypeComboBox");
    auto* value = s.component<QComboBox>("ConditionValueComboBox");
    QCOMPARE(type->currentText(), QStringLiteral("flag"));
    QCOMPARE(s.component<QComboBox>("ConditionComboBox")->currentText(), QStringLiteral("HD"));
    s.click("AddConditionButton");
    type->setCurrentIndex(0);
    value->setEditText(QStringLiteral("Missing"));
    s.click("AddConditionButton");
    value->setEditText(QString());
    s.click("AddConditionButton");

    const QList<CDependency> added = {
        dependency(QStringLiteral("flag"), QStringLiteral("HD"), QStringLiteral("On")),
        dependency(QStringLiteral("file"), QStringLiteral("HD"), QStringLiteral("Missing")),
        dependency(QStringLiteral("file"), QStringLiteral("HD"), QString())};
    QCOMPARE(s.doc.project.vSteps.at(0).vVisibility, added);
    auto* list = s.component<QTableWidget>("ConditionListView");
    QCOMPARE(list->rowCount(), 3);
    // A new row shows the step's operator at once, as after a rebuild.
    QCOMPARE(s.row("ConditionListView", 1), (QStringList{"file", "HD", "==", "Missing", "Or"}));
    s.form.StepsTabControlChange();
    QCOMPARE(s.row("ConditionListView", 0), (QStringList{"flag", "HD", "==", "On", "Or"}));

    QVERIFY(!s.enabled("DeleteConditionButton"));
    s.select("ConditionListView", 1);
    QVERIFY(s.enabled("DeleteConditionButton"));
    s.click("DeleteConditionButton");
    QCOMPARE(s.doc.project.vSteps.at(0).vVisibility, (QList<CDependency>{added[0], added[2]}));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(s.row("ConditionListView", 1), (QStringList{"file", "HD", "==", "", "Or"}));
    s.select("ConditionListView", -1);
    QVERIFY(!s.enabled("DeleteConditionButton"));
    s.click("DeleteConditionButton");
    QCOMPARE(s.doc.project.vSteps.at(0).vVisibility.size(), 2);
}

void TestSteps::addNeedsChosenName_data() {
    QTest::addColumn<QList<CCondition>>("flags");
    QTest::addColumn<QStringList>("patternNames");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("entries");

    QTest::newRow("no names at all") << QList<CCondition>{} << QStringList{} << "" << 0;
    QTest::newRow("only pattern names, none chosen")
        << QList<CCondition>{} << QStringList{"a.esp"} << "" << 1;
    QTest::newRow("a typed name that is no entry")
        << QList<CCondition>{{"F", "On"}} << QStringList{} << "G" << 1;
}

void TestSteps::addNeedsChosenName() {
    QFETCH(QList<CCondition>, flags);
    QFETCH(QStringList, patternNames);
    QFETCH(QString, typed);
    QFETCH(int, entries);

    EditorSession s;
    s.proceed();
    CStep& step = s.step();
    step.vGroups.append(CPluginGroup(QStringLiteral("G"), QStringLiteral("SelectAny")));
    step.vGroups[0].vPlugins.append(pluginWith(QStringLiteral("P"), flags, patternNames));
    s.form.StepsTabControlChange();
    auto* names = s.component<QComboBox>("ConditionComboBox");
    QCOMPARE(names->count(), entries);
    QCOMPARE(names->currentIndex(), flags.isEmpty() ? -1 : 0);
    if (!typed.isEmpty()) {
        s.type("ConditionComboBox", typed);
    }
    s.click("AddConditionButton");
    QVERIFY(s.doc.project.vSteps.at(0).vVisibility.isEmpty());
    QCOMPARE(s.component<QTableWidget>("ConditionListView")->rowCount(), 0);
}

void TestSteps::operatorTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("storedAfterEachKey");

    QTest::newRow("Or") << "Or" << QStringList{"O", "Or"};
    QTest::newRow("any text is taken") << "xor" << QStringList{"x", "xo", "xor"};
}

void TestSteps::operatorTyping() {
    QFETCH(QString, typed);
    QFETCH(QStringList, storedAfterEachKey);

    EditorSession s;
    s.proceed();
    s.addStep();
    s.doc.project.vSteps[1].vVisibility.append(
        dependency(QStringLiteral("file"), QStringLiteral("a.esp"), QStringLiteral("Active")));
    s.form.StepsTabControlChange();
    auto* op = s.component<QComboBox>("visOperatorComboBox");
    QCOMPARE(op->currentText(), QStringLiteral("And"));
    op->lineEdit()->clear();
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(op->lineEdit(), typed.mid(i, 1));
        QCOMPARE(s.doc.project.vSteps.at(1).sOperator, storedAfterEachKey.at(i));
        // Each keystroke rebuilds: the condition row shows the operator so far.
        QCOMPARE(s.row("ConditionListView", 0).last(), storedAfterEachKey.at(i));
    }
    QCOMPARE(op->currentText(), typed);
    QCOMPARE(s.doc.project.vSteps.at(0).sOperator, QStringLiteral("And"));

    // Choosing another step shows that step's operator without changing it.
    s.chooseStep(0);
    QCOMPARE(op->currentText(), QStringLiteral("And"));
    QCOMPARE(s.doc.project.vSteps.at(1).sOperator, typed);
    s.chooseStep(1);
    QCOMPARE(op->currentText(), typed);
}

void TestSteps::equalsLabelRelabelled_data() {
    QTest::addColumn<QList<SLanguagePair>>("table");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("caption");

    const QList<SLanguagePair> table = {{"EQUALSLABELFILE", "is in state"},
                                        {"equalsLabelflag", "equals"}};
    QTest::newRow("file, key without case") << table << "file"
                                            << "is in state";
    QTest::newRow("flag") << table << "flag"
                          << "equals";
    QTest::newRow("missing key shows the key") << QList<SLanguagePair>{} << "file"
                                               << "equalsLabelfile";
}

void TestSteps::equalsLabelRelabelled() {
    QFETCH(QList<SLanguagePair>, table);
    QFETCH(QString, type);
    QFETCH(QString, caption);

    EditorSession s;
    s.proceed();
    Language::table() = table;
    auto* combo = s.component<QComboBox>("VisibilityTypeComboBox");
    // Choose the other type first, so the wanted one is a change.
    combo->setCurrentText(type == QLatin1String("file") ? QStringLiteral("flag")
                                                        : QStringLiteral("file"));
    combo->setCurrentText(type);
    QCOMPARE(s.component<QLabel>("equalsLabel")->text(), caption);
    const QStringList values = s.entries("ConditionValueComboBox");
    Language::table().clear();
    QCOMPARE(values, (QStringList{"On", "Off", "Active", "Inactive", "Missing"}));
}

void TestSteps::rebuildCollectsLists_data() {
    QTest::addColumn<int>("current");
    QTest::newRow("first step current") << 0;
    QTest::newRow("second step current") << 1;
}

void TestSteps::rebuildCollectsLists() {
    QFETCH(int, current);

    EditorSession s;
    s.proceed();
    s.addStep();
    QList<CStep>& steps = s.doc.project.vSteps;
    steps[0].vGroups.append(CPluginGroup(QStringLiteral("G1"), QStringLiteral("SelectAny")));
    steps[0].vGroups[0].vPlugins.append(pluginWith(
        QStringLiteral("P1"),
        {{QStringLiteral("A"), QStringLiteral("On")}, {QStringLiteral("B"), QStringLiteral("Yes")}},
        {"B", "x.esp"}));
    steps[1].vGroups.append(CPluginGroup(QStringLiteral("G2"), QStringLiteral("SelectAll")));
    steps[1].vGroups.append(CPluginGroup(QStringLiteral("G3"), QStringLiteral("SelectAny")));
    // Flags of a later step reach the lists of every step; repeats are listed once.
    steps[1].vGroups[0].vPlugins.append(pluginWith(QStringLiteral("P2"),
                                                   {{QStringLiteral("C"), QStringLiteral("Yes")},
                                                    {QStringLiteral("A"), QStringLiteral("off")}},
                                                   {"x.esp", "D"}));
    s.chooseStep(current);
    // The tab may already be current: refill the view from the edited project.
    s.form.StepsTabControlChange();

    const QStringList names = {"A", "B", "C"};
    const QStringList values = {"On", "Off", "Active", "Inactive", "Missing", "Yes", "off"};
    // Pattern names follow the flag names unchecked, so B is listed twice.
    const QStringList namesAndPatterns = {"A", "B", "C", "B", "x.esp", "D"};

    auto* condition = s.component<QComboBox>("ConditionComboBox");
    QCOMPARE(s.entries("ConditionComboBox"), namesAndPatterns);
    QCOMPARE(condition->currentText(), QStringLiteral("A"));
    QCOMPARE(s.entries("ConditionValueComboBox"), values);
    QCOMPARE(s.component<QComboBox>("ConditionValueComboBox")->currentText(), QStringLiteral("On"));
    for (const char* name : {"VaribleComboBox"}) {
        QCOMPARE(s.entries(name), names);
        QCOMPARE(s.component<QComboBox>(name)->currentText(), QString());
    }
    for (const char* name : {"CondFileDependNameComboBox", "pdFileFlagNameComboBox"}) {
        QCOMPARE(s.entries(name), namesAndPatterns);
        QCOMPARE(s.component<QComboBox>(name)->currentText(), QString());
    }
    for (const char* name :
         {"VaribleValueComboBox", "CondFileDependValueComboBox", "pdStateValueComboBox"}) {
        QCOMPARE(s.entries(name), values);
        QCOMPARE(s.component<QComboBox>(name)->currentText(), QString());
    }

    // The current step's groups, the first selected.
    auto* groups = s.component<QTableWidget>("GroupListView");
    QCOMPARE(groups->rowCount(), steps.at(current).vGroups.size());
    for (int g = 0; g < groups->rowCount(); ++g)
        QCOMPARE(s.row("GroupListView", g), (QStringList{steps.at(current).vGroups.at(g).sName,
                                                         steps.at(current).vGroups.at(g).sType}));
    QCOMPARE(groups->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(groups->selectionModel()->selectedRows().first().row(), 0);
    QCOMPARE(s.component<QTableWidget>("PluginListView")->rowCount(), 1);

    // A second rebuild gives the same lists: nothing accumulates.
    s.form.StepsTabControlChange();
    QCOMPARE(s.entries("ConditionComboBox"), namesAndPatterns);
    QCOMPARE(s.entries("VaribleValueComboBox"), values);
}

void TestSteps::stepWithoutGroupsEmptiesPluginSide() {
    EditorSession s;
    s.proceed();
    s.addStep();
    CStep& first = s.doc.project.vSteps[0];
    first.vGroups.append(CPluginGroup(QStringLiteral("G"), QStringLiteral("SelectAny")));
    CPlugin plugin =
        pluginWith(QStringLiteral("P"), {{QStringLiteral("F"), QStringLiteral("On")}}, {});
    plugin.sDescription = QStringLiteral("text");
    plugin.vFiles.append(
        fileEntry(QStringLiteral("file"), QStringLiteral("a.esp"), QStringLiteral("a.esp")));
    first.vGroups[0].vPlugins.append(plugin);
    s.chooseStep(0);
    QCOMPARE(s.component<QTableWidget>("PluginListView")->rowCount(), 1);
    QCOMPARE(s.component<QTableWidget>("FlagSetListView")->rowCount(), 1);
    QVERIFY(s.enabled("RemovePluginButton"));
    QVERIFY(s.enabled("AddFileButton"));

    s.chooseStep(1);
    for (const char* list : {"GroupListView", "PluginListView", "FlagSetListView",
                             "SrcFilesListView", "DstFilesListView"})
        QCOMPARE(s.component<QTableWidget>(list)->rowCount(), 0);
    QCOMPARE(s.component<QPlainTextEdit>("PluginDescriptionMemo")->toPlainText(), QString());
    for (const char* control :
         {"RemoveGroupButton", "AddPluginButton", "RemovePluginButton", "PluginDescriptionMemo",
          "AddVaribleButton", "ChoosePluginImageButton", "AddFileButton", "AddFolderButton"})
        QVERIFY2(!s.component<QWidget>(control)->isEnabled(), control);
    // The project keeps what the other step holds.
    QCOMPARE(s.doc.project.vSteps.at(0).vGroups.at(0).vPlugins.at(0), plugin);
}

void TestSteps::groupsBoxShare_data() {
    QTest::addColumn<int>("extraHeight");
    QTest::newRow("first size") << 0;
    QTest::newRow("taller window") << 250;
}

void TestSteps::groupsBoxShare() {
    QFETCH(int, extraHeight);
    EditorSession s;
    s.proceed();
    s.form.resize(s.form.size() + QSize(0, extraHeight));
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));

    // The groups box takes about 0.715 of the scroll box; the files box the rest below it,
    // ending at the scroll box's bottom.
    auto* scroll = s.component<QWidget>("ScrollBox1");
    auto* groups = s.component<QWidget>("GroupsGroupBox");
    auto* files = s.component<QWidget>("FilesGroupBox");
    const double share = double(groups->height()) / scroll->height();
    QVERIFY2(share > 0.70 && share < 0.73, qPrintable(QString::number(share)));
    const int filesBottom = files->mapTo(scroll, QPoint(0, files->height())).y();
    QVERIFY(filesBottom <= scroll->height());
    QVERIFY(filesBottom >= scroll->height() - 8);
}

// What the window shows but does not edit rides along with the elements it edits: a nested
// group and a version condition in each of the three condition lists, a plugin file's install
// flag. The group row reads as the group does and is deleted as a whole.
void TestSteps::unshownConditionsKept() {
    EditorSession s;
    s.proceed();
    CDependency active =
        dependency(QStringLiteral("file"), QStringLiteral("A"), QStringLiteral("Active"));
    CDependency inactive = active;
    inactive.sValue = QStringLiteral("Inactive");
    CDependency group;
    group.sType = QStringLiteral("group");
    group.sOperator = QStringLiteral("Or");
    group.vDependencies = {active, inactive};
    CDependency version;
    version.sType = QStringLiteral("game");
    version.sValue = QStringLiteral("1.6.1170");
    const QList<CDependency> conditions{group, version};

    CFile file;
    file.sType = QStringLiteral("file");
    file.sSource = file.sDestination = QStringLiteral("a.esp");
    file.sAlwaysInstall = QStringLiteral("true");
    CPlugin plugin(QStringLiteral("P"));
    plugin.vFiles = {file};
    CDependencyPattern pattern;
    pattern.sType = QStringLiteral("Required");
    pattern.vDependencies = conditions;
    plugin.vPatterns = {pattern};
    s.step().vVisibility = conditions;
    s.step().vGroups = {CPluginGroup(QStringLiteral("G"), QStringLiteral("SelectAny"))};
    s.step().vGroups[0].vPlugins = {plugin};
    CConditionalFile conditional;
    conditional.vDependencies = conditions;
    s.doc.project.vConditionalFiles = {conditional};
    s.form.showProjectPages();

    const QStringList groupRow{"group", "(A is Active or A is Inactive)", "==", "", "And"};
    QCOMPARE(s.row("ConditionListView", 0), groupRow);
    QCOMPARE(s.row("ConditionListView", 1), QStringList({"game", "", "==", "1.6.1170", "And"}));
    QCOMPARE(s.row("PluginDependenciesListView", 0).at(1), groupRow.at(1));
    QCOMPARE(s.row("CondFilePatternListView", 0).at(1), groupRow.at(1));

    s.type("VaribleComboBox", "Flag");
    s.click("AddVaribleButton");
    s.type("StepNameEdit", "Renamed");
    s.chooseMenu("SaveMenu");
    const CPlugin& saved = s.step().vGroups[0].vPlugins[0];
    QCOMPARE(saved.vConditionFlags.size(), 1);
    QCOMPARE(s.step().sName, QStringLiteral("Renamed"));
    QCOMPARE(saved.vFiles, plugin.vFiles);
    QCOMPARE(saved.vPatterns, plugin.vPatterns);
    QCOMPARE(s.step().vVisibility, conditions);
    QCOMPARE(s.doc.project.vConditionalFiles, QList<CConditionalFile>{conditional});

    s.select("ConditionListView", 0);
    s.click("DeleteConditionButton");
    QCOMPARE(s.step().vVisibility, QList<CDependency>{version});
}

QTEST_MAIN(TestSteps)
#include "tst_steps.moc"
