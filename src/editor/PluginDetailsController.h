#pragma once

#include "editor/PluginAccess.h"

#include <QObject>

class Document;
class FileListPair;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The selected plugin's details on the "Groups and Files" page: its description, its image
// with the preview, and its "Files" box. It builds its panels unplaced; the groups box and
// the steps page put them in place.
class PluginDetailsController : public QObject {
    Q_OBJECT

public:
    // replaceLineBreaks tells how the description's line breaks are stored (the setting
    // "bReplaceRN"), read when the plugin is shown or its description typed.
    PluginDetailsController(Document& document, PluginAccess selectedPlugin,
                            const bool& replaceLineBreaks, QWidget* window);

    QWidget* descriptionPanel() const { return m_descriptionPanel; }
    QWidget* imagePanel() const { return m_imagePanel; }
    QGroupBox* filesGroupBox() const { return m_filesBox; }
    FileListPair* files() const { return m_files; }

    // Empties every detail; nothing is selected any more.
    void clear();
    // Shows the selected plugin's details and switches the controls (all off without one).
    void showSelectedPlugin();

private slots:
    void PluginDescriptionMemoChange();
    void ChoosePluginImageButtonClick();
    void ClearPluginImageButtonClick();
    void SrcFilesListViewSelectItem();
    void DstFilesListViewSelectItem();

private:
    void buildDescriptionPanel();
    void buildImagePanel();
    void buildFilesBox();
    void connectHandlers();
    void showImage(const QString& image);
    void setControlsEnabled(bool enabled);

    Document& m_document;
    PluginAccess m_selectedPlugin;
    const bool& m_replaceLineBreaks;
    QWidget* m_window = nullptr;
    QWidget* m_descriptionPanel = nullptr;
    QWidget* m_imagePanel = nullptr;
    QGroupBox* m_filesBox = nullptr;
    FileListPair* m_files = nullptr;
    QPlainTextEdit* m_descriptionMemo = nullptr;
    QLineEdit* m_imageEdit = nullptr;
    QPushButton* m_chooseImageButton = nullptr;
    QPushButton* m_clearImageButton = nullptr;
    QLabel* m_pluginImage = nullptr;
};
