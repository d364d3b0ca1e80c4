// The cell hooks: the grid's default answers and where their events come in.
#include <gtest/gtest.h>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"
#include "grid/foundation/ZazAdez.h"

namespace {

using advgrid_test::GridOwner;
using advgrid_test::Utf8;

TEST(AdvGridHooks, CheckTextsComeFromTheGridThenTheEvent) {
  GridOwner g;
  String v;
  g->DoGetCheckTrue(2, 3, v);
  EXPECT_EQ(Utf8(v), "Y");
  g->DoGetCheckFalse(2, 3, v);
  EXPECT_EQ(Utf8(v), "N");
  g->OnGetCheckTrue = [](TObject*, int ACol, int, String& Value) {
    if (ACol == 2) Value = u"on";
  };
  g->DoGetCheckTrue(2, 3, v);
  EXPECT_EQ(Utf8(v), "on");
  g->DoGetCheckTrue(1, 3, v);
  EXPECT_EQ(Utf8(v), "Y");
}

TEST(AdvGridHooks, ComboButtonOnlyWithHandlerOrAlwaysVisibleDropDown) {
  GridOwner g;
  g->OnGetEditorType = [](TObject*, int, int, TEditorType& Ed) { Ed = edComboList; };
  EXPECT_FALSE(g->DoHasComboBox(1, 1));
  g->ControlLook()->SetDropDownAlwaysVisible(true);
  EXPECT_TRUE(g->DoHasComboBox(1, 1));
  g->OnHasComboBox = [](TObject*, int ACol, int, bool& Has) { Has = ACol == 2; };
  EXPECT_FALSE(g->DoHasComboBox(1, 1));
  EXPECT_TRUE(g->DoHasComboBox(2, 1));
}

TEST(AdvGridHooks, SpinButtonsNeverOnFixedCells) {
  GridOwner g;
  int asked = 0;
  g->OnHasSpinEdit = [&](TObject*, int, int, bool& Has) {
    ++asked;
    Has = true;
  };
  EXPECT_FALSE(g->DoHasSpinEdit(0, 2));
  EXPECT_FALSE(g->DoHasSpinEdit(2, 0));
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(g->DoHasSpinEdit(2, 2));
  g->OnHasSpinEdit = nullptr;
  g->ControlLook()->SetSpinButtonsAlwaysVisible(true);
  g->SetDefaultEditor(edFloatSpinEdit);
  EXPECT_TRUE(g->DoHasSpinEdit(2, 2));
  g->SetDefaultEditor(edComboList);
  EXPECT_FALSE(g->DoHasSpinEdit(2, 2));
}

TEST(AdvGridHooks, ActiveCellShowMarksTheLastFixedCellsOfTheCurrentCellOnly) {
  GridOwner g;
  g->SetColCount(6);
  g->SetRowCount(8);
  g->SetCol(3);
  g->SetRow(5);
  g->SetActiveCellShow(true);
  g->SetActiveCellColor(clRed);
  g->ActiveCellFont()->SetColor(clLime);
  int marked = 0;
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 8; ++r) {
      TBrush brush;
      brush.SetColor(clWhite);
      TFont font;
      g->DoGetCellColor(c, r, TGridDrawState(), &brush, &font);
      const bool expected = (c == 0 && r == 5) || (c == 3 && r == 0);
      EXPECT_EQ(brush.Color() == clRed, expected) << c << "," << r;
      EXPECT_EQ(font.Color() == clLime, expected) << c << "," << r;
      marked += brush.Color() == clRed;
    }
  }
  EXPECT_EQ(marked, 2);
}

TEST(AdvGridHooks, CellPropertiesColourTheBrushOnlyForPlainCellKinds) {
  GridOwner g;
  g->SetColors(2, 2, clAqua);
  g->SetFontColors(2, 2, clMaroon);
  g->SetColors(3, 2, clAqua);
  g->AddCheckBox(3, 2, false, false);
  TBrush b1, b2;
  TFont f1, f2;
  g->DoGetCellColor(2, 2, TGridDrawState(), &b1, &f1);
  g->DoGetCellColor(3, 2, TGridDrawState(), &b2, &f2);
  EXPECT_EQ(b1.Color(), clAqua);
  EXPECT_EQ(f1.Color(), clMaroon);
  EXPECT_NE(b2.Color(), clAqua);  // a check-box cell keeps the painter's brush
}

TEST(AdvGridHooks, ReadOnlyMergedBaseCellRefusesBeforeTheEventDecides) {
  GridOwner g;
  g->SetOptions(TGridOptions(g->Options()) | goEditing);
  g->MergeCells(1, 1, 2, 2);
  g->SetReadOnly(1, 1, true);
  bool seen = true;
  g->OnCanEditCell = [&](TObject*, int, int, bool& CanEdit) { seen = CanEdit; };
  bool can = true;
  g->CanEditCell(2, 2, can);
  EXPECT_FALSE(seen);
  EXPECT_FALSE(can);
  g->OnCanEditCell = [&](TObject*, int, int, bool& CanEdit) { CanEdit = true; };
  can = true;
  g->CanEditCell(2, 2, can);
  EXPECT_TRUE(can);
}

TEST(AdvGridHooks, CellWithPropertiesNeedsEditingSwitchedOn) {
  GridOwner g;
  g->SetColors(1, 1, clRed);  // has properties, not read-only
  bool can = true;
  g->CanEditCell(1, 1, can);
  EXPECT_FALSE(can);  // no goEditing
  g->MouseActions()->SetRangeSelectAndEdit(true);
  can = true;
  g->CanEditCell(1, 1, can);
  EXPECT_TRUE(can);
}

TEST(AdvGridHooks, ColumnBeyondTheRealColumnsIsEditableWithoutTheEvent) {
  GridOwner g;
  int fired = 0;
  g->OnCanEditCell = [&](TObject*, int, int, bool& CanEdit) {
    ++fired;
    CanEdit = false;
  };
  bool can = false;
  g->CanEditCell(g->ColCount() + 3, 1, can);
  EXPECT_TRUE(can);
  EXPECT_EQ(fired, 0);
  can = true;
  g->CanEditCell(1, 1, can);
  EXPECT_FALSE(can);
  EXPECT_EQ(fired, 1);
}

TEST(AdvGridHooks, WideHintReplacesTheHintPacked) {
  GridOwner g;
  g->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) { Hint = u"r" + IntToStr(ARow) + u"c" + IntToStr(ACol); };
  String hint, wide;
  g->DoGridHint(2, 1, hint, wide);
  EXPECT_EQ(Utf8(hint), "r1c2");
  g->OnGridWideHint = [](TObject*, int, int, String& Hint) { Hint = u"\u00e9t\u00e9"; };
  g->DoGridHint(2, 1, hint, wide);
  EXPECT_EQ(hint, PackUnicodeText(u"\u00e9t\u00e9"));
  EXPECT_EQ(hint.substr(0, 2), u"|\\");
  EXPECT_EQ(hint.size(), 2u + 3u * 2u);
  g->OnGridWideHint = [](TObject*, int, int, String& Hint) { Hint.clear(); };
  g->DoGridHint(2, 1, hint, wide);
  EXPECT_EQ(Utf8(hint), "r1c2");  // an empty wide hint leaves the hint
}

TEST(AdvGridHooks, NoEditorCellOnlyThroughTheEditorEvent) {
  GridOwner g;
  EXPECT_FALSE(g->IsNoEditorCell(1, 1));
  g->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& Ed) {
    EXPECT_EQ(Ed, edNormal);
    if (ACol == 2) Ed = edNone;
  };
  EXPECT_FALSE(g->IsNoEditorCell(1, 1));
  EXPECT_TRUE(g->IsNoEditorCell(2, 1));
}

TEST(AdvGridHooks, FixedCellsByCountsFootersAndEvent) {
  GridOwner g;
  g->SetColCount(5);
  g->SetRowCount(6);
  g->SetFixedFooters(1);
  EXPECT_TRUE(g->IsFixed(0, 3));
  EXPECT_TRUE(g->IsFixed(2, 0));
  EXPECT_TRUE(g->IsFixed(2, 5));  // footer row
  EXPECT_FALSE(g->IsFixed(2, 3));
  g->OnIsFixedCell = [](TObject*, int ARow, int, bool& IsFixed) { IsFixed = ARow == 3; };
  EXPECT_TRUE(g->IsFixed(2, 3));
  EXPECT_FALSE(g->IsFixed(2, 2));
}

TEST(AdvGridHooks, CellFontIsTheGridFontOrASharedScratchFont) {
  GridOwner g;
  EXPECT_EQ(g->GetCellFont(1, 1), g->Font());
  g->SetFontColors(1, 1, clRed);
  g->SetFontSizes(1, 1, 14);
  TFont* f = g->GetCellFont(1, 1);
  EXPECT_NE(f, g->Font());
  EXPECT_EQ(f->Color(), clRed);
  EXPECT_EQ(f->Size(), 14);
  g->SetFontColors(2, 1, clBlue);
  EXPECT_EQ(g->GetCellFont(2, 1), f);  // the same scratch font, overwritten
  EXPECT_EQ(f->Color(), clBlue);
}

TEST(AdvGridHooks, HotmailRowSelectCentresColumnZero) {
  GridOwner g;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g->DoGetAlignment(0, 1, ha, va);
  EXPECT_EQ(ha, taLeftJustify);
  g->MouseActions()->SetHotmailRowSelect(true);
  g->DoGetAlignment(0, 1, ha, va);
  EXPECT_EQ(ha, taCenter);
  ha = taLeftJustify;
  g->DoGetAlignment(1, 1, ha, va);
  EXPECT_EQ(ha, taLeftJustify);
}

TEST(AdvGridHooks, DisableEditHookRemovesEditing) {
  GridOwner g;
  g->SetOptions(TGridOptions(g->Options()) | goEditing);
  g->MouseActions()->SetEditOnDblClickOnly(true);
  EXPECT_FALSE(g->Options().Contains(goEditing));
}

}  // namespace

namespace {

TEST(AdvGridHooks, ExpandClickFiresThenSetsTheRowHeight) {
  GridOwner g;
  TCellGraphic* cg = g->CreateCellGraphic(1, 2);
  cg->SetCellType(ctExpand);
  cg->SetCellAngle(60);
  cg->SetCellIndex(22);
  int heightSeen = -1;
  g->OnExpandClick = [&](TObject*, int, int ARow, bool) { heightSeen = g->RowHeights(ARow); };
  const int before = g->RowHeights(2);
  g->DoExpandClick(1, 2, true);
  EXPECT_EQ(heightSeen, before);
  EXPECT_EQ(g->RowHeights(2), 60);
  g->DoExpandClick(1, 2, false);
  EXPECT_EQ(g->RowHeights(2), 22);
}

TEST(AdvGridHooks, NotificationHooksForwardTheirArguments) {
  GridOwner g;
  String log;
  g->OnSearchFooterAction = [&](TObject*, const String& V, int C, int R, TSearchAction A) {
    log += V + IntToStr(C) + IntToStr(R) + IntToStr(int(A)) + u";";
  };
  g->OnButtonClick = [&](TObject*, int C, int R) { log += u"b" + IntToStr(C) + IntToStr(R) + u";"; };
  g->OnComboCloseUp = [&](TObject*, int R, int C) { log += u"u" + IntToStr(R) + IntToStr(C) + u";"; };
  g->OnComboDropDown = [&](TObject*, int R, int C) { log += u"d" + IntToStr(R) + IntToStr(C) + u";"; };
  g->DoSearchFooterAction(u"x", 1, 2, saFindNext);
  g->DoButtonClick(3, 4);
  g->DoComboCloseUp(5, 6);
  g->DoComboDropDown(7, 8);
  EXPECT_EQ(Utf8(log), "x122;b34;u56;d78;");
}

TEST(AdvGridHooks, CellCursorSetsTheShownCursorOnly) {
  GridOwner g;
  g->DoGetCellCursor(1, 1, 0, 0);  // no handler: nothing
  EXPECT_EQ(g->TControl::Cursor(), crDefault);
  TCursor start = 1;
  g->OnGetCellCursor = [&](TObject*, int, int, int, int, TCursor& C) {
    start = C;
    C = crHandPoint;
  };
  g->DoGetCellCursor(1, 1, 0, 0);
  EXPECT_EQ(start, crDefault);
  EXPECT_EQ(g->TControl::Cursor(), crHandPoint);
  g->DoGetCellCursor(1, 1, 0, 0);
  EXPECT_EQ(start, crDefault);  // the grid's own cursor, not the last shown one
}

}  // namespace
