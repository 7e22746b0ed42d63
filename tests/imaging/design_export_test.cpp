// The design exported as files: the BMP export says the resolution it was rendered at, and an
// export that cannot be written tells the operator instead of failing silently.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

class DesignExport : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    view = std::make_unique<CLeftView>(doc.get());
    CRectangleObject* r = List().AddRectangle(nullptr, TRUE, TRUE);
    r->m_dWidth = 10;
    r->m_dHeight = 5;
    r->m_dEdgeSize = 1;
  }
  void TearDown() override {
    view.reset();
    doc.reset();
    g_bModified = 0;
  }
  CObjectList& List() { return *doc->GetObjectList(); }

  TempDir dir;
  ScriptedPrompter prompter;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};

TEST_F(DesignExport, AnExportReadsBackAtItsTrueSizeAtEveryResolution) {
  for (int dpm : {20, 40, 13}) {
    SCOPED_TRACE(dpm);
    doc->m_Settings.DrawingArea.DPM = dpm;
    const std::string path = dir.File("design" + std::to_string(dpm) + ".bmp");
    prompter.ExpectFile(CString(path));
    doc->ExportDesignBmp();
    prompter.VerifyAllUsed();
    std::vector<BYTE> bytes;
    ASSERT_TRUE(fileio::ReadAll(path, bytes));
    ASSERT_GE(bytes.size(), 62u);
    EXPECT_EQ(MonoBmpFile::XPelsPerMeter(bytes.data()), dpm * 1000);
    EXPECT_EQ(MonoBmpFile::ReadI32(bytes.data(), MonoBmpFile::kOffYPelsPerMeter), dpm * 1000);
    EXPECT_EQ(MonoBmpFile::Width(bytes.data()), 40 * dpm);  // the 40 mm scanning area

    // Imported as a bitmap object, it covers the 40 mm it was rendered from.
    CBmpObject* bmp = List().AddBmpFromFile(CString(path));
    ASSERT_NE(bmp, nullptr);
    EXPECT_NEAR(bmp->m_dWidth, 40.0, 1e-9);
    EXPECT_NEAR(bmp->m_dHeight, 40.0, 1e-9);
  }
}

TEST_F(DesignExport, AnExportIntoAMissingFolderSaysSoAndWritesNothing) {
  const std::string folder = dir.File("gone");
  const CString bmp(folder + "/design.bmp");
  prompter.ExpectFile(bmp);
  prompter.ExpectMessage(IDOK, CString::FromUtf8("保存先のフォルダが見つかりません").c_str());
  doc->ExportDesignBmp();
  prompter.VerifyAllUsed();
  ASSERT_EQ(prompter.Log().size(), 2u);
  EXPECT_NE(prompter.Log().back().text.Find(bmp.c_str()), -1);
  EXPECT_EQ(prompter.Log().back().flags, MB_OK | MB_ICONERROR);

  // The trace export names the ".hpg" file it meant to write.
  prompter.ExpectFile(bmp);
  prompter.ExpectMessage(IDOK, (folder + "/design.hpg").c_str());
  doc->ExportHpglFile();
  prompter.VerifyAllUsed();
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
