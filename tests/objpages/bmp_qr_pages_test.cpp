// The bitmap page and the QR Code page.
#include <fstream>

#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "pages_fixture.h"
#include "res/dialog_145.h"
#include "res/dialog_281.h"

namespace {

// The message texts are code page 932, as the prompter gets them.
std::string U(const char* utf8) { return CString::FromUtf8(utf8).str(); }

class BmpQrPages : public PagesTest {
 protected:
  int AddBitmap(int width, int height) {
    CBmpObject* b = List().AddBmpFromImage(MonoBmpFile::Create(width, height));
    EXPECT_NE(b, nullptr);
    const int index = List().GetCount() - 1;
    Select(index);
    return index;
  }
};

TEST_F(BmpQrPages, TheBitmapPageShowsStyleToneAndResetsItsSliders) {
  using namespace dlg145;
  const int i = AddBitmap(80, 40);
  At<CBmpObject>(i)->m_bInvert = 1;
  At<CBmpObject>(i)->m_nStretchMode = 0;
  Driven<CPageBMP> d;
  Show(d.page, d.host);
  EXPECT_EQ(d.host.GetCheck(IDC_STYLE_INVERT), 1);
  EXPECT_EQ(d.host.GetCheck(IDC_STYLE_NORMAL), 0);
  EXPECT_EQ(d.host.GetCheck(IDC_TONE_1), 1);
  EXPECT_EQ(d.host.GetText(IDC_TONE_1, 0).str(), "");
  EXPECT_EQ(Text(d.host, IDC_TONE_1), "1");
  d.host.Click(IDC_STYLE_NORMAL);
  EXPECT_EQ(At<CBmpObject>(i)->m_bInvert, 0);
  d.host.Click(IDC_TONE_3);
  EXPECT_EQ(At<CBmpObject>(i)->m_nStretchMode, 2);

  EXPECT_EQ(d.host.m_slider[IDC_GRADATION_1].max, 7);
  EXPECT_EQ(d.host.m_slider[IDC_GRADATION_2].freq, 1);
  EXPECT_FALSE(d.host.IsWindowVisible(IDC_GRADATION_1));
  d.host.ReleaseSlider(d.page, IDC_GRADATION_1, 5);
  EXPECT_EQ(At<CBmpObject>(i)->m_nTone, 5);
  d.page.OnSetActive();
  EXPECT_EQ(d.host.GetSliderPos(IDC_GRADATION_1), 0);
}

TEST_F(BmpQrPages, HalvingTheWidthHalvesTheHeightWithKeepAspect) {
  using namespace dlg145;
  const int i = AddBitmap(80, 40);
  At<CBmpObject>(i)->m_dWidth = 20;
  At<CBmpObject>(i)->m_dHeight = 8;
  At<CBmpObject>(i)->m_bKeepAspect = 1;
  Driven<CPageBMP> d;
  Show(d.page, d.host);
  d.host.Paste(IDC_SIZE_X, "10");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 4.000");
  EXPECT_DOUBLE_EQ(At<CBmpObject>(i)->m_dHeight, 4.0);
}

TEST_F(BmpQrPages, EditImageArmsTimerThreeAndChangeImageRefillsTheSize) {
  using namespace dlg145;
  const int i = AddBitmap(80, 40);
  Driven<CPageBMP> d;
  Show(d.page, d.host);
  d.host.Click(IDC_EDIT_IMAGE);
  ASSERT_EQ(frame.timers.size(), 1u);
  EXPECT_EQ(frame.timers[0], std::make_pair(3u, 100u));

  const std::vector<BYTE> image = MonoBmpFile::Create(400, 200);  // 10 x 5 mm at 40 dots per mm
  const std::string path = dir.Write("other.bmp", std::string(image.begin(), image.end()));
  prompter.ExpectFile(CString(path));
  d.host.Click(IDC_CHANGE_IMAGE);
  EXPECT_DOUBLE_EQ(At<CBmpObject>(i)->m_dWidth, 10.0);
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 10.000");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 5.000");
  // The next step starts from the new size.
  d.host.SpinClick(IDC_SPIN_SIZE_X, 1);
  EXPECT_NEAR(At<CBmpObject>(i)->m_dWidth, 10.0 + doc->GetMoveStep(), 1e-9);
}

TEST_F(BmpQrPages, TheQrPageShowsItsObjectAndSendsEveryControl) {
  using namespace dlg281;
  const int i = Add(TYPE_BARCODE);
  auto* b = At<CBarcodeObject>(i);
  b->m_nLevel = 3;
  b->m_strText = CString("HELLO");
  Driven<CPageQR> d;
  d.page.AttachHost(&d.host);
  d.page.OnInitDialog();
  ASSERT_EQ(d.host.GetCount(IDC_LEVEL), 4);
  EXPECT_EQ(d.host.GetText(IDC_LEVEL, 3).str(), " H (30%)");
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), 1);  // the first fill
  d.page.OnSetActive();
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), 3);
  EXPECT_EQ(Text(d.host, IDC_TEXT), "HELLO");
  EXPECT_FALSE(d.host.IsWindowVisible(IDC_VERSION));

  const std::string sizeY = Text(d.host, IDC_SIZE_Y);
  d.host.Paste(IDC_SIZE_X, "25");
  EXPECT_DOUBLE_EQ(At<CBarcodeObject>(i)->m_dSizeX, 25.0);
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), sizeY);
  d.host.SpinClick(IDC_SPIN_ROWS, 1);
  EXPECT_EQ(At<CBarcodeObject>(i)->m_nRows, 2);
  d.host.Paste(IDC_COLUMN_GAP, "2.5");
  EXPECT_DOUBLE_EQ(At<CBarcodeObject>(i)->m_dColumnGap, 2.5);
  d.host.ChooseRow(IDC_LEVEL, 0);
  EXPECT_EQ(At<CBarcodeObject>(i)->m_nLevel, 0);

  d.host.Paste(IDC_TEXT, "QR 2");
  EXPECT_EQ(At<CBarcodeObject>(i)->m_strText.str(), "HELLO");
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(At<CBarcodeObject>(i)->m_strText.str(), "QR 2");
  EXPECT_EQ(static_cast<CBarcodeObject*>(List().GetPrototype(TYPE_BARCODE))->m_strText.str(), "QR 2");

  // Refused with a word: empty, and one byte more than version 40 holds at the level; the edit
  // shows the kept text.
  d.host.Paste(IDC_TEXT, "");
  prompter.ExpectMessage(IDOK, U("QR コードの文字列は空にできません").c_str());
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(Text(d.host, IDC_TEXT), "QR 2");
  d.host.Paste(IDC_TEXT, CString(std::string(2954, 'a')));
  prompter.ExpectMessage(IDOK, U("入力した文字列 (2954 バイト) は誤り訂正レベル L の QR コードに入りません (最大 2953 バイト)").c_str());
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(Text(d.host, IDC_TEXT), "QR 2");
  EXPECT_EQ(At<CBarcodeObject>(i)->m_strText.str(), "QR 2");
  prompter.VerifyAllUsed();
}

TEST_F(BmpQrPages, ALevelOutsideTheListLeavesTheComboEmptyAndASecondBarcodeRefills) {
  using namespace dlg281;
  const int a = Add(TYPE_BARCODE);
  const int b = Add(TYPE_BARCODE);
  At<CBarcodeObject>(a)->m_nLevel = 7;
  At<CBarcodeObject>(b)->m_strText = CString("SECOND");
  At<CBarcodeObject>(b)->m_dPosY = 4;
  Select(a);
  Driven<CPageQR> d;
  Show(d.page, d.host);
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), CB_ERR);
  Select(b);
  d.page.OnSetActive();
  EXPECT_EQ(Text(d.host, IDC_TEXT), "SECOND");
  EXPECT_EQ(Text(d.host, IDC_OFFSET_Y), " 4.000");
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), At<CBarcodeObject>(b)->m_nLevel);
}

// A level at which the text fits no symbol would leave the code out of picture and output.
TEST_F(BmpQrPages, ALevelAtWhichTheTextFitsNoSymbolIsRefusedAndTheComboShowsTheKeptOne) {
  using namespace dlg281;
  const int i = Add(TYPE_BARCODE);
  Driven<CPageQR> d;
  Show(d.page, d.host);
  d.host.ChooseRow(IDC_LEVEL, 0);
  // 1,500 letters in byte mode: version 40 holds 2,953 at L, 2,331 at M, 1,273 at H.
  const std::string letters(1500, 'a');
  d.host.Paste(IDC_TEXT, CString(letters));
  d.host.Click(IDC_CONFIRM);
  ASSERT_EQ(At<CBarcodeObject>(i)->m_strText.str(), letters);

  prompter.ExpectMessage(IDOK, U("文字列 (1500 バイト) は誤り訂正レベル H の QR コードに入りません (最大 1273 バイト)").c_str());
  d.host.ChooseRow(IDC_LEVEL, 3);
  prompter.VerifyAllUsed();
  EXPECT_EQ(At<CBarcodeObject>(i)->m_nLevel, 0);
  EXPECT_EQ(static_cast<CBarcodeObject*>(List().GetPrototype(TYPE_BARCODE))->m_nLevel, 0);
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), 0);
  EXPECT_EQ(doc->SetIntProperty(IDC_LEVEL, 3), 0);  // through the setter alike
  EXPECT_EQ(doc->m_nReplyInt, 0);
  // A level that still holds the text is taken.
  d.host.ChooseRow(IDC_LEVEL, 1);
  EXPECT_EQ(At<CBarcodeObject>(i)->m_nLevel, 1);
  EXPECT_EQ(d.host.GetCurSel(IDC_LEVEL), 1);
}

}  // namespace
