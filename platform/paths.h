// Where the companion files live: the executable's path with ".dat", ".inf", ".arc" or ".bin"
// appended, beside the executable when its folder is writable, else under the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config) in draventis/. Tests point the base
// at a temporary folder.
#pragma once

#include <string>

namespace paths {

// The running executable (/proc/self/exe).
std::string ExecutablePath();
// The path that the extensions are appended to, e.g. "/opt/draventis/korvane".
std::string CompanionBase();
// The base in the user's configuration folder, used when the executable's folder is not
// writable: <config>/draventis/<executable name>. The folder is made, with any missing parents,
// when it is absent.
std::string UserConfigBase();
// CompanionBase() + ext.
std::string CompanionFile(const char* ext);
// Overrides the base (an empty string restores the default).
void SetCompanionBase(const std::string& base);

}  // namespace paths
