// The pages' second base: number formatting into controls, spin stepping, pushing one control's
// value to the document's setter by control id (and showing the kept value when it is refused),
// keep-aspect coupling, the character list of the text pages and the page memory per kind.
#pragma once

#include "platform/cstring.h"
#include "platform/ui/control_host.h"
#include "platform/ui/property_sheet.h"

class CKorvaneDoc;

// What the pages need of the form view: the document they edit and the page memory.
class IPageFormHost {
 public:
  virtual ~IPageFormHost() = default;
  virtual CKorvaneDoc* GetPageDocument() = 0;
  virtual int GetRememberedPage(int kind) = 0;
  virtual void SetRememberedPage(int kind, int index) = 0;
};

class CPageHelper {
 public:
  CPageHelper() = default;
  virtual ~CPageHelper() = default;

  // The form view registers itself; null when none exists.
  static void SetFormHost(IPageFormHost* host);
  static IPageFormHost* GetFormHost();

  CKorvaneDoc* GetDocument() const;
  void SetTypePage(int kind, int index);
  int GetTypePage(int kind) const;

  void SetEditInt(int id, int value);
  void SetEditDouble(int id, double value, int decimals);
  double GetEditDouble(int id) const;
  void SwapEditTexts(int a, int b);

  void InitSpin(int spin);
  void InitSpinRange(int spin, int min, int max);
  void StepEdit(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep);
  void StepEditClamped(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep, double min, double max);

  void ApplyEditDouble(int edit, int index = 0);
  void ApplyEditInt(int edit);
  void ApplyEditIntIndexed(int edit, int index);
  // Pushes the edit's text; false when nothing was pushed (a character the files cannot hold
  // was refused and the edit shows the stored text again).
  bool ApplyEditText(int edit);
  // Refuses the edit's text when it holds a character the files cannot hold: says which, puts
  // the current object's stored text back into the edit and returns true.
  bool RefuseTypedText(int edit);
  // Puts the current object's stored text back into the edit, without pushing it.
  void ShowStoredText(int edit);
  int ApplyCheck(int id);
  int ApplyCheckIndexed(int id, int index);
  // The setter's result: 0 when refused.
  int ApplyValue(int id, int value = 0);

  void KeepAspect(double oldValue, int changed, int partner, int decimals = 3);
  void FillCharList(int list, const CString& text);
  int CharRowToRecordIndex(int n) const;

  int m_bUpdating = 0;
  int m_bInitialized = 0;
  int m_bAspect = 0;

 protected:
  // The controls the helper reads and writes: the page's host.
  IControlHost* m_pControls = nullptr;

 private:
  void Step(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep, bool clamp, double min, double max);
  // A refused value: the kept one goes back into the edit without being pushed again.
  void WriteBack(int edit, const CString& text);
};

// How one control of a page is pushed; the page cycle dispatches its notifications by these.
enum PageBindKind : int {
  BIND_EDIT_DOUBLE,       // ApplyEditDouble(edit, Row())
  BIND_EDIT_INT,          // ApplyEditInt
  BIND_EDIT_INT_INDEXED,  // ApplyEditIntIndexed(edit, Row())
  BIND_EDIT_TEXT,         // ApplyEditText
  BIND_CHECK,             // ApplyCheck
  BIND_CHECK_INDEXED,     // ApplyCheckIndexed(id, Row())
  BIND_RADIO,             // ApplyValue(id, value)
  BIND_COMBO,             // ApplyValue(id, selected row + value)
};

struct PageBinding {
  int id;
  PageBindKind kind;
  int spin = 0;         // the up-down that steps this edit, 0 for none
  int decimals = 3;     // for stepping
  BOOL useStep = TRUE;  // step by the move step (lengths) or by 1 (counts)
  int value = 0;        // radios: the code passed; combos: added to the row
};

// A property page of the sheet: the cycle every page shares. A page gives its template, its
// kind and index, its bindings and its fill; handlers that do more override AfterChange.
class CKorvanePage : public CPropertyPage, public CPageHelper {
 public:
  CKorvanePage(const DlgTemplate* tpl, int kind, int pageIndex);

  int GetPageKind() const { return m_nKind; }
  int GetPageIndexInKind() const { return m_nPageIndex; }
  // Set by the form view while the sheet adds the page.
  int m_bAdding = 0;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  // Refills the controls from the current object when it is of the page's kind.
  virtual int RefreshPage();
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;

 protected:
  virtual const PageBinding* Bindings(int& count) const = 0;
  // Fills every control from a copy of the current object.
  virtual void Fill(class CDrawObject* copy) = 0;
  // The row passed with indexed pushes (layer or character record).
  virtual int Row() const { return 0; }
  virtual void AfterChange(int id, int code) { (void)id, (void)code; }

 private:
  const PageBinding* FindBinding(int id) const;
  int FillFromDocument(bool checkKind);

  int m_nKind;
  int m_nPageIndex;
};
