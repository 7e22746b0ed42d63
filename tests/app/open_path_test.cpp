// Which command-line argument or dropped file names a project.
#include <gtest/gtest.h>

#include <unistd.h>

#include "files/mrk_open_path.h"
#include "model/korvane_doc.h"
#include "temp_dir.h"

TEST(OpenPath, QuotesExtensionsAndLinks) {
  TempDir dir;
  const std::string target = dir.Write("Design.MRK", "MRK");
  const std::string text = dir.Write("notes.txt", "x");
  ASSERT_EQ(::symlink(target.c_str(), dir.File("link").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("link").c_str(), dir.File("chain.lnk").c_str()), 0);
  ASSERT_EQ(::symlink(text.c_str(), dir.File("text.lnk").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("gone.mrk").c_str(), dir.File("dangling").c_str()), 0);

  EXPECT_TRUE(NormalizeOpenPath("").IsEmpty());
  EXPECT_TRUE(NormalizeOpenPath("\"\"").IsEmpty());
  EXPECT_EQ(NormalizeOpenPath("\"\"/a/b c.mrk\"\""), CString("/a/b c.mrk"));
  EXPECT_EQ(NormalizeOpenPath("x.Mrk"), CString("x.Mrk"));
  EXPECT_TRUE(NormalizeOpenPath("x.mrk port_debug").IsEmpty());
  EXPECT_TRUE(NormalizeOpenPath(text.c_str()).IsEmpty());
  EXPECT_TRUE(NormalizeOpenPath(".mr").IsEmpty());
  // Links to a project stand for it, followed to the end of the chain.
  EXPECT_EQ(NormalizeOpenPath(("\"" + dir.File("link") + "\"").c_str()), CString(target.c_str()));
  EXPECT_EQ(CKorvaneDoc::NormalizeOpenPath(dir.File("chain.lnk").c_str()), CString(target.c_str()));
  EXPECT_TRUE(ResolveShortcut(dir.File("text.lnk").c_str()).IsEmpty());
  EXPECT_TRUE(ResolveShortcut(dir.File("dangling").c_str()).IsEmpty());
  EXPECT_TRUE(CKorvaneDoc::ResolveShortcut(target.c_str()).IsEmpty());  // not a link
}
