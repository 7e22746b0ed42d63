// What the engraving engines need of the canvas view: outline capture and the rendered design.
// The canvas view satisfies it through CLeftViewEngraveSource; tests give their own.
#pragma once

#include "model/geometry.h"
#include "platform/gdi/gdi.h"
#include "platform/wintypes.h"

class IEngraveSource {
 public:
  virtual ~IEngraveSource() = default;

  // The outline kind of a list entry: 0 to 9 by object kind, 13 for an entry not to engrave,
  // 20 for a bad index.
  virtual int GetOutlineType(int index) = 0;
  // Captures an entry's outline (machine units relative to the page centre, y up; circles as
  // centres and radii). The number of points, 0 when skipped, -1 while the buffers are held,
  // -2 for a bad index, kObjectRefused for an object too large to capture (the operator has
  // been told).
  static constexpr int kObjectRefused = -3;
  virtual int SetOutlineData(int index) = 0;
  virtual const POINT* OutlinePoints() const = 0;
  virtual const BYTE* OutlineTypes() const = 0;
  virtual const SIZE* CircleRadii() const = 0;
  virtual void ReleaseOutlinePoints() = 0;

  // The marking field and the scanning area in the renderer's current units, and the
  // conversion of such a rectangle to machine units relative to the page centre, y up.
  virtual void GetField(CDoubleRect* out) = 0;
  virtual void GetScanningArea(CDoubleRect* out) = 0;
  virtual void ConvertUnit(CDoubleRect* rect) = 0;

  // The engraving raster: pDC gets a memory device context holding a 1-bit page bitmap at the
  // dots-per-millimetre setting, every engravable object black on white; the caller deletes the
  // device context and then its bitmap through ReleaseBitmapDC. oldZoom gets the zoom index to restore afterwards.
  // The entry count - 1, or 0 when an entry was left out (too large: the operator has been told).
  virtual int GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) = 0;
  // Deletes the device context that GetBitmapDC made and then its bitmap.
  virtual void ReleaseBitmapDC(CDC* pDC) = 0;
  // The field and the scanning area in that bitmap's dots, y down.
  virtual void GetFieldBMP(CDoubleRect* out) = 0;
  virtual void GetScanningAreaBMP(CDoubleRect* out) = 0;
};
