#include "platform/archive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/cp932.h"

namespace fileio {

bool ReadAll(const std::string& path, std::vector<std::uint8_t>& out) {
  out.clear();
  // Non-blocking, so a FIFO or device named as a file cannot hang the open; it is refused below.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  out.reserve(static_cast<size_t>(st.st_size));
  std::uint8_t buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      out.clear();
      return false;
    }
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  ::close(fd);
  return true;
}

bool WriteAtomically(const std::string& path, const void* data, size_t size) {
  return atomicfile::Write(path, data, size) == atomicfile::Outcome::Written;
}

bool WriteAtomicallyFrom(const std::string& path, const std::function<bool(const ChunkWriter&)>& produce) {
  return atomicfile::WriteFrom(path, produce) == atomicfile::Outcome::Written;
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string ToFsPath(const CString& path) { return cp932::ToUtf8(path.str()); }

}  // namespace fileio

void CArchive::Write(const void* data, size_t size) {
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
  m_buf.insert(m_buf.end(), p, p + size);
}

void CArchive::Read(void* data, size_t size) {
  if (!IsLoading()) throw CArchiveException("read from a storing archive");
  if (size > BytesLeft()) throw CArchiveException("archive ends early");
  if (size) std::memcpy(data, m_buf.data() + m_pos, size);
  m_pos += size;
}

size_t CArchive::CheckCount(std::int64_t count, size_t elementSize) const {
  if (count < 0) throw CArchiveException("negative count in archive");
  if (elementSize == 0) elementSize = 1;
  if (static_cast<std::uint64_t>(count) > BytesLeft() / elementSize)
    throw CArchiveException("count larger than the archive");
  return static_cast<size_t>(count);
}

namespace {
template <typename T>
void PutLE(std::vector<std::uint8_t>& buf, T v) {
  for (size_t i = 0; i < sizeof(T); ++i) buf.push_back(static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF));
}
template <typename T>
T GetLE(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  return static_cast<T>(v);
}
}  // namespace

CArchive& CArchive::operator<<(std::int32_t v) {
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  PutLE<std::uint32_t>(m_buf, static_cast<std::uint32_t>(v));
  return *this;
}
CArchive& CArchive::operator<<(std::uint32_t v) {
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  PutLE<std::uint32_t>(m_buf, v);
  return *this;
}
CArchive& CArchive::operator<<(std::uint16_t v) {
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  PutLE<std::uint16_t>(m_buf, v);
  return *this;
}
CArchive& CArchive::operator<<(std::uint8_t v) {
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  m_buf.push_back(v);
  return *this;
}
CArchive& CArchive::operator<<(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof(bits));
  if (!IsStoring()) throw CArchiveException("write to a loading archive");
  PutLE<std::uint64_t>(m_buf, bits);
  return *this;
}
CArchive& CArchive::operator<<(const CString& s) {
  size_t n = static_cast<size_t>(s.GetLength());
  if (n < 0xFF) {
    *this << static_cast<std::uint8_t>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(n);
  } else {
    *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(0xFFFF)
          << static_cast<std::uint32_t>(n);
  }
  Write(s.c_str(), n);
  return *this;
}

CArchive& CArchive::operator>>(std::int32_t& v) {
  std::uint8_t b[4];
  Read(b, 4);
  v = static_cast<std::int32_t>(GetLE<std::uint32_t>(b));
  return *this;
}
CArchive& CArchive::operator>>(std::uint32_t& v) {
  std::uint8_t b[4];
  Read(b, 4);
  v = GetLE<std::uint32_t>(b);
  return *this;
}
CArchive& CArchive::operator>>(std::uint16_t& v) {
  std::uint8_t b[2];
  Read(b, 2);
  v = GetLE<std::uint16_t>(b);
  return *this;
}
CArchive& CArchive::operator>>(std::uint8_t& v) {
  Read(&v, 1);
  return *this;
}
CArchive& CArchive::operator>>(double& v) {
  std::uint8_t b[8];
  Read(b, 8);
  std::uint64_t bits = GetLE<std::uint64_t>(b);
  std::memcpy(&v, &bits, sizeof(v));
  return *this;
}
CArchive& CArchive::operator>>(CString& s) {
  std::uint8_t b8;
  *this >> b8;
  std::uint32_t n = b8;
  if (b8 == 0xFF) {
    std::uint16_t w;
    *this >> w;
    n = w;
    if (w == 0xFFFE) throw CArchiveException("wide string in archive");
    if (w == 0xFFFF) *this >> n;
  }
  size_t len = CheckCount(n, 1);
  std::string bytes(len, '\0');
  Read(bytes.data(), len);
  s = CString(std::move(bytes));
  return *this;
}
