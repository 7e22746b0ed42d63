// A v2004 text project file as the document reads it; whatever is taken saves, and the saved
// file reads back. Values are written to three decimals and some fields are derived (an arc
// text writes its radius doubled), so the first save may round; from then on saving again
// gives the same bytes.
#include "files/mrk_text.h"
#include "fuzz/fuzz_support.h"

namespace {

std::vector<BYTE> ReadAndFormat(const std::vector<BYTE>& bytes, bool* read) {
  CMrkTextFile file(CMrkTextFile::modeRead);
  *read = file.LoadBytes(bytes) != 0;
  if (!*read) return {};
  CObjectList list;
  list.Initialize();
  CMrkDesign design;
  file.ParseDesign(list, TRUE, design);
  design.Commit(list);
  CMrkTextFile out(CMrkTextFile::modeWrite);
  out.FormatList(list);
  return out.GetBytes();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool read = false;
  const std::vector<BYTE> first = ReadAndFormat(std::vector<BYTE>(data, data + size), &read);
  if (!read) return 0;
  bool again = false;
  const std::vector<BYTE> second = ReadAndFormat(first, &again);
  fuzz::Check(again, "what was saved reads back");
  const std::vector<BYTE> third = ReadAndFormat(second, &again);
  fuzz::Check(again, "what was saved again reads back");
  if (third != second) {
    fuzz::Dump("second.mrk", second);
    fuzz::Dump("third.mrk", third);
    fuzz::Fail("saving again gives the same bytes");
  }
  return 0;
}
