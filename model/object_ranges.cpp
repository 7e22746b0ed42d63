#include "model/object_ranges.h"

#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/textobject.h"
#include "platform/numfmt.h"

namespace {

constexpr CObjectRange kPositiveLength{0.0, kLengthRange.hi};

void Add(std::vector<CRangedField>& out, const char* label, double& v, const CObjectRange& range = kLengthRange) {
  out.push_back({label, &v, range});
}

void Common(std::vector<CRangedField>& out, CDrawObject& o) {
  Add(out, "位置X", o.m_dPosX);
  Add(out, "位置Y", o.m_dPosY);
  // A fill steps by it: it is never negative.
  Add(out, "走査間隔", o.m_dScanInterval, kPositiveLength);
}

template <class Kind>
void Gaps(std::vector<CRangedField>& out, Kind& o) {
  Add(out, "行間隔", o.m_dRowGap);
  Add(out, "列間隔", o.m_dColumnGap);
}

template <class Kind>
void WidthHeight(std::vector<CRangedField>& out, Kind& o) {
  Add(out, "幅", o.m_dWidth);
  Add(out, "高さ", o.m_dHeight);
}

void KindFields(std::vector<CRangedField>& out, CDrawObject& object) {
  switch (object.m_nType) {
    case TYPE_LINE: {
      auto& o = static_cast<CLineObject&>(object);
      Add(out, "長さ", o.m_dWidth);
      Add(out, "太さ", o.m_dHeight);
      Add(out, "角度", o.m_dAngle, kAngleRange);
      Gaps(out, o);
      break;
    }
    case TYPE_RECTANGLE: {
      auto& o = static_cast<CRectangleObject&>(object);
      WidthHeight(out, o);
      Add(out, "枠幅", o.m_dEdgeSize);
      Add(out, "角R", o.m_dEdgeRadius);
      Gaps(out, o);
      break;
    }
    case TYPE_CIRCLE: {
      auto& o = static_cast<CCircleObject&>(object);
      Add(out, "サイズX", o.m_dSizeX);
      Add(out, "サイズY", o.m_dSizeY);
      Add(out, "枠幅", o.m_dEdgeSize);
      Gaps(out, o);
      break;
    }
    case TYPE_TRIANGLE: {
      auto& o = static_cast<CTriangleObject&>(object);
      WidthHeight(out, o);
      Add(out, "枠幅", o.m_dEdgeSize);
      Gaps(out, o);
      break;
    }
    case TYPE_RHOMBIC: {
      auto& o = static_cast<CRhombicObject&>(object);
      WidthHeight(out, o);
      Add(out, "枠幅", o.m_dEdgeSize);
      Gaps(out, o);
      break;
    }
    case TYPE_POLYGON: {
      auto& o = static_cast<CPolygonObject&>(object);
      Add(out, "サイズ", o.m_dSize);
      Add(out, "枠幅", o.m_dEdgeSize);
      Gaps(out, o);
      break;
    }
    case TYPE_TEXT1: {
      auto& o = static_cast<CText1Object&>(object);
      WidthHeight(out, o);
      Add(out, "文字幅", o.m_dCharWidth);
      Add(out, "文字高さ", o.m_dCharHeight);
      Add(out, "文字間隔", o.m_dCharGap);
      Add(out, "角度", o.m_dAngle, kAngleRange);
      Add(out, "行間", o.m_dLineGap);
      Add(out, "線幅X", o.m_dLineWidthX);
      Add(out, "線幅Y", o.m_dLineWidthY);
      Gaps(out, o);
      break;
    }
    case TYPE_TEXT2: {
      auto& o = static_cast<CText2Object&>(object);
      Add(out, "半径X", o.m_dRadiusX);
      Add(out, "半径Y", o.m_dRadiusY);
      Add(out, "範囲", o.m_dSpan, kAngleRange);
      Add(out, "角度", o.m_dAngle, kAngleRange);
      Add(out, "文字幅", o.m_dCharWidth);
      Add(out, "文字高さ", o.m_dCharHeight);
      Add(out, "線幅X", o.m_dLineWidthX);
      Add(out, "線幅Y", o.m_dLineWidthY);
      Gaps(out, o);
      break;
    }
    case TYPE_BMP: {
      auto& o = static_cast<CBmpObject&>(object);
      WidthHeight(out, o);
      Gaps(out, o);
      break;
    }
    case TYPE_BARCODE: {
      auto& o = static_cast<CBarcodeObject&>(object);
      Add(out, "サイズX", o.m_dSizeX);
      Add(out, "サイズY", o.m_dSizeY);
      Gaps(out, o);
      break;
    }
    case TYPE_DRAWING: {
      auto& o = static_cast<CDrawingObject&>(object);
      if (CDrawingSettingObject* s = o.m_pSetting.get()) {
        Add(out, "エリア", s->m_dEditArea);
        Add(out, "グリッド", s->m_dGridSize);
        Add(out, "スケールX", s->m_dScaleX, kFactorRange);
        Add(out, "スケールY", s->m_dScaleY, kFactorRange);
        Add(out, "ホームX", s->m_dHomeX);
        Add(out, "ホームY", s->m_dHomeY);
      }
      if (CDrawingAreaObject* a = o.m_pArea.get()) {
        Add(out, "スキャンエリア オフセットX", a->m_dPosX);
        Add(out, "スキャンエリア オフセットY", a->m_dPosY);
        Add(out, "スキャンエリア 幅", a->m_dWidth);
        Add(out, "スキャンエリア 高さ", a->m_dHeight);
        Add(out, "スパン", a->m_dScanSpan);
        Add(out, "枠幅", a->m_dFrameWidth);
        Add(out, "R", a->m_dCornerRadius);
      }
      if (CDrawingFieldObject* f = o.m_pField.get()) {
        Add(out, "フィールドX", f->m_dFieldX);
        Add(out, "フィールドY", f->m_dFieldY);
        Add(out, "フィールド オフセットX", f->m_dPosX);
        Add(out, "フィールド オフセットY", f->m_dPosY);
      }
      break;
    }
    default: break;
  }
}

const CTextCharRecords* CharRecords(const CDrawObject& o) {
  if (o.m_nType == TYPE_TEXT1) return &static_cast<const CText1Object&>(o).m_vCharRecords;
  if (o.m_nType == TYPE_TEXT2) return &static_cast<const CText2Object&>(o).m_vCharRecords;
  return nullptr;
}

constexpr const char* kRecordLabels[7] = {"サイズX", "サイズY", "オフセットX", "オフセットY", "角度", "線幅X", "線幅Y"};

CString Describe(const char* label, double value) {
  return CString::FromUtf8(label) + CString(numfmt::Format(" = %g", value));
}

}  // namespace

std::vector<CRangedField> RangedFields(CDrawObject& object) {
  std::vector<CRangedField> out;
  // The work area's own position is no offset anyone sees; its children carry the values.
  if (object.m_nType != TYPE_DRAWING) Common(out, object);
  KindFields(out, object);
  return out;
}

std::optional<CObjectRange> RangeOfField(CDrawObject& object, const double* field) {
  for (const CRangedField& f : RangedFields(object)) {
    if (f.value == field) return f.range;
  }
  return std::nullopt;
}

const CObjectRange& CharRecordRange(int index) { return index == 4 ? kAngleRange : kLengthRange; }

bool ObjectInRange(const CDrawObject& object, CString* what) {
  // The walk hands out addresses for the setters' sake; nothing is written through them here.
  CDrawObject& o = const_cast<CDrawObject&>(object);
  for (const CRangedField& f : RangedFields(o)) {
    if (f.range.Holds(*f.value)) continue;
    if (what) *what = Describe(f.label, *f.value);
    return false;
  }
  if (const CTextCharRecords* records = CharRecords(object)) {
    for (size_t i = 0; i < records->size(); ++i) {
      const CTextCharRecord& r = (*records)[i];
      const double v[7] = {r.dSizeX, r.dSizeY, r.dOffsetX, r.dOffsetY, r.dAngle, r.dFontWidthX, r.dFontWidthY};
      for (int k = 0; k < 7; ++k) {
        if (CharRecordRange(k).Holds(v[k])) continue;
        if (what) {
          *what = CString(numfmt::Format("%d", static_cast<int>(i + 1))) + CString::FromUtf8("文字目 ") +
                  Describe(kRecordLabels[k], v[k]);
        }
        return false;
      }
    }
  }
  return true;
}
