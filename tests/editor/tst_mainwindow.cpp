#include "ScriptedPrompts.h"
#include "editor/MainForm.h"
#include "ui/Components.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Writes a small picture; the format follows the name's ending unless given.
void writePicture(const QString& path, const char* format = nullptr) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path, format));
}

void writeText(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    template <class T> static T* find(const TMainForm& form, const char* name) {
        T* widget = form.findChild<T*>(QLatin1String(name));
        if (!widget)
            qWarning("missing component %s", name);
        return widget;
    }
    static bool headerShown(const TMainForm& form) {
        return !find<QLabel>(form, "HeaderImage")->pixmap().isNull();
    }

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
    void headerImageUndecodableKeepsPreview();
    void headerImageClear();
    void headerRowFits_data();
    void headerRowFits();
    void helpGuide();
    void exitEndsProgram_data();
    void exitEndsProgram();
};

void TestMainWindow::startState() {
    ScriptedPrompts prompts;
    TMainForm form;

    QVERIFY(form.windowTitle().startsWith(QLatin1String("Quarvel ")));
    QVERIFY(form.windowTitle().section(QLatin1Char(' '), 1).count(QLatin1Char('.')) == 3);
    QCOMPARE(form.minimumSize(), QSize(550, 650));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The client area below the menu.
    QCOMPARE(form.centralWidget()->size(), QSize(1108, 858));

    auto* pages = find<QTabWidget>(form, "PageControl");
    QVERIFY(pages);
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

    QVERIFY(!find<QPushButton>(form, "ProceedButton")->isEnabled());
    QVERIFY(find<QWidget>(form, "SaveConfirmationPanel")->isHidden());
    QCOMPARE(find<QLabel>(form, "SavingInfoLabel")->text(), QStringLiteral("Saving info.xml ..."));
    QCOMPARE(find<QLabel>(form, "mdlconfXMLStateLabel")->text(), QString());
    auto* priority = find<QLineEdit>(form, "FilePriorityEdit");
    QVERIFY(priority->isHidden());
    QVERIFY(!priority->isEnabled());
    QCOMPARE(priority->text(), QStringLiteral("0"));
    QCOMPARE(find<QTimer>(form, "ShowConfirmationTimer")->interval(), 2000);
    QVERIFY(!find<QTimer>(form, "ShowConfirmationTimer")->isActive());

    auto* category = find<QComboBox>(form, "ModCategoryComboBox");
    QCOMPARE(category->count(), 58);
    QCOMPARE(category->itemText(0), QStringLiteral("Ammo"));
    QCOMPARE(category->itemText(25), QStringLiteral("Items (Food, Drinks, Chems, etc)"));
    QCOMPARE(category->itemText(57), QStringLiteral("Weather and Lighting"));
    QCOMPARE(category->currentText(), QString());
    QCOMPARE(find<QLineEdit>(form, "ModVersionEdit")->width(), 146);
    QCOMPARE(find<QLabel>(form, "HeaderImage")->size(), QSize(196, 133));
    QVERIFY(find<QLabel>(form, "NoHeaderImageLabel")->isVisibleTo(&form));
    QVERIFY(find<QPlainTextEdit>(form, "Memo1")->isReadOnly());
    QCOMPARE(form.project, CFOMOD());
    QVERIFY(form.sRootDir.isEmpty());
    QVERIFY(!form.sProgramDir.isEmpty());
    QVERIFY(!form.sProgramDir.endsWith(QDir::separator()));
}

void TestMainWindow::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("New") << "FOMODMenu"
                         << "NewMenu"
                         << "New"
                         << "" << true;
    QTest::newRow("Open folder") << "FOMODMenu"
                                 << "OpenMenu"
                                 << "Open folder"
                                 << "Ctrl+O" << true;
    QTest::newRow("Open file") << "FOMODMenu"
                               << "OpenfileMenu"
                               << "Open file"
                               << "" << true;
    QTest::newRow("Save") << "FOMODMenu"
                          << "SaveMenu"
                          << "Save"
                          << "Ctrl+S" << false;
    QTest::newRow("Merge") << "FOMODMenu"
                           << "MergeFOMODMenu"
                           << "Merge FOMOD"
                           << "" << false;
    QTest::newRow("Recent template") << "RecentMenu"
                                     << "RecentFileTemplate"
                                     << "-"
                                     << "" << false;
    QTest::newRow("Exit") << "FOMODMenu"
                          << "ExitMenu"
                          << "Exit"
                          << "Alt+F4" << true;
    QTest::newRow("Settings") << "OptionsMenu"
                              << "SettingsMenu"
                              << "Settings"
                              << "" << true;
    QTest::newRow("Run before save") << "OptionsMenu"
                                     << "RunBeforeSaveMenu"
                                     << "Run before save"
                                     << "" << true;
    QTest::newRow("Run after save") << "OptionsMenu"
                                    << "RunAfterSaveMenu"
                                    << "Run after save"
                                    << "" << true;
}

void TestMainWindow::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);

    ScriptedPrompts prompts;
    TMainForm form;
    auto* owner = form.findChild<QMenu*>(menu);
    QVERIFY(owner);
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

    QTemporaryDir dir;
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir(QStringLiteral("fomod")));
    if (fomodKind == QLatin1String("dir"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fomod")));
    else if (fomodKind == QLatin1String("file"))
        writeText(dir.filePath(QStringLiteral("fomod")), "x");

    ScriptedPrompts prompts;
    TMainForm form;
    auto* edit = find<QLineEdit>(form, "RootDirEdit");
    auto* proceed = find<QPushButton>(form, "ProceedButton");
    // Start from the opposite state so the typed path must change it.
    edit->setText(proceedBefore ? other.path() : dir.path() + QStringLiteral("-missing"));
    QCOMPARE(proceed->isEnabled(), proceedBefore);

    edit->clear();
    QTest::keyClicks(edit, dir.path());
    QCOMPARE(form.sRootDir, dir.path());
    QCOMPARE(proceed->isEnabled(), proceedAfterTyping);

    // Emptying the edit empties the root but leaves Proceed as it was.
    edit->clear();
    QCOMPARE(form.sRootDir, QString());
    QCOMPARE(proceed->isEnabled(), proceedAfterTyping);
    QVERIFY(prompts.vShown.isEmpty());
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

    QTemporaryDir dir;
    const QString native = QDir::toNativeSeparators(dir.path());
    ScriptedPrompts prompts;
    TMainForm form;
    if (typedBefore)
        find<QLineEdit>(form, "RootDirEdit")->setText(native);
    const QString fomod = dir.filePath(QStringLiteral("fomod"));
    if (fomodKind == QLatin1String("dir"))
        QVERIFY(QDir().mkdir(fomod));
    else if (fomodKind == QLatin1String("file"))
        writeText(fomod, "x");

    if (!cancel)
        prompts.vFolderAnswers.append({native});
    prompts.vYesNoAnswers.append(answerYes);
    find<QPushButton>(form, "OpenRootDirButton")->click();

    QCOMPARE(prompts.vShown.size(), asked ? 2 : 1);
    QCOMPARE(prompts.vShown.first().sKind, QStringLiteral("folders"));
    QVERIFY(!prompts.bLastMultiple);
    if (asked) {
        QCOMPARE(prompts.vShown.at(1).sKind, QStringLiteral("question"));
        QCOMPARE(prompts.vShown.at(1).sText,
                 QStringLiteral("There is no 'fomod' catalog in specified directory. Create one?"));
        QCOMPARE(prompts.vShown.at(1).sCaption, QStringLiteral("Quarvel"));
    }
    const QString expectedRoot = rootSet || typedBefore ? native : QString();
    QCOMPARE(find<QLineEdit>(form, "RootDirEdit")->text(), expectedRoot);
    QCOMPARE(form.sRootDir, expectedRoot);
    QCOMPARE(QFileInfo(fomod).isDir(), fomodDirAfter);
    QCOMPARE(find<QPushButton>(form, "ProceedButton")->isEnabled(), proceedEnabled);
}

void TestMainWindow::proceedCreatesFirstStep() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fomod")));
    ScriptedPrompts prompts;
    TMainForm form;
    find<QLineEdit>(form, "RootDirEdit")->setText(dir.path());
    find<QPushButton>(form, "ProceedButton")->click();

    QCOMPARE(form.project.vSteps.size(), 1);
    QCOMPARE(form.project.vSteps.first().sName, QStringLiteral("Step1"));
    QCOMPARE(form.project.vSteps.first().sOperator, QStringLiteral("And"));
    QCOMPARE(form.iStepCount, 1);
    QCOMPARE(form.iCurrentStep, 0);

    auto* tabs = find<QTabBar>(form, "StepsTabControl");
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Step1"));
    QCOMPARE(find<QLineEdit>(form, "StepNameEdit")->text(), QStringLiteral("Step1"));

    auto* pages = find<QTabWidget>(form, "PageControl");
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("StepsTabSheet"));
    for (int i = 1; i <= 3; ++i)
        QVERIFY(pages->widget(i)->isEnabled());
    QVERIFY(find<QWidget>(form, "StepsPageControl")->isEnabled());
    QVERIFY(find<QPushButton>(form, "DeleteStepButton")->isEnabled());
    QVERIFY(!find<QPushButton>(form, "MoveLeftButton")->isEnabled());
    QVERIFY(!find<QPushButton>(form, "MoveRightButton")->isEnabled());
    QVERIFY(!find<QPushButton>(form, "ProceedButton")->isEnabled());
    QVERIFY(!find<QPushButton>(form, "OpenRootDirButton")->isEnabled());
    QVERIFY(!find<QLineEdit>(form, "RootDirEdit")->isEnabled());
    QVERIFY(find<QAction>(form, "SaveMenu")->isEnabled());
    QVERIFY(find<QAction>(form, "MergeFOMODMenu")->isEnabled());
    QVERIFY(prompts.vShown.isEmpty());
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

    ScriptedPrompts prompts;
    TMainForm form;
    QWidget* target = form.findChild<QWidget*>(component);
    QVERIFY(target);
    if (auto* combo = qobject_cast<QComboBox*>(target))
        target = combo->lineEdit();
    const auto stored = [&] {
        const QString* fields[] = {&form.project.sName, &form.project.sAuthor,
                                   &form.project.sVersion, &form.project.sWebsite,
                                   &form.project.sCategory};
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
    QCOMPARE(form.project, expected);
}

void TestMainWindow::categoryChosenFromList() {
    ScriptedPrompts prompts;
    TMainForm form;
    auto* category = find<QComboBox>(form, "ModCategoryComboBox");
    category->setCurrentIndex(category->findText(QStringLiteral("Patches")));
    QCOMPARE(form.project.sCategory, QStringLiteral("Patches"));
    QTest::keyClick(category->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(form.project.sCategory, QStringLiteral("Patche"));
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

    ScriptedPrompts prompts;
    TMainForm form;
    auto* edit = find<QPlainTextEdit>(form, "ModDesccriptionMemo");
    edit->setPlainText(memo);
    QCOMPARE(form.project.sDescription, stored);
    // The memo keeps what was typed.
    QCOMPARE(Components::memoText(edit), QString(memo)
                                             .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                             .replace(QLatin1String("\n"), QLatin1String("\r\n")));

    // Typing runs the same conversion at every keystroke.
    edit->clear();
    QCOMPARE(form.project.sDescription, QString());
    QTest::keyClicks(edit, QStringLiteral("x<"));
    QCOMPARE(form.project.sDescription, QStringLiteral("x&#60;"));
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

    QTemporaryDir dir;
    // The folder is named in upper case so that the lower-case row differs from it.
    const QString root = dir.filePath(QStringLiteral("A"));
    QVERIFY(QDir().mkpath(root));
    if (file.endsWith(QLatin1String(".txt")))
        writeText(dir.filePath(file), "not a picture");
    else
        writePicture(dir.filePath(file), file.endsWith(QLatin1String("PNG")) ? "PNG" : nullptr);
    QString answer = chosen.arg(dir.path());
    if (chosen.contains(QLatin1String("/a/")))
        answer = chosen.arg(dir.path().toUpper());

    ScriptedPrompts prompts;
    prompts.vFileAnswers.append({QDir::toNativeSeparators(answer)});
    TMainForm form;
    find<QLineEdit>(form, "RootDirEdit")->setText(root);
    find<QPushButton>(form, "ChooseHeaderImageButton")->click();

    QCOMPARE(prompts.vShown.first().sKind, QStringLiteral("files"));
    QCOMPARE(prompts.sLastFilter, QString());
    QVERIFY(!prompts.bLastMultiple);
    if (accepted) {
        QVERIFY(prompts.messages().isEmpty());
        QCOMPARE(form.project.sImage, stored);
        QCOMPARE(find<QLineEdit>(form, "ModHeaderImageEdit")->text(), stored);
    } else {
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("File is out of root directory")});
        QCOMPARE(prompts.vShown.last().sCaption, QStringLiteral("Quarvel"));
        QCOMPARE(form.project.sImage, QString());
        QCOMPARE(find<QLineEdit>(form, "ModHeaderImageEdit")->text(), QString());
    }
    if (preview >= 0)
        QCOMPARE(headerShown(form), preview == 1);
}

void TestMainWindow::headerImageUndecodableKeepsPreview() {
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("good.png")));
    writeText(dir.filePath(QStringLiteral("bad.png")), "no picture inside");

    ScriptedPrompts prompts;
    prompts.vFileAnswers.append({dir.filePath(QStringLiteral("good.png"))});
    prompts.vFileAnswers.append({dir.filePath(QStringLiteral("bad.png"))});
    TMainForm form;
    find<QLineEdit>(form, "RootDirEdit")->setText(dir.path());
    auto* choose = find<QPushButton>(form, "ChooseHeaderImageButton");
    choose->click();
    QVERIFY(headerShown(form));
    const QImage before = find<QLabel>(form, "HeaderImage")->pixmap().toImage();

    choose->click();
    QCOMPARE(form.project.sImage, QStringLiteral("bad.png"));
    QCOMPARE(find<QLabel>(form, "HeaderImage")->pixmap().toImage(), before);
    QVERIFY(prompts.messages().isEmpty());
}

void TestMainWindow::headerImageClear() {
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("fomod/h.png")));
    ScriptedPrompts prompts;
    prompts.vFileAnswers.append({dir.filePath(QStringLiteral("fomod/h.png"))});
    TMainForm form;
    find<QLineEdit>(form, "RootDirEdit")->setText(dir.path());
    find<QPushButton>(form, "ChooseHeaderImageButton")->click();
    QCOMPARE(form.project.sImage, QStringLiteral("fomod\\h.png"));
    QVERIFY(headerShown(form));

    // Typing into the path edit changes nothing in the project.
    QTest::keyClicks(find<QLineEdit>(form, "ModHeaderImageEdit"), QStringLiteral("zz"));
    QCOMPARE(form.project.sImage, QStringLiteral("fomod\\h.png"));

    find<QPushButton>(form, "ClearHeaderImageButton")->click();
    QCOMPARE(form.project.sImage, QString());
    QCOMPARE(find<QLineEdit>(form, "ModHeaderImageEdit")->text(), QString());
    QVERIFY(!headerShown(form));
    QVERIFY(find<QLabel>(form, "NoHeaderImageLabel")->isVisibleTo(&form));
}

void TestMainWindow::headerRowFits_data() {
    QTest::addColumn<bool>("narrowest");
    QTest::newRow("first size") << false;
    QTest::newRow("narrowest window") << true;
}

void TestMainWindow::headerRowFits() {
    QFETCH(bool, narrowest);
    ScriptedPrompts prompts;
    TMainForm form;
    if (narrowest)
        form.resize(form.minimumSize());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Path edit, buttons and preview side by side, none covering another.
    const auto box = [&](const char* name) {
        QWidget* w = find<QWidget>(form, name);
        return QRect(w->mapTo(&form, QPoint()), w->size());
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
    ScriptedPrompts prompts;
    TMainForm form;
    const QString guide = find<QPlainTextEdit>(form, "Memo1")->toPlainText();
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
    auto* memo = find<QPlainTextEdit>(form, "Memo1");
    form.resize(form.minimumSize());
    find<QTabWidget>(form, "PageControl")->setCurrentWidget(memo->parentWidget());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
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
    ScriptedPrompts prompts;
    TMainForm form;
    form.show();
    QTest::keyClicks(find<QLineEdit>(form, "ModNameEdit"), QStringLiteral("unsaved"));

    QTimer::singleShot(0, &form, [&] {
        if (byMenu)
            find<QAction>(form, "ExitMenu")->trigger();
        else
            form.close();
        // Reached only when the loop did not end: report it instead of hanging.
        QTimer::singleShot(0, &form, [] { QCoreApplication::exit(1); });
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(prompts.vShown.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
