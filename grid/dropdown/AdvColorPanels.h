#pragma once
// Two of the colour picker's choosers: the colour cube, a honeycomb of 127 hexagonal cells laid
// out as one large hexagon, and the spectrum, a picture of all hues and lightnesses from which
// the colour under the mouse is picked. Both mark the hot and the selected colour and report a
// choice through OnSelect.
#include <array>

#include "platform/Controls.h"
#include "platform/ExtCtrls.h"

class TAdvCustomColorSelectorPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  String ClassName() const override { return u"TAdvCustomColorSelectorPanel"; }

 protected:
  // Fired when a mouse button is released over the panel; no one sets it in this program.
  TNotifyEvent FOnShouldHide;
};

class TAdvColorCubePanel : public TAdvCustomColorSelectorPanel {
 public:
  static constexpr int kCellCount = 127;
  struct TCubeCell {
    TPoint Center;
    TColor Color = clNone;
  };

  explicit TAdvColorCubePanel(TComponent* AOwner);
  String ClassName() const override { return u"TAdvColorCubePanel"; }

  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value) { SetSelection(Value, -1); }
  bool ShowRGBHint() const { return FShowRGBHint; }
  void SetShowRGBHint(bool Value);
  int SelectedIndex() const { return FSelectedIndex; }
  int HotIndex() const { return FHotIndex; }
  // Cell 1 to 127 (the cells are numbered from 1).
  const TCubeCell& Cell(int Index) const { return FCubeCells[static_cast<size_t>(Index)]; }

  void InitCells();
  void ResetHot();
  void SetPanelSize();
  // Index 1..127 selects that cell; otherwise the first cell of exactly that colour, or none.
  void SetSelection(TColor Color, int Index);
  // The cell whose centre lies within 6 pixels of the point, -1 when none.
  int CellAt(int X, int Y) const;
  // Draws cell Index (1..127) with its hot and selected marks.
  void DrawCubeCell(int Index, TCanvas* Canvas);

  TNotifyEvent OnSelect;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void InvalidateCell(int Index);
  void Hexagon(TCanvas* Canvas, TPoint Center, int W, int Q);

  std::array<TCubeCell, kCellCount + 1> FCubeCells{};  // [0] unused
  TPoint FCubeSize{6, 3};
  TColor FSelectedColor = clNone;
  int FSelectedIndex = -1;
  int FHotIndex = -1;
  bool FShowRGBHint = true;
};

class TAdvColorSpectrumPanel : public TAdvCustomColorSelectorPanel {
 public:
  static constexpr TCursor kPointerCursor = 54;

  explicit TAdvColorSpectrumPanel(TComponent* AOwner);
  ~TAdvColorSpectrumPanel() override;
  String ClassName() const override { return u"TAdvColorSpectrumPanel"; }

  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
  TColor HotColor() const { return FHotColor; }
  TRect HotRect() const { return FHotRect; }
  TRect SelectedRect() const { return FSelectedRect; }
  TImage* SpectrumImage() const { return FSpectrumImage; }

  void UpdateLayout();
  void SetPanelSize();

  TNotifyEvent OnSelect;

 protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void ImageMouseMove(int X, int Y);
  void ImageMouseDown();
  void DrawSwatch(TCanvas* Canvas, const TRect& R, TColor Color);

  TImage* FSpectrumImage = nullptr;  // a child control
  TColor FHotColor = clNone;
  TColor FSelectedColor = 0xFFFFFF;
  TRect FHotRect{};
  TRect FSelectedRect{};
};

// Paints the spectrum picture: 128 x 128, 24 bits, hue across from red through yellow, green,
// cyan, blue and magenta back to red; white at the top, the pure hues in row 64, black at the
// bottom. Registered as the bitmap resource "QEL_SPECTRUM".
void PaintColorSpectrum(TBitmap* Bitmap);
// The eyedropper cursor (32 x 32, hot spot (1, 30)), registered as screen cursor 54.
void RegisterColorPickerResources();
