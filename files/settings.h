// The settings file beside the executable (".dat"): an INI file read once at start and written in
// full at the end. The values live here, one struct per section, with the file's key names as
// member names; the document owns one CKorvaneSettings and copies the drawing values to and from
// the work-area object's children and the object-defaults to and from its object list.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

// SYSTEM: view and machine preferences.
struct CSettingsSystem {
  int Reset = 0;                 // reset request: the next start deletes the settings and the archive
  CString FontName = "Arial";    // font face for new text
  int FontSize = 23;
  int MoveStep = 3;              // index into the move-step table (15 steps)
  int ZoomStep = 3;              // index into the zoom table (26 factors)
  int GridShow = 1;
  int V2004String = 0;           // filled text strings as the v2004 format draws them
  int DrawX = 42000;             // drawing page, machine units
  int DrawY = 24000;
  double ModeSpan = 0.05;        // mm
  int FixField = 0;              // fixed-field mode
  int FieldMachine = 0;          // model the field origin was set for: 0 none, 1 to 3
  int FieldOriginX = 0;          // machine units
  int FieldOriginY = 0;
  int Placesbar = 1;
  int PlacesbarHistory = 1;
  CString PlacesFolder[5];
};

// One layer's engraving values.
struct CSettingsLayer {
  int TIMES = 1;
  int POWER = 100;
  int SPEED = 8;
  int STABLE = 0;  // constant-speed flag
};

// DRAWING_DATA: mirrors the work-area object's drawing-setting child.
struct CSettingsDrawingData {
  static constexpr int kLayerCount = 8;
  double Area = 100.0;  // mm
  double GridSize = 1.0;
  double ScaleX = 1.0;
  double ScaleY = 1.0;
  int ChangeXY = 0;
  int ChangeX = 0;
  int ChangeY = 0;
  int HOME = 1;         // written as "Home"
  double HomeX = 0.0;   // mm
  double HomeY = 0.0;
  int ScanAngle = 0;
  int LayerIndex = 0;
  CSettingsLayer Layer[kLayerCount];
};

// DRAWING_AREA: mirrors the drawing-area child (its position is the offset).
struct CSettingsDrawingArea {
  double OffsetX = 0.0;  // mm
  double OffsetY = 0.0;
  double Width = 40.0;
  double Height = 40.0;
  int DPM = 40;          // dots per millimetre
  double Span = 0.025;   // mm per dot
  int OutlineIndex = 0;
  int ScanStyleIndex = 0;
  int ScanDirectionIndex = 0;
  int OutStyleIndex = 0;
  int FileIndex = 0;
  double FrameSize = 0.0;  // written, never read: 0 after reading
  double RoundSize = 0.0;
};

// DRAWING_FIELD: mirrors the drawing-field child (its position is the offset).
struct CSettingsDrawingField {
  double FieldX = 100.0;  // mm
  double FieldY = 100.0;
  double OffsetX = 0.0;
  double OffsetY = 0.0;
  int PlotIndex = 0;
};

// INKAN: the personal-seal dialog's last values.
struct CSettingsInkan {
  int Shape = 0;
  double Width = 18.0;  // mm
  double Height = 18.0;
  double Round = 0.0;
  double Frame = 0.2;
  int Dir = 3;
  CString Font;
  CString FontHist[10];
};

// INKAN2: the corporate-seal dialog's last values. The two histories' sizes are the counts
// "UchiTextCount" and "UchiImageFileCount".
struct CSettingsInkan2 {
  double Width = 18.0;  // mm
  double Height = 18.0;
  int Uchiwaku = 1;
  int Tenmaru = 1;
  double KaibunSize = 20.0;
  double SotoSize = 0.1;
  double UchiSize = 0.1;
  int UchiImage = 0;
  int SameFont = 0;
  int Dir = 3;
  CString SotoFont[10];
  CString UchiFont[10];
  std::vector<CString> UchiText;       // newest first
  std::vector<CString> UchiImageFile;  // newest first
};

// MASK: the seal mask. Use is written from the mask switch but always starts off.
struct CSettingsMask {
  int Use = 0;
  int Color = 0;
  int Order = 0;
};

// OBJECT_PROPERTY: the object list's defaults for new objects.
struct CSettingsObjectOutput {
  int OutputMode = 0;     // "Object %d_1"
  int FillDirection = 0;  // "Object %d_2"
  int ScanInterval = 25;  // "Object %d_3", micrometres
};

// The object list keeps the face in a fixed array; longer names are cut to fit.
constexpr int SETTINGS_FACE_NAME_SIZE = 100;

struct CSettingsTextFont {
  int Italic = 0;     // "Font1"
  int FontSize = 23;  // "Font2", tenths of a point
  int CharSet = 128;  // "Font3"
  int Weight = 400;   // "Font4"
  char FontName[SETTINGS_FACE_NAME_SIZE] = {};  // "FontName", code page 932

  CSettingsTextFont();
  CString GetFontName() const { return CString(FontName); }
  // Stores a face name, cut to the array without splitting a double-byte character.
  void SetFontName(const CString& face);
};

struct CSettingsObjectProperty {
  static constexpr int kKindCount = 10;  // kinds 0 (line) to 9 (barcode)
  CSettingsObjectOutput Object[kKindCount];
  CSettingsTextFont Text1;  // straight text
  CSettingsTextFont Text2;  // arc text
};

struct CKorvaneSettings {
  CSettingsSystem System;
  CSettingsDrawingData DrawingData;
  CSettingsDrawingArea DrawingArea;
  CSettingsDrawingField DrawingField;
  CSettingsInkan Inkan;
  CSettingsInkan2 Inkan2;
  CSettingsMask Mask;
  CSettingsObjectProperty ObjectProperty;

  // Machine model from the machine-id file: 0 unknown, 1 to 3 for K1 to K3. Not in the settings file.
  int MachineModel = 0;
};

// The companion files: the settings file (".dat"), the defaults archive (".arc").
std::string SettingsFilePath();
std::string DefaultsArchivePath();

// Reads the settings file when it exists; a missing key takes its default, so a value that the
// file lacks never keeps what the struct held. Without a file the struct is left as it is.
void ReadSettings(CKorvaneSettings& settings);
void ReadSettings(CKorvaneSettings& settings, const std::string& path);

// Writes every key in the file's order, keeping the lines of other keys; the file is replaced
// as a whole, so a failed write leaves the old one. False when nothing could be written.
bool WriteSettings(const CKorvaneSettings& settings);
bool WriteSettings(const CKorvaneSettings& settings, const std::string& path);

// Deletes the defaults archive and then the settings file; the result of the second delete.
bool DeleteSettingsFiles();

// At start, before anything is read: SYSTEM "Reset" = 1 in an existing settings file deletes it
// and the defaults archive.
void CheckSettingsReset();

// Length in millimetres -> the file's thousandths, so that a value read from the file is written
// back unchanged.
int ToThousandths(double mm);
