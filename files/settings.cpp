#include "files/settings.h"

#include <cmath>
#include <cstring>

#include "model/drawingobject.h"
#include "model/kinds.h"
#include "platform/archive.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/wintypes.h"

namespace {

// Sizes of the tables the stored indices point into.
constexpr int kMoveStepCount = 15;
constexpr int kZoomStepCount = 26;
// Upper bound of the corporate seal's histories read back from the file.
constexpr int kSealHistoryLimit = 1000;
// Values are read as into a 1000-byte buffer.
constexpr int kValueBufferSize = 1000;

// Length of the longest prefix of `text` that fits in `limit` bytes without splitting a
// double-byte character.
int FittingLength(const char* text, int length, int limit) {
  if (length <= limit) return length;
  int i = 0;
  while (i < length) {
    int step = (cp932::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

CString Key(const char* fmt, int n) {
  CString k;
  k.Format(fmt, n);
  return k;
}

// Reads the keys of one section with the conversions of the file.
class SectionReader {
 public:
  SectionReader(const CProfileFile& file, const char* section) : m_file(file), m_section(section) {}

  CString Text(const char* key, const char* def) const {
    CString v = m_file.GetString(m_section, key, def);
    return CString(v.c_str(), FittingLength(v.c_str(), v.GetLength(), kValueBufferSize - 1));
  }
  int Int(const char* key, int def) const {
    if (!m_file.HasKey(m_section, key)) return def;
    return numfmt::Atoi(Text(key, "").c_str());
  }
  int Flag(const char* key, int def) const { return Int(key, def) != 0 ? 1 : 0; }
  // Only an exact 1 switches these on.
  int StrictFlag(const char* key, int def) const { return Int(key, def) == 1 ? 1 : 0; }
  double Length(const char* key, double def) const {
    if (!m_file.HasKey(m_section, key)) return def;
    return numfmt::Atoi(Text(key, "").c_str()) / 1000.0;
  }

 private:
  const CProfileFile& m_file;
  const char* m_section;
};

class SectionWriter {
 public:
  SectionWriter(CProfileFile& file, const char* section) : m_file(file), m_section(section) {}

  void Text(const char* key, const CString& value) {
    // A line break inside a value would start a new line of the file and break the keys after it.
    CString v(value);
    v.Replace('\r', ' ');
    v.Replace('\n', ' ');
    // Written as it will read back (blanks at either end are dropped by the reader, and only
    // what fits its buffer is kept), so a second write gives the same file.
    v.Trim(" \t");
    v = CString(v.c_str(), FittingLength(v.c_str(), v.GetLength(), kValueBufferSize - 1));
    m_file.SetString(m_section, key, v.c_str());
  }
  void Int(const char* key, int value) {
    CString v;
    v.Format("%d", value);
    m_file.SetString(m_section, key, v.c_str());
  }
  void Flag(const char* key, int value) { Int(key, value != 0 ? 1 : 0); }
  void Length(const char* key, double mm) { Int(key, ToThousandths(mm)); }

 private:
  CProfileFile& m_file;
  const char* m_section;
};

void ReadSystem(const CProfileFile& file, CSettingsSystem& s) {
  SectionReader r(file, "SYSTEM");
  s.FontName = r.Text("FontName", "Arial");
  s.FontSize = r.Int("FontSize", 23);
  s.MoveStep = Clamp(r.Int("MoveStep", 3), 0, kMoveStepCount - 1);
  s.ZoomStep = Clamp(r.Int("ZoomStep", 3), 0, kZoomStepCount - 1);
  s.GridShow = r.Flag("GridShow", 1);
  s.V2004String = r.Flag("V2004String", 0);
  s.DrawX = r.Int("DrawX", 42000);
  s.DrawY = r.Int("DrawY", 24000);
  s.ModeSpan = r.Length("ModeSpan", 0.05);
  s.FixField = r.Flag("FixField", 0);
  s.FieldMachine = r.Int("FieldMachine", 0);
  s.FieldOriginX = r.Int("FieldOriginX", 0);
  s.FieldOriginY = r.Int("FieldOriginY", 0);
  s.Placesbar = r.StrictFlag("Placesbar", 1);
  s.PlacesbarHistory = r.StrictFlag("PlacesbarHistory", 1);
  for (int i = 0; i < 5; ++i) s.PlacesFolder[i] = r.Text(Key("PlacesFolder%d", i), "");
}

void WriteSystem(CProfileFile& file, const CSettingsSystem& s) {
  SectionWriter w(file, "SYSTEM");
  w.Flag("Reset", s.Reset);
  w.Text("FontName", s.FontName);
  w.Int("FontSize", s.FontSize);
  w.Int("MoveStep", s.MoveStep);
  w.Int("ZoomStep", s.ZoomStep);
  w.Flag("GridShow", s.GridShow);
  w.Flag("V2004String", s.V2004String);
  w.Int("DrawX", s.DrawX);
  w.Int("DrawY", s.DrawY);
  w.Length("ModeSpan", s.ModeSpan);
  w.Flag("FixField", s.FixField);
  w.Int("FieldMachine", s.FieldMachine);
  w.Int("FieldOriginX", s.FieldOriginX);
  w.Int("FieldOriginY", s.FieldOriginY);
  w.Flag("Placesbar", s.Placesbar);
  w.Flag("PlacesbarHistory", s.PlacesbarHistory);
  for (int i = 0; i < 5; ++i) w.Text(Key("PlacesFolder%d", i), s.PlacesFolder[i]);
}

void ReadDrawingData(const CProfileFile& file, CSettingsDrawingData& d) {
  SectionReader r(file, "DRAWING_DATA");
  d.Area = r.Length("Area", 100.0);
  d.GridSize = r.Length("GridSize", 1.0);
  d.ScaleX = r.Length("ScaleX", 1.0);
  d.ScaleY = r.Length("ScaleY", 1.0);
  d.ChangeXY = r.Flag("ChangeXY", 0);
  d.ChangeX = r.Flag("ChangeX", 0);
  d.ChangeY = r.Flag("ChangeY", 0);
  d.HOME = r.Flag("HOME", 1);
  d.HomeX = r.Length("HomeX", 0.0);
  d.HomeY = r.Length("HomeY", 0.0);
  d.ScanAngle = r.Int("ScanAngle", 0);
  d.LayerIndex = Clamp(r.Int("LayerIndex", 0), 0, CSettingsDrawingData::kLayerCount - 1);
  for (int i = 0; i < CSettingsDrawingData::kLayerCount; ++i) {
    CSettingsLayer& l = d.Layer[i];
    l.TIMES = r.Int(Key("TIMES %d", i), 1);
    l.POWER = r.Int(Key("POWER %d", i), 100);
    l.SPEED = r.Int(Key("SPEED %d", i), 8);
    l.STABLE = r.Flag(Key("STABLE %d", i), 0);
  }
}

void WriteDrawingData(CProfileFile& file, const CSettingsDrawingData& d) {
  SectionWriter w(file, "DRAWING_DATA");
  w.Length("Area", d.Area);
  w.Length("GridSize", d.GridSize);
  w.Length("ScaleX", d.ScaleX);
  w.Length("ScaleY", d.ScaleY);
  w.Flag("ChangeXY", d.ChangeXY);
  w.Flag("ChangeX", d.ChangeX);
  w.Flag("ChangeY", d.ChangeY);
  w.Flag("Home", d.HOME);
  w.Length("HomeX", d.HomeX);
  w.Length("HomeY", d.HomeY);
  w.Int("ScanAngle", d.ScanAngle);
  w.Int("LayerIndex", d.LayerIndex);
  for (int i = 0; i < CSettingsDrawingData::kLayerCount; ++i) {
    const CSettingsLayer& l = d.Layer[i];
    w.Int(Key("TIMES %d", i), l.TIMES);
    w.Int(Key("POWER %d", i), l.POWER);
    w.Int(Key("SPEED %d", i), l.SPEED);
    w.Flag(Key("STABLE %d", i), l.STABLE);
  }
}

void ReadDrawingArea(const CProfileFile& file, CSettingsDrawingArea& a) {
  SectionReader r(file, "DRAWING_AREA");
  a.OffsetX = r.Length("OffsetX", 0.0);
  a.OffsetY = r.Length("OffsetY", 0.0);
  a.Width = r.Length("Width", 40.0);
  a.Height = r.Length("Height", 40.0);
  // The resolution divides and sizes bitmaps; the span steps the scan.
  a.DPM = ClampDotsPerMm(r.Int("DPM", 40));
  a.Span = r.Length("Span", 0.025);
  if (a.Span < 0.0) a.Span = 0.0;
  a.OutlineIndex = r.Int("OutlineIndex", 0);
  a.ScanStyleIndex = r.Int("ScanStyleIndex", 0);
  a.ScanDirectionIndex = r.Int("ScanDirectionIndex", 0);
  a.OutStyleIndex = r.Int("OutStyleIndex", 0);
  a.FileIndex = r.Int("FileIndex", 0);
  a.FrameSize = 0.0;
  a.RoundSize = 0.0;
}

void WriteDrawingArea(CProfileFile& file, const CSettingsDrawingArea& a) {
  SectionWriter w(file, "DRAWING_AREA");
  w.Length("OffsetX", a.OffsetX);
  w.Length("OffsetY", a.OffsetY);
  w.Length("Width", a.Width);
  w.Length("Height", a.Height);
  w.Int("DPM", a.DPM);
  w.Length("Span", a.Span);
  w.Int("OutlineIndex", a.OutlineIndex);
  w.Int("ScanStyleIndex", a.ScanStyleIndex);
  w.Int("ScanDirectionIndex", a.ScanDirectionIndex);
  w.Int("OutStyleIndex", a.OutStyleIndex);
  w.Int("FileIndex", a.FileIndex);
  w.Length("FrameSize", a.FrameSize);
  w.Length("RoundSize", a.RoundSize);
}

void ReadDrawingField(const CProfileFile& file, CSettingsDrawingField& f) {
  SectionReader r(file, "DRAWING_FIELD");
  f.FieldX = r.Length("FieldX", 100.0);
  f.FieldY = r.Length("FieldY", 100.0);
  f.OffsetX = r.Length("OffsetX", 0.0);
  f.OffsetY = r.Length("OffsetY", 0.0);
  f.PlotIndex = r.Int("PlotIndex", 0);
}

void WriteDrawingField(CProfileFile& file, const CSettingsDrawingField& f) {
  SectionWriter w(file, "DRAWING_FIELD");
  w.Length("FieldX", f.FieldX);
  w.Length("FieldY", f.FieldY);
  w.Length("OffsetX", f.OffsetX);
  w.Length("OffsetY", f.OffsetY);
  w.Int("PlotIndex", f.PlotIndex);
}

void ReadInkan(const CProfileFile& file, CSettingsInkan& k) {
  SectionReader r(file, "INKAN");
  k.Shape = r.Int("Shape", 0);
  k.Width = r.Length("Width", 18.0);
  k.Height = r.Length("Height", 18.0);
  k.Round = r.Length("Round", 0.0);
  k.Frame = r.Length("Frame", 0.2);
  k.Dir = r.Int("Dir", 3);
  k.Font = r.Text("Font", "");
  for (int i = 0; i < 10; ++i) k.FontHist[i] = r.Text(Key("FontHist_%d", i), "");
}

void WriteInkan(CProfileFile& file, const CSettingsInkan& k) {
  SectionWriter w(file, "INKAN");
  w.Int("Shape", k.Shape);
  w.Length("Width", k.Width);
  w.Length("Height", k.Height);
  w.Length("Round", k.Round);
  w.Length("Frame", k.Frame);
  w.Int("Dir", k.Dir);
  w.Text("Font", k.Font);
  for (int i = 0; i < 10; ++i) w.Text(Key("FontHist_%d", i), k.FontHist[i]);
}

void ReadList(const SectionReader& r, const char* countKey, const char* itemKey,
              std::vector<CString>& list) {
  int count = Clamp(r.Int(countKey, 0), 0, kSealHistoryLimit);
  list.clear();
  for (int i = 0; i < count; ++i) list.push_back(r.Text(Key(itemKey, i), ""));
}

void WriteList(SectionWriter& w, const char* countKey, const char* itemKey,
               const std::vector<CString>& list) {
  int count = static_cast<int>(list.size() < static_cast<size_t>(kSealHistoryLimit) ? list.size()
                                                                                     : kSealHistoryLimit);
  w.Int(countKey, count);
  for (int i = 0; i < count; ++i) w.Text(Key(itemKey, i), list[static_cast<size_t>(i)]);
}

void ReadInkan2(const CProfileFile& file, CSettingsInkan2& k) {
  SectionReader r(file, "INKAN2");
  k.Width = r.Length("Width", 18.0);
  k.Height = r.Length("Height", 18.0);
  k.Uchiwaku = r.Flag("Uchiwaku", 1);
  k.Tenmaru = r.Flag("Tenmaru", 1);
  k.KaibunSize = r.Length("KaibunSize", 20.0);
  k.SotoSize = r.Length("SotoSize", 0.1);
  k.UchiSize = r.Length("UchiSize", 0.1);
  k.UchiImage = r.Flag("UchiImage", 0);
  k.SameFont = r.Flag("SameFont", 0);
  k.Dir = r.Int("Dir", 3);
  for (int i = 0; i < 10; ++i) {
    k.SotoFont[i] = r.Text(Key("SotoFont_%d", i), "");
    k.UchiFont[i] = r.Text(Key("UchiFont_%d", i), "");
  }
  ReadList(r, "UchiTextCount", "UchiText_%d", k.UchiText);
  ReadList(r, "UchiImageFileCount", "UchiImageFile_%d", k.UchiImageFile);
}

void WriteInkan2(CProfileFile& file, const CSettingsInkan2& k) {
  SectionWriter w(file, "INKAN2");
  w.Length("Width", k.Width);
  w.Length("Height", k.Height);
  w.Flag("Uchiwaku", k.Uchiwaku);
  w.Flag("Tenmaru", k.Tenmaru);
  w.Length("KaibunSize", k.KaibunSize);
  w.Length("SotoSize", k.SotoSize);
  w.Length("UchiSize", k.UchiSize);
  w.Flag("UchiImage", k.UchiImage);
  w.Flag("SameFont", k.SameFont);
  w.Int("Dir", k.Dir);
  for (int i = 0; i < 10; ++i) {
    w.Text(Key("SotoFont_%d", i), k.SotoFont[i]);
    w.Text(Key("UchiFont_%d", i), k.UchiFont[i]);
  }
  WriteList(w, "UchiTextCount", "UchiText_%d", k.UchiText);
  WriteList(w, "UchiImageFileCount", "UchiImageFile_%d", k.UchiImageFile);
}

void ReadMask(const CProfileFile& file, CSettingsMask& m) {
  SectionReader r(file, "MASK");
  m.Use = 0;  // the mask never starts on, whatever was saved
  m.Color = r.Int("Color", 0);
  m.Order = r.Flag("Order", 0);
}

void WriteMask(CProfileFile& file, const CSettingsMask& m) {
  SectionWriter w(file, "MASK");
  w.Flag("Use", m.Use);
  w.Int("Color", m.Color);
  w.Flag("Order", m.Order);
}

void ReadTextFont(const SectionReader& r, const char* prefix, CSettingsTextFont& t) {
  CString p(prefix);
  t.Italic = r.Int(p + " Font1", 0);
  t.FontSize = r.Int(p + " Font2", 23);
  t.CharSet = r.Int(p + " Font3", 128);
  t.Weight = r.Int(p + " Font4", 400);
  t.SetFontName(r.Text(p + " FontName", DEFAULT_FACE_NAME));
}

void WriteTextFont(SectionWriter& w, const char* prefix, const CSettingsTextFont& t) {
  CString p(prefix);
  w.Int(p + " Font1", t.Italic);
  w.Int(p + " Font2", t.FontSize);
  w.Int(p + " Font3", t.CharSet);
  w.Int(p + " Font4", t.Weight);
  w.Text(p + " FontName", t.GetFontName());
}

void ReadObjectProperty(const CProfileFile& file, CSettingsObjectProperty& o) {
  SectionReader r(file, "OBJECT_PROPERTY");
  for (int kind = 0; kind < CSettingsObjectProperty::kKindCount; ++kind) {
    CSettingsObjectOutput& out = o.Object[kind];
    out.OutputMode = r.Int(Key("Object %d_1", kind), 0);
    out.FillDirection = r.Int(Key("Object %d_2", kind), 0);
    out.ScanInterval = r.Int(Key("Object %d_3", kind), 25);
  }
  ReadTextFont(r, "Text1", o.Text1);
  ReadTextFont(r, "Text2", o.Text2);
}

void WriteObjectProperty(CProfileFile& file, const CSettingsObjectProperty& o) {
  SectionWriter w(file, "OBJECT_PROPERTY");
  for (int kind = 0; kind < CSettingsObjectProperty::kKindCount; ++kind) {
    const CSettingsObjectOutput& out = o.Object[kind];
    w.Int(Key("Object %d_1", kind), out.OutputMode);
    w.Int(Key("Object %d_2", kind), out.FillDirection);
    w.Int(Key("Object %d_3", kind), out.ScanInterval);
  }
  WriteTextFont(w, "Text1", o.Text1);
  WriteTextFont(w, "Text2", o.Text2);
}

}  // namespace

CSettingsTextFont::CSettingsTextFont() { SetFontName(DEFAULT_FACE_NAME); }

void CSettingsTextFont::SetFontName(const CString& face) {
  int n = FittingLength(face.c_str(), face.GetLength(), SETTINGS_FACE_NAME_SIZE - 1);
  std::memcpy(FontName, face.c_str(), static_cast<size_t>(n));
  std::memset(FontName + n, 0, static_cast<size_t>(SETTINGS_FACE_NAME_SIZE - n));
}

std::string SettingsFilePath() { return paths::CompanionFile(".dat"); }
std::string DefaultsArchivePath() { return paths::CompanionFile(".arc"); }

int ToThousandths(double mm) {
  // v x 1000 of a value read as n / 1000 can land a hair below n (1.001 -> 1000.9999...); a
  // nudge far below one thousandth brings it back without rounding real fractions up.
  double t = mm * 1000.0;
  double nudge = 1e-6 + std::fabs(t) * 1e-12;
  return DoubleToInt(t >= 0.0 ? t + nudge : t - nudge);
}

void ReadSettings(CKorvaneSettings& settings) { ReadSettings(settings, SettingsFilePath()); }

void ReadSettings(CKorvaneSettings& settings, const std::string& path) {
  if (!fileio::Exists(path)) return;
  CProfileFile file;
  if (!file.Load(path)) return;
  ReadSystem(file, settings.System);
  ReadDrawingData(file, settings.DrawingData);
  ReadDrawingArea(file, settings.DrawingArea);
  ReadDrawingField(file, settings.DrawingField);
  ReadInkan(file, settings.Inkan);
  ReadInkan2(file, settings.Inkan2);
  ReadMask(file, settings.Mask);
  ReadObjectProperty(file, settings.ObjectProperty);
}

bool WriteSettings(const CKorvaneSettings& settings) { return WriteSettings(settings, SettingsFilePath()); }

bool WriteSettings(const CKorvaneSettings& settings, const std::string& path) {
  CProfileFile file;
  // A file that exists but cannot be read is left alone rather than replaced by our keys only.
  if (!file.Load(path)) return false;
  WriteSystem(file, settings.System);
  WriteDrawingData(file, settings.DrawingData);
  WriteDrawingArea(file, settings.DrawingArea);
  WriteDrawingField(file, settings.DrawingField);
  WriteInkan(file, settings.Inkan);
  WriteInkan2(file, settings.Inkan2);
  WriteMask(file, settings.Mask);
  WriteObjectProperty(file, settings.ObjectProperty);
  return file.Save(path);
}

bool DeleteSettingsFiles() {
  fileio::Remove(DefaultsArchivePath());
  return fileio::Remove(SettingsFilePath());
}

void CheckSettingsReset() {
  std::string path = SettingsFilePath();
  if (!fileio::Exists(path)) return;
  CProfileFile file;
  if (!file.Load(path)) return;
  SectionReader r(file, "SYSTEM");
  if (r.Int("Reset", 0) == 1) DeleteSettingsFiles();
}
