#pragma once

class QWidget;

// The "Required installations" and "Conditional installations" pages. For now they hold the
// widgets the rebuild fills; their file lists and pattern commands are built on top of them.
namespace InstallPages {

QWidget* buildRequiredInstallsPage();
QWidget* buildConditionalInstallsPage();

} // namespace InstallPages
