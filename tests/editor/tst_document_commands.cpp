#include "FileHelpers.h"
#include "editor/EditorSession.h"
#include "installer/Escaping.h"
#include "installer/ProjectParts.h"
#include "installer/Reader.h"
#include "installer/Writer.h"
#include "settings/RecentFiles.h"
#include "ui/Components.h"

#include <QPlainTextEdit>

using ProjectParts::conditionalInstall;
using ProjectParts::dependency;
using ProjectParts::fileEntry;

namespace {

const QString kInfoMessage = QStringLiteral("Uncnown error ocured while opening info.xml");
const QString kConfigMessage =
    QStringLiteral("Uncnown error ocured while opening ModuleConfig.xml");

QString native(const QString& folder, const QString& relative) {
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + relative);
}
QString fomodFile(const QString& root, const QString& name) {
    return native(root, QStringLiteral("fomod/") + name);
}

CFile file(const QString& source, qint32 priority = 0) {
    return fileEntry(QStringLiteral("file"), source, source, priority);
}
CConditionalFile pattern(const QString& flag) {
    return conditionalInstall(QStringLiteral("And"),
                              {dependency(QStringLiteral("flag"), flag, QStringLiteral("On"))});
}

// A project named name with the given steps, required files and conditional-install patterns.
CFOMOD project(const QString& name, const QStringList& steps, const QStringList& required,
               const QStringList& patternFlags) {
    CFOMOD p;
    p.sName = name;
    p.sAuthor = name + QStringLiteral(" author");
    for (const QString& step : steps)
        p.vSteps.append(CStep(step));
    for (const QString& source : required)
        p.vRequiredFiles.append(file(source));
    for (const QString& flag : patternFlags)
        p.vConditionalFiles.append(pattern(flag));
    return p;
}

QByteArray configBytes(const CFOMOD& p) {
    return InstallerWriter::configFileBytes(p, QStringLiteral("1.0.0.0"), QStringLiteral("home"));
}

// The two installer files of p in folder/fomod.
void writeInstaller(const QString& folder, const CFOMOD& p) {
    EditorSession::writeFile(fomodFile(folder, QStringLiteral("info.xml")),
                             InstallerWriter::infoFileBytes(p));
    EditorSession::writeFile(fomodFile(folder, QStringLiteral("ModuleConfig.xml")), configBytes(p));
}

CFOMOD readBack(const QString& root) {
    CFOMOD back;
    InstallerReader::readInfoFile(fomodFile(root, QStringLiteral("info.xml")), back);
    InstallerReader::readConfigFile(fomodFile(root, QStringLiteral("ModuleConfig.xml")), back);
    return back;
}

QStringList stepNames(const CFOMOD& p) {
    QStringList names;
    for (const CStep& step : p.vSteps)
        names.append(step.sName);
    return names;
}

QStringList recentEntries() {
    return RecentFiles::entries(Settings::instance());
}

QString currentPage(const EditorSession& s) {
    return s.component<QTabWidget>(QStringLiteral("PageControl"))->currentWidget()->objectName();
}

const QStringList kStageComponents = {
    "StepsTabSheet", "RequiredInstallsTabSheet", "ConditionalInstallsTabSheet",
    "ProceedButton", "OpenRootDirButton",        "RootDirEdit"};
const QList<bool> kEditingStage = {true, true, true, false, false, false};
const QList<bool> kWorkspaceStage = {false, false, false, true, true, true};

bool menuEnabled(const EditorSession& s, const QString& item) {
    return s.component<QAction>(item)->isEnabled();
}

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

private slots:
    // Each test starts from the settings of a first run.
    void init() { Settings::instance() = SSettings(); }
    void saveNewOpenRoundTrip();
    void openFile_data();
    void openFile();
    void openFolderNeedsFomod();
    void authorsSpellingIsOpenedAndSavedTo();
    void spellingsSideBySideAreNamed();
    void descriptionsShownAsTypedAfterOpen_data();
    void descriptionsShownAsTypedAfterOpen();
    void partlyReadConfigurationIsShown();
    void recentItem_data();
    void recentItem();
    void merge();
    void failedMergeChangesNothing_data();
    void failedMergeChangesNothing();
};

// An installer built through the window is saved, dropped by New and opened again: the same
// project and pages come back, and saving it again writes the same bytes.
void TestDocumentCommands::saveNewOpenRoundTrip() {
    EditorSession s;
    s.proceed();
    const QString root = s.dir.path();
    Settings::instance().iMaxRecentFiles = 5;

    s.type("ModNameEdit", "Round Trip");
    s.type("ModAuthorEdit", "Author");
    s.type("ModVersionEdit", "1.2");
    s.type("ModCategoryComboBox", "Armour");
    QTest::keyClicks(s.component<QPlainTextEdit>("ModDesccriptionMemo"), "Fish & chips");
    s.type("StepNameEdit", "Choose");
    s.addGroup("Body");
    s.addPlugin("Slim");
    s.writeFile(native(root, "Data/slim.esp"), "x");
    s.writeFile(native(root, "Readme.txt"), "x");
    s.prompts.vFileAnswers.append({native(root, "Data/slim.esp")});
    s.click("AddFileButton");
    s.prompts.vFileAnswers.append({native(root, "Readme.txt")});
    s.click("AddRequiredFileButton");
    QCOMPARE(s.step().vGroups[0].vPlugins[0].vFiles.size(), 1);
    QCOMPARE(s.doc.project.vRequiredFiles.size(), 1);
    const CFOMOD built = s.doc.project;

    s.chooseMenu("SaveMenu");
    QVERIFY(s.prompts.messages().isEmpty());
    const QByteArray savedInfo = FileHelpers::readFile(fomodFile(root, "info.xml"));
    const QByteArray savedConfig = FileHelpers::readFile(fomodFile(root, "ModuleConfig.xml"));
    QVERIFY(savedInfo.startsWith("\xFF\xFE"));
    QVERIFY(savedConfig.startsWith("\xFF\xFE"));
    QVERIFY(readBack(root) == built);
    QCOMPARE(recentEntries(), QStringList(root));

    s.chooseMenu("NewMenu");
    QVERIFY(s.doc.project == CFOMOD());
    QCOMPARE(s.enabledStates(kStageComponents), kWorkspaceStage);
    QCOMPARE(currentPage(s), QStringLiteral("ModInfoTabSheet"));
    QVERIFY(!menuEnabled(s, "SaveMenu"));
    QVERIFY(!menuEnabled(s, "MergeFOMODMenu"));
    QCOMPARE(s.stepTabs()->count(), 0);
    QCOMPARE(s.list("RequiredFilesSrcListView")->rowCount(), 0);
    QCOMPARE(s.list("GroupListView")->rowCount(), 0);
    for (const char* field : {"ModNameEdit", "RootDirEdit", "StepNameEdit"})
        QVERIFY2(s.component<QLineEdit>(field)->text().isEmpty(), field);
    QVERIFY(s.doc.sRootDir.isEmpty());
    s.chooseMenu("SaveMenu"); // disabled: writes nothing
    QCOMPARE(FileHelpers::readFile(fomodFile(root, "info.xml")), savedInfo);

    s.prompts.vFolderAnswers.append({root});
    s.chooseMenu("OpenMenu");
    QVERIFY(!s.prompts.bLastMultiple);
    QCOMPARE(s.prompts.messages(), QStringList());
    QVERIFY(s.doc.project == built);
    QCOMPARE(s.doc.sRootDir, root);
    QCOMPARE(s.component<QLineEdit>("RootDirEdit")->text(), root);
    QCOMPARE(s.component<QLineEdit>("ModNameEdit")->text(), QStringLiteral("Round Trip"));
    QCOMPARE(s.component<QComboBox>("ModCategoryComboBox")->currentText(),
             QStringLiteral("Armour"));
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList("Choose"));
    QCOMPARE(s.column("GroupListView", 0), QStringList("Body"));
    QCOMPARE(s.column("PluginListView", 0), QStringList("Slim"));
    QCOMPARE(s.list("RequiredFilesSrcListView")->rowCount(), 1);
    QCOMPARE(s.enabledStates(kStageComponents), kEditingStage);
    QCOMPARE(currentPage(s), QStringLiteral("StepsTabSheet"));
    QVERIFY(menuEnabled(s, "SaveMenu"));
    QVERIFY(menuEnabled(s, "MergeFOMODMenu"));

    s.chooseMenu("SaveMenu");
    QCOMPARE(FileHelpers::readFile(fomodFile(root, "info.xml")), savedInfo);
    QCOMPARE(FileHelpers::readFile(fomodFile(root, "ModuleConfig.xml")), savedConfig);
}

void TestDocumentCommands::openFile_data() {
    QTest::addColumn<QString>("chosen"); // below the root directory
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QStringList>("expectedSteps");
    QTest::addColumn<QStringList>("expectedMessages");
    QTest::addColumn<bool>("recorded");

    // The root holds project "Main"; its Backup folder holds project "Backup".
    QTest::newRow("info.xml") << "fomod/info.xml"
                              << "Main" << QStringList{"M1", "M2"} << QStringList() << true;
    QTest::newRow("info file, any letter case")
        << "Backup/Info.Xml"
        << "Backup" << QStringList{"M1", "M2"} << QStringList() << true;
    // The information comes from the root's fomod folder, not the chosen file's folder.
    QTest::newRow("ModuleConfig.xml elsewhere")
        << "Backup/ModuleConfig.xml"
        << "Main" << QStringList{"B1"} << QStringList() << true;
    QTest::newRow("another name") << "fomod/config.xml"
                                  << "" << QStringList()
                                  << QStringList{kInfoMessage, kConfigMessage} << false;
}

void TestDocumentCommands::openFile() {
    QFETCH(QString, chosen);
    QFETCH(QString, expectedName);
    QFETCH(QStringList, expectedSteps);
    QFETCH(QStringList, expectedMessages);
    QFETCH(bool, recorded);

    EditorSession s;
    Settings::instance().iMaxRecentFiles = 5;
    const QString root = s.dir.path();
    const CFOMOD main = project("Main", {"M1", "M2"}, {"r.esp"}, {"F"});
    const CFOMOD backup = project("Backup", {"B1"}, {}, {});
    writeInstaller(root, main);
    s.writeFile(native(root, "fomod/config.xml"), configBytes(main));
    s.writeFile(native(root, "Backup/Info.Xml"), InstallerWriter::infoFileBytes(backup));
    s.writeFile(native(root, "Backup/ModuleConfig.xml"), configBytes(backup));

    s.form.show();
    s.prompts.vFileAnswers.append({native(root, chosen)});
    s.chooseMenu("OpenfileMenu");

    QCOMPARE(s.prompts.sLastFilter, QStringLiteral("(*.xml)"));
    QVERIFY(!s.prompts.bLastMultiple);
    QCOMPARE(s.prompts.messages(), expectedMessages);
    QCOMPARE(s.doc.sRootDir, root);
    QCOMPARE(s.doc.project.sName, expectedName);
    QCOMPARE(s.component<QLineEdit>("ModNameEdit")->text(), expectedName);
    QCOMPARE(stepNames(s.doc.project), expectedSteps);
    QCOMPARE(s.tabCaptions("StepsTabControl"), expectedSteps);
    QCOMPARE(recentEntries(), recorded ? QStringList(root) : QStringList());
    // Whatever was read, the window is in the editing stage.
    QCOMPARE(s.enabledStates(kStageComponents), kEditingStage);
    QVERIFY(menuEnabled(s, "SaveMenu"));
}

// Open folder accepts only a folder holding a fomod folder; otherwise, or when cancelled, the
// open project stays as it is.
void TestDocumentCommands::openFolderNeedsFomod() {
    EditorSession s;
    s.proceed();
    s.addStep();
    const CFOMOD before = s.doc.project;
    QTemporaryDir plain;

    s.chooseMenu("OpenMenu"); // cancelled
    s.prompts.vFolderAnswers.append({plain.path()});
    s.chooseMenu("OpenMenu");

    QCOMPARE(s.prompts.messages(),
             QStringList("There is no 'fomod' catalog in specified directory. Choose root "
                         "directory containing 'fomod' folder."));
    QVERIFY(s.doc.project == before);
    QCOMPARE(s.doc.sRootDir, s.dir.path());
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList({"Step1", "Step2"}));
    QVERIFY(menuEnabled(s, "SaveMenu"));
}

// A root whose folder and files are spelled in other letter cases (as many repositories spell
// them) opens, and Save writes back to those files instead of making a second folder.
void TestDocumentCommands::authorsSpellingIsOpenedAndSavedTo() {
    EditorSession s;
    QTemporaryDir root;
    const CFOMOD written = project("Spelled", {"One"}, {}, {});
    EditorSession::writeFile(native(root.path(), "FOMOD/Info.xml"),
                             InstallerWriter::infoFileBytes(written));
    EditorSession::writeFile(native(root.path(), "FOMOD/moduleconfig.xml"), configBytes(written));

    s.prompts.vFolderAnswers.append({root.path()});
    s.chooseMenu("OpenMenu");
    QCOMPARE(s.prompts.messages(), QStringList());
    QCOMPARE(s.doc.project.sName, QStringLiteral("Spelled"));
    QCOMPARE(s.doc.project.sAuthor, QStringLiteral("Spelled author"));
    QCOMPARE(stepNames(s.doc.project), QStringList("One"));

    s.type("ModAuthorEdit", "Someone else");
    s.chooseMenu("SaveMenu");
    QCOMPARE(QDir(root.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList("FOMOD"));
    QCOMPARE(QDir(native(root.path(), "FOMOD")).entryList(QDir::Files),
             QStringList({"Info.xml", "moduleconfig.xml"}));
    CFOMOD back;
    QVERIFY(InstallerReader::readInfoFile(native(root.path(), "FOMOD/Info.xml"), back));
    QCOMPARE(back.sAuthor, QStringLiteral("Someone else"));
}

// Two spellings of the folder side by side: the window says which one it reads.
void TestDocumentCommands::spellingsSideBySideAreNamed() {
    EditorSession s;
    QTemporaryDir root;
    writeInstaller(root.path(), project("Lower", {"A"}, {}, {}));
    const CFOMOD upper = project("Upper", {"B"}, {}, {});
    EditorSession::writeFile(native(root.path(), "FOMOD/info.xml"),
                             InstallerWriter::infoFileBytes(upper));
    EditorSession::writeFile(native(root.path(), "FOMOD/ModuleConfig.xml"), configBytes(upper));

    s.prompts.vFolderAnswers.append({root.path()});
    s.chooseMenu("OpenMenu");
    const QStringList messages = s.prompts.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains("'FOMOD'") && messages[0].contains("'fomod' is read"),
             qPrintable(messages[0]));
    QCOMPARE(s.doc.project.sName, QStringLiteral("Lower"));
}

// A configuration whose reading stops at a bad priority: the message is shown, and what was
// read before stays, with its pages; the folder does not enter the recent list.
void TestDocumentCommands::partlyReadConfigurationIsShown() {
    EditorSession s;
    Settings::instance().iMaxRecentFiles = 5;
    const QString root = s.dir.path();
    s.writeFile(fomodFile(root, "ModuleConfig.xml"),
                "<config><moduleName>Partial</moduleName>"
                "<requiredInstallFiles><file source=\"r.esp\" destination=\"r.esp\"/>"
                "</requiredInstallFiles>"
                "<installSteps order=\"Explicit\"><installStep name=\"Read\"/>"
                "<installStep name=\"Broken\"><optionalFileGroups><group name=\"G\" "
                "type=\"SelectAny\"><plugins><plugin name=\"P\"><files><file source=\"a\" "
                "priority=\"x\"/></files></plugin></plugins></group></optionalFileGroups>"
                "</installStep></installSteps></config>");

    s.prompts.vFolderAnswers.append({root});
    s.chooseMenu("OpenMenu");

    QCOMPARE(s.prompts.messages(), QStringList({kInfoMessage, kConfigMessage}));
    QVERIFY(!s.doc.project.vSteps.isEmpty());
    QCOMPARE(s.tabCaptions("StepsTabControl"), stepNames(s.doc.project));
    QCOMPARE(s.list("RequiredFilesSrcListView")->rowCount(), s.doc.project.vRequiredFiles.size());
    QCOMPARE(s.doc.iStepCount(), s.doc.project.vSteps.size());
    QVERIFY(recentEntries().isEmpty());
}

void TestDocumentCommands::recentItem_data() {
    QTest::addColumn<bool>("deleted");
    QTest::newRow("existing folder") << false;
    QTest::newRow("deleted folder") << true;
}

// The second item of the submenu opens the second entry; a folder that is gone gives both
// messages and an empty project in the editing stage, rooted at that folder.
void TestDocumentCommands::recentItem() {
    QFETCH(bool, deleted);
    EditorSession s;
    QTemporaryDir other;
    const QString root = s.dir.path();
    const QString wanted = deleted ? native(root, "gone") : root;
    CFOMOD recentProject = project("Recent", {"R1"}, {}, {});
    recentProject.sImage = QStringLiteral("images\\header.png");
    writeInstaller(root, recentProject);
    s.writePicture(native(root, "images/header.png"));
    SSettings& settings = Settings::instance();
    settings.iMaxRecentFiles = 5;
    for (const QString& entry : {other.path(), wanted})
        settings.vRecentFiles.append(Settings::toLocal8(entry));
    s.form.showRecentFiles();

    QMenu* recent = s.component<QMenu>("RecentMenu");
    QCOMPARE(recent->actions().size(), 3);
    QCOMPARE(recent->actions().at(1)->text(), wanted);
    QCOMPARE(recent->actions().last(), s.component<QAction>("RecentFileTemplate"));
    recent->actions().at(1)->trigger();

    QCOMPARE(s.doc.sRootDir, wanted);
    QCOMPARE(s.enabledStates(kStageComponents), kEditingStage);
    const QString configIni = native(s.programDir.path(), "config.ini");
    if (deleted) {
        QCOMPARE(s.prompts.messages(), QStringList({kInfoMessage, kConfigMessage}));
        QVERIFY(s.doc.project == CFOMOD());
        QVERIFY(!s.showsPicture("HeaderImage"));
        QCOMPARE(recentEntries(), QStringList({other.path(), wanted}));
        QVERIFY(!QFile::exists(configIni));
    } else {
        QVERIFY(s.prompts.messages().isEmpty());
        QCOMPARE(stepNames(s.doc.project), QStringList("R1"));
        QCOMPARE(s.component<QLineEdit>("ModHeaderImageEdit")->text(), recentProject.sImage);
        QVERIFY(s.showsPicture("HeaderImage"));
        QCOMPARE(recentEntries(), QStringList({wanted, other.path()}));
        QCOMPARE(recent->actions().at(0)->text(), wanted);
        SSettings stored;
        QVERIFY(Settings::readSettings(stored, configIni));
        QCOMPARE(stored.vRecentFiles, settings.vRecentFiles);
    }
}

// The description memos show an opened installer's descriptions as they were typed, and the
// project keeps the written form.
void TestDocumentCommands::descriptionsShownAsTypedAfterOpen_data() {
    QTest::addColumn<bool>("replaceRN");
    QTest::newRow("line breaks kept") << false;
    QTest::newRow("line breaks as references") << true;
}

void TestDocumentCommands::descriptionsShownAsTypedAfterOpen() {
    QFETCH(bool, replaceRN);
    Settings::instance().bReplaceRN = replaceRN;
    const QString modTyped = QStringLiteral("Fish & chips <b>\r\n\tsecond line &amp; &#169;");
    const QString pluginTyped = QStringLiteral("Light armor & gloves <lightweight>\r\n&#13; >");

    EditorSession s;
    const QString root = s.dir.path();
    CFOMOD written = project("Described", {"Choose"}, {}, {});
    written.sDescription = Escaping::normaliseModDescription(modTyped);
    CPlugin plugin(QStringLiteral("Gloves"));
    plugin.sDescription = Escaping::normalisePluginDescription(pluginTyped, replaceRN);
    written.vSteps[0].vGroups.append(
        CPluginGroup(QStringLiteral("Hands"), QStringLiteral("SelectAny")));
    written.vSteps[0].vGroups[0].vPlugins.append(plugin);
    writeInstaller(root, written);

    s.prompts.vFolderAnswers.append({root});
    s.chooseMenu("OpenMenu");
    QCOMPARE(s.prompts.messages(), QStringList());
    s.select("GroupListView", 0);
    s.select("PluginListView", 0);
    QCOMPARE(Components::memoText(s.component<QPlainTextEdit>("ModDesccriptionMemo")), modTyped);
    QCOMPARE(Components::memoText(s.component<QPlainTextEdit>("PluginDescriptionMemo")),
             pluginTyped);
    QCOMPARE(s.doc.project.sDescription, written.sDescription);
    QCOMPARE(s.step().vGroups[0].vPlugins[0].sDescription, plugin.sDescription);
}

// The donor's steps, required installs and patterns go in front; nothing else changes.
void TestDocumentCommands::merge() {
    EditorSession s;
    Settings::instance().iMaxRecentFiles = 5;
    const QString root = s.dir.path();
    writeInstaller(root, project("Own", {"A", "B"}, {"r1", "r2"}, {"F1", "F2"}));
    s.prompts.vFolderAnswers.append({root});
    s.chooseMenu("OpenMenu");
    const QStringList recentBefore = recentEntries();
    QTemporaryDir donorDir;
    const QString donorPath = native(donorDir.path(), "donor.xml");
    CFOMOD donor = project("Donor", {"X", "Y"}, {"d1"}, {"D"});
    donor.sImage = QStringLiteral("donor.png");
    s.writeFile(donorPath, configBytes(donor));

    s.prompts.vFileAnswers.append({donorPath});
    s.chooseMenu("MergeFOMODMenu");

    QVERIFY(s.prompts.messages().isEmpty());
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList({"X", "Y", "A", "B"}));
    QCOMPARE(s.stepTabs()->currentIndex(), 0);
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), QStringLiteral("X"));
    QCOMPARE(s.column("RequiredFilesSrcListView", 1), QStringList({"d1", "r1", "r2"}));
    QCOMPARE(s.tabCaptions("ConiditionalFilesPageControl"),
             QStringList({"Pattern[0]", "Pattern[1]", "Pattern[2]"}));
    QCOMPARE(s.doc.project.vConditionalFiles.first(), pattern("D"));
    QCOMPARE(s.doc.iStepCount(), 4);
    QCOMPARE(s.doc.project.sName, QStringLiteral("Own"));
    QVERIFY(s.doc.project.sImage.isEmpty());
    QCOMPARE(s.doc.sRootDir, root);
    QCOMPARE(recentEntries(), recentBefore);
}

void TestDocumentCommands::failedMergeChangesNothing_data() {
    QTest::addColumn<QByteArray>("donor"); // empty: no file
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("bad priority") << QByteArray(
        "<config><installSteps><installStep name=\"X\"/></installSteps>"
        "<requiredInstallFiles><file source=\"d\" priority=\"1x\"/>"
        "</requiredInstallFiles></config>");
}

void TestDocumentCommands::failedMergeChangesNothing() {
    QFETCH(QByteArray, donor);
    EditorSession s;
    s.proceed();
    s.addGroup("G");
    const CFOMOD before = s.doc.project;
    const QString donorPath = native(s.dir.path(), "donor.xml");
    if (!donor.isEmpty())
        s.writeFile(donorPath, donor);

    s.chooseMenu("MergeFOMODMenu"); // cancelled
    s.prompts.vFileAnswers.append({donorPath});
    s.chooseMenu("MergeFOMODMenu");

    QVERIFY(s.prompts.messages().isEmpty());
    QVERIFY(s.doc.project == before);
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList("Step1"));
    QCOMPARE(s.column("GroupListView", 0), QStringList("G"));
}

QTEST_MAIN(TestDocumentCommands)
#include "tst_document_commands.moc"
