// A text file cut short anywhere: every record that is whole is taken as written, the one the
// cut went through is named as lost, never half read; whole files lose nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/mrk_text.h"
#include "mrk_test_util.h"

namespace {

std::vector<BYTE> Bytes(const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); }

TEST(MrkPartialLoad, EveryCutOfAFileTakesTheWholeRecordsAndNamesTheCutOne) {
  CObjectList source;
  source.Initialize();
  mrktest::BuildEveryKind(source, "/nonexistent/logo.bmp");
  CMrkTextFile writer(CMrkTextFile::modeWrite);
  writer.FormatList(source);
  const std::vector<BYTE> whole = writer.GetBytes();

  // The line ends of the whole file: a cut right after one leaves whole records only.
  std::vector<size_t> ends;
  for (size_t i = 0; i + 1 < whole.size(); ++i) {
    if (whole[i] == '\r' && whole[i + 1] == '\n') ends.push_back(i + 2);
  }
  CObjectList target;
  target.Initialize();
  for (size_t cut = 1; cut <= whole.size(); ++cut) {
    CMrkTextFile reader(CMrkTextFile::modeRead);
    std::vector<BYTE> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    ASSERT_NE(reader.LoadBytes(part), 0);
    CMrkDesign design;
    reader.ParseDesign(target, TRUE, design);
    // The bitmap's image is nowhere: it is lost in every cut that reaches it.
    int lostOtherThanBitmap = 0;
    for (const CMrkLostRecord& r : design.m_Lost) lostOtherThanBitmap += r.kind != TYPE_BMP;
    const bool atLineEnd = std::find(ends.begin(), ends.end(), cut) != ends.end();
    // A cut at a line end inside a straight text's character lines leaves the text short too.
    if (atLineEnd && lostOtherThanBitmap == 0) continue;
    if (!atLineEnd) {
      // Cut inside a line: the record the line belongs to is lost, the ones before are whole.
      EXPECT_LE(lostOtherThanBitmap, 1) << "cut at " << cut;
    }
  }

  // The whole file, with LF line ends or CR LF, loses nothing but the bitmap without its image.
  std::string lf(whole.begin(), whole.end());
  for (size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at)) lf.erase(at, 1);
  for (const std::vector<BYTE>& bytes : {whole, Bytes(lf)}) {
    CMrkTextFile reader(CMrkTextFile::modeRead);
    ASSERT_EQ(reader.LoadBytes(bytes), 2);
    CMrkDesign design;
    reader.ParseDesign(target, TRUE, design);
    ASSERT_EQ(design.m_Lost.size(), 1u);
    EXPECT_EQ(design.m_Lost[0].kind, TYPE_BMP);
  }
}

TEST(MrkPartialLoad, ARecordCutShortIsLostWithItsKindAndLine) {
  CObjectList target;
  target.Initialize();
  const std::string circle = "3,1,1,  0.000,  0.000,  1.000,  2.000, 10.000, 10.000,  0.000,0,2,  0.050,0,0,0,0, 10.000, 10.000,  0.000";
  const std::string text =
      "4,1,1,  0.000,  0.000,  1.000,  2.000, 10.000, 10.000,  0.000,0,2,  0.050,0,0,0,0,  0.000,  3.000,  4.000,"
      "  0.000,  0.000,0,0,400,0,128,Arial\tAB\t  0.000\t0,1,2,0";
  const std::string chars = "   1.000,  1.000,  0.000,  0.000,  0.000,  0.000,  0.000";
  struct Case {
    std::string file;
    size_t lost;
  } cases[] = {
      {circle + "\r\n" + circle.substr(0, 40), 1},               // inside the last header
      {circle + "\r\n" + circle, 0},                              // whole, without the last line end
      {circle + "\r\n" + text, 1},                                // the text's character lines missing
      {circle + "\r\n" + text + "\r\n" + chars + "\r\n" + chars.substr(0, 20), 1},
      {circle + "\r\n" + text + "\r\n" + chars + "\r\n" + chars, 0},
      {circle + "\r\n" + text + "\r\n" + chars + "\r\n", 1},      // a line end does not make it whole
      {circle + "\r\n" + circle.substr(0, 40) + "\r\n" + circle, 1},  // cut short between whole records
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    CMrkTextFile reader(CMrkTextFile::modeRead);
    ASSERT_EQ(reader.LoadBytes(Bytes(c.file)), 1);
    CMrkDesign design;
    reader.ParseDesign(target, TRUE, design);
    ASSERT_EQ(design.m_Lost.size(), c.lost);
    if (c.lost) {
      EXPECT_EQ(design.m_Lost[0].line, 2);
      EXPECT_EQ(design.m_Lost[0].kind, c.file.find("4,") == std::string::npos ? TYPE_CIRCLE : TYPE_TEXT1);
      design.NameLost(target);
      EXPECT_EQ(design.m_Lost[0].name, c.file.find("4,") == std::string::npos ? "circle2" : "txt1");
    }
  }
}

}  // namespace
