// The grid's window services: the unit's message hook for the block-focus frame, scroll bars kept
// shown or disabled (ScrollBarAlways), flat scroll bars, the mouse wheel's settings, repainting,
// the inplace editor and its mask, the theme notifier, and the unit's library version look-up.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridTheme.h"
#include "grid/core/AdvInplaceEdit.h"
#include "platform/ExtCtrls.h"

int GetDllFileVersion(const String& FileName) {
  uint32_t ms = 0;
  if (!SystemFileVersion(FileName, ms)) return -1;
  return static_cast<int>(ms);
}

void MakeWindowTransparent(TWinControl* Wnd) {
  if (Wnd) SetWindowExStyle(Wnd, GetWindowExStyle(Wnd) | WS_EX_TRANSPARENT);
}

// =============================================================================================
// Block-focus frame

void TAdvStringGrid::GridCallWndProcHook(TControl* Target, const TMessage& Message) {
  (void)Target;
  if (Message.Msg != WM_WINDOWPOSCHANGING && Message.Msg != WM_WINDOWPOSCHANGED) return;
  TAdvStringGrid* g = FocusWindowGrid();
  if (!g || !g->FFocusWindow) return;
  // Moving the frame is a window move too: it is not followed again.
  static bool moving = false;
  if (moving) return;
  moving = true;
  try {
    g->FFocusWindow->SetBoundsRect(g->FocusWindowRect());
  } catch (...) {
    moving = false;
    throw;
  }
  moving = false;
}

// =============================================================================================
// Scroll bars

void TAdvStringGrid::UpdateScrollBarsAlways(bool HideWhenFit) {
  const bool rowsFit = VisibleRowCount() + TCustomGrid::FixedRows() >= RowCount();
  const bool colsFit = VisibleColCount() + TCustomGrid::FixedCols() >= ColCount();
  if (FScrollBarAlways != saNone) {
    if (rowsFit) ShowScrollBar(true, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
    if (colsFit) ShowScrollBar(false, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
    EnableScrollBar(true, !rowsFit);
    EnableScrollBar(false, !colsFit);
    return;
  }
  // A bar disabled while it was kept shown works again once it is needed.
  EnableScrollBar(true, true);
  EnableScrollBar(false, true);
  if (!HideWhenFit) return;
  if (rowsFit) ShowScrollBar(true, false);
  if (colsFit) ShowScrollBar(false, false);
}

void TAdvStringGrid::SetScrollBarAlways(TScrollBarAlways v) {
  FScrollBarAlways = v;
  UpdateScrollBarsAlways(true);
}

void TAdvStringGrid::SetFlatScrollStyle() {
  if (!FIsFlat) return;
  int mode = FSB_REGULAR_MODE;
  switch (FScrollType) {
    case ssNormal: mode = FSB_REGULAR_MODE; break;
    case ssFlat: mode = FSB_FLAT_MODE; break;
    case ssEncarta: mode = FSB_ENCARTA_MODE; break;
    case ssMetro: return;
  }
  FlatSB_SetScrollProp(WSB_PROP_VSTYLE, mode);
  FlatSB_SetScrollProp(WSB_PROP_HSTYLE, mode);
}

void TAdvStringGrid::SetFlatScrollColor() {
  if (!FIsFlat || FScrollColor == clNone) return;
  FlatSB_SetScrollProp(WSB_PROP_VBKGCOLOR, static_cast<intptr_t>(FScrollColor));
  FlatSB_SetScrollProp(WSB_PROP_HBKGCOLOR, static_cast<intptr_t>(FScrollColor));
}

void TAdvStringGrid::SetFlatScrollWidth() {
  if (!FIsFlat) return;
  FlatSB_SetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth);
  FlatSB_SetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth);
}

void TAdvStringGrid::SetScrollWidth(int v) {
  FScrollWidth = v;
  SetFlatScrollWidth();
}

void TAdvStringGrid::SetScrollColor(TColor v) {
  FScrollColor = v;
  SetFlatScrollColor();
}

void TAdvStringGrid::SetScrollType(TScrollType v) {
  if (FScrollType == v) return;
  FScrollType = v;
  // Flat bars are set up on the window; before it exists its creation does it.
  if (HandleAllocated()) {
    if (v == ssFlat || v == ssEncarta) {
      FIsFlat = InitializeFlatSB();
      SetFlatScrollStyle();
      SetFlatScrollColor();
      SetFlatScrollWidth();
    } else if (FIsFlat) {
      FIsFlat = false;
      UninitializeFlatSB();
    }
  }
  if (v == ssMetro) {
    // The slim indicators stand in for the system bars.
    SetScrollBars(ssNone);
    if (HandleAllocated()) UpdateScrollIndicators();
  } else if (FVertIndicator || FHorzIndicator) {
    FreeScrollIndicators();
    SetScrollBars(ssBoth);
  }
  SetFlatScrollStyle();
}

void TAdvStringGrid::SetUpWheel() {
  FWheelMsg = WM_MOUSEWHEEL;
  FWheelScrollLines = WheelScrollLines();
  if (FWheelScrollLines == -1) FWheelScrollLines = VisibleRowCount();  // a page per notch
  FWheelPan = false;
}

// =============================================================================================
// Repainting and the inplace editor

void TAdvStringGrid::Invalidate() {
  if (FEditChange) {
    FEditChange = false;
    return;
  }
  TBaseGrid::Invalidate();
  if (!Loading()) RepaintFooterPanel();
}

TInplaceEdit* TAdvStringGrid::CreateEditor() { return New<TAdvInplaceEdit>(this); }

String TAdvStringGrid::GetEditMask(int DCol, int DRow) {
  String mask = FEditMask;
  if (OnGetEditMask) OnGetEditMask(this, DCol, DRow, mask);
  return mask;
}

// =============================================================================================
// Theme notifier

void TAdvStringGrid::FollowThemeNotifier(bool Register) {
  if (Register == FThemeRegistered) return;
  GridThemeNotification(this, Register);
  FThemeRegistered = Register;
}

void TAdvStringGrid::OleDropTargetChanged(bool Value) {
  if (Designing()) return;
  if (!Value) {
    RevokeGridDropTarget();
    return;
  }
  if (FDropTargetRegistered) return;
  if (!FGridDropTarget) FGridDropTarget = std::make_unique<TGridDropTarget>(this);
  FDropTargetRegistered = RegisterDragDrop(this, FGridDropTarget.get());
}

void TAdvStringGrid::RevokeGridDropTarget() {
  if (FDropTargetRegistered) RevokeDragDrop(this);
  FDropTargetRegistered = false;
}

void TAdvStringGrid::SetAutoThemeAdapt(bool v) {
  if (v == FAutoThemeAdapt) return;
  FAutoThemeAdapt = v;
  FSearchFooter->SetAutoThemeAdapt(v);
  if (v) {
    FollowOfficeTheme();
    Invalidate();
  }
  if (!Designing() && !Loading() && HandleAllocated()) FollowThemeNotifier(v);
}
