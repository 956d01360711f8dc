#include "dialogs/DialogPlacement.h"

#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace DialogPlacement {

namespace {

void centreAt(QWidget* window, const QPoint& centre) {
    // A window not yet shown has its final size only once it is polished and its layout ran.
    window->ensurePolished();
    if (QLayout* layout = window->layout())
        layout->activate();
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(centre);
    window->move(frame.topLeft());
}

} // namespace

void centreOn(QWidget* window, const QWidget* anchor) {
    if (!window || !anchor)
        return;
    centreAt(window, anchor->frameGeometry().center());
}

void centreOnScreen(QWidget* window) {
    if (!window)
        return;
    if (const QScreen* screen = window->screen())
        centreAt(window, screen->availableGeometry().center());
}

} // namespace DialogPlacement
