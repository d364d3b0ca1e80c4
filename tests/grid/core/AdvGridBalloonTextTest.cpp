// The grid's answer when its balloon tooltip asks for the text of the cell under the mouse: rich
// text and HTML as plain text, tabs and leading line breaks, long texts and titles cut, the cell's
// own balloon and the event, the colours; and the balloon leaving when the mouse changes cell.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;

struct BalloonForm : GridForm<> {
  BalloonForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetDefaultColWidth(90);
    grid->SetDefaultRowHeight(30);
    grid->Balloon()->SetEnable(true);
  }
  // The mouse rests on the cell; the tooltip's initial delay runs out.
  TEditBalloonTip Ask(int DCol, int DRow) {
    const TRect r = grid->CellRect(DCol, DRow);
    driver.MouseMove(grid, r.Left + 5, r.Top + 5);
    TEditBalloonTip tip;
    TBalloonToolTip* t = grid->BalloonToolTip();
    if (t && t->Activate(GetCursorPos())) t->Showing(&tip);
    return tip;
  }
};

TEST(AdvGridBalloonText, CellTextByItsKind) {
  BalloonForm f;
  struct Case {
    String Cell;
    String Shown;
  };
  std::vector<Case> cases;
  cases.push_back({u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\b Bold\\b0\\par\r\nnext}", u"Bold\nnext"});
  cases.push_back({u"<B>strong</B> words", u"strong words"});
  cases.push_back({u"a\tb", u"a b"});
  cases.push_back({u"\r\n\r\nindented", u"indented"});
  cases.push_back({u"\r\n\tx", u" x"});  // the tab is a blank by then
  // Counted with the skipped line break: 3002 characters, cut to 2045 and "...".
  cases.push_back({u"\r\n" + String(3000, u'a'), String(2045, u'a').append(3, u'.')});
  cases.push_back({String(2048, u'b'), String(2048, u'b')});
  cases.push_back({u"plain", u"plain"});
  for (const auto& c : cases) {
    f.grid->SetCellEx(1, 1, c.Cell);
    const TEditBalloonTip tip = f.Ask(1, 1);
    EXPECT_EQ(tip.Text, c.Shown) << StringToUtf8(c.Cell.substr(0, 20));
    EXPECT_EQ(tip.Title, u" ");
    EXPECT_EQ(tip.Icon, TTI_INFO);
  }
  EXPECT_EQ(f.grid->LastBalloonPos(), Point(1, 1));
  // An empty cell shows nothing.
  EXPECT_EQ(f.Ask(2, 2).Text, u"");
  EXPECT_FALSE(f.grid->BalloonToolTip()->Showing());
}

TEST(AdvGridBalloonText, CellBalloonAndEventGiveTitleTextAndIcon) {
  BalloonForm f;
  f.grid->SetCellEx(1, 1, u"{\\rtf1 cell}");
  f.grid->AddBalloon(1, 1, String(150, u't'), u"own text", biWarning);
  TEditBalloonTip tip = f.Ask(1, 1);
  EXPECT_EQ(tip.Text, u"own text");
  EXPECT_EQ(tip.Title, String(97, u't').append(3, u'.'));
  EXPECT_EQ(tip.Icon, TTI_WARNING);
  int seenCol = -1, seenRow = -1;
  f.grid->OnCellBalloon = [&](TObject*, int ACol, int ARow, String& ATitle, String& AText, int& AIcon) {
    seenCol = ACol;
    seenRow = ARow;
    AText += u"!";
    ATitle = u"T";
    AIcon = TTI_ERROR;
  };
  tip = f.Ask(1, 1);
  EXPECT_EQ(seenCol, 1);
  EXPECT_EQ(seenRow, 1);
  EXPECT_EQ(tip.Text, u"own text!");
  EXPECT_EQ(tip.Title, u"T");
  EXPECT_EQ(tip.Icon, TTI_ERROR);
  // Colours and the width the text wraps at go to the tooltip window.
  f.grid->Balloon()->SetTextColor(clRed);
  f.grid->Balloon()->SetBackgroundColor(clBtnFace);
  f.Ask(1, 1);
  EXPECT_EQ(f.grid->BalloonToolTip()->TipTextColor(), ColorToRGB(clRed));
  EXPECT_EQ(f.grid->BalloonToolTip()->TipBkColor(), ColorToRGB(clBtnFace));
  EXPECT_EQ(f.grid->BalloonToolTip()->MaxTipWidth(), 300);
}

TEST(AdvGridBalloonText, BalloonGoesWhenTheMouseChangesCell) {
  BalloonForm f;
  f.grid->SetCellEx(1, 1, u"one");
  f.grid->SetCellEx(2, 1, u"two");
  f.Ask(1, 1);
  ASSERT_TRUE(f.grid->BalloonToolTip()->Showing());
  const TRect same = f.grid->CellRect(1, 1);
  f.driver.MouseMove(f.grid, same.Left + 20, same.Top + 10);
  EXPECT_TRUE(f.grid->BalloonToolTip()->Showing());
  const TRect other = f.grid->CellRect(2, 1);
  f.driver.MouseMove(f.grid, other.Left + 5, other.Top + 5);
  EXPECT_FALSE(f.grid->BalloonToolTip()->Showing());
  EXPECT_EQ(f.grid->LastBalloonPos(), Point(-1, -1));
}

TEST(AdvGridBalloonText, DisabledBalloonsAnswerNothing) {
  BalloonForm f;
  f.grid->SetCellEx(1, 1, u"one");
  TBalloonToolTip tip(f.grid);
  f.grid->Balloon()->SetEnable(false);
  EXPECT_EQ(f.grid->BalloonToolTip(), nullptr);
  const TRect r = f.grid->CellRect(1, 1);
  f.driver.MouseMove(f.grid, r.Left + 5, r.Top + 5);
  // A tooltip of the grid's asking anyway gets no text.
  EXPECT_FALSE(tip.Activate(GetCursorPos()));
  EXPECT_EQ(f.grid->LastBalloonPos(), Point(-1, -1));
}

}  // namespace
