// The object pages and the barcode drawing: one spin step of the rectangle page through the
// setter and the views with 500 objects, 50 barcodes of version 10 in 2 x 2 copies painted on
// screen after the first paint, and the character list of a 5000-character text with the
// mapping of its last row; one key typed into a character page of a long straight or arc text,
// with the canvas showing the text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <string>

#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "pages/object_pages.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_135.h"
#include "res/dialog_140.h"
#include "res/dialog_142.h"

namespace {

struct Session {
  benchdoc::Document d{"korvane-bench-pages"};
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
  std::unique_ptr<CLeftView> view;
  benchdoc::FormHost form;
  QWidget parent;

  Session() {
    view = std::make_unique<CLeftView>(doc.get());
    form.doc = doc.get();
    CPageHelper::SetFormHost(&form);
  }
  ~Session() {
    CPageHelper::SetFormHost(nullptr);
    view.reset();
    doc.reset();
  }
};

void BM_RectanglePageSpinStep(benchmark::State& state) {
  Session s;
  CObjectList& list = *s.doc->GetObjectList();
  for (int k = 0; k < 500; ++k) {
    auto* r = list.AddRectangle(nullptr, TRUE, TRUE);
    r->m_dPosX = -200 + (k % 25) * 16;
    r->m_dPosY = -110 + (k / 25) * 11;
    r->m_dWidth = 10;
    r->m_dHeight = 8;
    r->m_nRows = r->m_nColumns = 1;
  }
  s.doc->SetCurrentObject(250, TRUE, TRUE);
  CPageRectangle page;
  page.CreatePageWindow(&s.parent);
  page.Activate();
  NMUPDOWN nm;
  nm.hdr.code = UDN_DELTAPOS;
  int direction = 1;
  for (auto _ : state) {
    nm.iDelta = direction;
    direction = -direction;
    page.OnNotify(dlg135::IDC_SPIN_SIZE_X, nm);
  }
}
BENCHMARK(BM_RectanglePageSpinStep)->Unit(benchmark::kMicrosecond);

void BM_FiftyBarcodesOnScreen(benchmark::State& state) {
  Session s;
  CObjectList& list = *s.doc->GetObjectList();
  for (int k = 0; k < 50; ++k) {
    auto* b = list.AddBarcode(nullptr, TRUE, TRUE);
    b->m_strText = CString(("LOT " + std::to_string(100000 + k) + " BENCH").c_str());
    b->m_nVersion = 10;
    b->m_nLevel = 1;
    b->m_dSizeX = b->m_dSizeY = 15;
    b->m_nRows = b->m_nColumns = 2;
    b->m_dPosX = -180 + (k % 10) * 36;
    b->m_dPosY = -90 + (k / 10) * 36;
  }
  s.view->resize(900, 700);
  s.view->show();
  QApplication::processEvents();
  s.doc->SetZoomQuiet(4);  // 0.5: the whole page in the window
  s.view->SetScrollSizesForZoom();
  s.view->Invalidate(TRUE);
  s.view->UpdateWindow();  // the first paint encodes the symbols
  for (auto _ : state) {
    s.view->Invalidate(TRUE);
    s.view->UpdateWindow();
  }
  state.counters["encoded"] = s.view->GetBarcodeEncodeCount();
}
BENCHMARK(BM_FiftyBarcodesOnScreen)->Unit(benchmark::kMillisecond);

void BM_CharListOf5000Characters(benchmark::State& state) {
  Session s;
  CText1Object* t = s.doc->GetObjectList()->AddText1(nullptr, TRUE, TRUE);
  std::string text;
  for (int k = 0; k < 5000; ++k) {
    if (k % 50 == 49) text += "\r\n";
    else if (k % 3 == 0) text += "\x8A\xBF";  // a double-byte character
    else text += static_cast<char>('A' + k % 26);
  }
  t->SetText(CString(text));
  s.doc->SetCurrentObject(s.doc->GetObjectList()->GetCount() - 1, TRUE, TRUE);
  CPageText1Char page;
  page.CreatePageWindow(&s.parent);
  page.Activate();
  const CString string(text);
  int last = 0;
  for (auto _ : state) {
    page.FillCharList(dlg140::IDC_CHAR_LIST, string);
    last = page.RecordOfRow(page.Host()->GetCount(dlg140::IDC_CHAR_LIST) - 1);
    benchmark::DoNotOptimize(last);
  }
  state.counters["last_record"] = last;
}
BENCHMARK(BM_CharListOf5000Characters)->Unit(benchmark::kMillisecond);

// A key into the character page's size X edit, the row of the middle character selected: the
// edit's change, the setter and the canvas's invalidation; with a second argument of 1 also the
// paint that follows (bounded by what is visible only where the canvas bounds it).
// Types keys into the size X edit of the page of `text` (a long text of "A"s made current, the
// row of its middle character selected) until the state ends.
template <class Page, class Text>
void TypeKeys(benchmark::State& state, Session& s, Text* text, int list) {
  const int length = static_cast<int>(state.range(0));
  const bool paint = state.range(1) != 0;
  text->SetText(CString(std::string(static_cast<size_t>(length), 'A')));
  text->m_dCharWidth = text->m_dCharHeight = 2.0;
  s.view->resize(900, 700);
  s.view->show();
  s.doc->SetCurrentObject(s.doc->GetObjectList()->GetCount() - 1, TRUE, TRUE);
  Page page;
  page.CreatePageWindow(&s.parent);
  page.Activate();
  QApplication::processEvents();
  const int row = length / 2;
  page.Host()->SetCurSel(list, row);
  page.OnSelchangeCharList();
  const int sizeX = page.GetPageKind() == TYPE_TEXT1 ? 1332 : 1408;
  auto* edit = qobject_cast<QLineEdit*>(static_cast<CQtControlHost*>(page.Host())->GetControlWidget(sizeX));
  if (!edit) {
    state.SkipWithError("no size X edit");
    return;
  }
  edit->setText(QStringLiteral("1"));
  QApplication::processEvents();
  bool add = true;
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, add ? Qt::Key_2 : Qt::Key_Backspace, Qt::NoModifier,
                  add ? QStringLiteral("2") : QString());
    QCoreApplication::sendEvent(edit, &key);
    if (paint) QApplication::processEvents();
    add = !add;
  }
  state.counters["size_x"] =
      text->m_vCharRecords.size() > static_cast<size_t>(row) ? text->GetCharRecord(row).dSizeX : -1;
}

void BM_KeyInCharPage(benchmark::State& state) {
  Session s;
  CText1Object* t = s.doc->GetObjectList()->AddText1(nullptr, TRUE, TRUE);
  t->m_dPosX = -150;
  TypeKeys<CPageText1Char>(state, s, t, dlg140::IDC_CHAR_LIST);
}
BENCHMARK(BM_KeyInCharPage)->Args({20000, 0})->Args({100000, 0})->Args({20000, 1})->Unit(benchmark::kMillisecond);

// The same key into the character page of a long arc text laid round a circle.
void BM_KeyInArcCharPage(benchmark::State& state) {
  Session s;
  CText2Object* t = s.doc->GetObjectList()->AddText2(nullptr, TRUE, TRUE);
  t->m_dRadiusX = t->m_dRadiusY = 60.0;
  t->m_dSpan = 300.0;
  TypeKeys<CPageText2Char>(state, s, t, dlg142::IDC_CHAR_LIST);
}
BENCHMARK(BM_KeyInArcCharPage)->Args({2000, 0})->Args({20000, 0})->Args({2000, 1})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
