#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QToolButton;

// The bar at the top of the window that tells, without stopping the user, how many things of
// the opened installer the project cannot hold, so that saving would drop or change them.
class NotKeptBar : public QFrame {
    Q_OBJECT

public:
    explicit NotKeptBar(QWidget* parent = nullptr);

    // Shows the bar for count things; none hides it.
    void showCount(qsizetype count);
    QString text() const;

signals:
    // "Show": the user wants to see what will not be kept.
    void showRequested();

private:
    QLabel* m_text = nullptr;
    QPushButton* m_show = nullptr;
    QToolButton* m_close = nullptr;
};
