#pragma once

#include <QPixmap>
#include <QString>

// Preview pictures for the header and plugin images.
namespace Pictures {

// Loads a picture from a native path. A name ending in "jpg" is decoded as JPEG and one ending
// in "png" as PNG (case-sensitive); any other ending goes to the general loader, which picks
// the decoder from the file. Every decoding error gives a null pixmap ("no picture").
QPixmap loadPreview(const QString& nativePath);

} // namespace Pictures
