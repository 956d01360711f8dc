#include "editor/EditorSession.h"
#include "ui/Components.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startState();
    void menuItems_data();
    void menuItems();
    void rootDirTyped_data();
    void rootDirTyped();
    void openRootDir_data();
    void openRootDir();
    void proceedCreatesFirstStep();
    void modFields_data();
    void modFields();
    void categoryChosenFromList();
    void descriptionMemo_data();
    void descriptionMemo();
    void headerImage_data();
    void headerImage();
    void headerImageClear();
    void headerRowFits_data();
    void headerRowFits();
    void helpGuide();
    void exitEndsProgram_data();
    void exitEndsProgram();
};

void TestMainWindow::startState() {
    EditorSession s;

    QVERIFY(s.form.windowTitle().startsWith(QLatin1String("Quarvel ")));
    QVERIFY(s.form.windowTitle().section(QLatin1Char(' '), 1).count(QLatin1Char('.')) == 3);
    QCOMPARE(s.form.minimumSize(), QSize(550, 650));
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    // The client area below the menu.
    QCOMPARE(s.form.centralWidget()->size(), QSize(1108, 858));

    auto* pages = s.component<QTabWidget>("PageControl");
    const QStringList names = {"ModInfoTabSheet", "StepsTabSheet", "RequiredInstallsTabSheet",
                               "ConditionalInstallsTabSheet", "InfoTabSheet"};
    const QStringList captions = {"Mod info", "Steps", "Required installations",
                                  "Conditional installations", "Help"};
    const QList<bool> enabled = {true, false, false, false, true};
    QCOMPARE(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(pages->widget(i)->objectName(), names[i]);
        QCOMPARE(pages->tabText(i), captions[i]);
        QCOMPARE(pages->widget(i)->isEnabled(), enabled[i]);
        // A disabled page is still reachable through its tab.
        QVERIFY(pages->isTabEnabled(i));
    }
    QCOMPARE(pages->currentIndex(), 0);

    QVERIFY(!s.enabled("ProceedButton"));
    QVERIFY(s.component<QWidget>("SaveConfirmationPanel")->isHidden());
    QCOMPARE(s.component<QLabel>("SavingInfoLabel")->text(), QStringLiteral("Saving info.xml ..."));
    QCOMPARE(s.component<QLabel>("mdlconfXMLStateLabel")->text(), QString());
    auto* priority = s.component<QLineEdit>("FilePriorityEdit");
    QVERIFY(priority->isHidden());
    QVERIFY(!priority->isEnabled());
    QCOMPARE(priority->text(), QStringLiteral("0"));
    QCOMPARE(s.component<QTimer>("ShowConfirmationTimer")->interval(), 2000);
    QVERIFY(!s.component<QTimer>("ShowConfirmationTimer")->isActive());

    auto* category = s.component<QComboBox>("ModCategoryComboBox");
    QCOMPARE(category->count(), 58);
    QCOMPARE(category->itemText(0), QStringLiteral("Ammo"));
    QCOMPARE(category->itemText(25), QStringLiteral("Items (Food, Drinks, Chems, etc)"));
    QCOMPARE(category->itemText(57), QStringLiteral("Weather and Lighting"));
    QCOMPARE(category->currentText(), QString());
    QCOMPARE(s.component<QLineEdit>("ModVersionEdit")->width(), 146);
    QCOMPARE(s.component<QLabel>("HeaderImage")->size(), QSize(196, 133));
    QVERIFY(s.component<QLabel>("NoHeaderImageLabel")->isVisibleTo(&s.form));
    QVERIFY(s.component<QPlainTextEdit>("Memo1")->isReadOnly());
    QCOMPARE(s.doc.project, CFOMOD());
    QVERIFY(s.doc.sRootDir.isEmpty());
    QVERIFY(!s.form.programDir().isEmpty());
    QVERIFY(!s.form.programDir().endsWith(QDir::separator()));
}

void TestMainWindow::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");

    const auto row = [](const char* tag, const char* menu, const char* name, const char* caption,
                        const char* shortcut, bool enabled) {
        QTest::newRow(tag) << QString(menu) << QString(name) << QString(caption)
                           << QString(shortcut) << enabled;
    };
    row("New", "FOMODMenu", "NewMenu", "New", "", true);
    row("Open folder", "FOMODMenu", "OpenMenu", "Open folder", "Ctrl+O", true);
    row("Open file", "FOMODMenu", "OpenfileMenu", "Open file", "", true);
    row("Save", "FOMODMenu", "SaveMenu", "Save", "Ctrl+S", false);
    row("Merge", "FOMODMenu", "MergeFOMODMenu", "Merge FOMOD", "", false);
    row("Recent template", "RecentMenu", "RecentFileTemplate", "-", "", false);
    row("Exit", "FOMODMenu", "ExitMenu", "Exit", "Alt+F4", true);
    row("Settings", "OptionsMenu", "SettingsMenu", "Settings", "", true);
    row("Run before save", "OptionsMenu", "RunBeforeSaveMenu", "Run before save", "", true);
    row("Run after save", "OptionsMenu", "RunAfterSaveMenu", "Run after save", "", true);
}

void TestMainWindow::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);

    EditorSession s;
    auto* owner = s.component<QMenu>(menu);
    QAction* item = nullptr;
    for (QAction* action : owner->actions())
        if (action->objectName() == name)
            item = action;
    QVERIFY2(item, qPrintable(name));
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
    QCOMPARE(item->isEnabled(), enabled);
}

void TestMainWindow::rootDirTyped_data() {
    QTest::addColumn<QString>("fomodKind"); // "dir", "file" or "none"
    QTest::addColumn<bool>("proceedBefore");
    QTest::addColumn<bool>("proceedAfterTyping");

    QTest::newRow("folder with fomod") << "dir" << false << true;
    QTest::newRow("folder without fomod") << "none" << true << false;
    QTest::newRow("a plain file named fomod") << "file" << true << false;
}

void TestMainWindow::rootDirTyped() {
    QFETCH(QString, fomodKind);
    QFETCH(bool, proceedBefore);
    QFETCH(bool, proceedAfterTyping);

    EditorSession s;
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir(QStringLiteral("fomod")));
    if (fomodKind == QLatin1String("dir"))
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("fomod")));
    else if (fomodKind == QLatin1String("file"))
        EditorSession::writeFile(s.dir.filePath(QStringLiteral("fomod")), "x");

    // Start from the opposite state so the typed path must change it.
    s.type("RootDirEdit", proceedBefore ? other.path() : s.dir.path() + QStringLiteral("-missing"));
    QCOMPARE(s.enabled("ProceedButton"), proceedBefore);

    s.type("RootDirEdit", s.dir.path());
    QCOMPARE(s.doc.sRootDir, s.dir.path());
    QCOMPARE(s.enabled("ProceedButton"), proceedAfterTyping);

    // Emptying the edit empties the root but leaves Proceed as it was.
    s.component<QLineEdit>("RootDirEdit")->clear();
    QCOMPARE(s.doc.sRootDir, QString());
    QCOMPARE(s.enabled("ProceedButton"), proceedAfterTyping);
    QVERIFY(s.prompts.vShown.isEmpty());
}

void TestMainWindow::openRootDir_data() {
    QTest::addColumn<QString>("fomodKind"); // "dir", "file" or "none"
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("rootSet");
    QTest::addColumn<bool>("fomodDirAfter");
    QTest::addColumn<bool>("proceedEnabled");
    QTest::addColumn<bool>("typedBefore"); // the folder was typed while it had no fomod yet

    QTest::newRow("cancelled") << "dir" << true << false << false << false << true << false
                               << false;
    QTest::newRow("folder with fomod")
        << "dir" << false << false << false << true << true << true << false;
    QTest::newRow("folder typed before its fomod was made")
        << "dir" << false << false << false << true << true << true << true;
    QTest::newRow("without fomod, No")
        << "none" << false << false << true << false << false << false << false;
    QTest::newRow("without fomod, Yes creates it")
        << "none" << false << true << true << true << true << true << false;
    QTest::newRow("typed before, Yes creates it")
        << "none" << false << true << true << true << true << true << true;
    QTest::newRow("creation fails")
        << "file" << false << true << true << true << false << false << false;
}

void TestMainWindow::openRootDir() {
    QFETCH(QString, fomodKind);
    QFETCH(bool, cancel);
    QFETCH(bool, answerYes);
    QFETCH(bool, asked);
    QFETCH(bool, rootSet);
    QFETCH(bool, fomodDirAfter);
    QFETCH(bool, proceedEnabled);
    QFETCH(bool, typedBefore);

    EditorSession s;
    const QString native = QDir::toNativeSeparators(s.dir.path());
    if (typedBefore)
        s.type("RootDirEdit", native);
    const QString fomod = s.dir.filePath(QStringLiteral("fomod"));
    if (fomodKind == QLatin1String("dir"))
        QVERIFY(QDir().mkdir(fomod));
    else if (fomodKind == QLatin1String("file"))
        EditorSession::writeFile(fomod, "x");

    if (!cancel)
        s.prompts.vFolderAnswers.append({native});
    s.prompts.vYesNoAnswers.append(answerYes);
    s.click("OpenRootDirButton");

    QCOMPARE(s.prompts.vShown.size(), asked ? 2 : 1);
    QCOMPARE(s.prompts.vShown.first().sKind, QStringLiteral("folders"));
    QVERIFY(!s.prompts.bLastMultiple);
    if (asked) {
        QCOMPARE(s.prompts.vShown.at(1).sKind, QStringLiteral("question"));
        QCOMPARE(s.prompts.vShown.at(1).sText,
                 QStringLiteral("There is no 'fomod' catalog in specified directory. Create one?"));
        QCOMPARE(s.prompts.vShown.at(1).sCaption, QStringLiteral("Quarvel"));
    }
    const QString expectedRoot = rootSet || typedBefore ? native : QString();
    QCOMPARE(s.component<QLineEdit>("RootDirEdit")->text(), expectedRoot);
    QCOMPARE(s.doc.sRootDir, expectedRoot);
    QCOMPARE(QFileInfo(fomod).isDir(), fomodDirAfter);
    QCOMPARE(s.enabled("ProceedButton"), proceedEnabled);
}

void TestMainWindow::proceedCreatesFirstStep() {
    EditorSession s;
    s.proceed();

    QCOMPARE(s.doc.project.vSteps.size(), 1);
    QCOMPARE(s.doc.project.vSteps.first().sName, QStringLiteral("Step1"));
    QCOMPARE(s.doc.project.vSteps.first().sOperator, QStringLiteral("And"));
    QCOMPARE(s.doc.iStepCount(), 1);
    QCOMPARE(s.doc.iCurrentStep, 0);

    auto* tabs = s.component<QTabBar>("StepsTabControl");
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Step1"));
    QCOMPARE(s.component<QLineEdit>("StepNameEdit")->text(), QStringLiteral("Step1"));

    auto* pages = s.component<QTabWidget>("PageControl");
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("StepsTabSheet"));
    for (int i = 1; i <= 3; ++i)
        QVERIFY(pages->widget(i)->isEnabled());
    QVERIFY(s.component<QWidget>("StepsPageControl")->isEnabled());
    QVERIFY(s.enabled("DeleteStepButton"));
    QVERIFY(!s.enabled("MoveLeftButton"));
    QVERIFY(!s.enabled("MoveRightButton"));
    QVERIFY(!s.enabled("ProceedButton"));
    QVERIFY(!s.enabled("OpenRootDirButton"));
    QVERIFY(!s.component<QLineEdit>("RootDirEdit")->isEnabled());
    QVERIFY(s.component<QAction>("SaveMenu")->isEnabled());
    QVERIFY(s.component<QAction>("MergeFOMODMenu")->isEnabled());
    QVERIFY(s.prompts.vShown.isEmpty());
}

void TestMainWindow::modFields_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("field"); // 0 name, 1 author, 2 version, 3 website, 4 category

    QTest::newRow("name") << "ModNameEdit"
                          << "Better <Lights> & Co" << 0;
    QTest::newRow("author") << "ModAuthorEdit"
                            << "someone" << 1;
    QTest::newRow("version") << "ModVersionEdit"
                             << "1.0.2b" << 2;
    QTest::newRow("page") << "ModURLEdit"
                          << "https://example.invalid/mods/1" << 3;
    QTest::newRow("free category") << "ModCategoryComboBox"
                                   << "My own kind" << 4;
}

void TestMainWindow::modFields() {
    QFETCH(QString, component);
    QFETCH(QString, typed);
    QFETCH(int, field);

    EditorSession s;
    QWidget* target = s.component<QWidget>(component);
    if (auto* combo = qobject_cast<QComboBox*>(target))
        target = combo->lineEdit();
    const auto stored = [&] {
        const QString* fields[] = {&s.doc.project.sName, &s.doc.project.sAuthor,
                                   &s.doc.project.sVersion, &s.doc.project.sWebsite,
                                   &s.doc.project.sCategory};
        return *fields[field];
    };

    // Every keystroke is copied; the text is kept as typed, without escaping.
    QTest::keyClicks(target, typed.left(3));
    QCOMPARE(stored(), typed.left(3));
    QTest::keyClicks(target, typed.mid(3));
    QCOMPARE(stored(), typed);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(stored(), typed.chopped(1));

    // Only the one field changes.
    CFOMOD expected;
    QString* fields[] = {&expected.sName, &expected.sAuthor, &expected.sVersion, &expected.sWebsite,
                         &expected.sCategory};
    *fields[field] = typed.chopped(1);
    QCOMPARE(s.doc.project, expected);
}

void TestMainWindow::categoryChosenFromList() {
    EditorSession s;
    auto* category = s.component<QComboBox>("ModCategoryComboBox");
    category->setCurrentIndex(category->findText(QStringLiteral("Patches")));
    QCOMPARE(s.doc.project.sCategory, QStringLiteral("Patches"));
    QTest::keyClick(category->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(s.doc.project.sCategory, QStringLiteral("Patche"));
}

void TestMainWindow::descriptionMemo_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("stored");

    QTest::newRow("plain") << "A fine mod"
                           << "A fine mod";
    QTest::newRow("markup characters escaped") << "a & b <c>"
                                               << "a &#38; b &#60;c&#62;";
    QTest::newRow("lines kept with CR LF") << "first\nsecond\n"
                                           << "first\r\nsecond\r\n";
    QTest::newRow("loaded CR LF lines") << "one\r\ntwo"
                                        << "one\r\ntwo";
    QTest::newRow("references not escaped twice") << "&#38; &#169;"
                                                  << "&#38; &#169;";
    QTest::newRow("non-breaking space kept")
        << QStringLiteral("a\u00A0b") << QStringLiteral("a\u00A0b");
}

void TestMainWindow::descriptionMemo() {
    QFETCH(QString, memo);
    QFETCH(QString, stored);

    EditorSession s;
    auto* edit = s.component<QPlainTextEdit>("ModDesccriptionMemo");
    edit->setPlainText(memo);
    QCOMPARE(s.doc.project.sDescription, stored);
    // The memo keeps what was typed.
    QCOMPARE(Components::memoText(edit), QString(memo)
                                             .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                             .replace(QLatin1String("\n"), QLatin1String("\r\n")));

    // Typing runs the same conversion at every keystroke.
    edit->clear();
    QCOMPARE(s.doc.project.sDescription, QString());
    QTest::keyClicks(edit, QStringLiteral("x<"));
    QCOMPARE(s.doc.project.sDescription, QStringLiteral("x&#60;"));
}

void TestMainWindow::headerImage_data() {
    QTest::addColumn<QString>("file");   // created under the temporary folder
    QTest::addColumn<QString>("chosen"); // as answered by the dialog; "%1" is the folder
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("preview"); // 1 shown, 0 not, -1 as the file system's case rules

    QTest::newRow("png inside") << "A/fomod/pic.png"
                                << "%1/A/fomod/pic.png" << true << "fomod\\pic.png" << 1;
    QTest::newRow("jpg inside") << "A/img/h.jpg"
                                << "%1/A/img/h.jpg" << true << "img\\h.jpg" << 1;
    QTest::newRow("upper-case ending through the general loader")
        << "A/H.PNG"
        << "%1/A/H.PNG" << true << "H.PNG" << 1;
    QTest::newRow("text file stored without preview")
        << "A/notes.txt"
        << "%1/A/notes.txt" << true << "notes.txt" << 0;
    QTest::newRow("case-insensitive prefix")
        << "A/fomod/pic.png"
        << "%1/a/FOMOD/pic.png" << true << "FOMOD\\pic.png" << -1;
    QTest::newRow("sibling folder with the root as prefix") << "AB/x.png"
                                                            << "%1/AB/x.png" << false << "" << 0;
    QTest::newRow("outside the root") << "B/x.png"
                                      << "%1/B/x.png" << false << "" << 0;
}

void TestMainWindow::headerImage() {
    QFETCH(QString, file);
    QFETCH(QString, chosen);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    QFETCH(int, preview);

    EditorSession s;
    // The folder is named in upper case so that the lower-case row differs from it.
    const QString root = s.dir.filePath(QStringLiteral("A"));
    QVERIFY(QDir().mkpath(root));
    if (file.endsWith(QLatin1String(".txt")))
        EditorSession::writeFile(s.dir.filePath(file), "not a picture");
    else
        EditorSession::writePicture(s.dir.filePath(file),
                                    file.endsWith(QLatin1String("PNG")) ? "PNG" : nullptr);
    QString answer = chosen.arg(s.dir.path());
    if (chosen.contains(QLatin1String("/a/")))
        answer = chosen.arg(s.dir.path().toUpper());

    s.prompts.vFileAnswers.append({QDir::toNativeSeparators(answer)});
    s.type("RootDirEdit", root);
    s.click("ChooseHeaderImageButton");

    QCOMPARE(s.prompts.vShown.first().sKind, QStringLiteral("files"));
    QVERIFY(s.prompts.sLastFilter.startsWith("Images (*.png *.jpg *.jpeg *.bmp *.gif);;"));
    QVERIFY(!s.prompts.bLastMultiple);
    if (accepted) {
        QVERIFY(s.prompts.messages().isEmpty());
        QCOMPARE(s.doc.project.sImage, stored);
        QCOMPARE(s.component<QLineEdit>("ModHeaderImageEdit")->text(), stored);
    } else {
        QCOMPARE(s.prompts.messages(),
                 QStringList{QStringLiteral("File is out of root directory")});
        QCOMPARE(s.prompts.vShown.last().sCaption, QStringLiteral("Quarvel"));
        QCOMPARE(s.doc.project.sImage, QString());
        QCOMPARE(s.component<QLineEdit>("ModHeaderImageEdit")->text(), QString());
    }
    if (preview >= 0)
        QCOMPARE(s.showsPicture("HeaderImage"), preview == 1);
}

void TestMainWindow::headerImageClear() {
    EditorSession s;
    EditorSession::writePicture(s.dir.filePath(QStringLiteral("fomod/h.png")));
    s.prompts.vFileAnswers.append({s.dir.filePath(QStringLiteral("fomod/h.png"))});
    s.type("RootDirEdit", s.dir.path());
    s.click("ChooseHeaderImageButton");
    QCOMPARE(s.doc.project.sImage, QStringLiteral("fomod\\h.png"));
    QVERIFY(s.showsPicture("HeaderImage"));

    // Typing into the path edit changes nothing in the project.
    QTest::keyClicks(s.component<QLineEdit>("ModHeaderImageEdit"), QStringLiteral("zz"));
    QCOMPARE(s.doc.project.sImage, QStringLiteral("fomod\\h.png"));

    s.click("ClearHeaderImageButton");
    QCOMPARE(s.doc.project.sImage, QString());
    QCOMPARE(s.component<QLineEdit>("ModHeaderImageEdit")->text(), QString());
    QVERIFY(!s.showsPicture("HeaderImage"));
    QVERIFY(s.component<QLabel>("NoHeaderImageLabel")->isVisibleTo(&s.form));
}

void TestMainWindow::headerRowFits_data() {
    QTest::addColumn<bool>("narrowest");
    QTest::newRow("first size") << false;
    QTest::newRow("narrowest window") << true;
}

void TestMainWindow::headerRowFits() {
    QFETCH(bool, narrowest);
    EditorSession s;
    if (narrowest)
        s.form.resize(s.form.minimumSize());
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));

    // Path edit, buttons and preview side by side, none covering another.
    const auto box = [&](const char* name) {
        QWidget* w = s.component<QWidget>(name);
        return QRect(w->mapTo(&s.form, QPoint()), w->size());
    };
    const QRect edit = box("ModHeaderImageEdit");
    const QRect choose = box("ChooseHeaderImageButton");
    const QRect preview = box("HeaderImage");
    QVERIFY(edit.right() < choose.left());
    QVERIFY(choose.right() < preview.left());
    QVERIFY(box("ModInfoGroupBox").contains(preview));
    QCOMPARE(edit.width() == 346, !narrowest);
}

void TestMainWindow::helpGuide() {
    EditorSession s;
    const QString guide = s.component<QPlainTextEdit>("Memo1")->toPlainText();
    // Every menu command, the page topics and the group types are explained.
    for (const char* topic : {"New",
                              "Open folder",
                              "Open file",
                              "info.xml",
                              "ModuleConfig.xml",
                              "UTF-16 little-endian",
                              "Merge FOMOD",
                              "Recent",
                              "Exit",
                              "Settings",
                              "Run before save",
                              "Run after save",
                              "$MODNAME$",
                              "Workspace",
                              "Step name",
                              "SelectExactlyOne",
                              "SelectAny",
                              "SelectAtMostOne",
                              "SelectAtLeastOne",
                              "SelectAll",
                              "Plugin description",
                              "Plugin image",
                              "Flag set",
                              "Plugin dependencies",
                              "Priority",
                              "TEXTURES",
                              "Conditions",
                              "Required installations",
                              "Conditional installations",
                              "Language"})
        QVERIFY2(guide.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
    // It names no web address.
    for (const char* address : {"http", "www.", ".com", ".org", "@"})
        QVERIFY2(!guide.contains(QLatin1String(address), Qt::CaseInsensitive), address);

    // Its lines fit the page of the narrowest window, so none is broken or cut off.
    auto* memo = s.component<QPlainTextEdit>("Memo1");
    s.form.resize(s.form.minimumSize());
    s.component<QTabWidget>("PageControl")->setCurrentWidget(memo->parentWidget());
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    const int room = memo->viewport()->width() - 2 * int(memo->document()->documentMargin());
    for (const QString& line : guide.split(QLatin1Char('\n')))
        QVERIFY2(memo->fontMetrics().horizontalAdvance(line) <= room, qPrintable(line));
}

void TestMainWindow::exitEndsProgram_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Exit menu") << true;
    QTest::newRow("closing the window") << false;
}

void TestMainWindow::exitEndsProgram() {
    QFETCH(bool, byMenu);
    EditorSession s;
    s.form.show();
    s.type("ModNameEdit", QStringLiteral("unsaved"));

    QTimer::singleShot(0, &s.form, [&] {
        if (byMenu)
            s.component<QAction>("ExitMenu")->trigger();
        else
            s.form.close();
        // Reached only when the loop did not end: report it instead of hanging.
        QTimer::singleShot(0, &s.form, [] { QCoreApplication::exit(1); });
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    // The typed name is an unsaved change: the question came, and the scripted answer
    // (Discard) let the program end.
    QCOMPARE(s.prompts.vShown.size(), 1);
    QCOMPARE(s.prompts.vShown[0].sKind, QStringLiteral("save question"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
