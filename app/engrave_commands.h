// The engraving side of the main frame: the two start commands, the origin wizard, the port's
// one-string dialog, console and monitor; the end-of-job timer, the form view's abort button and
// the port-debug console timer.
#pragma once

#include "app/frame_commands.h"

// Adds the rows to the table and connects the frame's timers 1 and 2 and the form view's abort
// button (where the context has them). Call once, after RegisterFrameCommands.
void RegisterEngraveCommands(CCommandTable& table, const CommandContext& ctx);

// The port monitor of the frame: made on the first 32859, raised on the next ones.
class CPortMonitorDialog;
CPortMonitorDialog* OpenPortMonitor(const CommandContext& ctx);
