// A binary project file as the document reads it; a file that is taken must save and read back
// to the same bytes.
#include "files/mrk_binary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<BYTE> bytes(data, data + size);
  CObjectList list;
  list.Initialize();
  CMrkDesign design;
  if (!CMrkBinaryFile::ParseBytes(bytes, list, design)) {
    fuzz::Check(design.IsEmpty(), "a refused file leaves no records");
    return 0;
  }
  fuzz::Check(design.Commit(list) != nullptr, "a taken file commits something");
  const std::vector<BYTE> saved = CMrkBinaryFile::Serialize(list);

  CObjectList again;
  again.Initialize();
  CMrkDesign reread;
  fuzz::Check(CMrkBinaryFile::ParseBytes(saved, again, reread), "what was saved reads back");
  reread.Commit(again);
  fuzz::Check(CMrkBinaryFile::Serialize(again) == saved, "saving again gives the same bytes");
  return 0;
}
