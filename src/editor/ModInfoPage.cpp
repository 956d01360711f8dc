#include "editor/ModInfoPage.h"

#include "editor/Document.h"
#include "installer/Escaping.h"
#include "installer/ProjectFiles.h"
#include "model/Vocabulary.h"
#include "platform/Paths.h"
#include "ui/Components.h"
#include "ui/ImageChooser.h"
#include "ui/KeyConventions.h"
#include "ui/PicturePreview.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kWideEdit = 346;
constexpr int kNarrowEdit = 146;

// A label above its control, as one field of the column.
void addField(QVBoxLayout* column, QLabel* label, QWidget* control) {
    label->setBuddy(control);
    auto* field = new QVBoxLayout;
    field->setSpacing(2);
    field->addWidget(label);
    field->addWidget(control, 0, Qt::AlignLeft);
    column->addLayout(field);
}

} // namespace

ModInfoPage::ModInfoPage(Document& document, QWidget* window)
    : QObject(window), m_document(document), m_window(window) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("ModInfoTabSheet"));
    QWidget* info = buildInformation();
    QWidget* workspace = buildWorkspace();
    QWidget* proceedBar = buildProceedBar();
    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(info, 1);
    layout->addWidget(workspace);
    layout->addWidget(proceedBar);
    connectHandlers();
}

QWidget* ModInfoPage::buildInformation() {
    // The mod's information: one column of labelled fields above the description.
    auto* info = new QGroupBox(QStringLiteral("Mod infornation"));
    info->setObjectName(QStringLiteral("ModInfoGroupBox"));

    auto* fieldsPanel = new QWidget(info);
    fieldsPanel->setObjectName(QStringLiteral("ModInfoFieldsPanel"));
    // At least the classic 290 pixels; more when the platform font needs it.
    fieldsPanel->setMinimumHeight(290);
    fieldsPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* fields = new QVBoxLayout(fieldsPanel);
    fields->setContentsMargins(14, 4, 14, 4);
    fields->setSpacing(6);

    m_modName = Components::edit(QStringLiteral("ModNameEdit"), fieldsPanel);
    m_modName->setFixedWidth(kWideEdit);
    m_modAuthor = Components::edit(QStringLiteral("ModAuthorEdit"), fieldsPanel);
    m_modAuthor->setFixedWidth(kWideEdit);
    m_modVersion = Components::edit(QStringLiteral("ModVersionEdit"), fieldsPanel);
    m_modVersion->setFixedWidth(kNarrowEdit);
    m_modURL = Components::edit(QStringLiteral("ModURLEdit"), fieldsPanel);
    m_modURL->setFixedWidth(kWideEdit);
    m_modCategory = Components::comboBox(QStringLiteral("ModCategoryComboBox"),
                                         Vocabulary::modCategories(), true, true, fieldsPanel);
    m_modCategory->setMaxVisibleItems(20);
    m_modCategory->setCurrentIndex(-1);
    m_modCategory->setFixedWidth(kWideEdit);
    addField(
        fields,
        Components::label(QStringLiteral("ModNameLabel"), QStringLiteral("Mod name"), fieldsPanel),
        m_modName);
    addField(fields,
             Components::label(QStringLiteral("ModAuthorLabel"), QStringLiteral("Mod author"),
                               fieldsPanel),
             m_modAuthor);
    addField(fields,
             Components::label(QStringLiteral("ModVersionLabel"), QStringLiteral("Mod version"),
                               fieldsPanel),
             m_modVersion);
    addField(fields,
             Components::label(QStringLiteral("ModURLLabel"), QStringLiteral("Mod page on Nexus"),
                               fieldsPanel),
             m_modURL);
    addField(fields,
             Components::label(QStringLiteral("ModCategoryLabel"), QStringLiteral("Mod category"),
                               fieldsPanel),
             m_modCategory);

    fields->addLayout(buildHeaderRow(fieldsPanel), 1);

    auto* descriptionLabel = Components::label(QStringLiteral("ModDescriptionLabel"),
                                               QStringLiteral("Mod description"), info);
    m_modDescription = new QPlainTextEdit(info);
    m_modDescription->setObjectName(QStringLiteral("ModDesccriptionMemo"));
    m_modDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descriptionLabel->setBuddy(m_modDescription);
    KeyConventions::tabLeavesMemo(m_modDescription);

    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->setContentsMargins(0, 4, 0, 14);
    infoLayout->setSpacing(2);
    infoLayout->addWidget(fieldsPanel);
    auto* descriptionLayout = new QVBoxLayout;
    descriptionLayout->setContentsMargins(14, 0, 14, 0);
    descriptionLayout->setSpacing(2);
    descriptionLayout->addWidget(descriptionLabel);
    descriptionLayout->addWidget(m_modDescription, 1);
    infoLayout->addLayout(descriptionLayout, 1);

    return info;
}

QHBoxLayout* ModInfoPage::buildHeaderRow(QWidget* fieldsPanel) {
    // Header image: the stored path, its two buttons and the preview on their right.
    m_headerImageEdit = Components::edit(QStringLiteral("ModHeaderImageEdit"), fieldsPanel);
    m_headerImageEdit->setFixedWidth(kWideEdit);
    // It shares its row with the buttons and the preview: in a narrow window it gives way.
    m_headerImageEdit->setMinimumWidth(120);
    m_chooseHeaderImage = Components::button(QStringLiteral("ChooseHeaderImageButton"),
                                             QStringLiteral("Choose"), true, fieldsPanel);
    m_clearHeaderImage = Components::button(QStringLiteral("ClearHeaderImageButton"),
                                            QStringLiteral("Clear"), true, fieldsPanel);
    QWidget* preview =
        PicturePreview::create({QStringLiteral("Shape4"), QStringLiteral("NoHeaderImageLabel"),
                                QStringLiteral("HeaderImage")},
                               &m_headerImage, fieldsPanel);
    preview->setObjectName(QStringLiteral("HeaderImagePanel"));

    auto* headerLabel = Components::label(QStringLiteral("ModHeaderImageLabel"),
                                          QStringLiteral("Mod header image"), fieldsPanel);
    headerLabel->setBuddy(m_headerImageEdit);
    auto* headerButtons = new QVBoxLayout;
    headerButtons->setSpacing(4);
    headerButtons->addWidget(m_chooseHeaderImage);
    headerButtons->addWidget(m_clearHeaderImage);
    headerButtons->addStretch(1);
    auto* headerEdit = new QVBoxLayout;
    headerEdit->setSpacing(2);
    headerEdit->addWidget(headerLabel);
    headerEdit->addWidget(m_headerImageEdit);
    headerEdit->addStretch(1);
    auto* headerRow = new QHBoxLayout;
    headerRow->setSpacing(8);
    headerRow->addLayout(headerEdit, 1);
    headerRow->addLayout(headerButtons);
    headerRow->addWidget(preview, 0, Qt::AlignTop);
    headerRow->addStretch(0); // takes only what the edit, at its widest, leaves
    return headerRow;
}

QWidget* ModInfoPage::buildWorkspace() {
    // The workspace: the root directory that holds the fomod folder.
    auto* workspace = new QGroupBox(QStringLiteral("Workspace"));
    workspace->setObjectName(QStringLiteral("WorkSpaceGroupBox"));
    workspace->setFixedHeight(64);
    auto* rootLabel = Components::label(QStringLiteral("RootDirLabel"),
                                        QStringLiteral("Root directory"), workspace);
    m_rootDirEdit = Components::edit(QStringLiteral("RootDirEdit"), workspace);
    rootLabel->setBuddy(m_rootDirEdit);
    m_openRootDir = Components::button(QStringLiteral("OpenRootDirButton"), QStringLiteral("Open"),
                                       true, workspace);
    auto* workspaceRow = new QHBoxLayout(workspace);
    workspaceRow->setContentsMargins(14, 4, 14, 8);
    workspaceRow->addWidget(rootLabel);
    workspaceRow->addWidget(m_rootDirEdit, 1);
    workspaceRow->addWidget(m_openRootDir);

    return workspace;
}

QWidget* ModInfoPage::buildProceedBar() {
    auto* proceedBar = new QWidget;
    proceedBar->setObjectName(QStringLiteral("ProceedPanel"));
    proceedBar->setFixedHeight(48);
    m_proceed = Components::button(QStringLiteral("ProceedButton"), QStringLiteral("Proceed"),
                                   false, proceedBar);
    m_proceed->setMinimumWidth(100);
    auto* proceedRow = new QHBoxLayout(proceedBar);
    proceedRow->setContentsMargins(4, 8, 4, 8);
    proceedRow->addStretch(1);
    proceedRow->addWidget(m_proceed);

    return proceedBar;
}

void ModInfoPage::connectHandlers() {
    connect(m_modName, &QLineEdit::textChanged, this, &ModInfoPage::ModNameEditChange);
    connect(m_modAuthor, &QLineEdit::textChanged, this, &ModInfoPage::ModAuthorEditChange);
    connect(m_modVersion, &QLineEdit::textChanged, this, &ModInfoPage::ModVersionEditChange);
    connect(m_modURL, &QLineEdit::textChanged, this, &ModInfoPage::ModURLEditChange);
    connect(m_modCategory, &QComboBox::editTextChanged, this, &ModInfoPage::ModCategoryEditChange);
    // Chosen from its list, the category is changed rather than typed.
    connect(m_modCategory, &QComboBox::activated, this,
            [this] { m_document.edited(EditName::choice(m_modCategory)); });
    connect(m_modDescription, &QPlainTextEdit::textChanged, this,
            &ModInfoPage::ModDesccriptionMemoChange);
    connect(m_openRootDir, &QPushButton::clicked, this, &ModInfoPage::OpenRootDirButtonClick);
    connect(m_rootDirEdit, &QLineEdit::textChanged, this, &ModInfoPage::RootDirEditChange);
    connect(m_proceed, &QPushButton::clicked, this, &ModInfoPage::ProceedButtonClick);
    connect(m_chooseHeaderImage, &QPushButton::clicked, this,
            &ModInfoPage::ChooseHeaderImageButtonClick);
    connect(m_clearHeaderImage, &QPushButton::clicked, this,
            &ModInfoPage::ClearHeaderImageButtonClick);
}

void ModInfoPage::ModNameEditChange() {
    m_document.project.sName = m_modName->text();
    m_document.edited(EditName::typing(m_modName));
}

void ModInfoPage::ModAuthorEditChange() {
    m_document.project.sAuthor = m_modAuthor->text();
    m_document.edited(EditName::typing(m_modAuthor));
}

void ModInfoPage::ModVersionEditChange() {
    m_document.project.sVersion = m_modVersion->text();
    m_document.edited(EditName::typing(m_modVersion));
}

void ModInfoPage::ModURLEditChange() {
    m_document.project.sWebsite = m_modURL->text();
    m_document.edited(EditName::typing(m_modURL));
}

void ModInfoPage::ModCategoryEditChange() {
    m_document.project.sCategory = m_modCategory->currentText();
    m_document.edited(EditName::typing(m_modCategory));
}

void ModInfoPage::ModDesccriptionMemoChange() {
    m_document.project.sDescription =
        Escaping::normaliseModDescription(Components::memoText(m_modDescription));
    m_document.edited(EditName::typing(m_modDescription));
}

void ModInfoPage::OpenRootDirButtonClick() {
    const QStringList chosen = Prompts::chooseFolders(m_window, false, m_document.sRootDir);
    if (chosen.isEmpty())
        return;
    const QString folder = chosen.first();
    // The author's folder in whatever letter case it is spelled; "fomod" when there is none.
    const QString fomod = ProjectFiles::fomodFolder(folder);
    if (!Paths::isDirectory(fomod)) {
        if (!Prompts::askYesNo(
                m_window,
                QStringLiteral("There is no 'fomod' catalog in specified directory. Create one?")))
            return;
        QDir().mkdir(fomod); // a failure shows as a disabled Proceed
    }
    m_rootDirEdit->setText(folder);
    // The edit may already have held this folder, before its fomod folder existed.
    RootDirEditChange();
}

void ModInfoPage::RootDirEditChange() {
    m_document.sRootDir = m_rootDirEdit->text();
    if (m_document.sRootDir.isEmpty())
        return;
    m_proceed->setEnabled(
        Paths::isDirectory(ProjectFiles::fomodFolder(m_document.sRootDir)));
}

void ModInfoPage::ProceedButtonClick() {
    emit proceedRequested(EditName::command(m_proceed));
}

void ModInfoPage::showModInfo() {
    const CFOMOD& project = m_document.project;
    m_modName->setText(project.sName);
    m_modAuthor->setText(project.sAuthor);
    m_modVersion->setText(project.sVersion);
    m_modURL->setText(project.sWebsite);
    m_headerImageEdit->setText(project.sImage);
    if (!project.sImage.isEmpty())
        PicturePreview::show(m_headerImage, Pictures::loadPreview(Paths::storedToNative(
                                                m_document.sRootDir, project.sImage)));
    // Copied first: the memo's and the box's change handlers write into the project.
    const QString description = project.sDescription;
    const QString category = project.sCategory;
    m_modDescription->setPlainText(Escaping::modDescriptionForMemo(description));
    m_modCategory->setEditText(category);
}

void ModInfoPage::clearModInfo() {
    // The fields empty, the project keeps what it holds.
    const QSignalBlocker blockName(m_modName);
    const QSignalBlocker blockAuthor(m_modAuthor);
    const QSignalBlocker blockVersion(m_modVersion);
    const QSignalBlocker blockURL(m_modURL);
    const QSignalBlocker blockCategory(m_modCategory);
    const QSignalBlocker blockDescription(m_modDescription);
    m_headerImage->clear();
    for (QLineEdit* edit : {m_modName, m_modAuthor, m_modVersion, m_modURL, m_headerImageEdit})
        edit->clear();
    m_modCategory->setCurrentIndex(-1);
    m_modCategory->setEditText(QString());
    m_modDescription->clear();
}

void ModInfoPage::showRootDir() {
    m_rootDirEdit->setText(m_document.sRootDir);
}

void ModInfoPage::setWorkspaceEnabled(bool enabled) {
    m_proceed->setEnabled(enabled);
    m_openRootDir->setEnabled(enabled);
    m_rootDirEdit->setEnabled(enabled);
}

void ModInfoPage::ChooseHeaderImageButtonClick() {
    if (const std::optional<QString> stored =
            ImageChooser::choose(m_window, m_document.sRootDir, m_headerImageEdit, m_headerImage)) {
        m_document.project.sImage = *stored;
        m_document.edited(EditName::command(m_chooseHeaderImage));
    }
}

void ModInfoPage::ClearHeaderImageButtonClick() {
    m_headerImageEdit->clear();
    m_headerImage->clear();
    m_document.project.sImage.clear();
    m_document.edited(EditName::command(m_clearHeaderImage));
}
