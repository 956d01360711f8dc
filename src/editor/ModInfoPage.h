#pragma once

#include "editor/EditName.h"

#include <QObject>

class Document;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The "Mod info" page: the mod's information and header image, and the workspace (the root
// directory and Proceed). Its fields edit the document's project; every change is announced.
class ModInfoPage : public QObject {
    Q_OBJECT

public:
    ModInfoPage(Document& document, QWidget* window);

    // The page widget "ModInfoTabSheet", to be placed in the main page control.
    QWidget* page() const { return m_page; }

    // Puts the project's information into the fields and its header image into the preview (a
    // picture that cannot be loaded leaves the preview empty). Showing runs the fields'
    // change handlers, which store the texts normalised.
    void showModInfo();
    // Empties the fields and the preview without touching the project.
    void clearModInfo();
    // Shows the document's root directory in the workspace.
    void showRootDir();
    // The editing stage locks the workspace; the workspace stage offers Proceed.
    void setWorkspaceEnabled(bool enabled);

signals:
    // Proceed (named so in the undo history): the workspace is chosen, editing may begin.
    void proceedRequested(const EditName& name);

private slots:
    void ModNameEditChange();
    void ModAuthorEditChange();
    void ModVersionEditChange();
    void ModURLEditChange();
    void ModCategoryEditChange();
    void ModDesccriptionMemoChange();
    void OpenRootDirButtonClick();
    void RootDirEditChange();
    void ProceedButtonClick();
    void ChooseHeaderImageButtonClick();
    void ClearHeaderImageButtonClick();

private:
    QWidget* buildInformation();
    QHBoxLayout* buildHeaderRow(QWidget* fieldsPanel);
    QWidget* buildWorkspace();
    QWidget* buildProceedBar();
    void connectHandlers();

    Document& m_document;
    QWidget* m_window = nullptr;
    QWidget* m_page = nullptr;
    QLineEdit* m_modName = nullptr;
    QLineEdit* m_modAuthor = nullptr;
    QLineEdit* m_modVersion = nullptr;
    QLineEdit* m_modURL = nullptr;
    QComboBox* m_modCategory = nullptr;
    QLineEdit* m_headerImageEdit = nullptr;
    QLabel* m_headerImage = nullptr;
    QPlainTextEdit* m_modDescription = nullptr;
    QLineEdit* m_rootDirEdit = nullptr;
    QPushButton* m_openRootDir = nullptr;
    QPushButton* m_proceed = nullptr;
    QPushButton* m_chooseHeaderImage = nullptr;
    QPushButton* m_clearHeaderImage = nullptr;
};
