// Cell objects: the object itself, attaching, finding and removing it, measuring, and the
// display hooks that read cell objects.
#include <gtest/gtest.h>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridOwner;
using advgrid_test::VirtualBoxGrid;
using advgrid_test::Utf8;

// Counts its destructions.
class Counted : public TStringList {
 public:
  explicit Counted(int* Freed) : FFreed(Freed) {}
  ~Counted() override { ++*FFreed; }

 private:
  int* FFreed;
};


TEST(AdvCellGraphic, AngleIsBroughtIntoZeroTo360) {
  const struct {
    int in, out;
  } cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {45, 45}, {-720, 0}, {361, 1}};
  for (const auto& c : cases) {
    TCellGraphic cg;
    cg.SetAngle(c.in);
    EXPECT_EQ(cg.CellAngle(), c.out) << c.in;
    EXPECT_EQ(cg.CellType(), ctRotated);
  }
}

TEST(AdvCellGraphic, PictureSizeByStretchMode) {
  TBitmap bmp;
  bmp.SetSize(100, 50);
  TPicture pic;
  pic.SetGraphic(&bmp);
  const struct {
    TStretchMode mode;
    int w, h;
  } cases[] = {{noStretch, 100, 50},
               {Stretch, 50, 50},
               {StretchWithAspectRatio, 50, 25},
               {Shrink, 50, 50},
               {ShrinkWithAspectRatio, 50, 25}};
  for (const auto& c : cases) {
    TCellGraphic cg;
    cg.SetPicture(&pic, false, c.mode, 4, haLeft, vaTop);
    TPoint size;
    cg.GetPictureSize(54, 54, false, size);
    EXPECT_EQ(size, TPoint(c.w, c.h)) << int(c.mode);
  }
  // A picture that fits is not grown by the shrinking modes.
  TCellGraphic cg;
  cg.SetPicture(&pic, false, ShrinkWithAspectRatio, 0, haLeft, vaTop);
  TPoint size;
  cg.GetPictureSize(200, 200, false, size);
  EXPECT_EQ(size, TPoint(100, 50));
  // Other kinds leave the size alone.
  TCellGraphic other;
  other.SetImageIdx(3, haLeft, vaTop);
  size = TPoint(7, 8);
  other.GetPictureSize(54, 54, false, size);
  EXPECT_EQ(size, TPoint(7, 8));
}

TEST(AdvCellGraphic, AssignCopiesScalarsButNotHeldObjects) {
  TBitmap bmp;
  TCellGraphic a;
  a.SetBitmap(&bmp, true, haRight, vaBottom);
  a.SetCellText(u"t");
  a.SetCellErrFrom(3);
  a.SetCellVar(9);
  TCellGraphic b;
  b.Assign(&a);
  EXPECT_EQ(b.CellType(), ctBitmap);
  EXPECT_EQ(b.CellHAlign(), haRight);
  EXPECT_EQ(b.CellVAlign(), vaBottom);
  EXPECT_TRUE(b.CellTransparent());
  EXPECT_EQ(Utf8(b.CellText()), "t");
  EXPECT_EQ(b.CellErrFrom(), 3);
  EXPECT_EQ(b.CellBitmap(), nullptr);
  EXPECT_EQ(b.CellVar(), 0);
}

TEST(AdvCellGraphic, DestroyFreesWhatItOwns) {
  int freed = 0;
  {
    TCellGraphic images;  // always owns its index list
    images.SetMultiImage(1, 1, true, haLeft, vaTop, nullptr);
    EXPECT_FALSE(images.CellBoolean());
  }
  {
    TCellGraphic notOwned;
    notOwned.SetCheckBox(true, false, true, haBeforeText, vaTop);
    notOwned.SetCellBitmap(new Counted(&freed));
    notOwned.SetCellAngle(1);  // a balloon list on the box
  }
  EXPECT_EQ(freed, 1);
  Counted kept(&freed);
  {
    TCellGraphic radio;
    radio.SetCellType(ctRadio);
    radio.SetCellBitmap(&kept);  // passed in: stays the caller's
  }
  EXPECT_EQ(freed, 1);
}

TEST(AdvCellGraphic, CellTypeAndObjectOfCellsWithoutCellObjects) {
  GridOwner g;
  EXPECT_EQ(g->GetCellType(-1, 0), ctEmpty);
  EXPECT_EQ(g->GetCellType(0, -1), ctEmpty);
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
  TPersistent foreign;
  g->SetGraphicObjectEx(1, 1, &foreign);
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(g->GetCellGraphic(1, 1), nullptr);
  g->MouseActions()->SetHotmailRowSelect(true);
  g->SetGraphicObjectEx(0, 2, &foreign);
  EXPECT_EQ(g->GetCellType(0, 2), ctEmpty);  // a foreign object wins over the row box
  EXPECT_EQ(g->GetCellGraphic(0, 2), nullptr);
  EXPECT_EQ(g->GetCellType(0, 3), ctRowCheckBox);
  g->SetGraphicObjectEx(1, 1, nullptr);
  g->SetGraphicObjectEx(0, 2, nullptr);
}

TEST(AdvCellGraphic, CreateKeepsAnEmptyTextEmptyAndReplacesTheOldObject) {
  GridOwner g;
  TCellGraphic* first = g->CreateCellGraphic(1, 1);
  EXPECT_EQ(Utf8(g->Cells(1, 1)), "");
  EXPECT_EQ(first->CellType(), ctNone);
  EXPECT_EQ(g->GetCellType(1, 1), ctNone);
  g->SetCells(2, 1, u"text");
  g->CreateCellGraphic(2, 1);
  EXPECT_EQ(Utf8(g->Cells(2, 1)), "text");
  TCellGraphic* second = g->CreateCellGraphic(1, 1);
  EXPECT_EQ(g->GetCellGraphic(1, 1), second);
}

TEST(AdvCellGraphic, RemoveFreesOwnObjectsAndAnswersWhetherThereWasOne) {
  GridOwner g;
  EXPECT_FALSE(g->RemoveCellGraphic(1, 1));
  g->CreateCellGraphic(1, 1)->SetImageIdx(2, haLeft, vaTop);
  EXPECT_FALSE(g->RemoveCellGraphicOfType(1, 1, ctBitmap));
  EXPECT_EQ(g->GetCellType(1, 1), ctImageList);
  EXPECT_TRUE(g->RemoveCellGraphicOfType(1, 1, ctImageList));
  EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
}

TEST(AdvCellGraphic, RemovingAVirtualBoxKeepsTheSharedObject) {
  auto* g = New<VirtualBoxGrid>(nullptr);
  TCellGraphic* shared = g->SharedCellGraphic();
  EXPECT_TRUE(g->RemoveCellGraphic(2, 3));
  EXPECT_EQ(g->SharedCellGraphic(), shared);
  EXPECT_EQ(g->GetCellGraphic(2, 3), shared);
  EXPECT_EQ(g->GetCellType(2, 3), ctVirtCheckBox);
  delete g;
}

TEST(AdvCellGraphic, ControlAndDataGraphicCellsFollowTheBaseCell) {
  GridOwner g;
  g->AddCheckBox(1, 1, true, true);
  g->MergeCells(1, 1, 2, 1);
  EXPECT_TRUE(g->IsControlCell(2, 1));
  EXPECT_TRUE(g->IsDataGraphicCell(2, 1));
  EXPECT_FALSE(g->IsControlCell(-1, 1));
  g->CreateCellGraphic(3, 3)->SetButton(20, 10, u"b", haLeft, vaTop);
  EXPECT_TRUE(g->IsControlCell(3, 3));
  EXPECT_FALSE(g->IsDataGraphicCell(3, 3));
  EXPECT_TRUE(g->HasButton(3, 3));
  EXPECT_FALSE(g->HasRating(3, 3));
  g->CreateCellGraphic(3, 3)->SetImageIdx(1, haLeft, vaTop);
  EXPECT_FALSE(g->IsControlCell(3, 3));
}

TEST(AdvCellGraphic, HotmailHeaderBoxFollowsHowManyRowsAreSelected) {
  GridOwner g;
  g->SetRowCount(11);  // ten normal rows
  g->MouseActions()->SetHotmailRowSelect(true);
  TCellGraphic* head = g->GetCellGraphic(0, 0);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->CellType(), ctRowCheckBox);
  EXPECT_FALSE(head->CellBoolean());
  EXPECT_EQ(head->CellAngle(), 0);
  g->SetRowSelect(4, true);
  head = g->GetCellGraphic(0, 0);
  EXPECT_FALSE(head->CellBoolean());
  EXPECT_EQ(head->CellAngle(), 1);  // partial
  EXPECT_TRUE(g->GetCellGraphic(0, 4)->CellBoolean());
  EXPECT_FALSE(g->GetCellGraphic(0, 5)->CellBoolean());
  for (int r = 1; r <= 10; ++r) g->SetRowSelect(r, true);
  head = g->GetCellGraphic(0, 0);
  EXPECT_TRUE(head->CellBoolean());
  EXPECT_EQ(head->CellAngle(), 0);
  EXPECT_TRUE(g->RemoveCellGraphic(0, 0));  // frees nothing
  EXPECT_EQ(g->GetCellGraphic(0, 0), g->SharedCellGraphic());
}

TEST(AdvCellGraphic, MeasuresOnScreen) {
  GridOwner g;
  g->CreateCellGraphic(1, 1)->SetCellType(ctRating);
  g->GetCellGraphic(1, 1)->SetCellAngle(5);
  g->GetCellGraphic(1, 1)->SetCellHAlign(haFull);  // ratings ignore the full-width rule
  EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(90, 16));
  g->AddCheckBox(2, 1, false, false);
  EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(15, 15));
  g->CreateCellGraphic(3, 1)->SetButton(30, 12, u"go", haLeft, vaTop);
  EXPECT_EQ(g->GetCellGraphicSize(3, 1), TPoint(30, 12));
  g->SetCells(3, 1, u"text");
  EXPECT_EQ(g->GetCellGraphicSize(3, 1), TPoint(30, 0));  // beside the text
  g->CreateCellGraphic(4, 1)->SetCellType(ctProgressPie);
  EXPECT_EQ(g->GetCellGraphicSize(4, 1), TPoint(20, 20));
  g->GetCellGraphic(4, 1)->SetCellVAlign(vaFull);
  EXPECT_EQ(g->GetCellGraphicSize(4, 1).Y, g->CellSize(4, 1).Y);
  EXPECT_EQ(g->GetCellGraphicSize(1, 2), TPoint(0, 0));
}

TEST(AdvCellGraphic, MeasuresForPrinting) {
  GridOwner g;
  g->CreateCellGraphic(1, 1)->SetButton(30, 12, u"go", haCenter, vaTop);
  g->SetCells(1, 1, u"text");
  TPoint s;
  g->MeasurePrintGraphic(1, 1, s, 1.0, 100, 100);
  EXPECT_EQ(s, TPoint(30, 12));
  g->CreateCellGraphic(2, 1)->SetCellType(ctProgress);
  g->MeasurePrintGraphic(2, 1, s, 1.0, 100, 100);
  EXPECT_EQ(s, TPoint(g->ColWidths(2), g->RowHeights(1)));
  g->CreateCellGraphic(3, 1)->SetCellType(ctNode);
  g->MeasurePrintGraphic(3, 1, s, 1.0, 100, 100);
  EXPECT_EQ(s, TPoint(20, 20));
}

TEST(AdvCellGraphic, UrlPrefixesAreTriedInOrder) {
  GridOwner g;
  g->SetCells(1, 1, u"see www.x.org or http://y.org");
  EXPECT_EQ(Utf8(g->Cells(1, 1)), "see www.x.org or http://y.org");
  g->SetURLShowInText(true);
  // "HTTP://" comes first in the order, so only that address becomes an anchor.
  EXPECT_EQ(Utf8(g->Cells(1, 1)), "see www.x.org or <a href=\"http://y.org\">http://y.org</a>");
  g->SetCells(1, 2, u"mail www.x.org");
  EXPECT_EQ(Utf8(g->Cells(1, 2)), "mail <a href=\"www.x.org\">www.x.org</a>");
}

TEST(AdvCellGraphic, GroupCountIsAppendedToColumnOneOfNodeRows) {
  GridOwner g;
  g->SetRowCount(8);
  TCellGraphic* node = g->CreateCellGraphic(0, 2);
  node->SetCellType(ctNode);
  node->SetCellIndex(4);     // the node and three rows
  node->SetCellErrFrom(1);  // one of them a sub-node
  g->SetCells(1, 2, u"Group");
  g->Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(Utf8(g->Cells(1, 2)), "Group (2)");
  EXPECT_EQ(Utf8(g->Cells(2, 2)), "");
  g->Grouping()->SetGroupCountFormat(u" [%d]");
  EXPECT_EQ(Utf8(g->Cells(1, 2)), "Group [2]");
  g->Grouping()->SetGroupCountFormat(u" %s");  // does not fit a count: the plain form
  EXPECT_EQ(Utf8(g->Cells(1, 2)), "Group (2)");
}

TEST(AdvCellGraphic, RowIndentAndNodes) {
  GridOwner g;
  EXPECT_FALSE(g->HasNodes());
  g->GetCellProperties(0, 3)->SetNodeLevel(2);
  EXPECT_EQ(g->GetRowIndent(3), 0);  // no node yet
  g->CreateCellGraphic(0, 1)->SetCellType(ctNode);
  EXPECT_TRUE(g->HasNodes());
  EXPECT_EQ(g->GetRowIndent(3), 24);
  EXPECT_EQ(g->GetRowIndent(4), 0);
  EXPECT_EQ(g->GetRowIndent(-1), 0);
}

TEST(AdvCellGraphic, SortIndicatorNeedsMoreThanOneNormalRow) {
  GridOwner g;
  g->SortSettings()->SetShow(true);
  g->SetRowCount(2);
  EXPECT_FALSE(g->IsSortIndicatorCell(1, 0));
  g->SetRowCount(3);
  EXPECT_TRUE(g->IsSortIndicatorCell(1, 0));
  EXPECT_FALSE(g->IsSortIndicatorCell(1, 1));
  g->SortSettings()->SetShow(false);
  EXPECT_FALSE(g->IsSortIndicatorCell(1, 0));
}

TEST(AdvCellGraphic, PasswordCellsOnlyThroughTheEvent) {
  GridOwner g;
  EXPECT_FALSE(g->IsPasswordCell(1, 1));
  g->OnIsPasswordCell = [](TObject*, int, int ACol, bool& Pw) { Pw = ACol == 1; };
  EXPECT_TRUE(g->IsPasswordCell(1, 1));
  EXPECT_FALSE(g->IsPasswordCell(2, 1));
}

TEST(AdvCellGraphic, NoApplicationStyleIsInUse) {
  GridOwner g;
  const TColor before = g->Color();
  g->ApplyActiveStyleColors();
  EXPECT_FALSE(g->ActiveStyleInUse());
  EXPECT_EQ(g->Color(), before);
}

TEST(AdvCellGraphic, DispatchersFireTheirEvents) {
  GridOwner g;
  EXPECT_TRUE(g->DoCanShowFixedDropDown(1));
  g->OnCanShowFixedDropDown = [](TObject*, int ACol, bool& CanShow) { CanShow = ACol != 2; };
  EXPECT_FALSE(g->DoCanShowFixedDropDown(2));
  String page = u"p";
  g->DoPrintGetPageNum(1, 2, page);
  g->OnPrintGetPageNum = [](TObject*, int PageNum, int PageColNum, String& S) {
    S = IntToStr(PageNum) + u"/" + IntToStr(PageColNum);
  };
  g->DoPrintGetPageNum(1, 2, page);
  EXPECT_EQ(Utf8(page), "1/2");
  int sortCol = -1;
  g->OnClickSort = [&](TObject*, int ACol) { sortCol = ACol; };
  g->DoClickSort(3);
  EXPECT_EQ(sortCol, 3);
}

}  // namespace
