#include "files/project_write.h"

#include "platform/archive.h"
#include "platform/atomic_file.h"

bool WriteProjectFile(const CString& path, const std::vector<BYTE>& bytes) {
  return atomicfile::Write(fileio::ToFsPath(path), bytes.data(), bytes.size()) == atomicfile::Outcome::Written;
}

bool WriteProjectFileFrom(const CString& path, const std::function<bool(const fileio::ChunkWriter&)>& produce) {
  return atomicfile::WriteFrom(fileio::ToFsPath(path), produce) == atomicfile::Outcome::Written;
}
