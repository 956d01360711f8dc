#include "ui/PatternTabs.h"

#include <QSignalBlocker>
#include <QTabBar>

namespace PatternTabs {

QTabBar* create(const QString& name) {
    auto* tabs = new QTabBar;
    tabs->setObjectName(name);
    tabs->setExpanding(false);
    tabs->setUsesScrollButtons(true);
    tabs->setDrawBase(true);
    const QSignalBlocker blocker(tabs);
    tabs->addTab(caption(0));
    tabs->setFixedHeight(tabs->sizeHint().height());
    tabs->removeTab(0);
    return tabs;
}

QString caption(qsizetype index) {
    return QStringLiteral("Pattern[") + QString::number(index) + QLatin1Char(']');
}

void show(QTabBar* tabs, qsizetype count) {
    const QSignalBlocker blocker(tabs);
    // A shown strip lays out all its tabs at every insertion; hidden, once when shown again.
    const bool shown = tabs->isVisible();
    if (shown)
        tabs->hide();
    while (tabs->count() > 0)
        tabs->removeTab(tabs->count() - 1);
    for (qsizetype k = 0; k < count; ++k)
        tabs->addTab(caption(k));
    tabs->setCurrentIndex(count > 0 ? 0 : -1);
    if (shown)
        tabs->show();
}

void append(QTabBar* tabs) {
    const QSignalBlocker blocker(tabs);
    tabs->setCurrentIndex(tabs->addTab(caption(tabs->count())));
}

void removeAt(QTabBar* tabs, int p) {
    const QSignalBlocker blocker(tabs);
    tabs->removeTab(p);
    const int left = tabs->count();
    for (int k = 0; k < left; ++k)
        tabs->setTabText(k, caption(k));
    tabs->setCurrentIndex(left == 0 ? -1 : (p < left ? p : 0));
}

} // namespace PatternTabs
