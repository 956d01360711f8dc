#pragma once

#include <QObject>

class Document;
class FileListPair;
class QWidget;

// The "Required installations" page: the files and folders every installation copies.
class RequiredInstallsController : public QObject {
    Q_OBJECT

public:
    RequiredInstallsController(Document& state, QWidget* window);

    QWidget* page() const { return m_page; } // RequiredInstallsTabSheet
    FileListPair* files() const { return m_files; }

    // Shows the project's required installations afresh.
    void showFiles();

private:
    Document& m_state;
    QWidget* m_page = nullptr;
    FileListPair* m_files = nullptr;
};
