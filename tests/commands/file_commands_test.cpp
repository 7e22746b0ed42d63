#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/recent_files.h"
#include "commands_fixture.h"
#include "files/mrk_binary.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "platform/archive.h"
#include "platform/ui/menu_template.h"

namespace {

constexpr UINT ID_NEW = 57600, ID_OPEN = 57601, ID_INSERT = 32899, ID_SAVE = 32851, ID_SAVE_AS = 32852,
               ID_SAVE_AS_NAMED = 32885, ID_MRU1 = 57616;

class FileCommandsTest : public CommandsTest {
 protected:
  // A binary project written by another document: a circle, a barcode and an image.
  std::string WriteProject(const std::string& name, int circles = 1) {
    CObjectList other;
    other.Initialize();
    for (int i = 0; i < circles; ++i) other.AddCircle(nullptr, TRUE, TRUE)->m_dPosX = 5.0 + i;
    other.AddBarcode(nullptr, TRUE, TRUE)->m_strText = "QR-TEXT";
    std::vector<BYTE> image = MonoBmpFile::Create(40, 16);
    image[62] = 0x0F;
    other.AddBmpFromImage(image);
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
    return dir.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string FirstByte(const std::string& path) { return TempDir::Read(path).substr(0, 1); }
  int CountKind(int kind) {
    int n = 0;
    for (int i = 1; i < List().GetCount(); ++i) n += List().GetObject(i)->m_nType == kind && !List().GetObject(i)->m_bDeleted;
    return n;
  }
};

TEST_F(FileCommandsTest, OpenReplacesAfterAskingAndInsertAppendsKeepingTheTitle) {
  const std::string a = WriteProject("a.mrk");
  const std::string b = WriteProject("b.mrk", 2);
  Add({TYPE_LINE});
  g_bModified = 1;
  // Cancel to the save question: nothing is loaded, the design stays.
  prompter.ExpectFile(a.c_str()).ExpectMessage(IDCANCEL, U("保存"));
  table.Execute(ID_OPEN);
  EXPECT_EQ(List().GetCount(), 2);
  EXPECT_EQ(recent->GetCount(), 0);

  prompter.ExpectFile(a.c_str()).ExpectMessage(IDNO, U("保存"));
  table.Execute(ID_OPEN);
  EXPECT_EQ(List().GetCount(), 4);
  EXPECT_EQ(CountKind(TYPE_LINE), 0);
  EXPECT_EQ(doc->GetTitle(), a.c_str());
  EXPECT_EQ(recent->GetRecentFileName(1), a.c_str());

  // Insert never asks, even with a modified design, and keeps the title.
  g_bModified = 1;
  prompter.ExpectFile(b.c_str());
  table.Execute(ID_INSERT);
  EXPECT_EQ(List().GetCount(), 8);
  EXPECT_EQ(CountKind(TYPE_CIRCLE), 3);
  EXPECT_EQ(doc->GetTitle(), a.c_str());
  EXPECT_EQ(recent->GetRecentFileName(1), b.c_str());
  prompter.VerifyAllUsed();
}

TEST_F(FileCommandsTest, SaveKeepsTheFormatOfTheFileItWasOpenedFrom) {
  const std::string a = WriteProject("a.mrk");
  prompter.ExpectFile(a.c_str());
  table.Execute(ID_OPEN);
  Add({TYPE_TRIANGLE});
  g_bModified = 1;
  ASSERT_TRUE(table.Execute(ID_SAVE));
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(FirstByte(a), "M");
  // Reloaded: the barcode and the image are still there.
  doc->OnNewDocument();
  ASSERT_EQ(doc->OpenMrkFile(a.c_str(), 1), 1);
  EXPECT_EQ(CountKind(TYPE_BARCODE), 1);
  EXPECT_EQ(CountKind(TYPE_TRIANGLE), 1);
  ASSERT_EQ(CountKind(TYPE_BMP), 1);
  for (int i = 1; i < List().GetCount(); ++i) {
    if (auto* bar = dynamic_cast<CBarcodeObject*>(List().GetObject(i))) {
      EXPECT_EQ(bar->m_strText, "QR-TEXT");
    }
    if (auto* bmp = dynamic_cast<CBmpObject*>(List().GetObject(i))) {
      ASSERT_GT(bmp->m_Image.size(), 62u);
      EXPECT_EQ(bmp->m_Image[62], 0x0F);
    }
  }

  // A text project stays text (once told what the format leaves out).
  dialogs.saves.push_back({dir.File("t.mrk"), 2});
  prompter.ExpectMessage(IDNO, U("QRコード"));
  table.Execute(ID_SAVE_AS);
  EXPECT_EQ(FirstByte(dir.File("t.mrk")), "D");
  EXPECT_EQ(doc->GetTitle(), dir.File("t.mrk").c_str());
  Add({TYPE_LINE});
  prompter.ExpectMessage(IDNO, U("QRコード"));
  table.Execute(ID_SAVE);
  EXPECT_EQ(FirstByte(dir.File("t.mrk")), "D");
  EXPECT_EQ(recent->GetRecentFileName(1), dir.File("t.mrk").c_str());
}

TEST_F(FileCommandsTest, SaveOfAnUntitledDesignAsksAndAFailedSaveSaysSo) {
  Add({TYPE_LINE});
  g_bModified = 1;
  dialogs.saves.push_back({});
  table.Execute(ID_SAVE);
  EXPECT_EQ(dialogs.requests.back().filter, CString::FromUtf8(kMrkSaveFilter));
  EXPECT_EQ(dialogs.requests.back().defaultExt, "mrk");
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(::access(dir.File("untitled.mrk").c_str(), F_OK), -1);

  // A folder that cannot be written (a plain file stands where it should be, which no rights
  // get around): the message, and the flag and title as they were.
  const std::string locked = dir.Write("locked", "a file, not a folder");
  doc->SetTitle("earlier");
  for (int filter : {1, 2}) {
    dialogs.saves.push_back({locked + "/x.mrk", filter});
    prompter.ExpectMessage(IDOK, U("ファイルの保存に失敗しました"));
    table.Execute(ID_SAVE_AS_NAMED);
    EXPECT_EQ(dialogs.requests.back().initialPath, "earlier");
    EXPECT_EQ(g_bModified, 1);
    EXPECT_EQ(doc->GetTitle(), "earlier");
  }
  EXPECT_EQ(recent->GetCount(), 0);
  prompter.VerifyAllUsed();
}

TEST_F(FileCommandsTest, OnlyFilesThatBeginAsAProjectAreOpened) {
  EXPECT_EQ(MrkFileFormat(dir.Write("d.mrk", "D,1,2\r\n").c_str()), 2);
  EXPECT_EQ(MrkFileFormat(dir.Write("7.mrk", "7,0\r\n").c_str()), 2);
  EXPECT_EQ(MrkFileFormat(dir.Write("m.mrk", "MRK BINARY").c_str()), 1);
  EXPECT_EQ(MrkFileFormat(dir.Write("lower.mrk", "mrk").c_str()), 0);
  EXPECT_EQ(MrkFileFormat(dir.Write("empty.mrk", "").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.File("x.mrk").c_str(), 0600), 0);
  EXPECT_EQ(MrkFileFormat(dir.File("x.mrk").c_str()), 0);  // returns at once: nothing writes to it
  prompter.ExpectMessage(IDOK, U("ファイルの読み込みに失敗しました"));
  EXPECT_EQ(doc->OpenMrkFile(dir.File("x.mrk").c_str(), 0), 0);
  ASSERT_EQ(::mkdir(dir.File("folder.mrk").c_str(), 0700), 0);
  EXPECT_EQ(MrkFileFormat(dir.File("folder.mrk").c_str()), 0);
  EXPECT_EQ(List().GetCount(), 1);
}

TEST_F(FileCommandsTest, DroppedAndNamedPathsAreCleanedUpAndOnlyProjectsOpen) {
  const std::string a = WriteProject("A.MRK", 1);
  const std::string b = WriteProject("b.mrk", 2);
  const std::string c = WriteProject("c.mrk", 3);
  ASSERT_EQ(::symlink(b.c_str(), dir.File("link-to-b").c_str()), 0);
  dir.Write("notes.txt", "D,not a project");
  ASSERT_EQ(::symlink(dir.File("notes.txt").c_str(), dir.File("link-to-txt").c_str()), 0);

  QMimeData drop;
  drop.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)), QUrl("http://example.com/x.mrk"),
                QUrl::fromLocalFile(QString::fromStdString(dir.Path())), QUrl::fromLocalFile(QString::fromStdString(dir.File("link-to-b"))),
                QUrl::fromLocalFile(QString::fromStdString(dir.File("link-to-txt"))),
                QUrl::fromLocalFile(QString::fromStdString(dir.File("notes.txt"))),
                QUrl::fromLocalFile(QString::fromStdString(c))});
  commands->OnDropFiles(drop);
  // a, b (through the link) and c, each inserted, in the order dropped.
  std::string kinds;
  for (int i = 1; i < List().GetCount(); ++i) kinds += std::to_string(List().GetObject(i)->m_nType);
  EXPECT_EQ(kinds, "298" "2298" "22298");
  EXPECT_EQ(recent->GetCount(), 0);
  EXPECT_EQ(doc->GetTitle(), "");  // three files' objects: no one file's name

  // A name the code page cannot hold is refused with a message.
  prompter.ExpectMessage(IDOK, U("ファイル名に使用できない文字"));
  QMimeData accent;
  accent.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.Path()) + QString::fromUtf8("/caf\u00e9.mrk"))});
  commands->OnDropFiles(accent);
  EXPECT_EQ(List().GetCount(), 13);

  // The command line: quoted, and only once the renderer can draw.
  g_bModified = 0;
  doc->OnNewDocument();
  canvas.ready = 0;
  doc->OpenFromCommandLine(("\"" + c + "\"").c_str());
  EXPECT_EQ(List().GetCount(), 1);
  canvas.ready = 1;
  doc->OpenFromCommandLine(("\"" + c + "\"").c_str());
  EXPECT_EQ(List().GetCount(), 6);
  EXPECT_EQ(recent->GetRecentFileName(1), c.c_str());
  doc->OpenFromCommandLine(dir.File("link-to-txt").c_str());
  EXPECT_EQ(List().GetCount(), 6);
  prompter.VerifyAllUsed();
}

TEST_F(FileCommandsTest, AVeryLongPathOpens) {
  std::string folder = dir.Path();
  while (folder.size() < 1500) {
    folder += "/" + std::string(200, 'd');
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  }
  const std::string path = folder + "/long.mrk";
  const std::string source = WriteProject("src.mrk");
  ASSERT_EQ(::rename(source.c_str(), path.c_str()), 0);
  QMimeData drop;
  drop.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  commands->OnDropFiles(drop);
  EXPECT_EQ(List().GetCount(), 4);
}

TEST_F(FileCommandsTest, RecentEntriesShowTheirPathsAndReopen) {
  for (int i = 1; i <= 17; ++i) recent->Add(dir.File("p" + std::to_string(i) + ".mrk").c_str());
  recent->Add(dir.File("p5.mrk").c_str());
  // The menu entries show the paths; a missing file says so and stays in the list.
  table.Action(ID_MRU1);
  table.Action(ID_MRU1 + 15);
  table.UpdateAll();
  EXPECT_EQ(table.FindAction(ID_MRU1)->text(), QString::fromStdString("&1 " + dir.File("p5.mrk")));
  prompter.ExpectMessage(IDOK, U("ファイルが見つかりません"));
  table.Execute(ID_MRU1);
  EXPECT_EQ(recent->GetRecentFileName(1), dir.File("p5.mrk").c_str());

  const std::string real = WriteProject("real.mrk");
  recent->Add(real.c_str());
  recent->Add(dir.File("p9.mrk").c_str());
  table.Execute(ID_MRU1 + 1);
  EXPECT_EQ(List().GetCount(), 4);
  EXPECT_EQ(recent->GetRecentFileName(1), real.c_str());
  prompter.VerifyAllUsed();
}

TEST_F(FileCommandsTest, AnEmptyRecentListShowsOneDisabledPlaceholder) {
  FakeRecentFiles empty;
  doc->SetRecentFiles(&empty);
  QMenu menu;
  table.FillMenu(&menu, MenuTemplate{0, "", {{57601, "open", {}}, {57616, "recent", {}}, {0, "", {}}, {57665, "exit", {}}}});
  QAction* first = table.Action(ID_MRU1);
  QAction* second = table.Action(ID_MRU1 + 1);
  table.UpdateAll();
  EXPECT_EQ(first->text(), QString::fromUtf8("最近使ったﾌｧｲﾙ"));
  EXPECT_FALSE(first->isEnabled());
  EXPECT_FALSE(second->isVisible());
  // The other fifteen entries stand after the first one, before the separator.
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 19);
  for (int n = 0; n < 16; ++n) EXPECT_EQ(actions[1 + n], table.FindAction(57616 + n)) << n;
  EXPECT_TRUE(actions[17]->isSeparator());
  recent->Add(dir.File("one.mrk").c_str());
  recent->Add(dir.File("two.mrk").c_str());
  doc->SetRecentFiles(recent.get());
  table.UpdateAll();
  EXPECT_TRUE(table.FindAction(57617)->isVisible());
  EXPECT_TRUE(table.FindAction(57617)->isEnabled());
  EXPECT_FALSE(table.FindAction(57618)->isVisible());
}

TEST_F(FileCommandsTest, NewAskToSaveAndImageEditingTurnsTheFileEntriesOff) {
  Add({TYPE_LINE});
  g_bModified = 1;
  prompter.ExpectMessage(IDNO, U("保存"));
  table.Execute(ID_NEW);
  EXPECT_EQ(List().GetCount(), 1);
  doc->m_bPaintMode = 1;
  for (UINT id : {ID_NEW, ID_OPEN, ID_INSERT, ID_SAVE_AS_NAMED}) EXPECT_FALSE(Enabled(id)) << id;
  QMimeData drop;
  drop.setUrls({QUrl::fromLocalFile(QString::fromStdString(WriteProject("a.mrk")))});
  commands->OnDropFiles(drop);
  EXPECT_EQ(List().GetCount(), 1);
  doc->m_bPaintMode = 0;
  prompter.VerifyAllUsed();
}

}  // namespace

namespace {

TEST(RecentFileList, KeepsSixteenMovesReopenedUpAndSurvivesARestart) {
  TempDir dir;
  const QString ini = QString::fromStdString(dir.File("recent.ini"));
  CRecentFileList recent(ini);
  for (int i = 1; i <= 17; ++i) recent.Add(dir.File("p" + std::to_string(i) + ".mrk").c_str());
  EXPECT_EQ(recent.GetCount(), 16);
  EXPECT_EQ(recent.GetRecentFileName(1), dir.File("p17.mrk").c_str());
  EXPECT_EQ(recent.GetRecentFileName(16), dir.File("p2.mrk").c_str());  // p1 dropped out
  EXPECT_EQ(recent.GetRecentFileName(17), "");
  recent.Add(dir.File("p5.mrk").c_str());
  EXPECT_EQ(recent.GetRecentFileName(1), dir.File("p5.mrk").c_str());
  EXPECT_EQ(recent.GetRecentFileName(2), dir.File("p17.mrk").c_str());
  EXPECT_EQ(recent.GetCount(), 16);
  CRecentFileList again(ini);
  ASSERT_EQ(again.GetCount(), 16);
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(again.GetRecentFileName(n), recent.GetRecentFileName(n)) << n;
}

}  // namespace
