#include "ui/Pictures.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace Pictures {

QPixmap loadPreview(const QString& nativePath) {
    if (!QFileInfo(nativePath).isFile())
        return QPixmap();
    QImageReader reader(nativePath);
    // The two named endings force their decoder; a file that does not match it is no picture.
    if (nativePath.endsWith(QLatin1String("jpg"))) {
        reader.setFormat("jpeg");
        reader.setAutoDetectImageFormat(false);
    } else if (nativePath.endsWith(QLatin1String("png"))) {
        reader.setFormat("png");
        reader.setAutoDetectImageFormat(false);
    }
    const QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    return QPixmap::fromImage(image);
}

} // namespace Pictures
