#include "editor/UndoHistory.h"

#include <QTimer>

UndoHistory::UndoHistory(Capture capture, Restore restore, QObject* parent)
    : QObject(parent), m_capture(std::move(capture)), m_restore(std::move(restore)) {
    m_current = m_capture();
}

void UndoHistory::reset() {
    m_undo.clear();
    m_redo.clear();
    m_pendingLabel.clear();
    m_pendingField = nullptr;
    m_current = m_capture();
    emit changed();
}

void UndoHistory::checkpoint() {
    m_scheduled = false;
    if (m_restoring)
        return;
    const EditorSnapshot now = m_capture();
    const QString label = m_pendingLabel.isEmpty() ? QStringLiteral("Edit") : m_pendingLabel;
    const QObject* field = m_pendingField;
    m_pendingLabel.clear();
    m_pendingField = nullptr;
    if (now.project == m_current.project) {
        m_current.view = now.view;
        return;
    }
    const bool typing = field != nullptr;
    const bool sameTyping = typing && m_redo.isEmpty() && !m_undo.isEmpty() &&
                            m_undo.last().typedInto == field && m_sinceTyping.isValid() &&
                            m_sinceTyping.elapsed() < kTypingPauseMs;
    if (sameTyping) {
        m_undo.last().after = now;
    } else {
        m_undo.append({m_current, now, label, typing ? field : nullptr});
        if (m_undo.size() > kLimit)
            m_undo.removeFirst();
        m_redo.clear();
    }
    if (typing)
        m_sinceTyping.start();
    m_current = now;
    emit changed();
}

void UndoHistory::undo() {
    checkpoint(); // a change still unrecorded is undone first
    if (m_undo.isEmpty())
        return;
    Entry entry = m_undo.takeLast();
    m_restoring = true;
    m_restore(entry.before);
    m_restoring = false;
    // Showing a snapshot may normalise what it shows; the history goes on from what is shown.
    m_current = m_capture();
    entry.typedInto = nullptr;
    m_redo.append(entry);
    emit changed();
}

void UndoHistory::redo() {
    checkpoint();
    if (m_redo.isEmpty())
        return;
    Entry entry = m_redo.takeLast();
    m_restoring = true;
    m_restore(entry.after);
    m_restoring = false;
    m_current = m_capture();
    m_undo.append(entry);
    emit changed();
}

void UndoHistory::followView() {
    if (m_restoring)
        return;
    const EditorSnapshot now = m_capture();
    if (now.project == m_current.project)
        m_current.view = now.view;
}

void UndoHistory::note(const EditName& name) {
    if (m_restoring)
        return;
    if (m_pendingLabel.isEmpty() || (m_pendingField && !name.typedInto)) {
        m_pendingLabel = name.sLabel;
        m_pendingField = name.typedInto;
    }
    scheduleCheckpoint();
}

void UndoHistory::scheduleCheckpoint() {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &UndoHistory::checkpoint);
}
