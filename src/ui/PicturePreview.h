#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// The 196 x 133 picture previews of the header image and the plugin image: the picture inside
// a frame, with "[No image]" behind it showing through while it is empty.
namespace PicturePreview {

inline constexpr QSize kSize{196, 133};

struct Names {
    QString sFrame;
    QString sNoImageLabel;
    QString sImage;
};

// Builds the preview; *image receives the image box that show() and QLabel::clear() act on.
QWidget* create(const Names& names, QLabel** image, QWidget* parent = nullptr);

// Where a picture of the given size is drawn in a box: at its own size when it fits, else
// scaled down to fit with its proportions kept; centred either way.
QRect pictureArea(const QSize& picture, const QSize& box);

// Shows a picture in the image box as pictureArea places it; a null picture empties the box.
void show(QLabel* image, const QPixmap& picture);

} // namespace PicturePreview
