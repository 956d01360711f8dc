#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The editor's plain controls, each created with the object name the translation walk and the
// tests find it by. Sizes, buddies and layout placement stay with the caller.
namespace Components {

QPushButton* button(const QString& name, const QString& caption, bool enabled = true,
                    QWidget* parent = nullptr);

QLabel* label(const QString& name, const QString& caption, QWidget* parent = nullptr);

// An editable box keeps typed text out of its list, so the list stays the offered choices.
QComboBox* comboBox(const QString& name, const QStringList& items, bool editable,
                    bool enabled = true, QWidget* parent = nullptr);

QLineEdit* edit(const QString& name, QWidget* parent = nullptr);

// An edit with its caption label (named after the edit, "Label" appended) on the left; the
// label is the edit's buddy, so the translation walk finds it through the edit.
QHBoxLayout* labelledEdit(QLineEdit* edit, const QString& caption);

// The memo's whole text with its lines separated by CR LF, as the descriptions hold it.
QString memoText(const QPlainTextEdit* memo);

} // namespace Components
