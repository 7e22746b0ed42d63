#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace atomicfile {

namespace {

// A name of the temporary pattern alone proves nothing: "design.mrk.tmpbackup" may be the
// operator's. Only a file that carries this attribute, which nothing else writes, was made here.
constexpr char kMarkerName[] = "user.draventis.temporary";
constexpr char kMarkerValue[] = "draventis atomic write";
constexpr char kSuffix[] = ".tmp";
constexpr size_t kRandomChars = 6;  // what mkstemp puts in place of XXXXXX

bool HasMarker(int fd) {
  char value[sizeof(kMarkerValue)] = {};
  const ssize_t n = ::fgetxattr(fd, kMarkerName, value, sizeof(value));
  return n == static_cast<ssize_t>(sizeof(kMarkerValue) - 1) &&
         std::memcmp(value, kMarkerValue, sizeof(kMarkerValue) - 1) == 0;
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kRandomChars || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Removes what earlier writes of the target left: the exact name pattern, a regular file of
// this user with no other link, owner-only as made, and carrying the marker.
void RemoveLeftovers(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash == 0 ? 1 : slash);
  const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + kSuffix;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryName(name, prefix)) continue;
    const std::string full = folder + "/" + name;
    const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st{};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                      st.st_nlink == 1 && (st.st_mode & 077) == 0 && HasMarker(fd);
    struct stat named{};
    // The name must still be that file when it goes.
    if (ours && ::lstat(full.c_str(), &named) == 0 && named.st_ino == st.st_ino && named.st_dev == st.st_dev)
      ::unlink(full.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string Target(const std::string& path) {
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

bool IsReadOnly(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 &&
         ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0);
}

int OpenTemporary(const std::string& target, std::string& name) {
  std::vector<char> buffer(target.begin(), target.end());
  const std::string pattern = std::string(kSuffix) + std::string(kRandomChars, 'X');
  buffer.insert(buffer.end(), pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  name = buffer.data();
  // Without the marker (a file system without user attributes) the temporary is still removed
  // when this write ends; only a crash's leftover would then stay for the operator to remove.
  ::fsetxattr(fd, kMarkerName, kMarkerValue, sizeof(kMarkerValue) - 1, 0);
  return fd;
}

Outcome Write(const std::string& path, const void* data, size_t size) {
  return WriteFrom(path, [&](const ChunkWriter& write) { return write(data, size); });
}

Outcome WriteFrom(const std::string& path, const std::function<bool(const ChunkWriter&)>& produce) {
  const std::string target = Target(path);
  // The rename would replace a read-only file without a word.
  if (IsReadOnly(target)) return Outcome::ReadOnly;
  RemoveLeftovers(target);
  std::string temporary;
  const int fd = OpenTemporary(target, temporary);
  if (fd < 0) return Outcome::Failed;
  const ChunkWriter write = [fd](const void* data, size_t size) { return WriteAll(fd, data, size); };
  bool ok = produce(write) && ::fsync(fd) == 0;
  // Keep the permissions of the file we replace; a new file gets 0666 less the umask.
  struct stat st{};
  mode_t mode = 0;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fremovexattr(fd, kMarkerName);
  ::fchmod(fd, mode);  // some file systems keep no modes; the bytes count
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok ? Outcome::Written : Outcome::Failed;
}

}  // namespace atomicfile
