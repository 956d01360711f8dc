#include "ui/ImageChooser.h"

#include "platform/Paths.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"

#include <QLineEdit>

namespace ImageChooser {

namespace {
// Pictures first; "All files" still lets any file be picked, as before.
const QString kImageFilter =
    QStringLiteral("Images (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)");
} // namespace

std::optional<QString> choose(QWidget* parent, const QString& rootDir, QLineEdit* edit,
                              QLabel* preview) {
    const QStringList chosen = Prompts::chooseFiles(parent, kImageFilter, false, rootDir);
    if (chosen.isEmpty())
        return std::nullopt;
    const QString path = chosen.first();
    const std::optional<QString> relative = Paths::relativeToRoot(rootDir, path);
    if (!relative) {
        Prompts::message(parent, QStringLiteral("File is out of root directory"));
        return std::nullopt;
    }
    edit->setText(*relative);
    // A picture that cannot be decoded empties the preview rather than leave the previous
    // picture standing for the new path.
    PicturePreview::show(preview, Pictures::loadPreview(path));
    return edit->text();
}

} // namespace ImageChooser
