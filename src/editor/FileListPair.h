#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CFile;
class Document;
class QLabel;
class QPushButton;
class QTableWidgetItem;
class QTableWidget;
class QWidget;

// One pair of file lists: what is copied (kind and source path) on the left, where it goes
// (destination and priority) on the right, with the Add file, Add folder and Remove buttons.
// Row i of both lists stands for entry i of the model sequence the owner hands it. The three
// instances (plugin files, required installations, conditional-install files) differ only in
// their names, their sequence and the few rules of Rules.
class FileListPair : public QObject {
    Q_OBJECT

public:
    // Component names of one instance.
    struct Names {
        QString sPanel;
        QString sSourceList;
        QString sDestinationList;
        QString sCopyLabel;
        QString sDataLabel;
        QString sAddFileButton;
        QString sAddFolderButton;
        QString sRemoveButton;
    };

    // The model sequence the lists show, or nullptr while there is none.
    using FilesAccess = std::function<QList<CFile>*()>;

    // What differs between the instances besides names and sequence.
    struct Rules {
        // The project's root directory, against which chosen paths are made relative.
        std::function<QString()> rootDir;
        // Adding needs a root directory (the plugin files only need a selected plugin).
        bool bAddNeedsRoot = true;
        // Shown when a chosen folder lies outside the root.
        QString sFolderOutsideMessage;
    };

    // Each change of the sequence is announced to the document.
    FileListPair(const Names& names, FilesAccess files, Rules rules, Document& document,
                 QWidget* window);

    QWidget* panel() const { return m_panel; }
    QTableWidget* sourceList() const { return m_sourceList; }
    QTableWidget* destinationList() const { return m_destinationList; }
    QPushButton* addFileButton() const { return m_addFileButton; }
    QPushButton* addFolderButton() const { return m_addFolderButton; }
    QPushButton* removeButton() const { return m_removeButton; }

    // Empties both lists.
    void clear();
    // Appends one row per entry to both lists, in order.
    void appendRows(const QList<CFile>& files);
    // Switches both Add buttons.
    void setAddEnabled(bool enabled);

    // The commands of the three buttons.
    void AddFileButtonClick();
    void AddFolderButtonClick();
    void RemoveButtonClick();

    // Adds dropped local paths as the Add buttons would: folders as "folder", the rest as
    // "file", in the order given. False when nothing could be added.
    bool addDropped(const QStringList& nativePaths);

    // The selection coupling: the other list follows the selected row; Remove is enabled
    // exactly while a row is selected.
    void sourceSelectItem();
    void destinationSelectItem();

    // An accepted in-place edit of a destination: stored exactly as typed.
    void destinationEdited(QTableWidgetItem* item);

    // Stores a priority edited in the priority cell of a row; false (nothing stored) when the
    // row has no entry.
    bool setPriority(int row, qint32 priority);

    // How a priority is shown: a signed decimal number.
    static QString priorityText(qint32 priority);

signals:
    // The rows are about to be emptied or one removed: an edit open over a row ends now,
    // while the row still stands for its entry.
    void rowsAboutToChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Chosen {
        QString sType; // "file" or "folder"
        QString sNativePath;
    };
    bool canAdd() const;
    bool add(const QList<Chosen>& chosen);
    void couple(QTableWidget* from, QTableWidget* to);

    FilesAccess m_files;
    Rules m_rules;
    Document& m_document;
    QWidget* m_window = nullptr;
    QWidget* m_panel = nullptr;
    QTableWidget* m_sourceList = nullptr;
    QTableWidget* m_destinationList = nullptr;
    QPushButton* m_addFileButton = nullptr;
    QPushButton* m_addFolderButton = nullptr;
    QPushButton* m_removeButton = nullptr;
};
