#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/textutil.h"

namespace {

const char kKan[] = "\x8A\xBF";  // a double-byte character

TEST(TextUtilChars, CountsAndIndexes) {
  CTextUtil u;
  CString s = CString(kKan) + "A" + kKan;
  EXPECT_EQ(u.GetCharCount(s), 3);
  EXPECT_EQ(u.GetCharCount(""), 0);
  int n = 2;
  EXPECT_EQ(u.GetCharByteIndex(s, n), 2);
  EXPECT_EQ(n, 3);
  n = 3;
  EXPECT_EQ(u.GetCharByteIndex(s, n), 0);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(u.MidChars(s, 1), "A");
  EXPECT_EQ(u.MidChars(s, 2), kKan);
  EXPECT_EQ(u.MidChars(s, 3), "");
  EXPECT_EQ(u.MidChars("", 0), "");
}

TEST(TextUtilChars, CrLfCountsAsOneCharacter) {
  CTextUtil u;
  CString s("A\r\nB");
  int n = 1;
  EXPECT_EQ(u.GetCharByteIndexCrLf(s, n), 2);
  EXPECT_EQ(n, 1);
  n = 2;
  EXPECT_EQ(u.GetCharByteIndexCrLf(s, n), 1);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(u.IsCrLfAt(s, 1), 1);
  EXPECT_EQ(u.IsCrLfAt(s, 3), 0);
  EXPECT_EQ(u.IsCrLfAt("\r", 0), 0);
}

TEST(TextUtilChars, LeadByteAtTheEndNeverStepsPastIt) {
  CTextUtil u;
  CString s("A\x82");
  EXPECT_EQ(u.GetCharCount(s), 2);
  int n = 1;
  EXPECT_EQ(u.GetCharByteIndex(s, n), 1);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(u.MidChars(s, 1), "\x82");
}

TEST(TextUtilLines, CountSplitAndRemove) {
  CTextUtil u;
  EXPECT_EQ(u.GetLineCount("AB"), 1);
  EXPECT_EQ(u.GetLineCount("A\r\nB"), 2);
  EXPECT_EQ(u.GetLineCount("A\r\n"), 2);
  EXPECT_EQ(u.GetLineCount("\nA"), 1);

  CString s("A\r\n\r\nB");
  CString lines[3];
  EXPECT_EQ(u.SplitLines(s, lines, u.GetLineCount(s)), 2);
  EXPECT_EQ(lines[0], "A");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "B");
  EXPECT_EQ(u.GetTotalCharCount(lines, 3), 2);
  EXPECT_EQ(u.GetTotalCharCount(lines, 0), 0);
  EXPECT_EQ(u.RemoveNewLines(s), "AB");
}

TEST(TextUtilLines, LoneLineFeedKeepsTheByteBeforeIt) {
  CTextUtil u;
  // The byte before a lone LF is text, even when it is the trail byte of a double-byte character.
  CString s = CString("AB\n") + kKan + "\nC";
  CString lines[3];
  EXPECT_EQ(u.SplitLines(s, lines, 3), 4);
  EXPECT_EQ(lines[0], "AB");
  EXPECT_EQ(lines[1], kKan);
  EXPECT_EQ(lines[2], "C");
  EXPECT_EQ(u.RemoveNewLines(s), CString("AB") + kKan + "C");
}

TEST(TextUtilNumbers, RoundHalfAwayFromZero) {
  CTextUtil u;
  EXPECT_EQ(u.Round(0.5), 1);
  EXPECT_EQ(u.Round(-0.5), -1);
  EXPECT_EQ(u.Round(2.5), 3);
  EXPECT_EQ(u.Round(2.49), 2);
  EXPECT_EQ(u.Round(-2.5), -3);
  EXPECT_EQ(u.Round(-0.7), -1);
  EXPECT_EQ(u.Round(-0.3), 0);
  EXPECT_EQ(u.IsSameSign(0.0, 3.0), 1);
  EXPECT_EQ(u.IsSameSign(-1.0, 3.0), 0);
  EXPECT_EQ(u.IsSameSign(-1.0, -3.0), 1);
}

TEST(TextUtilNumbers, ZeroPadding) {
  CTextUtil u;
  EXPECT_EQ(u.FormatZeroPadded(" 7", 3), "007");
  EXPECT_EQ(u.FormatZeroPadded("1234", 3), "1234");
  EXPECT_EQ(u.FormatZeroPadded("  12", 0), "12");
  EXPECT_EQ(u.FormatZeroPadded("-5", 3), "-05");
}

}  // namespace

// Counting takes eight plain bytes at a time: double-byte characters and a lone lead byte at the
// end, anywhere in a seeded run of texts, count as one character each, as a byte walk counts them.
TEST(TextUtilChars, CountOfMixedTextsEqualsAByteWalk) {
  CTextUtil u;
  std::mt19937 rng(45);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 300; ++round) {
    std::string s;
    int want = 0;
    const int n = pick(0, 40);
    for (int k = 0; k < n; ++k, ++want) {
      switch (pick(0, 5)) {
        case 0: s += "\x82\xa0"; break;  // a kana
        case 1: s += "\x88\x9f"; break;  // a kanji
        case 2: s.push_back(static_cast<char>(0xB1)); break;  // a half-width kana: one byte
        default: s.push_back(static_cast<char>(pick(0x20, 0x7E))); break;
      }
    }
    if (pick(0, 3) == 0) {
      s.push_back(static_cast<char>(0x82));  // a lead byte with nothing after it
      ++want;
    }
    EXPECT_EQ(u.GetCharCount(CString(s)), want) << "round " << round;
  }
}
