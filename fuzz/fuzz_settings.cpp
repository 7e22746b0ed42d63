// The settings file as read at start; written once, it reads and writes again to the same file.
#include <fstream>
#include <sstream>

#include "files/settings.h"
#include "fuzz/fuzz_support.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput(data, size, "settings.dat");
  CKorvaneSettings settings;
  ReadSettings(settings, path);
  fuzz::Check(WriteSettings(settings, path), "the settings file is written");
  const std::string first = Slurp(path);
  CKorvaneSettings again;
  ReadSettings(again, path);
  fuzz::Check(WriteSettings(again, path), "the settings file is written again");
  const std::string second = Slurp(path);
  if (second != first) {
    fuzz::Dump("first.dat", std::vector<std::uint8_t>(first.begin(), first.end()));
    fuzz::Dump("second.dat", std::vector<std::uint8_t>(second.begin(), second.end()));
    fuzz::Fail("a written settings file reads and writes back the same");
  }
  return 0;
}
