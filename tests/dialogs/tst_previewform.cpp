#include "ProgramWindows.h"
#include "dialogs/PreviewForm.h"
#include "installer/Reader.h"
#include "platform/Paths.h"
#include "ui/Translation.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

const QString kRoot = QStringLiteral(QUARVEL_TEST_DATA "/simulate/two-steps");

CFOMOD readFixture() {
    CFOMOD project;
    const QString root = QDir::toNativeSeparators(kRoot);
    [&] {
        QVERIFY(InstallerReader::readInfoFile(
            Paths::joinNative(root, QStringLiteral("\\fomod\\info.xml")), project));
        QVERIFY(InstallerReader::readConfigFile(
            Paths::joinNative(root, QStringLiteral("\\fomod\\ModuleConfig.xml")), project));
    }();
    return project;
}

QAbstractButton* optionButton(const TPreviewForm& dialog, int group, int option) {
    return dialog.findChild<QAbstractButton*>(
        QStringLiteral("PreviewOption_%1_%2").arg(group).arg(option));
}

void click(const TPreviewForm& dialog, const char* name) {
    auto* button = component<QPushButton>(dialog, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// "indent name | source | option | overwrites" of every row of the tree, depth first.
void appendRows(const QTreeWidgetItem* item, int depth, QStringList& rows) {
    QString row = QString(depth * 2, QLatin1Char(' ')) + item->text(0);
    if (!item->text(1).isEmpty())
        row += " | " + item->text(1) + " | " + item->text(2) + " | " + item->text(4);
    rows.append(row);
    for (int i = 0; i < item->childCount(); ++i)
        appendRows(item->child(i), depth + 1, rows);
}

QStringList treeRows(const TPreviewForm& dialog) {
    const auto* tree = component<QTreeWidget>(dialog, "PreviewFilesTree");
    QStringList rows;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        appendRows(tree->topLevelItem(i), 0, rows);
    return rows;
}

} // namespace

class TestPreviewForm : public QObject {
    Q_OBJECT

private slots:
    void clickThroughTwoSteps();
    void backUndoesTheStepsFlags();
    void menuEntryFollowsSave();
    void shippedLanguagesHoldEveryKey();
    void prerequisitesAndVersionsDriveTheRun();
};

// The prerequisites' outcome heads the dialog; the version fields run the wizard again with
// the versions typed, an empty field counting as new enough.
void TestPreviewForm::prerequisitesAndVersionsDriveTheRun() {
    CFOMOD project;
    CDependency manager;
    manager.sType = "fomm";
    manager.sValue = "0.13";
    project.vModuleDependencies = {manager};
    CStep step("New");
    CDependency game;
    game.sType = "game";
    game.sValue = "1.6";
    CDependency extender;
    extender.sType = "skse";
    extender.sValue = "2.2";
    step.sOperator = "Or";
    step.vVisibility = {game, extender};
    CPluginGroup group("G", "SelectAny");
    group.vPlugins = {CPlugin("O")};
    step.vGroups = {group};
    project.vSteps = {step};
    TPreviewForm dialog(project, QString());

    const auto* line = component<QLabel>(dialog, "PreviewPrerequisitesLabel");
    const auto* pages = component<QStackedWidget>(dialog, "PreviewPages");
    auto* gameEdit = component<QLineEdit>(dialog, "PreviewGameVersionEdit");
    auto* managerEdit = component<QLineEdit>(dialog, "PreviewManagerVersionEdit");
    auto* extenderEdit = component<QLineEdit>(dialog, "PreviewExtenderVersionEdit");
    QVERIFY(!line->isHidden());
    QCOMPARE(line->text(), QString("Prerequisites met: the mod manager is version 0.13 or later"));
    QCOMPARE(component<QLabel>(dialog, "PreviewStepLabel")->text(), QString("New"));

    QTest::keyClicks(managerEdit, "0.12.9");
    QVERIFY2(line->text().startsWith("Prerequisites not met: the mod manager"),
             qPrintable(line->text()));
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(component<QPlainTextEdit>(dialog, "PreviewProblemsMemo")
                ->toPlainText()
                .startsWith("prerequisites not met"));

    managerEdit->clear();
    QVERIFY(line->text().startsWith("Prerequisites met"));
    gameEdit->setText("1.5");
    QCOMPARE(pages->currentIndex(), 0); // the script extender's version is not given
    extenderEdit->setText("2.1.9");
    QCOMPARE(pages->currentIndex(), 1); // neither condition holds: no step is shown
    gameEdit->setText("1.6.1170");
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(dialog.wizard().project(), project);

    TPreviewForm plain{CFOMOD(), QString()};
    QVERIFY(component<QLabel>(plain, "PreviewPrerequisitesLabel")->isHidden());
}

// Choosing "Slim" shows the "Extras" step, which only that flag makes visible; its option
// overwrites core.esp, which the tree marks.
void TestPreviewForm::clickThroughTwoSteps() {
    const CFOMOD project = readFixture();
    TPreviewForm dialog(project, QDir::toNativeSeparators(kRoot));
    QCOMPARE(component<QLabel>(dialog, "PreviewModNameLabel")->text(), QString("Two Steps"));
    QCOMPARE(component<QLabel>(dialog, "PreviewStepLabel")->text(), QString("Look"));
    auto* slim = qobject_cast<QRadioButton*>(optionButton(dialog, 0, 0));
    auto* strong = qobject_cast<QRadioButton*>(optionButton(dialog, 0, 1));
    QVERIFY(slim && strong);
    QVERIFY(strong->isChecked());
    // With "Strong" no later step shows: this is the last one.
    QVERIFY(!component<QPushButton>(dialog, "PreviewNextButton")->isEnabled());

    QTest::mouseClick(slim, Qt::LeftButton, {}, QPoint(5, slim->height() / 2));
    QVERIFY(slim->isChecked());
    QVERIFY(!strong->isChecked());
    QCOMPARE(component<QPlainTextEdit>(dialog, "PreviewDescriptionMemo")->toPlainText(),
             QString("Slim body."));
    click(dialog, "PreviewNextButton");

    QCOMPARE(component<QLabel>(dialog, "PreviewStepLabel")->text(), QString("Extras"));
    auto* freckles = qobject_cast<QCheckBox*>(optionButton(dialog, 0, 0));
    QVERIFY(freckles);
    QVERIFY(!freckles->isChecked());
    QTest::mouseClick(freckles, Qt::LeftButton, {}, QPoint(5, freckles->height() / 2));
    QVERIFY(freckles->isChecked());
    click(dialog, "PreviewFinishButton");

    QCOMPARE(component<QStackedWidget>(dialog, "PreviewPages")->currentIndex(), 1);
    QCOMPARE(treeRows(dialog),
             QStringList({"core.esp | slim.esp | Extras / Extras / Freckles | core.esp",
                          "slim.esp | slim.esp | Look / Body / Slim | ", "textures",
                          "  freckles.dds | textures\\freckles.dds | "
                          "Extras / Extras / Freckles | "}));
    const auto* flags = component<QTreeWidget>(dialog, "PreviewFlagsList");
    QCOMPARE(flags->topLevelItemCount(), 1);
    QCOMPARE(flags->topLevelItem(0)->text(0) + "=" + flags->topLevelItem(0)->text(1),
             QString("body=slim"));
    QCOMPARE(dialog.wizard().project(), project);
}

// Back to the first step and "Strong" again: the "Extras" step and its flag are gone, and the
// strong folder on disk is installed file by file.
void TestPreviewForm::backUndoesTheStepsFlags() {
    TPreviewForm dialog(readFixture(), QDir::toNativeSeparators(kRoot));
    optionButton(dialog, 0, 0)->click();
    click(dialog, "PreviewNextButton");
    click(dialog, "PreviewBackButton");
    QCOMPARE(component<QLabel>(dialog, "PreviewStepLabel")->text(), QString("Look"));
    QVERIFY(optionButton(dialog, 0, 0)->isChecked());
    optionButton(dialog, 0, 1)->click();
    click(dialog, "PreviewFinishButton");
    QCOMPARE(treeRows(dialog),
             QStringList({"core.esp | core.esp | required | ", "meshes",
                          "  body.nif | strong\\body.nif | Look / Body / Strong | ", "  sub",
                          "    hands.nif | strong\\sub\\hands.nif | Look / Body / Strong | ",
                          "strong.esp | strong.esp | conditional 0 | "}));
    QCOMPARE(component<QTreeWidget>(dialog, "PreviewFlagsList")->topLevelItem(0)->text(1),
             QString("strong"));
    click(dialog, "PreviewBackButton");
    QCOMPARE(component<QStackedWidget>(dialog, "PreviewPages")->currentIndex(), 0);
}

void TestPreviewForm::menuEntryFollowsSave() {
    ProgramWindows windows;
    auto* preview = component<QAction>(windows.main, "PreviewMenu");
    QCOMPARE(preview->shortcut(), QKeySequence(Qt::Key_F5));
    QVERIFY(!preview->isEnabled());
    windows.main.setEditingEnabled(true);
    QVERIFY(preview->isEnabled());
    windows.main.setEditingEnabled(false);
    QVERIFY(!preview->isEnabled());
}

// The dialog is translated before its data captions are filled: an empty project leaves them
// empty, so the walk lists exactly the keys of the layout.
void TestPreviewForm::shippedLanguagesHoldEveryKey() {
    TPreviewForm dialog{CFOMOD(), QString()};
    QStringList keys = Translation::keysLookedUp(&dialog);
    keys.append("PreviewMenu");
    QVERIFY(keys.contains("PreviewFinishButton"));
    for (const char* fileName : {"English.txt", "German.txt"}) {
        QFile file(QStringLiteral(QUARVEL_TEST_DATA "/../../Language/") + fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSet<QString> present;
        for (const SLanguagePair& pair : Language::parse(file.readAll()))
            present.insert(pair.sKey.toUpper());
        for (const QString& key : keys)
            QVERIFY2(present.contains(key.toUpper()), qPrintable(key + " missing in " + fileName));
    }
}

QTEST_MAIN(TestPreviewForm)
#include "tst_previewform.moc"
