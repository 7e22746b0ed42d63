#include "output/origin_wizard.h"

#include "platform/ui/modal_dialogs.h"

#include <QAbstractButton>
#include <QColor>
#include <QPalette>
#include <QVBoxLayout>

#include "model/korvane_doc.h"
#include "output/lpt_port.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_106.h"
#include "res/dialog_107.h"
#include "res/dialog_108.h"
#include "res/dialog_109.h"
#include "res/dialog_110.h"

namespace {

constexpr int IDC_TITLE = 1505;
constexpr int IDC_TEXT = 1506;
constexpr int IDC_LINE1 = 1507;
constexpr int IDC_LINE2 = 1508;
constexpr int IDC_LINE3 = 1509;

constexpr COLORREF kBlue = 0xFF0000;  // 0x00BBGGRR
constexpr COLORREF kRed = 0x0000FF;

constexpr int kJogMax = 99999;

// The faces of the pages ("MS UI Gothic " is matched without its trailing blank).
const char kTitleFace[] = "ＭＳ Ｐゴシック";
const char kTextFace[] = "MS UI Gothic";
const char kFixedFace[] = "ＭＳ ゴシック";

CString Utf8(const std::string& s) { return CString::FromUtf8(s); }

}  // namespace

// ---- the sheet ------------------------------------------------------------------------------

COriginSheet::COriginSheet(QWidget* parent) : QWizard(parent) {
  setWindowTitle(QStringLiteral("Wizard"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnStartPage, true);
  setButtonText(QWizard::BackButton, QStringLiteral("< 戻る(&B)"));
  setButtonText(QWizard::NextButton, QStringLiteral("次へ(&N) >"));
  setButtonText(QWizard::CancelButton, QStringLiteral("キャンセル"));
  setFont(CQtControlHost::DialogFont());
  connect(this, &QWizard::currentIdChanged, this, &COriginSheet::OnPageShown);
}

void COriginSheet::AddOriginPage(COriginPage* page) { addPage(page); }

void COriginSheet::OnPageShown(int id) {
  auto* shown = dynamic_cast<COriginPage*>(page(id));
  if (!shown) return;
  // Each step shows its own dialog title.
  setWindowTitle(QString::fromUtf8(shown->Template().caption));
  shown->Activate();
}

// Through the dialog service, so a test never waits on a wizard it did not script.
int COriginSheet::DoModal() { return ModalDialogs().ExecDialog(*this) ? ID_WIZFINISH : IDCANCEL; }

// ---- the page base --------------------------------------------------------------------------

COriginPage::COriginPage(const DlgTemplate& tpl, COriginSheet* sheet) : m_Template(tpl), m_pSheet(sheet) {
  auto* body = new QWidget(this);
  body->setFont(CQtControlHost::DialogFont());
  body->setFixedSize(CQtControlHost::TemplateSize(tpl));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(body);
  m_pHost = std::make_unique<CQtControlHost>(tpl, body);
  m_pHost->setParent(nullptr);
  m_pHost->SetOwner(this);
}

COriginPage::~COriginPage() = default;

IControlHost* COriginPage::Controls() const { return m_pHost.get(); }

BOOL COriginPage::OnInitDialog() {
  SetFace(IDC_TITLE, 18, kTitleFace);
  SetFace(IDC_TEXT, 16, kTextFace);
  return TRUE;
}

void COriginPage::Activate() {
  if (!m_bInitialized) {
    m_bInitialized = true;
    OnInitDialog();
  }
  OnSetActive();
}

void COriginPage::SetFace(int id, int height, const char* faceUtf8) {
  if (m_pHost->HasControl(id)) m_pHost->SetFont(id, height, FALSE, CString::FromUtf8(faceUtf8));
}

void COriginPage::SetBlue(std::initializer_list<int> ids) { m_vBlue.insert(m_vBlue.end(), ids); }

void COriginPage::SetRed(std::initializer_list<int> ids) { m_vRed.insert(m_vRed.end(), ids); }

BOOL COriginPage::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  // The page's own face behind the coloured texts.
  const QColor face = palette().color(QPalette::Window);
  const COLORREF kFace = static_cast<COLORREF>(face.red() | (face.green() << 8) | (face.blue() << 16));
  for (int b : m_vBlue)
    if (b == id) {
      text = kBlue;
      back = kFace;
      return TRUE;
    }
  for (int r : m_vRed)
    if (r == id) {
      text = kRed;
      back = kFace;
      return TRUE;
    }
  return FALSE;
}

// ---- step 1: the model ------------------------------------------------------------------------

COriginWizardPage2::COriginWizardPage2(COriginSheet* sheet) : COriginPage(g_Dialog107, sheet) {}

BOOL COriginWizardPage2::OnInitDialog() { return COriginPage::OnInitDialog(); }

BOOL COriginWizardPage2::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  int model = 0;
  switch (id) {
    case dlg107::IDC_K1: model = 1; break;
    case dlg107::IDC_K2: model = 2; break;
    case dlg107::IDC_K3: model = 3; break;
    default: return FALSE;
  }
  Sheet()->m_nModel = model;
  emit completeChanged();
  return TRUE;
}

bool COriginWizardPage2::isComplete() const { return Sheet()->m_nModel != 0; }

// ---- the machine check ------------------------------------------------------------------------

COriginWizardPage1::COriginWizardPage1(COriginSheet* sheet, const DlgTemplate* tpl)
    : COriginPage(tpl ? *tpl : g_Dialog106, sheet) {}

BOOL COriginWizardPage1::OnInitDialog() {
  SetBlue({IDC_TEXT});
  SetRed({IDC_LINE1, IDC_LINE2, IDC_LINE3});
  COriginPage::OnInitDialog();
  for (int id : {IDC_LINE1, IDC_LINE2, IDC_LINE3}) SetFace(id, 14, kTextFace);
  return TRUE;
}

// ---- the jog ----------------------------------------------------------------------------------

COriginWizardPage3::COriginWizardPage3(COriginSheet* sheet, const DlgTemplate* tpl)
    : COriginPage(tpl ? *tpl : g_Dialog108, sheet) {
  m_pControls = Controls();
}

int COriginWizardPage3::GetHomePosition(int model, int& first, int& second) {
  switch (model) {
    case 1:
      first = 0;
      second = 11000;
      return 1;
    case 2:
    case 3:
      first = 0;
      second = 0;
      return 1;
    default: return 0;
  }
}

BOOL COriginWizardPage3::OnInitDialog() {
  COriginPage::OnInitDialog();
  SetFace(dlg108::IDC_EDIT_X, 22, kFixedFace);
  SetFace(dlg108::IDC_EDIT_Y, 22, kFixedFace);
  const std::vector<UDACCEL> accel = {{3, 1}, {4, 5}, {5, 10}, {6, 50}, {7, 100}, {8, 200}};
  for (int spin : {dlg108::IDC_SPIN_X, dlg108::IDC_SPIN_Y}) {
    InitSpinRange(spin, 0, kJogMax);
    m_pControls->SetAccel(spin, accel);
  }
  m_pControls->SetReadOnly(dlg108::IDC_EDIT_X, TRUE);
  m_pControls->SetReadOnly(dlg108::IDC_EDIT_Y, TRUE);
  m_bUpdating = 1;
  m_nModel = Sheet()->m_nModel;
  int first = 0, second = 0;
  if (GetHomePosition(m_nModel, first, second)) {
    const bool swapped = m_nModel != 3;
    SetEditInt(dlg108::IDC_EDIT_X, swapped ? second : first);
    SetEditInt(dlg108::IDC_EDIT_Y, swapped ? first : second);
  }
  m_bUpdating = 0;
  return TRUE;
}

void COriginWizardPage3::SetPortOk(bool ok) {
  m_bPortOk = ok;
  for (int id : {dlg108::IDC_SPIN_X, dlg108::IDC_SPIN_Y, dlg108::IDC_MACHINE_ORIGIN})
    m_pControls->EnableWindow(id, ok ? TRUE : FALSE);
  emit completeChanged();
}

bool COriginWizardPage3::PenUp(int first, int second) {
  // A jog into a running job's stream would mark the work.
  if (Sheet()->IsPortBusy()) return false;
  return CLptPort::MoveHead(first, second);
}

void COriginWizardPage3::ShowHome() {
  int first = 0, second = 0;
  if (!GetHomePosition(m_nModel, first, second)) return;
  const bool swapped = m_nModel != 3;
  const int x = swapped ? second : first;
  const int y = swapped ? first : second;
  m_bUpdating = 1;
  SetEditInt(dlg108::IDC_EDIT_X, x);
  SetEditInt(dlg108::IDC_EDIT_Y, y);
  m_bUpdating = 0;
  Sheet()->m_nOriginX = x;
  Sheet()->m_nOriginY = y;
}

void COriginWizardPage3::OnSetActive() {
  m_nModel = Sheet()->m_nModel;
  if (!m_bHomePending) return;
  // Jogs into a port that takes nothing would measure a false origin.
  CString reason;
  SetPortOk(CLptPort::CheckPort(&reason) != FALSE);
  if (!m_bPortOk) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return;  // tried again the next time the page is shown
  }
  int first = 0, second = 0;
  if (GetHomePosition(m_nModel, first, second)) {
    if (!PenUp(first, second)) {
      SetPortOk(false);  // the head is not home: tried again on the next visit
      return;
    }
    const bool swapped = m_nModel != 3;
    Sheet()->m_nOriginX = swapped ? second : first;
    Sheet()->m_nOriginY = swapped ? first : second;
  }
  m_bHomePending = 0;
}

BOOL COriginWizardPage3::OnNotify(int id, NMUPDOWN& nm) {
  if (id == dlg108::IDC_SPIN_X) {
    StepEditClamped(dlg108::IDC_SPIN_X, dlg108::IDC_EDIT_X, nm, 0, FALSE, 0, kJogMax);
    return FALSE;
  }
  if (id == dlg108::IDC_SPIN_Y) {
    NMUPDOWN step = nm;
    // For models 1 and 2 the page's Y is the machine's first axis, which runs the other way.
    if (m_nModel == 1 || m_nModel == 2) step.iDelta = -step.iDelta;
    StepEditClamped(dlg108::IDC_SPIN_Y, dlg108::IDC_EDIT_Y, step, 0, FALSE, 0, kJogMax);
    return FALSE;
  }
  return FALSE;
}

BOOL COriginWizardPage3::OnCommand(int id, int code) {
  if ((id == dlg108::IDC_EDIT_X || id == dlg108::IDC_EDIT_Y) && code == EN_CHANGE) {
    if (!m_bUpdating) MoveToOrigin();
    return TRUE;
  }
  if (id == dlg108::IDC_MACHINE_ORIGIN && code == BN_CLICKED) {
    OnMachineOrigin();
    return TRUE;
  }
  return FALSE;
}

void COriginWizardPage3::MoveToOrigin() {
  const int x = numfmt::Atoi(m_pControls->GetDlgItemText(dlg108::IDC_EDIT_X).c_str());
  const int y = numfmt::Atoi(m_pControls->GetDlgItemText(dlg108::IDC_EDIT_Y).c_str());
  COriginSheet* sheet = Sheet();
  if (x == sheet->m_nOriginX && y == sheet->m_nOriginY) return;
  bool arrived = false;
  if (m_nModel == 1 || m_nModel == 2) {
    arrived = PenUp(y, x);
  } else if (m_nModel == 3) {
    arrived = PenUp(x, y);
  }
  if (arrived) {
    sheet->m_nOriginX = x;
    sheet->m_nOriginY = y;
    return;
  }
  // The origin is where the head is: the edits go back to the last position that arrived.
  m_bUpdating = 1;
  SetEditInt(dlg108::IDC_EDIT_X, sheet->m_nOriginX);
  SetEditInt(dlg108::IDC_EDIT_Y, sheet->m_nOriginY);
  m_bUpdating = 0;
}

void COriginWizardPage3::OnMachineOrigin() {
  int first = 0, second = 0;
  if (!GetHomePosition(m_nModel, first, second)) return;
  if (PenUp(first, second)) ShowHome();
}

// ---- the result -------------------------------------------------------------------------------

COriginWizardPage4::COriginWizardPage4(COriginSheet* sheet, const DlgTemplate* tpl)
    : COriginPage(tpl ? *tpl : g_Dialog109, sheet) {}

BOOL COriginWizardPage4::OnInitDialog() {
  SetBlue({IDC_TEXT});
  SetRed({IDC_LINE1, IDC_LINE2, IDC_LINE3});
  COriginPage::OnInitDialog();
  SetFace(IDC_LINE1, 24, kFixedFace);
  SetFace(IDC_LINE2, 24, kFixedFace);
  SetFace(IDC_LINE3, 16, kTextFace);
  return TRUE;
}

void COriginWizardPage4::OnSetActive() {
  const COriginSheet* sheet = Sheet();
  const int x = sheet->m_nOriginX;
  const int y = sheet->m_nOriginY;
  double xmm = 0.0, ymm = 0.0;
  switch (sheet->m_nModel) {
    case 1:
      xmm = (11000 - x) * 0.025;
      ymm = y * 0.025;
      break;
    case 2:
    case 3:
      xmm = x * 0.025;
      ymm = y * 0.025;
      break;
    default: break;
  }
  Controls()->SetDlgItemText(IDC_LINE1, Utf8(numfmt::Format("X 原点 :%5d [unit] (%.3f[mm])", x, xmm)));
  Controls()->SetDlgItemText(IDC_LINE2, Utf8(numfmt::Format("Y 原点 :%5d [unit] (%.3f[mm])", y, ymm)));
}

// ---- the end ----------------------------------------------------------------------------------

COriginWizardPage5::COriginWizardPage5(COriginSheet* sheet, const DlgTemplate* tpl)
    : COriginPage(tpl ? *tpl : g_Dialog110, sheet) {}

BOOL COriginWizardPage5::OnInitDialog() {
  SetBlue({IDC_TEXT});
  return COriginPage::OnInitDialog();
}

void COriginWizardPage5::OnSetActive() { Sheet()->setButtonText(QWizard::FinishButton, QStringLiteral("終了")); }

COriginWizardPageFix1::COriginWizardPageFix1(COriginSheet* sheet) : COriginWizardPage1(sheet, &g_Dialog262) {}
COriginWizardPageFix2::COriginWizardPageFix2(COriginSheet* sheet) : COriginWizardPage3(sheet, &g_Dialog263) {}
COriginWizardPageFix3::COriginWizardPageFix3(COriginSheet* sheet) : COriginWizardPage4(sheet, &g_Dialog264) {}
COriginWizardPageFix4::COriginWizardPageFix4(COriginSheet* sheet) : COriginWizardPage5(sheet, &g_Dialog265) {}

// ---- the two wizards ----------------------------------------------------------------------------

COriginWizard::COriginWizard(QWidget* parent)
    : COriginSheet(parent),
      m_pPage2(new COriginWizardPage2(this)),
      m_pPage1(new COriginWizardPage1(this)),
      m_pPage3(new COriginWizardPage3(this)),
      m_pPage4(new COriginWizardPage4(this)),
      m_pPage5(new COriginWizardPage5(this)) {
  AddOriginPage(m_pPage2);
  AddOriginPage(m_pPage1);
  AddOriginPage(m_pPage3);
  AddOriginPage(m_pPage4);
  AddOriginPage(m_pPage5);
}

COriginWizardFix::COriginWizardFix(QWidget* parent)
    : COriginSheet(parent),
      m_pPage1(new COriginWizardPageFix1(this)),
      m_pPage2(new COriginWizardPageFix2(this)),
      m_pPage3(new COriginWizardPageFix3(this)),
      m_pPage4(new COriginWizardPageFix4(this)) {
  AddOriginPage(m_pPage1);
  AddOriginPage(m_pPage2);
  AddOriginPage(m_pPage3);
  AddOriginPage(m_pPage4);
}

// ---- the runner -------------------------------------------------------------------------------

bool COriginWizardRunner::RunFix(int model, int& originX, int& originY) {
  COriginWizardFix wizard(m_pParent);
  wizard.SetModel(model);
  if (CKorvaneDoc* doc = m_pDoc) wizard.SetBusyCheck([doc] { return doc->IsEngravingBusy(); });
  if (Execute(wizard) != COriginSheet::ID_WIZFINISH) return false;
  originX = wizard.m_nOriginX;
  originY = wizard.m_nOriginY;
  return true;
}

bool COriginWizardRunner::Run(int& model, int& originX, int& originY) {
  COriginWizard wizard(m_pParent);
  if (CKorvaneDoc* doc = m_pDoc) wizard.SetBusyCheck([doc] { return doc->IsEngravingBusy(); });
  if (Execute(wizard) != COriginSheet::ID_WIZFINISH) return false;
  model = wizard.m_nModel;
  originX = wizard.m_nOriginX;
  originY = wizard.m_nOriginY;
  return true;
}

void COriginWizardRunner::RunOriginWizardFix(CKorvaneDoc& doc, int model) {
  m_pDoc = &doc;
  ::RunOriginWizardFix(doc.m_Settings, model, *this);
  m_pDoc = nullptr;
}

void COriginWizardRunner::RunOriginWizard(CKorvaneDoc& doc) {
  m_pDoc = &doc;
  ::RunOriginWizard(doc.m_Settings, *this);
  m_pDoc = nullptr;
}
