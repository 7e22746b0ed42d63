#include "files/machine_id.h"

#include "files/settings.h"
#include "platform/paths.h"
#include "platform/profile.h"

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
  settings.MachineModel = MachineModelFromId(file.GetString("Draventis", "id", ""));
}
