#pragma once

#include "editor/MainForm.h"
#include "ui/ReportListView.h"
#include "ScriptedPrompts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// A main window brought to the editing stage as a user gets there: a root folder holding a
// "fomod" folder typed into the workspace, then Proceed. Dialogs are answered by the script.
class PluginEditorSession {
public:
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    TMainForm form;

    PluginEditorSession() {
        QDir(dir.path()).mkdir(QStringLiteral("fomod"));
        form.show();
        QTest::keyClicks(get<QLineEdit>("RootDirEdit"), dir.path());
        get<QAbstractButton>("ProceedButton")->click();
    }

    template <class T> T* get(const char* name) const {
        T* widget = form.component<T>(QLatin1String(name));
        if (!widget)
            qFatal("no component %s", name);
        return widget;
    }

    QTableWidget* list(const char* name) const { return get<QTableWidget>(name); }
    void click(const char* name) const { get<QAbstractButton>(name)->click(); }
    bool enabled(const char* name) const { return get<QWidget>(name)->isEnabled(); }

    // Types a name into the edit (replacing its text) and clicks the button beside it.
    void add(const char* edit, const char* button, const QString& name) const {
        QLineEdit* line = get<QLineEdit>(edit);
        line->clear();
        QTest::keyClicks(line, name);
        click(button);
    }
    void addGroup(const QString& name, const QString& type = QStringLiteral("SelectAny")) const {
        get<QComboBox>("GroupTypeComboBox")->setCurrentText(type);
        add("GroupNameEdit", "AddGroupButton", name);
    }
    void addPlugin(const QString& name) const { add("PluginNameEdit", "AddPluginButton", name); }

    // Selects a row as the user does with the keyboard or a first click on it.
    void select(const char* listName, int row) const {
        ReportListView::selectRow(list(listName), row);
    }

    int selected(const char* listName) const { return ReportListView::selectedRow(list(listName)); }

    QStringList column(const char* listName, int col) const {
        QStringList texts;
        QTableWidget* l = list(listName);
        for (int r = 0; r < l->rowCount(); ++r)
            texts.append(l->item(r, col) ? l->item(r, col)->text() : QString());
        return texts;
    }

    CStep& step() { return form.project.vSteps[0]; }
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
};
