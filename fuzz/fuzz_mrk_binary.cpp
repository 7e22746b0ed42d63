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
  // Records past their kind's ranges are left out and named; a file of nothing else loads nothing.
  if (design.IsEmpty()) {
    fuzz::Check(!design.m_Lost.empty(), "a taken file without records names what it left out");
    return 0;
  }
  fuzz::Check(design.Commit(list) != nullptr, "a taken file commits something");
  std::vector<BYTE> saved = CMrkBinaryFile::Serialize(list);
  // A record left out at the first read used up its name, so that save may name the objects
  // otherwise than the next; from there on a save reads back to its own bytes.
  for (int round = design.m_Lost.empty() ? 1 : 0; round < 2; ++round) {
    CObjectList again;
    again.Initialize();
    CMrkDesign reread;
    fuzz::Check(CMrkBinaryFile::ParseBytes(saved, again, reread), "what was saved reads back");
    fuzz::Check(reread.m_Lost.empty(), "what was saved is within the ranges");
    reread.Commit(again);
    std::vector<BYTE> resaved = CMrkBinaryFile::Serialize(again);
    if (round == 1) fuzz::Check(resaved == saved, "saving again gives the same bytes");
    saved = std::move(resaved);
  }
  return 0;
}
