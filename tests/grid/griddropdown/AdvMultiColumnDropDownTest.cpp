// The multi-column drop-down: defaults and presets, the item index across opening and closing,
// the popup's height, typing in the closed edit and in the open popup, Assign, and the popup's
// own cell painting (recorded and as a picture).
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "grid/griddropdown/AdvMultiColumnDropDown.h"
#include "platform/testing/RecordingCanvas.h"
#include "tests/grid/dropdown/ListDropDownFixture.h"

namespace {

// Records the selection bars and header gradients it is asked to paint.
class TRecordingMultiColumnDropDown : public TAdvMultiColumnDropDown {
 public:
  using TAdvMultiColumnDropDown::TAdvMultiColumnDropDown;
  void DrawSelection(TCanvas* Canvas, TRect R, TColor BackgroundColor, int Kind) override {
    SelectionKinds.push_back(Kind);
    TAdvMultiColumnDropDown::DrawSelection(Canvas, R, BackgroundColor, Kind);
  }
  void DrawGradientFill(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                        TGradientDirection Direction) override {
    Gradients.push_back({FromColor, ToColor, Steps, R, Direction});
    TAdvMultiColumnDropDown::DrawGradientFill(Canvas, FromColor, ToColor, Steps, R, Direction);
  }
  struct Gradient {
    TColor From, To;
    int Steps;
    TRect R;
    TGradientDirection Direction;
  };
  std::vector<int> SelectionKinds;
  std::vector<Gradient> Gradients;
};

class MultiColumnDropDownTest : public dropdown_test::ListDropDownFixture<TRecordingMultiColumnDropDown> {
 protected:
  multicolumn_dropdown::TAdvColGrid* Grid() const { return edit->PopupGrid(); }
  void SetItems(std::initializer_list<std::vector<String>> Rows) {
    edit->Items()->Clear();
    for (const auto& row : Rows) {
      multicolumn_dropdown::TDropDownItem* item = edit->Items()->Add();
      for (const String& s : row) item->Text()->Add(s);
    }
    edit->EndUpdate();
  }
  void SetColumns(std::initializer_list<int> Widths) {
    edit->Columns()->Clear();
    for (int w : Widths) edit->Columns()->Add()->SetWidth(w);
  }
  void PopupKey(Word Key, TShiftState Shift = {}, Char Ch = 0) { driver.Key(Popup(), Key, Shift, Ch); }
  void EditKey(Word Key, TShiftState Shift = {}, Char Ch = 0) { driver.Key(form, Key, Shift, Ch); }
  // Three 16 x 16 images: blue, green and red.
  void GiveImages() {
    images.SetWidth(16);
    images.SetHeight(16);
    for (TColor c : {clBlue, clLime, clRed}) {
      auto picture = dropdown_test::SolidPicture(16, 16, c);
      images.Add(picture.get(), nullptr);
    }
    edit->SetImages(&images);
  }
  // The calls of painting cell (ACol, ARow) in State.
  std::vector<TRecordedCall> PaintCell(int ACol, int ARow, TGridDrawState State = {}) {
    canvas.Clear();
    edit->DrawCell(&canvas, ACol, ARow, State);
    return canvas.Calls();
  }

  TImageList images;
  TRecordingCanvas canvas;
};

std::vector<TRecordedCall> Named(const std::vector<TRecordedCall>& Calls, const std::string& Name) {
  std::vector<TRecordedCall> out;
  for (const TRecordedCall& c : Calls)
    if (c.Name == Name) out.push_back(c);
  return out;
}

TEST_F(MultiColumnDropDownTest, NewDropDownHasItsDocumentedLook) {
  EXPECT_EQ(edit->Version(), u"1.2.1.4");
  EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0xF1EDEB));
  EXPECT_EQ(edit->FixedLineColor(), static_cast<TColor>(0xD1BBA4));
  EXPECT_EQ(edit->HeaderFont()->Color(), static_cast<TColor>(0x723708));
  EXPECT_EQ(edit->HeaderColor(), clWhite);
  EXPECT_EQ(edit->HeaderColorTo(), clGray);
  EXPECT_EQ(edit->HeaderHeight(), 25);
  EXPECT_EQ(edit->DropDownRowHeight(), 22);
  EXPECT_EQ(edit->DropDownHeight(), 200);
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(edit->SelectionTextColor(), clBlack);
  EXPECT_TRUE(edit->EditorEnabled());
  EXPECT_TRUE(edit->DropDownAutoWidth());
  ASSERT_NE(Grid(), nullptr);
  EXPECT_EQ(Grid()->Parent(), Popup());
  EXPECT_FALSE(Grid()->DefaultDrawing());
  EXPECT_EQ(Grid()->GridLineWidth(), 1);
  EXPECT_EQ(static_cast<const TCustomGrid*>(Grid())->GridLineWidth(), 0);
  EXPECT_EQ(Grid()->FixedRows(), 1);
  EXPECT_EQ(Grid()->FixedCols(), 0);
  EXPECT_TRUE(Grid()->Options().Contains(goRowSelect));
  EXPECT_FALSE(Grid()->Options().Contains(goRangeSelect));
}

TEST_F(MultiColumnDropDownTest, StylePresetsIncludeTheOffice2010Rows) {
  const struct {
    TQELStyle Style;
    TColor Header, Font;
  } rows[] = {{tsOffice2010Blue, 0xEDDBCD, 0x5B391E},
              {tsOffice2010Silver, 0xEDE9E5, 0x5B391E},
              {tsOffice2010Black, 0x828282, 0xD7D7D6}};
  for (const auto& row : rows) {
    edit->SetComponentStyle(row.Style);
    EXPECT_EQ(edit->HeaderColor(), row.Header) << row.Style;
    EXPECT_EQ(edit->HeaderColorTo(), clNone);
    EXPECT_EQ(edit->HeaderFont()->Color(), row.Font);
    EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0xEEDDCF));
    EXPECT_EQ(edit->FixedLineColor(), static_cast<TColor>(0xEEDDCF));
    EXPECT_EQ(edit->SelectionColor(), static_cast<TColor>(0x6CD0FF));
    EXPECT_EQ(edit->SelectionColorTo(), static_cast<TColor>(0x6CD0FF));
    EXPECT_EQ(edit->SelectionColorStyle(), scCustom);
    EXPECT_EQ(edit->SelectionTextColor(), clBlack);
  }
  // The rows the grid drop-down shares.
  edit->SetComponentStyle(tsWindowsXP);
  EXPECT_EQ(edit->SelectionTextColor(), clHighlightText);
  EXPECT_EQ(edit->FixedLineColor(), clBlack);
}

TEST_F(MultiColumnDropDownTest, ProposedHeightShowsWholeRows) {
  const struct {
    int RowHeight, Proposed, Expected;
  } cases[] = {{22, 200, 181}, {22, 49, 49}, {20, 200, 187}, {0, 40, 40}, {-5, 40, 40}};
  edit->DropDownHeader()->SetVisible(false);
  edit->DropDownFooter()->SetVisible(false);
  for (const auto& c : cases) {
    edit->SetDropDownRowHeight(c.RowHeight);
    int h = c.Proposed;
    edit->AdjustDropDownHeight(h);
    EXPECT_EQ(h, c.Expected) << c.RowHeight << " " << c.Proposed;
  }
}

TEST_F(MultiColumnDropDownTest, OpeningKeepsTheItemEscRestoresAClickPicks) {
  SetColumns({60, 60});
  SetItems({{u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}});
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->Text(), u"b");
  std::vector<int> seen;
  edit->OnChange = [&](TObject*) { seen.push_back(edit->ItemIndex()); };
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(Grid()->Row(), 2);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(Grid()->RowCount(), 4);
  EXPECT_EQ(Grid()->ColCount(), 2);

  PopupKey(VK_DOWN);
  EXPECT_EQ(Grid()->Row(), 3);
  EXPECT_EQ(edit->ItemIndex(), 2);
  PopupKey(VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"b");

  int selects = 0;
  edit->OnSelect = [&](TObject* Sender) {
    EXPECT_EQ(Sender, edit);
    ++selects;
  };
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  const TRect header = Grid()->CellRect(0, 0);
  driver.Click(Grid(), header.Left + 5, header.Top + 5);
  EXPECT_EQ(selects, 0);
  EXPECT_TRUE(edit->DroppedDown());
  const TRect cell = Grid()->CellRect(1, 1);
  driver.Click(Grid(), cell.Left + 5, cell.Top + 5);
  EXPECT_EQ(selects, 1);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->Text(), u"a");

  // Enter takes the row moved to.
  edit->ShowDropDown();
  PopupKey(VK_DOWN);
  PopupKey(VK_DOWN);
  PopupKey(VK_RETURN);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(selects, 2);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->Text(), u"c");
}

TEST_F(MultiColumnDropDownTest, PopupGridTabAndWheel) {
  SetColumns({60});
  SetItems({{u"a"}, {u"b"}, {u"c"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  const int row = Grid()->Row();
  PopupKey(VK_TAB);
  EXPECT_EQ(Grid()->Row(), row);
  EXPECT_TRUE(edit->DroppedDown());
  driver.Wheel(Grid(), -120);
  EXPECT_GT(Grid()->Row(), row);
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_FALSE(Grid()->ConfirmSelection());
}

TEST_F(MultiColumnDropDownTest, TypingInTheClosedEditCompletesAndLeavesThePopupRow) {
  SetColumns({80});
  SetItems({{u"Apple"}, {u"Apricot"}, {u"Banana"}});
  const int row = Grid()->Row();
  // The typed letters as typed, the rest of the entry after them; the key-up takes the item.
  driver.KeyDown(form, 'A', {}, u'a');
  EXPECT_EQ(edit->Text(), u"apple");
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 4);
  driver.KeyUp(form, 'A');
  EXPECT_EQ(edit->Text(), u"Apple");
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 4);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EditKey('P', {}, u'p');
  EditKey('R', {}, u'r');
  EXPECT_EQ(edit->Text(), u"Apricot");
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(Grid()->Row(), row);
  // No incremental lookup in the closed edit.
  EXPECT_EQ(edit->LookupEntry(), u"");
}

TEST_F(MultiColumnDropDownTest, TypingInTheOpenPopupLooksTheItemUp) {
  SetColumns({80});
  SetItems({{u"cherry"}, {u"apple"}, {u"banana"}, {u"blueberry"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  PopupKey('B', {}, u'b');
  EXPECT_EQ(Grid()->Row(), 3);
  EXPECT_EQ(edit->Text(), u"banana");
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 5);
  PopupKey('L', {}, u'l');
  EXPECT_EQ(Grid()->Row(), 4);
  EXPECT_EQ(edit->Text(), u"blueberry");
  EXPECT_EQ(edit->LookupEntry(), u"bl");
  // "blx" continues nothing: the lookup restarts with "x", which finds nothing either.
  PopupKey('X', {}, u'x');
  EXPECT_EQ(Grid()->Row(), 4);
  EXPECT_EQ(edit->LookupEntry(), u"");
  // Restarting with the last character alone.
  PopupKey('C', {}, u'c');
  PopupKey('A', {}, u'a');
  EXPECT_EQ(edit->Text(), u"apple");
  EXPECT_EQ(Grid()->Row(), 2);
  EXPECT_EQ(edit->LookupEntry(), u"a");
  PopupKey(VK_RETURN);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 1);
}

TEST_F(MultiColumnDropDownTest, BackspaceInThePopup) {
  SetColumns({80});
  SetItems({{u"Apple"}, {u"Apricot"}});
  edit->ShowDropDown();
  PopupKey('A', {}, u'a');
  PopupKey('P', {}, u'p');
  ASSERT_EQ(edit->Text(), u"Apple");
  ASSERT_EQ(edit->SelLength(), 3);
  // With a selection: exactly the selected part goes.
  PopupKey(VK_BACK);
  EXPECT_EQ(edit->Text(), u"Ap");
  EXPECT_EQ(edit->LookupEntry(), u"");
  // Without one: the (now empty) entry less its last character.
  PopupKey(VK_BACK);
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_EQ(edit->LookupEntry(), u"");
}

TEST_F(MultiColumnDropDownTest, EditKeysSelectItemsHomeAndEndOnlyWhenTypingIsOff) {
  SetColumns({80});
  SetItems({{u"a"}, {u"b"}, {u"c"}});
  edit->SetItemIndex(1);
  EditKey(VK_HOME);
  EditKey(VK_END);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EditKey(VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EditKey(VK_PRIOR);
  EXPECT_EQ(edit->ItemIndex(), 0);
  edit->SetEditorEnabled(false);
  EditKey(VK_END);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EditKey(VK_HOME);
  EXPECT_EQ(edit->ItemIndex(), 0);
}

TEST_F(MultiColumnDropDownTest, ShortItemsCountAsEmptyInTheLookups) {
  edit->SetLookupColumn(1);
  SetColumns({40, 40});
  SetItems({{u"first"}, {u"second", u"Beta"}, {u"third", u"beta"}});
  String full;
  int index = -1;
  EXPECT_TRUE(edit->FindLookupItem(u"BE", full, index));
  EXPECT_EQ(full, u"Beta");
  EXPECT_EQ(index, 1);
  edit->SetCaseSensitive(true);
  EXPECT_TRUE(edit->FindLookupItem(u"be", full, index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(edit->FindLookupItem(u"", full, index));
  EXPECT_EQ(edit->GetItemIndex(u"beta"), 2);
  EXPECT_EQ(edit->GetItemIndex(u""), 0);
  EXPECT_EQ(edit->GetItemIndex(u"gamma"), -1);
  EXPECT_EQ(edit->Items()->IndexInColumn(1, u""), -1);
  EXPECT_EQ(edit->Items()->IndexInColumn(1, u"Beta"), 1);
  EXPECT_EQ(edit->Items()->IndexInColumn(0, u"third"), 2);
}

TEST_F(MultiColumnDropDownTest, AssignCopiesTheHeaderFontNotTheControlFont) {
  TAdvMultiColumnDropDown other(nullptr);
  other.HeaderFont()->SetName(u"Header Face");
  other.HeaderFont()->SetSize(14);
  other.Font()->SetSize(20);
  other.SetLookupColumn(1);
  other.SetHeaderHeight(30);
  other.Columns()->Add()->SetHeader(u"Name");
  other.Items()->Add()->Text()->Add(u"x");
  edit->Font()->SetSize(9);
  edit->Assign(&other);
  EXPECT_EQ(edit->HeaderFont()->Name(), u"Header Face");
  EXPECT_EQ(edit->HeaderFont()->Size(), 14);
  EXPECT_EQ(edit->Font()->Size(), 9);
  EXPECT_EQ(edit->LookupColumn(), 1);
  EXPECT_EQ(edit->HeaderHeight(), 30);
  ASSERT_EQ(edit->Columns()->Count(), 1);
  EXPECT_EQ(edit->Columns()->Items(0)->Header(), u"Name");
  ASSERT_EQ(edit->Items()->Count(), 1);
}

// ---- painting ----------------------------------------------------------------------------------

TEST_F(MultiColumnDropDownTest, ImageColumnsDrawTheItemImageBeforeTheText) {
  GiveImages();
  SetColumns({100, 100});
  edit->Columns()->Items(0)->SetColumnType(ctImage);
  SetItems({{u"one", u"two"}});
  edit->Items()->Items(0)->SetImageIndex(2);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  const TRect r0 = Grid()->CellBounds(0, 1);
  auto calls = PaintCell(0, 1);
  auto draws = Named(calls, "Draw");
  ASSERT_EQ(draws.size(), 1u);
  // Inside the kept line width 1, 2 pixels in, centred in the row.
  EXPECT_EQ(draws[0].Args[0], r0.Left + 1 + 2);
  EXPECT_EQ(draws[0].Args[1], r0.Top + 1 + (r0.Height() - 2 - 16) / 2);
  auto texts = Named(calls, "DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"one");
  EXPECT_EQ(texts[0].Args[0], r0.Left + 1 + 16 + 4);
  EXPECT_EQ(static_cast<unsigned>(texts[0].Args[4]),
            DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER);

  const TRect r1 = Grid()->CellBounds(1, 1);
  calls = PaintCell(1, 1);
  EXPECT_TRUE(Named(calls, "Draw").empty());
  texts = Named(calls, "DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"two");
  EXPECT_EQ(texts[0].Args[0], r1.Left + 1 + 2);
}

TEST_F(MultiColumnDropDownTest, HeaderCellsShowTheColumnHeaderOverTheGradient) {
  SetColumns({100, 100});
  edit->Columns()->Items(1)->SetHeader(u"Price");
  edit->Columns()->Items(1)->SetAlignment(taRightJustify);
  edit->HeaderFont()->SetColor(clMaroon);
  SetItems({{u"one", u"1"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  edit->Gradients.clear();
  const auto calls = PaintCell(1, 0, TGridDrawState{gdFixed});
  ASSERT_EQ(edit->Gradients.size(), 1u);
  EXPECT_EQ(edit->Gradients[0].From, clWhite);
  EXPECT_EQ(edit->Gradients[0].To, clGray);
  EXPECT_EQ(edit->Gradients[0].Steps, 80);
  EXPECT_EQ(edit->Gradients[0].Direction, gdVertical);
  EXPECT_EQ(edit->Gradients[0].R, Grid()->CellBounds(1, 0));
  const auto texts = Named(calls, "DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"Price");
  EXPECT_EQ(texts[0].FontColor, clMaroon);
  EXPECT_TRUE(static_cast<unsigned>(texts[0].Args[4]) & DT_RIGHT);

  // Without a second header colour: one fill in the first.
  edit->SetHeaderColorTo(clNone);
  edit->HideDropDown(true);
  edit->ShowDropDown();
  edit->Gradients.clear();
  const auto plain = PaintCell(1, 0, TGridDrawState{gdFixed});
  EXPECT_TRUE(edit->Gradients.empty());
  const auto fills = Named(plain, "FillRect");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].BrushColor, clWhite);
}

TEST_F(MultiColumnDropDownTest, SelectionBarSegmentsByColumn) {
  const struct {
    std::initializer_list<int> Widths;
    std::vector<int> Kinds;
  } cases[] = {{{80}, {0}}, {{40, 40}, {1, 2}}, {{30, 30, 30, 30}, {1, 3, 3, 2}}};
  for (const auto& c : cases) {
    SetColumns(c.Widths);
    SetItems({{u"a", u"b", u"c", u"d"}});
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown());
    edit->SelectionKinds.clear();
    for (int col = 0; col < Grid()->ColCount(); ++col) PaintCell(col, 1, TGridDrawState{gdSelected});
    EXPECT_EQ(edit->SelectionKinds, c.Kinds);
    edit->HideDropDown(true);
  }
}

TEST_F(MultiColumnDropDownTest, LinesFollowTheKeptWidth) {
  SetColumns({100, 100});
  SetItems({{u"a", u"b"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  TGridOptions o = Grid()->Options();
  Grid()->SetOptions(o.Include(goVertLine));
  for (int w : {1, 3}) {
    Grid()->SetGridLineWidth(w);
    const TRect r = Grid()->CellBounds(0, 1);
    const int c = (w + 1) / 2;
    const auto calls = PaintCell(0, 1);
    const auto moves = Named(calls, "MoveTo");
    const auto lines = Named(calls, "LineTo");
    ASSERT_EQ(lines.size(), 2u) << w;
    EXPECT_EQ(moves[0].Args, (std::vector<int>{r.Left - c + 1, r.Bottom - c}));
    EXPECT_EQ(lines[0].Args, (std::vector<int>{r.Right - c + 1, r.Bottom - c}));
    EXPECT_EQ(lines[0].PenColor, edit->LineColor());
    EXPECT_EQ(moves[1].Args, (std::vector<int>{r.Right - c, r.Bottom - c}));
    EXPECT_EQ(lines[1].Args, (std::vector<int>{r.Right - c, r.Top - c}));
    // The text sits inside the lines.
    const auto texts = Named(calls, "DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Args[0], r.Left + w + 2);
    EXPECT_EQ(texts[0].Args[1], r.Top + w);
  }
  // Header cells: the fixed line colour, width 1.
  const TRect h = Grid()->CellBounds(0, 0);
  const auto calls = PaintCell(0, 0, TGridDrawState{gdFixed});
  const auto lines = Named(calls, "LineTo");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Args, (std::vector<int>{h.Right, h.Bottom - 1}));
  EXPECT_EQ(lines[0].PenColor, edit->FixedLineColor());
}

TEST_F(MultiColumnDropDownTest, TextEventAndDrawEvent) {
  SetColumns({100});
  edit->Columns()->Items(0)->SetEllipsis(true);
  edit->Columns()->Items(0)->SetWordwrap(true);
  SetItems({{u"a"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  edit->SetSelectionTextColor(clRed);
  edit->OnDropDownGetItemText = [&](TObject* Sender, int Column, int Row, String& Text) {
    EXPECT_EQ(Sender, edit);
    Text += u"!" + IntToStr(Column) + IntToStr(Row);
  };
  auto texts = Named(PaintCell(0, 1, TGridDrawState{gdSelected}), "DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"a!01");
  EXPECT_EQ(texts[0].FontColor, clRed);
  EXPECT_EQ(static_cast<unsigned>(texts[0].Args[4]),
            DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER);

  int drawn = 0;
  edit->OnDropDownDrawItem = [&](TObject* Sender, int Column, int Row, TCanvas* ACanvas, TRect ARect) {
    EXPECT_EQ(Sender, edit);
    EXPECT_EQ(ACanvas, &canvas);
    EXPECT_EQ(Column, 0);
    EXPECT_EQ(Row, 1);
    EXPECT_EQ(ARect, Grid()->CellRect(0, 1));
    ++drawn;
  };
  edit->SelectionKinds.clear();
  EXPECT_TRUE(PaintCell(0, 1, TGridDrawState{gdSelected}).empty());
  EXPECT_EQ(drawn, 1);
  EXPECT_TRUE(edit->SelectionKinds.empty());
}

TEST_F(MultiColumnDropDownTest, PictureOfTheOpenPopup) {
  GiveImages();
  SetColumns({90, 60});
  edit->Columns()->Items(0)->SetHeader(u"Name");
  edit->Columns()->Items(0)->SetColumnType(ctImage);
  edit->Columns()->Items(1)->SetHeader(u"Code");
  edit->Columns()->Items(1)->SetColor(clYellow);
  SetItems({{u"Alpha", u"A1"}, {u"Beta", u"B2"}, {u"Gamma", u"G3"}});
  edit->Items()->Items(1)->SetImageIndex(2);
  edit->SetItemIndex(0);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  SavePicture(Popup(), "multicolumn_popup.png");
  auto bitmap = PaintToBitmap(Popup());
  TCanvas* px = bitmap->Canvas();
  const TRect at = PaintedRect(Grid(), Popup());
  const auto pixel = [&](int X, int Y) { return px->Pixels(at.Left + X, at.Top + Y); };
  // The header's gradient runs from white at its top to grey at its bottom.
  const TRect h = Grid()->CellBounds(1, 0);
  EXPECT_GE(pixel(h.Right - 4, h.Top) & 0xFF, 0xF8);
  EXPECT_LT(pixel(h.Right - 4, h.Bottom - 3) & 0xFF, 0xA0);
  // Beta's row shows image 2 (red) at its left; Gamma's none.
  const TRect beta = Grid()->CellBounds(0, 2);
  EXPECT_EQ(pixel(beta.Left + 1 + 2 + 8, (beta.Top + beta.Bottom) / 2), clRed);
  const TRect gamma = Grid()->CellBounds(0, 3);
  EXPECT_NE(pixel(gamma.Left + 1 + 2 + 8, (gamma.Top + gamma.Bottom) / 2), clRed);
  // The second column's colour in a row that is not selected, with the line colour at its bottom.
  const TRect code = Grid()->CellBounds(1, 3);
  EXPECT_EQ(pixel(code.Right - 4, code.Top + 3), clYellow);
  EXPECT_EQ(pixel(code.Right - 4, code.Bottom - 1), edit->LineColor());
  // The current row is a selection bar, not the column's colour.
  const TRect current = Grid()->CellBounds(1, 1);
  const TColor bar = pixel(current.Right - 4, current.Top + 3);
  EXPECT_NE(bar, clYellow);
  EXPECT_NE(bar, clWhite);
}

}  // namespace
