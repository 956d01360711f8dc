#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class CFile;
class QLabel;
class QPushButton;
class QTableWidgetItem;
class QTableWidget;
class QWidget;

// One pair of file lists: what is copied (kind and source path) on the left, where it goes
// (destination and priority) on the right, with the Add file, Add folder and Remove buttons.
// Row i of both lists stands for entry i of the model sequence the owner shows in them.
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

    FileListPair(const Names& names, FilesAccess files, QObject* parent);

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

    // The selection coupling: the other list follows the selected row; Remove is enabled
    // exactly while a row is selected.
    void sourceSelectItem();
    void destinationSelectItem();

    // An accepted in-place edit of a destination: stored exactly as typed.
    void destinationEdited(QTableWidgetItem* item);

    // How a priority is shown: the unsigned reading of its 32 bits.
    static QString priorityText(qint32 priority);

private:
    void couple(QTableWidget* from, QTableWidget* to);

    FilesAccess m_files;
    QWidget* m_panel = nullptr;
    QTableWidget* m_sourceList = nullptr;
    QTableWidget* m_destinationList = nullptr;
    QPushButton* m_addFileButton = nullptr;
    QPushButton* m_addFolderButton = nullptr;
    QPushButton* m_removeButton = nullptr;
};
