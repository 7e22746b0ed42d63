// The machine-id file beside the executable (".inf"): section "Draventis", key "id", whose last
// two characters name the machine model the installation belongs to.
#pragma once

#include <string>

#include "platform/cstring.h"

struct CKorvaneSettings;

std::string MachineIdFilePath();

// "...K1" -> 1, "...K2" -> 2, "...K3" -> 3 after trimming blanks on both sides; anything else 0.
int MachineModelFromId(const CString& id);

// Sets the settings' machine model from the file; no file or no key leaves it 0.
void ReadMachineId(CKorvaneSettings& settings);
void ReadMachineId(CKorvaneSettings& settings, const std::string& path);
