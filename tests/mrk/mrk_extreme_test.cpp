// The fuzz targets' extreme-value seeds (every double field of every kind at values up to
// +-1e300) loaded from both project formats, painted, captured and rastered: what is past the
// ranges is named and left out, the rest is drawn. The sanitizer build
// turns any overflow on the way into a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "canvas/leftview.h"
#include "files/mrk_doc.h"
#include "model/korvane_doc.h"
#include "model/object_ranges.h"
#include "model/objectlist.h"
#include "mrk_test_util.h"
#include "platform/gdi/gdi.h"
#include "scripted_prompter.h"

namespace {

std::vector<std::string> Seeds(const char* target) {
  const char* source = std::getenv("KORVANE_SOURCE_DIR");
  std::vector<std::string> paths;
  if (!source) return paths;
  const std::filesystem::path dir = std::filesystem::path(source) / "fuzz/corpus" / target;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.path().filename().string().rfind("seed_extreme_", 0) == 0) paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The refusals such objects meet ("too large" and the like) are answered and counted.
class TellingPrompter : public ScriptedPrompter {
 public:
  int MessageBox(const CString&, const CString&, UINT) override {
    ++told;
    return IDOK;
  }
  int told = 0;
};

class MrkExtremeSeeds : public ::testing::TestWithParam<bool> {
 protected:
  void TearDown() override { g_bModified = 0; }
};

TEST_P(MrkExtremeSeeds, LoadPaintCaptureAndRasterStayDefined) {
  const bool binary = GetParam();
  const std::vector<std::string> seeds = Seeds(binary ? "fuzz_render" : "fuzz_mrk_text");
  // The max and min seeds and one for each start of the value cycle.
  ASSERT_GE(seeds.size(), 9u);
  for (const std::string& path : seeds) {
    SCOPED_TRACE(path);
    TellingPrompter prompter;
    CKorvaneDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CLeftView view(&doc);
    binary ? MrkLoadBinary(doc, CString(path.c_str())) : MrkLoadText(doc, CString(path.c_str()));
    // One object of every kind besides the work area (the text format holds no QR Code, and the
    // bitmap's image file is not there); those with a value past their range are named.
    const int count = doc.GetObjectList()->GetCount();
    if (count < (binary ? 11 : 9)) {
      EXPECT_GE(prompter.told, 1);
    }
    for (int i = 0; i < count; ++i) EXPECT_TRUE(ObjectInRange(*doc.GetObjectList()->GetObject(i)));
    mrktest::PaintCaptureRaster(doc, view);
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MrkExtremeSeeds, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
