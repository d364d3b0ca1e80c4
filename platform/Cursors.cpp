// Cursors: the standard shapes, the program's own pictures registered under their numbers, and
// the cursor a control shows now (SetCursorNow) apart from its Cursor property.
#include <QBitmap>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <iterator>
#include <map>

#include "platform/Controls.h"
#include "platform/qt/ControlBackend.h"

namespace {

Qt::CursorShape ToQtCursor(TCursor c) {
  switch (c) {
    case crHandPoint: return Qt::PointingHandCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crHourGlass: case crSQLWait: return Qt::WaitCursor;
    case crAppStart: return Qt::BusyCursor;
    case crCross: return Qt::CrossCursor;
    case crSizeWE: case crHSplit: return Qt::SizeHorCursor;
    case crSizeNS: case crVSplit: return Qt::SizeVerCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNo: case crNoDrop: return Qt::ForbiddenCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crDrag: case crMultiDrag: return Qt::DragMoveCursor;
    case crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}

std::map<TCursor, TCursorImage>& Images() {
  static std::map<TCursor, TCursorImage> m;
  return m;
}

// The cursor shown now, by control (only those that differ from their Cursor property matter).
std::map<const TControl*, TCursor>& ShownNow() {
  static std::map<const TControl*, TCursor> m;
  return m;
}

QCursor CursorFor(TCursor c) {
  auto it = Images().find(c);
  if (it == Images().end()) return QCursor(ToQtCursor(c));
  const TCursorImage& img = it->second;
  QImage picture(img.Width, img.Height, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const size_t i = static_cast<size_t>(y * img.Width + x);
      if (i >= img.Pixels.size()) break;
      if (img.Pixels[i] == 1) picture.setPixel(x, y, qRgb(0, 0, 0));
      if (img.Pixels[i] == 2) picture.setPixel(x, y, qRgb(255, 255, 255));
    }
  return QCursor(QPixmap::fromImage(picture), img.HotX, img.HotY);
}

}  // namespace

void RegisterCursorImage(TCursor Id, const TCursorImage& Image) { Images()[Id] = Image; }

bool HasCursorImage(TCursor Id) { return Images().count(Id) != 0; }

const TCursorImage* FindCursorImage(TCursor Id) {
  auto it = Images().find(Id);
  return it == Images().end() ? nullptr : &it->second;
}

void SetCursorNow(TControl* Control, TCursor Cursor) {
  if (!Control) return;
  auto& m = ShownNow();
  for (auto it = m.begin(); it != m.end();) it = confqt::IsAlive(it->first) ? std::next(it) : m.erase(it);
  if (Cursor == Control->Cursor())
    m.erase(Control);
  else
    m[Control] = Cursor;
  if (QWidget* w = Control->ExistingWidget()) confqt::ApplyCursor(Control, w);
}

TCursor CursorNow(const TControl* Control) {
  auto it = ShownNow().find(Control);
  if (it != ShownNow().end() && confqt::IsAlive(Control)) return it->second;
  return Control ? Control->Cursor() : crDefault;
}

namespace confqt {

void ApplyCursor(const TControl* c, QWidget* w) {
  const TCursor cursor = CursorNow(c);
  if (Images().count(cursor)) {
    w->setCursor(CursorFor(cursor));
    return;
  }
  const Qt::CursorShape shape = ToQtCursor(cursor);
  if (!w->testAttribute(Qt::WA_SetCursor) || w->cursor().shape() != shape) w->setCursor(shape);
}

}  // namespace confqt

TCursorImage CursorImageFromBitmaps(TBitmap* Image, TBitmap* Mask, int HotX, int HotY) {
  TCursorImage cursor;
  cursor.HotX = HotX;
  cursor.HotY = HotY;
  if (!Image) return cursor;
  cursor.Width = Image->Width();
  cursor.Height = Image->Height();
  cursor.Pixels.assign(static_cast<size_t>(cursor.Width * cursor.Height), 0);
  for (int y = 0; y < cursor.Height; ++y)
    for (int x = 0; x < cursor.Width; ++x) {
      if (Mask && x < Mask->Width() && y < Mask->Height() && ColorToRGB(Mask->Canvas()->Pixels(x, y)) == 0xFFFFFF)
        continue;
      const TColor c = ColorToRGB(Image->Canvas()->Pixels(x, y));
      const int luminance = (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000;
      cursor.Pixels[static_cast<size_t>(y * cursor.Width + x)] = luminance < 128 ? 1 : 2;
    }
  return cursor;
}
