#include "ui/ElidedTabBar.h"

ElidedTabBar::ElidedTabBar(QWidget* parent) : QTabBar(parent) {
    setElideMode(Qt::ElideRight);
}

bool ElidedTabBar::isElided(int index) const {
    return tabRect(index).width() < QTabBar::tabSizeHint(index).width();
}

QSize ElidedTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    if (size.width() > iMaxTabWidth)
        size.setWidth(iMaxTabWidth);
    return size;
}

// Every change of a caption or of the strip's width lays the tabs out again.
void ElidedTabBar::tabLayoutChange() {
    QTabBar::tabLayoutChange();
    for (int i = 0; i < count(); ++i)
        setTabToolTip(i, isElided(i) ? tabText(i) : QString());
}
