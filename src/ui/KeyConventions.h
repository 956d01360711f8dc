#pragma once

class QAbstractButton;
class QAbstractItemView;
class QPlainTextEdit;
class QWidget;

// The keyboard conventions of the editor's forms, wired by the controllers onto their widgets.
// Every key that runs a button runs it as a click would, so it does exactly what the button
// does, and nothing while the button is disabled.
namespace KeyConventions {

// Tab and Shift+Tab leave the list instead of moving its selection; where the first column is
// edited in place, F2 starts that edit on the selected row whichever cell is current.
void listKeys(QAbstractItemView* list, bool editFirstColumn);

// Delete in the list runs the button that removes its selected row.
void deleteRuns(QAbstractItemView* list, QAbstractButton* button);

// Enter in a "new item" field (a line edit or an editable combo box) runs its Add button.
void enterRuns(QWidget* field, QAbstractButton* button);

// Tab and Shift+Tab move the focus out of the memo, as in any form; Ctrl+Tab types a tab.
void tabLeavesMemo(QPlainTextEdit* memo);

// When the button loses the focus because it is disabled (Move right at the last step), the
// focus goes to what it acts on rather than to the next button in the chain, which may be a
// destructive one that a following Space would press.
void focusReturnsTo(QAbstractButton* button, QWidget* target);

} // namespace KeyConventions
