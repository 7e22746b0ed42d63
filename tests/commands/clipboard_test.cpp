#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "commands_fixture.h"
#include "files/mrk_binary.h"
#include "model/doc_clipboard.h"
#include "imaging/monobmp.h"
#include "model/drawobject.h"

namespace {

std::vector<std::uint8_t> Block(std::initializer_list<std::int32_t> ints) {
  std::vector<std::uint8_t> out;
  for (std::int32_t v : ints) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  }
  return out;
}

class ClipboardTest : public CommandsTest {};

TEST_F(ClipboardTest, CopyAndCutPutExactlyTheSelectedIndicesOnTheClipboard) {
  Add({TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC});
  SelectMany({2, 5});
  ASSERT_TRUE(table.Execute(57634));
  EXPECT_EQ(clipboard.data, Block({1, 2, 2, 5}));
  EXPECT_EQ(clipboard.data.size(), 16u);
  EXPECT_EQ(frame.focus, 1);

  SelectOne(3);
  ASSERT_TRUE(table.Execute(32875));  // the context menu's cut
  EXPECT_EQ(clipboard.data, Block({0, 1, 3}));
  EXPECT_EQ(List().GetObject(3)->m_bDeleted, 1);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 0);
}

TEST_F(ClipboardTest, ARefusingClipboardLeavesTheCutObjectsInPlace) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  SelectMany({1, 2});
  clipboard.refuse = true;
  table.Execute(57635);
  EXPECT_EQ(clipboard.sets, 1);
  EXPECT_EQ(List().GetObject(1)->m_bDeleted, 0);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 0);
  EXPECT_EQ(g_bModified, 1);  // the selection set it; the cut itself did nothing
  g_bModified = 0;
  table.Execute(57632);  // delete still works without the clipboard
  EXPECT_EQ(List().GetObject(1)->m_bDeleted, 1);
}

TEST_F(ClipboardTest, PastesStepFurtherEachTimeAndACutPasteLandsWhereTheObjectWas) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  SelectOne(2);
  const double x = List().GetObject(2)->m_dPosX, y = List().GetObject(2)->m_dPosY;
  table.Execute(57634);
  for (int n = 1; n <= 3; ++n) {
    ASSERT_TRUE(table.Execute(57637));
    EXPECT_EQ(commands->GetPasteCounter(), n);
    const CDrawObject* copy = List().GetObject(List().GetCount() - 1);
    EXPECT_DOUBLE_EQ(copy->m_dPosX, x + 2.0 * n);
    EXPECT_DOUBLE_EQ(copy->m_dPosY, y - 2.0 * n);
  }
  EXPECT_EQ(List().GetCount(), 6);

  SelectOne(2);
  table.Execute(57635);
  EXPECT_EQ(commands->GetPasteCounter(), 0);
  table.Execute(57637);
  const CDrawObject* back = List().GetObject(List().GetCount() - 1);
  EXPECT_DOUBLE_EQ(back->m_dPosX, x);
  EXPECT_DOUBLE_EQ(back->m_dPosY, y);
  EXPECT_EQ(back->m_bDeleted, 0);
}

TEST_F(ClipboardTest, ContextPastePutsTheCopyAtTheContextPoint) {
  Add({TYPE_RECTANGLE});
  SelectOne(1);
  table.Execute(32876);
  doc->m_ptContext = CDoublePoint(-12.5, 7.25);
  ASSERT_TRUE(table.Execute(32877));
  const CDrawObject* copy = List().GetObject(2);
  EXPECT_DOUBLE_EQ(copy->m_dPosX, -12.5);
  EXPECT_DOUBLE_EQ(copy->m_dPosY, 7.25);
  EXPECT_EQ(commands->GetPasteCounter(), 1);
}

TEST_F(ClipboardTest, BlocksThatThisDocumentCannotHaveWrittenPasteNothing) {
  Add({TYPE_LINE, TYPE_CIRCLE, TYPE_TRIANGLE});
  const std::vector<std::vector<std::uint8_t>> bad = {
      {1, 0, 0},                                   // short
      Block({1, 1, 2, 3}),                         // more bytes than the count says
      Block({1, -1, 2}),                           // negative count
      Block({1, 0}),                               // nothing listed
      Block({1, 1, 0}),                            // the work area
      Block({1, 1, 4}),                            // past the end
      Block({1, 2, 3, 2}),                         // descending
      Block({1, 2, 2, 2}),                         // repeated
      Block({7, 1, 2}),                            // unknown operation
  };
  for (const auto& bytes : bad) {
    clipboard.has = true;
    clipboard.data = bytes;
    table.Execute(57637);
    table.Execute(32877);
    EXPECT_EQ(List().GetCount(), 4);
    EXPECT_FALSE(commands->CanPaste());
  }
  clipboard.data = Block({1, 2, 1, 3});
  EXPECT_TRUE(commands->CanPaste());
  table.Execute(57637);
  EXPECT_EQ(List().GetCount(), 6);
}

TEST_F(ClipboardTest, ImageEditingTurnsTheClipboardDeleteAndNudgesOff) {
  List().AddBmpFromImage(MonoBmpFile::Create(16, 16));
  SelectOne(1);
  table.Execute(57634);
  doc->m_bPaintMode = 1;
  for (UINT id : {57635u, 57634u, 57637u, 57632u, 32875u, 32876u, 32877u, 32878u, 32881u, 32882u, 32883u, 32884u}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_FALSE(table.Execute(57632));
  EXPECT_FALSE(table.Execute(57637));
  EXPECT_EQ(List().GetObject(1)->m_bDeleted, 0);
  EXPECT_EQ(List().GetCount(), 2);
  doc->m_bPaintMode = 0;
  EXPECT_TRUE(Enabled(57632));
  EXPECT_TRUE(Enabled(57637));
}

// A frame that, like the main window, tells the document how far its clipboard's block reaches,
// so that deleted entries past it leave the list.
class ReachingFrame : public CmdMainFrame {
 public:
  int GetPastableEnd() const override { return commands ? commands->GetPastableEnd() : INT_MAX; }
  CFrameCommands* commands = nullptr;
};

class DeletedTailTest : public ClipboardTest {
 protected:
  void SetUp() override {
    ClipboardTest::SetUp();
    reaching.commands = commands;
    doc->SetMainFrame(&reaching);
  }
  void TearDown() override {
    doc->SetMainFrame(&frame);
    ClipboardTest::TearDown();
  }
  std::vector<BYTE> Saved() { return CMrkBinaryFile::Serialize(List()); }
  double X(int index) { return List().GetObject(index)->m_dPosX; }
  ReachingFrame reaching;
};

TEST_F(DeletedTailTest, APasteDeletedAgainLeavesTheListTheSelectionAndTheSaveAsBefore) {
  Add({TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE});
  const std::vector<BYTE> before = Saved();
  const double x[] = {X(1), X(2), X(3)};
  SelectMany({1, 3});
  table.Execute(57634);
  ASSERT_TRUE(table.Execute(57637));
  ASSERT_EQ(List().GetCount(), 6);
  ASSERT_TRUE(table.Execute(57632));
  // The block names 1 and 3: the two copies after them are read by nothing and go.
  EXPECT_EQ(List().GetCount(), 4);
  EXPECT_EQ(doc->GetSelectionLength(), 4);
  EXPECT_EQ(doc->GetSelectedCount(), 0);
  EXPECT_EQ(doc->m_nCurrentIndex, 0);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(0));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(List().GetObject(i)->m_bDeleted, 0);
    EXPECT_DOUBLE_EQ(X(i), x[i - 1]);
  }
  EXPECT_EQ(List().GetVisibleCount(), 4);
  EXPECT_EQ(Saved(), before);
  // The block still pastes, and names continue from where the deleted copies left them.
  ASSERT_TRUE(table.Execute(57637));
  ASSERT_EQ(List().GetCount(), 6);
  EXPECT_STREQ(List().GetObject(4)->GetName(), "line3");
  EXPECT_STREQ(List().GetObject(5)->GetName(), "circle3");
  EXPECT_DOUBLE_EQ(X(5), x[2] + 2.0);
}

TEST_F(DeletedTailTest, ACutKeepsWhatItsBlockNamesAndItsPasteBringsItBack) {
  Add({TYPE_LINE, TYPE_RECTANGLE});
  const double x = X(2);
  SelectOne(2);
  ASSERT_TRUE(table.Execute(57635));
  ASSERT_EQ(List().GetCount(), 3);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 1);
  // An object added after the cut and deleted lies past the block: it goes, the cut one stays.
  Add({TYPE_CIRCLE});
  SelectOne(3);
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 3);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 1);
  ASSERT_TRUE(commands->CanPaste());
  ASSERT_TRUE(table.Execute(57637));
  ASSERT_EQ(List().GetCount(), 4);
  const CDrawObject* back = List().GetObject(3);
  EXPECT_EQ(back->m_nType, TYPE_RECTANGLE);
  EXPECT_EQ(back->m_bDeleted, 0);
  EXPECT_DOUBLE_EQ(back->m_dPosX, x);
}

TEST_F(DeletedTailTest, OnlyTheDeletedRunAtTheEndGoesAndEveryIndexBeforeItKeepsItsObject) {
  Add({TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC});
  const double x1 = X(1);
  // A deleted entry with live ones after it stays in place, flagged.
  SelectOne(2);
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 6);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 1);
  SelectMany({4, 5});
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 4);
  EXPECT_DOUBLE_EQ(X(1), x1);
  SelectOne(3);
  ASSERT_TRUE(table.Execute(57632));
  // Now 2 and 3 end the list: both go; the line before them is where it was.
  EXPECT_EQ(List().GetCount(), 2);
  EXPECT_DOUBLE_EQ(X(1), x1);
  EXPECT_EQ(doc->GetSelectionLength(), 2);
  // The new objects take the freed indices.
  // An empty clipboard names nothing; a block naming an index keeps everything up to it.
  Add({TYPE_POLYGON, TYPE_LINE, TYPE_CIRCLE});
  clipboard.has = true;
  clipboard.data = Block({1, 1, 3});
  SelectMany({2, 3, 4});
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 4);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 1);
  EXPECT_EQ(List().GetObject(3)->m_bDeleted, 1);
  EXPECT_EQ(List().GetObject(2)->m_nType, TYPE_POLYGON);
  EXPECT_EQ(List().GetObject(3)->m_nType, TYPE_LINE);
  EXPECT_TRUE(commands->CanPaste());
}

TEST_F(DeletedTailTest, AFewDeletedEntriesAtTheEndOfALargerDesignStayUntilTheirRunGrows) {
  for (int i = 0; i < 20; ++i) Add({TYPE_LINE});
  const double x = X(18);
  SelectOne(20);
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 21);
  EXPECT_EQ(List().GetObject(20)->m_bDeleted, 1);
  SelectOne(19);
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 19);
  EXPECT_EQ(doc->GetSelectionLength(), 19);
  EXPECT_DOUBLE_EQ(X(18), x);
  EXPECT_EQ(List().GetObject(18)->m_bDeleted, 0);
}

TEST_F(ClipboardTest, AFrameThatCannotTellTheClipboardKeepsEveryDeletedEntry) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  SelectMany({1, 2});
  ASSERT_TRUE(table.Execute(57632));
  EXPECT_EQ(List().GetCount(), 3);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 1);
}

TEST(SystemObjectClipboard, TheBlockTravelsUnderTheProgramsOwnType) {
  CQtObjectClipboard clipboard;
  const std::vector<std::uint8_t> bytes = Block({1, 2, 2, 5});
  ASSERT_TRUE(clipboard.SetData(bytes));
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->hasFormat("application/x-draventis"));
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(clipboard.GetData(back));
  EXPECT_EQ(back, bytes);
  // Another program's text is not ours, and clearing leaves it alone.
  QGuiApplication::clipboard()->setText("hello");
  EXPECT_FALSE(clipboard.HasData());
  clipboard.ClearOwnData();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "hello");
}

}  // namespace
