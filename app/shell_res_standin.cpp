// Stand-in resources until res/ lands (see shell_res.h); remove with it.
#include "app/shell_res.h"

#ifdef KORVANE_RES_STANDIN
#include <QPainter>

namespace res {

const MenuTemplate& Menu(UINT menuId) {
  static const MenuTemplate main = {
      0,
      "",
      {
          {0, "ﾌｧｲﾙ(&F)", {{57606, "ﾌﾟﾘﾝﾀの設定(&R)...", {}}, {}, {57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", {}}}},
          {0,
           "オプション(&O)",
           {{59392, "ﾂｰﾙ ﾊﾞｰ(&T)", {}},
            {32880, "ｵﾌﾞｼﾞｪｸﾄ ﾊﾞｰ(&O)", {}},
            {32950, "レイヤー表示選択 バー(&L)", {}},
            {59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", {}}}},
          {0, "ﾍﾙﾌﾟ(&H)", {{57664, "Korvane のﾊﾞｰｼﾞｮﾝ情報(&A)...", {}}}},
      }};
  static const MenuTemplate none;
  return menuId == 149 ? main : none;
}

const std::vector<ToolbarSpec>& Toolbars() {
  static const std::vector<ToolbarSpec> bars = {
      {59392, 149, "ツールバー",
       {57607, 0, 57600, 0, 57601, 32899, 32885, 0, 57635, 57634, 57637, 57632, 0, 32898, 0, 32809, 32810, 0,
        32824, 32825, 32835, 0, 32827, 32828, 0, 32829, 32848, 0, 32784, 32785, 0, 32832, 0, 57664},
       0, 0},
      {61460, 166, "オブジェクトの追加",
       {32786, 32787, 32788, 32789, 32790, 32791, 32792, 32793, 32806, 0, 32903, 32904}, 0, 0},
      {61463, 235, "レイヤーの表示選択", {32927, 32928, 32929, 32930, 32931, 32932, 32933, 32934}, 239, 8},
      {61464, 269, "実印作成モード", {33014, 33016, 33017, 0, 33036, 0, 33033}, 273, 4},
      {61465, 271, "法人印作成モード",
       {33027, 33028, 33029, 33030, 0, 33035, 33034, 0, 33038, 33039, 0, 33032}, 279, 6},
  };
  return bars;
}

const std::vector<Accel>& Accelerators() {
  static const std::vector<Accel> keys = {{QKeySequence(Qt::Key_F6), 57680},
                                          {QKeySequence(Qt::SHIFT | Qt::Key_F6), 57681}};
  return keys;
}

const char* CommandPrompt(UINT) { return ""; }
const char* CommandTip(UINT) { return ""; }
const char* CommandText(UINT) { return ""; }

QImage BarImage(UINT commandId) {
  QImage image(16, 15, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(QColor::fromHsv(static_cast<int>(commandId * 37 % 360), 200, 160));
  p.drawRect(1, 1, 13, 12);
  return image;
}

QImage ExtraImage(UINT bitmapId, int index) { return BarImage(bitmapId * 16 + static_cast<UINT>(index)); }

QImage SplashPicture() {
  QImage image(403, 252, QImage::Format_ARGB32);
  image.fill(QColor(230, 236, 244));
  QPainter p(&image);
  p.drawText(image.rect(), Qt::AlignCenter, "Draventis");
  return image;
}

QIcon ProgramIcon() { return QIcon(); }
QIcon DocumentIcon() { return QIcon(); }

std::vector<UINT> AllCommandIds() {
  std::vector<UINT> ids;
  for (const ToolbarSpec& bar : Toolbars())
    for (UINT id : bar.buttons)
      if (id) ids.push_back(id);
  return ids;
}

}  // namespace res
#endif
