// The machine-id file beside the executable.
#include "files/machine_id.h"
#include "files/settings.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput(data, size, "machine.inf");
  CKorvaneSettings settings;
  ReadMachineId(settings, path);
  fuzz::Check(settings.MachineModel >= 0 && settings.MachineModel <= 3, "the model is 0 to 3");
  return 0;
}
