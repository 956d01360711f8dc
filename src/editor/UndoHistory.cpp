#include "editor/UndoHistory.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>

namespace {

// A caption without its shortcut marks.
QString plainCaption(QString text) {
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

// The combo box a widget belongs to (its edit, its list), or the widget itself.
QWidget* fieldOf(QWidget* widget) {
    for (QObject* o = widget; o; o = o->parent())
        if (auto* combo = qobject_cast<QComboBox*>(o))
            return combo;
    return widget;
}

// The caption of the label that names a field, or nothing.
QString fieldCaption(QWidget* window, const QWidget* field) {
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() == field && !label->text().isEmpty())
            return plainCaption(label->text());
    return {};
}

QString withCaption(const QString& verb, const QString& caption) {
    return caption.isEmpty() ? verb : verb + QLatin1Char(' ') + caption;
}

// What to call a change typed into a field: an in-place edit of a list row is a rename.
QString typingLabel(QWidget* window, QWidget* field) {
    const QWidget* parent = field->parentWidget();
    if (parent && qobject_cast<QAbstractItemView*>(parent->parentWidget()))
        return QStringLiteral("Rename");
    return withCaption(QStringLiteral("Edit"), fieldCaption(window, field));
}

bool belongsTo(QObject* object, QWidget* window) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == window || window->isAncestorOf(widget));
}

} // namespace

UndoHistory::UndoHistory(QWidget* window, Capture capture, Restore restore)
    : QObject(window), m_window(window), m_capture(std::move(capture)),
      m_restore(std::move(restore)) {
    qApp->installEventFilter(this);
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

void UndoHistory::watchCommands() {
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { note(plainCaption(button->text()), nullptr); });
    for (QAction* action : m_window->findChildren<QAction*>())
        connect(action, &QAction::triggered, this,
                [this, action] { note(plainCaption(action->text()), nullptr); });
    for (QLineEdit* edit : m_window->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            QWidget* field = fieldOf(edit);
            note(typingLabel(m_window, field), field);
        });
    for (QComboBox* combo : m_window->findChildren<QComboBox*>())
        connect(combo, &QComboBox::activated, this, [this, combo] {
            note(withCaption(QStringLiteral("Change"), fieldCaption(m_window, combo)), nullptr);
        });
    for (QTableWidget* list : m_window->findChildren<QTableWidget*>()) {
        // Noted like typing, so that a command's name wins over rows the program refills.
        connect(list, &QTableWidget::itemChanged, this,
                [this, list] { note(QStringLiteral("Rename"), list); });
        connect(list, &QTableWidget::itemSelectionChanged, this, &UndoHistory::followView);
    }
    for (QTabBar* tabs : m_window->findChildren<QTabBar*>())
        connect(tabs, &QTabBar::currentChanged, this, &UndoHistory::followView);
}

// A new selection without a change of the project is the view the next change starts from.
void UndoHistory::followView() {
    if (m_restoring)
        return;
    const EditorSnapshot now = m_capture();
    if (now.project == m_current.project)
        m_current.view = now.view;
}

void UndoHistory::note(const QString& label, QWidget* field) {
    if (m_restoring)
        return;
    // A command named after typing that changed nothing yet (a name typed for Add) is what
    // the user did; otherwise the first name noted stays.
    if (m_pendingLabel.isEmpty() || (m_pendingField && !field)) {
        m_pendingLabel = label;
        m_pendingField = field;
    }
    scheduleCheckpoint();
}

void UndoHistory::scheduleCheckpoint() {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &UndoHistory::checkpoint);
}

// The first thing the user did since the last look names the change.
void UndoHistory::noteInput(QObject* target, QEvent* event) {
    QString label;
    QWidget* field = nullptr;
    switch (event->type()) {
    case QEvent::Shortcut:
        if (auto* action = qobject_cast<QAction*>(target))
            label = plainCaption(action->text());
        break;
    case QEvent::MouseButtonRelease:
        if (auto* menu = qobject_cast<QMenu*>(target)) {
            if (QAction* action = menu->activeAction())
                label = plainCaption(action->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            if (belongsTo(button, m_window))
                label = plainCaption(button->text());
        }
        break;
    case QEvent::KeyPress:
        if (QWidget* focus = QApplication::focusWidget(); focus && belongsTo(focus, m_window)) {
            if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
                qobject_cast<QComboBox*>(focus)) {
                field = fieldOf(focus);
                label = typingLabel(m_window, field);
            }
        }
        break;
    case QEvent::Drop:
        if (belongsTo(target, m_window))
            label = QStringLiteral("Drop");
        break;
    default:
        return;
    }
    if (label.isEmpty())
        scheduleCheckpoint();
    else
        note(label, field);
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        // The selection right before the user acts is what undo shows again.
        if (belongsTo(watched, m_window))
            followView();
        if (event->type() == QEvent::KeyPress)
            noteInput(watched, event);
        break;
    case QEvent::Shortcut:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
        noteInput(watched, event);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
