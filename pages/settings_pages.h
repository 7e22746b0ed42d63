// The pages of the work-area object (kind 14): the machine settings of its three children.
// Without the fixed field the sheet shows the drawing-data, scanning-area and field pages; with
// it the fixed-field scanning-area and data pages. Like the object pages they keep no copy of
// the settings: each fill reads a fresh copy of the current object, each change goes to the
// document's setter by control id and then into the document's settings mirror, so that jobs,
// head moves and the settings file see what the page shows.
#pragma once

#include "pages/page_helper.h"
#include "platform/wintypes.h"

class CDC;
class CDrawObject;
class CDrawingAreaObject;
class CDrawingSettingObject;
class CLptPort;

// The drawing settings and the scanning area held by a copy of the work-area object; null for
// a copy of any other kind.
const CDrawingSettingObject* DrawingSettingOf(const CDrawObject* copy);
const CDrawingAreaObject* DrawingAreaOf(const CDrawObject* copy);

// What the pages that move the machine's head share: the nine anchors of the scanning area and
// the outline test, sent through a port made for each operation.
class CMachinePage : public CKorvanePage {
 public:
  CMachinePage(const DlgTemplate* tpl, int pageIndex) : CKorvanePage(tpl, 14, pageIndex) {}

  // The machine point of an anchor (0 centre ... 8 bottom right); (0, 0) outside 0..8.
  virtual CPoint GetAnchorPoint(int anchor) const = 0;
  // Moves the head to an anchor, which becomes the current one (-1 keeps the current one).
  // Nothing, and 0, before the page is shown or while a job runs; else the current anchor.
  virtual int MoveToAnchor(int anchor);
  int MoveToCurrentAnchor() { return MoveToAnchor(-1); }
  virtual void OnOutlineTest() = 0;
  void OnPlotterMove() { MoveToCurrentAnchor(); }
  // Checks the anchor's radio (none outside 0..8) and makes it the current anchor.
  void SetAnchorRadios(int anchor);
  int GetCurrentAnchor() const { return m_nAnchor; }

  // Paints field, area and anchor dot into the preview frame's client rectangle.
  virtual void DrawPreview(CDC& dc, const CRect& client) = 0;
  void OnDrawItem(int id, CDC& dc, const CRect& rect) override;

 protected:
  // Whether the head may move: no job is running or still holds the port.
  bool MachineFree() const;
  // The point the head is sent to for an anchor (the fixed page turns it by the scan angle).
  virtual CPoint MovePoint(int anchor) const { return GetAnchorPoint(anchor); }
  // "sp2;vs%d;" with layer 0's speed of the work-area object.
  void SendSpeed(CLptPort& port) const;
  // The outline of a shape code through anchors: 0 rectangle, 2 rhombus, 3 triangle,
  // 4 inverted triangle (5 draws as 0). FALSE for a code without an outline.
  BOOL SendShapeOutline(CLptPort& port, int shape) const;
  // Repaints the preview (the frame's paint calls DrawPreview).
  void InvalidatePreview();

  int m_nAnchor = 0;
};

class CPageDrawData : public CKorvanePage {
 public:
  CPageDrawData();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;

  // The drawing-setting child's current layer (0 without a current object).
  int GetCurrentLayer() const;
  void SetLayerRadios(int layer);
  void ShowLayerValues(int layer);
  void OnPresetModel2();
  void OnPresetModel3();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  int Row() const override { return GetCurrentLayer(); }
  void AfterChange(int id, int code) override;

 private:
  void FillLayerValues(const CDrawObject* copy, int layer);
  // Sets a swap box and pushes it.
  void PushSwap(int id, int state);
};

class CPageDrawArea : public CKorvanePage {
 public:
  CPageDrawArea();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;
  void OnConvert();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  void AfterChange(int id, int code) override;
};

class CPageDrawField : public CMachinePage {
 public:
  CPageDrawField();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;

  CPoint GetAnchorPoint(int anchor) const override;
  void OnOutlineTest() override;
  void DrawPreview(CDC& dc, const CRect& client) override;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  void AfterChange(int id, int code) override;
};

class CPageDrawAreaFix : public CMachinePage {
 public:
  CPageDrawAreaFix();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;

  static int ComboIndexToShape(int row);
  static int ShapeToComboIndex(int shape);
  void SetShapeCombo(int shape);
  // The corner-radius label, edit and spin, shown for the rounded rectangle (code 5) only.
  void ShowCornerControls(int shape);

  CPoint GetAnchorPoint(int anchor) const override;
  void OnOutlineTest() override;
  void OnHomeReturn();
  void OnMachineOrigin();
  void OnMoveOnChange();
  void DrawPreview(CDC& dc, const CRect& client) override;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  void AfterChange(int id, int code) override;
  CPoint MovePoint(int anchor) const override;

 private:
  void OnShapeChange();
};

class CPageDrawDataFix : public CKorvanePage {
 public:
  CPageDrawDataFix();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  void AfterChange(int id, int code) override;
};

// Enters the work-area pages into the property sheet's page table (once at start is enough).
void RegisterSettingsPages();
