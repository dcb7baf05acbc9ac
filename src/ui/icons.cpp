#include "ui/icons.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace tavrix::ui {

namespace {

// Renders one SVG of the resources; a null pixmap when it cannot be read, so
// a broken resource shows as an empty picture rather than stopping the program.
QPixmap Render(const QString& name, int size) {
  QSvgRenderer svg(QStringLiteral(":/icons/") + name);
  if (!svg.isValid()) return {};
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  return pixmap;
}

QIcon IconOf(const QString& name) {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(Render(name, size));
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  return IconOf(QStringLiteral("tavrix.svg"));
}
QIcon FloppyIcon() {
  return IconOf(QStringLiteral("floppy35.svg"));
}
QIcon HardDiskIcon() {
  return IconOf(QStringLiteral("harddisk.svg"));
}
QPixmap ProgramPixmap(int size) {
  return Render(QStringLiteral("tavrix.svg"), size);
}

QPixmap PicturePixmap(Picture picture, int size) {
  switch (picture) {
    case Picture::kNone:
      return {};
    case Picture::kHardDisk:
      return Render(QStringLiteral("harddisk.svg"), size);
    case Picture::kCdRom:
      return Render(QStringLiteral("cdrom.svg"), size);
    case Picture::kFiveFloppies:
      return Render(QStringLiteral("floppies525.svg"), size);
    case Picture::kThreeFloppies:
      return Render(QStringLiteral("floppies35.svg"), size);
  }
  return {};
}

}  // namespace tavrix::ui
