#include "editor/HelpPage.h"

#include "editor/HelpText.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace HelpPage {

QWidget* create() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("InfoTabSheet"));
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The guide's own lines fit the narrowest window; a larger interface text wraps them
    // rather than hiding their ends.
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setPlainText(HelpText::quickGuide());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    return page;
}

} // namespace HelpPage
