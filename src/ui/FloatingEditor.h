#pragma once

#include <QPoint>
#include <QString>

class QEvent;
class QTableWidget;
class QWidget;

// The small editors that float over a list cell (group type, file priority): Escape cancels,
// Enter commits, and losing the focus commits too, except to the editor's own popups (its
// drop-down list, its context menu) or to another application.
namespace FloatingEditor {

enum class KeyAction { None, Cancel, Commit };

KeyAction keyAction(int key);

// True when a FocusOut event of the editor ends the edit.
bool focusLossEndsEdit(const QWidget* editor, const QEvent* focusOut);

// Scrolls the cell into view, places the editor (a child of window) over it, moved by offset,
// and enables and shows it with the keyboard focus. Gives the cell's text.
QString openOverCell(QWidget* editor, QTableWidget* list, int row, int column, QWidget* window,
                     QPoint offset = QPoint());

} // namespace FloatingEditor
