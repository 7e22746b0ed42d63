// Opening an address (web page, "mailto:") in the desktop's program for it. Tests install a hook
// that records the address instead.
#pragma once

#include <functional>

#include <QString>

namespace ui {

using OpenUrlHook = std::function<void(const QString& url)>;
// Opens the address through the hook when one is installed, else through the desktop.
void OpenUrl(const QString& url);
// Installs a hook and returns the previous one (empty: the desktop again).
OpenUrlHook SetOpenUrlHook(OpenUrlHook hook);

}  // namespace ui
