#include "res/menus.h"

#include <map>
#include <string>

#include "res/resource.h"
#include "res/strings.h"

namespace res {
namespace {

MenuTemplate Cmd(UINT id, const char* text) { return MenuTemplate{id, text, {}}; }
MenuTemplate Sep() { return MenuTemplate{}; }
MenuTemplate Popup(const char* text, std::vector<MenuTemplate> items) {
  return MenuTemplate{0, text, std::move(items)};
}

// "レイヤー変更" of the two object context menus.
MenuTemplate LayerChangePopup() {
  static const char* const kNames[8] = {"0 : 黒", "1 : 赤", "2 : 緑", "3 : 青",
                                        "4 : 紫", "5 : 茶", "6 : 濃緑", "7 : 紺"};
  std::vector<MenuTemplate> items;
  for (UINT n = 0; n < 8; ++n) items.push_back(Cmd(ID_SET_LAYER_0 + n, kNames[n]));
  return Popup("レイヤー変更", std::move(items));
}

MenuTemplate BuildMainMenu() {
  MenuTemplate file = Popup("ﾌｧｲﾙ(&F)", {
      Cmd(ID_FILE_NEW, "新規作成(&N)"),
      Cmd(ID_FILE_OPEN, "開く(&O)..."),
      Cmd(ID_FILE_INSERT, "挿入(&I)..."),
      Cmd(ID_FILE_SAVE_MRK, "上書き保存(&S)"),
      Cmd(ID_FILE_SAVE_AS_MRK, "名前を付けて保存(&A)..."),
      Sep(),
      Cmd(ID_FILE_PRINT, "印刷(&P)..."),
      Cmd(ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"),
      Cmd(ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."),
      Sep(),
      Cmd(ID_ENGRAVE, "彫刻開始(通常彫刻)"),
      Cmd(ID_ENGRAVE_THREAD, "彫刻開始(スレッド彫刻)"),
      Sep(),
      // Stands for the recent-file entries, which the frame fills in at run time.
      Cmd(ID_FILE_MRU_FILE1, "最近使ったﾌｧｲﾙ"),
      Sep(),
      Cmd(ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"),
  });
  MenuTemplate draw = Popup("描画(&D)", {
      Cmd(ID_ADD_LINE, "直線"),
      Cmd(ID_ADD_RECTANGLE, "四角形"),
      Cmd(ID_ADD_CIRCLE, "円形"),
      Cmd(ID_ADD_TRIANGLE, "三角形"),
      Cmd(ID_ADD_RHOMBUS, "菱形"),
      Cmd(ID_ADD_POLYGON, "多角形"),
      Sep(),
      Cmd(ID_ADD_TEXT, "直線文字列"),
      Cmd(ID_ADD_ARC_TEXT, "回し文字列"),
      Sep(),
      Cmd(ID_ADD_BMP, "BMP読込"),
      // Without it no design could ever hold a QR Code: no bar button or key adds one.
      Cmd(ID_ADD_BARCODE, "バーコード"),
      Sep(),
      Cmd(ID_SCAN_AREA_TO_IMAGE, "スキャニングエリアをイメージ化"),
      Cmd(ID_SELECTION_TO_IMAGE, "選択範囲をイメージ化"),
      Sep(),
      // Without these no seal could be reached: the seal bars only appear in seal mode.
      Popup("印鑑", {
          Cmd(ID_SEAL_NEW, "印鑑の新規作成..."),
          Cmd(ID_SEAL_IMPORT_FOLDER, "印鑑データのインポート..."),
          Sep(),
          Cmd(ID_SEAL_MASK, "マスク"),
          Cmd(ID_SEAL_MASK_ORDER_0, "マスクを前面に"),
          Cmd(ID_SEAL_MASK_ORDER_1, "マスクを背面に"),
          Cmd(ID_SEAL_MASK_COLOR, "マスクの色..."),
      }),
  });
  MenuTemplate edit = Popup("編集(&E)", {
      Cmd(ID_EDIT_CUT, "切り取り(&T)"),
      Cmd(ID_EDIT_COPY, "ｺﾋﾟｰ(&C)"),
      Cmd(ID_EDIT_PASTE, "貼り付け(&P)"),
      Cmd(ID_EDIT_CLEAR, "削除(&D)"),
  });
  std::vector<MenuTemplate> layers = {
      Cmd(ID_LAYER_SHOW_ALL, "すべてのレイヤー"),
      Cmd(ID_LAYER_HIDE_ALL, "すべて非表示"),
      Sep(),
  };
  static const char* const kDigits[8] = {"0", "1", "2", "3", "4", "5", "6", "7"};
  for (UINT n = 0; n < 8; ++n) layers.push_back(Cmd(ID_LAYER_TOGGLE_0 + n, kDigits[n]));
  MenuTemplate options = Popup("オプション(&O)", {
      Cmd(ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)"),
      Cmd(ID_VIEW_OBJECT_BAR, "ｵﾌﾞｼﾞｪｸﾄ ﾊﾞｰ(&O)"),
      Cmd(ID_VIEW_LAYER_BAR, "レイヤー表示選択 バー(&L)"),
      Cmd(ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
      Sep(),
      Cmd(ID_VIEW_GRID, "グリッド(&G)"),
      Sep(),
      Popup("レイヤー表示", std::move(layers)),
      Popup("メインテナンス", {
          Cmd(ID_V2004_FILL_TEXT, "V2004互換　塗りつぶし文字列"),
          Sep(),
          Cmd(ID_INIT_DATA_FILES, "データファイルの初期化"),
          Cmd(ID_MRK_ASSOCIATION, ".mrk ファイルの関連付け"),
          Sep(),
          Cmd(ID_FIX_FIELD, "フィールド座標の固定"),
          Cmd(ID_ORIGIN_WIZARD, "原点設定ウィザード"),
          Sep(),
          Cmd(ID_USE_PLACES_BAR, "プレースバーを使用する"),
          Cmd(ID_REGISTER_FOLDERS, "フォルダを登録する"),
      }),
  });
  MenuTemplate help = Popup("ﾍﾙﾌﾟ(&H)", {
      Cmd(ID_APP_ABOUT, "Korvane のﾊﾞｰｼﾞｮﾝ情報(&A)..."),
  });
  return MenuTemplate{IDR_MAINFRAME, "", {file, draw, edit, options, help}};
}

MenuTemplate BuildContextMenu() {
  MenuTemplate objects = Popup("コンテキストメニュー 1", {
      Cmd(ID_CONTEXT_CUT, "切り取り"),
      Cmd(ID_CONTEXT_COPY, "コピー"),
      Cmd(ID_CONTEXT_PASTE, "貼り付け"),
      Cmd(ID_CONTEXT_DELETE, "削除"),
      Sep(),
      LayerChangePopup(),
  });
  MenuTemplate bitmap = Popup("画像用", {
      Cmd(ID_CONTEXT_CUT, "切り取り"),
      Cmd(ID_CONTEXT_COPY, "コピー"),
      Cmd(ID_CONTEXT_PASTE, "貼り付け"),
      Cmd(ID_CONTEXT_DELETE, "削除"),
      Sep(),
      Cmd(ID_EDIT_IMAGE, "画像の編集"),
      LayerChangePopup(),
  });
  MenuTemplate paintInside = Popup("ペイント 選択範囲用", {
      Cmd(ID_PAINT_CUT, "切り取り"),
      Cmd(ID_PAINT_COPY, "コピー"),
      Cmd(ID_PAINT_PASTE, "貼り付け"),
      Cmd(ID_PAINT_THICKEN, "線幅変更"),
      Cmd(ID_PAINT_OUTLINE, "輪郭抽出"),
  });
  MenuTemplate paintOutside = Popup("ペイント 選択範囲外", {
      Cmd(ID_PAINT_PASTE, "貼り付け"),
      Cmd(ID_PAINT_UNDO, "元に戻す"),
      Cmd(ID_PAINT_REDO, "やり直し"),
      Popup("描画オブジェクト", {
          Cmd(ID_PAINT_PEN, "ペン"),
          Cmd(ID_PAINT_ERASER, "消しゴム"),
          Cmd(ID_PAINT_BRUSH, "ブラシ"),
          Cmd(ID_PAINT_FILL, "流し込み"),
          Cmd(ID_PAINT_LINE, "直線"),
          Cmd(ID_PAINT_CIRCLE, "円"),
          Cmd(ID_PAINT_ELLIPSE, "楕円"),
          Cmd(ID_PAINT_RECTANGLE, "四角"),
          Cmd(ID_PAINT_POLYGON, "多角形"),
          Cmd(ID_PAINT_SELECT, "範囲選択"),
      }),
  });
  return MenuTemplate{IDR_CONTEXT_MENU, "", {objects, bitmap, paintInside, paintOutside}};
}

}  // namespace

const MenuTemplate& Menu(UINT menuId) {
  static const MenuTemplate kMain = BuildMainMenu();
  static const MenuTemplate kContext = BuildContextMenu();
  static const MenuTemplate kNone;
  if (menuId == IDR_MAINFRAME) return kMain;
  if (menuId == IDR_CONTEXT_MENU) return kContext;
  return kNone;
}

namespace {
void CollectTexts(const MenuTemplate& menu, std::map<UINT, std::string>& texts) {
  for (const MenuTemplate& item : menu.items) {
    if (item.IsPopup())
      CollectTexts(item, texts);
    else if (item.id != 0)
      texts.emplace(item.id, item.text);  // the first entry of an id wins
  }
}
}  // namespace

const char* MenuText(UINT id) {
  static const std::map<UINT, std::string> kTexts = [] {
    std::map<UINT, std::string> texts;
    CollectTexts(Menu(IDR_MAINFRAME), texts);
    CollectTexts(Menu(IDR_CONTEXT_MENU), texts);
    return texts;
  }();
  auto it = kTexts.find(id);
  return it == kTexts.end() ? "" : it->second.c_str();
}

const char* ActionText(UINT id) {
  const char* text = MenuText(id);
  return *text ? text : CommandText(id);
}

const std::vector<Accel>& Accelerators() {
  using K = QKeyCombination;
  static const std::vector<Accel> kTable = {
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_N)), ID_FILE_NEW},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_O)), ID_FILE_OPEN},
      // The save the menu shows, not the standard save: that one would store only the defaults.
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_S)), ID_FILE_SAVE_MRK},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_P)), ID_FILE_PRINT},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_X)), ID_EDIT_CUT},
      {QKeySequence(K(Qt::ShiftModifier, Qt::Key_Delete)), ID_EDIT_CUT},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_C)), ID_EDIT_COPY},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_Insert)), ID_EDIT_COPY},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_V)), ID_EDIT_PASTE},
      {QKeySequence(K(Qt::ShiftModifier, Qt::Key_Insert)), ID_EDIT_PASTE},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_D)), ID_EDIT_CLEAR},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_Delete)), ID_EDIT_CLEAR},
      {QKeySequence(K(Qt::ControlModifier, Qt::Key_Z)), ID_EDIT_UNDO},
      {QKeySequence(K(Qt::AltModifier, Qt::Key_Backspace)), ID_EDIT_UNDO},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_Up)), ID_NUDGE_UP},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_Down)), ID_NUDGE_DOWN},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_Left)), ID_NUDGE_LEFT},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_Right)), ID_NUDGE_RIGHT},
      {QKeySequence(K(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)), ID_ZOOM_IN},
      {QKeySequence(K(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus)), ID_ZOOM_OUT},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_F6)), ID_NEXT_PANE},
      {QKeySequence(K(Qt::ShiftModifier, Qt::Key_F6)), ID_PREV_PANE},
      {QKeySequence(K(Qt::NoModifier, Qt::Key_F12)), ID_PORT_SEND_STRING},
  };
  return kTable;
}

}  // namespace res
