#include "ProgramWindows.h"
#include "ScriptedPrompts.h"
#include "editor/DocumentCommands.h"
#include "settings/RecentFiles.h"
#include "ui/Prompts.h"
#include "ui/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

namespace {

const QList<QByteArray> kRecent = {"/mods/Alpha", "/mods/Beta & Co", "/mods/Gamma"};

SSettings storedSettings() {
    SSettings values;
    values.bHideOpenFile = true;
    values.bReplaceRN = true;
    values.iInterfaceTextSize = 11;
    values.iSplashScreenSec = 3;
    values.iMaxRecentFiles = 4;
    values.sLanguage = "Deutsch.txt";
    values.vRecentFiles = kRecent;
    values.iRecentFilesNum = kRecent.size();
    return values;
}

QStringList rowTexts(const QTableWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.append(list->item(row, 0)->text());
    return texts;
}

QStringList texts(const QList<QByteArray>& entries) {
    QStringList result;
    for (const QByteArray& entry : entries)
        result.append(QString::fromUtf8(entry));
    return result;
}

void selectRow(TSettingsForm& dialog, int row) {
    auto* list = component<QTableWidget>(dialog, "RecentListView");
    if (row < 0)
        list->clearSelection();
    else
        list->selectRow(row);
}

} // namespace

class TestSettingsForm : public QObject {
    Q_OBJECT

private slots:
    void openWithoutSettingsFile();
    void openWithSettingsFile();
    void openedFromMenuModallyCentred();
    void buttonStates_data();
    void buttonStates();
    void workingCopy_data();
    void workingCopy();
    void cancelChangesNothing();
    void saveStoresAndApplies();
    void notAWholeNumber_data();
    void notAWholeNumber();
    void englishKeepsLayoutCaptions();
};

void TestSettingsForm::openWithoutSettingsFile() {
    ScriptedPrompts prompts;
    ProgramWindows w;
    // Languages are listed only when the settings could be read.
    w.writeLanguage(QStringLiteral("English.txt"), {{QStringLiteral("SaveButton"), "Save"}});
    w.settings.prepareToOpen();
    w.settings.show();

    auto* languages = component<QComboBox>(w.settings, "LanguagesComboBox");
    QCOMPARE(languages->count(), 0);
    QCOMPARE(languages->currentText(), QString());
    for (const char* name : {"HideOpenFolderCheckBox", "HideOpenFileCheckBox", "ReplaceRNCheckBox"})
        QVERIFY(!component<QCheckBox>(w.settings, name)->isChecked());
    QCOMPARE(component<QComboBox>(w.settings, "IntTextSizeComboBox")->currentText(),
             QStringLiteral("8"));
    QCOMPARE(component<QLineEdit>(w.settings, "MaxRecentEdit")->text(), QStringLiteral("10"));
    QCOMPARE(component<QTableWidget>(w.settings, "RecentListView")->rowCount(), 0);

    // Save writes the layout's values; with no language named every caption shows its key.
    component<QPushButton>(w.settings, "SaveButton")->click();
    QVERIFY(!w.settings.isVisible());
    QCOMPARE(w.settings.result(), int(QDialog::Accepted));
    SSettings expected;
    expected.iInterfaceTextSize = 8;
    expected.iMaxRecentFiles = 10;
    QCOMPARE(w.readConfig(), expected);
    QCOMPARE(w.settings.windowTitle(), QStringLiteral("SettingsMenu"));
    QCOMPARE(component<QPushButton>(w.settings, "SaveButton")->text(),
             QStringLiteral("SaveButton"));
    QVERIFY(prompts.vShown.isEmpty());
}

void TestSettingsForm::openWithSettingsFile() {
    ProgramWindows w;
    w.writeConfig(storedSettings());
    w.writeLanguage(QStringLiteral("English.txt"), {});
    w.writeLanguage(QStringLiteral("Deutsch.txt"), {});
    w.settings.prepareToOpen();

    auto* languages = component<QComboBox>(w.settings, "LanguagesComboBox");
    QCOMPARE(languages->count(), 2);
    QCOMPARE(languages->itemText(0), QStringLiteral("Deutsch.txt"));
    QCOMPARE(languages->itemText(1), QStringLiteral("English.txt"));
    QCOMPARE(languages->currentText(), QStringLiteral("Deutsch.txt"));
    QVERIFY(!component<QCheckBox>(w.settings, "HideOpenFolderCheckBox")->isChecked());
    QVERIFY(component<QCheckBox>(w.settings, "HideOpenFileCheckBox")->isChecked());
    QVERIFY(component<QCheckBox>(w.settings, "ReplaceRNCheckBox")->isChecked());
    QCOMPARE(component<QComboBox>(w.settings, "IntTextSizeComboBox")->currentText(),
             QStringLiteral("11"));
    QCOMPARE(component<QLineEdit>(w.settings, "MaxRecentEdit")->text(), QStringLiteral("4"));
    QCOMPARE(rowTexts(component<QTableWidget>(w.settings, "RecentListView")), texts(kRecent));
    QCOMPARE(w.settings.recentWorkingCopy(), kRecent);
    QCOMPARE(Settings::instance(), storedSettings());
}

void TestSettingsForm::openedFromMenuModallyCentred() {
    ProgramWindows w; // its settings menu entry opens the dialog, as the program wires it
    bool shownModally = false;
    QPoint offset;
    QTimer::singleShot(0, &w.settings, [&] {
        shownModally = w.settings.isVisible() && w.settings.isModal();
        offset = w.settings.geometry().center() - w.main.geometry().center();
        component<QPushButton>(w.settings, "CancelButton")->click();
    });
    w.main.settingsMenu()->trigger();
    QVERIFY(shownModally);
    // Frame margins are known only once a window is shown, so the centres may differ by them.
    QVERIFY2(offset.manhattanLength() <= 8, "not centred on the main window");
    QCOMPARE(w.settings.result(), int(QDialog::Rejected));
}

void TestSettingsForm::buttonStates_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("remove");
    QTest::newRow("no row selected") << 3 << -1 << false << false << false;
    QTest::newRow("first row") << 3 << 0 << false << true << true;
    QTest::newRow("middle row") << 3 << 1 << true << true << true;
    QTest::newRow("last row") << 3 << 2 << true << false << true;
    QTest::newRow("only row") << 1 << 0 << false << false << true;
}

void TestSettingsForm::buttonStates() {
    QFETCH(int, entries);
    QFETCH(int, row);
    ProgramWindows w;
    SSettings values = storedSettings();
    values.vRecentFiles = kRecent.mid(0, entries);
    values.iRecentFilesNum = entries;
    w.writeConfig(values);
    w.settings.prepareToOpen();
    w.settings.show();

    selectRow(w.settings, 0);
    selectRow(w.settings, row);
    QTEST(component<QPushButton>(w.settings, "MoveUpButton")->isEnabled(), "up");
    QTEST(component<QPushButton>(w.settings, "MoveDownButton")->isEnabled(), "down");
    QTEST(component<QPushButton>(w.settings, "RemoveButton")->isEnabled(), "remove");
}

void TestSettingsForm::workingCopy_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("third up") << "MoveUpButton" << 2
                              << QList<QByteArray>{kRecent[0], kRecent[2], kRecent[1]} << 1;
    QTest::newRow("first down") << "MoveDownButton" << 0
                                << QList<QByteArray>{kRecent[1], kRecent[0], kRecent[2]} << 1;
    QTest::newRow("remove middle")
        << "RemoveButton" << 1 << QList<QByteArray>{kRecent[0], kRecent[2]} << -1;
}

void TestSettingsForm::workingCopy() {
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, selectedAfter);
    ProgramWindows w;
    w.writeConfig(storedSettings());
    w.settings.prepareToOpen();
    w.settings.show();

    selectRow(w.settings, row);
    component<QPushButton>(w.settings, button.toLatin1().constData())->click();

    auto* list = component<QTableWidget>(w.settings, "RecentListView");
    QCOMPARE(w.settings.recentWorkingCopy(), expected);
    QCOMPARE(rowTexts(list), texts(expected));
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), selectedAfter);
    if (selectedAfter < 0) {
        for (const char* name : {"MoveUpButton", "MoveDownButton", "RemoveButton"})
            QVERIFY(!component<QPushButton>(w.settings, name)->isEnabled());
    }
    // The real list changes only on Save.
    QCOMPARE(Settings::instance().vRecentFiles, kRecent);
}

void TestSettingsForm::cancelChangesNothing() {
    ProgramWindows w;
    w.writeConfig(storedSettings());
    const QByteArray fileBefore = w.read(QStringLiteral("config.ini"));
    w.main.documentCommands()->rebuildRecentMenu(RecentFiles::entries(storedSettings()));
    const int fontBefore = w.main.font().pointSize();
    w.settings.prepareToOpen();
    w.settings.show();

    selectRow(w.settings, 2);
    component<QPushButton>(w.settings, "MoveUpButton")->click();
    component<QCheckBox>(w.settings, "HideOpenFolderCheckBox")->setChecked(true);
    component<QComboBox>(w.settings, "IntTextSizeComboBox")->setCurrentText(QStringLiteral("12"));
    component<QPushButton>(w.settings, "CancelButton")->click();

    QVERIFY(!w.settings.isVisible());
    QCOMPARE(w.settings.result(), int(QDialog::Rejected));
    QCOMPARE(w.read(QStringLiteral("config.ini")), fileBefore);
    QCOMPARE(Settings::instance(), storedSettings());
    QCOMPARE(w.recentMenuEntries(), texts(kRecent));
    QVERIFY(component<QAction>(w.main, "OpenMenu")->isVisible());
    QCOMPARE(w.main.font().pointSize(), fontBefore);
}

void TestSettingsForm::saveStoresAndApplies() {
    ProgramWindows w;
    w.writeConfig(storedSettings());
    w.writeLanguage(QStringLiteral("Deutsch.txt"),
                    {{QStringLiteral("ModInfoTabSheet"), QStringLiteral("Mod-Info")},
                     {QStringLiteral("SaveButton"), QStringLiteral("Speichern")},
                     {QStringLiteral("macroLabel1"), QStringLiteral("Makro eins")},
                     {QStringLiteral("SettingsMenu"), QStringLiteral("Einstellungen")}});
    w.settings.prepareToOpen();
    w.settings.show();

    component<QCheckBox>(w.settings, "HideOpenFolderCheckBox")->setChecked(true);
    component<QCheckBox>(w.settings, "ReplaceRNCheckBox")->setChecked(false);
    component<QComboBox>(w.settings, "IntTextSizeComboBox")->setCurrentText(QStringLiteral("12"));
    auto* maxRecent = component<QLineEdit>(w.settings, "MaxRecentEdit");
    maxRecent->clear();
    QTest::keyClicks(maxRecent, QStringLiteral("2"));
    selectRow(w.settings, 2);
    component<QPushButton>(w.settings, "MoveUpButton")->click();
    component<QPushButton>(w.settings, "SaveButton")->click();

    QVERIFY(!w.settings.isVisible());
    QCOMPARE(w.settings.result(), int(QDialog::Accepted));

    // Stored and written; a lower maximum trims nothing until the next recording.
    SSettings expected = storedSettings();
    expected.bHideOpenFolder = true;
    expected.bReplaceRN = false;
    expected.iInterfaceTextSize = 12;
    expected.iMaxRecentFiles = 2;
    expected.vRecentFiles = {kRecent[0], kRecent[2], kRecent[1]};
    QCOMPARE(w.readConfig(), expected);
    QCOMPARE(Settings::instance(), expected);
    QCOMPARE(w.recentMenuEntries(), texts(expected.vRecentFiles));

    // Applied at once to the menu, the text size and the language of all three windows.
    QVERIFY(!component<QAction>(w.main, "OpenMenu")->isVisible());
    QVERIFY(!component<QAction>(w.main, "OpenfileMenu")->isVisible());
    for (const QWidget* window :
         {static_cast<QWidget*>(&w.main), static_cast<QWidget*>(&w.settings),
          static_cast<QWidget*>(&w.script)})
        QCOMPARE(window->font().pointSize(), 12);
    QCOMPARE(component<QTabWidget>(w.main, "PageControl")->tabText(0), QStringLiteral("Mod-Info"));
    QCOMPARE(component<QPushButton>(w.settings, "SaveButton")->text(), QStringLiteral("Speichern"));
    QCOMPARE(component<QPushButton>(w.script, "SaveButton")->text(), QStringLiteral("Speichern"));
    QCOMPARE(component<QLabel>(w.script, "macroLabel1")->text(), QStringLiteral("Makro eins"));
    QCOMPARE(w.settings.windowTitle(), QStringLiteral("Einstellungen"));
    QCOMPARE(w.main.settingsMenu()->text(), QStringLiteral("Einstellungen"));
}

void TestSettingsForm::notAWholeNumber_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString size = QStringLiteral("Interface text size must be a whole number.");
    const QString max = QStringLiteral("Maximum recent files must be a whole number.");
    QTest::newRow("size letters") << "IntTextSizeComboBox"
                                  << "abc" << size;
    QTest::newRow("size empty") << "IntTextSizeComboBox"
                                << "" << size;
    QTest::newRow("size fraction") << "IntTextSizeComboBox"
                                   << "8.5" << size;
    QTest::newRow("size too large") << "IntTextSizeComboBox"
                                    << "99999999999" << size;
    QTest::newRow("max emptied") << "MaxRecentEdit"
                                 << "" << max;
    QTest::newRow("max letters refused, left empty") << "MaxRecentEdit"
                                                     << "abc" << max;
    QTest::newRow("max too large") << "MaxRecentEdit"
                                   << "99999999999" << max;
}

void TestSettingsForm::notAWholeNumber() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ScriptedPrompts prompts;
    ProgramWindows w;
    w.writeConfig(storedSettings());
    const QByteArray fileBefore = w.read(QStringLiteral("config.ini"));
    w.settings.prepareToOpen();
    w.settings.show();

    component<QCheckBox>(w.settings, "HideOpenFolderCheckBox")->setChecked(true);
    QLineEdit* edit = field == QLatin1String("MaxRecentEdit")
                          ? component<QLineEdit>(w.settings, "MaxRecentEdit")
                          : component<QComboBox>(w.settings, "IntTextSizeComboBox")->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, typed);
    component<QPushButton>(w.settings, "SaveButton")->click();

    QCOMPARE(prompts.messages(), QStringList{message});
    QCOMPARE(prompts.vShown.first().sCaption, QStringLiteral("Quarvel"));
    QVERIFY(w.settings.isVisible());
    QCOMPARE(w.read(QStringLiteral("config.ini")), fileBefore);
    QCOMPARE(Settings::instance(), storedSettings());
    QVERIFY(component<QAction>(w.main, "OpenMenu")->isVisible());
    QVERIFY(w.recentMenuEntries().isEmpty());
}

void TestSettingsForm::englishKeepsLayoutCaptions() {
    // The shipped English file holds a key for every caption, with the layout's text.
    ProgramWindows w;
    const QStringList layout = captions(w.settings);
    QVERIFY(loadShippedEnglish());
    Translation::translateContainer(&w.settings, Language::table());
    QCOMPARE(captions(w.settings), layout);
}

QTEST_MAIN(TestSettingsForm)
#include "tst_settingsform.moc"
