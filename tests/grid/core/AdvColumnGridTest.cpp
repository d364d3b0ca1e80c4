// The column grid: its columns' settings and copies, the collection kept in step with the column
// count and the headers, the home order, and the answers taken from the columns.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// Reaches the class library's questions the inplace editor asks.
class TProbeColumnGrid : public TAdvColumnGrid {
 public:
  using TAdvColumnGrid::TAdvColumnGrid;
  int EditLimit() { return GetEditLimit(); }
  String EditMask(int DCol, int DRow) { return GetEditMask(DCol, DRow); }
  String Formatted(int RCol, int DRow) { return GetFormattedCell(RCol, DRow); }
  String CellFloatFormat(int RCol, int DRow) { return GetCellFloatFormat(RCol, DRow); }
  void Scale(int M, int D) { ChangeScale(M, D); }
  int Sized(int RCol, int Width, bool Auto) {
    if (Auto) DoUpdateAutoColumnSize(RCol, Width);
    else DoUpdateColumnSize(RCol, Width);
    return Width;
  }
};

struct ColumnGrid {
  TProbeColumnGrid* g = New<TProbeColumnGrid>(nullptr);
  ~ColumnGrid() { delete g; }
  TGridColumnItem* col(int i) const { return g->Columns()->Items(i); }
};

TEST(AdvColumnGrid, OneColumnPerRealColumnThroughCountsAndHiding) {
  ColumnGrid t;
  EXPECT_EQ(t.g->ColCount(), 5);
  EXPECT_EQ(t.g->Columns()->Count(), 5);
  t.g->HideColumn(3);
  EXPECT_EQ(t.g->ColCount(), 4);
  EXPECT_EQ(t.g->Columns()->Count(), 5);  // the hidden column keeps its column object
  t.g->UnHideColumn(3);
  t.g->SetColCount(3);
  EXPECT_EQ(t.g->Columns()->Count(), 3);
  t.g->SetColCount(9);
  EXPECT_EQ(t.g->Columns()->Count(), 9);
}

TEST(AdvColumnGrid, AppendedColumnsTakeTheLookOfTheLastOne) {
  ColumnGrid t;
  t.g->Font()->SetName(u"Verdana");
  t.g->SetColor(clYellow);
  TGridColumnItem* fifth = t.col(4);
  fifth->SetEditor(edDataCheckBox);
  fifth->SetCheckTrue(u"J");
  fifth->SetCheckFalse(u"X");
  fifth->SetAlignment(taCenter);
  fifth->SetReadOnly(true);
  fifth->SetHeader(u"Enable");
  fifth->SetDropDownCount(3);
  fifth->ComboItems()->Add(u"a");
  fifth->SetColor(clRed);
  fifth->Font()->SetName(u"Courier");

  t.g->SetColCount(7);
  ASSERT_EQ(t.g->Columns()->Count(), 7);
  for (int i : {5, 6}) {
    TGridColumnItem* c = t.col(i);
    EXPECT_EQ(c->Editor(), edDataCheckBox) << i;
    EXPECT_EQ(Utf8(c->CheckTrue()), "J") << i;
    EXPECT_EQ(Utf8(c->CheckFalse()), "X") << i;
    EXPECT_EQ(c->Alignment(), taCenter) << i;
    EXPECT_TRUE(c->ReadOnly()) << i;
    EXPECT_TRUE(c->Header().empty()) << i;
    EXPECT_EQ(c->DropDownCount(), 8) << i;
    EXPECT_EQ(c->ComboItems()->Count(), 0) << i;
    EXPECT_EQ(Utf8(c->Font()->Name()), "Verdana") << i;
    EXPECT_EQ(c->Color(), clYellow) << i;
  }
}

TEST(AdvColumnGrid, NewColumnsStartFromTheirDefaults) {
  ColumnGrid t;
  TGridColumnItem* c = t.col(1);
  EXPECT_EQ(c->Editor(), edNormal);
  EXPECT_EQ(Utf8(c->CheckTrue()), "Y");
  EXPECT_EQ(Utf8(c->CheckFalse()), "N");
  EXPECT_EQ(c->DropDownCount(), 8);
  EXPECT_EQ(c->SpinStep(), 1);
  EXPECT_EQ(c->PrintColor(), clWhite);
  EXPECT_EQ(c->BorderPen()->Color(), clSilver);
  EXPECT_EQ(c->PrintBorderPen()->Color(), clBlack);
  EXPECT_TRUE(c->Borders().Empty());
  EXPECT_EQ(c->PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
  EXPECT_EQ(c->ColumnPopupType(), cpFixedCellsRClick);
  EXPECT_TRUE(c->PrintBorderCustom());
  EXPECT_TRUE(c->PrintFontCustom());
  EXPECT_EQ(c->Width(), t.g->ColWidths(1));
  EXPECT_EQ(c->Color(), t.g->Color());

  // A column made outside a collection has the plain defaults and reaches no grid.
  std::unique_ptr<TGridColumnItem> loose(New<TGridColumnItem>(nullptr));
  EXPECT_EQ(loose->Grid(), nullptr);
  EXPECT_EQ(loose->Width(), 0);
  loose->SetHeader(u"x");  // nothing to write into
  EXPECT_EQ(Utf8(loose->Header()), "x");
}

TEST(AdvColumnGrid, DisplayNameAndLookupByName) {
  ColumnGrid t;
  t.col(2)->SetName(u"Name");
  EXPECT_EQ(Utf8(t.col(2)->GetDisplayName()), "Col 2: Name");
  EXPECT_EQ(Utf8(t.col(3)->GetDisplayName()), "Column 3");
  EXPECT_EQ(t.g->GetColumnByName(u"Name"), t.col(2));
  EXPECT_EQ(t.g->GetColumnByName(u"name"), nullptr);  // names compare exactly
  EXPECT_EQ(t.g->GetColumnByName(u"Other"), nullptr);
}

TEST(AdvColumnGrid, WidthOfAHiddenColumnIsItsSavedWidth) {
  ColumnGrid t;
  t.col(2)->SetWidth(50);
  EXPECT_EQ(t.g->ColWidths(2), 50);
  t.g->HideColumn(2);
  EXPECT_EQ(t.col(2)->Width(), 50);
  t.col(2)->SetWidth(70);
  EXPECT_TRUE(t.g->IsHiddenColumn(2));
  EXPECT_EQ(t.g->ColWidths(2), t.col(3)->Width());  // display column 2 is real column 3
  t.g->UnHideColumn(2);
  EXPECT_EQ(t.g->ColWidths(2), 70);
}

TEST(AdvColumnGrid, HeaderWritesRowZeroOnlyWithFixedRows) {
  ColumnGrid t;
  t.col(1)->SetHeader(u"Type");
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 0)), "Type");
  ASSERT_EQ(t.g->ColumnHeaders()->Count(), 5);
  EXPECT_EQ(Utf8(t.g->ColumnHeaders()->Strings(1)), "Type");

  ColumnGrid n;
  n.g->SetFixedRows(0);
  n.g->SetCellEx(1, 0, u"data");
  n.col(1)->SetHeader(u"Type");
  EXPECT_EQ(Utf8(n.g->GetCellEx(1, 0)), "data");  // no cell changes
  ASSERT_EQ(n.g->ColumnHeaders()->Count(), 5);  // the list is still rebuilt
  EXPECT_EQ(Utf8(n.g->ColumnHeaders()->Strings(1)), "Type");
}

TEST(AdvColumnGrid, HeaderListAndColumnsFollowEachOther) {
  ColumnGrid t;
  // A header still empty takes the text its cell already shows when the columns are updated.
  t.g->SetCellEx(3, 0, u"typed");
  t.col(0)->SetHeader(u"N");
  EXPECT_EQ(Utf8(t.col(3)->Header()), "typed");
  // A changed list is taken over by the columns (the cells show it too).
  TStringList l;
  l.Add(u"a");
  l.Add(u"b");
  t.g->SetColumnHeaders(&l);
  EXPECT_EQ(Utf8(t.col(0)->Header()), "a");
  EXPECT_EQ(Utf8(t.col(1)->Header()), "b");
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 0)), "b");
}

TEST(AdvColumnGrid, EditorRepaintsOnlyAroundDataCheckBoxes) {
  GridForm<TAdvColumnGrid> f;
  TGridColumnItem* c = f.grid->Columns()->Items(2);
  struct Step { TEditorType to; bool repaints; };
  const Step steps[] = {{edComboList, false}, {edComboList, false}, {edDataCheckBox, true},
                        {edDataCheckBox, false}, {edNormal, true}, {edComboEdit, false}};
  for (const Step& s : steps) {
    f.grid->TakeInvalidatedRects();
    c->SetEditor(s.to);
    EXPECT_EQ(c->Editor(), s.to);
    EXPECT_EQ(!f.grid->TakeInvalidatedRects().empty(), s.repaints) << int(s.to);
  }
}

TEST(AdvColumnGrid, ResetOrganizationRestoresTheHomeOrderAndStops) {
  ColumnGrid t;
  t.g->SetColCount(3);
  for (int i = 0; i < 3; ++i) t.g->SetCellEx(i, 1, u"c" + IntToStr(2 - i));
  const int home[] = {2, 1, 0};
  for (int i = 0; i < 3; ++i) {
    t.col(i)->SetDefIdx(home[i]);
    t.col(i)->SetName(u"c" + IntToStr(home[i]));
  }
  int moves = 0;
  t.g->OnAfterColumnMoved = [&](TObject*, int, int) { ++moves; };
  t.g->Columns()->ResetOrganization();
  EXPECT_EQ(moves, 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(t.col(i)->DefIdx(), i);
    EXPECT_EQ(Utf8(t.col(i)->Name()), "c" + std::to_string(i));
    EXPECT_EQ(Utf8(t.g->GetCellEx(i, 1)), "c" + std::to_string(i));  // cells travelled along
  }
  t.g->Columns()->ResetOrganization();
  EXPECT_EQ(moves, 2);  // already home: nothing moves
}

TEST(AdvColumnGrid, SetOrganizationRecordsTheCurrentOrder) {
  ColumnGrid t;
  t.g->Loaded();  // a form's grid records its order when it is loaded
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.col(i)->DefIdx(), i);
  t.g->MoveColumn(1, 3);
  EXPECT_EQ(t.col(3)->DefIdx(), 1);
  t.g->Columns()->SetOrganization();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.col(i)->DefIdx(), i);
}

TEST(AdvColumnGrid, AssignCopiesEverythingButWidthAndPrintSwitches) {
  ColumnGrid t;
  TGridColumnItem* s = t.col(1);
  s->SetHeader(u"H");
  s->SetName(u"n");
  s->SetTag(7);
  s->SetEditor(edComboList);
  s->ComboItems()->Add(u"x");
  s->SetDropDownCount(4);
  s->SetColor(clRed);
  s->Font()->SetName(u"Courier");
  s->SetFloatFormat(u"%.3f");
  s->SetColumnPopupType(cpAllCellsLClick);
  s->SetPrintFontCustom(false);
  s->SetWidth(99);
  TGridColumnItem* d = t.col(3);
  d->Assign(s);
  EXPECT_EQ(Utf8(d->Header()), "H");
  EXPECT_EQ(Utf8(d->Name()), "n");
  EXPECT_EQ(d->Tag(), 7);
  EXPECT_EQ(d->Editor(), edComboList);
  EXPECT_EQ(d->ComboItems()->Count(), 1);
  EXPECT_EQ(d->DropDownCount(), 4);
  EXPECT_EQ(d->Color(), clRed);
  EXPECT_EQ(Utf8(d->Font()->Name()), "Courier");
  EXPECT_EQ(Utf8(d->FloatFormat()), "%.3f");
  EXPECT_EQ(d->ColumnPopupType(), cpFixedCellsRClick);
  EXPECT_TRUE(d->PrintFontCustom());
  EXPECT_NE(d->Width(), 99);
  EXPECT_TRUE(t.g->GetCellEx(3, 0).empty());  // no writer ran

  // The visuals leave the identity and the combo list alone and reset colour and font.
  TGridColumnItem* v = t.col(4);
  v->AssignVisuals(s);
  EXPECT_EQ(v->Editor(), edComboList);
  EXPECT_EQ(Utf8(v->FloatFormat()), "%.3f");
  EXPECT_TRUE(v->Header().empty());
  EXPECT_TRUE(v->Name().empty());
  EXPECT_EQ(v->ComboItems()->Count(), 0);
  EXPECT_EQ(v->DropDownCount(), 8);
  EXPECT_EQ(v->Color(), t.g->Color());
  EXPECT_EQ(Utf8(v->Font()->Name()), Utf8(t.g->Font()->Name()));

  TStringList other;
  v->Assign(&other);  // not a column: ignored
  EXPECT_EQ(v->Editor(), edComboList);
}

TEST(AdvColumnGrid, CollectionItemsAndInsert) {
  ColumnGrid t;
  t.col(4)->SetEditor(edComboEdit);
  TGridColumnItem* in = t.g->Columns()->Insert(2);
  EXPECT_EQ(in->Index(), 2);
  EXPECT_EQ(in->Editor(), edNormal);  // creation values, not the neighbour's
  EXPECT_EQ(t.g->Columns()->Count(), 6);
  EXPECT_EQ(t.g->ColCount(), 6);  // the grid follows the collection
  EXPECT_THROW(t.g->Columns()->Items(6), EListError);
  EXPECT_THROW(t.g->Columns()->Items(-1), EListError);
  t.g->Columns()->SetItem(0, t.col(5));
  EXPECT_EQ(t.col(0)->Editor(), edComboEdit);
}

TEST(AdvColumnGrid, EditLimitAndMaskComeFromTheCurrentColumn) {
  ColumnGrid t;
  t.col(2)->SetEditLength(15);
  t.col(2)->SetEditMask(u"999;1;_");
  t.col(0)->SetEditLength(3);
  t.g->SetCol(2);
  EXPECT_EQ(t.g->EditLimit(), 15);
  EXPECT_EQ(Utf8(t.g->EditMask(2, 1)), "999;1;_");
  EXPECT_TRUE(t.g->EditMask(0, 1).empty());  // a fixed column keeps the grid's own
  t.g->HideColumn(1);                         // display column 1 is now real column 2
  t.g->SetCol(1);
  EXPECT_EQ(t.g->EditLimit(), 15);
  EXPECT_EQ(Utf8(t.g->EditMask(1, 1)), "999;1;_");
}

TEST(AdvColumnGrid, SnmpShapedGridAnswersFromItsColumns) {
  ColumnGrid t;
  t.g->SetRowCount(257);
  t.g->SetColCount(15);
  ASSERT_EQ(t.g->Columns()->Count(), 15);
  TGridColumnItem* position = t.col(8);
  position->SetEditor(edComboList);
  for (int i = 0; i < 1440; ++i) position->ComboItems()->Add(IntToStr(i));
  TGridColumnItem* community = t.col(2);
  community->SetEditor(edComboEdit);
  community->SetEditLength(15);
  t.g->SetCol(2);
  t.g->SetRow(1);
  EXPECT_EQ(t.g->EditLimit(), 15);
  EXPECT_EQ(t.col(8)->ComboItems()->Count(), 1440);
  EXPECT_EQ(t.col(8)->Editor(), edComboList);
}

TEST(AdvColumnGrid, NewCellPropertiesStartFromTheColumn) {
  ColumnGrid t;
  TGridColumnItem* c = t.col(2);
  c->SetColor(clAqua);
  c->SetAlignment(taCenter);
  c->SetHeaderAlignment(taRightJustify);
  c->Font()->SetSize(14);
  TCellProperties* p = t.g->GetCellProperties(2, 3);
  EXPECT_EQ(p->BrushColor(), clAqua);
  EXPECT_EQ(p->Alignment(), taCenter);
  EXPECT_EQ(p->FontSize(), 14);
  TCellProperties* h = t.g->GetCellProperties(2, 0);  // a fixed cell: no brush of its own
  EXPECT_EQ(h->Alignment(), taRightJustify);
  EXPECT_EQ(h->BrushColor(), clNone);
  c->SetShowBands(true);
  t.g->Bands()->SetActive(true);
  EXPECT_EQ(t.g->GetCellProperties(2, 4)->BrushColor(), clNone);  // banded
}

TEST(AdvColumnGrid, FloatFormatOfTheColumn) {
  ColumnGrid t;
  TFormatSettings saved = FormatSettings();
  FormatSettings() = FormatSettingsFromLocale("C");
  t.col(3)->SetFloatFormat(u"%.4f");
  EXPECT_EQ(Utf8(t.g->CellFloatFormat(3, 1)), "%.4f");
  EXPECT_EQ(Utf8(t.g->CellFloatFormat(2, 1)), "%.2f");
  t.g->SetFloats(3, 1, 3.14159);
  t.g->SetFloats(2, 1, 3.14159);
  EXPECT_EQ(Utf8(t.g->GetCellEx(3, 1)), "3.1416");
  EXPECT_EQ(Utf8(t.g->GetCellEx(2, 1)), "3.14");
  EXPECT_EQ(Utf8(t.g->FloatFormat()), "%.2f");  // the grid's own format is untouched

  // Shown: a number in the column's format; other text as stored.
  t.col(1)->SetFloatFormat(u"%.1f");
  t.g->SetCellEx(1, 1, u"2.345");
  t.g->SetCellEx(1, 2, u"abc");
  EXPECT_EQ(Utf8(t.g->Formatted(1, 1)), "2.3");
  EXPECT_EQ(Utf8(t.g->Formatted(1, 2)), "abc");
  EXPECT_EQ(Utf8(t.g->Formatted(2, 1)), "3.14");  // no column format: as stored
  t.g->OnGetFloatFormat = [](TObject*, int ACol, int, bool& IsFloat, String& Fmt) {
    if (ACol == 1) IsFloat = false;
    if (ACol == 2) Fmt = u"%.0f";
  };
  EXPECT_EQ(Utf8(t.g->Formatted(1, 1)), "2.345");
  EXPECT_EQ(Utf8(t.g->Formatted(2, 1)), "3");
  FormatSettings() = saved;
}

TEST(AdvColumnGrid, VersionOfTheColumnGrid) {
  ColumnGrid t;
  EXPECT_EQ(Utf8(t.g->GetVersionString()), "3.1.3.1 Aug, 2012");
  t.g->SetVersion(u"9.9.9.9");
  EXPECT_EQ(Utf8(t.g->Version()), "3.1.3.1");
  EXPECT_EQ(t.g->GetVersionNr(), 0x03010301);
}

TEST(AdvColumnGrid, FreedPopupMenuLeavesItsColumns) {
  ColumnGrid t;
  TPopupMenu* menu = new TPopupMenu(nullptr);
  t.col(1)->SetColumnPopup(menu);
  t.col(3)->SetColumnPopup(menu);
  menu->FreeNotification(t.g);
  delete menu;
  EXPECT_EQ(t.col(1)->ColumnPopup(), nullptr);
  EXPECT_EQ(t.col(3)->ColumnPopup(), nullptr);
}

TEST(AdvColumnGrid, ChangeScaleScalesColumnFonts) {
  ColumnGrid t;
  t.col(1)->Font()->SetSize(8);
  t.col(1)->HeaderFont()->SetSize(10);
  t.g->Scale(3, 2);
  EXPECT_EQ(t.col(1)->Font()->Size(), 12);
  EXPECT_EQ(t.col(1)->HeaderFont()->Size(), 15);
  t.g->Scale(2, 2);  // scale 1: nothing changes
  EXPECT_EQ(t.col(1)->Font()->Size(), 12);
}

TEST(AdvColumnGrid, SizeLimitsHoldProposedWidths) {
  ColumnGrid t;
  TGridColumnItem* c = t.col(1);
  c->SetMinSize(30);
  c->SetMaxSize(100);
  c->SetAutoMinSize(50);
  struct Case { int proposed; bool autoSize; int result; };
  const Case cases[] = {{10, false, 30}, {60, false, 60}, {150, false, 100},
                        {10, true, 50},  {150, true, 150}, {40, true, 50}};
  for (const Case& k : cases) EXPECT_EQ(t.g->Sized(1, k.proposed, k.autoSize), k.result) << k.proposed;
  EXPECT_EQ(t.g->Sized(2, 5, false), 5);  // no limits set
  t.g->OnUpdateColumnSize = [](TObject*, int, int& W) { W += 1; };
  EXPECT_EQ(t.g->Sized(1, 150, false), 101);  // the event sees the held width
}

TEST(AdvColumnGrid, ColumnCellAccessGoesThroughTheGrid) {
  ColumnGrid t;
  TGridColumnItem* c = t.col(2);
  c->SetRows(1, u"abc");
  EXPECT_EQ(Utf8(t.g->GetCellEx(2, 1)), "abc");
  c->SetInts(2, 42);
  EXPECT_EQ(c->GetInts(2), 42);
  EXPECT_EQ(Utf8(c->GetRows(2)), "42");
}

}  // namespace
