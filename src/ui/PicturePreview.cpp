#include "ui/PicturePreview.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace PicturePreview {

QWidget* create(const Names& names, QLabel** image, QWidget* parent) {
    auto* preview = new QWidget(parent);
    preview->setFixedSize(kSize);
    auto* frame = new QFrame(preview);
    frame->setObjectName(names.sFrame);
    frame->setFrameShape(QFrame::Box);
    auto* noImage = new QLabel(QStringLiteral("[No image]"), preview);
    noImage->setObjectName(names.sNoImageLabel);
    noImage->setAlignment(Qt::AlignCenter);
    auto* box = new QLabel(preview);
    box->setObjectName(names.sImage);
    // The picture goes inside the frame's line, which stays visible around it.
    box->setFixedSize(kSize);
    box->setContentsMargins(1, 1, 1, 1);
    box->setAlignment(Qt::AlignCenter);
    // Stacked in one cell, the image box on top.
    auto* stack = new QGridLayout(preview);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(frame, 0, 0);
    stack->addWidget(noImage, 0, 0);
    stack->addWidget(box, 0, 0);
    *image = box;
    return preview;
}

QRect pictureArea(const QSize& picture, const QSize& box) {
    QSize shown = picture;
    if (shown.width() > box.width() || shown.height() > box.height())
        shown.scale(box, Qt::KeepAspectRatio);
    shown = shown.expandedTo(QSize(1, 1));
    return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
                 shown);
}

void show(QLabel* image, const QPixmap& picture) {
    if (picture.isNull()) {
        image->clear();
        return;
    }
    // One opaque picture of the whole box: "[No image]" must not show through around the
    // picture or through its transparent parts.
    const QSize box = image->contentsRect().size();
    const qreal ratio = image->devicePixelRatioF();
    QPixmap shown(box * ratio);
    shown.setDevicePixelRatio(ratio);
    shown.fill(image->palette().color(QPalette::Window));
    QPainter painter(&shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(pictureArea(picture.deviceIndependentSize().toSize(), box), picture);
    painter.end();
    image->setPixmap(shown);
}

} // namespace PicturePreview
