#include "res/strings.h"

#include <map>
#include <string>

#include "res/resource.h"

namespace res {
namespace {

struct CommandStrings {
  std::string prompt;  // status bar
  std::string tip;     // tool tip
  std::string text;    // action text, only for commands that no menu carries
};

using Table = std::map<UINT, CommandStrings>;

void Add(Table& t, UINT id, const char* prompt, const char* tip, const char* text = "") {
  t[id] = CommandStrings{prompt, tip, text};
}

Table BuildTable() {
  Table t;
  // File.
  Add(t, ID_FILE_NEW, "新しいデザインを作成します", "新規作成");
  Add(t, ID_FILE_OPEN, "デザイン ファイル (.mrk) を開きます", "開く");
  Add(t, ID_FILE_INSERT, "デザイン ファイル (.mrk) のオブジェクトを現在のデザインに挿入します", "挿入");
  Add(t, ID_FILE_SAVE_MRK, "デザインを上書き保存します", "上書き保存");
  Add(t, ID_FILE_SAVE_AS_MRK, "デザインに名前を付けて保存します", "名前を付けて保存");
  Add(t, ID_FILE_SAVE_AS_NAMED, "現在のファイル名を候補にして、デザインに名前を付けて保存します",
      "名前を付けて保存", "名前を付けて保存(現在の名前)...");
  Add(t, ID_FILE_PRINT, "デザインを印刷します", "印刷");
  Add(t, ID_FILE_PRINT_PREVIEW, "印刷イメージを表示します", "印刷ﾌﾟﾚﾋﾞｭｰ");
  Add(t, ID_FILE_PRINT_SETUP, "プリンタと用紙の設定を変更します", "ﾌﾟﾘﾝﾀの設定");
  Add(t, ID_ENGRAVE, "デザインを彫刻します (通常彫刻)", "彫刻開始(通常彫刻)");
  Add(t, ID_ENGRAVE_THREAD, "デザインを彫刻します (スレッド彫刻)", "彫刻開始(スレッド彫刻)");
  Add(t, ID_APP_EXIT, "アプリケーションを終了します", "終了");
  for (UINT n = 0; n < 16; ++n) {
    const std::string number = std::to_string(n + 1);
    // The first entry stands in the menu template; the frame puts the others in its place.
    Add(t, ID_FILE_MRU_FILE1 + n, "最近使ったファイルを開きます", ("最近使ったﾌｧｲﾙ " + number).c_str(),
        n == 0 ? "" : ("最近使ったﾌｧｲﾙ " + number).c_str());
  }

  // Edit.
  Add(t, ID_EDIT_CUT, "選択したオブジェクトを切り取ってクリップボードに移します", "切り取り");
  Add(t, ID_EDIT_COPY, "選択したオブジェクトをクリップボードにコピーします", "コピー");
  Add(t, ID_EDIT_PASTE, "クリップボードのオブジェクトを貼り付けます", "貼り付け");
  Add(t, ID_EDIT_CLEAR, "選択したオブジェクトを削除します", "削除");
  Add(t, ID_EDIT_UNDO, "直前の操作を元に戻します", "元に戻す", "元に戻す(&U)");
  Add(t, ID_CONTEXT_CUT, "選択したオブジェクトを切り取ってクリップボードに移します", "切り取り");
  Add(t, ID_CONTEXT_COPY, "選択したオブジェクトをクリップボードにコピーします", "コピー");
  Add(t, ID_CONTEXT_PASTE, "クリップボードのオブジェクトをこの位置に貼り付けます", "ここに貼り付け");
  Add(t, ID_CONTEXT_DELETE, "選択したオブジェクトを削除します", "削除");
  static const char* const kLayerNames[8] = {"0 : 黒", "1 : 赤", "2 : 緑", "3 : 青",
                                             "4 : 紫", "5 : 茶", "6 : 濃緑", "7 : 紺"};
  for (UINT n = 0; n < 8; ++n) {
    const std::string name = kLayerNames[n];
    Add(t, ID_SET_LAYER_0 + n, ("選択したオブジェクトをレイヤー " + name + " に移します").c_str(),
        ("レイヤー変更 " + name).c_str());
  }
  Add(t, ID_EDIT_IMAGE, "画像オブジェクトのイメージを編集します", "画像の編集");
  Add(t, ID_NUDGE_UP, "選択したオブジェクトを上へ 1 ステップ移動します", "上へ移動", "上へ移動");
  Add(t, ID_NUDGE_DOWN, "選択したオブジェクトを下へ 1 ステップ移動します", "下へ移動", "下へ移動");
  Add(t, ID_NUDGE_LEFT, "選択したオブジェクトを左へ 1 ステップ移動します", "左へ移動", "左へ移動");
  Add(t, ID_NUDGE_RIGHT, "選択したオブジェクトを右へ 1 ステップ移動します", "右へ移動", "右へ移動");

  // Drawing objects.
  Add(t, ID_ADD_LINE, "直線を追加します", "直線");
  Add(t, ID_ADD_RECTANGLE, "四角形を追加します", "四角形");
  Add(t, ID_ADD_CIRCLE, "円形を追加します", "円形");
  Add(t, ID_ADD_TRIANGLE, "三角形を追加します", "三角形");
  Add(t, ID_ADD_RHOMBUS, "菱形を追加します", "菱形");
  Add(t, ID_ADD_POLYGON, "多角形を追加します", "多角形");
  Add(t, ID_ADD_TEXT, "直線文字列を追加します", "直線文字列");
  Add(t, ID_ADD_ARC_TEXT, "円弧に沿った回し文字列を追加します", "回し文字列");
  Add(t, ID_ADD_BMP, "BMP ファイルを読み込んで画像オブジェクトを追加します", "BMP読込");
  Add(t, ID_ADD_BARCODE, "QRコードを定義します", "バーコード");
  Add(t, ID_ADD_BARCODE2, "QRコードを定義します", "バーコード", "バーコード");
  Add(t, ID_SCAN_AREA_TO_IMAGE, "スキャニングエリア全体を画像オブジェクトにします",
      "スキャニングエリアをイメージ化");
  Add(t, ID_SELECTION_TO_IMAGE, "ドラッグして選んだ範囲を画像オブジェクトにします",
      "選択範囲をイメージ化");

  // View, zoom, step and arrangement.
  Add(t, ID_ZOOM_IN, "表示を拡大します", "拡大", "拡大");
  Add(t, ID_ZOOM_OUT, "表示を縮小します", "縮小", "縮小");
  Add(t, ID_STEP_UP, "移動ステップを大きくします", "移動ステップを大きく", "移動ステップを大きく");
  Add(t, ID_STEP_DOWN, "移動ステップを小さくします", "移動ステップを小さく", "移動ステップを小さく");
  Add(t, ID_CENTER_BOTH, "選択したオブジェクトを上下左右の中央に移動します", "中央(上下左右)",
      "中央(上下左右)");
  Add(t, ID_CENTER_HORZ, "選択したオブジェクトを左右の中央に移動します", "中央(左右)", "中央(左右)");
  Add(t, ID_CENTER_VERT, "選択したオブジェクトを上下の中央に移動します", "中央(上下)", "中央(上下)");
  Add(t, ID_MIRROR_X, "選択したオブジェクトを左右に反転します", "左右反転", "左右反転");
  Add(t, ID_MIRROR_Y, "選択したオブジェクトを上下に反転します", "上下反転", "上下反転");
  Add(t, ID_OUTPUT_MODE, "出力モード (輪郭・塗りつぶし) を設定します", "出力モード", "出力モード...");
  Add(t, ID_FONT, "文字列のフォントを設定します", "フォント", "フォント...");
  Add(t, ID_LAYER_DIALOG, "レイヤーの設定を変更します", "レイヤー設定", "レイヤー設定...");
  Add(t, ID_NEXT_PANE, "次のウィンドウ枠に切り替えます", "次のウィンドウ枠", "次のウィンドウ枠");
  Add(t, ID_PREV_PANE, "前のウィンドウ枠に切り替えます", "前のウィンドウ枠", "前のウィンドウ枠");

  // Options.
  Add(t, ID_VIEW_TOOLBAR, "ツール バーの表示と非表示を切り替えます", "ツール バーの表示切替");
  Add(t, ID_VIEW_STATUS_BAR, "ステータス バーの表示と非表示を切り替えます", "ステータス バーの表示切替");
  Add(t, ID_VIEW_OBJECT_BAR, "オブジェクト バーの表示と非表示を切り替えます",
      "オブジェクト バーの表示切替");
  Add(t, ID_VIEW_LAYER_BAR, "レイヤー表示選択 バーの表示と非表示を切り替えます",
      "レイヤー表示選択 バーの表示切替");
  Add(t, ID_VIEW_GRID, "グリッドの表示と非表示を切り替えます", "グリッド");
  Add(t, ID_LAYER_SHOW_ALL, "すべてのレイヤーを表示します", "すべてのレイヤー");
  Add(t, ID_LAYER_HIDE_ALL, "すべてのレイヤーを非表示にします", "すべて非表示");
  for (UINT n = 0; n < 8; ++n) {
    const std::string number = std::to_string(n);
    Add(t, ID_LAYER_TOGGLE_0 + n, ("レイヤー " + number + " の表示と非表示を切り替えます").c_str(),
        ("レイヤー " + number + " の表示").c_str());
  }
  Add(t, ID_V2004_FILL_TEXT, "V2004 互換の塗りつぶし文字列を使うかどうかを切り替えます",
      "V2004互換　塗りつぶし文字列");
  Add(t, ID_INIT_DATA_FILES, "データファイルを削除して、次回の起動時に初期化します",
      "データファイルの初期化");
  Add(t, ID_MRK_ASSOCIATION, ".mrk ファイルの関連付けを登録または解除します",
      ".mrk ファイルの関連付け");
  Add(t, ID_FIX_FIELD, "フィールド座標を固定または解除します", "フィールド座標の固定");
  Add(t, ID_ORIGIN_WIZARD, "原点設定ウィザードを開始します", "原点設定ウィザード");
  Add(t, ID_USE_PLACES_BAR, "ファイル ダイアログでプレースバーを使うかどうかを切り替えます",
      "プレースバーを使用する");
  Add(t, ID_REGISTER_FOLDERS, "プレースバーに表示するフォルダを登録します", "フォルダを登録する");

  // Help.
  Add(t, ID_APP_ABOUT, "プログラムの情報とバージョンを表示します", "バージョン情報");

  // Parallel port.
  Add(t, ID_PORT_SEND_STRING, "パラレル ポートに文字列を送ります", "ポートに文字列を送信",
      "ポートに文字列を送信...");
  Add(t, ID_PORT_CONSOLE, "ポート コマンド コンソールを開きます", "ポート コマンド コンソール",
      "ポート コマンド コンソール...");
  Add(t, ID_PORT_MONITOR, "ポートに送った文字列を表示するモニタを開きます", "ポート モニタ",
      "ポート モニタ");

  // Paint editor.
  Add(t, ID_PAINT_CUT, "選択範囲を切り取ってクリップボードに移します", "切り取り");
  Add(t, ID_PAINT_COPY, "選択範囲をクリップボードにコピーします", "コピー");
  Add(t, ID_PAINT_PASTE, "クリップボードの画像を貼り付けます", "貼り付け");
  Add(t, ID_PAINT_THICKEN, "選択範囲の線幅を変更します", "線幅変更");
  Add(t, ID_PAINT_OUTLINE, "選択範囲の輪郭を抽出します", "輪郭抽出");
  Add(t, ID_PAINT_UNDO, "直前の編集を元に戻します", "元に戻す");
  Add(t, ID_PAINT_REDO, "元に戻した編集をやり直します", "やり直し");
  Add(t, ID_PAINT_PEN, "ペンで描きます", "ペン");
  Add(t, ID_PAINT_ERASER, "消しゴムで消します", "消しゴム");
  Add(t, ID_PAINT_BRUSH, "ブラシで描きます", "ブラシ");
  Add(t, ID_PAINT_FILL, "囲まれた部分を塗りつぶします", "流し込み");
  Add(t, ID_PAINT_LINE, "直線を描きます", "直線");
  Add(t, ID_PAINT_CIRCLE, "円を描きます", "円");
  Add(t, ID_PAINT_ELLIPSE, "楕円を描きます", "楕円");
  Add(t, ID_PAINT_RECTANGLE, "四角を描きます", "四角");
  Add(t, ID_PAINT_POLYGON, "多角形を描きます", "多角形");
  Add(t, ID_PAINT_SELECT, "編集する範囲を選択します", "範囲選択");

  // Seals.
  Add(t, ID_SEAL_IMPORT_FOLDER, "印鑑データのフォルダを読み込みます", "印鑑データの読込", "");
  Add(t, ID_SEAL_NEW, "新しい印鑑を作成します", "印鑑の作成", "");
  Add(t, ID_SEAL_NEW2, "新しい印鑑を作成します", "印鑑の作成", "印鑑の作成...");
  Add(t, ID_SEAL_MASK, "マスクを使うかどうかを切り替えます", "マスク", "");
  Add(t, ID_SEAL_MASK_ORDER_0, "マスクの重なり順を 0 にします", "マスクの順序 0", "");
  Add(t, ID_SEAL_MASK_ORDER_1, "マスクの重なり順を 1 にします", "マスクの順序 1", "");
  Add(t, ID_SEAL_MASK_COLOR, "マスクの色を選びます", "マスクの色", "");
  Add(t, ID_PSEAL_OUTER_FRAME, "外枠の表示と非表示を切り替えます", "外枠の表示", "外枠");
  Add(t, ID_PSEAL_INNER_TEXT, "内文字の表示と非表示を切り替えます", "内文字の表示", "内文字");
  Add(t, ID_PSEAL_MASK, "マスクの表示と非表示を切り替えます", "マスクの表示", "マスク");
  Add(t, ID_PSEAL_TEXT_TO_IMAGE, "内文字を画像オブジェクトにします", "内文字をイメージ化",
      "内文字をイメージ化");
  Add(t, ID_PSEAL_STUB, "実印作成モード (この機能はありません)", "実印", "実印");
  Add(t, ID_CSEAL_OUTER_FRAME, "外枠の表示と非表示を切り替えます", "外枠の表示", "外枠");
  Add(t, ID_CSEAL_RING_TEXT, "廻文字の表示と非表示を切り替えます", "廻文字の表示", "廻文字");
  Add(t, ID_CSEAL_INNER_FRAME, "内枠の表示と非表示を切り替えます", "内枠の表示", "内枠");
  Add(t, ID_CSEAL_INNER_TEXT, "内文字の表示と非表示を切り替えます", "内文字の表示", "内文字");
  Add(t, ID_CSEAL_MASK_0, "マスク 0 の表示と非表示を切り替えます", "マスク 0 の表示", "マスク 0");
  Add(t, ID_CSEAL_MASK_1, "マスク 1 の表示と非表示を切り替えます", "マスク 1 の表示", "マスク 1");
  Add(t, ID_CSEAL_RING_TO_IMAGE, "廻文字を画像オブジェクトにします", "廻文字をイメージ化",
      "廻文字をイメージ化");
  Add(t, ID_CSEAL_INNER_TO_IMAGE, "内文字を画像オブジェクトにします", "内文字をイメージ化",
      "内文字をイメージ化");
  Add(t, ID_CSEAL_STUB, "法人印作成モード (この機能はありません)", "法人印", "法人印");
  return t;
}

const CommandStrings* Find(UINT id) {
  static const Table kTable = BuildTable();
  auto it = kTable.find(id);
  return it == kTable.end() ? nullptr : &it->second;
}

}  // namespace

const char* CommandPrompt(UINT id) {
  const CommandStrings* s = Find(id);
  return s ? s->prompt.c_str() : "";
}

const char* CommandTip(UINT id) {
  const CommandStrings* s = Find(id);
  return s ? s->tip.c_str() : "";
}

const char* CommandText(UINT id) {
  const CommandStrings* s = Find(id);
  return s ? s->text.c_str() : "";
}

}  // namespace res
