#include "editor/EditorSession.h"
#include "editor/GroupsPluginsController.h"
#include "editor/UndoHistory.h"

#include <QDockWidget>
#include <QFrame>
#include <QPushButton>

namespace {

// Two steps; the last option installs a file that is not there, and the first option's type
// tests a flag no option sets. Everything else is sound: the folder and the first file exist.
const char* const kTwoFaults = R"(<?xml version="1.0" encoding="utf-8"?>
<config>
  <moduleName>Two Faults</moduleName>%1
  <installSteps order="Explicit">
    <installStep name="Base">
      <optionalFileGroups order="Explicit">
        <group name="Core" type="SelectAny">
          <plugins order="Explicit">
            <plugin name="Main">
              <description>Main</description>
              <conditionFlags><flag name="Shown">On</flag></conditionFlags>
              <files><file source="main.esp" destination="main.esp"/></files>
              <typeDescriptor>
                <dependencyType>
                  <defaultType name="Optional"/>
                  <patterns>
                    <pattern>
                      <dependencies><flagDependency flag="Never" value="On"/></dependencies>
                      <type name="Recommended"/>
                    </pattern>
                  </patterns>
                </dependencyType>
              </typeDescriptor>
            </plugin>
          </plugins>
        </group>
      </optionalFileGroups>
    </installStep>
    <installStep name="Extras">
      <visible><flagDependency flag="Shown" value="On"/></visible>
      <optionalFileGroups order="Explicit">
        <group name="Meshes" type="SelectAny">
          <plugins order="Explicit">
            <plugin name="Meshes">
              <description>Meshes</description>
              <files><folder source="meshes" destination="meshes"/></files>
              <typeDescriptor><type name="Optional"/></typeDescriptor>
            </plugin>
          </plugins>
        </group>
        <group name="Textures" type="SelectAny">
          <plugins %2>
            <plugin name="Low">
              <description>Low</description>
              <files><folder source="meshes" destination="textures"/></files>
              <typeDescriptor><type name="Optional"/></typeDescriptor>
            </plugin>
            <plugin name="High">
              <description>High</description>
              <files><file source="textures\high.dds" destination="textures\high.dds"/></files>
              <typeDescriptor><type name="Optional"/></typeDescriptor>
            </plugin>
          </plugins>
        </group>
      </optionalFileGroups>
    </installStep>
  </installSteps>
</config>
)";

// What the fixture may hold that the project cannot keep: nothing, one thing, two things.
struct NotKept {
    QString sModuleLevel;  // after moduleName
    QString sPluginsOrder; // attributes of the Textures group's plugins
};

void writeInstaller(EditorSession& s, const NotKept& notKept = {}) {
    const QString order = notKept.sPluginsOrder.isEmpty() ? QStringLiteral("order=\"Explicit\"")
                                                          : notKept.sPluginsOrder;
    const QString config = QString::fromUtf8(kTwoFaults).arg(notKept.sModuleLevel, order);
    EditorSession::writeFile(s.dir.filePath("fomod/ModuleConfig.xml"), config.toUtf8());
    EditorSession::writeFile(s.dir.filePath("fomod/info.xml"),
                             "<fomod><Name>Two Faults</Name></fomod>");
    EditorSession::writeFile(s.dir.filePath("main.esp"), "esp");
    QDir(s.dir.path()).mkpath("meshes");
}

void open(EditorSession& s) {
    s.form.show();
    s.prompts.vFolderAnswers.append({QDir::toNativeSeparators(s.dir.path())});
    s.chooseMenu("OpenMenu");
    QCOMPARE(s.prompts.messages(), QStringList());
}

// Lets the history look at what was done, as the event loop does after each input.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QTableWidget* findings(EditorSession& s) {
    return s.list("CheckListView");
}

// The row of the first finding whose code (the severity cell's tip) is code, or -1.
int rowOf(EditorSession& s, const QString& code) {
    QTableWidget* list = findings(s);
    for (int r = 0; r < list->rowCount(); ++r)
        if (list->item(r, 0)->toolTip() == code)
            return r;
    return -1;
}

QStringList codes(EditorSession& s, bool notesToo) {
    QStringList listed;
    QTableWidget* list = findings(s);
    for (int r = 0; r < list->rowCount(); ++r)
        if (notesToo || list->item(r, 0)->text() != QLatin1String("Note"))
            listed.append(list->item(r, 0)->toolTip());
    return listed;
}

QString currentPage(EditorSession& s) {
    return s.component<QTabWidget>("PageControl")->currentWidget()->objectName();
}

bool barShown(EditorSession& s) {
    return !s.component<QFrame>("NotKeptBar")->isHidden();
}

} // namespace

class TestCheckDock : public QObject {
    Q_OBJECT

private slots:
    void checkListsTheFaults();
    void choosingAFindingShowsItsPlace_data();
    void choosingAFindingShowsItsPlace();
    void linesOnlyWhileTheProjectIsAsRead();
    void notKeptBar_data();
    void notKeptBar();
};

void TestCheckDock::checkListsTheFaults() {
    EditorSession s;
    QVERIFY(!s.component<QAction>("CheckMenu")->isEnabled());
    auto* dock = s.component<QDockWidget>("CheckDock");
    QVERIFY(dock->isHidden());

    writeInstaller(s);
    open(s);
    QVERIFY(s.component<QAction>("CheckMenu")->isEnabled());
    QCOMPARE(s.component<QAction>("CheckMenu")->shortcut(), QKeySequence(Qt::Key_F7));
    s.chooseMenu("CheckMenu");
    QVERIFY(!dock->isHidden());
    // Errors first, whatever their order in the file.
    QCOMPARE(codes(s, false), QStringList({"missing-source", "unset-flag"}));
    // Message and place say what and where.
    const QStringList missing = s.row("CheckListView", rowOf(s, "missing-source"));
    QVERIFY2(missing[1].contains("textures\\high.dds"), qPrintable(missing[1]));
    QVERIFY2(missing[2].contains("\"Textures\"") && missing[2].contains("\"High\""),
             qPrintable(missing[2]));
    QVERIFY(!missing[3].isEmpty());
    QVERIFY(s.component<QLabel>("CheckNoProblemsLabel")->isHidden());

    // Mended, F7 again says so.
    EditorSession::writeFile(s.dir.filePath("textures/high.dds"), "dds");
    s.doc.project.vSteps[0].vGroups[0].vPlugins[0].vPatterns.clear();
    s.chooseMenu("CheckMenu");
    QCOMPARE(findings(s)->rowCount(), 0);
    QVERIFY(!s.component<QLabel>("CheckNoProblemsLabel")->isHidden());
}

void TestCheckDock::choosingAFindingShowsItsPlace_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("plugin");
    QTest::newRow("click, later step, second group") << "missing-source" << false << 1 << 1 << 1;
    QTest::newRow("Enter, first step") << "unset-flag" << true << 0 << 0 << 0;
}

void TestCheckDock::choosingAFindingShowsItsPlace() {
    QFETCH(QString, code);
    QFETCH(bool, byKey);
    QFETCH(int, step);
    QFETCH(int, group);
    QFETCH(int, plugin);
    EditorSession s;
    writeInstaller(s);
    open(s);
    // Start away from the place: another page, another step.
    s.chooseTab("PageControl", 2);
    s.chooseStep(step == 0 ? 1 : 0);
    settle();
    const CFOMOD opened = s.doc.project;

    s.chooseMenu("CheckMenu");
    settle();
    const int row = rowOf(s, code);
    QVERIFY(row >= 0);
    QTableWidget* list = findings(s);
    if (byKey) {
        s.select("CheckListView", row);
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row, 1)).center());
    }
    settle();
    QCOMPARE(currentPage(s), QStringLiteral("StepsTabSheet"));
    QCOMPARE(s.stepTabs()->currentIndex(), step);
    QCOMPARE(s.selected("GroupListView"), group);
    QCOMPARE(s.selected("PluginListView"), plugin);
    QCOMPARE(s.form.groupsPlugins()->selectedPlugin()->sName,
             s.doc.project.vSteps[step].vGroups[group].vPlugins[plugin].sName);

    // Looking changes nothing: no undo entry, nothing unsaved.
    QVERIFY(s.doc.project == opened);
    QVERIFY(!s.doc.history()->canUndo());
    QVERIFY(!s.doc.hasUnsavedChanges());
}

void TestCheckDock::linesOnlyWhileTheProjectIsAsRead() {
    EditorSession s;
    writeInstaller(s, {QStringLiteral("\n  <moduleExtras/>"), {}});
    open(s);
    s.chooseMenu("CheckMenu");
    const int notKept = rowOf(s, "not-kept");
    QVERIFY(notKept >= 0);
    QVERIFY(!s.row("CheckListView", rowOf(s, "missing-source"))[3].isEmpty());
    QVERIFY(s.component<QLabel>("CheckOutdatedLabel")->isHidden());

    // Renaming a step changes the project: the lines read no longer apply to it; the dock
    // says its list is outdated until F7 runs again.
    s.type("StepNameEdit", "Renamed");
    settle();
    QVERIFY(s.doc.history()->canUndo());
    QVERIFY(!s.component<QLabel>("CheckOutdatedLabel")->isHidden());
    s.chooseMenu("CheckMenu");
    QVERIFY(s.component<QLabel>("CheckOutdatedLabel")->isHidden());
    QVERIFY(s.row("CheckListView", rowOf(s, "missing-source"))[3].isEmpty());
    // What the file holds and saving drops is still in the file, at its line.
    QVERIFY(!s.row("CheckListView", rowOf(s, "not-kept"))[3].isEmpty());
}

void TestCheckDock::notKeptBar_data() {
    QTest::addColumn<QString>("moduleLevel");
    QTest::addColumn<QString>("pluginsOrder");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << ""
                             << ""
                             << "";
    QTest::newRow("one") << "\n  <moduleExtras/>"
                         << ""
                         << "1 thing in this installer will not be kept on save";
    QTest::newRow("two") << "\n  <moduleExtras/>\n  <installerNotes/>"
                         << "order=\"Ascending\""
                         << "2 things in this installer will not be kept on save";
}

void TestCheckDock::notKeptBar() {
    QFETCH(QString, moduleLevel);
    QFETCH(QString, pluginsOrder);
    QFETCH(QString, text);
    EditorSession s;
    writeInstaller(s, {moduleLevel, pluginsOrder});
    open(s);
    // No message box: the bar alone tells.
    QCOMPARE(s.prompts.vShown.size(), 1); // the folder chooser
    QCOMPARE(barShown(s), !text.isEmpty());
    if (text.isEmpty())
        return;
    bool said = false;
    for (QLabel* label : s.component<QFrame>("NotKeptBar")->findChildren<QLabel*>())
        said = said || label->text() == text;
    QVERIFY2(said, qPrintable(text));

    s.click("NotKeptShowButton");
    QVERIFY(!s.component<QDockWidget>("CheckDock")->isHidden());
    QStringList expected;
    for (int i = 0; i < text.left(1).toInt(); ++i)
        expected.append("not-kept");
    QCOMPARE(codes(s, true), expected);
    QVERIFY(barShown(s));

    s.chooseMenu("NewMenu");
    QVERIFY(!barShown(s));
    QVERIFY(s.component<QDockWidget>("CheckDock")->isHidden());
}

QTEST_MAIN(TestCheckDock)
#include "tst_check_dock.moc"
