#include "editor/InstallPages.h"

#include "ui/Components.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace InstallPages {

QWidget* buildRequiredInstallsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("RequiredInstallsTabSheet"));
    auto* layout = new QVBoxLayout(page);
    layout->addStretch(1);
    return page;
}

QWidget* buildConditionalInstallsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ConditionalInstallsTabSheet"));

    auto* nameLabel =
        Components::label(QStringLiteral("ciNameLabel"), QStringLiteral("File/Flag name"), page);
    auto* name =
        Components::comboBox(QStringLiteral("CondFileDependNameComboBox"), {}, true, false, page);
    name->setMinimumWidth(260);
    nameLabel->setBuddy(name);

    auto* valueLabel =
        Components::label(QStringLiteral("ciValueLabel"), QStringLiteral("Value"), page);
    auto* value = Components::comboBox(
        QStringLiteral("CondFileDependValueComboBox"),
        {QStringLiteral("Active"), QStringLiteral("Inactive"), QStringLiteral("Missing")}, true,
        false, page);
    value->setMinimumWidth(110);
    valueLabel->setBuddy(value);

    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(valueLabel, 0, 1);
    grid->addWidget(name, 1, 0);
    grid->addWidget(value, 1, 1);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

} // namespace InstallPages
