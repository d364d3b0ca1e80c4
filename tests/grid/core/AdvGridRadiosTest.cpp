// Radio groups in one cell, radio-button columns, balloons and expand cells.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"

namespace {

using advgrid_test::Utf8;

struct RadioGrid {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  ~RadioGrid() { delete g; }
};

TEST(AdvGridRadios, ClicksOnARadioGroup) {
  struct Case { int stored; const char16_t* text; const char* written; int storedAfter; };
  const Case cases[] = {
      {2, u"", "one", 0},           // past the last option: the first
      {0, u"", "two", 1},
      {-1, u"", "one", 0},          // none checked yet
      {-2, u"two", "three", -2},    // no index of its own: the text decides
      {-2, u"other", "one", -2},
  };
  for (const Case& c : cases) {
    RadioGrid t;
    TStrings* options = t.g->CreateRadio(1, 1, false, c.stored);
    options->Add(u"one");  // filled after creation: the count is the list's
    options->Add(u"two");
    options->Add(u"three");
    t.g->SetCellEx(1, 1, c.text);
    t.g->AdvanceRadioIndex(1, 1, false);
    EXPECT_EQ(Utf8(t.g->GetCellEx(1, 1)), c.written) << c.stored;
    int idx = 99;
    EXPECT_TRUE(t.g->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, c.storedAfter) << c.stored;
  }
}

TEST(AdvGridRadios, RadioGroupsOfTheCallersListAndTheirIndex) {
  RadioGrid t;
  TStringList list;
  list.Add(u"a");
  list.Add(u"b");
  t.g->AddRadio(2, 2, true, 1, &list);
  EXPECT_TRUE(t.g->IsRadio(2, 2));
  EXPECT_EQ(t.g->GetRadioStrings(2, 2), &list);
  EXPECT_EQ(t.g->GetRadioStrings(2, 3), nullptr);
  t.g->SetCellEx(2, 2, u"b");
  EXPECT_TRUE(t.g->SetRadioIdx(2, 2, -1));
  EXPECT_TRUE(t.g->GetCellEx(2, 2).empty());
  t.g->RemoveRadio(2, 2);  // the caller's list is left alone (ASan)
  EXPECT_FALSE(t.g->IsRadio(2, 2));
  EXPECT_EQ(list.Count(), 2);

  // Another object's index is its own business.
  t.g->CreateCellGraphic(1, 1)->SetButton(30, 18, u"Go", haLeft, vaTop);
  const int before = t.g->GetCellGraphic(1, 1)->CellIndex();
  EXPECT_FALSE(t.g->SetRadioIdx(1, 1, 5));
  EXPECT_EQ(t.g->GetCellGraphic(1, 1)->CellIndex(), before);
  int idx = 0;
  EXPECT_FALSE(t.g->GetRadioIdx(1, 1, idx));
}

TEST(AdvGridRadios, RadioButtonColumns) {
  RadioGrid t;
  t.g->AddRadioButtonColumn(1);
  t.g->SetRadioButtonColumnIndex(1, 3);
  for (int r = 1; r < t.g->RowCount(); ++r) EXPECT_EQ(t.g->IsRadioButtonChecked(1, r), r == 3) << r;
  EXPECT_EQ(t.g->GetRadioButtonColumnIndex(1), 3);
  EXPECT_TRUE(t.g->ToggleRadioButtonCell(1, 3, false));  // already checked: nothing changes
  EXPECT_EQ(t.g->GetRadioButtonColumnIndex(1), 3);
  EXPECT_TRUE(t.g->ToggleRadioButtonCell(1, 5, false));
  EXPECT_EQ(t.g->GetRadioButtonColumnIndex(1), 5);
  EXPECT_FALSE(t.g->IsRadioButtonChecked(1, 3));
  EXPECT_FALSE(t.g->ToggleRadioButtonCell(2, 5, false));
  EXPECT_FALSE(t.g->SetRadioButtonState(2, 5, true));
  t.g->RemoveRadioButtonColumn(1);
  EXPECT_FALSE(t.g->HasRadioButton(1, 5));
  EXPECT_EQ(t.g->GetRadioButtonColumnIndex(1), -1);
  for (const TPoint p : {TPoint(-1, 1), TPoint(1, -1), TPoint(t.g->ColCount(), 1), TPoint(1, t.g->RowCount())}) {
    try {
      t.g->AddRadioButton(p.X, p.Y);
      ADD_FAILURE() << p.X << "," << p.Y;
    } catch (const EAdvGridError& e) {
      EXPECT_EQ(Utf8(e.Message()), "Invalid cell");
    }
  }
}

TEST(AdvGridRadios, Balloons) {
  RadioGrid t;
  String title, text;
  TBalloonIcon icon = biNone;
  t.g->CreateCellGraphic(1, 1)->SetCellType(ctComment);
  t.g->AddBalloon(1, 1, u"T", u"X", biInfo);
  EXPECT_FALSE(t.g->IsBalloon(1, 1, title, text, icon));  // a comment cell keeps its object

  t.g->AddBalloon(2, 2, u"Title", u"Text", biWarning);
  EXPECT_TRUE(t.g->HasBalloon(2, 2));
  EXPECT_TRUE(t.g->IsBalloon(2, 2, title, text, icon));
  EXPECT_EQ(Utf8(title), "Title");
  EXPECT_EQ(Utf8(text), "Text");
  EXPECT_EQ(icon, biWarning);
  t.g->RemoveBalloon(2, 2);
  EXPECT_FALSE(t.g->HasBalloon(2, 2));

  t.g->AddCheckBox(3, 3, true, false);
  t.g->AddBalloon(3, 3, u"On", u"box", biError);
  t.g->AddBalloon(3, 3, u"Again", u"box", biError);  // replaces the list it carried
  EXPECT_TRUE(t.g->HasCheckBox(3, 3));
  EXPECT_FALSE(t.g->HasBalloon(3, 3));
  EXPECT_TRUE(t.g->IsBalloon(3, 3, title, text, icon));
  EXPECT_EQ(Utf8(title), "Again");
  t.g->RemoveCheckBox(3, 3);  // the list is freed once, with the box (ASan)
  EXPECT_FALSE(t.g->IsBalloon(3, 3, title, text, icon));

  t.g->AddRadioButton(4, 4, false);
  t.g->AddBalloon(4, 4, u"R", u"b", biInfo);
  t.g->RemoveBalloon(4, 4);
  EXPECT_FALSE(t.g->IsBalloon(4, 4, title, text, icon));
  EXPECT_TRUE(t.g->HasRadioButton(4, 4));
  t.g->AddBalloon(4, 3, u"kept", u"", biInfo);  // freed with the grid (ASan)
}

TEST(AdvGridRadios, BalloonSettingsCopyAllButTransparency) {
  TBalloonSettings a, b;
  EXPECT_EQ(a.ReshowDelay(), -1);
  EXPECT_EQ(a.BackgroundColor(), clNone);
  int told = 0;
  b.OnEnableChange = [&](TObject*) { ++told; };
  a.SetTextColor(clRed);
  a.SetInitialDelay(100);
  a.SetTransparency(40);
  a.SetEnable(true);
  b.Assign(&a);
  EXPECT_EQ(b.TextColor(), clRed);
  EXPECT_EQ(b.InitialDelay(), 100);
  EXPECT_TRUE(b.Enable());
  EXPECT_EQ(b.Transparency(), 0);
  EXPECT_EQ(told, 1);
}

TEST(AdvGridRadios, ExpandCells) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowHeights(2, 22);
  g->AddExpand(1, 2, 60);
  EXPECT_TRUE(g->HasExpand(1, 2));
  EXPECT_EQ(g->GetExpandHeight(1, 2, false), 22);
  EXPECT_EQ(g->GetExpandHeight(1, 2, true), 60);
  EXPECT_EQ(g->GetExpandHeight(1, 3, true), g->DefaultRowHeight());
  EXPECT_FALSE(g->GetExpandState(1, 2));
  EXPECT_TRUE(g->ToggleExpand(1, 2));
  EXPECT_TRUE(g->GetExpandState(1, 2));
  EXPECT_FALSE(g->ToggleExpand(1, 2));
  EXPECT_FALSE(g->ToggleExpand(1, 3));
  const TRect cell = g->CellRect(1, 2);
  const TRect b = g->GetExpandButtonRect(1, 2);
  EXPECT_EQ(b.Left, cell.Right - 13);
  EXPECT_EQ(b.Top, cell.Top + 2);
  EXPECT_EQ(b.Width(), 11);
  EXPECT_EQ(b.Height(), 11);
  EXPECT_EQ(g->GetExpandButtonRect(1, 3).Width(), 0);
  g->RemoveExpand(1, 2);
  EXPECT_FALSE(g->HasExpand(1, 2));
}

TEST(AdvGridRadios, EnablingBalloonsSetsTheTooltipWindowUpOnce) {
  RadioGrid t;
  TBalloonSettings* b = t.g->Balloon();
  b->SetInitialDelay(100);
  b->SetAutoHideDelay(5000);
  b->SetTransparency(55);
  EXPECT_EQ(t.g->BalloonToolTip(), nullptr);
  b->SetEnable(true);
  TBalloonToolTip* tip = t.g->BalloonToolTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(b->Init());
  EXPECT_EQ(tip->Owner(), t.g);
  EXPECT_EQ(Utf8(tip->Title()), "ToolTipText");
  EXPECT_EQ(tip->Icon(), TTI_ERROR);
  EXPECT_EQ(tip->DelayTime(TTDT_INITIAL), 100);
  EXPECT_EQ(tip->DelayTime(TTDT_AUTOPOP), 5000);
  EXPECT_EQ(tip->DelayTime(TTDT_RESHOW), -1);  // left to the system
  EXPECT_EQ(tip->Alpha(), 200);
  b->SetEnable(true);
  EXPECT_EQ(t.g->BalloonToolTip(), tip);  // already set up
  b->SetEnable(false);
  EXPECT_EQ(t.g->BalloonToolTip(), nullptr);
  EXPECT_FALSE(b->Init());
  b->SetEnable(false);  // nothing left to end
  EXPECT_FALSE(b->Init());
}

TEST(AdvGridRadios, BalloonsEnabledWhileLoadingAreSetUpByLoaded) {
  RadioGrid t;
  t.g->SetLoading(true);
  t.g->Balloon()->SetEnable(true);
  EXPECT_EQ(t.g->BalloonToolTip(), nullptr);
  t.g->Loaded();
  ASSERT_NE(t.g->BalloonToolTip(), nullptr);
  EXPECT_EQ(t.g->BalloonToolTip()->Alpha(), 255);  // no transparency: opaque
}

TEST(AdvGridRadios, WindowCreationSetsEnabledBalloonsUp) {
  TForm* form = New<TForm>(nullptr);
  TAdvStringGrid* g = New<TAdvStringGrid>(form);
  g->SetLoading(true);
  g->Balloon()->SetEnable(true);
  g->SetParent(form);
  g->HandleNeeded();
  EXPECT_NE(g->BalloonToolTip(), nullptr);  // CreateWnd, before Loaded
  delete form;
}

TEST(AdvGridRadios, TheTooltipWindowTakesKnownIconsAndDelaysOnly) {
  TBalloonToolTip tip(nullptr);
  struct Case { int icon; int expected; };
  for (const Case& c : {Case{-1, TTI_NONE}, Case{0, TTI_NONE}, Case{2, TTI_WARNING}, Case{3, TTI_ERROR},
                        Case{4, TTI_NONE}}) {
    tip.SetTitle(u"t", c.icon);
    EXPECT_EQ(tip.Icon(), c.expected) << c.icon;
  }
  tip.SetDelayTime(0, 10);
  tip.SetDelayTime(4, 10);
  EXPECT_EQ(tip.DelayTime(0), -1);
  EXPECT_EQ(tip.DelayTime(4), -1);
  tip.SetDelayTime(TTDT_RESHOW, 10);
  EXPECT_EQ(tip.DelayTime(TTDT_RESHOW), 10);
}

}  // namespace
