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
    // files; otherwise it is a Qt name filter such as "(*.xml)".
    virtual QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple) = 0;
    // Full native paths of the chosen folders; empty when cancelled.
    virtual QStringList chooseFolders(QWidget* parent, bool multiple) = 0;
};

namespace Prompts {

void message(QWidget* parent, const QString& text,
             const QString& caption = QStringLiteral("Quarvel"));
bool askYesNo(QWidget* parent, const QString& text,
              const QString& caption = QStringLiteral("Quarvel"));
SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                const QString& caption = QStringLiteral("Quarvel"));
QStringList chooseFiles(QWidget* parent, const QString& filter, bool multiple);
QStringList chooseFolders(QWidget* parent, bool multiple);

// Installs a backend in place of the real dialogs (tests); nullptr restores the real ones.
// The backend is not owned.
void setBackend(PromptsBackend* backend);

} // namespace Prompts
