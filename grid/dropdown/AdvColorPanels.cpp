#include "grid/dropdown/AdvColorPanels.h"

#include <algorithm>
#include <cmath>

#include "platform/Forms.h"

namespace {

// The cube's colours, row by row of the honeycomb from the top, left to right.
constexpr std::array<TColor, TAdvColorCubePanel::kCellCount> kCubeColors = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,                                // 1
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,                      // 2
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,            // 3
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,  // 4
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099,  // 5
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC, 0xCC0099,  // 6
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF, 0xCC00CC, 0x660066,  // 7
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC, 0x800080,  // 8
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,                                                                                            // 9
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,  // 10
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,            // 11
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,                      // 12
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,                                // 13
};

}  // namespace

// ---- resources ------------------------------------------------------------------------------------

void PaintColorSpectrum(TBitmap* Bitmap) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(128, 128);
  for (int y = 0; y < 128; ++y) {
    uint8_t* row = Bitmap->ScanLine(y);
    for (int x = 0; x < 128; ++x) {
      // The pure hue of the column: six sectors from red round to red.
      const double h = x * 6.0 / 128.0;
      const int sector = static_cast<int>(h);
      const double f = h - sector;
      double r = 0, g = 0, b = 0;
      switch (sector) {
        case 0: r = 1, g = f, b = 0; break;
        case 1: r = 1 - f, g = 1, b = 0; break;
        case 2: r = 0, g = 1, b = f; break;
        case 3: r = 0, g = 1 - f, b = 1; break;
        case 4: r = f, g = 0, b = 1; break;
        default: r = 1, g = 0, b = 1 - f; break;
      }
      // White above the middle row, black below it.
      const auto shade = [y](double c) {
        const double v = y <= 64 ? 1.0 + (c - 1.0) * y / 64.0 : c * (127 - y) / 63.0;
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
      };
      row[x * 3 + 0] = shade(b);
      row[x * 3 + 1] = shade(g);
      row[x * 3 + 2] = shade(r);
    }
  }
}

void RegisterColorPickerResources() {
  static const bool registered = [] {
    RegisterBitmapResource(u"QEL_SPECTRUM", PaintColorSpectrum);
    // The eyedropper: a slanted tube from the tip at the lower left up to a round bulb.
    TBitmap image, mask;
    for (TBitmap* b : {&image, &mask}) {
      b->SetPixelFormat(pf24bit);
      b->SetSize(32, 32);
      b->Canvas()->Brush()->SetColor(clWhite);
      b->Canvas()->FillRect(Rect(0, 0, 32, 32));
    }
    const std::vector<TPoint> tube = {{1, 30}, {2, 25}, {19, 8}, {23, 12}, {6, 29}};
    image.Canvas()->Pen()->SetColor(clBlack);
    image.Canvas()->Brush()->SetColor(clWhite);
    image.Canvas()->Polygon(tube);
    image.Canvas()->Brush()->SetColor(clBlack);
    image.Canvas()->Ellipse(19, 1, 31, 13);
    mask.Canvas()->Pen()->SetColor(clBlack);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->Polygon(tube);
    mask.Canvas()->Ellipse(19, 1, 31, 13);
    RegisterCursorImage(TAdvColorSpectrumPanel::kPointerCursor, CursorImageFromBitmaps(&image, &mask, 1, 30));
    return true;
  }();
  (void)registered;
}

// ---- the cube ---------------------------------------------------------------------------------------

TAdvColorCubePanel::TAdvColorCubePanel(TComponent* AOwner) : TAdvCustomColorSelectorPanel(AOwner) {
  FSelectedColor = clNone;
  FHotIndex = -1;
  FSelectedIndex = -1;
  InitCells();
  SetShowRGBHint(true);
}

void TAdvColorCubePanel::InitCells() {
  FCubeSize = {6, 3};
  int k = 1;
  for (int r = 1; r <= 13; ++r) {
    const int count = r <= 7 ? r + 6 : 20 - r;
    const int x0 = r <= 7 ? 55 - 6 * (r - 1) : 19 + 6 * (r - 7);
    for (int i = 0; i < count; ++i, ++k) {
      FCubeCells[static_cast<size_t>(k)].Center = {x0 + 2 * FCubeSize.X * i, 20 + 10 * (r - 1)};
      FCubeCells[static_cast<size_t>(k)].Color = kCubeColors[static_cast<size_t>(k - 1)];
    }
  }
}

void TAdvColorCubePanel::ResetHot() {
  FHotIndex = -1;
  SetPanelSize();
}

void TAdvColorCubePanel::SetPanelSize() { SetBounds(Left(), Top(), 182, 160); }

void TAdvColorCubePanel::SetShowRGBHint(bool Value) {
  FShowRGBHint = Value;
  SetShowHint(Value);
}

void TAdvColorCubePanel::SetSelection(TColor Color, int Index) {
  FSelectedColor = Color;
  if (Index >= 1 && Index <= kCellCount) {
    FSelectedIndex = Index;
    return;
  }
  FSelectedIndex = -1;
  for (int k = 1; k <= kCellCount; ++k) {
    if (FCubeCells[static_cast<size_t>(k)].Color == Color) {
      FSelectedIndex = k;
      return;
    }
  }
}

int TAdvColorCubePanel::CellAt(int X, int Y) const {
  for (int k = 1; k <= kCellCount; ++k) {
    const TPoint c = FCubeCells[static_cast<size_t>(k)].Center;
    if ((c.X - X) * (c.X - X) + (c.Y - Y) * (c.Y - Y) <= FCubeSize.X * FCubeSize.X) return k;
  }
  return -1;
}

void TAdvColorCubePanel::Hexagon(TCanvas* Canvas, TPoint C, int W, int Q) {
  Canvas->Polygon({{C.X - W, C.Y - Q}, {C.X, C.Y - 2 * Q}, {C.X + W, C.Y - Q}, {C.X + W, C.Y + Q}, {C.X, C.Y + 2 * Q},
                   {C.X - W, C.Y + Q}});
}

void TAdvColorCubePanel::DrawCubeCell(int Index, TCanvas* Canvas) {
  if (Index < 1 || Index > kCellCount || !Canvas) return;
  const TCubeCell& cell = FCubeCells[static_cast<size_t>(Index)];
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(cell.Color);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(cell.Color);
  Hexagon(Canvas, cell.Center, FCubeSize.X, FCubeSize.Y);
  const auto mark = [&](TColor Outer) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(Outer);
    Hexagon(Canvas, cell.Center, FCubeSize.X - 1, FCubeSize.Y);
    Canvas->Pen()->SetColor(clWhite);
    Hexagon(Canvas, cell.Center, FCubeSize.X - 2, FCubeSize.Y - 1);
  };
  if (Index == FHotIndex) mark(0x0000FF);
  if (Index == FSelectedIndex) mark(clBlack);
}

void TAdvColorCubePanel::InvalidateCell(int Index) {
  if (Index < 1 || Index > kCellCount) return;
  const TPoint c = FCubeCells[static_cast<size_t>(Index)].Center;
  InvalidateRect(this, Rect(c.X - FCubeSize.X, c.Y - 2 * FCubeSize.Y, c.X + FCubeSize.X + 1, c.Y + 2 * FCubeSize.Y + 1),
                 false);
}

void TAdvColorCubePanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int k = 1; k <= kCellCount; ++k) DrawCubeCell(k, c);
}

void TAdvColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const int k = CellAt(X, Y);
  if (k < 1) return;
  if (FSelectedIndex >= 1) {
    const int old = FSelectedIndex;
    FSelectedIndex = -1;
    InvalidateCell(old);
  }
  SetSelection(FCubeCells[static_cast<size_t>(k)].Color, k);
  InvalidateCell(k);
  if (OnSelect) OnSelect(this);
}

void TAdvColorCubePanel::MouseMove(TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const int k = CellAt(X, Y);
  if (k > 0 && k != FHotIndex) {
    if (FHotIndex >= 1) {
      const int old = FHotIndex;
      FHotIndex = -1;
      InvalidateCell(old);
    }
    FHotIndex = k;
    InvalidateCell(k);
    if (FShowRGBHint) {
      const TColor c = FCubeCells[static_cast<size_t>(k)].Color;
      SetHint(u"Red: " + IntToStr(static_cast<int>(c & 0xFF)) + u",  Green: " + IntToStr(static_cast<int>((c >> 8) & 0xFF)) +
              u",  Blue: " + IntToStr(static_cast<int>((c >> 16) & 0xFF)));
      if (Application) Application->CancelHint();
    }
  } else if (k < 1 && FShowRGBHint) {
    SetHint(String());
    if (Application) Application->CancelHint();
  }
}

void TAdvColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  if (FOnShouldHide) FOnShouldHide(this);
}

// ---- the spectrum -------------------------------------------------------------------------------------

TAdvColorSpectrumPanel::TAdvColorSpectrumPanel(TComponent* AOwner) : TAdvCustomColorSelectorPanel(AOwner) {
  RegisterColorPickerResources();
  FSpectrumImage = new TImage(this);
  FSpectrumImage->SetParent(this);
  FSpectrumImage->SetBounds(0, 0, 128, 128);
  TBitmap spectrum;
  spectrum.LoadFromResourceName(u"QEL_SPECTRUM");
  FSpectrumImage->Picture()->SetGraphic(&spectrum);
  FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { ImageMouseMove(X, Y); };
  FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ImageMouseDown(); };
  FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    if (FOnShouldHide) FOnShouldHide(this);
  };
  FHotColor = clNone;
  FSelectedColor = 0xFFFFFF;
  FSpectrumImage->SetCursor(kPointerCursor);
}

TAdvColorSpectrumPanel::~TAdvColorSpectrumPanel() {
  delete FSpectrumImage;
  FSpectrumImage = nullptr;
}

void TAdvColorSpectrumPanel::SetPanelSize() { SetBounds(Left(), Top(), 150, 174); }

void TAdvColorSpectrumPanel::UpdateLayout() {
  SetPanelSize();
  FSpectrumImage->SetBounds((Width() - FSpectrumImage->Width()) / 2, 10, FSpectrumImage->Width(),
                            FSpectrumImage->Height());
  const int l = FSpectrumImage->Left(), t = FSpectrumImage->Top(), w = FSpectrumImage->Width();
  const int b = t + FSpectrumImage->Height();
  FSelectedRect = Rect(l - 1, b + 8, l + w / 2 - 2, b + 28);
  FHotRect = Rect(FSelectedRect.Right + 4, FSelectedRect.Top, l + w + 1, FSelectedRect.Bottom);
  FHotColor = clNone;
  Invalidate();
}

void TAdvColorSpectrumPanel::DrawSwatch(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Pen()->SetColor(0x808080);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  Canvas->Pen()->SetColor(clWhite);
  if (Color == clNone) {
    Canvas->Brush()->SetStyle(bsClear);  // no colour yet: the outline alone
  } else {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
  }
  Canvas->Rectangle(R);
}

void TAdvColorSpectrumPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  const TRect image = FSpectrumImage->BoundsRect();
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clWhite);
  c->Rectangle(image.Left - 1, image.Top - 1, image.Right + 1, image.Bottom + 1);
  c->Pen()->SetColor(0x808080);
  c->Rectangle(image.Left - 2, image.Top - 2, image.Right + 2, image.Bottom + 2);
  DrawSwatch(c, FSelectedRect, FSelectedColor);
  DrawSwatch(c, FHotRect, FHotColor);
}

void TAdvColorSpectrumPanel::ImageMouseMove(int X, int Y) {
  // The picture is shown unscaled, so its pixel is the one under the mouse.
  TBitmap* picture = FSpectrumImage->Picture()->Bitmap();
  if (X < 0 || Y < 0 || X >= picture->Width() || Y >= picture->Height()) return;
  FHotColor = picture->Canvas()->Pixels(X, Y);
  InvalidateRect(this, Rect(FHotRect.Left - 1, FHotRect.Top - 1, FHotRect.Right + 1, FHotRect.Bottom + 1), false);
}

void TAdvColorSpectrumPanel::ImageMouseDown() {
  FSelectedColor = FHotColor;
  InvalidateRect(this,
                 Rect(FSelectedRect.Left - 1, FSelectedRect.Top - 1, FSelectedRect.Right + 1, FSelectedRect.Bottom + 1),
                 false);
  if (OnSelect) OnSelect(this);
}

void TAdvColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  if (FOnShouldHide) FOnShouldHide(this);
}
