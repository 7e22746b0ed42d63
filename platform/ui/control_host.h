// Dialog controls addressed by numeric id. Every dialog and every property page has one host
// (ids repeat between dialogs), built from a dialog template (below). The host keeps the Win32
// notification rules the pages are written against:
//  - setting an edit's text from code notifies EN_CHANGE at once, exactly once, also when the
//    text did not change; every typed change notifies EN_CHANGE;
//  - setting a check box, a radio button, a list row or a combo row from code notifies nothing;
//  - clicks notify BN_CLICKED, a list choice LBN_SELCHANGE, a combo choice CBN_SELCHANGE;
//  - code may leave a radio group with none checked.
// Texts are code-page-932 CString values; only the host converts them.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/wintypes.h"

class CDC;

// Notification codes, as the pages switch on them.
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int BN_CLICKED = 0;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int UDN_DELTAPOS = -722;
inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
// A trackbar released after a drag; sent through OnNotify with the trackbar's id.
inline constexpr int NM_RELEASEDCAPTURE = -16;

struct NMHDR {
  void* hwndFrom = nullptr;
  int idFrom = 0;
  int code = 0;
};

// What an up-down control reports before its position moves.
struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;  // signed; up is positive
};

// One acceleration step of an up-down control: after nSec seconds held, steps of nInc.
struct UDACCEL {
  UINT nSec = 0;
  UINT nInc = 1;
};

enum ControlKind : int {
  CTL_EDIT,
  CTL_EDIT_MULTILINE,
  CTL_STATIC,
  CTL_CHECK,
  CTL_RADIO,
  CTL_PUSH,
  CTL_PUSH_CHECKABLE,  // a check box shown as a push button
  CTL_GROUP,
  CTL_LIST,
  CTL_COMBO,  // drop-down list
  CTL_PROGRESS,
  CTL_UPDOWN,
  CTL_OWNERDRAW,  // a frame its owner paints
  CTL_SLIDER,     // a trackbar (TBM_)
};

// Control styles of a template row.
inline constexpr int CS_NONE = 0;
inline constexpr int CS_HIDDEN = 1;     // created hidden
inline constexpr int CS_DISABLED = 2;   // created disabled
inline constexpr int CS_READONLY = 4;   // edits
inline constexpr int CS_DEFAULT = 8;    // the default push button
inline constexpr int CS_CENTER = 16;    // statics: centred text
inline constexpr int CS_RIGHT = 32;     // statics, edits: right-aligned text

// One control of a dialog template: position and size in dialog units. Radio buttons name the
// first id of their group; up-down controls name their buddy edit.
struct DlgControl {
  int id;
  ControlKind kind;
  const char* text;  // UTF-8, exactly as the dialog shows it
  int x, y, cx, cy;
  int style = CS_NONE;
  int link = 0;  // radio: the group's first id; up-down: the buddy edit's id
};

struct DlgTemplate {
  int id;
  const char* caption;  // UTF-8; a page's tab text
  int cx, cy;           // dialog units
  const DlgControl* controls;
  int count;
};

// The window that receives a host's notifications.
class IControlOwner {
 public:
  virtual ~IControlOwner() = default;
  virtual BOOL OnCommand(int id, int code) = 0;
  virtual BOOL OnNotify(int id, NMUPDOWN& nm) = 0;
  // Owner-drawn frames: paint the control into the DC (client coordinates).
  virtual void OnDrawItem(int id, CDC& dc, const CRect& rect) {
    (void)id, (void)dc, (void)rect;
  }
  // Statics: TRUE with the text and background colours (0x00BBGGRR) to use.
  virtual BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) {
    (void)id, (void)text, (void)back;
    return FALSE;
  }
};

class IControlHost {
 public:
  virtual ~IControlHost() = default;
  virtual void SetOwner(IControlOwner* owner) = 0;
  virtual BOOL HasControl(int id) const = 0;
  // The control id (the id itself for a control of this host, 0 otherwise).
  int GetDlgCtrlID(int id) const { return HasControl(id) ? id : 0; }

  // Text of edits, statics, buttons and group boxes. Setting an edit's text sends EN_CHANGE.
  virtual void SetDlgItemText(int id, const CString& text) = 0;
  virtual CString GetDlgItemText(int id) const = 0;
  // Selects the whole text of an edit the operator is typing in (one with the focus), so that the
  // next key replaces it; nothing otherwise.
  virtual void SelectTypedText(int id) { (void)id; }

  // Check boxes and radio buttons; silent.
  virtual void SetCheck(int id, int state) = 0;
  virtual int GetCheck(int id) const = 0;
  // Checks `check` and clears the other radios of the group that starts at `first`; -1 clears
  // them all.
  virtual void CheckRadioButton(int first, int check) = 0;
  // The checked radio of the group that starts at `first`, -1 for none.
  virtual int GetCheckedRadioButton(int first) const = 0;

  // List boxes (LB_) and drop-down combos (CB_); silent.
  virtual void ResetContent(int id) = 0;
  virtual int AddString(int id, const CString& text) = 0;
  virtual int DeleteString(int id, int row) = 0;
  virtual int InsertString(int id, int row, const CString& text) = 0;
  virtual int GetCount(int id) const = 0;
  virtual int GetCurSel(int id) const = 0;
  virtual int SetCurSel(int id, int row) = 0;  // -1 clears; LB_ERR for a row out of range
  virtual CString GetText(int id, int row) const = 0;

  // Progress bars.
  virtual void SetProgressRange(int id, int low, int high) = 0;
  virtual void SetProgressPos(int id, int pos) = 0;
  virtual int GetProgressPos(int id) const = 0;

  // Up-down controls (UDM_).
  virtual void SetBase(int id, int base) = 0;
  virtual void SetRange32(int id, int low, int high) = 0;
  virtual void SetPos32(int id, int pos) = 0;
  virtual int GetPos32(int id) const = 0;
  virtual void SetAccel(int id, const std::vector<UDACCEL>& accel) = 0;

  // Every kind.
  virtual void ShowWindow(int id, BOOL show) = 0;
  virtual BOOL IsWindowVisible(int id) const = 0;
  virtual void EnableWindow(int id, BOOL enable) = 0;
  virtual BOOL IsWindowEnabled(int id) const = 0;
  virtual void SetFocus(int id) = 0;
  virtual BOOL HasFocus(int id) const = 0;
  virtual void Invalidate(int id) = 0;
  virtual CRect GetClientRect(int id) const = 0;
  // A static's font: pixel height, bold, face name (CP932; mapped to an installed face).
  virtual void SetFont(int id, int pixelHeight, BOOL bold, const CString& face) = 0;

  // Edits: EM_SETREADONLY.
  virtual void SetReadOnly(int id, BOOL readOnly) { (void)id, (void)readOnly; }
  virtual BOOL IsReadOnly(int id) const {
    (void)id;
    return FALSE;
  }
  // Trackbars (TBM_); silent.
  virtual void SetSliderRange(int id, int min, int max) { (void)id, (void)min, (void)max; }
  virtual void SetSliderPos(int id, int pos) { (void)id, (void)pos; }
  virtual int GetSliderPos(int id) const {
    (void)id;
    return 0;
  }
  virtual void SetSliderTicFreq(int id, int freq) { (void)id, (void)freq; }
  // A push button's picture in place of its text (BM_SETIMAGE); hosts without pictures ignore it.
  virtual void SetButtonImage(int id, const class QImage& image) { (void)id, (void)image; }
};

// The template row of an id, or null.
const DlgControl* FindTemplateControl(const DlgTemplate& tpl, int id);
