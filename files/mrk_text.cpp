#include "files/mrk_text.h"

#include <filesystem>
#include <string>

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

void WriteGridAndPosition(CLineBuilder& b, int rows, int columns, double rowGap, double columnGap, const CDrawObject& o) {
  b.I(rows);
  b.I(columns);
  b.D(rowGap);
  b.D(columnGap);
  b.D(o.m_dPosX);
  b.D(o.m_dPosY);
}

// Fields 10 to 13.
void WriteOutputRun(CLineBuilder& b, const CDrawObject& o) {
  b.I(o.m_nLayer);
  b.I(o.m_nOutputMode);
  b.D(o.m_dScanInterval);
  b.I(o.m_nFillDirection);
}

// Fields 10 to 16.
void WriteCommonRun(CLineBuilder& b, const CDrawObject& o, int keepAspect) {
  WriteOutputRun(b, o);
  b.Flag(keepAspect);
  b.Flag(o.m_bMirrorX);
  b.Flag(o.m_bMirrorY);
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

void ReadGridAndPosition(const CFields& f, int& rows, int& columns, double& rowGap, double& columnGap, CDrawObject& o) {
  f.Get(1, rows);
  f.Get(2, columns);
  rows = ClampGridCount(rows);
  columns = ClampGridColumns(o.m_nType, columns);
  f.Get(3, rowGap);
  f.Get(4, columnGap);
  f.Get(5, o.m_dPosX);
  f.Get(6, o.m_dPosY);
}

void ReadOutputRun(const CFields& f, CDrawObject& o) {
  f.GetLayer(10, o);
  f.Get(11, o.m_nOutputMode);
  f.Get(12, o.m_dScanInterval);
  f.Get(13, o.m_nFillDirection);
}

void ReadCommonRun(const CFields& f, CDrawObject& o, int* keepAspect) {
  ReadOutputRun(f, o);
  if (keepAspect) f.GetFlag(14, *keepAspect);
  f.GetFlag(15, o.m_bMirrorX);
  f.GetFlag(16, o.m_bMirrorY);
}

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

  // Lines end at every CR (a LF right after it belongs to the line end); a LF alone stays in
  // the line. The reader acts as if the file ended with CR LF.
  const char* p = reinterpret_cast<const char*>(bytes.data());
  const size_t n = bytes.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (p[i] != '\r') continue;
    m_Lines.emplace_back(std::string(p + start, i - start));
    if (i + 1 < n && p[i + 1] == '\n') ++i;
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

  switch (object->m_nType) {
    case TYPE_LINE: {
      auto& o = static_cast<CLineObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      f.Get(9, o.m_dAngle);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      break;
    }
    case TYPE_RECTANGLE: {
      auto& o = static_cast<CRectangleObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.Get(19, o.m_dEdgeSize);
      f.Get(20, o.m_nEdgeStyle);
      f.Get(21, o.m_dEdgeRadius);
      break;
    }
    case TYPE_CIRCLE: {
      auto& o = static_cast<CCircleObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dSizeX);
      f.Get(8, o.m_dSizeY);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.Get(19, o.m_dEdgeSize);
      break;
    }
    case TYPE_RHOMBIC: {
      auto& o = static_cast<CRhombicObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.Get(19, o.m_dEdgeSize);
      break;
    }
    case TYPE_TRIANGLE: {
      auto& o = static_cast<CTriangleObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.Get(19, o.m_dEdgeSize);
      f.Get(20, o.m_nDirection);
      break;
    }
    case TYPE_POLYGON: {
      auto& o = static_cast<CPolygonObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dSize);
      ReadCommonRun(f, o, nullptr);
      f.Get(18, o.m_dEdgeSize);
      f.Get(19, o.m_nEdges);
      o.m_nEdges = ClampPolygonEdges(o.m_nEdges);
      break;
    }
    case TYPE_BMP: {
      auto& o = static_cast<CBmpObject&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.GetFlag(17, o.m_bInvert);
      if (f.Has(18)) o.m_strPath = CString(f.Text(18));
      break;
    }
    case TYPE_TEXT1: {
      auto& o = static_cast<CText1Object&>(*object);
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(7, o.m_dWidth);
      f.Get(8, o.m_dHeight);
      f.Get(9, o.m_dAngle);
      ReadOutputRun(f, o);
      f.GetFlag(15, o.m_bMirrorX);
      f.GetFlag(16, o.m_bMirrorY);
      f.Get(17, o.m_dCharGap);
      f.Get(18, o.m_dCharWidth);
      f.Get(19, o.m_dCharHeight);
      f.Get(20, o.m_dLineWidthX);
      f.Get(21, o.m_dLineWidthY);
      f.Get(22, o.m_nWriteDirection);
      f.Get(23, o.m_nAlign);
      f.Get(24, o.m_nWeight);
      f.GetFlag(25, o.m_bItalic);
      f.Get(26, o.m_nCharSet);
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
      ReadGridAndPosition(f, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      f.Get(9, o.m_dAngle);
      ReadCommonRun(f, o, &o.m_bKeepAspect);
      f.Get(17, o.m_dCharWidth);
      f.Get(18, o.m_dCharHeight);
      f.Get(19, o.m_nDirection);
      f.Get(20, o.m_dRadiusX);
      f.Get(21, o.m_dRadiusY);
      f.Get(22, o.m_dSpan);
      f.Get(23, o.m_dLineWidthX);
      f.Get(24, o.m_dLineWidthY);
      f.Get(25, o.m_nWeight);
      f.GetFlag(26, o.m_bItalic);
      f.Get(27, o.m_nCharSet);
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
    case TYPE_DRAWING: {
      auto& o = static_cast<CDrawingObject&>(*object);
      if (!o.m_pSetting || !o.m_pArea || !o.m_pField) break;
      CDrawingSettingObject& s = *o.m_pSetting;
      f.Get(1, s.m_dEditArea);
      f.Get(2, s.m_dGridSize);
      f.Get(3, s.m_dScaleX);
      f.Get(4, s.m_dScaleY);
      f.GetFlag(5, s.m_bSwapXY);
      f.GetFlag(6, s.m_bReverseX);
      f.GetFlag(7, s.m_bReverseY);
      f.GetFlag(8, s.m_bHomeAfter);
      f.Get(9, s.m_dHomeX);
      f.Get(10, s.m_dHomeY);
      if (f.Has(11)) {
        const int layer = f.I(11);
        s.m_nCurrentLayer = layer < 0 ? 0 : (layer >= LAYER_COUNT ? LAYER_COUNT - 1 : layer);
      }
      for (int k = 0; k < LAYER_COUNT; ++k) {
        CLayerRecord& layer = s.m_Layers[k];
        if (f.Has(12 + 4 * k)) layer.nCount = DoubleToInt(f.D(12 + 4 * k));
        if (f.Has(13 + 4 * k)) layer.nPower = DoubleToInt(f.D(13 + 4 * k));
        if (f.Has(14 + 4 * k)) layer.nSpeed = DoubleToInt(f.D(14 + 4 * k));
        f.GetFlag(15 + 4 * k, layer.bConstant);
      }
      CDrawingAreaObject& a = *o.m_pArea;
      f.Get(44, a.m_dPosX);
      f.Get(45, a.m_dPosY);
      f.Get(46, a.m_dWidth);
      f.Get(47, a.m_dHeight);
      f.Get(48, a.m_nResolution);
      a.m_nResolution = ClampDotsPerMm(a.m_nResolution);
      f.Get(49, a.m_dScanSpan);
      f.Get(50, a.m_nOutlineStyle);
      f.Get(51, a.m_nScanStyle);
      f.Get(52, a.m_nScanDirection);
      f.Get(53, a.m_nOutputStyle);
      f.Get(54, a.m_nConversionStyle);
      CDrawingFieldObject& d = *o.m_pField;
      f.Get(55, d.m_dFieldX);
      f.Get(56, d.m_dFieldY);
      f.Get(57, d.m_dPosX);
      f.Get(58, d.m_dPosY);
      f.Get(59, d.m_nPlotterPosition);
      break;
    }
    default:
      break;
  }
}

int CMrkTextFile::ParseDesign(CObjectList& list, BOOL withDrawing, CMrkDesign& design, int* skipped) const {
  design.m_Records.clear();
  if (skipped) *skipped = 0;
  int lastKind = TYPE_UNKNOWN;
  int bitmaps = 0;
  for (int n = 0; n < GetRecordCount(); ++n) {
    int kind = GetObjectKind(n);
    if (kind == TYPE_DRAWING) {
      if (withDrawing) {
        const CDrawingObject* current = list.GetDrawingObject();
        if (current) {
          std::unique_ptr<CDrawingObject> drawing = MrkCloneDrawing(*current);
          ParseObject(n, drawing.get());
          design.m_Records.push_back(std::move(drawing));
        }
      }
    } else if (kind == TYPE_BMP) {
      std::unique_ptr<CBmpObject> bmp = MrkNewBmpObject(list);
      ParseObject(n, bmp.get());
      const double width = bmp->m_dWidth;
      const double height = bmp->m_dHeight;
      BOOL loaded = bmp->Reload();
      if (!loaded && bmp->m_strPath.IsEmpty()) {
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
        kind = TYPE_UNKNOWN;
      }
    } else if (kind != TYPE_UNKNOWN) {
      std::unique_ptr<CDrawObject> object = MrkNewObjectOfKind(list, kind);
      if (object) {
        ParseObject(n, object.get());
        design.m_Records.push_back(std::move(object));
      } else {
        kind = TYPE_UNKNOWN;
      }
    }
    if (kind == TYPE_UNKNOWN) {
      if (skipped) ++*skipped;
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

  switch (object->m_nType) {
    case TYPE_LINE: {
      const auto& o = static_cast<const CLineObject&>(*object);
      CLineBuilder b("1,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dWidth);
      b.D(o.m_dHeight);
      b.D(o.m_dAngle);
      WriteCommonRun(b, o, o.m_bKeepAspect);
      b.Lit(" 0.000, 0.000");
      m_Lines.emplace_back(b.End());
      break;
    }
    case TYPE_RECTANGLE: {
      const auto& o = static_cast<const CRectangleObject&>(*object);
      CLineBuilder b("2,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dWidth);
      b.D(o.m_dHeight);
      b.Lit(" 0.000,");
      WriteCommonRun(b, o, o.m_bKeepAspect);
      b.D(o.m_dWidth);
      b.D(o.m_dHeight);
      b.D(o.m_dEdgeSize);
      b.I(o.m_nEdgeStyle);
      b.D(o.m_dEdgeRadius);
      m_Lines.emplace_back(b.End());
      break;
    }
    case TYPE_CIRCLE:
    case TYPE_RHOMBIC:
    case TYPE_TRIANGLE: {
      double sx, sy, edge;
      int rows, columns, keep;
      double rowGap, columnGap;
      const char* code;
      if (object->m_nType == TYPE_CIRCLE) {
        const auto& o = static_cast<const CCircleObject&>(*object);
        sx = o.m_dSizeX, sy = o.m_dSizeY, edge = o.m_dEdgeSize, rows = o.m_nRows, columns = o.m_nColumns;
        rowGap = o.m_dRowGap, columnGap = o.m_dColumnGap, keep = o.m_bKeepAspect, code = "3,";
      } else if (object->m_nType == TYPE_RHOMBIC) {
        const auto& o = static_cast<const CRhombicObject&>(*object);
        sx = o.m_dWidth, sy = o.m_dHeight, edge = o.m_dEdgeSize, rows = o.m_nRows, columns = o.m_nColumns;
        rowGap = o.m_dRowGap, columnGap = o.m_dColumnGap, keep = o.m_bKeepAspect, code = "9,";
      } else {
        const auto& o = static_cast<const CTriangleObject&>(*object);
        sx = o.m_dWidth, sy = o.m_dHeight, edge = o.m_dEdgeSize, rows = o.m_nRows, columns = o.m_nColumns;
        rowGap = o.m_dRowGap, columnGap = o.m_dColumnGap, keep = o.m_bKeepAspect, code = "8,";
      }
      CLineBuilder b(code);
      WriteGridAndPosition(b, rows, columns, rowGap, columnGap, *object);
      b.D(sx);
      b.D(sy);
      b.Lit(" 0.000,");
      WriteCommonRun(b, *object, keep);
      b.D(sx);
      b.D(sy);
      b.D(edge);
      if (object->m_nType == TYPE_TRIANGLE) b.I(static_cast<const CTriangleObject&>(*object).m_nDirection);
      m_Lines.emplace_back(b.End());
      break;
    }
    case TYPE_POLYGON: {
      const auto& o = static_cast<const CPolygonObject&>(*object);
      CLineBuilder b("10,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dSize);
      b.D(o.m_dSize);
      b.Lit(" 0.000,");
      WriteOutputRun(b, o);
      b.Lit("0,");
      b.Flag(o.m_bMirrorX);
      b.Flag(o.m_bMirrorY);
      b.D(o.m_dSize);
      b.D(o.m_dEdgeSize);
      b.I(o.m_nEdges);
      m_Lines.emplace_back(b.End());
      break;
    }
    case TYPE_BMP: {
      const auto& o = static_cast<const CBmpObject&>(*object);
      CLineBuilder b("7,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dWidth);
      b.D(o.m_dHeight);
      b.Lit(" 0.000,");
      WriteCommonRun(b, o, o.m_bKeepAspect);
      b.Flag(o.m_bInvert);
      // The path is the last field: a comma in it is read as the end of the path, but a line end
      // would break the records after it.
      b.Raw(Sanitize(o.m_strPath.str(), true));
      m_Lines.emplace_back(b.Str());
      break;
    }
    case TYPE_TEXT1: {
      const auto& o = static_cast<const CText1Object&>(*object);
      CLineBuilder b("4,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dWidth);
      b.D(o.m_dHeight);
      b.D(o.m_dAngle);
      WriteOutputRun(b, o);
      b.Lit("0,");
      b.Flag(o.m_bMirrorX);
      b.Flag(o.m_bMirrorY);
      b.D(o.m_dCharGap);
      b.D(o.m_dCharWidth);
      b.D(o.m_dCharHeight);
      b.D(o.m_dLineWidthX);
      b.D(o.m_dLineWidthY);
      b.I(o.m_nWriteDirection);
      b.I(o.m_nAlign);
      b.I(o.m_nWeight);
      b.Flag(o.m_bItalic);
      b.I(o.m_nCharSet);

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
      CLineBuilder b("6,");
      WriteGridAndPosition(b, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o);
      b.D(o.m_dRadiusX * 2);
      b.D(o.m_dRadiusY * 2);
      b.D(o.m_dAngle);
      WriteCommonRun(b, o, o.m_bKeepAspect);
      b.D(o.m_dCharWidth);
      b.D(o.m_dCharHeight);
      b.I(o.m_nDirection);
      b.D(o.m_dRadiusX);
      b.D(o.m_dRadiusY);
      b.D(o.m_dSpan);
      b.D(o.m_dLineWidthX);
      b.D(o.m_dLineWidthY);
      b.I(o.m_nWeight);
      b.Flag(o.m_bItalic);
      b.I(o.m_nCharSet);
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
    case TYPE_DRAWING: {
      const auto& o = static_cast<const CDrawingObject&>(*object);
      if (!o.m_pSetting || !o.m_pArea || !o.m_pField) break;
      const CDrawingSettingObject& s = *o.m_pSetting;
      CLineBuilder b("D,");
      b.D(s.m_dEditArea);
      b.D(s.m_dGridSize);
      b.D(s.m_dScaleX);
      b.D(s.m_dScaleY);
      b.Flag(s.m_bSwapXY);
      b.Flag(s.m_bReverseX);
      b.Flag(s.m_bReverseY);
      b.Flag(s.m_bHomeAfter);
      b.D(s.m_dHomeX);
      b.D(s.m_dHomeY);
      b.I(s.m_nCurrentLayer);
      for (const CLayerRecord& layer : s.m_Layers) {
        b.I(layer.nCount);
        b.I(layer.nPower);
        b.I(layer.nSpeed);
        b.Flag(layer.bConstant);
      }
      const CDrawingAreaObject& a = *o.m_pArea;
      b.D(a.m_dPosX);
      b.D(a.m_dPosY);
      b.D(a.m_dWidth);
      b.D(a.m_dHeight);
      b.I(a.m_nResolution);
      b.D(a.m_dScanSpan);
      b.I(a.m_nOutlineStyle);
      b.I(a.m_nScanStyle);
      b.I(a.m_nScanDirection);
      b.I(a.m_nOutputStyle);
      b.I(a.m_nConversionStyle);
      const CDrawingFieldObject& d = *o.m_pField;
      b.D(d.m_dFieldX);
      b.D(d.m_dFieldY);
      b.D(d.m_dPosX);
      b.D(d.m_dPosY);
      b.I(d.m_nPlotterPosition);
      m_Lines.emplace_back(b.End());
      break;
    }
    default:
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
  return fileio::WriteAtomically(fileio::ToFsPath(path), bytes.data(), bytes.size()) ? 1 : 0;
}
