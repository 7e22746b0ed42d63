// Seal masks, the conversion of seal texts into images through the real canvas view, and the
// import of a seal-design program's data folder.
#include <filesystem>
#include <fstream>

#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/textobject.h"
#include "seal/seal_parts.h"
#include "seal/seal_property.h"
#include "seal_fixture.h"

namespace {

TEST_F(SealTest, MaskSwitchesColourAndOrder) {
  doc->ToggleSealMask();
  EXPECT_EQ(doc->m_bMaskFlag, 1);
  EXPECT_EQ(doc->m_Settings.Mask.Use, 1);  // the saved switch is the same value
  doc->ToggleSealMask();
  EXPECT_EQ(doc->m_Settings.Mask.Use, 0);
  EXPECT_EQ(form.hints, (std::vector<int>{HINT_REDRAW_ALL, HINT_REDRAW_ALL}));

  doc->m_Settings.Mask.Color = 0x123456;
  prompter.ExpectColour(false);
  doc->ChooseMaskColor();
  EXPECT_EQ(doc->m_Settings.Mask.Color, 0x123456);
  prompter.ExpectColour(true, RGB(255, 0, 0));
  doc->ChooseMaskColor();
  EXPECT_EQ(doc->m_Settings.Mask.Color, static_cast<int>(RGB(255, 0, 0)));
  doc->SetMaskOrder(1);
  EXPECT_EQ(doc->m_Settings.Mask.Order, 1);
  form.hints.clear();
  doc->SetMaskFlag(1, 1);
  EXPECT_EQ(doc->m_bInnerMaskFlag, 1);
  EXPECT_TRUE(form.hints.empty());
  prompter.VerifyAllUsed();
  // A new seal starts unmasked.
  BuildPersonal(0, 18, 18, 0, {U("山")});
  EXPECT_EQ(doc->m_bInnerMaskFlag, 0);
}

long InkCount(const CBmpObject* bmp) {
  const int w = MonoBmpFile::Width(bmp->GetImage());
  const int h = MonoBmpFile::Height(bmp->GetImage());
  const int stride = static_cast<int>(MonoBmpFile::Stride(w));
  long ink = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!((bmp->GetImage()[MonoBmpFile::kHeaderSize + y * stride + x / 8] >> (7 - x % 8)) & 1)) ++ink;
  return ink;
}

TEST_F(SealTest, PersonalInnerTextBecomesOneClippedImage) {
  doc->m_Settings.DrawingArea.DPM = 20;  // the clip is in image pixels whatever the resolution
  BuildPersonal(2, 20, 16, 0, {U("山田")}, 2.0);
  doc->ConvertInnerTextToImage(0);
  EXPECT_TRUE(LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1).empty());
  auto images = LivePart(SEAL_PART_INNER_TEXT, TYPE_BMP);
  ASSERT_EQ(images.size(), 1u);
  auto* bmp = static_cast<CBmpObject*>(images[0]);
  EXPECT_EQ(CString(bmp->GetName()), U("内文字 (画像 オブジェクト)"));
  EXPECT_EQ(bmp->m_nSealPart, 4);
  EXPECT_EQ(bmp->m_Clip.nShape, 5);
  EXPECT_DOUBLE_EQ(bmp->m_Clip.dWidth, 800);
  EXPECT_DOUBLE_EQ(bmp->m_Clip.dHeight, 640);
  EXPECT_DOUBLE_EQ(bmp->m_Clip.dRadius, 160);
  EXPECT_EQ(MonoBmpFile::Width(bmp->GetImage()), 800);
  const long ink = InkCount(bmp);
  EXPECT_GT(ink, 1000);  // the characters are there
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(doc->m_nCurrentIndex, 0);
  EXPECT_EQ(doc->m_nLastAction, HINT_SEAL_TEXT_TO_IMAGE);
  // Again with no text left: the (possibly retouched) image stays.
  const int count = List().GetCount();
  doc->ConvertInnerTextToImage(0);
  EXPECT_EQ(List().GetCount(), count);
  EXPECT_FALSE(bmp->m_bDeleted);
}

TEST_F(SealTest, CorporateConversionsClipToTheInnerFrame) {
  BuildCorporate(U("株式会社山田商事"), U("代表 印"));
  doc->ConvertInnerTextToImage(1);
  auto inner = LivePart(SEAL_PART_INNER_TEXT, TYPE_BMP);
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(static_cast<CBmpObject*>(inner[0])->m_Clip.nShape, 1);
  EXPECT_DOUBLE_EQ(static_cast<CBmpObject*>(inner[0])->m_Clip.dWidth, 18 * 40);
  doc->ConvertRingTextToImage();
  auto ring = LivePart(SEAL_PART_RING_TEXT);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_EQ(ring[0]->m_nType, TYPE_BMP);
  EXPECT_EQ(CString(ring[0]->GetName()), U("廻文字 (画像 オブジェクト)"));
  EXPECT_GT(InkCount(static_cast<CBmpObject*>(ring[0])), 1000);
  const int count = List().GetCount();
  doc->ConvertRingTextToImage();  // nothing left to convert
  EXPECT_EQ(List().GetCount(), count);
  EXPECT_FALSE(ring[0]->m_bDeleted);
}

TEST_F(SealTest, InnerFrameClipWithoutAFrameChangesNothing) {
  BuildPersonal(0, 18, 18, 0, {U("山")});
  const int count = List().GetCount();
  doc->ConvertInnerTextToImage(1);
  EXPECT_EQ(List().GetCount(), count);
  ImageClipShape clip;
  clip.nShape = 7;
  doc->SetInnerImageClip(1, &clip);
  EXPECT_EQ(clip.nShape, 7);
}

// ---------------------------------------------------------------------------------------------
// Import

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(SealProperties, KeysCommentsUnitsAndCase) {
  auto p = ParseSealProperties(Bytes("Width: 24.0 [mm]\r\nheight:24\ntype: 2\nfstate: 1\nfsize: 0.8\n"));
  EXPECT_DOUBLE_EQ(p.width, 24);
  EXPECT_DOUBLE_EQ(p.height, 24);
  EXPECT_EQ(p.type, 2);
  EXPECT_EQ(p.fstate, 1);
  EXPECT_DOUBLE_EQ(p.fsize, 0.8);
  auto q = ParseSealProperties(Bytes("#width: 9\nWIDTH: 12\nnothing here\n##\nheight: 5\n"));
  EXPECT_DOUBLE_EQ(q.width, 12);
  EXPECT_FALSE(q.hasHeight);
  // A long line is cut at 1999 bytes, never inside a double-byte character.
  std::string longLine = "width: 7" + std::string(1990, ' ') + "\x88\x9f" + "height: 3\n";
  auto r = ParseSealProperties(Bytes(longLine));
  EXPECT_DOUBLE_EQ(r.width, 7);
  EXPECT_FALSE(r.hasHeight);
}

class SealImport : public SealTest {
 protected:
  std::string Folder(const std::string& property, const std::string& scanName = "scan.bmp",
                     std::vector<BYTE> image = MonoBmpFile::Create(96, 96)) {
    const std::string folder = dir.File("seal");
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/property.txt", std::ios::binary) << property;
    if (!scanName.empty())
      std::ofstream(folder + "/" + scanName, std::ios::binary)
          .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return folder;
  }
  const CDrawingAreaObject& Area() { return *List().GetDrawingObject()->m_pArea; }
};

TEST_F(SealImport, RoundSealBecomesAreaAndImage) {
  prompter.ExpectFolder(CString(Folder("Width: 24.0 [mm]\nheight:24\ntype: 2\nfstate: 1\nfsize: 0.8\n")));
  doc->ImportSealFolder();
  EXPECT_EQ(Area().m_nOutlineStyle, 1);
  EXPECT_DOUBLE_EQ(Area().m_dWidth, 24);
  EXPECT_DOUBLE_EQ(doc->m_Settings.DrawingArea.FrameSize, 0.8);
  auto live = Live();
  ASSERT_EQ(live.size(), 1u);
  ASSERT_EQ(live[0]->m_nType, TYPE_BMP);
  EXPECT_DOUBLE_EQ(static_cast<CBmpObject*>(live[0])->m_dWidth, 24);
  EXPECT_DOUBLE_EQ(static_cast<CBmpObject*>(live[0])->m_dHeight, 24);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  EXPECT_EQ(doc->m_pCurrentObject, live[0]);
  EXPECT_EQ(doc->m_nSealMode, 0);
  prompter.VerifyAllUsed();
}

TEST_F(SealImport, RoundedFrameUsesTheRoundedShapeAndUpperCaseNames) {
  const std::string folder = Folder("width:20\nheight:10\ntype:0\nfstate:2\nfsize:1.5\n", "SCAN.BMP");
  prompter.ExpectFolder(CString(folder));
  doc->ImportSealFolder();
  EXPECT_EQ(Area().m_nOutlineStyle, 5);
  EXPECT_DOUBLE_EQ(Area().m_dFrameWidth, 1.5);
  EXPECT_DOUBLE_EQ(Area().m_dCornerRadius, 3);
  EXPECT_EQ(Live().size(), 1u);
}

TEST_F(SealImport, RefusalsChangeNothing) {
  auto* line = List().AddLine(nullptr, TRUE, TRUE);
  (void)line;
  // No scan.bmp; then no width; then a colour image.
  prompter.ExpectFolder(CString(Folder("width:20\nheight:20\n", "")))
      .ExpectMessage(IDOK, U("適切な印鑑作成ソフトフォルダではありません").str().c_str());
  doc->ImportSealFolder();
  std::filesystem::remove_all(dir.File("seal"));
  prompter.ExpectFolder(CString(Folder("height:20\nwidth: abc\n"))).ExpectMessage(IDOK);
  doc->ImportSealFolder();
  std::filesystem::remove_all(dir.File("seal"));
  std::vector<BYTE> colour(54 + 4, 0);
  colour[0] = 'B';
  colour[1] = 'M';
  colour[2] = 58;
  colour[10] = 54;
  colour[14] = 40;
  colour[18] = 1;
  colour[22] = 1;
  colour[26] = 1;
  colour[28] = 24;
  prompter.ExpectFolder(CString(Folder("width:20\nheight:20\n", "scan.bmp", colour))).ExpectMessage(IDOK);
  doc->ImportSealFolder();
  prompter.ExpectFolder("");  // cancelled: no message
  doc->ImportSealFolder();
  EXPECT_EQ(List().GetCount(), 2);
  EXPECT_DOUBLE_EQ(Area().m_dWidth, 40);
  prompter.VerifyAllUsed();
  ASSERT_GE(prompter.Log().size(), 6u);
  EXPECT_NE(prompter.Log()[5].text.ToUtf8().find("モノクロ"), std::string::npos);
  EXPECT_EQ(prompter.Log()[0].text, U("印鑑作成ソフトのデータフォルダを指定してください"));
  EXPECT_EQ(prompter.Log()[1].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
}

// A frame of no width, or one that meets itself across the seal, would engrave nothing or the
// whole seal area solid.
TEST_F(SealImport, AFrameWidthThatIsNotABandInsideTheSealIsRefused) {
  List().AddLine(nullptr, TRUE, TRUE);
  g_bModified = 0;
  const CString message = U("適切な印鑑作成ソフトフォルダではありません");
  // The message names the file and the width as the file writes it.
  const std::pair<const char*, const char*> refused[] = {
      {"width:20\nheight:10\ntype:0\nfstate:1\nfsize:1e300\n", "\"1e300\""},
      {"width:20\nheight:10\ntype:0\nfstate:2\nfsize:5\n", "\"5\""},
      {"width:24\nheight:24\ntype:2\nfstate:1\nfsize:0\n", "\"0\""},
      {"width:24\nheight:24\ntype:3\nfstate:1\nfsize:-2 [mm]\n", "\"-2\""},
      {"width:24\nheight:24\ntype:3\nfstate:1\nfsize:NaN\n", "\"NaN\""},
      {"width:20\nheight:10\ntype:0\nfstate:1\n", "(なし)"}};
  for (const auto& [property, value] : refused) {
    SCOPED_TRACE(property);
    prompter.ExpectFolder(CString(Folder(property))).ExpectMessage(IDOK, message.str().c_str());
    doc->ImportSealFolder();
    const std::string told = prompter.Log().back().text.ToUtf8();
    EXPECT_NE(told.find(dir.File("seal") + "/property.txt"), std::string::npos) << told;
    EXPECT_NE(told.find(std::string("(fsize) ") + value + " mm"), std::string::npos) << told;
    std::filesystem::remove_all(dir.File("seal"));
    EXPECT_EQ(List().GetCount(), 2);
    EXPECT_EQ(List().GetObject(1)->m_nType, TYPE_LINE);
    EXPECT_DOUBLE_EQ(Area().m_dWidth, 40);
    EXPECT_EQ(g_bModified, 0);
  }
  // Without a frame the width is not used; a band just inside the seal is taken.
  prompter.ExpectFolder(CString(Folder("width:20\nheight:10\ntype:0\nfstate:0\nfsize:1e300\n")));
  doc->ImportSealFolder();
  EXPECT_DOUBLE_EQ(Area().m_dFrameWidth, 0);
  std::filesystem::remove_all(dir.File("seal"));
  g_bModified = 0;
  prompter.ExpectFolder(CString(Folder("width:20\nheight:10\ntype:0\nfstate:1\nfsize:4.9\n")));
  doc->ImportSealFolder();
  EXPECT_DOUBLE_EQ(Area().m_dFrameWidth, 4.9);
  prompter.VerifyAllUsed();
}

}  // namespace
