// Texts of the commands: every command the operator can reach has a Japanese prompt and tool
// tip, and an action text exactly when no menu names it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QString>

#include "res/menus.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/toolbars.h"

namespace {

void CollectMenuIds(const MenuTemplate& menu, std::set<UINT>& ids) {
  for (const MenuTemplate& item : menu.items) {
    if (item.IsPopup())
      CollectMenuIds(item, ids);
    else if (item.id)
      ids.insert(item.id);
  }
}

bool HasJapanese(const char* text) {
  for (QChar c : QString::fromUtf8(text))
    if (c.unicode() >= 0x3000) return true;
  return false;
}

bool ValidUtf8(const char* text) {
  const std::string s(text);
  return QString::fromUtf8(s).toUtf8().toStdString() == s;
}

// The commands that a handler serves although no menu, bar or key carries them.
const UINT kWithoutEntry[] = {ID_SEAL_IMPORT_FOLDER, ID_SEAL_NEW, ID_SEAL_NEW2, ID_SEAL_MASK,
                              ID_SEAL_MASK_ORDER_0, ID_SEAL_MASK_ORDER_1, ID_SEAL_MASK_COLOR,
                              ID_ADD_BARCODE2, ID_PORT_CONSOLE, ID_PORT_MONITOR};

TEST(CommandStrings, EveryCommandHasAJapanesePromptAndTip) {
  std::vector<UINT> ids = res::AllCommandIds();
  ids.insert(ids.end(), std::begin(kWithoutEntry), std::end(kWithoutEntry));
  for (UINT id : ids) {
    SCOPED_TRACE(id);
    const char* prompt = res::CommandPrompt(id);
    const char* tip = res::CommandTip(id);
    EXPECT_TRUE(HasJapanese(prompt)) << prompt;
    EXPECT_TRUE(HasJapanese(tip) || std::string(tip).find("BMP") != std::string::npos) << tip;
    EXPECT_TRUE(ValidUtf8(prompt));
    EXPECT_TRUE(ValidUtf8(tip));
    // One line each: the status bar and the tip show them as they are.
    EXPECT_EQ(std::string(prompt).find('\n'), std::string::npos);
    EXPECT_EQ(std::string(tip).find('\n'), std::string::npos);
  }
  EXPECT_STREQ(res::CommandPrompt(0), "");
  EXPECT_STREQ(res::CommandTip(99999), "");
}

TEST(CommandStrings, ActionTextExactlyWhereNoMenuNamesTheCommand) {
  std::set<UINT> inMenus;
  CollectMenuIds(res::Menu(IDR_MAINFRAME), inMenus);
  CollectMenuIds(res::Menu(IDR_CONTEXT_MENU), inMenus);
  std::vector<UINT> ids = res::AllCommandIds();
  ids.insert(ids.end(), std::begin(kWithoutEntry), std::end(kWithoutEntry));
  for (UINT id : ids) {
    SCOPED_TRACE(id);
    const std::string text = res::CommandText(id);
    if (inMenus.count(id))
      EXPECT_EQ(text, "");
    else {
      EXPECT_NE(text, "");
      EXPECT_EQ(text.find('\t'), std::string::npos);
    }
  }
  // Bar buttons name their command in the tip: those of one bar differ from each other.
  for (const res::ToolbarLayout& bar : res::Toolbars()) {
    std::set<std::string> tips;
    for (UINT id : bar.buttons) {
      if (id) {
        EXPECT_TRUE(tips.insert(res::CommandTip(id)).second) << id;
      }
    }
  }
}

TEST(ShellStrings, FixedTextsOfTheShell) {
  EXPECT_STREQ(res::kDocTemplate, "Draventis\n\nKorvane\n\n\nKorvane.Document\nKorvane Document");
  EXPECT_STREQ(res::kInstanceName, "Vexor Co., Ltd   Draventis");
  EXPECT_EQ(std::string(res::kZoomPaneWidth).size(), 15u);
  EXPECT_EQ(std::string(res::kStepPaneWidth).size(), 15u);
  EXPECT_TRUE(HasJapanese(res::kSplashSubtitle));
}

}  // namespace
