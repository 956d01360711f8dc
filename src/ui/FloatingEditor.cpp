#include "ui/FloatingEditor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace FloatingEditor {

KeyAction keyAction(int key) {
    switch (key) {
    case Qt::Key_Escape:
        return KeyAction::Cancel;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyAction::Commit;
    default:
        return KeyAction::None;
    }
}

bool focusLossEndsEdit(const QWidget* editor, const QEvent* focusOut) {
    // Any other popup (a menu whose command may replace the project) ends the edit first.
    for (const QObject* o = QApplication::activePopupWidget(); o; o = o->parent())
        if (o == editor)
            return false;
    return static_cast<const QFocusEvent*>(focusOut)->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace FloatingEditor
