#include "res/images.h"

namespace res {

QImage BarImage(UINT) {
  QImage image(kBarImageWidth, kBarImageHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}
QImage ExtraImage(UINT, int) { return BarImage(0); }
int ExtraImageCount(UINT) { return 0; }
QImage SplashPicture() {
  QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}
QIcon ProgramIcon() { return QIcon(); }
QIcon DocumentIcon() { return QIcon(); }

}  // namespace res
