#include "ui/ComboBoxes.h"

#include <QComboBox>

namespace ComboBoxes {

namespace {

bool holdsExactly(const QComboBox* combo, const QStringList& entries) {
    if (combo->count() != entries.size())
        return false;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) != entries.at(i))
            return false;
    }
    return true;
}

} // namespace

void offer(QComboBox* combo, const QStringList& entries, int chosen) {
    if (!holdsExactly(combo, entries)) {
        combo->clear();
        combo->addItems(entries);
    }
    combo->setCurrentIndex(chosen);
    // A text typed into the box goes too, as it does when the box is refilled.
    const QString shown = chosen >= 0 ? combo->itemText(chosen) : QString();
    if (combo->currentText() != shown)
        combo->setEditText(shown);
}

void setText(QComboBox* combo, const QString& text) {
    if (combo->currentText() != text)
        combo->setCurrentText(text);
}

} // namespace ComboBoxes
