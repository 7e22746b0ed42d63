// The document's life: the first start, the save prompt of a new document, the settings reset,
// the field-origin check at start-up and what the document writes when it ends.
#include "doc_fakes.h"
#include "files/machine_id.h"
#include "platform/profile.h"

namespace {

using FirstStart = DocumentTest;

TEST_F(FirstStart, WithNoCompanionFilesGivesTheBuiltInDefaultsAndNoQuestions) {
  EXPECT_EQ(List().GetCount(), 1);
  EXPECT_EQ(List().GetObjectType(0), TYPE_DRAWING);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(0));
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(doc->m_nCurrentIndex, 0);
  EXPECT_EQ(doc->m_nSelectCount, 0);
  EXPECT_EQ(doc->m_nLastAction, HINT_NEW_DOCUMENT_ACTION);
  EXPECT_EQ(doc->m_Settings.MachineModel, 0);
  EXPECT_EQ(static_cast<CLineObject*>(List().GetPrototype(TYPE_LINE))->m_dWidth, 10.0);
  EXPECT_TRUE(doc->GetTitle().IsEmpty());
  // Model unknown: the start-up hook asks nothing and only tells the views the zoom changed.
  doc->OnStartup();
  EXPECT_TRUE(engrave.wizardModels.empty());
  EXPECT_EQ(Records(), (std::vector<UpdateRecord>{{"form", HINT_ZOOM_CHANGED, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0},
                                                  {"canvas", HINT_ZOOM_CHANGED, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0}}));
}

TEST(FirstStartWith, AKnownModelWithoutFieldOriginRunsTheOriginWizard) {
  TempDir dir;
  ScriptedPrompter prompter;
  WritePrivateProfileString("Draventis", "id", "XYZ-K2", MachineIdFilePath());
  FakeEngraveServices engrave;
  CKorvaneDoc doc;
  doc.SetEngraveServices(&engrave);
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.m_Settings.MachineModel, 2);
  prompter.ExpectMessage(IDOK, CString::FromUtf8("フィールド原点の設定を行います").c_str());
  doc.OnStartup();
  EXPECT_EQ(engrave.wizardModels, std::vector<int>{2});
}

TEST(FirstStartWith, AResetRequestDeletesTheArchiveAndSettingsBeforeReadingThem) {
  TempDir dir;
  ScriptedPrompter prompter;
  {
    CKorvaneDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    static_cast<CLineObject*>(doc.GetObjectList()->GetPrototype(TYPE_LINE))->m_dWidth = 55.0;
    doc.m_Settings.System.MoveStep = 9;
    doc.m_Settings.System.Reset = 1;
  }
  ASSERT_TRUE(fileio::Exists(dir.File("korvane.arc")));
  CKorvaneDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(static_cast<CLineObject*>(doc.GetObjectList()->GetPrototype(TYPE_LINE))->m_dWidth, 10.0);
  EXPECT_EQ(doc.m_Settings.System.MoveStep, CSettingsSystem().MoveStep);
}

TEST(FirstStartWith, SettingsOfAnEarlierRunFillTheMirrorsAndTheListDefaults) {
  TempDir dir;
  ScriptedPrompter prompter;
  {
    CKorvaneDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_Settings.System.MoveStep = 9;
    doc.GetObjectList()->m_OutputDefaults[TYPE_CIRCLE].nScanInterval = 80;
    doc.GetObjectList()->m_Text2Defaults.nWeight = 700;
  }
  CKorvaneDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.m_Settings.System.MoveStep, 9);
  EXPECT_EQ(doc.GetObjectList()->m_OutputDefaults[TYPE_CIRCLE].nScanInterval, 80);
  EXPECT_EQ(doc.GetObjectList()->m_Text2Defaults.nWeight, 700);
}

// ---- the save prompt of a new document

class NewDocument : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    Add({TYPE_LINE, TYPE_CIRCLE});
    g_bModified = 1;
  }
  void ExpectDesignKept() {
    EXPECT_EQ(List().GetCount(), 3);
    EXPECT_EQ(g_bModified, 1);
    EXPECT_EQ(doc->m_nCurrentIndex, 2);
    EXPECT_TRUE(Records().empty());
  }
  void ExpectDesignReset() {
    EXPECT_EQ(List().GetCount(), 1);
    EXPECT_EQ(g_bModified, 0);
    EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
    EXPECT_EQ(doc->m_nLastAction, HINT_NEW_DOCUMENT_ACTION);
    ASSERT_FALSE(Records().empty());
    EXPECT_EQ(Records().back().hint, HINT_NEW_DOCUMENT);
  }
};

TEST_F(NewDocument, YesSavesInTheChosenFormatAndThenResets) {
  prompter.ExpectMessage(IDYES, CString::FromUtf8("データを保存しますか？").c_str());
  dialogs.saves.push_back({"/tmp/a.mrk", 1});
  EXPECT_TRUE(doc->OnNewDocument());
  ASSERT_EQ(prompter.Log().size(), 1u);
  EXPECT_EQ(prompter.Log().front().flags, static_cast<UINT>(MB_YESNOCANCEL));
  EXPECT_EQ(files.saves, std::vector<std::string>{"binary:/tmp/a.mrk"});
  EXPECT_EQ(files.restored, std::vector<int>{1});  // the places bar is put back
  ExpectDesignReset();

  Add({TYPE_LINE});
  g_bModified = 1;
  prompter.ExpectMessage(IDYES);
  dialogs.saves.push_back({"/tmp/b.mrk", 2});
  EXPECT_TRUE(doc->OnNewDocument());
  EXPECT_EQ(files.saves.back(), "text:/tmp/b.mrk");
  EXPECT_NE(dialogs.lastSaveFilter.str().find("v2004"), std::string::npos);
}

TEST_F(NewDocument, YesWithAFailedSaveKeepsTheDesignAndTheModifiedFlag) {
  files.result = FALSE;
  prompter.ExpectMessage(IDYES);
  dialogs.saves.push_back({"/tmp/a.mrk", 1});
  // A failed save says so, as every other save does.
  prompter.ExpectMessage(IDOK, CString::FromUtf8("ファイルの保存に失敗しました").c_str());
  EXPECT_FALSE(doc->OnNewDocument());
  ExpectDesignKept();
}

TEST_F(NewDocument, YesWithTheSaveDialogCancelledKeepsTheDesign) {
  prompter.ExpectMessage(IDYES);
  dialogs.saves.push_back({"", 1});
  EXPECT_FALSE(doc->OnNewDocument());
  EXPECT_TRUE(files.saves.empty());
  EXPECT_EQ(files.restored.size(), 1u);
  ExpectDesignKept();
}

TEST_F(NewDocument, NoDropsTheDesignWithoutSaving) {
  prompter.ExpectMessage(IDNO);
  EXPECT_TRUE(doc->OnNewDocument());
  EXPECT_TRUE(files.saves.empty());
  ExpectDesignReset();
}

TEST_F(NewDocument, CancelKeepsEverything) {
  prompter.ExpectMessage(IDCANCEL);
  EXPECT_FALSE(doc->OnNewDocument());
  ExpectDesignKept();
}

TEST_F(NewDocument, WithoutProjectFileServicesASaveNeverCountsAsDone) {
  doc->SetFileServices(nullptr);
  prompter.ExpectMessage(IDYES);
  dialogs.saves.push_back({"/tmp/a.mrk", 1});
  prompter.ExpectMessage(IDOK, CString::FromUtf8("ファイルの保存に失敗しました").c_str());
  EXPECT_FALSE(doc->OnNewDocument());
  ExpectDesignKept();
}

TEST_F(NewDocument, AsksNothingWhenOnlyDeletedObjectsOrNoChangesExist) {
  g_bModified = 0;
  EXPECT_TRUE(doc->OnNewDocument());  // unmodified: no question
  Add({TYPE_LINE});
  doc->DeleteSelection();
  g_bModified = 1;
  EXPECT_TRUE(doc->OnNewDocument());  // only a deleted object: no question
  EXPECT_EQ(List().GetCount(), 1);
  // Counters restart: the next line is line1 again.
  Add({TYPE_LINE});
  EXPECT_STREQ(List().GetObject(1)->GetName(), "line1");
}

TEST_F(NewDocument, LeavesSealModeAndShowsEveryLayer) {
  g_bModified = 0;
  doc->SetSealMode(2);
  EXPECT_EQ(form.caption, CString::FromUtf8("法人印作成中"));
  doc->m_bLayerVisible[3] = 0;
  doc->m_bMaskFlag = 1;
  EXPECT_TRUE(doc->OnNewDocument());
  EXPECT_EQ(doc->m_nSealMode, 0);
  EXPECT_EQ(form.caption, "");
  EXPECT_EQ(frame.sealBars, (std::vector<int>{2, 0}));
  EXPECT_EQ(doc->m_bLayerVisible[3], 1);
  EXPECT_EQ(doc->m_bMaskFlag, 0);
}

}  // namespace
