// Walking a code-page-932 string character by character with the width at each offset visits
// exactly the characters that the look-up by character number finds, in both line-break modes.
#include <gtest/gtest.h>

#include <string>

#include "model/textutil.h"

namespace {

TEST(CharWalkTest, WidthAtEachOffsetAgreesWithTheLookUpByNumber) {
  const CTextUtil util;
  // Single bytes, double-byte characters, CR LF, a lone CR and LF, and a lead byte at the end.
  const std::string texts[] = {"", "A", "AB\r\nC", "\x8A\xBFx\r\n\r\n\x82\xA0", "\r\rA\n\n", "ab\x88",
                               std::string(5000, 'A') + "\x8A\xBF" + "Z"};
  for (const std::string& raw : texts) {
    const CString s(raw);
    for (bool crlf : {false, true}) {
      int at = 0;
      int n = 0;
      for (int width = util.CharWidthAt(s, at, crlf); width > 0; width = util.CharWidthAt(s, at, crlf), ++n) {
        int found = n;
        const int expected = crlf ? util.GetCharByteIndexCrLf(s, found) : util.GetCharByteIndex(s, found);
        ASSERT_EQ(width, expected) << raw.size() << " " << crlf << " " << n;
        ASSERT_EQ(at, found);
        at += width;
      }
      EXPECT_EQ(at, s.GetLength());
      int past = n;
      EXPECT_EQ(crlf ? util.GetCharByteIndexCrLf(s, past) : util.GetCharByteIndex(s, past), 0);
      if (!crlf) {
        EXPECT_EQ(n, util.GetCharCount(s));
      }
    }
  }
  EXPECT_EQ(util.CharWidthAt(CString("AB"), -1), 0);
  EXPECT_EQ(util.CharWidthAt(CString("AB"), 2), 0);
}

}  // namespace
