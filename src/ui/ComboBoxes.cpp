#include "ui/ComboBoxes.h"

#include <QComboBox>

namespace ComboBoxes {

void empty(QComboBox* combo) {
    combo->clear();
    combo->clearEditText();
}

void offer(QComboBox* combo, const QStringList& entries) {
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
}

void setText(QComboBox* combo, const QString& text) {
    if (combo->currentText() != text)
        combo->setCurrentText(text);
}

} // namespace ComboBoxes
