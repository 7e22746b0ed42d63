// Files crafted with sizes, gaps, angles and offsets that no machine field or screen can hold:
// every reader names each such object and its value and leaves it out; what lies at the very
// edge of the ranges loads without a word and paints, captures and rasters (the sanitizer build
// turns any overflow on the way into a failure).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/leftview.h"
#include "files/mrk_binary.h"
#include "files/mrk_doc.h"
#include "files/mrk_text.h"
#include "model/korvane_doc.h"
#include "model/object_ranges.h"
#include "model/textobject.h"
#include "mrk_test_util.h"
#include "platform/gdi/gdi.h"
#include "platform/numfmt.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

const CString kReadFailed = CString::FromUtf8("ファイルの読み込みに失敗しました");

CTextCharRecords* CharRecordsOf(CDrawObject* o) {
  if (o->m_nType == TYPE_TEXT1) return &static_cast<CText1Object*>(o)->m_vCharRecords;
  if (o->m_nType == TYPE_TEXT2) return &static_cast<CText2Object*>(o)->m_vCharRecords;
  return nullptr;
}

double* CharField(CTextCharRecord& r, int k) {
  double* f[7] = {&r.dSizeX, &r.dSizeY, &r.dOffsetX, &r.dOffsetY, &r.dAngle, &r.dFontWidthX, &r.dFontWidthY};
  return f[k];
}

// What was set in one object, as the load message must name it.
struct Changed {
  int kind;
  std::string label;
};

class MrkRanges : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    const std::vector<BYTE> image = mrktest::SmallImage();
    bmpPath = dir.File("logo.bmp");
    ASSERT_TRUE(fileio::WriteAtomically(bmpPath, image.data(), image.size()));
  }
  void TearDown() override {
    doc.reset();
    g_bModified = 0;
  }
  bool Binary() const { return GetParam(); }
  CObjectList& List() { return *doc->GetObjectList(); }

  // Every kind the format keeps, with `set` applied to each live object (the work area first).
  template <class Set>
  std::string Craft(const std::string& name, Set set) {
    CObjectList source;
    source.Initialize();
    mrktest::BuildEveryKind(source, bmpPath);
    for (int i = 0; i < source.GetCount(); ++i) {
      CDrawObject* o = source.GetObject(i);
      if (o->m_bDeleted || (!Binary() && o->m_nType == TYPE_BARCODE)) continue;
      set(*o);
    }
    std::vector<BYTE> bytes;
    if (Binary()) {
      bytes = CMrkBinaryFile::Serialize(source);
    } else {
      CMrkTextFile file(CMrkTextFile::modeWrite);
      file.FormatList(source);
      bytes = file.GetBytes();
    }
    const std::string path = dir.File(name + (Binary() ? ".mrk" : ".txt.mrk"));
    EXPECT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
    return path;
  }

  // A replacing load; `lost`: the load message is expected.
  // The text format keeps neither the scanning area's frame width nor its corner radius.
  bool Stored(CDrawObject& o, const double* field) const {
    if (Binary() || o.m_nType != TYPE_DRAWING) return true;
    const CDrawingAreaObject& a = *static_cast<CDrawingObject&>(o).m_pArea;
    return field != &a.m_dFrameWidth && field != &a.m_dCornerRadius;
  }
  int Load(const std::string& path, bool lost) {
    // A replacing load of an unmodified design asks nothing about saving it.
    g_bModified = 0;
    // The text format asks first whether its drawing data may overwrite the work area.
    if (!Binary()) prompter.ExpectMessage(IDYES, "Drawing");
    if (lost) prompter.ExpectMessage(IDOK, kReadFailed.c_str());
    return Binary() ? MrkLoadBinary(*doc, path.c_str(), TRUE) : MrkLoadText(*doc, path.c_str(), TRUE);
  }

  // The load names every changed object by its kind, the field and the value, and takes the
  // others; the design then is not the file.
  void ExpectNamedAndLeftOut(const std::string& path, const std::vector<Changed>& changed, const char* value,
                             int liveBefore) {
    const int before = List().GetDrawableCount();
    Load(path, true);
    prompter.VerifyAllUsed();
    const CString& text = prompter.Log().back().text;
    for (const Changed& c : changed) {
      const CString named = MrkKindWord(c.kind);
      const CString field = CString::FromUtf8(c.label) + " = " + value;
      EXPECT_NE(text.Find(named), -1) << named.ToQString().toStdString();
      EXPECT_NE(text.Find(field), -1) << field.ToQString().toStdString();
    }
    int drawable = 0;
    for (const Changed& c : changed) drawable += c.kind != TYPE_DRAWING;
    if (static_cast<int>(changed.size()) <= liveBefore) {
      EXPECT_EQ(List().GetDrawableCount(), liveBefore - drawable);
      EXPECT_EQ(g_bModified, 1);
      EXPECT_EQ(doc->m_strIncompleteLoad, path.c_str());
    } else {
      // Every record lost, the work area's too: the design stays as it was.
      EXPECT_EQ(List().GetDrawableCount(), before);
    }
    for (int i = 1; i < List().GetCount(); ++i) EXPECT_TRUE(ObjectInRange(*List().GetObject(i)));
  }

  TempDir dir;
  std::string bmpPath;
  ScriptedPrompter prompter;
  std::unique_ptr<CKorvaneDoc> doc;
};

TEST_P(MrkRanges, EachFieldOfEveryKindPastItsRangeIsNamedAndLeftOut) {
  const int live = Binary() ? 10 : 9;
  for (const double v : {1e300, -1.37e304}) {
    const CString shown(numfmt::Format("%g", v));
    // Field f of every kind that has one, all at once: several objects lost from one file.
    // (No kind has more than 20 ranged fields.)
    for (int f = 0; f < 20; ++f) {
      std::vector<Changed> changed;
      const std::string path = Craft("field" + std::to_string(f), [&](CDrawObject& o) {
        std::vector<CRangedField> fields = RangedFields(o);
        if (f >= static_cast<int>(fields.size()) || !Stored(o, fields[f].value)) return;
        *fields[f].value = v;
        changed.push_back({o.m_nType, fields[f].label});
      });
      if (changed.empty()) continue;
      SCOPED_TRACE("field " + std::to_string(f) + " = " + shown.str());
      ExpectNamedAndLeftOut(path, changed, shown.c_str(), live);
    }
  }
  // The per-character values of both text kinds, one field at a time; the offsets at 1e242
  // once split the engines (one sent marks, the other none).
  for (int k = 0; k < 7; ++k) {
    std::vector<Changed> changed;
    const char* labels[7] = {"サイズX", "サイズY", "オフセットX", "オフセットY", "角度", "線幅X", "線幅Y"};
    const std::string path = Craft("record" + std::to_string(k), [&](CDrawObject& o) {
      CTextCharRecords* records = CharRecordsOf(&o);
      if (!records || records->empty()) return;
      *CharField((*records)[records->size() - 1], k) = k % 2 ? -1e242 : 1e242;
      changed.push_back({o.m_nType, labels[k]});
    });
    ASSERT_EQ(changed.size(), 2u);
    SCOPED_TRACE("record field " + std::to_string(k));
    ExpectNamedAndLeftOut(path, changed, k % 2 ? "-1e+242" : "1e+242", live);
  }
}

TEST_P(MrkRanges, EveryFieldPastItsRangeAtOnceLeavesTheDesignAsItWas) {
  std::vector<Changed> changed;
  const std::string path = Craft("all", [&](CDrawObject& o) {
    std::vector<CRangedField> fields = RangedFields(o);
    for (const CRangedField& f : fields) *f.value = -1e300;
    changed.push_back({o.m_nType, fields.front().label});
  });
  doc->AddNewObject(TYPE_LINE);
  const int before = List().GetCount();
  EXPECT_EQ(Load(path, true), Binary() ? 0 : 1);
  prompter.VerifyAllUsed();
  for (const Changed& c : changed) EXPECT_NE(prompter.Log().back().text.Find(MrkKindWord(c.kind)), -1) << c.kind;
  EXPECT_EQ(List().GetCount(), before);
}

// The ends of the ranges are what a design may hold: they load without a word, and drawing,
// capturing and rastering them finishes (a hang here is the fault this guards against).
TEST_P(MrkRanges, TheEndsOfTheRangesLoadPaintCaptureAndRaster) {
  for (const bool high : {true, false}) {
    SCOPED_TRACE(high ? "high" : "low");
    const std::string path = Craft(high ? "high" : "low", [&](CDrawObject& o) {
      for (const CRangedField& f : RangedFields(o)) *f.value = high ? f.range.hi : f.range.lo;
      if (CTextCharRecords* records = CharRecordsOf(&o)) {
        for (CTextCharRecord& r : *records) {
          for (int k = 0; k < 7; ++k) *CharField(r, k) = high ? CharRecordRange(k).hi : CharRecordRange(k).lo;
        }
      }
    });
    ASSERT_EQ(Load(path, false), 1);
    prompter.VerifyAllUsed();
    ASSERT_EQ(List().GetDrawableCount(), Binary() ? 10 : 9);

    // Refusals of objects too large to capture are the engines' own messages: answered here.
    class Answering : public ScriptedPrompter {
     public:
      int MessageBox(const CString&, const CString&, UINT) override { return IDOK; }
    } answering;
    CLeftView view(doc.get());
    mrktest::PaintCaptureRaster(*doc, view);
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MrkRanges, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
