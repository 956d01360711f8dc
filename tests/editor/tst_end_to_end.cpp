#include "FileHelpers.h"
#include "editor/EditorSession.h"
#include "platform/ProgramInfo.h"

#include <QPlainTextEdit>

// A mod author's whole session through the window alone: an installer with every kind of
// element is built, saved and compared byte for byte with the files it must give; New and
// Open folder bring back the same project and pages, and saving again writes the same bytes.

namespace {

QString native(const QString& root, const QString& relative) {
    return QDir::toNativeSeparators(root + QLatin1Char('/') + relative);
}

QString fomodFile(const QString& root, const QString& name) {
    return native(root, QStringLiteral("fomod/") + name);
}

// The golden files hold "@VERSION@" and "@HOMEPAGE@" where the build's own texts go.
QByteArray golden(const QString& name) {
    const QByteArray bytes =
        FileHelpers::readFile(QStringLiteral(QUARVEL_TEST_DATA "/editor/") + name);
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                      (bytes.size() - 2) / 2);
    text.replace(QStringLiteral("@VERSION@"), ProgramInfo::versionText());
    text.replace(QStringLiteral("@HOMEPAGE@"), ProgramInfo::homePage());
    return bytes.left(2) + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

void chooseFile(EditorSession& s, const QString& relative, const QString& button) {
    s.prompts.vFileAnswers.append({native(s.dir.path(), relative)});
    s.click(button);
}

void chooseFolder(EditorSession& s, const QString& relative, const QString& button) {
    s.prompts.vFolderAnswers.append({native(s.dir.path(), relative)});
    s.click(button);
}

void setCombo(EditorSession& s, const QString& name, const QString& text) {
    s.component<QComboBox>(name)->setCurrentText(text);
}

void buildInstaller(EditorSession& s) {
    const QString root = s.dir.path();
    for (const char* f :
         {"Data/meshes/slim.nif", "Data/curvy.esp", "Readme.txt", "Data/textures/slim/skin.dds"})
        EditorSession::writeFile(native(root, f), "x");
    EditorSession::writePicture(native(root, "fomod/header.png"));
    EditorSession::writePicture(native(root, "images/slim.png"));

    s.type("ModNameEdit", "Body Choices");
    s.type("ModAuthorEdit", "Author & Co");
    s.type("ModVersionEdit", "1.0");
    s.type("ModURLEdit", "https://example.org/mods/1");
    s.type("ModCategoryComboBox", "Body, Face, and Hair");
    QTest::keyClicks(s.component<QPlainTextEdit>("ModDesccriptionMemo"), "Bodies <all> & more");
    chooseFile(s, "fomod/header.png", "ChooseHeaderImageButton");

    // Step 1: a group with two plugins, one of them with a type pattern.
    s.type("StepNameEdit", "Body");
    s.addGroup("Shape", "SelectExactlyOne");
    s.addPlugin("Slim");
    QTest::keyClicks(s.component<QPlainTextEdit>("PluginDescriptionMemo"), "Slim body");
    chooseFile(s, "images/slim.png", "ChoosePluginImageButton");
    s.type("VaribleComboBox", "BodySlim");
    s.type("VaribleValueComboBox", "On");
    s.click("AddVaribleButton");
    chooseFile(s, "Data/meshes/slim.nif", "AddFileButton");
    s.addPlugin("Curvy");
    chooseFile(s, "Data/curvy.esp", "AddFileButton");
    s.click("pdNewPatternButton");
    setCombo(s, "pdTypeNameComboBox", "Recommended");
    setCombo(s, "pdDependencyTypeComboBox", "file");
    s.type("pdFileFlagNameComboBox", "Skeleton.esp");
    s.type("pdStateValueComboBox", "Active");
    s.click("pdAddButton");
    s.addGroup("Extras", "SelectAny");
    s.addPlugin("Hands");

    // Step 2, shown only when the slim body was chosen.
    s.addStep();
    s.addGroup("Options", "SelectAtMostOne");
    s.addPlugin("Gloves");
    setCombo(s, "VisibilityTypeComboBox", "flag");
    QCOMPARE(s.component<QComboBox>("ConditionComboBox")->currentText(), QString("BodySlim"));
    s.type("ConditionValueComboBox", "On");
    s.click("AddConditionButton");

    chooseFile(s, "Readme.txt", "AddRequiredFileButton");
    s.click("AddCondFilePatternButton");
    s.type("CondFileDependNameComboBox", "BodySlim");
    s.type("CondFileDependValueComboBox", "On");
    s.click("AddCondFileConditionButton");
    chooseFolder(s, "Data/textures/slim", "CondFileAddFolderButton");
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void buildSaveOpenSave();
};

void TestEndToEnd::buildSaveOpenSave() {
    EditorSession s;
    s.proceed();
    buildInstaller(s);
    QVERIFY(s.prompts.messages().isEmpty());
    const CFOMOD built = s.doc.project;
    const QString root = s.dir.path();

    s.chooseMenu("SaveMenu");
    QVERIFY(s.prompts.messages().isEmpty());
    const QByteArray info = FileHelpers::readFile(fomodFile(root, "info.xml"));
    const QByteArray config = FileHelpers::readFile(fomodFile(root, "ModuleConfig.xml"));
    QCOMPARE(info, golden("golden_info.xml"));
    QCOMPARE(config, golden("golden_config.xml"));

    s.chooseMenu("NewMenu");
    QVERIFY(s.doc.project == CFOMOD());
    s.prompts.vFolderAnswers.append({root});
    s.chooseMenu("OpenMenu");
    QVERIFY(s.prompts.messages().isEmpty());
    QVERIFY(s.doc.project == built);
    QCOMPARE(s.tabCaptions("StepsTabControl"), QStringList({"Body", "Step2"}));
    QCOMPARE(s.column("GroupListView", 0), QStringList({"Shape", "Extras"}));
    QCOMPARE(s.column("PluginListView", 0), QStringList({"Slim", "Curvy"}));
    QCOMPARE(s.column("SrcFilesListView", 1), QStringList({"Data\\meshes\\slim.nif"}));
    QCOMPARE(s.column("FlagSetListView", 0), QStringList({"BodySlim"}));
    QVERIFY(s.showsPicture("PluginImage"));
    QVERIFY(s.showsPicture("HeaderImage"));
    QCOMPARE(s.column("RequiredFilesDstListView", 0), QStringList({"Readme.txt"}));
    QCOMPARE(s.tabCaptions("ConiditionalFilesPageControl"), QStringList({"Pattern[0]"}));
    QCOMPARE(s.column("CondFilesDstListView", 0), QStringList({"textures\\slim"}));
    QCOMPARE(s.column("CondFilePatternListView", 1), QStringList({"BodySlim"}));

    s.chooseMenu("SaveMenu");
    QCOMPARE(FileHelpers::readFile(fomodFile(root, "info.xml")), info);
    QCOMPARE(FileHelpers::readFile(fomodFile(root, "ModuleConfig.xml")), config);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
