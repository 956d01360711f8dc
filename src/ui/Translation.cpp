#include "ui/Translation.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

namespace Translation {

namespace {

bool isDataTabStrip(const QString& name) {
    return name == QLatin1String("StepsTabControl") ||
           name == QLatin1String("pdPatternsPageControl") ||
           name == QLatin1String("ConiditionalFilesPageControl");
}

// The edit whose attached label this is, or null for a label with a name of its own.
QLineEdit* labelledEditOf(const QLabel* label) {
    auto* edit = qobject_cast<QLineEdit*>(label->buddy());
    if (!edit || edit->objectName().isEmpty())
        return nullptr;
    const QString name = label->objectName();
    return name.isEmpty() || name.startsWith(edit->objectName()) ? edit : nullptr;
}

bool isLeftAlone(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QMenu*>(w) ||
           qobject_cast<const QMenuBar*>(w) || qobject_cast<const QStatusBar*>(w) ||
           qobject_cast<const QToolBar*>(w) || qobject_cast<const QProgressBar*>(w) ||
           qobject_cast<const QLineEdit*>(w);
}

template <class Visit> void walkContainer(QWidget* container, Visit& visit);

// Calls visit(key, show) for each caption of w the walk gives a text, show setting that caption.
template <class Visit> void walkElement(QWidget* w, Visit& visit) {
    const QString name = w->objectName();
    if (isDataTabStrip(name))
        return;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const auto show = [label](const QString& text) { label->setText(text); };
        if (QLineEdit* edit = labelledEditOf(label))
            visit(edit->objectName(), show);
        else if (!name.isEmpty() && !label->text().isEmpty())
            visit(name, show);
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (!name.isEmpty())
            visit(name, [button](const QString& text) { button->setText(text); });
        return;
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (!name.isEmpty())
            visit(name, [group](const QString& text) { group->setTitle(text); });
        walkContainer(group, visit);
        return;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            QWidget* page = tabs->widget(i);
            if (!page->objectName().isEmpty())
                visit(page->objectName(),
                      [tabs, i](const QString& text) { tabs->setTabText(i, text); });
            walkContainer(page, visit);
        }
        return;
    }
    // Its title under its name, then its contents; its own float and close buttons keep theirs.
    if (auto* dock = qobject_cast<QDockWidget*>(w)) {
        if (!name.isEmpty())
            visit(name, [dock](const QString& text) { dock->setWindowTitle(text); });
        if (dock->widget())
            walkElement(dock->widget(), visit);
        return;
    }
    if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
        if (scroll->widget())
            walkContainer(scroll->widget(), visit);
        return;
    }
    if (isLeftAlone(w))
        return;
    walkContainer(w, visit);
}

template <class Visit> void walkContainer(QWidget* container, Visit& visit) {
    if (!container)
        return;
    // A copy: translating must not be disturbed by children that change while it runs.
    const QObjectList children = container->children();
    for (QObject* child : children) {
        if (auto* w = qobject_cast<QWidget*>(child))
            walkElement(w, visit);
    }
}

void setMenuCaptions(QWidget* mainWindow, const QList<SLanguagePair>& table) {
    for (const QString& name : menuItemNames()) {
        const QString caption = Language::lookup(table, name);
        for (QAction* action : mainWindow->findChildren<QAction*>(name))
            action->setText(caption);
        for (QMenu* menu : mainWindow->findChildren<QMenu*>(name))
            menu->setTitle(caption);
    }
}

} // namespace

void translateContainer(QWidget* container, const QList<SLanguagePair>& table) {
    auto translate = [&table](const QString& key, const auto& show) {
        show(Language::lookup(table, key));
    };
    walkContainer(container, translate);
}

QStringList keysLookedUp(QWidget* container) {
    QStringList keys;
    auto record = [&keys](const QString& key, const auto&) { keys.append(key); };
    walkContainer(container, record);
    return keys;
}

void applyInterfaceTextSize(qint32 pointSize, QWidget* mainWindow, QWidget* settingsDialog,
                            QWidget* scriptDialog) {
    if (pointSize <= 0)
        return;
    for (QWidget* window : {mainWindow, settingsDialog, scriptDialog}) {
        if (!window)
            continue;
        QFont font = window->font();
        font.setPointSize(pointSize);
        window->setFont(font);
    }
}

QStringList menuItemNames() {
    return {QStringLiteral("NewMenu"),          QStringLiteral("OpenMenu"),
            QStringLiteral("OpenfileMenu"),     QStringLiteral("SaveMenu"),
            QStringLiteral("MergeFOMODMenu"),   QStringLiteral("RecentMenu"),
            QStringLiteral("ExitMenu"),         QStringLiteral("OptionsMenu"),
            QStringLiteral("SettingsMenu"),     QStringLiteral("RunBeforeSaveMenu"),
            QStringLiteral("RunAfterSaveMenu"), QStringLiteral("EditListElementCMenu"),
            QStringLiteral("EditMenu"),         QStringLiteral("UndoMenu"),
            QStringLiteral("RedoMenu"),         QStringLiteral("PreviewMenu"),
            QStringLiteral("CheckMenu")};
}

void applyLanguage(const SSettings& settings, const QString& programDir, QWidget* mainWindow,
                   QWidget* settingsDialog, QWidget* scriptDialog) {
    Language::loadFile(
        Language::languageFilePath(programDir, Settings::fromLocal8(settings.sLanguage)));
    const QList<SLanguagePair>& table = Language::table();
    translateContainer(mainWindow, table);
    translateContainer(settingsDialog, table);
    translateContainer(scriptDialog, table);
    if (settingsDialog)
        settingsDialog->setWindowTitle(Language::lookup(table, QStringLiteral("SettingsMenu")));
    if (mainWindow)
        setMenuCaptions(mainWindow, table);
}

} // namespace Translation
