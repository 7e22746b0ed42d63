// A large design is saved in pieces: the file holds exactly the bytes of the design serialized
// whole (pieces ending inside records and on them), reads back to the same design, and a failed
// write leaves the old file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/mrk_binary.h"
#include "files/mrk_design.h"
#include "model/objectlist.h"
#include "platform/archive.h"
#include "temp_dir.h"

namespace {

// Texts with long strings (each character keeps a record) and shapes: several megabytes.
void AddDesign(CObjectList& list, int count) {
  for (int i = 0; i < count; ++i) {
    if (i % 3 == 0) {
      CText1Object* t = list.AddText1(nullptr, TRUE, TRUE);
      t->SetText(CString(std::string(200 + i % 97, static_cast<char>('A' + i % 26)).c_str()));
      t->m_dPosX = i * 0.25;
    } else {
      CRectangleObject* r = list.AddRectangle(nullptr, TRUE, TRUE);
      r->m_dWidth = 1 + i % 7;
      r->m_dPosY = -i * 0.5;
    }
  }
}

TEST(SaveInPieces, TheFileIsTheDesignSerializedWhole) {
  TempDir dir;
  CObjectList list;
  list.Initialize();
  AddDesign(list, 1200);
  // A deleted entry is left out of both.
  list.GetObject(7)->m_bDeleted = 1;
  const std::vector<BYTE> whole = CMrkBinaryFile::Serialize(list);
  ASSERT_GT(whole.size(), 3u << 20);
  const std::string path = dir.File("large.mrk");
  CMrkBinaryFile out(CMrkBinaryFile::modeWrite, CString(path.c_str()));
  ASSERT_EQ(out.Write(&list), 1);
  std::vector<std::uint8_t> written;
  ASSERT_TRUE(fileio::ReadAll(path, written));
  EXPECT_TRUE(written == whole);

  CObjectList back;
  back.Initialize();
  CMrkDesign design;
  ASSERT_TRUE(CMrkBinaryFile::ParseBytes(written, back, design));
  design.Commit(back, nullptr);
  EXPECT_EQ(back.GetDrawableCount(), list.GetDrawableCount());
  const auto* text = dynamic_cast<const CText1Object*>(back.GetObject(back.GetCount() - 3));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->m_strText.GetLength(), 200 + 1197 % 97);
}

TEST(SaveInPieces, AWriteThatFailsKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.Write("kept.mrk", "old bytes");
  bool second = false;
  EXPECT_FALSE(fileio::WriteAtomicallyFrom(path, [&](const fileio::ChunkWriter& write) {
    if (!write("new", 3)) return false;
    second = true;
    return false;  // the producer gives up half way
  }));
  EXPECT_TRUE(second);
  EXPECT_EQ(TempDir::Read(path), "old bytes");
  // Nothing of the attempt is left beside it.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
