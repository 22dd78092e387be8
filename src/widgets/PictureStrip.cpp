#include "widgets/PictureStrip.h"

#include <QBitmap>

namespace orvane::widgets {

QIcon StripIcon(const QString& path) {
  const QPixmap strip(path);
  if (strip.isNull()) return {};
  const int width = strip.width() / 2;
  QIcon icon;
  icon.addPixmap(strip.copy(0, 0, width, strip.height()), QIcon::Normal);
  icon.addPixmap(strip.copy(width, 0, width, strip.height()), QIcon::Disabled);
  return icon;
}

QPixmap TransparentPixmap(const QString& path, QColor transparent) {
  QPixmap pixmap(path);
  if (pixmap.isNull()) return pixmap;
  pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const char* path : {":/images/orvane.xpm", ":/images/orvane-32.xpm",
                           ":/images/orvane-48.xpm", ":/images/orvane-64.xpm"}) {
    icon.addFile(QString::fromLatin1(path));
  }
  return icon;
}

}  // namespace orvane::widgets
