#pragma once

#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

// Choosing the header image or a plugin image: one picture inside the root directory.
namespace ImageChooser {

// Asks for one file. A file inside rootDir puts its stored, root-relative path into the edit
// and its picture into the preview (a picture that cannot be decoded empties the preview),
// and gives the stored path back. Nothing is given back when the dialog is cancelled or
// the file lies outside the root, which the message "File is out of root directory" says.
std::optional<QString> choose(QWidget* parent, const QString& rootDir, QLineEdit* edit,
                              QLabel* preview);

} // namespace ImageChooser
