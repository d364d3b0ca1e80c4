// The item selector: layout of the cells, navigation, look-up, mouse tracking, the painting of a
// hot and selected item, scrolling an item into view, and the appearance presets.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/dropdown/AdvItemSelector.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

class ItemSelectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    selector = new TAdvCustomItemSelector(form);
    selector->SetParent(form);
    form->Show();
  }
  void TearDown() override { delete form; }
  TCustomItemSelector* Panel() const { return selector->SelectorPanel(); }
  // Items of a fixed cell size, so that positions do not depend on text measuring.
  void AddFixed(int Count, int W = 30, int H = 20) {
    selector->OnItemSize = [W, H](TObject*, TSize& Size) { Size = {W, H}; };
    for (int i = 0; i < Count; ++i) selector->Items()->Add()->SetCaption(u"Item " + IntToStr(i));
    selector->UpdateSelectorPanel();
  }

  TScopedFakeMetrics metrics;
  InputDriver driver;
  TForm* form = nullptr;
  TAdvCustomItemSelector* selector = nullptr;
};

TEST_F(ItemSelectorTest, EmptySelectorLaysOutOneHundredByFiftyAndItsNavigationDoesNothing) {
  int w = 0, h = 0;
  selector->GetSelectorPanelSize(w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 50);
  int selects = 0;
  selector->OnItemSelect = [&](TObject*) { ++selects; };
  selector->SelectFirst();
  selector->SelectNext();
  selector->SelectLast();
  selector->HotNext();
  EXPECT_FALSE(selector->LookupItem(u"A"));
  EXPECT_EQ(selector->ItemIndex(), -1);
  EXPECT_EQ(selector->ItemHot(), -1);
  EXPECT_EQ(selector->GetVisibleItemCount(), 0);
  EXPECT_EQ(selects, 0);
}

TEST_F(ItemSelectorTest, FiveItemsInTwoColumnsMakeRowsOfTwoTwoAndOne) {
  selector->SetColumns(2);
  AddFixed(5);
  const std::vector<TRect> expected = {Rect(2, 2, 32, 22), Rect(32, 2, 62, 22), Rect(2, 22, 32, 42),
                                       Rect(32, 22, 62, 42), Rect(2, 42, 32, 62)};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Panel()->GetItemRect(i), expected[static_cast<size_t>(i)]) << i;
  int w = 0, h = 0;
  selector->GetSelectorPanelSize(w, h);
  EXPECT_EQ(w, 2 * 30 + 4);
  EXPECT_EQ(h, 3 * 20 + 4);
  EXPECT_EQ(Panel()->GetItemRect(5), Rect(-1, -1, -1, -1));
  selector->SetColumns(0);  // ignored
  EXPECT_EQ(selector->Columns(), 2);
}

TEST_F(ItemSelectorTest, SelectNextWalksFromNoneStopsAtTheEndAndBeforeADisabledItem) {
  AddFixed(3);
  std::vector<int> selected;
  selector->OnItemSelect = [&](TObject* Sender) {
    EXPECT_EQ(Sender, selector);
    selected.push_back(selector->ItemIndex());
  };
  selector->SelectNext();
  EXPECT_EQ(selector->ItemIndex(), 0);
  selector->SelectLast();
  selector->SelectNext();
  EXPECT_EQ(selector->ItemIndex(), 2);
  EXPECT_EQ(selected, (std::vector<int>{0, 2}));
  selector->Items()->Items(1)->SetEnabled(false);
  selector->SelectPrevious();
  EXPECT_EQ(selector->ItemIndex(), 2);
  selector->SelectFirst();
  selector->SelectNext();
  EXPECT_EQ(selector->ItemIndex(), 0);
}

TEST_F(ItemSelectorTest, IndexAtOrBeyondTheCountChangesNothing) {
  AddFixed(3);
  selector->SetItemIndex(1);
  int selects = 0;
  selector->OnItemSelect = [&](TObject*) { ++selects; };
  selector->SetItemIndex(7);
  selector->SetItemIndex(3);
  EXPECT_EQ(selector->ItemIndex(), 1);
  EXPECT_EQ(selects, 0);
  selector->SetItemIndex(1);  // the same item is reported again
  EXPECT_EQ(selects, 1);
}

TEST_F(ItemSelectorTest, ADisabledItemIsNeitherHotNorSelectedByTheMouse) {
  AddFixed(3);
  selector->Items()->Items(1)->SetEnabled(false);
  selector->Items()->Items(0)->SetHint(u"first");
  driver.MouseMove(Panel(), 10, 10);
  EXPECT_EQ(selector->ItemHot(), 0);
  EXPECT_EQ(Panel()->Hint(), u"first");
  driver.MouseMove(Panel(), 10, 30);
  EXPECT_EQ(selector->ItemHot(), -1);
  driver.MouseDown(Panel(), 10, 30);
  driver.MouseUp(Panel(), 10, 30);
  EXPECT_EQ(selector->ItemIndex(), -1);
  driver.MouseDown(Panel(), 10, 50, mbRight);
  EXPECT_EQ(selector->ItemIndex(), 2);
  driver.MouseMove(Panel(), 10, 50);
  EXPECT_EQ(selector->ItemHot(), 2);
  driver.MouseLeave(Panel());
  EXPECT_EQ(selector->ItemHot(), -1);
}

TEST_F(ItemSelectorTest, LookupMatchesTheLeadingTextOfTheCaptionWithoutTags) {
  selector->Items()->Add()->SetCaption(u"cab");
  selector->Items()->Add()->SetCaption(u"  <b>ab</b>c");
  selector->UpdateSelectorPanel();
  struct Case {
    String Text;
    bool Found;
    int Index;
  };
  for (const Case& c : {Case{u"AB", true, 1}, Case{u"ABC", true, 1}, Case{u"CA", true, 0}, Case{u"B", false, -1},
                        Case{u"", false, -1}}) {
    selector->SetItemIndex(-1);
    EXPECT_EQ(selector->LookupItem(c.Text), c.Found) << StringToUtf8(c.Text);
    EXPECT_EQ(selector->ItemIndex(), c.Index) << StringToUtf8(c.Text);
  }
}

TEST_F(ItemSelectorTest, CellSizeFollowsTheCaptionLayoutOnlyAtTheNextRelayout) {
  selector->SetSelectorType(stColor);
  selector->Items()->Add()->SetCaption(u"Red");
  selector->UpdateSelectorPanel();
  // Caption right: 4 + box 14 + gap 4 + text (3 x 7 + 4) + 4; height: the box (14) + 2 x 4.
  EXPECT_EQ(Panel()->GetItemRect(0), Rect(2, 2, 2 + 4 + 14 + 4 + 25 + 4, 2 + 14 + 8));
  selector->SetItemLayout(ilCaptionTop);
  EXPECT_EQ(Panel()->GetItemRect(0).Width(), 51);
  selector->UpdateSelectorPanel();
  // Caption on top: the wider of text and box + 2 x 4; 4 + box + gap + text height (13) + 4.
  EXPECT_EQ(Panel()->GetItemRect(0), Rect(2, 2, 2 + 25 + 8, 2 + 4 + 14 + 4 + 13 + 4));
}

TEST_F(ItemSelectorTest, AHotAndSelectedItemPaintsInTheSelectedColours) {
  AddFixed(2, 60, 20);
  TItemAppearance* a = selector->ItemAppearance();
  a->BorderColorTop = clNone;  // the plain gradient box
  a->ColorHotTo = clNone;
  a->ColorSelectedTo = clNone;
  a->ColorHot = 0x00AA00;
  a->ColorSelected = 0x0000AA;
  a->ColorHotText = 0x111111;
  a->ColorSelectedText = 0x222222;
  driver.MouseMove(Panel(), 10, 30);
  selector->SetItemIndex(1);
  ASSERT_EQ(selector->ItemHot(), 1);
  TRecordingCanvas canvas;
  Panel()->DrawItem(1, &canvas);
  const auto fills = canvas.CallsNamed("FillRect");
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().BrushColor, static_cast<TColor>(0x0000AA));
  bool text = false;
  for (const TRecordedCall& c : canvas.Calls()) {
    if (c.Text.empty()) continue;
    text = true;
    EXPECT_EQ(c.FontColor, static_cast<TColor>(0x222222)) << c.ToString();
  }
  EXPECT_TRUE(text);
}

TEST_F(ItemSelectorTest, VisibleCountGuardsAgainstCellsOfNoHeight) {
  selector->SetHeight(100);
  AddFixed(4, 30, 20);
  EXPECT_EQ(selector->GetVisibleItemCount(), 5);
  selector->SetColumns(2);
  EXPECT_EQ(selector->GetVisibleItemCount(), 10);
  selector->OnItemSize = [](TObject*, TSize& Size) { Size = {30, 0}; };
  selector->UpdateSelectorPanel();
  EXPECT_EQ(selector->GetVisibleItemCount(), 0);
}

TEST_F(ItemSelectorTest, SelectingScrollsTheItemIntoViewAndTheThumbIsFollowed) {
  selector->SetBounds(0, 0, 120, 60);
  AddFixed(10, 30, 20);  // panel 204 high
  ASSERT_TRUE(selector->VertScrollBar()->IsScrollBarVisible());
  selector->SetItemIndex(9);  // bottom 202 at the client's bottom (60)
  EXPECT_EQ(selector->VertScrollBar()->Position(), 142);
  EXPECT_EQ(Panel()->Top(), -142);
  selector->SetItemIndex(0);  // top 2 at the client's top
  EXPECT_EQ(selector->VertScrollBar()->Position(), 2);
  selector->VertScrollBar()->SetMargin(2);
  selector->SetItemIndex(0);
  EXPECT_EQ(selector->VertScrollBar()->Position(), 0);
  ASSERT_FALSE(selector->VertScrollBar()->Tracking());
  selector->Perform(WM_VSCROLL, SB_THUMBTRACK | (50u << 16), 0);
  EXPECT_EQ(selector->VertScrollBar()->Position(), 50);
  EXPECT_EQ(Panel()->Top(), -50);
}

TEST_F(ItemSelectorTest, ThePanelNeedsASelectorAsItsOwner) {
  try {
    TCustomItemSelector panel(form);
    FAIL() << "created";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Invalid parent");
  }
}

TEST_F(ItemSelectorTest, AppearanceAssignAppliesTheSourceStyleOverItsColours) {
  TItemAppearance source(nullptr), target(nullptr);
  EXPECT_EQ(source.ColorStyle(), scOffice2007);
  EXPECT_EQ(source.ColorHot, static_cast<TColor>(0xD7FFFD));
  EXPECT_EQ(source.Font()->Name(), u"Tahoma");
  source.SetColorStyle(scWindows7);
  source.ColorHot = 0x123456;  // overwritten again by the preset on assignment
  source.ColorHotText = 0x654321;
  target.Assign(&source);
  EXPECT_EQ(target.ColorStyle(), scWindows7);
  EXPECT_EQ(target.ColorHot, static_cast<TColor>(0xFCEBDC));
  EXPECT_EQ(target.ColorMirrorHot, clNone);
  EXPECT_EQ(target.ColorHotText, static_cast<TColor>(0x654321));
  target.SetColorStyle(scCustom);
  EXPECT_EQ(target.ColorHot, static_cast<TColor>(0xFCEBDC));
}

TEST_F(ItemSelectorTest, DropDownStylesColourTheAppearance) {
  TItemAppearance a(nullptr);
  a.BorderColorHot = 0x010101;
  SetItemAppearanceStyle(&a, tsCustom);
  EXPECT_EQ(a.BorderColorHot, static_cast<TColor>(0x010101));
  SetItemAppearanceStyle(&a, tsWindowsXP);
  EXPECT_EQ(a.BorderColorHot, clNone);
  EXPECT_EQ(a.ColorSelected, clHighlight);
  EXPECT_EQ(a.ColorSelectedText, clHighlightText);
  SetItemAppearanceStyle(&a, tsOffice2007Luna);
  EXPECT_EQ(a.ColorSelectedText, clBlack);
  EXPECT_EQ(a.BorderColorTop, static_cast<TColor>(0xF4FEFF));
  SetItemAppearanceStyle(nullptr, tsWindows7);  // nothing to colour
}

}  // namespace
