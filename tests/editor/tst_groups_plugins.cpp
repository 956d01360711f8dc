#include "editor/EditorSession.h"
#include "editor/GroupsPluginsController.h"
#include "installer/ProjectParts.h"

#include "installer/Writer.h"
#include "model/Vocabulary.h"
#include "settings/Settings.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QtTest>

using ProjectParts::dependencyPattern;
using ProjectParts::fileEntry;

class TestGroupsPlugins : public QObject {
    Q_OBJECT

private slots:
    void addGroupsAndPlugins();
    void moveGroup_data();
    void moveGroup();
    void movePlugin_data();
    void movePlugin();
    void removeGroupAndPlugin();
    void renameInPlace_data();
    void renameInPlace();
    void editHint_data();
    void editHint();
    void nameEditEndsOnTabClick_data();
    void nameEditEndsOnTabClick();
    void groupTypeBox_data();
    void groupTypeBox();
    void groupTypeBoxAndOtherControls_data();
    void groupTypeBoxAndOtherControls();
    void groupTypeBoxStoresIntoItsOwnGroup_data();
    void groupTypeBoxStoresIntoItsOwnGroup();
    void pluginDescription_data();
    void pluginDescription();
    void descriptionSurvivesRebuild();
    void missingImageShownOnce();
    void chooseImage_data();
    void chooseImage();
    void undecodableImageOnSelection();
    void noGroupsLeavesPluginSideDisabled();
    void pluginFilesFollowSelection();
};

namespace {

// Three groups with one plugin each: G0 with P0, G1 with P1, G2 with P2.
void addThreeGroups(EditorSession& s) {
    for (int i = 0; i < 3; ++i) {
        s.addGroup(QStringLiteral("G%1").arg(i));
        s.addPlugin(QStringLiteral("P%1").arg(i));
    }
}

QStringList split(const char* csv) {
    return QString::fromLatin1(csv).split(QLatin1Char(','));
}

} // namespace

void TestGroupsPlugins::addGroupsAndPlugins() {
    EditorSession s;
    s.proceed();
    QCOMPARE(s.doc.project.vSteps.size(), 1);

    // Nothing happens without a name, and no plugin can be added without a group.
    s.addGroup(QString());
    s.addPlugin(QStringLiteral("Orphan"));
    QVERIFY(s.step().vGroups.isEmpty());
    QCOMPARE(s.list("GroupListView")->rowCount(), 0);
    QVERIFY(!s.enabled("AddPluginButton"));
    QVERIFY(!s.enabled("RemoveGroupButton"));

    s.addGroup(QStringLiteral("Textures"), QStringLiteral("SelectAll"));
    s.addGroup(QStringLiteral("Textures"), QStringLiteral("SelectAtMostOne"));
    QCOMPARE(s.groupNames(), split("Textures,Textures"));
    QCOMPARE(s.step().vGroups[0].sType, QStringLiteral("SelectAll"));
    QCOMPARE(s.step().vGroups[1].sType, QStringLiteral("SelectAtMostOne"));
    QCOMPARE(s.column("GroupListView", 1), split("SelectAll,SelectAtMostOne"));
    // The new group is selected; its (empty) plugin side is ready for a plugin.
    QCOMPARE(s.selected("GroupListView"), 1);
    QVERIFY(s.enabled("AddPluginButton"));
    QVERIFY(s.enabled("RemoveGroupButton"));
    QVERIFY(s.enabled("GroupUpButton"));
    QVERIFY(!s.enabled("GroupDownButton"));
    QVERIFY(!s.enabled("PluginDescriptionMemo"));
    QCOMPARE(s.component<QLineEdit>("GroupNameEdit")->text(), QStringLiteral("Textures"));

    s.addPlugin(QString());
    QVERIFY(s.step().vGroups[1].vPlugins.isEmpty());
    s.addPlugin(QStringLiteral("4K"));
    s.addPlugin(QStringLiteral("2K"));
    QCOMPARE(s.pluginNames(1), split("4K,2K"));
    QVERIFY(s.step().vGroups[0].vPlugins.isEmpty());
    QCOMPARE(s.step().vGroups[1].vPlugins[1].sType, QStringLiteral("Optional"));
    QCOMPARE(s.column("PluginListView", 0), split("4K,2K"));
    QCOMPARE(s.selected("PluginListView"), 1);
    for (const char* name :
         {"RemovePluginButton", "PluginDescriptionMemo", "AddVaribleButton",
          "ChoosePluginImageButton", "ClearPluginImageButton", "PluginImageEdit", "AddFileButton",
          "AddFolderButton", "pdDefTypeComboBox", "pdNewPatternButton", "PluginUpButton"})
        QVERIFY2(s.enabled(name), name);
    for (const char* name : {"PluginDownButton", "DeleteVaribleButton", "pdDeletePatternButton"})
        QVERIFY2(!s.enabled(name), name);

    // Choosing the other group shows its own (empty) plugin list.
    s.select("GroupListView", 0);
    QCOMPARE(s.list("PluginListView")->rowCount(), 0);
    QVERIFY(!s.enabled("RemovePluginButton"));
    QVERIFY(!s.enabled("PluginDescriptionMemo"));
    s.select("GroupListView", 1);
    QCOMPARE(s.column("PluginListView", 0), split("4K,2K"));
    QCOMPARE(s.selected("PluginListView"), 0);
}

void TestGroupsPlugins::moveGroup_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("upEnabled");
    QTest::addColumn<bool>("downEnabled");

    QTest::newRow("second up") << 1 << "GroupUpButton" << split("G1,G0,G2") << 0 << false << true;
    QTest::newRow("first down") << 0 << "GroupDownButton" << split("G1,G0,G2") << 1 << true << true;
    QTest::newRow("second down") << 1 << "GroupDownButton" << split("G0,G2,G1") << 2 << true
                                 << false;
    QTest::newRow("first up") << 0 << "GroupUpButton" << split("G0,G1,G2") << 0 << false << true;
    QTest::newRow("last down") << 2 << "GroupDownButton" << split("G0,G1,G2") << 2 << true << false;
}

void TestGroupsPlugins::moveGroup() {
    QFETCH(int, from);
    QFETCH(QString, button);
    QFETCH(QStringList, order);
    QFETCH(int, to);
    QFETCH(bool, upEnabled);
    QFETCH(bool, downEnabled);

    EditorSession s;
    s.proceed();
    addThreeGroups(s);
    s.select("GroupListView", from);
    s.click(button);

    QCOMPARE(s.groupNames(), order);
    QCOMPARE(s.column("GroupListView", 0), order);
    for (int g = 0; g < 3; ++g) // each group keeps its plugins
        QCOMPARE(s.pluginNames(g), QStringList{QString(order[g]).replace('G', 'P')});
    QCOMPARE(s.selected("GroupListView"), to);
    QCOMPARE(s.column("PluginListView", 0), QStringList{QString(order[to]).replace('G', 'P')});
    QCOMPARE(s.enabled("GroupUpButton"), upEnabled);
    QCOMPARE(s.enabled("GroupDownButton"), downEnabled);
}

void TestGroupsPlugins::movePlugin_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("to");

    QTest::newRow("last up") << 2 << "PluginUpButton" << split("P0,P2,P1") << 1;
    QTest::newRow("first down") << 0 << "PluginDownButton" << split("P1,P0,P2") << 1;
    QTest::newRow("first up") << 0 << "PluginUpButton" << split("P0,P1,P2") << 0;
}

void TestGroupsPlugins::movePlugin() {
    QFETCH(int, from);
    QFETCH(QString, button);
    QFETCH(QStringList, order);
    QFETCH(int, to);

    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.step().vGroups[0].vPlugins[from].vConditionFlags.append(CCondition("moved", "On"));
    s.select("PluginListView", from);
    s.click(button);

    QCOMPARE(s.pluginNames(0), order);
    QCOMPARE(s.column("PluginListView", 0), order);
    QCOMPARE(s.selected("PluginListView"), to);
    // The moved plugin's details follow it.
    QCOMPARE(s.column("FlagSetListView", 0), QStringList{"moved"});
    QCOMPARE(s.enabled("PluginUpButton"), to > 0);
    QCOMPARE(s.enabled("PluginDownButton"), to < 2);
}

void TestGroupsPlugins::removeGroupAndPlugin() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.addGroup(QStringLiteral("Other"));
    s.addPlugin(QStringLiteral("Kept"));

    s.select("GroupListView", 0);
    s.select("PluginListView", 1);
    s.click("RemovePluginButton");
    QCOMPARE(s.pluginNames(0), split("P0,P2"));
    QCOMPARE(s.column("PluginListView", 0), split("P0,P2"));
    QCOMPARE(s.selected("PluginListView"), -1);
    for (const char* name :
         {"RemovePluginButton", "PluginDescriptionMemo", "AddVaribleButton",
          "ChoosePluginImageButton", "AddFileButton", "pdDefTypeComboBox", "pdNewPatternButton"})
        QVERIFY2(!s.enabled(name), name);
    s.click("RemovePluginButton"); // nothing selected: nothing removed
    QCOMPARE(s.pluginNames(0).size(), 2);

    s.select("GroupListView", 0);
    s.click("RemoveGroupButton");
    QCOMPARE(s.groupNames(), QStringList{"Other"});
    QCOMPARE(s.pluginNames(0), QStringList{"Kept"});
    QCOMPARE(s.column("GroupListView", 0), QStringList{"Other"});
    QCOMPARE(s.selected("GroupListView"), -1);
    QCOMPARE(s.list("PluginListView")->rowCount(), 0);
    for (const char* name : {"RemoveGroupButton", "AddPluginButton", "GroupUpButton",
                             "GroupDownButton", "RemovePluginButton", "PluginDescriptionMemo"})
        QVERIFY2(!s.enabled(name), name);
}

void TestGroupsPlugins::renameInPlace_data() {
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("typed");

    QTest::newRow("group") << "GroupListView"
                           << "EditListElementCMenu2"
                           << "Meshes & more";
    QTest::newRow("group emptied") << "GroupListView"
                                   << "EditListElementCMenu2"
                                   << "";
    QTest::newRow("plugin") << "PluginListView"
                            << "EditListElementCMenu"
                            << "\"Quoted\" <b>";
    QTest::newRow("plugin emptied") << "PluginListView"
                                    << "EditListElementCMenu"
                                    << "";
}

void TestGroupsPlugins::renameInPlace() {
    QFETCH(QString, listName);
    QFETCH(QString, action);
    QFETCH(QString, typed);

    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.addGroup(QStringLiteral("Second"));
    s.select("GroupListView", 0);
    s.select("PluginListView", 1);
    const bool group = listName == QLatin1String("GroupListView");
    const int row = group ? 0 : 1;
    QTableWidget* list = s.list(listName);

    // The context menu offers its items only while a row is selected.
    QMenu* menu = s.openContextMenu(listName);
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), group ? "PopupMenu2" : "PopupMenu");
    auto* item = s.component<QAction>(action);
    QVERIFY(item->isEnabled());
    menu->close();

    item->trigger();
    auto* editor = s.cellEditor(listName);
    QVERIFY(editor);
    QCOMPARE(editor->text(), list->item(row, 0)->text());
    editor->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an accepted edit from its queue

    QCOMPARE(list->item(row, 0)->text(), typed);
    if (group) {
        QCOMPARE(s.groupNames(), QStringList({typed, "Second"}));
    } else {
        QCOMPARE(s.pluginNames(0), QStringList({"P0", typed, "P2"}));
        QCOMPARE(s.groupNames(), split("G,Second"));
    }

    s.select(listName, -1);
    menu = s.openContextMenu(listName);
    QVERIFY(menu);
    QVERIFY(!item->isEnabled());
    menu->close();
}

void TestGroupsPlugins::editHint_data() {
    QTest::addColumn<QString>("listName");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("hinted");

    QTest::newRow("groups") << "GroupListView" << true << false;
    QTest::newRow("plugins") << "PluginListView" << true << false;
    QTest::newRow("plugin destinations") << "DstFilesListView" << true << true;
    QTest::newRow("required destinations") << "RequiredFilesDstListView" << true << true;
    QTest::newRow("conditional destinations") << "CondFilesDstListView" << true << true;
    QTest::newRow("sources") << "SrcFilesListView" << false << false;
    QTest::newRow("flags") << "FlagSetListView" << false << false;
}

void TestGroupsPlugins::editHint() {
    QFETCH(QString, listName);
    QFETCH(bool, editable);
    QFETCH(bool, hinted);

    EditorSession s;
    QTableWidget* list = s.list(listName);
    // Only the destination lists carry the hint, which speaks of destination paths; no other
    // list of the window has a tooltip.
    QCOMPARE(list->toolTip(), hinted ? QStringLiteral("To edit: select destination path and then "
                                                      "click on it again. It's like you rename "
                                                      "files in Windows.")
                                     : QString());
    QCOMPARE(list->editTriggers() != QAbstractItemView::NoEditTriggers, editable);
}

void TestGroupsPlugins::nameEditEndsOnTabClick_data() {
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<int>("tab");

    QTest::newRow("another step") << "StepsTabControl" << 0;
    QTest::newRow("another page") << "PageControl" << 0;
}

void TestGroupsPlugins::nameEditEndsOnTabClick() {
    QFETCH(QString, tabs);
    QFETCH(int, tab);

    EditorSession s;
    s.proceed();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    s.addStep();
    s.addGroup(QStringLiteral("Old name"));
    s.component<QAction>("EditListElementCMenu2")->trigger();
    auto* editor = s.cellEditor("GroupListView");
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("New name"));

    // A click on a tab, as the user makes it: the typed name is kept, not dropped.
    s.chooseTab(tabs, tab);
    QCoreApplication::processEvents();
    QCOMPARE(s.doc.project.vSteps[1].vGroups[0].sName, QStringLiteral("New name"));
}

void TestGroupsPlugins::groupTypeBox_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key"); // 0: the box loses the focus to another control
    QTest::addColumn<QString>("stored");

    QTest::newRow("escape") << "SelectAll" << int(Qt::Key_Escape) << "SelectAny";
    QTest::newRow("enter") << "SelectAll" << int(Qt::Key_Return) << "SelectAll";
    QTest::newRow("free text, enter") << "MyOwnType" << int(Qt::Key_Enter) << "MyOwnType";
    QTest::newRow("focus loss") << "SelectAtLeastOne" << 0 << "SelectAtLeastOne";
}

void TestGroupsPlugins::groupTypeBox() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, stored);

    EditorSession s;
    s.proceed();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    s.addGroup(QStringLiteral("First"), QStringLiteral("SelectExactlyOne"));
    s.addGroup(QStringLiteral("Second"), QStringLiteral("SelectAny"));
    auto* box = s.component<QComboBox>("EditGroupTypeComboBox");
    QCOMPARE(box->parentWidget(), &s.form);
    QVERIFY(box->isHidden());
    QVERIFY(!box->isEnabled());

    QTableWidget* list = s.list("GroupListView");
    s.select("GroupListView", 1);
    s.component<QAction>("EditGroupTypeCMenu2")->trigger();
    QCOMPARE(s.form.groupsPlugins()->editedTypeRow(), 1);
    QVERIFY(box->isVisible());
    QVERIFY(box->isEnabled());
    QVERIFY(box->hasFocus());
    QCOMPARE(box->currentText(), QStringLiteral("SelectAny"));
    // It floats over the row's "Type" cell.
    const QRect cell = list->visualItemRect(list->item(1, 1));
    QCOMPARE(box->geometry().topLeft(), list->viewport()->mapTo(&s.form, cell.topLeft()));
    QCOMPARE(box->width(), cell.width());

    box->lineEdit()->selectAll();
    QTest::keyClicks(box, typed);
    if (key != 0)
        QTest::keyClick(box, Qt::Key(key));
    else
        s.component<QLineEdit>("GroupNameEdit")->setFocus(Qt::MouseFocusReason);

    QVERIFY(box->isHidden());
    QVERIFY(!box->isEnabled());
    QCOMPARE(list->item(1, 1)->text(), stored);
    QCOMPARE(s.step().vGroups[1].sType, stored);
    QCOMPARE(s.step().vGroups[0].sType, QStringLiteral("SelectExactlyOne"));
    QCOMPARE(box->findText(typed), Vocabulary::groupTypes().indexOf(typed)); // nothing added
}

void TestGroupsPlugins::groupTypeBoxAndOtherControls_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stillOpen");

    // A step tab takes no focus; the edit still ends, for the step it was opened in.
    QTest::newRow("another step chosen") << "step tab" << false;
    QTest::newRow("a menu opened") << "menu" << false;
    QTest::newRow("its own drop-down list") << "own list" << true;
}

void TestGroupsPlugins::groupTypeBoxAndOtherControls() {
    QFETCH(QString, action);
    QFETCH(bool, stillOpen);

    EditorSession s;
    s.proceed();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    s.addGroup(QStringLiteral("Second step's"), QStringLiteral("SelectAny"));
    s.addStep();
    s.addGroup(QStringLiteral("Edited"), QStringLiteral("SelectAny"));
    auto* box = s.component<QComboBox>("EditGroupTypeComboBox");
    s.select("GroupListView", 0);
    s.component<QAction>("EditGroupTypeCMenu2")->trigger();
    QVERIFY(box->hasFocus());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, QStringLiteral("SelectAll"));

    if (action == QLatin1String("step tab")) {
        s.chooseStep(0);
    } else if (action == QLatin1String("menu")) {
        auto* menu = s.component<QMenu>("FOMODMenu");
        menu->popup(s.form.mapToGlobal(QPoint(10, 10)));
        menu->close();
    } else {
        box->showPopup();
        box->hidePopup();
    }

    QCOMPARE(box->isVisible(), stillOpen);
    const QList<CStep>& steps = s.doc.project.vSteps;
    QCOMPARE(steps[0].vGroups[0].sType, QStringLiteral("SelectAny"));
    QCOMPARE(steps[1].vGroups[0].sType,
             stillOpen ? QStringLiteral("SelectAny") : QStringLiteral("SelectAll"));
    if (stillOpen) {
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(steps[1].vGroups[0].sType, QStringLiteral("SelectAll"));
    }
}

// Commands that change the group rows while the box is open (a button run without taking the
// focus) end its edit first, for the group it was opened on.
void TestGroupsPlugins::groupTypeBoxStoresIntoItsOwnGroup_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("group removed") << "RemoveGroupButton";
    QTest::newRow("group moved") << "GroupDownButton";
    QTest::newRow("steps merged in front") << "MergeFOMODMenu";
}

void TestGroupsPlugins::groupTypeBoxStoresIntoItsOwnGroup() {
    QFETCH(QString, action);

    EditorSession s;
    s.proceed();
    s.addGroup(QStringLiteral("Edited"), QStringLiteral("SelectAny"));
    s.addGroup(QStringLiteral("Other"), QStringLiteral("SelectAny"));
    CFOMOD donor;
    donor.vSteps.append(CStep(QStringLiteral("Donor")));
    donor.vSteps[0].vGroups.append(
        CPluginGroup(QStringLiteral("Donated"), QStringLiteral("SelectAny")));
    const QString donorPath = s.dir.filePath(QStringLiteral("donor.xml"));
    EditorSession::writeFile(
        donorPath,
        InstallerWriter::configFileBytes(donor, QStringLiteral("1.0.0.0"), QStringLiteral("home")));
    s.prompts.vFileAnswers.append({QDir::toNativeSeparators(donorPath)});

    s.select("GroupListView", 0);
    s.component<QAction>("EditGroupTypeCMenu2")->trigger();
    auto* box = s.component<QComboBox>("EditGroupTypeComboBox");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, QStringLiteral("SelectAll"));
    if (action.endsWith(QLatin1String("Menu")))
        s.chooseMenu(action);
    else
        s.click(action);

    QVERIFY(box->isHidden());
    QMap<QString, QString> types;
    for (const CStep& step : s.doc.project.vSteps)
        for (const CPluginGroup& group : step.vGroups)
            types.insert(group.sName, group.sType);
    QCOMPARE(types.value(QStringLiteral("Other")), QStringLiteral("SelectAny"));
    QCOMPARE(types.value(QStringLiteral("Donated"), QStringLiteral("SelectAny")),
             QStringLiteral("SelectAny"));
    if (types.contains(QStringLiteral("Edited")))
        QCOMPARE(types.value(QStringLiteral("Edited")), QStringLiteral("SelectAll"));
}

void TestGroupsPlugins::pluginDescription_data() {
    QTest::addColumn<bool>("replaceRN");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("stored");

    QTest::newRow("line break kept") << false << split("A,B") << "A\r\nB";
    QTest::newRow("line break as references") << true << split("A,B") << "A&#13;&#10;\nB";
    QTest::newRow("markup escaped") << false << QStringList{"a < b & c"} << "a &#60; b &#38; c";
    QTest::newRow("references kept") << true << QStringList{"&#169; <i>"} << "&#169; &#60;i&#62;";
}

void TestGroupsPlugins::pluginDescription() {
    QFETCH(bool, replaceRN);
    QFETCH(QStringList, lines);
    QFETCH(QString, stored);

    const bool saved = Settings::instance().bReplaceRN;
    Settings::instance().bReplaceRN = replaceRN;
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.select("PluginListView", 1);
    auto* memo = s.component<QPlainTextEdit>("PluginDescriptionMemo");
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines[i]);
    }
    const CPlugin& plugin = s.step().vGroups[0].vPlugins[1];
    QCOMPARE(plugin.sDescription, stored);
    QCOMPARE(memo->toPlainText(), lines.join(QLatin1Char('\n'))); // the memo keeps the typing
    QVERIFY(s.step().vGroups[0].vPlugins[0].sDescription.isEmpty());

    // Showing the plugin again shows what was typed and stores the same text.
    s.select("PluginListView", 0);
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(plugin.sDescription, stored);
    s.select("PluginListView", 1);
    QCOMPARE(plugin.sDescription, stored);
    QCOMPARE(memo->toPlainText(), lines.join(QLatin1Char('\n'))); // shown as typed
    Settings::instance().bReplaceRN = saved;
}

void TestGroupsPlugins::descriptionSurvivesRebuild() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.select("PluginListView", 0);
    QTest::keyClicks(s.component<QPlainTextEdit>("PluginDescriptionMemo"), QStringLiteral("Kept"));

    // Another step and back: the rebuilds empty the memo without touching the plugin.
    s.addStep();
    QCOMPARE(s.doc.iCurrentStep, 1);
    QVERIFY(s.component<QPlainTextEdit>("PluginDescriptionMemo")->toPlainText().isEmpty());
    s.chooseStep(0);
    QCOMPARE(s.step().vGroups[0].vPlugins[0].sDescription, QStringLiteral("Kept"));
    QCOMPARE(s.selected("PluginListView"), 0);
    QCOMPARE(s.component<QPlainTextEdit>("PluginDescriptionMemo")->toPlainText(),
             QStringLiteral("Kept"));
}

void TestGroupsPlugins::missingImageShownOnce() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.step().vGroups[0].vPlugins[1].sImage = QStringLiteral("fomod\\gone.png");
    s.step().vGroups[0].vPlugins[2].sImage = QStringLiteral("fomod\\gone.png");

    s.select("PluginListView", 1);
    const QString text =
        QStringLiteral("Image file not found. Image field for this plugin will be cleared.");
    QCOMPARE(s.prompts.messages(), QStringList{text});
    QCOMPARE(s.prompts.vShown.last().sCaption, QStringLiteral("Quarvel"));
    QVERIFY(s.step().vGroups[0].vPlugins[1].sImage.isEmpty());
    QVERIFY(s.component<QLineEdit>("PluginImageEdit")->text().isEmpty());
    // The selection still finished.
    QVERIFY(s.enabled("pdNewPatternButton"));

    s.select("PluginListView", 0);
    s.select("PluginListView", 1);
    QCOMPARE(s.prompts.messages().size(), 1);
    // Another plugin with the same broken path reports its own.
    s.select("PluginListView", 2);
    QCOMPARE(s.prompts.messages().size(), 2);
    QCOMPARE(s.step().vGroups[0].vPlugins[2].sImage, QString());
}

void TestGroupsPlugins::chooseImage_data() {
    QTest::addColumn<QString>("chosen"); // relative to the session's root; "..": outside
    QTest::addColumn<bool>("picture");   // write a decodable picture there
    QTest::addColumn<QString>("stored"); // empty: refused

    QTest::newRow("inside the root") << "fomod/pic.png" << true << "fomod\\pic.png";
    QTest::newRow("upper-case ending") << "pic.PNG" << true << "pic.PNG";
    QTest::newRow("not a picture") << "readme.txt" << false << "readme.txt";
    QTest::newRow("outside the root") << "../outside.png" << true << "";
    QTest::newRow("sibling folder") << "+B/pic.png" << true << "";
}

void TestGroupsPlugins::chooseImage() {
    QFETCH(QString, chosen);
    QFETCH(bool, picture);
    QFETCH(QString, stored);

    QTemporaryDir outer;
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    const QString root = s.doc.sRootDir;
    QString path;
    if (chosen.startsWith(QLatin1String("..")))
        path = outer.filePath(chosen.mid(3));
    else if (chosen.startsWith(QLatin1Char('+'))) // a folder whose name starts with the root's
        path = root + chosen.mid(1);
    else
        path = root + QLatin1Char('/') + chosen;
    if (picture)
        EditorSession::writePicture(path, "PNG");
    else
        EditorSession::writeFile(path, "text");

    s.select("PluginListView", 0);
    s.prompts.vFileAnswers.append({path});
    s.click("ChoosePluginImageButton");
    const CPlugin& plugin = s.step().vGroups[0].vPlugins[0];
    QVERIFY(s.prompts.sLastFilter.startsWith("Images (*.png *.jpg *.jpeg *.bmp *.gif);;"));
    QCOMPARE(plugin.sImage, stored);
    QCOMPARE(s.component<QLineEdit>("PluginImageEdit")->text(), stored);
    if (stored.isEmpty()) {
        QCOMPARE(s.prompts.messages(), QStringList{"File is out of root directory"});
        QVERIFY(!s.showsPicture("PluginImage"));
        return;
    }
    QVERIFY(s.prompts.messages().isEmpty());
    QCOMPARE(s.showsPicture("PluginImage"), picture);

    // The path survives a new selection of the plugin; Clear removes it.
    s.select("PluginListView", 1);
    QVERIFY(!s.showsPicture("PluginImage"));
    s.select("PluginListView", 0);
    QCOMPARE(s.component<QLineEdit>("PluginImageEdit")->text(), stored);
    QCOMPARE(s.showsPicture("PluginImage"), picture);
    s.click("ClearPluginImageButton");
    QVERIFY(plugin.sImage.isEmpty());
    QVERIFY(!s.showsPicture("PluginImage"));
    QVERIFY(s.component<QLineEdit>("PluginImageEdit")->text().isEmpty());
    QVERIFY(s.prompts.messages().isEmpty());
}

void TestGroupsPlugins::undecodableImageOnSelection() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    EditorSession::writeFile(s.doc.sRootDir + QStringLiteral("/fomod/broken.png"),
                             "\x89PNG but not really");
    CPlugin& plugin = s.step().vGroups[0].vPlugins[1];
    plugin.sImage = QStringLiteral("fomod\\broken.png");
    plugin.sType = QStringLiteral("Required");
    plugin.vPatterns.append(dependencyPattern("Or", "NotUsable"));

    s.select("PluginListView", 1);
    QVERIFY(s.prompts.vShown.isEmpty());
    QCOMPARE(plugin.sImage, QStringLiteral("fomod\\broken.png"));
    QCOMPARE(s.component<QLineEdit>("PluginImageEdit")->text(), plugin.sImage);
    QVERIFY(!s.showsPicture("PluginImage"));
    // The rest of the selection ran: type, patterns, enabled controls.
    QCOMPARE(s.component<QComboBox>("pdDefTypeComboBox")->currentText(),
             QStringLiteral("Required"));
    QCOMPARE(s.component<QTabBar>("pdPatternsPageControl")->count(), 1);
    QVERIFY(s.enabled("pdDeletePatternButton"));
    QVERIFY(s.enabled("RemovePluginButton"));
    QVERIFY(s.enabled("PluginUpButton"));
    QVERIFY(s.enabled("PluginDownButton"));
}

void TestGroupsPlugins::noGroupsLeavesPluginSideDisabled() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.step().vGroups[0].vPlugins[0].vPatterns.append(dependencyPattern("And", "Optional"));
    s.select("PluginListView", 0);
    QVERIFY(s.enabled("pdAddButton"));

    // A new step without groups: nothing of the plugin side stays usable.
    s.addStep();
    QCOMPARE(s.doc.iCurrentStep, 1);
    QCOMPARE(s.list("GroupListView")->rowCount(), 0);
    QCOMPARE(s.list("PluginListView")->rowCount(), 0);
    QCOMPARE(s.component<QTabBar>("pdPatternsPageControl")->count(), 0);
    for (const char* name :
         {"RemoveGroupButton", "AddPluginButton", "RemovePluginButton", "PluginDescriptionMemo",
          "AddVaribleButton", "ChoosePluginImageButton", "AddFileButton", "pdDefTypeComboBox",
          "pdNewPatternButton", "pdDeletePatternButton", "pdOperatorComboBox", "pdAddButton",
          "pdFileFlagNameComboBox", "RemoveFileFolderButton"})
        QVERIFY2(!s.enabled(name), name);
    s.addPlugin(QStringLiteral("Nowhere"));
    QCOMPARE(s.step(1).vGroups.size(), 0);
    QCOMPARE(s.pluginNames(0).size(), 3);
}

void TestGroupsPlugins::pluginFilesFollowSelection() {
    EditorSession s;
    s.proceed();
    s.addThreePlugins();
    s.step().vGroups[0].vPlugins[1].vFiles = {
        fileEntry(QStringLiteral("file"), QStringLiteral("Mod\\a.esp"), QStringLiteral("a.esp")),
        fileEntry(QStringLiteral("folder"), QStringLiteral("Data\\Textures"),
                  QStringLiteral("Textures"), -1)};
    s.step().vGroups[0].vPlugins[2].vFiles = {
        fileEntry(QStringLiteral("file"), QStringLiteral("b.esm"), QStringLiteral("b.esm"), 7)};

    s.select("PluginListView", 1);
    QCOMPARE(s.column("SrcFilesListView", 0), split("file,folder"));
    QCOMPARE(s.column("SrcFilesListView", 1), QStringList({"Mod\\a.esp", "Data\\Textures"}));
    QCOMPARE(s.column("DstFilesListView", 0), split("a.esp,Textures"));
    QCOMPARE(s.column("DstFilesListView", 1), split("0,-1")); // signed, as stored
    QVERIFY(!s.enabled("RemoveFileFolderButton"));

    // Selecting a row in either list selects it in the other and allows Remove.
    s.select("SrcFilesListView", 1);
    QCOMPARE(s.selected("DstFilesListView"), 1);
    QVERIFY(s.enabled("RemoveFileFolderButton"));
    s.select("DstFilesListView", 0);
    QCOMPARE(s.selected("SrcFilesListView"), 0);
    s.select("SrcFilesListView", -1);
    QCOMPARE(s.selected("DstFilesListView"), -1);
    QVERIFY(!s.enabled("RemoveFileFolderButton"));

    // A destination edited in place is stored as typed; the priority is not edited in place.
    QTableWidget* destinations = s.list("DstFilesListView");
    s.select("DstFilesListView", 1);
    destinations->editItem(destinations->item(1, 1));
    QVERIFY(!s.cellEditor("DstFilesListView"));
    destinations->editItem(destinations->item(1, 0));
    auto* editor = s.cellEditor("DstFilesListView");
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("textures\\hd "));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an accepted edit from its queue
    QCOMPARE(s.step().vGroups[0].vPlugins[1].vFiles[1].sDestination,
             QStringLiteral("textures\\hd "));
    QCOMPARE(s.step().vGroups[0].vPlugins[1].vFiles[0].sDestination, QStringLiteral("a.esp"));

    s.select("PluginListView", 2);
    QCOMPARE(s.column("DstFilesListView", 0), QStringList{"b.esm"});
    QCOMPARE(s.column("DstFilesListView", 1), QStringList{"7"});
    QVERIFY(!s.enabled("RemoveFileFolderButton"));
    s.select("PluginListView", 0);
    QCOMPARE(s.list("SrcFilesListView")->rowCount(), 0);
    QCOMPARE(s.list("DstFilesListView")->rowCount(), 0);
}

QTEST_MAIN(TestGroupsPlugins)
#include "tst_groups_plugins.moc"
