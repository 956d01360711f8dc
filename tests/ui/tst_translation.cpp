#include "dialogs/ProgramWindows.h"
#include "editor/MainForm.h"
#include "settings/LanguageFileBytes.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <class T> T* make(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* w = new T(parent);
    w->setObjectName(name);
    if constexpr (requires { w->setText(text); })
        w->setText(text);
    return w;
}

// One window holding every kind of element the walk knows, each showing "layout".
struct Tree {
    QWidget window;
    QTabWidget* pages = nullptr;
    QTabBar* steps = nullptr;
    QTabWidget* patterns = nullptr;

    Tree() {
        window.setObjectName("Window");
        make<QLabel>(&window, "TopLabel", "layout");
        make<QLabel>(&window, "EmptyLabel");
        make<QLabel>(&window, "", "unnamed");
        make<QPushButton>(&window, "TopButton", "layout");
        make<QCheckBox>(&window, "TopCheckBox", "layout");

        auto* edit = make<QLineEdit>(&window, "PluginNameEdit", "data");
        make<QLabel>(&window, "PluginNameEditLabel", "layout")->setBuddy(edit);
        auto* rootEdit = make<QLineEdit>(&window, "RootDirEdit", "data");
        make<QLabel>(&window, "RootDirLabel", "layout")->setBuddy(rootEdit);

        auto* group = make<QGroupBox>(&window, "Group");
        group->setTitle("layout");
        make<QPushButton>(group, "GroupButton", "layout");

        auto* panel = make<QWidget>(&window, "Panel");
        auto* frame = make<QFrame>(panel, "Frame");
        make<QLabel>(frame, "FrameLabel", "layout");

        pages = make<QTabWidget>(&window, "PageControl");
        auto* page = make<QWidget>(nullptr, "FirstTabSheet");
        make<QPushButton>(page, "PageButton", "layout");
        pages->addTab(page, "layout");
        pages->addTab(make<QWidget>(nullptr, "SecondTabSheet"), "layout");

        steps = make<QTabBar>(&window, "StepsTabControl");
        steps->addTab("Step one");
        patterns = make<QTabWidget>(&window, "pdPatternsPageControl");
        auto* patternPage = make<QWidget>(nullptr, "PatternPage");
        make<QPushButton>(patternPage, "PatternButton", "layout");
        patterns->addTab(patternPage, "Pattern 1");
        auto* conditional = make<QTabWidget>(&window, "ConiditionalFilesPageControl");
        conditional->addTab(make<QWidget>(nullptr, "CondPage"), "Pattern A");

        auto* scroll = make<QScrollArea>(&window, "ScrollBox");
        auto* content = make<QWidget>(nullptr, "Content");
        make<QPushButton>(content, "ScrollButton", "layout");
        scroll->setWidget(content);

        auto* dock = make<QDockWidget>(&window, "Dock");
        dock->setWindowTitle("layout");
        auto* dockContent = make<QWidget>(nullptr, "DockContent");
        make<QPushButton>(dockContent, "DockButton", "layout");
        dock->setWidget(dockContent);

        make<QPlainTextEdit>(&window, "Memo")->setPlainText("data");
        auto* combo = make<QComboBox>(&window, "Combo");
        combo->addItem("data");
    }

    template <class T> T* find(const QString& name) { return window.findChild<T*>(name); }

    QString caption(const QString& name) {
        QWidget* w = find<QWidget>(name);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            return group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            return memo->toPlainText();
        if (auto* dock = qobject_cast<QDockWidget*>(w))
            return dock->windowTitle();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo->currentText();
        return "<no caption>";
    }
};

// Every key of the tree, each translated to "T:" + key.
QList<SLanguagePair> fullTable() {
    QList<SLanguagePair> table;
    for (const char* key : {"Window",
                            "TopLabel",
                            "EmptyLabel",
                            "TopButton",
                            "TopCheckBox",
                            "PluginNameEdit",
                            "PluginNameEditLabel",
                            "RootDirEdit",
                            "RootDirLabel",
                            "Group",
                            "GroupButton",
                            "Panel",
                            "Frame",
                            "FrameLabel",
                            "PageControl",
                            "FirstTabSheet",
                            "PageButton",
                            "SecondTabSheet",
                            "StepsTabControl",
                            "pdPatternsPageControl",
                            "PatternPage",
                            "PatternButton",
                            "ConiditionalFilesPageControl",
                            "CondPage",
                            "ScrollBox",
                            "Content",
                            "ScrollButton",
                            "Dock",
                            "DockContent",
                            "DockButton",
                            "Memo",
                            "Combo"})
        table.append({key, QString("T:") + key});
    return table;
}

// Every caption the walk can reach in a window, by element.
QMap<QObject*, QString> walkCaptions(QWidget* window) {
    QMap<QObject*, QString> shown;
    for (QLabel* label : window->findChildren<QLabel*>())
        shown[label] = label->text();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        shown[button] = button->text();
    for (QGroupBox* group : window->findChildren<QGroupBox*>())
        shown[group] = group->title();
    for (QDockWidget* dock : window->findChildren<QDockWidget*>())
        shown[dock] = dock->windowTitle();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            shown[tabs->widget(i)] = tabs->tabText(i);
    }
    return shown;
}

const QString kLanguageDir = QStringLiteral(QUARVEL_TEST_DATA "/../../Language");

// The bytes of a language file shipped with the program.
QByteArray shippedFile(const QString& fileName) {
    QFile file(kLanguageDir + "/" + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QWidget*> allOf(ProgramWindows& windows) {
    return {&windows.main, &windows.settings, &windows.script};
}

// Applies a shipped language to the three windows as start-up does.
void applyShipped(const QByteArray& fileName, ProgramWindows& windows) {
    SSettings settings;
    settings.sLanguage = fileName;
    Translation::applyLanguage(settings, kLanguageDir + "/..", &windows.main, &windows.settings,
                               &windows.script);
}

// Every key the program looks up in its windows: those the walk reaches as the windows
// start, the menu items and the settings dialog's title, the save state labels (empty until a
// save fills them), and the keys built from a label's name and the text chosen in its type box.
QStringList keysTheProgramLooksUp(ProgramWindows& windows) {
    QStringList keys;
    for (QWidget* window : allOf(windows))
        keys += Translation::keysLookedUp(window);
    keys += Translation::menuItemNames();
    keys += QStringLiteral("SettingsMenu");
    for (const char* stateLabel : {"mdlconfXMLStateLabel", "infoXMLStateLabel"})
        keys += component<QLabel>(windows.main, stateLabel)->objectName();
    const std::pair<const char*, const char*> typedLabels[] = {
        {"equalsLabel", "VisibilityTypeComboBox"},
        {"pdValueLabel", "pdDependencyTypeComboBox"},
        {"ciValueLabel", "CondFileDependTypeComboBox"}};
    for (const auto& [label, typeBox] : typedLabels) {
        const auto* types = component<QComboBox>(windows.main, typeBox);
        for (int i = 0; i < types->count(); ++i)
            keys += component<QLabel>(windows.main, label)->objectName() + types->itemText(i);
    }
    keys.removeDuplicates();
    return keys;
}

} // namespace

class TestTranslation : public QObject {
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
    void pageTabs();
    void keysLookedUpAreTheTranslatedElements();
    void missingKeysShowTheKey();
    void applyLanguage();
    void missingLanguageFileKeepsTheTable();
    void englishFileShowsTheLayoutCaptions();
    void walkReachesEveryKeyedElementOfTheMainWindow();
    void shippedFileHoldsEveryKey_data();
    void shippedFileHoldsEveryKey();
    void germanTranslatesEveryEnglishKey();
    void runTimeCaptionsShowNoKey_data();
    void runTimeCaptionsShowNoKey();
    void switchingLanguageChangesTheCaptions();
    void textSize_data();
    void textSize();
};

void TestTranslation::walk_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("label") << "TopLabel"
                           << "T:TopLabel";
    QTest::newRow("empty label stays empty") << "EmptyLabel"
                                             << "";
    QTest::newRow("button") << "TopButton"
                            << "T:TopButton";
    QTest::newRow("check box") << "TopCheckBox"
                               << "T:TopCheckBox";
    QTest::newRow("labelled edit's label by the edit") << "PluginNameEditLabel"
                                                       << "T:PluginNameEdit";
    QTest::newRow("labelled edit keeps its text") << "PluginNameEdit"
                                                  << "data";
    QTest::newRow("label with its own name and a buddy") << "RootDirLabel"
                                                         << "T:RootDirLabel";
    QTest::newRow("group box title") << "Group"
                                     << "T:Group";
    QTest::newRow("group box children") << "GroupButton"
                                        << "T:GroupButton";
    QTest::newRow("panel and frame children") << "FrameLabel"
                                              << "T:FrameLabel";
    QTest::newRow("tab page children") << "PageButton"
                                       << "T:PageButton";
    QTest::newRow("pattern page control left alone") << "PatternButton"
                                                     << "layout";
    QTest::newRow("scroll box content") << "ScrollButton"
                                        << "T:ScrollButton";
    QTest::newRow("dock title") << "Dock"
                                << "T:Dock";
    QTest::newRow("dock contents") << "DockButton"
                                   << "T:DockButton";
    QTest::newRow("memo left alone") << "Memo"
                                     << "data";
    QTest::newRow("combo box left alone") << "Combo"
                                          << "data";
}

void TestTranslation::walk() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Tree tree;
    Translation::translateContainer(&tree.window, fullTable());
    QCOMPARE(tree.caption(name), caption);
}

void TestTranslation::pageTabs() {
    Tree tree;
    Translation::translateContainer(&tree.window, fullTable());
    QCOMPARE(tree.pages->tabText(0), QString("T:FirstTabSheet"));
    QCOMPARE(tree.pages->tabText(1), QString("T:SecondTabSheet"));
    QCOMPARE(tree.steps->tabText(0), QString("Step one"));
    QCOMPARE(tree.patterns->tabText(0), QString("Pattern 1"));
    QCOMPARE(tree.find<QTabWidget>("ConiditionalFilesPageControl")->tabText(0),
             QString("Pattern A"));
    // An element without a name keeps its caption rather than showing an empty key.
    bool unnamedKept = false;
    for (QLabel* label : tree.window.findChildren<QLabel*>(QString()))
        unnamedKept = unnamedKept || label->text() == "unnamed";
    QVERIFY(unnamedKept);
}

void TestTranslation::keysLookedUpAreTheTranslatedElements() {
    // The keys listed are exactly those whose text the translation shows.
    Tree tree;
    const QStringList listed = Translation::keysLookedUp(&tree.window);
    QCOMPARE(tree.caption("TopLabel"), QString("layout"));
    Translation::translateContainer(&tree.window, fullTable());
    QStringList shown;
    for (const QString& caption : walkCaptions(&tree.window)) {
        if (caption.startsWith("T:"))
            shown.append(caption.mid(2));
    }
    QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()),
             QSet<QString>(shown.cbegin(), shown.cend()));
}

void TestTranslation::missingKeysShowTheKey() {
    Tree tree;
    Translation::translateContainer(&tree.window, {{"topbutton", "Knopf"}});
    QCOMPARE(tree.caption("TopButton"), QString("Knopf"));
    QCOMPARE(tree.caption("TopLabel"), QString("TopLabel"));
    QCOMPARE(tree.caption("PluginNameEditLabel"), QString("PluginNameEdit"));
    QCOMPARE(tree.pages->tabText(0), QString("FirstTabSheet"));
}

void TestTranslation::applyLanguage() {
    QTemporaryDir programDir;
    QVERIFY(programDir.isValid());
    QVERIFY(QDir(programDir.path()).mkdir("Language"));
    QString text;
    for (const QString& key : Translation::menuItemNames())
        text += key + " = \"M:" + key + "\"\r\n";
    text += "MainButton = \"Haupt\"\r\nSettingsButton = \"Einst\"\r\nScriptLabel = \"Skript\"\r\n";
    QFile file(programDir.filePath("Language/Deutsch.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(utf16File(text));
    file.close();

    QMainWindow main;
    QMenu* fomod = main.menuBar()->addMenu("FOMOD");
    fomod->setObjectName("FOMODMenu");
    QList<QAction*> actions;
    for (const QString& key : Translation::menuItemNames()) {
        if (key == "RecentMenu" || key == "OptionsMenu") {
            fomod->addMenu(key == "RecentMenu" ? "Recent" : "Options")->setObjectName(key);
        } else {
            actions.append(fomod->addAction("layout"));
            actions.last()->setObjectName(key);
        }
    }
    auto* central = make<QWidget>(&main, "Central");
    main.setCentralWidget(central);
    make<QPushButton>(central, "MainButton", "layout");
    QDialog settingsDialog;
    make<QPushButton>(&settingsDialog, "SettingsButton", "layout");
    QDialog scriptDialog;
    make<QLabel>(&scriptDialog, "ScriptLabel", "layout");

    SSettings settings;
    settings.sLanguage = "Deutsch.txt";
    Translation::applyLanguage(settings, programDir.path(), &main, &settingsDialog, &scriptDialog);

    QCOMPARE(main.findChild<QPushButton*>("MainButton")->text(), QString("Haupt"));
    QCOMPARE(settingsDialog.findChild<QPushButton*>("SettingsButton")->text(), QString("Einst"));
    QCOMPARE(scriptDialog.findChild<QLabel*>("ScriptLabel")->text(), QString("Skript"));
    QCOMPARE(settingsDialog.windowTitle(), QString("M:SettingsMenu"));
    for (QAction* action : actions)
        QCOMPARE(action->text(), "M:" + action->objectName());
    QCOMPARE(main.findChild<QMenu*>("RecentMenu")->title(), QString("M:RecentMenu"));
    QCOMPARE(main.findChild<QMenu*>("OptionsMenu")->title(), QString("M:OptionsMenu"));
    QCOMPARE(fomod->title(), QString("FOMOD"));

    // Null windows are skipped.
    Translation::applyLanguage(settings, programDir.path(), nullptr, nullptr, nullptr);
    Language::table().clear();
}

void TestTranslation::missingLanguageFileKeepsTheTable() {
    Language::table() = {{"MainButton", "Alt"}};
    QWidget window;
    make<QPushButton>(&window, "MainButton", "layout");
    SSettings settings; // no language name: nothing can be loaded
    Translation::applyLanguage(settings, QDir::tempPath(), &window, nullptr, nullptr);
    QCOMPARE(window.findChild<QPushButton*>("MainButton")->text(), QString("Alt"));
    QCOMPARE(Language::table().size(), 1);
    Language::table().clear();
}

void TestTranslation::englishFileShowsTheLayoutCaptions() {
    // The shipped English file holds the layout's own captions: applying it changes nothing.
    ProgramWindows windows;
    QMap<QObject*, QString> layout;
    for (QWidget* window : allOf(windows))
        layout.insert(walkCaptions(window));
    for (QAction* item : windows.main.findChildren<QAction*>())
        layout[item] = item->text();
    const QString settingsTitle = windows.settings.windowTitle();

    applyShipped("English.txt", windows);
    QVERIFY(Language::table().size() > 100);
    QMap<QObject*, QString> english;
    for (QWidget* window : allOf(windows))
        english.insert(walkCaptions(window));
    for (QAction* item : windows.main.findChildren<QAction*>())
        english[item] = item->text();
    for (auto it = layout.cbegin(); it != layout.cend(); ++it)
        QVERIFY2(english.value(it.key()) == it.value(),
                 qPrintable(it.key()->objectName() + ": " + english.value(it.key())));
    QCOMPARE(windows.settings.windowTitle(), settingsTitle);
}

// What an element named key shows: a label's, button's or group box's caption, a page's tab
// text, or for an edit the caption of the label it is the buddy of.
QStringList shownUnder(QWidget* window, const QString& key) {
    QStringList shown;
    for (QWidget* w : window->findChildren<QWidget*>(key)) {
        if (auto* label = qobject_cast<QLabel*>(w))
            shown.append(label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            shown.append(button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            shown.append(group->title());
        if (qobject_cast<QLineEdit*>(w)) {
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->buddy() == w)
                    shown.append(label->text());
            }
        }
    }
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->objectName() == key)
                shown.append(tabs->tabText(i));
        }
    }
    return shown;
}

void TestTranslation::walkReachesEveryKeyedElementOfTheMainWindow() {
    // Every value of the English file marked with its key: each element of the window that a
    // key names must show that mark, or the walk misses it in every language. Labels empty in
    // the layout stay empty.
    QVERIFY(Language::loadFile(kLanguageDir + "/English.txt"));
    QList<SLanguagePair> marked;
    for (const SLanguagePair& pair : Language::table())
        marked.append({pair.sKey, "T:" + pair.sKey});
    Language::table().clear();

    TMainForm main;
    QMap<QString, QStringList> layout;
    for (const SLanguagePair& pair : marked)
        layout[pair.sKey] = shownUnder(&main, pair.sKey);
    Translation::translateContainer(&main, marked);
    int reached = 0;
    for (const SLanguagePair& pair : marked) {
        const QStringList before = layout.value(pair.sKey);
        const QStringList after = shownUnder(&main, pair.sKey);
        for (qsizetype i = 0; i < after.size(); ++i) {
            const QString expected = before[i].isEmpty() ? QString() : pair.sValue;
            QVERIFY2(after[i] == expected, qPrintable(pair.sKey + ": " + after[i]));
            reached += expected.isEmpty() ? 0 : 1;
        }
    }
    QVERIFY(reached > 0);
}

void TestTranslation::shippedFileHoldsEveryKey_data() {
    QTest::addColumn<QString>("fileName");
    QTest::newRow("English") << "English.txt";
    QTest::newRow("German") << "German.txt";
}

void TestTranslation::shippedFileHoldsEveryKey() {
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedFile(fileName);
    QVERIFY2(!bytes.isEmpty(), "missing or empty");
    QVERIFY2(bytes.startsWith("\xFF\xFE") && bytes.size() % 2 == 0,
             "not UTF-16 LE with a byte-order mark");
    // Every line "Key = "Value"" and ended by CR LF: a malformed line would silently run into
    // the next key.
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2)
            .mid(1);
    QVERIFY2(text.endsWith("\r\n"), "last line without CR LF");
    const QRegularExpression line(QStringLiteral(R"(^[^ ="\r\n]+ = "[^"\r\n]*"$)"));
    for (const QString& each : text.chopped(2).split("\r\n"))
        QVERIFY2(line.match(each).hasMatch(), qPrintable("malformed line: " + each));

    QSet<QString> present;
    for (const SLanguagePair& pair : Language::parse(bytes)) {
        QVERIFY2(!present.contains(pair.sKey.toUpper()), qPrintable("twice: " + pair.sKey));
        present.insert(pair.sKey.toUpper());
    }
    ProgramWindows windows;
    const QStringList keys = keysTheProgramLooksUp(windows);
    QVERIFY(keys.size() > 100);
    QStringList missing;
    for (const QString& key : keys) {
        if (!present.contains(key.toUpper()))
            missing.append(key);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(fileName + " lacks " + missing.join(", ")));
}

void TestTranslation::germanTranslatesEveryEnglishKey() {
    QStringList english, german;
    for (const SLanguagePair& pair : Language::parse(shippedFile("English.txt")))
        english.append(pair.sKey);
    for (const SLanguagePair& pair : Language::parse(shippedFile("German.txt"))) {
        german.append(pair.sKey);
        QVERIFY2(!pair.sValue.isEmpty(), qPrintable("empty: " + pair.sKey));
    }
    QCOMPARE(german, english);
}

void TestTranslation::runTimeCaptionsShowNoKey_data() {
    shippedFileHoldsEveryKey_data();
}

// The labels whose caption follows their type box show a translation for every type, in each
// shipped language: never the key built from the label's name and the type.
void TestTranslation::runTimeCaptionsShowNoKey() {
    QFETCH(QString, fileName);
    ProgramWindows windows;
    applyShipped(fileName.toLatin1(), windows);
    const std::pair<const char*, const char*> typedLabels[] = {
        {"equalsLabel", "VisibilityTypeComboBox"},
        {"pdValueLabel", "pdDependencyTypeComboBox"},
        {"ciValueLabel", "CondFileDependTypeComboBox"}};
    for (const auto& [labelName, typeBox] : typedLabels) {
        auto* types = component<QComboBox>(windows.main, typeBox);
        const auto* label = component<QLabel>(windows.main, labelName);
        for (int i = 0; i < types->count(); ++i) {
            types->setCurrentIndex(i);
            const QString key = label->objectName() + types->itemText(i);
            QVERIFY2(!label->text().isEmpty() && label->text().compare(key, Qt::CaseInsensitive),
                     qPrintable(fileName + ": " + key + " shows " + label->text()));
        }
    }
    Language::table().clear();
}

void TestTranslation::switchingLanguageChangesTheCaptions() {
    ProgramWindows windows;
    auto* pages = component<QTabWidget>(windows.main, "PageControl");
    const int modInfo = pages->indexOf(component<QWidget>(windows.main, "ModInfoTabSheet"));
    const QString english = pages->tabText(modInfo);
    auto* save = component<QAction>(windows.main, "SaveMenu");
    const QString englishSave = save->text();

    applyShipped("German.txt", windows);
    const QString german = Language::lookup("ModInfoTabSheet");
    QVERIFY2(german != english && german != "ModInfoTabSheet", qPrintable(german));
    QCOMPARE(pages->tabText(modInfo), german);
    QCOMPARE(save->text(), Language::lookup("SaveMenu"));
    QVERIFY(save->text() != englishSave);
    QCOMPARE(windows.settings.windowTitle(), Language::lookup("SettingsMenu"));
    QCOMPARE(component<QPushButton>(windows.script, "CancelButton")->text(),
             Language::lookup("CancelButton"));

    applyShipped("English.txt", windows);
    QCOMPARE(pages->tabText(modInfo), english);
    QCOMPARE(save->text(), englishSave);
}

void TestTranslation::textSize_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    QTest::newRow("applied") << 12 << 12;
    QTest::newRow("zero never applied") << 0 << 7;
    QTest::newRow("negative never applied") << -3 << 7;
}

void TestTranslation::textSize() {
    QFETCH(int, size);
    QFETCH(int, expected);
    QWidget main, settingsDialog, scriptDialog;
    QFont start = main.font();
    start.setPointSize(7);
    for (QWidget* w : {&main, &settingsDialog, &scriptDialog})
        w->setFont(start);
    // A child with a size of its own keeps it.
    auto* own = make<QLabel>(&main, "OwnFont", "x");
    QFont big = own->font();
    big.setPointSize(20);
    own->setFont(big);
    auto* inherits = make<QLabel>(&main, "Inherits", "x");

    Translation::applyInterfaceTextSize(size, &main, &settingsDialog, &scriptDialog);
    for (QWidget* w : {&main, &settingsDialog, &scriptDialog})
        QCOMPARE(w->font().pointSize(), expected);
    QCOMPARE(inherits->font().pointSize(), expected);
    QCOMPARE(own->font().pointSize(), 20);
    Translation::applyInterfaceTextSize(size, nullptr, nullptr, nullptr);
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
