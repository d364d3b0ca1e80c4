// The column grid's moves, saved positions and column stream, its column popups, the filter
// lines of a column and the grouped column's settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "grid/core/AdvGridFilter.h"
#include "platform/IniFiles.h"
#include "platform/testing/ScratchFolder.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

TGridColumnItem* Col(TAdvColumnGrid* g, int i) { return g->Columns()->Items(i); }

std::string Names(TAdvColumnGrid* g) {
  std::string s;
  for (int i = 0; i < g->Columns()->Count(); ++i) s += Utf8(Col(g, i)->Name());
  return s;
}

void NameColumns(TAdvColumnGrid* g) {
  for (int i = 0; i < g->Columns()->Count(); ++i) {
    Col(g, i)->SetName(String(1, static_cast<Char>(u'a' + i)));
    g->SetCellEx(i, 1, String(1, static_cast<Char>(u'a' + i)));
  }
  g->Columns()->SetOrganization();
}

TEST(AdvColumnGridMove, AMoveWithAHiddenColumnMovesTheItemsByRealIndex) {
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  NameColumns(g);
  g->HideColumn(0);
  int from = -1, to = -1;
  g->OnAfterColumnMoved = [&](TObject*, int F, int T) {
    from = F;
    to = T;
  };
  g->MoveColumn(1, 3);
  EXPECT_EQ(from, 2);
  EXPECT_EQ(to, 4);
  EXPECT_EQ(Names(g), "abdec");
  EXPECT_EQ(Utf8(g->GetCellEx(4, 1)), "c");  // the cells went with the items
}

TEST(AdvColumnGridMove, PositionsRoundTripThroughAnIniFile) {
  TScratchFolder dir("colpos");
  const String ini = dir.File("cols.ini");
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  NameColumns(g);
  g->MoveColumn(1, 4);
  g->MoveColumn(1, 2);
  const std::string moved = Names(g);
  EXPECT_EQ(moved, "adceb");
  g->ColumnSize()->SetLocation(clIniFile);
  g->ColumnSize()->SetKey(ini);
  g->ColumnSize()->SetSection(u"G");
  g->SaveColPositions();
  EXPECT_EQ(TMemIniFile(ini).ReadInteger(u"G", u"CP1", -1), Col(g, 1)->DefIdx());

  GridForm<TAdvColumnGrid> other;
  TAdvColumnGrid* h = other.grid;
  NameColumns(h);
  h->ColumnSize()->SetLocation(clIniFile);
  h->ColumnSize()->SetKey(ini);
  h->ColumnSize()->SetSection(u"G");
  h->LoadColPositions();
  EXPECT_EQ(Names(h), moved);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Col(h, i)->DefIdx(), Col(g, i)->DefIdx());
    EXPECT_EQ(Utf8(h->GetCellEx(i, 1)), Utf8(Col(h, i)->Name()));
  }

  // A missing key or a column named twice leaves the order as it is.
  struct Case {
    const char* name;
    const char16_t* key;
    int value;
  };
  const Case cases[] = {{"missing", u"CP3", -1}, {"twice", u"CP3", Col(g, 0)->DefIdx()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      TMemIniFile file(ini);
      if (c.value < 0) file.DeleteKey(u"G", c.key);
      else file.WriteInteger(u"G", c.key, c.value);
      file.UpdateFile();
    }
    GridForm<TAdvColumnGrid> third;
    NameColumns(third.grid);
    third.grid->LoadColumnPositions(ini, u"G");
    EXPECT_EQ(Names(third.grid), "abcde");
  }
}

// Sets a value other than its default on every published property of the column.
void SetEverything(TGridColumnItem* c) {
  c->SetAlignment(taRightJustify);
  c->SetAutoMaxSize(90);
  c->SetAutoMinSize(9);
  c->SetBorders(TCellBorders{cbLeft, cbBottom});
  c->BorderPen()->SetColor(clRed);
  c->BorderPen()->SetWidth(2);
  c->SetCheckFalse(u"no");
  c->SetCheckTrue(u"yes");
  c->SetColor(clAqua);
  c->SetColumnPopupType(cpAllCellsLClick);
  c->ComboItems()->SetText(u"one\r\ntwo, three\r\n");
  c->SetDefIdx(3);
  c->SetDropDownCount(4);
  c->SetEditLength(12);
  c->SetEditMask(u"99\\=;1;_");
  c->SetEditor(edComboList);
  c->Filter()->SetText(u"Big=>100\r\n");
  c->SetFilterCaseSensitive(true);
  c->SetFixed(true);
  c->SetFloatFormat(u"%.2f");
  c->Font()->SetName(u"Courier New");
  c->Font()->SetSize(13);
  c->Font()->SetStyle(fsBold | fsItalic);
  c->SetHeader(u"Head\r\nline");
  c->SetHeaderAlignment(taCenter);
  c->HeaderFont()->SetColor(clGreen);
  c->SetMaxSize(300);
  c->SetMinSize(30);
  c->SetName(u"col=x");
  c->SetPassword(true);
  c->SetPrintBorderCustom(false);
  c->PrintBorderPen()->SetStyle(psDot);
  c->SetPrintBorders(TCellBorders{cbTop});
  c->SetPrintColor(clSilver);
  c->PrintFont()->SetSize(7);
  c->SetPrintFontCustom(false);
  c->SetReadOnly(true);
  c->SetShowBands(true);
  c->SetSortPrefix(u"<");
  c->SetSortStyle(ssNumeric);
  c->SetSortSuffix(u">");
  c->SetSpinMax(50);
  c->SetSpinMin(-5);
  c->SetSpinStep(5);
  c->SetTag(77);
  c->SetWidth(123);
}

std::string StreamText(TAdvColumnGrid* g) {
  TMemoryStream s;
  g->SaveColumnsToStream(&s);
  return std::string(s.Bytes());
}

TEST(AdvColumnGridMove, TheColumnStreamRoundTripsEveryPublishedProperty) {
  GridForm<TAdvColumnGrid> f;
  SetEverything(Col(f.grid, 2));
  const std::string saved = StreamText(f.grid);
  GridForm<TAdvColumnGrid> other;
  TMemoryStream s;
  s.WriteBytes(saved);
  s.SetPosition(0);
  other.grid->LoadColumnsFromStream(&s);
  EXPECT_EQ(StreamText(other.grid), saved);
  TGridColumnItem* c = Col(other.grid, 2);
  EXPECT_EQ(Utf8(c->Header()), "Head\r\nline");
  EXPECT_EQ(c->Editor(), edComboList);
  EXPECT_TRUE(c->Font()->Style().Contains(fsItalic));
  EXPECT_EQ(other.grid->ColWidths(2), 123);  // the width reached the grid
  for (const char* name : {"Alignment=", "Width=", "PrintFontCustom=", "HeaderFont=", "ComboItems="})
    EXPECT_NE(saved.find(name), std::string::npos) << name;
}

TEST(AdvColumnGridMove, AStreamWithoutColumnsRaisesAndKeepsThem) {
  GridForm<TAdvColumnGrid> f;
  Col(f.grid, 1)->SetHeader(u"kept");
  for (const char* bytes : {"", "TAdvStringGrid\nCount=1\n", "TAdvColumnGridIO\nCount=2\nColumn\nTag=1\nEnd\n"}) {
    SCOPED_TRACE(bytes);
    TMemoryStream s;
    s.WriteBytes(bytes);
    s.SetPosition(0);
    EXPECT_THROW(f.grid->LoadColumnsFromStream(&s), EReadError);
    EXPECT_EQ(Utf8(Col(f.grid, 1)->Header()), "kept");
    EXPECT_EQ(Col(f.grid, 0)->Tag(), 0);
  }
}

class TRecordingPopup : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  void Popup(int X, int Y) override {
    ++Shown;
    At = Point(X, Y);
  }
  int Shown = 0;
  TPoint At{};
};

TEST(AdvColumnGridMove, AColumnPopupShowsOnlyOnTheCellsOfItsKind) {
  struct Case {
    TColumnPopupType type;
    bool right;
    int row;
    bool fires, shows;
  };
  const Case cases[] = {{cpFixedCellsRClick, true, 2, true, false}, {cpFixedCellsRClick, true, 0, true, true},
                        {cpFixedCellsRClick, false, 0, false, false}, {cpNormalCellsLClick, false, 2, true, true},
                        {cpNormalCellsLClick, false, 0, true, false}, {cpAllCellsRClick, true, 2, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + (c.right ? " right " : " left ") + std::to_string(c.row));
    GridForm<TAdvColumnGrid> f;
    TAdvColumnGrid* g = f.grid;
    auto* menu = New<TRecordingPopup>(f.form);
    Col(g, 2)->SetColumnPopup(menu);
    Col(g, 2)->SetColumnPopupType(c.type);
    int fired = 0;
    g->OnColumnPopup = [&](TObject*, int ACol, int ARow, TPopupMenu* M) {
      ++fired;
      EXPECT_EQ(ACol, 2);
      EXPECT_EQ(ARow, c.row);
      EXPECT_EQ(M, menu);
    };
    const TRect cr = g->CellRect(2, c.row);
    f.driver.MouseDown(g, cr.Left + 5, cr.Top + 5, c.right ? mbRight : mbLeft);
    f.driver.MouseUp(g, cr.Left + 5, cr.Top + 5, c.right ? mbRight : mbLeft);
    EXPECT_EQ(fired, c.fires ? 1 : 0);
    EXPECT_EQ(menu->Shown, c.shows ? 1 : 0);
    if (c.shows) {
      EXPECT_EQ(menu->At, g->ClientToScreen(Point(cr.Left, cr.Bottom)));
    }
  }
}

TEST(AdvColumnGridMove, AFilterLineShowsItsCaptionAndFiltersByItsCondition) {
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  g->SetAutoFilterDisplay(true);
  g->SetRowCount(4);
  for (int r = 1; r < 4; ++r) g->SetCellEx(2, r, IntToStr(r * 60));
  Col(g, 2)->Filter()->SetText(u"Big=>100\r\nAll\r\n");
  ASSERT_TRUE(g->DoGetColumnFilter(2));
  ASSERT_EQ(g->FilterList()->Count(), 2);
  EXPECT_EQ(Utf8(g->FilterList()->Strings(0)), "Big");
  EXPECT_EQ(Utf8(g->FilterList()->Strings(1)), "All");
  String friendly;
  g->OnFilterSelect = [&](TObject*, int, int, const String& Name, String&) { friendly = Name; };
  g->SetFilterColumn(2);
  g->DoFilterSelect(0);
  EXPECT_EQ(Utf8(friendly), "Big");
  EXPECT_EQ(Utf8(g->Filter()->ColumnFilter(2)->Condition()), ">100");
  EXPECT_EQ(Utf8(Col(g, 2)->Header()), "Big");
  EXPECT_EQ(g->FilterColumn(), -1);
  EXPECT_EQ(g->RowCount(), 3);  // the row of 60 is filtered out
}

TEST(AdvColumnGridMove, UnGroupGivesTheGroupedColumnItsSettingsBack) {
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  g->SetRowCount(5);
  for (int r = 1; r < 5; ++r) {
    g->SetCellEx(1, r, r < 3 ? u"x" : u"y");
    g->SetCellEx(2, r, IntToStr(r));
  }
  Col(g, 2)->SetHeader(u"Group me");
  Col(g, 2)->SetAlignment(taCenter);
  Col(g, 2)->SetTag(5);
  g->Group(2);
  ASSERT_EQ(g->GroupColumn(), 2);
  g->UnGroup();
  EXPECT_EQ(g->GroupColumn(), -1);
  EXPECT_EQ(Utf8(Col(g, 2)->Header()), "Group me");
  EXPECT_EQ(Col(g, 2)->Alignment(), taCenter);
  EXPECT_EQ(Col(g, 2)->Tag(), 5);
}

}  // namespace
