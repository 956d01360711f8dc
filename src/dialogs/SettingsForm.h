#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct SSettings;
class TScriptForm1;

// The settings dialog: language, the menu items that can be hidden, the line-break option,
// interface text size, the maximum number of recent files and the order of the recent list.
// Move up, Move down and Remove work on a copy of the recent list; Save stores everything,
// writes config.ini and applies it to the windows at once, Cancel applies nothing.
class TSettingsForm : public QDialog {
    Q_OBJECT

public:
    // The dialog centres on the main window; it and the script dialog are the windows Save
    // applies the text size and the language to. config.ini and Language/ are in programDir.
    TSettingsForm(QWidget* mainWindow, const QString& programDir, TScriptForm1* scriptForm);

    // The menu entry: fills the dialog and shows it modally.
    void SettingsMenuClick();

    // Everything the opening does before the dialog is shown: refills the fields and the
    // working copy from config.ini when it can be read (otherwise they keep what they hold)
    // and centres the dialog on the main window.
    void prepareToOpen();

    // The recent list as Move up, Move down and Remove have left it.
    const QList<QByteArray>& recentWorkingCopy() const { return m_recentCopy; }

    void RecentListViewSelectItem();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void RemoveButtonClick();

    // Stores, writes and applies the settings and closes the dialog as confirmed. A text size
    // or maximum that is not a whole number is reported naming the field; the dialog then
    // stays open and nothing is stored, written or applied.
    void SaveButtonClick();

signals:
    // Save stored these settings; the main window applies what is its own (the menu items, the
    // recent list).
    void settingsApplied(const SSettings& settings);

private:
    QWidget* buildGeneralPage();
    QWidget* buildRecentPage();
    void fillFields();
    void swapRows(int upper);

    QWidget* m_main;
    QString m_programDir;
    TScriptForm1* m_script;
    QList<QByteArray> m_recentCopy;

    QComboBox* m_languages = nullptr;
    QComboBox* m_textSize = nullptr;
    QCheckBox* m_hideOpenFolder = nullptr;
    QCheckBox* m_hideOpenFile = nullptr;
    QCheckBox* m_replaceRN = nullptr;
    QLineEdit* m_maxRecent = nullptr;
    QTableWidget* m_recentList = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
    QPushButton* m_remove = nullptr;
};
