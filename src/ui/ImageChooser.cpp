#include "ui/ImageChooser.h"

#include "platform/Paths.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"

#include <QLineEdit>

namespace ImageChooser {

std::optional<QString> choose(QWidget* parent, const QString& rootDir, QLineEdit* edit,
                              QLabel* preview) {
    const QStringList chosen = Prompts::chooseFiles(parent, QString(), false);
    if (chosen.isEmpty())
        return std::nullopt;
    const QString path = chosen.first();
    const std::optional<QString> relative = Paths::relativeToRoot(rootDir, path);
    if (!relative) {
        Prompts::message(parent, QStringLiteral("File is out of root directory"));
        return std::nullopt;
    }
    edit->setText(*relative);
    const QPixmap picture = Pictures::loadPreview(path);
    if (!picture.isNull())
        PicturePreview::show(preview, picture);
    return edit->text();
}

} // namespace ImageChooser
