// Values from a file that the design could never hold: grid counts beyond what the property
// pages accept, non-finite and huge doubles. Every reader takes them into the bounds the pages
// keep, and what is taken renders and captures without undefined behaviour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "canvas/leftview.h"
#include "files/mrk_binary.h"
#include "files/mrk_doc.h"
#include "files/mrk_text.h"
#include "model/doc_archive.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"
#include "mrk_test_util.h"
#include "platform/gdi/gdi.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

template <class Fn>
void WithGrid(CDrawObject* o, Fn fn) {
  switch (o->m_nType) {
    case TYPE_LINE: fn(static_cast<CLineObject*>(o)->m_nRows, static_cast<CLineObject*>(o)->m_nColumns); break;
    case TYPE_RECTANGLE:
      fn(static_cast<CRectangleObject*>(o)->m_nRows, static_cast<CRectangleObject*>(o)->m_nColumns);
      break;
    case TYPE_CIRCLE: fn(static_cast<CCircleObject*>(o)->m_nRows, static_cast<CCircleObject*>(o)->m_nColumns); break;
    case TYPE_TRIANGLE:
      fn(static_cast<CTriangleObject*>(o)->m_nRows, static_cast<CTriangleObject*>(o)->m_nColumns);
      break;
    case TYPE_RHOMBIC: fn(static_cast<CRhombicObject*>(o)->m_nRows, static_cast<CRhombicObject*>(o)->m_nColumns); break;
    case TYPE_POLYGON: fn(static_cast<CPolygonObject*>(o)->m_nRows, static_cast<CPolygonObject*>(o)->m_nColumns); break;
    case TYPE_TEXT1: fn(static_cast<CText1Object*>(o)->m_nRows, static_cast<CText1Object*>(o)->m_nColumns); break;
    case TYPE_TEXT2: fn(static_cast<CText2Object*>(o)->m_nRows, static_cast<CText2Object*>(o)->m_nColumns); break;
    case TYPE_BMP: fn(static_cast<CBmpObject*>(o)->m_nRows, static_cast<CBmpObject*>(o)->m_nColumns); break;
    case TYPE_BARCODE: fn(static_cast<CBarcodeObject*>(o)->m_nRows, static_cast<CBarcodeObject*>(o)->m_nColumns); break;
    default: FAIL() << "no grid for kind " << o->m_nType;
  }
}

void SetGrid(CDrawObject* o, int rows, int columns) {
  WithGrid(o, [&](int& r, int& c) {
    r = rows;
    c = columns;
  });
}

std::pair<int, int> GridOf(CDrawObject* o) {
  std::pair<int, int> g;
  WithGrid(o, [&](int& r, int& c) { g = {r, c}; });
  return g;
}

// What the property pages accept for columns: 9999 for the triangle, 999 for every other kind.
int MaxColumns(int kind) { return kind == TYPE_TRIANGLE ? 9999 : 999; }

CDrawObject* const* Prototypes(CObjectList& list, CDrawObject* (&out)[ARCHIVE_PROTOTYPE_COUNT]) {
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) out[kind] = list.GetPrototype(kind);
  return out;
}

TEST(MrkLimits, GridCountsAreClampedPerKindByEveryReader) {
  for (int pass = 0; pass < 2; ++pass) {
    // First counts beyond every page, then 5000 columns, which only the triangle keeps.
    const int rows = pass == 0 ? 2000000000 : 998;
    const int columns = pass == 0 ? 2000000000 : 5000;
    SCOPED_TRACE(pass);
    CObjectList source;
    source.Initialize();
    mrktest::BuildEveryKind(source, "");
    for (int i = 1; i < source.GetCount(); ++i) SetGrid(source.GetObject(i), rows, columns);
    for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) SetGrid(source.GetPrototype(kind), rows, columns);
    auto expect = [&](CDrawObject* o, const char* reader) {
      const auto [r, c] = GridOf(o);
      EXPECT_EQ(r, std::min(rows, 999)) << reader << " kind " << o->m_nType;
      EXPECT_EQ(c, std::min(columns, MaxColumns(o->m_nType))) << reader << " kind " << o->m_nType;
    };

    // Binary project file.
    CObjectList binary;
    binary.Initialize();
    CMrkDesign design;
    ASSERT_TRUE(CMrkBinaryFile::ParseBytes(CMrkBinaryFile::Serialize(source), binary, design));
    ASSERT_EQ(design.m_Records.size(), 11u);  // the work area and the ten objects
    for (size_t i = 1; i < design.m_Records.size(); ++i) expect(design.m_Records[i].get(), "binary");

    // Text project file (it holds no barcode, and the bitmap needs its image file).
    CObjectList text;
    text.Initialize();
    CMrkTextFile writer(CMrkTextFile::modeWrite);
    writer.FormatList(source);
    CMrkTextFile reader(CMrkTextFile::modeRead);
    ASSERT_EQ(reader.LoadBytes(writer.GetBytes()), 2);
    int checked = 0;
    for (int n = 0; n < reader.GetRecordCount(); ++n) {
      std::unique_ptr<CDrawObject> o = MrkNewObjectOfKind(text, reader.GetObjectKind(n));
      if (!o) continue;
      reader.ParseObject(n, o.get());
      expect(o.get(), "text");
      ++checked;
    }
    EXPECT_EQ(checked, 9);

    // Defaults archive.
    CDrawObject* from[ARCHIVE_PROTOTYPE_COUNT];
    CArchive stored;
    StorePrototypes(stored, Prototypes(source, from));
    CObjectList defaults;
    defaults.Initialize();
    CDrawObject* to[ARCHIVE_PROTOTYPE_COUNT];
    CArchive loading(stored.Buffer());
    LoadPrototypes(loading, Prototypes(defaults, to));
    for (CDrawObject* o : to) expect(o, "archive");
  }
}

TEST(MrkLimits, NonFiniteValuesReadAsZeroAndHugeOnesAreLost) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  CObjectList source;
  source.Initialize();
  CText1Object* t = source.AddText1(nullptr, TRUE, TRUE);
  t->SetText(CString("AB"));
  t->m_vCharRecords[0] = CTextCharRecord{nan, nan, nan, nan, nan, nan, nan};
  t->m_vCharRecords[1] = CTextCharRecord{inf, -inf, inf, -inf, inf, -inf, inf};
  t->m_dCharWidth = nan;
  t->m_dPosX = inf;
  t->m_dAngle = -inf;
  CText1Object* huge = source.AddText1(nullptr, TRUE, TRUE);
  huge->SetText(CString("CD"));
  huge->m_vCharRecords[1] = CTextCharRecord{0, 0, 1e171, -1e242, 0, 0, 0};

  CObjectList target;
  target.Initialize();
  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(CMrkBinaryFile::Serialize(source), target, design));
  ASSERT_EQ(design.m_Records.size(), 2u);
  const auto& read = static_cast<const CText1Object&>(*design.m_Records[1]);
  ASSERT_EQ(read.m_vCharRecords.size(), 2u);
  EXPECT_EQ(read.m_vCharRecords[0].dSizeX, 0.0);
  EXPECT_EQ(read.m_vCharRecords[0].dFontWidthY, 0.0);
  EXPECT_EQ(read.m_vCharRecords[1].dSizeY, 0.0);
  EXPECT_EQ(read.m_vCharRecords[1].dAngle, 0.0);
  EXPECT_EQ(read.m_dCharWidth, 0.0);
  EXPECT_EQ(read.m_dPosX, 0.0);
  EXPECT_EQ(read.m_dAngle, 0.0);
  // No field or screen holds 1e171 mm: the record is lost, in its place, with the value named.
  ASSERT_EQ(design.m_Lost.size(), 1u);
  EXPECT_EQ(design.m_Lost[0].kind, TYPE_TEXT1);
  EXPECT_EQ(design.m_Lost[0].before, 2u);
  EXPECT_NE(design.m_Lost[0].reason.Find("1e+171"), -1);
}

class MrkLimitsRender : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    view = std::make_unique<CLeftView>(doc.get());
  }
  void TearDown() override {
    view.reset();
    doc.reset();
    g_bModified = 0;
  }
  CObjectList& List() { return *doc->GetObjectList(); }
  std::string Save(const CObjectList& list, const char* name) {
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
    const std::string path = dir.File(name);
    EXPECT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
    return path;
  }
  // Captures the outline of entry i and renders it into the machine bitmap; the number of
  // outline points.
  int CaptureAndRaster(int i) {
    const int n = view->SetOutlineData(i);
    view->ReleaseOutlinePoints();
    CDC dc;
    CBitmap bitmap;
    int pageSize[2] = {0, 0};
    RECT part{0, 0, 0, 0};
    view->GetBitmapDC(&dc, &bitmap, pageSize, &part, &i, 1);
    dc.DeleteDC();
    bitmap.DeleteObject();
    return n;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};

TEST_F(MrkLimitsRender, AnEmptyTextOfTooManyCopiesLoadsAtThePagesLimitAndCaptures) {
  CObjectList source;
  source.Initialize();
  CText1Object* t = source.AddText1(nullptr, TRUE, TRUE);
  t->SetText(CString(""));
  t->m_nRows = 9999;
  t->m_nColumns = 9999;
  const std::string path = Save(source, "copies.mrk");
  ASSERT_EQ(MrkLoadBinary(*doc, path.c_str(), FALSE), 1);
  ASSERT_EQ(List().GetCount(), 2);
  auto* read = static_cast<CText1Object*>(List().GetObject(1));
  EXPECT_EQ(read->m_nRows, 999);
  EXPECT_EQ(read->m_nColumns, 999);
  // Nothing to draw in any copy; the capture goes through the copies and gives no points.
  EXPECT_EQ(view->SetOutlineData(1), 0);
  view->ReleaseOutlinePoints();
}

TEST_F(MrkLimitsRender, ExtremeCharacterRecordsLoadRenderAndCapture) {
  const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           1e171, -1e242};
  CObjectList source;
  source.Initialize();
  // Each value in every field of one character of a straight and an arc text, then everywhere.
  for (double v : values) {
    for (int field = 0; field < 8; ++field) {
      CText1Object* t1 = source.AddText1(nullptr, TRUE, TRUE);
      t1->SetText(CString("AB"));
      CText2Object* t2 = source.AddText2(nullptr, TRUE, TRUE);
      t2->SetText(CString("AB"));
      for (CTextCharRecord* r : {&t1->m_vCharRecords[0], &t2->m_vCharRecords[0]}) {
        double* f[7] = {&r->dSizeX, &r->dSizeY, &r->dOffsetX, &r->dOffsetY, &r->dAngle, &r->dFontWidthX,
                        &r->dFontWidthY};
        for (int k = 0; k < 7; ++k) {
          if (field == 7 || field == k) *f[k] = v;
        }
      }
    }
  }
  const std::string path = Save(source, "extreme.mrk");
  // Non-finite values read as 0; the texts with values no field holds are named and left out.
  prompter.ExpectMessage(IDOK, "1e+171");
  ASSERT_EQ(MrkLoadBinary(*doc, path.c_str(), FALSE), 1);
  prompter.VerifyAllUsed();
  ASSERT_EQ(List().GetCount(), 1 + 2 * 8 * 2);
  for (int i = 1; i < List().GetCount(); ++i) {
    SCOPED_TRACE(i);
    CaptureAndRaster(i);
    CDoubleRect bounds;
    view->CalcObject(List().GetObject(i), bounds);
  }
}

}  // namespace

namespace {

// Found by fuzzing: a resolution of 2^31 dots per millimetre sized every raster by it.
TEST(MrkLimits, TheResolutionIsKeptToWhatThePageAccepts) {
  for (int dpm : {2147483647, -5, 0, 100, 1, 20}) {
    SCOPED_TRACE(dpm);
    const int expected = dpm < 1 ? 1 : (dpm > 100 ? 100 : dpm);
    CObjectList source;
    source.Initialize();
    source.GetDrawingObject()->m_pArea->m_nResolution = dpm;

    CObjectList binary;
    binary.Initialize();
    CMrkDesign design;
    ASSERT_TRUE(CMrkBinaryFile::ParseBytes(CMrkBinaryFile::Serialize(source), binary, design));
    ASSERT_EQ(design.m_Records.size(), 1u);
    EXPECT_EQ(static_cast<CDrawingObject&>(*design.m_Records[0]).m_pArea->m_nResolution, expected);

    CMrkTextFile writer(CMrkTextFile::modeWrite);
    writer.FormatList(source);
    CMrkTextFile reader(CMrkTextFile::modeRead);
    ASSERT_EQ(reader.LoadBytes(writer.GetBytes()), 2);
    CObjectList text;
    text.Initialize();
    reader.ParseObject(0, text.GetDrawingObject());
    EXPECT_EQ(text.GetDrawingObject()->m_pArea->m_nResolution, expected);
  }
}

}  // namespace

// A damaged file put a bitmap so far out that the outline's point sums left the int range; the
// points now stop at the range's ends (the sanitizer build reports any overflow).
TEST_F(MrkLimitsRender, ABitmapPlacedAtTheEndOfTheIntRangeCapturesWithoutOverflow) {
  const char* source = std::getenv("KORVANE_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string path = std::string(source) + "/tests/mrk/data/bmp_outline_far_away.mrk";
  // What lies past the ranges is named and left out; the rest is captured.
  class Answering : public ScriptedPrompter {
   public:
    int MessageBox(const CString&, const CString&, UINT) override { return IDOK; }
  } answering;
  MrkLoadBinary(*doc, path.c_str(), FALSE);
  const int n = std::min(List().GetCount(), 13);
  for (int i = 1; i < n; ++i) {
    view->GetOutlineType(i);
    view->SetOutlineData(i);
    view->ReleaseOutlinePoints();
  }
}
