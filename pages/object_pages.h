// The property pages of the drawing objects: the six shapes and the multiple selection, the
// bitmap, the QR Code, the straight and the arc text with their character pages. Each page
// shows a fresh copy of the current object at every fill and sends every change at once to the
// document's setter by control id; it keeps no copy between calls.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "pages/object_page_util.h"
#include "pages/page_helper.h"

class CDrawObject;

// What the object pages share on top of the page cycle.
class CObjectPage : public CKorvanePage {
 public:
  CObjectPage(const DlgTemplate* tpl, int kind, int pageIndex) : CKorvanePage(tpl, kind, pageIndex) {}

  int RefreshPage() override;

 protected:
  // Fills from a copy of the page's kind; a copy of another kind leaves the controls alone.
  void Fill(CDrawObject* copy) final;
  virtual void FillObject(CDrawObject* copy) = 0;

  void SetLength(int id, double value) { SetEditDouble(id, value, 3); }
  // Fills every edit of a field table from its field, in table order; the rest is the page's.
  template <class Object, size_t N>
  void FillFields(const Object* o, const objpage::Field<Object> (&fields)[N]) {
    for (const objpage::Field<Object>& f : fields) {
      if (f.length) SetLength(f.binding.id, o->*f.length);
      else if (f.count) SetEditInt(f.binding.id, o->*f.count);
    }
  }
  // Unchecks every radio of the list, then checks the one at `value` (none outside the list).
  void SetRadios(std::initializer_list<int> ids, int value);
  // The number of text lines of an edit (at least 1).
  int GetTextLineCount(int id) const;

  // Set while RefreshPage fills (OnInitDialog and RefreshPage differ in a few controls).
  int m_bInRefresh = 0;
};

// A shape page with "縦横の比率を固定する": the size pair coupled while the box is on.
class CSizedPage : public CObjectPage {
 public:
  CSizedPage(const DlgTemplate* tpl, int kind, int sizeX, int sizeY, int keepAspect)
      : CObjectPage(tpl, kind, 0), m_nSizeX(sizeX), m_nSizeY(sizeY), m_nKeepAspectBox(keepAspect) {}

  BOOL OnCommand(int id, int code) override;
  void OnChangeSizeX() { OnChangeSize(m_nSizeX, m_nSizeY, true); }
  void OnChangeSizeY() { OnChangeSize(m_nSizeY, m_nSizeX, false); }
  void OnKeepAspect();

  int m_nKeepAspect = 0;

 protected:
  virtual double GetSize(const CDrawObject* copy, bool x) const = 0;
  // The size the page's size edit shows, read through its field table.
  template <class Object, size_t N>
  double SizeIn(const CDrawObject* copy, const objpage::Field<Object> (&fields)[N], bool x) const {
    const double* size = objpage::LengthOf(static_cast<const Object*>(copy), fields, x ? m_nSizeX : m_nSizeY);
    return size ? *size : 0.0;
  }
  // OnInitDialog checks the box for any non-zero flag, RefreshPage only for 1.
  void FillKeepAspect(int flag);

 private:
  void OnChangeSize(int edit, int partner, bool x);
  int m_nSizeX, m_nSizeY, m_nKeepAspectBox;
};

class CPageLine : public CSizedPage {
 public:
  CPageLine();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPageRectangle : public CSizedPage {
 public:
  CPageRectangle();
  void SetCornerRadios(int style);

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPageCircle : public CSizedPage {
 public:
  CPageCircle();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPageTriangle : public CSizedPage {
 public:
  CPageTriangle();
  void SetApexRadios(int direction);

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPageRhombic : public CSizedPage {
 public:
  CPageRhombic();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPagePolygon : public CObjectPage {
 public:
  CPagePolygon();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
};

// The multiple selection: its bounds, always coupled, scaling every selected object.
class CPageObjects : public CObjectPage {
 public:
  CPageObjects();
  int RefreshPage() override;
  BOOL OnCommand(int id, int code) override;
  void ApplyBounds();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;

 private:
  void OnChangeSize(int edit, int partner, bool x);
};

class CPageBMP : public CSizedPage {
 public:
  CPageBMP();
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;
  void SetStyleRadios(int style);
  void SetToneRadios(int tone);
  void InitGradationSliders();
  void OnChangeImage();
  void OnEditImage();
  void OnReleasedCaptureGradation1();
  void OnReleasedCaptureGradation2();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  double GetSize(const CDrawObject* copy, bool x) const override;
};

class CPageQR : public CObjectPage {
 public:
  CPageQR();
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;
  void OnConfirmText();

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
};

class CPageText1String : public CObjectPage {
 public:
  CPageText1String();
  BOOL OnCommand(int id, int code) override;
  void OnConfirmText();
  void OnHorizontal() { OnDirection(0); }
  void OnVertical() { OnDirection(1); }
  void OnCountUp();
  void OnResetCounter();
  void SetDirectionRadios(int direction);
  void SetAlignRadios(int align);
  void EnableCountUpControls(int on);

  int m_nVariableText = 0;
  int m_bReentry = 0;
  int m_nDirection = 0;
  int m_nLineCount = 1;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;

 private:
  void OnDirection(int direction);
  // Block length across the lines -> character size, and back.
  void BlockToCharSize(int block, int size);
  void CharSizeToBlock(int size, int block, int lines);
};

class CPageText2String : public CObjectPage {
 public:
  CPageText2String();
  BOOL OnCommand(int id, int code) override;
  void OnConfirmText();
  void SetArcSideRadios(int side);

  int m_nKeepAspect = 0;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
};

// One character of a text at a time; the two kinds differ in ids and in the record of a row.
class CCharPage : public CObjectPage {
 public:
  struct Ids {
    int edits[9];  // size X, size Y, offset X, offset Y, angle, font width X, Y, line width X, Y
    int spins[9];
    int list;
    int swap;
  };
  CCharPage(const DlgTemplate* tpl, int kind, const Ids& ids);
  BOOL OnCommand(int id, int code) override;
  void OnSelchangeCharList();
  void OnSwapDirection();
  // The record index of a list row; -1 for none.
  virtual int RecordOfRow(int row) const = 0;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void FillObject(CDrawObject* copy) override;
  int Row() const override;

 private:
  void ShowRecord(const CDrawObject* copy, int record);
  void EnableEdits(BOOL enable);
  const Ids& m_ids;
  PageBinding m_bindings[10];
};

class CPageText1Char : public CCharPage {
 public:
  CPageText1Char();
  int RecordOfRow(int row) const override;
};

class CPageText2Char : public CCharPage {
 public:
  CPageText2Char();
  // Character i of the text without line breaks has record i.
  int RecordOfRow(int row) const override { return row; }
};

// Enters every object page into the property sheet's page table (once is enough; again
// replaces the same rows).
void RegisterObjectPages();
