// The document's own modal dialogs (layer, output mode, font, and the save dialog whose chosen
// filter decides the file format) go through one service, like every other question through the
// prompter: the program installs one over its dialogs, tests a scripted one, and until then every
// dialog is cancelled, so nothing can block.
#pragma once

#include "platform/cstring.h"
#include "platform/prompter.h"
#include "platform/wintypes.h"

// The layer dialog: radio 0 to 7, -1 when nothing is chosen.
struct LayerDialogData {
  int layer = -1;
};

// The output-mode dialog: output mode and fill direction radios, scan interval as typed (mm).
struct OutputModeDialogData {
  int outputMode = 0;
  int fillDirection = 0;
  CString scanInterval;
};

// The colour box: eight swatches, one per layer; the chosen index after OK, -1 before.
struct ColorBoxDialogData {
  int color = -1;
};

// The font dialog (screen fonts, scalable only).
struct FontDialogData {
  CString faceName;
  int charSet = 0;
  int italic = 0;
  int weight = 400;
  int pointSizeTenths = 0;  // the size the dialog gives, in tenths of a point
};

class IModalDialogs {
 public:
  virtual ~IModalDialogs() = default;
  // Each returns true on OK with the data changed as the operator left it.
  virtual bool LayerDialog(LayerDialogData& data) = 0;
  virtual bool OutputModeDialog(OutputModeDialogData& data) = 0;
  virtual bool FontDialog(FontDialogData& data) = 0;
  // The default cancels, for services that do not offer the colour box.
  virtual bool ColorBoxDialog(ColorBoxDialogData& data);
  // A save dialog that also tells which filter (1-based) the operator chose. The default
  // asks the prompter and reports filter 1.
  virtual bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filterIndex);
};

// The service in force; never null (a cancelling one stands in until one is installed).
IModalDialogs& ModalDialogs();
// Installs a service and returns the previous one (nullptr restores the cancelling default).
IModalDialogs* SetModalDialogs(IModalDialogs* dialogs);
