// The grid's cursors: the selection cursors of the program, drawn here, and the WM_SETCURSOR
// answer that picks one by the mouse-selection mode, the cell selector or the cell.
#include <cstdlib>
#include <functional>

#include "grid/core/AdvGrid.h"

namespace {

// A 32 x 32 picture of the shape Inside: the shape in Fill, its one-pixel rim (outside pixels
// touching it) in Rim.
TCursorImage DrawCursor(const std::function<bool(int X, int Y)>& Inside, uint8_t Fill, uint8_t Rim, int HotX,
                        int HotY) {
  TCursorImage img;
  img.Pixels.assign(32 * 32, 0);
  img.HotX = HotX;
  img.HotY = HotY;
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < 32 && y < 32 && Inside(x, y); };
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      uint8_t& p = img.Pixels[static_cast<size_t>(y * 32 + x)];
      if (in(x, y))
        p = Fill;
      else if (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1))
        p = Rim;
    }
  return img;
}

constexpr uint8_t kBlack = 1;
constexpr uint8_t kWhite = 2;

bool ArrowRight(int x, int y) {
  if (x >= 5 && x <= 16 && y >= 13 && y <= 19) return true;  // shaft
  return x >= 16 && x <= 26 && std::abs(y - 16) <= 26 - x;   // head, tip at (26, 16)
}

bool ThickPlus(int x, int y) {
  return (std::abs(x - 16) <= 3 && y >= 4 && y <= 28) || (std::abs(y - 16) <= 3 && x >= 4 && x <= 28);
}

}  // namespace

void TAdvStringGrid::RegisterGridCursors() {
  if (HasCursorImage(kRowSelectCursor)) return;
  RegisterCursorImage(kRowSelectCursor, DrawCursor(ArrowRight, kBlack, kWhite, 26, 16));
  // The right arrow turned to point down, three pixels left of the middle: tip at (13, 26).
  RegisterCursorImage(kColumnSelectCursor,
                      DrawCursor([](int x, int y) { return ArrowRight(y, x + 3); }, kBlack, kWhite, 13, 26));
  RegisterCursorImage(kAllSelectCursor, DrawCursor(ThickPlus, kBlack, kWhite, 16, 16));
  RegisterCursorImage(kCellSelectorCursor, DrawCursor(ThickPlus, kWhite, kBlack, 16, 16));
}

void TAdvStringGrid::SelectionCursor(TMessage& Message) {
  ChooseSelectionCursor(Message);
  // Over a sizable fixed border, and while it is dragged, the split cursor shows it.
  if (FSizeFixed || FSizingFixed)
    SetCursorNow(this, crHSplit);
  else if (FSizeFixedR || FSizingFixedR)
    SetCursorNow(this, crVSplit);
}

void TAdvStringGrid::ChooseSelectionCursor(TMessage& Message) {
  const bool sizing = GridState() == gsColSizing || GridState() == gsRowSizing;
  if (FMouseSelectMode != msNormal && !sizing) {
    switch (FMouseSelectMode) {
      case msColumn: SetCursorNow(this, kColumnSelectCursor); break;
      case msRow: SetCursorNow(this, kRowSelectCursor); break;
      case msAll:
      case msResize: SetCursorNow(this, kAllSelectCursor); break;
      default: break;  // a link keeps the cursor it has
    }
    Message.Result = 1;
    return;
  }
  if (FCellSelectorMode) {
    SetCursorNow(this, kCellSelectorCursor);
    Message.Result = 1;
    return;
  }
  TBaseGrid::WndProc(Message);
  const TPoint p = ScreenToClient(GetCursorPos());
  int c = -1, r = -1;
  MouseToCell(p.X, p.Y, c, r);
  if (c >= 0 && r >= 0) DoGetCellCursor(RealColIndex(c), r, p.X, p.Y);
}
