// The main frame's paint rows: entering image editing, the design and the scanning area as
// images, and the paint editor's context-menu commands (clipboard, filters, undo, tools); the
// paint-mode rule of the design-editing rows that must not act on the bitmap under edit.
#pragma once

#include "app/frame_commands.h"

void RegisterPaintCommands(CCommandTable& table, const CommandContext& ctx);
// What the frame's timers 3 and 4 run: entering and leaving image editing.
void OnPaintTimer(CKorvaneDoc* doc, UINT id);
