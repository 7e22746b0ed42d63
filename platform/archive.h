// Files and archives: little-endian int32 and IEEE doubles, strings with the archive's length
// prefix, no header. A loading archive holds the whole file in memory, so every count read from
// it can be bounded by the bytes that are left.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/wintypes.h"

// Thrown when an archive ends early or holds a count that cannot be right.
class CArchiveException : public std::runtime_error {
 public:
  explicit CArchiveException(const std::string& what) : std::runtime_error(what) {}
};

// Thrown when a file cannot be opened, read or written.
class CFileException : public std::runtime_error {
 public:
  explicit CFileException(const std::string& what) : std::runtime_error(what) {}
};

namespace fileio {

// Reads a whole file; false when it cannot be opened or read.
bool ReadAll(const std::string& path, std::vector<std::uint8_t>& out);
// Writes a file through the atomic writer (platform/atomic_file.h); false when it refused or
// failed, the old file then as it was.
bool WriteAtomically(const std::string& path, const void* data, size_t size);
// The same for a file made piece by piece: produce hands each piece to the writer it is given
// (false from it: the write failed) and answers false to give up. A large file is never held
// whole in memory.
using ChunkWriter = std::function<bool(const void* data, size_t size)>;
bool WriteAtomicallyFrom(const std::string& path, const std::function<bool(const ChunkWriter&)>& produce);
bool Exists(const std::string& path);
bool Remove(const std::string& path);
// File-system path (UTF-8) of a path held as code-page-932 text.
std::string ToFsPath(const CString& path);

}  // namespace fileio

class CArchive {
 public:
  enum Mode { load = 1, store = 0 };

  // A storing archive collecting bytes in memory.
  CArchive() : m_mode(store) {}
  // A loading archive over bytes.
  explicit CArchive(std::vector<std::uint8_t> bytes) : m_mode(load), m_buf(std::move(bytes)) {}
  CArchive(const void* data, size_t size)
      : m_mode(load), m_buf(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {}

  bool IsLoading() const { return m_mode == load; }
  bool IsStoring() const { return m_mode == store; }

  // Bytes written so far (storing) or the whole input (loading).
  const std::vector<std::uint8_t>& Buffer() const { return m_buf; }
  size_t Position() const { return m_pos; }
  size_t BytesLeft() const { return m_buf.size() - m_pos; }

  // Raw bytes.
  void Write(const void* data, size_t size);
  void Read(void* data, size_t size);  // throws when fewer bytes are left

  // A count or length read from the archive, refused when negative or when count * elementSize
  // exceeds the bytes left (so nothing ever allocates more than the file can hold).
  size_t CheckCount(std::int64_t count, size_t elementSize) const;

  CArchive& operator<<(std::int32_t v);
  CArchive& operator<<(std::uint32_t v);
  CArchive& operator<<(std::uint16_t v);
  CArchive& operator<<(std::uint8_t v);
  CArchive& operator<<(double v);
  CArchive& operator<<(const CString& s);
  CArchive& operator>>(std::int32_t& v);
  CArchive& operator>>(std::uint32_t& v);
  CArchive& operator>>(std::uint16_t& v);
  CArchive& operator>>(std::uint8_t& v);
  CArchive& operator>>(double& v);
  CArchive& operator>>(CString& s);

  std::int32_t ReadInt() { std::int32_t v; *this >> v; return v; }
  double ReadDouble() { double v; *this >> v; return v; }

 private:
  Mode m_mode;
  std::vector<std::uint8_t> m_buf;
  size_t m_pos = 0;
};
