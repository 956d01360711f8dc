#include "editor/FlagSetController.h"

#include "editor/Document.h"
#include "editor/OfferedNames.h"
#include "model/Fomod.h"
#include "model/Vocabulary.h"
#include "ui/ComboBoxes.h"
#include "ui/Components.h"
#include "ui/KeyConventions.h"
#include "ui/ReportListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kEquals = QStringLiteral(" =");

} // namespace

FlagSetController::FlagSetController(Document& document, PluginAccess selectedPlugin,
                                     QObject* parent)
    : QObject(parent), m_document(document), m_selectedPlugin(std::move(selectedPlugin)) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("FlagSetTabSheet"));

    // "Flag name <name> set <value>", read as a sentence, above the list.
    auto* nameLabel = Components::label(QStringLiteral("FNameLabel"), QStringLiteral("Flag name"));
    nameLabel->setAlignment(Qt::AlignCenter);
    m_nameComboBox = Components::comboBox(QStringLiteral("VaribleComboBox"), {}, true);
    m_nameComboBox->setFixedWidth(176);
    auto* setLabel = Components::label(QStringLiteral("FSetLabel"), QStringLiteral("set"));
    m_valueComboBox = Components::comboBox(QStringLiteral("VaribleValueComboBox"),
                                           Vocabulary::flagValues(), true);
    m_valueComboBox->setCurrentIndex(0);
    m_valueComboBox->setMinimumWidth(50);
    m_valueComboBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_listView = ReportListView::create(
        QStringLiteral("FlagSetListView"),
        {{QStringLiteral("Flag name"), 0}, {QString(), 50}, {QStringLiteral("Value"), 0}}, false);

    m_addButton =
        Components::button(QStringLiteral("AddVaribleButton"), QStringLiteral("Add"), false);
    m_deleteButton =
        Components::button(QStringLiteral("DeleteVaribleButton"), QStringLiteral("Delete"), false);
    // Beside the 275-pixel panel in a 367-pixel page the buttons get what is left.
    for (QPushButton* b : {m_addButton, m_deleteButton})
        b->setMinimumWidth(56);

    auto* sentence = new QGridLayout;
    sentence->setContentsMargins(0, 0, 0, 0);
    sentence->addWidget(nameLabel, 0, 0);
    sentence->addWidget(m_nameComboBox, 1, 0);
    sentence->addWidget(setLabel, 1, 1);
    sentence->addWidget(m_valueComboBox, 1, 2);
    sentence->setColumnStretch(2, 1);

    auto* panel = new QWidget;
    panel->setFixedWidth(275);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addLayout(sentence);
    panelLayout->addWidget(m_listView, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(nameLabel->sizeHint().height());
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(m_page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(panel);
    layout->addLayout(buttons, 1);

    connect(m_addButton, &QPushButton::clicked, this, &FlagSetController::AddVaribleButtonClick);
    connect(m_deleteButton, &QPushButton::clicked, this,
            &FlagSetController::DeleteVaribleButtonClick);
    connect(m_listView, &QTableWidget::itemSelectionChanged, this,
            &FlagSetController::FlagSetListViewSelectItem);

    for (QComboBox* field : {m_nameComboBox, m_valueComboBox})
        KeyConventions::enterRuns(field, m_addButton);
    KeyConventions::deleteRuns(m_listView, m_deleteButton);
    KeyConventions::focusReturnsTo(m_deleteButton, m_listView);
}

void FlagSetController::clearList() {
    m_listView->setRowCount(0);
    FlagSetListViewSelectItem();
}

void FlagSetController::appendRows(const QList<CCondition>& flags) {
    for (const CCondition& flag : flags)
        ReportListView::appendRow(m_listView, {flag.sName, kEquals, flag.sValue});
}

void FlagSetController::setPluginSelected(bool selected) {
    m_addButton->setEnabled(selected);
    m_deleteButton->setEnabled(false);
}

void FlagSetController::clearForRebuild() {
    {
        const QSignalBlocker blocker(m_listView);
        m_listView->setRowCount(0);
    }
}

void FlagSetController::offerNames(const OfferedNames& offered) {
    ComboBoxes::offer(m_nameComboBox, offered.names);
    ComboBoxes::offer(m_valueComboBox, offered.values);
}

void FlagSetController::AddVaribleButtonClick() {
    const QString name = m_nameComboBox->currentText();
    CPlugin* plugin = m_selectedPlugin();
    if (name.isEmpty() || !plugin)
        return;
    const QString value = m_valueComboBox->currentText();
    plugin->vConditionFlags.append(CCondition(name, value));
    ReportListView::appendRow(m_listView, {name, kEquals, value});
    m_document.edited(EditName::command(m_addButton));
}

void FlagSetController::DeleteVaribleButtonClick() {
    CPlugin* plugin = m_selectedPlugin();
    const int row = ReportListView::selectedRow(m_listView);
    if (!plugin || plugin->vConditionFlags.isEmpty() || row < 0 ||
        row >= plugin->vConditionFlags.size())
        return;
    plugin->vConditionFlags.removeAt(row);
    {
        const QSignalBlocker blocker(m_listView);
        m_listView->removeRow(row);
        m_listView->clearSelection();
    }
    FlagSetListViewSelectItem();
    m_document.edited(EditName::command(m_deleteButton));
}

void FlagSetController::FlagSetListViewSelectItem() {
    m_deleteButton->setEnabled(ReportListView::selectedRow(m_listView) >= 0);
}
