// CArchive reading whatever the input says: every read either gives a value or throws
// CArchiveException, never reads past the bytes and never allocates more than they can hold.
#include "fuzz/fuzz_support.h"
#include "platform/archive.h"
#include "platform/cstring.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first bytes choose the reads, the rest is the archive.
  const size_t ops = std::min<size_t>(data[0], size - 1);
  const uint8_t* plan = data + 1;
  CArchive ar(data + 1 + ops, size - 1 - ops);
  try {
    for (size_t i = 0; i < ops; ++i) {
      const size_t before = ar.BytesLeft();
      switch (plan[i] % 7) {
        case 0: { std::int32_t v; ar >> v; break; }
        case 1: { std::uint32_t v; ar >> v; break; }
        case 2: { std::uint16_t v; ar >> v; break; }
        case 3: { std::uint8_t v; ar >> v; break; }
        case 4: { double v; ar >> v; break; }
        case 5: { CString s; ar >> s; break; }
        case 6: {
          const size_t n = ar.CheckCount(ar.ReadInt(), 1 + plan[i] % 16);
          fuzz::Check(n * (1 + plan[i] % 16) <= ar.BytesLeft(), "a checked count fits the bytes left");
          break;
        }
      }
      fuzz::Check(ar.BytesLeft() <= before, "reads only move forward");
    }
  } catch (const CArchiveException&) {
  }
  // What a storing archive writes, a loading one reads back.
  CArchive out;
  out << static_cast<std::int32_t>(size) << CString(std::string(reinterpret_cast<const char*>(data), size));
  CArchive in(out.Buffer());
  std::int32_t n;
  CString s;
  in >> n >> s;
  fuzz::Check(n == static_cast<std::int32_t>(size) && s.str() == std::string(reinterpret_cast<const char*>(data), size),
              "a stored string reads back");
  return 0;
}
