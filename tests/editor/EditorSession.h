#pragma once

#include "ScriptedPrompts.h"
#include "editor/Document.h"
#include "editor/MainForm.h"
#include "editor/UndoHistory.h"
#include "ui/ReportListView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The main window as a test drives it: a fresh window whose dialogs are answered by the script,
// a temporary folder to use as its root, and the user's actions on components found by name.
// A name the window does not hold ends the test run with the name, so a misspelt name cannot
// let a check pass unseen.
class EditorSession {
public:
    QTemporaryDir dir;
    // Stands for the executable's folder: config.ini and the save scripts go here, never
    // beside the test executable.
    QTemporaryDir programDir;
    ScriptedPrompts prompts;
    TMainForm form{QDir::toNativeSeparators(programDir.path())};
    // The open project, as the window's pages show it.
    Document& doc = form.document();

    // Brings the window to the editing stage as a user gets there: the temporary folder, holding
    // a "fomod" folder, typed into the workspace, then Proceed.
    void proceed() {
        if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("fomod")))
            qFatal("cannot make a root folder with a fomod folder in %s", qPrintable(dir.path()));
        form.show();
        type(QStringLiteral("RootDirEdit"), dir.path());
        click(QStringLiteral("ProceedButton"));
    }

    template <class T> T* component(const QString& name) const {
        T* found = form.component<T>(name);
        if (!found)
            qFatal("the window holds no %s named \"%s\"", T::staticMetaObject.className(),
                   qPrintable(name));
        return found;
    }

    QTableWidget* list(const QString& name) const { return component<QTableWidget>(name); }
    bool enabled(const QString& name) const { return component<QWidget>(name)->isEnabled(); }
    QList<bool> enabledStates(const QStringList& names) const {
        QList<bool> states;
        for (const QString& name : names)
            states.append(enabled(name));
        return states;
    }

    void click(const QString& button) const { component<QAbstractButton>(button)->click(); }
    // Chooses a menu item, as a click or its shortcut does (nothing while it is disabled).
    void chooseMenu(const QString& item) const { component<QAction>(item)->trigger(); }

    // Replaces the text of a line edit or an editable combo box, one keystroke at a time.
    void type(const QString& name, const QString& text) const {
        auto* target = component<QWidget>(name);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            combo->clearEditText();
        else if (auto* edit = qobject_cast<QLineEdit*>(target))
            edit->clear();
        else
            qFatal("\"%s\" takes no typed line", qPrintable(name));
        QTest::keyClicks(target, text);
    }

    // A click on a tab of a tab bar, or of the bar of a tab widget; the bar takes no focus.
    void chooseTab(const QString& name, int index) const {
        auto* bar = qobject_cast<QTabBar*>(component<QWidget>(name));
        if (!bar)
            bar = component<QTabWidget>(name)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    QTabBar* stepTabs() const { return component<QTabBar>(QStringLiteral("StepsTabControl")); }
    void chooseStep(int index) const { chooseTab(QStringLiteral("StepsTabControl"), index); }
    QStringList tabCaptions(const QString& name) const {
        auto* bar = component<QTabBar>(name);
        QStringList captions;
        for (int i = 0; i < bar->count(); ++i)
            captions.append(bar->tabText(i));
        return captions;
    }

    QStringList entries(const QString& comboName) const {
        auto* combo = component<QComboBox>(comboName);
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }

    // Selects a row (none for -1) as the user does with the keyboard or a first click on it.
    void select(const QString& listName, int row) const {
        ReportListView::selectRow(list(listName), row);
    }
    int selected(const QString& listName) const {
        return ReportListView::selectedRow(list(listName));
    }
    QStringList column(const QString& listName, int col) const {
        QTableWidget* table = list(listName);
        QStringList texts;
        for (int r = 0; r < table->rowCount(); ++r)
            texts.append(table->item(r, col) ? table->item(r, col)->text() : QString());
        return texts;
    }
    QStringList row(const QString& listName, int r) const {
        QTableWidget* table = list(listName);
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts.append(table->item(r, c) ? table->item(r, c)->text() : QString());
        return texts;
    }
    // The editor open on a cell of the list, if any.
    QLineEdit* cellEditor(const QString& listName) const {
        return list(listName)->viewport()->findChild<QLineEdit*>();
    }

    // The menu that opens on a right click into the list, or nullptr when none opens.
    QMenu* openContextMenu(const QString& listName) const {
        QWidget* viewport = list(listName)->viewport();
        const QPoint inside(1, 1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, inside, viewport->mapToGlobal(inside));
        QApplication::sendEvent(viewport, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    bool showsPicture(const QString& labelName) const {
        return !component<QLabel>(labelName)->pixmap().isNull();
    }

    void addStep() const { click(QStringLiteral("NewStepButton")); }
    void addGroup(const QString& name,
                  const QString& groupType = QStringLiteral("SelectAny")) const {
        component<QComboBox>(QStringLiteral("GroupTypeComboBox"))->setCurrentText(groupType);
        type(QStringLiteral("GroupNameEdit"), name);
        click(QStringLiteral("AddGroupButton"));
    }
    void addPlugin(const QString& name) const {
        type(QStringLiteral("PluginNameEdit"), name);
        click(QStringLiteral("AddPluginButton"));
    }
    // One group "G" holding the plugins P0, P1 and P2.
    void addThreePlugins() const {
        addGroup(QStringLiteral("G"));
        for (int i = 0; i < 3; ++i)
            addPlugin(QStringLiteral("P%1").arg(i));
    }

    CStep& step(int index = 0) { return doc.project.vSteps[index]; }
    QStringList stepNames() const {
        QStringList names;
        for (const CStep& s : doc.project.vSteps)
            names.append(s.sName);
        return names;
    }
    QStringList groupNames() {
        QStringList names;
        for (const CPluginGroup& g : step().vGroups)
            names.append(g.sName);
        return names;
    }
    QStringList pluginNames(int group) {
        QStringList names;
        for (const CPlugin& p : step().vGroups[group].vPlugins)
            names.append(p.sName);
        return names;
    }

    // Files for the window to pick up; missing folders are made.
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        file.write(bytes);
    }
    // A small red picture; the format follows the name's ending unless given.
    static void writePicture(const QString& path, const char* format = nullptr) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY2(image.save(path, format), qPrintable(path));
    }
};
