#include "FileHelpers.h"
#include "editor/EditorSession.h"
#include "editor/UndoHistory.h"
#include "settings/Settings.h"

#include <QPlainTextEdit>
#include <QTimer>

#include <functional>

namespace {

using Action = std::function<void(EditorSession&)>;

// Lets the history look at what the last command did, as the event loop does after each input
// (an edit in place is committed from the list's queue first).
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString menuText(EditorSession& s, const QString& name) {
    return s.component<QAction>(name)->text();
}

// A project to work on: two steps, a group with three plugins, a flag.
void buildBase(EditorSession& s) {
    s.proceed();
    s.addGroup("G");
    for (const char* p : {"P0", "P1", "P2"})
        s.addPlugin(p);
    s.type("VaribleComboBox", "Flag");
    s.click("AddVaribleButton");
    s.addStep();
    s.chooseStep(0);
    settle();
}

QString native(const EditorSession& s, const QString& relative) {
    return QDir::toNativeSeparators(s.dir.path() + QLatin1Char('/') + relative);
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestUndo : public QObject {
    Q_OBJECT

private slots:
    void init() { Settings::instance() = SSettings(); }
    void undoAndRedoEachCommand_data();
    void undoAndRedoEachCommand();
    void selectionRestored();
    void typingIsOneStepPerField();
    void newCommandClearsRedo();
    void unsavedMarkFollowsSavedState();
    void questionBeforeDropping_data();
    void questionBeforeDropping();
    void failedSaveKeepsProject();
};

void TestUndo::undoAndRedoEachCommand_data() {
    QTest::addColumn<Action>("command");
    QTest::addColumn<QString>("label");
    const auto row = [](const char* name, const char* label, Action a) {
        QTest::newRow(name) << a << QString(label);
    };
    row("new step", "New step", [](EditorSession& s) { s.addStep(); });
    row("delete step", "Delete step", [](EditorSession& s) { s.click("DeleteStepButton"); });
    row("move step", "Move right", [](EditorSession& s) { s.click("MoveRightButton"); });
    row("add group", "Add", [](EditorSession& s) { s.addGroup("H"); });
    row("remove plugin", "Remove", [](EditorSession& s) {
        s.select("PluginListView", 1);
        s.click("RemovePluginButton");
    });
    row("move plugin", "Move down", [](EditorSession& s) { s.click("PluginDownButton"); });
    row("delete flag", "Delete", [](EditorSession& s) {
        s.select("PluginListView", 2);
        s.select("FlagSetListView", 0);
        s.click("DeleteVaribleButton");
    });
    row("new type pattern", "New pattern", [](EditorSession& s) { s.click("pdNewPatternButton"); });
    row("add condition", "Add", [](EditorSession& s) { s.click("AddConditionButton"); });
    row("new conditional pattern", "New pattern",
        [](EditorSession& s) { s.click("AddCondFilePatternButton"); });
    row("add required file", "Add file", [](EditorSession& s) {
        EditorSession::writeFile(native(s, "a.esp"), "x");
        s.prompts.vFileAnswers.append({native(s, "a.esp")});
        s.click("AddRequiredFileButton");
    });
    row("rename plugin", "Rename",
        [](EditorSession& s) { s.list("PluginListView")->item(0, 0)->setText("Renamed"); });
    row("mod name", "Edit Mod name", [](EditorSession& s) { s.type("ModNameEdit", "Name"); });
    row("description", "Edit Plugin description", [](EditorSession& s) {
        auto* memo = s.component<QPlainTextEdit>("PluginDescriptionMemo");
        memo->setFocus();
        QTest::keyClicks(memo, "Text & more");
    });
}

void TestUndo::undoAndRedoEachCommand() {
    QFETCH(Action, command);
    QFETCH(QString, label);
    EditorSession s;
    buildBase(s);
    const CFOMOD before = s.doc.project;

    command(s);
    settle();
    const CFOMOD after = s.doc.project;
    QVERIFY(!(after == before));
    QVERIFY(s.component<QAction>("UndoMenu")->isEnabled());
    QCOMPARE(menuText(s, "UndoMenu"), "Undo " + label);

    s.chooseMenu("UndoMenu");
    QVERIFY(s.doc.project == before);
    QCOMPARE(menuText(s, "RedoMenu"), "Redo " + label);
    QCOMPARE(s.tabCaptions("StepsTabControl").size(), before.vSteps.size());

    s.chooseMenu("RedoMenu");
    QVERIFY(s.doc.project == after);
    QVERIFY(!s.component<QAction>("RedoMenu")->isEnabled());
}

// Undo shows the project as it was: the same step, group, plugin and pattern selected.
void TestUndo::selectionRestored() {
    EditorSession s;
    buildBase(s);
    s.select("PluginListView", 2);
    s.click("pdNewPatternButton");
    settle();
    s.click("pdNewPatternButton");
    settle();
    s.chooseStep(1);
    s.click("DeleteStepButton");
    settle();
    s.chooseStep(0);
    s.select("PluginListView", 1);
    s.click("RemovePluginButton");
    settle();

    s.chooseMenu("UndoMenu"); // the plugin comes back, selected
    QCOMPARE(s.doc.project.vSteps[0].vGroups[0].vPlugins.size(), 3);
    QCOMPARE(s.selected("PluginListView"), 1);
    QCOMPARE(s.stepTabs()->currentIndex(), 0);

    s.chooseMenu("UndoMenu"); // the step comes back, current as it was when deleted
    QCOMPARE(s.doc.project.vSteps.size(), 2);
    QCOMPARE(s.stepTabs()->currentIndex(), 1);
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList({"Step1", "Step2"}));

    s.chooseMenu("UndoMenu"); // the second pattern goes; plugin 2 and its first pattern show
    QCOMPARE(s.stepTabs()->currentIndex(), 0);
    QCOMPARE(s.selected("GroupListView"), 0);
    QCOMPARE(s.selected("PluginListView"), 2);
    QCOMPARE(s.tabCaptions("pdPatternsPageControl"), QStringList({"Pattern[0]"}));
}

void TestUndo::typingIsOneStepPerField() {
    EditorSession s;
    buildBase(s);
    s.type("ModNameEdit", "abc");
    settle();
    QTest::keyClicks(s.component<QLineEdit>("ModNameEdit"), "def");
    settle();
    s.type("ModAuthorEdit", "me");
    settle();
    QCOMPARE(s.doc.project.sName, QString("abcdef"));

    s.chooseMenu("UndoMenu");
    QCOMPARE(s.doc.project.sAuthor, QString());
    QCOMPARE(s.doc.project.sName, QString("abcdef"));
    s.chooseMenu("UndoMenu");
    QCOMPARE(s.doc.project.sName, QString());
    QCOMPARE(s.component<QLineEdit>("ModNameEdit")->text(), QString());
}

void TestUndo::newCommandClearsRedo() {
    EditorSession s;
    buildBase(s);
    s.addStep();
    settle();
    s.chooseMenu("UndoMenu");
    QVERIFY(s.component<QAction>("RedoMenu")->isEnabled());
    s.addGroup("Other");
    settle();
    QVERIFY(!s.component<QAction>("RedoMenu")->isEnabled());

    // New starts a fresh history.
    s.chooseMenu("NewMenu");
    QVERIFY(!s.component<QAction>("UndoMenu")->isEnabled());
    QCOMPARE(menuText(s, "UndoMenu"), QString("Undo"));
}

void TestUndo::unsavedMarkFollowsSavedState() {
    EditorSession s;
    buildBase(s);
    s.chooseMenu("SaveMenu");
    QVERIFY(!s.doc.hasUnsavedChanges());
    QVERIFY(!s.form.windowTitle().endsWith(" *"));
    s.addStep();
    settle();
    QVERIFY(s.form.windowTitle().endsWith(" *"));
    s.chooseMenu("UndoMenu"); // back to what was saved
    QVERIFY(!s.form.windowTitle().endsWith(" *"));
    QVERIFY(!s.doc.hasUnsavedChanges());
}

void TestUndo::questionBeforeDropping_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");
    for (const char* way : {"New", "Open folder", "Open file", "Recent", "Exit", "Close"}) {
        QTest::newRow(QByteArray(way) + " save") << way << int(SaveChoice::Save);
        QTest::newRow(QByteArray(way) + " discard") << way << int(SaveChoice::Discard);
        QTest::newRow(QByteArray(way) + " cancel") << way << int(SaveChoice::Cancel);
    }
}

void TestUndo::questionBeforeDropping() {
    QFETCH(QString, way);
    QFETCH(int, answer);
    EditorSession s;
    buildBase(s);
    const QString root = s.dir.path();
    Settings::instance().iMaxRecentFiles = 5;
    s.chooseMenu("SaveMenu");
    const QByteArray savedConfig = FileHelpers::readFile(root + "/fomod/ModuleConfig.xml");
    s.addStep();
    settle();
    const CFOMOD changed = s.doc.project;
    s.prompts.vShown.clear();
    s.prompts.vSaveChoices.append(SaveChoice(answer));
    s.prompts.vFolderAnswers.append({root});
    s.prompts.vFileAnswers.append({root + "/fomod/ModuleConfig.xml"});

    bool ended = false;
    if (way == "Exit" || way == "Close") {
        QTimer::singleShot(0, &s.form, [&] {
            if (way == "Exit")
                s.chooseMenu("ExitMenu");
            else
                s.form.close();
            QTimer::singleShot(0, &s.form, [] { QCoreApplication::exit(1); });
        });
        ended = QCoreApplication::exec() == 0;
    } else if (way == "New") {
        s.chooseMenu("NewMenu");
    } else if (way == "Open folder") {
        s.chooseMenu("OpenMenu");
    } else if (way == "Open file") {
        s.chooseMenu("OpenfileMenu");
    } else {
        QMenu* recent = s.component<QMenu>("RecentMenu");
        recent->actions().first()->trigger();
    }

    QCOMPARE(s.prompts.vShown.first().sKind, QString("save question"));
    QCOMPARE(s.prompts.vShown.first().sText,
             QString("The installer has unsaved changes. Save them first?"));
    const QByteArray configNow = FileHelpers::readFile(root + "/fomod/ModuleConfig.xml");
    const SaveChoice choice = SaveChoice(answer);
    QCOMPARE(configNow == savedConfig, choice != SaveChoice::Save);
    const bool wentOn = choice != SaveChoice::Cancel;
    if (way == "Exit" || way == "Close") {
        QCOMPARE(ended, wentOn);
        QVERIFY(s.doc.project == changed);
    } else if (way == "New") {
        QCOMPARE(s.doc.project == CFOMOD(), wentOn);
    } else {
        // An opening command reads the folder: what was saved comes back.
        QCOMPARE(s.doc.project == changed, !wentOn || choice == SaveChoice::Save);
    }
    if (!wentOn)
        QCOMPARE(s.prompts.vShown.size(), 1); // no dialog after Cancel
}

// A Save that cannot write ModuleConfig.xml keeps the project and goes no further.
void TestUndo::failedSaveKeepsProject() {
    EditorSession s;
    buildBase(s);
    const QString config = s.dir.path() + "/fomod/ModuleConfig.xml";
    QVERIFY(QDir().mkpath(config + "/blocked"));
    s.prompts.vSaveChoices.append(SaveChoice::Save);
    s.chooseMenu("NewMenu");
    QVERIFY(!s.prompts.messages().isEmpty());
    QVERIFY(!(s.doc.project == CFOMOD()));
    QVERIFY(s.doc.hasUnsavedChanges());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
