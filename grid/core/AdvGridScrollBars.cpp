// The grid's scroll bars beyond the class library's: proportional thumbs and the row or column
// hint shown while a thumb is dragged.
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "platform/HintWindow.h"

namespace {

// The bars' scale: a page of P on a range of Max leaves the thumb Max - P + 1 = 127 positions.
struct ProportionalInfo {
  int Max = 0;
  int Page = 0;
};

ProportionalInfo Proportion(float Share) {
  ProportionalInfo p;
  p.Max = static_cast<int>((Share + 127) / (1 - Share));
  p.Page = p.Max - 126;
  return p;
}

}  // namespace

void TAdvStringGrid::SetScrollProportional(bool v) {
  FScrollProportional = v;
  if (v) {
    UpdateVScrollBar();
    UpdateHScrollBar();
    return;
  }
  if (FIsFlat && FScrollType == ssNormal) {
    FIsFlat = false;
    UninitializeFlatSB();
  }
  // Back to the plain scale: the thumbs take their own size again, whatever the bars' kind.
  for (bool vertical : {true, false}) {
    const TGridScrollInfo info = GetScrollInfo(vertical);
    SetScrollInfo(vertical, info.Max, 0, info.Pos);
  }
}

void TAdvStringGrid::UpdateHScrollBar() {
  if (Loading() || Designing() || !FScrollProportional || FScrollLock) return;
  const int L = GridLineWidth();
  const int fixed = FixedCols(), count = ColCount();
  const int64_t fixedW = L + static_cast<int64_t>(fixed) * L + ExtentSum(false, 0, fixed);
  const int64_t total = L + static_cast<int64_t>(count - fixed) * L + ExtentSum(false, fixed, count);
  const int64_t before = L + static_cast<int64_t>(LeftCol() - fixed) * L + ExtentSum(false, fixed, LeftCol());
  if (total <= 0) return;
  const float share = static_cast<float>(Width() - fixedW) / static_cast<float>(total);
  if (share >= 0.9999f || fixedW + total - Width() < 5) return;
  const ProportionalInfo p = Proportion(share);
  int pos = GetScrollInfo(false).Pos;
  if (Width() < total) pos = static_cast<int>(static_cast<double>(before) / static_cast<double>(total - Width()) * 128);
  SetScrollInfo(false, p.Max, p.Page, pos);
  if (FScrollBarAlways == saHorz || FScrollBarAlways == saBoth) return;
  const bool allowed = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
  if (!(ExtentSum(false, 0, count) >= Width() && allowed)) ShowScrollBar(false, false);
}

void TAdvStringGrid::UpdateVScrollBar() {
  if (Loading() || Designing() || !FScrollProportional || FScrollLock) return;
  if (VisibleRowCount() + FixedRows() >= RowCount()) return;
  const int L = GridLineWidth();
  const int fixed = FixedRows(), count = RowCount();
  const int64_t fixedH = L + static_cast<int64_t>(fixed) * L + ExtentSum(true, 0, fixed);
  const int64_t total = L + static_cast<int64_t>(count - fixed) * L + ExtentSum(true, fixed, count);
  const int64_t before = L + static_cast<int64_t>(TopRow() - fixed) * L + ExtentSum(true, fixed, TopRow());
  if (total <= 0) return;
  const float share = static_cast<float>(Height() - fixedH) / static_cast<float>(total);
  if (share >= 0.9999f) return;
  const ProportionalInfo p = Proportion(share);
  int pos = 127;
  if (Height() < total)
    pos = static_cast<int>(static_cast<double>(before) / static_cast<double>(total - Height()) * 128);
  SetScrollInfo(true, p.Max, p.Page, pos);
}

void TAdvStringGrid::ScrollHint(bool Vertical, unsigned Code, int Index) {
  const bool wanted = FScrollHints == shBoth || FScrollHints == (Vertical ? shVertical : shHorizontal);
  if (!wanted || !FScrollHintWnd) return;
  if (Code == SB_ENDSCROLL) {
    FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
    return;
  }
  if (Code != SB_THUMBTRACK) return;
  String text = (Vertical ? u"Row : " : u"Col : ") + IntToStr(Index);
  if (OnScrollHint) OnScrollHint(this, Index, text);
  TRect r = FScrollHintWnd->CalcHintRect(100, text, this);
  FScrollHintWnd->SetColor(FHintColor);
  const TPoint at = GetCursorPos();
  r = Rect(at.X + 10, at.Y, at.X + 10 + r.Width(), at.Y + r.Height());
  FScrollHintWnd->ActivateHint(r, text);
  FScrollHintShow = true;
}
