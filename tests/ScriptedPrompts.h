#pragma once

#include "ui/Prompts.h"

#include <QList>

// A Prompts backend for tests: records every message and question shown and returns queued
// answers. An empty queue answers No, and Cancel for dialogs.
class ScriptedPrompts : public PromptsBackend {
public:
    struct Shown {
        QString sKind; // "message", "question", "save question", "files", "folders"
        QString sText;
        QString sCaption;
    };

    QList<Shown> vShown;
    QList<bool> vYesNoAnswers;
    // Answers to the unsaved-changes question; an empty queue discards, as tests that replace
    // a changed project without scripting the question expect.
    QList<SaveChoice> vSaveChoices;
    QList<QStringList> vFileAnswers;
    QList<QStringList> vFolderAnswers;
    QString sLastFilter;
    bool bLastMultiple = false;
    // The folder the last file or folder dialog was asked to open in.
    QString sLastStartFolder;

    ScriptedPrompts() { Prompts::setBackend(this); }
    ~ScriptedPrompts() override { Prompts::setBackend(nullptr); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void message(QWidget*, const QString& text, const QString& caption) override {
        vShown.append({QStringLiteral("message"), text, caption});
    }
    bool askYesNo(QWidget*, const QString& text, const QString& caption) override {
        vShown.append({QStringLiteral("question"), text, caption});
        return vYesNoAnswers.isEmpty() ? false : vYesNoAnswers.takeFirst();
    }
    SaveChoice askSaveDiscardCancel(QWidget*, const QString& text,
                                    const QString& caption) override {
        vShown.append({QStringLiteral("save question"), text, caption});
        return vSaveChoices.isEmpty() ? SaveChoice::Discard : vSaveChoices.takeFirst();
    }
    QStringList chooseFiles(QWidget*, const QString& filter, bool multiple,
                            const QString& startFolder) override {
        vShown.append({QStringLiteral("files"), filter, QString()});
        sLastStartFolder = startFolder;
        sLastFilter = filter;
        bLastMultiple = multiple;
        return vFileAnswers.isEmpty() ? QStringList() : vFileAnswers.takeFirst();
    }
    QStringList chooseFolders(QWidget*, bool multiple, const QString& startFolder) override {
        vShown.append({QStringLiteral("folders"), QString(), QString()});
        sLastStartFolder = startFolder;
        bLastMultiple = multiple;
        return vFolderAnswers.isEmpty() ? QStringList() : vFolderAnswers.takeFirst();
    }

    // The texts of the messages (OK boxes) shown so far, in order.
    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : vShown)
            if (s.sKind == QLatin1String("message"))
                texts.append(s.sText);
        return texts;
    }
};
