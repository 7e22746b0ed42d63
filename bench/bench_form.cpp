// The form view on a design of 500 objects: swapping the sheet's pages between kinds with every
// page filled, filling the object list, and one typed character going through the page, the
// property setter and the views (no canvas attached, so nothing is painted).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "app/korvane_view.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "pages/korvane_property_sheet.h"
#include "platform/ui/qt_control_host.h"

namespace {

// A page of twenty edits with spins, filled from the object's position, as the object pages are.
class BenchPage : public CKorvanePage {
 public:
  BenchPage(const DlgTemplate* tpl, int kind, int index, int firstId) : CKorvanePage(tpl, kind, index) {
    for (int i = 0; i < 10; ++i) m_vBindings.push_back({firstId + 3 * i, BIND_EDIT_DOUBLE, firstId + 3 * i + 1});
  }

 protected:
  const PageBinding* Bindings(int& count) const override {
    count = static_cast<int>(m_vBindings.size());
    return m_vBindings.data();
  }
  void Fill(CDrawObject* copy) override {
    for (const PageBinding& b : m_vBindings) SetEditDouble(b.id, copy->m_dPosX, 3);
  }

 private:
  std::vector<PageBinding> m_vBindings;
};

std::vector<DlgControl> MakeControls(int firstId) {
  std::vector<DlgControl> c;
  for (int i = 0; i < 10; ++i) {
    c.push_back({firstId + 3 * i, CTL_EDIT, "", 60, 8 + 14 * i, 50, 12});
    c.push_back({firstId + 3 * i + 1, CTL_UPDOWN, "", 110, 8 + 14 * i, 10, 12, CS_NONE, firstId + 3 * i});
    c.push_back({firstId + 3 * i + 2, CTL_STATIC, "横幅", 8, 10 + 14 * i, 48, 10});
  }
  return c;
}

// The line page's first edit is the line's width (1155); the others share the page's layout.
const std::vector<DlgControl> kLineControls = MakeControls(1155);
const std::vector<DlgControl> kOtherControls = MakeControls(3000);
const DlgTemplate kLine{1, "直線", 220, 160, kLineControls.data(), static_cast<int>(kLineControls.size())};
const DlgTemplate kOther{2, "ページ", 220, 160, kOtherControls.data(), static_cast<int>(kOtherControls.size())};

struct Form {
  benchdoc::Folder folder{"korvane-bench-form"};
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CKorvaneView> view;

  Form() {
    using S = CKorvanePropertySheet;
    S::RegisterPage(TYPE_LINE, 0, [] { return std::make_unique<BenchPage>(&kLine, TYPE_LINE, 0, 1155); });
    for (int i = 0; i < 2; ++i)
      S::RegisterPage(TYPE_TEXT1, i, [i] { return std::make_unique<BenchPage>(&kOther, TYPE_TEXT1, i, 3000); });
    for (int i = 0; i < 3; ++i)
      S::RegisterPage(TYPE_DRAWING, i, [i] { return std::make_unique<BenchPage>(&kOther, TYPE_DRAWING, i, 3000); },
                      PAGE_FIELD_FREE);
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
    CObjectList& list = *doc->GetObjectList();
    for (int k = 0; k < 499; ++k) {
      if (k % 2) {
        list.AddText1(nullptr, TRUE, TRUE)->SetText("AB12");
      } else {
        list.AddLine(nullptr, TRUE, TRUE);
      }
    }
    view = std::make_unique<CKorvaneView>(doc.get());
    view->OnInitialUpdate();
    view->show();
  }
  ~Form() {
    view.reset();
    doc.reset();
  }
};

// Drawing (14) -> line (0) -> straight text (6) -> drawing, each page set filled. Each
// benchmark builds its own form: one kept in a static would outlive the application's widgets.
void BM_SheetSwap(benchmark::State& state) {
  Form f;
  for (auto _ : state) {
    for (int index : {1, 2, 0}) f.doc->SetCurrentObject(index, TRUE, FALSE);
  }
  state.SetLabel("three swaps per iteration");
}
BENCHMARK(BM_SheetSwap)->Unit(benchmark::kMillisecond);

void BM_FillObjectList500(benchmark::State& state) {
  Form f;
  for (auto _ : state) f.view->FillObjectList();
}
BENCHMARK(BM_FillObjectList500)->Unit(benchmark::kMillisecond);

// One key press into the line page's width edit: the edit's change, the setter, both views.
void BM_TypedCharacter(benchmark::State& state) {
  Form f;
  f.doc->SetCurrentObject(1, TRUE, FALSE);
  CKorvanePage* page = f.view->GetKindPage(TYPE_LINE, 0);
  auto* host = dynamic_cast<CQtControlHost*>(page->Host());
  auto* edit = qobject_cast<QLineEdit*>(host->GetControlWidget(1155));
  edit->setText(QStringLiteral("1"));
  bool add = true;
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, add ? Qt::Key_2 : Qt::Key_Backspace, Qt::NoModifier,
                  add ? QStringLiteral("2") : QString());
    QCoreApplication::sendEvent(edit, &key);
    add = !add;
  }
  state.SetLabel("width " + std::to_string(static_cast<CLineObject*>(f.doc->m_pCurrentObject)->m_dWidth));
}
BENCHMARK(BM_TypedCharacter)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
