#pragma once

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

// The 196 x 133 picture previews of the header image and the plugin image: the picture
// stretched over a frame, with "[No image]" behind it showing through while it is empty.
namespace PicturePreview {

struct Names {
    QString sFrame;
    QString sNoImageLabel;
    QString sImage;
};

// Builds the preview; *image receives the image box that show() and QLabel::clear() act on.
QWidget* create(const Names& names, QLabel** image, QWidget* parent = nullptr);

// Shows a picture in the image box; a null picture empties it.
void show(QLabel* image, const QPixmap& picture);

} // namespace PicturePreview
