// The document's container of drawing objects: item 0 is always the work-area object, then every
// object in creation order (deleted ones stay in place, flagged). It keeps one prototype per
// drawable kind carrying the settings used last, the counters that name new objects, the
// multi-selection object and the per-kind output and text defaults.
//
// Ownership: the list owns everything it holds. Operations that hand out an object without
// putting it into the list (insert FALSE, the New* builders) give it to the caller.
#pragma once

#include <memory>
#include <vector>

#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/textobject.h"

inline constexpr int PROTOTYPE_COUNT = 10;  // kinds 0 to 9
inline constexpr int COUNTER_COUNT = 19;    // kinds 0 to 18

// Display colour of each layer (0x00BBGGRR).
inline constexpr COLORREF LAYER_COLORS[LAYER_COUNT] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000,
                                                       0x800080, 0x000080, 0x008000, 0x800000};

struct CObjectOutputDefaults {
  int nOutputMode = 0;
  int nFillDirection = 0;
  int nScanInterval = 25;  // thousandths of a millimetre
};

struct CTextDefaults {
  int bItalic = 0;
  int nFontSize = 23;      // tenths of a point
  int nCharSet = 128;
  int nWeight = 400;
  char szFaceName[100] = {};
  // Stores a face, cut without splitting a double-byte character.
  void SetFaceName(const char* face);
};

class CObjectList {
 public:
  CObjectList();
  ~CObjectList();
  CObjectList(const CObjectList&) = delete;
  CObjectList& operator=(const CObjectList&) = delete;

  // --- Life of the list ---
  // Multi-selection object, prototypes, then the work-area object as item 0 of the empty vector.
  CDrawingObject* Initialize();
  void CreatePrototypes();
  void DeletePrototypes();
  // Deletes every object of the vector.
  void Clear();
  // Clear, counters 0, Initialize.
  void Reset();
  // Removes every entry after item 0 and sets the counters to 0; item 0 keeps its settings.
  void RemoveAllButDrawing();
  // Removes the run of deleted entries at the end of the vector, none below index `first` (item
  // 0 always stays); returns how many went. Every index below the run keeps naming its entry.
  int RemoveDeletedTail(int first);

  // --- Look-up ---
  int GetCount() const { return static_cast<int>(m_Objects.size()); }
  // Null when the index names no entry.
  CDrawObject* GetObject(int index) const;
  // TYPE_UNKNOWN when the index names no entry.
  int GetObjectType(int index) const;
  // Entries neither deleted nor the work-area object.
  int GetDrawableCount() const;
  CDrawingObject* GetDrawingObject() const;
  CMultiObject* GetMultiObject() const { return m_pMulti.get(); }
  // The prototype of kinds 0 to 9, else null.
  CDrawObject* GetPrototype(int type) const;

  // --- Prototype builders (name empty, not deleted, output and text defaults applied) ---
  std::unique_ptr<CLineObject> NewLinePrototype();
  std::unique_ptr<CRectangleObject> NewRectanglePrototype();
  std::unique_ptr<CCircleObject> NewCirclePrototype();
  std::unique_ptr<CTriangleObject> NewTrianglePrototype();
  std::unique_ptr<CRhombicObject> NewRhombicPrototype();
  std::unique_ptr<CPolygonObject> NewPolygonPrototype();
  std::unique_ptr<CText1Object> NewText1Prototype();
  std::unique_ptr<CText2Object> NewText2Prototype();
  std::unique_ptr<CBmpObject> NewBmpPrototype();
  std::unique_ptr<CBarcodeObject> NewBarcodePrototype();

  // --- Adding ---
  // With a source: a full copy of it; without: a copy of the kind's prototype with the kind's
  // output (and text) defaults. With newName the kind's counter names it, else it keeps the
  // source's name. With insert the list owns the result (appended); without, the caller does.
  CLineObject* AddLine(const CLineObject* source, BOOL insert, BOOL newName);
  CRectangleObject* AddRectangle(const CRectangleObject* source, BOOL insert, BOOL newName);
  CCircleObject* AddCircle(const CCircleObject* source, BOOL insert, BOOL newName);
  CTriangleObject* AddTriangle(const CTriangleObject* source, BOOL insert, BOOL newName);
  CRhombicObject* AddRhombic(const CRhombicObject* source, BOOL insert, BOOL newName);
  CPolygonObject* AddPolygon(const CPolygonObject* source, BOOL insert, BOOL newName);
  CText1Object* AddText1(const CText1Object* source, BOOL insert, BOOL newName);
  CText2Object* AddText2(const CText2Object* source, BOOL insert, BOOL newName);
  // Without a source the operator is asked for the file (prompter); null when nothing loaded.
  CBmpObject* AddBmpCopy(const CBmpObject* source, BOOL insert, BOOL newName);
  CBarcodeObject* AddBarcode(const CBarcodeObject* source, BOOL insert, BOOL newName);

  // Bitmap variants. Null results mean nothing was added and nothing is left over.
  CBmpObject* AddBmpFromFile(const CString& path);
  CBmpObject* AddBmpFromImage(std::vector<BYTE> image);
  std::unique_ptr<CBmpObject> NewBmpFromImage(std::vector<BYTE> image);
  // Returned even when the image did not load.
  std::unique_ptr<CBmpObject> NewBmpFromFile(const CString& path);
  // A fresh named bitmap object for the project readers to fill; not appended.
  std::unique_ptr<CBmpObject> ReplaceBmp();
  // Recomputes the image pointers and appends; null for null.
  CBmpObject* AppendBmp(std::unique_ptr<CBmpObject> object);
  // Appends an object of kinds 0 to 9 but the bitmap, made elsewhere (a project file's record),
  // as it is; null for other kinds.
  CDrawObject* AppendObject(std::unique_ptr<CDrawObject> object);
  // Reloads from the stored path, or (without one) asks the operator for the file; appends the
  // object when it loads. Otherwise the object is destroyed and null returned.
  CBmpObject* RelinkMissingBmp(std::unique_ptr<CBmpObject> object);

  // Appends a copy (new name) of the object at the index; null for kinds above 9.
  CDrawObject* DuplicateObject(int index);

  // --- Names and defaults ---
  // The kind word and its counter (advanced first unless peek); "drawing" for kind 14.
  CString MakeObjectName(int type, BOOL peek);
  // Arc texts share the straight-text counter.
  int GetCounter(int type, BOOL advance);
  void ApplyOutputDefaults(CDrawObject* object, int type) const;
  void ApplyTextDefaults(CDrawObject* object, int type) const;

  // --- Editing (index -1 names the multi-selection object where said) ---
  CMultiObject* SetMultiBounds(double sizeX, double sizeY, double posX, double posY);
  // -1 moves the multi-selection object; kinds 0 to 9 move, others stay.
  void MoveObject(int index, double dx, double dy);
  // Handle codes 1 and 3 scale y, 2 and 4 x, 5 to 13 both, about the reference point.
  void ScaleObjectPosition(int handle, int index, double sx, double sy, double refX, double refY);
  // Size change by a difference; the new size goes into the kind's prototype. -1: the
  // multi-selection object's size only.
  void ResizeObject(int index, double dw, double dh);
  // Size change by factors, kinds 0 to 9; the new size goes into the prototype. Zero or
  // non-finite factors are refused.
  void ScaleObject(int index, double sx, double sy);
  void ScaleObjectUniform(int index, double s) { ScaleObject(index, s, s); }
  // Layer 0 to 7 and its colour; other layers are ignored.
  void SetObjectLayer(int index, int layer);
  // -1 when the index names no entry.
  int GetObjectLayer(int index) const;
  void ToggleMirror(int index, BOOL x, BOOL y);
  void ZeroObjectPosition(int index, BOOL x, BOOL y);

  // --- Visible rows (entries not deleted, counted from 1) ---
  BOOL GetListText(int n, CString& text) const;
  // The text of the row of the entry at a list index; FALSE when there is no entry.
  BOOL GetEntryText(int index, CString& text) const;
  // The list index of every visible row, in row order, in one pass.
  std::vector<int> VisibleIndices() const;
  // `name` must hold at least 32 bytes.
  BOOL GetVisibleName(int n, char* name) const;
  int GetVisibleCount() const;
  int VisibleToIndex(int n) const;
  int IndexToVisible(int index) const;

  // Flags the layers used by live drawable entries; returns how many.
  int GetUsedLayers(int flags[LAYER_COUNT]) const;
  // Deletes (flags) every entry from index 1 with the group id.
  void DeleteGroup(int groupId);

  // Advances whenever entries leave the vector: list indices kept from before then name other
  // objects. Entries are otherwise only appended.
  unsigned GetRemovalCount() const { return m_nRemovals; }
  // Entries visited and row texts made by the row look-ups so far: what keeping a list of rows
  // costs, for the callers that must stay linear in the list's size.
  long long GetRowWork() const { return m_nRowWork; }

  // --- State, in this order ---
  std::unique_ptr<CDrawObject> m_pPrototypes[PROTOTYPE_COUNT];
  std::vector<std::unique_ptr<CDrawObject>> m_Objects;
  int m_nCounters[COUNTER_COUNT] = {};
  std::unique_ptr<CMultiObject> m_pMulti;
  CObjectOutputDefaults m_OutputDefaults[PROTOTYPE_COUNT];
  CTextDefaults m_Text1Defaults;
  CTextDefaults m_Text2Defaults;

 private:
  // Entry at a list index, null when out of range.
  CDrawObject* Entry(int index) const;
  template <class T>
  T* AddObject(int type, const T* source, BOOL insert, BOOL newName);
  template <class T>
  std::unique_ptr<T> NewPrototype(int type);
  CDrawObject* Insert(std::unique_ptr<CDrawObject> object);

  unsigned m_nRemovals = 0;
  mutable long long m_nRowWork = 0;
};
