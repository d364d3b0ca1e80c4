// The popup grid's events as the grid drop-down republishes them, and a picture of the open popup.
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDownForm.h"
#include "tests/grid/griddropdown/GridDropDownFixture.h"

namespace {

using griddropdown_test::GridDropDownTest;

class GridDropDownEventsTest : public GridDropDownTest {
 protected:
  void Open() {
    SetColumns({60, 60});
    edit->Columns()->Items(1)->SetAlignment(taRightJustify);
    edit->Columns()->Items(1)->SetColor(clYellow);
    SetItems({{u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}});
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown());
  }
};

TEST_F(GridDropDownEventsTest, KeysComeFromTheDropDownAndMouseFromTheGrid) {
  std::vector<TObject*> keySenders, mouseSenders;
  edit->OnGridKeyDown = [&](TObject* Sender, Word&, TShiftState) { keySenders.push_back(Sender); };
  edit->OnGridKeyPress = [&](TObject* Sender, Char&) { keySenders.push_back(Sender); };
  edit->OnGridMouseDown = [&](TObject* Sender, TMouseButton, TShiftState, int, int) { mouseSenders.push_back(Sender); };
  Open();
  PopupKey(VK_DOWN);
  PopupKey('Q', {}, u'q');
  ASSERT_EQ(keySenders.size(), 3u);
  for (TObject* s : keySenders) EXPECT_EQ(s, edit);
  const TRect cell = Grid()->CellRect(0, 1);
  driver.MouseDown(Grid(), cell.Left + 4, cell.Top + 4);
  ASSERT_EQ(mouseSenders.size(), 1u);
  EXPECT_EQ(mouseSenders[0], Grid());
  driver.MouseUp(Grid(), cell.Left + 4, cell.Top + 4);
}

TEST_F(GridDropDownEventsTest, SortCompareAndSpinEventsNeverFire) {
  int fired = 0;
  edit->OnGridCanSort = [&](TObject*, int, bool&) { ++fired; };
  edit->OnGridClickSort = [&](TObject*, int) { ++fired; };
  edit->OnGridCustomCompare = [&](TObject*, const String&, const String&, int&) { ++fired; };
  edit->OnGridRawCompare = [&](TObject*, int, int, int, int&) { ++fired; };
  edit->OnGridSpinClick = [&](TObject*, int, int, int, bool) { ++fired; };
  Open();
  EXPECT_FALSE(Grid()->OnCustomCompare);
  EXPECT_FALSE(Grid()->OnRawCompare);
  EXPECT_FALSE(Grid()->OnSpinClick);
  bool doSort = true;
  Grid()->OnCanSort(Grid(), 0, doSort);
  Grid()->OnClickSort(Grid(), 0);
  EXPECT_TRUE(doSort);
  EXPECT_EQ(fired, 0);
}

TEST_F(GridDropDownEventsTest, UnassignedEventsChangeNothing) {
  Open();
  TAlignment h = taCenter;
  TVAlignment v = vtaBottom;
  Grid()->OnGetAlignment(Grid(), 1, 1, h, v);
  EXPECT_EQ(h, taCenter);
  // Numbers show as stored.
  EXPECT_EQ(Grid()->GetFormattedCell(1, 1), u"1");
  TBrush brush;
  brush.SetColor(clWhite);
  TFont font;
  Grid()->OnGetCellColor(Grid(), 1, 1, TGridDrawState{}, &brush, &font);
  EXPECT_EQ(brush.Color(), clWhite);
  Grid()->OnButtonClick(Grid(), 0, 1);
  EXPECT_FALSE(Popup()->BlockActivate());
  // Custom drawing is connected only while the drop-down's event is assigned.
  EXPECT_FALSE(Grid()->OnCustomCellDraw);
}

TEST_F(GridDropDownEventsTest, ForwardersPresetOrGuardWhatTheTableSays) {
  TAlignment seenAlign = taLeftJustify;
  TColor seenColor = clNone;
  String seenFormat = u"x";
  bool blockedDuringClick = false;
  int topLeft = 0;
  TObject* topLeftSender = nullptr;
  std::vector<String> anchors;
  edit->OnGridGetAlignment = [&](TObject*, int, int, TAlignment& H, TVAlignment&) { seenAlign = H; };
  edit->OnGridGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush* B, TFont*) { seenColor = B->Color(); };
  edit->OnGridGetFloatFormat = [&](TObject*, int, int, bool&, String& F) { seenFormat = F; };
  edit->OnGridButtonClick = [&](TObject*, int, int) { blockedDuringClick = Popup()->BlockActivate(); };
  edit->OnGridTopLeftChanged = [&](TObject* Sender) {
    ++topLeft;
    topLeftSender = Sender;
  };
  edit->OnGridInsertRow = [&](TObject*, int ARow) { anchors.push_back(IntToStr(ARow)); };
  edit->OnGridAnchorClick = [&](TObject*, int, int, const String& Anchor, bool&) { anchors.push_back(Anchor); };
  edit->OnGridCustomCellDraw = [](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) {};
  Open();
  TAlignment h = taCenter;
  TVAlignment v = vtaTop;
  Grid()->OnGetAlignment(Grid(), 1, 1, h, v);
  EXPECT_EQ(seenAlign, taRightJustify);
  TBrush brush;
  TFont font;
  Grid()->OnGetCellColor(Grid(), 1, 1, TGridDrawState{}, &brush, &font);
  EXPECT_EQ(seenColor, clYellow);
  // A column past the settings keeps what the grid gave.
  brush.SetColor(clLime);
  Grid()->OnGetCellColor(Grid(), 1, 5, TGridDrawState{}, &brush, &font);
  EXPECT_EQ(seenColor, clLime);
  bool isFloat = true;
  String format = u"%.2f";
  Grid()->OnGetFloatFormat(Grid(), 1, 1, isFloat, format);
  EXPECT_EQ(seenFormat, u"");
  Grid()->OnButtonClick(Grid(), 0, 1);
  EXPECT_TRUE(blockedDuringClick);
  EXPECT_FALSE(Popup()->BlockActivate());
  Grid()->OnTopLeftChanged(Grid());
  EXPECT_EQ(topLeft, 1);
  EXPECT_EQ(topLeftSender, edit);
  Grid()->OnAutoInsertRow(Grid(), 2);
  bool autoHandle = true;
  Grid()->OnAnchorClick(Grid(), 1, 0, u"http://127.0.0.1/", autoHandle);
  EXPECT_EQ(anchors, (std::vector<String>{u"2", u"http://127.0.0.1/"}));
  EXPECT_TRUE(static_cast<bool>(Grid()->OnCustomCellDraw));
}

TEST_F(GridDropDownEventsTest, CheckBoxClicksReachTheDropDown) {
  std::vector<int> clicks;
  edit->OnGridCheckBoxClick = [&](TObject* Sender, int ACol, int ARow, bool State) {
    EXPECT_EQ(Sender, Grid());
    clicks.insert(clicks.end(), {ACol, ARow, State ? 1 : 0});
  };
  Open();
  Grid()->OnCheckBoxClick(Grid(), 1, 2, true);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 1}));
}

TEST_F(GridDropDownEventsTest, PictureOfTheOpenPopup) {
  SetColumns({70, 50});
  edit->Columns()->Items(0)->SetHeader(u"Device");
  edit->Columns()->Items(1)->SetHeader(u"Port");
  SetItems({{u"Gateway", u"1"}, {u"Sensor", u"2"}, {u"Meter", u"3"}, {u"Relay", u"4"}});
  edit->SetItemIndex(2);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  SavePicture(Popup(), "grid_dropdown_popup.png");
  auto bitmap = PaintToBitmap(Popup());
  const TRect area = PaintedRect(Grid(), Popup());
  const auto pixelAt = [&](int Col, int Row, int Dx, int Dy) {
    const TRect r = Grid()->CellRect(Col, Row);
    return bitmap->Canvas()->Pixels(area.Left + r.Left + Dx, area.Top + r.Top + Dy);
  };
  const TColor plain = pixelAt(1, 1, 40, 3);
  const TColor current = pixelAt(1, 3, 40, 3);
  const TColor header = pixelAt(1, 0, 40, 3);
  // The item's row is painted as the selection, apart from the other data rows and the header.
  EXPECT_EQ(plain, pixelAt(1, 2, 40, 3));
  EXPECT_NE(current, plain);
  EXPECT_NE(header, plain);
  EXPECT_NE(header, current);
  // Every data row shows ink of its text in the first column.
  for (int r = 1; r <= 4; ++r) {
    const TColor back = pixelAt(0, r, 1, 1);
    bool ink = false;
    for (int x = 2; x < 40 && !ink; ++x)
      for (int y = 4; y < 18 && !ink; ++y) ink = pixelAt(0, r, x, y) != back;
    EXPECT_TRUE(ink) << r;
  }
}

}  // namespace
