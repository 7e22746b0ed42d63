#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "files/mrk_binary.h"
#include "model/textobject.h"
#include "mrk_test_util.h"
#include "platform/archive.h"
#include "temp_dir.h"

namespace {

using mrktest::Format;

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::vector<BYTE> bytes;
  EXPECT_TRUE(fileio::ReadAll(path, bytes));
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  ASSERT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
}

// Where `needle` first occurs in `bytes`.
size_t Find(const std::vector<BYTE>& bytes, const std::string& needle) {
  const std::vector<BYTE> n(needle.begin(), needle.end());
  auto it = std::search(bytes.begin(), bytes.end(), n.begin(), n.end());
  return it == bytes.end() ? std::string::npos : static_cast<size_t>(it - bytes.begin());
}

class MrkBinaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source.Initialize();
    target.Initialize();
  }
  CDrawObject* ReadInto(CObjectList& list, const std::string& path) {
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, path.c_str());
    return file.Read(&list);
  }
  TempDir dir;
  CObjectList source;
  CObjectList target;
};

TEST_F(MrkBinaryTest, EveryKindReadsBackWithEveryStoredField) {
  mrktest::BuildEveryKind(source, "C:\\images\\logo.bmp");
  const std::string path = dir.File("design.mrk");
  CMrkBinaryFile writer(CMrkBinaryFile::modeWrite, path.c_str());
  ASSERT_EQ(writer.Write(&source), 1);

  // A design already holding an object: the file's objects are appended after it.
  target.AddCircle(nullptr, TRUE, TRUE);
  CMrkBinaryFile reader(CMrkBinaryFile::modeRead, path.c_str());
  CDrawObject* last = reader.Read(&target);
  ASSERT_NE(last, nullptr);
  EXPECT_TRUE(reader.DrawingDataLoaded());
  EXPECT_EQ(last, target.GetObject(target.GetCount() - 1));
  EXPECT_EQ(last->m_nType, TYPE_BARCODE);

  // Source: item 0, ten live objects and one deleted line. Target: item 0, its circle, the ten.
  ASSERT_EQ(target.GetCount(), 12);
  int t = 2;
  for (int s = 1; s < source.GetCount(); ++s) {
    CDrawObject* expected = source.GetObject(s);
    if (expected->m_bDeleted) continue;
    CDrawObject* actual = target.GetObject(t++);
    mrktest::TakeUnstored(*expected, *actual, Format::Binary);
    mrktest::ExpectSameObject(*expected, *actual);
  }
  // Names come from the reading list's counters, not from the file.
  EXPECT_STREQ(target.GetObject(2)->GetName(), "line1");
  EXPECT_STREQ(target.GetObject(3)->GetName(), "rectangle1");
  EXPECT_STREQ(target.GetObject(4)->GetName(), "circle2");
  EXPECT_STREQ(target.GetObject(8)->GetName(), "txt1");
  EXPECT_STREQ(target.GetObject(9)->GetName(), "txt2");
  EXPECT_STREQ(target.GetObject(10)->GetName(), "bmp1");
  // The work area takes every stored value; the scan angle is not stored.
  source.GetDrawingObject()->m_pSetting->m_nScanAngle = 0;
  target.GetDrawingObject()->m_pSetting->m_nScanAngle = 0;
  mrktest::ExpectSameObject(*source.GetDrawingObject(), *target.GetDrawingObject());
}

TEST_F(MrkBinaryTest, EmptyDesignWritesHeaderWorkAreaAndEndMarker) {
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(source);
  // 32 header bytes; the work-area record (kind, common part of 108 bytes plus its name) of 120
  // bytes; its children of 324, 189 and 146 bytes; the end marker.
  EXPECT_EQ(bytes.size(), 815u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 32), "MRK BINARY FILE (Vexor Co., Ltd)");
  EXPECT_EQ(std::vector<BYTE>(bytes.end() - 4, bytes.end()), (std::vector<BYTE>{21, 0, 0, 0}));
  EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 32, bytes.begin() + 37), (std::vector<BYTE>{14, 0, 0, 0, 7}));

  CObjectList list;
  list.Initialize();
  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(bytes, list, design));
  EXPECT_EQ(design.Commit(list), list.GetDrawingObject());
  EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(MrkBinaryTest, DeletedObjectsLeaveNoTrace) {
  const std::vector<BYTE> empty = CMrkBinaryFile::Serialize(source);
  source.AddLine(nullptr, TRUE, TRUE)->m_bDeleted = 1;
  source.AddText1(nullptr, TRUE, TRUE)->m_bDeleted = 1;
  EXPECT_EQ(CMrkBinaryFile::Serialize(source), empty);
}

TEST_F(MrkBinaryTest, HeaderIsComparedWithoutRegardToCaseOnly) {
  std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(source);
  const char lower[] = "mrk binary file (vexor co., ltd)";
  std::memcpy(bytes.data(), lower, 32);
  CMrkDesign design;
  EXPECT_TRUE(CMrkBinaryFile::ParseBytes(bytes, target, design));

  bytes[31] = ']';
  EXPECT_FALSE(CMrkBinaryFile::ParseBytes(bytes, target, design));
  EXPECT_FALSE(CMrkBinaryFile::ParseBytes(std::vector<BYTE>(bytes.begin(), bytes.begin() + 20), target, design));

  // Only the header and the end marker: no record, read as a failure.
  const std::string bareText = std::string(MRK_BINARY_HEADER) + std::string("\x15\0\0\0", 4);
  const std::vector<BYTE> bare(bareText.begin(), bareText.end());
  EXPECT_FALSE(CMrkBinaryFile::ParseBytes(bare, target, design));
  EXPECT_TRUE(design.IsEmpty());
}

TEST_F(MrkBinaryTest, ImagesAreCodedOnlyWhenThatIsSmaller) {
  // A mostly white image codes well.
  CBmpObject* white = source.AddBmpFromImage(MonoBmpFile::Create(400, 300));
  ASSERT_NE(white, nullptr);
  std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(source);
  EXPECT_LT(bytes.size(), white->m_Image.size());
  EXPECT_NE(Find(bytes, "\xBD\xB2"), std::string::npos);

  // Noise does not: the image is stored as it is, starting "BM".
  std::vector<BYTE> noise = MonoBmpFile::Create(256, 64);
  std::mt19937 rng(3);
  for (size_t i = 62; i < noise.size(); ++i) noise[i] = static_cast<BYTE>(rng());
  source.Reset();
  CBmpObject* noisy = source.AddBmpFromImage(noise);
  ASSERT_NE(noisy, nullptr);
  bytes = CMrkBinaryFile::Serialize(source);
  const size_t at = Find(bytes, "BM");
  ASSERT_NE(at, std::string::npos);
  EXPECT_TRUE(std::equal(noise.begin(), noise.end(), bytes.begin() + at));
  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(bytes, target, design));
  design.Commit(target);
  ASSERT_EQ(target.GetCount(), 2);
  EXPECT_TRUE(static_cast<CBmpObject*>(target.GetObject(1))->m_Image == noise);

  // A bitmap object without an image writes n = 0 and reads back without one.
  source.Reset();
  CBmpObject* none = static_cast<CBmpObject*>(source.m_Objects.emplace_back(source.ReplaceBmp()).get());
  none->m_strPath = "missing.bmp";
  bytes = CMrkBinaryFile::Serialize(source);
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(bytes, target, design));
  CBmpObject* read = static_cast<CBmpObject*>(design.Commit(target));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->m_Image.empty());
  EXPECT_EQ(read->m_bLoaded, 0);
  EXPECT_EQ(read->m_strPath, "missing.bmp");
}

TEST_F(MrkBinaryTest, ADamagedFileIsRefusedWholeAndLeavesTheListAlone) {
  mrktest::BuildEveryKind(source, "logo.bmp");
  const std::vector<BYTE> good = CMrkBinaryFile::Serialize(source);
  target.AddLine(nullptr, TRUE, TRUE);
  const mrktest::ListSnapshot before = mrktest::Snapshot(target);

  // Through a file now and then; the parser alone for the many truncations.
  int calls = 0;
  auto refused = [&](const std::vector<BYTE>& bytes) {
    CDrawObject* result = nullptr;
    if (calls++ % 50 == 0) {
      const std::string path = dir.File("damaged.mrk");
      WriteBytes(path, bytes);
      CMrkBinaryFile reader(CMrkBinaryFile::modeRead, path.c_str());
      result = reader.Read(&target);
    } else {
      CMrkDesign design;
      if (CMrkBinaryFile::ParseBytes(bytes, target, design)) result = design.Commit(target);
    }
    return result == nullptr && mrktest::Snapshot(target) == before;
  };

  // Every truncation, including one that only loses the end marker.
  for (size_t n = 0; n < good.size(); n += (n < 64 || good.size() - n < 64) ? 1 : 7) {
    EXPECT_TRUE(refused(std::vector<BYTE>(good.begin(), good.begin() + n))) << n;
  }

  // A kind the writer never produces, in place of the first object record's kind.
  const size_t lineRecord = Find(good, std::string("\x00\x00\x00\x00\x05line1", 9));
  ASSERT_NE(lineRecord, std::string::npos);
  for (int kind : {10, 12, 15, 20, -1, 1000}) {
    std::vector<BYTE> bytes = good;
    std::memcpy(bytes.data() + lineRecord, &kind, 4);
    EXPECT_TRUE(refused(bytes)) << kind;
  }

  // A layer outside the eight layers.
  {
    std::vector<BYTE> bytes = good;
    const size_t layerAt = lineRecord + 4 + 6 + 4 + 4 + 4 + 32 + 8;
    ASSERT_EQ(bytes[layerAt], 1);  // the line is on layer 1
    bytes[layerAt] = 8;
    EXPECT_TRUE(refused(bytes));
  }

  // Huge counts: a point list and a string length.
  {
    std::vector<BYTE> bytes = good;
    const size_t pointsAt = lineRecord + 4 + 6 + 4 + 4 + 4 + 32 + 8 + 16 + 12 + 16 + 4;
    ASSERT_EQ(bytes[pointsAt], 2);  // two inner points
    bytes[pointsAt + 3] = 0x10;
    EXPECT_TRUE(refused(bytes));
    bytes = good;
    bytes[lineRecord + 4] = 0xFF;  // the name's length prefix
    bytes[lineRecord + 5] = 0xFF;
    bytes[lineRecord + 6] = 0xFF;
    EXPECT_TRUE(refused(bytes));
  }

  // The image of the bitmap: a coded block that decodes short, and one that is no 1-bit BMP.
  {
    const size_t coded = Find(good, std::string("\xBD\xB2\xFE\x00\x00\x00", 6));
    ASSERT_NE(coded, std::string::npos);
    std::vector<BYTE> bytes = good;
    bytes[coded + 2] ^= 0x01;
    EXPECT_TRUE(refused(bytes));
    bytes = good;
    bytes[coded + 6] = 'X';  // the first pending byte: 'B' of "BM"
    EXPECT_TRUE(refused(bytes));
  }
}

TEST_F(MrkBinaryTest, TheStoredByteSizeValueTravelsWithTheObject) {
  CLineObject* line = source.AddLine(nullptr, TRUE, TRUE);
  ASSERT_NE(line, nullptr);
  std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(source);
  const size_t lineRecord = Find(bytes, std::string("\x00\x00\x00\x00\x05line1", 9));
  ASSERT_NE(lineRecord, std::string::npos);
  const int areaValue = 1234;
  const int lineValue = 4321;
  ASSERT_EQ(bytes[44], 240);  // the work area's value follows its kind and its name "drawing"
  std::memcpy(bytes.data() + 44, &areaValue, 4);
  ASSERT_EQ(bytes[lineRecord + 10], 24);  // 280
  std::memcpy(bytes.data() + lineRecord + 10, &lineValue, 4);

  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(bytes, target, design));
  CDrawObject* read = design.Commit(target);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->m_nByteSize, lineValue);
  EXPECT_EQ(target.GetDrawingObject()->m_nByteSize, areaValue);
  EXPECT_EQ(CMrkBinaryFile::Serialize(target), bytes);
}

TEST_F(MrkBinaryTest, ALongWorkAreaNameIsCutAtACharacterBoundary) {
  std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(source);
  ASSERT_EQ(bytes[36], 7);  // "drawing"
  // 30 single bytes and a double-byte character across byte 31, then more.
  std::string name(30, 'n');
  name += "\x82\xA0tail";
  std::vector<BYTE> patched(bytes.begin(), bytes.begin() + 36);
  patched.push_back(static_cast<BYTE>(name.size()));
  patched.insert(patched.end(), name.begin(), name.end());
  patched.insert(patched.end(), bytes.begin() + 44, bytes.end());
  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(patched, target, design));
  design.Commit(target);
  EXPECT_EQ(std::string(target.GetDrawingObject()->GetName()), std::string(30, 'n'));
}

TEST_F(MrkBinaryTest, EachOperationRefusesTheOtherMode) {
  const std::string path = dir.File("mode.mrk");
  CMrkBinaryFile reader(CMrkBinaryFile::modeRead, path.c_str());
  EXPECT_EQ(reader.Write(&source), 0);
  EXPECT_FALSE(fileio::Exists(path));
  CMrkBinaryFile writer(CMrkBinaryFile::modeWrite, path.c_str());
  ASSERT_EQ(writer.Write(&source), 1);
  EXPECT_EQ(writer.Read(&target), nullptr);
  EXPECT_EQ(reader.Read(nullptr), nullptr);
  CMrkBinaryFile missing(CMrkBinaryFile::modeRead, dir.File("none.mrk").c_str());
  EXPECT_EQ(missing.Read(&target), nullptr);
}

TEST_F(MrkBinaryTest, AFailedWriteReportsItAndLeavesNoFile) {
  CMrkBinaryFile writer(CMrkBinaryFile::modeWrite, dir.File("no/such/folder/design.mrk").c_str());
  EXPECT_EQ(writer.Write(&source), 0);

  // Rewriting an existing file replaces it whole.
  const std::string path = dir.File("design.mrk");
  WriteBytes(path, std::vector<BYTE>(5000, 'x'));
  CMrkBinaryFile again(CMrkBinaryFile::modeWrite, path.c_str());
  ASSERT_EQ(again.Write(&source), 1);
  EXPECT_EQ(ReadBytes(path), CMrkBinaryFile::Serialize(source));
}

}  // namespace

namespace {

// Grid counts and polygon corners from a file are held to what the pages accept, so a forged
// file cannot stall every redraw.
TEST_F(MrkBinaryTest, HugeGridAndCornerCountsAreClamped) {
  CPolygonObject* poly = source.AddPolygon(nullptr, TRUE, TRUE);
  ASSERT_NE(poly, nullptr);
  poly->m_nEdges = 2000000000;
  poly->m_nRows = 2000000000;
  poly->m_nColumns = -5;
  const std::string path = dir.File("forged.mrk");
  CMrkBinaryFile writer(CMrkBinaryFile::modeWrite, path.c_str());
  ASSERT_EQ(writer.Write(&source), 1);
  CDrawObject* last = ReadInto(target, path);
  ASSERT_NE(last, nullptr);
  ASSERT_EQ(last->m_nType, TYPE_POLYGON);
  auto* read = static_cast<CPolygonObject*>(last);
  EXPECT_EQ(read->m_nEdges, 999);
  EXPECT_EQ(read->m_nRows, 999);
  EXPECT_EQ(read->m_nColumns, 0);
}

}  // namespace

namespace {

// A text read from a file keeps the shared zeroed chunks wherever its records are zero, so that
// a design of thousands of texts costs no private copy of each text's records.
TEST_F(MrkBinaryTest, ReadTextsShareTheirZeroRecords) {
  std::string longText(2500, 'A');
  auto* plain = source.AddText1(nullptr, TRUE, TRUE);
  plain->SetText(CString("N00001"));
  auto* adjusted = source.AddText1(nullptr, TRUE, TRUE);
  adjusted->SetText(CString(longText.c_str()));
  ASSERT_EQ(adjusted->m_vCharRecords.size(), 2500u);
  adjusted->m_vCharRecords[1500].dOffsetY = 0.25;
  adjusted->m_vCharRecords[3].dAngle = -12.5;

  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(CMrkBinaryFile::Serialize(source), target, design));
  design.Commit(target);
  ASSERT_EQ(target.GetCount(), 3);
  const auto* readPlain = static_cast<const CText1Object*>(target.GetObject(1));
  const auto* readAdjusted = static_cast<const CText1Object*>(target.GetObject(2));
  EXPECT_TRUE(readPlain->m_vCharRecords.KnownZero());
  EXPECT_EQ(readAdjusted->m_vCharRecords, adjusted->m_vCharRecords);
  EXPECT_EQ(readAdjusted->m_vCharRecords.ToVector(), adjusted->m_vCharRecords.ToVector());
  // The third chunk holds no adjusted record: it is still the shared zeroed one.
  CTextCharRecords zeros;
  zeros.resize(2500);
  EXPECT_TRUE(readAdjusted->m_vCharRecords.SharesChunkWith(zeros));
}

}  // namespace
