#pragma once

#include "model/Fomod.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// What the window shows besides the project: the page, the step, the group, the plugin and the
// patterns chosen. Undo brings it back with the project.
struct ViewState {
    int iPage = 0;
    int iStep = -1;
    int iStepsPage = 0;
    int iGroup = -1;
    int iPlugin = -1;
    int iPluginPattern = -1;
    int iConditionalPattern = -1;

    bool operator==(const ViewState&) const = default;
};

struct EditorSnapshot {
    CFOMOD project;
    ViewState view;
};

// Undo and redo of every change the window makes to the project. Commands change the project in
// place; after each user input the history compares the project with the one it last saw (cheap:
// the model's values are implicitly shared) and, when it changed, records the state before and
// after under the name of what the user did. Typing into one field is one entry per field and
// pause.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    using Capture = std::function<EditorSnapshot()>;
    using Restore = std::function<void(const EditorSnapshot&)>;

    // Watches the user's input to window; capture reads the project and the view, restore shows
    // a snapshot again.
    UndoHistory(QWidget* window, Capture capture, Restore restore);

    // A fresh history starting from the present state (New, Open).
    void reset();
    // Records a change made since the last look, if any, under the name noted for it.
    void checkpoint();

    // Follows the window's buttons, menu items, fields and lists, so that every command and
    // every edit, also one a program makes through the same signals, is looked at once it is
    // done. Call when the window's widgets exist.
    void watchCommands();

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    QString undoLabel() const { return canUndo() ? m_undo.last().sLabel : QString(); }
    QString redoLabel() const { return canRedo() ? m_redo.last().sLabel : QString(); }
    void undo();
    void redo();

    // The most entries kept; the oldest go first.
    static constexpr int kLimit = 200;
    // Keystrokes into one field closer together than this make one entry.
    static constexpr int kTypingPauseMs = 1500;

signals:
    // The history or the project it knows changed: menus and the title follow.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        EditorSnapshot before;
        EditorSnapshot after;
        QString sLabel;
        const QObject* typedInto = nullptr; // the field of a typing entry
    };

    void noteInput(QObject* target, QEvent* event);
    void note(const QString& label, QWidget* field);
    void followView();
    void scheduleCheckpoint();

    QWidget* m_window = nullptr;
    Capture m_capture;
    Restore m_restore;
    EditorSnapshot m_current;
    QList<Entry> m_undo;
    QList<Entry> m_redo;
    QString m_pendingLabel;
    QPointer<QObject> m_pendingField;
    QElapsedTimer m_sinceTyping;
    bool m_scheduled = false;
    bool m_restoring = false;
};
