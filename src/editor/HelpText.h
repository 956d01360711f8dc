#pragma once

#include <QString>

// The quick guide shown read-only on the "Help" page.
namespace HelpText {

QString quickGuide();

} // namespace HelpText
