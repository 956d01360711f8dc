#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

// The editor of the two save scripts, runbefore.txt and runafter.txt beside the executable.
// Nothing is kept between openings: each opening loads the file again.
class TScriptForm1 : public QDialog {
    Q_OBJECT

public:
    // The main window gives the program folder, the menu captions and the place to centre on.
    // Centred on mainWindow, whose menu entries name the dialog; the scripts are in
    // programDir.
    TScriptForm1(QWidget* mainWindow, const QString& programDir);

    // The two menu entries: edit a script modally and save it when the dialog is confirmed.
    void RunBeforeSaveMenuClick();
    void RunAfterSaveMenuClick();

    // Loads the script file into the memo (an unreadable one gives an empty memo), takes the
    // title from the caption of the menu entry named menuName and centres the dialog on the
    // main window. The dialog is not shown.
    void prepareScript(const QString& fileName, const QString& menuName);

    // The file the dialog was last prepared for.
    QString scriptPath() const { return m_scriptPath; }

    // Writes the memo to the script file and closes the dialog as confirmed. A file that
    // cannot be written is reported and the dialog stays open, so the text is not lost.
    void SaveButtonClick();

private:
    void editScript(const QString& fileName, const QString& menuName);
    void fitSize();

    QWidget* m_main;
    QString m_programDir;
    QPlainTextEdit* m_memo = nullptr;
    QString m_scriptPath;
};
