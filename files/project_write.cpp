#include "files/project_write.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/archive.h"

namespace {

// The file a path names, through any chain of links; the path itself when it is no link. A
// link that points nowhere yet names the file it would point to.
std::string SaveTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return current;
    target.resize(static_cast<size_t>(n));
    if (target.front() != '/') {
      const size_t slash = current.rfind('/');
      target = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
    }
    current = target;
  }
  return current;
}

// Removes "<name>.tmpXXXXXX" beside the file: what a save cut short (a crash, a killed process)
// left. Only regular files of this user, with exactly the six characters mkstemp adds.
void RemoveLeftoverTemporaries(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    bool generated = true;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
      generated = generated && std::isalnum(static_cast<unsigned char>(name[i])) != 0;
    }
    if (!generated) continue;
    const std::string full = folder + "/" + name;
    struct stat st{};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid()) ::unlink(full.c_str());
  }
  ::closedir(dir);
}

}  // namespace

bool IsReadOnlyFile(const std::string& path) {
  // A file without any write bit is read-only for everyone, also for a user whose rights would
  // let the write through.
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 &&
         ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0);
}

bool WriteProjectFile(const CString& path, const std::vector<BYTE>& bytes) {
  return WriteProjectFileFrom(path, [&](const fileio::ChunkWriter& write) { return write(bytes.data(), bytes.size()); });
}

bool WriteProjectFileFrom(const CString& path, const std::function<bool(const fileio::ChunkWriter&)>& produce) {
  const std::string target = SaveTarget(fileio::ToFsPath(path));
  // The rename would replace a read-only file without a word.
  if (IsReadOnlyFile(target)) return false;
  RemoveLeftoverTemporaries(target);
  return fileio::WriteAtomicallyFrom(target, produce);
}
