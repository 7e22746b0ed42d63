// The defaults archive read into the prototypes: a damaged archive changes nothing, a taken one
// stores and loads back to the same bytes.
#include "fuzz/fuzz_support.h"
#include "model/doc_archive.h"
#include "model/objectlist.h"

namespace {

std::vector<std::uint8_t> Store(CObjectList& list) {
  CDrawObject* prototypes[ARCHIVE_PROTOTYPE_COUNT];
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) prototypes[kind] = list.GetPrototype(kind);
  CArchive ar;
  StorePrototypes(ar, prototypes);
  return ar.Buffer();
}

bool Load(CObjectList& list, const std::vector<std::uint8_t>& bytes) {
  CDrawObject* prototypes[ARCHIVE_PROTOTYPE_COUNT];
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) prototypes[kind] = list.GetPrototype(kind);
  try {
    CArchive ar(bytes);
    LoadPrototypes(ar, prototypes);
    return true;
  } catch (const CArchiveException&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CObjectList list;
  list.Initialize();
  const std::vector<std::uint8_t> fresh = Store(list);
  if (!Load(list, std::vector<std::uint8_t>(data, data + size))) {
    fuzz::Check(Store(list) == fresh, "a damaged archive leaves the prototypes alone");
    return 0;
  }
  const std::vector<std::uint8_t> stored = Store(list);
  CObjectList again;
  again.Initialize();
  fuzz::Check(Load(again, stored), "a stored archive loads");
  fuzz::Check(Store(again) == stored, "it stores back the same");
  return 0;
}
