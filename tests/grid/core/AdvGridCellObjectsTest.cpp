// Cell object families: what each Add, Create, Get, Set and Remove leaves in a cell, the image
// kinds that need an image list, markers beside other objects, scroll bars that follow their
// text, button rectangles, and who frees the objects a cell holds.
#include <gtest/gtest.h>

#include <memory>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;

struct FamilyForm : GridForm<> {
  FamilyForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(5);
    grid->SetRowCount(6);
    grid->SetDefaultColWidth(80);
    grid->SetDefaultRowHeight(24);
  }
};

TEST(AdvGridCellObjects, AddReplacesAnyObjectAndGetsAnswerOnlyTheirKind) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddComment(1, 1, u"note");
  ASSERT_EQ(g->GetComment(1, 1), u"note");
  TBitmap bmp;
  g->AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
  EXPECT_EQ(g->GetCellType(1, 1), ctBitmap);
  EXPECT_EQ(g->GetComment(1, 1), u"");
  String c = u"kept";
  EXPECT_FALSE(g->IsComment(1, 1, c));
  EXPECT_EQ(c, u"kept");
  EXPECT_EQ(g->GetBitmap(1, 1), &bmp);
  // Every Get on a cell of another kind.
  EXPECT_EQ(g->GetPicture(1, 1), nullptr);
  EXPECT_EQ(g->GetFilePicture(1, 1), nullptr);
  EXPECT_EQ(g->GetShapeColor(1, 1), clNone);
  EXPECT_EQ(g->GetScrollPosition(1, 1), -1);
  EXPECT_EQ(g->GetInterfacedCell(1, 1), nullptr);
  int angle = 7;
  EXPECT_FALSE(g->IsRotated(1, 1, angle));
  EXPECT_EQ(angle, 7);
  // A Remove of another kind leaves the bitmap.
  g->RemoveComment(1, 1);
  g->RemovePicture(1, 1);
  EXPECT_TRUE(g->HasBitmap(1, 1));
  g->RemoveBitmap(1, 1);
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
}

TEST(AdvGridCellObjects, CommentsKeepTheTextAndLeaveOtherObjectsAlone) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddComment(1, 1, u"remark");
  EXPECT_EQ(g->GetCellEx(1, 1), u"");
  EXPECT_EQ(static_cast<TColor>(g->GetCellGraphic(1, 1)->CellIndex()), g->ControlLook()->CommentColor());
  g->SetComment(1, 1, u"changed");
  EXPECT_EQ(g->GetComment(1, 1), u"changed");
  // A cell without object gets a comment; a button stays a button.
  g->SetComment(2, 2, u"new");
  EXPECT_EQ(g->GetComment(2, 2), u"new");
  g->AddButton(3, 3, 40, 18, u"Go", haLeft, vaTop);
  g->SetComment(3, 3, u"ignored");
  EXPECT_EQ(g->GetCellType(3, 3), ctButton);
  EXPECT_EQ(g->GetButtonText(3, 3), u"Go");
  g->AddColorComment(4, 4, u"red", clRed);
  EXPECT_EQ(static_cast<TColor>(g->GetCellGraphic(4, 4)->CellIndex()), clRed);
  g->RemoveAllComments();
  for (int c = 1; c <= 4; ++c) EXPECT_FALSE(g->GetCellType(c, c) == ctComment) << c;
  EXPECT_EQ(g->GetCellType(3, 3), ctButton);
}

TEST(AdvGridCellObjects, MarkersRideOnObjectsAndHolderGoesWithTheMarker) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddMarker(1, 1, 3, 4);
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
  EXPECT_NE(g->GetCellGraphic(1, 1), nullptr);
  int pos = -1, len = -1;
  g->GetMarker(1, 1, pos, len);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(len, 4);
  g->RemoveMarker(1, 1);
  EXPECT_EQ(g->GetCellGraphic(1, 1), nullptr);

  g->AddButton(2, 2, 30, 16, u"B", haLeft, vaTop);
  g->AddMarker(2, 2, 1, 2);
  g->GetMarker(2, 2, pos, len);
  EXPECT_EQ(pos, 1);
  g->RemoveMarker(2, 2);
  EXPECT_EQ(g->GetCellType(2, 2), ctButton);
  g->GetMarker(2, 2, pos, len);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(len, 0);
  // No object: 0 and 0.
  pos = len = 9;
  g->GetMarker(4, 4, pos, len);
  EXPECT_EQ(pos + len, 0);

  // A progress bar keeps its range in the marker's fields: markers leave it as it is.
  g->AddProgressFormatted(3, 3, clBlue, clWhite, clWhite, clBlack, u"", 10, 90);
  g->AddMarker(3, 3, 5, 6);
  g->RemoveAllMarkers();
  EXPECT_EQ(g->GetCellGraphic(3, 3)->CellErrFrom(), 10);
  EXPECT_EQ(g->GetCellGraphic(3, 3)->CellErrLen(), 90);
}

TEST(AdvGridCellObjects, ImageKindsNeedTheImageList) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddComment(1, 1, u"stays");
  g->AddImageIdx(1, 1, 2, haLeft, vaTop);
  g->AddDataImage(2, 2, 1, haLeft, vaTop);
  g->AddMultiImage(3, 3, true, haLeft, vaTop);
  EXPECT_EQ(g->GetComment(1, 1), u"stays");
  EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);
  EXPECT_EQ(g->GetCellType(3, 3), ctEmpty);

  TImageList images(nullptr);
  g->SetGridImages(&images);
  g->AddImageIdx(1, 1, 2, haLeft, vaTop);
  int idx = -1;
  ASSERT_TRUE(g->GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 2);
  g->SetImageIdx(1, 1, 5);
  g->GetImageIdx(1, 1, idx);
  EXPECT_EQ(idx, 5);
  // The text of an empty data-image cell becomes the index; a text already there stays.
  g->AddDataImage(2, 2, 3, haLeft, vaTop);
  EXPECT_EQ(g->GetCellEx(2, 2), u"3");
  EXPECT_TRUE(g->HasDataImage(2, 2));
  g->SetCellEx(4, 4, u"1");
  g->AddDataImage(4, 4, 3, haLeft, vaTop);
  EXPECT_EQ(g->GetCellEx(4, 4), u"1");
  g->RemoveDataImage(2, 2);
  EXPECT_EQ(g->GetCellEx(2, 2), u"");
  EXPECT_FALSE(g->HasDataImage(2, 2));
  // A multi-image list repaints its cell when it changes.
  g->AddMultiImage(3, 3, true, haLeft, vaTop);
  ASSERT_NE(g->GetCellImages(3, 3), nullptr);
  g->TakeInvalidatedRects();
  g->GetCellImages(3, 3)->Add(0);
  EXPECT_FALSE(g->TakeInvalidatedRects().empty());
  g->RemoveMultiImage(3, 3);
  EXPECT_EQ(g->GetCellImages(3, 3), nullptr);
  g->SetGridImages(nullptr);
}

TEST(AdvGridCellObjects, ProgressKindsKeepTheirColoursAndRange) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddProgress(1, 1, clBlue, clWhite);
  TCellGraphic* cg = g->GetCellGraphic(1, 1);
  EXPECT_EQ(cg->CellType(), ctProgress);
  EXPECT_EQ(cg->CellBitmapColor(), clBlue);
  EXPECT_EQ(cg->CellIconColor(), clWhite);
  EXPECT_EQ(cg->CellErrFrom(), 0);
  EXPECT_EQ(cg->CellErrLen(), 100);
  EXPECT_FALSE(cg->CellBoolean());
  EXPECT_TRUE(g->HasProgress(1, 1));
  EXPECT_EQ(g->GetCellAlignment(1, 1).HAlign, taLeftJustify);
  g->SetAutoNumAlign(true);
  g->AddProgress(1, 2, clBlue, clWhite);
  EXPECT_EQ(g->GetCellAlignment(1, 2).HAlign, taRightJustify);
  g->AddProgressEx(2, 1, clBlue, clWhite, clYellow, clNavy);
  EXPECT_EQ(g->GetCellAlignment(2, 1).HAlign, taRightJustify);
  cg = g->GetCellGraphic(2, 1);
  EXPECT_TRUE(cg->CellBoolean());
  EXPECT_EQ(static_cast<TColor>(cg->CellIndex()), clYellow);
  EXPECT_EQ(static_cast<TColor>(cg->CellAngle()), clNavy);

  g->AddProgressPie(3, 1, clRed, 40);
  g->SetProgressPie(3, 1, 60);
  EXPECT_EQ(g->GetCellGraphic(3, 1)->CellAngle(), 60);
  EXPECT_EQ(g->GetCellGraphic(3, 1)->CellHAlign(), haBeforeText);
  g->SetProgressPie(1, 1, 60);  // not a pie: the bar keeps its text colour
  EXPECT_EQ(g->GetCellGraphic(1, 1)->CellAngle(), static_cast<int>(clNone));

  g->AddAdvProgress(4, 1, 5, 50);
  EXPECT_EQ(g->GetCellType(4, 1), ctXPProgress);
  g->RemoveAdvProgress(4, 1);
  g->RemoveProgress(1, 1);
  g->RemoveProgressPie(3, 1);
  EXPECT_EQ(g->GetCellType(4, 1), ctEmpty);
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(g->GetCellType(3, 1), ctEmpty);
}

TEST(AdvGridCellObjects, ScrollBarsFollowTheirTextAndAnswerMinusOneWithout) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  EXPECT_EQ(g->GetScrollPosition(1, 1), -1);
  const TScrollProp none = g->GetScrollProp(1, 1);
  EXPECT_EQ(none.PageSize, -1);
  EXPECT_EQ(none.Range, -1);

  g->AddScrollBar(1, 1, false);
  EXPECT_EQ(g->GetScrollPosition(1, 1), 0);
  EXPECT_EQ(g->GetScrollProp(1, 1).PageSize, 0);
  EXPECT_EQ(g->GetScrollProp(1, 1).Range, 100);
  EXPECT_FALSE(g->HasAutoRangeScrollBar(1, 1));
  g->SetScrollPosition(1, 1, 30);
  EXPECT_EQ(g->GetScrollPosition(1, 1), 30);
  g->SetScrollProp(1, 1, TScrollProp{10, 200});
  EXPECT_EQ(g->GetScrollProp(1, 1).Range, 200);

  g->SetCellEx(2, 2, u"one\r\ntwo\r\nthree\r\nfour");
  g->AddScrollBar(2, 2, true);
  EXPECT_TRUE(g->HasAutoRangeScrollBar(2, 2));
  const TScrollProp p = g->GetScrollProp(2, 2);
  EXPECT_EQ(p.PageSize, g->RowHeights(2));
  EXPECT_EQ(p.Range, g->GetCellTextSize(2, 2, true, true).cy);
  EXPECT_GT(p.Range, p.PageSize);
  // A changed text changes the range.
  g->SetCellEx(2, 2, u"one");
  EXPECT_LT(g->GetScrollProp(2, 2).Range, p.Range);
  g->RemoveScrollBar(2, 2);
  EXPECT_FALSE(g->HasScrollBar(2, 2));
}

TEST(AdvGridCellObjects, ShapesRatingsRotatedAndInterfacedCells) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddShape(1, 1, csDiamond, clLime, clBlack, haCenter, vaCenter);
  EXPECT_EQ(g->GetShapeColor(1, 1), clLime);
  g->TakeInvalidatedRects();
  g->SetShapeColor(1, 1, clRed);
  EXPECT_EQ(g->GetShapeColor(1, 1), clRed);
  EXPECT_TRUE(g->TakeInvalidatedRects().empty());  // no repaint

  g->AddRating(2, 1, 5, clYellow, clSilver);
  EXPECT_TRUE(g->HasRating(2, 1));
  EXPECT_EQ(g->GetCellGraphic(2, 1)->CellHAlign(), haFull);
  bool asked = false;
  g->OnRatingChange = [&](TObject*, int c, int r, double& rate, bool& allow) {
    asked = c == 2 && r == 1;
    rate = 3.5;
    allow = false;
  };
  double rate = 4;
  EXPECT_FALSE(g->DoRatingChange(2, 1, rate));
  EXPECT_TRUE(asked);
  EXPECT_EQ(rate, 3.5);

  g->AddRotated(3, 1, -90, u"turned");
  EXPECT_EQ(g->GetCellEx(3, 1), u"turned");
  int angle = 0;
  ASSERT_TRUE(g->IsRotated(3, 1, angle));
  EXPECT_EQ(angle, 270);
  // SetRotated turns a comment into rotated text.
  g->AddComment(4, 1, u"c");
  g->SetRotated(4, 1, 45);
  EXPECT_TRUE(g->IsRotated(4, 1, angle));
  EXPECT_EQ(angle, 45);

  TObject app;
  g->AddInterfacedCell(1, 2, &app);
  EXPECT_EQ(g->GetInterfacedCell(1, 2), &app);
  g->RemoveInterfacedCell(1, 2);
  EXPECT_EQ(g->GetInterfacedCell(1, 2), nullptr);
}

TEST(AdvGridCellObjects, CreatedObjectsGoWithTheCellPassedOnesStay) {
  // Run under the address sanitizer: a created object left behind leaks, a passed one freed is
  // used after its release below.
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  TBitmap* made = g->CreateBitmap(1, 1, false, haLeft, vaTop);
  made->SetSize(4, 4);
  EXPECT_EQ(g->GetBitmap(1, 1), made);
  g->RemoveBitmap(1, 1);
  g->CreatePicture(2, 1, false, noStretch, 0, haLeft, vaTop);
  g->CreateFilePicture(3, 1, false, noStretch, 0, haLeft, vaTop);
  g->CreateIcon(4, 1, haLeft, vaTop);
  g->CreateBitButton(1, 2, 40, 20, u"Go", haLeft, vaTop)->SetSize(8, 8);
  // Replaced by the next Add, and by SetRotated, which keeps no owned object.
  g->AddComment(2, 1, u"over the picture");
  g->SetRotated(3, 1, 90);
  EXPECT_TRUE(g->GetCellType(3, 1) == ctRotated);

  auto passed = std::make_unique<TBitmap>();
  passed->SetSize(5, 6);
  g->AddBitmap(2, 2, passed.get(), false, haLeft, vaTop);
  g->RemoveBitmap(2, 2);
  g->AddBitmap(3, 2, passed.get(), false, haLeft, vaTop);
  g->AddComment(3, 2, u"replaces");
  auto icon = std::make_unique<TIcon>();
  g->AddIcon(4, 2, icon.get(), haLeft, vaTop);
  g->RemoveIcon(4, 2);
  EXPECT_EQ(passed->Width(), 5);
  EXPECT_EQ(passed->Height(), 6);
  EXPECT_TRUE(icon->Empty());
  // The rest goes with the grid.
}

TEST(AdvGridCellObjects, ButtonsTextPushAndRectangle) {
  FamilyForm f;
  TAdvStringGrid* g = f.grid;
  g->AddButton(1, 1, 30, 16, u"Go", haLeft, vaTop);
  EXPECT_TRUE(g->HasButton(1, 1));
  g->SetButtonText(1, 1, u"Run");
  EXPECT_EQ(g->GetButtonText(1, 1), u"Run");
  g->PushButton(1, 1, true);
  EXPECT_TRUE(g->GetCellGraphic(1, 1)->CellBoolean());

  struct Case {
    TCellHAlign H;
    TCellVAlign V;
    TRect Expected;  // relative to the cell
  };
  const Case cases[] = {
      {haLeft, vaTop, Rect(5, 3, 35, 19)},
      {haFull, vaTop, Rect(0, 3, 80, 19)},
      {haLeft, vaFull, Rect(5, 0, 35, 24)},
      {haFull, vaFull, Rect(0, 0, 80, 24)},
  };
  for (const Case& c : cases) {
    g->AddButton(2, 2, 30, 16, u"B", c.H, c.V);
    g->GetCellGraphic(2, 2)->SetCellValue((3 << 16) | 5);
    const TRect cell = g->CellRect(2, 2);
    TRect e = c.Expected;
    OffsetRect(e, cell.Left, cell.Top);
    EXPECT_EQ(g->GetCellButtonRect(2, 2), e) << int(c.H) << "," << int(c.V);
  }
  EXPECT_EQ(g->GetCellButtonRect(3, 3), TRect());

  // A displayed column: the object of its real column.
  g->HideColumn(1);
  EXPECT_EQ(g->GetButtonText(1, 2), u"B");
  g->UnHideColumn(1);

  g->AddBitButton(3, 3, 30, 16, u"G", nullptr, haLeft, vaTop);
  g->AddButton(4, 3, 30, 16, u"H", haLeft, vaTop);
  g->RemoveBitButton(4, 3);
  EXPECT_TRUE(g->HasButton(4, 3));  // not a bit button
  g->RemoveAllButtons();
  for (int c = 1; c <= 4; ++c)
    for (int r = 1; r <= 3; ++r) EXPECT_FALSE(g->HasButton(c, r)) << c << "," << r;
}

}  // namespace
