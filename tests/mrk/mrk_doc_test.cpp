#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "files/mrk_binary.h"
#include "files/mrk_doc.h"
#include "files/mrk_text.h"
#include "model/korvane_doc.h"
#include "mrk_test_util.h"
#include "platform/archive.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

using Hints = std::vector<std::pair<std::string, LPARAM>>;

class LogView : public CView {
 public:
  LogView(std::string name, Hints& log) : m_name(std::move(name)), m_log(log) {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override { m_log.emplace_back(m_name, hint); }

 private:
  std::string m_name;
  Hints& m_log;
};

class FormView : public LogView, public IDocFormView {
 public:
  explicit FormView(Hints& log) : LogView("form", log) {}
  void SetModeCaption(const CString&) override {}
};

class CanvasView : public LogView, public IDocCanvasView {
 public:
  explicit CanvasView(Hints& log) : LogView("canvas", log) {}
  void InvalidateRect(const RECT&, BOOL) override {}
  void InvalidateObject(int) override {}
  void InvalidateSelection() override {}
  BOOL CalcObject(CDrawObject*, CDoubleRect&) override { return FALSE; }
  BOOL GetTrackerIndex(int&) override { return FALSE; }
};

class MrkDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    doc->AddView(&form);
    doc->AddView(&canvas);
    const std::vector<BYTE> image = mrktest::SmallImage();
    bmpPath = dir.File("logo.bmp");
    ASSERT_TRUE(fileio::WriteAtomically(bmpPath, image.data(), image.size()));
  }
  void TearDown() override {
    doc.reset();
    g_bModified = 0;
  }
  CObjectList& List() { return *doc->GetObjectList(); }
  // A saved design of every kind, written by another document's list.
  std::string SaveEveryKind(bool text) {
    CObjectList other;
    other.Initialize();
    mrktest::BuildEveryKind(other, bmpPath);
    const std::string path = dir.File(text ? "every.txt.mrk" : "every.mrk");
    std::vector<BYTE> bytes;
    if (text) {
      CMrkTextFile file(CMrkTextFile::modeWrite);
      file.FormatList(other);
      bytes = file.GetBytes();
    } else {
      bytes = CMrkBinaryFile::Serialize(other);
    }
    EXPECT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
    return path;
  }
  struct State {
    mrktest::ListSnapshot list;
    const CDrawObject* current;
    int kind, index, lastAction;
    std::string title;
    bool operator==(const State&) const = default;
  };
  State Capture() {
    return {mrktest::Snapshot(List()), doc->m_pCurrentObject, doc->m_nCurrentKind, doc->m_nCurrentIndex,
            doc->m_nLastAction, doc->GetTitle().str()};
  }

  TempDir dir;
  std::string bmpPath;
  ScriptedPrompter prompter;
  Hints hints;
  FormView form{hints};
  CanvasView canvas{hints};
  std::unique_ptr<CKorvaneDoc> doc;
};

TEST_F(MrkDocTest, BinaryLoadAddsTheObjectsAndTakesTheWorkArea) {
  const std::string path = SaveEveryKind(false);
  doc->AddNewObject(TYPE_LINE);
  hints.clear();
  ASSERT_EQ(MrkLoadBinary(*doc, path.c_str()), 1);
  ASSERT_EQ(List().GetCount(), 12);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(11));
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BARCODE);
  EXPECT_EQ(doc->m_nCurrentIndex, 11);
  EXPECT_EQ(doc->m_nLastAction, HINT_OBJECTS_ADDED);
  EXPECT_EQ(doc->GetTitle(), path.c_str());
  EXPECT_EQ(List().GetDrawingObject()->m_pArea->m_nOutlineStyle, 5);
  // Drawing data: 10021 to the canvas, then to the form once the settings hold the file's,
  // 10015 to the form; then the kind and 10015 to both.
  const Hints expected = {{"canvas", HINT_DRAWING_DATA_LOADED}, {"form", HINT_DRAWING_DATA_LOADED},
                          {"form", HINT_REDRAW_ALL}, {"form", TYPE_BARCODE},
                          {"canvas", TYPE_BARCODE}, {"form", HINT_REDRAW_ALL}, {"canvas", HINT_REDRAW_ALL}};
  EXPECT_EQ(hints, expected);
  EXPECT_EQ(doc->GetSelectionLength(), List().GetCount());

  // Replacing: the design is cleared first, then the file's objects come in.
  g_bModified = 0;
  ASSERT_EQ(MrkLoadBinary(*doc, path.c_str(), TRUE), 1);
  EXPECT_EQ(List().GetCount(), 11);
  EXPECT_STREQ(List().GetObject(1)->GetName(), "line1");
}

TEST_F(MrkDocTest, AWorkAreaOnlyFileMakesTheWorkAreaCurrent) {
  CObjectList other;
  other.Initialize();
  other.GetDrawingObject()->m_pField->m_dFieldX = 77.0;
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
  const std::string path = dir.File("area.mrk");
  ASSERT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
  doc->AddNewObject(TYPE_CIRCLE);
  ASSERT_EQ(MrkLoadBinary(*doc, path.c_str()), 1);
  EXPECT_EQ(List().GetDrawingObject()->m_pField->m_dFieldX, 77.0);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(doc->m_nCurrentIndex, 0);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(0));
  EXPECT_EQ(doc->GetTitle(), "");
}

TEST_F(MrkDocTest, ADamagedFileLeavesTheDesignAsItWas) {
  doc->AddNewObject(TYPE_LINE);
  doc->AddNewObject(TYPE_TEXT1);
  g_bModified = 1;
  const State before = Capture();

  // Binary: cut short; neither a load nor a replacing load changes anything, and no question
  // is asked (the save prompt of a new document would be one).
  std::vector<BYTE> bytes;
  ASSERT_TRUE(fileio::ReadAll(SaveEveryKind(false), bytes));
  bytes.resize(bytes.size() - 5);
  const std::string cut = dir.File("cut.mrk");
  ASSERT_TRUE(fileio::WriteAtomically(cut, bytes.data(), bytes.size()));
  EXPECT_EQ(MrkLoadBinary(*doc, cut.c_str()), 0);
  EXPECT_EQ(MrkLoadBinary(*doc, cut.c_str(), TRUE), 0);
  EXPECT_EQ(MrkLoadBinary(*doc, dir.File("missing.mrk").c_str()), 0);
  EXPECT_TRUE(Capture() == before);

  // Text: a file that cannot be read at all.
  EXPECT_EQ(MrkLoadText(*doc, dir.File("missing.mrk").c_str()), 0);
  EXPECT_TRUE(Capture() == before);
  EXPECT_EQ(g_bModified, 1);
  prompter.VerifyAllUsed();
}

TEST_F(MrkDocTest, TextLoadSkipsUnreadableRecordsWhereverTheyStand) {
  const CString failed = CString::FromUtf8("ファイルの読み込みに失敗しました");
  const std::string circle =
      "3,1,1,  0.000,  0.000,  1.000,  2.000, 10.000, 10.000,  0.000,0,2,  0.050,0,0,0,0, 10.000, 10.000,  0.000";
  const std::string line = "1,1,1,  0.000,  0.000,  3.000,  4.000, 20.000,  0.500,  0.000,0,2,  0.050,0,0,0,0, 0.000, 0.000";
  // An unknown kind and a bitmap whose image file is missing and whose relink is cancelled.
  const std::string unknown = "5,1,1";
  const std::string lostBitmap = "7,1,1,  0.000,  0.000,  0.000,  0.000,  5.000,  5.000,  0.000,0,2,  0.050,0,0,0,0,0,";
  const std::vector<std::string> bads = {unknown, lostBitmap};
  int file = 0;
  for (const std::string& bad : bads) {
    for (int where = 0; where < 3; ++where) {
      std::vector<std::string> records = {circle, line};
      records.insert(records.begin() + where, bad);
      std::string text;
      for (const std::string& r : records) text += r + "\r\n";
      const std::string path = dir.Write("skip" + std::to_string(file++) + ".mrk", text);
      g_bModified = 0;
      doc->OnNewDocument();
      if (bad == lostBitmap) prompter.ExpectFile("");
      prompter.ExpectMessage(IDOK, failed.c_str());
      SCOPED_TRACE(bad + " at " + std::to_string(where));
      ASSERT_EQ(MrkLoadText(*doc, path.c_str(), TRUE), 1);
      prompter.VerifyAllUsed();
      EXPECT_EQ(prompter.Log().back().flags, MB_OK | MB_ICONERROR);
      // The design is not the file: it counts as modified, and Save will ask.
      EXPECT_EQ(g_bModified, 1);
      EXPECT_EQ(doc->m_strIncompleteLoad, path.c_str());
      ASSERT_EQ(List().GetCount(), 3);
      EXPECT_EQ(List().GetObject(1)->m_nType, TYPE_CIRCLE);
      EXPECT_EQ(static_cast<CCircleObject*>(List().GetObject(1))->m_dSizeX, 10.0);
      EXPECT_EQ(List().GetObject(2)->m_nType, TYPE_LINE);
      EXPECT_EQ(static_cast<CLineObject*>(List().GetObject(2))->m_dWidth, 20.0);
      // The last object read becomes the current one, whatever stood after it.
      EXPECT_EQ(doc->m_nCurrentKind, TYPE_LINE);
      EXPECT_EQ(doc->m_nCurrentIndex, 2);
      EXPECT_EQ(doc->GetTitle(), path.c_str());
    }
  }

  // Nothing at all to take: the message, and the design stays as it was.
  doc->AddNewObject(TYPE_RHOMBIC);
  const State before = Capture();
  const std::string nothing = dir.Write("nothing.mrk", unknown + "\r\n" + unknown + "\r\n");
  prompter.ExpectMessage(IDOK, failed.c_str());
  EXPECT_EQ(MrkLoadText(*doc, nothing.c_str(), TRUE), 1);
  EXPECT_TRUE(Capture() == before);
  prompter.VerifyAllUsed();
}

TEST_F(MrkDocTest, ADesignOfEveryKindSavedAsTextOpensWithAllButALostBitmap) {
  const std::string path = SaveEveryKind(true);
  ASSERT_TRUE(fileio::Remove(bmpPath));
  doc->OnNewDocument();
  prompter.ExpectMessage(IDYES, CString::FromUtf8("Drawingデータを上書きしますか?").c_str());
  // The bitmap's file is gone; its path is stored, so nobody is asked for another.
  prompter.ExpectMessage(IDOK, CString::FromUtf8("ファイルの読み込みに失敗しました").c_str());
  ASSERT_EQ(MrkLoadText(*doc, path.c_str(), TRUE), 1);
  prompter.VerifyAllUsed();
  std::vector<int> kinds;
  for (int i = 1; i < List().GetCount(); ++i) kinds.push_back(List().GetObject(i)->m_nType);
  const std::vector<int> expected = {TYPE_LINE,    TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE,
                                     TYPE_RHOMBIC, TYPE_POLYGON,   TYPE_TEXT1,  TYPE_TEXT2};
  EXPECT_EQ(kinds, expected);
  EXPECT_EQ(List().GetDrawingObject()->m_pSetting->m_dEditArea, 150.0);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_TEXT2);
}

TEST_F(MrkDocTest, TextLoadAsksBeforeTakingTheWorkArea) {
  const std::string path = SaveEveryKind(true);
  CDrawingSettingObject& setting = *List().GetDrawingObject()->m_pSetting;

  prompter.ExpectMessage(IDNO, CString::FromUtf8("Drawingデータを上書きしますか?").c_str());
  ASSERT_EQ(MrkLoadText(*doc, path.c_str()), 1);
  EXPECT_EQ(setting.m_dEditArea, 100.0);
  EXPECT_EQ(List().GetCount(), 10);  // nine objects: the barcode is not in the file
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  EXPECT_EQ(doc->m_nCurrentIndex, 9);
  EXPECT_EQ(doc->GetTitle(), path.c_str());

  prompter.ExpectMessage(IDYES, CString::FromUtf8("Drawingデータを上書きしますか?").c_str());
  ASSERT_EQ(MrkLoadText(*doc, path.c_str()), 1);
  EXPECT_EQ(setting.m_dEditArea, 150.0);
  EXPECT_EQ(&setting, List().GetDrawingObject()->m_pSetting.get());
  EXPECT_EQ(List().GetCount(), 19);
  prompter.VerifyAllUsed();
}

TEST_F(MrkDocTest, SavingClearsTheModifiedFlagOnlyWhenTheFileWasWritten) {
  // Through the document's own save operations.
  CMrkFileServices services;
  doc->SetFileServices(&services);
  doc->AddNewObject(TYPE_POLYGON);
  for (bool text : {false, true}) {
    g_bModified = 1;
    const std::string path = dir.File(text ? "saved.txt.mrk" : "saved.mrk");
    const std::string old = "old contents";
    ASSERT_TRUE(fileio::WriteAtomically(path, old.data(), old.size()));
    const CString missing = dir.File("no/such/folder/x.mrk").c_str();
    EXPECT_FALSE(text ? doc->SaveMrkText(missing) : doc->SaveMrkBinary(missing));
    EXPECT_EQ(g_bModified, 1);
    EXPECT_EQ(TempDir::Read(path), old);

    EXPECT_TRUE(text ? doc->SaveMrkText(path.c_str()) : doc->SaveMrkBinary(path.c_str()));
    EXPECT_EQ(g_bModified, 0);
    EXPECT_EQ(doc->GetTitle(), path.c_str());
    EXPECT_NE(TempDir::Read(path), old);
  }
  // What was saved loads back.
  prompter.ExpectMessage(IDYES);
  ASSERT_EQ(MrkLoadText(*doc, dir.File("saved.txt.mrk").c_str(), TRUE), 1);
  EXPECT_EQ(List().GetCount(), 2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_POLYGON);
  doc->SetFileServices(nullptr);
}

// Answers every question with Cancel (or No).
class CancellingPrompter : public IPrompter {
 public:
  CancellingPrompter() : m_previous(SetPrompter(this)) {}
  ~CancellingPrompter() override { SetPrompter(m_previous); }
  int MessageBox(const CString&, const CString&, UINT) override { return IDNO; }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>&) override { return false; }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }

 private:
  IPrompter* m_previous;
};

TEST_F(MrkDocTest, RefusedMutatedFilesNeverChangeTheDocument) {
  std::vector<BYTE> seeds[2];
  ASSERT_TRUE(fileio::ReadAll(SaveEveryKind(false), seeds[0]));
  ASSERT_TRUE(fileio::ReadAll(SaveEveryKind(true), seeds[1]));
  CancellingPrompter cancel;
  doc->AddNewObject(TYPE_RHOMBIC);
  std::mt19937 rng(99);
  int refused = 0;
  for (int i = 0; i < 1000; ++i) {
    const bool text = i % 2;
    std::vector<BYTE> bytes = seeds[text];
    for (int k = 0, n = 1 + rng() % 4; k < n; ++k) {
      const size_t at = rng() % bytes.size();
      if (rng() % 4 == 0) {
        bytes.resize(at + 1);
      } else {
        bytes[at] ^= static_cast<BYTE>(1u << (rng() % 8));
      }
    }
    // A new file each time: rewriting one file would flush it to disk on every close.
    const std::string path = dir.Write("mutated" + std::to_string(i) + ".mrk", std::string(bytes.begin(), bytes.end()));
    const State before = Capture();
    const int loaded = text ? MrkLoadText(*doc, path.c_str(), TRUE) : MrkLoadBinary(*doc, path.c_str(), TRUE);
    if (loaded == 0) {
      ++refused;
      ASSERT_TRUE(Capture() == before) << "mutation " << i;
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace

namespace {

TEST_F(MrkDocTest, ATextTooLargeToOpenAgainIsNotSaved) {
  // An arc text of 1,250,000 characters formats to about 71 MB: more than the reader takes.
  CText2Object* arc = List().AddText2(nullptr, TRUE, TRUE);
  arc->SetText(CString(std::string(1250000, 'A')));
  const std::string path = dir.File("huge.mrk");
  const std::string old = "old contents";
  ASSERT_TRUE(fileio::WriteAtomically(path, old.data(), old.size()));
  g_bModified = 1;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("ファイルが大きすぎるため保存できません").c_str());
  EXPECT_FALSE(MrkSaveText(*doc, path.c_str()));
  prompter.VerifyAllUsed();
  EXPECT_NE(prompter.Log().back().text.Find(path.c_str()), -1);
  EXPECT_EQ(TempDir::Read(path), old);
  EXPECT_EQ(g_bModified, 1);

  // Below the limit it saves and opens again, whatever its size.
  arc->SetText(CString(std::string(100000, 'B')));
  ASSERT_TRUE(MrkSaveText(*doc, path.c_str()));
  prompter.ExpectMessage(IDNO);
  ASSERT_EQ(MrkLoadText(*doc, path.c_str()), 1);
  ASSERT_EQ(List().GetObject(List().GetCount() - 1)->m_nType, TYPE_TEXT2);
  EXPECT_EQ(static_cast<CText2Object*>(List().GetObject(List().GetCount() - 1))->m_strText.GetLength(), 100000);
  prompter.VerifyAllUsed();
}

}  // namespace
