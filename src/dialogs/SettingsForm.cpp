#include "dialogs/SettingsForm.h"

#include "dialogs/DialogPlacement.h"
#include "dialogs/ScriptForm1.h"
#include "settings/LanguageTable.h"
#include "settings/RecentFiles.h"
#include "settings/Settings.h"
#include "ui/Components.h"
#include "ui/Prompts.h"
#include "ui/ReportListView.h"
#include "ui/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

QCheckBox* checkBox(const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

// A decimal integer that fits the settings' 32-bit fields, or nothing.
std::optional<qint32> decimalInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return qint32(value);
}

} // namespace

TSettingsForm::TSettingsForm(QWidget* mainWindow, const QString& programDir,
                             TScriptForm1* scriptForm)
    : QDialog(mainWindow), m_main(mainWindow), m_programDir(programDir), m_script(scriptForm) {
    setObjectName(QStringLiteral("TSettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);
    if (mainWindow)
        setFont(mainWindow->font());

    auto* pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(buildGeneralPage(), QStringLiteral("General"));
    pages->addTab(buildRecentPage(), QStringLiteral("Recent files"));

    QPushButton* save = Components::button(QStringLiteral("SaveButton"), QStringLiteral("Save"));
    QPushButton* cancel =
        Components::button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    // A fixed dialog border that still grows with larger interface text.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(save, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TSettingsForm::buildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SettingsGeneralTabSheet"));

    m_languages = Components::comboBox(QStringLiteral("LanguagesComboBox"), {}, true);
    m_textSize = Components::comboBox(
        QStringLiteral("IntTextSizeComboBox"),
        {QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
         QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")},
        true);
    m_textSize->setCurrentText(QStringLiteral("8"));
    m_languages->setMinimumWidth(200);
    m_textSize->setMinimumWidth(80);

    m_hideOpenFolder =
        checkBox(QStringLiteral("HideOpenFolderCheckBox"), QStringLiteral("Hide 'Open folder'"));
    m_hideOpenFile =
        checkBox(QStringLiteral("HideOpenFileCheckBox"), QStringLiteral("Hide 'Open file'"));
    // Each doubled ampersand shows as one: the box reads "... with &#13;&#10;".
    m_replaceRN = checkBox(QStringLiteral("ReplaceRNCheckBox"),
                           QStringLiteral("Replace new line code with &&#13;&&#10;"));

    auto* grid = new QGridLayout;
    grid->addWidget(Components::label(QStringLiteral("LanguageLabel"), QStringLiteral("Language")),
                    0, 0);
    grid->addWidget(m_languages, 0, 1, Qt::AlignLeft);
    grid->addWidget(Components::label(QStringLiteral("IntTextSizeLabel"),
                                      QStringLiteral("Interface text size")),
                    1, 0);
    grid->addWidget(m_textSize, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(m_hideOpenFolder);
    layout->addWidget(m_hideOpenFile);
    layout->addWidget(m_replaceRN);
    layout->addStretch();
    return page;
}

QWidget* TSettingsForm::buildRecentPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SettingsRecentTabSheet"));

    m_maxRecent = Components::edit(QStringLiteral("MaxRecentEdit"));
    m_maxRecent->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_maxRecent));
    m_maxRecent->setText(QStringLiteral("10"));
    m_maxRecent->setMaximumWidth(80);

    m_recentList =
        ReportListView::create(QStringLiteral("RecentListView"), {{QString(), 0}}, false);
    // One column and no heading: each row is one path.
    m_recentList->horizontalHeader()->hide();
    m_recentList->setMinimumSize(360, 160);

    m_moveUp = Components::button(QStringLiteral("MoveUpButton"), QStringLiteral("Move up"), false);
    m_moveDown =
        Components::button(QStringLiteral("MoveDownButton"), QStringLiteral("Move down"), false);
    m_remove = Components::button(QStringLiteral("RemoveButton"), QStringLiteral("Remove"), false);

    auto* maxRow = new QHBoxLayout;
    maxRow->addWidget(Components::label(QStringLiteral("MaxRecentLabel"),
                                        QStringLiteral("Maximum recent files")));
    maxRow->addWidget(m_maxRecent);
    maxRow->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_moveUp);
    buttons->addWidget(m_moveDown);
    buttons->addWidget(m_remove);
    buttons->addStretch();

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_recentList, 1);
    listRow->addLayout(buttons);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(maxRow);
    layout->addLayout(listRow, 1);

    connect(m_recentList, &QTableWidget::itemSelectionChanged, this,
            [this] { RecentListViewSelectItem(); });
    connect(m_moveUp, &QPushButton::clicked, this, [this] { MoveUpButtonClick(); });
    connect(m_moveDown, &QPushButton::clicked, this, [this] { MoveDownButtonClick(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { RemoveButtonClick(); });
    return page;
}

void TSettingsForm::SettingsMenuClick() {
    prepareToOpen();
    exec();
}

void TSettingsForm::prepareToOpen() {
    if (Settings::readSettings(Settings::instance(), Settings::settingsPath(m_programDir)))
        fillFields();
    DialogPlacement::centreOn(this, m_main);
}

void TSettingsForm::fillFields() {
    const SSettings& settings = Settings::instance();
    m_hideOpenFolder->setChecked(settings.bHideOpenFolder);
    m_hideOpenFile->setChecked(settings.bHideOpenFile);
    m_replaceRN->setChecked(settings.bReplaceRN);
    m_textSize->setCurrentText(QString::number(settings.iInterfaceTextSize));
    m_maxRecent->setText(QString::number(settings.iMaxRecentFiles));

    m_languages->clear();
    m_languages->clearEditText();
    const QStringList languages = Language::listLanguageFiles(m_programDir);
    m_languages->addItems(languages);
    m_languages->setCurrentText(languages.isEmpty() ? QString()
                                                    : Settings::fromLocal8(settings.sLanguage));

    m_recentList->setRowCount(0);
    for (const QString& entry : RecentFiles::entries(settings))
        ReportListView::appendRow(m_recentList, {entry});
    m_recentCopy = settings.vRecentFiles;
    RecentListViewSelectItem();
}

void TSettingsForm::RecentListViewSelectItem() {
    const int row = ReportListView::selectedRow(m_recentList);
    m_moveUp->setEnabled(row > 0);
    m_moveDown->setEnabled(row >= 0 && row < m_recentList->rowCount() - 1);
    m_remove->setEnabled(row >= 0);
}

void TSettingsForm::swapRows(int upper) {
    m_recentCopy.swapItemsAt(upper, upper + 1);
    for (int row : {upper, upper + 1})
        m_recentList->item(row, 0)->setText(Settings::fromLocal8(m_recentCopy[row]));
}

void TSettingsForm::MoveUpButtonClick() {
    const int row = ReportListView::selectedRow(m_recentList);
    if (row <= 0 || row >= m_recentCopy.size())
        return;
    swapRows(row - 1);
    ReportListView::selectRow(m_recentList, row - 1);
}

void TSettingsForm::MoveDownButtonClick() {
    const int row = ReportListView::selectedRow(m_recentList);
    if (row < 0 || row + 1 >= m_recentCopy.size())
        return;
    swapRows(row);
    ReportListView::selectRow(m_recentList, row + 1);
}

void TSettingsForm::RemoveButtonClick() {
    const int row = ReportListView::selectedRow(m_recentList);
    if (row < 0 || row >= m_recentCopy.size())
        return;
    m_recentCopy.removeAt(row);
    m_recentList->removeRow(row);
    ReportListView::selectRow(m_recentList, -1);
    RecentListViewSelectItem();
}

void TSettingsForm::SaveButtonClick() {
    const std::optional<qint32> textSize = decimalInteger(m_textSize->currentText());
    if (!textSize) {
        Prompts::message(this, QStringLiteral("Interface text size must be a whole number."));
        return;
    }
    const std::optional<qint32> maxRecent = decimalInteger(m_maxRecent->text());
    if (!maxRecent) {
        Prompts::message(this, QStringLiteral("Maximum recent files must be a whole number."));
        return;
    }

    SSettings& settings = Settings::instance();
    settings.bHideOpenFolder = m_hideOpenFolder->isChecked();
    settings.bHideOpenFile = m_hideOpenFile->isChecked();
    settings.bReplaceRN = m_replaceRN->isChecked();
    settings.iInterfaceTextSize = *textSize;
    settings.sLanguage = Settings::toLocal8(m_languages->currentText());
    settings.iMaxRecentFiles = *maxRecent;
    // A lower maximum takes effect at the next recording: nothing is trimmed here.
    settings.vRecentFiles = m_recentCopy;
    Settings::writeSettings(settings, Settings::settingsPath(m_programDir));

    emit settingsApplied(settings);
    Translation::applyInterfaceTextSize(settings.iInterfaceTextSize, m_main, this, m_script);
    Translation::applyLanguage(settings, m_programDir, m_main, this, m_script);
    accept();
}
