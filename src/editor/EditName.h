#pragma once

#include <QString>

class QAbstractButton;
class QAction;
class QObject;
class QWidget;

// What the user did to change the project, as the undo history names it: "Delete step",
// "Edit Mod name". An edit typed into a field names the field, so that keystrokes into one
// field close together become one step of the history.
struct EditName {
    QString sLabel;
    const QObject* typedInto = nullptr;

    // A button's or a menu item's command, by its caption as shown.
    static EditName command(const QAbstractButton* button);
    static EditName command(const QAction* action);
    // Typing into a line edit, a combo box or a memo, by the label that names it; an edit in
    // place of a list row is a rename.
    static EditName typing(QWidget* field);
    // An entry chosen in a combo box's list.
    static EditName choice(QWidget* combo);
    // An edit in place of a list's cell.
    static EditName rename(const QObject* list);
    static EditName drop();
};
