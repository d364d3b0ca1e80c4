#include "grid/foundation/AdvObjOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "grid/foundation/AdvObjControlUtil.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"
#include "platform/SysUtils.h"

// ---- arrow and focus windows -------------------------------------------------------------------

namespace {
// Screen coordinates to the form's client pixels (unchanged while there is no form).
TPoint OverlayPlace(TControl* Control, int X, int Y) {
  if (TForm* form = GetParentForm(Control)) return form->ScreenToClient(Point(X, Y));
  return Point(X, Y);
}
// Where the control stands on the screen, so that changing one coordinate keeps the others.
TPoint OverlayScreenPos(TControl* Control) {
  const TPoint p = Point(Control->Left(), Control->Top());
  if (TForm* form = GetParentForm(Control)) return form->ClientToScreen(p);
  return p;
}
}  // namespace

std::vector<TPoint> TArrowWindow::Outline(TArrowDirection Direction) {
  switch (Direction) {
    case arrUp: return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case arrDown: return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case arrLeft: return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case arrRight: return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
  }
  return {};
}

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), Dir(Direction), Arrow(Outline(Direction)) {
  SetColor(clLime);
  SetVisible(false);
  SetParent(AOwner);
  MakeOverlayWindow(this, false);
  SetOverlayPolygon(this, Arrow);
}

void TArrowWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TPoint p = OverlayPlace(this, ALeft, ATop);
  TPanel::SetBounds(p.X, p.Y, AWidth, AHeight);
}

void TArrowWindow::SetLeft(int ScreenX) { SetBounds(ScreenX, OverlayScreenPos(this).Y, Width(), Height()); }
void TArrowWindow::SetTop(int ScreenY) { SetBounds(OverlayScreenPos(this).X, ScreenY, Width(), Height()); }
void TArrowWindow::SetWidth(int AWidth) {
  const TPoint p = OverlayScreenPos(this);
  SetBounds(p.X, p.Y, AWidth, Height());
}
void TArrowWindow::SetHeight(int AHeight) {
  const TPoint p = OverlayScreenPos(this);
  SetBounds(p.X, p.Y, Width(), AHeight);
}

void TArrowWindow::SetVisible(bool Value) {
  TPanel::SetVisible(Value);
  if (Value) AttachOverlayToForm(this);
}

void TArrowWindow::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->Pen()->SetColor(Color());
  c->Rectangle(ClientRect());
}

TGridFocusWindow::TGridFocusWindow(TWinControl* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetColor(clRed);
  SetVisible(false);
  SetEnabled(false);
  SetParent(AOwner);
  MakeOverlayWindow(this, true);
}

void TGridFocusWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TPoint p = OverlayPlace(this, ALeft, ATop);
  TCustomControl::SetBounds(p.X, p.Y, AWidth, AHeight);
}

void TGridFocusWindow::SetLeft(int ScreenX) { SetBounds(ScreenX, OverlayScreenPos(this).Y, Width(), Height()); }
void TGridFocusWindow::SetTop(int ScreenY) { SetBounds(OverlayScreenPos(this).X, ScreenY, Width(), Height()); }
void TGridFocusWindow::SetWidth(int AWidth) {
  const TPoint p = OverlayScreenPos(this);
  SetBounds(p.X, p.Y, AWidth, Height());
}
void TGridFocusWindow::SetHeight(int AHeight) {
  const TPoint p = OverlayScreenPos(this);
  SetBounds(p.X, p.Y, Width(), AHeight);
}

void TGridFocusWindow::SetVisible(bool Value) {
  TCustomControl::SetVisible(Value);
  if (Value) AttachOverlayToForm(this);
}

void TGridFocusWindow::SetFrameShape(const TRect& Outer, const TRect& Hole) { SetOverlayFrame(this, Outer, Hole); }

void TGridFocusWindow::SetOpacity(uint8_t Opacity) { SetOverlayOpacity(this, Opacity); }

// ---- alpha mask ----------------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TGridAlphaMask*>(Source)) {
    Opacity = src->Opacity;
    if (src != this) {
      SetPixelFormat(pf32bit);
      // Only the area both masks cover: a smaller source must not be read past its end.
      const int rows = std::min(Height(), src->Height());
      const int cols = std::min(Width(), src->Width());
      const int srcBpp = BytesPerPixel(src);
      for (int y = 0; y < rows; ++y) {
        const uint8_t* s = src->ScanLine(y);
        uint8_t* d = ScanLine(y);
        if (srcBpp == 4) {
          std::memcpy(d, s, static_cast<size_t>(cols) * 4);
        } else {
          for (int x = 0; x < cols; ++x) {
            std::memcpy(d + x * 4, s + x * 3, 3);
            d[x * 4 + 3] = 255;
          }
        }
      }
    }
  } else {
    TBitmap::Assign(Source);
  }
  SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color) {
  (void)Color;
  if (!Bitmap || Bitmap->PixelFormat() != pf24bit) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  SetPixelFormat(pf32bit);
  SetSize(w, h);
  const int maskW = Mask ? Mask->Width() : 0;
  const int maskH = Mask ? Mask->Height() : 0;
  const int maskBpp = Mask ? BytesPerPixel(Mask) : 3;
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = Bitmap->ScanLine(y);
    const uint8_t* m = y < maskH ? Mask->ScanLine(y) : nullptr;
    uint8_t* d = ScanLine(y);
    for (int x = 0; x < w; ++x) {
      // Outside the mask the pixel is fully transparent.
      const int alpha = (m && x < maskW) ? m[x * maskBpp + 2] : 0;
      for (int ch = 0; ch < 3; ++ch) {
        d[x * 4 + ch] = static_cast<uint8_t>(Round(src[x * 3 + ch] * alpha / 255.0));
      }
      d[x * 4 + 3] = static_cast<uint8_t>(alpha);
    }
  }
}

// ---- masks and blur ------------------------------------------------------------------------------

void MakeRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Radius) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(Width, Height);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBlack);
  c->FillRect(Rect(0, 0, Width, Height));

  TPen oldPen;
  oldPen.Assign(c->Pen());
  TBrush oldBrush;
  oldBrush.Assign(c->Brush());
  if (PenWidth > 0) {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(PenWidth);
    c->Brush()->SetColor(clBlack);
  } else {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWhite);
  }
  const int h = PenWidth / 2;
  c->RoundRect(2 + h, 2 + h, Width - 2 - h, Height - 2 - h, Corner, Corner);
  c->Pen()->Assign(&oldPen);
  c->Brush()->Assign(&oldBrush);

  if (Radius > 0) BlurBitmap(Bitmap, Radius);
}

TBlurKernel MakeBlurKernel(double Radius) {
  TBlurKernel k;
  std::array<float, 21>& w = k.Weights;
  for (int j = -10; j <= 10; ++j) {
    const double x = j / Radius;
    w[static_cast<size_t>(j + 10)] = static_cast<float>(std::exp(-x * x / 2));
  }
  double sum = 0;
  for (float v : w) sum += v;
  for (float& v : w) v = static_cast<float>(v / sum);

  int size = 10;
  double total = 0;
  while (total < 1.0 / 510 && size > 1) {
    total += 2.0 * w[static_cast<size_t>(size + 10)];
    --size;
  }
  sum = 0;
  for (int j = -size; j <= size; ++j) sum += w[static_cast<size_t>(j + 10)];
  for (int j = -size; j <= size; ++j) {
    float& v = w[static_cast<size_t>(j + 10)];
    v = static_cast<float>(v / sum);
  }
  k.Size = size;
  return k;
}

void BlurLine(const TBlurKernel& Kernel, const uint8_t* Line, int Count, uint8_t* Out) {
  const int K = Kernel.Size;
  for (int j = 0; j < Count; ++j) {
    for (int ch = 0; ch < 3; ++ch) {
      double s = 0;
      for (int n = -K; n <= K; ++n) {
        const int at = std::clamp(j - n, 0, Count - 1);
        s += static_cast<double>(Kernel.Weights[static_cast<size_t>(n + 10)]) * Line[at * 3 + ch];
      }
      Out[j * 3 + ch] = s >= 255 ? 255 : (s < 0 ? 0 : static_cast<uint8_t>(s));
    }
  }
}

void BlurBitmap(TBitmap* Bitmap, double Radius) {
  if (Bitmap->PixelFormat() != pf24bit) throw Exception(u"Blur only works for 24-bit bitmaps");
  // A zero or negative radius has no kernel (it would divide by zero).
  if (!(Radius > 0)) return;
  const TBlurKernel kernel = MakeBlurKernel(Radius);
  const int W = Bitmap->Width(), H = Bitmap->Height();
  if (W <= 0 || H <= 0) return;

  std::vector<uint8_t*> rows(static_cast<size_t>(H));
  for (int y = 0; y < H; ++y) rows[static_cast<size_t>(y)] = Bitmap->ScanLine(y);
  std::vector<uint8_t> out(static_cast<size_t>(std::max(W, H)) * 3);
  std::vector<uint8_t> column(static_cast<size_t>(H) * 3);

  for (int r = 0; r < H; ++r) {
    uint8_t* row = rows[static_cast<size_t>(r)];
    if (r > 20 && r < H - 20) {
      std::memcpy(row, rows[15], static_cast<size_t>(W) * 3);
    } else {
      BlurLine(kernel, row, W, out.data());
      std::memcpy(row, out.data(), static_cast<size_t>(W) * 3);
    }
  }
  for (int c = 0; c < W; ++c) {
    const int from = (c > 20 && c < W - 20) ? 15 : -1;
    for (int r = 0; r < H; ++r) {
      uint8_t* px = rows[static_cast<size_t>(r)];
      if (from >= 0) std::memcpy(px + c * 3, px + from * 3, 3);
      else std::memcpy(&column[static_cast<size_t>(r) * 3], px + c * 3, 3);
    }
    if (from >= 0) continue;
    BlurLine(kernel, column.data(), H, out.data());
    for (int r = 0; r < H; ++r) std::memcpy(rows[static_cast<size_t>(r)] + c * 3, &out[static_cast<size_t>(r) * 3], 3);
  }
}
