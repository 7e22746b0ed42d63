#include "operator_day.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "canvas/leftview.h"
#include "canvas/object_tracker.h"
#include "fake_control_host.h"
#include "files/mrk_binary.h"
#include "files/mrk_design.h"
#include "files/settings.h"
#include "imaging/monobmp.h"
#include "machine_simulator.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "output/thread_engrave_engine.h"
#include "pages/korvane_property_sheet.h"
#include "pages/page_helper.h"
#include "platform/numfmt.h"
#include "platform/ui/modal_dialogs.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_101.h"
#include "res/dialog_139.h"
#include "res/resource.h"
#include "surface_compare.h"

namespace {

constexpr int kDrawDataTemplate = 131;
constexpr int kQrTemplate = 281, kQrData = 1451, kQrConfirm = 1325;
constexpr int kArcTextTemplate = 141, kArcText = 1389, kArcConfirm = 1388;
constexpr UINT kAddCommands[] = {ID_ADD_LINE,    ID_ADD_RECTANGLE, ID_ADD_CIRCLE,   ID_ADD_TRIANGLE, ID_ADD_RHOMBUS,
                                 ID_ADD_POLYGON, ID_ADD_TEXT,      ID_ADD_ARC_TEXT, ID_ADD_BARCODE};

bool ParseNumber(const std::string& s, double& out) {
  const char* p = s.c_str();
  while (*p == ' ') ++p;
  if (!*p) return false;
  char* end = nullptr;
  out = std::strtod(p, &end);
  while (end && *end == ' ') ++end;
  return end && !*end;
}

// Values as a page shows them: numbers compare by value (a typed "12" is the stored 12.000).
bool SameValue(const std::string& a, const std::string& b) {
  if (a == b) return true;
  double x = 0, y = 0;
  if (a.size() > 2 && b.size() > 2 && a[0] == 't' && b[0] == 't' && ParseNumber(a.substr(2), x) &&
      ParseNumber(b.substr(2), y))
    return std::fabs(x - y) <= 0.0005 + 1e-9 * std::fabs(x);
  return false;
}

// A page's edits, checks and combos through a host (control id -> "t:text", "c:check", "s:row").
std::map<int, std::string> ValuesOf(const CKorvanePage& page, const IControlHost& host) {
  std::map<int, std::string> out;
  const DlgTemplate& tpl = *page.GetTemplate();
  for (int i = 0; i < tpl.count; ++i) {
    const DlgControl& c = tpl.controls[i];
    switch (c.kind) {
      case CTL_EDIT:
      case CTL_EDIT_MULTILINE: out[c.id] = "t:" + host.GetDlgItemText(c.id).ToUtf8(); break;
      case CTL_CHECK:
      case CTL_RADIO: out[c.id] = "c:" + std::to_string(host.GetCheck(c.id)); break;
      case CTL_COMBO: out[c.id] = "s:" + std::to_string(host.GetCurSel(c.id)); break;
      default: break;
    }
  }
  return out;
}

// The button that takes what was typed into a field, 0 when typing takes it at once.
int TakingButton(int page, int control) {
  if (page == dlg139::IDD && control == dlg139::IDC_TEXT) return dlg139::IDC_CONFIRM;
  if (page == dlg139::IDD && (control == dlg139::IDC_COUNT_START || control == dlg139::IDC_COUNT_DIGITS))
    return dlg139::IDC_RESET_COUNTER;
  if (page == kQrTemplate && control == kQrData) return kQrConfirm;
  if (page == kArcTextTemplate && control == kArcText) return kArcConfirm;
  return 0;
}

bool IsAxisSwap(int page, int control) {
  return page == kDrawDataTemplate && (control == 1040 || control == 1042 || control == 1044);
}

// Typed characters as the keyboard sends them (QTest's key clicks know ASCII only).
void TypeInto(QWidget* w, const QString& text) {
  for (QChar ch : text) {
    const int key = ch == QLatin1Char('\n') ? Qt::Key_Return : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key ? QString() : QString(ch));
    QApplication::sendEvent(w, &press);
  }
}

}  // namespace

std::string MachineReader::AfterJob(const std::string& portPath) {
  std::string bytes = TempDir::Read(portPath);
  std::remove(portPath.c_str());
  return bytes;
}

// ---- the operator's answers -------------------------------------------------------------------

// Questions in a random day cannot all be scripted: an unscripted message gets the cautious
// answer (OK, or No where there is one), and every question is kept for the checks.
class OperatorDay::Prompter : public ScriptedPrompter {
 public:
  int MessageBox(const CString& text, const CString&, UINT flags) override {
    asked.push_back(text.ToUtf8());
    if (!answers.empty()) {
      const int a = answers.front();
      answers.pop_front();
      return a;
    }
    switch (flags & MB_TYPEMASK) {
      case MB_YESNO:
      case MB_YESNOCANCEL: return IDNO;
      default: return IDOK;
    }
  }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>& paths) override {
    paths.clear();
    if (files.empty()) return false;
    paths.push_back(files.front());
    files.pop_front();
    return !paths.back().IsEmpty();
  }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }
  bool AskedContaining(const char* utf8, size_t from = 0) const {
    for (size_t i = from; i < asked.size(); ++i)
      if (asked[i].find(utf8) != std::string::npos) return true;
    return false;
  }
  std::deque<int> answers;
  std::deque<CString> files;
  std::vector<std::string> asked;
};

class OperatorDay::Dialogs : public IModalDialogs {
 public:
  Dialogs() : m_previous(SetModalDialogs(this)) {}
  ~Dialogs() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData& d) override {
    d.layer = layer;
    return true;
  }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filter) override {
    saveRequests.push_back(request.initialPath);
    if (savePath.IsEmpty()) return false;
    path = savePath;
    filter = saveFilter;
    savePath.Empty();
    return true;
  }
  bool SealKindDialog(SealKindDialogData& d) override {
    d.kind = sealKind;
    return true;
  }
  bool PersonalSealDialog(PersonalSealDialogData& d) override {
    d.lines = {CString::FromUtf8("山田")};
    return true;
  }
  bool CorporateSealDialog(CorporateSealDialogData& d) override {
    d.ringText = CString::FromUtf8("ドラヴェン株式会社");
    if (d.uchiText.empty()) d.uchiText.push_back(CString::FromUtf8("代表印"));
    return true;
  }
  bool EngraveLayerDialog(EngraveLayerDialogData& d) override {
    for (int n = 0; n < 8; ++n) d.checks[n] = d.used[n];
    return true;
  }
  int layer = 0;
  int sealKind = 0;
  CString savePath;
  int saveFilter = 1;
  std::vector<CString> saveRequests;

 private:
  IModalDialogs* m_previous;
};

// ---- the run ----------------------------------------------------------------------------------

OperatorDay::OperatorDay() = default;
OperatorDay::~OperatorDay() = default;

void OperatorDay::SetUp() {
  AppTest::SetUp();
  prompter.reset();
  auto own = std::make_unique<Prompter>();
  m_prompter = own.get();
  prompter = std::move(own);
  m_dialogs = std::make_unique<Dialogs>();
  m_portPath = temp->File("lpt1.out");
  setenv("DRAVENTIS_LPT1", m_portPath.c_str(), 1);
  m_bmpPath = temp->File("image.bmp");
  std::vector<BYTE> block = MonoBmpFile::Create(48, 32);
  const int stride = static_cast<int>(MonoBmpFile::Stride(48));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x)
      if ((x / 6 + y / 6) % 2 == 0)
        block[MonoBmpFile::kHeaderSize + static_cast<size_t>(y) * stride + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  temp->Write("image.bmp", std::string(block.begin(), block.end()));
}

void OperatorDay::TearDown() {
  if (app && Doc().m_pEngine) {
    if (auto* engine = dynamic_cast<CThreadEngraveEngine*>(Doc().m_pEngine)) engine->WaitForWorker();
    Doc().EndEngraving();
  }
  Stop();
  m_dialogs.reset();
  unsetenv("DRAVENTIS_LPT1");
  AppTest::TearDown();
}

void OperatorDay::StartApp() {
  ASSERT_TRUE(Start());
  Frame().showNormal();
  Frame().resize(1280, 800);
  QApplication::processEvents();
  timers.FireTimer(0);
}

void OperatorDay::StopApp() {
  if (!app) return;
  Frame().close();
  Stop();
}

std::string OperatorDay::LogText() const {
  std::ostringstream out;
  for (size_t i = 0; i < m_log.size(); ++i) out << "  " << i << ": " << m_log[i] << "\n";
  return out.str();
}

void OperatorDay::Log(const std::string& line) { m_log.push_back(line); }
int OperatorDay::Pick(int n) { return n <= 1 ? 0 : static_cast<int>(m_rng() % static_cast<std::uint64_t>(n)); }
double OperatorDay::Uniform(double lo, double hi) {
  return lo + (hi - lo) * static_cast<double>(m_rng() % 1000001) / 1000000.0;
}

CLeftView& OperatorDay::Canvas() { return *Frame().GetLeftView(); }
CKorvaneView& OperatorDay::Form() { return *Frame().GetFormView(); }
QWidget* OperatorDay::Viewport() { return Canvas().viewport(); }

void OperatorDay::Mouse(int type, int x, int y, bool ctrl) {
  const QPointF p(x, y);
  const Qt::KeyboardModifiers m = ctrl ? Qt::ControlModifier : Qt::NoModifier;
  const auto t = static_cast<QEvent::Type>(type);
  const Qt::MouseButton button = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(t, p, Viewport()->mapToGlobal(p), button, t == QEvent::MouseMove && !m_dragging ? Qt::NoButton : held,
                m);
  QApplication::sendEvent(Viewport(), &e);
}

void OperatorDay::RunThroughSteps(std::initializer_list<std::pair<std::uint64_t, int>> seedSteps) {
  for (const auto& [seed, step] : seedSteps) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Run(seed, step + 1);
    Stop();
    if (HasFailure()) return;
  }
}

void OperatorDay::Run(std::uint64_t seed, int steps) {
  m_rng.seed(seed);
  m_log.clear();
  m_leftSettings.clear();
  m_bJustOpened = m_bOpenedLastStep = false;
  // Every seed starts as a first run, so that it replays alone as it ran among others.
  QSettings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis")).clear();
  ::DeleteSettingsFiles();
  QApplication::clipboard()->clear();
  StartApp();
  if (HasFailure()) return;
  const std::vector<Named> actions = Actions();
  int total = 0;
  for (const Named& a : actions) total += a.weight;
  CheckAll("the start");
  for (int step = 0; step < steps && !HasFailure(); ++step) {
    int r = Pick(total);
    const Named* chosen = &actions.front();
    for (const Named& a : actions) {
      if (r < a.weight) {
        chosen = &a;
        break;
      }
      r -= a.weight;
    }
    Log(std::string(chosen->name));
    const std::string was = m_log.back();
    // A design counts as just opened only up to the step after its open: any step between may
    // change it, and then a question to save is due.
    m_bOpenedLastStep = m_bJustOpened;
    m_bJustOpened = false;
    chosen->act();
    if (!HasFailure()) CheckAll(was);
    if (HasFailure()) {
      ADD_FAILURE() << "seed " << seed << ", step " << step << " (" << was << ") broke an invariant; actions:\n"
                    << LogText();
      return;
    }
  }
}

std::vector<OperatorDay::Named> OperatorDay::Actions() {
  std::vector<Named> a = {
      {"add", 12, [this] { AddKind(); }},
      {"add bitmap", 2, [this] { AddBitmap(); }},
      {"click", 10, [this] { ClickObject(false); }},
      {"ctrl-click", 5, [this] { ClickObject(true); }},
      {"band", 6, [this] { Band(); }},
      {"drag", 8, [this] { DragSelection(false); }},
      {"drag with a zoom", 3, [this] { DragSelection(true); }},
      {"resize", 5, [this] { ResizeSelection(); }},
      {"nudge", 5,
       [this] {
         static const UINT ids[] = {ID_NUDGE_UP, ID_NUDGE_DOWN, ID_NUDGE_LEFT, ID_NUDGE_RIGHT};
         Command(ids[Pick(4)], "nudge");
       }},
      {"scroll", 4, [this] { ScrollCanvas(); }},
      {"wheel", 3, [this] { WheelCanvas(); }},
      {"zoom", 4, [this] { Command(Pick(2) ? ID_ZOOM_IN : ID_ZOOM_OUT, "zoom"); }},
      {"esc", 3, [this] { Escape(); }},
      {"layer", 3, [this] { SetLayer(); }},
      {"layer visibility", 2,
       [this] {
         const int n = Pick(10);
         Command(n < 8 ? ID_LAYER_TOGGLE_0 + n : n == 8 ? ID_LAYER_SHOW_ALL : ID_LAYER_HIDE_ALL, "layer visibility");
       }},
      {"mirror", 2,
       [this] {
         Command(Pick(2) ? ID_MIRROR_X : ID_MIRROR_Y, "mirror");
       }},
      {"centre", 2, [this] { Command(Pick(2) ? ID_CENTER_BOTH : ID_CENTER_HORZ, "centre"); }},
      {"page value", 14, [this] { PageValue(); }},
      {"list row", 5, [this] { ChooseListRow(); }},
      {"counting text", 3, [this] { CountingText(); }},
      {"seal", 1, [this] { Seal(); }},
      {"paint mode", 2, [this] { PaintMode(); }},
      {"copy", 3, [this] { Command(ID_EDIT_COPY, "copy"); }},
      {"paste", 3, [this] { Command(ID_EDIT_PASTE, "paste"); }},
      {"delete", 3, [this] { Command(ID_EDIT_CLEAR, "delete"); }},
      {"job", 3, [this] { Job(false); }},
      {"threaded job", 2, [this] { Job(true); }},
      {"binary save and reopen", 2, [this] { SaveAndReopen(false); }},
      {"text save and reopen", 2, [this] { SaveAndReopen(true); }},
      {"restart", 1, [this] { Restart(); }},
      {"new design", 1, [this] { Command(ID_FILE_NEW, "new"); }},
      {"frame size", 1, [this] { ResizeFrame(); }},
  };
  a.push_back({"arrow key in a combo", 2, [this] { PageKeyInCombo(); }});
  a.push_back({"save", 2, [this] {
                 const size_t before = m_dialogs->saveRequests.size();
                 const bool titled = !Doc().GetTitle().IsEmpty();
                 Command(ID_FILE_SAVE_MRK, "save");
                 if (titled && m_dialogs->saveRequests.size() > before) {
                   EXPECT_FALSE(m_dialogs->saveRequests.back().IsEmpty())
                       << "Save on a titled design opened Save As without its name";
                 }
               }});
  return a;
}

// ---- actions ----------------------------------------------------------------------------------

void OperatorDay::Command(unsigned id, const char* what) {
  const bool ran = Frame().Commands().Execute(id);
  m_log.back() += std::string(" ") + what + " " + std::to_string(id) + (ran ? "" : " (disabled)");
  QApplication::processEvents();
}

void OperatorDay::AddKind() {
  const UINT id = kAddCommands[Pick(static_cast<int>(std::size(kAddCommands)))];
  Command(id, "add");
}

void OperatorDay::AddBitmap() {
  m_prompter->files.push_back(CString(m_bmpPath.c_str()));
  Command(ID_ADD_BMP, "add bitmap");
  m_prompter->files.clear();
}

namespace {
CRect ClientRectOf(CLeftView& view, int index) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  RECT r;
  view.GetRenderer()->LogicalRectToDevice(&dc, view.GetDocument()->GetObjectList()->GetObject(index)->m_rcBounds, &r);
  CRect c(r);
  c.OffsetRect(-view.GetScrollPos(SB_HORZ), -view.GetScrollPos(SB_VERT));
  c.NormalizeRect();
  return c;
}
}  // namespace

void OperatorDay::ClickObject(bool ctrl) {
  const std::vector<int> rows = Doc().GetObjectList()->VisibleIndices();
  int x = Pick(Viewport()->width()), y = Pick(Viewport()->height());
  if (rows.size() > 1 && Pick(4) != 0) {
    const int index = rows[1 + Pick(static_cast<int>(rows.size()) - 1)];
    const CRect r = ClientRectOf(Canvas(), index);
    // Shapes are hit on their frame band, the rest anywhere inside.
    x = Pick(2) ? r.left + 2 : (r.left + r.right) / 2;
    y = (r.top + r.bottom) / 2;
    m_log.back() += " object " + std::to_string(index);
  }
  m_log.back() += " at " + std::to_string(x) + "," + std::to_string(y);
  m_dragging = true;
  Mouse(QEvent::MouseButtonPress, x, y, ctrl);
  m_dragging = false;
  Mouse(QEvent::MouseButtonRelease, x, y, ctrl);
}

void OperatorDay::Band() {
  const int w = Viewport()->width(), h = Viewport()->height();
  const int x0 = Pick(w), y0 = Pick(h), x1 = Pick(w), y1 = Pick(h);
  m_log.back() += " " + std::to_string(x0) + "," + std::to_string(y0) + " to " + std::to_string(x1) + "," +
                  std::to_string(y1);
  m_dragging = true;
  Mouse(QEvent::MouseButtonPress, x0, y0);
  Mouse(QEvent::MouseMove, (x0 + x1) / 2, (y0 + y1) / 2);
  if (Pick(3) == 0) {
    m_log.back() += ", during the band:";
    const int k = Pick(3);
    if (k == 0) ScrollCanvas();
    else if (k == 1) WheelCanvas();
    else Command(Pick(2) ? ID_ZOOM_IN : ID_ZOOM_OUT, "zoom");
  }
  Mouse(QEvent::MouseMove, x1, y1);
  m_dragging = false;
  Mouse(QEvent::MouseButtonRelease, x1, y1);
}

void OperatorDay::DragSelection(bool interrupt) {
  const CObjectTracker* tracker = Canvas().GetTracker();
  if (!tracker || Canvas().GetTrackObject() == -2) {
    m_log.back() += " (nothing selected)";
    return;
  }
  CRect t(tracker->GetTrackRect());
  t.NormalizeRect();
  const int x = (t.left + t.right) / 2, y = (t.top + t.bottom) / 2;
  const int dx = Pick(121) - 60, dy = Pick(121) - 60;
  m_log.back() += " from " + std::to_string(x) + "," + std::to_string(y) + " by " + std::to_string(dx) + "," +
                  std::to_string(dy);
  m_dragging = true;
  Mouse(QEvent::MouseButtonPress, x, y);
  Mouse(QEvent::MouseMove, x + dx / 2, y + dy / 2);
  // The zoom's way follows the drag's, so that the drag takes no more draws than a plain one.
  if (interrupt) Command(dx % 2 ? ID_ZOOM_IN : ID_ZOOM_OUT, "zoom during the drag");
  Mouse(QEvent::MouseMove, x + dx, y + dy);
  m_dragging = false;
  Mouse(QEvent::MouseButtonRelease, x + dx, y + dy);
}

void OperatorDay::ResizeSelection() {
  const CObjectTracker* tracker = Canvas().GetTracker();
  if (!tracker || Canvas().GetTrackObject() == -2) {
    m_log.back() += " (nothing selected)";
    return;
  }
  CRect t(tracker->GetTrackRect());
  t.NormalizeRect();
  // A corner or an edge handle, just outside the rectangle.
  const int hx = Pick(3), hy = Pick(3);
  if (hx == 1 && hy == 1) return;
  const int x = hx == 0 ? t.left - 4 : hx == 2 ? t.right + 4 : (t.left + t.right) / 2;
  const int y = hy == 0 ? t.top - 4 : hy == 2 ? t.bottom + 4 : (t.top + t.bottom) / 2;
  const int dx = Pick(81) - 40, dy = Pick(81) - 40;
  m_log.back() += " handle " + std::to_string(hx) + std::to_string(hy) + " by " + std::to_string(dx) + "," +
                  std::to_string(dy);
  m_dragging = true;
  Mouse(QEvent::MouseButtonPress, x, y);
  Mouse(QEvent::MouseMove, x + dx / 2, y + dy / 2);
  Mouse(QEvent::MouseMove, x + dx, y + dy);
  m_dragging = false;
  Mouse(QEvent::MouseButtonRelease, x + dx, y + dy);
}

void OperatorDay::ScrollCanvas() {
  QScrollBar* bar = Pick(2) ? Canvas().horizontalScrollBar() : Canvas().verticalScrollBar();
  static const QAbstractSlider::SliderAction kinds[] = {
      QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd,
      QAbstractSlider::SliderPageStepSub};
  const int k = Pick(4);
  m_log.back() += std::string(" ") + (bar == Canvas().horizontalScrollBar() ? "h" : "v") + std::to_string(k);
  bar->triggerAction(kinds[k]);
  QApplication::processEvents();
}

void OperatorDay::WheelCanvas() {
  const QPointF p(Viewport()->width() / 2, Viewport()->height() / 2);
  const int delta = Pick(2) ? 120 : -120;
  m_log.back() += " " + std::to_string(delta);
  QWheelEvent e(p, Viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), m_dragging ? Qt::LeftButton : Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Viewport(), &e);
  QApplication::processEvents();
}

void OperatorDay::Escape() {
  QTest::keyClick(&Canvas(), Qt::Key_Escape);
  QApplication::processEvents();
}

void OperatorDay::SetLayer() {
  const int layer = Pick(8);
  m_dialogs->layer = layer;
  if (Pick(2)) Command(ID_SET_LAYER_0 + layer, "layer");
  else Command(ID_LAYER_DIALOG, "layer dialog");
}

void OperatorDay::ChooseListRow() {
  auto* list = qobject_cast<QListWidget*>(Form().QtControls()->GetControlWidget(res::IDC_OBJECT_LIST));
  if (!list || !list->isVisible() || list->count() == 0) return;
  const int row = Pick(list->count());
  m_log.back() += " " + std::to_string(row);
  list->setCurrentRow(row);
  QApplication::processEvents();
}

CKorvanePage* OperatorDay::ShownPage() {
  const int kind = Form().GetPageKind();
  CKorvanePage* page = Form().GetKindPage(kind, Form().GetActivePageIndex());
  return page && page->HasHost() && page->GetPageWindow() && page->GetPageWindow()->isVisible() ? page : nullptr;
}

void OperatorDay::PageValue() {
  QTabWidget* tabs = Form().Sheet().GetSheetWindow();
  if (tabs && tabs->count() > 1 && Pick(4) == 0) {
    const int tab = Pick(tabs->count());
    m_log.back() += " tab " + std::to_string(tab);
    tabs->setCurrentIndex(tab);
    QApplication::processEvents();
  }
  CKorvanePage* page = ShownPage();
  if (!page) return;
  auto* host = dynamic_cast<CQtControlHost*>(page->Host());
  if (!host) return;
  const DlgTemplate& tpl = *page->GetTemplate();
  std::vector<const DlgControl*> usable;
  for (int i = 0; i < tpl.count; ++i) {
    const DlgControl& c = tpl.controls[i];
    if (c.kind != CTL_EDIT && c.kind != CTL_EDIT_MULTILINE && c.kind != CTL_CHECK && c.kind != CTL_RADIO &&
        c.kind != CTL_COMBO)
      continue;
    QWidget* w = host->GetControlWidget(c.id);
    if (!w || !w->isVisible() || !w->isEnabled()) continue;
    if (auto* e = qobject_cast<QLineEdit*>(w); e && e->isReadOnly()) continue;
    usable.push_back(&c);
  }
  if (usable.empty()) return;
  const DlgControl& c = *usable[Pick(static_cast<int>(usable.size()))];
  QWidget* w = host->GetControlWidget(c.id);
  m_log.back() += " page " + std::to_string(tpl.id) + " control " + std::to_string(c.id);
  const int pageIndex = Form().GetActivePageIndex();
  const bool setting = Form().GetPageKind() == TYPE_DRAWING && Doc().m_nCurrentKind == TYPE_DRAWING;
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    const std::string old = e->text().toStdString();
    double v = 0;
    std::string typed;
    if (ParseNumber(old, v)) {
      const double nv = v * Uniform(0.6, 1.4) + Uniform(-2.0, 2.0);
      typed = old.find('.') == std::string::npos ? std::to_string(static_cast<int>(std::lround(nv)))
                                                 : numfmt::Format("%.3f", nv);
    } else {
      static const char* kTexts[] = {"AB", "山田", "12", "Zx9"};
      typed = kTexts[Pick(4)];
    }
    m_log.back() += " typed \"" + typed + "\"";
    e->setFocus();
    e->selectAll();
    TypeInto(e, QString::fromStdString(typed));
  } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
    static const char* kLines[] = {"ABC", "山田\n太郎", "X1"};
    const char* typed = kLines[Pick(3)];
    m_log.back() += std::string(" typed \"") + typed + "\"";
    t->setFocus();
    t->selectAll();
    TypeInto(t, QString::fromUtf8(typed));
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    m_log.back() += " clicked";
    b->click();
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (combo->count() == 0) return;
    const int row = Pick(combo->count());
    m_log.back() += " row " + std::to_string(row);
    combo->setCurrentIndex(row);
    emit combo->activated(row);
  }
  // A text, a QR Code's data and a counter's start are taken by their button only: the operator
  // presses it before leaving the field.
  if (const int button = TakingButton(tpl.id, c.id)) {
    if (auto* b = qobject_cast<QAbstractButton*>(host->GetControlWidget(button)); b && b->isEnabled()) {
      m_log.back() += " taken by " + std::to_string(button);
      b->click();
    }
  }
  // The operator leaves the field for the canvas.
  Canvas().setFocus();
  QApplication::processEvents();
  // The setting as it was left.
  if (setting) {
    // A change can move other controls of its page (a radio group): the page's earlier changes
    // are taken again as they now stand.
    std::map<int, std::string> now = FreshValues(TYPE_DRAWING, pageIndex);
    // Every start clears the axis swaps: they are not a setting that outlives the run.
    if (!IsAxisSwap(tpl.id, c.id)) m_leftSettings[{pageIndex, c.id}] = now[c.id];
    for (auto& [key, value] : m_leftSettings)
      if (key.first == pageIndex) value = now[key.second];
  }
}

void OperatorDay::PageKeyInCombo() {
  CKorvanePage* page = ShownPage();
  if (!page || page->GetTemplate()->id != kQrTemplate) return;
  auto* host = dynamic_cast<CQtControlHost*>(page->Host());
  CDrawObject* o = Doc().m_pCurrentObject;
  if (!host || !o) return;
  const DlgTemplate& tpl = *page->GetTemplate();
  for (int i = 0; i < tpl.count; ++i) {
    auto* combo = qobject_cast<QComboBox*>(host->GetControlWidget(tpl.controls[i].id));
    if (!combo || !combo->isVisible()) continue;
    const double x = o->m_dPosX, y = o->m_dPosY;
    combo->setFocus();
    QTest::keyClick(combo, Pick(2) ? Qt::Key_Down : Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(o->m_dPosX, x) << "an arrow key in a combo moved the object";
    EXPECT_EQ(o->m_dPosY, y) << "an arrow key in a combo moved the object";
    return;
  }
}

void OperatorDay::CountingText() {
  if (Doc().m_nCurrentKind != TYPE_TEXT1) Command(ID_ADD_TEXT, "add text");
  if (Doc().m_nCurrentKind != TYPE_TEXT1) return;
  if (QTabWidget* tabs = Form().Sheet().GetSheetWindow()) tabs->setCurrentIndex(0);
  QApplication::processEvents();
  CKorvanePage* page = ShownPage();
  if (!page) return;
  auto* box = qobject_cast<QCheckBox*>(dynamic_cast<CQtControlHost*>(page->Host())->GetControlWidget(dlg139::IDC_COUNT_UP));
  if (!box || !box->isVisible() || !box->isEnabled()) return;
  m_log.back() += box->isChecked() ? " off" : " on";
  box->click();
  QApplication::processEvents();
}

void OperatorDay::Seal() {
  m_dialogs->sealKind = Pick(2);
  m_log.back() += m_dialogs->sealKind ? " corporate" : " personal";
  Command(ID_SEAL_NEW, "seal");
}

void OperatorDay::PaintMode() {
  if (Doc().m_bPaintMode) {
    // A stroke, then the end button.
    const int x = Pick(Viewport()->width()), y = Pick(Viewport()->height());
    m_dragging = true;
    Mouse(QEvent::MouseButtonPress, x, y);
    Mouse(QEvent::MouseMove, x + 20, y + 10);
    m_dragging = false;
    Mouse(QEvent::MouseButtonRelease, x + 20, y + 10);
    Mouse(QEvent::MouseMove, x + 5, y + 5);
    const QString during = Frame().PaneText(0);
    auto* end = qobject_cast<QAbstractButton*>(Form().QtControls()->GetControlWidget(res::IDC_END_IMAGE_EDIT));
    m_log.back() += " stroke at " + std::to_string(x) + "," + std::to_string(y) + ", end";
    if (end) end->click();
    timers.FireTimer(4);
    QApplication::processEvents();
    if (!during.trimmed().isEmpty() && !Doc().m_bPaintMode) {
      EXPECT_NE(Frame().PaneText(0), during) << "the status pane kept the paint position";
    }
    return;
  }
  if (Doc().m_nCurrentKind != TYPE_BMP) {
    m_log.back() += " (no bitmap current)";
    return;
  }
  Command(ID_EDIT_IMAGE, "edit image");
  timers.FireTimer(3);
  QApplication::processEvents();
}

void OperatorDay::Job(bool threaded) {
  if (Doc().m_bPaintMode) return;
  std::remove(m_portPath.c_str());
  reader->BeforeJob(m_portPath);
  // What each counting text shows when the job starts.
  CObjectList& list = *Doc().GetObjectList();
  std::map<int, CString> shown;
  std::map<int, int> counts;
  const CTextUtil util;
  for (int i = 1; i < list.GetCount(); ++i) {
    auto* t = dynamic_cast<CText1Object*>(list.GetObject(i));
    if (!t || t->m_bDeleted || !t->m_bCountUp) continue;
    shown[i] = t->m_strText;
    counts[i] = t->m_nCount;
    EXPECT_EQ(t->m_strText.ToUtf8(), util.FormatZeroPadded(numfmt::Format("%d", t->m_nCount), t->m_nCountDigits).ToUtf8())
        << "counting text " << i << " shows another number than its counter before the job";
  }
  const size_t asked = m_prompter->asked.size();
  Command(threaded ? ID_ENGRAVE_THREAD : ID_ENGRAVE, threaded ? "threaded job" : "job");
  if (threaded) {
    for (int round = 0; round < 100 && Doc().m_pEngine; ++round) {
      if (auto* engine = dynamic_cast<CThreadEngraveEngine*>(Doc().m_pEngine)) engine->WaitForWorker();
      QApplication::processEvents();
      timers.FireTimer(2);
    }
    ASSERT_EQ(Doc().m_pEngine, nullptr) << "the threaded job did not end";
  }
  const std::string stream = reader->AfterJob(m_portPath);
  const bool refused = m_prompter->AskedContaining("強制終了", asked);
  m_log.back() += " (" + std::to_string(stream.size()) + " bytes)";
  if (!stream.empty()) {
    CMachineSimulator machine(0, 0, 1, 1);
    EXPECT_TRUE(machine.Run(stream)) << machine.Error();
    EXPECT_FALSE(machine.IsPenDown()) << "the job ended with the pen down";
  }
  // A normal job that reached the machine advances every counter by one, and the text shows it.
  if (!threaded && !stream.empty() && !refused) {
    for (const auto& [index, count] : counts) {
      auto* t = dynamic_cast<CText1Object*>(list.GetObject(index));
      ASSERT_TRUE(t);
      EXPECT_EQ(t->m_nCount, count + 1) << "counting text " << index;
      EXPECT_EQ(t->m_strText.ToUtf8(), util.FormatZeroPadded(numfmt::Format("%d", count + 1), t->m_nCountDigits).ToUtf8());
    }
  }
}

std::vector<std::string> OperatorDay::RowsByKind() {
  // The text format keeps no names: a reopened object is named afresh after its kind.
  std::vector<std::string> rows;
  const CObjectList& list = *Doc().GetObjectList();
  for (int index : list.VisibleIndices()) {
    CString row;
    list.GetEntryText(index, row);
    const std::string text = row.ToUtf8();
    // A name may hold brackets of its own (a seal's ring text): the text follows the name's gap.
    const size_t open = text.find("   ( ");
    rows.push_back(std::to_string(list.GetObject(index)->m_nType) + (open == std::string::npos ? "" : text.substr(open)));
  }
  return rows;
}

bool OperatorDay::CurrentIsSealPart() {
  const CDrawObject* o = Doc().m_pCurrentObject;
  return o && Doc().m_nCurrentKind != TYPE_DRAWING && o->m_nGroupId != 0;
}

std::string OperatorDay::DesignBytes() {
  const std::string path = temp->File("design-" + std::to_string(++m_fileNo) + ".bin");
  CMrkBinaryFile file(CMrkBinaryFile::modeWrite, CString(path.c_str()));
  EXPECT_EQ(file.Write(Doc().GetObjectList()), 1);
  const std::string written = TempDir::Read(path);
  std::remove(path.c_str());
  // Read back into a list of its own, the way a load names every object afresh. The bounds and
  // the captured outlines are the renderer's, in screen units of the zoom it last drew at; a
  // reopen draws them anew, so they are left out. So are a rectangle's corner styles: the canvas
  // sets them from its edge style each time it draws it, and an object on a hidden layer keeps
  // the styles of its last draw until its layer shows again.
  CObjectList list;
  list.Initialize();
  CMrkDesign design;
  EXPECT_TRUE(CMrkBinaryFile::ParseBytes(std::vector<BYTE>(written.begin(), written.end()), list, design));
  for (const auto& record : design.m_Records) {
    std::vector<CDrawObject*> parts{record.get()};
    if (auto* drawing = dynamic_cast<CDrawingObject*>(record.get()))
      parts.insert(parts.end(), {drawing->m_pSetting.get(), drawing->m_pArea.get(), drawing->m_pField.get()});
    for (CDrawObject* o : parts) {
      if (!o) continue;
      o->m_rcBounds = {};
      if (o->m_nType == TYPE_RECTANGLE) o->m_nInnerCornerStyle = o->m_nOuterCornerStyle = 0;
      o->m_nCapturedCount = 0;
      o->m_vInnerPoints.clear();
      o->m_vOuterPoints.clear();
    }
  }
  design.Commit(list);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
  return std::string(bytes.begin(), bytes.end());
}

void OperatorDay::SaveAndReopen(bool text) {
  if (Doc().m_bPaintMode) return;
  const std::vector<std::string> rowsBefore = RowsByKind();
  const std::string before = DesignBytes();
  const std::string path = temp->File("design" + std::to_string(++m_fileNo) + ".mrk");
  m_dialogs->savePath = CString(path.c_str());
  m_dialogs->saveFilter = text ? 2 : 1;
  const size_t asked = m_prompter->asked.size();
  Command(ID_FILE_SAVE_AS_MRK, text ? "save as text" : "save as binary");
  m_dialogs->savePath.Empty();
  const bool named = m_prompter->AskedContaining("この形式では次のオブジェクトを保存できません", asked);
  if (!text) {
    EXPECT_FALSE(named);
  }
  m_prompter->files.push_back(CString(path.c_str()));
  Command(ID_FILE_OPEN, "open");
  m_prompter->files.clear();
  m_bJustOpened = true;
  if (!text) {
    // The design comes back as it was.
    const std::string after = DesignBytes();
    EXPECT_EQ(RowsByKind(), rowsBefore) << "the binary save and reopen";
    size_t at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    EXPECT_TRUE(after == before) << "the binary save and reopen gave another design: " << before.size()
                                 << " bytes, then " << after.size() << ", first difference at " << at;
    return;
  }
  const std::vector<std::string> rowsAfter = RowsByKind();
  if (named) {
    EXPECT_LE(rowsAfter.size(), rowsBefore.size());
  } else {
    EXPECT_EQ(rowsAfter, rowsBefore) << "a text save that named nothing lost objects";
  }
}

std::map<int, std::string> OperatorDay::FreshValues(int kind, int pageIndex) {
  auto pages = CKorvanePropertySheet::CreatePagesOfKind(kind, Doc().m_Settings.System.FixField != 0);
  if (pageIndex < 0 || pageIndex >= static_cast<int>(pages.size())) return {};
  CKorvanePage& page = *pages[pageIndex];
  // The page remembers its place in a host of its own, not in the form view's.
  struct Host : IPageFormHost {
    CKorvaneDoc* doc = nullptr;
    CKorvaneDoc* GetPageDocument() override { return doc; }
    int GetRememberedPage(int) override { return 0; }
    void SetRememberedPage(int, int) override {}
  } formHost;
  formHost.doc = &Doc();
  IPageFormHost* previous = CPageHelper::GetFormHost();
  CPageHelper::SetFormHost(&formHost);
  CFakeControlHost host(*page.GetTemplate());
  page.AttachHost(&host);
  // The drawing-data page's first fill clears the document's axis swaps (once a start): this
  // page only reads, as the form view's own does after its first fill.
  if (page.GetTemplate()->id == kDrawDataTemplate) page.m_bInitialized = 1;
  // The work-area pages show the work area whatever is current: it is read as if it were.
  CDrawObject* const current = Doc().m_pCurrentObject;
  const int currentKind = Doc().m_nCurrentKind;
  if (kind == TYPE_DRAWING) {
    Doc().m_pCurrentObject = Doc().GetObjectList()->GetDrawingObject();
    Doc().m_nCurrentKind = TYPE_DRAWING;
  }
  page.Activate();
  Doc().m_pCurrentObject = current;
  Doc().m_nCurrentKind = currentKind;
  CPageHelper::SetFormHost(previous);
  return ValuesOf(page, host);
}

std::map<int, std::string> OperatorDay::ShownValues(CKorvanePage& page) { return ValuesOf(page, *page.Host()); }

void OperatorDay::Restart() {
  if (Doc().m_bPaintMode) return;
  const bool justOpened = m_bOpenedLastStep;
  const size_t asked = m_prompter->asked.size();
  // A seal or an opened design's work area may have set the pages' values since: what must come
  // back is what the pages show as the program closes.
  std::map<int, std::map<int, std::string>> pagesBefore;
  for (auto& [key, value] : m_leftSettings) {
    if (!pagesBefore.count(key.first)) pagesBefore[key.first] = FreshValues(TYPE_DRAWING, key.first);
    value = pagesBefore[key.first][key.second];
  }
  StopApp();
  if (justOpened) {
    EXPECT_FALSE(m_prompter->AskedContaining("データを保存しますか", asked)) << "a design just opened asked to save";
  }
  StartApp();
  if (HasFailure()) return;
  std::map<int, std::map<int, std::string>> pagesAfter;
  for (const auto& [key, value] : m_leftSettings) {
    if (!pagesAfter.count(key.first)) pagesAfter[key.first] = FreshValues(TYPE_DRAWING, key.first);
    EXPECT_TRUE(SameValue(pagesAfter[key.first][key.second], value))
        << "work-area page " << key.first << " control " << key.second << " was " << value << ", after the restart "
        << pagesAfter[key.first][key.second];
  }
}

void OperatorDay::ResizeFrame() {
  static const QSize sizes[] = {{1280, 800}, {1024, 600}, {1400, 1000}, {900, 700}};
  const int n = Pick(4);
  m_log.back() += " " + std::to_string(sizes[n].width()) + "x" + std::to_string(sizes[n].height());
  Frame().resize(sizes[n]);
  QApplication::processEvents();
}

// ---- invariants -------------------------------------------------------------------------------

void OperatorDay::CheckAll(const std::string& after) {
  QApplication::processEvents();
  CheckSurface(after);
  CheckSealTexts(after);
  if (!m_bSkipListCheck) CheckListAndPage(after);
  m_bSkipListCheck = false;
  CheckScrollRange(after);
}

void OperatorDay::CheckSurface(const std::string& after) {
  const StalePixels stale = CompareWithFullRepaint(Canvas());
  EXPECT_EQ(stale.count, 0) << "after " << after << ": stale pixels within " << stale.x << "," << stale.y << " "
                            << stale.width << "x" << stale.height << ", first at" << stale.first;
}

void OperatorDay::CheckSealTexts(const std::string& after) {
  CObjectList& list = *Doc().GetObjectList();
  for (int i = 1; i < list.GetCount(); ++i) {
    auto* t = dynamic_cast<CText1Object*>(list.GetObject(i));
    if (!t || t->m_bDeleted || t->m_nGroupId == 0) continue;
    EXPECT_EQ(t->m_bCountUp, 0) << "after " << after << ": seal text " << i << " (" << t->m_strText.ToUtf8()
                                << ") counts";
  }
}

void OperatorDay::CheckListAndPage(const std::string& after) {
  if (Doc().m_bPaintMode) return;
  IControlHost& c = *Form().Controls();
  const CObjectList& list = *Doc().GetObjectList();
  const std::vector<int> rows = list.VisibleIndices();
  std::vector<std::string> expected, shown;
  for (int index : rows) {
    CString text;
    list.GetEntryText(index, text);
    expected.push_back(text.ToUtf8());
  }
  for (int row = 0; row < c.GetCount(res::IDC_OBJECT_LIST); ++row) shown.push_back(c.GetText(res::IDC_OBJECT_LIST, row).ToUtf8());
  EXPECT_EQ(shown, expected) << "after " << after << ": the object list";
  // The list starts with no row chosen while the work area is current.
  const int chosen = c.GetCurSel(res::IDC_OBJECT_LIST);
  if (Doc().m_nSelectCount <= 1 && Doc().m_nCurrentIndex >= 0 && !(chosen == -1 && Doc().m_nCurrentIndex == 0)) {
    EXPECT_EQ(chosen, Doc().IndexToVisible(Doc().m_nCurrentIndex))
        << "after " << after << ": the list's selected row, current object " << Doc().m_nCurrentIndex;
  }
  EXPECT_EQ(Form().GetPageKind(), Doc().m_nCurrentKind) << "after " << after << ": the shown page's kind";
  CKorvanePage* page = ShownPage();
  if (!page) return;
  const std::map<int, std::string> fresh = FreshValues(Form().GetPageKind(), Form().GetActivePageIndex());
  const std::map<int, std::string> now = ShownValues(*page);
  for (const auto& [id, value] : fresh) {
    const auto it = now.find(id);
    if (it == now.end()) continue;
    EXPECT_TRUE(SameValue(it->second, value)) << "after " << after << ": page " << page->GetTemplate()->id
                                              << " control " << id << " shows " << it->second << ", stored " << value;
  }
}

void OperatorDay::CheckScrollRange(const std::string& after) {
  CKorvanePage* page = ShownPage();
  if (!page) return;
  const QRect range = Form().rect();
  auto* host = dynamic_cast<CQtControlHost*>(page->Host());
  if (!host) return;
  const DlgTemplate& tpl = *page->GetTemplate();
  for (int i = 0; i < tpl.count; ++i) {
    QWidget* w = host->GetControlWidget(tpl.controls[i].id);
    if (!w || !w->isVisible()) continue;
    const QRect r(w->mapTo(&Form(), QPoint(0, 0)), w->size());
    EXPECT_TRUE(range.contains(r)) << "after " << after << ": page " << tpl.id << " control " << tpl.controls[i].id
                                   << " at " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height()
                                   << " is outside the form view's " << range.width() << "x" << range.height();
  }
}
