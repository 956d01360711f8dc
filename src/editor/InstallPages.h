#pragma once

class QWidget;

// The "Required installations" page.
namespace InstallPages {

QWidget* buildRequiredInstallsPage();

} // namespace InstallPages
