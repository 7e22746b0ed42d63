// The canvas view as the engines' source of outlines and rasters.
#pragma once

#include "output/engrave_source.h"

class CLeftView;

class CLeftViewEngraveSource : public IEngraveSource {
 public:
  explicit CLeftViewEngraveSource(CLeftView* view) : m_pView(view) {}

  int GetOutlineType(int index) override;
  int SetOutlineData(int index) override;
  const POINT* OutlinePoints() const override;
  const BYTE* OutlineTypes() const override;
  const SIZE* CircleRadii() const override;
  void ReleaseOutlinePoints() override;
  void GetField(CDoubleRect* out) override;
  void GetScanningArea(CDoubleRect* out) override;
  void ConvertUnit(CDoubleRect* rect) override;
  int GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) override;
  void ReleaseBitmapDC(CDC* pDC) override;
  void GetFieldBMP(CDoubleRect* out) override;
  void GetScanningAreaBMP(CDoubleRect* out) override;

 private:
  CLeftView* m_pView;
};
