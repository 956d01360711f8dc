#include "ProgramWindows.h"
#include "ScriptedPrompts.h"
#include "ui/Translation.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QPlainTextEdit* memo(const TScriptForm1& dialog) {
    return component<QPlainTextEdit>(dialog, "ScriptMemo");
}

QAction* menuEntry(const TMainForm& main, const QString& name) {
    return name == QLatin1String("RunBeforeSaveMenu") ? main.runBeforeSaveMenu()
                                                      : main.runAfterSaveMenu();
}

} // namespace

class TestScriptForm : public QObject {
    Q_OBJECT

private slots:
    void openFromMenu_data();
    void openFromMenu();
    void save_data();
    void save();
    void unwritableScriptKeepsDialogOpen();
    void titleFromMenuEntry_data();
    void titleFromMenuEntry();
    void englishKeepsLayoutCaptions();
};

void TestScriptForm::openFromMenu_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("fileBytes"); // null: no file
    QTest::addColumn<QString>("memoText");
    QTest::newRow("before-save script")
        << "RunBeforeSaveMenu"
        << "runbefore.txt" << QByteArray("cd $MODROOT$\r\necho done\r\n")
        << "cd $MODROOT$\necho done\n";
    QTest::newRow("after-save script without final line break")
        << "RunAfterSaveMenu"
        << "runafter.txt" << QByteArray("del old.rar") << "del old.rar";
    QTest::newRow("no after-save script") << "RunAfterSaveMenu"
                                          << "runafter.txt" << QByteArray() << "";
}

// Opening loads the file; Cancel writes nothing.
void TestScriptForm::openFromMenu() {
    QFETCH(QString, menu);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, memoText);
    ProgramWindows w;
    if (!fileBytes.isNull())
        w.write(fileName, fileBytes);
    // What an earlier opening left in the memo never shows.
    memo(w.script)->setPlainText(QStringLiteral("left from before"));
    // The menu entries open the dialog as the program wires them (ProgramWindows).

    bool shownModally = false;
    QString shownText;
    QTimer::singleShot(0, &w.script, [&] {
        shownModally = w.script.isVisible() && w.script.isModal();
        shownText = memo(w.script)->toPlainText();
        memo(w.script)->setPlainText(QStringLiteral("changed, then cancelled"));
        component<QPushButton>(w.script, "CancelButton")->click();
    });
    menuEntry(w.main, menu)->trigger();

    QVERIFY(shownModally);
    QCOMPARE(shownText, memoText);
    QCOMPARE(w.script.scriptPath(), QDir::toNativeSeparators(w.path(fileName)));
    QCOMPARE(w.read(fileName), fileBytes);
    QCOMPARE(QFile::exists(w.path(fileName)), !fileBytes.isNull());
}

void TestScriptForm::save_data() {
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("empty memo creates an empty file") << QByteArray() << "" << QByteArray("");
    QTest::newRow("lines end in CR LF")
        << QByteArray() << "echo a\necho b" << QByteArray("echo a\r\necho b\r\n");
    QTest::newRow("final line break ends the last line") << QByteArray() << "echo a\n"
                                                         << QByteArray("echo a\r\n");
    QTest::newRow("replaces the old script")
        << QByteArray("old line\r\nsecond\r\n") << "new" << QByteArray("new\r\n");
}

void TestScriptForm::save() {
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    ProgramWindows w;
    const QString fileName = QStringLiteral("runbefore.txt");
    if (!before.isNull())
        w.write(fileName, before);
    w.script.prepareScript(fileName, QStringLiteral("RunBeforeSaveMenu"));
    w.script.show();
    memo(w.script)->clear();
    QTest::keyClicks(memo(w.script), QString(typed).replace(QLatin1Char('\n'), QLatin1Char('\r')));
    component<QPushButton>(w.script, "SaveButton")->click();

    QVERIFY(!w.script.isVisible());
    QCOMPARE(w.script.result(), int(QDialog::Accepted));
    QVERIFY(QFile::exists(w.path(fileName)));
    QCOMPARE(w.read(fileName), written);
}

void TestScriptForm::unwritableScriptKeepsDialogOpen() {
    ScriptedPrompts prompts;
    ProgramWindows w;
    // A folder where the script file should be: it can be neither read nor written.
    QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("runafter.txt")));
    w.script.prepareScript(QStringLiteral("runafter.txt"), QStringLiteral("RunAfterSaveMenu"));
    w.script.show();
    QCOMPARE(memo(w.script)->toPlainText(), QString());
    memo(w.script)->setPlainText(QStringLiteral("echo keep me"));
    component<QPushButton>(w.script, "SaveButton")->click();

    QCOMPARE(prompts.messages().size(), 1);
    QVERIFY(prompts.messages().first().contains(w.script.scriptPath()));
    QCOMPARE(prompts.vShown.first().sCaption, QStringLiteral("Quarvel"));
    QVERIFY(w.script.isVisible());
    QCOMPARE(memo(w.script)->toPlainText(), QStringLiteral("echo keep me"));
}

void TestScriptForm::titleFromMenuEntry_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("language"); // empty: none applied
    QTest::addColumn<QString>("title");
    QTest::newRow("before save, no language") << "RunBeforeSaveMenu"
                                              << ""
                                              << "Run before save";
    QTest::newRow("after save, no language") << "RunAfterSaveMenu"
                                             << ""
                                             << "Run after save";
    QTest::newRow("translated") << "RunAfterSaveMenu"
                                << "Deutsch.txt"
                                << "Nach dem Speichern";
    QTest::newRow("language without the key") << "RunBeforeSaveMenu"
                                              << "Deutsch.txt"
                                              << "RunBeforeSaveMenu";
}

void TestScriptForm::titleFromMenuEntry() {
    QFETCH(QString, menu);
    QFETCH(QString, language);
    QFETCH(QString, title);
    ProgramWindows w;
    if (!language.isEmpty()) {
        w.writeLanguage(
            language, {{QStringLiteral("RunAfterSaveMenu"), QStringLiteral("Nach dem Speichern")}});
        SSettings values;
        values.sLanguage = Settings::toLocal8(language);
        Translation::applyLanguage(values, w.main.programDir(), &w.main, &w.settings, &w.script);
    }
    w.script.prepareScript(QStringLiteral("script.txt"), menu);
    QCOMPARE(w.script.windowTitle(), title);
}

void TestScriptForm::englishKeepsLayoutCaptions() {
    // The shipped English file holds a key for every caption, with the layout's text.
    ProgramWindows w;
    const QStringList layout = captions(w.script);
    QVERIFY(loadShippedEnglish());
    Translation::translateContainer(&w.script, Language::table());
    QCOMPARE(captions(w.script), layout);
}

QTEST_MAIN(TestScriptForm)
#include "tst_scriptform.moc"
