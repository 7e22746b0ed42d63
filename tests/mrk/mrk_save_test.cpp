// Open and Save as the operator meets them: damaged records are named and Save asks first, Save
// keeps the format the design came in and notices a file changed on disk, a failed open or save
// says what happened and keeps the name, and a text save names the bitmaps it cannot keep.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "files/mrk_binary.h"
#include "files/mrk_open_save.h"
#include "files/mrk_text.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "mrk_test_util.h"
#include "platform/archive.h"
#include "platform/ui/modal_dialogs.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

const char* U(const char* utf8) {
  static thread_local std::string cp932;
  cp932 = CString::FromUtf8(utf8).str();
  return cp932.c_str();
}

// Save dialogs answered from a script; every request is kept.
class SaveDialogs : public IModalDialogs {
 public:
  SaveDialogs() : m_previous(SetModalDialogs(this)) {}
  ~SaveDialogs() override {
    SetModalDialogs(m_previous);
    EXPECT_TRUE(answers.empty()) << "scripted save dialogs never shown";
  }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filter) override {
    requests.push_back(request);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected save dialog";
      return false;
    }
    const std::pair<std::string, int> a = answers.front();
    answers.pop_front();
    if (a.first.empty()) return false;
    path = a.first.c_str();
    filter = a.second;
    return true;
  }
  std::deque<std::pair<std::string, int>> answers;  // path (empty: cancelled), filter
  std::vector<FileDialogRequest> requests;

 private:
  IModalDialogs* m_previous;
};

// Chooses the object a load makes current, as the form view's list does on the kind hint (which
// counts as an edit when the operator does it).
class ChoosingView : public CView, public IDocFormView {
 public:
  void OnUpdate(CView*, LPARAM hint, CObject*) override {
    auto* doc = static_cast<CKorvaneDoc*>(GetDocument());
    if (hint >= TYPE_LINE && hint <= TYPE_BARCODE && doc) doc->SetCurrentObject(doc->m_nCurrentIndex, FALSE, FALSE);
  }
  void SetModeCaption(const CString&) override {}
};

class MrkOpenSave : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    doc->SetFileServices(&files);
    doc->AddView(&view);
  }
  void TearDown() override {
    doc->RemoveView(&view);
    doc.reset();
    g_bModified = 0;
  }
  CObjectList& List() { return *doc->GetObjectList(); }
  std::string Kinds() {
    std::string kinds;
    for (int i = 1; i < List().GetCount(); ++i) kinds += std::to_string(List().GetObject(i)->m_nType);
    return kinds;
  }
  static std::string TextOf(const CObjectList& list) {
    CMrkTextFile file(CMrkTextFile::modeWrite);
    file.FormatList(list);
    const std::vector<BYTE> bytes = file.GetBytes();
    return std::string(bytes.begin(), bytes.end());
  }
  static std::string BinaryOf(const CObjectList& list) {
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
    return std::string(bytes.begin(), bytes.end());
  }
  const CString& LastText() { return prompter.Log().back().text; }

  TempDir dir;
  ScriptedPrompter prompter;
  SaveDialogs dialogs;
  CMrkFileServices files;
  ChoosingView view;
  std::unique_ptr<CKorvaneDoc> doc;
};

TEST_F(MrkOpenSave, ARecordCutShortAnywhereIsNamedAndSaveAsksBeforeOverwriting) {
  CObjectList source;
  source.Initialize();
  source.AddLine(nullptr, TRUE, TRUE);
  source.AddText1(nullptr, TRUE, TRUE)->SetText(CString("AB"));
  source.AddRectangle(nullptr, TRUE, TRUE);
  std::string text = TextOf(source);
  // Without the work area's record: no drawing question.
  text.erase(0, text.find("\r\n") + 2);
  const std::string whole = text;

  // A circle cut short between two whole records, and a straight text whose first character
  // line lost its last values (its header and the records after it are whole).
  const size_t rect = text.find("\r\n2,") + 2;
  text.insert(rect, "3,1,1,  1.000,  1.00\r\n");
  const size_t firstChar = text.find("\r\n ") + 2;
  const size_t end = text.find("\r\n", firstChar);
  text.replace(firstChar, end - firstChar, " 0.000,  0.000,  0.000");
  const std::string path = dir.Write("damaged.mrk", text);

  prompter.ExpectMessage(IDOK, U("円形 circle1"));
  ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);
  prompter.VerifyAllUsed();
  EXPECT_NE(LastText().Find(U("直線文字列 txt1")), -1) << LastText().ToQString().toStdString();
  EXPECT_EQ(Kinds(), "01");
  EXPECT_EQ(g_bModified, 1);

  // Save asks before it overwrites the file. Cancel: nothing; No: Save As (cancelled).
  prompter.ExpectMessage(IDCANCEL, U("読み込めなかったデータ"));
  EXPECT_EQ(MrkSave(*doc), FALSE);
  prompter.ExpectMessage(IDNO, U("読み込めなかったデータ"));
  dialogs.answers.push_back({"", 1});
  EXPECT_EQ(MrkSave(*doc), FALSE);
  EXPECT_EQ(TempDir::Read(path), text);
  prompter.VerifyAllUsed();

  // The same records whole load without a word.
  const std::string good = dir.Write("whole.mrk", whole);
  g_bModified = 0;
  ASSERT_EQ(doc->OpenMrkFile(good.c_str(), 1), 1);
  EXPECT_EQ(Kinds(), "061");
  prompter.VerifyAllUsed();
}

TEST_F(MrkOpenSave, SaveKeepsTheLoadedFormatAndAsksBeforeOverwritingAFileChangedSince) {
  CObjectList source;
  source.Initialize();
  source.AddCircle(nullptr, TRUE, TRUE)->m_dPosX = 1.2345;
  for (const bool binary : {true, false}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    const std::string path = dir.Write(binary ? "b.mrk" : "t.mrk", binary ? BinaryOf(source) : TextOf(source));
    g_bModified = 0;
    if (!binary) prompter.ExpectMessage(IDNO, "Drawing");
    ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);
    doc->AddNewObject(TYPE_LINE);

    // Another program replaced the file with a project of the other format.
    CObjectList other;
    other.Initialize();
    other.AddRhombic(nullptr, TRUE, TRUE);
    const std::string replaced = binary ? TextOf(other) : BinaryOf(other);
    dir.Write(binary ? "b.mrk" : "t.mrk", replaced);
    prompter.ExpectMessage(IDCANCEL, U("変更されています"));
    EXPECT_EQ(MrkSave(*doc), FALSE);
    prompter.ExpectMessage(IDNO, U("変更されています"));
    dialogs.answers.push_back({"", 1});
    EXPECT_EQ(MrkSave(*doc), FALSE);
    EXPECT_EQ(dialogs.requests.back().initialPath, path.c_str());
    EXPECT_EQ(TempDir::Read(path), replaced);
    EXPECT_EQ(g_bModified, 1);

    // Yes: written in the format the design was loaded in, whatever the file holds now.
    prompter.ExpectMessage(IDYES, U("変更されています"));
    EXPECT_EQ(MrkSave(*doc), TRUE);
    EXPECT_EQ(TempDir::Read(path).substr(0, 1), binary ? "M" : "D");
    // Once written, the file is the design's own again: the next Save asks nothing.
    EXPECT_EQ(MrkSave(*doc), TRUE);
    prompter.VerifyAllUsed();

    // A change that keeps the size is a change too.
    struct timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    prompter.ExpectMessage(IDCANCEL, U("変更されています"));
    EXPECT_EQ(MrkSave(*doc), FALSE);
    prompter.VerifyAllUsed();
  }
}

TEST_F(MrkOpenSave, AnOpenOfSomethingThatIsNoProjectSaysItCannotBeRead) {
  const std::string fifo = dir.File("pipe.mrk");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir.File("folder.mrk");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  for (const std::string& path : {fifo, folder}) {
    SCOPED_TRACE(path);
    prompter.ExpectFile(path.c_str()).ExpectMessage(IDOK, U("ファイルの読み込みに失敗しました"));
    EXPECT_EQ(doc->PromptOpenMrkFile(1), 0);
    prompter.ExpectMessage(IDOK, U("ファイルの読み込みに失敗しました"));
    EXPECT_EQ(doc->OpenMrkPath(path.c_str(), 1), 0);
    prompter.VerifyAllUsed();
  }
  // What is not there at all is not found.
  prompter.ExpectMessage(IDOK, U("ファイルが見つかりません"));
  EXPECT_EQ(doc->OpenMrkPath(dir.File("gone.mrk").c_str(), 1), 0);
  prompter.VerifyAllUsed();
}

TEST_F(MrkOpenSave, AFailedSaveAtTheSaveQuestionKeepsTheDesignAndItsName) {
  CObjectList source;
  source.Initialize();
  source.AddCircle(nullptr, TRUE, TRUE);
  const std::string path = dir.Write("named.mrk", BinaryOf(source));
  ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);
  doc->AddNewObject(TYPE_LINE);
  // Yes, and the save fails: said, and the design stays with its name and its changes, so that
  // the next Save goes to the same file.
  const std::string locked = dir.Write("locked", "a file, not a folder");
  prompter.ExpectMessage(IDYES, U("データを保存しますか")).ExpectMessage(IDOK, U("ファイルの保存に失敗しました"));
  dialogs.answers.push_back({locked + "/x.mrk", 1});
  EXPECT_FALSE(doc->OnNewDocument());
  prompter.VerifyAllUsed();
  EXPECT_EQ(doc->GetTitle(), path.c_str());
  EXPECT_EQ(Kinds(), "20");
  EXPECT_EQ(g_bModified, 1);
  // Cancel keeps the name as well.
  prompter.ExpectMessage(IDCANCEL, U("データを保存しますか"));
  EXPECT_FALSE(doc->OnNewDocument());
  EXPECT_EQ(doc->GetTitle(), path.c_str());
  prompter.VerifyAllUsed();
}

TEST_F(MrkOpenSave, ATextSaveNamesEveryBitmapWhosePixelsItWouldLose) {
  const std::vector<BYTE> image = mrktest::SmallImage();
  const std::string bmpPath = dir.File("logo.bmp");
  ASSERT_TRUE(fileio::WriteAtomically(bmpPath, image.data(), image.size()));
  CBmpObject* bmp = List().AddBmpFromImage(image);
  ASSERT_NE(bmp, nullptr);
  bmp->m_strPath = bmpPath.c_str();
  const std::string text = dir.File("t.mrk");

  // The image file brings the pixels back: nothing to ask.
  dialogs.answers.push_back({text, 2});
  EXPECT_EQ(MrkSaveAs(*doc, CString()), TRUE);
  prompter.VerifyAllUsed();
  const std::string plain = TempDir::Read(text);

  // Edited in the paint editor: the file no longer holds what the design shows.
  bmp->m_pBits[0] ^= 0xFF;
  dialogs.answers.push_back({text, 2});
  prompter.ExpectMessage(IDCANCEL, U("ビットマップ bmp1"));
  EXPECT_EQ(MrkSaveAs(*doc, CString()), FALSE);
  // Yes: the binary format, which keeps the pixels.
  const std::string binary = dir.File("b.mrk");
  dialogs.answers.push_back({text, 2});
  dialogs.answers.push_back({binary, 1});
  prompter.ExpectMessage(IDYES, U("ビットマップ bmp1"));
  EXPECT_EQ(MrkSaveAs(*doc, CString()), TRUE);
  EXPECT_EQ(dialogs.requests.back().filter, CString::FromUtf8(kMrkOpenFilter));
  EXPECT_EQ(TempDir::Read(binary).substr(0, 1), "M");
  // No: the text file without the edits.
  dialogs.answers.push_back({text, 2});
  prompter.ExpectMessage(IDNO, U("ビットマップ bmp1"));
  EXPECT_EQ(MrkSaveAs(*doc, CString()), TRUE);
  EXPECT_EQ(TempDir::Read(text), plain);
  prompter.VerifyAllUsed();
}

TEST_F(MrkOpenSave, AJustOpenedDesignAsksNothingAndTheSaveQuestionOffersItsName) {
  CObjectList source;
  source.Initialize();
  source.AddCircle(nullptr, TRUE, TRUE);
  for (const bool binary : {true, false}) {
    SCOPED_TRACE(binary ? "binary" : "text");
    const std::string path = dir.Write("named.mrk", binary ? BinaryOf(source) : TextOf(source));
    g_bModified = 0;
    if (!binary) prompter.ExpectMessage(IDNO, "Drawing");
    ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);
    // Just opened, not edited: nothing to ask, although the load chose its object.
    EXPECT_EQ(g_bModified, 0);
    ASSERT_TRUE(doc->OnNewDocument());
    prompter.VerifyAllUsed();

    // Edited: Yes offers the file the design is named after.
    if (!binary) prompter.ExpectMessage(IDNO, "Drawing");
    ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);
    doc->AddNewObject(TYPE_LINE);
    prompter.ExpectMessage(IDYES, U("データを保存しますか"));
    dialogs.answers.push_back({"", 1});
    EXPECT_FALSE(doc->OnNewDocument());
    EXPECT_EQ(dialogs.requests.back().initialPath, path.c_str());
    prompter.VerifyAllUsed();
    g_bModified = 0;
  }
}

}  // namespace
