#pragma once

#include "editor/EditName.h"
#include "model/Fomod.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

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

// Undo and redo of every change made to the project. Handlers change the project in place and
// announce it (Document::changed); once the event that caused it is handled, the history
// compares the project with the one it last saw (cheap: the model's values are implicitly
// shared) and, when it changed, records the state before and after under the name of what the
// user did. Typing into one field is one entry per field and pause.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    using Capture = std::function<EditorSnapshot()>;
    using Restore = std::function<void(const EditorSnapshot&)>;

    // capture reads the project and the view, restore shows a snapshot again.
    UndoHistory(Capture capture, Restore restore, QObject* parent);

    // A fresh history starting from the present state (New, Open).
    void reset();
    // Records a change made since the last look, if any, under the name noted for it.
    void checkpoint();

    // A change was announced: it is looked at once the present event is handled. The first
    // name noted since the last look names it, except that a command named after typing
    // that changed nothing yet (a name typed for Add) is what the user did.
    void note(const EditName& name);
    // A new selection without a change of the project is the view the next change starts
    // from.
    void followView();

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

private:
    struct Entry {
        EditorSnapshot before;
        EditorSnapshot after;
        QString sLabel;
        const QObject* typedInto = nullptr; // the field of a typing entry
    };

    void scheduleCheckpoint();

    Capture m_capture;
    Restore m_restore;
    EditorSnapshot m_current;
    QList<Entry> m_undo;
    QList<Entry> m_redo;
    QString m_pendingLabel;
    QPointer<const QObject> m_pendingField;
    QElapsedTimer m_sinceTyping;
    bool m_scheduled = false;
    bool m_restoring = false;
};
