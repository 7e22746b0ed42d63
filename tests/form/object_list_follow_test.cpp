// The object list against the document: after open, add, paste, delete and the delete that takes
// a paste back it shows what a fresh fill shows, every line in place; a line behind deleted ones
// is chosen and rewritten as its object's; filling stays linear in the list's size; and the
// list's selection and the pages shown name the current object after seal building, seal import
// and the end of paint mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fake_control_host.h"
#include "files/mrk_binary.h"
#include "form_fixture.h"
#include "imaging/monobmp.h"
#include "model/doc_clipboard.h"
#include "model/doc_hints.h"
#include "model/textobject.h"
#include "platform/archive.h"
#include "res/dialog_101.h"

using namespace res;

namespace {

class ObjectListFollowTest : public FormTest {
 protected:
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < C().GetCount(IDC_OBJECT_LIST); ++i) lines.push_back(C().GetText(IDC_OBJECT_LIST, i).str());
    return lines;
  }
  // What the list must show, read from the entries without the list's own row look-ups.
  std::vector<std::string> Expected() {
    std::vector<std::string> lines;
    for (int i = 0; i < List().GetCount(); ++i) {
      const CDrawObject* o = List().GetObject(i);
      if (o->m_bDeleted) continue;
      std::string line = i == 0 ? "drawing" : o->m_szName;
      if (o->m_nType == TYPE_TEXT1) line += "   ( " + static_cast<const CText1Object*>(o)->m_strText.str() + " )";
      if (o->m_nType == TYPE_TEXT2) line += "   ( " + static_cast<const CText2Object*>(o)->m_strText.str() + " )";
      lines.push_back(line);
    }
    return lines;
  }
  int Sel() { return C().GetCurSel(IDC_OBJECT_LIST); }
  // The line of the current object (0, the work area's, for none or a multi-selection).
  int CurrentLine() {
    const int index = doc->m_nCurrentIndex;
    if (index <= 0) return 0;
    int line = 0;
    for (int i = 0; i < index; ++i) line += List().GetObject(i)->m_bDeleted ? 0 : 1;
    return line;
  }
  void ExpectInStep(const char* step) {
    EXPECT_EQ(Lines(), Expected()) << step;
    EXPECT_EQ(Sel(), CurrentLine()) << step;
    const int shown = doc->m_nCurrentKind;
    EXPECT_EQ(view->GetPageKind(), shown) << step;
  }
  void Paste(std::vector<int> indices, int number) {
    ObjectClipboardBlock block;
    block.indices = std::move(indices);
    doc->PasteObjects(block, number);
  }
};

TEST_F(ObjectListFollowTest, OpenAddPasteDeleteAndTakingAPasteBackKeepEveryLine) {
  // A saved design with texts of both kinds among the shapes.
  {
    CObjectList saved;
    saved.Initialize();
    saved.AddLine(nullptr, TRUE, TRUE);
    saved.AddText1(nullptr, TRUE, TRUE)->SetText("AB");
    saved.AddCircle(nullptr, TRUE, TRUE);
    saved.AddText2(nullptr, TRUE, TRUE)->SetText("ARC");
    saved.AddRectangle(nullptr, TRUE, TRUE);
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(saved);
    ASSERT_TRUE(fileio::WriteAtomically(dir.File("design.mrk"), bytes.data(), bytes.size()));
  }
  Add({TYPE_POLYGON});
  StartView();
  view->show();
  g_bModified = 0;  // nothing to save first
  ASSERT_TRUE(doc->OpenMrkFile(CString(dir.File("design.mrk")), 1));
  ASSERT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines()[2].substr(Lines()[2].size() - 6), "( AB )");
  ExpectInStep("open");

  Add({TYPE_TEXT1, TYPE_BARCODE});
  ExpectInStep("add");

  // Two objects pasted: a multi-selection, the first line.
  const std::vector<std::string> beforePaste = Lines();
  Paste({2, 4}, 1);
  EXPECT_EQ(Lines().size(), beforePaste.size() + 2);
  ExpectInStep("paste of two");
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  // Taken back by deleting the pasted selection: the lines before the paste, in order.
  ASSERT_GT(doc->DeleteSelection(), 0);
  EXPECT_EQ(Lines(), beforePaste);
  ExpectInStep("paste taken back");

  Paste({3}, 2);
  ExpectInStep("paste of one");
  EXPECT_EQ(Sel(), static_cast<int>(Lines().size()) - 1);
  doc->SetCurrentObject(2, TRUE, TRUE);
  ASSERT_EQ(doc->DeleteSelection(), 1);
  ExpectInStep("delete of one in the middle");

  // A text changed through its page keeps its line current; an add after it shows it as well.
  doc->SetCurrentObject(List().GetCount() - 1, TRUE, TRUE);
  Add({TYPE_RHOMBIC});
  ExpectInStep("add after deletes");
  // Whatever the steps, a fresh fill shows the same lines.
  const std::vector<std::string> synced = Lines();
  view->FillObjectList();
  EXPECT_EQ(Lines(), synced);

  // A new document replaces every line.
  g_bModified = 0;
  ASSERT_TRUE(doc->OpenMrkFile(CString(dir.File("design.mrk")), 1));
  ExpectInStep("open again");
}

TEST_F(ObjectListFollowTest, ManyDeletedAtOnceAndObjectsBackFromDeletionRefillTheList) {
  for (int i = 0; i < 200; ++i) List().AddLine(nullptr, TRUE, TRUE);
  StartView();
  std::vector<int> flags(static_cast<size_t>(List().GetCount()), 0);
  for (int slot = 0; slot < 150; ++slot) flags[static_cast<size_t>(slot) * 4 / 3] = 1;
  doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
  ASSERT_EQ(doc->DeleteSelection(), static_cast<int>(flags.size()));
  EXPECT_EQ(Lines(), Expected());
  // An entry flagged live again outside the document's operations: the next update shows it.
  List().GetObject(1)->m_bDeleted = 0;
  Add({TYPE_LINE});
  EXPECT_EQ(Lines(), Expected());
  ExpectInStep("add after an entry came back");
}

TEST_F(ObjectListFollowTest, FillingAndUpdatingAHundredThousandLinesIsLinear) {
  constexpr int kObjects = 100000;
  for (int i = 0; i < kObjects; ++i) {
    if (i % 2) List().AddText1(nullptr, TRUE, TRUE)->SetText("T");
    else List().AddLine(nullptr, TRUE, TRUE);
  }
  for (int i = 10; i < kObjects; i += 1000) List().GetObject(i)->m_bDeleted = 1;
  StartView();
  const long long lines = C().GetCount(IDC_OBJECT_LIST);
  EXPECT_EQ(lines, List().GetVisibleCount());
  // Each fill visits every entry a bounded number of times: a row look-up per line would be
  // about lines * lines / 2.
  long long work = List().GetRowWork();
  view->FillObjectList();
  EXPECT_LE(List().GetRowWork() - work, 3 * (kObjects + 1));
  // One add and one delete: a pass or two over the entries, not a look-up per line.
  work = List().GetRowWork();
  Add({TYPE_CIRCLE});
  ASSERT_EQ(doc->DeleteSelection(), 1);
  EXPECT_LE(List().GetRowWork() - work, 8LL * (kObjects + 2));
  EXPECT_EQ(C().GetCount(IDC_OBJECT_LIST), lines);
  EXPECT_EQ(C().GetText(IDC_OBJECT_LIST, static_cast<int>(lines) - 1).str(), Expected().back());
  EXPECT_EQ(C().GetText(IDC_OBJECT_LIST, 12).str(), Expected()[12]);
}

TEST_F(ObjectListFollowTest, ALineBehindDeletedOnesIsChosenAndRewrittenAsItsObjects) {
  // Deleted entries in front of the texts: a text's line is not its list index.
  Add({TYPE_LINE, TYPE_CIRCLE, TYPE_TEXT1, TYPE_RECTANGLE, TYPE_TEXT1});
  StartView();
  for (int index : {1, 2}) {
    doc->SetCurrentObject(index, TRUE, TRUE);
    ASSERT_EQ(doc->DeleteSelection(), 1);
  }
  doc->SetCurrentObject(5, TRUE, TRUE);
  ExpectInStep("the last text chosen");
  ASSERT_TRUE(doc->SetObjectText(1326, CString("LAST")));
  ExpectInStep("the last text typed");
  doc->SetCurrentObject(3, TRUE, TRUE);
  ExpectInStep("the first text chosen");
  ASSERT_TRUE(doc->SetObjectText(1326, CString("FIRST")));
  ExpectInStep("the first text typed");
  // With no line selected, the current object's own line.
  C().SetCurSel(IDC_OBJECT_LIST, -1);
  ASSERT_TRUE(doc->SetObjectText(1326, CString("AGAIN")));
  EXPECT_EQ(Lines(), Expected());
  // Added after the deletes: the new object's line is the last.
  Add({TYPE_TEXT1});
  ExpectInStep("a text added");
  ASSERT_TRUE(doc->SetObjectText(1326, CString("NEW")));
  ExpectInStep("the new text typed");
}

TEST_F(ObjectListFollowTest, ABuiltSealShowsItsLastTextsPagesAndLine) {
  Add({TYPE_LINE});
  StartView();
  doc->SetCurrentObject(0, TRUE, TRUE);
  const CString lines[] = {CString::FromUtf8("山田"), CString::FromUtf8("太郎")};
  doc->LayoutPersonalSealText(lines, 2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_TEXT1);
  EXPECT_EQ(doc->m_nCurrentIndex, List().GetCount() - 1);
  ExpectInStep("seal built");
  EXPECT_EQ(Sel(), static_cast<int>(Lines().size()) - 1);
}

TEST_F(ObjectListFollowTest, AnImportedSealImageHasItsLineSelected) {
  const std::string folder = dir.File("seal");
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/property.txt", std::ios::binary) << "width:20\nheight:20\ntype:0\nfstate:1\nfsize:1\n";
  const std::vector<BYTE> scan = MonoBmpFile::Create(64, 64);
  std::ofstream(folder + "/scan.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(scan.data()), static_cast<std::streamsize>(scan.size()));
  StartView();
  prompter.ExpectFolder(CString(folder));
  doc->ImportSealFolder();
  prompter.VerifyAllUsed();
  ASSERT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  ASSERT_EQ(Lines().size(), 2u);
  ExpectInStep("seal imported");
  // Clicked on the canvas: the same line.
  doc->SetCurrentObject(0, TRUE, TRUE);
  doc->SetCurrentObject(1, TRUE, TRUE);
  EXPECT_EQ(Sel(), 1);
}

TEST_F(ObjectListFollowTest, LeavingPaintModeSelectsTheImagesLine) {
  Add({TYPE_LINE, TYPE_RECTANGLE});
  ASSERT_TRUE(List().AddBmpFromImage(MonoBmpFile::Create(16, 16)));
  Add({TYPE_CIRCLE});
  StartView();
  const int image = 3;
  doc->SetCurrentObject(image, TRUE, TRUE);
  ASSERT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  // Paint mode as the canvas starts it (the form shows the image-edit page meanwhile).
  doc->m_bPaintMode = 1;
  doc->m_nCurrentKind = TYPE_IMAGE;
  doc->m_nLastAction = HINT_SELECTION_CHANGED;
  doc->UpdateAllViews(&canvas, TYPE_IMAGE, doc.get());
  EXPECT_EQ(view->GetPageKind(), TYPE_IMAGE);
  doc->m_nLastAction = HINT_PROPERTY_CHANGED;  // an edit in between
  doc->EndPaintMode();
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  EXPECT_TRUE(C().IsWindowVisible(IDC_OBJECT_LIST));
  ExpectInStep("paint mode left");
  EXPECT_EQ(Sel(), image);
}

}  // namespace
