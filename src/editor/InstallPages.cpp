#include "editor/InstallPages.h"

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

} // namespace InstallPages
