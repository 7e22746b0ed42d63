// The origin wizards: the operator chooses the machine model (general wizard only), checks the
// machine, lets it go home, jogs the head with two spins onto the wanted field origin, sees the
// result and finishes. Every jog goes to the machine at once as a pen-up move. The wizards only
// collect the model and the origin; the caller stores them after Finish.
#pragma once

#include <functional>
#include <memory>

#include <QWizard>
#include <QWizardPage>

#include "files/settings_fixed_field.h"
#include "model/doc_seams.h"
#include "pages/page_helper.h"
#include "platform/cstring.h"
#include "platform/ui/control_host.h"

class CQtControlHost;

// What both wizards share: the sheet's model and origin (in the jog page's axis order).
class COriginSheet : public QWizard {
  Q_OBJECT
 public:
  static constexpr int ID_WIZFINISH = 12325;
  static constexpr int IDS_CAPTION = 105;

  explicit COriginSheet(QWidget* parent = nullptr);
  // Runs the wizard modally: ID_WIZFINISH on Finish, IDCANCEL otherwise.
  int DoModal();
  // While this says a job writes to the port, the pages move nothing.
  void SetBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }
  bool IsPortBusy() const { return m_busy && m_busy(); }

  int m_nModel = 0;
  int m_nOriginX = 0;
  int m_nOriginY = 0;

 protected:
  void AddOriginPage(class COriginPage* page);

 private:
  void OnPageShown(int id);
  std::function<bool()> m_busy;
};

// A wizard page laid out from its dialog template; its title is the template's caption.
class COriginPage : public QWizardPage, public IControlOwner {
  Q_OBJECT
 public:
  COriginPage(const DlgTemplate& tpl, COriginSheet* sheet);
  ~COriginPage() override;

  IControlHost* Controls() const;
  CQtControlHost* QtControls() const { return m_pHost.get(); }
  const DlgTemplate& Template() const { return m_Template; }
  COriginSheet* Sheet() const { return m_pSheet; }

  // Once, before the page is first shown.
  virtual BOOL OnInitDialog();
  // Every time the page becomes the shown one.
  virtual void OnSetActive() {}
  void Activate();

  BOOL OnCommand(int id, int code) override {
    (void)id, (void)code;
    return FALSE;
  }
  BOOL OnNotify(int id, NMUPDOWN& nm) override {
    (void)id, (void)nm;
    return FALSE;
  }
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;

 protected:
  // Statics drawn in blue and in red.
  void SetBlue(std::initializer_list<int> ids);
  void SetRed(std::initializer_list<int> ids);
  void SetFace(int id, int height, const char* faceUtf8);

 private:
  const DlgTemplate& m_Template;
  COriginSheet* m_pSheet;
  std::unique_ptr<CQtControlHost> m_pHost;
  bool m_bInitialized = false;
  std::vector<int> m_vBlue;
  std::vector<int> m_vRed;
};

// Step 1 of the general wizard: the machine model.
class COriginWizardPage2 : public COriginPage {
  Q_OBJECT
 public:
  explicit COriginWizardPage2(COriginSheet* sheet);
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;
  bool isComplete() const override;
};

// The machine check (step 2; step 1 of the fixed-field wizard).
class COriginWizardPage1 : public COriginPage {
  Q_OBJECT
 public:
  COriginWizardPage1(COriginSheet* sheet, const DlgTemplate* tpl = nullptr);
  BOOL OnInitDialog() override;
};

// The jog (step 3; step 2 of the fixed-field wizard).
class COriginWizardPage3 : public COriginPage, public CPageHelper {
  Q_OBJECT
 public:
  COriginWizardPage3(COriginSheet* sheet, const DlgTemplate* tpl = nullptr);
  BOOL OnInitDialog() override;
  void OnSetActive() override;
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;
  bool isComplete() const override { return m_bPortOk; }

  // The home position of a model in machine order; 0 for an unknown model.
  static int GetHomePosition(int model, int& first, int& second);
  void MoveToOrigin();
  void OnMachineOrigin();

  int m_nModel = 0;
  int m_bHomePending = 1;

 private:
  // The home position in page order into the edits and the sheet.
  void ShowHome();
  // The jog or home move; false when it did not reach the machine (the operator was told).
  bool PenUp(int first, int second);
  // Jogs and Next only while the port takes the moves.
  void SetPortOk(bool ok);
  bool m_bPortOk = true;
};

// The result (step 4; step 3 of the fixed-field wizard).
class COriginWizardPage4 : public COriginPage {
  Q_OBJECT
 public:
  COriginWizardPage4(COriginSheet* sheet, const DlgTemplate* tpl = nullptr);
  BOOL OnInitDialog() override;
  void OnSetActive() override;
};

// The end (step 5; step 4 of the fixed-field wizard).
class COriginWizardPage5 : public COriginPage {
  Q_OBJECT
 public:
  COriginWizardPage5(COriginSheet* sheet, const DlgTemplate* tpl = nullptr);
  BOOL OnInitDialog() override;
  void OnSetActive() override;
};

class COriginWizardPageFix1 : public COriginWizardPage1 {
  Q_OBJECT
 public:
  explicit COriginWizardPageFix1(COriginSheet* sheet);
};
class COriginWizardPageFix2 : public COriginWizardPage3 {
  Q_OBJECT
 public:
  explicit COriginWizardPageFix2(COriginSheet* sheet);
};
class COriginWizardPageFix3 : public COriginWizardPage4 {
  Q_OBJECT
 public:
  explicit COriginWizardPageFix3(COriginSheet* sheet);
};
class COriginWizardPageFix4 : public COriginWizardPage5 {
  Q_OBJECT
 public:
  explicit COriginWizardPageFix4(COriginSheet* sheet);
};

class COriginWizard : public COriginSheet {
  Q_OBJECT
 public:
  explicit COriginWizard(QWidget* parent = nullptr);
  // The pages in the order shown (owned by the wizard).
  COriginWizardPage2* m_pPage2;
  COriginWizardPage1* m_pPage1;
  COriginWizardPage3* m_pPage3;
  COriginWizardPage4* m_pPage4;
  COriginWizardPage5* m_pPage5;
};

class COriginWizardFix : public COriginSheet {
  Q_OBJECT
 public:
  explicit COriginWizardFix(QWidget* parent = nullptr);
  void SetModel(int model) { m_nModel = model; }
  COriginWizardPageFix1* m_pPage1;
  COriginWizardPageFix2* m_pPage2;
  COriginWizardPageFix3* m_pPage3;
  COriginWizardPageFix4* m_pPage4;
};

// The wizards behind the document's engraving services: they run modally over the parent and
// the settings side stores what they measured and tells the operator.
class COriginWizardRunner : public IOriginWizardRunner, public IDocEngraveServices {
 public:
  explicit COriginWizardRunner(QWidget* parent = nullptr) : m_pParent(parent) {}
  bool RunFix(int model, int& originX, int& originY) override;
  bool Run(int& model, int& originX, int& originY) override;
  void RunOriginWizardFix(CKorvaneDoc& doc, int model) override;
  void RunOriginWizard(CKorvaneDoc& doc) override;

 protected:
  // Shows the wizard; tests drive it instead.
  virtual int Execute(COriginSheet& sheet) { return sheet.DoModal(); }

 private:
  QWidget* m_pParent;
  CKorvaneDoc* m_pDoc = nullptr;
};
