#pragma once

#include <functional>

class CPlugin;

// The plugin selected on the "Groups and Files" page, resolved against the project when
// called; nullptr while none is selected. Pages that edit a part of that plugin are handed one.
using PluginAccess = std::function<CPlugin*()>;
