// The grid's window procedure: the edit-done notice, key, character and button messages to their
// handlers, the grid timer, the wheel with zooming, hints; the update lock and zooming.
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridMoveControls.h"

namespace {

constexpr uintptr_t kGridTimerId = 111;

bool ContainsNoCase(const String& Text, const String& Part) {
  return UpperCase(Text).find(UpperCase(Part)) != String::npos;
}

}  // namespace

void TAdvStringGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) {
    if (FAutoThemeAdapt && !Designing()) FollowThemeNotifier(false);
    RevokeGridDropTarget();
    KillTimer(this, kGridTimerId);
  }
  if (FDestroying) {
    TBaseGrid::WndProc(Message);
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    TBaseGrid::WndProc(Message);
    if (FUpdateCount < 1) PaintLookBorder();
    Message.Result = 0;
    return;
  }
  if (EditFocusMessage(Message)) return;
  if (Message.Msg == WM_COMMAND) ComboEditorCommand(Message);  // then reflected to the combo
  if (Message.Msg == WM_NOTIFY) DateTimeNotify(Message);
  if (Message.Msg == WM_NOTIFY && BalloonNotify(Message)) return;
  if (Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) {
    WMScroll(Message);
    return;
  }
  const int row0 = Row();
  if (Message.Msg == GridEditDoneMessage()) {
    if (OnEditCellDone) OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
    if (FMouseActions->EditOnDblClickOnly()) {
      HideInplaceEdit();
      EditMode = false;
      SetOptions(Options() - TGridOptions{goEditing});
    }
  }
  if ((Message.Msg == WM_THEMECHANGED || Message.Msg == WM_OFFICETHEMECHANGED) && FAutoThemeAdapt) FollowOfficeTheme();
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == kGridTimerId) {
        WMTimer(Message);
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (FWheelMsg == WM_MOUSEWHEEL && !FWheelPan) {
        WMMouseWheel(Message);
        return;
      }
      break;
    case WM_KEYDOWN:
      HandleKeyDownMessage(Message);
      break;
    case WM_CHAR:
      HandleCharMessage(Message);
      break;
    case WM_LBUTTONDOWN:
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      UpdateVScrollBar();
      UpdateHScrollBar();
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(Message);
      break;
    case WM_RBUTTONDOWN:
      WMRButtonDown(Message);
      break;
    case WM_RBUTTONUP:
      // Swallowed during a move: no context menu opens over the dragged header.
      if (EnhancedMoveRunning()) {
        Message.Result = 0;
        return;
      }
      TBaseGrid::WndProc(Message);
      break;
    case WM_CANCELMODE:
      CancelEnhancedMove();
      TBaseGrid::WndProc(Message);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      break;
    case CM_HINTSHOW:
      CMHintShow(Message);
      return;
    case CM_ENABLEDCHANGED:
      TBaseGrid::WndProc(Message);
      Invalidate();
      break;
    default:
      TBaseGrid::WndProc(Message);
      break;
  }
  if (Row() != row0 && FSyncGrid->SelectionRow() && FSyncGrid->Grid()) FSyncGrid->Grid()->SetRow(Row());
}

// =============================================================================================
// Update lock

void TAdvStringGrid::BeginUpdate() {
  // Counted also while hidden, so that a grid hidden or shown between the two calls ends
  // unlocked; only the window's redraw follows the visibility.
  ++FUpdateCount;
  if (FUpdateCount == 1 && Visible()) Perform(WM_SETREDRAW, 0, 0);
}

void TAdvStringGrid::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount > 0 || FDestroying) return;
  FSelChange = false;
  Perform(WM_SETREDRAW, 1, 0);
  if (Visible()) Invalidate();
  PaintLookBorder();
}

// =============================================================================================
// Grid timer

void TAdvStringGrid::WMTimer(TMessage& Message) {
  (void)Message;
  ++FTimerTicks;
  if (FNavigation->AutoGotoIncremental()) {
    // The fourth tick without a lookup keystroke forgets the lookup text.
    if (SearchTics++ == 3) {
      SearchInc.clear();
      SearchTics = 0;
    }
  }
  if (FEnableBlink) {
    FGridBlink = !FGridBlink;
    const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    auto blinkRepaint = [&](int dcol, int drow) {
      if (ContainsNoCase(GetCellEx(RealColIndex(dcol), drow), u"<BLI")) RepaintCell(dcol, drow);
    };
    for (int r = TopRow(); r <= lastRow; ++r)
      for (int c = LeftCol(); c <= lastCol; ++c) blinkRepaint(c, r);
    for (int r = 0; r < FixedRows(); ++r)
      for (int c = LeftCol(); c <= lastCol; ++c) blinkRepaint(c, r);
    for (int r = TopRow(); r <= lastRow; ++r)
      for (int c = 0; c < FixedCols(); ++c) blinkRepaint(c, r);
  }
}

// =============================================================================================
// Wheel and zoom

void TAdvStringGrid::Zoom(int Delta) {
  const int factor = FZoomFactor + Delta;
  if (factor < -10 || factor > 10) return;
  FZoomFactor = factor;
  FScrollLock = true;
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) > 0 && ColWidths(c) + Delta > 0) SetColWidths(c, ColWidths(c) + Delta);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) > 0 && RowHeights(r) + Delta > 0) SetRowHeights(r, RowHeights(r) + Delta);
  FScrollLock = false;
  if (FScrollProportional) {
    UpdateVScrollBar();
    UpdateHScrollBar();
  }
  Invalidate();
}

void TAdvStringGrid::WMMouseWheel(TMessage& Message) {
  const TGridRect sel0 = Selection();
  const int delta = static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF);
  const TShiftState shift = KeysToShiftState(static_cast<unsigned>(Message.WParam & 0xFFFF));
  bool handled = true;
  // The parent may take the wheel first.
  if (Parent() && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) return;
  if (shift.Contains(ssCtrl) && FIntelliZoom) {
    Zoom(delta < 0 ? FWheelScrollLines : -FWheelScrollLines);
    AutoSizeCells(true, 4, 4);
    return;
  }
  if (!FEnableWheel || (FFixedRowAlways && RowCount() == 1)) return;
  int step = FMouseActions->WheelIncrement();
  if (step < 1) step = std::max(1, FWheelScrollLines);
  const bool toUser = delta < 0;
  int q = Row();
  if (FMouseActions->WheelAction() == waScroll) {
    if (toUser) {
      if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + step >= FixedRows()) SetTopRow(TopRow() + step);
    } else {
      if (TopRow() - step < FixedRows()) step = TopRow() - FixedRows();
      if (TopRow() > FixedRows() && TopRow() - step >= FixedRows()) SetTopRow(TopRow() - step);
    }
  } else {
    q = toUser ? Row() + step : Row() - step;
  }
  q = std::clamp(q, FixedRows(), std::max(FixedRows(), RowCount() - FFixedFooters - 1));
  if (Col() >= ColCount() && Row() >= RowCount()) FocusCell(ColCount() - 1, RowCount() - 1);
  if (q >= 0 && q < RowCount() && FMouseActions->WheelAction() == waMoveSelection && q != Row()) {
    StartUpdate();
    const int left = LeftCol();
    if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
    SetRow(q);
    if (Row() != q && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(left);
    ResetUpdate();
  }
  if (FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) {
    Message.Result = 1;
    bool h = false;
    const TPoint pos = FMouseActions->DisjunctRowSelect()
                           ? Point(LParamX(Message.LParam), LParamY(Message.LParam))
                           : Point(0, 0);
    const TShiftState s = FMouseActions->DisjunctRowSelect() ? CurrentShiftState() : TShiftState{};
    if (handled) {
      if (delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, s, pos, h);
      if (delta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, s, pos, h);
    }
  }
  if (!(Selection() == sel0)) SelectionChangedHook(Selection());
}

// Every route that moves the selection reports through the overridable hook.
void TAdvStringGrid::SelectionChangedHook(const TGridRect& Sel) {
  DoSelectionChanged(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom);
}
