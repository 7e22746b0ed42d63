#include "files/settings.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "model/drawingobject.h"
#include "model/kinds.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"
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
  // Thousandths of a millimetre in the file.
  double Length(const char* key, double def) const {
    return m_file.HasKey(m_section, key) ? Int(key, 0) / 1000.0 : def;
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
    // The file takes a value up to its first NUL byte.
    CString v(value.c_str());
    v.Replace('\r', ' ');
    v.Replace('\n', ' ');
    // Written as it will read back (blanks at either end are dropped by the reader, and only
    // what fits its buffer is kept), so a second write gives the same file.
    v = CString(CProfileFile::TrimBlanks(v.str()).c_str());
    v = CString(v.c_str(), FittingLength(v.c_str(), v.GetLength(), kValueBufferSize - 1));
    v = CString(CProfileFile::TrimBlanks(v.str()).c_str());  // the cut may end on a blank
    // The reader drops one pair of surrounding quotes: a value that has them keeps them
    // inside one more pair.
    const std::string& t = v.str();
    if (t.size() >= 2 && (t.front() == '"' || t.front() == '\'') && t.back() == t.front()) v = "\"" + v + "\"";
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

// ---------------------------------------------------------------------------------------------
// The sections, described once: each walks its keys in the file's order with their defaults
// and read limits, and the reader and the writer both go through it. Reading takes every key
// (missing: its default) and keeps the value within its limits; writing writes every key.

class CSectionIn {
 public:
  CSectionIn(const CProfileFile& file, const char* section) : m_r(file, section) {}
  void Int(const CString& key, int& v, int def) { v = m_r.Int(key, def); }
  void Int(const CString& key, int& v, int def, int lo, int hi) { v = Clamp(m_r.Int(key, def), lo, hi); }
  void Flag(const CString& key, int& v, int def) { v = m_r.Flag(key, def); }
  // Only an exact 1 switches these on.
  void StrictFlag(const CString& key, int& v, int def) { v = m_r.StrictFlag(key, def); }
  void Length(const CString& key, double& v, double def) { v = m_r.Length(key, def); }
  void Length(const CString& key, double& v, double def, double min) {
    v = m_r.Length(key, def);
    if (v < min) v = min;
  }
  void Text(const CString& key, CString& v, const char* def) { v = m_r.Text(key, def); }
  void Face(const CString& key, CSettingsTextFont& t) { t.SetFontName(m_r.Text(key, DEFAULT_FACE_NAME)); }
  // Written for the file's readers, never taken back: the value is what `read` says.
  void WrittenFlag(const CString&, int&) {}
  void WrittenFlag(const CString&, int& v, int read) { v = read; }
  void WrittenLength(const CString&, double& v, double read) { v = read; }
  void List(const CString& countKey, const char* itemKey, std::vector<CString>& list) {
    const int count = Clamp(m_r.Int(countKey, 0), 0, kSealHistoryLimit);
    list.clear();
    for (int i = 0; i < count; ++i) list.push_back(m_r.Text(Key(itemKey, i), ""));
  }

 private:
  SectionReader m_r;
};

class CSectionOut {
 public:
  CSectionOut(CProfileFile& file, const char* section) : m_w(file, section) {}
  void Int(const CString& key, int& v, int) { m_w.Int(key, v); }
  void Int(const CString& key, int& v, int, int, int) { m_w.Int(key, v); }
  void Flag(const CString& key, int& v, int) { m_w.Flag(key, v); }
  void StrictFlag(const CString& key, int& v, int) { m_w.Flag(key, v); }
  void Length(const CString& key, double& v, double) { m_w.Length(key, v); }
  void Length(const CString& key, double& v, double, double) { m_w.Length(key, v); }
  void Text(const CString& key, CString& v, const char*) { m_w.Text(key, v); }
  void Face(const CString& key, CSettingsTextFont& t) { m_w.Text(key, t.GetFontName()); }
  void WrittenFlag(const CString& key, int& v) { m_w.Flag(key, v); }
  void WrittenFlag(const CString& key, int& v, int) { m_w.Flag(key, v); }
  void WrittenLength(const CString& key, double& v, double) { m_w.Length(key, v); }
  void List(const CString& countKey, const char* itemKey, std::vector<CString>& list) {
    const int count = static_cast<int>(list.size() < static_cast<size_t>(kSealHistoryLimit) ? list.size()
                                                                                           : kSealHistoryLimit);
    m_w.Int(countKey, count);
    for (int i = 0; i < count; ++i) m_w.Text(Key(itemKey, i), list[static_cast<size_t>(i)]);
  }

 private:
  SectionWriter m_w;
};

template <class IO>
void System(IO& io, CSettingsSystem& s) {
  io.WrittenFlag("Reset", s.Reset);
  io.Text("FontName", s.FontName, "Arial");
  io.Int("FontSize", s.FontSize, 23);
  io.Int("MoveStep", s.MoveStep, 3, 0, kMoveStepCount - 1);
  io.Int("ZoomStep", s.ZoomStep, 3, 0, kZoomStepCount - 1);
  io.Flag("GridShow", s.GridShow, 1);
  io.Flag("V2004String", s.V2004String, 0);
  io.Int("DrawX", s.DrawX, 42000);
  io.Int("DrawY", s.DrawY, 24000);
  io.Length("ModeSpan", s.ModeSpan, 0.05);
  io.Flag("FixField", s.FixField, 0);
  io.Int("FieldMachine", s.FieldMachine, 0);
  io.Int("FieldOriginX", s.FieldOriginX, 0);
  io.Int("FieldOriginY", s.FieldOriginY, 0);
  io.StrictFlag("Placesbar", s.Placesbar, 1);
  io.StrictFlag("PlacesbarHistory", s.PlacesbarHistory, 1);
  for (int i = 0; i < 5; ++i) io.Text(Key("PlacesFolder%d", i), s.PlacesFolder[i], "");
}

template <class IO>
void DrawingData(IO& io, CSettingsDrawingData& d) {
  io.Length("Area", d.Area, 100.0);
  io.Length("GridSize", d.GridSize, 1.0);
  io.Length("ScaleX", d.ScaleX, 1.0);
  io.Length("ScaleY", d.ScaleY, 1.0);
  io.Flag("ChangeXY", d.ChangeXY, 0);
  io.Flag("ChangeX", d.ChangeX, 0);
  io.Flag("ChangeY", d.ChangeY, 0);
  io.Flag("Home", d.HOME, 1);  // keys match without regard to case: "HOME" in older files
  io.Length("HomeX", d.HomeX, 0.0);
  io.Length("HomeY", d.HomeY, 0.0);
  io.Int("ScanAngle", d.ScanAngle, 0);
  io.Int("LayerIndex", d.LayerIndex, 0, 0, CSettingsDrawingData::kLayerCount - 1);
  for (int i = 0; i < CSettingsDrawingData::kLayerCount; ++i) {
    CSettingsLayer& l = d.Layer[i];
    io.Int(Key("TIMES %d", i), l.TIMES, 1);
    io.Int(Key("POWER %d", i), l.POWER, 100);
    io.Int(Key("SPEED %d", i), l.SPEED, 8);
    io.Flag(Key("STABLE %d", i), l.STABLE, 0);
  }
}

template <class IO>
void DrawingArea(IO& io, CSettingsDrawingArea& a) {
  io.Length("OffsetX", a.OffsetX, 0.0);
  io.Length("OffsetY", a.OffsetY, 0.0);
  io.Length("Width", a.Width, 40.0);
  io.Length("Height", a.Height, 40.0);
  // The resolution divides and sizes bitmaps; the span steps the scan.
  io.Int("DPM", a.DPM, 40, ClampDotsPerMm(INT_MIN), ClampDotsPerMm(INT_MAX));
  io.Length("Span", a.Span, 0.025, 0.0);
  io.Int("OutlineIndex", a.OutlineIndex, 0);
  io.Int("ScanStyleIndex", a.ScanStyleIndex, 0);
  io.Int("ScanDirectionIndex", a.ScanDirectionIndex, 0);
  io.Int("OutStyleIndex", a.OutStyleIndex, 0);
  io.Int("FileIndex", a.FileIndex, 0);
  io.WrittenLength("FrameSize", a.FrameSize, 0.0);
  io.WrittenLength("RoundSize", a.RoundSize, 0.0);
}

template <class IO>
void DrawingField(IO& io, CSettingsDrawingField& f) {
  io.Length("FieldX", f.FieldX, 100.0);
  io.Length("FieldY", f.FieldY, 100.0);
  io.Length("OffsetX", f.OffsetX, 0.0);
  io.Length("OffsetY", f.OffsetY, 0.0);
  io.Int("PlotIndex", f.PlotIndex, 0);
}

template <class IO>
void Inkan(IO& io, CSettingsInkan& k) {
  io.Int("Shape", k.Shape, 0);
  io.Length("Width", k.Width, 18.0);
  io.Length("Height", k.Height, 18.0);
  io.Length("Round", k.Round, 0.0);
  io.Length("Frame", k.Frame, 0.2);
  io.Int("Dir", k.Dir, 3);
  io.Text("Font", k.Font, "");
  for (int i = 0; i < 10; ++i) io.Text(Key("FontHist_%d", i), k.FontHist[i], "");
}

template <class IO>
void Inkan2(IO& io, CSettingsInkan2& k) {
  io.Length("Width", k.Width, 18.0);
  io.Length("Height", k.Height, 18.0);
  io.Flag("Uchiwaku", k.Uchiwaku, 1);
  io.Flag("Tenmaru", k.Tenmaru, 1);
  io.Length("KaibunSize", k.KaibunSize, 20.0);
  io.Length("SotoSize", k.SotoSize, 0.1);
  io.Length("UchiSize", k.UchiSize, 0.1);
  io.Flag("UchiImage", k.UchiImage, 0);
  io.Flag("SameFont", k.SameFont, 0);
  io.Int("Dir", k.Dir, 3);
  for (int i = 0; i < 10; ++i) {
    io.Text(Key("SotoFont_%d", i), k.SotoFont[i], "");
    io.Text(Key("UchiFont_%d", i), k.UchiFont[i], "");
  }
  io.List("UchiTextCount", "UchiText_%d", k.UchiText);
  io.List("UchiImageFileCount", "UchiImageFile_%d", k.UchiImageFile);
}

template <class IO>
void Mask(IO& io, CSettingsMask& m) {
  io.WrittenFlag("Use", m.Use, 0);  // the mask never starts on, whatever was saved
  io.Int("Color", m.Color, 0);
  io.Flag("Order", m.Order, 0);
}

template <class IO>
void TextFont(IO& io, const char* prefix, CSettingsTextFont& t) {
  const CString p(prefix);
  io.Int(p + " Font1", t.Italic, 0);
  io.Int(p + " Font2", t.FontSize, 23);
  io.Int(p + " Font3", t.CharSet, 128);
  io.Int(p + " Font4", t.Weight, 400);
  io.Face(p + " FontName", t);
}

template <class IO>
void ObjectProperty(IO& io, CSettingsObjectProperty& o) {
  for (int kind = 0; kind < CSettingsObjectProperty::kKindCount; ++kind) {
    CSettingsObjectOutput& out = o.Object[kind];
    io.Int(Key("Object %d_1", kind), out.OutputMode, 0);
    io.Int(Key("Object %d_2", kind), out.FillDirection, 0);
    io.Int(Key("Object %d_3", kind), out.ScanInterval, 25);
  }
  TextFont(io, "Text1", o.Text1);
  TextFont(io, "Text2", o.Text2);
}

// Every section in the file's order.
template <class IO, class File>
void Sections(File& file, CKorvaneSettings& s) {
  { IO io(file, "SYSTEM"); System(io, s.System); }
  { IO io(file, "DRAWING_DATA"); DrawingData(io, s.DrawingData); }
  { IO io(file, "DRAWING_AREA"); DrawingArea(io, s.DrawingArea); }
  { IO io(file, "DRAWING_FIELD"); DrawingField(io, s.DrawingField); }
  { IO io(file, "INKAN"); Inkan(io, s.Inkan); }
  { IO io(file, "INKAN2"); Inkan2(io, s.Inkan2); }
  { IO io(file, "MASK"); Mask(io, s.Mask); }
  { IO io(file, "OBJECT_PROPERTY"); ObjectProperty(io, s.ObjectProperty); }
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
  Sections<CSectionIn>(static_cast<const CProfileFile&>(file), settings);
}

bool WriteSettings(const CKorvaneSettings& settings) { return WriteSettings(settings, SettingsFilePath()); }

bool WriteSettings(const CKorvaneSettings& settings, const std::string& path) {
  // A settings file made read-only is the operator's, as it stands.
  if (atomicfile::IsReadOnly(path)) return false;
  CProfileFile file;
  // A file that exists but cannot be read is left alone rather than replaced by our keys only.
  if (!file.Load(path)) return false;
  // The walk is shared with the reader, so it takes the values by reference; writing only reads
  // them.
  Sections<CSectionOut>(file, const_cast<CKorvaneSettings&>(settings));
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
