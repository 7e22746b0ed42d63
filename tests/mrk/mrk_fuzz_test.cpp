// Mutated project files of both formats: truncated, bit-flipped, with huge counts and broken
// fields. None may crash, hang or read outside the file (the sanitizer build watches), and a
// refused file must leave the object list exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "mrk_test_util.h"
#include "model/textutil.h"
#include "platform/archive.h"
#include "platform/prompter.h"
#include "temp_dir.h"

namespace {

// Answers every question with Cancel: a mutated bitmap record may lose its path.
class CancellingPrompter : public IPrompter {
 public:
  CancellingPrompter() : m_previous(SetPrompter(this)) {}
  ~CancellingPrompter() override { SetPrompter(m_previous); }
  int MessageBox(const CString&, const CString&, UINT) override { return IDCANCEL; }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>&) override {
    ++m_files;
    return false;
  }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }
  int m_files = 0;

 private:
  IPrompter* m_previous;
};

constexpr int kMutations = 10000;

std::vector<BYTE> Mutate(const std::vector<BYTE>& seed, std::mt19937& rng, bool text) {
  std::vector<BYTE> b = seed;
  auto pos = [&]() { return b.empty() ? 0 : rng() % b.size(); };
  const int steps = 1 + rng() % 3;
  for (int s = 0; s < steps; ++s) {
    switch (rng() % (text ? 7 : 5)) {
      case 0:  // truncate
        b.resize(pos());
        break;
      case 1:  // flip bits
        for (int i = 0, n = 1 + rng() % 8; i < n && !b.empty(); ++i) b[pos()] ^= static_cast<BYTE>(1u << (rng() % 8));
        break;
      case 2: {  // a huge or negative count over four bytes
        static const std::uint32_t values[] = {0x7FFFFFFFu, 0xFFFFFFFFu, 0x10000000u, 0x0000FFFFu, 0x80000000u};
        const std::uint32_t v = (rng() % 2) ? values[rng() % 5] : static_cast<std::uint32_t>(rng());
        const size_t at = pos();
        for (int i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = static_cast<BYTE>(v >> (8 * i));
        break;
      }
      case 3: {  // cut a piece out
        const size_t at = pos();
        const size_t n = std::min<size_t>(b.size() - at, 1 + rng() % 64);
        b.erase(b.begin() + at, b.begin() + at + n);
        break;
      }
      case 4: {  // repeat a piece
        if (b.empty()) break;
        const size_t at = pos();
        const size_t n = std::min<size_t>(b.size() - at, 1 + rng() % 64);
        std::vector<BYTE> piece(b.begin() + at, b.begin() + at + n);
        b.insert(b.begin() + pos(), piece.begin(), piece.end());
        break;
      }
      case 5: {  // a separator where it does not belong
        static const char seps[] = {',', '\t', '\r', '\n', ' ', '*', 'D'};
        b.insert(b.begin() + pos(), static_cast<BYTE>(seps[rng() % sizeof(seps)]));
        break;
      }
      default: {  // a huge or negative number in place of a field
        static const char* numbers[] = {"99999999", "-99999999", "2147483647", "-2147483648", "1e308", "nan"};
        const std::string n = numbers[rng() % 6];
        size_t at = pos();
        while (at < b.size() && b[at] != ',') ++at;
        b.insert(b.begin() + std::min(at + 1, b.size()), n.begin(), n.end());
        break;
      }
    }
  }
  return b;
}

class MrkFuzzTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source.Initialize();
    const std::vector<BYTE> image = mrktest::SmallImage();
    bmpPath = dir.File("logo.bmp");
    ASSERT_TRUE(fileio::WriteAtomically(bmpPath, image.data(), image.size()));
    mrktest::BuildEveryKind(source, bmpPath);
    // Texts long enough to give the counts something to be wrong about.
    static_cast<CText1Object*>(source.GetObject(8))->SetText("Line one\r\nLine two\r\n\x82\xA0\x82\xA2");
    static_cast<CText2Object*>(source.GetObject(9))->SetText("ARC TEXT");
    ResetTarget();
  }
  void ResetTarget() {
    target.Reset();
    target.AddLine(nullptr, TRUE, TRUE);
    target.AddText1(nullptr, TRUE, TRUE);
    before = mrktest::Snapshot(target);
  }
  TempDir dir;
  std::string bmpPath;
  CObjectList source;
  CObjectList target;
  mrktest::ListSnapshot before;
};

TEST_F(MrkFuzzTest, MutatedBinaryFilesAreRefusedWithoutTouchingTheList) {
  const std::vector<BYTE> seed = CMrkBinaryFile::Serialize(source);
  std::mt19937 rng(20261208);
  int refused = 0;
  for (int i = 0; i < kMutations; ++i) {
    const std::vector<BYTE> bytes = Mutate(seed, rng, false);
    CMrkDesign design;
    if (!CMrkBinaryFile::ParseBytes(bytes, target, design)) {
      ++refused;
      ASSERT_TRUE(design.IsEmpty());
      ASSERT_TRUE(mrktest::Snapshot(target) == before) << "mutation " << i;
      continue;
    }
    // Whatever was accepted is a complete set of objects the list can take.
    const int count = target.GetCount();
    const size_t records = design.m_Records.size();
    ASSERT_NE(design.Commit(target), nullptr);
    ASSERT_LE(static_cast<size_t>(target.GetCount() - count), records);
    ResetTarget();
  }
  // Most mutations break something; the rest were read whole.
  EXPECT_GT(refused, kMutations / 2);
}

TEST_F(MrkFuzzTest, MutatedBinaryFilesThroughTheReader) {
  const std::vector<BYTE> seed = CMrkBinaryFile::Serialize(source);
  std::mt19937 rng(77);
  for (int i = 0; i < 200; ++i) {
    const std::vector<BYTE> bytes = Mutate(seed, rng, false);
    const std::string path = dir.Write("fuzz" + std::to_string(i) + ".mrk", std::string(bytes.begin(), bytes.end()));
    CMrkBinaryFile reader(CMrkBinaryFile::modeRead, path.c_str());
    if (!reader.Read(&target)) {
      ASSERT_TRUE(mrktest::Snapshot(target) == before) << "mutation " << i;
    } else {
      ResetTarget();
    }
  }
}

TEST_F(MrkFuzzTest, MutatedTextFilesAreReadWithinBounds) {
  CMrkTextFile writer(CMrkTextFile::modeWrite);
  writer.FormatList(source);
  const std::vector<BYTE> seed = writer.GetBytes();
  CancellingPrompter prompter;
  std::mt19937 rng(4242);
  int failed = 0;
  for (int i = 0; i < kMutations; ++i) {
    const std::vector<BYTE> bytes = Mutate(seed, rng, true);
    CMrkTextFile reader(CMrkTextFile::modeRead);
    ASSERT_GE(reader.LoadBytes(bytes), 1);
    CMrkDesign design;
    const int last = reader.ParseDesign(target, TRUE, design);
    // Parsing never touches the list; a file whose last record cannot be taken is refused.
    ASSERT_TRUE(mrktest::Snapshot(target) == before) << "mutation " << i;
    if (last == TYPE_UNKNOWN) {
      ++failed;
      continue;
    }
    for (const auto& record : design.m_Records) {
      // Every straight or arc text has exactly one character record per character.
      if (record->m_nType == TYPE_TEXT1) {
        const auto& t = static_cast<const CText1Object&>(*record);
        ASSERT_EQ(static_cast<int>(t.m_vCharRecords.size()), CTextUtil().GetCharCount(t.m_strText));
      } else if (record->m_nType == TYPE_TEXT2) {
        const auto& t = static_cast<const CText2Object&>(*record);
        ASSERT_EQ(static_cast<int>(t.m_vCharRecords.size()), CTextUtil().GetCharCount(t.m_strText));
      }
      ASSERT_GE(record->m_nLayer, 0);
      ASSERT_LT(record->m_nLayer, LAYER_COUNT);
    }
    design.Commit(target);
    ResetTarget();
  }
  EXPECT_GT(failed, 0);
  EXPECT_LT(failed, kMutations);
}

}  // namespace
