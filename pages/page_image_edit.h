// CPageImageEdit: the paint editor's tool palette, the only page while a bitmap object is being
// painted. It keeps no image state: every choice goes at once to the document.
#pragma once

#include "pages/korvane_property_sheet.h"

class CPageImageEdit : public CKorvanePage, public IImageEditPage {
 public:
  CPageImageEdit();

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;

  // IImageEditPage
  void SelectTool(int code) override;
  int GetThickenAmounts(int& x, int& y, int& same) override;

  void EnableToolGroups(int toolClass);
  void CheckToolButton(int code);
  void SetToolIcons(int fill);
  // The icon resource each tool button shows (for the operator and for tests).
  int IconOf(int button) const;

  int m_bInitializing = 0;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(class CDrawObject* copy) override { (void)copy; }

 private:
  // A tool button's handler: groups, then the tool and the values the table names.
  void OnTool(int button);
  void OnThicken();
  int SpinSize() const;
  int m_nIcons[10] = {};
};

// Adds the page to the property sheet's table for kind 19.
void RegisterImageEditPages();
// The picture of one of the page's tool icons (213 to 229).
class QImage ToolIconImage(int iconId);
