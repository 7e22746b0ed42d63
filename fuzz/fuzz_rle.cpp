// The run-length codec of the bitmap images in binary project files.
#include "files/mrk_binary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // As a coded block.
  std::vector<BYTE> decoded;
  if (CMrkBinaryFile::Expand(data, size, decoded) && !decoded.empty()) {
    const std::vector<BYTE> coded = CMrkBinaryFile::Compress(decoded.data(), decoded.size());
    if (!coded.empty()) {
      std::vector<BYTE> back;
      fuzz::Check(CMrkBinaryFile::Expand(coded.data(), coded.size(), back) && back == decoded,
                  "a recoded block expands to the same bytes");
    }
  }
  // As raw data.
  const std::vector<BYTE> coded = CMrkBinaryFile::Compress(data, size);
  if (!coded.empty()) {
    fuzz::Check(coded.size() < size, "coding only counts when it is smaller");
    std::vector<BYTE> back;
    fuzz::Check(CMrkBinaryFile::Expand(coded.data(), coded.size(), back), "a coded block expands");
    fuzz::Check(back == std::vector<BYTE>(data, data + size), "it expands to the input");
  }
  return 0;
}
