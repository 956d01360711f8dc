#include "editor/PluginDetailsController.h"

#include "editor/Document.h"
#include "editor/FileListPair.h"
#include "installer/Escaping.h"
#include "model/Fomod.h"
#include "platform/Paths.h"
#include "ui/Components.h"
#include "ui/ImageChooser.h"
#include "ui/KeyConventions.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

PluginDetailsController::PluginDetailsController(Document& document, PluginAccess selectedPlugin,
                                                 const bool& replaceLineBreaks, QWidget* window)
    : QObject(window), m_document(document), m_selectedPlugin(std::move(selectedPlugin)),
      m_replaceLineBreaks(replaceLineBreaks), m_window(window) {
    buildDescriptionPanel();
    buildImagePanel();
    buildFilesBox();
    connectHandlers();
}

void PluginDetailsController::buildDescriptionPanel() {
    m_descriptionPanel = new QWidget;
    m_descriptionPanel->setMinimumHeight(100);
    auto* label =
        Components::label(QStringLiteral("PluginDescLabel"), QStringLiteral("Plugin description"));
    m_descriptionMemo = new QPlainTextEdit;
    m_descriptionMemo->setObjectName(QStringLiteral("PluginDescriptionMemo"));
    m_descriptionMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_descriptionMemo->setEnabled(false);
    label->setBuddy(m_descriptionMemo);

    auto* column = new QVBoxLayout(m_descriptionPanel);
    column->setContentsMargins(8, 4, 8, 0);
    column->addWidget(label);
    column->addWidget(m_descriptionMemo, 1);
}

void PluginDetailsController::buildImagePanel() {
    m_imagePanel = new QWidget;
    m_imagePanel->setFixedHeight(150);

    m_imageEdit = Components::edit(QStringLiteral("PluginImageEdit"));
    m_imageEdit->setReadOnly(true);
    m_imageEdit->setEnabled(false);
    m_chooseImageButton = Components::button(QStringLiteral("ChoosePluginImageButton"),
                                             QStringLiteral("Choose"), false);
    m_clearImageButton = Components::button(QStringLiteral("ClearPluginImageButton"),
                                            QStringLiteral("Clear"), false);

    QWidget* preview = PicturePreview::create(
        {QStringLiteral("Shape3"), QStringLiteral("NoImageLabel"), QStringLiteral("PluginImage")},
        &m_pluginImage);

    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(m_chooseImageButton);
    imageRow->addWidget(m_clearImageButton);
    imageRow->addStretch(1);
    auto* controls = new QVBoxLayout;
    controls->addLayout(Components::labelledEdit(m_imageEdit, QStringLiteral("Plugin image")));
    controls->addLayout(imageRow);
    controls->addStretch(1);

    auto* row = new QHBoxLayout(m_imagePanel);
    row->setContentsMargins(8, 4, 8, 4);
    row->addLayout(controls, 1);
    row->addWidget(preview, 0, Qt::AlignTop);
}

void PluginDetailsController::buildFilesBox() {
    m_filesBox = new QGroupBox(QStringLiteral("Files"));
    m_filesBox->setObjectName(QStringLiteral("FilesGroupBox"));
    m_files = new FileListPair(
        {QStringLiteral("FilesPanel"), QStringLiteral("SrcFilesListView"),
         QStringLiteral("DstFilesListView"), QStringLiteral("CpyLabel"),
         QStringLiteral("DataLabel"), QStringLiteral("AddFileButton"),
         QStringLiteral("AddFolderButton"), QStringLiteral("RemoveFileFolderButton")},
        [this]() -> QList<CFile>* {
            CPlugin* plugin = m_selectedPlugin();
            return plugin ? &plugin->vFiles : nullptr;
        },
        {[this] { return m_document.sRootDir; }, false,
         QStringLiteral("Folder is out of root directory")},
        m_document, m_window);
    m_files->setAddEnabled(false);
    auto* layout = new QVBoxLayout(m_filesBox);
    layout->addWidget(m_files->panel());
}

void PluginDetailsController::connectHandlers() {
    connect(m_descriptionMemo, &QPlainTextEdit::textChanged, this,
            &PluginDetailsController::PluginDescriptionMemoChange);
    connect(m_chooseImageButton, &QPushButton::clicked, this,
            &PluginDetailsController::ChoosePluginImageButtonClick);
    connect(m_clearImageButton, &QPushButton::clicked, this,
            &PluginDetailsController::ClearPluginImageButtonClick);
    connect(m_files->sourceList(), &QTableWidget::itemSelectionChanged, this,
            &PluginDetailsController::SrcFilesListViewSelectItem);
    connect(m_files->destinationList(), &QTableWidget::itemSelectionChanged, this,
            &PluginDetailsController::DstFilesListViewSelectItem);
    KeyConventions::tabLeavesMemo(m_descriptionMemo);
}

void PluginDetailsController::clear() {
    m_files->clear();
    {
        // Emptying the memo is no edit of the description.
        const QSignalBlocker blocker(m_descriptionMemo);
        m_descriptionMemo->clear();
    }
    m_imageEdit->clear();
    m_pluginImage->clear();
}

void PluginDetailsController::setControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_descriptionMemo, m_chooseImageButton, m_clearImageButton, m_imageEdit,
             m_files->addFileButton(), m_files->addFolderButton()})
        w->setEnabled(enabled);
}

void PluginDetailsController::showSelectedPlugin() {
    setControlsEnabled(false);
    clear();
    if (const CPlugin* plugin = m_selectedPlugin()) {
        m_files->appendRows(plugin->vFiles);
        // The memo shows the description as typed; showing it runs the change handler, which
        // stores it normalised.
        m_descriptionMemo->setPlainText(
            Escaping::pluginDescriptionForMemo(plugin->sDescription, m_replaceLineBreaks));
        showImage(plugin->sImage);
        setControlsEnabled(true);
    }
    SrcFilesListViewSelectItem();
}

void PluginDetailsController::showImage(const QString& image) {
    m_imageEdit->setText(image);
    if (image.isEmpty())
        return;
    const QString native = Paths::storedToNative(m_document.sRootDir, image);
    QFile file(native);
    if (file.open(QIODevice::ReadOnly)) {
        file.close();
        // A picture that cannot be decoded leaves the preview on "[No image]".
        PicturePreview::show(m_pluginImage, Pictures::loadPreview(native));
        return;
    }
    Prompts::message(m_window, QStringLiteral("Image file not found. Image field for "
                                              "this plugin will be cleared."));
    // The path goes at once, so the message comes only once per broken path.
    if (CPlugin* shown = m_selectedPlugin())
        shown->sImage.clear();
    m_imageEdit->clear();
    m_document.edited();
}

void PluginDetailsController::SrcFilesListViewSelectItem() {
    m_files->sourceSelectItem();
}

void PluginDetailsController::DstFilesListViewSelectItem() {
    m_files->destinationSelectItem();
}

void PluginDetailsController::PluginDescriptionMemoChange() {
    CPlugin* plugin = m_selectedPlugin();
    if (!plugin)
        return;
    plugin->sDescription = Escaping::normalisePluginDescription(
        Components::memoText(m_descriptionMemo), m_replaceLineBreaks);
    m_document.edited(EditName::typing(m_descriptionMemo));
}

void PluginDetailsController::ChoosePluginImageButtonClick() {
    if (!m_selectedPlugin())
        return;
    const std::optional<QString> stored =
        ImageChooser::choose(m_window, m_document.sRootDir, m_imageEdit, m_pluginImage);
    if (!stored)
        return;
    if (CPlugin* plugin = m_selectedPlugin())
        plugin->sImage = *stored;
    m_document.edited(EditName::command(m_chooseImageButton));
}

void PluginDetailsController::ClearPluginImageButtonClick() {
    CPlugin* plugin = m_selectedPlugin();
    if (!plugin)
        return;
    m_imageEdit->clear();
    m_pluginImage->clear();
    plugin->sImage.clear();
    m_document.edited(EditName::command(m_clearImageButton));
}
