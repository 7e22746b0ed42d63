#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "files/mrk_text.h"
#include "mrk_test_util.h"
#include "platform/archive.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

using mrktest::Format;

std::string Text(const std::vector<BYTE>& bytes) { return std::string(bytes.begin(), bytes.end()); }

CMrkTextFile Loaded(const std::string& text) {
  CMrkTextFile file(CMrkTextFile::modeRead);
  file.LoadBytes(std::vector<BYTE>(text.begin(), text.end()));
  return file;
}

class MrkTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source.Initialize();
    target.Initialize();
  }
  // Formats the source list, reads the bytes back and commits them into the target.
  CDrawObject* RoundTrip() {
    CMrkTextFile writer(CMrkTextFile::modeWrite);
    writer.FormatList(source);
    CMrkTextFile reader(CMrkTextFile::modeRead);
    reader.LoadBytes(writer.GetBytes());
    CMrkDesign design;
    reader.ParseDesign(target, TRUE, design);
    return design.Commit(target);
  }
  TempDir dir;
  CObjectList source;
  CObjectList target;
};

TEST_F(MrkTextTest, LineRecordByteForByte) {
  CLineObject* line = source.AddLine(nullptr, TRUE, TRUE);
  line->m_dPosX = 12.5;
  line->m_dPosY = -12.345;
  line->m_dWidth = 100.0;
  line->m_nLayer = 3;
  line->m_nOutputMode = 2;
  line->m_dScanInterval = 0.05;
  line->m_bKeepAspect = 1;
  line->m_bMirrorY = 5;  // any non-zero flag is written as 1
  CMrkTextFile file(CMrkTextFile::modeWrite);
  EXPECT_EQ(file.FormatObject(line), 1);
  EXPECT_EQ(Text(file.GetBytes()),
            "1,1,1,  1.000,  1.000, 12.500,-12.345,100.000,  1.000,  0.000,3,2,  0.050,0,1,0,1, 0.000, 0.000\r\n");

  // The same bytes whatever the user's decimal mark.
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    CMrkTextFile again(CMrkTextFile::modeWrite);
    again.FormatObject(line);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(again.GetBytes(), file.GetBytes());
  }
}

TEST_F(MrkTextTest, EveryKindReadsBackWithEveryStoredField) {
  const std::string bmpPath = dir.File("logo.bmp");
  const std::vector<BYTE> image = mrktest::SmallImage();
  ASSERT_TRUE(fileio::WriteAtomically(bmpPath, image.data(), image.size()));
  mrktest::BuildEveryKind(source, bmpPath);

  CDrawObject* last = RoundTrip();
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->m_nType, TYPE_BMP);  // the barcode is not stored
  ASSERT_EQ(target.GetCount(), 10);
  int t = 1;
  for (int s = 1; s < source.GetCount(); ++s) {
    CDrawObject* expected = source.GetObject(s);
    if (expected->m_bDeleted || expected->m_nType == TYPE_BARCODE) continue;
    CDrawObject* actual = target.GetObject(t++);
    EXPECT_EQ(actual->m_crColor, LAYER_COLORS[actual->m_nLayer]);
    mrktest::TakeUnstored(*expected, *actual, Format::Text);
    mrktest::ExpectSameObject(*expected, *actual);
  }
  CDrawingObject* expected = source.GetDrawingObject();
  mrktest::TakeUnstored(*expected, *target.GetDrawingObject(), Format::Text);
  mrktest::ExpectSameObject(*expected, *target.GetDrawingObject());
}

TEST_F(MrkTextTest, StraightTextWritesLineLengthsAndOneContinuationLinePerCharacter) {
  CText1Object* text = source.AddText1(nullptr, TRUE, TRUE);
  text->SetText("ABC");
  text->SetFaceName("Arial");
  text->m_dLineGap = 1.0;
  text->m_vCharRecords[2].dOffsetX = 0.5;
  CMrkTextFile file(CMrkTextFile::modeWrite);
  EXPECT_EQ(file.FormatObject(text), 4);
  const std::string header = file.GetLines()[0].str();
  EXPECT_EQ(header.substr(0, 2), "4,");
  EXPECT_NE(header.find(",Arial\tABC\t  1.000\t0,1,3,0"), std::string::npos) << header;
  EXPECT_EQ(header.substr(header.size() - 6), ",1,3,0");
  EXPECT_EQ(file.GetLines()[3].str(), "  0.000,  0.000,  0.500,  0.000,  0.000,  0.000,  0.000");
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(file.GetLines()[i][0], ' ');

  // Two lines: the text joined, the line count and lengths, the line break read back.
  text->SetText("AB\r\nC");
  text->m_vCharRecords[4].dAngle = 90.0;
  CMrkTextFile two(CMrkTextFile::modeWrite);
  EXPECT_EQ(two.FormatObject(text), 4);
  const std::string h2 = two.GetLines()[0].str();
  EXPECT_NE(h2.find("\tABC\t"), std::string::npos);
  EXPECT_EQ(h2.substr(h2.size() - 8), ",2,2,1,0");

  CMrkTextFile reader = Loaded(Text(two.GetBytes()));
  ASSERT_EQ(reader.GetRecordCount(), 1);
  EXPECT_EQ(reader.GetObjectKind(0), TYPE_TEXT1);
  EXPECT_EQ(reader.GetCharLine(0, 2), two.GetLines()[3]);
  EXPECT_EQ(reader.GetCharLine(0, 3), "");
  CText1Object* read = target.AddText1(nullptr, FALSE, FALSE);
  reader.ParseObject(0, read);
  EXPECT_EQ(read->m_strText, "AB\r\nC");
  ASSERT_EQ(read->m_vCharRecords.size(), 5u);
  EXPECT_EQ(read->m_vCharRecords[2], CTextCharRecord());
  EXPECT_EQ(read->m_vCharRecords[3], CTextCharRecord());
  EXPECT_EQ(read->m_vCharRecords[4].dAngle, 90.0);
  delete read;
}

TEST_F(MrkTextTest, CountUpAndFlags) {
  CText1Object* text = source.AddText1(nullptr, TRUE, TRUE);
  text->SetText("7");
  text->m_bCountUp = 1;
  text->m_nCountStart = 3;
  text->m_nCount = 9;
  text->m_nCountDigits = 4;
  CMrkTextFile file(CMrkTextFile::modeWrite);
  file.FormatObject(text);
  std::string header = file.GetLines()[0].str();
  EXPECT_NE(header.find("\t0\t*\t3\t9\t4,1,1,0"), std::string::npos) << header;

  // A fifth tab part other than "*" turns the count-up off.
  const size_t star = header.find('*');
  header[star] = '+';
  CMrkTextFile reader = Loaded(header + "\r\n");
  CText1Object* read = target.AddText1(text, FALSE, FALSE);
  ASSERT_EQ(read->m_bCountUp, 1);
  reader.ParseObject(0, read);
  EXPECT_EQ(read->m_bCountUp, 0);
  delete read;

  // A flag reads as on only when it reads exactly 1.
  CMrkTextFile flags = Loaded("9,1,1,1,1,0,0,5,5, 0.000,0,2,0.05,0,2,2,1,5,5,1\r\n");
  CRhombicObject* rh = target.AddRhombic(nullptr, FALSE, FALSE);
  rh->m_bKeepAspect = 1;
  rh->m_bMirrorX = 1;
  flags.ParseObject(0, rh);
  EXPECT_EQ(rh->m_bKeepAspect, 0);
  EXPECT_EQ(rh->m_bMirrorX, 0);
  EXPECT_EQ(rh->m_bMirrorY, 1);
  EXPECT_EQ(rh->m_dEdgeSize, 1.0);
  delete rh;
}

TEST_F(MrkTextTest, RecordsAreFoundByTheirLines) {
  // LF-only line ends, as editors here write them: one record per line.
  CMrkTextFile lf = Loaded("1,1,1\n2,1,1\n3,1,1\n");
  EXPECT_EQ(lf.GetRecordCount(), 3);
  EXPECT_EQ(lf.GetObjectKind(0), TYPE_LINE);
  EXPECT_EQ(lf.GetObjectKind(2), TYPE_CIRCLE);
  EXPECT_EQ(lf.GetHeaderLine(1), "2,1,1");

  // Empty lines belong to no record; a CR alone ends a line too.
  CMrkTextFile file = Loaded("D,1\r\n\r\n10,1\r\n\r\n  1.0\r\n3,2\r8,1");
  EXPECT_EQ(file.GetRecordCount(), 4);
  EXPECT_EQ(file.GetObjectKind(0), TYPE_DRAWING);
  EXPECT_EQ(file.GetObjectKind(1), TYPE_POLYGON);
  EXPECT_EQ(file.GetObjectKind(2), TYPE_CIRCLE);
  EXPECT_EQ(file.GetObjectKind(3), TYPE_TRIANGLE);
  EXPECT_EQ(file.GetObjectKind(4), TYPE_UNKNOWN);
  EXPECT_EQ(file.GetHeaderLine(3), "8,1");
  EXPECT_EQ(file.GetHeaderLine(9), "");
  EXPECT_EQ(file.GetCharLine(1, 0), "");  // a polygon has no character lines

  struct {
    const char* line;
    int kind;
  } codes[] = {{"1,", TYPE_LINE},  {"10,", TYPE_POLYGON}, {"1x", TYPE_RECTANGLE}, {"2,", TYPE_RECTANGLE},
               {"3,", TYPE_CIRCLE}, {"4,", TYPE_TEXT1},   {"5,", TYPE_UNKNOWN},   {"6,", TYPE_TEXT2},
               {"7,", TYPE_BMP},    {"8,", TYPE_TRIANGLE}, {"9,", TYPE_RHOMBIC},  {"D,", TYPE_DRAWING},
               {"d,", TYPE_UNKNOWN}, {"", TYPE_UNKNOWN},  {"1", TYPE_RECTANGLE}};
  for (const auto& c : codes) EXPECT_EQ(CMrkTextFile::KindOfCode(c.line), c.kind) << c.line;
}

TEST_F(MrkTextTest, LoadAndSaveKeepToTheirModes) {
  const std::string path = dir.File("design.mrk");
  CMrkTextFile writer(CMrkTextFile::modeWrite);
  writer.FormatList(source);
  EXPECT_EQ(writer.Load(path.c_str()), 0);
  ASSERT_EQ(writer.Save(path.c_str()), 1);
  CMrkTextFile reader(CMrkTextFile::modeRead);
  EXPECT_EQ(reader.Save(dir.File("other.mrk").c_str()), 0);
  EXPECT_FALSE(fileio::Exists(dir.File("other.mrk")));
  EXPECT_EQ(reader.Load(path.c_str()), 2);  // drawing data
  EXPECT_EQ(reader.GetRecordCount(), 1);
  EXPECT_EQ(reader.Load(dir.File("missing.mrk").c_str()), 0);
  EXPECT_EQ(Loaded("1,2,3\r\n").GetRecordCount(), 1);
  CMrkTextFile noD(CMrkTextFile::modeRead);
  EXPECT_EQ(noD.LoadBytes(std::vector<BYTE>{'1', ','}), 1);
  CMrkTextFile failed(CMrkTextFile::modeWrite);
  EXPECT_EQ(failed.Save(dir.File("no/folder/x.mrk").c_str()), 0);
}

TEST_F(MrkTextTest, BarcodesAndDeletedObjectsWriteNothing) {
  CMrkTextFile file(CMrkTextFile::modeWrite);
  file.FormatList(source);
  ASSERT_EQ(file.GetLines().size(), 1u);
  CBarcodeObject* bar = source.AddBarcode(nullptr, TRUE, TRUE);
  EXPECT_EQ(file.FormatObject(bar), 1);
  CLineObject* line = source.AddLine(nullptr, TRUE, TRUE);
  line->m_bDeleted = 1;
  EXPECT_EQ(file.FormatObject(line), -1);
  EXPECT_EQ(file.GetLines().size(), 1u);
  EXPECT_EQ(file.FormatObject(nullptr), 0);
  EXPECT_TRUE(file.GetLines().empty());
}

TEST_F(MrkTextTest, SeparatorsInsideTextsCannotBreakTheRecordsAfterThem) {
  CText1Object* t1 = source.AddText1(nullptr, TRUE, TRUE);
  t1->SetText("a,b\tc\r\nd\re");
  t1->SetFaceName("Face,Name");
  CText2Object* t2 = source.AddText2(nullptr, TRUE, TRUE);
  t2->SetText("x\r\ny,z");
  t2->m_vCharRecords[4].dOffsetX = 2.0;
  CBmpObject* bmp = static_cast<CBmpObject*>(source.m_Objects.emplace_back(source.ReplaceBmp()).get());
  bmp->m_strPath = "line\r\nbreak.bmp";
  CLineObject* line = source.AddLine(nullptr, TRUE, TRUE);
  line->m_dWidth = 77.0;

  CMrkTextFile writer(CMrkTextFile::modeWrite);
  writer.FormatList(source);
  CMrkTextFile reader(CMrkTextFile::modeRead);
  reader.LoadBytes(writer.GetBytes());
  ASSERT_EQ(reader.GetRecordCount(), 5);
  EXPECT_EQ(reader.GetObjectKind(4), TYPE_LINE);

  ScriptedPrompter prompter;  // the bitmap's file does not exist: no question, the record is skipped
  CMrkDesign design;
  EXPECT_EQ(reader.ParseDesign(target, FALSE, design), TYPE_LINE);
  ASSERT_EQ(design.m_Records.size(), 3u);
  const auto* r1 = static_cast<const CText1Object*>(design.m_Records[0].get());
  EXPECT_EQ(r1->m_strText, "a b c\r\nd e");
  EXPECT_EQ(r1->m_strFaceName, "Face Name");
  EXPECT_EQ(r1->m_vCharRecords.size(), 10u);
  const auto* r2 = static_cast<const CText2Object*>(design.m_Records[1].get());
  EXPECT_EQ(r2->m_strText, "x  y z");
  ASSERT_EQ(r2->m_vCharRecords.size(), 6u);
  EXPECT_EQ(r2->m_vCharRecords[4].dOffsetX, 2.0);
  EXPECT_EQ(static_cast<const CLineObject*>(design.m_Records[2].get())->m_dWidth, 77.0);
}

TEST_F(MrkTextTest, CharacterValuesOfAnyMagnitudeStayOnContinuationLines) {
  CText1Object* text = source.AddText1(nullptr, TRUE, TRUE);
  text->SetText("AB");
  text->m_vCharRecords[0].dSizeX = 123.5;
  text->m_vCharRecords[1].dSizeX = -12.25;
  CMrkTextFile writer(CMrkTextFile::modeWrite);
  writer.FormatObject(text);
  ASSERT_EQ(writer.GetLines().size(), 3u);
  EXPECT_EQ(writer.GetLines()[1].str().substr(0, 9), " 123.500,");
  EXPECT_EQ(writer.GetLines()[2].str().substr(0, 9), " -12.250,");
  CMrkTextFile reader = Loaded(Text(writer.GetBytes()));
  ASSERT_EQ(reader.GetRecordCount(), 1);
  CText1Object* read = target.AddText1(nullptr, FALSE, FALSE);
  reader.ParseObject(0, read);
  ASSERT_EQ(read->m_vCharRecords.size(), 2u);
  EXPECT_EQ(read->m_vCharRecords[0].dSizeX, 123.5);
  EXPECT_EQ(read->m_vCharRecords[1].dSizeX, -12.25);
  delete read;
}

TEST_F(MrkTextTest, DamagedRecordsAreReadWithinTheirOwnFields) {
  // A huge line count, a negative and a huge line length, fewer character lines and values
  // than characters.
  CMrkTextFile file = Loaded(
      "4,1,1,1,1,0,0,40,6,0,9,2,0.05,0,0,0,0,1,4,6,0,0,0,3,400,0,128,Arial\tABCDEF\t1.0\t0,99999999,-5,999,0\r\n"
      "  1.0,  2.0\r\n");
  CText1Object* text = target.AddText1(nullptr, FALSE, FALSE);
  file.ParseObject(0, text);
  EXPECT_EQ(text->m_strText, "\r\nABCDEF\r\n");
  EXPECT_EQ(text->m_nLayer, 7);  // clamped
  EXPECT_EQ(text->m_crColor, LAYER_COLORS[7]);
  ASSERT_EQ(text->m_vCharRecords.size(), 10u);
  EXPECT_EQ(text->m_vCharRecords[2].dSizeX, 1.0);
  EXPECT_EQ(text->m_vCharRecords[2].dSizeY, 2.0);
  EXPECT_EQ(text->m_vCharRecords[2].dOffsetX, 0.0);
  EXPECT_EQ(text->m_vCharRecords[3], CTextCharRecord());
  delete text;

  // An arc text with fewer values than characters; a record cut short keeps the rest.
  CMrkTextFile arc = Loaded("6,1,1,1,1,0,0,40,40,5,-3,2,0.05,0,0,0,0,6,8,0,20,20,260,0,0,400,0,0,F\tXYZ\t1\t  1.5,  2.5\r\n");
  CText2Object* t2 = target.AddText2(nullptr, FALSE, FALSE);
  arc.ParseObject(0, t2);
  EXPECT_EQ(t2->m_nLayer, 0);
  EXPECT_EQ(t2->m_strText, "XYZ");
  EXPECT_EQ(t2->m_bWidthDirection, 1);
  ASSERT_EQ(t2->m_vCharRecords.size(), 3u);
  EXPECT_EQ(t2->m_vCharRecords[0].dSizeX, 1.5);
  EXPECT_EQ(t2->m_vCharRecords[0].dSizeY, 2.5);
  EXPECT_EQ(t2->m_vCharRecords[1], CTextCharRecord());
  delete t2;

  CMrkTextFile shortLine = Loaded("2,3,4\r\n");
  CRectangleObject* rect = target.AddRectangle(nullptr, FALSE, FALSE);
  shortLine.ParseObject(0, rect);
  EXPECT_EQ(rect->m_nRows, 3);
  EXPECT_EQ(rect->m_nColumns, 4);
  EXPECT_EQ(rect->m_dWidth, 20.0);
  delete rect;
}

TEST_F(MrkTextTest, BitmapRecordsFollowTheirPath) {
  const std::string bmpPath = dir.File("a,b.bmp");
  const std::vector<BYTE> image = mrktest::SmallImage();
  ASSERT_TRUE(fileio::WriteAtomically(dir.File("a"), image.data(), image.size()));

  // A comma ends the path: "a,b.bmp" is read as "a".
  const std::string header = "7,1,1,  1.000,  1.000,  2.000,  3.000, 12.000,  4.000,  0.000,2,2,  0.050,0,0,0,0,1," + bmpPath;
  CMrkDesign design;
  ScriptedPrompter prompter;
  EXPECT_EQ(Loaded(header + "\r\n").ParseDesign(target, TRUE, design), TYPE_BMP);
  ASSERT_EQ(design.m_Records.size(), 1u);
  const auto* bmp = static_cast<const CBmpObject*>(design.m_Records[0].get());
  EXPECT_EQ(bmp->m_strPath, dir.File("a"));
  EXPECT_EQ(bmp->m_bLoaded, 1);
  EXPECT_EQ(bmp->m_bInvert, 1);
  EXPECT_EQ(bmp->m_dWidth, 12.0);
  EXPECT_EQ(bmp->m_dHeight, 4.0);

  // Without a path the operator is asked for the file; cancelling skips the record, which as
  // the last one makes the whole read a failure.
  const std::string pathless = "7,1,1,  1.000,  1.000,  2.000,  3.000, 12.000,  4.000,  0.000,2,2,  0.050,0,0,0,0,1,\r\n";
  prompter.ExpectFile("");
  EXPECT_EQ(Loaded(pathless).ParseDesign(target, TRUE, design), TYPE_UNKNOWN);
  EXPECT_TRUE(design.IsEmpty());
  prompter.ExpectFile(dir.File("a").c_str());
  EXPECT_EQ(Loaded(pathless).ParseDesign(target, TRUE, design), TYPE_BMP);
  // A record cut short is damaged: lost without a question.
  EXPECT_EQ(Loaded("7,1,1\r\n").ParseDesign(target, TRUE, design), TYPE_UNKNOWN);
  prompter.VerifyAllUsed();
  EXPECT_EQ(target.GetCount(), 1);  // parsing never touches the list
}

}  // namespace
