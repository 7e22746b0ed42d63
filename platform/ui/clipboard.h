// The system clipboard as the document touches it.
#pragma once

namespace ui {

// Empties the system clipboard (no owner afterwards). Does nothing when no GUI application runs.
void EmptySystemClipboard();

}  // namespace ui
