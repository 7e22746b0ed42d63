#include "files/mrk_binary.h"

#include <cmath>
#include <cstring>

#include "imaging/monobmp.h"
#include "model/kinds.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Writing

void WriteInt(CArchive& ar, int v) { ar << static_cast<std::int32_t>(v); }

void WritePoints(CArchive& ar, const std::vector<CDoublePoint>& points) {
  WriteInt(ar, static_cast<int>(points.size()));
  for (const CDoublePoint& p : points) ar << p.x << p.y;
}

void WriteCommon(CArchive& ar, const CDrawObject& o) {
  ar << CString(o.m_szName);
  WriteInt(ar, o.m_nByteSize);
  WriteInt(ar, o.m_bDeleted);
  ar << static_cast<std::uint32_t>(o.m_crColor);
  ar << o.m_rcBounds.left << o.m_rcBounds.top << o.m_rcBounds.right << o.m_rcBounds.bottom;
  WriteInt(ar, o.m_nInnerCornerStyle);
  WriteInt(ar, o.m_nOuterCornerStyle);
  WriteInt(ar, o.m_nLayer);
  WriteInt(ar, o.m_nOutputMode);
  ar << o.m_dScanInterval;
  WriteInt(ar, o.m_nFillDirection);
  WriteInt(ar, o.m_bMirrorX);
  WriteInt(ar, o.m_bMirrorY);
  ar << o.m_dPosX << o.m_dPosY;
  WriteInt(ar, o.m_nCapturedCount);
  WritePoints(ar, o.m_vInnerPoints);
  WritePoints(ar, o.m_vOuterPoints);
}

void WriteGrid(CArchive& ar, int rows, int columns, double rowGap, double columnGap) {
  WriteInt(ar, rows);
  WriteInt(ar, columns);
  ar << rowGap << columnGap;
}

void WriteCharRecords(CArchive& ar, const std::vector<CTextCharRecord>& records) {
  WriteInt(ar, static_cast<int>(records.size()));
  for (const CTextCharRecord& r : records) {
    ar << r.dSizeX << r.dSizeY << r.dOffsetX << r.dOffsetY << r.dAngle << r.dFontWidthX << r.dFontWidthY;
  }
}

// The font part, laid out alike in both text kinds.
template <class Text>
void WriteFontPart(CArchive& ar, const Text& o) {
  ar << o.m_dLineWidthX << o.m_dLineWidthY;
  WriteInt(ar, o.m_nWeight);
  WriteInt(ar, o.m_bItalic);
  WriteInt(ar, o.m_nCharSet);
  ar << o.m_strFaceName;
  WriteInt(ar, o.m_nFontExtra1);
  WriteInt(ar, o.m_nFontExtra2);
  WriteInt(ar, o.m_nFontSize);
}

void WriteKindPart(CArchive& ar, const CDrawObject& object);

void WriteRecord(CArchive& ar, const CDrawObject& o) {
  WriteInt(ar, o.m_nType);
  WriteCommon(ar, o);
  WriteKindPart(ar, o);
}

void WriteKindPart(CArchive& ar, const CDrawObject& object) {
  switch (object.m_nType) {
    case TYPE_LINE: {
      const auto& o = static_cast<const CLineObject&>(object);
      ar << o.m_dPosX << o.m_dPosY << o.m_dWidth << o.m_dHeight << o.m_dAngle;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      break;
    }
    case TYPE_RECTANGLE: {
      const auto& o = static_cast<const CRectangleObject&>(object);
      ar << o.m_dWidth << o.m_dHeight << o.m_dEdgeSize << o.m_dEdgeRadius;
      WriteInt(ar, o.m_nEdgeStyle);
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      break;
    }
    case TYPE_CIRCLE: {
      const auto& o = static_cast<const CCircleObject&>(object);
      ar << o.m_dSizeX << o.m_dSizeY << o.m_dEdgeSize;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      break;
    }
    case TYPE_TRIANGLE: {
      const auto& o = static_cast<const CTriangleObject&>(object);
      ar << o.m_dWidth << o.m_dHeight << o.m_dEdgeSize;
      WriteInt(ar, o.m_nDirection);
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      break;
    }
    case TYPE_RHOMBIC: {
      const auto& o = static_cast<const CRhombicObject&>(object);
      ar << o.m_dWidth << o.m_dHeight << o.m_dEdgeSize;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      break;
    }
    case TYPE_POLYGON: {
      const auto& o = static_cast<const CPolygonObject&>(object);
      ar << o.m_dSize << o.m_dEdgeSize;
      WriteInt(ar, o.m_nEdges);
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      break;
    }
    case TYPE_TEXT1: {
      const auto& o = static_cast<const CText1Object&>(object);
      ar << o.m_dWidth << o.m_dHeight << o.m_dCharWidth << o.m_dCharHeight << o.m_dCharGap << o.m_dAngle
         << o.m_dLineGap;
      WriteInt(ar, o.m_bVariable);
      ar << o.m_strText;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_nWriteDirection);
      WriteInt(ar, o.m_nAlign);
      WriteFontPart(ar, o);
      WriteInt(ar, o.m_bCountUp);
      WriteInt(ar, o.m_nCount);
      WriteInt(ar, o.m_nCountStart);
      WriteInt(ar, o.m_nCountDigits);
      WriteInt(ar, o.m_bWidthDirection);
      WriteCharRecords(ar, o.m_vCharRecords);
      WriteInt(ar, o.m_bTextChanged);
      break;
    }
    case TYPE_TEXT2: {
      const auto& o = static_cast<const CText2Object&>(object);
      ar << o.m_dRadiusX << o.m_dRadiusY << o.m_dSpan << o.m_dAngle << o.m_dCharWidth << o.m_dCharHeight;
      ar << o.m_strText;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_nDirection);
      WriteInt(ar, o.m_bKeepAspect);
      WriteFontPart(ar, o);
      WriteInt(ar, o.m_bWidthDirection);
      WriteCharRecords(ar, o.m_vCharRecords);
      WriteInt(ar, o.m_bTextChanged);
      break;
    }
    case TYPE_BMP: {
      const auto& o = static_cast<const CBmpObject&>(object);
      WriteInt(ar, o.m_bLoaded);
      const std::vector<BYTE> coded = CMrkBinaryFile::Compress(o.GetImage(), o.m_Image.size());
      const std::vector<BYTE>& data = coded.empty() ? o.m_Image : coded;
      WriteInt(ar, static_cast<int>(data.size()));
      if (!data.empty()) ar.Write(data.data(), data.size());
      ar << o.m_dWidth << o.m_dHeight;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_bKeepAspect);
      WriteInt(ar, o.m_bInvert);
      ar << o.m_strPath;
      break;
    }
    case TYPE_BARCODE: {
      const auto& o = static_cast<const CBarcodeObject&>(object);
      ar << o.m_dSizeX << o.m_dSizeY;
      WriteGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap);
      WriteInt(ar, o.m_nLevel);
      WriteInt(ar, o.m_nVersion);
      ar << o.m_strText;
      break;
    }
    case TYPE_DRAWING: {
      const auto& o = static_cast<const CDrawingObject&>(object);
      WriteRecord(ar, *o.m_pSetting);
      WriteRecord(ar, *o.m_pArea);
      WriteRecord(ar, *o.m_pField);
      break;
    }
    case TYPE_DRAWING_SETTING: {
      const auto& o = static_cast<const CDrawingSettingObject&>(object);
      ar << o.m_dEditArea << o.m_dGridSize << o.m_dScaleX << o.m_dScaleY;
      WriteInt(ar, o.m_bSwapXY);
      WriteInt(ar, o.m_bReverseX);
      WriteInt(ar, o.m_bReverseY);
      WriteInt(ar, o.m_bHomeAfter);
      ar << o.m_dHomeX << o.m_dHomeY;
      WriteInt(ar, o.m_nCurrentLayer);
      for (const CLayerRecord& layer : o.m_Layers) {
        WriteInt(ar, layer.nCount);
        WriteInt(ar, layer.nPower);
        WriteInt(ar, layer.nSpeed);
        WriteInt(ar, layer.bConstant);
      }
      break;
    }
    case TYPE_DRAWING_AREA: {
      const auto& o = static_cast<const CDrawingAreaObject&>(object);
      ar << o.m_dWidth << o.m_dHeight;
      WriteInt(ar, o.m_nResolution);
      ar << o.m_dScanSpan;
      WriteInt(ar, o.m_nOutlineStyle);
      WriteInt(ar, o.m_nScanStyle);
      WriteInt(ar, o.m_nScanDirection);
      WriteInt(ar, o.m_nOutputStyle);
      WriteInt(ar, o.m_nConversionStyle);
      ar << o.m_dFrameWidth << o.m_dCornerRadius;
      break;
    }
    case TYPE_DRAWING_FIELD: {
      const auto& o = static_cast<const CDrawingFieldObject&>(object);
      ar << o.m_dFieldX << o.m_dFieldY;
      WriteInt(ar, o.m_nPlotterPosition);
      break;
    }
    default:
      break;
  }
}

bool HasRecordFormat(const CDrawObject& o) {
  if (o.m_nType >= TYPE_LINE && o.m_nType <= TYPE_BARCODE) return true;
  if (o.m_nType != TYPE_DRAWING) return false;
  const auto& d = static_cast<const CDrawingObject&>(o);
  return d.m_pSetting && d.m_pArea && d.m_pField;
}

// ---------------------------------------------------------------------------------------------
// Reading. Everything throws CArchiveException on a short or inconsistent file; the caller
// catches it and refuses the whole file.

// The archive as the reader sees it: a double that is not finite (NaN, infinity) reads as 0,
// the default of every field, so nothing downstream ever computes with one.
class CFileIn {
 public:
  explicit CFileIn(CArchive& ar) : m_ar(ar) {}
  CFileIn& operator>>(double& v) {
    m_ar >> v;
    if (!std::isfinite(v)) v = 0.0;
    return *this;
  }
  CFileIn& operator>>(std::uint32_t& v) {
    m_ar >> v;
    return *this;
  }
  CFileIn& operator>>(CString& v) {
    m_ar >> v;
    return *this;
  }
  int ReadInt() { return m_ar.ReadInt(); }
  void Read(void* data, size_t size) { m_ar.Read(data, size); }
  size_t CheckCount(std::int64_t count, size_t elementSize) const { return m_ar.CheckCount(count, elementSize); }

 private:
  CArchive& m_ar;
};

[[noreturn]] void Refuse(const char* why) { throw CArchiveException(why); }

int ReadLayer(CFileIn& ar) {
  const int layer = ar.ReadInt();
  // The layer indexes the layer tables everywhere; a file cannot be trusted with it.
  if (layer < 0 || layer >= LAYER_COUNT) Refuse("layer out of range");
  return layer;
}

void ReadPoints(CFileIn& ar, std::vector<CDoublePoint>& points) {
  const size_t n = ar.CheckCount(ar.ReadInt(), 16);
  points.clear();
  points.resize(n);
  for (CDoublePoint& p : points) ar >> p.x >> p.y;
}

// Reads the common part. The name is kept only where `keepName` says (the work-area record and
// its children).
void ReadCommon(CFileIn& ar, CDrawObject& o, bool keepName) {
  CString name;
  ar >> name;
  if (keepName) o.SetName(name);
  o.m_nByteSize = ar.ReadInt();
  // A written object is never deleted; a set flag would hide the work area from every later save.
  ar.ReadInt();
  std::uint32_t colour;
  ar >> colour;
  o.m_crColor = colour;
  ar >> o.m_rcBounds.left >> o.m_rcBounds.top >> o.m_rcBounds.right >> o.m_rcBounds.bottom;
  o.m_nInnerCornerStyle = ar.ReadInt();
  o.m_nOuterCornerStyle = ar.ReadInt();
  o.m_nLayer = ReadLayer(ar);
  o.m_nOutputMode = ar.ReadInt();
  ar >> o.m_dScanInterval;
  o.m_nFillDirection = ar.ReadInt();
  o.m_bMirrorX = ar.ReadInt();
  o.m_bMirrorY = ar.ReadInt();
  ar >> o.m_dPosX >> o.m_dPosY;
  o.m_nCapturedCount = ar.ReadInt();
  ReadPoints(ar, o.m_vInnerPoints);
  ReadPoints(ar, o.m_vOuterPoints);
  o.m_bDeleted = 0;
}

// Counts are clamped to what the kind's property page accepts.
void ReadGrid(CFileIn& ar, int& rows, int& columns, double& rowGap, double& columnGap, int kind) {
  rows = ClampGridCount(ar.ReadInt());
  columns = ClampGridColumns(kind, ar.ReadInt());
  ar >> rowGap >> columnGap;
}

void ReadCharRecords(CFileIn& ar, std::vector<CTextCharRecord>& records) {
  const size_t n = ar.CheckCount(ar.ReadInt(), sizeof(CTextCharRecord));
  records.clear();
  records.resize(n);
  for (CTextCharRecord& r : records) {
    ar >> r.dSizeX >> r.dSizeY >> r.dOffsetX >> r.dOffsetY >> r.dAngle >> r.dFontWidthX >> r.dFontWidthY;
  }
}

template <class Text>
void ReadFontPart(CFileIn& ar, Text& o) {
  ar >> o.m_dLineWidthX >> o.m_dLineWidthY;
  o.m_nWeight = ar.ReadInt();
  o.m_bItalic = ar.ReadInt();
  o.m_nCharSet = ar.ReadInt();
  CString face;
  ar >> face;
  o.SetFaceName(face);
  o.m_nFontExtra1 = ar.ReadInt();
  o.m_nFontExtra2 = ar.ReadInt();
  o.m_nFontSize = ar.ReadInt();
}

void ReadBmpImage(CFileIn& ar, CBmpObject& o) {
  const size_t n = ar.CheckCount(ar.ReadInt(), 1);
  o.m_Image.clear();
  if (n == 0) return;
  std::vector<BYTE> data(n);
  ar.Read(data.data(), n);
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

void ReadKindPart(CFileIn& ar, CDrawObject& object);

void ReadNestedRecord(CFileIn& ar, CDrawObject& child) {
  ar.ReadInt();  // the nested kind: its place in the record says what it is
  ReadCommon(ar, child, true);
  ReadKindPart(ar, child);
}

void ReadKindPart(CFileIn& ar, CDrawObject& object) {
  switch (object.m_nType) {
    case TYPE_LINE: {
      auto& o = static_cast<CLineObject&>(object);
      ar >> o.m_dPosX >> o.m_dPosY >> o.m_dWidth >> o.m_dHeight >> o.m_dAngle;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      break;
    }
    case TYPE_RECTANGLE: {
      auto& o = static_cast<CRectangleObject&>(object);
      ar >> o.m_dWidth >> o.m_dHeight >> o.m_dEdgeSize >> o.m_dEdgeRadius;
      o.m_nEdgeStyle = ar.ReadInt();
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      break;
    }
    case TYPE_CIRCLE: {
      auto& o = static_cast<CCircleObject&>(object);
      ar >> o.m_dSizeX >> o.m_dSizeY >> o.m_dEdgeSize;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      break;
    }
    case TYPE_TRIANGLE: {
      auto& o = static_cast<CTriangleObject&>(object);
      ar >> o.m_dWidth >> o.m_dHeight >> o.m_dEdgeSize;
      o.m_nDirection = ar.ReadInt();
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      break;
    }
    case TYPE_RHOMBIC: {
      auto& o = static_cast<CRhombicObject&>(object);
      ar >> o.m_dWidth >> o.m_dHeight >> o.m_dEdgeSize;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      break;
    }
    case TYPE_POLYGON: {
      auto& o = static_cast<CPolygonObject&>(object);
      ar >> o.m_dSize >> o.m_dEdgeSize;
      o.m_nEdges = ClampPolygonEdges(ar.ReadInt());
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      break;
    }
    case TYPE_TEXT1: {
      auto& o = static_cast<CText1Object&>(object);
      ar >> o.m_dWidth >> o.m_dHeight >> o.m_dCharWidth >> o.m_dCharHeight >> o.m_dCharGap >> o.m_dAngle >>
          o.m_dLineGap;
      o.m_bVariable = ar.ReadInt();
      ar >> o.m_strText;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_nWriteDirection = ar.ReadInt();
      o.m_nAlign = ar.ReadInt();
      ReadFontPart(ar, o);
      o.m_bCountUp = ar.ReadInt();
      o.m_nCount = ar.ReadInt();
      o.m_nCountStart = ar.ReadInt();
      o.m_nCountDigits = ar.ReadInt();
      o.m_bWidthDirection = ar.ReadInt();
      ReadCharRecords(ar, o.m_vCharRecords);
      o.m_bTextChanged = ar.ReadInt();
      break;
    }
    case TYPE_TEXT2: {
      auto& o = static_cast<CText2Object&>(object);
      ar >> o.m_dRadiusX >> o.m_dRadiusY >> o.m_dSpan >> o.m_dAngle >> o.m_dCharWidth >> o.m_dCharHeight;
      ar >> o.m_strText;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_nDirection = ar.ReadInt();
      o.m_bKeepAspect = ar.ReadInt();
      ReadFontPart(ar, o);
      o.m_bWidthDirection = ar.ReadInt();
      ReadCharRecords(ar, o.m_vCharRecords);
      o.m_bTextChanged = ar.ReadInt();
      break;
    }
    case TYPE_BMP: {
      auto& o = static_cast<CBmpObject&>(object);
      ar.ReadInt();  // loaded flag: follows from the image
      ReadBmpImage(ar, o);
      ar >> o.m_dWidth >> o.m_dHeight;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_bKeepAspect = ar.ReadInt();
      o.m_bInvert = ar.ReadInt();
      ar >> o.m_strPath;
      o.UpdateImagePointers();
      break;
    }
    case TYPE_BARCODE: {
      auto& o = static_cast<CBarcodeObject&>(object);
      ar >> o.m_dSizeX >> o.m_dSizeY;
      ReadGrid(ar, o.m_nRows, o.m_nColumns, o.m_dRowGap, o.m_dColumnGap, o.m_nType);
      o.m_nLevel = ar.ReadInt();
      o.m_nVersion = ar.ReadInt();
      ar >> o.m_strText;
      break;
    }
    case TYPE_DRAWING: {
      auto& o = static_cast<CDrawingObject&>(object);
      ReadNestedRecord(ar, *o.m_pSetting);
      ReadNestedRecord(ar, *o.m_pArea);
      ReadNestedRecord(ar, *o.m_pField);
      break;
    }
    case TYPE_DRAWING_SETTING: {
      auto& o = static_cast<CDrawingSettingObject&>(object);
      ar >> o.m_dEditArea >> o.m_dGridSize >> o.m_dScaleX >> o.m_dScaleY;
      o.m_bSwapXY = ar.ReadInt();
      o.m_bReverseX = ar.ReadInt();
      o.m_bReverseY = ar.ReadInt();
      o.m_bHomeAfter = ar.ReadInt();
      ar >> o.m_dHomeX >> o.m_dHomeY;
      o.m_nCurrentLayer = ReadLayer(ar);
      for (CLayerRecord& layer : o.m_Layers) {
        layer.nCount = ar.ReadInt();
        layer.nPower = ar.ReadInt();
        layer.nSpeed = ar.ReadInt();
        layer.bConstant = ar.ReadInt();
      }
      break;
    }
    case TYPE_DRAWING_AREA: {
      auto& o = static_cast<CDrawingAreaObject&>(object);
      ar >> o.m_dWidth >> o.m_dHeight;
      o.m_nResolution = ClampDotsPerMm(ar.ReadInt());
      ar >> o.m_dScanSpan;
      o.m_nOutlineStyle = ar.ReadInt();
      o.m_nScanStyle = ar.ReadInt();
      o.m_nScanDirection = ar.ReadInt();
      o.m_nOutputStyle = ar.ReadInt();
      o.m_nConversionStyle = ar.ReadInt();
      ar >> o.m_dFrameWidth >> o.m_dCornerRadius;
      break;
    }
    case TYPE_DRAWING_FIELD: {
      auto& o = static_cast<CDrawingFieldObject&>(object);
      ar >> o.m_dFieldX >> o.m_dFieldY;
      o.m_nPlotterPosition = ar.ReadInt();
      break;
    }
    default:
      Refuse("unknown kind");
  }
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

std::vector<BYTE> CMrkBinaryFile::Serialize(const CObjectList& list) {
  CArchive ar;
  ar.Write(MRK_BINARY_HEADER, MRK_BINARY_HEADER_LENGTH);
  for (int i = 0; i < list.GetCount(); ++i) {
    const CDrawObject* o = list.GetObject(i);
    if (!o || o->m_bDeleted || !HasRecordFormat(*o)) continue;
    WriteRecord(ar, *o);
  }
  WriteInt(ar, TYPE_ENDMARK);
  return ar.Buffer();
}

int CMrkBinaryFile::Write(const CObjectList* list) {
  if (m_nMode != modeWrite || !list) return 0;
  const std::vector<BYTE> bytes = Serialize(*list);
  return fileio::WriteAtomically(fileio::ToFsPath(m_strPath), bytes.data(), bytes.size()) ? 1 : 0;
}

bool CMrkBinaryFile::ParseBytes(const std::vector<BYTE>& bytes, CObjectList& list, CMrkDesign& design) {
  design.m_Records.clear();
  if (!HeaderMatches(bytes)) return false;
  CMrkDesign parsed;
  try {
    CArchive archive(bytes.data() + MRK_BINARY_HEADER_LENGTH, bytes.size() - MRK_BINARY_HEADER_LENGTH);
    CFileIn ar(archive);
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
      ReadCommon(ar, *object, kind == TYPE_DRAWING);
      ReadKindPart(ar, *object);
      parsed.m_Records.push_back(std::move(object));
    }
  } catch (const CArchiveException&) {
    return false;
  }
  if (parsed.IsEmpty()) return false;
  design.m_Records = std::move(parsed.m_Records);
  return true;
}

int CMrkBinaryFile::Parse(CObjectList& list, CMrkDesign& design) {
  design.m_Records.clear();
  if (m_nMode != modeRead) return 0;
  std::vector<BYTE> bytes;
  if (!fileio::ReadAll(fileio::ToFsPath(m_strPath), bytes)) return 0;
  return ParseBytes(bytes, list, design) ? 1 : 0;
}

CDrawObject* CMrkBinaryFile::Read(CObjectList* list) {
  m_bDrawingLoaded = FALSE;
  if (!list || m_nMode != modeRead) return nullptr;
  CMrkDesign design;
  if (!Parse(*list, design)) return nullptr;
  return design.Commit(*list, &m_bDrawingLoaded);
}
