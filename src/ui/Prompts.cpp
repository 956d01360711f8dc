#include "ui/Prompts.h"

#include "ui/DialogFolder.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QTreeView>

namespace {

// The real dialogs of the running program.
class WidgetPrompts : public PromptsBackend {
public:
    void message(QWidget* parent, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool askYesNo(QWidget* parent, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                    const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }

    QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple,
                            const QString& startFolder) override {
        QFileDialog dialog(parent);
        dialog.setDirectory(startFolder);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, true);
        if (!filter.isEmpty())
            dialog.setNameFilters(filter.split(QStringLiteral(";;")));
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return nativePaths(dialog.selectedFiles());
    }

    QStringList chooseFolders(QWidget* parent, bool multiple, const QString& startFolder) override {
        QFileDialog dialog(parent);
        dialog.setDirectory(startFolder);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        if (multiple) {
            // Native folder pickers choose one folder only; Qt's own dialog can take several
            // once its views allow an extended selection.
            dialog.setOption(QFileDialog::DontUseNativeDialog, true);
            for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
                if (qobject_cast<QListView*>(view) || qobject_cast<QTreeView*>(view))
                    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return nativePaths(dialog.selectedFiles());
    }

private:
    static QStringList nativePaths(const QStringList& paths) {
        QStringList result;
        result.reserve(paths.size());
        for (const QString& path : paths)
            result.append(QDir::toNativeSeparators(path));
        return result;
    }
};

PromptsBackend* g_installed = nullptr;
// The folder the last file or folder dialog was left in, shared by all of them.
QString g_lastFolder;

PromptsBackend& backend() {
    static WidgetPrompts real;
    return g_installed ? *g_installed : real;
}

} // namespace

namespace Prompts {

void message(QWidget* parent, const QString& text, const QString& caption) {
    backend().message(parent, text, caption);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& caption) {
    return backend().askYesNo(parent, text, caption);
}

SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& caption) {
    return backend().askSaveDiscardCancel(parent, text, caption);
}

QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple,
                        const QString& rootDir) {
    const QStringList chosen = backend().chooseFiles(
        parent, filter, multiple, DialogFolder::startFolder(rootDir, g_lastFolder));
    g_lastFolder = DialogFolder::lastUsedAfter(chosen, g_lastFolder);
    return chosen;
}

QStringList chooseFolders(QWidget* parent, bool multiple, const QString& rootDir) {
    const QStringList chosen =
        backend().chooseFolders(parent, multiple, DialogFolder::startFolder(rootDir, g_lastFolder));
    g_lastFolder = DialogFolder::lastUsedAfter(chosen, g_lastFolder);
    return chosen;
}

void setBackend(PromptsBackend* installed) {
    g_installed = installed;
    g_lastFolder.clear();
}

} // namespace Prompts
