#include "editor/EditorSession.h"

#include <QtTest>

namespace {

QString native(const QString& folder, const QString& relative) {
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + relative);
}

} // namespace

// Every file and folder dialog of the window opens in the root directory, or in the folder
// last used within it; never in the folder the program was started from.
class TestDialogFolders : public QObject {
    Q_OBJECT

private slots:
    void opensInRootThenLastFolder_data();
    void opensInRootThenLastFolder();
    void workspaceChooserBeforeAProject();
};

void TestDialogFolders::opensInRootThenLastFolder_data() {
    QTest::addColumn<QString>("trigger");    // a button, or a menu item
    QTest::addColumn<QString>("prepare");    // a button clicked before, or nothing
    QTest::addColumn<QString>("chosen");     // answered inside the root; empty: cancelled only
    QTest::addColumn<QString>("nextFolder"); // where the same dialog opens next

    QTest::newRow("header image") << "ChooseHeaderImageButton"
                                  << ""
                                  << "pictures/h.png"
                                  << "pictures";
    QTest::newRow("plugin image") << "ChoosePluginImageButton"
                                  << ""
                                  << "pictures/p.png"
                                  << "pictures";
    QTest::newRow("plugin files") << "AddFileButton"
                                  << ""
                                  << "Data/a.esp"
                                  << "Data";
    QTest::newRow("plugin folder") << "AddFolderButton"
                                   << ""
                                   << "Data/Textures"
                                   << "Data";
    QTest::newRow("required files") << "AddRequiredFileButton"
                                    << ""
                                    << "Data/a.esp"
                                    << "Data";
    QTest::newRow("required folder") << "AddRequiredFolderButton"
                                     << ""
                                     << "Data/Textures"
                                     << "Data";
    QTest::newRow("conditional files") << "CondFileAddFileButton"
                                       << "AddCondFilePatternButton"
                                       << "Data/a.esp"
                                       << "Data";
    QTest::newRow("conditional folder") << "CondFileAddFolderButton"
                                        << "AddCondFilePatternButton"
                                        << "Data/Textures"
                                        << "Data";
    QTest::newRow("open folder") << "OpenMenu"
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("open file") << "OpenfileMenu"
                               << ""
                               << ""
                               << "";
    QTest::newRow("merge") << "MergeFOMODMenu"
                           << ""
                           << ""
                           << "";
}

void TestDialogFolders::opensInRootThenLastFolder() {
    QFETCH(QString, trigger);
    QFETCH(QString, prepare);
    QFETCH(QString, chosen);
    QFETCH(QString, nextFolder);

    EditorSession s;
    s.proceed();
    s.addGroup(QStringLiteral("G"));
    s.addPlugin(QStringLiteral("P"));
    if (!prepare.isEmpty())
        s.click(prepare);
    const QString root = s.doc.sRootDir;
    QDir(root).mkpath(QStringLiteral("Data/Textures"));
    EditorSession::writeFile(native(root, "Data/a.esp"), "x");
    EditorSession::writePicture(native(root, "pictures/h.png"));
    EditorSession::writePicture(native(root, "pictures/p.png"));
    auto run = [&] {
        if (s.form.component<QAction>(trigger))
            s.chooseMenu(trigger);
        else
            s.click(trigger);
    };

    run(); // cancelled
    const QString kind = s.prompts.vShown.last().sKind;
    QVERIFY2(kind == QLatin1String("files") || kind == QLatin1String("folders"), qPrintable(kind));
    QCOMPARE(s.prompts.sLastStartFolder, root);
    if (chosen.isEmpty())
        return;

    const bool folders = kind == QLatin1String("folders");
    (folders ? s.prompts.vFolderAnswers : s.prompts.vFileAnswers).append({native(root, chosen)});
    run();
    QCOMPARE(s.prompts.sLastStartFolder, root);
    run();
    QCOMPARE(s.prompts.sLastStartFolder, native(root, nextFolder));

    // A folder outside the root is not where the next dialog opens.
    QTemporaryDir outside;
    const QString elsewhere = native(outside.path(), "x.png");
    EditorSession::writePicture(elsewhere);
    s.prompts.vFileAnswers.append({elsewhere});
    s.click(QStringLiteral("ChooseHeaderImageButton"));
    QCOMPARE(s.prompts.sLastStartFolder, native(root, nextFolder));
    run();
    QCOMPARE(s.prompts.sLastStartFolder, root);
}

// Before there is a root directory the workspace chooser opens in the home folder, then in
// the root directory chosen.
void TestDialogFolders::workspaceChooserBeforeAProject() {
    EditorSession s;
    QVERIFY(QDir(s.dir.path()).mkpath(QStringLiteral("fomod")));
    const QString root = QDir::toNativeSeparators(s.dir.path());
    s.prompts.vFolderAnswers.append({root});
    s.click(QStringLiteral("OpenRootDirButton"));
    QCOMPARE(s.prompts.sLastStartFolder, QDir::toNativeSeparators(QDir::homePath()));
    QCOMPARE(s.doc.sRootDir, root);
    s.click(QStringLiteral("OpenRootDirButton"));
    QCOMPARE(s.prompts.sLastStartFolder, root);
}

QTEST_MAIN(TestDialogFolders)
#include "tst_dialog_folders.moc"
