// The defaults archive: its bytes, a full round trip, and damaged archives that must leave the
// built-in prototypes alone.
#include <algorithm>
#include <cstring>

#include "doc_fakes.h"

namespace {

std::vector<std::uint8_t> ArchiveBytes(CKorvaneDoc& doc) {
  CArchive ar;
  doc.Serialize(ar);
  return ar.Buffer();
}

template <class T>
T& Proto(CKorvaneDoc& doc, int kind) {
  return *static_cast<T*>(doc.GetObjectList()->GetPrototype(kind));
}

// Gives every archived field of every prototype a value that differs from its default.
void ChangeEveryPrototype(CKorvaneDoc& doc) {
  auto& line = Proto<CLineObject>(doc, TYPE_LINE);
  line.m_dPosX = 1.5; line.m_dPosY = -2.5; line.m_dWidth = 33.0; line.m_dHeight = 0.5; line.m_dAngle = 45.0;
  line.m_nRows = 2; line.m_nColumns = 3; line.m_dRowGap = 0.25; line.m_dColumnGap = 0.75; line.m_bKeepAspect = 1;
  auto& rect = Proto<CRectangleObject>(doc, TYPE_RECTANGLE);
  rect.m_dWidth = 12; rect.m_dEdgeRadius = 3; rect.m_nEdgeStyle = 2; rect.m_bKeepAspect = 1; rect.m_nColumns = 4;
  auto& circle = Proto<CCircleObject>(doc, TYPE_CIRCLE);
  circle.m_dSizeX = 7; circle.m_dSizeY = 9; circle.m_dEdgeSize = 0; circle.m_nRows = 5;
  auto& tri = Proto<CTriangleObject>(doc, TYPE_TRIANGLE);
  tri.m_nDirection = 1; tri.m_dHeight = 11;
  auto& rh = Proto<CRhombicObject>(doc, TYPE_RHOMBIC);
  rh.m_dWidth = 13; rh.m_dColumnGap = 2.5;
  auto& poly = Proto<CPolygonObject>(doc, TYPE_POLYGON);
  poly.m_nEdges = 6; poly.m_dSize = 17;
  auto& t1 = Proto<CText1Object>(doc, TYPE_TEXT1);
  t1.SetText(CString::FromUtf8("日本AB"));
  t1.m_vCharRecords[1].dOffsetX = 0.125;
  t1.m_vCharRecords[3].dFontWidthY = -0.5;
  t1.m_strFaceName = CString::FromUtf8("ＭＳ ゴシック");
  t1.m_nAlign = 1; t1.m_nWeight = 700; t1.m_bItalic = 1; t1.m_nCharSet = 128; t1.m_nFontExtra1 = 11;
  t1.m_nFontExtra2 = 12; t1.m_nFontSize = 105; t1.m_bWidthDirection = 1; t1.m_bVariable = 1; t1.m_dLineGap = 2;
  auto& t2 = Proto<CText2Object>(doc, TYPE_TEXT2);
  t2.SetText("");
  t2.m_dSpan = 180; t2.m_nDirection = 1; t2.m_strFaceName = "Arial"; t2.m_nFontSize = 90; t2.m_bKeepAspect = 1;
  auto& bar = Proto<CBarcodeObject>(doc, TYPE_BARCODE);
  bar.m_strText = "HELLO"; bar.m_nLevel = 3; bar.m_nVersion = 7; bar.m_dSizeY = 20;
  auto& bmp = Proto<CBmpObject>(doc, TYPE_BMP);
  bmp.m_strPath = "/tmp/a.bmp"; bmp.m_bInvert = 1; bmp.m_dWidth = 5; bmp.m_nRows = 3;
}

using DefaultsArchive = DocumentTest;

TEST_F(DefaultsArchive, StartsWithTheDefaultLinePrototypeIn68Bytes) {
  doc->SaveDefaults();
  const std::string bytes = TempDir::Read(dir.File("korvane.arc"));
  ASSERT_GE(bytes.size(), 68u);
  const unsigned char expected[68] = {
      0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,              // position X, Y
      0, 0, 0, 0, 0, 0, 0x24, 0x40,                                  // width 10.0
      0, 0, 0, 0, 0, 0, 0xF0, 0x3F,                                  // height 1.0
      0, 0, 0, 0, 0, 0, 0, 0,                                        // angle 0
      1, 0, 0, 0,  1, 0, 0, 0,                                       // rows, columns
      0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  0, 0, 0, 0, 0, 0, 0xF0, 0x3F,   // row gap, column gap 1.0
      0, 0, 0, 0};                                                   // keep-aspect flag
  EXPECT_EQ(0, std::memcmp(bytes.data(), expected, 68));
  // The rectangle follows at once: no header, no count, no separator.
  const unsigned char rectWidth[8] = {0, 0, 0, 0, 0, 0, 0x34, 0x40};  // 20.0
  EXPECT_EQ(0, std::memcmp(bytes.data() + 68 + 16, rectWidth, 8));
}

TEST_F(DefaultsArchive, EveryFieldOfEveryPrototypeSurvivesARoundTrip) {
  const std::vector<std::uint8_t> defaults = ArchiveBytes(*doc);
  ChangeEveryPrototype(*doc);
  const std::vector<std::uint8_t> changed = ArchiveBytes(*doc);
  ASSERT_NE(changed, defaults);
  doc->SaveDefaults();

  CKorvaneDoc next;
  ASSERT_TRUE(next.OnNewDocument());
  EXPECT_EQ(ArchiveBytes(next), changed);
  auto& t1 = Proto<CText1Object>(next, TYPE_TEXT1);
  EXPECT_EQ(t1.m_strText, CString::FromUtf8("日本AB"));
  ASSERT_EQ(t1.m_vCharRecords.size(), 4u);
  EXPECT_EQ(t1.m_vCharRecords[1].dOffsetX, 0.125);
  EXPECT_EQ(t1.m_vCharRecords[3].dFontWidthY, -0.5);
  EXPECT_EQ(t1.m_nFontExtra2, 12);
  EXPECT_TRUE(Proto<CText2Object>(next, TYPE_TEXT2).m_vCharRecords.empty());
  EXPECT_EQ(Proto<CBarcodeObject>(next, TYPE_BARCODE).m_strText, "HELLO");
  EXPECT_EQ(Proto<CBmpObject>(next, TYPE_BMP).m_strPath, "/tmp/a.bmp");
  EXPECT_EQ(Proto<CLineObject>(next, TYPE_LINE).m_dWidth, 33.0);
}

TEST_F(DefaultsArchive, EndsWithTheBarcodeTextAndThenTheBitmapWithItsPathLast) {
  ChangeEveryPrototype(*doc);
  const std::vector<std::uint8_t> bytes = ArchiveBytes(*doc);
  const std::string path = "/tmp/a.bmp";
  // Bitmap: 4 doubles, 2 ints, 2 doubles, keep-aspect, invert (64 bytes), then the path.
  const size_t bitmap = bytes.size() - (1 + path.size()) - 64;
  ASSERT_GT(bitmap, 6u);
  EXPECT_EQ(std::string(bytes.end() - static_cast<long>(path.size()), bytes.end()), path);
  EXPECT_EQ(bytes[bytes.size() - path.size() - 1], path.size());
  const unsigned char invertOn[4] = {1, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(&bytes[bitmap + 60], invertOn, 4));
  const unsigned char width5[8] = {0, 0, 0, 0, 0, 0, 0x14, 0x40};  // 5.0
  EXPECT_EQ(0, std::memcmp(&bytes[bitmap + 16], width5, 8));
  // The barcode's text closes the barcode, right before the bitmap.
  EXPECT_EQ(std::string(bytes.begin() + static_cast<long>(bitmap) - 6, bytes.begin() + static_cast<long>(bitmap)),
            std::string("\x05HELLO"));
}

TEST_F(DefaultsArchive, ATruncatedArchiveLeavesEveryPrototypeAsItWas) {
  const std::vector<std::uint8_t> defaults = ArchiveBytes(*doc);
  ChangeEveryPrototype(*doc);
  std::vector<std::uint8_t> changed = ArchiveBytes(*doc);
  // Cut inside the last prototype (the bitmap's path) and, separately, inside the first.
  for (size_t keep : {changed.size() - 3, size_t{40}}) {
    dir.Write("korvane.arc", std::string(changed.begin(), changed.begin() + keep));
    CKorvaneDoc next;
    ASSERT_TRUE(next.OnNewDocument());
    EXPECT_EQ(ArchiveBytes(next), defaults) << "cut at " << keep;
  }
}

TEST_F(DefaultsArchive, AnImpossibleCharacterCountIsRefusedWithoutAllocating) {
  const std::vector<std::uint8_t> defaults = ArchiveBytes(*doc);
  auto& text = Proto<CText1Object>(*doc, TYPE_TEXT1);
  text.SetText("A");
  text.m_vCharRecords[0].dSizeX = 1234.5;  // a marker right behind the record count
  std::vector<std::uint8_t> bytes = ArchiveBytes(*doc);
  std::uint8_t marker[8];
  const double value = 1234.5;
  std::memcpy(marker, &value, 8);
  auto it = std::search(bytes.begin(), bytes.end(), marker, marker + 8);
  ASSERT_NE(it, bytes.end());
  const size_t count = static_cast<size_t>(it - bytes.begin()) - 4;
  ASSERT_EQ(bytes[count], 1);
  bytes[count] = 0xFF; bytes[count + 1] = 0xFF; bytes[count + 2] = 0xFF; bytes[count + 3] = 0x7F;
  dir.Write("korvane.arc", std::string(bytes.begin(), bytes.end()));
  CKorvaneDoc next;
  ASSERT_TRUE(next.OnNewDocument());
  EXPECT_EQ(ArchiveBytes(next), defaults);
}

TEST_F(DefaultsArchive, IsWrittenWhenTheDocumentEnds) {
  Proto<CLineObject>(*doc, TYPE_LINE).m_dWidth = 44.0;
  doc.reset();
  CKorvaneDoc next;
  ASSERT_TRUE(next.OnNewDocument());
  EXPECT_EQ(Proto<CLineObject>(next, TYPE_LINE).m_dWidth, 44.0);
}

}  // namespace
