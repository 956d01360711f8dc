#include "editor/ConditionalInstallsController.h"

#include "editor/EditorState.h"
#include "editor/OfferedNames.h"
#include "model/Vocabulary.h"
#include "ui/ComboBoxes.h"
#include "ui/Components.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

ConditionalInstallsController::ConditionalInstallsController(EditorState& state, QWidget* window)
    : QObject(window), m_state(state), m_window(window) {
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("ConditionalInstallsTabSheet"));

    auto* nameLabel =
        Components::label(QStringLiteral("ciNameLabel"), QStringLiteral("File/Flag name"), m_page);
    m_dependNameComboBox =
        Components::comboBox(QStringLiteral("CondFileDependNameComboBox"), {}, true, false, m_page);
    m_dependNameComboBox->setMinimumWidth(260);
    nameLabel->setBuddy(m_dependNameComboBox);

    auto* valueLabel =
        Components::label(QStringLiteral("ciValueLabel"), QStringLiteral("Value"), m_page);
    m_dependValueComboBox = Components::comboBox(QStringLiteral("CondFileDependValueComboBox"),
                                                 Vocabulary::fileStates(), true, false, m_page);
    m_dependValueComboBox->setMinimumWidth(110);
    valueLabel->setBuddy(m_dependValueComboBox);

    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(valueLabel, 0, 1);
    grid->addWidget(m_dependNameComboBox, 1, 0);
    grid->addWidget(m_dependValueComboBox, 1, 1);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(m_page);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void ConditionalInstallsController::clearForRebuild() {
    ComboBoxes::empty(m_dependNameComboBox);
    ComboBoxes::empty(m_dependValueComboBox);
}

void ConditionalInstallsController::offerNames(const OfferedNames& offered) {
    ComboBoxes::offer(m_dependNameComboBox, offered.names + offered.patternNames);
    ComboBoxes::offer(m_dependValueComboBox, offered.values);
}
