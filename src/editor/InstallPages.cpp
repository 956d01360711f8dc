#include "editor/InstallPages.h"

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

    auto* nameLabel = new QLabel(QStringLiteral("File/Flag name"), page);
    nameLabel->setObjectName(QStringLiteral("ciNameLabel"));
    auto* name = new QComboBox(page);
    name->setObjectName(QStringLiteral("CondFileDependNameComboBox"));
    name->setEditable(true);
    name->setInsertPolicy(QComboBox::NoInsert);
    name->setMinimumWidth(260);
    name->setEnabled(false);
    nameLabel->setBuddy(name);

    auto* valueLabel = new QLabel(QStringLiteral("Value"), page);
    valueLabel->setObjectName(QStringLiteral("ciValueLabel"));
    auto* value = new QComboBox(page);
    value->setObjectName(QStringLiteral("CondFileDependValueComboBox"));
    value->setEditable(true);
    value->setInsertPolicy(QComboBox::NoInsert);
    value->addItems(
        {QStringLiteral("Active"), QStringLiteral("Inactive"), QStringLiteral("Missing")});
    value->setMinimumWidth(110);
    value->setEnabled(false);
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
