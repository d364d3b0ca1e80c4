// The grid's window services: the block-focus frame following window moves, scroll bars kept
// shown or disabled, flat scroll bars and the wheel set up with the window, repainting held back
// by an inplace-edit change, the inplace editor and its mask, the parked selection, column sizes
// in the registry, and the unit's library version look-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AdvGridTestSupport.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "platform/ExtCtrls.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "platform/testing/ScratchFolder.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// The frame is an overlay on its form: its place is in the form's client pixels.
TRect ScreenRect(TControl* c) {
  TPoint tl = GetParentForm(c)->ClientToScreen(Point(c->Left(), c->Top()));
  return Rect(tl.X, tl.Y, tl.X + c->Width(), tl.Y + c->Height());
}

TEST(AdvGridWindow, TheFocusFrameFollowsEveryWindowMove) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TPanel* other = new TPanel(f.form);
  other->SetParent(f.form);
  g->SetCol(2);
  g->SetRow(3);
  TGridFocusWindow* frame = g->FocusWindow();
  ASSERT_NE(frame, nullptr);
  frame->SetBoundsRect(Rect(0, 0, 10, 10));
  TAdvStringGrid::SetFocusWindowGrid(g);

  g->SetBounds(40, 30, 400, 250);  // the grid's own window
  EXPECT_EQ(ScreenRect(frame), g->FocusWindowRect());
  TRect before = g->FocusWindowRect();
  f.form->SetBounds(f.form->Left() + 25, f.form->Top() + 15, f.form->Width(), f.form->Height());  // the form's
  EXPECT_NE(g->FocusWindowRect(), before);
  EXPECT_EQ(ScreenRect(frame), g->FocusWindowRect());
  frame->SetBoundsRect(Rect(0, 0, 10, 10));
  other->SetBounds(5, 5, 50, 20);  // any other window of the program
  EXPECT_EQ(ScreenRect(frame), g->FocusWindowRect());

  // Without a focus-window grid nothing follows.
  TAdvStringGrid::SetFocusWindowGrid(nullptr);
  frame->SetBoundsRect(Rect(0, 0, 10, 10));
  g->SetBounds(10, 10, 400, 250);
  EXPECT_NE(ScreenRect(frame), g->FocusWindowRect());
}

TEST(AdvGridWindow, AFreedFocusWindowGridIsNotFollowed) {
  GridForm<> f;
  TAdvStringGrid* g = New<TAdvStringGrid>(f.form);
  g->SetParent(f.form);
  ASSERT_NE(g->FocusWindow(), nullptr);
  TAdvStringGrid::SetFocusWindowGrid(g);
  delete g;
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), nullptr);
  f.grid->SetBounds(20, 20, 300, 200);  // the hook runs and finds no grid
  EXPECT_EQ(f.grid->Left(), 20);
}

// Rows 0..2 fit in a 250-pixel grid; 100 do not.
TEST(AdvGridWindow, ScrollBarAlwaysKeepsBarsShownAndDisablesThoseThatFit) {
  struct Case {
    TScrollBarAlways always;
    bool vertShown, horzShown;
  };
  const Case cases[] = {{saNone, false, false}, {saVert, true, false}, {saHorz, false, true}, {saBoth, true, true}};
  for (const Case& c : cases) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetRowCount(3);
    g->SetColCount(3);
    ASSERT_FALSE(g->ScrollBarVisible(true));
    g->SetScrollBarAlways(c.always);
    EXPECT_EQ(g->ScrollBarVisible(true), c.vertShown) << int(c.always);
    EXPECT_EQ(g->ScrollBarVisible(false), c.horzShown) << int(c.always);
    EXPECT_EQ(g->ScrollBarEnabled(true), c.always == saNone) << int(c.always);
    EXPECT_EQ(g->ScrollBarEnabled(false), c.always == saNone) << int(c.always);
    // Rows that no longer fit: the bar is needed and works.
    g->SetRowCount(100);
    EXPECT_TRUE(g->ScrollBarVisible(true)) << int(c.always);
    EXPECT_TRUE(g->ScrollBarEnabled(true)) << int(c.always);
    g->SetRowCount(3);
    EXPECT_EQ(g->ScrollBarVisible(true), c.vertShown) << int(c.always);
  }
}

TEST(AdvGridWindow, BackToNoneHidesAndEnablesTheBars) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(3);
  g->SetScrollBarAlways(saBoth);
  ASSERT_TRUE(g->ScrollBarVisible(true));
  g->SetScrollBarAlways(saNone);
  EXPECT_FALSE(g->ScrollBarVisible(true));
  EXPECT_FALSE(g->ScrollBarVisible(false));
  g->SetRowCount(100);
  EXPECT_TRUE(g->ScrollBarVisible(true));
  EXPECT_TRUE(g->ScrollBarEnabled(true));
}

template <class TGrid = TAdvStringGrid>
struct LateForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  TGrid* grid = New<TGrid>(form);
  LateForm() {
    form->SetClientWidth(600);
    form->SetClientHeight(500);
    grid->SetBounds(10, 10, 400, 250);
  }
  void Show() {
    grid->SetParent(form);
    form->Show();
  }
  ~LateForm() { delete form; }
};

TEST(AdvGridWindow, FlatScrollBarsAreSetUpWithTheWindow) {
  LateForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(100);
  g->SetScrollType(ssFlat);
  g->SetScrollWidth(12);
  g->SetScrollColor(clRed);
  EXPECT_FALSE(g->IsFlat());  // no window yet
  f.Show();
  ASSERT_TRUE(g->HandleAllocated());
  EXPECT_TRUE(g->IsFlat());
  EXPECT_TRUE(g->FlatSBInitialized());
  EXPECT_EQ(g->FlatSB_GetScrollProp(WSB_PROP_CXVSCROLL), 12);
  EXPECT_EQ(g->FlatSB_GetScrollProp(WSB_PROP_CYHSCROLL), 12);
  EXPECT_EQ(static_cast<TColor>(g->FlatSB_GetScrollProp(WSB_PROP_VBKGCOLOR)), clRed);
  ASSERT_TRUE(g->ScrollBarVisible(true));
  EXPECT_EQ(g->ClientRect().Right, g->Width() - 2 * g->ClientInset() - 12);  // the bar takes its width from the view

  g->SetScrollType(ssEncarta);
  EXPECT_EQ(g->FlatSB_GetScrollProp(WSB_PROP_VSTYLE), FSB_ENCARTA_MODE);
  EXPECT_EQ(g->FlatSB_GetScrollProp(WSB_PROP_HSTYLE), FSB_ENCARTA_MODE);
  g->SetScrollWidth(20);
  EXPECT_EQ(g->ClientRect().Right, g->Width() - 2 * g->ClientInset() - 20);
  g->SetScrollType(ssNormal);
  EXPECT_FALSE(g->IsFlat());
  EXPECT_FALSE(g->FlatSBInitialized());
  EXPECT_EQ(g->ClientRect().Right, g->Width() - 2 * g->ClientInset() - 17);
}

TEST(AdvGridWindow, NormalScrollBarsStayStandard) {
  LateForm<> f;
  f.grid->SetScrollWidth(12);
  f.Show();
  EXPECT_FALSE(f.grid->IsFlat());
  EXPECT_FALSE(f.grid->FlatSBInitialized());
}

TEST(AdvGridWindow, TheWheelTakesTheSystemsLinesOrAPage) {
  const int saved = WheelScrollLines();
  for (int lines : {5, -1}) {
    SetWheelScrollLines(lines);
    LateForm<> f;
    f.grid->SetRowCount(100);
    EXPECT_EQ(f.grid->WheelMessage(), 0u);
    f.Show();
    EXPECT_EQ(f.grid->WheelMessage(), static_cast<unsigned>(WM_MOUSEWHEEL));
    EXPECT_EQ(f.grid->WheelScrollLineCount(), lines == -1 ? f.grid->VisibleRowCount() : lines);
  }
  SetWheelScrollLines(saved);
}

TEST(AdvGridWindow, AnInplaceEditChangeHoldsBackOneRepaint) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->TakeInvalidatedRects();
  g->SetEditChange(true);
  g->Invalidate();
  EXPECT_TRUE(g->TakeInvalidatedRects().empty());
  EXPECT_FALSE(g->EditChange());
  g->Invalidate();
  EXPECT_FALSE(g->TakeInvalidatedRects().empty());
}

TEST(AdvGridWindow, TheEditorIsTheGridsOwnAndTakesTheMask) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TGridOptions o = g->Options();
  o.Include(goEditing);
  g->SetOptions(o);
  g->SetEditMask(u"000;1;_");
  std::vector<std::pair<int, int>> asked;
  g->OnGetEditMask = [&](TObject*, int ACol, int ARow, String& Value) {
    asked.emplace_back(ACol, ARow);
    if (ACol == 2) Value = u"AAA;1;_";
  };
  g->SetFocus();
  g->SetCol(1);
  g->SetRow(1);
  g->ShowEditor();
  ASSERT_NE(g->InplaceEditor(), nullptr);
  EXPECT_EQ(Utf8(g->InplaceEditor()->ClassName()), "TAdvInplaceEdit");
  EXPECT_EQ(g->InplaceEditor()->Owner(), g);
  EXPECT_EQ(Utf8(g->InplaceEditor()->EditMask()), "000;1;_");
  g->HideEditor();
  g->SetCol(2);
  g->ShowEditor();
  EXPECT_EQ(Utf8(g->InplaceEditor()->EditMask()), "AAA;1;_");
  EXPECT_NE(std::find(asked.begin(), asked.end(), std::make_pair(2, 1)), asked.end());
}

TEST(AdvGridWindow, RowsComingBackRestoreAParkedSelection) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetFixedRowAlways(true);
  g->SetRowCount(1);
  g->HideSelection();
  EXPECT_TRUE(g->SelectionHidden());
  EXPECT_EQ(g->Selection(), (TGridRect{5, 1, 5, 1}));  // parked beyond the last cell
  g->SetRowCount(5);
  EXPECT_FALSE(g->SelectionHidden());
  EXPECT_LT(g->Selection().Top, 5);
  EXPECT_LT(g->Selection().Left, 5);
  // Without FixedRowAlways the count alone brings nothing back.
  g->SetFixedRowAlways(false);
  g->SetSelection(TGridRect{2, 3, 3, 4});
  g->HideSelection();
  g->SetRowCount(8);
  EXPECT_TRUE(g->SelectionHidden());
  g->UnHideSelection();
  EXPECT_EQ(g->Selection(), (TGridRect{2, 3, 3, 4}));
  // A remembered selection below the last row gives way to the first normal cell.
  g->HideSelection();
  g->SetRowCount(3);
  g->UnHideSelection();
  EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 1, 1}));
  delete g;
}

TEST(AdvGridWindow, ColumnWidthsPersistInTheRegistryWhenAsked) {
  TScratchFolder scratch("advgrid_reg");
  SetRegistryStoreFile(scratch.File("registry.ini"));
  auto make = [] {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    g->ColumnSize()->SetSave(true);
    g->ColumnSize()->SetLocation(clRegistry);
    g->ColumnSize()->SetKey(u"Software\\Kelvane\\Test");
    g->ColumnSize()->SetSection(u"Grid");
    return g;
  };
  TAdvStringGrid* g = make();
  g->SetColWidths(3, 71);
  delete g;  // writes the widths
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Kelvane\\Test\\Grid", false));
    EXPECT_EQ(reg.ReadInteger(u"Col3"), 71);
    EXPECT_EQ(reg.ReadInteger(u"Col0"), 64);
    EXPECT_FALSE(reg.ValueExists(u"Col5"));
  }
  g = make();
  g->Loaded();  // reads them
  EXPECT_EQ(g->ColWidths(3), 71);
  EXPECT_EQ(g->ColWidths(2), 64);
  g->ColumnSize()->SetSave(false);
  delete g;
  SetRegistryStoreFile(String());
}

TEST(AdvGridWindow, LoadingColumnWidthsWritesTheIniFileBack) {
  TScratchFolder scratch("advgrid_ini");
  const String ini = scratch.File("cols.ini");
  ASSERT_FALSE(std::filesystem::exists(scratch / "cols.ini"));
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->ColumnSize()->SetLocation(clIniFile);
  g->ColumnSize()->SetKey(ini);
  g->ColumnSize()->SetSection(u"Grid");
  g->LoadColSizes();
  EXPECT_TRUE(std::filesystem::exists(scratch / "cols.ini"));  // flushed after the load
  EXPECT_EQ(g->ColWidths(1), 64);
  delete g;
}

TEST(AdvGridWindow, LibraryVersions) {
  EXPECT_EQ(GetDllFileVersion(u"COMCTL32.DLL"), 0x00060000);
  EXPECT_EQ(GetDllFileVersion(u"comctl32.dll"), 0x00060000);
  EXPECT_EQ(GetDllFileVersion(u"nosuch.dll"), -1);
  EXPECT_EQ(GetDllFileVersion(u""), -1);
  EXPECT_TRUE(TAdvStringGrid::DatePickerSupported());
}

TEST(AdvGridWindow, ATransparentWindowLetsTheMouseThrough) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TGridFocusWindow* frame = g->FocusWindow();
  ASSERT_EQ(GetWindowExStyle(frame) & WS_EX_TRANSPARENT, 0u);
  MakeWindowTransparent(frame);
  EXPECT_NE(GetWindowExStyle(frame) & WS_EX_TRANSPARENT, 0u);
  MakeWindowTransparent(nullptr);  // nothing to do
}

TEST(AdvGridWindow, EditorsAreToldTheirLook) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  EXPECT_TRUE(g->GridCombo()->IsWinXP());
  EXPECT_TRUE(g->GridCombo()->IsVista());
  delete g;
}

}  // namespace
