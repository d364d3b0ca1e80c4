// The pack's combo box: button width limits, the flat look's colours, the caption label's
// placement, the painted frames and button, and the list notifications it sends its parent.
#include <gtest/gtest.h>

#include <vector>

#include "grid/core/AsgCombo.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"

namespace {

// A panel that records the combo notifications of its children (then reflects them as the
// platform does).
class TCommandPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<unsigned> Codes;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_COMMAND) Codes.push_back(WParamHi(m.WParam));
    TPanel::WndProc(m);
  }
};

struct ComboOnForm {
  TForm* form = New<TForm>(nullptr);
  TCommandPanel* panel = New<TCommandPanel>(form);
  TAsgComboBox* combo = New<TAsgComboBox>(form);
  ComboOnForm() {
    form->SetBounds(0, 0, 400, 300);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 380, 280);
    combo->SetParent(panel);
    combo->SetBounds(100, 50, 91, 21);
  }
  ~ComboOnForm() { delete form; }
};

TEST(AsgCombo, ButtonWidthTakesOnly14To32) {
  struct Case {
    int value;
    int expected;
  };
  const Case cases[] = {{13, 19}, {33, 19}, {14, 14}, {32, 32}};
  for (const Case& c : cases) {
    ComboOnForm t;
    EXPECT_EQ(t.combo->ButtonWidth(), 19);  // the system's scroll-bar width + 2
    t.combo->SetButtonWidth(c.value);
    EXPECT_EQ(t.combo->ButtonWidth(), c.expected) << c.value;
  }
}

TEST(AsgCombo, FlatTakesTheParentsColourAndGivesItBack) {
  ComboOnForm t;
  t.panel->SetColor(clGray);
  t.combo->SetFlat(true);
  EXPECT_EQ(t.combo->Color(), clGray);
  t.combo->SetFlat(false);
  EXPECT_EQ(t.combo->Color(), clWindow);  // the colour read from the form
  t.combo->SetFlatParentColor(false);
  t.combo->SetFlat(true);
  EXPECT_EQ(t.combo->Color(), clWindow);
}

TEST(AsgCombo, DisabledFlatComboTakesItsParentsColour) {
  ComboOnForm t;
  t.panel->SetColor(clSilver);
  t.combo->SetFlatParentColor(false);
  t.combo->SetFlat(true);
  t.combo->SetColor(clYellow);
  t.combo->SetEnabled(false);
  EXPECT_EQ(t.combo->Color(), clSilver);
  t.combo->SetEnabled(true);
  EXPECT_EQ(t.combo->Color(), clYellow);
  EXPECT_FALSE(t.combo->ParentColor());
}

TEST(AsgCombo, LabelPlacedByPosition) {
  TScopedFakeMetrics metrics(10, 10, 3);  // 10 px a character, 13 px a line
  struct Case {
    TLabelPosition pos;
    const char16_t* caption;
    int left;
    int top;
  };
  // Control at (100, 50), 91 x 21, margin 4; labels 13 px high.
  const Case cases[] = {
      {lpLeftTop, u"ABCD", 56, 50},      {lpLeftCenter, u"ABCD", 56, 54},  {lpLeftBottom, u"ABCD", 56, 58},
      {lpTopLeft, u"ABCD", 100, 33},     {lpBottomLeft, u"ABCD", 100, 75}, {lpLeftTopLeft, u"ABCD", 96, 50},
      {lpTopCenter, u"ABC", 130, 33},    {lpBottomCenter, u"ABC", 130, 75}, {lpRightTop, u"ABCD", 195, 50},
      {lpRightCenter, u"ABCD", 195, 54}, {lpRighBottom, u"ABCD", 195, 58},
  };
  for (const Case& c : cases) {
    ComboOnForm t;
    t.combo->SetLabelPosition(c.pos);
    t.combo->SetLabelCaption(c.caption);
    TLabel* l = t.combo->ComboLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), t.panel);
    EXPECT_EQ(l->Left(), c.left) << int(c.pos);
    EXPECT_EQ(l->Top(), c.top) << int(c.pos);
  }
}

TEST(AsgCombo, LabelFollowsMovesVisibilityAndEnabledState) {
  TScopedFakeMetrics metrics(10, 10, 3);
  ComboOnForm t;
  t.combo->SetLabelCaption(u"ABCD");
  t.combo->SetBounds(150, 60, 91, 21);
  EXPECT_EQ(t.combo->ComboLabel()->Left(), 106);
  EXPECT_EQ(t.combo->ComboLabel()->Top(), 60);
  t.combo->SetVisible(false);
  EXPECT_FALSE(t.combo->ComboLabel()->Visible());
  t.combo->SetVisible(true);
  t.combo->SetEnabled(false);
  EXPECT_FALSE(t.combo->ComboLabel()->Enabled());
  t.combo->SetEnabled(true);
  t.combo->SetLabelAlwaysEnabled(true);
  t.combo->SetEnabled(false);
  EXPECT_TRUE(t.combo->ComboLabel()->Enabled());
}

TEST(AsgCombo, FrameColoursWithAndWithoutFocus) {
  struct Case {
    TColor border;
    TColor focusBorder;
    bool focused;
    TColor expected;  // clNone: no frame
  };
  const Case cases[] = {
      {clRed, clBlue, false, clRed},
      {clRed, clBlue, true, clBlue},
      {clNone, clBlue, false, clNone},
      {clNone, clBlue, true, clBlue},
      {clRed, clNone, true, clRed},
  };
  for (const Case& c : cases) {
    ComboOnForm t;
    t.combo->SetBorderColor(c.border);
    t.combo->SetFocusBorderColor(c.focusBorder);
    if (c.focused) t.combo->Perform(CM_ENTER, 0, 0);
    TImageCanvas img(91, 21, clWhite);
    t.combo->PaintFrame(img.Canvas());
    const TColor want = c.expected == clNone ? clWhite : c.expected;
    for (TPoint p : {Point(0, 0), Point(90, 0), Point(0, 20), Point(90, 20), Point(45, 0)})
      EXPECT_EQ(img.Pixel(p.X, p.Y), want) << c.border << " " << c.focusBorder << " " << c.focused;
    EXPECT_EQ(img.Pixel(45, 10), clWhite);  // only the one-pixel frame
  }
}

TEST(AsgCombo, FlatFrameOuterInParentColourInnerInOwn) {
  ComboOnForm t;
  t.panel->SetColor(clGray);
  t.combo->SetFlatParentColor(false);
  t.combo->SetFlat(true);
  t.combo->SetColor(clYellow);
  TImageCanvas img(91, 21, clWhite);
  t.combo->PaintFrame(img.Canvas());
  EXPECT_EQ(img.Pixel(0, 0), clGray);
  EXPECT_EQ(img.Pixel(1, 1), clGray);
  EXPECT_EQ(img.Pixel(2, 2), clYellow);
  EXPECT_EQ(img.Pixel(30, 10), clWhite);
}

TEST(AsgCombo, ColouredButtonDrawsItsArrow) {
  ComboOnForm t;
  t.combo->ButtonColor = clGreen;
  t.combo->ButtonBorderColor = clRed;
  t.combo->ButtonTextColor = clBlue;
  ASSERT_TRUE(t.combo->PaintsClient());
  TImageCanvas img(91, 21, clWhite);
  t.combo->PaintButton(img.Canvas());
  const int left = 91 - 19 + 2 + 1;  // ClientWidth - ButtonWidth + 2, shrunk by 1
  EXPECT_EQ(img.Pixel(left + 7, 1 + 8), clBlue);    // inside the arrow
  EXPECT_EQ(img.Pixel(left - 1, 5), clRed);         // the border line
  EXPECT_EQ(img.Pixel(left + 2, 15), clGreen);      // the button face
  EXPECT_EQ(img.Pixel(10, 10), clWhite);            // the text part is the platform's
}

TEST(AsgCombo, SelectItemTakesTheFirstEqualItem) {
  ComboOnForm t;
  for (const char16_t* s : {u"One", u"Two", u"two"}) t.combo->Items()->Add(s);
  t.combo->SelectItem(u"TWO");
  EXPECT_EQ(t.combo->ItemIndex(), 1);
  t.combo->SelectItem(u"Three");
  EXPECT_EQ(t.combo->ItemIndex(), 1);
}

TEST(AsgCombo, NotificationsOnlyForWhatTheUserDoes) {
  ComboOnForm t;
  int dropUps = 0;
  t.combo->OnDropUp = [&](TObject*) { ++dropUps; };
  t.combo->SetStyle(csDropDownList);
  for (const char16_t* s : {u"A", u"B", u"C"}) t.combo->Items()->Add(s);
  t.combo->SetItemIndex(1);
  t.combo->SetText(u"C");
  t.combo->Items()->Add(u"D");
  EXPECT_TRUE(t.panel->Codes.empty());

  t.combo->Perform(WM_KEYDOWN, VK_DOWN, 0);  // the user moves the selection
  t.combo->SetDroppedDown(true);
  t.combo->SetDroppedDown(false);
  const std::vector<unsigned> listCodes{CBN_SELCHANGE, CBN_DROPDOWN, CBN_CLOSEUP};
  EXPECT_EQ(t.panel->Codes, listCodes);
  EXPECT_EQ(dropUps, 1);

  t.panel->Codes.clear();
  t.combo->SetStyle(csDropDown);
  t.combo->SetText(u"x");
  t.combo->Perform(WM_CHAR, u'y', 0);
  t.combo->Perform(WM_CHAR, 8, 0);
  const std::vector<unsigned> editCodes{CBN_EDITCHANGE, CBN_EDITCHANGE};
  EXPECT_EQ(t.panel->Codes, editCodes);
  EXPECT_EQ(t.combo->Text(), u"x");
}

TEST(AsgCombo, TypingReplacesTheSelectedPart) {
  ComboOnForm t;
  t.combo->SetText(u"Alpha");
  t.combo->SetSelStart(1);
  t.combo->SetSelLength(3);
  t.combo->Perform(WM_CHAR, u'x', 0);
  EXPECT_EQ(t.combo->Text(), u"Axa");
  EXPECT_EQ(t.combo->SelStart(), 2);
  t.combo->Perform(WM_KEYDOWN, VK_HOME, 0);
  t.combo->Perform(WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(t.combo->Text(), u"xa");
}

}  // namespace
