#include "editor/NotKeptBar.h"

#include "ui/Captions.h"
#include "ui/Components.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

NotKeptBar::NotKeptBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("NotKeptBar"));
    setFrameShape(QFrame::StyledPanel);
    // The colours of a tool tip: a note that stands out from the pages on every theme.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                        .pixmap(iconSize, iconSize));
    // Named by no key: its text is made from the count each time the bar is shown.
    m_text = new QLabel(this);
    m_text->setForegroundRole(QPalette::ToolTipText);
    m_text->setTextFormat(Qt::PlainText);
    m_show =
        Components::button(QStringLiteral("NotKeptShowButton"), QStringLiteral("Show"), true, this);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("NotKeptCloseButton"));
    m_close->setText(QStringLiteral("Close"));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    m_close->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_close->setAutoRaise(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 4, 4);
    row->setSpacing(8);
    row->addWidget(icon);
    row->addWidget(m_text, 1);
    row->addWidget(m_show);
    row->addWidget(m_close);

    connect(m_show, &QPushButton::clicked, this, &NotKeptBar::showRequested);
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void NotKeptBar::showCount(qsizetype count) {
    if (count <= 0) {
        hide();
        return;
    }
    const QString text =
        count == 1 ? Captions::lookup(QStringLiteral("NotKeptOneText"),
                                      QStringLiteral("1 thing in this installer will not be "
                                                     "kept on save"))
                   : Captions::lookup(QStringLiteral("NotKeptManyText"),
                                      QStringLiteral("%1 things in this installer will not be "
                                                     "kept on save"))
                         .arg(count);
    m_text->setText(text);
    // The button shows only its icon; its caption, in the language shown, is the tip.
    m_close->setToolTip(m_close->text());
    show();
}

QString NotKeptBar::text() const {
    return m_text->text();
}
