#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The answers to the question about unsaved changes.
enum class SaveChoice { Save, Discard, Cancel };

// The one door for message boxes and file or folder dialogs. The editor never opens a
// QMessageBox or a QFileDialog itself, so tests can answer every question through a double.
class PromptsBackend {
public:
    virtual ~PromptsBackend() = default;
    // A message with one OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A question with Save, Discard and Cancel.
    virtual SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                            const QString& caption) = 0;
    // Full native paths of the chosen files; empty when cancelled. An empty filter lists all
    // files; otherwise it is a Qt name filter such as "(*.xml)", or several separated by ";;"
    // of which the first is shown. The dialog opens in startFolder.
    virtual QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple,
                                    const QString& startFolder) = 0;
    // Full native paths of the chosen folders; empty when cancelled.
    virtual QStringList chooseFolders(QWidget* parent, bool multiple,
                                      const QString& startFolder) = 0;
};

namespace Prompts {

void message(QWidget* parent, const QString& text,
             const QString& caption = QStringLiteral("Quarvel"));
bool askYesNo(QWidget* parent, const QString& text,
              const QString& caption = QStringLiteral("Quarvel"));
SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                const QString& caption = QStringLiteral("Quarvel"));
// The file and folder dialogs open in the root directory, or in the folder last used within
// it (DialogFolder); rootDir is empty while there is no project.
QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple,
                        const QString& rootDir);
QStringList chooseFolders(QWidget* parent, bool multiple, const QString& rootDir);

// Installs a backend in place of the real dialogs (tests); nullptr restores the real ones.
// The backend is not owned. The remembered last folder is forgotten.
void setBackend(PromptsBackend* backend);

} // namespace Prompts
