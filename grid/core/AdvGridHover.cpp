// Hover feedback of the move handler: the link under the mouse (cursor, enter and exit events,
// the underline of the hovered link, anchor hints) and the hot header of the list-view look.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/HintWindow.h"

namespace {

constexpr int kHoverHTMLText = 1;

}  // namespace

bool TAdvStringGrid::LinkAt(int DCol, int DRow, int X, int Y, String& Anchor, String& Title, int& Link) {
  const int rc = RealColIndex(DCol);
  const String text = GetCellEx(rc, DRow);
  if (ClassifyCellText(text, FEnableHTML) != kHoverHTMLText) return false;
  const TRect cr = CellRect(DCol, DRow);
  TMiniHTMLRequest q;
  q.Area = Rect(cr.Left + FXYOffset.X + 1, cr.Top + FXYOffset.Y + 1, cr.Right - FXYOffset.X, cr.Bottom);
  // Painting puts the text right of a check box.
  if (HasCheckBox(rc, DRow)) q.Area.Left += FControlLook->CheckSize();
  q.TestX = X;
  q.TestY = Y;
  q.HitTestOnly = true;
  q.ImageList = FGridImages;
  q.NamedPictures = FPictureContainer;
  TMiniHTMLResult res;
  if (!RenderMiniHTML(Canvas(), text, q, res) || res.HitAnchor.empty()) return false;
  Anchor = res.HitAnchor;
  Title = res.HitTitle;
  Link = res.HitLink;
  return true;
}

String TAdvStringGrid::AnchorHintText(int DCol, int DRow, const String& Anchor, const String& Title) {
  if (!Title.empty()) return Title;
  String text = Anchor;
  if (OnAnchorHint) OnAnchorHint(this, DRow, DCol, text);
  return text;
}

void TAdvStringGrid::TrackLinks(int DCol, int DRow, int X, int Y) {
  String anchor, title;
  int link = -1;
  const String text = GetCellEx(RealColIndex(DCol), DRow);
  const bool html = ClassifyCellText(text, FEnableHTML) == kHoverHTMLText;
  if (html) LinkAt(DCol, DRow, X, Y, anchor, title, link);
  else if (FURLShowInText && IsURL(text)) anchor = text;
  if (URLUnderlineOnHover) {
    const TPoint cell = link > 0 ? TPoint{DCol, DRow} : TPoint{-1, -1};
    if (html && (cell.X != FHoverCell.X || cell.Y != FHoverCell.Y || link != FHoverlink)) {
      const TPoint old = FHoverCell;
      FHoverCell = cell;
      FHoverlink = link;
      if (old.X >= 0) RepaintCell(old.X, old.Y);
      if (cell.X >= 0) RepaintCell(cell.X, cell.Y);
    } else if (!html && FHoverCell.X >= 0) {
      const TPoint old = FHoverCell;
      FHoverCell = TPoint{-1, -1};
      FHoverlink = -1;
      RepaintCell(old.X, old.Y);
    }
  }
  if (!anchor.empty()) {
    if (FAnchorHint && anchor != FAnchor) {
      // A new anchor with another hint text: the shown hint is asked for again.
      const String hint = AnchorHintText(DCol, DRow, anchor, title);
      if (hint != FLastAnchorHint) {
        FLastAnchorHint = hint;
        if (Application) Application->CancelHint();
      }
    }
    TControl::SetCursor(crHandPoint);
    if (anchor != FAnchor) {
      if (OnAnchorEnter) OnAnchorEnter(this, DRow, DCol, anchor);
      FAnchor = anchor;
    }
  } else if (!FAnchor.empty()) {
    // The anchor that was left, not the empty one under the mouse.
    const String left = FAnchor;
    FAnchor.clear();
    TControl::SetCursor(FRestoreCursor);
    if (OnAnchorExit) OnAnchorExit(this, DRow, DCol, left);
  }
}

void TAdvStringGrid::TrackHotFixedCell(int DCol, int DRow) {
  if (FLook != glListView || (DCol == FHotFixedCell.X && DRow == FHotFixedCell.Y)) return;
  RepaintHotFixedCell();
  FHotFixedCell = TPoint{DCol, DRow};
  RepaintHotFixedCell();
}

void TAdvStringGrid::RepaintHotFixedCell() {
  const int c = FHotFixedCell.X, r = FHotFixedCell.Y;
  if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount() && (c < FixedCols() || r < FixedRows()))
    RepaintCell(c, r);
}
