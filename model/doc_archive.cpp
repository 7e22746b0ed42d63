#include "model/doc_archive.h"

#include <cmath>
#include <memory>

#include "model/bmpobject.h"
#include "model/doc_objects.h"
#include "model/drawobject.h"
#include "model/kinds.h"
#include "model/textobject.h"

namespace {

// The archive order of the kinds: the barcode comes before the bitmap.
constexpr int kArchiveOrder[ARCHIVE_PROTOTYPE_COUNT] = {TYPE_LINE,    TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE,
                                                        TYPE_RHOMBIC, TYPE_POLYGON,   TYPE_TEXT1,  TYPE_TEXT2,
                                                        TYPE_BARCODE, TYPE_BMP};

class Writer {
 public:
  explicit Writer(CArchive& ar) : m_ar(ar) {}
  void d(double& v) { m_ar << v; }
  void i(int& v) { m_ar << static_cast<std::int32_t>(v); }
  void s(CString& v) { m_ar << v; }
  void records(const CTextCharRecords& v) {
    m_ar << static_cast<std::int32_t>(v.size());
    for (const CTextCharRecord& r : v) Record(r);
  }

 private:
  void Record(const CTextCharRecord& r) {
    m_ar << r.dSizeX << r.dSizeY << r.dOffsetX << r.dOffsetY << r.dAngle << r.dFontWidthX << r.dFontWidthY;
  }
  CArchive& m_ar;
};

class Reader {
 public:
  explicit Reader(CArchive& ar) : m_ar(ar) {}
  // A value that is not finite reads as 0, the field's default.
  void d(double& v) {
    m_ar >> v;
    if (!std::isfinite(v)) v = 0.0;
  }
  void i(int& v) {
    std::int32_t x;
    m_ar >> x;
    v = x;
  }
  void s(CString& v) { m_ar >> v; }
  void records(CTextCharRecords& v) {
    std::int32_t n;
    m_ar >> n;
    // A damaged count never allocates more than the bytes that are left can hold.
    const size_t count = m_ar.CheckCount(n, 7 * sizeof(double));
    v.clear();
    for (size_t k = 0; k < count; ++k) {
      CTextCharRecord r;
      d(r.dSizeX); d(r.dSizeY); d(r.dOffsetX); d(r.dOffsetY); d(r.dAngle); d(r.dFontWidthX); d(r.dFontWidthY);
      v.push_back(r);
    }
  }

 private:
  CArchive& m_ar;
};

template <class IO>
void Fields(IO& io, CLineObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dAngle);
  io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CRectangleObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize);
  io.d(o.m_dEdgeRadius); io.i(o.m_nEdgeStyle); io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap);
  io.d(o.m_dColumnGap); io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CCircleObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dSizeX); io.d(o.m_dSizeY); io.d(o.m_dEdgeSize);
  io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CTriangleObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize);
  io.i(o.m_nDirection); io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap);
  io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CRhombicObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dEdgeSize);
  io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_bKeepAspect);
}

template <class IO>
void Fields(IO& io, CPolygonObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dSize); io.d(o.m_dEdgeSize); io.i(o.m_nEdges);
  io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap);
}

template <class IO>
void Fields(IO& io, CText1Object& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.d(o.m_dCharWidth);
  io.d(o.m_dCharHeight); io.d(o.m_dCharGap); io.d(o.m_dAngle); io.d(o.m_dLineGap); io.i(o.m_bVariable);
  io.s(o.m_strText); io.i(o.m_nRows); io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap);
  io.i(o.m_nWriteDirection); io.i(o.m_nAlign); io.d(o.m_dLineWidthX); io.d(o.m_dLineWidthY);
  io.i(o.m_nWeight); io.i(o.m_bItalic); io.i(o.m_nCharSet); io.s(o.m_strFaceName);
  io.i(o.m_nFontExtra1); io.i(o.m_nFontExtra2); io.i(o.m_nFontSize); io.i(o.m_bWidthDirection);
  io.records(o.m_vCharRecords);
}

template <class IO>
void Fields(IO& io, CText2Object& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dRadiusX); io.d(o.m_dRadiusY); io.d(o.m_dSpan);
  io.d(o.m_dAngle); io.d(o.m_dCharWidth); io.d(o.m_dCharHeight); io.s(o.m_strText); io.i(o.m_nRows);
  io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_nDirection); io.i(o.m_bKeepAspect);
  io.d(o.m_dLineWidthX); io.d(o.m_dLineWidthY); io.i(o.m_nWeight); io.i(o.m_bItalic); io.i(o.m_nCharSet);
  io.s(o.m_strFaceName); io.i(o.m_nFontExtra1); io.i(o.m_nFontExtra2); io.i(o.m_nFontSize);
  io.i(o.m_bWidthDirection); io.records(o.m_vCharRecords);
}

template <class IO>
void Fields(IO& io, CBarcodeObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dSizeX); io.d(o.m_dSizeY); io.i(o.m_nRows);
  io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_nLevel); io.i(o.m_nVersion);
  io.s(o.m_strText);
}

template <class IO>
void Fields(IO& io, CBmpObject& o) {
  io.d(o.m_dPosX); io.d(o.m_dPosY); io.d(o.m_dWidth); io.d(o.m_dHeight); io.i(o.m_nRows);
  io.i(o.m_nColumns); io.d(o.m_dRowGap); io.d(o.m_dColumnGap); io.i(o.m_bKeepAspect); io.i(o.m_bInvert);
  io.s(o.m_strPath);
}

template <class IO>
void Prototype(IO& io, int kind, CDrawObject* object) {
  switch (kind) {
    case TYPE_LINE: Fields(io, *static_cast<CLineObject*>(object)); break;
    case TYPE_RECTANGLE: Fields(io, *static_cast<CRectangleObject*>(object)); break;
    case TYPE_CIRCLE: Fields(io, *static_cast<CCircleObject*>(object)); break;
    case TYPE_TRIANGLE: Fields(io, *static_cast<CTriangleObject*>(object)); break;
    case TYPE_RHOMBIC: Fields(io, *static_cast<CRhombicObject*>(object)); break;
    case TYPE_POLYGON: Fields(io, *static_cast<CPolygonObject*>(object)); break;
    case TYPE_TEXT1: Fields(io, *static_cast<CText1Object*>(object)); break;
    case TYPE_TEXT2: Fields(io, *static_cast<CText2Object*>(object)); break;
    case TYPE_BARCODE: Fields(io, *static_cast<CBarcodeObject*>(object)); break;
    case TYPE_BMP: Fields(io, *static_cast<CBmpObject*>(object)); break;
    default: break;
  }
}

// Counts as the kind's property page accepts them.
template <class Kind>
void ClampCounts(Kind& o) {
  o.m_nRows = ClampGridCount(o.m_nRows);
  o.m_nColumns = ClampGridColumns(o.m_nType, o.m_nColumns);
}

void ClampCounts(int kind, CDrawObject* object) {
  switch (kind) {
    case TYPE_LINE: ClampCounts(*static_cast<CLineObject*>(object)); break;
    case TYPE_RECTANGLE: ClampCounts(*static_cast<CRectangleObject*>(object)); break;
    case TYPE_CIRCLE: ClampCounts(*static_cast<CCircleObject*>(object)); break;
    case TYPE_TRIANGLE: ClampCounts(*static_cast<CTriangleObject*>(object)); break;
    case TYPE_RHOMBIC: ClampCounts(*static_cast<CRhombicObject*>(object)); break;
    case TYPE_POLYGON: {
      auto& o = *static_cast<CPolygonObject*>(object);
      ClampCounts(o);
      o.m_nEdges = ClampPolygonEdges(o.m_nEdges);
      break;
    }
    case TYPE_TEXT1: ClampCounts(*static_cast<CText1Object*>(object)); break;
    case TYPE_TEXT2: ClampCounts(*static_cast<CText2Object*>(object)); break;
    case TYPE_BARCODE: ClampCounts(*static_cast<CBarcodeObject*>(object)); break;
    case TYPE_BMP: ClampCounts(*static_cast<CBmpObject*>(object)); break;
    default: break;
  }
}

bool AllPresent(CDrawObject* const prototypes[ARCHIVE_PROTOTYPE_COUNT]) {
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) {
    if (!prototypes[kind] || prototypes[kind]->m_nType != kind) return false;
  }
  return true;
}

}  // namespace

void StorePrototypes(CArchive& ar, CDrawObject* const prototypes[ARCHIVE_PROTOTYPE_COUNT]) {
  if (!AllPresent(prototypes)) throw CArchiveException("defaults archive: prototype missing");
  Writer writer(ar);
  for (int kind : kArchiveOrder) Prototype(writer, kind, prototypes[kind]);
}

void LoadPrototypes(CArchive& ar, CDrawObject* const prototypes[ARCHIVE_PROTOTYPE_COUNT]) {
  if (!AllPresent(prototypes)) throw CArchiveException("defaults archive: prototype missing");
  std::unique_ptr<CDrawObject> staging[ARCHIVE_PROTOTYPE_COUNT];
  Reader reader(ar);
  for (int kind : kArchiveOrder) {
    staging[kind].reset(NewObjectOfKind(kind));
    Prototype(reader, kind, staging[kind].get());
    ClampCounts(kind, staging[kind].get());
  }
  // The whole archive was read: move the values over, the same fields in the same order.
  CArchive transfer;
  Writer out(transfer);
  for (int kind : kArchiveOrder) Prototype(out, kind, staging[kind].get());
  CArchive back(transfer.Buffer());
  Reader in(back);
  for (int kind : kArchiveOrder) Prototype(in, kind, prototypes[kind]);
}
