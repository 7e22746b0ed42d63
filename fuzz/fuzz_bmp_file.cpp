// A bitmap file taken in as a bitmap object, as the insert command does.
#include "fuzz/fuzz_support.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/objectlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput(data, size, "input.bmp");
  CObjectList list;
  list.Initialize();
  const int before = list.GetCount();
  CBmpObject* bmp = list.AddBmpFromFile(CString(path.c_str()));
  if (!bmp) {
    fuzz::Check(list.GetCount() == before, "a refused file adds nothing");
    return 0;
  }
  fuzz::Check(list.GetCount() == before + 1, "a taken file adds one object");
  fuzz::Check(ValidateMonoBmp(bmp->GetImage(), bmp->GetImageLength(), nullptr) == MONOBMP_VALID,
              "a taken image is a valid 1-bit image");
  fuzz::Check(bmp->m_dWidth >= 0 && bmp->m_dHeight >= 0, "sizes are not negative");
  return 0;
}
