#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <climits>
#include <mutex>
#include <unistd.h>

namespace paths {
namespace {

std::mutex g_lock;
std::string g_override;

// The executable's folder and file name.
void SplitExecutable(std::string& dir, std::string& name) {
  std::string exe = ExecutablePath();
  size_t slash = exe.rfind('/');
  dir = slash == std::string::npos ? "." : exe.substr(0, slash);
  name = slash == std::string::npos ? exe : exe.substr(slash + 1);
  if (name.empty()) name = "korvane";
}

std::string DefaultBase() {
  std::string dir, name;
  SplitExecutable(dir, name);
  if (::access(dir.c_str(), W_OK) == 0) return dir + "/" + name;
  return UserConfigBase();
}

}  // namespace

std::string UserConfigBase() {
  std::string dir, name;
  SplitExecutable(dir, name);
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  // A relative $XDG_CONFIG_HOME is to be ignored, but this Qt hands it back as it is.
  if (!QDir::isAbsolutePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
  const QString folder = config + QStringLiteral("/draventis");
  // Folders made here hold the operator's settings: only the owner reads them.
  const bool hadConfig = QFileInfo::exists(config);
  const bool hadFolder = QFileInfo::exists(folder);
  if (QDir().mkpath(folder)) {
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!hadConfig) QFile::setPermissions(config, ownerOnly);
    if (!hadFolder) QFile::setPermissions(folder, ownerOnly);
  }
  return QFile::encodeName(folder).toStdString() + "/" + name;
}

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
