#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

namespace {

class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    form->Show();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(int x, int y, int w, int h, TWinControl* parent = nullptr) {
    T* c = New<T>(form);
    c->SetParent(parent ? parent : form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
};

TEST_F(StdCtrlsTest, EditRaisesOnChangeForProgrammaticChangesOnly) {
  auto* e = Add<TEdit>(10, 10, 100, 21);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText(u"abc");
  e->SetText(u"abc");
  e->SetCharCase(ecUpperCase);
  EXPECT_EQ(e->Text(), u"ABC");
  EXPECT_EQ(changes, 2);
  e->SetMaxLength(2);  // limits typing only, as the class library does
  EXPECT_EQ(e->Text(), u"ABC");
}

TEST_F(StdCtrlsTest, ComboRaisesOnChangeOnlyForUserSelection) {
  auto* c = Add<TComboBox>(10, 10, 150, 22);
  c->SetStyle(csDropDownList);
  for (const char* s : {"EU868", "US915"}) c->Items()->Add(S(s));
  std::vector<std::string> events;
  c->OnChange = [&](TObject*) { events.push_back("change:" + StringToUtf8(c->Text())); };
  c->OnClick = [&](TObject*) { events.push_back("click"); };
  c->SetItemIndex(1);
  c->SetText(u"eu868");
  EXPECT_EQ(c->ItemIndex(), 0);
  c->SetText(u"AS923");
  EXPECT_EQ(c->ItemIndex(), 0);
  EXPECT_TRUE(events.empty());
  c->SetFocus();
  driver.Key(form, VK_DOWN);
  driver.Key(form, VK_DOWN);  // already the last item: no change
  c->UserSelect(0);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "change:US915", "click", "change:EU868"}));
  c->Items()->Clear();
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->Text(), u"");
}

// A drop-down combo's height also gives its list room (the grid's combo editor sets it so): the
// window shows the selection field only.
TEST_F(StdCtrlsTest, DropDownComboShowsItsFieldWhateverHeightItIsGiven) {
  form->SetColor(clYellow);
  const TComboBoxStyle styles[] = {csDropDown, csDropDownList};
  for (TComboBoxStyle style : styles) {
    SCOPED_TRACE(static_cast<int>(style));
    auto* c = Add<TComboBox>(10, 10, 150, 200);
    c->SetStyle(style);
    c->SetSelectionFieldHeight(15);
    c->SetColor(clWhite);
    std::unique_ptr<TBitmap> picture = PaintToBitmap(form);
    const TRect r = PaintedRect(c, form);
    EXPECT_EQ(c->Height(), 200);
    EXPECT_NE(picture->Canvas()->Pixels(r.Left + 40, r.Top + 10), ColorToRGB(clYellow));
    EXPECT_EQ(picture->Canvas()->Pixels(r.Left + 40, r.Top + 100), ColorToRGB(clYellow));
    delete c;
  }
}

TEST_F(StdCtrlsTest, ComboDropDownClaimsEnterAndEscapeOnlyWhileOpen) {
  auto* c = Add<TComboBox>(10, 10, 150, 22);
  auto* b = Add<TButton>(200, 10, 75, 25);
  b->SetDefault(true);
  int clicks = 0, closeUps = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  c->OnCloseUp = [&](TObject*) { ++closeUps; };
  c->SetFocus();
  driver.Key(form, VK_F4);
  EXPECT_TRUE(c->DroppedDown());
  driver.Key(form, VK_RETURN);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(closeUps, 1);
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, CheckBoxRaisesOnClickWhenCheckedByCodeAndTogglesOnUserClick) {
  auto* cb = Add<TCheckBox>(10, 10, 100, 17);
  cb->SetCaption(u"&Gateway");
  int clicks = 0;
  cb->OnClick = [&](TObject*) { ++clicks; };
  cb->SetChecked(true);
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  driver.Click(cb);
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 2);
  cb->SetFocus();
  driver.Key(form, VK_SPACE);
  EXPECT_TRUE(cb->Checked());
  driver.Key(form, 'G', {ssAlt});
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 4);
  cb->SetEnabled(false);
  driver.Click(cb);
  EXPECT_FALSE(cb->Checked());
}

TEST_F(StdCtrlsTest, PressAndReleaseOutsideDoesNotClick) {
  auto* b = Add<TButton>(10, 10, 75, 25);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  driver.MouseDown(b, 5, 5);
  driver.MouseUp(b, 200, 5);
  EXPECT_EQ(clicks, 0);
  driver.Click(b);
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, LabelAutoSizesToItsCaption) {
  TScopedFakeMetrics metrics(7, 10, 3, 2);
  auto* l = New<TLabel>(form);
  l->SetParent(form);
  l->SetBounds(16, 8, 10, 10);
  l->SetCaption(u"Begin");
  EXPECT_EQ(l->Width(), 35);
  EXPECT_EQ(l->Height(), 13);
  l->SetAlignment(taRightJustify);
  l->SetCaption(u"Step 1 of 6");
  EXPECT_EQ(l->Left() + l->Width(), 16 + 35);
  l->SetAutoSize(false);
  l->SetCaption(u"x");
  EXPECT_EQ(l->Width(), 77);
}

TEST_F(StdCtrlsTest, LabelBeingReadKeepsItsBoundsUntilLoaded) {
  TScopedFakeMetrics metrics(7, 10, 3, 2);
  auto* l = New<TLabel>(form);
  l->SetLoading(true);
  l->SetParent(form);
  l->SetCaption(u"Step 1 of 6");
  l->SetAlignment(taRightJustify);
  l->SetBounds(100, 8, 10, 10);
  EXPECT_EQ(l->Width(), 10);
  EXPECT_EQ(l->Height(), 10);
  l->SetLoading(false);
  // Sized once, from the place it was read with: the right edge stays.
  EXPECT_EQ(l->Width(), 77);
  EXPECT_EQ(l->Height(), 13);
  EXPECT_EQ(l->Left() + l->Width(), 110);
}

TEST_F(StdCtrlsTest, LinkLabelParsesOneAnchorAndEscapesItsTexts) {
  auto p = TLinkLabel::ParseCaption(u"<a href=\"http://h/Home/download/download.asp#MX40001\">New & better</a>");
  EXPECT_TRUE(p.HasLink);
  EXPECT_EQ(p.Target, u"http://h/Home/download/download.asp#MX40001");
  EXPECT_EQ(p.LinkText, u"New & better");
  auto* ll = New<TLinkLabel>(form);
  ll->SetParent(form);
  ll->SetCaption(u"a<b <a href='x'>link</a> c");
  EXPECT_EQ(ll->RichText(), u"a&lt;b <a href=\"x\">link</a> c");
  auto none = TLinkLabel::ParseCaption(u"plain <a text");
  EXPECT_FALSE(none.HasLink);
  EXPECT_EQ(none.Before, u"plain <a text");
}

TEST_F(StdCtrlsTest, LinkClickReportsTheTarget) {
  TScopedFakeMetrics metrics(7, 10, 3, 2);
  auto* ll = New<TLinkLabel>(form);
  ll->SetParent(form);
  ll->SetCaption(u"Go <a href=\"t\">here</a>");
  String target;
  ll->OnLinkClick = [&](TObject*, const String& link, TSysLinkType) { target = link; };
  driver.Click(ll, 2, 5);  // on "Go "
  EXPECT_EQ(target, u"");
  driver.Click(ll, 1 + 21 + 10, 5);
  EXPECT_EQ(target, u"t");
}

TEST_F(StdCtrlsTest, CategoryPanelsStackInTheOrderOfTheirTopsAndCollapse) {
  auto* g = Add<TCategoryPanelGroup>(0, 0, 400, 300);
  std::vector<TCategoryPanel*> panels;
  for (int i = 0; i < 3; ++i) panels.push_back(Add<TCategoryPanel>(0, 0, 400, 100 + i * 10, g));
  // Stack 2, 0, 1 by their tops, as a panel-order routine does.
  panels[2]->SetTop(0);
  panels[0]->SetTop(120);
  panels[1]->SetTop(220);
  EXPECT_EQ(g->Panels(), (std::vector<TCategoryPanel*>{panels[2], panels[0], panels[1]}));
  EXPECT_EQ(panels[2]->Top(), 0);
  EXPECT_EQ(panels[0]->Top(), 120);
  EXPECT_EQ(panels[1]->Top(), 220);
  // A control given to a panel lands on its surface, below the header.
  auto* e = New<TEdit>(form);
  e->SetParent(panels[0]);
  EXPECT_EQ(e->Parent(), panels[0]->Surface());
  EXPECT_EQ(GetParentForm(e), form);
  panels[0]->Collapse();
  EXPECT_EQ(panels[0]->Height(), 24);
  EXPECT_EQ(panels[1]->Top(), 144);
  panels[0]->SetHeight(150);  // a layout pass while collapsed applies at expansion
  EXPECT_EQ(panels[0]->Height(), 24);
  driver.Click(panels[0], 50, 10);
  EXPECT_FALSE(panels[0]->Collapsed());
  EXPECT_EQ(panels[0]->Height(), 150);
  panels[0]->SetEnabled(false);
  driver.Click(panels[0], 50, 10);
  EXPECT_FALSE(panels[0]->Collapsed());
}

TEST_F(StdCtrlsTest, CategoryGroupScrollsByLinesAndPages) {
  auto* g = Add<TCategoryPanelGroup>(0, 0, 400, 200);
  for (int i = 0; i < 3; ++i) Add<TCategoryPanel>(0, i * 150, 400, 150, g);
  EXPECT_TRUE(g->ScrollBarVisible());
  g->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  g->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_EQ(g->ScrollPos(), g->LineStep());
  EXPECT_EQ(g->Panels()[0]->Top(), -g->LineStep());
  g->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(g->ScrollPos(), 450 - 200);
  g->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(g->ScrollPos(), 250 - g->LineStep());
  // The bar at the right edge: a click above the thumb pages up, dragging the thumb scrolls.
  driver.Click(g, 390, 2);
  EXPECT_EQ(g->ScrollPos(), 250 - g->LineStep() - 200);
  g->SetScrollPos(0);
  // Thumb 200 * 200 / 450 = 88 high, 112 pixels of travel for 250 of contents.
  driver.MouseDown(g, 390, 5);
  driver.MouseMove(g, 390, 5 + 56);
  EXPECT_EQ(g->ScrollPos(), 125);
  driver.MouseMove(g, 390, 5 + 112);
  driver.MouseUp(g, 390, 117);
  EXPECT_EQ(g->ScrollPos(), 250);
  driver.MouseMove(g, 390, 5);
  EXPECT_EQ(g->ScrollPos(), 250);
}

TEST_F(StdCtrlsTest, PageControlSwitchesPagesOnUserRequest) {
  auto* pc = Add<TPageControl>(0, 0, 300, 200);
  auto* a = New<TTabSheet>(form);
  a->SetPageControl(pc);
  a->SetCaption(u"One");
  auto* b = New<TTabSheet>(form);
  b->SetPageControl(pc);
  b->SetCaption(u"Two");
  EXPECT_EQ(pc->ActivePage(), a);
  EXPECT_TRUE(a->Visible());
  EXPECT_FALSE(b->Visible());
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  pc->SetActivePageIndex(1);
  EXPECT_EQ(changes, 0);
  pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
  pc->UserSelectPage(0);
  EXPECT_EQ(pc->ActivePage(), b);
  pc->OnChanging = nullptr;
  pc->UserSelectPage(0);
  EXPECT_EQ(pc->ActivePage(), a);
  EXPECT_EQ(changes, 1);
}

// The active tab joins its page (no page edge under it) and is drawn over its neighbour; an inactive
// tab stands on the page's top edge.
TEST_F(StdCtrlsTest, ActiveTabJoinsItsPageWhicheverTabItIs) {
  auto* pc = Add<TPageControl>(0, 0, 300, 200);
  auto* a = New<TTabSheet>(form);
  a->SetPageControl(pc);
  a->SetCaption(u"One");
  auto* b = New<TTabSheet>(form);
  b->SetPageControl(pc);
  b->SetCaption(u"Two");
  const TColor face = ColorToRGB(pc->Color());
  const TColor highlight = ColorToRGB(clBtnHighlight);
  // The raised edge's outer light line is the face colour on this desktop; its inner line is white.
  const int edgeY = pc->TabHeight() + 2;
  for (int active = 0; active < 2; ++active) {
    SCOPED_TRACE(active);
    pc->SetActivePageIndex(active);
    std::unique_ptr<TBitmap> picture = PaintToBitmap(form);
    const TRect r = PaintedRect(pc, form);
    const TRect on = pc->TabRect(active);
    const TRect off = pc->TabRect(1 - active);
    const int onMid = r.Left + (on.Left + on.Right) / 2;
    const int offMid = r.Left + (off.Left + off.Right) / 2;
    EXPECT_EQ(picture->Canvas()->Pixels(onMid, r.Top + edgeY), face);
    EXPECT_EQ(picture->Canvas()->Pixels(offMid, r.Top + edgeY), highlight);
    // The active tab reaches 2 pixels higher than the inactive one.
    EXPECT_EQ(picture->Canvas()->Pixels(onMid, r.Top + on.Top - 1), highlight);
    EXPECT_NE(picture->Canvas()->Pixels(offMid, r.Top + off.Top - 1), highlight);
    // Where the tabs meet, the active tab's outer edge shows.
    const int joinX = r.Left + (active == 0 ? on.Right + 1 : on.Left - 1);
    EXPECT_EQ(picture->Canvas()->Pixels(joinX, r.Top + on.Top + 4),
              ColorToRGB(active == 0 ? cl3DDkShadow : clBtnHighlight));
  }
}

TEST_F(StdCtrlsTest, MemoLinesAndTextAreOneText) {
  auto* m = Add<TMemo>(0, 0, 200, 100);
  m->Lines()->Add(u"first");
  m->Lines()->Add(u"second");
  EXPECT_EQ(m->Text(), u"first\r\nsecond");
  m->SetText(u"a\r\nb\r\nc");
  EXPECT_EQ(m->Lines()->Count(), 3);
  EXPECT_EQ(m->Lines()->Strings(2), u"c");
}

}  // namespace

namespace {

// A parent that notes its children's scroll messages and may keep them.
class ScrollNotedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<uintptr_t> seen;  // WParam
  bool keep = false;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
      seen.push_back(m.WParam);
      if (keep) return;
    }
    TPanel::WndProc(m);
  }
};

TEST_F(StdCtrlsTest, ScrollBarStepsGoThroughTheParentWhichMayKeepThem) {
  auto* panel = Add<ScrollNotedPanel>(10, 10, 200, 200);
  auto* bar = Add<TScrollBar>(5, 5, 17, 120, panel);
  bar->SetKind(sbVertical);
  bar->SetSmallChange(5);
  bar->SetLargeChange(20);
  int scrolled = 0;
  bar->OnScroll = [&](TObject*, TScrollCode, int&) { ++scrolled; };
  bar->Scroll(scLineDown);
  bar->Scroll(scTrack, 42);
  EXPECT_EQ(panel->seen, (std::vector<uintptr_t>{MakeWParam(SB_LINEDOWN, 0), MakeWParam(SB_THUMBTRACK, 42)}));
  EXPECT_EQ(bar->Position(), 42);
  EXPECT_EQ(scrolled, 2);
  panel->keep = true;  // a parent that handles the message itself
  bar->Scroll(scPageDown);
  EXPECT_EQ(bar->Position(), 42);
  EXPECT_EQ(scrolled, 2);
  // Without a parent the bar takes its step at once.
  auto* alone = New<TScrollBar>(form);
  alone->SetLargeChange(20);
  alone->Scroll(scPageDown);
  EXPECT_EQ(alone->Position(), 20);
}

TEST(ControlHintsTest, ShowHintFollowsTheParentUntilSetOnTheControl) {
  ModalScript script;
  TForm* form = New<TForm>(nullptr);
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  auto* b = New<TButton>(form);
  b->SetParent(panel);
  b->SetHint(u"Information");
  EXPECT_FALSE(b->ShowHint());
  form->SetShowHint(true);
  EXPECT_TRUE(panel->ShowHint());
  EXPECT_TRUE(b->ShowHint());
  b->SetShowHint(false);
  EXPECT_FALSE(b->ShowHint());
  EXPECT_FALSE(b->ParentShowHint());
  EXPECT_EQ(b->Hint(), u"Information");
  delete form;
}

}  // namespace

namespace {

TEST(CategoryPanelLifetimeTest, ADeletedPanelLeavesTheGroup) {
  ModalScript script;
  TForm* form = New<TForm>(nullptr);
  auto* g = New<TCategoryPanelGroup>(form);
  g->SetParent(form);
  g->SetBounds(0, 0, 200, 300);
  auto* a = New<TCategoryPanel>(form);
  a->SetParent(g);
  a->SetHeight(100);
  auto* b = New<TCategoryPanel>(form);
  b->SetParent(g);
  b->SetTop(100);
  delete a;
  ASSERT_EQ(g->Panels().size(), 1u);
  EXPECT_EQ(b->Top(), 0);
  delete form;
}

}  // namespace
