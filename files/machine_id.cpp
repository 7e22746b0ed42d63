#include "files/machine_id.h"

#include "files/settings.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace {
constexpr int kIdBufferSize = 1000;
}  // namespace

std::string MachineIdFilePath() { return paths::CompanionFile(".inf"); }

int MachineModelFromId(const CString& id) {
  CString text(id);
  text.Trim();
  if (text.IsEmpty()) return 0;
  CString model = text.Right(2);
  if (model == "K1") return 1;
  if (model == "K2") return 2;
  if (model == "K3") return 3;
  return 0;
}

void ReadMachineId(CKorvaneSettings& settings) { ReadMachineId(settings, MachineIdFilePath()); }

void ReadMachineId(CKorvaneSettings& settings, const std::string& path) {
  settings.MachineModel = 0;
  CProfileFile file;
  if (!file.Load(path)) return;
  CString id = file.GetString("Draventis", "id", "");
  // The id is read as into a 1000-byte buffer: a longer value is cut to 999 bytes.
  if (id.GetLength() > kIdBufferSize - 1) id = id.Left(kIdBufferSize - 1);
  settings.MachineModel = MachineModelFromId(id);
}
