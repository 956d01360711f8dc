#include "ui/KeyConventions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

namespace KeyConventions {

namespace {

// A key pressed alone (the keypad's Enter counts as Enter).
bool isPlainKey(const QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    for (int k : keys)
        if (key->key() == k)
            return true;
    return false;
}

void runButton(QAbstractButton* button) {
    if (button && button->isEnabled() && button->isVisibleTo(button->window()))
        button->click();
}

// One convention on one widget; it lives as the widget's child, so it goes with it.
class Rule : public QObject {
public:
    enum class Kind { ListKeys, DeleteRuns, EnterRuns, MemoTab, FocusReturn };

    Rule(Kind kind, QWidget* watched, QAbstractButton* button = nullptr, QWidget* target = nullptr)
        : QObject(watched), m_kind(kind), m_button(button), m_target(target) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (m_kind) {
        case Kind::ListKeys:
            if (isPlainKey(event, {Qt::Key_F2})) {
                editFirstColumn(static_cast<QAbstractItemView*>(watched));
                return true;
            }
            break;
        case Kind::DeleteRuns:
            if (isPlainKey(event, {Qt::Key_Delete})) {
                runButton(m_button);
                return true;
            }
            break;
        case Kind::EnterRuns:
            if (isPlainKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
                runButton(m_button);
                return true;
            }
            break;
        case Kind::MemoTab:
            if (event->type() == QEvent::KeyPress) {
                const auto* key = static_cast<const QKeyEvent*>(event);
                auto* memo = static_cast<QPlainTextEdit*>(watched);
                if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
                    if (!memo->isReadOnly())
                        memo->insertPlainText(QStringLiteral("\t"));
                    return true;
                }
            }
            break;
        case Kind::FocusReturn:
            returnFocus(event);
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void editFirstColumn(QAbstractItemView* list) {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            list->edit(rows.first());
    }

    // Qt hands the focus of a button being disabled to the next widget in the chain before the
    // button hears of the change; the focus is taken from there once the change arrives. A
    // handler that disables the button only for a moment and enables it again within the same
    // turn of the event loop gets the focus back to the button.
    void returnFocus(const QEvent* event) {
        auto* button = static_cast<QWidget*>(parent());
        if (event->type() == QEvent::FocusOut && !button->isEnabled())
            m_focusLostByDisable = true;
        if (event->type() != QEvent::EnabledChange)
            return;
        if (button->isEnabled()) {
            if (m_focusGivenToTarget && m_target && m_target->hasFocus())
                button->setFocus(Qt::OtherFocusReason);
            m_focusGivenToTarget = false;
            return;
        }
        if (!m_focusLostByDisable)
            return;
        m_focusLostByDisable = false;
        if (!m_target || !m_target->isEnabled() || !m_target->isVisible())
            return;
        m_target->setFocus(Qt::OtherFocusReason);
        if (!m_focusGivenToTarget) {
            m_focusGivenToTarget = true;
            QMetaObject::invokeMethod(
                this, [this] { m_focusGivenToTarget = false; }, Qt::QueuedConnection);
        }
    }

    Kind m_kind;
    QPointer<QAbstractButton> m_button;
    QPointer<QWidget> m_target;
    bool m_focusLostByDisable = false;
    bool m_focusGivenToTarget = false;
};

} // namespace

void listKeys(QAbstractItemView* list, bool editFirstColumn) {
    list->setTabKeyNavigation(false);
    if (editFirstColumn)
        new Rule(Rule::Kind::ListKeys, list);
}

void deleteRuns(QAbstractItemView* list, QAbstractButton* button) {
    new Rule(Rule::Kind::DeleteRuns, list, button);
}

void enterRuns(QWidget* field, QAbstractButton* button) {
    new Rule(Rule::Kind::EnterRuns, field, button);
    // An editable box passes its keys to its line edit, which a test or an input method may
    // address directly.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        new Rule(Rule::Kind::EnterRuns, combo->lineEdit(), button);
}

void tabLeavesMemo(QPlainTextEdit* memo) {
    memo->setTabChangesFocus(true);
    new Rule(Rule::Kind::MemoTab, memo);
}

void focusReturnsTo(QAbstractButton* button, QWidget* target) {
    new Rule(Rule::Kind::FocusReturn, button, nullptr, target);
}

} // namespace KeyConventions
