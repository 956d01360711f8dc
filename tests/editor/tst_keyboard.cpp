#include "EditorSession.h"
#include "installer/ProjectParts.h"

#include "editor/DocumentCommands.h"
#include "model/Fomod.h"
#include "ui/ElidedTabBar.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using ProjectParts::dependency;
using ProjectParts::fileEntry;

// Where a list or field lives in the window.
enum class Place {
    ModInfo,
    Groups,
    FlagSet,
    PluginDependencies,
    Conditions,
    Required,
    Conditional
};
Q_DECLARE_METATYPE(Place)

namespace {

QList<CDependency> twoDependencies() {
    return {dependency(QStringLiteral("flag"), QStringLiteral("FlagA"), QStringLiteral("On")),
            dependency(QStringLiteral("file"), QStringLiteral("B.esp"), QStringLiteral("Active"))};
}

QList<CFile> twoFiles(const QString& folder) {
    return {fileEntry(QStringLiteral("file"), folder + QStringLiteral("\\a.esp"),
                      QStringLiteral("a.esp")),
            fileEntry(QStringLiteral("folder"), folder + QStringLiteral("\\Textures"),
                      QStringLiteral("Textures"))};
}

// Two of everything a list shows, so each list has a row to remove and a row left.
CFOMOD sampleProject() {
    CFOMOD project;
    CStep step(QStringLiteral("Step1"));
    step.vVisibility = twoDependencies();
    for (int g = 0; g < 2; ++g) {
        CPluginGroup group(QStringLiteral("G%1").arg(g), QStringLiteral("SelectAny"));
        for (int p = 0; p < 2; ++p) {
            CPlugin plugin(QStringLiteral("P%1%2").arg(g).arg(p));
            plugin.vConditionFlags = {{QStringLiteral("FlagA"), QStringLiteral("On")},
                                      {QStringLiteral("FlagB"), QStringLiteral("Off")}};
            plugin.vFiles = twoFiles(QStringLiteral("p"));
            CDependencyPattern pattern;
            pattern.sOperator = QStringLiteral("And");
            pattern.sType = QStringLiteral("Recommended");
            pattern.vDependencies = twoDependencies();
            plugin.vPatterns = {pattern, pattern};
            group.vPlugins.append(plugin);
        }
        step.vGroups.append(group);
    }
    project.vSteps = {step, CStep(QStringLiteral("Step2"))};
    project.vRequiredFiles = twoFiles(QStringLiteral("r"));
    CConditionalFile conditional;
    conditional.sOperator = QStringLiteral("And");
    conditional.vDependencies = twoDependencies();
    conditional.vFiles = twoFiles(QStringLiteral("c"));
    project.vConditionalFiles = {conditional, conditional};
    return project;
}

} // namespace

// The window holding the sample project on the page of a place, shown and active, so that the
// focus moves as it does for a user.
class KeyboardSession : public EditorSession {
public:
    explicit KeyboardSession(Place place) {
        proceed();
        doc.project = sampleProject();
        form.showProjectPages();
        switch (place) {
        case Place::ModInfo:
            chooseTab(QStringLiteral("PageControl"), 0);
            break;
        case Place::Groups:
        case Place::FlagSet:
            break;
        case Place::PluginDependencies:
            chooseTab(QStringLiteral("PageControl2"), 1);
            break;
        case Place::Conditions:
            chooseTab(QStringLiteral("StepsPageControl"), 1);
            break;
        case Place::Required:
            chooseTab(QStringLiteral("PageControl"), 2);
            break;
        case Place::Conditional:
            chooseTab(QStringLiteral("PageControl"), 3);
            break;
        }
    }

    bool active() { return QTest::qWaitForWindowActive(&form); }

    static QString focusName() {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    static void pressOnFocus(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void tabLeavesList_data();
    void tabLeavesList();
    void deleteRunsRemoveButton_data();
    void deleteRunsRemoveButton();
    void enterRunsAddButton_data();
    void enterRunsAddButton();
    void f2RenamesInPlace_data();
    void f2RenamesInPlace();
    void memoTabMovesFocus_data();
    void memoTabMovesFocus();
    void focusReturnsWhenButtonDisabled_data();
    void focusReturnsWhenButtonDisabled();
    void spaceNeverDeletesSecondStep_data();
    void spaceNeverDeletesSecondStep();
    void longStepNameElided_data();
    void longStepNameElided();
    void conditionFieldsKeptOnOperatorChange();
};

void TestKeyboard::tabLeavesList_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<Place>("place");

    QTest::newRow("groups") << "GroupListView" << Place::Groups;
    QTest::newRow("plugins") << "PluginListView" << Place::Groups;
    QTest::newRow("plugin sources") << "SrcFilesListView" << Place::Groups;
    QTest::newRow("plugin destinations") << "DstFilesListView" << Place::Groups;
    QTest::newRow("flags") << "FlagSetListView" << Place::FlagSet;
    QTest::newRow("plugin dependencies")
        << "PluginDependenciesListView" << Place::PluginDependencies;
    QTest::newRow("step conditions") << "ConditionListView" << Place::Conditions;
    QTest::newRow("required sources") << "RequiredFilesSrcListView" << Place::Required;
    QTest::newRow("required destinations") << "RequiredFilesDstListView" << Place::Required;
    QTest::newRow("pattern dependencies") << "CondFilePatternListView" << Place::Conditional;
    QTest::newRow("conditional sources") << "CondFilesSrcListView" << Place::Conditional;
    QTest::newRow("conditional destinations") << "CondFilesDstListView" << Place::Conditional;
}

void TestKeyboard::tabLeavesList() {
    QFETCH(QString, list);
    QFETCH(Place, place);

    KeyboardSession s(place);
    QVERIFY(s.active());
    QTableWidget* table = s.list(list);
    QCOMPARE(table->rowCount(), 2);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Tab, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_Backtab, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        s.select(list, 0);
        table->setFocus(Qt::OtherFocusReason);
        QVERIFY(table->hasFocus());
        QTest::keyClick(table, key, modifiers);
        QVERIFY2(!table->hasFocus(), key == Qt::Key_Tab ? "Tab" : "Shift+Tab");
        QCOMPARE(s.selected(list), 0);
    }
}

void TestKeyboard::deleteRunsRemoveButton_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("button");

    QTest::newRow("groups") << "GroupListView" << Place::Groups << "RemoveGroupButton";
    QTest::newRow("plugins") << "PluginListView" << Place::Groups << "RemovePluginButton";
    QTest::newRow("plugin sources")
        << "SrcFilesListView" << Place::Groups << "RemoveFileFolderButton";
    QTest::newRow("plugin destinations")
        << "DstFilesListView" << Place::Groups << "RemoveFileFolderButton";
    QTest::newRow("flags") << "FlagSetListView" << Place::FlagSet << "DeleteVaribleButton";
    QTest::newRow("plugin dependencies")
        << "PluginDependenciesListView" << Place::PluginDependencies << "pdDeleteButton";
    QTest::newRow("step conditions")
        << "ConditionListView" << Place::Conditions << "DeleteConditionButton";
    QTest::newRow("required sources")
        << "RequiredFilesSrcListView" << Place::Required << "RemoveRequiredFileFolderButton";
    QTest::newRow("required destinations")
        << "RequiredFilesDstListView" << Place::Required << "RemoveRequiredFileFolderButton";
    QTest::newRow("pattern dependencies")
        << "CondFilePatternListView" << Place::Conditional << "RemoveCondFileConditionButton";
    QTest::newRow("conditional sources")
        << "CondFilesSrcListView" << Place::Conditional << "CondFileRemoveFileFolderButton";
    QTest::newRow("conditional destinations")
        << "CondFilesDstListView" << Place::Conditional << "CondFileRemoveFileFolderButton";
}

// Delete does what the button does, and nothing while the button is disabled.
void TestKeyboard::deleteRunsRemoveButton() {
    QFETCH(QString, list);
    QFETCH(Place, place);
    QFETCH(QString, button);

    CFOMOD byKey;
    QStringList rowsByKey;
    {
        KeyboardSession s(place);
        s.select(list, -1);
        QVERIFY(!s.enabled(button));
        QTest::keyClick(s.list(list), Qt::Key_Delete);
        QVERIFY(s.doc.project == sampleProject());
        QCOMPARE(s.list(list)->rowCount(), 2);

        s.select(list, 0);
        QVERIFY(s.enabled(button));
        QTest::keyClick(s.list(list), Qt::Key_Delete);
        QVERIFY(!(s.doc.project == sampleProject()));
        QCOMPARE(s.list(list)->rowCount(), 1);
        byKey = s.doc.project;
        rowsByKey = s.column(list, 0);
    }
    KeyboardSession s(place);
    s.select(list, 0);
    s.click(button);
    QVERIFY(s.doc.project == byKey);
    QCOMPARE(s.column(list, 0), rowsByKey);
}

void TestKeyboard::enterRunsAddButton_data() {
    QTest::addColumn<Place>("place");
    // Pairs of a field and the text typed into it, in order; Enter goes to the last field.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("button");

    QTest::newRow("group name") << Place::Groups << QStringList{"GroupNameEdit", "New group"}
                                << "AddGroupButton";
    QTest::newRow("plugin name") << Place::Groups << QStringList{"PluginNameEdit", "New plugin"}
                                 << "AddPluginButton";
    QTest::newRow("flag name") << Place::FlagSet << QStringList{"VaribleComboBox", "FlagC"}
                               << "AddVaribleButton";
    QTest::newRow("flag value") << Place::FlagSet
                                << QStringList{"VaribleComboBox", "FlagC", "VaribleValueComboBox",
                                               "Yes"}
                                << "AddVaribleButton";
    QTest::newRow("step condition name")
        << Place::Conditions << QStringList{"ConditionComboBox", "FlagB"} << "AddConditionButton";
    QTest::newRow("step condition value")
        << Place::Conditions << QStringList{"ConditionValueComboBox", "Yes"}
        << "AddConditionButton";
    QTest::newRow("plugin dependency name")
        << Place::PluginDependencies << QStringList{"pdFileFlagNameComboBox", "Other.esp"}
        << "pdAddButton";
    QTest::newRow("plugin dependency state")
        << Place::PluginDependencies << QStringList{"pdStateValueComboBox", "Missing"}
        << "pdAddButton";
    QTest::newRow("pattern dependency name")
        << Place::Conditional << QStringList{"CondFileDependNameComboBox", "FlagB"}
        << "AddCondFileConditionButton";
    QTest::newRow("pattern dependency value")
        << Place::Conditional << QStringList{"CondFileDependValueComboBox", "On"}
        << "AddCondFileConditionButton";
}

void TestKeyboard::enterRunsAddButton() {
    QFETCH(Place, place);
    QFETCH(QStringList, typed);
    QFETCH(QString, button);

    CFOMOD byKey;
    {
        KeyboardSession s(place);
        for (qsizetype i = 0; i + 1 < typed.size(); i += 2)
            s.type(typed[i], typed[i + 1]);
        QTest::keyClick(s.component<QWidget>(typed[typed.size() - 2]), Qt::Key_Return);
        QVERIFY(!(s.doc.project == sampleProject()));
        byKey = s.doc.project;
    }
    KeyboardSession s(place);
    for (qsizetype i = 0; i + 1 < typed.size(); i += 2)
        s.type(typed[i], typed[i + 1]);
    s.click(button);
    QVERIFY(s.doc.project == byKey);
}

enum class Renamed {
    Group,
    Plugin,
    PluginDestination,
    RequiredDestination,
    ConditionalDestination
};

void TestKeyboard::f2RenamesInPlace_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<Place>("place");
    QTest::addColumn<int>("renamed");

    QTest::newRow("group") << "GroupListView" << Place::Groups << int(Renamed::Group);
    QTest::newRow("plugin") << "PluginListView" << Place::Groups << int(Renamed::Plugin);
    QTest::newRow("plugin destination")
        << "DstFilesListView" << Place::Groups << int(Renamed::PluginDestination);
    QTest::newRow("required destination")
        << "RequiredFilesDstListView" << Place::Required << int(Renamed::RequiredDestination);
    QTest::newRow("conditional destination")
        << "CondFilesDstListView" << Place::Conditional << int(Renamed::ConditionalDestination);
}

// F2 edits the name of the selected row, also while another cell of it is the current one.
void TestKeyboard::f2RenamesInPlace() {
    QFETCH(QString, list);
    QFETCH(Place, place);
    QFETCH(int, renamed);

    KeyboardSession s(place);
    QVERIFY(s.active());
    QTableWidget* table = s.list(list);
    s.select(list, 1);
    table->setCurrentCell(1, table->columnCount() - 1, QItemSelectionModel::NoUpdate);
    table->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = s.cellEditor(list);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an accepted edit from its queue

    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("Renamed"));
    CFOMOD expected = sampleProject();
    CStep& step = expected.vSteps[0];
    switch (Renamed(renamed)) {
    case Renamed::Group:
        step.vGroups[1].sName = QStringLiteral("Renamed");
        break;
    case Renamed::Plugin:
        step.vGroups[0].vPlugins[1].sName = QStringLiteral("Renamed");
        break;
    case Renamed::PluginDestination:
        step.vGroups[0].vPlugins[0].vFiles[1].sDestination = QStringLiteral("Renamed");
        break;
    case Renamed::RequiredDestination:
        expected.vRequiredFiles[1].sDestination = QStringLiteral("Renamed");
        break;
    case Renamed::ConditionalDestination:
        expected.vConditionalFiles[0].vFiles[1].sDestination = QStringLiteral("Renamed");
        break;
    }
    QVERIFY(s.doc.project == expected);
}

void TestKeyboard::memoTabMovesFocus_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<Place>("place");

    QTest::newRow("plugin description") << "PluginDescriptionMemo" << Place::Groups;
    QTest::newRow("mod description") << "ModDesccriptionMemo" << Place::ModInfo;
}

void TestKeyboard::memoTabMovesFocus() {
    QFETCH(QString, memo);
    QFETCH(Place, place);

    KeyboardSession s(place);
    QVERIFY(s.active());
    auto* edit = s.component<QPlainTextEdit>(memo);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(edit, QStringLiteral("a"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->toPlainText(), QStringLiteral("a"));

    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(!edit->hasFocus());

    edit->setFocus(Qt::OtherFocusReason);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->toPlainText(), QStringLiteral("a\t"));
}

void TestKeyboard::focusReturnsWhenButtonDisabled_data() {
    QTest::addColumn<Place>("place");
    // A tab strip's tab or a list's row chosen first (none when empty).
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("focus");

    QTest::newRow("move right to the last step")
        << Place::Groups << "" << 0 << "MoveRightButton" << 1 << "StepsTabControl";
    QTest::newRow("move left to the first step")
        << Place::Groups << "StepsTabControl" << 1 << "MoveLeftButton" << 1 << "StepsTabControl";
    QTest::newRow("group down to the bottom")
        << Place::Groups << "" << 0 << "GroupDownButton" << 1 << "GroupListView";
    QTest::newRow("group up to the top")
        << Place::Groups << "GroupListView" << 1 << "GroupUpButton" << 1 << "GroupListView";
    QTest::newRow("group removed")
        << Place::Groups << "" << 0 << "RemoveGroupButton" << 1 << "GroupListView";
    QTest::newRow("plugin down to the bottom")
        << Place::Groups << "" << 0 << "PluginDownButton" << 1 << "PluginListView";
    QTest::newRow("plugin up to the top")
        << Place::Groups << "PluginListView" << 1 << "PluginUpButton" << 1 << "PluginListView";
    QTest::newRow("plugin removed")
        << Place::Groups << "" << 0 << "RemovePluginButton" << 1 << "PluginListView";
    QTest::newRow("last plugin file removed")
        << Place::Groups << "SrcFilesListView" << 0 << "RemoveFileFolderButton" << 2
        << "SrcFilesListView";
    QTest::newRow("flag removed") << Place::FlagSet << "FlagSetListView" << 0
                                  << "DeleteVaribleButton" << 1 << "FlagSetListView";
    QTest::newRow("plugin dependency removed")
        << Place::PluginDependencies << "PluginDependenciesListView" << 0 << "pdDeleteButton" << 1
        << "PluginDependenciesListView";
    QTest::newRow("last type pattern removed")
        << Place::PluginDependencies << "" << 0 << "pdDeletePatternButton" << 2
        << "pdPatternsPageControl";
    QTest::newRow("step condition removed") << Place::Conditions << "ConditionListView" << 1
                                            << "DeleteConditionButton" << 2 << "ConditionListView";
    QTest::newRow("pattern dependency removed")
        << Place::Conditional << "CondFilePatternListView" << 0 << "RemoveCondFileConditionButton"
        << 1 << "CondFilePatternListView";
    QTest::newRow("pattern moved to the end")
        << Place::Conditional << "" << 0 << "MoveRightCondFilePatternButton" << 1
        << "ConiditionalFilesPageControl";
    QTest::newRow("pattern moved to the front")
        << Place::Conditional << "ConiditionalFilesPageControl" << 1
        << "MoveLeftCondFilePatternButton" << 1 << "ConiditionalFilesPageControl";
    QTest::newRow("last pattern removed")
        << Place::Conditional << "" << 0 << "RemoveCondFilePatternButton" << 2
        << "ConiditionalFilesPageControl";
}

// A button pressed with Space until it is disabled hands the focus to what it acts on, not to
// the next button in the chain.
void TestKeyboard::focusReturnsWhenButtonDisabled() {
    QFETCH(Place, place);
    QFETCH(QString, chosen);
    QFETCH(int, index);
    QFETCH(QString, button);
    QFETCH(int, presses);
    QFETCH(QString, focus);

    KeyboardSession s(place);
    QVERIFY(s.active());
    if (!chosen.isEmpty()) {
        if (qobject_cast<QTabBar*>(s.component<QWidget>(chosen)))
            s.chooseTab(chosen, index);
        else
            s.select(chosen, index);
    }
    auto* pressed = s.component<QPushButton>(button);
    QVERIFY(pressed->isEnabled());
    pressed->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < presses; ++i) {
        QCOMPARE(QApplication::focusWidget(), pressed);
        KeyboardSession::pressOnFocus(Qt::Key_Space);
    }
    QVERIFY(!pressed->isEnabled());
    QCOMPARE(KeyboardSession::focusName(), focus);
}

void TestKeyboard::spaceNeverDeletesSecondStep_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("stepsLeft");

    QTest::newRow("move right") << "MoveRightButton" << 3;
    QTest::newRow("delete step") << "DeleteStepButton" << 2;
}

// Whatever button Space starts on, more Spaces delete no step (beyond the one that Delete step
// itself deletes).
void TestKeyboard::spaceNeverDeletesSecondStep() {
    QFETCH(QString, button);
    QFETCH(int, stepsLeft);

    KeyboardSession s(Place::Groups);
    QVERIFY(s.active());
    s.addStep();
    s.chooseStep(0);
    QCOMPARE(s.doc.project.vSteps.size(), 3);
    s.component<QWidget>(button)->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < 5; ++i)
        KeyboardSession::pressOnFocus(Qt::Key_Space);
    QCOMPARE(s.doc.project.vSteps.size(), stepsLeft);
    QCOMPARE(s.stepTabs()->count(), stepsLeft);
}

void TestKeyboard::longStepNameElided_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("elided");

    QTest::newRow("short") << "Armour choice" << false;
    QTest::newRow("long") << QStringLiteral("Choose the textures of the armour: ").repeated(6)
                          << true;
}

void TestKeyboard::longStepNameElided() {
    QFETCH(QString, name);
    QFETCH(bool, elided);

    KeyboardSession s(Place::Groups);
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.type(QStringLiteral("StepNameEdit"), name);
    auto* tabs = qobject_cast<ElidedTabBar*>(s.stepTabs());
    QVERIFY(tabs);
    QCOMPARE(tabs->tabText(0), name);
    QCOMPARE(s.step(0).sName, name);
    QVERIFY(tabs->tabRect(0).width() <= ElidedTabBar::iMaxTabWidth);
    QCOMPARE(tabs->isElided(0), elided);
    QCOMPARE(tabs->tabToolTip(0), elided ? name : QString());
    // The other tab keeps its own caption and needs no tooltip.
    QCOMPARE(tabs->tabText(1), QStringLiteral("Step2"));
    QCOMPARE(tabs->tabToolTip(1), QString());
}

// Typing a new step operator rebuilds the view at each key; the operator box keeps the focus,
// and the new condition's texts stay as typed and are what Add adds.
void TestKeyboard::conditionFieldsKeptOnOperatorChange() {
    KeyboardSession s(Place::Conditions);
    QVERIFY(s.active());
    auto* type = s.component<QComboBox>(QStringLiteral("VisibilityTypeComboBox"));
    type->setCurrentText(QStringLiteral("file"));
    s.type(QStringLiteral("ConditionComboBox"), QStringLiteral("FlagB"));
    s.type(QStringLiteral("ConditionValueComboBox"), QStringLiteral("Yes"));

    auto* operatorBox = s.component<QComboBox>(QStringLiteral("visOperatorComboBox"));
    operatorBox->setFocus(Qt::OtherFocusReason);
    operatorBox->lineEdit()->selectAll();
    for (char c : {'O', 'r'})
        QTest::keyClick(QApplication::focusWidget(), c);
    QVERIFY(operatorBox->hasFocus());
    QCOMPARE(operatorBox->currentText(), QStringLiteral("Or"));
    QCOMPARE(s.step().sOperator, QStringLiteral("Or"));
    QCOMPARE(type->currentText(), QStringLiteral("file"));
    QCOMPARE(s.component<QComboBox>("ConditionComboBox")->currentText(), QStringLiteral("FlagB"));
    QCOMPARE(s.component<QComboBox>("ConditionValueComboBox")->currentText(),
             QStringLiteral("Yes"));

    s.click(QStringLiteral("AddConditionButton"));
    const CDependency added =
        dependency(QStringLiteral("file"), QStringLiteral("FlagB"), QStringLiteral("Yes"));
    QCOMPARE(s.step().vVisibility.size(), 3);
    QVERIFY(s.step().vVisibility.last() == added);
    QCOMPARE(s.row(QStringLiteral("ConditionListView"), 2),
             (QStringList{"file", "FlagB", "==", "Yes", "Or"}));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
