#include "ui/Components.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace Components {

QPushButton* button(const QString& name, const QString& caption, bool enabled, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!enabled)
        button->setEnabled(false);
    return button;
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QComboBox* comboBox(const QString& name, const QStringList& items, bool editable, bool enabled,
                    QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    if (editable) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    combo->addItems(items);
    if (!enabled)
        combo->setEnabled(false);
    return combo;
}

QLineEdit* edit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// Raw text keeps non-breaking spaces, which toPlainText() would turn into plain ones.
QHBoxLayout* labelledEdit(QLineEdit* edit, const QString& caption) {
    auto* label = Components::label(edit->objectName() + QStringLiteral("Label"), caption);
    label->setBuddy(edit);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit, 1);
    return row;
}

QString memoText(const QPlainTextEdit* memo) {
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text;
}

} // namespace Components
