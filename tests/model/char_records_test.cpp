#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/textobject.h"

namespace {

CTextCharRecord Marked(int v) {
  CTextCharRecord r;
  r.dSizeX = v;
  r.dOffsetY = -v;
  r.dFontWidthY = v * 0.5;
  return r;
}

void ExpectSame(const CTextCharRecords& got, const std::vector<CTextCharRecord>& want, int step) {
  ASSERT_EQ(got.size(), want.size()) << "step " << step;
  for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(got[i], want[i]) << "step " << step << " record " << i;
  EXPECT_EQ(got.ToVector(), want) << "step " << step;
}

}  // namespace

// Chunked records with shared chunks behave as a plain list: a seeded run of every change, on
// records and on copies taken along the way, is compared with a std::vector after each step. A
// change to one copy never shows in another, sizes crossing chunk ends keep later growth zeroed,
// and equality follows the contents whether or not chunks are shared.
TEST(CharRecords, ASeededRunOfChangesMatchesAPlainListAndCopiesStayApart) {
  constexpr size_t kChunk = CTextCharRecords::kChunk;
  std::mt19937 rng(45);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(rng); };
  CTextCharRecords records;
  std::vector<CTextCharRecord> model;
  std::vector<std::pair<CTextCharRecords, std::vector<CTextCharRecord>>> copies;
  for (int step = 0; step < 400; ++step) {
    const int value = step + 1;
    switch (pick(8)) {
      case 0: {
        const size_t n = pick(3 * kChunk + 7);
        const CTextCharRecord r = pick(1) ? CTextCharRecord{} : Marked(value);
        records.assign(n, r);
        model.assign(n, r);
        break;
      }
      case 1: {
        const size_t n = pick(3 * kChunk + 7);
        records.resize(n);
        model.resize(n);
        break;
      }
      case 2:
        records.push_back(Marked(value));
        model.push_back(Marked(value));
        break;
      case 3:
        records.emplace_back();
        model.emplace_back();
        break;
      case 4:
        if (pick(9) == 0) {
          records.clear();
          model.clear();
        }
        break;
      case 5:
        copies.emplace_back(records, model);
        if (copies.size() > 6) copies.erase(copies.begin());
        break;
      case 6:
        // A change through a copy: the original, and every other copy, keep their records.
        if (!copies.empty()) {
          auto& [copy, copyModel] = copies[pick(copies.size() - 1)];
          if (!copyModel.empty()) {
            const size_t i = pick(copyModel.size() - 1);
            copy[i] = Marked(-value);
            copyModel[i] = Marked(-value);
          }
        }
        break;
      default:
        for (int k = 0; k < 3 && !model.empty(); ++k) {
          const size_t i = pick(model.size() - 1);
          records[i].dAngle = value;
          model[i].dAngle = value;
        }
        break;
    }
    ExpectSame(records, model, step);
    for (const auto& [copy, copyModel] : copies) {
      ExpectSame(copy, copyModel, step);
      EXPECT_EQ(copy == records, copyModel == model) << "step " << step;
    }
    if (HasFatalFailure()) return;
  }
}

// What the paint and the pages copy: a million-character text. The copy shares its records until
// one side changes a record, and then only the changed chunk is its own.
TEST(CharRecords, ACopiedLongTextSharesItsRecordsUntilOneOfThemChanges) {
  CText1Object source;
  source.SetDefaults();
  std::string text(1000000, 'A');
  ASSERT_EQ(source.SetText(CString(text.c_str())), 1000000);
  source.m_vCharRecords[123456].dSizeX = 2;

  CText1Object copy;
  copy.SetDefaults();
  copy.CopySettings(&source);
  EXPECT_TRUE(copy.m_vCharRecords == source.m_vCharRecords);
  EXPECT_TRUE(copy.m_vCharRecords.SharesChunkWith(source.m_vCharRecords));

  source.m_vCharRecords[999999].dAngle = 15;
  EXPECT_EQ(copy.GetCharRecord(999999), CTextCharRecord());
  EXPECT_EQ(copy.GetCharRecord(123456).dSizeX, 2);
  EXPECT_FALSE(copy.m_vCharRecords == source.m_vCharRecords);
  copy.m_vCharRecords[999999].dAngle = 15;
  EXPECT_TRUE(copy.m_vCharRecords == source.m_vCharRecords);

  // Retyping the text resets every record, in the object that was retyped only.
  copy.SetText(CString(std::string(999999, 'B').c_str()));
  EXPECT_EQ(copy.m_vCharRecords.size(), 999999u);
  EXPECT_EQ(copy.GetCharRecord(123456), CTextCharRecord());
  EXPECT_EQ(source.GetCharRecord(123456).dSizeX, 2);
}
