#include "platform/testing/PaintToPng.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

bool PaintToPng(TControl* control, const String& path) {
  QWidget* w = control->Widget();
  if (!w) return false;
  w->ensurePolished();
  QImage img = w->grab().toImage();
  return img.save(QString::fromStdU16String(path), "PNG");
}
