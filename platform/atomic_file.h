// The one way the program writes a file: the bytes go to a temporary beside the file, which
// replaces it by a rename only when every byte is on disk, so a failed or cut-short write leaves
// the old file as it was. A file without write permission is refused rather than replaced; a
// symbolic link is written through to its target, so the link stays a link.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace atomicfile {

enum class Outcome {
  Written,
  ReadOnly,  // the target exists and may not be written: nothing was touched
  Failed,    // the folder refused the temporary, the disk filled, the rename failed, ...
};

Outcome Write(const std::string& path, const void* data, size_t size);

// The same for a file made piece by piece: produce hands each piece to the writer it is given
// (false from it: the write failed) and answers false to give up, which leaves the old file. A
// large file is never held whole in memory.
using ChunkWriter = std::function<bool(const void* data, size_t size)>;
Outcome WriteFrom(const std::string& path, const std::function<bool(const ChunkWriter&)>& produce);

// The file a path names through any chain of symbolic links; the path itself when it is no
// link. A link that points nowhere names the file it would point to.
std::string Target(const std::string& path);

// Whether the file exists and may not be written. A file without any write bit counts as
// read-only also for a user whose rights would let the write through.
bool IsReadOnly(const std::string& path);

// Makes the temporary for a write of `target` (owner-only, marked as the writer's own) and
// returns its descriptor, or -1. `name` receives its path. A temporary that outlives its
// write (a crash, a killed process) is removed by the next write of the same target.
int OpenTemporary(const std::string& target, std::string& name);

}  // namespace atomicfile
