// Drawing objects: the common record every object carries, and the plain shape kinds.
// Fields are public and in the order the project files and the defaults archive lay them out;
// the writers of those formats reach them directly. Every field starts defined, so nothing
// uninitialised ever reaches a file.
#pragma once

#include <vector>

#include "model/geometry.h"
#include "model/kinds.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

// The byte-size value each kind stores with itself in project files. It is part of the file
// formats and has nothing to do with the in-memory size of our classes.
inline constexpr int BYTESIZE_LINE = 280;
inline constexpr int BYTESIZE_RECTANGLE = 296;
inline constexpr int BYTESIZE_CIRCLE = 280;
inline constexpr int BYTESIZE_TRIANGLE = 288;
inline constexpr int BYTESIZE_RHOMBIC = 280;
inline constexpr int BYTESIZE_POLYGON = 272;
inline constexpr int BYTESIZE_TEXT1 = 408;
inline constexpr int BYTESIZE_TEXT2 = 384;
inline constexpr int BYTESIZE_BMP = 392;
inline constexpr int BYTESIZE_BARCODE = 280;
inline constexpr int BYTESIZE_MULTI = 248;
inline constexpr int BYTESIZE_DRAWING = 240;
inline constexpr int BYTESIZE_DRAWING_SETTING = 424;
inline constexpr int BYTESIZE_DRAWING_AREA = 296;
inline constexpr int BYTESIZE_DRAWING_FIELD = 248;

// The byte-size value of a kind; 0 for kinds without a class.
int GetObjectByteSize(int type);

inline constexpr int OBJECT_NAME_SIZE = 32;

// The number of leading bytes of a code-page-932 text that fit in maxBytes without splitting a
// double-byte character.
int FitToCharBoundary(const char* text, int maxBytes);

// Limits on counts taken from a file: a grid larger than any page accepts, or a polygon with
// millions of corners, would stall every redraw, so readers clamp them to what the pages allow.
inline int ClampGridCount(int n) { return n < 0 ? 0 : (n > 999 ? 999 : n); }
// Columns: the triangle's page takes up to 9999, every other kind's the same as rows.
inline int ClampGridColumns(int kind, int n) {
  if (kind == TYPE_TRIANGLE) return n < 0 ? 0 : (n > 9999 ? 9999 : n);
  return ClampGridCount(n);
}
inline int ClampPolygonEdges(int n) { return n < 3 ? 3 : (n > 999 ? 999 : n); }

// Copies the grid of copies (row and column counts and their gaps) between two objects of one
// kind; every kind that repeats itself names these fields alike.
template <class Kind>
void CopyGridSettings(Kind& to, const Kind& from) {
  to.m_nRows = from.m_nRows;
  to.m_nColumns = from.m_nColumns;
  to.m_dRowGap = from.m_dRowGap;
  to.m_dColumnGap = from.m_dColumnGap;
}

class CDrawObject {
 public:
  CDrawObject() = default;
  virtual ~CDrawObject() = default;
  CDrawObject(const CDrawObject&) = delete;
  CDrawObject& operator=(const CDrawObject&) = delete;

  // The kind's own defaults and position 0, 0; the common part is left alone.
  virtual void SetDefaults() = 0;

  // Copies the common part (not the position and not the kind code) from an object of any kind.
  void CopyCommon(const CDrawObject* source);

  // Stores a name, cut to 31 bytes without splitting a double-byte character.
  void SetName(const char* name);
  const char* GetName() const { return m_szName; }

  char m_szName[OBJECT_NAME_SIZE] = {};
  int m_nByteSize = 0;
  int m_bDeleted = 0;
  COLORREF m_crColor = 0;
  // On-screen bounds in the renderer's screen logical units, written by the canvas view.
  CDoubleRect m_rcBounds;
  int m_nInnerCornerStyle = 0;
  int m_nOuterCornerStyle = 0;
  int m_nLayer = 0;
  // 0 clockwise outline, 1 counter-clockwise outline, 2 fill.
  int m_nOutputMode = 2;
  double m_dScanInterval = 50 / 1000.0;
  int m_nFillDirection = 0;
  int m_bMirrorX = 0;
  int m_bMirrorY = 0;
  double m_dPosX = 0.0;
  double m_dPosY = 0.0;
  int m_nGroupId = 0;
  int m_nCapturedCount = 0;
  std::vector<CDoublePoint> m_vInnerPoints;
  std::vector<CDoublePoint> m_vOuterPoints;
  int m_nType = TYPE_UNKNOWN;
};

class CLineObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CLineObject* source);

  double m_dWidth = 0.0;   // the line's length
  double m_dHeight = 0.0;  // the line's thickness
  double m_dAngle = 0.0;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_bKeepAspect = 0;
};

class CRectangleObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CRectangleObject* source);

  double m_dWidth = 0.0;
  double m_dHeight = 0.0;
  double m_dEdgeSize = 0.0;
  double m_dEdgeRadius = 0.0;
  int m_nEdgeStyle = 0;  // 0 square, 1 round, 2 cut
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_bKeepAspect = 0;
};

// An ellipse when the two sizes differ.
class CCircleObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CCircleObject* source);

  double m_dSizeX = 0.0;
  double m_dSizeY = 0.0;
  double m_dEdgeSize = 0.0;  // ring width; 0 draws a plain circle
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_bKeepAspect = 0;
};

class CTriangleObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CTriangleObject* source);

  double m_dWidth = 0.0;
  double m_dHeight = 0.0;
  double m_dEdgeSize = 0.0;
  int m_nDirection = 0;  // 0 apex up, 1 apex down
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_bKeepAspect = 0;
};

class CRhombicObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CRhombicObject* source);

  double m_dWidth = 0.0;
  double m_dHeight = 0.0;
  double m_dEdgeSize = 0.0;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_bKeepAspect = 0;
};

// A regular polygon; its one size is both width and height.
class CPolygonObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CPolygonObject* source);

  double m_dSize = 0.0;
  double m_dEdgeSize = 0.0;
  int m_nEdges = 0;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
};

// A QR Code symbol. The model stores the version; nothing here interprets it.
class CBarcodeObject : public CDrawObject {
 public:
  CBarcodeObject() = default;
  // Constructs a full copy of a source (null: an object still to be given its defaults).
  explicit CBarcodeObject(const CBarcodeObject* source);
  void SetDefaults() override;
  void CopySettings(const CBarcodeObject* source);

  double m_dSizeX = 0.0;
  double m_dSizeY = 0.0;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  CString m_strText;
  int m_nLevel = 0;     // index into " L (7%)", " M (15%)", " Q (25%)", " H (30%)"
  int m_nVersion = 0;   // -1 to 40
};

// Stands for a multiple selection: its position is the centre of the selection's bounding box,
// its size that box's width and height. One per object list, never in the object vector.
class CMultiObject : public CDrawObject {
 public:
  CMultiObject() = default;
  explicit CMultiObject(const CMultiObject* source);
  void SetDefaults() override;
  void CopySettings(const CMultiObject* source);

  double m_dSizeX = 0.0;
  double m_dSizeY = 0.0;
  int m_bValid = 0;  // set once bounds have been stored
};

// Runs the creation steps every object goes through: kind code, defaults, byte-size value.
void InitNewObject(CDrawObject& object, int type);
