#pragma once
// Platform-internal: the canvas backend on a QPainter. Include only from platform .cpp files.
//
// A control's canvas lives as long as the control and is bound to a painter only while it paints:
//
//     void MyWidget::paintEvent(QPaintEvent*) {
//       QPainter p(this);
//       canvas->Bind(&p);      // clip, pen position and background mode start afresh
//       control->Paint();      // draws through canvas
//       canvas->Unbind();
//     }
//
// While unbound, drawing calls do nothing and measuring still works. A painter handed in is left
// in the state it came: the canvas saves it once and keeps its own settings (no anti-aliasing, its
// clip) from one drawing call to the next, so that a run of calls (the bands of a gradient) does not
// save, restore and clip the painter again each time. NativePainter hands the painter back as it came.
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <functional>
#include <memory>
#include <vector>

#include "platform/Graphics.h"

class TQtCanvas : public TCanvas {
 public:
  TQtCanvas() = default;
  explicit TQtCanvas(QPainter* painter) { Bind(painter); }
  ~TQtCanvas() override;

  void Bind(QPainter* painter);
  void Unbind();
  bool Bound() const { return FPainter != nullptr; }

  void LineTo(int x, int y) override;
  void Rectangle(int l, int t, int r, int b) override;
  using TCanvas::Rectangle;
  void FillRect(const TRect& r) override;
  void FrameRect(const TRect& r) override;
  void RoundRect(int l, int t, int r, int b, int ellipseW, int ellipseH) override;
  void Ellipse(int l, int t, int r, int b) override;
  using TCanvas::Ellipse;
  void Polygon(const std::vector<TPoint>& points) override;
  void Polyline(const std::vector<TPoint>& points) override;
  TColor Pixels(int x, int y) override;
  void SetPixels(int x, int y, TColor c) override;
  void DrawFocusRect(const TRect& r) override;
  void FloodFill(int x, int y, TColor c, TFillStyle style) override;
  void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) override;
  void SetClipRect(const TRect& r) override;
  void IntersectClipRect(const TRect& r) override;
  void ExcludeClipRect(const TRect& r) override;
  void SelectClipRgn(std::nullptr_t) override;
  void SetClipEllipse(const TRect& r) override;
  void SetClipRoundRect(const TRect& r, int ellipseW, int ellipseH) override;
  bool RectVisible(const TRect& r) override;
  int SaveDC() override;
  bool RestoreDC(int saved) override;
  void Draw(int x, int y, TGraphic* graphic) override;
  void StretchDraw(const TRect& r, TGraphic* graphic) override;
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src) override;
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor key) override;
  bool DoDrawFrameControl(const TRect& r, unsigned type, unsigned state) override;
  bool DoThemeDrawBackground(const String& themeClass, int part, int state, const TRect& r) override;
  void FillBands(const TColorBand* Bands, size_t Count) override;

  QPainter* NativePainter() override;
  QImage* NativeImage() override;
  // A paged device (a printer, a PDF page) answers its resolution; anything else 96, unless a
  // resolution was given here (0: none), as a raster that stands for a printer's page has.
  int DevicePixelsPerInch(bool Vertical) override;
  void SetDeviceResolution(int DpiX, int DpiY) {
    FDpiX = DpiX;
    FDpiY = DpiY;
  }

 protected:
  // Backends that open their painter lazily (a bitmap's canvas) override this.
  virtual QPainter* Painter() { return FPainter; }
  // Device pixel of logical (x, y), for direct image access.
  QPoint ToDevice(int x, int y);
  // Re-applies the clip to a freshly opened painter.
  void ApplyClip(QPainter* p);
  // Back to the painter's state from before the first drawing call; a backend calls it before its
  // painter ends.
  void EndDrawing();
  // Logical to device x under the right-to-left orientation (identity otherwise): a point, and
  // an area (whose right edge is exclusive).
  int MapX(int x) const { return mirrored_ ? mirrorWidth_ - x : x; }
  TRect MapArea(const TRect& r) const {
    return mirrored_ ? MirrorRect(r, mirrorWidth_) : r;
  }

  QPainter* FPainter = nullptr;

 private:
  friend class TQtPainterScope;
  // The painter with the drawing state open (saved once over the painter's own state, anti-aliasing
  // off); null when there is no painter. Each call sets its pen, brush and font; the composition mode
  // returns to the painter's own here.
  QPainter* BeginDrawing();
  // ApplyClip unless the drawing state holds the current clip already.
  void UseClip(QPainter* p);
  // The pen mode and clip every shape starts with; false when the mode draws nothing (pmNop).
  bool StartShape(QPainter* p);
  // FillBands as one picture of the bands; false where the bands must be filled one by one.
  bool FillBandsAtOnce(const TColorBand* Bands, size_t Count);
  // Left and right edge of a figure under the right-to-left orientation.
  void MapSpan(int& l, int& r) const;
  // The pen (cosmetic up to width 1) and brush of a figure that Qt outlines and fills itself.
  void SetOutlineAndFill(QPainter* p);
  void PlotLine(QPainter* p, int x0, int y0, int x1, int y1, bool withEnd);
  void FillQRect(QPainter* p, const QRect& r, TColor c, TBrushStyle style);
  void DrawImageAt(const QRect& dest, const QImage& img, const QRect& src);
  bool FHasClip = false;
  QRegion FClip;  // device coordinates
  // The painter's own clip at Bind time (a paint event's region) stays in force; logical.
  bool FBaseHasClip = false;
  QRegion FBaseClip;
  struct TSavedDC {
    TSavedState Base;
    bool HasClip = false;
    QRegion Clip;
  };
  std::vector<TSavedDC> FSaved;
  QPainter* FDrawing = nullptr;  // the painter the drawing state is open on
  QPainter::CompositionMode FDrawingMode = QPainter::CompositionMode_SourceOver;
  bool FClipApplied = false;
  bool FDrawingFontSet = false;  // the painter holds FDrawingFont
  QFont FDrawingFont;
  int FDpiX = 0;
  int FDpiY = 0;
};

std::unique_ptr<TQtCanvas> MakeQtCanvas(QPainter* painter);

// Qt colour of a TColor (system colours resolved).
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
// The QFont a TFont stands for (pixel size, family mapping, styles).
QFont ToQFont(const TFont& f);
// The same, with its ascent, made once per distinct font; valid until the next call.
struct TQtFontEntry {
  QFont Font;
  int Ascent = 0;
};
const TQtFontEntry& CachedQtFont(const TFont& f);
// Frame controls and theme parts through the application style (Themes.cpp).
bool QtDrawFrameControl(QPainter* p, const QRect& r, unsigned type, unsigned state);
bool QtDrawThemePart(QPainter* p, const QRect& r, const String& themeClass, int part, int state);
// Makes sure a QApplication exists (offscreen when there is no display), for fonts and styles.
void EnsureQtGuiApplication();
