#include "ui/FloatingEditor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTableWidget>
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

QString openOverCell(QWidget* editor, QTableWidget* list, int row, int column, QWidget* window,
                     QPoint offset) {
    const QModelIndex index = list->model()->index(row, column);
    list->scrollTo(index);
    const QRect cell = list->visualRect(index);
    const QPoint topLeft = list->viewport()->mapTo(window, cell.topLeft()) + offset;
    editor->setGeometry(QRect(topLeft, cell.size()));
    editor->setEnabled(true);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    const QTableWidgetItem* item = list->item(row, column);
    return item ? item->text() : QString();
}

} // namespace FloatingEditor
