// A control host without widgets, built from a dialog template, that keeps the same
// notification rules as the Qt host; tests type, click, choose rows and press up-downs on it
// and read back what the page wrote.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/control_host.h"
#include "platform/ui/updown.h"

class CFakeControlHost : public IControlHost {
 public:
  explicit CFakeControlHost(const DlgTemplate& tpl);
  ~CFakeControlHost() override;

  // ---- what the operator does
  // Types the text at the end of the edit, one character at a time (each change notifies).
  void Type(int id, const CString& text);
  // The same with any Unicode text, as a keyboard can enter what code page 932 lacks.
  void TypeUtf8(int id, const char* utf8);
  // Replaces the whole text in one typed change (a paste over a selection): one notification.
  void Paste(int id, const CString& text);
  // A click: check boxes toggle, radios check themselves and clear their group, buttons click.
  void Click(int id);
  // A list or combo row chosen with the mouse.
  void ChooseRow(int id, int row);
  // A click on an up-down's arrow (+1 up, -1 down).
  void SpinClick(int id, int direction);
  // The up-down state (clock, acceleration) of a control.
  CUpDownState* SpinState(int id);

  // ---- what the owner was told: (id, code) of every OnCommand, and of every OnNotify (code
  // UDN_DELTAPOS).
  std::vector<std::pair<int, int>> m_vNotified;
  int CountNotified(int id, int code) const;
  void ClearNotified() { m_vNotified.clear(); }

  // ---- IControlHost
  void SetOwner(IControlOwner* owner) override { m_pOwner = owner; }
  BOOL HasControl(int id) const override { return m_controls.count(id) != 0; }
  void SetDlgItemText(int id, const CString& text) override;
  CString GetDlgItemText(int id) const override;
  void SetCheck(int id, int state) override;
  int GetCheck(int id) const override;
  void CheckRadioButton(int first, int check) override;
  int GetCheckedRadioButton(int first) const override;
  void ResetContent(int id) override;
  int AddString(int id, const CString& text) override;
  int DeleteString(int id, int row) override;
  int InsertString(int id, int row, const CString& text) override;
  int GetCount(int id) const override;
  int GetCurSel(int id) const override;
  int SetCurSel(int id, int row) override;
  CString GetText(int id, int row) const override;
  void SetProgressRange(int id, int low, int high) override;
  void SetProgressPos(int id, int pos) override;
  int GetProgressPos(int id) const override;
  void SetBase(int id, int base) override;
  void SetRange32(int id, int low, int high) override;
  void SetPos32(int id, int pos) override;
  int GetPos32(int id) const override;
  void SetAccel(int id, const std::vector<UDACCEL>& accel) override;
  void ShowWindow(int id, BOOL show) override;
  BOOL IsWindowVisible(int id) const override;
  void EnableWindow(int id, BOOL enable) override;
  BOOL IsWindowEnabled(int id) const override;
  void SetFocus(int id) override;
  BOOL HasFocus(int id) const override;
  void Invalidate(int id) override;
  CRect GetClientRect(int id) const override;
  void SetFont(int id, int pixelHeight, BOOL bold, const CString& face) override;

  struct Control {
    ControlKind kind = CTL_STATIC;
    int group = 0;  // radios: the first id of the group
    std::u32string text;  // edits keep code points, so typing goes character by character
    int check = 0;
    bool visible = true;
    bool enabled = true;
    std::vector<CString> rows;
    int sel = -1;
    int lo = 0, hi = 100, pos = 0;  // progress bars
    CUpDownState spin;
    int width = 0, height = 0;
    int fontHeight = 0;
    bool fontBold = false;
    CString fontFace;
    int invalidated = 0;
  };
  const Control* GetControl(int id) const;

  // Trackbars: the position kept within the range, silent like the real control.
  void SetSliderRange(int id, int min, int max) override { m_sliders[id].min = min, m_sliders[id].max = max; }
  void SetSliderPos(int id, int pos) override {
    Slider& s = m_sliders[id];
    s.pos = pos < s.min ? s.min : pos > s.max ? s.max : pos;
  }
  int GetSliderPos(int id) const override {
    auto it = m_sliders.find(id);
    return it == m_sliders.end() ? 0 : it->second.pos;
  }
  void SetSliderTicFreq(int id, int freq) override { m_sliders[id].tic = freq; }
  struct Slider {
    int min = 0, max = 100, pos = 0, tic = 1;
  };
  std::map<int, Slider> m_sliders;
 private:
  Control* Find(int id);
  void Command(int id, int code);
  void TypeCodePoints(int id, const std::u32string& text);

  std::map<int, Control> m_controls;
  IControlOwner* m_pOwner = nullptr;
  int m_nFocus = 0;
};
