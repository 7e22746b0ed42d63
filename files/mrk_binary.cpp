#include "files/mrk_binary.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "files/project_write.h"
#include "imaging/monobmp.h"
#include "model/kinds.h"

namespace {

[[noreturn]] void Refuse(const char* why) { throw CArchiveException(why); }

// ---------------------------------------------------------------------------------------------
// The record layout, described once: Fields(io, object) walks an object's fields in file order
// and both directions go through it. The writer stores every field as it stands; the reader
// refuses what no writer produces (a layer outside the tables, a damaged image), clamps counts
// to what the property pages accept and reads a double that is not finite (NaN, infinity) as 0,
// the default of every field. Reading throws CArchiveException on a short or inconsistent file;
// the caller catches it and refuses the whole file.

class CWriter {
 public:
  explicit CWriter(CArchive& ar) : m_ar(ar) {}
  void d(double& v) { m_ar << v; }
  void i(int& v) { m_ar << static_cast<std::int32_t>(v); }
  void s(CString& v) { m_ar << v; }
  void colour(COLORREF& v) { m_ar << static_cast<std::uint32_t>(v); }
  void layer(int& v) { i(v); }
  void edges(int& v) { i(v); }
  void dpm(int& v) { i(v); }
  void grid(int& rows, int& columns, double& rowGap, double& columnGap, int) {
    i(rows);
    i(columns);
    d(rowGap);
    d(columnGap);
  }
  void name(CDrawObject& o, bool) {
    CString n(o.m_szName);
    s(n);
  }
  // Written as it stands; the reader takes neither back.
  void ignored(int& v) { i(v); }
  template <class Text>
  void faceOf(Text& o) {
    s(o.m_strFaceName);
  }
  void points(std::vector<CDoublePoint>& v) {
    m_ar << static_cast<std::int32_t>(v.size());
    for (CDoublePoint& p : v) m_ar << p.x << p.y;
  }
  void records(const CTextCharRecords& v) {
    m_ar << static_cast<std::int32_t>(v.size());
    for (const CTextCharRecord& r : v) {
      m_ar << r.dSizeX << r.dSizeY << r.dOffsetX << r.dOffsetY << r.dAngle << r.dFontWidthX << r.dFontWidthY;
    }
  }
  void image(CBmpObject& o) {
    const std::vector<BYTE> coded = CMrkBinaryFile::Compress(o.GetImage(), o.m_Image.size());
    const std::vector<BYTE>& data = coded.empty() ? o.m_Image : coded;
    m_ar << static_cast<std::int32_t>(data.size());
    if (!data.empty()) m_ar.Write(data.data(), data.size());
  }
  void imageDone(CBmpObject&) {}
  void nested(CDrawObject& child);

 private:
  CArchive& m_ar;
};

class CReader {
 public:
  explicit CReader(CArchive& ar) : m_ar(ar) {}
  void d(double& v) {
    m_ar >> v;
    if (!std::isfinite(v)) v = 0.0;
  }
  void i(int& v) { v = m_ar.ReadInt(); }
  void s(CString& v) { m_ar >> v; }
  void colour(COLORREF& v) {
    std::uint32_t c;
    m_ar >> c;
    v = c;
  }
  // The layer indexes the layer tables everywhere; a file cannot be trusted with it.
  void layer(int& v) {
    const int layer = m_ar.ReadInt();
    if (layer < 0 || layer >= LAYER_COUNT) Refuse("layer out of range");
    v = layer;
  }
  void edges(int& v) { v = ClampPolygonEdges(m_ar.ReadInt()); }
  void dpm(int& v) { v = ClampDotsPerMm(m_ar.ReadInt()); }
  void grid(int& rows, int& columns, double& rowGap, double& columnGap, int kind) {
    rows = ClampGridCount(m_ar.ReadInt());
    columns = ClampGridColumns(kind, m_ar.ReadInt());
    d(rowGap);
    d(columnGap);
  }
  // The name is kept only where `keep` says (the work-area record and its children); the others
  // get fresh names when committed.
  void name(CDrawObject& o, bool keep) {
    CString n;
    m_ar >> n;
    if (keep) o.SetName(n);
  }
  void ignored(int&) { m_ar.ReadInt(); }
  template <class Text>
  void faceOf(Text& o) {
    CString face;
    m_ar >> face;
    o.SetFaceName(face);
  }
  void points(std::vector<CDoublePoint>& v) {
    const size_t n = m_ar.CheckCount(m_ar.ReadInt(), 16);
    v.clear();
    v.resize(n);
    for (CDoublePoint& p : v) {
      d(p.x);
      d(p.y);
    }
  }
  void records(CTextCharRecords& v) {
    const size_t n = m_ar.CheckCount(m_ar.ReadInt(), sizeof(CTextCharRecord));
    v.clear();
    v.resize(n);
    // Nearly every record of a file is zero: only the others are written, so that a text keeps
    // the shared zeroed chunks instead of a private copy of each.
    const CTextCharRecord zero{};
    for (size_t at = 0; at < n; ++at) {
      CTextCharRecord r;
      d(r.dSizeX);
      d(r.dSizeY);
      d(r.dOffsetX);
      d(r.dOffsetY);
      d(r.dAngle);
      d(r.dFontWidthX);
      d(r.dFontWidthY);
      if (std::memcmp(&r, &zero, sizeof r) != 0) v[at] = r;
    }
  }
  void image(CBmpObject& o) {
    const size_t n = m_ar.CheckCount(m_ar.ReadInt(), 1);
    o.m_Image.clear();
    if (n == 0) return;
    std::vector<BYTE> data(n);
    m_ar.Read(data.data(), n);
    std::vector<BYTE> image;
    if (CMrkBinaryFile::IsCoded(data.data(), n)) {
      if (!CMrkBinaryFile::Expand(data.data(), n, image)) Refuse("bad coded image");
    } else {
      image = std::move(data);
    }
    std::vector<BYTE> canonical;
    if (ValidateMonoBmp(image.data(), image.size(), &canonical) != MONOBMP_VALID) Refuse("bad image");
    o.m_Image = std::move(canonical);
  }
  void imageDone(CBmpObject& o) { o.UpdateImagePointers(); }
  void nested(CDrawObject& child);

 private:
  CArchive& m_ar;
};

// The common part of every record.
template <class IO>
void Common(IO& io, CDrawObject& o, bool keepName) {
  io.name(o, keepName);
  io.i(o.m_nByteSize);
  // A written object is never deleted; a set flag read back would hide the work area from every
  // later save.
  io.ignored(o.m_bDeleted);
  io.colour(o.m_crColor);
  io.d(o.m_rcBounds.left); io.d(o.m_rcBounds.top); io.d(o.m_rcBounds.right); io.d(o.m_rcBounds.bottom);
  io.i(o.m_nInnerCornerStyle); io.i(o.m_nOuterCornerStyle);
  io.layer(o.m_nLayer);
  io.i(o.m_nOutputMode); io.d(o.m_dScanInterval); io.i(o.m_nFillDirection);
  io.i(o.m_bMirrorX); io.i(o.m_bMirrorY);
  io.d(o.m_dPosX); io.d(o.m_dPosY);
  io.i(o.m_nCapturedCount);
  io.points(o.m_vInnerPoints);
  io.points(o.m_vOuterPoints);
}

template <class IO, class Kind>
void Grid(IO& io, Kind& o) {
  io.grid(o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
}

// The font part, laid out alike in both text kinds.
template <class IO, class Text>
void FontPart(IO& io, Text& o) {
  io.d(o.m_dLineWidthX); io.d(o.m_dLineWidthY);
  io.i(o.m_nWeight); io.i(o.m_bItalic); io.i(o.m_nCharSet);
  io.faceOf(o);
  io.i(o.m_nFontExtra1); io.i(o.m_nFontExtra2); io.i(o.m_nFontSize);
}

template <class IO>
void Fields(IO& io, CLineObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dAngle);
  Grid(io, o);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CRectangleObject& o) {
  io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize); io.d(o.m_dEdgeRadius);
  io.i(o.m_nEdgeStyle);
  Grid(io, o);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CCircleObject& o) {
  io.d(o.m_dSizeX); io.d(o.m_dSizeY); io.d(o.m_dEdgeSize);
  Grid(io, o);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CTriangleObject& o) {
  io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize);
  io.i(o.m_nDirection);
  Grid(io, o);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CRhombicObject& o) {
  io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize);
  Grid(io, o);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CPolygonObject& o) {
  io.d(o.m_dSize); io.d(o.m_dEdgeSize);
  io.edges(o.m_nEdges);
  Grid(io, o);
}

template <class IO>
void Fields(IO& io, CText1Object& o) {
  io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dCharWidth); io.d(o.m_dCharHeight); io.d(o.m_dCharGap);
  io.d(o.m_dAngle); io.d(o.m_dLineGap);
  io.i(o.m_bVariable);
  io.s(o.m_strText);
  Grid(io, o);
  io.i(o.m_nWriteDirection); io.i(o.m_nAlign);
  FontPart(io, o);
  io.i(o.m_bCountUp); io.i(o.m_nCount); io.i(o.m_nCountStart); io.i(o.m_nCountDigits);
  io.i(o.m_bWidthDirection);
  io.records(o.m_vCharRecords);
  io.i(o.m_bTextChanged);
}

template <class IO>
void Fields(IO& io, CText2Object& o) {
  io.d(o.m_dRadiusX); io.d(o.m_dRadiusY); io.d(o.m_dSpan); io.d(o.m_dAngle); io.d(o.m_dCharWidth);
  io.d(o.m_dCharHeight);
  io.s(o.m_strText);
  Grid(io, o);
  io.i(o.m_nDirection); io.i(o.m_bKeepAspect);
  FontPart(io, o);
  io.i(o.m_bWidthDirection);
  io.records(o.m_vCharRecords);
  io.i(o.m_bTextChanged);
}

template <class IO>
void Fields(IO& io, CBmpObject& o) {
  io.ignored(o.m_bLoaded);  // the loaded flag follows from the image
  io.image(o);
  io.d(o.m_dWidth); io.d(o.m_dHeight);
  Grid(io, o);
  io.i(o.m_bKeepAspect); io.i(o.m_bInvert);
  io.s(o.m_strPath);
  io.imageDone(o);
}

template <class IO>
void Fields(IO& io, CBarcodeObject& o) {
  io.d(o.m_dSizeX); io.d(o.m_dSizeY);
  Grid(io, o);
  io.i(o.m_nLevel); io.i(o.m_nVersion);
  io.s(o.m_strText);
}

template <class IO>
void Fields(IO& io, CDrawingObject& o) {
  io.nested(*o.m_pSetting);
  io.nested(*o.m_pArea);
  io.nested(*o.m_pField);
}

template <class IO>
void Fields(IO& io, CDrawingSettingObject& o) {
  io.d(o.m_dEditArea); io.d(o.m_dGridSize); io.d(o.m_dScaleX); io.d(o.m_dScaleY);
  io.i(o.m_bSwapXY); io.i(o.m_bReverseX); io.i(o.m_bReverseY); io.i(o.m_bHomeAfter);
  io.d(o.m_dHomeX); io.d(o.m_dHomeY);
  io.layer(o.m_nCurrentLayer);
  for (CLayerRecord& layer : o.m_Layers) {
    io.i(layer.nCount); io.i(layer.nPower); io.i(layer.nSpeed); io.i(layer.bConstant);
  }
}

template <class IO>
void Fields(IO& io, CDrawingAreaObject& o) {
  io.d(o.m_dWidth); io.d(o.m_dHeight);
  io.dpm(o.m_nResolution);
  io.d(o.m_dScanSpan);
  io.i(o.m_nOutlineStyle); io.i(o.m_nScanStyle); io.i(o.m_nScanDirection); io.i(o.m_nOutputStyle);
  io.i(o.m_nConversionStyle);
  io.d(o.m_dFrameWidth); io.d(o.m_dCornerRadius);
}

template <class IO>
void Fields(IO& io, CDrawingFieldObject& o) {
  io.d(o.m_dFieldX); io.d(o.m_dFieldY);
  io.i(o.m_nPlotterPosition);
}

// The kind part of a record; false for a kind without a record format.
template <class IO>
bool KindPart(IO& io, CDrawObject& object) {
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
    case TYPE_BARCODE: Fields(io, static_cast<CBarcodeObject&>(object)); return true;
    case TYPE_DRAWING: Fields(io, static_cast<CDrawingObject&>(object)); return true;
    case TYPE_DRAWING_SETTING: Fields(io, static_cast<CDrawingSettingObject&>(object)); return true;
    case TYPE_DRAWING_AREA: Fields(io, static_cast<CDrawingAreaObject&>(object)); return true;
    case TYPE_DRAWING_FIELD: Fields(io, static_cast<CDrawingFieldObject&>(object)); return true;
    default: return false;
  }
}

// A whole record: the kind, the common part, the kind part.
void WriteRecord(CArchive& ar, const CDrawObject& o) {
  // The walk is shared with the reader, so it takes the fields by reference; the writer only
  // reads them.
  CDrawObject& object = const_cast<CDrawObject&>(o);
  CWriter w(ar);
  int kind = object.m_nType;
  w.i(kind);
  Common(w, object, true);
  KindPart(w, object);
}

void CWriter::nested(CDrawObject& child) { WriteRecord(m_ar, child); }

// Reads the common and kind part into an object of the record's kind.
void ReadRecordBody(CArchive& ar, CDrawObject& o, bool keepName) {
  CReader r(ar);
  Common(r, o, keepName);
  o.m_bDeleted = 0;
  if (!KindPart(r, o)) Refuse("unknown kind");
}

void CReader::nested(CDrawObject& child) {
  m_ar.ReadInt();  // the nested kind: its place in the record says what it is
  ReadRecordBody(m_ar, child, true);
}

bool HasRecordFormat(const CDrawObject& o) {
  if (o.m_nType >= TYPE_LINE && o.m_nType <= TYPE_BARCODE) return true;
  if (o.m_nType != TYPE_DRAWING) return false;
  const auto& d = static_cast<const CDrawingObject&>(o);
  return d.m_pSetting && d.m_pArea && d.m_pField;
}

bool HeaderMatches(const std::vector<BYTE>& bytes) {
  if (bytes.size() < static_cast<size_t>(MRK_BINARY_HEADER_LENGTH)) return false;
  for (int i = 0; i < MRK_BINARY_HEADER_LENGTH; ++i) {
    unsigned char a = bytes[i];
    unsigned char b = static_cast<unsigned char>(MRK_BINARY_HEADER[i]);
    if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Codec

std::vector<BYTE> CMrkBinaryFile::Compress(const BYTE* data, size_t length) {
  std::vector<BYTE> out;
  if (!data || length == 0 || length > 0xFFFFFFFFu) return out;
  out.reserve(length);
  out.push_back(kMagic0);
  out.push_back(kMagic1);
  const std::uint32_t l32 = static_cast<std::uint32_t>(length);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(l32 >> (8 * i)));

  auto emit = [&out](BYTE value, std::uint32_t count) {
    out.push_back(value);
    if (count > 1) {
      out.push_back(value);
      out.push_back(static_cast<BYTE>(count & 0xFF));
      out.push_back(static_cast<BYTE>(count >> 8));
    }
  };

  BYTE pending = data[0];
  std::uint32_t count = 1;
  for (size_t i = 1; i < length; ++i) {
    const BYTE b = data[i];
    if (b == pending) {
      if (++count > 65535) {
        emit(pending, 65535);
        count = 1;
      }
    } else {
      emit(pending, count);
      pending = b;
      count = 1;
    }
    if (out.size() >= length) return {};
  }
  emit(pending, count);
  if (out.size() >= length) return {};
  return out;
}

bool CMrkBinaryFile::Expand(const BYTE* coded, size_t length, std::vector<BYTE>& decoded) {
  decoded.clear();
  if (!coded || length < kCodedHeader || !IsCoded(coded, length)) return false;
  const std::uint32_t declared = static_cast<std::uint32_t>(coded[2]) | (static_cast<std::uint32_t>(coded[3]) << 8) |
                                 (static_cast<std::uint32_t>(coded[4]) << 16) |
                                 (static_cast<std::uint32_t>(coded[5]) << 24);
  if (length == kCodedHeader) return declared == 0;
  // No item gives more than 65535 bytes for its 4 coded bytes, so a declared length beyond
  // that cannot be right and is never allocated.
  const std::uint64_t items = length - kCodedHeader;
  if (declared > items * 16384 + 1) return false;

  std::vector<BYTE> out;
  out.reserve(declared);
  BYTE pending = coded[kCodedHeader];
  bool havePending = true;
  size_t pos = kCodedHeader + 1;
  while (pos < length) {
    if (coded[pos] == pending) {
      if (pos + 2 >= length) return false;  // a run without its whole count
      const std::uint32_t count = static_cast<std::uint32_t>(coded[pos + 1]) | (static_cast<std::uint32_t>(coded[pos + 2]) << 8);
      if (out.size() + count > declared) return false;
      out.insert(out.end(), count, pending);
      if (pos + 3 < length) {
        pending = coded[pos + 3];
      } else {
        havePending = false;
      }
      pos += 4;
    } else {
      if (out.size() + 1 > declared) return false;
      out.push_back(pending);
      pending = coded[pos];
      ++pos;
    }
  }
  if (havePending) {
    if (out.size() + 1 > declared) return false;
    out.push_back(pending);
  }
  if (out.size() != declared) return false;
  decoded = std::move(out);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Files

namespace {

// The file's bytes in pieces of about a megabyte: a large design is never held twice.
bool SerializeInPieces(const CObjectList& list, const fileio::ChunkWriter& write) {
  constexpr size_t kPiece = 1 << 20;
  auto ar = std::make_unique<CArchive>();
  ar->Write(MRK_BINARY_HEADER, MRK_BINARY_HEADER_LENGTH);
  for (int i = 0; i < list.GetCount(); ++i) {
    const CDrawObject* o = list.GetObject(i);
    if (!o || o->m_bDeleted || !HasRecordFormat(*o)) continue;
    WriteRecord(*ar, *o);
    if (ar->Buffer().size() >= kPiece) {
      if (!write(ar->Buffer().data(), ar->Buffer().size())) return false;
      ar = std::make_unique<CArchive>();
    }
  }
  *ar << static_cast<std::int32_t>(TYPE_ENDMARK);
  return write(ar->Buffer().data(), ar->Buffer().size());
}

}  // namespace

std::vector<BYTE> CMrkBinaryFile::Serialize(const CObjectList& list) {
  std::vector<BYTE> bytes;
  SerializeInPieces(list, [&](const void* data, size_t size) {
    const BYTE* p = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), p, p + size);
    return true;
  });
  return bytes;
}

int CMrkBinaryFile::Write(const CObjectList* list) {
  if (m_nMode != modeWrite || !list) return 0;
  return WriteProjectFileFrom(m_strPath, [list](const fileio::ChunkWriter& write) {
           return SerializeInPieces(*list, write);
         })
             ? 1
             : 0;
}

namespace {

// The records after the header, up to the end mark, into `design`.
bool ParseRecords(CArchive& ar, CObjectList& list, CMrkDesign& design) {
  CMrkDesign parsed;
  try {
    for (;;) {
      const int kind = ar.ReadInt();
      if (kind == TYPE_ENDMARK) break;
      std::unique_ptr<CDrawObject> object;
      if (kind == TYPE_DRAWING) {
        const CDrawingObject* current = list.GetDrawingObject();
        if (current) {
          object = MrkCloneDrawing(*current);
        } else {
          auto fresh = std::make_unique<CDrawingObject>();
          InitNewObject(*fresh, TYPE_DRAWING);
          object = std::move(fresh);
        }
      } else {
        object = MrkNewObjectOfKind(list, kind);
      }
      // Kinds this writer never produces end the read: nothing after them can be trusted.
      if (!object) return false;
      ReadRecordBody(ar, *object, kind == TYPE_DRAWING);
      parsed.m_Records.push_back(std::move(object));
    }
  } catch (const CArchiveException&) {
    return false;
  }
  if (parsed.IsEmpty()) return false;
  // A value no field or screen can hold would stall the paint: such records are named, not taken.
  parsed.DropOutOfRange();
  design.m_Records = std::move(parsed.m_Records);
  design.m_Lost = std::move(parsed.m_Lost);
  return true;
}

}  // namespace

bool CMrkBinaryFile::ParseBytes(const std::vector<BYTE>& bytes, CObjectList& list, CMrkDesign& design) {
  design.m_Records.clear();
  design.m_Lost.clear();
  if (!HeaderMatches(bytes)) return false;
  CArchive ar(bytes.data() + MRK_BINARY_HEADER_LENGTH, bytes.size() - MRK_BINARY_HEADER_LENGTH);
  return ParseRecords(ar, list, design);
}

int CMrkBinaryFile::Parse(CObjectList& list, CMrkDesign& design) {
  design.m_Records.clear();
  design.m_Lost.clear();
  if (m_nMode != modeRead) return 0;
  std::vector<BYTE> bytes;
  if (!fileio::ReadAll(fileio::ToFsPath(m_strPath), bytes)) return 0;
  if (!HeaderMatches(bytes)) return 0;
  // The archive takes the file's bytes over rather than a copy of them (a large design is tens
  // of megabytes); it starts past the header.
  CArchive ar(std::move(bytes));
  BYTE header[MRK_BINARY_HEADER_LENGTH];
  ar.Read(header, sizeof header);
  return ParseRecords(ar, list, design) ? 1 : 0;
}

CDrawObject* CMrkBinaryFile::Read(CObjectList* list) {
  m_bDrawingLoaded = FALSE;
  if (!list || m_nMode != modeRead) return nullptr;
  CMrkDesign design;
  if (!Parse(*list, design)) return nullptr;
  return design.Commit(*list, &m_bDrawingLoaded);
}
