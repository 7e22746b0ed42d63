// Writing a project file over the one it replaces, as the operator expects of Save.
#pragma once

#include <string>
#include <vector>

#include "platform/archive.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

// Writes the bytes through a temporary file that replaces the old one only when everything was
// written. A file the user may not write is refused (false, nothing written); a symbolic link
// is written through to its target, so the link stays; temporaries that an earlier save of the
// same file left behind are removed first.
bool WriteProjectFile(const CString& path, const std::vector<BYTE>& bytes);
// The same for a file made piece by piece (see fileio::WriteAtomicallyFrom).
bool WriteProjectFileFrom(const CString& path, const std::function<bool(const fileio::ChunkWriter&)>& produce);

// Whether the file (a file-system path) exists and may not be written: a save through a rename
// would replace it anyway, so the writers ask first.
bool IsReadOnlyFile(const std::string& path);
