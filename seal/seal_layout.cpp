// Seal layout: the personal and the corporate seal built from their dialogs' values as ordinary
// drawing objects (frames, ring text, one straight text per inner character), each on its part's
// layer with its part id, centred on the origin of the scanning area.
#include <cmath>
#include <memory>
#include <vector>

#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "platform/cp932.h"
#include "platform/ui/modal_dialogs.h"
#include "seal/seal_layout_util.h"
#include "seal/seal_parts.h"

namespace seal {

std::vector<CString> SplitChars(const CString& line) {
  std::vector<CString> chars;
  for (int p = 0; p < line.GetLength();) {
    int width = cp932::IsLeadByte(static_cast<unsigned char>(line.GetAt(p))) ? 2 : 1;
    if (p + width > line.GetLength()) width = line.GetLength() - p;
    chars.push_back(line.Mid(p, width));
    p += width;
  }
  return chars;
}

std::vector<CString> SplitInnerWords(const CString& text) {
  static const CString kWideSpace = CString::FromUtf8("　");
  CString flat;
  for (const CString& ch : SplitChars(text)) flat += (ch == kWideSpace) ? CString(" ") : ch;
  flat += " ";
  // A blank is never part of a double-byte character, so the byte operations below are safe.
  while (flat.Find("  ") >= 0) flat.Replace("  ", " ");
  std::vector<CString> words;
  int start = 0;
  for (int i = 0; i < flat.GetLength(); ++i) {
    if (flat.GetAt(i) != ' ') continue;
    words.push_back(flat.Mid(start, i - start));
    start = i + 1;
  }
  return words;
}

int EffectiveStyle(int style, int lineCount) {
  if (lineCount <= 1) return style;
  if (style == 0 || style == 1 || style == 4) return 2;
  if (style == 3 || style == 5) return 6;
  return style;
}

std::vector<SealCell> LayoutCells(const CString* lines, int count, double width, double height, int style) {
  std::vector<SealCell> cells;
  if (!lines || count <= 0) return cells;
  style = EffectiveStyle(style, count);
  switch (style) {
    case 0:
    case 3:
    case 4:
    case 5: {
      const std::vector<CString> chars = SplitChars(lines[0]);
      const int c = static_cast<int>(chars.size());
      if (c == 0) break;
      const double w = width / c;
      const bool leftToRight = (style == 3 || style == 5);
      const bool descending = (style == 4 || style == 5);
      const double h = descending ? 0.7 * height : height;
      // One character has no slope to follow: it sits on the middle line.
      const double drop = descending && c > 1 ? (1 - 0.7) * height / (c - 1) : 0.0;
      double x = (leftToRight ? -1 : 1) * (c - 1) * w / 2;
      double y = descending && c > 1 ? (1 - 0.7) * height / 2 : 0.0;
      for (const CString& ch : chars) {
        cells.push_back({ch, w, h, x, y});
        x += leftToRight ? w : -w;
        y -= drop;
      }
      break;
    }
    case 1:
    case 2:
    case 6: {
      const double w = width / count;
      const bool leftToRight = (style == 6);
      double x = (leftToRight ? -1 : 1) * (count - 1) * w / 2;
      for (int line = 0; line < count; ++line) {
        const std::vector<CString> chars = SplitChars(lines[line]);
        const int c = static_cast<int>(chars.size());
        if (c > 0) {
          const double h = height / c;
          double y = (c - 1) * h / 2;
          for (const CString& ch : chars) {
            cells.push_back({ch, w, h, x, y});
            y -= h;
          }
        }
        x += leftToRight ? w : -w;
      }
      break;
    }
    default: break;
  }
  return cells;
}

RingLayout ComputeRing(const CString& ringText, int topDot) {
  RingLayout ring;
  const int n = CTextUtil().GetCharCount(ringText);
  ring.text = topDot ? CString::FromUtf8("・") + ringText : ringText;
  ring.made = n > 0 || topDot;
  // Without characters the lone dot stands at the top: no span to spread over.
  if (n > 0) {
    ring.span = static_cast<double>(n - 1) / n * 360.0;
    ring.angle = ring.span / -2;
  }
  return ring;
}

void PushFont(CString* list, int size, const CString& face) {
  int at = size - 1;
  for (int i = 0; i < size; ++i) {
    if (list[i] == face) {
      at = i;
      break;
    }
  }
  for (int i = at; i > 0; --i) list[i] = list[i - 1];
  list[0] = face;
}

}  // namespace seal

namespace {

// Common fields of every seal part: filled, one copy, at the seal's centre.
template <class T>
void SetOneCopyAtCentre(T* o) {
  o->m_nOutputMode = 2;
  o->m_nFillDirection = 0;
  o->m_nRows = 1;
  o->m_nColumns = 1;
  o->m_dRowGap = 0.0;
  o->m_dColumnGap = 0.0;
  o->m_dPosX = 0.0;
  o->m_dPosY = 0.0;
}

CString FaceOrDefault(const char* face, const CString& personal) {
  if (face && *face) return CString(face);
  if (!personal.IsEmpty()) return personal;
  return CString(DEFAULT_FACE_NAME);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Entry and the two builders

void CKorvaneDoc::CreateNewSeal() {
  if (m_bPaintMode || !m_pObjectList) return;
  SealKindDialogData kind;
  if (!ModalDialogs().SealKindDialog(kind) || kind.kind < 0) {
    SetSealMode(SEAL_MODE_NONE);
    return;
  }
  if (kind.kind == 0) {
    BuildPersonalSeal();
  } else if (kind.kind == 1) {
    BuildCorporateSeal();
  } else {
    SetSealMode(SEAL_MODE_NONE);
  }
}

void CKorvaneDoc::SetSealDrawingArea(double width, double height, int shape, double frame, const double* radius) {
  CDrawingObject* drawing = m_pObjectList ? m_pObjectList->GetDrawingObject() : nullptr;
  if (!drawing || !drawing->m_pSetting || !drawing->m_pArea) return;
  CDrawingSettingObject& setting = *drawing->m_pSetting;
  setting.m_dScaleX = setting.m_dScaleY = 1.0;
  setting.m_nScanAngle = 0;
  m_Settings.DrawingData.ScaleX = m_Settings.DrawingData.ScaleY = 1.0;
  m_Settings.DrawingData.ScanAngle = 0;
  CDrawingAreaObject& area = *drawing->m_pArea;
  CSettingsDrawingArea& mirror = m_Settings.DrawingArea;
  area.m_dPosX = area.m_dPosY = mirror.OffsetX = mirror.OffsetY = 0.0;
  area.m_dWidth = mirror.Width = width;
  area.m_dHeight = mirror.Height = height;
  area.m_dFrameWidth = mirror.FrameSize = frame;
  area.m_nOutlineStyle = mirror.OutlineIndex = shape;
  if (radius) area.m_dCornerRadius = mirror.RoundSize = *radius;
}

void CKorvaneDoc::FinishSealPart(CDrawObject* object, int part, int layer, const char* utf8Name, LPARAM hint) {
  object->m_nGroupId = part;
  object->m_nLayer = layer;
  object->m_crColor = LAYER_COLORS[layer];
  if (utf8Name) object->SetName(CString::FromUtf8(utf8Name));
  SyncSelectionLength();
  m_nLastAction = HINT_OBJECTS_ADDED;
  UpdateFormView(hint);
}

void CKorvaneDoc::SelectLastSealObject(int lastAction) {
  // The form shows the new current object's pages and line; the canvas repaints after.
  SetCurrentObject(ListCount() - 1, TRUE, FALSE);
  m_nLastAction = lastAction;
}

void CKorvaneDoc::BuildPersonalSeal() {
  if (m_bPaintMode || !m_pObjectList) return;
  CSettingsInkan& inkan = m_Settings.Inkan;
  PersonalSealDialogData data;
  data.shape = inkan.Shape;
  data.width = inkan.Width;
  data.height = inkan.Height;
  data.round = inkan.Round;
  data.frame = inkan.Frame;
  data.style = inkan.Dir;
  data.font = inkan.Font;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) data.fontHist[i] = inkan.FontHist[i];
  if (!ModalDialogs().PersonalSealDialog(data)) {
    SetSealMode(SEAL_MODE_NONE);
    return;
  }
  inkan.Shape = data.shape;
  inkan.Width = data.width;
  inkan.Height = data.height;
  inkan.Round = data.round;
  inkan.Frame = data.frame;
  inkan.Dir = data.style;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) inkan.FontHist[i] = data.fontHist[i];
  inkan.Font = inkan.FontHist[0];

  // The old design goes first: a refused save prompt keeps it whole, area and settings included.
  if (!OnNewDocument()) return;
  g_bModified = 1;
  if (inkan.Shape == 0 || inkan.Shape == 1) {
    SetSealDrawingArea(inkan.Width, inkan.Height, 1, 0.0, nullptr);
    CCircleObject* frame = m_pObjectList->AddCircle(nullptr, TRUE, TRUE);
    SetOneCopyAtCentre(frame);
    frame->m_dSizeX = inkan.Width;
    frame->m_dSizeY = inkan.Height;
    frame->m_dEdgeSize = inkan.Frame;
    FinishSealPart(frame, SEAL_PART_OUTER_FRAME, SEAL_LAYER_FRAME, "外枠", TYPE_CIRCLE);
  } else if (inkan.Shape == 2) {
    const double radius = inkan.Round;
    SetSealDrawingArea(inkan.Width, inkan.Height, radius == 0.0 ? 0 : 5, 0.0, &radius);
    CRectangleObject* frame = m_pObjectList->AddRectangle(nullptr, TRUE, TRUE);
    SetOneCopyAtCentre(frame);
    frame->m_dWidth = inkan.Width;
    frame->m_dHeight = inkan.Height;
    frame->m_dEdgeSize = inkan.Frame;
    frame->m_nEdgeStyle = radius == 0.0 ? 0 : 1;
    frame->m_dEdgeRadius = radius;
    FinishSealPart(frame, SEAL_PART_OUTER_FRAME, SEAL_LAYER_FRAME, "外枠", TYPE_RECTANGLE);
  } else {
    SetSealDrawingArea(inkan.Width, inkan.Height, m_Settings.DrawingArea.OutlineIndex, 0.0, nullptr);
  }
  LayoutPersonalSealText(data.lines.data(), static_cast<int>(data.lines.size()));
  SetSealMode(SEAL_MODE_PERSONAL);
}

void CKorvaneDoc::BuildCorporateSeal() {
  if (m_bPaintMode || !m_pObjectList) return;
  CSettingsInkan2& k = m_Settings.Inkan2;
  CorporateSealDialogData data;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) {
    data.sotoFont[i] = k.SotoFont[i];
    data.uchiFont[i] = k.UchiFont[i];
  }
  data.uchiText = k.UchiText;
  data.uchiImageFile = k.UchiImageFile;
  data.style = k.Dir;
  data.tenmaru = k.Tenmaru;
  data.uchiwaku = k.Uchiwaku;
  data.uchiImage = k.UchiImage;
  data.sameFont = k.SameFont;
  data.width = k.Width;
  data.height = k.Height;
  data.kaibunSize = k.KaibunSize;
  data.sotoSize = k.SotoSize;
  data.uchiSize = k.UchiSize;
  const bool ok = ModalDialogs().CorporateSealDialog(data);
  // The dialog changes the font lists in place: a face chosen before Cancel stays chosen.
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) {
    k.SotoFont[i] = data.sotoFont[i];
    k.UchiFont[i] = data.uchiFont[i];
  }
  if (!ok) {
    SetSealMode(SEAL_MODE_NONE);
    return;
  }
  k.Width = data.width;
  k.Height = data.height;
  k.Uchiwaku = data.uchiwaku;
  k.Tenmaru = data.tenmaru;
  k.KaibunSize = data.kaibunSize;
  k.SotoSize = data.sotoSize;
  k.UchiSize = data.uchiSize;
  k.UchiImage = data.uchiImage;
  k.SameFont = data.sameFont;
  k.Dir = data.style;
  m_strRingText = data.ringText;
  if (k.UchiImage) {
    k.UchiImageFile = data.uchiImageFile;
  } else {
    k.UchiText = data.uchiText;
    m_Settings.Inkan.Dir = data.style;
  }

  if (!OnNewDocument()) return;
  g_bModified = 1;
  SetSealDrawingArea(k.Width, k.Height, 1, 0.0, nullptr);

  // Outer frame.
  CCircleObject* outer = m_pObjectList->AddCircle(nullptr, TRUE, TRUE);
  SetOneCopyAtCentre(outer);
  outer->m_dSizeX = k.Width;
  outer->m_dSizeY = k.Height;
  outer->m_dEdgeSize = k.SotoSize;
  FinishSealPart(outer, SEAL_PART_OUTER_FRAME, SEAL_LAYER_FRAME, "外枠", TYPE_CIRCLE);

  // Ring text, set in the object and in the prototype alike so the next arc text looks the same.
  const seal::RingLayout ring = seal::ComputeRing(m_strRingText, k.Uchiwaku ? k.Tenmaru : 0);
  const bool withRing = k.Uchiwaku ? ring.made : !m_strRingText.IsEmpty();
  if (withRing) {
    CText2Object* arc = m_pObjectList->AddText2(nullptr, TRUE, TRUE);
    CText2Object* prototype = static_cast<CText2Object*>(m_pObjectList->GetPrototype(TYPE_TEXT2));
    for (CText2Object* t : {arc, prototype}) {
      if (!t) continue;
      SetOneCopyAtCentre(t);
      t->m_dRadiusX = k.Width / 2;
      t->m_dRadiusY = k.Height / 2;
      t->m_bKeepAspect = 1;
      t->SetFaceName(FaceOrDefault(k.SotoFont[0], m_Settings.Inkan.Font));
      t->SetText(ring.text);
      t->m_nDirection = 0;
      t->m_bItalic = 0;
      t->m_dCharWidth = t->m_dRadiusX * k.KaibunSize / 100;
      t->m_dCharHeight = t->m_dRadiusY * k.KaibunSize / 100;
      t->m_dSpan = ring.span;
      t->m_dAngle = ring.angle;
    }
    // The prototype keeps part 0: every arc text added later would otherwise count as the ring
    // text, and converting the ring would delete it unseen.
    FinishSealPart(arc, SEAL_PART_RING_TEXT, SEAL_LAYER_RING_TEXT, "廻文字 (テキスト オブジェクト)", TYPE_TEXT2);
  }

  // The ring band is exactly one character high: inside it lies the inner frame.
  const double innerWidth = k.Width - k.Width * k.KaibunSize / 100;
  const double innerHeight = k.Height - k.Height * k.KaibunSize / 100;
  if (k.Uchiwaku) {
    CCircleObject* inner = m_pObjectList->AddCircle(nullptr, TRUE, TRUE);
    CCircleObject* prototype = static_cast<CCircleObject*>(m_pObjectList->GetPrototype(TYPE_CIRCLE));
    for (CCircleObject* c : {inner, prototype}) {
      if (!c) continue;
      c->m_dSizeX = innerWidth;
      c->m_dSizeY = innerHeight;
      c->m_dPosX = c->m_dPosY = 0.0;
      c->m_dEdgeSize = k.UchiSize;
      c->m_nRows = c->m_nColumns = 1;
      c->m_dRowGap = c->m_dColumnGap = 0.0;
    }
    inner->m_nFillDirection = 0;
    inner->m_nOutputMode = 2;
    FinishSealPart(inner, SEAL_PART_INNER_FRAME, SEAL_LAYER_INNER_FRAME, "内枠", TYPE_CIRCLE);
  }

  if (!k.UchiImage) {
    const CString text = k.UchiText.empty() ? CString() : k.UchiText.front();
    const std::vector<CString> words = seal::SplitInnerWords(text);
    const CString face = k.SameFont ? k.SotoFont[0] : k.UchiFont[0];
    const bool innerBox = k.Uchiwaku || withRing;
    LayoutSealText(words.data(), static_cast<int>(words.size()), innerBox ? innerWidth : k.Width,
                   innerBox ? innerHeight : k.Height, k.Dir, SEAL_LAYER_INNER_TEXT, SEAL_LAYER_INNER_TEXT,
                   face.c_str());
  }
  UpdateBothViews(HINT_REDRAW_ALL);
  SetSealMode(SEAL_MODE_CORPORATE);
}

// ---------------------------------------------------------------------------------------------
// Character layout

void CKorvaneDoc::LayoutPersonalSealText(const CString* lines, int count) {
  LayoutSealText(lines, count, m_Settings.DrawingArea.Width, m_Settings.DrawingArea.Height, m_Settings.Inkan.Dir,
                 SEAL_LAYER_PERSONAL_TEXT, SEAL_LAYER_PERSONAL_TEXT);
}

void CKorvaneDoc::LayoutSealText(const CString* lines, int count, double width, double height, int style, int layer,
                                 int colorIndex, const char* face) {
  if (!m_pObjectList) return;
  for (const seal::SealCell& cell : seal::LayoutCells(lines, count, width, height, style))
    AddSealTextObject(cell.character, cell.width, cell.height, cell.x, cell.y, layer, colorIndex, face);
  SelectLastSealObject(m_nLastAction);
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::AddSealTextObject(const CString& character, double width, double height, double x, double y,
                                    int layer, int colorIndex, const char* face) {
  if (!m_pObjectList) return;
  if (layer < 0 || layer >= LAYER_COUNT) layer = 0;
  if (colorIndex < 0 || colorIndex >= LAYER_COUNT) colorIndex = layer;
  g_bModified = 1;
  // From a clean text, not the prototype: the prototype carries what the operator last set on a
  // text (a counter above all, which would engrave a serial in place of the name), and a seal's
  // character takes only the fields set below.
  const std::unique_ptr<CText1Object> clean = m_pObjectList->NewText1Prototype();
  CText1Object* t = m_pObjectList->AddText1(clean.get(), TRUE, TRUE);
  t->m_dCharWidth = t->m_dWidth = width;
  t->m_dCharHeight = t->m_dHeight = height;
  t->m_dPosX = x;
  t->m_dPosY = y;
  t->SetFaceName(FaceOrDefault(face, m_Settings.Inkan.Font));
  // Fresh records even when the prototype held this very character: an old record would move it.
  t->SetText(character);
  t->m_vCharRecords.assign(CTextUtil().GetCharCount(character), CTextCharRecord());
  t->m_dAngle = 0.0;
  t->m_dCharGap = 0.0;
  t->m_dLineGap = 0.0;
  t->m_dRowGap = t->m_dColumnGap = 0.0;
  t->m_dLineWidthX = t->m_dLineWidthY = 0.0;
  t->m_nRows = t->m_nColumns = 1;
  t->m_nWriteDirection = 1;
  t->m_bItalic = 0;
  t->m_nFontExtra1 = 0;
  t->m_nFontExtra2 = 0;
  t->m_nLayer = layer;
  t->m_crColor = LAYER_COLORS[colorIndex];
  t->m_nGroupId = SEAL_PART_INNER_TEXT;
  t->m_nOutputMode = 2;
  t->m_nFillDirection = 0;
  SyncSelectionLength();
  m_nLastAction = HINT_OBJECTS_ADDED;
  UpdateFormView(TYPE_TEXT1);
}
