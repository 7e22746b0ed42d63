// A long straight text edited through its pages, as an operator does: values typed into its
// character page, characters put into and taken out of its string. Its records are shared with the
// copies the paint, the pages and the canvas take, so after every step the records must be those
// typed, copies taken along the way must keep theirs, the canvas must show what a full repaint of a
// freshly built text shows, and a save and reload must give the records back.
#include <QApplication>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "canvas_fixture.h"
#include "fake_control_host.h"
#include "files/mrk_doc.h"
#include "pages/object_pages.h"
#include "render/text_layout.h"
#include "res/dialog_140.h"
#include "temp_dir.h"

namespace {

class PageDocument : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int) override { return 1; }
  void SetRememberedPage(int, int) override {}
};

class LongTextEdits : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    pageDocument.doc = doc.get();
    CPageHelper::SetFormHost(&pageDocument);
    ShowView();
  }
  void TearDown() override {
    textlayout::SetWholeTextLayout(false);
    CPageHelper::SetFormHost(nullptr);
    CanvasTest::TearDown();
  }
  // The canvas after a full repaint with every line laid out.
  QImage WholeRepaint() {
    textlayout::SetWholeTextLayout(true);
    view->Invalidate(TRUE);
    view->UpdateWindow();
    textlayout::SetWholeTextLayout(false);
    return view->SurfaceImage().copy();
  }

  PageDocument pageDocument;
};

std::string Lines(int lines, int per) {
  std::string s;
  for (int i = 0; i < lines; ++i) {
    if (i) s += "\r\n";
    for (int j = 0; j < per; ++j) s.push_back(static_cast<char>('A' + (i * 7 + j) % 26));
  }
  return s;
}

double* FieldOf(CTextCharRecord& r, int id) {
  if (id == dlg140::IDC_SIZE_X) return &r.dSizeX;
  if (id == dlg140::IDC_SIZE_Y) return &r.dSizeY;
  if (id == dlg140::IDC_OFFSET_Y) return &r.dOffsetY;
  if (id == dlg140::IDC_ANGLE) return &r.dAngle;
  return &r.dFontWidthX;
}

TEST_F(LongTextEdits, SeededKeysAndRetypingPaintAsAFreshTextAndSaveAsTyped) {
  Repaint(9);
  // Far taller than the view, and more records than a chunk of them holds.
  const int index = AddShape(TYPE_TEXT1, 70, 110, -10, -40);
  std::string text = Lines(55, 40);
  {
    CText1Object* t = At<CText1Object>(index);
    t->m_dCharWidth = 1;
    t->m_dCharHeight = 1.5;
    t->m_dLineGap = 0.5;
    t->SetText(CString(text.c_str()));
  }
  doc->SetCurrentObject(index, TRUE, TRUE);
  CPageText1Char page;
  CFakeControlHost host(*page.GetTemplate());
  page.AttachHost(&host);
  page.Activate();
  std::vector<CTextCharRecord> typed(At<CText1Object>(index)->m_vCharRecords.size());
  ASSERT_GT(typed.size(), 2 * CTextCharRecords::kChunk);

  struct Kept {
    std::unique_ptr<CText1Object> copy;
    std::vector<CTextCharRecord> records;
  };
  std::vector<Kept> kept;
  const int fields[] = {dlg140::IDC_SIZE_X, dlg140::IDC_SIZE_Y, dlg140::IDC_OFFSET_Y, dlg140::IDC_ANGLE,
                        dlg140::IDC_FONT_WIDTH_X};
  const char* values[] = {"0.5", "-0.25", "3", "30", "0.2", "0"};
  std::mt19937 rng(4545);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int step = 0; step < 45; ++step) {
    const int what = pick(0, 9);
    std::string did;
    if (what < 6) {
      const int chars = host.GetCount(dlg140::IDC_CHAR_LIST);
      ASSERT_GT(chars, 0);
      const int row = pick(0, chars - 1);
      host.ChooseRow(dlg140::IDC_CHAR_LIST, row);
      const int record = page.RecordOfRow(row);
      const int field = fields[pick(0, 4)];
      const char* value = values[pick(0, 5)];
      host.Paste(field, value);
      *FieldOf(typed[static_cast<size_t>(record)], field) = std::stod(value);
      did = "a value into character " + std::to_string(row);
    } else if (what < 8) {
      // A character typed into, or taken out of, a line: every record starts again from zero.
      size_t at = static_cast<size_t>(pick(0, static_cast<int>(text.size()) - 1));
      while (at < text.size() && (text[at] == '\r' || text[at] == '\n')) ++at;
      if (what == 6 || at >= text.size()) {
        text.insert(std::min(at, text.size()), 1, 'Q');
        did = "a character typed";
      } else {
        text.erase(at, 1);
        did = "a character taken out";
      }
      ASSERT_EQ(doc->SetObjectText(1326, CString(text.c_str())), 1);
      page.Activate();
      typed.assign(At<CText1Object>(index)->m_vCharRecords.size(), CTextCharRecord{});
    } else {
      Kept k;
      k.copy = std::make_unique<CText1Object>();
      k.copy->CopySettings(At<CText1Object>(index));
      k.records = typed;
      kept.push_back(std::move(k));
      if (kept.size() > 4) kept.erase(kept.begin());
      did = "a copy kept";
    }
    SCOPED_TRACE("step " + std::to_string(step) + ": " + did);
    CText1Object* t = At<CText1Object>(index);
    ASSERT_EQ(t->m_vCharRecords.ToVector(), typed);
    for (const Kept& k : kept) ASSERT_EQ(k.copy->m_vCharRecords.ToVector(), k.records);

    const StalePixels stale = CompareWithFullRepaint();
    ASSERT_EQ(stale.count, 0) << "stale pixels within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height;
    // The same text built afresh, nothing shared, every line laid out.
    const QImage shown = view->SurfaceImage().copy();
    t->m_vCharRecords = CTextCharRecords(typed);
    ASSERT_TRUE(WholeRepaint() == shown);
  }

  TempDir dir;
  const std::string path = dir.File("long.mrk");
  ASSERT_TRUE(MrkSaveBinary(*doc, CString(path.c_str())));
  const std::vector<CTextCharRecord> saved = typed;
  doc->OnNewDocument();
  ASSERT_EQ(MrkLoadBinary(*doc, CString(path.c_str())), 1);
  bool found = false;
  for (int i = 0; i < List().GetCount(); ++i) {
    CDrawObject* o = List().GetObject(i);
    if (o->m_nType != TYPE_TEXT1 || static_cast<CText1Object*>(o)->m_strText.str() != text) continue;
    found = true;
    EXPECT_EQ(static_cast<CText1Object*>(o)->m_vCharRecords.ToVector(), saved);
  }
  EXPECT_TRUE(found);
}

}  // namespace
