// The document's own modal dialogs (layer, output mode, font, and the save dialog whose chosen
// filter decides the file format) go through one service, like every other question through the
// prompter: the program installs one over its dialogs, tests a scripted one, and until then every
// dialog is cancelled, so nothing can block.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/prompter.h"
#include "platform/wintypes.h"

class QDialog;

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
  bool faceOnly = false;    // the face alone, among the Japanese faces (no style, no size)
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
  // The three seal dialogs; the defaults cancel.
  virtual bool SealKindDialog(struct SealKindDialogData& data);
  virtual bool PersonalSealDialog(struct PersonalSealDialogData& data);
  virtual bool CorporateSealDialog(struct CorporateSealDialogData& data);
  // The places-bar registration dialog; the default cancels.
  virtual bool PlacesBarDialog(struct PlacesBarDialogData& data);
  // The layers of an engraving job whose data uses more than one layer; the default cancels.
  // A dialog built by its caller (the origin wizards), run modally: true when accepted. The
  // default shows nothing and cancels.
  virtual bool ExecDialog(QDialog& dialog);
  virtual bool EngraveLayerDialog(struct EngraveLayerDialogData& data) {
    (void)data;
    return false;
  }
};

// The service in force; never null (a cancelling one stands in until one is installed).
IModalDialogs& ModalDialogs();
// Installs a service and returns the previous one (nullptr restores the cancelling default).
IModalDialogs* SetModalDialogs(IModalDialogs* dialogs);

// The seal-kind dialog: 0 personal seal, 1 corporate seal; -1 while no radio is chosen (taken as
// cancel).
struct SealKindDialogData {
  int kind = -1;
};

inline constexpr int SEAL_FONT_HISTORY = 10;

// The personal-seal dialog. The document fills every field but lines; on OK the dialog leaves
// the values as the operator set them, the chosen face first in fontHist, and its text split into
// lines (one string per line of the text edit, code page 932).
struct PersonalSealDialogData {
  double width = 0.0;   // mm
  double height = 0.0;
  double round = 0.0;   // corner radius, square shape only
  double frame = 0.0;   // frame width
  CString font;         // the face chosen last
  int style = 0;        // engraving style 0 to 6
  int shape = 0;        // 0 round, 1 oval, 2 square
  CString fontHist[SEAL_FONT_HISTORY];
  std::vector<CString> lines;
};

// The corporate-seal dialog. The two font lists and the two histories are the document's own
// lists, edited in place: the document takes the font lists back whatever the answer (a face
// chosen before Cancel stays chosen), the histories and the rest only on OK. ringText starts
// empty.
struct CorporateSealDialogData {
  CString sotoFont[SEAL_FONT_HISTORY];     // ring-text fonts, entry 0 the one in use
  std::vector<CString> uchiText;           // inner-text history, newest first
  CString uchiFont[SEAL_FONT_HISTORY];     // inner-text fonts
  std::vector<CString> uchiImageFile;      // inner-image files, newest first
  int style = 0;
  int tenmaru = 0;     // top dot
  int uchiwaku = 0;    // inner frame
  int uchiImage = 0;   // inner text as an image
  int sameFont = 0;    // inner text in the ring-text font
  double width = 0.0;  // mm
  double height = 0.0;
  double kaibunSize = 0.0;  // ring-text height, percent of the radius
  double sotoSize = 0.0;    // outer frame width
  double uchiSize = 0.0;    // inner frame width
  CString ringText;
};

// The places-bar registration dialog: five folders (empty = unused) and the history switch.
struct PlacesBarDialogData {
  CString folders[5];
  int useHistory = 0;
};

// The engrave-layer dialog: which layers the objects use and which are shown, in; the eight
// check boxes as the operator left them, out (a layer is engraved when used and checked).
struct EngraveLayerDialogData {
  int used[8] = {};
  int shown[8] = {};
  int checks[8] = {};
};
