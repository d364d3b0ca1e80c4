// Hovered and pressed header cells, the sizing guide lines, the block-focus frame, HTML and link
// cells, the selection rectangle, and the grid's small hooks (selection changed, formula text, the
// save hook of box cells).
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "platform/Overlay.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct StateForm : GridForm<> {
  StateForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(22);
    TControlLook* l = grid->ControlLook();
    l->SetFixedGradientHoverFrom(clYellow);
    l->SetFixedGradientHoverTo(clYellow);
    l->SetFixedGradientHoverBorder(clNavy);
    l->SetFixedGradientDownFrom(clRed);
    l->SetFixedGradientDownTo(clRed);
    l->SetFixedGradientDownBorder(clMaroon);
  }
  TColor PixelAfterPaint(int X, int Y) {
    TImageCanvas img(grid->Width(), grid->Height());
    grid->PaintOn(img.Canvas());
    return img.Pixel(X, Y);
  }
};

TEST(AdvGridPaintStates, HoveredAndPressedHeaderCells) {
  StateForm f;
  const TRect r = f.grid->CellRect(2, 0);
  const int cx = (r.Left + r.Right) / 2, cy = r.Top + 8;
  const TColor plain = f.PixelAfterPaint(cx, cy);
  f.grid->SetHoverFixedCell(2, 0);
  EXPECT_EQ(f.PixelAfterPaint(cx, cy), plain) << "hfNone shows no hover";
  f.grid->SetHoverFixedCells(hfFixedRows);
  EXPECT_EQ(f.PixelAfterPaint(cx, cy), clYellow);
  // The frame, on the right (the header's white line lies over it on the left).
  EXPECT_EQ(f.PixelAfterPaint(r.Right - 2, cy), clNavy);
  EXPECT_EQ(f.PixelAfterPaint((f.grid->CellRect(1, 0).Left + f.grid->CellRect(1, 0).Right) / 2, cy), plain);
  f.grid->SetMouseDownOnFixed(true);
  EXPECT_EQ(f.PixelAfterPaint(cx, cy), clRed);
  EXPECT_EQ(f.PixelAfterPaint(r.Right - 2, cy), clMaroon);
  f.grid->SetHoverFixedCells(hfFixedColumns);
  EXPECT_EQ(f.PixelAfterPaint(cx, cy), plain) << "a fixed row's cell is not a fixed column's";
}

TEST(AdvGridPaintStates, PressedHeaderWithDropDownButton) {
  StateForm f;
  f.grid->SetHoverFixedCells(hfAll);
  f.grid->ControlLook()->SetFixedDropDownButton(true);
  f.grid->SetHoverFixedCell(2, 0);
  f.grid->SetMouseDownOnFixed(true);
  const TRect r = f.grid->CellRect(2, 0);
  EXPECT_EQ(f.PixelAfterPaint(r.Left + 5, r.Top + 3), clRed);
  EXPECT_EQ(f.PixelAfterPaint(r.Right - 3, r.Top + 3), clYellow);
  f.grid->SetFixedDropDownDown(true);
  EXPECT_EQ(f.PixelAfterPaint(r.Left + 5, r.Top + 3), clYellow);
  EXPECT_EQ(f.PixelAfterPaint(r.Right - 3, r.Top + 3), clRed);
  bool canShow = true;
  f.grid->OnCanShowFixedDropDown = [&](TObject*, int, bool& Can) { Can = canShow; };
  canShow = false;
  EXPECT_EQ(f.PixelAfterPaint(r.Right - 3, r.Top + 3), clRed);
  EXPECT_EQ(f.PixelAfterPaint(r.Left + 5, r.Top + 3), clRed);
}

TEST(AdvGridPaintStates, SizingLinesInvertAndRestore) {
  StateForm f;
  TImageCanvas img(f.grid->Width(), f.grid->Height(), clWhite);
  const auto before = img.Snapshot();
  f.grid->DrawColSizingLine(30, img.Canvas());
  int changed = 0;
  for (int y = 0; y < img.Height(); ++y) changed += img.Pixel(30, y) == clBlack ? 1 : 0;
  EXPECT_GT(changed, img.Height() / 3);  // dotted, the whole height
  EXPECT_LT(changed, img.Height());
  EXPECT_EQ(img.Pixel(31, 5), clWhite);
  f.grid->DrawColSizingLine(30, img.Canvas());
  EXPECT_EQ(img.Snapshot(), before);
  f.grid->DrawRowSizingLine(12, img.Canvas());
  EXPECT_NE(img.Snapshot(), before);
  f.grid->DrawRowSizingLine(12, img.Canvas());
  EXPECT_EQ(img.Snapshot(), before);
  // The pen is the caller's again.
  EXPECT_EQ(img.Canvas()->Pen()->Mode(), pmCopy);
}

// The lines end at the client area's edge inside the 2-pixel frame, not at the window's.
TEST(AdvGridPaintStates, SizingLinesSpanTheClientAreaInsideTheFrame) {
  StateForm f;
  TAdvStringGrid* g = f.grid;
  ASSERT_EQ(g->BorderStyle(), bsSingle);
  g->SetBounds(0, 0, 400 + 2 * g->ClientInset(), 300 + 2 * g->ClientInset());  // cells end far inside
  auto lineEnd = [](const TRecordingCanvas& cv) {
    for (const TRecordedCall& c : cv.Calls())
      if (c.Name == "LineTo") return Point(c.Args[0], c.Args[1]);
    return Point(-1, -1);
  };
  TRecordingCanvas col, row;
  g->DrawColSizingLine(30, &col);
  g->DrawRowSizingLine(12, &row);
  EXPECT_EQ(lineEnd(col), Point(30, 300));
  EXPECT_EQ(lineEnd(row), Point(400, 12));
}

TEST(AdvGridPaintStates, FocusFrameAroundACell) {
  StateForm f;
  f.grid->SetColWidths(1, 100);
  const TRect cell = f.grid->CellRect(1, 1);  // the current cell, 100 x 22
  ASSERT_EQ(cell.Width(), 100);
  TAdvStringGrid::SetFocusWindowGrid(f.grid);
  f.grid->ShowFocusWindow(cell);
  TGridFocusWindow* w = f.grid->FocusWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(w->Width(), 109);
  EXPECT_EQ(w->Height(), 31);
  const TPoint screen = f.grid->ClientToScreen(Point(cell.Left, cell.Top));
  const TPoint at = GetParentForm(w)->ClientToScreen(Point(w->Left(), w->Top()));
  EXPECT_EQ(at.X, screen.X - 4);
  EXPECT_EQ(at.Y, screen.Y - 4);
  EXPECT_EQ(OverlayOpacity(w), 230);
  // A frame 4 pixels wide on the left and top, 5 on the right and bottom.
  EXPECT_TRUE(OverlayShapeContains(w, Point(2, 2)));
  EXPECT_FALSE(OverlayShapeContains(w, Point(50, 15)));
  EXPECT_TRUE(OverlayShapeContains(w, Point(105, 15)));
  EXPECT_FALSE(OverlayShapeContains(w, Point(103, 25)));
  f.grid->HideFocusWindow();
  EXPECT_FALSE(w->Visible());
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), nullptr);
}

TEST(AdvGridPaintStates, HTMLAndLinkCells) {
  TScopedFakeMetrics metrics;
  StateForm f;
  f.grid->SetCellEx(1, 1, u"<b>Bold</b> <font color=\"clRed\">red</font>");
  TRecordingCanvas cv;
  cv.SetRecordNested(true);
  f.grid->DrawCellContent(&cv, 1, 1, f.grid->CellRect(1, 1), {});
  std::string all;
  for (const TRecordedCall& c : cv.Calls()) all += Utf8(c.Text) + "|";
  EXPECT_EQ(all.find("<b>"), std::string::npos) << cv.Log();
  EXPECT_NE(all.find("Bold"), std::string::npos) << cv.Log();
  bool redText = false;
  for (const TRecordedCall& c : cv.Calls())
    if (Utf8(c.Text).find("red") != std::string::npos && c.FontColor == clRed) redText = true;
  EXPECT_TRUE(redText) << cv.Log();

  f.grid->SetCellEx(2, 1, u"http://example.org");
  f.grid->SetURLShow(true);
  cv.Clear();
  cv.SetRecordNested(false);
  f.grid->DrawCellContent(&cv, 2, 1, f.grid->CellRect(2, 1), {});
  auto t = cv.CallsNamed("DrawText");
  ASSERT_FALSE(t.empty()) << cv.Log();
  EXPECT_EQ(Utf8(t.back().Text), "example.org");
  EXPECT_EQ(t.back().FontColor, clBlue);
  f.grid->SetURLFull(true);
  cv.Clear();
  f.grid->DrawCellContent(&cv, 2, 1, f.grid->CellRect(2, 1), {});
  EXPECT_EQ(Utf8(cv.CallsNamed("DrawText").back().Text), "http://example.org");
}

// The pixels of one cell as the whole grid paints them.
std::vector<TColor> CellPixels(TAdvStringGrid* G, int DCol, int DRow) {
  TImageCanvas img(G->Width(), G->Height());
  G->PaintOn(img.Canvas());
  const TRect r = G->CellRect(DCol, DRow);
  std::vector<TColor> out;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) out.push_back(img.Pixel(x, y));
  return out;
}

TEST(AdvGridPaintStates, HTMLCellsShowTheHoveredLinkAndTheBlinkPhase) {
  StateForm f;
  f.grid->URLUnderlineOnHover = true;
  f.grid->SetCellEx(1, 1, u"<a href=\"go\">link</a>");
  const std::vector<TColor> plain = CellPixels(f.grid, 1, 1);
  f.grid->SetHotLink(1, 2, 1);  // the mouse over a link of another cell
  EXPECT_EQ(CellPixels(f.grid, 1, 1), plain);
  f.grid->SetHotLink(1, 1, 1);
  EXPECT_EQ(f.grid->HotLink(), 1);
  EXPECT_NE(CellPixels(f.grid, 1, 1), plain);  // the hovered link is underlined
  f.grid->SetHotLink(-1, 1, 1);
  EXPECT_EQ(CellPixels(f.grid, 1, 1), plain);

  f.grid->SetCellEx(2, 2, u"<blink>on</blink>");
  const std::vector<TColor> steady = CellPixels(f.grid, 2, 2);
  f.grid->SetCellEx(2, 2, u"");
  const std::vector<TColor> empty = CellPixels(f.grid, 2, 2);
  f.grid->SetCellEx(2, 2, u"<blink>on</blink>");
  ASSERT_NE(steady, empty);  // without blinking the text stays
  f.grid->SetEnableBlink(true);
  const bool shown = f.grid->GridBlink();
  EXPECT_EQ(CellPixels(f.grid, 2, 2), shown ? steady : empty);
  f.grid->Perform(WM_TIMER, 111, 0);  // one tick flips the phase
  ASSERT_NE(f.grid->GridBlink(), shown);
  EXPECT_EQ(CellPixels(f.grid, 2, 2), shown ? empty : steady);
}

TEST(AdvGridPaintStates, FilterButtonsOfTheFilterRow) {
  StateForm f;
  ASSERT_EQ(f.grid->FixedRows(), 1);
  f.grid->OnGetColumnFilter = [](TObject*, int Column, TStrings* List) {
    if (Column == 2) List->Add(u"a");
  };
  auto count = [&](int DCol, int DRow, TColor C) {
    int n = 0;
    for (TColor p : CellPixels(f.grid, DCol, DRow)) n += p == C;
    return n;
  };
  EXPECT_GT(count(2, 0, GridGlyphColors::FilterFunnel), 10);  // the funnel, drawn by the grid
  EXPECT_EQ(count(2, 0, GridGlyphColors::Key), 0);            // its ground is transparent
  EXPECT_EQ(count(1, 0, GridGlyphColors::FilterFunnel), 0);   // no value list, no button
  EXPECT_EQ(count(2, 1, GridGlyphColors::FilterFunnel), 0);   // only in the filter row
  const TRect r = f.grid->CellRect(2, 0);
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.grid->PaintOn(img.Canvas());
  int rightmost = -1;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (img.Pixel(x, y) == GridGlyphColors::FilterFunnel) rightmost = std::max(rightmost, x);
  EXPECT_GE(rightmost, r.Right - 16);  // at the right of the cell

  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.Canvas()->Brush()->SetColor(clLime);
  glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
  glyph.Canvas()->SetPixels(0, 15, clFuchsia);  // its transparent colour
  f.grid->FilterDropDown()->SetGlyph(&glyph);
  EXPECT_EQ(count(2, 0, GridGlyphColors::FilterFunnel), 0);
  EXPECT_EQ(count(2, 0, clLime), 16 * 16 - 1);
}

TEST(AdvGridPaintStates, SelectionRectangleWithResizer) {
  StateForm f;
  f.grid->SetSelectionRectangle(true);
  f.grid->SetSelectionResizer(true);
  f.grid->SetSelectionRectangleColor(clLime);
  f.grid->SetSelection(TGridRect{1, 1, 2, 2});
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.grid->PaintOn(img.Canvas());
  const TRect tl = f.grid->CellRect(1, 1), br = f.grid->CellRect(2, 2);
  EXPECT_EQ(img.Pixel(tl.Left + 1, (tl.Top + tl.Bottom) / 2), clLime);  // left edge
  EXPECT_EQ(img.Pixel((tl.Left + tl.Right) / 2, tl.Top + 1), clLime);   // top edge
  // The resizer, inside the cell's grid lines (the focus rectangle lies one pixel further in).
  EXPECT_EQ(img.Pixel(br.Right - 2, br.Bottom - 2), clLime);
  EXPECT_NE(img.Pixel((tl.Left + tl.Right) / 2, tl.Bottom - 3), clLime);   // no inner edge
}

TEST(AdvGridPaintStates, HooksOfTheGrid) {
  StateForm f;
  int fired = 0;
  f.grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
    ++fired;
    EXPECT_EQ(L + T + R + B, 1 + 2 + 3 + 4);
  };
  f.grid->DoSelectionChanged(1, 2, 3, 4);
  EXPECT_EQ(fired, 1);
  String text;
  f.grid->SetCellEx(1, 1, u"=1+2");
  f.grid->GetCalcCellText(1, 1, text);
  EXPECT_EQ(Utf8(text), "=1+2");
  TGridFixedCellEditor ed = fceEdit;
  f.grid->OnFixedEdit = [](TObject*, int, int, TGridFixedCellEditor& E, TStrings*) { E = fceComboList; };
  f.grid->DoFixedCellEdit(1, 0, ed, nullptr);
  EXPECT_EQ(ed, fceComboList);
  // An empty box cell saves the text of its state.
  f.grid->AddCheckBox(1, 2, true, false);
  f.grid->AddCheckBox(2, 2, false, false);
  f.grid->AddCheckBox(3, 2, cbChecked);
  EXPECT_EQ(Utf8(f.grid->SaveCell(1, 2)), "Y");
  EXPECT_EQ(Utf8(f.grid->SaveCell(2, 2)), "N");
  EXPECT_EQ(Utf8(f.grid->SaveCell(3, 2)), "Y");
  f.grid->SetCellEx(1, 3, u"text");
  EXPECT_EQ(Utf8(f.grid->SaveCell(1, 3)), "text");
}

TEST(AdvGridPaintStates, AutoSizeOnLoadingAndWhenSwitchedOn) {
  TScopedFakeMetrics m;
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetCellEx(1, 1, u"abcdef");  // 42
  g->SetAutoSize(true);
  EXPECT_EQ(g->ColWidths(1), 42 + 8 + 10);
  g->SetCellEx(1, 1, u"abcdefghij");  // 70
  g->Loaded();
  EXPECT_EQ(g->ColWidths(1), 70 + 8 + 4);
  delete g;
}

TEST(AdvGridPaintStates, FlatScrollBarsLeaveTheCellsTheirLook) {
  StateForm f;
  const TRect r = f.grid->CellRect(2, 0);
  const TPoint pts[] = {{r.Left, r.Top}, {(r.Left + r.Right) / 2, r.Top + 3}, {r.Left + 3, r.Bottom - 2}};
  std::vector<TColor> before;
  for (TPoint p : pts) before.push_back(f.PixelAfterPaint(p.X, p.Y));
  f.grid->SetScrollType(ssFlat);
  ASSERT_TRUE(f.grid->IsFlat());
  EXPECT_FALSE(f.grid->Flat());
  for (size_t i = 0; i < std::size(pts); ++i) EXPECT_EQ(f.PixelAfterPaint(pts[i].X, pts[i].Y), before[i]) << i;
}

TEST(AdvGridPaintStates, ListViewHeadersModifiedRowsAndClassicLines) {
  StateForm f;
  TRecordingCanvas cv;
  f.grid->SetLook(glListView);
  f.grid->SetHoverFixedCell(2, 0);
  f.grid->DrawCellContent(&cv, 2, 0, f.grid->CellRect(2, 0), TGridDrawState{gdFixed});
  auto th = cv.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(th.size(), 1u) << cv.Log();
  EXPECT_EQ(Utf8(th[0].Text), "header");
  EXPECT_EQ(th[0].Args[1], ThemeParts::HIS_HOT);
  f.grid->SetMouseDownOnFixed(true);
  cv.Clear();
  f.grid->DrawCellContent(&cv, 2, 0, f.grid->CellRect(2, 0), TGridDrawState{gdFixed});
  EXPECT_EQ(cv.CallsNamed("ThemeDrawBackground")[0].Args[1], ThemeParts::HIS_PRESSED);

  // A modified row shows a 4-pixel bar at the right of its first cell.
  f.grid->ShowModified()->SetEnabled(true);
  f.grid->ShowModified()->SetColor(clFuchsia);
  f.grid->SetRowModified(2, true);
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.grid->PaintOn(img.Canvas());
  const TRect m = f.grid->CellRect(0, 2);
  EXPECT_EQ(img.Pixel(m.Right - 3, (m.Top + m.Bottom) / 2), clFuchsia);
  EXPECT_NE(img.Pixel(m.Right - 8, (m.Top + m.Bottom) / 2), clFuchsia);
  const TRect n = f.grid->CellRect(0, 1);
  EXPECT_NE(img.Pixel(n.Right - 3, (n.Top + n.Bottom) / 2), clFuchsia);

  // Classic headers end in black lines on their right and bottom.
  f.grid->SetLook(glClassic);
  cv.Clear();
  const TRect h = f.grid->CellRect(1, 0);
  f.grid->DrawCellContent(&cv, 1, 0, h, TGridDrawState{gdFixed});
  EXPECT_FALSE(cv.CallsNamed("DrawEdge").empty()) << cv.Log();
  bool black = false;
  for (const TRecordedCall& c : cv.CallsNamed("LineTo"))
    if (c.PenColor == clBlack && c.Args[0] == h.Left && c.Args[1] == h.Bottom) black = true;
  EXPECT_TRUE(black) << cv.Log();
}

}  // namespace
