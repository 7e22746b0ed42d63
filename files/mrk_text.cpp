#include "files/mrk_text.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "files/project_write.h"
#include "model/object_ranges.h"
#include "model/textutil.h"
#include "platform/archive.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"

namespace {

// The pieces of s between separators; the piece after the last separator always counts, even
// when empty.
std::vector<std::string> SplitAt(const std::string& s, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = s.find(separator, start);
    if (at == std::string::npos) {
      parts.push_back(s.substr(start));
      break;
    }
    parts.push_back(s.substr(start, at - start));
    start = at + separator.size();
  }
  return parts;
}

// ---------------------------------------------------------------------------------------------
// Writing

std::string FormatDouble(double v) { return numfmt::Format("%7.3f", v); }

// Collects the fields of one header line; every field is followed by a comma until End drops
// the last one.
class CLineBuilder {
 public:
  explicit CLineBuilder(const char* code) : m_s(code) {}
  void D(double v) {
    m_s += FormatDouble(v);
    m_s += ',';
  }
  void I(int v) {
    m_s += numfmt::Format("%d", v);
    m_s += ',';
  }
  void Flag(int v) { I(v != 0 ? 1 : 0); }
  void Raw(const std::string& text) { m_s += text; }
  void Lit(const char* text) { m_s += text; }
  std::string End() {
    if (!m_s.empty() && m_s.back() == ',') m_s.pop_back();
    return m_s;
  }
  std::string& Str() { return m_s; }

 private:
  std::string m_s;
};

// Bytes that would end a field, a tab part or the line become blanks, so that the records after
// a text still read back. None of them can be the trail byte of a double-byte character.
std::string Sanitize(const std::string& text, bool keepComma) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '\0' || (c == ',' && !keepComma)) c = ' ';
  }
  return out;
}

// The seven values of a character record. A value that prints without a leading blank would
// make the line look like a header line, so the line then starts with one blank more.
std::string FormatCharValues(const CTextCharRecord& r, bool lastWithoutComma) {
  const double v[7] = {r.dSizeX, r.dSizeY, r.dOffsetX, r.dOffsetY, r.dAngle, r.dFontWidthX, r.dFontWidthY};
  std::string s;
  for (int i = 0; i < 7; ++i) {
    s += FormatDouble(v[i]);
    if (i < 6 || !lastWithoutComma) s += ',';
  }
  return s;
}

// Width in bytes of the character at p.
int CharWidth(const std::string& s, size_t p) {
  if (cp932::IsLeadByte(static_cast<unsigned char>(s[p])) && p + 1 < s.size()) return 2;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Reading

class CFields {
 public:
  // The reader adds a comma at the end of the line: the last field always counts.
  explicit CFields(const CString& header) : m_f(SplitAt(header.str(), ",")) {}
  // Fields after the kind code.
  int Count() const { return static_cast<int>(m_f.size()) - 1; }
  bool Has(int i) const { return i >= 1 && i <= Count(); }
  const std::string& Text(int i) const { return m_f[i]; }
  double D(int i) const { return numfmt::Atof(m_f[i]); }
  int I(int i) const { return numfmt::Atoi(m_f[i]); }

  void Get(int i, double& out) const {
    if (Has(i)) out = D(i);
  }
  void Get(int i, int& out) const {
    if (Has(i)) out = I(i);
  }
  void GetFlag(int i, int& out) const {
    if (Has(i)) out = I(i) == 1 ? 1 : 0;
  }
  // A layer field; out-of-range values are clamped, and the colour follows the layer.
  void GetLayer(int i, CDrawObject& o) const {
    if (!Has(i)) return;
    int layer = I(i);
    if (layer < 0) layer = 0;
    if (layer >= LAYER_COUNT) layer = LAYER_COUNT - 1;
    o.m_nLayer = layer;
    o.m_crColor = LAYER_COLORS[layer];
  }

 private:
  std::vector<std::string> m_f;
};

// Seven values from a list of texts starting at `first`; missing values read 0.
CTextCharRecord RecordFromValues(const std::vector<std::string>& values, size_t first) {
  double v[7] = {};
  for (size_t i = 0; i < 7; ++i) {
    if (first + i < values.size()) v[i] = numfmt::Atof(values[first + i]);
  }
  CTextCharRecord r;
  r.dSizeX = v[0];
  r.dSizeY = v[1];
  r.dOffsetX = v[2];
  r.dOffsetY = v[3];
  r.dAngle = v[4];
  r.dFontWidthX = v[5];
  r.dFontWidthY = v[6];
  return r;
}

// ---------------------------------------------------------------------------------------------
// The record layouts, described once: Fields(io, object) walks a header line's fields in order
// (field 1 first) and both directions go through it. The writer prints each field; the reader
// takes the field at the same place, passes over literals and repeated values, and keeps
// counts, layers and the resolution to what the design accepts.

class CFieldsIn {
 public:
  explicit CFieldsIn(const CFields& f) : m_f(f) {}
  void D(double& v) { m_f.Get(m_n++, v); }
  void I(int& v) { m_f.Get(m_n++, v); }
  void Flag(int& v) { m_f.GetFlag(m_n++, v); }
  void Layer(CDrawObject& o) { m_f.GetLayer(m_n++, o); }
  // A literal, or a value written again that another field carries.
  void Lit(const char*) { ++m_n; }
  void Again(double) { ++m_n; }
  void Rows(int& v) { Kept(v, ClampGridCount); }
  void Columns(int kind, int& v) {
    Kept(v, [kind](int n) { return ClampGridColumns(kind, n); });
  }
  void Edges(int& v) { Kept(v, ClampPolygonEdges); }
  void Dpm(int& v) { Kept(v, ClampDotsPerMm); }
  void CurrentLayer(int& v) {
    if (m_f.Has(m_n)) {
      const int layer = m_f.I(m_n);
      v = layer < 0 ? 0 : (layer >= LAYER_COUNT ? LAYER_COUNT - 1 : layer);
    }
    ++m_n;
  }
  // Read as a double, its integer part kept.
  void Whole(int& v) {
    if (m_f.Has(m_n)) v = DoubleToInt(m_f.D(m_n));
    ++m_n;
  }

 private:
  // A number read, then kept to what the design accepts.
  template <class Clamp>
  void Kept(int& v, Clamp clamp) {
    I(v);
    v = clamp(v);
  }

  const CFields& m_f;
  int m_n = 1;
};

class CFieldsOut {
 public:
  explicit CFieldsOut(CLineBuilder& b) : m_b(b) {}
  void D(double& v) { m_b.D(v); }
  void I(int& v) { m_b.I(v); }
  void Flag(int& v) { m_b.Flag(v); }
  void Layer(CDrawObject& o) { m_b.I(o.m_nLayer); }
  void Lit(const char* text) {
    m_b.Lit(text);
    m_b.Lit(",");
  }
  void Again(double v) { m_b.D(v); }
  void Rows(int& v) { I(v); }
  void Columns(int, int& v) { I(v); }
  void Edges(int& v) { I(v); }
  void Dpm(int& v) { I(v); }
  void CurrentLayer(int& v) { I(v); }
  void Whole(int& v) { I(v); }

 private:
  CLineBuilder& m_b;
};

// Counts the fields of a record layout.
class CFieldsCount {
 public:
  void D(double&) { ++n; }
  void I(int&) { ++n; }
  void Flag(int&) { ++n; }
  void Layer(CDrawObject&) { ++n; }
  void Lit(const char*) { ++n; }
  void Again(double) { ++n; }
  void Rows(int&) { ++n; }
  void Columns(int, int&) { ++n; }
  void Edges(int&) { ++n; }
  void Dpm(int&) { ++n; }
  void CurrentLayer(int&) { ++n; }
  void Whole(int&) { ++n; }
  int n = 0;
};

// Fields 1 to 6 of every object record.
template <class IO, class Kind>
void GridAndPosition(IO& io, Kind& o) {
  io.Rows(o.m_nRows);
  io.Columns(o.m_nType, o.m_nColumns);
  io.D(o.m_dRowGap);
  io.D(o.m_dColumnGap);
  io.D(o.m_dPosX);
  io.D(o.m_dPosY);
}

// Fields 10 to 13.
template <class IO>
void OutputRun(IO& io, CDrawObject& o) {
  io.Layer(o);
  io.I(o.m_nOutputMode);
  io.D(o.m_dScanInterval);
  io.I(o.m_nFillDirection);
}

// Fields 10 to 16.
template <class IO>
void CommonRun(IO& io, CDrawObject& o, int& keepAspect) {
  OutputRun(io, o);
  io.Flag(keepAspect);
  io.Flag(o.m_bMirrorX);
  io.Flag(o.m_bMirrorY);
}

// Fields 10 to 16 of the kinds without a keep-aspect check: a literal in its place.
template <class IO>
void CommonRunWithoutAspect(IO& io, CDrawObject& o) {
  OutputRun(io, o);
  io.Lit("0");
  io.Flag(o.m_bMirrorX);
  io.Flag(o.m_bMirrorY);
}

template <class IO>
void Fields(IO& io, CLineObject& o) {
  GridAndPosition(io, o);
  io.D(o.m_dWidth);
  io.D(o.m_dHeight);
  io.D(o.m_dAngle);
  CommonRun(io, o, o.m_bKeepAspect);
  io.Lit(" 0.000");
  io.Lit(" 0.000");
}

// The rectangle, the circle, the rhombus and the triangle: a size, a literal, the common run,
// the size again and the edge size.
template <class IO, class Kind>
void SizedShape(IO& io, Kind& o, double& sizeX, double& sizeY) {
  GridAndPosition(io, o);
  io.D(sizeX);
  io.D(sizeY);
  io.Lit(" 0.000");
  CommonRun(io, o, o.m_bKeepAspect);
  io.Again(sizeX);
  io.Again(sizeY);
  io.D(o.m_dEdgeSize);
}

template <class IO>
void Fields(IO& io, CRectangleObject& o) {
  SizedShape(io, o, o.m_dWidth, o.m_dHeight);
  io.I(o.m_nEdgeStyle);
  io.D(o.m_dEdgeRadius);
}

template <class IO>
void Fields(IO& io, CCircleObject& o) {
  SizedShape(io, o, o.m_dSizeX, o.m_dSizeY);
}

template <class IO>
void Fields(IO& io, CRhombicObject& o) {
  SizedShape(io, o, o.m_dWidth, o.m_dHeight);
}

template <class IO>
void Fields(IO& io, CTriangleObject& o) {
  SizedShape(io, o, o.m_dWidth, o.m_dHeight);
  io.I(o.m_nDirection);
}

template <class IO>
void Fields(IO& io, CPolygonObject& o) {
  GridAndPosition(io, o);
  io.D(o.m_dSize);
  io.Again(o.m_dSize);
  io.Lit(" 0.000");
  CommonRunWithoutAspect(io, o);
  io.Again(o.m_dSize);
  io.D(o.m_dEdgeSize);
  io.Edges(o.m_nEdges);
}

// Fields 1 to 17; the path follows.
template <class IO>
void Fields(IO& io, CBmpObject& o) {
  GridAndPosition(io, o);
  io.D(o.m_dWidth);
  io.D(o.m_dHeight);
  io.Lit(" 0.000");
  CommonRun(io, o, o.m_bKeepAspect);
  io.Flag(o.m_bInvert);
}

// The last fields of both text kinds: the font's weight, italic flag and character set.
template <class IO, class Kind>
void FontRun(IO& io, Kind& o) {
  io.I(o.m_nWeight);
  io.Flag(o.m_bItalic);
  io.I(o.m_nCharSet);
}

// Fields 1 to 26; the tab group, the line lengths and the continuation lines follow.
template <class IO>
void Fields(IO& io, CText1Object& o) {
  GridAndPosition(io, o);
  io.D(o.m_dWidth);
  io.D(o.m_dHeight);
  io.D(o.m_dAngle);
  CommonRunWithoutAspect(io, o);
  io.D(o.m_dCharGap);
  io.D(o.m_dCharWidth);
  io.D(o.m_dCharHeight);
  io.D(o.m_dLineWidthX);
  io.D(o.m_dLineWidthY);
  io.I(o.m_nWriteDirection);
  io.I(o.m_nAlign);
  FontRun(io, o);
}

// Fields 1 to 27; the tab group and the character values follow.
template <class IO>
void Fields(IO& io, CText2Object& o) {
  GridAndPosition(io, o);
  io.Again(o.m_dRadiusX * 2);
  io.Again(o.m_dRadiusY * 2);
  io.D(o.m_dAngle);
  CommonRun(io, o, o.m_bKeepAspect);
  io.D(o.m_dCharWidth);
  io.D(o.m_dCharHeight);
  io.I(o.m_nDirection);
  io.D(o.m_dRadiusX);
  io.D(o.m_dRadiusY);
  io.D(o.m_dSpan);
  io.D(o.m_dLineWidthX);
  io.D(o.m_dLineWidthY);
  FontRun(io, o);
}

// The work area and its three children, fields 1 to 59.
template <class IO>
void Fields(IO& io, CDrawingObject& o) {
  CDrawingSettingObject& s = *o.m_pSetting;
  io.D(s.m_dEditArea);
  io.D(s.m_dGridSize);
  io.D(s.m_dScaleX);
  io.D(s.m_dScaleY);
  io.Flag(s.m_bSwapXY);
  io.Flag(s.m_bReverseX);
  io.Flag(s.m_bReverseY);
  io.Flag(s.m_bHomeAfter);
  io.D(s.m_dHomeX);
  io.D(s.m_dHomeY);
  io.CurrentLayer(s.m_nCurrentLayer);
  for (CLayerRecord& layer : s.m_Layers) {
    io.Whole(layer.nCount);
    io.Whole(layer.nPower);
    io.Whole(layer.nSpeed);
    io.Flag(layer.bConstant);
  }
  CDrawingAreaObject& a = *o.m_pArea;
  io.D(a.m_dPosX);
  io.D(a.m_dPosY);
  io.D(a.m_dWidth);
  io.D(a.m_dHeight);
  io.Dpm(a.m_nResolution);
  io.D(a.m_dScanSpan);
  io.I(a.m_nOutlineStyle);
  io.I(a.m_nScanStyle);
  io.I(a.m_nScanDirection);
  io.I(a.m_nOutputStyle);
  io.I(a.m_nConversionStyle);
  CDrawingFieldObject& d = *o.m_pField;
  io.D(d.m_dFieldX);
  io.D(d.m_dFieldY);
  io.D(d.m_dPosX);
  io.D(d.m_dPosY);
  io.I(d.m_nPlotterPosition);
}

// The fields of the kinds that have a record; false for the others.
template <class IO>
bool KindFields(IO& io, CDrawObject& object) {
  switch (object.m_nType) {
    case TYPE_LINE: Fields(io, static_cast<CLineObject&>(object)); return true;
    case TYPE_RECTANGLE: Fields(io, static_cast<CRectangleObject&>(object)); return true;
    case TYPE_CIRCLE: Fields(io, static_cast<CCircleObject&>(object)); return true;
    case TYPE_TRIANGLE: Fields(io, static_cast<CTriangleObject&>(object)); return true;
    case TYPE_RHOMBIC: Fields(io, static_cast<CRhombicObject&>(object)); return true;
    case TYPE_POLYGON: Fields(io, static_cast<CPolygonObject&>(object)); return true;
    case TYPE_TEXT1: Fields(io, static_cast<CText1Object&>(object)); return true;
    case TYPE_TEXT2: Fields(io, static_cast<CText2Object&>(object)); return true;
    case TYPE_BMP: Fields(io, static_cast<CBmpObject&>(object)); return true;
    case TYPE_DRAWING: {
      auto& o = static_cast<CDrawingObject&>(object);
      if (!o.m_pSetting || !o.m_pArea || !o.m_pField) return false;
      Fields(io, o);
      return true;
    }
    default: return false;
  }
}

// The kind code that starts a kind's header line.
const char* CodeOfKind(int kind) {
  switch (kind) {
    case TYPE_LINE: return "1,";
    case TYPE_RECTANGLE: return "2,";
    case TYPE_CIRCLE: return "3,";
    case TYPE_TRIANGLE: return "8,";
    case TYPE_RHOMBIC: return "9,";
    case TYPE_POLYGON: return "10,";
    case TYPE_TEXT1: return "4,";
    case TYPE_TEXT2: return "6,";
    case TYPE_BMP: return "7,";
    case TYPE_DRAWING: return "D,";
    default: return "";
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Loading and record access

int CMrkTextFile::Load(const CString& path) {
  if (m_nMode != modeRead) return 0;
  std::vector<BYTE> bytes;
  const std::string fsPath = fileio::ToFsPath(path);
  if (!fileio::Exists(fsPath)) return 0;
  // Refused before it is read: a file this large is no project of ours.
  std::error_code ec;
  const auto size = std::filesystem::file_size(fsPath, ec);
  if (ec || size > kMaxFileSize) return 0;
  if (!fileio::ReadAll(fsPath, bytes)) return 0;
  return LoadBytes(bytes);
}

int CMrkTextFile::LoadBytes(const std::vector<BYTE>& bytes) {
  m_Lines.clear();
  m_Records.clear();
  m_nRecordCount = 0;
  if (m_nMode != modeRead || bytes.size() > kMaxFileSize) return 0;

  // Lines end at CR LF, at a CR alone and at a LF alone (as editors on this system write
  // them); the writer never leaves either inside a line. The reader acts as if the file ended
  // with a line end.
  const char* p = reinterpret_cast<const char*>(bytes.data());
  const size_t n = bytes.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (p[i] != '\r' && p[i] != '\n') continue;
    m_Lines.emplace_back(std::string(p + start, i - start));
    if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
    start = i + 1;
  }
  m_Lines.emplace_back(std::string(p + start, n - start));

  bool drawing = false;
  for (int i = 0; i < static_cast<int>(m_Lines.size()); ++i) {
    const CString& line = m_Lines[i];
    if (line.IsEmpty()) continue;
    if (line[0] != ' ') {
      Record r;
      r.nHeader = i;
      m_Records.push_back(std::move(r));
      if (line[0] == 'D') drawing = true;
    } else if (!m_Records.empty()) {
      m_Records.back().continuation.push_back(i);
    }
  }
  m_nRecordCount = static_cast<int>(m_Records.size());
  return drawing ? 2 : 1;
}

int CMrkTextFile::KindOfCode(const CString& line) {
  switch (line[0]) {
    case '1':
      if (line[1] == '0') return TYPE_POLYGON;
      if (line[1] == ',') return TYPE_LINE;
      return TYPE_RECTANGLE;
    case '2': return TYPE_RECTANGLE;
    case '3': return TYPE_CIRCLE;
    case '4': return TYPE_TEXT1;
    case '6': return TYPE_TEXT2;
    case '7': return TYPE_BMP;
    case '8': return TYPE_TRIANGLE;
    case '9': return TYPE_RHOMBIC;
    case 'D': return TYPE_DRAWING;
    default: return TYPE_UNKNOWN;
  }
}

int CMrkTextFile::GetObjectKind(int n) const {
  if (n < 0 || n >= GetRecordCount()) return TYPE_UNKNOWN;
  return KindOfCode(m_Lines[m_Records[n].nHeader]);
}

CString CMrkTextFile::GetHeaderLine(int n) const {
  if (n < 0 || n >= GetRecordCount()) return CString();
  return m_Lines[m_Records[n].nHeader];
}

CString CMrkTextFile::GetCharLine(int n, int k) const {
  if (GetObjectKind(n) != TYPE_TEXT1) return CString();
  const Record& r = m_Records[n];
  if (k < 0 || k >= static_cast<int>(r.continuation.size())) return CString();
  return m_Lines[r.continuation[k]];
}

// ---------------------------------------------------------------------------------------------
// Parsing one record

void CMrkTextFile::ParseObject(int n, CDrawObject* object) const {
  if (!object || n < 0 || n >= GetRecordCount()) return;
  const Record& record = m_Records[n];
  const CFields f(m_Lines[record.nHeader]);
  CFieldsIn in(f);
  if (!KindFields(in, *object)) return;

  switch (object->m_nType) {
    case TYPE_BMP: {
      auto& o = static_cast<CBmpObject&>(*object);
      if (f.Has(18)) o.m_strPath = CString(f.Text(18));
      break;
    }
    case TYPE_TEXT1: {
      auto& o = static_cast<CText1Object&>(*object);
      if (!f.Has(27)) break;

      const std::vector<std::string> parts = SplitAt(f.Text(27), "\t");
      o.SetFaceName(parts[0].c_str());
      const std::string joined = parts.size() > 1 ? parts[1] : std::string();
      if (parts.size() > 2) o.m_dLineGap = numfmt::Atof(parts[2]);
      if (parts.size() > 3) o.m_bWidthDirection = numfmt::Atoi(parts[3]) == 1 ? 1 : 0;
      if (parts.size() > 4 && parts[4] == "*") {
        o.m_bCountUp = 1;
        if (parts.size() > 5) o.m_nCountStart = numfmt::Atoi(parts[5]);
        if (parts.size() > 6) o.m_nCount = numfmt::Atoi(parts[6]);
        if (parts.size() > 7) o.m_nCountDigits = numfmt::Atoi(parts[7]);
      } else {
        o.m_bCountUp = 0;
      }

      // The line count cannot exceed the fields that follow it.
      int lineCount = f.Has(28) ? f.I(28) : 1;
      const int available = f.Count() - 28;
      if (lineCount > available) lineCount = available;
      if (lineCount < 1) lineCount = 1;
      std::string text;
      size_t pos = 0;
      for (int i = 0; i + 1 < lineCount; ++i) {
        long long length = f.I(29 + i);
        const size_t left = joined.size() - pos;
        if (length < 0) length = 0;
        if (static_cast<unsigned long long>(length) > left) length = static_cast<long long>(left);
        text.append(joined, pos, static_cast<size_t>(length));
        text += "\r\n";
        pos += static_cast<size_t>(length);
      }
      text.append(joined, pos, std::string::npos);
      o.m_strText = CString(std::move(text));

      // One record per character; a CR LF pair gets two zero records and no continuation line,
      // every other character the next continuation line of the record.
      const std::string& t = o.m_strText.str();
      o.m_vCharRecords.clear();
      size_t next = 0;
      for (size_t p = 0; p < t.size();) {
        if (t[p] == '\r' && p + 1 < t.size() && t[p + 1] == '\n') {
          o.m_vCharRecords.emplace_back();
          o.m_vCharRecords.emplace_back();
          p += 2;
          continue;
        }
        if (next < record.continuation.size()) {
          const std::vector<std::string> values = SplitAt(m_Lines[record.continuation[next]].str(), ",");
          o.m_vCharRecords.push_back(RecordFromValues(values, 0));
          ++next;
        } else {
          o.m_vCharRecords.emplace_back();
        }
        p += CharWidth(t, p);
      }
      break;
    }
    case TYPE_TEXT2: {
      auto& o = static_cast<CText2Object&>(*object);
      if (!f.Has(28)) break;

      const std::vector<std::string> parts = SplitAt(f.Text(28), "\t");
      o.SetFaceName(parts[0].c_str());
      o.m_strText = CString(parts.size() > 1 ? parts[1] : std::string());
      if (parts.size() > 2) o.m_bWidthDirection = numfmt::Atoi(parts[2]) == 1 ? 1 : 0;
      // The character values start right after the last TAB and go on in the fields after it.
      std::vector<std::string> values;
      if (parts.size() > 3) values.push_back(parts[3]);
      for (int i = 29; i <= f.Count(); ++i) values.push_back(f.Text(i));
      o.m_vCharRecords.clear();
      const std::string& t = o.m_strText.str();
      size_t first = 0;
      for (size_t p = 0; p < t.size(); p += CharWidth(t, p)) {
        o.m_vCharRecords.push_back(RecordFromValues(values, first));
        first += 7;
      }
      break;
    }
    default:
      break;
  }
}

bool CMrkTextFile::IsCutShort(int n, const CDrawObject& object) const {
  const Record& record = m_Records[n];
  const CFields f(m_Lines[record.nHeader]);
  CFieldsCount count;
  if (!KindFields(count, const_cast<CDrawObject&>(object))) return false;
  switch (object.m_nType) {
    case TYPE_BMP: return !f.Has(count.n + 1);  // the path
    case TYPE_TEXT1: {
      if (!f.Has(28)) return true;
      const long long lines = std::max(1, f.I(28));
      if (f.Count() < 29 + lines) return true;
      // One character line per character other than the line breaks, seven values each.
      const std::string& t = static_cast<const CText1Object&>(object).m_strText.str();
      size_t characters = 0;
      for (size_t p = 0; p < t.size(); ++characters) {
        const bool lineBreak = t[p] == '\r' && p + 1 < t.size() && t[p + 1] == '\n';
        if (lineBreak) --characters;
        p += lineBreak ? 2 : CharWidth(t, p);
      }
      if (record.continuation.size() < characters) return true;
      for (const int line : record.continuation) {
        if (SplitAt(m_Lines[line].str(), ",").size() < 7) return true;
      }
      return false;
    }
    case TYPE_TEXT2: {
      if (!f.Has(28) || SplitAt(f.Text(28), "\t").size() < 4) return true;
      const size_t values = 1 + static_cast<size_t>(f.Count() - 28);
      return values < 7 * static_cast<const CText2Object&>(object).m_vCharRecords.size();
    }
    default: return f.Count() < count.n;
  }
}

int CMrkTextFile::ParseDesign(CObjectList& list, BOOL withDrawing, CMrkDesign& design, int* skipped) const {
  design.m_Records.clear();
  design.m_Lost.clear();
  if (skipped) *skipped = 0;
  int lastKind = TYPE_UNKNOWN;
  int bitmaps = 0;
  for (int n = 0; n < GetRecordCount(); ++n) {
    const size_t taken = design.m_Records.size();
    int kind = GetObjectKind(n);
    CMrkLostRecord lost;
    lost.kind = kind;
    lost.line = m_Records[n].nHeader + 1;
    if (kind == TYPE_DRAWING) {
      if (withDrawing) {
        const CDrawingObject* current = list.GetDrawingObject();
        if (current) {
          std::unique_ptr<CDrawingObject> drawing = MrkCloneDrawing(*current);
          ParseObject(n, drawing.get());
          if (IsCutShort(n, *drawing)) {
            kind = TYPE_UNKNOWN;
          } else {
            design.m_Records.push_back(std::move(drawing));
          }
        }
      }
    } else if (kind == TYPE_BMP) {
      std::unique_ptr<CBmpObject> bmp = MrkNewBmpObject(list);
      ParseObject(n, bmp.get());
      const double width = bmp->m_dWidth;
      const double height = bmp->m_dHeight;
      const bool cut = IsCutShort(n, *bmp);
      BOOL loaded = cut ? FALSE : bmp->Reload();
      if (!loaded && !cut && bmp->m_strPath.IsEmpty()) {
        // No path to follow: the operator names the file, as for any object that lost its image.
        CString name;
        name.Format("bmp%d", list.m_nCounters[TYPE_BMP] + bitmaps + 1);
        FileDialogRequest request;
        request.save = false;
        request.defaultExt = "bmp";
        request.filter = CString::FromUtf8("ビットマップ (*.bmp)|*.bmp|");
        request.initialPath = name + CString::FromUtf8(" のファイルを指定してください");
        std::vector<CString> paths;
        if (Prompter().FileDialog(request, paths) && !paths.empty()) {
          bmp->m_strPath = paths.front();
          loaded = bmp->Reload();
        }
      }
      if (loaded) {
        // The record's size is the object's; the image only brings its pixels.
        bmp->m_dWidth = width;
        bmp->m_dHeight = height;
        bmp->m_bDeleted = 0;
        design.m_Records.push_back(std::move(bmp));
        ++bitmaps;
      } else {
        lost.imagePath = bmp->m_strPath;
        kind = TYPE_UNKNOWN;
      }
    } else if (kind != TYPE_UNKNOWN) {
      std::unique_ptr<CDrawObject> object = MrkNewObjectOfKind(list, kind);
      if (object) {
        ParseObject(n, object.get());
        if (IsCutShort(n, *object)) {
          kind = TYPE_UNKNOWN;
        } else {
          design.m_Records.push_back(std::move(object));
        }
      } else {
        kind = TYPE_UNKNOWN;
      }
    }
    // A value no field or screen can hold would stall the paint: named, not taken.
    if (design.m_Records.size() > taken && !ObjectInRange(*design.m_Records.back(), &lost.reason)) {
      design.m_Records.pop_back();
      kind = TYPE_UNKNOWN;
    }
    if (kind == TYPE_UNKNOWN) {
      if (skipped) ++*skipped;
      lost.before = design.m_Records.size();
      design.m_Lost.push_back(std::move(lost));
    } else {
      lastKind = kind;
    }
  }
  return lastKind;
}

// ---------------------------------------------------------------------------------------------
// Formatting and saving

int CMrkTextFile::FormatObject(const CDrawObject* object) {
  if (!object) {
    m_Lines.clear();
    m_Records.clear();
    m_nRecordCount = 0;
    return 0;
  }
  if (object->m_bDeleted) return -1;
  const char* code = CodeOfKind(object->m_nType);
  if (*code == '\0') return static_cast<int>(m_Lines.size());

  // The walk is shared with the reader, so it takes the fields by reference; the writer only
  // reads them.
  CDrawObject& record = const_cast<CDrawObject&>(*object);
  CLineBuilder b(code);
  CFieldsOut out(b);
  if (!KindFields(out, record)) return static_cast<int>(m_Lines.size());

  switch (object->m_nType) {
    case TYPE_BMP: {
      const auto& o = static_cast<const CBmpObject&>(*object);
      // The path is the last field: a comma in it is read as the end of the path, but a line end
      // would break the records after it.
      b.Raw(Sanitize(o.m_strPath.str(), true));
      m_Lines.emplace_back(b.Str());
      break;
    }
    case TYPE_TEXT1: {
      const auto& o = static_cast<const CText1Object&>(*object);
      std::vector<std::string> lines = SplitAt(o.m_strText.str(), "\r\n");
      std::string joined;
      for (std::string& line : lines) {
        line = Sanitize(line, false);
        joined += line;
      }
      b.Raw(Sanitize(o.m_strFaceName.str(), false));
      b.Raw("\t");
      b.Raw(joined);
      b.Raw("\t");
      b.Raw(FormatDouble(o.m_dLineGap));
      b.Raw("\t");
      b.Raw(numfmt::Format("%d", o.m_bWidthDirection));
      if (o.m_bCountUp) {
        b.Raw(numfmt::Format("\t*\t%d\t%d\t%d", o.m_nCountStart, o.m_nCount, o.m_nCountDigits));
      }
      b.Raw(",");
      b.I(static_cast<int>(lines.size()));
      for (const std::string& line : lines) b.I(static_cast<int>(line.size()));
      b.Lit("0");
      m_Lines.emplace_back(b.End());

      // One continuation line per character other than the line breaks; records are counted
      // with CR and LF as one character each.
      const std::string& t = o.m_strText.str();
      int index = 0;
      for (size_t p = 0; p < t.size();) {
        if (t[p] == '\r' && p + 1 < t.size() && t[p + 1] == '\n') {
          p += 2;
          index += 2;
          continue;
        }
        std::string line = FormatCharValues(o.GetCharRecord(index), true);
        if (line[0] != ' ') line.insert(line.begin(), ' ');
        m_Lines.emplace_back(std::move(line));
        p += CharWidth(t, p);
        ++index;
      }
      break;
    }
    case TYPE_TEXT2: {
      const auto& o = static_cast<const CText2Object&>(*object);
      // A line break in an arc text becomes a blank, one for each of CR and LF, so every
      // character keeps its record.
      const std::string text = Sanitize(o.m_strText.str(), false);
      b.Raw(Sanitize(o.m_strFaceName.str(), false));
      b.Raw("\t");
      b.Raw(text);
      b.Raw("\t");
      b.Raw(numfmt::Format("%d", o.m_bWidthDirection));
      b.Raw("\t");
      int index = 0;
      for (size_t p = 0; p < text.size(); p += CharWidth(text, p)) {
        const bool last = p + CharWidth(text, p) >= text.size();
        b.Raw(FormatCharValues(o.GetCharRecord(index), last));
        ++index;
      }
      m_Lines.emplace_back(b.Str());
      break;
    }
    default:
      m_Lines.emplace_back(b.End());
      break;
  }
  return static_cast<int>(m_Lines.size());
}

void CMrkTextFile::FormatList(const CObjectList& list) {
  for (int i = 0; i < list.GetCount(); ++i) {
    const CDrawObject* o = list.GetObject(i);
    if (o && !o->m_bDeleted) FormatObject(o);
  }
}

size_t CMrkTextFile::GetByteSize() const {
  size_t total = 0;
  for (const CString& line : m_Lines) total += line.str().size() + 2;
  return total;
}

std::vector<BYTE> CMrkTextFile::GetBytes() const {
  const size_t total = GetByteSize();
  std::vector<BYTE> bytes;
  bytes.reserve(total);
  for (const CString& line : m_Lines) {
    bytes.insert(bytes.end(), line.str().begin(), line.str().end());
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  return bytes;
}

int CMrkTextFile::Save(const CString& path) {
  if (m_nMode != modeWrite || !FitsSizeLimit()) return 0;
  const std::vector<BYTE> bytes = GetBytes();
  return WriteProjectFile(path, bytes) ? 1 : 0;
}
