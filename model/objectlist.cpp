#include "model/objectlist.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "platform/prompter.h"

namespace {

const char* const kKindWords[PROTOTYPE_COUNT] = {"line",    "rectangle", "circle", "triangle", "rhombic",
                                                 "polygon", "txt",       "txt",    "bmp",      "barcode"};

bool IsDrawableKind(int type) { return type >= TYPE_LINE && type <= TYPE_BARCODE; }

// The two size fields of the kinds that have a width and a height (0 to 4, 8 and 9).
bool PlainSizeFields(CDrawObject* o, double*& x, double*& y) {
  if (!o) return false;
  switch (o->m_nType) {
    case TYPE_LINE: { auto* p = static_cast<CLineObject*>(o); x = &p->m_dWidth; y = &p->m_dHeight; return true; }
    case TYPE_RECTANGLE: { auto* p = static_cast<CRectangleObject*>(o); x = &p->m_dWidth; y = &p->m_dHeight; return true; }
    case TYPE_CIRCLE: { auto* p = static_cast<CCircleObject*>(o); x = &p->m_dSizeX; y = &p->m_dSizeY; return true; }
    case TYPE_TRIANGLE: { auto* p = static_cast<CTriangleObject*>(o); x = &p->m_dWidth; y = &p->m_dHeight; return true; }
    case TYPE_RHOMBIC: { auto* p = static_cast<CRhombicObject*>(o); x = &p->m_dWidth; y = &p->m_dHeight; return true; }
    case TYPE_BMP: { auto* p = static_cast<CBmpObject*>(o); x = &p->m_dWidth; y = &p->m_dHeight; return true; }
    case TYPE_BARCODE: { auto* p = static_cast<CBarcodeObject*>(o); x = &p->m_dSizeX; y = &p->m_dSizeY; return true; }
    default: return false;
  }
}

double ClampAtZero(double v) { return v < 0.0 ? 0.0 : v; }

// Character size after its box or radius went from `oldSize` to `newSize`.
double FollowSize(double charSize, double newSize, double oldSize) {
  return (newSize != 0.0 && oldSize != 0.0) ? charSize * (newSize / oldSize) : 0.0;
}

// The box (straight text) or radii (arc text) and the character sizes of a text object.
struct TextSizes {
  double* boxX = nullptr;
  double* boxY = nullptr;
  double* charX = nullptr;
  double* charY = nullptr;
};

bool TextSizeFields(CDrawObject* o, TextSizes& t) {
  if (!o) return false;
  if (o->m_nType == TYPE_TEXT1) {
    auto* p = static_cast<CText1Object*>(o);
    t = {&p->m_dWidth, &p->m_dHeight, &p->m_dCharWidth, &p->m_dCharHeight};
    return true;
  }
  if (o->m_nType == TYPE_TEXT2) {
    auto* p = static_cast<CText2Object*>(o);
    t = {&p->m_dRadiusX, &p->m_dRadiusY, &p->m_dCharWidth, &p->m_dCharHeight};
    return true;
  }
  return false;
}

void CopyTextSizes(const TextSizes& from, CDrawObject* prototype) {
  TextSizes to;
  if (!TextSizeFields(prototype, to)) return;
  *to.boxX = *from.boxX;
  *to.boxY = *from.boxY;
  *to.charX = *from.charX;
  *to.charY = *from.charY;
}

}  // namespace

void CTextDefaults::SetFaceName(const char* face) {
  int n = FitToCharBoundary(face, static_cast<int>(sizeof(szFaceName)) - 1);
  std::memset(szFaceName, 0, sizeof(szFaceName));
  if (n > 0) std::memcpy(szFaceName, face, n);
}

CObjectList::CObjectList() {
  m_Text1Defaults.SetFaceName(DEFAULT_FACE_NAME);
  m_Text2Defaults.SetFaceName(DEFAULT_FACE_NAME);
  Clear();
}

CObjectList::~CObjectList() = default;

// ---------------------------------------------------------------------------------------------
// Life of the list

CDrawingObject* CObjectList::Initialize() {
  // Item 0 must be the work-area object: start from an empty vector.
  Clear();
  m_pMulti = std::make_unique<CMultiObject>();
  InitNewObject(*m_pMulti, TYPE_MULTI);
  CreatePrototypes();
  auto drawing = std::make_unique<CDrawingObject>();
  InitNewObject(*drawing, TYPE_DRAWING);
  CDrawingObject* result = drawing.get();
  m_Objects.push_back(std::move(drawing));
  return result;
}

void CObjectList::CreatePrototypes() {
  m_pPrototypes[TYPE_LINE] = NewLinePrototype();
  m_pPrototypes[TYPE_RECTANGLE] = NewRectanglePrototype();
  m_pPrototypes[TYPE_CIRCLE] = NewCirclePrototype();
  m_pPrototypes[TYPE_TRIANGLE] = NewTrianglePrototype();
  m_pPrototypes[TYPE_RHOMBIC] = NewRhombicPrototype();
  m_pPrototypes[TYPE_POLYGON] = NewPolygonPrototype();
  m_pPrototypes[TYPE_TEXT1] = NewText1Prototype();
  m_pPrototypes[TYPE_TEXT2] = NewText2Prototype();
  m_pPrototypes[TYPE_BMP] = NewBmpPrototype();
  m_pPrototypes[TYPE_BARCODE] = NewBarcodePrototype();
}

void CObjectList::DeletePrototypes() {
  for (auto& p : m_pPrototypes) p.reset();
}

void CObjectList::Clear() {
  m_Objects.clear();
  ++m_nRemovals;
}

void CObjectList::Reset() {
  Clear();
  std::memset(m_nCounters, 0, sizeof(m_nCounters));
  Initialize();
}

void CObjectList::RemoveAllButDrawing() {
  if (m_Objects.size() > 1) m_Objects.resize(1);
  ++m_nRemovals;
  std::memset(m_nCounters, 0, sizeof(m_nCounters));
}

int CObjectList::RemoveDeletedTail(int first) {
  const int keep = first < 1 ? 1 : first;
  int end = GetCount();
  while (end > keep && m_Objects[end - 1]->m_bDeleted) --end;
  const int removed = GetCount() - end;
  if (removed == 0) return 0;
  m_Objects.resize(static_cast<size_t>(end));
  // A large paste deleted again leaves the vector's slots at twice what the list holds.
  if (m_Objects.capacity() / 2 > m_Objects.size()) m_Objects.shrink_to_fit();
  ++m_nRemovals;
  return removed;
}

// ---------------------------------------------------------------------------------------------
// Look-up

CDrawObject* CObjectList::Entry(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_Objects[index].get();
}

CDrawObject* CObjectList::GetObject(int index) const { return Entry(index); }

int CObjectList::GetObjectType(int index) const {
  const CDrawObject* o = Entry(index);
  return o ? o->m_nType : TYPE_UNKNOWN;
}

int CObjectList::GetDrawableCount() const {
  int n = 0;
  for (const auto& o : m_Objects)
    if (!o->m_bDeleted && o->m_nType != TYPE_DRAWING) ++n;
  return n;
}

CDrawingObject* CObjectList::GetDrawingObject() const {
  CDrawObject* o = Entry(0);
  return (o && o->m_nType == TYPE_DRAWING) ? static_cast<CDrawingObject*>(o) : nullptr;
}

CDrawObject* CObjectList::GetPrototype(int type) const {
  return IsDrawableKind(type) ? m_pPrototypes[type].get() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Prototypes

template <class T>
std::unique_ptr<T> CObjectList::NewPrototype(int type) {
  auto p = std::make_unique<T>();
  InitNewObject(*p, type);
  ApplyOutputDefaults(p.get(), type);
  ApplyTextDefaults(p.get(), type);
  p->SetName("");
  p->m_bDeleted = 0;
  return p;
}

std::unique_ptr<CLineObject> CObjectList::NewLinePrototype() { return NewPrototype<CLineObject>(TYPE_LINE); }
std::unique_ptr<CRectangleObject> CObjectList::NewRectanglePrototype() {
  return NewPrototype<CRectangleObject>(TYPE_RECTANGLE);
}
std::unique_ptr<CCircleObject> CObjectList::NewCirclePrototype() { return NewPrototype<CCircleObject>(TYPE_CIRCLE); }
std::unique_ptr<CTriangleObject> CObjectList::NewTrianglePrototype() {
  return NewPrototype<CTriangleObject>(TYPE_TRIANGLE);
}
std::unique_ptr<CRhombicObject> CObjectList::NewRhombicPrototype() {
  return NewPrototype<CRhombicObject>(TYPE_RHOMBIC);
}
std::unique_ptr<CPolygonObject> CObjectList::NewPolygonPrototype() {
  return NewPrototype<CPolygonObject>(TYPE_POLYGON);
}
std::unique_ptr<CText1Object> CObjectList::NewText1Prototype() { return NewPrototype<CText1Object>(TYPE_TEXT1); }
std::unique_ptr<CText2Object> CObjectList::NewText2Prototype() { return NewPrototype<CText2Object>(TYPE_TEXT2); }
std::unique_ptr<CBarcodeObject> CObjectList::NewBarcodePrototype() {
  return NewPrototype<CBarcodeObject>(TYPE_BARCODE);
}

std::unique_ptr<CBmpObject> CObjectList::NewBmpPrototype() {
  // Never asks for a file: reset, no image.
  auto p = std::make_unique<CBmpObject>();
  p->OpenBmpFile(FALSE);
  ApplyOutputDefaults(p.get(), TYPE_BMP);
  p->SetName("");
  p->m_bDeleted = 0;
  return p;
}

// ---------------------------------------------------------------------------------------------
// Adding

CDrawObject* CObjectList::Insert(std::unique_ptr<CDrawObject> object) {
  CDrawObject* raw = object.get();
  m_Objects.push_back(std::move(object));
  return raw;
}

template <class T>
T* CObjectList::AddObject(int type, const T* source, BOOL insert, BOOL newName) {
  auto o = std::make_unique<T>();
  InitNewObject(*o, type);
  if (source) {
    o->CopySettings(source);
    o->CopyCommon(source);
  } else {
    const T* prototype = static_cast<const T*>(GetPrototype(type));
    o->CopySettings(prototype);
    o->CopyCommon(prototype);
    ApplyOutputDefaults(o.get(), type);
    ApplyTextDefaults(o.get(), type);
  }
  if (newName) o->SetName(MakeObjectName(type, FALSE));
  o->m_bDeleted = 0;
  if (insert) return static_cast<T*>(Insert(std::move(o)));
  return o.release();  // the caller's now
}

CLineObject* CObjectList::AddLine(const CLineObject* s, BOOL insert, BOOL newName) {
  return AddObject<CLineObject>(TYPE_LINE, s, insert, newName);
}
CRectangleObject* CObjectList::AddRectangle(const CRectangleObject* s, BOOL insert, BOOL newName) {
  return AddObject<CRectangleObject>(TYPE_RECTANGLE, s, insert, newName);
}
CCircleObject* CObjectList::AddCircle(const CCircleObject* s, BOOL insert, BOOL newName) {
  return AddObject<CCircleObject>(TYPE_CIRCLE, s, insert, newName);
}
CTriangleObject* CObjectList::AddTriangle(const CTriangleObject* s, BOOL insert, BOOL newName) {
  return AddObject<CTriangleObject>(TYPE_TRIANGLE, s, insert, newName);
}
CRhombicObject* CObjectList::AddRhombic(const CRhombicObject* s, BOOL insert, BOOL newName) {
  return AddObject<CRhombicObject>(TYPE_RHOMBIC, s, insert, newName);
}
CPolygonObject* CObjectList::AddPolygon(const CPolygonObject* s, BOOL insert, BOOL newName) {
  return AddObject<CPolygonObject>(TYPE_POLYGON, s, insert, newName);
}
CText1Object* CObjectList::AddText1(const CText1Object* s, BOOL insert, BOOL newName) {
  CText1Object* t = AddObject<CText1Object>(TYPE_TEXT1, s, insert, newName);
  // A new counting text shows and engraves its counter. The prototype's string is whatever text
  // was confirmed last, on any text, and need not be that number.
  if (!s && t && t->m_bCountUp)
    t->SetText(t->CounterText());
  return t;
}
CText2Object* CObjectList::AddText2(const CText2Object* s, BOOL insert, BOOL newName) {
  return AddObject<CText2Object>(TYPE_TEXT2, s, insert, newName);
}
CBarcodeObject* CObjectList::AddBarcode(const CBarcodeObject* s, BOOL insert, BOOL newName) {
  return AddObject<CBarcodeObject>(TYPE_BARCODE, s, insert, newName);
}

CBmpObject* CObjectList::AddBmpCopy(const CBmpObject* source, BOOL insert, BOOL newName) {
  std::unique_ptr<CBmpObject> o;
  if (source) {
    o = std::make_unique<CBmpObject>(source);
  } else {
    // A new bitmap asks for its file; the prototype gives the common part and the display
    // settings, never its (empty) image or size, which would undo what was just loaded.
    o = std::make_unique<CBmpObject>();
    InitNewObject(*o, TYPE_BMP);
    if (!o->m_bLoaded) return nullptr;
    if (const auto* p = static_cast<const CBmpObject*>(GetPrototype(TYPE_BMP))) {
      o->CopyCommon(p);
      o->m_nRows = p->m_nRows;
      o->m_nColumns = p->m_nColumns;
      o->m_dRowGap = p->m_dRowGap;
      o->m_dColumnGap = p->m_dColumnGap;
      o->m_bKeepAspect = p->m_bKeepAspect;
      o->m_bInvert = p->m_bInvert;
      o->m_nStretchMode = p->m_nStretchMode;
      o->m_nTone = p->m_nTone;
      o->m_nGradation = p->m_nGradation;
    }
    ApplyOutputDefaults(o.get(), TYPE_BMP);
  }
  if (newName) o->SetName(MakeObjectName(TYPE_BMP, FALSE));
  o->m_bDeleted = 0;
  if (insert) return static_cast<CBmpObject*>(Insert(std::move(o)));
  return o.release();
}

CBmpObject* CObjectList::AddBmpFromFile(const CString& path) {
  auto o = std::make_unique<CBmpObject>(path);
  if (!o->m_bLoaded) return nullptr;
  ApplyOutputDefaults(o.get(), TYPE_BMP);
  o->SetName(MakeObjectName(TYPE_BMP, FALSE));
  o->m_bDeleted = 0;
  return static_cast<CBmpObject*>(Insert(std::move(o)));
}

CBmpObject* CObjectList::AddBmpFromImage(std::vector<BYTE> image) {
  std::unique_ptr<CBmpObject> o = NewBmpFromImage(std::move(image));
  if (!o) return nullptr;
  o->SetName(MakeObjectName(TYPE_BMP, FALSE));
  return static_cast<CBmpObject*>(Insert(std::move(o)));
}

std::unique_ptr<CBmpObject> CObjectList::NewBmpFromImage(std::vector<BYTE> image) {
  auto o = std::make_unique<CBmpObject>();
  o->SetImage(std::move(image));
  o->m_nGroupId = 0;
  if (!o->m_bLoaded) return nullptr;
  ApplyOutputDefaults(o.get(), TYPE_BMP);
  o->m_bDeleted = 0;
  return o;
}

std::unique_ptr<CBmpObject> CObjectList::NewBmpFromFile(const CString& path) {
  auto o = std::make_unique<CBmpObject>(path);
  ApplyOutputDefaults(o.get(), TYPE_BMP);
  o->m_bDeleted = 0;
  return o;
}

std::unique_ptr<CBmpObject> CObjectList::ReplaceBmp() {
  auto o = std::make_unique<CBmpObject>();
  o->ResetSettings();
  o->m_nGroupId = 0;
  ApplyOutputDefaults(o.get(), TYPE_BMP);
  o->SetName(MakeObjectName(TYPE_BMP, FALSE));
  o->m_bDeleted = 0;
  return o;
}

CBmpObject* CObjectList::AppendBmp(std::unique_ptr<CBmpObject> object) {
  if (!object) return nullptr;
  object->UpdateImagePointers();
  return static_cast<CBmpObject*>(Insert(std::move(object)));
}

CDrawObject* CObjectList::AppendObject(std::unique_ptr<CDrawObject> object) {
  if (!object || !IsDrawableKind(object->m_nType) || object->m_nType == TYPE_BMP) return nullptr;
  return Insert(std::move(object));
}

CBmpObject* CObjectList::RelinkMissingBmp(std::unique_ptr<CBmpObject> object) {
  if (!object) return nullptr;
  if (!object->Reload()) {
    if (!object->m_strPath.IsEmpty()) return nullptr;
    FileDialogRequest request;
    request.save = false;
    request.defaultExt = "bmp";
    request.filter = CString::FromUtf8("ビットマップ (*.bmp)|*.bmp|");
    request.initialPath = CString(object->m_szName) + CString::FromUtf8(" のファイルを指定してください");
    std::vector<CString> paths;
    if (!Prompter().FileDialog(request, paths) || paths.empty()) return nullptr;
    object->m_strPath = paths.front();
    if (!object->Reload()) return nullptr;
  }
  object->m_bDeleted = 0;
  return static_cast<CBmpObject*>(Insert(std::move(object)));
}

CDrawObject* CObjectList::DuplicateObject(int index) {
  CDrawObject* o = Entry(index);
  if (!o) return nullptr;
  switch (o->m_nType) {
    case TYPE_LINE: return AddLine(static_cast<CLineObject*>(o), TRUE, TRUE);
    case TYPE_RECTANGLE: return AddRectangle(static_cast<CRectangleObject*>(o), TRUE, TRUE);
    case TYPE_CIRCLE: return AddCircle(static_cast<CCircleObject*>(o), TRUE, TRUE);
    case TYPE_TRIANGLE: return AddTriangle(static_cast<CTriangleObject*>(o), TRUE, TRUE);
    case TYPE_RHOMBIC: return AddRhombic(static_cast<CRhombicObject*>(o), TRUE, TRUE);
    case TYPE_POLYGON: return AddPolygon(static_cast<CPolygonObject*>(o), TRUE, TRUE);
    case TYPE_TEXT1: return AddText1(static_cast<CText1Object*>(o), TRUE, TRUE);
    case TYPE_TEXT2: return AddText2(static_cast<CText2Object*>(o), TRUE, TRUE);
    case TYPE_BMP: return AddBmpCopy(static_cast<CBmpObject*>(o), TRUE, TRUE);
    case TYPE_BARCODE: return AddBarcode(static_cast<CBarcodeObject*>(o), TRUE, TRUE);
    default: return nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// Names and defaults

CString CObjectList::MakeObjectName(int type, BOOL peek) {
  if (type == TYPE_DRAWING) return "drawing";
  if (!IsDrawableKind(type)) return "";
  CString name;
  name.Format("%s%d", kKindWords[type], GetCounter(type, !peek));
  return name;
}

int CObjectList::GetCounter(int type, BOOL advance) {
  if (type == TYPE_TEXT2) type = TYPE_TEXT1;
  if (type < 0 || type >= COUNTER_COUNT) return 0;
  if (advance) ++m_nCounters[type];
  return m_nCounters[type];
}

void CObjectList::ApplyOutputDefaults(CDrawObject* object, int type) const {
  if (!object || !IsDrawableKind(type)) return;
  const CObjectOutputDefaults& d = m_OutputDefaults[type];
  object->m_nOutputMode = d.nOutputMode;
  object->m_nFillDirection = d.nFillDirection;
  object->m_dScanInterval = d.nScanInterval / 1000.0;
}

void CObjectList::ApplyTextDefaults(CDrawObject* object, int type) const {
  if (!object || object->m_nType != type) return;
  if (type == TYPE_TEXT1) {
    auto* t = static_cast<CText1Object*>(object);
    t->m_bItalic = m_Text1Defaults.bItalic;
    t->m_nFontSize = m_Text1Defaults.nFontSize;
    t->m_nCharSet = m_Text1Defaults.nCharSet;
    t->m_nWeight = m_Text1Defaults.nWeight;
    t->SetFaceName(m_Text1Defaults.szFaceName);
  } else if (type == TYPE_TEXT2) {
    auto* t = static_cast<CText2Object*>(object);
    t->m_bItalic = m_Text2Defaults.bItalic;
    t->m_nFontSize = m_Text2Defaults.nFontSize;
    t->m_nCharSet = m_Text2Defaults.nCharSet;
    t->m_nWeight = m_Text2Defaults.nWeight;
    t->SetFaceName(m_Text2Defaults.szFaceName);
  }
}

// ---------------------------------------------------------------------------------------------
// Editing

CMultiObject* CObjectList::SetMultiBounds(double sizeX, double sizeY, double posX, double posY) {
  if (!m_pMulti) return nullptr;
  m_pMulti->m_dSizeX = sizeX;
  m_pMulti->m_dSizeY = sizeY;
  m_pMulti->m_dPosX = posX;
  m_pMulti->m_dPosY = posY;
  m_pMulti->m_bValid = 1;
  return m_pMulti.get();
}

void CObjectList::MoveObject(int index, double dx, double dy) {
  if (index == -1) {
    if (m_pMulti) {
      m_pMulti->m_dPosX += dx;
      m_pMulti->m_dPosY += dy;
    }
    return;
  }
  CDrawObject* o = Entry(index);
  if (!o || !IsDrawableKind(o->m_nType)) return;
  o->m_dPosX += dx;
  o->m_dPosY += dy;
}

void CObjectList::ScaleObjectPosition(int handle, int index, double sx, double sy, double refX, double refY) {
  CDrawObject* o = Entry(index);
  if (!o || !IsDrawableKind(o->m_nType) || handle < 1 || handle > 13) return;
  const bool scaleX = handle == 2 || handle == 4 || handle >= 5;
  const bool scaleY = handle == 1 || handle == 3 || handle >= 5;
  // A zero or undefined factor comes from a selection of no size: it would pile every object
  // onto the reference point.
  if (scaleX && (!std::isfinite(sx) || sx == 0.0)) return;
  if (scaleY && (!std::isfinite(sy) || sy == 0.0)) return;
  if (scaleX) o->m_dPosX = refX + sx * (o->m_dPosX - refX);
  if (scaleY) o->m_dPosY = refY + sy * (o->m_dPosY - refY);
}

void CObjectList::ResizeObject(int index, double dw, double dh) {
  if (index == -1) {
    if (m_pMulti) {
      m_pMulti->m_dSizeX += dw;
      m_pMulti->m_dSizeY += dh;
    }
    return;
  }
  CDrawObject* o = Entry(index);
  if (!o) return;
  const int type = o->m_nType;
  CDrawObject* prototype = GetPrototype(type);
  double *x = nullptr, *y = nullptr;
  if (PlainSizeFields(o, x, y)) {
    *x = ClampAtZero(*x + dw);
    *y = ClampAtZero(*y + dh);
    double *px = nullptr, *py = nullptr;
    if (PlainSizeFields(prototype, px, py)) {
      *px = *x;
      *py = *y;
    }
    return;
  }
  if (type == TYPE_POLYGON) {
    auto* p = static_cast<CPolygonObject*>(o);
    p->m_dSize += (dw != 0.0) ? dw : dh;  // no lower bound
    if (prototype) static_cast<CPolygonObject*>(prototype)->m_dSize = p->m_dSize;
    return;
  }
  TextSizes t;
  if (TextSizeFields(o, t)) {
    // The arc text's radii take half the change of its extent.
    const double factor = (type == TYPE_TEXT2) ? 0.5 : 1.0;
    const double oldX = *t.boxX;
    const double oldY = *t.boxY;
    *t.boxX = ClampAtZero(oldX + dw * factor);
    *t.boxY = ClampAtZero(oldY + dh * factor);
    *t.charX = FollowSize(*t.charX, *t.boxX, oldX);
    *t.charY = FollowSize(*t.charY, *t.boxY, oldY);
    CopyTextSizes(t, prototype);
  }
}

void CObjectList::ScaleObject(int index, double sx, double sy) {
  CDrawObject* o = Entry(index);
  if (!o || !IsDrawableKind(o->m_nType)) return;
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;
  const int type = o->m_nType;
  CDrawObject* prototype = GetPrototype(type);
  if (type == TYPE_POLYGON) {
    // The polygon has one size: it follows x, or y when x has no factor.
    const double s = (sx != 0.0) ? sx : sy;
    if (s == 0.0) return;
    auto* p = static_cast<CPolygonObject*>(o);
    p->m_dSize *= s;
    if (prototype) static_cast<CPolygonObject*>(prototype)->m_dSize = p->m_dSize;
    return;
  }
  // A zero factor would collapse the object to nothing.
  if (sx == 0.0 || sy == 0.0) return;
  double *x = nullptr, *y = nullptr;
  if (PlainSizeFields(o, x, y)) {
    *x = ClampAtZero(*x * sx);
    *y = ClampAtZero(*y * sy);
    double *px = nullptr, *py = nullptr;
    if (PlainSizeFields(prototype, px, py)) {
      *px = *x;
      *py = *y;
    }
    return;
  }
  TextSizes t;
  if (TextSizeFields(o, t)) {
    *t.boxX = ClampAtZero(*t.boxX * sx);
    *t.boxY = ClampAtZero(*t.boxY * sy);
    *t.charX *= sx;
    *t.charY *= sy;
    CopyTextSizes(t, prototype);
  }
}

void CObjectList::SetObjectLayer(int index, int layer) {
  CDrawObject* o = Entry(index);
  if (!o || layer < 0 || layer >= LAYER_COUNT) return;
  o->m_nLayer = layer;
  o->m_crColor = LAYER_COLORS[layer];
}

int CObjectList::GetObjectLayer(int index) const {
  const CDrawObject* o = Entry(index);
  return o ? o->m_nLayer : -1;
}

void CObjectList::ToggleMirror(int index, BOOL x, BOOL y) {
  CDrawObject* o = Entry(index);
  if (!o) return;
  if (x) o->m_bMirrorX = !o->m_bMirrorX;
  if (y) o->m_bMirrorY = !o->m_bMirrorY;
}

void CObjectList::ZeroObjectPosition(int index, BOOL x, BOOL y) {
  CDrawObject* o = Entry(index);
  if (!o) return;
  if (x) o->m_dPosX = 0.0;
  if (y) o->m_dPosY = 0.0;
}

// ---------------------------------------------------------------------------------------------
// Visible rows

int CObjectList::VisibleToIndex(int n) const {
  int seen = 0;
  for (int i = 0; i < GetCount(); ++i) {
    ++m_nRowWork;
    if (m_Objects[i]->m_bDeleted) continue;
    if (++seen == n) return i;
  }
  return GetCount();
}

int CObjectList::IndexToVisible(int index) const {
  int end = index < 0 ? 0 : (index > GetCount() ? GetCount() : index);
  int n = 0;
  m_nRowWork += end;
  for (int i = 0; i < end; ++i)
    if (!m_Objects[i]->m_bDeleted) ++n;
  return n;
}

int CObjectList::GetVisibleCount() const { return IndexToVisible(GetCount()); }

std::vector<int> CObjectList::VisibleIndices() const {
  std::vector<int> rows;
  rows.reserve(m_Objects.size());
  m_nRowWork += GetCount();
  for (int i = 0; i < GetCount(); ++i)
    if (!m_Objects[i]->m_bDeleted) rows.push_back(i);
  return rows;
}

BOOL CObjectList::GetListText(int n, CString& text) const {
  if (n < 1) return FALSE;
  return GetEntryText(VisibleToIndex(n), text);
}

BOOL CObjectList::GetEntryText(int index, CString& text) const {
  const CDrawObject* o = Entry(index);
  if (!o) return FALSE;
  ++m_nRowWork;
  if (o->m_nType == TYPE_DRAWING) {
    text = "drawing";
  } else if (o->m_nType == TYPE_TEXT1) {
    text = CString(o->m_szName) + "   ( " + static_cast<const CText1Object*>(o)->m_strText + " )";
  } else if (o->m_nType == TYPE_TEXT2) {
    text = CString(o->m_szName) + "   ( " + static_cast<const CText2Object*>(o)->m_strText + " )";
  } else {
    text = o->m_szName;
  }
  return TRUE;
}

BOOL CObjectList::GetVisibleName(int n, char* name) const {
  const CDrawObject* o = Entry(VisibleToIndex(n));
  if (!o || n < 1 || !name) return FALSE;
  std::memcpy(name, o->m_szName, OBJECT_NAME_SIZE);
  name[OBJECT_NAME_SIZE - 1] = '\0';
  return TRUE;
}

int CObjectList::GetUsedLayers(int flags[LAYER_COUNT]) const {
  for (int i = 0; i < LAYER_COUNT; ++i) flags[i] = 0;
  for (int i = 1; i < GetCount(); ++i) {
    const CDrawObject* o = m_Objects[i].get();
    if (!o->m_bDeleted && o->m_nLayer >= 0 && o->m_nLayer < LAYER_COUNT) flags[o->m_nLayer] = 1;
  }
  int n = 0;
  for (int i = 0; i < LAYER_COUNT; ++i) n += flags[i];
  return n;
}

void CObjectList::DeleteGroup(int groupId) {
  for (int i = 1; i < GetCount(); ++i)
    if (m_Objects[i]->m_nGroupId == groupId) m_Objects[i]->m_bDeleted = 1;
}
