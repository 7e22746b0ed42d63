// The seal commands of the main frame: the seal menu entries, the mask switches and the two seal
// bars. The frame calls RegisterSealCommands once, after RegisterFrameCommands.
#pragma once

#include <vector>

#include "app/frame_commands.h"
#include "platform/ui/command_table.h"

// Adds the runs of the seal rows and, to every seal row, the rule that keeps it disabled while a
// bitmap is being edited (a seal command there would replace or delete the image in the editor).
void RegisterSealCommands(CCommandTable& table, const CommandContext& ctx);

// Every seal command id the rows above cover.
const std::vector<UINT>& SealCommandIds();
