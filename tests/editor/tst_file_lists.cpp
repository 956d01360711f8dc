#include "editor/EditorSession.h"
#include "editor/FilePriorityEditor.h"
#include "installer/ProjectParts.h"

#include <QMimeData>
#include <QUrl>

#include <functional>

using ProjectParts::fileEntry;

// The three file-list instances share one class; each test runs on all three through their
// table of differences.
struct FileListInstance {
    QString sSource, sDestination, sAddFile, sAddFolder, sRemove, sFolderOutsideMessage;
    std::function<void(EditorSession&)> prepare; // makes the instance's sequence current
    std::function<QList<CFile>&(EditorSession&)> files;
};
Q_DECLARE_METATYPE(FileListInstance)

namespace {

FileListInstance pluginFiles() {
    return {
        "SrcFilesListView",
        "DstFilesListView",
        "AddFileButton",
        "AddFolderButton",
        "RemoveFileFolderButton",
        "Folder is out of root directory",
        [](EditorSession& s) {
            s.addGroup("G");
            s.addPlugin("P");
        },
        [](EditorSession& s) -> QList<CFile>& { return s.step().vGroups[0].vPlugins[0].vFiles; }};
}

FileListInstance requiredFiles() {
    return {"RequiredFilesSrcListView",
            "RequiredFilesDstListView",
            "AddRequiredFileButton",
            "AddRequiredFolderButton",
            "RemoveRequiredFileFolderButton",
            "Folder is out of root directory",
            [](EditorSession&) {},
            [](EditorSession& s) -> QList<CFile>& { return s.doc.project.vRequiredFiles; }};
}

FileListInstance conditionalFiles() {
    return {"CondFilesSrcListView",
            "CondFilesDstListView",
            "CondFileAddFileButton",
            "CondFileAddFolderButton",
            "CondFileRemoveFileFolderButton",
            "File is out of root directory",
            [](EditorSession& s) { s.click("AddCondFilePatternButton"); },
            [](EditorSession& s) -> QList<CFile>& {
                return s.doc.project.vConditionalFiles[0].vFiles;
            }};
}

void addInstanceColumn() {
    QTest::addColumn<FileListInstance>("instance");
}

void addInstanceRows() {
    QTest::newRow("plugin") << pluginFiles();
    QTest::newRow("required") << requiredFiles();
    QTest::newRow("conditional") << conditionalFiles();
}

QString native(const EditorSession& s, const QString& relative) {
    return QDir::toNativeSeparators(s.dir.path() + QLatin1Char('/') + relative);
}

// A session at the editing stage with the instance's sequence current and files under the root.
struct FileSession : EditorSession {
    FileListInstance in;
    explicit FileSession(const FileListInstance& instance) : in(instance) {
        proceed();
        in.prepare(*this);
        for (const char* f : {"Data/Textures/armor/a.dds", "Mod/plugin.ESP", "Readme.txt"})
            writeFile(native(*this, f), "x");
        QDir(dir.path()).mkpath("Mod/MCM");
    }
    QList<CFile>& files() { return in.files(*this); }
    void addFiles(const QStringList& relatives) {
        QStringList paths;
        for (const QString& r : relatives)
            paths.append(native(*this, r));
        prompts.vFileAnswers.append(paths);
        click(in.sAddFile);
    }
    void addThree() { addFiles({"Data/Textures/armor/a.dds", "Mod/plugin.ESP", "Readme.txt"}); }
};

} // namespace

class TestFileLists : public QObject {
    Q_OBJECT

private slots:
    void addFilesInOrder_data() { addInstanceColumn(), addInstanceRows(); }
    void addFilesInOrder();
    void addFolder_data() { addInstanceColumn(), addInstanceRows(); }
    void addFolder();
    void outsideRootAddsNothing_data();
    void outsideRootAddsNothing();
    void removeKeepsSelection_data() { addInstanceColumn(), addInstanceRows(); }
    void removeKeepsSelection();
    void destinationEdit_data() { addInstanceColumn(), addInstanceRows(); }
    void destinationEdit();
    void priorityEditor_data();
    void priorityEditor();
    void priorityEditorFocusLoss();
    void priorityEditorEndsBeforeRowsChange();
    void droppedFileAndFolder_data() { addInstanceColumn(), addInstanceRows(); }
    void droppedFileAndFolder();
    void addNeedsItsSequence();
};

void TestFileLists::addFilesInOrder() {
    QFETCH(FileListInstance, instance);
    FileSession s(instance);
    QVERIFY(s.enabled(instance.sAddFile));
    s.addThree();

    QCOMPARE(s.prompts.sLastFilter, QString());
    QVERIFY(s.prompts.bLastMultiple);
    const QList<CFile> expected = {
        fileEntry("file", "Data\\Textures\\armor\\a.dds", "Textures\\armor\\a.dds"),
        fileEntry("file", "Mod\\plugin.ESP", "plugin.ESP"),
        fileEntry("file", "Readme.txt", "Readme.txt")};
    QCOMPARE(s.files(), expected);
    QCOMPARE(s.column(instance.sSource, 0), QStringList({"file", "file", "file"}));
    QCOMPARE(s.column(instance.sSource, 1),
             QStringList({"Data\\Textures\\armor\\a.dds", "Mod\\plugin.ESP", "Readme.txt"}));
    QCOMPARE(s.column(instance.sDestination, 0),
             QStringList({"Textures\\armor\\a.dds", "plugin.ESP", "Readme.txt"}));
    QCOMPARE(s.column(instance.sDestination, 1), QStringList({"0", "0", "0"}));
    QVERIFY(s.prompts.messages().isEmpty());

    // No duplicate check: the same file again is a fourth entry.
    s.addFiles({"Readme.txt"});
    QCOMPARE(s.files().size(), 4);
}

void TestFileLists::addFolder() {
    QFETCH(FileListInstance, instance);
    FileSession s(instance);
    s.prompts.vFolderAnswers.append({native(s, "Mod/MCM")});
    s.click(instance.sAddFolder);
    QVERIFY(s.prompts.bLastMultiple);
    QCOMPARE(s.files(), (QList<CFile>{fileEntry("folder", "Mod\\MCM", "MCM")}));
    QCOMPARE(s.row(instance.sSource, 0), QStringList({"folder", "Mod\\MCM"}));
    QCOMPARE(s.row(instance.sDestination, 0), QStringList({"MCM", "0"}));
}

void TestFileLists::outsideRootAddsNothing_data() {
    addInstanceColumn();
    QTest::addColumn<bool>("folder");
    for (const FileListInstance& in : {pluginFiles(), requiredFiles(), conditionalFiles()}) {
        const QByteArray name = in.sSource.toLatin1();
        QTest::newRow(name + " file") << in << false;
        QTest::newRow(name + " folder") << in << true;
    }
}

// Every chosen path is checked, not only the first: one outside adds none of them.
void TestFileLists::outsideRootAddsNothing() {
    QFETCH(FileListInstance, instance);
    QFETCH(bool, folder);
    FileSession s(instance);
    QTemporaryDir elsewhere;
    const QStringList chosen = {native(s, "Mod"), elsewhere.path()};
    if (folder) {
        s.prompts.vFolderAnswers.append(chosen);
        s.click(instance.sAddFolder);
    } else {
        s.prompts.vFileAnswers.append(chosen);
        s.click(instance.sAddFile);
    }
    QCOMPARE(s.prompts.messages(), QStringList(folder ? instance.sFolderOutsideMessage
                                                      : "File is out of root directory"));
    QVERIFY(s.files().isEmpty());
    QCOMPARE(s.list(instance.sSource)->rowCount(), 0);
    QCOMPARE(s.list(instance.sDestination)->rowCount(), 0);
}

void TestFileLists::removeKeepsSelection() {
    QFETCH(FileListInstance, instance);
    FileSession s(instance);
    s.addThree();
    QVERIFY(!s.enabled(instance.sRemove));

    s.select(instance.sSource, 1);
    QCOMPARE(s.selected(instance.sDestination), 1);
    QVERIFY(s.enabled(instance.sRemove));
    s.click(instance.sRemove);
    QCOMPARE(s.files().size(), 2);
    QCOMPARE(s.files()[1].sSource, QString("Readme.txt"));
    QCOMPARE(s.selected(instance.sSource), 1); // the row that took its place
    QCOMPARE(s.selected(instance.sDestination), 1);

    s.click(instance.sRemove); // the last row: the new last row is selected
    QCOMPARE(s.column(instance.sSource, 1), QStringList({"Data\\Textures\\armor\\a.dds"}));
    QCOMPARE(s.selected(instance.sSource), 0);
    QCOMPARE(s.selected(instance.sDestination), 0);

    s.click(instance.sRemove); // the only row
    QVERIFY(s.files().isEmpty());
    QCOMPARE(s.list(instance.sDestination)->rowCount(), 0);
    QVERIFY(!s.enabled(instance.sRemove));
}

void TestFileLists::destinationEdit() {
    QFETCH(FileListInstance, instance);
    FileSession s(instance);
    s.addThree();
    s.select(instance.sDestination, 2);
    QMenu* menu = s.openContextMenu(instance.sDestination);
    QVERIFY(menu);
    QVERIFY(s.component<QAction>("EditPathCMenu")->isEnabled());
    menu->close();
    s.component<QAction>("EditPathCMenu")->trigger();
    QLineEdit* editor = s.cellEditor(instance.sDestination);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, " docs\\Readme.txt ");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an accepted edit from its queue
    // Stored exactly as typed: no detection, no trimming.
    QCOMPARE(s.files()[2].sDestination, QString(" docs\\Readme.txt "));
    QCOMPARE(s.column(instance.sDestination, 0)[2], QString(" docs\\Readme.txt "));
}

void TestFileLists::priorityEditor_data() {
    addInstanceColumn();
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("stored");
    for (const FileListInstance& in : {pluginFiles(), requiredFiles(), conditionalFiles()}) {
        const QByteArray name = in.sSource.toLatin1();
        QTest::newRow(name + " enter") << in << "12" << int(Qt::Key_Return) << 12;
        QTest::newRow(name + " negative") << in << "-5" << int(Qt::Key_Enter) << -5;
        QTest::newRow(name + " escape") << in << "12" << int(Qt::Key_Escape) << 3;
    }
    const FileListInstance in = requiredFiles();
    // What no 32-bit number can hold stores nothing.
    QTest::newRow("emptied") << in << "" << int(Qt::Key_Return) << 3;
    QTest::newRow("minus alone") << in << "-" << int(Qt::Key_Return) << 3;
    QTest::newRow("too large") << in << "2147483648" << int(Qt::Key_Return) << 3;
    QTest::newRow("smallest") << in << "-2147483648" << int(Qt::Key_Return) << -2147483647 - 1;
    QTest::newRow("letters refused") << in << "4x" << int(Qt::Key_Return) << 4;
}

void TestFileLists::priorityEditor() {
    QFETCH(FileListInstance, instance);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, stored);
    FileSession s(instance);
    s.addThree();
    s.files()[1].iPriority = 3;
    s.list(instance.sDestination)->item(1, 1)->setText("3");
    s.select(instance.sDestination, 1);

    QMenu* menu = s.openContextMenu(instance.sDestination);
    QVERIFY(menu);
    s.component<QAction>("EditPriorityCMenu")->trigger();
    menu->close();
    auto* editor = s.component<QLineEdit>("FilePriorityEdit");
    QVERIFY(editor->isVisible() && editor->isEnabled());
    QCOMPARE(editor->text(), QString("3"));
    QCOMPARE(s.form.filePriority()->editedRow(), 1);
    // Over the priority cell, 4 pixels in.
    QTableWidget* list = s.list(instance.sDestination);
    const QRect cell = list->visualRect(list->model()->index(1, 1));
    QCOMPARE(editor->pos(), list->viewport()->mapTo(&s.form, cell.topLeft()) + QPoint(4, 4));

    editor->clear();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key(key));
    QVERIFY(!editor->isVisible());
    QVERIFY(!editor->isEnabled());
    QCOMPARE(s.files()[1].iPriority, stored);
    QCOMPARE(s.column(instance.sDestination, 1)[1], QString::number(stored));
    QCOMPARE(s.files()[0].iPriority, 0);
}

void TestFileLists::priorityEditorFocusLoss() {
    FileSession s(requiredFiles());
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    s.addThree();
    s.select("RequiredFilesDstListView", 0);
    QMenu* menu = s.openContextMenu("RequiredFilesDstListView");
    QVERIFY(menu);
    s.component<QAction>("EditPriorityCMenu")->trigger();
    menu->close();
    auto* editor = s.component<QLineEdit>("FilePriorityEdit");
    editor->clear();
    QTest::keyClicks(editor, "7");
    s.component<QWidget>("AddRequiredFileButton")->setFocus();
    QVERIFY(!editor->isVisible());
    QCOMPARE(s.files()[0].iPriority, 7);

    // Without a selected row the menu offers nothing and opens no editor.
    s.select("RequiredFilesDstListView", -1);
    menu = s.openContextMenu("RequiredFilesDstListView");
    QVERIFY(menu);
    QVERIFY(!s.component<QAction>("EditPriorityCMenu")->isEnabled());
    QVERIFY(!s.component<QAction>("EditPathCMenu")->isEnabled());
    menu->close();
}

// A command that changes the rows without taking the focus ends the edit first, so the typed
// priority goes to the row it was typed for and never to a row that took its place.
void TestFileLists::priorityEditorEndsBeforeRowsChange() {
    FileSession s(pluginFiles());
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    s.addThree();
    s.select("DstFilesListView", 1);
    QMenu* menu = s.openContextMenu("DstFilesListView");
    QVERIFY(menu);
    menu->close();
    s.component<QAction>("EditPriorityCMenu")->trigger();
    auto* editor = s.component<QLineEdit>("FilePriorityEdit");
    editor->clear();
    QTest::keyClicks(editor, "9");
    s.click("RemoveFileFolderButton"); // a click() moves no focus
    QVERIFY(!editor->isVisible());
    QCOMPARE(s.files().size(), 2);
    for (const CFile& f : s.files())
        QCOMPARE(f.iPriority, 0);
    QCOMPARE(s.column("DstFilesListView", 1), QStringList({"0", "0"}));

    // A plugin selection that empties the lists ends the edit too: the plugin it was typed for
    // is no longer shown, so nothing is stored anywhere.
    s.select("DstFilesListView", 0);
    s.component<QAction>("EditPriorityCMenu")->trigger();
    editor->clear();
    QTest::keyClicks(editor, "4");
    s.select("PluginListView", -1);
    QVERIFY(!editor->isVisible());
    QCOMPARE(s.files()[0].iPriority, 0);
}

void TestFileLists::droppedFileAndFolder() {
    QFETCH(FileListInstance, instance);
    FileSession s(instance);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(native(s, "Mod/plugin.ESP")),
                  QUrl::fromLocalFile(native(s, "Mod/MCM"))});
    QWidget* viewport = s.list(instance.sSource)->viewport();
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(s.files(), (QList<CFile>{fileEntry("file", "Mod\\plugin.ESP", "plugin.ESP"),
                                      fileEntry("folder", "Mod\\MCM", "MCM")}));

    // A drop from outside the root is refused with the message, like the buttons.
    QTemporaryDir elsewhere;
    QMimeData outside;
    outside.setUrls({QUrl::fromLocalFile(elsewhere.path())});
    QDragEnterEvent enterOutside(at, Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enterOutside);
    QDropEvent refused(at, Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &refused);
    QVERIFY(!refused.isAccepted());
    QCOMPARE(s.prompts.messages(), QStringList(instance.sFolderOutsideMessage));
    QCOMPARE(s.files().size(), 2);
}

// Without a plugin (or a pattern) there is no sequence to add to: the buttons are off, and a
// command that runs anyway asks nothing and adds nothing.
void TestFileLists::addNeedsItsSequence() {
    EditorSession s;
    s.proceed();
    for (const char* button :
         {"AddFileButton", "AddFolderButton", "CondFileAddFileButton", "CondFileAddFolderButton"})
        QVERIFY2(!s.enabled(button), button);
    QVERIFY(s.enabled("AddRequiredFileButton"));
    s.addGroup("G");
    QVERIFY(!s.enabled("AddFileButton"));
    s.addPlugin("P");
    QVERIFY(s.enabled("AddFileButton"));
    s.click("RemovePluginButton");
    QVERIFY(!s.enabled("AddFileButton"));
    QVERIFY(s.prompts.vShown.isEmpty());
}

QTEST_MAIN(TestFileLists)
#include "tst_file_lists.moc"
