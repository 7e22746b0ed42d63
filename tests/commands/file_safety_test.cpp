// What the operator has is never lost in silence: failed opens, partial loads, text-format saves,
// drops, the clipboard and the file a save replaces.
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

#include "app/korvane_app.h"
#include "commands_fixture.h"
#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "platform/archive.h"

namespace {

constexpr UINT ID_NEW = 57600, ID_OPEN = 57601, ID_SAVE = 32851, ID_SAVE_AS = 32852;

class FileSafetyTest : public CommandsTest {
 protected:
  // A binary project of another document: a circle, a QR Code and an image.
  std::string WriteBinary(const std::string& name) {
    CObjectList other;
    other.Initialize();
    other.AddCircle(nullptr, TRUE, TRUE)->m_dPosX = 5.0;
    other.AddBarcode(nullptr, TRUE, TRUE)->m_strText = "QR-TEXT";
    other.AddBmpFromImage(MonoBmpFile::Create(40, 16));
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
    return dir.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  // A text project: a line, a bitmap that follows `image`, a circle.
  std::string WriteText(const std::string& name, const std::string& image) {
    std::vector<BYTE> pixels = MonoBmpFile::Create(24, 8);
    EXPECT_TRUE(fileio::WriteAtomically(image, pixels.data(), pixels.size()));
    CObjectList other;
    other.Initialize();
    other.AddLine(nullptr, TRUE, TRUE)->m_dPosX = 2.0;
    other.AddBmpFromImage(pixels)->m_strPath = image.c_str();
    other.AddCircle(nullptr, TRUE, TRUE)->m_dPosX = 7.0;
    CMrkTextFile file(CMrkTextFile::modeWrite);
    file.FormatList(other);
    const std::vector<BYTE> bytes = file.GetBytes();
    return dir.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string Kinds() {
    std::string kinds;
    for (int i = 1; i < List().GetCount(); ++i) kinds += std::to_string(List().GetObject(i)->m_nType);
    return kinds;
  }
  std::string LastMessage() { return prompter.Log().empty() ? std::string() : prompter.Log().back().text.str(); }
};

TEST_F(FileSafetyTest, EveryFailedOpenSaysSoAndTheOpenProjectSavesByteIdentical) {
  const std::string project = WriteBinary("project.mrk");
  const std::string original = TempDir::Read(project);
  prompter.ExpectFile(project.c_str());
  table.Execute(ID_OPEN);
  ASSERT_EQ(Kinds(), "298");

  std::string cut = original;
  cut.resize(cut.size() - 7);
  std::vector<std::string> damaged = {
      dir.Write("empty.mrk", ""),
      dir.Write("notes.mrk", "Shopping list\nmilk\n"),
      dir.Write("hash.mrk", "#!/bin/sh\n"),
      dir.Write("cut.mrk", cut),
      dir.Write("garbage.mrk", "M" + std::string(300, '\x7f')),
  };
  // A text project past the size limit, sparse so the test stays cheap.
  const std::string huge = dir.Write("huge.mrk", "1,1,1\r\n");
  ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(CMrkTextFile::kMaxFileSize) + 1), 0);
  damaged.push_back(huge);

  for (int modified : {0, 1}) {
    g_bModified = modified;
    for (const std::string& path : damaged) {
      SCOPED_TRACE(path);
      // No save question either: the file is refused before the design is offered up.
      prompter.ExpectFile(path.c_str()).ExpectMessage(IDOK, U("ファイルの読み込みに失敗しました"));
      EXPECT_EQ(table.Execute(ID_OPEN), TRUE);
      prompter.VerifyAllUsed();
      EXPECT_NE(LastMessage().find(path), std::string::npos);
      EXPECT_EQ(prompter.Log().back().flags, MB_OK | MB_ICONERROR);
      EXPECT_EQ(Kinds(), "298");
      EXPECT_EQ(doc->GetTitle(), project.c_str());
      EXPECT_EQ(g_bModified, modified);
      EXPECT_EQ(recent->GetRecentFileName(1), project.c_str());
    }
  }
  table.Execute(ID_SAVE);
  EXPECT_EQ(TempDir::Read(project), original);
}

TEST_F(FileSafetyTest, ATextProjectWithLfLineEndsOpensLikeItsCrLfTwin) {
  const std::string crlf = WriteText("crlf.mrk", dir.File("logo.bmp"));
  std::string text = TempDir::Read(crlf);
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  const std::string lf = dir.Write("lf.mrk", text);
  prompter.ExpectFile(lf.c_str()).ExpectMessage(IDNO, U("Drawing"));
  table.Execute(ID_OPEN);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Kinds(), "082");
  EXPECT_EQ(doc->GetTitle(), lf.c_str());
  // Saved again, the file gets CR LF line ends: its CR LF twin, byte for byte.
  table.Execute(ID_SAVE);
  EXPECT_EQ(TempDir::Read(lf), TempDir::Read(crlf));
}

TEST_F(FileSafetyTest, APartialLoadNamesWhatIsMissingAndSaveAsksBeforeOverwriting) {
  const std::string image = dir.File("images/logo.bmp");
  ASSERT_EQ(::mkdir(dir.File("images").c_str(), 0700), 0);
  const std::string path = WriteText("parts.mrk", image);
  const std::string before = TempDir::Read(path);
  ASSERT_TRUE(fileio::Remove(image));

  prompter.ExpectFile(path.c_str()).ExpectMessage(IDNO, U("Drawing")).ExpectMessage(IDOK, U("ビットマップ bmp1"));
  table.Execute(ID_OPEN);
  prompter.VerifyAllUsed();
  EXPECT_NE(LastMessage().find(image), std::string::npos) << LastMessage();
  EXPECT_EQ(Kinds(), "02");
  EXPECT_EQ(doc->GetTitle(), path.c_str());
  EXPECT_EQ(g_bModified, 1);
  // The circle keeps the name it had: the lost bitmap used up "bmp1" only.
  EXPECT_STREQ(List().GetObject(2)->GetName(), "circle1");

  // Cancel: nothing written. No: Save As (cancelled here). Yes: overwritten without the bitmap.
  prompter.ExpectMessage(IDCANCEL, U("読み込めなかったデータ"));
  table.Execute(ID_SAVE);
  EXPECT_EQ(TempDir::Read(path), before);
  prompter.ExpectMessage(IDNO, U("読み込めなかったデータ"));
  dialogs.saves.push_back({});
  table.Execute(ID_SAVE);
  EXPECT_EQ(dialogs.requests.back().initialPath, path.c_str());
  EXPECT_EQ(TempDir::Read(path), before);
  EXPECT_EQ(g_bModified, 1);
  prompter.ExpectMessage(IDYES, U("読み込めなかったデータ"));
  table.Execute(ID_SAVE);
  EXPECT_NE(TempDir::Read(path), before);
  EXPECT_EQ(g_bModified, 0);
  // Once written, the file is the design: the next Save asks nothing.
  table.Execute(ID_SAVE);
  prompter.VerifyAllUsed();
}

TEST_F(FileSafetyTest, ARecordCutShortAtTheEndIsNamedAndLeftOut) {
  const std::string whole = WriteText("whole.mrk", dir.File("logo.bmp"));
  std::string text = TempDir::Read(whole);
  text.resize(text.size() - 12);  // into the circle's last fields
  const std::string path = dir.Write("cut.mrk", text);
  prompter.ExpectFile(path.c_str()).ExpectMessage(IDNO, U("Drawing")).ExpectMessage(IDOK, U("円形 circle1"));
  table.Execute(ID_OPEN);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Kinds(), "08");
  EXPECT_EQ(g_bModified, 1);
}

TEST_F(FileSafetyTest, ATextSaveSaysWhatItCannotKeepAndOffersTheBinaryFormat) {
  Add({TYPE_LINE, TYPE_BARCODE});
  const std::string text = dir.File("t.mrk");
  const std::string binary = dir.File("b.mrk");
  // Save As with the text filter. Cancel: nothing written.
  dialogs.saves.push_back({text, 2});
  prompter.ExpectMessage(IDCANCEL, U("barcode1"));
  table.Execute(ID_SAVE_AS);
  EXPECT_FALSE(fileio::Exists(text));
  // No: the text file without the QR Code.
  dialogs.saves.push_back({text, 2});
  prompter.ExpectMessage(IDNO, U("barcode1"));
  table.Execute(ID_SAVE_AS);
  EXPECT_EQ(TempDir::Read(text).substr(0, 2), "D,");
  EXPECT_EQ(doc->GetTitle(), text.c_str());
  // Save keeps the text format and asks again. Yes: Save As, only the binary format offered.
  dialogs.saves.push_back({binary, 1});
  prompter.ExpectMessage(IDYES, U("barcode1"));
  table.Execute(ID_SAVE);
  EXPECT_EQ(dialogs.requests.back().filter, CString::FromUtf8(kMrkOpenFilter));
  EXPECT_EQ(TempDir::Read(binary).substr(0, 1), "M");
  EXPECT_EQ(doc->GetTitle(), binary.c_str());
  prompter.VerifyAllUsed();
}

TEST_F(FileSafetyTest, SeveralDroppedFilesLeaveTheDesignUntitled) {
  const std::string a = WriteBinary("a.mrk");
  const std::string b = WriteBinary("b.mrk");
  QMimeData one;
  one.setUrls({QUrl::fromLocalFile(QString::fromStdString(a))});
  commands->OnDropFiles(one);
  EXPECT_EQ(doc->GetTitle(), a.c_str());  // exactly that file's objects
  commands->OnDropFiles(one);
  EXPECT_EQ(doc->GetTitle(), "");
  doc->OnNewDocument();
  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)), QUrl::fromLocalFile(QString::fromStdString(b))});
  commands->OnDropFiles(two);
  EXPECT_EQ(Kinds(), "298298");
  EXPECT_EQ(doc->GetTitle(), "");
  // Save runs Save As; a and b stay as they were.
  const std::string bytes = TempDir::Read(a);
  dialogs.saves.push_back({});
  table.Execute(ID_SAVE);
  EXPECT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(TempDir::Read(a), bytes);
}

TEST_F(FileSafetyTest, NewAndOpenLeaveAnotherProgramsClipboardText) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("lot 42 from the spreadsheet"));
  ASSERT_EQ(clipboard->text(), QStringLiteral("lot 42 from the spreadsheet"));
  Add({TYPE_LINE});
  g_bModified = 0;
  table.Execute(ID_NEW);
  EXPECT_EQ(clipboard->text(), QStringLiteral("lot 42 from the spreadsheet"));
  const std::string a = WriteBinary("a.mrk");
  prompter.ExpectFile(a.c_str());
  table.Execute(ID_OPEN);
  EXPECT_EQ(Kinds(), "298");
  EXPECT_EQ(clipboard->text(), QStringLiteral("lot 42 from the spreadsheet"));
  // The program's own block is still cleared: it names objects of the design that is gone.
  auto* mime = new QMimeData;
  mime->setData(OBJECT_CLIPBOARD_MIME, QByteArray("\x01\x00\x00\x00", 4));
  clipboard->setMimeData(mime);
  table.Execute(ID_NEW);
  const QMimeData* left = clipboard->mimeData();
  EXPECT_TRUE(!left || !left->hasFormat(OBJECT_CLIPBOARD_MIME));
}

TEST_F(FileSafetyTest, SaveRespectsTheFileItReplaces) {
  const std::string project = WriteBinary("project.mrk");
  prompter.ExpectFile(project.c_str());
  table.Execute(ID_OPEN);
  Add({TYPE_LINE});
  const std::string before = TempDir::Read(project);

  // Read-only: refused with the save-failure message, the file and the flag as they were.
  ASSERT_EQ(::chmod(project.c_str(), 0444), 0);
  prompter.ExpectMessage(IDOK, U("ファイルの保存に失敗しました"));
  table.Execute(ID_SAVE);
  prompter.VerifyAllUsed();
  EXPECT_EQ(TempDir::Read(project), before);
  EXPECT_EQ(g_bModified, 1);
  ASSERT_EQ(::chmod(project.c_str(), 0644), 0);

  // Files named like temporaries stay, even of the exact shape: only the writer's own marked
  // leftovers go (tests/files).
  const std::string left = dir.Write("project.mrk.tmpAb12Cd", std::string(1000, 'x'));
  const std::string alike = dir.Write("project.mrk.tmp-notes", "mine");
  table.Execute(ID_SAVE);
  EXPECT_NE(TempDir::Read(project), before);
  EXPECT_TRUE(fileio::Exists(left));
  EXPECT_TRUE(fileio::Exists(alike));

  // A link: saved through to its target, and the link stays a link.
  const std::string link = dir.File("shared.mrk");
  ASSERT_EQ(::symlink(project.c_str(), link.c_str()), 0);
  prompter.ExpectFile(link.c_str());
  table.Execute(ID_OPEN);
  Add({TYPE_CIRCLE});
  table.Execute(ID_SAVE);
  struct stat st{};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Kinds(), "29802");
  doc->OnNewDocument();
  ASSERT_EQ(doc->OpenMrkFile(project.c_str(), 1), 1);
  EXPECT_EQ(Kinds(), "29802");
  prompter.VerifyAllUsed();
}

TEST_F(FileSafetyTest, AFailedSaveAtTheSaveQuestionSaysSoAndKeepsTheDesign) {
  Add({TYPE_LINE});
  g_bModified = 1;
  const std::string locked = dir.Write("locked", "a file, not a folder");
  prompter.ExpectMessage(IDYES, U("データを保存しますか"));
  dialogs.saves.push_back({locked + "/x.mrk", 1});
  prompter.ExpectMessage(IDOK, U("ファイルの保存に失敗しました"));
  table.Execute(ID_NEW);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Kinds(), "0");
  EXPECT_EQ(g_bModified, 1);
}

TEST(CommandLineOpen, ANameTheCodePageCannotHoldIsNoOpenRequest) {
  CString request;
  BOOL debug = FALSE;
  BOOL unholdable = FALSE;
  CKorvaneApp::ParseCommandLine({QStringLiteral("/home/op/caf\u00e9.mrk")}, request, debug, &unholdable);
  EXPECT_TRUE(request.IsEmpty());
  EXPECT_TRUE(unholdable);
  CKorvaneApp::ParseCommandLine({QStringLiteral("/home/op/cafe.mrk")}, request, debug, &unholdable);
  EXPECT_EQ(request, "/home/op/cafe.mrk");
  EXPECT_FALSE(unholdable);
}

}  // namespace
