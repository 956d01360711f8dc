#include "editor/EditName.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace {

// A caption without its shortcut marks.
QString plainCaption(QString text) {
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

// The combo box a widget belongs to (its edit, its list), or the widget itself.
QWidget* fieldOf(QWidget* widget) {
    for (QObject* o = widget; o; o = o->parent())
        if (auto* combo = qobject_cast<QComboBox*>(o))
            return combo;
    return widget;
}

// The caption of the label of the window that names a field, or nothing.
QString fieldCaption(const QWidget* field) {
    for (QLabel* label : field->window()->findChildren<QLabel*>())
        if (label->buddy() == field && !label->text().isEmpty())
            return plainCaption(label->text());
    return {};
}

QString withCaption(const QString& verb, const QString& caption) {
    return caption.isEmpty() ? verb : verb + QLatin1Char(' ') + caption;
}

} // namespace

EditName EditName::command(const QAbstractButton* button) {
    return {plainCaption(button->text())};
}

EditName EditName::command(const QAction* action) {
    return {plainCaption(action->text())};
}

EditName EditName::typing(QWidget* field) {
    field = fieldOf(field);
    const QWidget* parent = field->parentWidget();
    if (parent && qobject_cast<QAbstractItemView*>(parent->parentWidget()))
        return {QStringLiteral("Rename"), field};
    return {withCaption(QStringLiteral("Edit"), fieldCaption(field)), field};
}

EditName EditName::choice(QWidget* combo) {
    return {withCaption(QStringLiteral("Change"), fieldCaption(combo))};
}

EditName EditName::rename(const QObject* list) {
    return {QStringLiteral("Rename"), list};
}

EditName EditName::drop() {
    return {QStringLiteral("Drop")};
}
