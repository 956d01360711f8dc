#pragma once

#include <QStringList>

class QComboBox;

// Filling the combo boxes whose entries a rebuild offers.
namespace ComboBoxes {

// Makes the entries exactly `entries` and chooses the entry at `chosen` (-1: none, so the box
// shows no text). Entries already in place are kept rather than refilled: the boxes offer
// every name of the project, thousands in a large one, on every rebuild.
void offer(QComboBox* combo, const QStringList& entries, int chosen = -1);

// Sets the text unless the box already shows it, so the cursor of a box being typed into
// stays where it is.
void setText(QComboBox* combo, const QString& text);

} // namespace ComboBoxes
