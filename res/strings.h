// Texts of the shell (UTF-8): command prompts and tool tips, menu texts of commands that have no
// menu entry, and the fixed texts of the frame, the About box and the start-up.
#pragma once

#include "platform/wintypes.h"

namespace res {

// Status-bar prompt of a command ("" if none).
const char* CommandPrompt(UINT id);
// Tool tip of a command ("" if none).
const char* CommandTip(UINT id);
// Action text of a command that stands in no menu template ("" when a menu carries it).
const char* CommandText(UINT id);

// Document template string: title, file name, new-file name, filter, extension, type id, type name.
inline constexpr const char kDocTemplate[] =
    "Draventis\n\nKorvane\n\n\nKorvane.Document\nKorvane Document";
inline constexpr const char kAppTitle[] = "Draventis";
inline constexpr const char kMakerName[] = "Vexor Co.,Ltd.";
inline constexpr const char kRegistryOrganization[] = "Vexor Co.,Ltd";
inline constexpr const char kRegistryApplication[] = "Draventis";
inline constexpr const char kInstanceName[] = "Vexor Co., Ltd   Draventis";
inline constexpr const char kBarLayoutKey[] = "bar";
inline constexpr const char kRecentFileSection[] = "Recent File List";
inline constexpr const char kRecentFileEntry[] = "File%d";
inline constexpr const char kObjectClipboardFormat[] = "DRAVENTIS";
inline constexpr const char kPortDebugSwitch[] = "port_debug";

// Tool-bar titles.
inline constexpr const char kMainBarTitle[] = "ツールバー";
inline constexpr const char kObjectBarTitle[] = "オブジェクトの追加";
inline constexpr const char kLayerBarTitle[] = "レイヤーの表示選択";
inline constexpr const char kPersonalSealBarTitle[] = "実印作成モード";
inline constexpr const char kCorporateSealBarTitle[] = "法人印作成モード";

// Status panes.
inline constexpr const char kZoomPaneWidth[] = "ZOOM =         ";
inline constexpr const char kStepPaneWidth[] = "STEP =         ";
inline constexpr int kFieldPaneBlanks = 64;
inline constexpr const char kZoomPaneFormat[] = "ZOOM = %.2f";
inline constexpr const char kStepPaneFormat[] = "STEP = %.3f";
inline constexpr const char kFieldUnfixed[] = "Field Unfixed";
inline constexpr const char kFieldK1Format[] = "K1  Pos: %d X %d    Size: %.3f X %.3f";
inline constexpr const char kFieldK2Format[] = "K2  Pos: %d X %d    Size: %.3f X %.3f";
inline constexpr const char kFieldK3Format[] = "K3  Pos: %d X %d    Size: %.3f X %.3f";
inline constexpr const char kFieldOtherFormat[] = "Pos: %d X %d    Size: %.3f X %.3f";
inline constexpr int kCursorPosBlanks = 41;
inline constexpr const char kCursorPosMmFormat[] = "x=%.3f y=%.3f";
inline constexpr const char kCursorPosPixelsFormat[] = "x=%d  y=%d";

// About box.
inline constexpr const char kAboutCaption[] = "Draventisのﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char kAboutClose[] = "閉じる";
inline constexpr const char kAboutProduct[] = "Draventis";
inline constexpr const char kAboutLinkFace[] = "ＭＳ ゴシック";
inline constexpr int kAboutLinkHeight = 14;
inline constexpr COLORREF kAboutLinkColor = 0xFF0000;
inline constexpr const char kMailtoPrefix[] = "mailto:";
// The maker's particulars shown in the About box (fictional).
inline constexpr const char kAboutVersion[] = "Version 1.0.0";
inline constexpr const char kAboutPostcode[] = "〒100-0000";
inline constexpr const char kAboutAddress[] = "東京都千代田区見本町1-2-3";
inline constexpr const char kAboutPhone[] = "TEL 03-0000-0000";
inline constexpr const char kAboutFax[] = "FAX 03-0000-0001";
inline constexpr const char kAboutHomePage[] = "https://www.example.com/";
inline constexpr const char kAboutMail[] = "info@example.com";

// Questions and notices of the main frame's commands.
inline constexpr const char kConfirmCaption[] = "確認";
inline constexpr const char kAskReleaseFieldFix[] = "フィールドの原点固定を解除してよろしいですか？";
inline constexpr const char kRestartApplication[] = "アプリケーションを再起動してください";
inline constexpr const char kAskInitDataFiles[] =
    "Draventis のデータを削除します\n削除後、Draventisは初期化されます\nデータファイルを削除してよろしいですか？";
inline constexpr const char kInitDataFilesCaption[] = "データファイルの削除　確認";
inline constexpr const char kRestartDraventis[] = "Draventisを再起動してください";
inline constexpr const char kInitDataFilesDoneCaption[] = "データファイルの削除　終了";
inline constexpr const char kAskSaveData[] = "データを保存しますか？";

// Seal mode captions of the form view.
inline constexpr const char kPersonalSealMode[] = "実印作成中";
inline constexpr const char kCorporateSealMode[] = "法人印作成中";

// Splash picture.
inline constexpr const char kSplashSubtitle[] = "マーキング データ作成ソフトウェア";

}  // namespace res
