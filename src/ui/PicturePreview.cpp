#include "ui/PicturePreview.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace PicturePreview {

QWidget* create(const Names& names, QLabel** image, QWidget* parent) {
    auto* preview = new QWidget(parent);
    preview->setFixedSize(196, 133);
    auto* frame = new QFrame(preview);
    frame->setObjectName(names.sFrame);
    frame->setFrameShape(QFrame::Box);
    auto* noImage = new QLabel(QStringLiteral("[No image]"), preview);
    noImage->setObjectName(names.sNoImageLabel);
    noImage->setAlignment(Qt::AlignCenter);
    auto* box = new QLabel(preview);
    box->setObjectName(names.sImage);
    box->setScaledContents(true);
    // Stacked in one cell, the image box on top.
    auto* stack = new QGridLayout(preview);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(frame, 0, 0);
    stack->addWidget(noImage, 0, 0);
    stack->addWidget(box, 0, 0);
    *image = box;
    return preview;
}

void show(QLabel* image, const QPixmap& picture) {
    if (picture.isNull()) {
        image->clear();
        return;
    }
    if (!picture.hasAlpha()) {
        image->setPixmap(picture);
        return;
    }
    // Transparent parts would let "[No image]" show through the picture.
    QPixmap opaque(picture.size());
    opaque.fill(image->palette().color(QPalette::Window));
    QPainter painter(&opaque);
    painter.drawPixmap(0, 0, picture);
    painter.end();
    image->setPixmap(opaque);
}

} // namespace PicturePreview
