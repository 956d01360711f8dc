#pragma once

#include <QStringList>

class QComboBox;

// Filling the combo boxes whose entries a rebuild offers.
namespace ComboBoxes {

// Removes every entry and the text.
void empty(QComboBox* combo);

// Appends the entries and leaves none chosen, so the box shows no text.
void offer(QComboBox* combo, const QStringList& entries);

// Sets the text unless the box already shows it, so the cursor of a box being typed into
// stays where it is.
void setText(QComboBox* combo, const QString& text);

} // namespace ComboBoxes
