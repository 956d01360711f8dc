#pragma once

#include "app/ProgramWiring.h"
#include "settings/LanguageFileBytes.h"
#include "settings/LanguageTable.h"
#include "settings/Settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// The main window and the two dialogs as start-up makes them, with the program folder in a
// temporary directory, and the program-wide settings and language table at their start values.
struct ProgramWindows {
    QTemporaryDir dir;
    // The program's folder: the temporary directory, or the folder named in it.
    QString programDir;
    TMainForm main;
    TScriptForm1 script;
    TSettingsForm settings;

    explicit ProgramWindows(const QString& programFolder = QString())
        : programDir(folderIn(dir, programFolder)), main(programDir), script(&main, programDir),
          settings(&main, programDir, &script) {
        resetProgramState();
        ProgramWiring::connectDialogs(main, settings, script);
    }
    // The splash window of a start-up with these windows.
    void connectSplash(TSplashForm& splash) {
        ProgramWiring::connectSplash(splash, main, settings, script);
    }
    ~ProgramWindows() { resetProgramState(); }
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    static QString folderIn(const QTemporaryDir& dir, const QString& folder) {
        const QString path = folder.isEmpty() ? dir.path() : dir.filePath(folder);
        QDir().mkpath(path);
        return QDir::toNativeSeparators(path);
    }

    static void resetProgramState() {
        Settings::instance() = SSettings{};
        Language::table().clear();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The file's bytes, or a null array when there is no such file.
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeConfig(const SSettings& values) const {
        Settings::writeSettings(values, Settings::settingsPath(dir.path()));
        QVERIFY(QFile::exists(path(QStringLiteral("config.ini"))));
    }

    // What config.ini holds now, read into a fresh record.
    SSettings readConfig() const {
        SSettings values;
        [&] { QVERIFY(Settings::readSettings(values, path(QStringLiteral("config.ini")))); }();
        return values;
    }

    // A language file in the Language folder, one "key = "value"" line per pair.
    void writeLanguage(const QString& fileName, const QList<SLanguagePair>& pairs) const {
        QString text;
        for (const SLanguagePair& pair : pairs)
            text += pair.sKey + QStringLiteral(" = \"") + pair.sValue + QStringLiteral("\"\r\n");
        write(QStringLiteral("Language/") + fileName, utf16File(text));
    }

    // The entries shown in the Recent submenu, as they read, without the template line.
    QStringList recentMenuEntries() const {
        QStringList texts;
        const auto* recent = main.findChild<QMenu*>(QStringLiteral("RecentMenu"));
        for (const QAction* item : recent->actions()) {
            if (item->objectName() != QLatin1String("RecentFileTemplate"))
                texts.append(
                    QString(item->text()).replace(QLatin1String("&&"), QLatin1String("&")));
        }
        return texts;
    }
};

// "name = caption" of every named button, label and tab page of a window.
inline QStringList captions(const QWidget& window) {
    QStringList shown;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->objectName().isEmpty())
            shown.append(button->objectName() + " = " + button->text());
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->objectName().isEmpty())
            shown.append(label->objectName() + " = " + label->text());
    }
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            shown.append(tabs->widget(i)->objectName() + " = " + tabs->tabText(i));
    }
    return shown;
}

// The English language file shipped with the program.
inline bool loadShippedEnglish() {
    return Language::loadFile(QStringLiteral(QUARVEL_TEST_DATA "/../../Language/English.txt"));
}

// A component of a window by its name; a missing one fails the test.
template <class T> T* component(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("missing component %s", name);
    return found;
}
