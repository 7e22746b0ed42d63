#include "platform/paths.h"

#include <climits>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {
namespace {

std::mutex g_lock;
std::string g_override;

std::string DefaultBase() {
  std::string exe = ExecutablePath();
  size_t slash = exe.rfind('/');
  std::string dir = slash == std::string::npos ? "." : exe.substr(0, slash);
  std::string name = slash == std::string::npos ? exe : exe.substr(slash + 1);
  if (name.empty()) name = "korvane";
  if (::access(dir.c_str(), W_OK) == 0) return dir + "/" + name;
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    config = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  ::mkdir(config.c_str(), 0700);
  std::string folder = config + "/draventis";
  ::mkdir(folder.c_str(), 0700);
  return folder + "/" + name;
}

}  // namespace

std::string ExecutablePath() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n <= 0) return "korvane";
  return std::string(buf, static_cast<size_t>(n));
}

std::string CompanionBase() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_override.empty()) return g_override;
  return DefaultBase();
}

std::string CompanionFile(const char* ext) { return CompanionBase() + (ext ? ext : ""); }

void SetCompanionBase(const std::string& base) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_override = base;
}

}  // namespace paths
