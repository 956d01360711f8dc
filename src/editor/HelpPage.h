#pragma once

class QWidget;

// The "Help" page: the quick guide, read-only.
namespace HelpPage {

// The page widget "InfoTabSheet", to be placed in the main page control.
QWidget* create();

} // namespace HelpPage
