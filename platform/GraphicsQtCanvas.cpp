// The canvas on a QPainter, with GDI's pixel rules: lines are plotted pixel by pixel without
// their end point, rectangles exclude right and bottom, nothing is anti-aliased.
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPolygon>
#include <QTextLayout>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>
#include <memory>
#include <unordered_map>

#include "platform/qt/QtCanvas.h"

namespace {

QPainter::CompositionMode ModeFor(TPenMode m, bool* skip) {
  *skip = false;
  switch (m) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNop: *skip = true; return QPainter::CompositionMode_SourceOver;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmCopy: return QPainter::CompositionMode_SourceOver;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
  }
  return QPainter::CompositionMode_SourceOver;
}

// Dash patterns of a cosmetic pen, in pixels on/off.
std::vector<int> PatternFor(TPenStyle s) {
  switch (s) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle s) {
  switch (s) {
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern;
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

// Bresenham points from (x0, y0) towards (x1, y1); the end point only when withEnd.
void LinePoints(int x0, int y0, int x1, int y1, bool withEnd, std::vector<QPoint>& out) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (true) {
    if (x == x1 && y == y1) {
      if (withEnd) out.emplace_back(x, y);
      break;
    }
    out.emplace_back(x, y);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// Keeps the points of a pixel path that fall on the dashes of a cosmetic pen; the pattern
// runs along the path, so a dash continues round corners.
void KeepDashes(std::vector<QPoint>& pts, TPenStyle s) {
  std::vector<int> pattern = PatternFor(s);
  if (pattern.empty()) return;
  int period = 0;
  for (int v : pattern) period += v;
  std::vector<QPoint> on;
  for (size_t i = 0; i < pts.size(); ++i) {
    int k = static_cast<int>(i % period);
    for (size_t j = 0; j < pattern.size(); ++j) {
      if (k < pattern[j]) {
        if (j % 2 == 0) on.push_back(pts[i]);
        break;
      }
      k -= pattern[j];
    }
  }
  pts.swap(on);
}

// Text shaped once per font, device resolution and text: a grid page draws the same texts paint
// after paint, and shaping them again is most of what drawing a text costs. The glyph runs are drawn
// with their baseline at y 0.
class TShapedTexts {
 public:
  // The runs of Text as the painter's drawText would lay it out on one line, or null where only
  // drawText itself is sure to: controls, line and paragraph breaks, format characters (a soft
  // hyphen or zero-width space may take room in a laid-out line), objects, and underlined or
  // struck-out text (drawText lines each font's part at that font's own height).
  struct TShaped {
    std::vector<QGlyphRun> Runs;
    int Drawn = 0;           // times handed out
    bool NoPicture = false;  // the picture would not hold every pixel: runs only
    QRgb PictureColor = 0;
    QImage Picture;    // the runs drawn in PictureColor, cut to their pixels
    QPoint PictureAt;  // its top left from the pen position on the baseline
  };

  // The runs of Text as the painter's drawText would lay it out on one line, or null where only
  // drawText itself is sure to: controls, line and paragraph breaks, format characters (a soft
  // hyphen or zero-width space may take room in a laid-out line), objects, and underlined or
  // struck-out text (drawText lines each font's part at that font's own height).
  TShaped* Find(QPainter* p, const QFont& Font, const String& Text) {
    if (Font.underline() || Font.strikeOut() || Font.overline()) return nullptr;
    if (!PlainText(Text)) return nullptr;
    QPaintDevice* device = p->device();
    const int dpiX = device ? device->logicalDpiX() : 0, dpiY = device ? device->logicalDpiY() : 0;
    TFontTexts& texts = Texts(Font, dpiX, dpiY, p->layoutDirection());
    auto it = texts.Runs.find(Text);
    if (it != texts.Runs.end()) return it->second.get();
    if (texts.Runs.size() >= kTextsPerFont) Forget(texts);
    auto runs = Shape(Font, device, p->layoutDirection(), Text);
    return texts.Runs.emplace(Text, std::move(runs)).first->second.get();
  }

  // The picture of Shaped in Color once the text has been drawn before (a page painted again),
  // else null: the first drawing of a text costs no more than its runs.
  const QImage* Picture(TShaped& Shaped, QRgb Color, QPoint& At) {
    if (Shaped.NoPicture || ++Shaped.Drawn < 2) return nullptr;
    if (Shaped.Picture.isNull() || Shaped.PictureColor != Color) {
      FPicturePixels -= Pixels(Shaped.Picture);
      Shaped.Picture = QImage();
      if (FPicturePixels > kPicturePixels) ForgetPictures();
      if (!Draw(Shaped, Color)) {
        Shaped.NoPicture = true;
        return nullptr;
      }
      FPicturePixels += Pixels(Shaped.Picture);
    }
    At = Shaped.PictureAt;
    return &Shaped.Picture;
  }

 private:
  static constexpr size_t kTextsPerFont = 4096;
  static constexpr size_t kFonts = 32;
  static constexpr long long kPicturePixels = 1 << 20;  // all pictures together, 4 MB
  struct TFontTexts {
    QFont Font;  // the one CachedQtFont hands out; isCopyOf identifies it
    int DpiX = 0, DpiY = 0;
    Qt::LayoutDirection Direction = Qt::LayoutDirectionAuto;
    std::unordered_map<String, std::unique_ptr<TShaped>> Runs;  // null: not one line
  };
  std::vector<std::unique_ptr<TFontTexts>> FFonts;
  long long FPicturePixels = 0;

  static long long Pixels(const QImage& I) { return static_cast<long long>(I.width()) * I.height(); }

  void Forget(TFontTexts& Texts) {
    for (auto& [text, shaped] : Texts.Runs)
      if (shaped) FPicturePixels -= Pixels(shaped->Picture);
    Texts.Runs.clear();
  }

  void ForgetPictures() {
    for (auto& t : FFonts)
      for (auto& [text, shaped] : t->Runs)
        if (shaped) shaped->Picture = QImage();
    FPicturePixels = 0;
  }

  // Draws the runs on a clear picture as the painter would on the page and keeps the part with
  // pixels; false when a glyph reaches the picture's edge (its bounds were not the whole ink).
  static bool Draw(TShaped& Shaped, QRgb Color) {
    // Across, the runs' bounds; up and down, the fonts' ascents and descents (the runs' bounds
    // leave out part of the glyphs there); a margin round both.
    QRectF bounds;
    qreal up = 0, down = 0;
    for (const QGlyphRun& run : Shaped.Runs) {
      bounds |= run.boundingRect();
      up = std::max(up, run.rawFont().ascent());
      down = std::max(down, run.rawFont().descent());
    }
    const QRect area(QPoint(static_cast<int>(std::floor(bounds.left())) - 8, -static_cast<int>(std::ceil(up)) - 8),
                     QPoint(static_cast<int>(std::ceil(bounds.right())) + 8, static_cast<int>(std::ceil(down)) + 8));
    if (area.isEmpty() || static_cast<long long>(area.width()) * area.height() > 64 * 1024) return false;
    QImage img(area.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(0);
    {
      QPainter ip(&img);
      ip.setRenderHint(QPainter::Antialiasing, false);
      ip.setRenderHint(QPainter::TextAntialiasing, false);
      ip.setPen(QColor::fromRgb(Color));
      for (const QGlyphRun& run : Shaped.Runs) ip.drawGlyphRun(QPointF(-area.left(), -area.top()), run);
    }
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        if (qAlpha(row[x]) == 0) continue;
        if (qAlpha(row[x]) != 255) return false;  // only whole pixels copy as the glyphs draw
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
      }
    }
    if (r < 0) return false;
    if (l == 0 || t == 0 || r == img.width() - 1 || b == img.height() - 1) return false;
    Shaped.Picture = img.copy(QRect(l, t, r - l + 1, b - t + 1));
    Shaped.PictureColor = Color;
    Shaped.PictureAt = area.topLeft() + QPoint(l, t);
    return true;
  }

  TFontTexts& Texts(const QFont& Font, int DpiX, int DpiY, Qt::LayoutDirection Direction) {
    for (size_t i = 0; i < FFonts.size(); ++i) {
      TFontTexts& t = *FFonts[i];
      if (t.Font.isCopyOf(Font) && t.DpiX == DpiX && t.DpiY == DpiY && t.Direction == Direction) {
        if (i > 0) std::swap(FFonts[i], FFonts[0]);  // the font in use is found first next time
        return *FFonts[0];
      }
    }
    if (FFonts.size() >= kFonts) FFonts.pop_back();
    auto t = std::make_unique<TFontTexts>();
    t->Font = Font;
    t->DpiX = DpiX;
    t->DpiY = DpiY;
    t->Direction = Direction;
    FFonts.insert(FFonts.begin(), std::move(t));
    return *FFonts[0];
  }

  static bool PlainText(const String& Text) {
    const size_t n = Text.size();
    for (size_t i = 0; i < n; ++i) {
      char32_t c = Text[i];
      if (c >= u' ' && c < 0x7F) continue;
      if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(Text[i + 1]))
        c = QChar::surrogateToUcs4(static_cast<char16_t>(c), Text[++i]);
      switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
          return false;
        default:
          if (c == 0xFFFC) return false;
      }
    }
    return true;
  }

  static std::unique_ptr<TShaped> Shape(const QFont& Font, QPaintDevice* Device, Qt::LayoutDirection Direction,
                                        const String& Text) {
    QTextLayout layout(QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())), Font, Device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Direction);  // drawText's paragraph direction is the painter's
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1 << 24);
    layout.endLayout();
    if (layout.lineCount() != 1 || line.textLength() != static_cast<int>(Text.size())) return nullptr;
    const QList<QGlyphRun> shaped = layout.glyphRuns();
    auto runs = std::make_unique<TShaped>();
    runs->Runs.assign(shaped.begin(), shaped.end());
    const qreal baseline = line.y() + line.ascent();
    for (QGlyphRun& run : runs->Runs) {
      QList<QPointF> at = run.positions();
      for (QPointF& pt : at) pt.ry() -= baseline;
      run.setPositions(at);
    }
    return runs;
  }
};

TShapedTexts& ShapedTexts() {
  // Never destroyed: the runs hold font engines, which must not outlive the application object.
  static auto* texts = new TShapedTexts;
  return *texts;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

// The painter of one drawing call. Calls share one drawing state opened over the painter's own
// (TQtCanvas::BeginDrawing); an isolated call gets a fresh one and closes it after itself, as a call
// that changes the painter in ways the others do not undo (a style, a rotation) must.
class TQtPainterScope {
 public:
  explicit TQtPainterScope(TQtCanvas* Canvas, bool Isolated = false) : FCanvas(Canvas), FIsolated(Isolated) {
    if (FIsolated) FCanvas->EndDrawing();
    FPainter = FCanvas->BeginDrawing();
  }
  ~TQtPainterScope() {
    if (FIsolated) FCanvas->EndDrawing();
  }
  TQtPainterScope(const TQtPainterScope&) = delete;
  TQtPainterScope& operator=(const TQtPainterScope&) = delete;
  QPainter* operator->() const { return FPainter; }
  explicit operator bool() const { return FPainter != nullptr; }
  QPainter* get() const { return FPainter; }

 private:
  TQtCanvas* FCanvas;
  bool FIsolated;
  QPainter* FPainter = nullptr;
};

QPainter* TQtCanvas::BeginDrawing() {
  QPainter* p = Painter();
  if (!p) return nullptr;
  if (FDrawing != p) {
    FDrawing = p;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::TextAntialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FDrawingMode = p->compositionMode();
    FClipApplied = false;
    FDrawingFontSet = false;
  } else if (p->compositionMode() != FDrawingMode) {
    p->setCompositionMode(FDrawingMode);
  }
  return p;
}

void TQtCanvas::EndDrawing() {
  if (!FDrawing) return;
  FDrawing->restore();
  FDrawing = nullptr;
  FClipApplied = false;
}

void TQtCanvas::UseClip(QPainter* p) {
  if (FClipApplied) return;
  ApplyClip(p);
  FClipApplied = true;
}

QPainter* TQtCanvas::NativePainter() {
  // Whoever draws on it finds it as it came.
  EndDrawing();
  return Painter();
}

TQtCanvas::~TQtCanvas() { Unbind(); }

int TQtCanvas::DevicePixelsPerInch(bool Vertical) {
  const int given = Vertical ? FDpiY : FDpiX;
  if (given > 0) return given;
  QPainter* p = Painter();
  if (p && dynamic_cast<QPagedPaintDevice*>(p->device()))
    return Vertical ? p->device()->logicalDpiY() : p->device()->logicalDpiX();
  return 96;
}

void TQtCanvas::Bind(QPainter* painter) {
  Unbind();
  if (!painter) return;
  FPainter = painter;
  FPainter->save();
  FBaseHasClip = FPainter->hasClipping();
  FBaseClip = FBaseHasClip ? FPainter->clipRegion() : QRegion();
  FHasClip = false;
  FClip = QRegion();
  FSaved.clear();
  penPos_ = {};
  bkModeSet_ = false;
  ClearMirrored();
}

void TQtCanvas::Unbind() {
  if (!FPainter) return;
  EndDrawing();
  FPainter->restore();
  FPainter = nullptr;
  FBaseHasClip = false;
  FBaseClip = QRegion();
}

std::unique_ptr<TQtCanvas> MakeQtCanvas(QPainter* painter) { return std::make_unique<TQtCanvas>(painter); }

QImage* TQtCanvas::NativeImage() {
  QPainter* p = Painter();
  if (!p || !p->device() || p->device()->devType() != QInternal::Image) return nullptr;
  return static_cast<QImage*>(p->device());
}

QPoint TQtCanvas::ToDevice(int x, int y) {
  QPainter* p = Painter();
  x = MapX(x);
  if (!p) return QPoint(x, y);
  return p->deviceTransform().map(QPoint(x, y));
}

void TQtCanvas::ApplyClip(QPainter* p) {
  if (!p) return;
  if (FHasClip) {
    // Clip regions are kept in device terms so later transforms do not move them.
    QRegion logical = p->deviceTransform().inverted().map(FClip);
    if (FBaseHasClip)
      p->setClipRegion(logical.intersected(FBaseClip));
    else
      p->setClipRegion(logical);
  } else if (FBaseHasClip) {
    p->setClipRegion(FBaseClip);
  } else {
    p->setClipping(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Lines and shapes

bool TQtCanvas::StartShape(QPainter* p) {
  bool skip;
  p->setCompositionMode(ModeFor(pen_.Mode(), &skip));
  if (skip) return false;
  UseClip(p);
  return true;
}

void TQtCanvas::MapSpan(int& l, int& r) const {
  if (!mirrored_) return;
  TRect m = MapArea(TRect{l, 0, r, 0});
  l = m.Left;
  r = m.Right;
}

void TQtCanvas::SetOutlineAndFill(QPainter* p) {
  if (pen_.Style() == psClear)
    p->setPen(Qt::NoPen);
  else
    p->setPen(QPen(ToQColor(pen_.Color()), pen_.Width() <= 1 ? 0 : pen_.Width()));
  p->setBrush(brush_.Style() == bsClear ? QBrush(Qt::NoBrush)
                                         : QBrush(ToQColor(brush_.Color()), QtBrushStyle(brush_.Style())));
}

void TQtCanvas::PlotLine(QPainter* p, int x0, int y0, int x1, int y1, bool withEnd) {
  if ((x0 == x1 || y0 == y1) && pen_.Style() == psSolid && p->transform().type() <= QTransform::TxTranslate) {
    // A straight solid line is a one-pixel-wide rectangle: the same pixels, each once, filled (a
    // page of cells draws hundreds of grid lines).
    int l = std::min(x0, x1), r = std::max(x0, x1), t = std::min(y0, y1), b = std::max(y0, y1);
    if (!withEnd) {
      if (x0 == x1 && y0 == y1) return;
      // The end point is left out: the far end of the span.
      if (y0 == y1) (x1 > x0 ? r : l) += x1 > x0 ? -1 : 1;
      else (y1 > y0 ? b : t) += y1 > y0 ? -1 : 1;
    }
    p->fillRect(QRect(l, t, r - l + 1, b - t + 1), ToQColor(pen_.Color()));
    return;
  }
  std::vector<QPoint> pts;
  LinePoints(x0, y0, x1, y1, withEnd, pts);
  KeepDashes(pts, pen_.Style());
  if (pts.empty()) return;
  p->setPen(QPen(ToQColor(pen_.Color()), 0));
  p->setBrush(Qt::NoBrush);
  p->drawPoints(pts.data(), static_cast<int>(pts.size()));
}

void TQtCanvas::LineTo(int x, int y) {
  TPoint from = penPos_;
  penPos_ = {x, y};
  TQtPainterScope p(this);
  if (!p || pen_.Style() == psClear || !StartShape(p.get())) return;
  if (pen_.Width() <= 1) {
    PlotLine(p.get(), MapX(from.X), from.Y, MapX(x), y, false);
  } else {
    QPen pen(ToQColor(pen_.Color()), pen_.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p->setPen(pen);
    p->drawLine(MapX(from.X), from.Y, MapX(x), y);
  }
}

void TQtCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  TPoint keep = penPos_;
  penPos_ = points[0];
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  penPos_ = keep;  // Polyline does not move the pen
}

void TQtCanvas::FillQRect(QPainter* p, const QRect& r, TColor c, TBrushStyle style) {
  if (style == bsClear || r.isEmpty()) return;
  if (style != bsSolid && BkMode() == OPAQUE) p->fillRect(r, ToQColor(clWhite));
  p->fillRect(r, QBrush(ToQColor(c), QtBrushStyle(style)));
}

void TQtCanvas::Rectangle(int l, int t, int r, int b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  MapSpan(l, r);
  TQtPainterScope p(this);
  if (!p || r == l || b == t || !StartShape(p.get())) return;
  bool pen = pen_.Style() != psClear;
  int w = std::max(1, pen_.Width());
  if (!pen) {
    FillQRect(p.get(), QRect(l, t, r - l - 1, b - t - 1), brush_.Color(), brush_.Style());
    return;
  }
  if (pen_.Style() == psSolid && brush_.Style() == bsSolid && ColorToRGB(pen_.Color()) == ColorToRGB(brush_.Color())) {
    // Outline and inside in one colour (a cell's fill, a gradient band): the parts below cover the
    // rectangle once without overlap, so one fill puts the same pixels.
    p->fillRect(QRect(l, t, r - l, b - t), ToQColor(pen_.Color()));
    return;
  }
  FillQRect(p.get(), QRect(l + w, t + w, r - l - 2 * w, b - t - 2 * w), brush_.Color(), brush_.Style());
  if (w == 1 && pen_.Style() == psSolid) {
    // Four edges that do not overlap: every pixel once, as the point path below, but filled.
    QColor c = ToQColor(pen_.Color());
    if (r - l <= 2 || b - t <= 2) {
      p->fillRect(QRect(l, t, r - l, b - t), c);
    } else {
      p->fillRect(QRect(l, t, r - l, 1), c);
      p->fillRect(QRect(l, b - 1, r - l, 1), c);
      p->fillRect(QRect(l, t + 1, 1, b - t - 2), c);
      p->fillRect(QRect(r - 1, t + 1, 1, b - t - 2), c);
    }
  } else if (w == 1) {
    // One closed path, every pixel once (XOR outlines stay intact at the corners).
    std::vector<QPoint> pts;
    if (r - l == 1 || b - t == 1) {
      for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) pts.emplace_back(x, y);
    } else {
      for (int x = l; x < r; ++x) pts.emplace_back(x, t);
      for (int y = t + 1; y < b; ++y) pts.emplace_back(r - 1, y);
      for (int x = r - 2; x >= l; --x) pts.emplace_back(x, b - 1);
      for (int y = b - 2; y > t; --y) pts.emplace_back(l, y);
    }
    KeepDashes(pts, pen_.Style());
    p->setPen(QPen(ToQColor(pen_.Color()), 0));
    if (!pts.empty()) p->drawPoints(pts.data(), static_cast<int>(pts.size()));
  } else {
    QColor c = ToQColor(pen_.Color());
    QRect outer(l, t, r - l, b - t);
    QRegion frame = QRegion(outer).subtracted(QRegion(outer.adjusted(w, w, -w, -w)));
    for (const QRect& part : frame) p->fillRect(part, c);
  }
}

void TQtCanvas::FillRect(const TRect& r) {
  TQtPainterScope p(this);
  if (!p) return;
  UseClip(p.get());
  QRect q = ToQRect(MapArea(r)).normalized();
  FillQRect(p.get(), q, brush_.Color(), brush_.Style() == bsClear ? bsClear : brush_.Style());
}

void TQtCanvas::FrameRect(const TRect& r) {
  TQtPainterScope p(this);
  if (!p || r.IsEmpty()) return;
  UseClip(p.get());
  QColor c = ToQColor(brush_.Color());
  QRect outer = ToQRect(MapArea(r));
  QRegion frame = QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1)));
  for (const QRect& part : frame) p->fillRect(part, c);
}

void TQtCanvas::RoundRect(int l, int t, int r, int b, int ew, int eh) {
  MapSpan(l, r);
  TQtPainterScope p(this);
  if (!p || r == l || b == t || !StartShape(p.get())) return;
  SetOutlineAndFill(p.get());
  p->drawRoundedRect(QRectF(l, t, r - l - 1, b - t - 1), ew / 2.0, eh / 2.0);
}

void TQtCanvas::Ellipse(int l, int t, int r, int b) {
  MapSpan(l, r);
  TQtPainterScope p(this);
  if (!p || r == l || b == t || !StartShape(p.get())) return;
  SetOutlineAndFill(p.get());
  p->drawEllipse(QRectF(l, t, r - l - 1, b - t - 1));
}

void TQtCanvas::Polygon(const std::vector<TPoint>& given) {
  TQtPainterScope p(this);
  if (!p || given.size() < 2 || !StartShape(p.get())) return;
  std::vector<TPoint> points = given;
  for (TPoint& pt : points) pt.X = MapX(pt.X);
  QPolygon poly;
  for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
  if (brush_.Style() != bsClear) {
    p->setPen(Qt::NoPen);
    p->setBrush(QBrush(ToQColor(brush_.Color()), QtBrushStyle(brush_.Style())));
    p->drawPolygon(poly, Qt::OddEvenFill);
  }
  if (pen_.Style() != psClear) {
    if (pen_.Width() <= 1) {
      // Closed outline: each edge without its end point covers every vertex once.
      std::vector<QPoint> pts;
      for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        LinePoints(a.X, a.Y, b.X, b.Y, false, pts);
      }
      p->setPen(QPen(ToQColor(pen_.Color()), 0));
      p->setBrush(Qt::NoBrush);
      if (!pts.empty()) p->drawPoints(pts.data(), static_cast<int>(pts.size()));
    } else {
      p->setPen(QPen(ToQColor(pen_.Color()), pen_.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p->setBrush(Qt::NoBrush);
      p->drawPolygon(poly);
    }
  }
}

// Bands at once: a gradient cell is a few dozen one-pixel bands, and a page repeats the same
// cells. The bands' final colours, line by line, are kept as a picture and copied in one go.
namespace {

class TBandPictures {
 public:
  // The picture of Lines (one colour each) drawn Across pixels wide (Rows) or high.
  const QImage& Find(bool Rows, int Across, const std::vector<QRgb>& Lines) {
    for (size_t i = 0; i < FPictures.size(); ++i) {
      TPicture& t = *FPictures[i];
      if (t.Rows == Rows && t.Across == Across && t.Lines == Lines) {
        if (i > 0) std::swap(FPictures[i], FPictures[0]);
        return FPictures[0]->Image;
      }
    }
    if (FPictures.size() >= kPictures) FPictures.pop_back();
    auto t = std::make_unique<TPicture>();
    t->Rows = Rows;
    t->Across = Across;
    t->Lines = Lines;
    const int n = static_cast<int>(Lines.size());
    t->Image = QImage(Rows ? Across : n, Rows ? n : Across, QImage::Format_RGB32);
    for (int y = 0; y < t->Image.height(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(t->Image.scanLine(y));
      if (Rows)
        std::fill(row, row + Across, Lines[static_cast<size_t>(y)]);
      else
        std::copy(Lines.begin(), Lines.end(), row);
    }
    FPictures.insert(FPictures.begin(), std::move(t));
    return FPictures[0]->Image;
  }

  // The picture of the last bands put down, where Bands are those bands moved by the same
  // distance (a page's next cell); null otherwise.
  const QImage* Repeated(const TCanvas::TColorBand* Bands, size_t Count, QPoint& At) const {
    if (Count != FLast.size() || Count == 0) return nullptr;
    const int dx = Bands[0].R.Left - FLast[0].R.Left, dy = Bands[0].R.Top - FLast[0].R.Top;
    for (size_t i = 0; i < Count; ++i) {
      const TCanvas::TColorBand &a = Bands[i], &b = FLast[i];
      if (a.Color != b.Color || a.R.Left - dx != b.R.Left || a.R.Right - dx != b.R.Right || a.R.Top - dy != b.R.Top ||
          a.R.Bottom - dy != b.R.Bottom)
        return nullptr;
    }
    At = FLastAt + QPoint(dx, dy);
    return &FLastImage;
  }
  void Remember(const TCanvas::TColorBand* Bands, size_t Count, const QImage& Image, QPoint At) {
    FLast.assign(Bands, Bands + Count);
    FLastImage = Image;
    FLastAt = At;
  }

  static constexpr int kMaxPixels = 16 * 1024;

 private:
  static constexpr size_t kPictures = 16;
  struct TPicture {
    bool Rows = true;
    int Across = 0;
    std::vector<QRgb> Lines;
    QImage Image;
  };
  std::vector<std::unique_ptr<TPicture>> FPictures;
  std::vector<TCanvas::TColorBand> FLast;
  QImage FLastImage;
  QPoint FLastAt;
};

TBandPictures& BandPictures() {
  static auto* pictures = new TBandPictures;  // painting ends before exit; never torn down
  return *pictures;
}

// As ToQColor(c).rgb(), without going through QColor's channels.
QRgb QtRgbOf(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Devices on which a copied picture puts the very pixels a solid fill of its colour does.
bool CopiesLikeFills(QPaintDevice* Device) {
  if (!Device) return false;
  switch (Device->devType()) {
    case QInternal::Widget:
    case QInternal::Pixmap:
      return Device->depth() >= 24;  // not a bitmap of two colours nor a 16-bit surface
    case QInternal::Image:
      switch (static_cast<QImage*>(Device)->format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
        case QImage::Format_RGB888:
        case QImage::Format_BGR888:
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

// A picture copied at whole pixels onto such a device puts what fills of its colours would.
bool PicturesLikeFills(QPainter* P) {
  const QTransform& t = P->transform();
  return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy()) &&
         P->opacity() == 1.0 && CopiesLikeFills(P->device());
}

}  // namespace

bool TQtCanvas::FillBandsAtOnce(const TColorBand* Bands, size_t Count) {
  if (Count < 3 || mirrored_ || pen_.Style() != psSolid || brush_.Style() != bsSolid || pen_.Mode() != pmCopy)
    return false;
  TBandPictures& pictures = BandPictures();
  QPoint at;
  if (const QImage* again = pictures.Repeated(Bands, Count, at)) {
    TQtPainterScope p(this);
    if (!p) return true;
    if (!PicturesLikeFills(p.get())) return false;
    if (StartShape(p.get())) p->drawImage(at, *again);
    return true;
  }
  // All bands one span across (rows) or one span down (columns), as a gradient's are.
  auto norm = [](TRect r) {
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
  };
  const TRect first = norm(Bands[0].R);
  bool rows = true, cols = true;
  int lo = INT_MAX, hi = INT_MIN;
  for (size_t i = 0; i < Count; ++i) {
    const TRect r = norm(Bands[i].R);
    rows = rows && r.Left == first.Left && r.Right == first.Right;
    cols = cols && r.Top == first.Top && r.Bottom == first.Bottom;
  }
  if (!rows && !cols) return false;
  const int across = rows ? first.Right - first.Left : first.Bottom - first.Top;
  if (across <= 0) return false;
  for (size_t i = 0; i < Count; ++i) {
    const TRect r = norm(Bands[i].R);
    const int a = rows ? r.Top : r.Left, b = rows ? r.Bottom : r.Right;
    if (a == b) continue;  // an empty band draws nothing
    lo = std::min(lo, a);
    hi = std::max(hi, b);
  }
  if (lo >= hi || static_cast<long long>(hi - lo) * across > TBandPictures::kMaxPixels) return false;
  // The colour each line ends with: the last band over it. A line no band covers keeps 0 (no
  // colour has alpha 0 here) and leaves the bands to be filled one by one.
  std::vector<QRgb> lines(static_cast<size_t>(hi - lo), 0);
  for (size_t i = 0; i < Count; ++i) {
    const TRect r = norm(Bands[i].R);
    const int a = rows ? r.Top : r.Left, b = rows ? r.Bottom : r.Right;
    if (a == b) continue;
    std::fill(lines.begin() + (a - lo), lines.begin() + (b - lo), QtRgbOf(Bands[i].Color));
  }
  if (std::find(lines.begin(), lines.end(), QRgb(0)) != lines.end()) return false;
  TQtPainterScope p(this);
  if (!p) return true;  // unbound: the bands would draw nothing either
  if (!PicturesLikeFills(p.get())) return false;
  if (!StartShape(p.get())) return true;
  const QImage& picture = pictures.Find(rows, across, lines);
  at = rows ? QPoint(first.Left, lo) : QPoint(lo, first.Top);
  p->drawImage(at, picture);
  pictures.Remember(Bands, Count, picture, at);
  return true;
}

void TQtCanvas::FillBands(const TColorBand* Bands, size_t Count) {
  if (!FillBandsAtOnce(Bands, Count)) {
    TCanvas::FillBands(Bands, Count);
    return;
  }
  pen_.SetColor(Bands[Count - 1].Color);
  brush_.SetColor(Bands[Count - 1].Color);
}

// ---------------------------------------------------------------------------------------------
// Pixels

TColor TQtCanvas::Pixels(int x, int y) {
  QImage* img = NativeImage();
  if (!img) return clNone;
  QPoint d = ToDevice(x, y);
  if (!img->rect().contains(d)) return clNone;
  return FromQColor(img->pixelColor(d));
}

void TQtCanvas::SetPixels(int x, int y, TColor c) {
  TQtPainterScope p(this);
  if (!p) return;
  UseClip(p.get());
  p->setCompositionMode(QPainter::CompositionMode_Source);
  p->fillRect(QRect(MapX(x), y, 1, 1), ToQColor(c));
}

void TQtCanvas::DrawFocusRect(const TRect& given) {
  TRect r = MapArea(given);
  TQtPainterScope p(this);
  if (!p || r.IsEmpty()) return;
  UseClip(p.get());
  // Every other pixel of the one-pixel frame, inverted.
  std::vector<QPoint> pts;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      bool edge = x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1;
      if (edge && ((x + y) & 1) == 0) pts.emplace_back(x, y);
    }
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p->setPen(QPen(QColor(255, 255, 255), 0));
  p->drawPoints(pts.data(), static_cast<int>(pts.size()));
}

void TQtCanvas::FloodFill(int x, int y, TColor c, TFillStyle style) {
  QImage* img = NativeImage();
  QPainter* painter = Painter();
  if (!img || !painter || brush_.Style() == bsClear) return;
  QTransform tr = painter->deviceTransform();
  QPoint start = ToDevice(x, y);
  if (!img->rect().contains(start)) return;
  QRegion baseDevice = FBaseHasClip ? tr.map(FBaseClip) : QRegion();
  auto inClip = [&](QPoint d) {
    if (FHasClip && !FClip.contains(d)) return false;
    if (FBaseHasClip && !baseDevice.contains(d)) return false;
    return true;
  };
  const QRgb key = ToQColor(c).rgb() & 0xFFFFFF;
  const QRgb fill = ToQColor(brush_.Color()).rgb();
  auto match = [&](QPoint d) {
    QRgb v = img->pixel(d) & 0xFFFFFF;
    return style == fsBorder ? v != key : v == key;
  };
  if (!match(start) || !inClip(start)) return;
  std::vector<uint8_t> seen(static_cast<size_t>(img->width()) * img->height(), 0);
  std::deque<QPoint> todo{start};
  std::vector<QPoint> hits;
  while (!todo.empty()) {
    QPoint d = todo.front();
    todo.pop_front();
    if (!img->rect().contains(d)) continue;
    size_t idx = static_cast<size_t>(d.y()) * img->width() + d.x();
    if (seen[idx]) continue;
    seen[idx] = 1;
    if (!match(d) || !inClip(d)) continue;
    hits.push_back(d);
    todo.emplace_back(d.x() + 1, d.y());
    todo.emplace_back(d.x() - 1, d.y());
    todo.emplace_back(d.x(), d.y() + 1);
    todo.emplace_back(d.x(), d.y() - 1);
  }
  for (const QPoint& d : hits) img->setPixel(d, fill);
}

// ---------------------------------------------------------------------------------------------
// Text

void TQtCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) {
  const bool rotated = font_.Orientation() != 0;
  TQtPainterScope p(this, rotated);
  if (!p) return;
  UseClip(p.get());
  if (rect && (options & ETO_CLIPPED)) {
    p->setClipRect(ToQRect(MapArea(*rect)), Qt::IntersectClip);
    FClipApplied = false;
  }
  if (rect && (options & ETO_OPAQUE)) p->fillRect(ToQRect(MapArea(*rect)), ToQColor(brush_.Color()));
  if (text.empty()) return;
  const TQtFontEntry& qf = CachedQtFont(font_);
  // The text box is measured only when it shows: a box inside a clip rectangle already filled
  // with the same brush changes no pixel.
  const bool boxShows = BkMode() == OPAQUE && !(rect && (options & ETO_CLIPPED) && (options & ETO_OPAQUE) && !rotated);
  int w = 0, h = 0;
  if (mirrored_ || boxShows) {
    w = TextWidth(text);
    h = TextHeight(text);
    // Mirrored, the text box moves and the glyphs stay readable.
    if (mirrored_) x = MapArea(TRect{x, y, x + w, y + h}).Left;
  }
  // Unrotated text is placed by its coordinates, so the shared drawing state keeps its transform.
  int ox = x, oy = y;
  if (rotated) {
    p->translate(x, y);
    p->rotate(-font_.Orientation() / 10.0);
    ox = oy = 0;
  }
  if (boxShows) p->fillRect(QRect(ox, oy, w, h), ToQColor(brush_.Color()));
  // The painter resolves a font anew for its device on every setFont.
  if (!FDrawingFontSet || !FDrawingFont.isCopyOf(qf.Font)) {
    p->setFont(qf.Font);
    FDrawingFont = qf.Font;
    FDrawingFontSet = !rotated;
  }
  const QColor penColor = ToQColor(font_.Color());
  if (TShapedTexts::TShaped* shaped = rotated ? nullptr : ShapedTexts().Find(p.get(), qf.Font, text)) {
    // A text drawn again is copied as a picture where that puts the very pixels its glyphs do.
    QPoint at;
    if (p->compositionMode() == QPainter::CompositionMode_SourceOver && PicturesLikeFills(p.get()))
      if (const QImage* picture = ShapedTexts().Picture(*shaped, penColor.rgb(), at)) {
        p->drawImage(QPoint(ox, oy + qf.Ascent) + at, *picture);
        return;
      }
    p->setPen(penColor);
    for (const QGlyphRun& run : shaped->Runs) p->drawGlyphRun(QPointF(ox, oy + qf.Ascent), run);
    return;
  }
  p->setPen(penColor);
  p->drawText(QPoint(ox, oy + qf.Ascent), QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

// ---------------------------------------------------------------------------------------------
// Clip

void TQtCanvas::SetClipRect(const TRect& r) {
  FClipApplied = false;
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  FClip = tr.map(QRegion(ToQRect(MapArea(r)).normalized()));
  FHasClip = true;
}

void TQtCanvas::SetClipEllipse(const TRect& r) {
  FClipApplied = false;
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  FClip = tr.map(QRegion(ToQRect(MapArea(r)).normalized(), QRegion::Ellipse));
  FHasClip = true;
}

void TQtCanvas::SetClipRoundRect(const TRect& r, int ellipseW, int ellipseH) {
  FClipApplied = false;
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  const QRect box = ToQRect(MapArea(r)).normalized();
  const int w = std::min(ellipseW, box.width()), h = std::min(ellipseH, box.height());
  // The box less its four corners, each corner added back as a quarter of a w x h ellipse.
  QRegion region = QRegion(box.adjusted(w / 2, 0, -(w / 2), 0)).united(QRegion(box.adjusted(0, h / 2, 0, -(h / 2))));
  region = region.united(QRegion(QRect(box.left(), box.top(), w, h), QRegion::Ellipse));
  region = region.united(QRegion(QRect(box.right() + 1 - w, box.top(), w, h), QRegion::Ellipse));
  region = region.united(QRegion(QRect(box.left(), box.bottom() + 1 - h, w, h), QRegion::Ellipse));
  region = region.united(QRegion(QRect(box.right() + 1 - w, box.bottom() + 1 - h, w, h), QRegion::Ellipse));
  FClip = tr.map(region);
  FHasClip = true;
}

void TQtCanvas::IntersectClipRect(const TRect& r) {
  FClipApplied = false;
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  QRegion add = tr.map(QRegion(ToQRect(MapArea(r)).normalized()));
  FClip = FHasClip ? FClip.intersected(add) : add;
  FHasClip = true;
}

void TQtCanvas::ExcludeClipRect(const TRect& r) {
  FClipApplied = false;
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  QRegion cut = tr.map(QRegion(ToQRect(MapArea(r)).normalized()));
  if (!FHasClip) {
    QRect all(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
    if (p && p->device()) all = QRect(0, 0, p->device()->width(), p->device()->height());
    FClip = QRegion(all);
  }
  FClip = FClip.subtracted(cut);
  FHasClip = true;
}

void TQtCanvas::SelectClipRgn(std::nullptr_t) {
  FClipApplied = false;
  FHasClip = false;
  FClip = QRegion();
}

bool TQtCanvas::RectVisible(const TRect& r) {
  QPainter* p = Painter();
  QTransform tr = p ? p->deviceTransform() : QTransform();
  QRegion want = tr.map(QRegion(ToQRect(MapArea(r)).normalized()));
  if (FHasClip) want = want.intersected(FClip);
  if (FBaseHasClip) want = want.intersected(tr.map(FBaseClip));
  return !want.isEmpty();
}

int TQtCanvas::SaveDC() {
  FSaved.push_back({SaveBaseState(), FHasClip, FClip});
  return static_cast<int>(FSaved.size());
}

bool TQtCanvas::RestoreDC(int saved) {
  int n = static_cast<int>(FSaved.size());
  int target = saved < 0 ? n + saved + 1 : saved;  // -1: the last save
  if (target < 1 || target > n) return false;
  const TSavedDC& s = FSaved[target - 1];
  RestoreBaseState(s.Base);
  FHasClip = s.HasClip;
  FClip = s.Clip;
  FClipApplied = false;
  FSaved.resize(target - 1);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Pictures

namespace {
// The pixels a graphic shows: a transparent bitmap loses its key colour, a 32-bit bitmap without
// defined alpha is opaque.
QImage ShownImage(TGraphic* g) {
  const QImage* src = g->NativeImage();
  if (!src || src->isNull()) return QImage();
  if (auto* bmp = dynamic_cast<TBitmap*>(g)) {
    QImage img = src->convertToFormat(QImage::Format_ARGB32);
    bool alpha = bmp->PixelFormat() == pf32bit && bmp->AlphaFormat() != afIgnored;
    QRgb key = bmp->Transparent() ? (ToQColor(bmp->TransparentColor()).rgb() & 0xFFFFFF) : 0;
    for (int y = 0; y < img.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        if (!alpha) line[x] |= 0xFF000000u;
        if (bmp->Transparent() && (line[x] & 0xFFFFFF) == key) line[x] = 0;
      }
    }
    if (alpha && bmp->AlphaFormat() == afPremultiplied)
      img.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return img;
  }
  return *src;
}
}  // namespace

void TQtCanvas::DrawImageAt(const QRect& dest, const QImage& img, const QRect& src) {
  TQtPainterScope p(this);
  if (!p || img.isNull()) return;
  UseClip(p.get());
  p->drawImage(dest, img, src);
}

void TQtCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  QImage img = ShownImage(graphic);
  DrawImageAt(ToQRect(MapArea(TRect{x, y, x + img.width(), y + img.height()})), img, img.rect());
}

void TQtCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  QImage img = ShownImage(graphic);
  DrawImageAt(ToQRect(MapArea(r)), img, img.rect());
}

void TQtCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
  if (!source) return;
  QImage* si = source->NativeImage();
  if (!si) return;
  TRect s = source->Mirrored() ? MirrorRect(src, source->MirrorWidth()) : src;
  QRect sr = ToQRect(s);
  QPainter* sp = source->NativePainter();
  if (sp) sr = sp->deviceTransform().mapRect(sr);
  QImage part = si->copy(sr);  // a copy: source and destination may be the same image
  TQtPainterScope p(this);
  if (!p) return;
  UseClip(p.get());
  p->setCompositionMode(QPainter::CompositionMode_Source);
  p->drawImage(ToQRect(MapArea(dest)), part);
}

void TQtCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor key) {
  if (!bitmap || bitmap->Empty()) return;
  const QImage* bi = bitmap->NativeImage();
  QImage part = bi->copy(ToQRect(src)).convertToFormat(QImage::Format_RGB32);
  const QRgb k = ToQColor(key).rgb() & 0xFFFFFF;
  const QRgb b = ToQColor(brush_.Color()).rgb();
  for (int y = 0; y < part.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((line[x] & 0xFFFFFF) == k) line[x] = b;
  }
  DrawImageAt(ToQRect(MapArea(dest)), part, part.rect());
}

bool TQtCanvas::DoDrawFrameControl(const TRect& given, unsigned type, unsigned state) {
  TRect r = MapArea(given);
  TQtPainterScope p(this, true);
  if (!p) return false;
  UseClip(p.get());
  // The style may paint a shadow or focus ring outside; the system call never does.
  p->setClipRect(ToQRect(r), Qt::IntersectClip);
  return QtDrawFrameControl(p.get(), QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), type, state);
}

bool TQtCanvas::DoThemeDrawBackground(const String& themeClass, int part, int state, const TRect& given) {
  TRect r = MapArea(given);
  TQtPainterScope p(this, true);
  if (!p) return false;
  UseClip(p.get());
  p->setClipRect(ToQRect(r), Qt::IntersectClip);
  return QtDrawThemePart(p.get(), QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), themeClass, part,
                         state);
}
