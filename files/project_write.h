// Writing a project file over the one it replaces, as the operator expects of Save.
#pragma once

#include <string>
#include <vector>

#include "platform/archive.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

// Writes the bytes through the atomic writer: a file the user may not write is refused (false,
// nothing written); a symbolic link is written through to its target, so the link stays.
bool WriteProjectFile(const CString& path, const std::vector<BYTE>& bytes);
// The same for a file made piece by piece (see fileio::WriteAtomicallyFrom).
bool WriteProjectFileFrom(const CString& path, const std::function<bool(const fileio::ChunkWriter&)>& produce);
