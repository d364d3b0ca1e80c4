#include "platform/testing/PaintToPng.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPixmap>
#include <QWidget>

#include "platform/qt/QtCanvas.h"

namespace {

QImage Grab(TControl* control) {
  QWidget* w = control->Widget();
  if (!w) return QImage();
  w->ensurePolished();
  return w->grab().toImage();
}

}  // namespace

bool PaintToPng(TControl* control, const String& path) {
  QImage img = Grab(control);
  if (img.isNull()) return false;
  return img.save(QString::fromStdU16String(path), "PNG");
}

std::unique_ptr<TBitmap> PaintToBitmap(TControl* control) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  const QImage img = Grab(control);
  if (img.isNull()) return bitmap;
  bitmap->SetSize(img.width(), img.height());
  *bitmap->MutableImage() = img.convertToFormat(bitmap->MutableImage()->format());
  return bitmap;
}

bool SavePng(TBitmap* bitmap, const String& path) {
  const QImage* img = bitmap->NativeImage();
  return img && !img->isNull() && img->save(QString::fromStdU16String(path), "PNG");
}

TRect PaintedRect(TControl* control, TControl* root) {
  // Window origins: a framed control's client area starts inside its frame.
  const TPoint at = control->ClientOrigin();
  const TPoint origin = root->ClientOrigin();
  const int shift = root->ClientInset() - control->ClientInset();
  return Bounds(at.X - origin.X + shift, at.Y - origin.Y + shift, control->Width(), control->Height());
}

bool PaintPrinterPage(const String& PdfPath, int Dpi, const std::function<void(TCanvas*)>& Paint) {
  EnsureQtGuiApplication();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdU16String(PdfPath));
  printer.setResolution(Dpi);
  QPainter p;
  if (!p.begin(&printer)) return false;
  {
    TQtCanvas canvas(&p);
    Paint(&canvas);
  }
  return p.end();
}
