// Cell hints: the texts the grid answers the hint request with, the HTML hint window's choice
// and placement, and the hint following the mouse from cell to cell.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "platform/HintWindow.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

THintInfo AskHint(TAdvStringGrid* g, int DCol, int DRow) {
  const TRect cr = g->CellRect(DCol, DRow);
  THintInfo info;
  info.HintControl = g;
  info.HintWindowClass = HintWindowClass;
  info.CursorPos = Point(cr.Left + 3, cr.Top + 3);
  info.HintStr = g->Hint();
  g->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info));
  return info;
}

TEST(AdvGridHints, CellTextsAndHeaderHints) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetHintShowCells(true);
  g->SetHint(u"grid");
  g->SetCellEx(2, 1, u"cell text");
  g->SetCellEx(2, 0, u"Header");
  g->SetHintColor(clYellow);
  THintInfo cell = AskHint(g, 2, 1);
  EXPECT_EQ(Utf8(cell.HintStr), "cell text");
  EXPECT_EQ(cell.HintPos, g->ClientToScreen(Point(cell.CursorPos.X, g->CellRect(2, 1).Top)));
  EXPECT_EQ(cell.HintColor, clYellow);
  EXPECT_EQ(g->LastHintPos(), (TPoint{2, 1}));
  // A header cell is no normal cell: its hint comes from OnGridHint.
  THintInfo header = AskHint(g, 2, 0);
  EXPECT_EQ(Utf8(header.HintStr), "grid");
  g->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) {
    if (ARow == 0) Hint = u"Column " + IntToStr(ACol);
  };
  header = AskHint(g, 2, 0);
  EXPECT_EQ(Utf8(header.HintStr), "Column 2");
  EXPECT_EQ(header.HintPos, g->ClientToScreen(Point(header.CursorPos.X, g->CellRect(2, 0).Bottom + 6)));
  // Behind a hidden column the event still names the column shown under the mouse.
  g->HideColumn(1);
  header = AskHint(g, 2, 0);
  EXPECT_EQ(Utf8(header.HintStr), "Column 2");
}

TEST(AdvGridHints, TheHTMLHintWindowOnlyForHTMLTexts) {
  struct Case {
    const char16_t* text;
    bool html;
  };
  const Case cases[] = {{u"plain", false}, {u"a < b > c", false}, {u"x</b>", true}, {u"<B>bold", true},
                        {u"<I>it", true},   {u"<C", true},         {u"<i>it", false}, {u"<p>para", false}};
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  String text;
  g->OnGridHint = [&](TObject*, int, int, String& Hint) { Hint = text; };
  for (const Case& c : cases) {
    text = c.text;
    const THintInfo info = AskHint(g, 1, 1);
    EXPECT_EQ(info.HintWindowClass == &MakeHintWindow<THTMLHintWindow>, c.html) << Utf8(text);
    EXPECT_EQ(info.HintData == g, c.html) << Utf8(text);
  }
  g->SetUseInternalHintClass(false);
  text = u"<B>x</B>";
  EXPECT_EQ(AskHint(g, 1, 1).HintWindowClass, HintWindowClass);
}

TEST(AdvGridHints, ACellsHTMLTextIsShownWithoutTagsUnlessHTMLHint) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetHintShowCells(true);
  g->SetCellEx(1, 1, u"<B>bold</B> text");
  THintInfo info = AskHint(g, 1, 1);
  EXPECT_EQ(Utf8(info.HintStr), "bold text");
  EXPECT_EQ(info.HintWindowClass, HintWindowClass);
  g->SetHTMLHint(true);
  info = AskHint(g, 1, 1);
  EXPECT_EQ(Utf8(info.HintStr), "<B>bold</B> text");
  EXPECT_EQ(info.HintWindowClass, &MakeHintWindow<THTMLHintWindow>);
}

TEST(AdvGridHints, AHintLargerThanTheMonitorStaysTwoPixelsInside) {
  THTMLHintWindow* w = New<THTMLHintWindow>(nullptr);
  const TRect mon = MonitorRectAt(Point(100, 50));
  String wide;
  while (static_cast<int>(wide.size()) < 2000) wide += u"wide ";
  w->ActivateHint(Rect(mon.Left + 100, mon.Top + 50, mon.Left + 101, mon.Top + 51), u"<b>" + wide + u"</b>");
  EXPECT_GT(w->Width(), mon.Width() - 100);
  EXPECT_EQ(w->BoundsRect().Right, mon.Right - 2);
  String tall;
  for (int i = 0; i < 400; ++i) tall += u"line<br>";
  w->ActivateHint(Rect(mon.Left + 10, mon.Top + 50, mon.Left + 11, mon.Top + 51), tall);
  EXPECT_EQ(w->BoundsRect().Bottom, mon.Bottom - 2);
  EXPECT_EQ(w->BoundsRect().Height(), w->TextHeight() + 4);
  w->ReleaseHandle();
  delete w;
}

TEST(AdvGridHints, UseHTMLHintsSwitchesTheApplicationsHintWindow) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  const THintWindowClass before = HintWindowClass;
  g->SetUseHTMLHints(true);
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<THTMLHintWindow>);
  g->SetUseHTMLHints(false);
  EXPECT_EQ(HintWindowClass, &MakeHintWindow<THintWindow>);
  HintWindowClass = before;
  delete g;
}

TEST(AdvGridHints, TheHintFollowsTheMouseFromCellToCellButNotWithinAMergedRange) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetShowHint(true);
  g->SetHintShowCells(true);
  g->SetCellEx(1, 1, u"one");
  g->SetCellEx(1, 2, u"merged");
  g->MergeCells(1, 2, 2, 1);
  auto mid = [&](int c, int r) {
    const TRect cr = g->CellRect(c, r);
    return Point((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
  };
  auto shown = [&]() -> std::string {
    THintWindow* w = Application->HintWindow();
    return w && w->Active() ? Utf8(w->Caption()) : std::string();
  };
  TPoint p = mid(1, 1);
  f.driver.MouseMove(g, p.X, p.Y);
  f.driver.AdvanceTime(Application->HintPause() - 1);
  EXPECT_EQ(shown(), "");
  f.driver.AdvanceTime(1);
  EXPECT_EQ(shown(), "one");
  p = mid(1, 2);
  f.driver.MouseMove(g, p.X, p.Y);  // another cell: the hint goes
  EXPECT_EQ(shown(), "");
  f.driver.MouseMove(g, p.X + 1, p.Y);
  f.driver.AdvanceTime(Application->HintPause());
  EXPECT_EQ(shown(), "merged");
  p = mid(2, 2);  // the same merged range: it stays
  f.driver.MouseMove(g, p.X, p.Y);
  EXPECT_EQ(shown(), "merged");
  f.driver.MouseLeave(g);
  EXPECT_EQ(shown(), "");
}

}  // namespace
