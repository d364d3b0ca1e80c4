#pragma once
// The small windows of the grid's mouse moves: the slim scroll indicator that stands in for the
// scroll bars with ScrollType ssMetro, and the translucent picture of the cells that follows the
// mouse while a column or row is moved. Both float over the grid without ever taking the focus.
#include <memory>

#include "platform/Controls.h"
#include "platform/Graphics.h"

class TAdvStringGrid;

// Window messages of the moves and the move form, beyond the platform's common list.
enum : unsigned { WM_CANCELMODE = 0x001F, WM_MOUSEACTIVATE = 0x0021 };
// Answers to WM_MOUSEACTIVATE.
enum : unsigned { MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4 };

enum TScrollDirection : uint8_t { sdVertical, sdHorizontal };

class TScrollControl : public TCustomControl {
 public:
  explicit TScrollControl(TComponent* AOwner);
  String ClassName() const override { return u"TScrollControl"; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value) { FScrollWidth = Value; }
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }

  // The thumb along the indicator (start, size) in its own pixels; false when every scrollable
  // row (column) is in view and nothing is drawn.
  bool ThumbSpan(int& Start, int& Size) const;
  bool Dragging() const { return FDownOnScroller; }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

 private:
  TAdvStringGrid* GridParent() const;
  TColor FColor = clSilver;
  int FScrollWidth = 4;
  TScrollDirection FDirection = sdVertical;
  bool FDownOnScroller = false;
  int FDownPos = 0;
  int FDownRow = 0;
};

// The move form: a picture of cells shown at alpha 192 over the grid's form; it never activates.
class TNoActiveForm : public TCustomControl {
 public:
  explicit TNoActiveForm(TComponent* AOwner);
  ~TNoActiveForm() override;
  String ClassName() const override { return u"TNoActiveForm"; }
  static constexpr uint8_t kAlpha = 192;

  TBitmap* Picture() const { return FPicture.get(); }
  // Screen coordinates, as the pop-up it stands for takes them.
  void MoveTo(int ScreenX, int ScreenY);
  void Show();
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TBitmap> FPicture;
  bool FOverlay = false;
};
