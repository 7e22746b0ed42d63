#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "files/mrk_binary.h"

namespace {

std::vector<BYTE> Hex(const std::string& text) {
  std::vector<BYTE> out;
  for (size_t i = 0; i + 1 < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    out.push_back(static_cast<BYTE>(std::stoi(text.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

std::vector<BYTE> Code(const std::vector<BYTE>& data) { return CMrkBinaryFile::Compress(data.data(), data.size()); }

std::vector<BYTE> Decode(const std::vector<BYTE>& coded, bool* ok = nullptr) {
  std::vector<BYTE> out;
  const bool result = CMrkBinaryFile::Expand(coded.data(), coded.size(), out);
  if (ok) *ok = result;
  return out;
}

TEST(MrkCodec, KnownVectors) {
  EXPECT_EQ(Code(std::vector<BYTE>(100, 0xFF)), Hex("bd b2 64 00 00 00 ff ff 64 00"));
  // 65536 equal bytes: a full run, then the same byte as a literal.
  EXPECT_EQ(Code(std::vector<BYTE>(65536, 0x00)), Hex("bd b2 00 00 01 00 00 00 ff ff 00"));
  // 65537: a full run and a run of 2.
  EXPECT_EQ(Code(std::vector<BYTE>(65537, 0x00)), Hex("bd b2 01 00 01 00 00 00 ff ff 00 00 02 00"));
  for (const auto& data : {std::vector<BYTE>(100, 0xFF), std::vector<BYTE>(65536, 0), std::vector<BYTE>(65537, 0),
                           std::vector<BYTE>(200000, 0x7E)}) {
    bool ok = false;
    EXPECT_EQ(Decode(Code(data), &ok), data);
    EXPECT_TRUE(ok);
  }
}

TEST(MrkCodec, GivesUpWhenCodingDoesNotPay) {
  for (size_t n = 0; n <= 6; ++n) EXPECT_TRUE(Code(std::vector<BYTE>(n, 0xAA)).empty()) << n;
  std::vector<BYTE> mixed;
  for (int i = 0; i < 1000; ++i) mixed.push_back(static_cast<BYTE>(i * 7));
  EXPECT_TRUE(Code(mixed).empty());
  EXPECT_TRUE(CMrkBinaryFile::Compress(nullptr, 10).empty());
  // Seven equal bytes: 6 + 4 bytes is not shorter than 7.
  EXPECT_TRUE(Code(std::vector<BYTE>(7, 1)).empty());
  EXPECT_EQ(Code(std::vector<BYTE>(11, 1)).size(), 10u);
}

TEST(MrkCodec, RunThenLiteralDecodesToTheDeclaredLengthWithTheLiteralLast) {
  bool ok = false;
  EXPECT_EQ(Decode(Hex("bd b2 06 00 00 00 05 05 05 00 09"), &ok), Hex("05 05 05 05 05 09"));
  EXPECT_TRUE(ok);
  // A block with no items decodes to nothing.
  EXPECT_TRUE(Decode(Hex("bd b2 00 00 00 00"), &ok).empty());
  EXPECT_TRUE(ok);
}

TEST(MrkCodec, RandomDataRoundTrips) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<BYTE> data(1 + rng() % 3000);
    // Long stretches of few values so that coding pays in most rounds.
    BYTE value = 0;
    for (BYTE& b : data) {
      if (rng() % 50 == 0) value = static_cast<BYTE>(rng() % 3);
      b = (rng() % 97 == 0) ? static_cast<BYTE>(rng()) : value;
    }
    const std::vector<BYTE> coded = Code(data);
    if (coded.empty()) continue;
    EXPECT_LT(coded.size(), data.size());
    bool ok = false;
    EXPECT_EQ(Decode(coded, &ok), data) << round;
    EXPECT_TRUE(ok);
  }
}

TEST(MrkCodec, RefusesBlocksThatDoNotDecodeToTheirDeclaredLength) {
  bool ok = true;
  // Items give 100 bytes; the block claims 99 or 101.
  Decode(Hex("bd b2 63 00 00 00 ff ff 64 00"), &ok);
  EXPECT_FALSE(ok);
  Decode(Hex("bd b2 65 00 00 00 ff ff 64 00"), &ok);
  EXPECT_FALSE(ok);
  // A run whose count is cut off.
  Decode(Hex("bd b2 64 00 00 00 ff ff 64"), &ok);
  EXPECT_FALSE(ok);
  // A declared length no block of this size can expand to is refused before anything is
  // allocated for it.
  Decode(Hex("bd b2 ff ff ff ff 01 02 03"), &ok);
  EXPECT_FALSE(ok);
  // No magic, or shorter than the block header.
  Decode(Hex("bd b3 01 00 00 00 01"), &ok);
  EXPECT_FALSE(ok);
  Decode(Hex("bd b2 01 00"), &ok);
  EXPECT_FALSE(ok);
  Decode(Hex("bd b2 01 00 00 00"), &ok);
  EXPECT_FALSE(ok);
}

TEST(MrkCodec, ARawImageIsNeverTakenForACodedBlock) {
  const std::vector<BYTE> bmp = Hex("42 4d 3e 00 00 00 00 00");
  EXPECT_FALSE(CMrkBinaryFile::IsCoded(bmp.data(), bmp.size()));
  bool ok = true;
  Decode(bmp, &ok);
  EXPECT_FALSE(ok);
  const std::vector<BYTE> magic = Hex("bd b2");
  EXPECT_TRUE(CMrkBinaryFile::IsCoded(magic.data(), magic.size()));
}

}  // namespace
