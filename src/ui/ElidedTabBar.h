#pragma once

#include <QTabBar>

// A tab strip whose captions are user texts of any length (step names): a tab is never wider
// than iMaxTabWidth, a longer caption is elided at its end, and the elided tab carries the whole
// caption as its tooltip. tabText() stays the whole caption.
class ElidedTabBar : public QTabBar {
    Q_OBJECT

public:
    static constexpr int iMaxTabWidth = 240;

    explicit ElidedTabBar(QWidget* parent = nullptr);

    // True when tab i shows less than its whole caption.
    bool isElided(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    void tabLayoutChange() override;
};
