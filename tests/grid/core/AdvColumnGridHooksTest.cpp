// The column grid's answers to the per-cell questions: taken from the cell's column in normal
// cells, the string grid's own elsewhere, with the cell's properties and the events after them.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"

namespace {

using advgrid_test::Utf8;

struct HookGrid {
  TAdvColumnGrid* g = New<TAdvColumnGrid>(nullptr);
  HookGrid() { g->SetRowCount(6); }  // rows 1..5 normal
  ~HookGrid() { delete g; }
  TGridColumnItem* col(int i) const { return g->Columns()->Items(i); }
  bool canEdit(int c, int r, bool in = true) const {
    bool e = in;
    g->CanEditCell(c, r, e);
    return e;
  }
};

TEST(AdvColumnGridHooks, DataCheckBoxColumnsAnswerTheSharedObjectInNormalCells) {
  HookGrid t;
  t.g->SetFixedFooters(1);  // row 5 is a footer
  t.col(2)->SetEditor(edDataCheckBox);
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(t.g->GetCellType(2, r), ctDataCheckBox) << r;
    TCellGraphic* cg = t.g->GetCellGraphic(2, r);
    ASSERT_EQ(cg, t.g->SharedCellGraphic()) << r;
    EXPECT_EQ(cg->CellType(), ctVirtCheckBox);
    EXPECT_FALSE(cg->CellTransparent());
  }
  for (int r : {0, 5}) {  // fixed and footer rows: the string grid's answers
    EXPECT_EQ(t.g->GetCellType(2, r), ctEmpty) << r;
    EXPECT_EQ(t.g->GetCellGraphic(2, r), nullptr) << r;
  }
  EXPECT_EQ(t.g->GetCellType(1, 1), ctEmpty);  // another column
  t.g->ControlLook()->SetControlStyle(csFlat);
  EXPECT_TRUE(t.g->GetCellGraphic(2, 1)->CellTransparent());

  // A cell with an object of its own keeps it.
  t.g->AddCheckBox(2, 3, true, false);
  EXPECT_EQ(t.g->GetCellType(2, 3), ctCheckBox);
  EXPECT_NE(t.g->GetCellGraphic(2, 3), t.g->SharedCellGraphic());
  // Removing the shared answer frees nothing and leaves the column's boxes.
  EXPECT_TRUE(t.g->RemoveCellGraphic(2, 1));
  EXPECT_EQ(t.g->GetCellGraphic(2, 1), t.g->SharedCellGraphic());
}

TEST(AdvColumnGridHooks, DataCheckBoxStateIsTheColumnsCheckText) {
  HookGrid t;
  t.col(1)->SetEditor(edDataCheckBox);
  t.col(1)->SetCheckTrue(u"J");
  t.col(1)->SetCheckFalse(u"X");
  t.g->SetCellEx(1, 1, u"J");
  t.g->SetCellEx(1, 2, u"Y");
  EXPECT_TRUE(t.g->IsChecked(1, 1));
  EXPECT_FALSE(t.g->IsChecked(1, 2));  // the grid's "Y" is not this column's checked text
  EXPECT_TRUE(t.g->ToggleCheckBox(1, 1));
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 1)), "X");
  EXPECT_TRUE(t.g->ToggleCheckBox(1, 1));
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 1)), "J");
}

TEST(AdvColumnGridHooks, ColumnCheckTextsWinOverTheEvents) {
  HookGrid t;
  t.g->SetFixedFooters(1);
  t.col(2)->SetCheckTrue(u"On");
  t.col(2)->SetCheckFalse(u"Off");
  t.g->OnGetCheckTrue = [](TObject*, int, int, String& V) { V = u"evt"; };
  t.g->OnGetCheckFalse = [](TObject*, int, int, String& V) { V = u"nope"; };
  struct Case { int col, row; const char* t; const char* f; };
  const Case cases[] = {{2, 1, "On", "Off"}, {2, 4, "On", "Off"}, {2, 0, "evt", "nope"},
                        {2, 5, "evt", "nope"}, {0, 1, "evt", "nope"}};
  for (const Case& c : cases) {
    String v, f;
    t.g->DoGetCheckTrue(c.col, c.row, v);
    t.g->DoGetCheckFalse(c.col, c.row, f);
    EXPECT_EQ(Utf8(v), c.t) << c.col << "," << c.row;
    EXPECT_EQ(Utf8(f), c.f) << c.col << "," << c.row;
  }
}

TEST(AdvColumnGridHooks, TheColumnDecidesWhetherACellIsEditable) {
  HookGrid t;
  EXPECT_FALSE(t.g->Options().Contains(goEditing));
  t.col(1)->SetReadOnly(true);
  t.col(3)->SetFixed(true);
  t.g->GetCellProperties(2, 2)->SetReadOnly(true);
  t.g->GetCellProperties(1, 3)->SetReadOnly(false);
  struct Case { int col, row; bool in, editable; };
  const Case cases[] = {
      {2, 1, true, true},    // a plain column, whatever goEditing says
      {2, 1, false, true},   // the answer passed in does not matter
      {1, 3, true, false},   // a read-only column, the cell's own flag off
      {2, 2, true, false},   // a read-only cell in an editable column
      {3, 1, true, false},   // a fixed column
      {2, 0, true, false},   // the fixed row
      {0, 1, true, false},   // the fixed column
      {7, 1, true, false},   // beyond the columns
  };
  for (const Case& c : cases) EXPECT_EQ(t.canEdit(c.col, c.row, c.in), c.editable) << c.col << "," << c.row;

  // The event has the last word, asked for the base cell of a merged range.
  t.g->MergeCells(1, 4, 2, 1);
  std::vector<std::pair<int, int>> asked;
  t.g->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
    asked.emplace_back(ACol, ARow);
    CanEdit = !CanEdit;
  };
  EXPECT_FALSE(t.canEdit(2, 4));  // column 2 allows, the event refuses
  EXPECT_TRUE(t.canEdit(1, 1));   // the read-only column refuses, the event allows
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 4}, {1, 1}}));
}

TEST(AdvColumnGridHooks, EditorKindFillsTheSharedComboFromTheColumn) {
  HookGrid t;
  t.g->SetRowCount(257);
  t.g->SetColCount(15);
  TGridColumnItem* position = t.col(8);
  position->SetEditor(edComboList);
  position->SetDropDownCount(12);
  for (int i = 0; i < 1440; ++i) position->ComboItems()->Add(IntToStr(i));
  t.col(13)->SetFloatFormat(u"%.4f");

  TEditorType kind = edNormal;
  t.g->GetCellEditorType(8, 1, kind);
  EXPECT_EQ(kind, edComboList);
  EXPECT_EQ(t.g->GetComboCount(), 1440);
  EXPECT_EQ(Utf8(t.g->Combobox()->Items()->Strings(1439)), "1439");
  EXPECT_EQ(t.g->Combobox()->DropDownCount(), 12);
  EXPECT_EQ(t.g->ControlLook()->DropDownCount(), 12);

  // Asking a formatted column leaves the grid's own format for the other columns.
  kind = edNormal;
  t.g->GetCellEditorType(13, 1, kind);
  EXPECT_EQ(kind, edNormal);
  EXPECT_EQ(Utf8(t.g->FloatFormat()), "%.2f");
  t.g->SetFloats(12, 1, 2.0);
  EXPECT_EQ(Utf8(t.g->GetCellEx(12, 1)), Utf8(Format(u"%.2f", {2.0})));

  // The fixed row keeps what was asked; the application's handler comes after the column.
  kind = edSpinEdit;
  t.g->GetCellEditorType(8, 0, kind);
  EXPECT_EQ(kind, edSpinEdit);
  t.g->OnGetEditorType = [&](TObject*, int ACol, int, TEditorType& AEditor) {
    if (ACol != 8) return;
    EXPECT_EQ(AEditor, edComboList);
    t.g->ClearComboString();
    t.g->AddComboString(u"a");
    t.g->AddComboString(u"b");
  };
  t.g->GetCellEditorType(8, 2, kind);
  EXPECT_EQ(t.g->GetComboCount(), 2);
}

TEST(AdvColumnGridHooks, ComboButtonsFollowTheColumnKind) {
  HookGrid t;
  t.col(1)->SetEditor(edComboList);
  t.col(2)->SetEditor(edComboEdit);
  t.col(3)->SetEditor(edDataCheckBox);
  EXPECT_TRUE(t.g->DoHasComboBox(1, 1));
  EXPECT_TRUE(t.g->DoHasComboBox(2, 5));
  EXPECT_FALSE(t.g->DoHasComboBox(3, 1));
  EXPECT_FALSE(t.g->DoHasComboBox(1, 0));
  t.g->OnHasComboBox = [](TObject*, int ACol, int, bool& Has) { Has = ACol == 3; };
  EXPECT_FALSE(t.g->DoHasComboBox(1, 1));
  EXPECT_TRUE(t.g->DoHasComboBox(3, 1));
}

TEST(AdvColumnGridHooks, FixedColumnsCountAsFixedCells) {
  HookGrid t;
  t.col(3)->SetFixed(true);
  EXPECT_TRUE(t.g->IsFixed(3, 2));
  EXPECT_FALSE(t.g->IsFixed(2, 2));
  t.g->HideColumn(1);  // real column 3 shows at display column 2
  EXPECT_TRUE(t.g->IsFixed(2, 2));
  EXPECT_FALSE(t.g->IsFixed(3, 2));
}

TEST(AdvColumnGridHooks, AlignmentFormatAndPasswordFromTheColumn) {
  HookGrid t;
  TGridColumnItem* c = t.col(2);
  c->SetAlignment(taRightJustify);
  c->SetHeaderAlignment(taCenter);
  c->SetPassword(true);
  c->SetSortStyle(ssNumeric);
  c->SetSortPrefix(u"$");
  c->SetSortSuffix(u" kg");
  TAlignment h = taLeftJustify;
  TVAlignment v = vtaCenter;
  t.g->DoGetAlignment(2, 1, h, v);
  EXPECT_EQ(h, taRightJustify);
  EXPECT_EQ(v, vtaCenter);
  t.g->DoGetAlignment(2, 0, h, v);
  EXPECT_EQ(h, taCenter);
  t.g->GetCellProperties(2, 3)->SetAlignment(taLeftJustify);
  t.g->DoGetAlignment(2, 3, h, v);
  EXPECT_EQ(h, taLeftJustify);  // the cell's own

  TSortStyle style = ssAutomatic;
  String prefix, suffix;
  t.g->DoGetFormat(2, style, prefix, suffix);
  EXPECT_EQ(style, ssNumeric);
  EXPECT_EQ(Utf8(prefix), "$");
  EXPECT_EQ(Utf8(suffix), " kg");

  bool pw = false;
  t.g->DoIsPasswordCell(2, 0, pw);
  EXPECT_TRUE(pw);  // any row
  pw = true;
  t.g->DoIsPasswordCell(1, 1, pw);
  EXPECT_FALSE(pw);
}

TEST(AdvColumnGridHooks, ColoursAndFontsOfTheColumn) {
  HookGrid t;
  TGridColumnItem* c = t.col(2);
  c->SetColor(clAqua);
  c->Font()->SetName(u"Courier");
  c->HeaderFont()->SetStyle(TFontStyles(fsBold));
  TBrush brush;
  TFont font;
  auto ask = [&](int col, int row) {
    brush.SetColor(clWindow);
    font.Assign(t.g->Font());
    t.g->DoGetCellColor(col, row, TGridDrawState(), &brush, &font);
  };
  ask(2, 1);
  EXPECT_EQ(brush.Color(), clAqua);
  EXPECT_EQ(Utf8(font.Name()), "Courier");
  ask(2, 0);
  EXPECT_EQ(brush.Color(), clWindow);  // fixed row: the header font only
  EXPECT_TRUE(font.Style().Contains(fsBold));
  t.g->GetCellProperties(2, 2)->SetBrushColor(clRed);
  t.g->GetCellProperties(2, 2)->SetFontColor(clBlue);
  ask(2, 2);
  EXPECT_EQ(brush.Color(), clRed);
  EXPECT_EQ(font.Color(), clBlue);
  c->SetFixed(true);
  ask(2, 1);
  EXPECT_EQ(brush.Color(), t.g->FixedColor());
  c->SetFixed(false);
  c->SetShowBands(true);
  t.g->Bands()->SetActive(true);
  ask(2, 1);
  EXPECT_EQ(brush.Color(), clWindow);  // banding decides
  ask(0, 1);
  EXPECT_EQ(Utf8(font.Name()), Utf8(t.g->Font()->Name()));  // fixed column: not the column's

  // Printing: the column's print colour and font.
  c->SetShowBands(false);
  c->SetPrintColor(clYellow);
  c->PrintFont()->SetName(u"Verdana");
  brush.SetColor(clWindow);
  t.g->DoGetCellPrintColor(2, 1, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), clYellow);
  EXPECT_EQ(Utf8(font.Name()), "Verdana");
  t.g->DoGetCellPrintColor(2, 0, TGridDrawState(), &brush, &font);
  EXPECT_TRUE(font.Style().Contains(fsBold));  // the print settings' fixed font
}

TEST(AdvColumnGridHooks, BordersOfTheColumn) {
  HookGrid t;
  TGridColumnItem* c = t.col(2);
  c->SetBorders(TCellBorders{cbLeft, cbBottom});
  c->BorderPen()->SetWidth(2);
  TPen pen;
  TCellBorders b;
  t.g->DoGetCellBorder(2, 1, &pen, b);
  EXPECT_EQ(b, (TCellBorders{cbLeft, cbBottom}));
  EXPECT_EQ(pen.Width(), 2);
  EXPECT_EQ(pen.Color(), clSilver);
  TCellBorders fixed;
  t.g->DoGetCellBorder(2, 0, &pen, fixed);
  EXPECT_TRUE(fixed.Empty());

  TCellBorders pb;
  t.g->DoGetCellPrintBorder(2, 1, &pen, pb);
  EXPECT_EQ(pb, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
  EXPECT_EQ(pen.Color(), clBlack);
  c->SetPrintBorderCustom(false);
  TCellBorders none;
  t.g->DoGetCellPrintBorder(2, 1, &pen, none);
  EXPECT_TRUE(none.Empty());
}

}  // namespace
