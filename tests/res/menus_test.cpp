// Menu 149, context menu 155, the accelerators and the bars against the entries the frame and
// the canvas rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "res/menus.h"
#include "res/resource.h"
#include "res/toolbars.h"

namespace {

const MenuTemplate* FindPopup(const MenuTemplate& menu, const std::string& text) {
  for (const MenuTemplate& item : menu.items)
    if (item.IsPopup() && item.text == text) return &item;
  return nullptr;
}

// Command entries of a popup, in order, without separators and sub-menus.
std::vector<std::pair<UINT, std::string>> Commands(const MenuTemplate& menu) {
  std::vector<std::pair<UINT, std::string>> out;
  for (const MenuTemplate& item : menu.items)
    if (!item.IsPopup() && !item.IsSeparator()) out.emplace_back(item.id, item.text);
  return out;
}

void CollectTexts(const MenuTemplate& menu, std::vector<std::string>& texts) {
  for (const MenuTemplate& item : menu.items) {
    texts.push_back(item.text);
    if (item.IsPopup()) CollectTexts(item, texts);
  }
}

TEST(MainMenu, TopLevelMenusInOrder) {
  const MenuTemplate& menu = res::Menu(IDR_MAINFRAME);
  std::vector<std::string> titles;
  for (const MenuTemplate& item : menu.items) {
    EXPECT_TRUE(item.IsPopup());
    titles.push_back(item.text);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "描画(&D)", "編集(&E)", "オプション(&O)",
                                               "ﾍﾙﾌﾟ(&H)"}));
  EXPECT_TRUE(res::Menu(12345).items.empty());
}

TEST(MainMenu, DrawMenuAddsObjectsInKindOrder) {
  const MenuTemplate* draw = FindPopup(res::Menu(IDR_MAINFRAME), "描画(&D)");
  ASSERT_NE(draw, nullptr);
  using E = std::pair<UINT, std::string>;
  EXPECT_EQ(Commands(*draw),
            (std::vector<E>{{32786, "直線"}, {32787, "四角形"}, {32788, "円形"}, {32789, "三角形"},
                            {32790, "菱形"}, {32791, "多角形"}, {32792, "直線文字列"},
                            {32793, "回し文字列"}, {32806, "BMP読込"}, {32794, "バーコード"},
                            {32903, "スキャニングエリアをイメージ化"},
                            {32904, "選択範囲をイメージ化"}}));
}

TEST(MainMenu, FileEditOptionsAndHelpEntries) {
  const MenuTemplate& menu = res::Menu(IDR_MAINFRAME);
  const MenuTemplate* file = FindPopup(menu, "ﾌｧｲﾙ(&F)");
  ASSERT_NE(file, nullptr);
  std::set<UINT> fileIds;
  for (const auto& [id, text] : Commands(*file)) fileIds.insert(id);
  for (UINT id : {57600u, 57601u, 32899u, 32851u, 32852u, 57607u, 57609u, 57606u, 32808u,
                  32898u, 57616u, 57665u})
    EXPECT_TRUE(fileIds.count(id)) << id;
  auto textOf = [](const MenuTemplate& popup, UINT id) {
    for (const auto& [i, t] : Commands(popup))
      if (i == id) return t;
    return std::string("<missing>");
  };
  EXPECT_EQ(textOf(*file, 57607), "印刷(&P)...");
  EXPECT_EQ(textOf(*file, 57609), "印刷ﾌﾟﾚﾋﾞｭｰ(&V)");
  EXPECT_EQ(textOf(*file, 57606), "ﾌﾟﾘﾝﾀの設定(&R)...");
  EXPECT_EQ(textOf(*file, 32808), "彫刻開始(通常彫刻)");
  EXPECT_EQ(textOf(*file, 32898), "彫刻開始(スレッド彫刻)");
  EXPECT_EQ(textOf(*file, 57616), "最近使ったﾌｧｲﾙ");
  EXPECT_EQ(textOf(*file, 57665), "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");

  const MenuTemplate* edit = FindPopup(menu, "編集(&E)");
  ASSERT_NE(edit, nullptr);
  std::vector<UINT> editIds;
  for (const auto& [id, text] : Commands(*edit)) editIds.push_back(id);
  EXPECT_EQ(editIds, (std::vector<UINT>{57635, 57634, 57637, 57632}));

  const MenuTemplate* options = FindPopup(menu, "オプション(&O)");
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(textOf(*options, 59392), "ﾂｰﾙ ﾊﾞｰ(&T)");
  EXPECT_EQ(textOf(*options, 32880), "ｵﾌﾞｼﾞｪｸﾄ ﾊﾞｰ(&O)");
  EXPECT_EQ(textOf(*options, 32950), "レイヤー表示選択 バー(&L)");
  EXPECT_EQ(textOf(*options, 59393), "ｽﾃｰﾀｽ ﾊﾞｰ(&S)");
  EXPECT_EQ(textOf(*options, 32796), "グリッド(&G)");
  const MenuTemplate* layers = FindPopup(*options, "レイヤー表示");
  ASSERT_NE(layers, nullptr);
  using E = std::pair<UINT, std::string>;
  EXPECT_EQ(Commands(*layers),
            (std::vector<E>{{32926, "すべてのレイヤー"}, {32935, "すべて非表示"}, {32927, "0"},
                            {32928, "1"}, {32929, "2"}, {32930, "3"}, {32931, "4"}, {32932, "5"},
                            {32933, "6"}, {32934, "7"}}));
  const MenuTemplate* maintenance = FindPopup(*options, "メインテナンス");
  ASSERT_NE(maintenance, nullptr);
  EXPECT_EQ(Commands(*maintenance),
            (std::vector<E>{{32925, "V2004互換　塗りつぶし文字列"}, {32893, "データファイルの初期化"},
                            {32897, ".mrk ファイルの関連付け"}, {32890, "フィールド座標の固定"},
                            {32888, "原点設定ウィザード"}, {33003, "プレースバーを使用する"},
                            {33004, "フォルダを登録する"}}));

  const MenuTemplate* help = FindPopup(menu, "ﾍﾙﾌﾟ(&H)");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(Commands(*help), (std::vector<E>{{57664, "Korvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."}}));
}

TEST(MainMenu, NoTextCarriesAShortcutOrIsEmpty) {
  std::vector<std::string> texts;
  CollectTexts(res::Menu(IDR_MAINFRAME), texts);
  CollectTexts(res::Menu(IDR_CONTEXT_MENU), texts);
  for (const std::string& t : texts) EXPECT_EQ(t.find('\t'), std::string::npos) << t;
  // Every command entry and popup has a text; only separators are empty.
  std::function<void(const MenuTemplate&)> check = [&](const MenuTemplate& m) {
    for (const MenuTemplate& item : m.items) {
      if (item.IsSeparator()) continue;
      EXPECT_FALSE(item.text.empty()) << item.id;
      if (item.IsPopup()) check(item);
    }
  };
  check(res::Menu(IDR_MAINFRAME));
  check(res::Menu(IDR_CONTEXT_MENU));
}

// One action serves every entry of an id, so an id must read the same wherever it stands.
TEST(MainMenu, AnIdReadsTheSameInEveryMenu) {
  std::map<UINT, std::set<std::string>> texts;
  std::function<void(const MenuTemplate&)> walk = [&](const MenuTemplate& m) {
    for (const MenuTemplate& item : m.items) {
      if (item.IsPopup())
        walk(item);
      else if (item.id)
        texts[item.id].insert(item.text);
    }
  };
  walk(res::Menu(IDR_MAINFRAME));
  walk(res::Menu(IDR_CONTEXT_MENU));
  for (const auto& [id, set] : texts) {
    EXPECT_EQ(set.size(), 1u) << id;
    EXPECT_EQ(res::MenuText(id), *set.begin());
    EXPECT_EQ(res::ActionText(id), *set.begin());
  }
  EXPECT_STREQ(res::MenuText(ID_ZOOM_IN), "");
  EXPECT_STRNE(res::ActionText(ID_ZOOM_IN), "");
}

TEST(ContextMenu, FourSubMenus) {
  const MenuTemplate& menu = res::Menu(IDR_CONTEXT_MENU);
  ASSERT_EQ(menu.items.size(), 4u);
  EXPECT_EQ(menu.items[0].text, "コンテキストメニュー 1");
  EXPECT_EQ(menu.items[1].text, "画像用");
  EXPECT_EQ(menu.items[2].text, "ペイント 選択範囲用");
  EXPECT_EQ(menu.items[3].text, "ペイント 選択範囲外");
  using E = std::pair<UINT, std::string>;
  const std::vector<E> objectCommands = {{32875, "切り取り"}, {32876, "コピー"}, {32877, "貼り付け"},
                                         {32878, "削除"}};
  EXPECT_EQ(Commands(menu.items[0]), objectCommands);
  std::vector<E> bitmapCommands = objectCommands;
  bitmapCommands.push_back({32905, "画像の編集"});
  EXPECT_EQ(Commands(menu.items[1]), bitmapCommands);
  // "画像の編集" comes after the separator that closes the clipboard entries.
  const auto& bitmapItems = menu.items[1].items;
  ASSERT_GE(bitmapItems.size(), 6u);
  EXPECT_TRUE(bitmapItems[4].IsSeparator());
  EXPECT_EQ(bitmapItems[5].id, 32905u);

  for (int sub = 0; sub < 2; ++sub) {
    const MenuTemplate* change = FindPopup(menu.items[sub], "レイヤー変更");
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(Commands(*change),
              (std::vector<E>{{32951, "0 : 黒"}, {32952, "1 : 赤"}, {32953, "2 : 緑"},
                              {32954, "3 : 青"}, {32955, "4 : 紫"}, {32956, "5 : 茶"},
                              {32957, "6 : 濃緑"}, {32958, "7 : 紺"}}));
  }
  EXPECT_EQ(Commands(menu.items[2]),
            (std::vector<E>{{32907, "切り取り"}, {32908, "コピー"}, {32909, "貼り付け"},
                            {32910, "線幅変更"}, {32911, "輪郭抽出"}}));
  EXPECT_EQ(Commands(menu.items[3]),
            (std::vector<E>{{32909, "貼り付け"}, {32912, "元に戻す"}, {32913, "やり直し"}}));
  const MenuTemplate* tools = FindPopup(menu.items[3], "描画オブジェクト");
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(Commands(*tools),
            (std::vector<E>{{32914, "ペン"}, {32915, "消しゴム"}, {32916, "ブラシ"},
                            {32917, "流し込み"}, {32918, "直線"}, {32919, "円"}, {32920, "楕円"},
                            {32921, "四角"}, {32923, "多角形"}, {32922, "範囲選択"}}));
}

UINT AccelFor(const QKeySequence& key) {
  for (const res::Accel& a : res::Accelerators())
    if (a.key == key) return a.id;
  return 0;
}

TEST(Accelerators, KeysSendTheirCommands) {
  using K = QKeyCombination;
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_N))), 57600u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_O))), 57601u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_S))), 32851u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_P))), 57607u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ShiftModifier, Qt::Key_Delete))), 57635u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_Insert))), 57634u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ShiftModifier, Qt::Key_Insert))), 57637u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::NoModifier, Qt::Key_Delete))), 57632u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_D))), 57632u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::AltModifier, Qt::Key_Backspace))), 57643u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::NoModifier, Qt::Key_Left))), 32883u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::NoModifier, Qt::Key_F12))), 32771u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ShiftModifier, Qt::Key_F6))), 57681u);
  // Zoom is on the numeric pad only: the main keyboard's minus is no zoom key.
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))),
            32809u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))),
            32810u);
  EXPECT_EQ(AccelFor(QKeySequence(K(Qt::ControlModifier, Qt::Key_Minus))), 0u);
  // No key is bound twice.
  std::set<int> keys;
  for (const res::Accel& a : res::Accelerators())
    EXPECT_TRUE(keys.insert(a.key[0].toCombined()).second) << a.key.toString().toStdString();
}

TEST(Toolbars, FiveBarsWithTheirButtons) {
  const auto& bars = res::Toolbars();
  ASSERT_EQ(bars.size(), 5u);
  std::vector<UINT> windows, resources;
  std::vector<std::string> titles;
  for (const auto& bar : bars) {
    windows.push_back(bar.windowId);
    resources.push_back(bar.resourceId);
    titles.push_back(bar.title);
  }
  EXPECT_EQ(windows, (std::vector<UINT>{59392, 61460, 61463, 61464, 61465}));
  EXPECT_EQ(resources, (std::vector<UINT>{149, 166, 235, 269, 271}));
  EXPECT_EQ(titles, (std::vector<std::string>{"ツールバー", "オブジェクトの追加", "レイヤーの表示選択",
                                               "実印作成モード", "法人印作成モード"}));
  EXPECT_EQ(bars[0].buttons,
            (std::vector<UINT>{57607, 0, 57600, 0, 57601, 32899, 32885, 0, 57635, 57634, 57637,
                               57632, 0, 32898, 0, 32809, 32810, 0, 32824, 32825, 32835, 0, 32827,
                               32828, 0, 32829, 32848, 0, 32784, 32785, 0, 32832, 0, 57664}));
  EXPECT_EQ(bars[1].buttons, (std::vector<UINT>{32786, 32787, 32788, 32789, 32790, 32791, 32792,
                                                32793, 32806, 0, 32903, 32904}));
  EXPECT_EQ(bars[2].buttons,
            (std::vector<UINT>{32927, 32928, 32929, 32930, 32931, 32932, 32933, 32934}));
  EXPECT_EQ(bars[3].buttons, (std::vector<UINT>{33014, 33016, 33017, 0, 33036, 0, 33033}));
  EXPECT_EQ(bars[4].buttons, (std::vector<UINT>{33027, 33028, 33029, 33030, 0, 33035, 33034, 0,
                                                33038, 33039, 0, 33032}));
  EXPECT_EQ(bars[0].extraCount, 0);
  EXPECT_EQ(bars[2].extraBitmap, 239u);
  EXPECT_EQ(bars[2].extraCount, 8);
  EXPECT_EQ(bars[3].extraBitmap, 273u);
  EXPECT_EQ(bars[3].extraCount, 4);
  EXPECT_EQ(bars[4].extraBitmap, 279u);
  EXPECT_EQ(bars[4].extraCount, 6);
}

TEST(Toolbars, AllCommandIdsCoverMenusBarsAndKeys) {
  const std::vector<UINT> ids = res::AllCommandIds();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  auto has = [&](UINT id) { return std::binary_search(ids.begin(), ids.end(), id); };
  for (UINT id : {57600u, 57631u, 32885u, 32881u, 32771u, 57643u, 32905u, 32922u, 33032u,
                  32958u, 59393u})
    EXPECT_TRUE(has(id)) << id;
  EXPECT_FALSE(has(0));
  EXPECT_TRUE(has(33005));   // the seal entries under 描画
  EXPECT_FALSE(has(33008));  // handled, but on no menu, bar or key
}

}  // namespace
